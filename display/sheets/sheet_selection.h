#pragma once
// Which printable sheet the sheet viewer draws and in which orientation: the
// main window holds it and sets it by its sheet buttons (and SheetCode 0 before
// the screen calibration, whose test figure is drawn only then); the sheet
// viewer and the calibration window read it.
#include <string>

namespace display {

struct SheetSelectionState {
    int sheetCode = 0;             // 5, 16, 17, 18 for the sheets, 0 for the calibration
    std::string sheetOrientation;  // "L" landscape or "P" portrait
};

}  // namespace display
