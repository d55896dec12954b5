#include "display/wheel/help_messages.h"

#include <filesystem>
#include <system_error>

#include "display/wheel/wheel_reports.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {
constexpr const char* kHelpFile = "Appoggio\\Messaggi.txt";
constexpr const char* kScratchFile = "Appoggio\\Mex.txt";

HelpMemoTarget& Target() {
    static HelpMemoTarget target;
    return target;
}

bool IsSeparator(const std::string& line) { return line.find('#') != std::string::npos; }

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

void SetHelpMemoTarget(HelpMemoTarget target) { Target() = std::move(target); }

void ShowHelpMessage(int n) {
    const HelpMemoTarget& target = Target();
    if (target.clearBoth) target.clearBoth();
    if (n <= 0) return;
    std::vector<std::string> lines;
    try {
        lines = ReadHelpEntry(n);
    } catch (const rt::IoError& e) {
        ReportFileErrorOnce(e.File().empty() ? kHelpFile : e.File(), e);
        return;
    }
    if (n <= 33) {
        if (target.showInMemo1) target.showInMemo1(lines);
    } else if (target.showInMemoExtra) {
        target.showInMemoExtra(lines);
    }
}

}  // namespace display
