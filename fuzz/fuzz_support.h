#pragma once
// Shared parts of the fuzz drivers: a private working folder, the shipped data
// tree, and inputs that stand for several files at once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Separates the files of an input that stands for several files.
inline constexpr std::string_view kFileSeparator = "\n@@KELVOR-FILE@@\n";

// Makes a fresh temporary folder the working and data folder, sets the
// headless Qt platform and installs message sinks that never block.
void PrepareWorkFolder();

// Splits an input into exactly `count` parts at kFileSeparator (missing parts
// are empty; the last part keeps any further separators).
std::vector<std::string> SplitFiles(const std::uint8_t* data, std::size_t size, std::size_t count);

// Writes the bytes as a program file (backslash name) in the working folder.
void PutFile(std::string_view name, std::string_view bytes);
// Removes a program file.
void RemoveFile(std::string_view name);
// Copies a shipped file (backslash name) from the installed data tree.
void CopyShippedFile(std::string_view name);

// Makes sure a Qt application object exists (for fonts and painting).
void EnsureGuiApplication();
// The same for windows: an application object that can hold widgets (call it
// before any other).
void EnsureWidgetApplication();

}  // namespace fuzz
