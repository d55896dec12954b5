#include "display/sheets/sheet_header.h"

#include <string>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/wheel/house_ring.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/planetary_hours.h"

namespace display {

std::string_view SheetCalendarNote(const engine::ChartState& chart) {
    return chart.GregorianCalendar ? "" : " Calend. Giuliano";
}

void SetSheetHeaderDates(engine::ChartState& chart, SheetMemory& memory) {
    int index = 0;
    engine::WeekdayOfJulianDay(chart, index, chart.JulianDay - chart.TimeZoneCorrection / 24);
    memory.Rulers.ChartWeekdayName = chart.WeekdayName;
    memory.CalendarNote = SheetCalendarNote(chart);
}

void DrawSheetHeader(Surface& dc, const SheetContext& context, const SheetHeaderPlaces& h) {
    const engine::BirthDataState& birth = context.birth;
    const engine::ChartState& chart = context.chart;
    SetTextColorByCode(dc, 0);
    TextOutLeft(dc, birth.SubjectName, 4, 15, 15);
    TextOutRight(dc, "GEBOORTE THEMA", 3, h.right, 15);
    TextOutLeft(dc,
                "GEBOORTE " + context.rulers.ChartWeekdayName + " " + birth.BirthDateText + " (GMT" +
                    birth.TimeZoneText + ")" + std::string(context.calendarNote),
                2, 15, 25);
    TextOutLeft(dc, birth.BirthPlace + " - " + birth.Nationality, 2, 15, 30);
    TextOutLeft(dc, birth.CoordinatesText, 2, 15, 35);
    SetTextColorByCode(dc, 4);
    std::string houseLabel(h.houseLabel);
    if (h.houseSystemNamed) houseLabel += HouseSystemCaption(chart);
    TextOutRight(dc, houseLabel, 15, h.right, h.houseY);
    TextOutRight(dc, std::string(h.nodeLabel) + chart.NodeType, 15, h.right, h.nodeY);
    if (dc.Drawing().BlackAndWhite)
        DrawProgramStampPlain(dc, h.stampX, h.stampY);
    else
        DrawProgramStamp(dc, h.stampX, h.stampY);
    TextOutLeft(dc, birth.JulianDayText, 2, 15, 40);
    SetTextColorByCode(dc, 0);
    DrawCaptionPair(dc, h.captionX, h.captionY, context.userFullName);
}

}  // namespace display
