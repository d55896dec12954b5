#pragma once
// The printer the program prints on: the system's default printer, or a PDF file
// in the folder "Stampe" when no printer is installed.
#include <filesystem>
#include <string>

class QPrinter;

namespace shell {

inline constexpr const char* kPrintFolder = "Stampe";

// Sets the printer up for a job: A4, the job title, and the output device.
// Returns the PDF file the job writes, or an empty path for a real printer.
std::filesystem::path PreparePrinter(QPrinter& printer, const std::string& title);

// A file name made from a job title: letters, digits, "-", "_" and "." kept,
// anything else "_"; "Stampa" when nothing is left.
std::string PrintFileStem(const std::string& title);

}  // namespace shell
