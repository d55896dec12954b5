#include "display/chart/masters_view.h"

#include <cmath>

#include "archive/current_chart.h"
#include "display/chart/view_drawing.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/position_files.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/text_file.h"

namespace display {

namespace {

constexpr std::array<const char*, 7> kRulerNames = {"de Zon", "de Maan", "Mercurius", "Venus",
                                                    "Mars",   "Jupiter", "Saturnus"};
constexpr engine::SignTable<int> kSignRulers = {{5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6}};
constexpr int kChaldeanOrder[7] = {1, 4, 3, 2, 7, 6, 5};
constexpr int kFirstHourOffset[7] = {0, 3, 6, 2, 5, 1, 4};

constexpr Color kMastersYellow = 0x00FFFF;
constexpr Color kMastersCyan = 0xFFFF00;

int SignOfLongitude(Real longitude) { return static_cast<int>(rt::Trunc(engine::Mod360(longitude) / 30)) + 1; }

}  // namespace

std::string RulerName(int ruler) {
    return ruler >= 1 && ruler <= 7 ? kRulerNames[static_cast<std::size_t>(ruler - 1)] : "";
}

int SignRuler(int sign) { return sign >= 1 && sign <= 12 ? kSignRulers[engine::SignOfNumber(sign)] : 0; }

int PlanetaryHourRulerOf(int hour, int weekday) {
    if (hour < 1 || hour > 24 || weekday < 0 || weekday > 6) return 0;
    return kChaldeanOrder[(hour - 1 + kFirstHourOffset[weekday]) % 7];
}

int FindPlanetaryHour(const engine::HourBoundaryTable& b, Real sun) {
    for (int h = 1; h <= 24; ++h)
        if (engine::Mod360(b[h] - sun) <= engine::Mod360(b[h] - b[h + 1])) return h;
    return 0;
}

BirthPlanetaryHourState ComputeBirthPlanetaryHour(const engine::Chart& chart, Real longitudeHours) {
    const Real jd = chart.moment.julianDay;
    const Real z = chart.moment.zoneCorrection;
    BirthPlanetaryHourState s;

    // The planetary day by the rule the theme sheets share (from sunrise).
    const engine::PlanetaryDay day = engine::FindPlanetaryDay(chart);
    const Real rise = day.sunriseJulianDay;
    s.sunriseFound = day.sunriseFound;
    s.sunriseJulianDay = rise;
    s.planetaryDayIndex = day.index;
    s.planetaryDayName = engine::kWeekdayNames[static_cast<std::size_t>(day.index)];
    s.sunriseWeekdayName =
        engine::kWeekdayNames[static_cast<std::size_t>(engine::WeekdayOfJulianDay(rise - longitudeHours / 24))];
    s.birthWeekdayName = engine::kWeekdayNames[static_cast<std::size_t>(engine::WeekdayOfJulianDay(jd - z / 24))];

    engine::HouseMoment moment;
    moment.jd = rise - z / 24;
    moment.hour = engine::ClockHour(chart.moment);
    moment.minute = engine::ClockMinute(chart.moment);
    moment.zoneHours = z;
    s.planetaryHourBoundaries = engine::ComputeHourBoundaries(chart.place, moment).table;
    s.planetaryHourNumber = FindPlanetaryHour(s.planetaryHourBoundaries, chart.bodies[engine::Body::Sun].longitude);
    s.planetaryHourRuler = RulerName(PlanetaryHourRulerOf(s.planetaryHourNumber, s.planetaryDayIndex));
    return s;
}

MastersTable EvaluateMastersTable(const BirthPlanetaryHourState& hour, const engine::Chart& chart, Real centreY) {
    MastersTable t;
    std::string riseTime = "--:--";
    if (hour.sunriseFound) {
        // The sunrise is found in universal time; the page shows the birth
        // place's clock time, as the birth time itself is given.
        const std::string text =
            engine::JulianDayToDateTextByCalendar(chart.moment.gregorian,
                                                  hour.sunriseJulianDay - chart.moment.zoneCorrection / 24);
        if (text.size() >= 16) riseTime = text.substr(11, 5);
    }
    const int h = hour.planetaryHourNumber;
    std::string hourText = "-";
    if (h >= 1 && h <= 24) hourText = std::to_string(h > 12 ? h - 12 : h) + (h <= 12 ? " Dag" : " Nacht");
    const std::string ruler = hour.planetaryHourRuler.empty() ? "-" : hour.planetaryHourRuler;
    const Real asc = chart.points.ascendant;
    const Real mc = chart.points.midheaven;

    const struct {
        std::string text;
        Color colour;
        Real step;
    } rows[8] = {
        {"De zon komt op om uur: " + riseTime, kMastersYellow, 8},
        {"Planetaire dag: " + hour.planetaryDayName, kMastersCyan, 4},
        {"Ora Planetaire uur: " + hourText, kMastersCyan, 4},
        {"Geregeerd door " + ruler, kMastersCyan, 6},
        {"Ascendant " + SignAbbreviationOf(asc), kWhite, 4},
        {"Geregeerd door " + RulerName(SignRuler(SignOfLongitude(asc))), kWhite, 6},
        {"Midhemel " + SignAbbreviationOf(mc), kMastersCyan, 4},
        {"Geregeerd door " + RulerName(SignRuler(SignOfLongitude(mc))), kMastersCyan, 0},
    };
    Real y = centreY - 19;
    for (int i = 0; i < 8; ++i) {
        t.lines[i] = {rows[i].text, rows[i].colour, y};
        y += rows[i].step;
    }
    return t;
}

void DrawMastersTable(Surface& dc, const BirthPlanetaryHourState& hour, const engine::Chart& chart) {
    const MastersTable t = EvaluateMastersTable(hour, chart, kChartWindowWheel.centreY);
    for (const MastersLine& l : t.lines) {
        dc.SetTextColor(l.colour);
        TextOutCentered(dc, l.text, 15, kChartWindowWheel.centreX, l.y);
    }
}

int FoldYearIntoCycle(int year) {
    int offset = (year - 1765) % 252;
    if (offset < 0) offset += 252;
    return 1765 + offset;
}

int YearRulerKey(int birthYear, Real sunAtYearEnd, Real sunAtBirth) {
    return FoldYearIntoCycle(sunAtYearEnd < sunAtBirth ? birthYear - 1 : birthYear);
}

YearRulers EvaluateYearRulers(const engine::Chart& chart) {
    const std::string dateText = engine::JulianDayToDateTextByCalendar(chart.moment.gregorian, chart.moment.julianDay);
    int code = 0;
    const int year = dateText.size() >= 10 ? rt::ValInt(dateText.substr(6, 4), code) : 0;
    const Real sunAtBirth = chart.bodies[engine::Body::Sun].longitude;

    // The Sun at the end of the year (the theories' mode 1 computes it alone).
    const Real sunAtYearEnd =
        engine::ComputeBodiesWithRetro(engine::kSun,
                                       engine::JulianDayNumber(chart.moment.gregorian ? 1 : 0, 31, 12, year, 23, 59),
                                       engine::BodySettingsOf(chart.settings, chart.cusps))
            .bodies[engine::Body::Sun]
            .longitude;

    YearRulers r;
    r.key = YearRulerKey(year, sunAtYearEnd, sunAtBirth);
    const std::string key = engine::IntToStrZeroPad(r.key, 4);
    // The table is shipped: one damaged in its form (not text, cut short) is
    // put back from the installation as it is read, and one that cannot be
    // names no ruler; one that lacks the year, or its rulers, is put back too.
    const std::string without = "I reggenti dell'anno e del ciclo non vengono mostrati.";
    const auto lookUp = [&] {
        const std::vector<std::string> lines = rt::ReadShippedTextLines(kYearRulersFile, without);
        std::string line;
        bool found = false;
        for (const std::string& l : lines) {
            line = l;
            if (l.substr(0, 4) == key) {
                found = true;
                break;
            }
        }
        auto ruler = [&](std::size_t at) {
            if (line.size() < at + 2) return 0;
            std::string field = line.substr(at, 2);
            if (field[0] == ' ') field[0] = '0';
            int c = 0;
            const int v = rt::ValInt(field, c);
            return c == 0 && v >= 1 && v <= 7 ? v : 0;
        };
        r.yearRuler = ruler(4);
        r.cycleRuler = ruler(6);
        r.yearText = "Jaar van " + RulerName(r.yearRuler);
        r.cycleText = "In de Cyclus van " + RulerName(r.cycleRuler);
        // The table holds every year of the cycle, each with two rulers.
        r.problem.clear();
        if (lines.empty())
            r.problem = "\xE8 vuoto";
        else if (!found)
            r.problem = "manca la riga dell'anno " + key;
        else if (r.yearRuler == 0 || r.cycleRuler == 0)
            r.problem = "la riga \"" + rt::ShownValue(line) + "\" non nomina i reggenti dell'anno " + key;
        return !lines.empty();
    };
    if (lookUp() && !r.problem.empty()) {
        const rt::ShippedFileRepair repair = rt::RepairShippedFile({kYearRulersFile, r.problem}, without);
        if (repair.restored) {
            rt::ReportDamagedFile(repair.message);
            lookUp();
        }
    }
    return r;
}

void ReportYearRulerProblem(const YearRulers& rulers) {
    if (!rulers.problem.empty())
        rt::ReportDamagedFileOnce(kYearRulersFile,
                                  rt::DamagedFileMessage({kYearRulersFile, rulers.problem},
                                                         "I reggenti mostrati vengono dall'ultima riga della tabella. "
                                                         "Reinstallare il programma, o ripristinare il file da una "
                                                         "copia di sicurezza."));
}

void DrawYearAndCycleRulers(Surface& dc, const engine::Chart& chart) {
    const YearRulers r = EvaluateYearRulers(chart);
    ReportYearRulerProblem(r);
    dc.SetTextColor(kMastersCyan);
    TextOutCentered(dc, r.yearText, 2, kChartWindowWheel.centreX, kChartWindowWheel.centreY);
    TextOutCentered(dc, r.cycleText, 2, kChartWindowWheel.centreX, kChartWindowWheel.centreY + 5);
}

ChartViewShown DrawMastersView(Surface& dc, const ChartViewContext& view) {
    ChartViewShown shown;
    if (view.subView == 0) {
        DrawViewTitles(dc, "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"", 15);
        shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
        DrawMastersTable(dc, view.birthHour, view.Chart());
    }
    if (view.subView == 1) {
        DrawViewTitles(dc, "MAESTRI dell'ANNO e del CICLO", 15);
        shown.dataFields = DrawNatalChartUnderView(dc, view.current, view.framed, view.geometry, view.wheel);
        DrawYearAndCycleRulers(dc, view.Chart());
    }
    return shown;
}

}  // namespace display
