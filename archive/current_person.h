#pragma once
// The current person: the one entry of the "TMPR" archive, loaded into the
// current birth data and the chart of its birth (the mean houses, every body
// with its retrograde flag, the nodes and the angles).
#include <array>
#include <string>

namespace archive {

struct CurrentChart;

// What the main window shows of the current person (Windows-1252 texts).
struct CurrentPersonView {
    std::array<std::string, 7> personLines;  // six lines, the seventh empty
    std::string annotationText;              // line 1 of "FileDum\Annotaz.dum"
    bool textFileExists = false;             // the person's text file exists
    std::string textFileName;                // e.g. "BASEtxt\00012.txt", "" without one
    bool empty = false;                      // no person stored yet
};

// The loader of the main window: loads the person and the chart into `current`
// and returns what the window shows (it sets the memo, the annotation memo and
// the visibility of "Apri Testo" from it).
CurrentPersonView LoadCurrentPersonForShow(CurrentChart& current);

}  // namespace archive
