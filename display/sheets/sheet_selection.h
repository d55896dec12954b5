#pragma once
// Which printable sheet the sheet viewer draws and in which orientation: set by
// the main window's sheet buttons (and SheetCode 0 before the screen
// calibration, whose test figure is drawn only then).
#include <string>

namespace display {

struct SheetSelectionState {
    int SheetCode = 0;             // 5, 16, 17, 18 for the sheets, 0 for the calibration
    std::string SheetOrientation;  // "L" landscape or "P" portrait
};
extern SheetSelectionState Sheets;

void ResetSheetSelection();

}  // namespace display
