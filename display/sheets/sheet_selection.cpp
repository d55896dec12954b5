#include "display/sheets/sheet_selection.h"

namespace display {

SheetSelectionState Sheets;

void ResetSheetSelection() { Sheets = SheetSelectionState{}; }

}  // namespace display
