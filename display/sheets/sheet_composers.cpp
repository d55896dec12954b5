#include "display/sheets/sheet_composers.h"

#include "display/sheets/sheet_layout.h"

namespace display {

void ComposeThemeSheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetPortrait, dc, current, memory);
}
void ComposeThemeSheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kThemeSheetLandscape, dc, current, memory);
}
void ComposeAffinitySheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetPortrait, dc, current, memory);
}
void ComposeAffinitySheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    ComposeSheet(kAffinitySheetLandscape, dc, current, memory);
}

bool ComposeSheet(int code, Surface& dc, const archive::CurrentChart& current, SheetMemory& memory) {
    const SheetLayout* layout = SheetLayoutOf(code);
    if (!layout) return false;
    DrawSheetLayout(dc, *layout, current, memory);
    return true;
}

}  // namespace display
