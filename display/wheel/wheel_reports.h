#pragma once
// Missing data files of the chart window (help texts, work files) are reported
// once per file while the window lives, not at every drawing; the drawing goes
// on without them.
#include <set>
#include <string>

namespace rt {
class IoError;
}

namespace display {

// The files whose failure was told. The chart window's wheel state holds it, so
// each window tells each file once.
class FileErrorReports {
public:
    // Tells the run-time's message with the file name, through the run-time's
    // damaged-file reporter (the program shows it), the first time this file
    // fails; later failures of the same file are silent. Returns true when shown.
    bool ReportOnce(const std::string& fileName, const rt::IoError& error);

private:
    std::set<std::string> reported_;  // upper-case names
};

}  // namespace display
