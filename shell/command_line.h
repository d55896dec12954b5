#pragma once
// The options of the command line. Without one, the first argument names a
// text file for the rich-text windows and the program starts as always; "--"
// ends the options, so that a file whose name begins with "-" can be named.
//   --help, -h            what the program takes on its command line
//   --version             the program's version
//   --import-signatures   imports "OpzioneS\DbTesto.Txt" of the data folder into
//                         the signature database and builds its lists, then ends
// An option runs without a display and says what it did on the terminal.
#include <iosfwd>
#include <optional>
#include <string>

namespace shell {

inline constexpr const char* kImportSignaturesOption = "--import-signatures";

// Runs the option given as the first argument; returns the program's exit
// status, or nothing when there is no option (the windows start). An option
// that is none of these, short or long, is refused with the usage (status 2).
std::optional<int> RunCommandLineOption(int argc, char** argv, std::ostream& out, std::ostream& err);

// The text file the command line names for the rich-text windows (empty for
// none), once RunCommandLineOption found no option.
std::string TextFileOfCommandLine(int argc, char** argv);

// The import of the signature database and the build of its lists on the data
// folder (the data folder prepared and claimed as the program does at start).
// A missing, empty or malformed text changes nothing. Returns the exit status:
// 0 done, 1 refused or failed.
int ImportSignaturesCommand(std::ostream& out, std::ostream& err);

}  // namespace shell
