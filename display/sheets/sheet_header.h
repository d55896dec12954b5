#pragma once
// The header of every sheet: the person's name and the sheet's title, the
// birth's weekday, date, zone and calendar, place, coordinates and Julian day,
// the house system and the node type, the program stamp and the caption pair.
#include <string_view>

#include "display/draw/surface.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_composers.h"

namespace display {

using engine::Real;

// Where a sheet puts the parts of its header that are not at the top left.
struct SheetHeaderPlaces {
    Real right = 0;               // right end of the title and of the two labels
    std::string_view houseLabel;  // followed by the chart's house system when houseSystemNamed
    bool houseSystemNamed = false;
    Real houseY = 0;
    std::string_view nodeLabel;  // always followed by the chart's node type
    Real nodeY = 0;
    Real stampX = 0, stampY = 0;      // the program stamp
    Real captionX = 0, captionY = 0;  // the caption pair
};

// The calendar note of a birth: " Calend. Giuliano" for the Julian calendar.
std::string_view SheetCalendarNote(const engine::Chart& chart);

// The step every sheet begins with: the weekday of the birth by local clock
// time (memory.Rulers.ChartWeekdayName) and the calendar note
// (memory.CalendarNote) the header shows.
void SetSheetHeaderDates(const engine::Chart& chart, SheetMemory& memory);

void DrawSheetHeader(Surface& dc, const SheetContext& context, const SheetHeaderPlaces& places);

}  // namespace display
