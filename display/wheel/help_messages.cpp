#include "display/wheel/help_messages.h"

#include <filesystem>
#include <system_error>

#include "display/wheel/wheel_reports.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {
constexpr const char* kHelpFile = "Appoggio\\Messaggi.txt";
constexpr const char* kScratchFile = "Appoggio\\Mex.txt";

bool IsSeparator(const std::string& line) { return line.find('#') != std::string::npos; }

// The highest entry the chart window shows.
constexpr int kHelpEntries = 34;

// Every entry the window shows holds text.
std::string HelpFileContent(const std::vector<std::string>& lines) {
    int entry = 0, shown = 0;
    for (const std::string& line : lines) {
        if (IsSeparator(line)) {
            if (entry >= 1 && entry <= kHelpEntries && shown == 0)
                return "il testo di aiuto " + std::to_string(entry) + " \xE8 vuoto";
            ++entry;
            shown = 0;
        } else if (line.find_first_not_of(' ') != std::string::npos) {
            ++shown;
        }
    }
    if (entry < kHelpEntries)
        return "mancano i testi di aiuto dal " + std::to_string(entry + 1) + " al " + std::to_string(kHelpEntries);
    if (entry == kHelpEntries && shown == 0) return "il testo di aiuto " + std::to_string(entry) + " \xE8 vuoto";
    return {};
}

void EraseScratch() {
    std::error_code ec;
    std::filesystem::remove(rt::ResolvePath(kScratchFile), ec);
}
}  // namespace

std::vector<std::string> ReadHelpEntry(int n) {
    rt::TextFile help;
    help.Assign(kHelpFile);
    help.Reset();
    rt::TextFile scratch;
    scratch.Assign(kScratchFile);
    try {
        scratch.Rewrite();
        int count = 0;
        while (!help.Eof() && count < n) {
            if (IsSeparator(help.ReadLn())) ++count;
        }
        if (count == n) {
            while (!help.Eof()) {
                std::string line = help.ReadLn();
                if (IsSeparator(line)) break;
                scratch.WriteLn(line);
            }
        }
        help.Close();
        scratch.Close();
        std::vector<std::string> lines = rt::ReadTextLines(kScratchFile);
        EraseScratch();
        return lines;
    } catch (...) {
        scratch.Close();
        EraseScratch();
        throw;
    }
}

void ShowHelpMessage(const HelpMemoTarget& target, FileErrorReports& fileErrors, int n) {
    if (target.clearBoth) target.clearBoth();
    if (n <= 0) return;
    std::vector<std::string> lines;
    try {
        // A damaged help file is put back first; one that cannot be shows nothing.
        if (rt::ReadShippedTextLines(kHelpFile, "Il pannello dei testi di aiuto resta vuoto.", HelpFileContent).empty())
            return;
        lines = ReadHelpEntry(n);
    } catch (const rt::IoError& e) {
        fileErrors.ReportOnce(e.File().empty() ? kHelpFile : e.File(), e);
        return;
    }
    if (n <= 33) {
        if (target.showInHelpMemo) target.showInHelpMemo(lines);
    } else if (target.showInSignatureMemo) {
        target.showInSignatureMemo(lines);
    }
}

}  // namespace display
