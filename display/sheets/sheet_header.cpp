#include "display/sheets/sheet_header.h"

#include <string>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/engine_settings.h"
#include "engine/planetary_hours.h"

namespace display {

std::string_view SheetCalendarNote(const engine::Chart& chart) {
    return chart.moment.gregorian ? "" : " Calend. Giuliano";
}

void SetSheetHeaderDates(const engine::Chart& chart, SheetMemory& memory) {
    memory.rulers.chartWeekdayName = engine::kWeekdayNames[static_cast<std::size_t>(
        engine::WeekdayOfJulianDay(chart.moment.julianDay - chart.moment.zoneCorrection / 24))];
    memory.calendarNote = SheetCalendarNote(chart);
}

void DrawSheetHeader(Surface& dc, const SheetContext& context, const SheetHeaderPlaces& h) {
    const engine::BirthData& birth = context.birth;
    const engine::Chart& chart = context.chart;
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, birth.subjectName, 4, 15, 15);
    TextOutRight(dc, "GEBOORTE THEMA", 3, h.right, 15);
    TextOutLeft(dc,
                "GEBOORTE " + context.rulers.chartWeekdayName + " " + birth.birthDateText + " (GMT" +
                    birth.timeZoneText + ")" + std::string(context.calendarNote),
                2, 15, 25);
    TextOutLeft(dc, birth.birthPlace + " - " + birth.nationality, 2, 15, 30);
    TextOutLeft(dc, birth.coordinatesText, 2, 15, 35);
    SetTextColorByCode(dc, 4);
    std::string houseLabel(h.houseLabel);
    if (h.houseSystemNamed) houseLabel += HouseSystemCaption(chart);
    TextOutRight(dc, houseLabel, 15, h.right, h.houseY);
    TextOutRight(dc, std::string(h.nodeLabel) + engine::NodeKindText(chart.settings.node), 15, h.right, h.nodeY);
    if (dc.Drawing().blackAndWhite)
        DrawProgramStampPlain(dc, h.stampX, h.stampY);
    else
        DrawProgramStamp(dc, h.stampX, h.stampY);
    TextOutLeft(dc, birth.julianDayText, 2, 15, 40);
    SetTextColorByCode(dc, 0);
    DrawCaptionPair(dc, h.captionX, h.captionY, context.userFullName);
}

}  // namespace display
