#pragma once
// The instruction documents in the working folder, opened by the desktop's viewer.

namespace shell {

inline constexpr const char* kFullInstructions = "Istruzioni.pdf";
inline constexpr const char* kShortInstructions = "Istruzioni_J.pdf";
inline constexpr const char* kBookletDocument = "Dispensa.pdf";

// Asks the desktop to open a document of the working folder; the result is not
// checked (a missing viewer or document shows whatever the desktop shows).
void OpenProgramDocument(const char* name);

}  // namespace shell
