#pragma once
// The instruction documents in the working folder, opened by the desktop's viewer.

#include <string>

namespace shell {

inline constexpr const char* kFullInstructions = "Istruzioni.pdf";
inline constexpr const char* kShortInstructions = "Istruzioni_J.pdf";
inline constexpr const char* kBookletDocument = "Dispensa.pdf";

// Asks the desktop to open a document of the working folder. When no viewer
// could open it (none installed, or the document missing) a message box says
// so and names the file, at once or when the desktop has tried.
void OpenProgramDocument(const char* name);
// That message, for the file's path (UTF-8).
std::string NoViewerMessage(const std::string& path);

}  // namespace shell
