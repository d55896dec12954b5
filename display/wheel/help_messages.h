#pragma once
// The numbered help texts of the chart window, read from "Appoggio\Messaggi.txt":
// entries are separated by lines holding a "#"; entry n is the run of lines
// after the n-th separator line up to the next one or the end of the file.
#include <functional>
#include <string>
#include <vector>

#include "display/wheel/wheel_reports.h"

namespace display {

// The lines of entry n, copied through the scratch file "Appoggio\Mex.txt"
// (created for the request and erased after it). An entry number above the
// number of separators gives no lines. A missing help file raises rt::IoError.
std::vector<std::string> ReadHelpEntry(int n);

// Where help texts are shown: the help memo takes entries 1 to 33, the memo of
// the signature search 34 and above. The chart window hands its own memos; a
// target without them shows nothing.
struct HelpMemoTarget {
    std::function<void()> clearBoth;
    std::function<void(const std::vector<std::string>&)> showInHelpMemo;
    std::function<void(const std::vector<std::string>&)> showInSignatureMemo;
};

// Clears both memos of the target and, for n > 0, shows entry n in the memo of
// its number. A missing or unreadable help file is reported once to the
// target's holder; the memos stay empty.
void ShowHelpMessage(const HelpMemoTarget& target, FileErrorReports& fileErrors, int n);

}  // namespace display
