#pragma once
// The four printable sheets of the current person: the birth theme and the
// affinities, each in portrait and in landscape. A composer draws the layout
// of its sheet (sheet_layout.h: its steps, and its blocks at their places,
// scaled by the sheet's zoom) on the surface it is handed: the one the sheet
// viewer's window, the printer or a chart metafile made.
#include <functional>
#include <string>

#include "display/draw/surface.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_terms.h"

namespace archive {
struct CurrentChart;
}

namespace display {

enum SheetCodes : int {
    kThemeSheetPortrait = 5,
    kThemeSheetLandscape = 16,
    kAffinitySheetLandscape = 17,
    kAffinitySheetPortrait = 18,
};

// What the sheets keep from one drawing to the next: their steps write it and
// their blocks read it. Whoever draws the sheets holds it (the sheet viewer).
struct SheetMemory {
    // Where the user's full name printed beside the sheets' caption comes
    // from: the sheet viewer's maker hands it (none: no name).
    std::function<std::string()> userFullName;
    std::string calendarNote;  // " Calend. Giuliano" for a Julian-calendar birth (SetSheetHeaderDates)
    SheetRulerState rulers;
    SheetTermsState terms;
};

// A composer draws the sheet of the person it is handed (their chart, birth
// data and orbs); the sheet's steps write into that chart what they compute.
void ComposeThemeSheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory);
void ComposeThemeSheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory);
void ComposeAffinitySheetPortrait(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory);
void ComposeAffinitySheetLandscape(Surface& dc, const archive::CurrentChart& current, SheetMemory& memory);
// The composer of a sheet code on a surface; false for an unknown code.
bool ComposeSheet(int code, Surface& dc, const archive::CurrentChart& current, SheetMemory& memory);

}  // namespace display
