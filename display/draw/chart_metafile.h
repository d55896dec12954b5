#pragma once
// Chart sheets saved as enhanced metafiles in the folder "Emf", and the list of
// page orientations by chart type "Emf\TipGraf.Set" (15 lines, "P" or "L"; the
// type of a chart file is the number in characters 5 and 6 of its name).
#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace display {

class EmfRecorder;
struct DrawingState;

inline constexpr const char* kOrientationFile = "Emf\\TipGraf.Set";
inline constexpr int kChartTypes = 15;

// The chart type (1..15) of a file name, or 0 when characters 5-6 are not one.
int ChartTypeOfName(std::string_view name);
// Checks a chart metafile name whole: a plain file name (no folder, no ".."),
// with a chart type. Returns an empty text when it is good, else the message.
std::string CheckChartMetafileName(std::string_view name);

// The first letters of the 15 orientation lines ("L" for a missing file or
// line, a blank for an empty one). Reading never writes the file.
std::string ReadChartOrientations();

// Records the printer's orientation for the chart's type ("L" without a printer).
// A bad name writes nothing; returns whether it was saved. The window that
// takes the name checks it first (CheckChartMetafileName) and tells the user.
bool SaveChartOrientation(const DrawingState& drawing, std::string_view name);
// Sizes the metafile viewer it is handed (none: nothing is sized) for the
// orientation of the chart's type.
// Returns the letter used ('L' or 'P'), or 0 for a bad name.
char ApplyChartOrientation(const DrawingState& drawing, std::string_view name, QWidget* viewer);
// The viewer size for an orientation letter and the screen aspect.
void ViewerSizeFor(char orientation, long double screenAspect, int& width, int& height);

// The chart metafile's own surface: a recorder on paper, mapping with the
// drawing state handed, whose reference device is the screen of that state.
// The caller draws the sheet on it and ends it, or drops it (a drawing that
// failed) and nothing is saved. A bad name records nothing (the window that
// took the name has told the user) and returns none.
std::unique_ptr<EmfRecorder> BeginChartMetafile(DrawingState& drawing, std::string_view name);
// Completes the recorder and saves it as "Emf\" + name.
void EndChartMetafile(std::unique_ptr<EmfRecorder> recorder, std::string_view name);

}  // namespace display
