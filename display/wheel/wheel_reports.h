#pragma once
// Missing data files of the chart window (help texts, work files) are reported
// once per file and run, not at every drawing; the drawing goes on without them.
#include <string>

namespace rt {
class IoError;
}

namespace display {

// Tells the run-time's message with the file name, through the run-time's
// damaged-file reporter (the program shows it), the first time this file fails; later failures of the same file are silent. Returns true when shown.
bool ReportFileErrorOnce(const std::string& fileName, const rt::IoError& error);
// Forgets what was reported (tests).
void ResetFileErrorReports();

}  // namespace display
