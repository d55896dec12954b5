#include "archive/current_person.h"

#include <cmath>

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/record_checks.h"
#include "archive/stored_numbers.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"
#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

namespace archive {

namespace {

using engine::Real;

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// A current person not stored yet: empty birth data and a chart of zeros.
void ClearChart(CurrentChart& current) {
    auto& c = current.chart;
    auto& b = current.birth;
    b.BirthDateText.clear();
    b.TimeZoneCorrectionText.clear();
    b.TimeZoneText.clear();
    b.JulianDayText.clear();
    c.TimeZoneCorrection = 0;
    c.JulianDay = 0;
    c.BirthYear = c.BirthMonth = c.BirthDay = c.BirthHourValue = c.BirthMinuteValue = 0;
    c.BirthHour[1] = c.BirthMinute[1] = 0;
    c.LatitudeDegrees[1] = c.LatitudeMinutes[1] = c.LongitudeDegrees[1] = c.LongitudeMinutes[1] = 0;
    c.LatitudeLetter[1].clear();
    c.LongitudeLetter[1].clear();
    c.HouseCalcMode = 1;
    c.HouseSystemName = "CASE_MEDIE";
    for (int i = 1; i <= 22; ++i) {
        c.PlanetLongitudes[i] = 0;
        c.PlanetLatitudes[i] = 0;
        c.RetroMarks[i] = " ";
    }
    for (int i = 1; i <= 12; ++i) c.HouseCusps[i] = 0;
    c.MidheavenRad = 0;
    c.AscendantRad = 0;
    engine::HousesOfPoints(22, c.PlanetLongitudes, c.HouseCusps, c.BodyHouses);
    engine::SignsOfPositions(22, c.PlanetLongitudes, c.PlanetSigns);
    engine::SignsOfCusps(12, c.HouseCusps, c.HouseCuspSigns);
}

// The load both loaders share. Returns false for an empty current person.
bool LoadCurrentPerson(CurrentChart& current, bool forShow, CurrentPersonView* view) {
    auto& c = current.chart;
    auto& b = current.birth;
    EnsureCurrentPersonFiles();
    if (c.DegToRad == 0) c.DegToRad = engine::kPi / 180;

    // Step 1: the current person's entry and data record. A current person
    // the store would not have written is damaged: it is named once and not
    // shown, and no chart is computed from it.
    b.ChartKind = 1;
    const std::string notShown = " La persona corrente non viene mostrata: richiamarla dal suo archivio.";
    bool damaged = false;
    std::string entry;
    BirthRecord r;
    try {
        rt::RecordFile index(ArchiveFileName(kCurrentPersonArchive, ".ST1"), kIndexRecordSize);
        index.Reset();
        entry = DecodeIndexEntry(index.Read(0));
        index.Close();
        rt::RecordFile data(ArchiveFileName(kCurrentPersonArchive, ".ST2"), kBirthRecordSize);
        data.Reset();
        r = DecodeBirthRecord(data.Read(0));
        data.Close();
    } catch (const rt::IoError& e) {
        damaged = true;
        if (e.Code() == rt::kReadBeyondEnd) {
            // Shorter than its one record: cut.
            rt::ReportDamagedFileOnce(e.File(), rt::DamagedFileMessage(e.File(), "\xE8 pi\xF9 corto della sua scheda",
                                                                       notShown.substr(1)));
        } else {
            // One that cannot be read (a folder in its place, no permission):
            // no one is shown; a folder also stops every recall and store,
            // which write the current person there.
            rt::ReportUnusableFileOnce(
                e, rt::IoError::IsFolderInPlace(e.Code(), e.File())
                       ? "La persona corrente non viene mostrata, e nessuna persona si pu\xF2 richiamare o registrare "
                         "finch\xE9 la cartella resta al suo posto."
                       : "La persona corrente non viene mostrata.");
        }
        entry.clear();
        r = BirthRecord{};
    }
    if (!damaged && !IsBlank(r.DateField)) {
        const StoredPersonFault fault =
            FindStoredPersonFault(IndexEntryName(entry), r, std::nullopt);
        if (!fault.problem.empty()) {
            damaged = true;
            rt::ReportDamagedFileOnce(ArchiveFileName(kCurrentPersonArchive, fault.extension),
                                      DamagedPersonMessage(kCurrentPersonArchive, fault.extension,
                                                           IndexEntryName(entry), 0,
                                                           fault.problem) +
                                          notShown);
        } else {
            CheckBirthRecordNumbers(r, ArchiveFileName(kCurrentPersonArchive, ".ST2"));
        }
    }

    // Step 2: the birth data from the record.
    b.SubjectName = IndexEntryName(entry);
    std::string dateKey;
    engine::DotToCommaStr(r.DateField, dateKey);
    b.BirthDateKey = dateKey;
    const bool empty = damaged || IsBlank(b.BirthDateKey);
    if (!empty && !engine::SortKeyToDateTimeText(c, b.BirthDateKey, b.BirthDateText,
                                                 b.TimeZoneCorrectionText))
        c.TimeZoneCorrection = 0;  // no readable correction: clock time taken as UT
    b.CoordinatesText = rt::Copy(r.PlaceField, 1, 12);
    b.BirthPlace = rt::Copy(r.PlaceField, 13, 28);
    engine::TidyNameText(b.BirthPlace);
    b.Nationality = r.NationalityField;
    c.GregorianCalendar = r.CalendarField == "GR";
    b.SubjectName = rt::CutTo(b.SubjectName, kIndexNameWidth);
    if (damaged) {
        // Nothing of the damaged record is taken for the current person.
        b.SubjectName.clear();
        b.BirthDateKey.clear();
        b.CoordinatesText.clear();
        b.BirthPlace.clear();
        b.Nationality.clear();
        c.GregorianCalendar = true;
    }

    // Step 3: the main window's data memo.
    if (forShow && view) {
        view->Empty = empty;
        view->PersonLines = {};
        view->PersonLines[0] = b.SubjectName;
        if (!empty) {
            view->PersonLines[1] = "Nascita " + b.BirthDateText + "  Correz. " + b.TimeZoneCorrectionText;
            view->PersonLines[2] = "Localit\xE0: " + b.BirthPlace;
            view->PersonLines[3] = "Nazionalit\xE0: " + b.Nationality;
            view->PersonLines[4] = "Coordinate: " + b.CoordinatesText;
            view->PersonLines[5] =
                c.GregorianCalendar ? "Calendario GREGORIANO" : "Calendario GIULIANO";
        }
    }

    // Step 4: the annotations of the current person. A hand-off that cannot
    // be read (a folder in its place, no permission) costs only them.
    std::string annotationLine;
    try {
        annotationLine = ReadAnnotationHandOff();
    } catch (const rt::IoError& e) {
        rt::ReportUnusableFileOnce(e, kAnnotationHandOffCost);
    }
    if (view) view->AnnotationText = annotationLine;

    if (empty) {
        ClearChart(current);
        return false;
    }

    // Steps 5 and 6: the moment and the place.
    engine::ParseBirthDateTimeText(c, b);
    c.JulianDay = engine::JulianDayNumber(c, c.GregorianCalendar ? 1 : 0, c.BirthDay, c.BirthMonth,
                                          c.BirthYear, c.BirthHourValue, c.BirthMinuteValue) +
                  c.TimeZoneCorrection / 24;
    engine::ParseLatLongText(c, b.CoordinatesText, c.LongitudeDegrees[1], c.LongitudeMinutes[1],
                             c.LongitudeLetter[1], c.LatitudeDegrees[1], c.LatitudeMinutes[1],
                             c.LatitudeLetter[1]);
    c.HouseCalcMode = 1;
    c.BirthMinute[1] = static_cast<int>(rt::Round(c.BirthMinuteValue));
    c.BirthHour[1] = static_cast<int>(rt::Round(c.BirthHourValue));

    // Step 7: houses.
    if (!forShow) {
        c.HouseSystemName = "PLACIDO";
        engine::ComputeChartHouses(c);
    }
    c.HouseSystemName = "CASE_MEDIE";
    engine::ComputeChartHouses(c);

    // Steps 8 and 9: bodies and retrograde marks, already for the entries as
    // step 12 arranges them (both nodes carry the lunar node's mark).
    engine::ComputeBodiesWithRetro(c, 0, c.JulianDay);
    engine::SetLoadedChartRetroMarks(c.PlanetLongitudes, c.RetroMarks);
    for (int i = 1; i <= 22; ++i) c.PlanetLongitudes[i] = std::fabs(c.PlanetLongitudes[i]);

    // Step 10: clean-up, houses and signs, texts.
    engine::ClearOutOfRangeBodies(c, c.JulianDay);
    engine::HousesOfPoints(22, c.PlanetLongitudes, c.HouseCusps, c.BodyHouses);
    engine::SignsOfPositions(22, c.PlanetLongitudes, c.PlanetSigns);
    engine::SignsOfCusps(12, c.HouseCusps, c.HouseCuspSigns);
    engine::FormatTimeZoneText(c, b);
    b.JulianDayText = "JD=" + GeneralRealText(c.JulianDay).substr(0, 12);

    // Steps 11 and 12: absolute values; entries 8..11 become north node, south
    // node, Ascendant and Midheaven.
    for (int i = 1; i <= 22; ++i) c.PlanetLongitudes[i] = std::fabs(c.PlanetLongitudes[i]);
    c.PlanetLongitudes[8] = c.PlanetLongitudes[11];
    c.PlanetLongitudes[9] = engine::Mod360(c.PlanetLongitudes[8] + 180);
    c.PlanetLongitudes[10] = c.HouseCusps[1];
    c.PlanetLongitudes[11] = c.MidheavenRad / c.DegToRad;
    for (int i = 8; i <= 11; ++i) c.PlanetLatitudes[i] = 0;
    return true;
}

}  // namespace

CurrentPersonView LoadCurrentPersonForShow(CurrentChart& current) {
    CurrentPersonView view;
    LoadCurrentPerson(current, true, &view);
    // Step 13: the person's text file named by "FileDum\StrText.dum". A
    // damaged hand-off, or one that cannot be read (a folder in its place, no
    // permission), is named once and names no text.
    std::string noButtonUntilRecalled = kTextHandOffCost;
    noButtonUntilRecalled.append(" Richiamando la persona dal suo archivio il file viene scritto di nuovo.");
    std::string bytes;
    bool readable = false;
    if (rt::PathExists(kTextHandOff)) {
        try {
            bytes = rt::ReadFileBytes(kTextHandOff);
            readable = true;
        } catch (const rt::IoError& e) {
            rt::ReportUnusableFileOnce(e, kTextHandOffCost);
        }
    }
    if (readable) {
        const std::string problem = TextHandOffProblem(bytes);
        if (!problem.empty())
            rt::ReportDamagedFileOnce(
                kTextHandOff, rt::DamagedFileMessage(kTextHandOff, problem,
                                                     noButtonUntilRecalled));
        const auto lines = problem.empty() ? rt::SplitTextLines(bytes) : std::vector<std::string>{};
        if (lines.size() >= 2 && !IsBlank(lines[0]) && !IsBlank(lines[1])) {
            view.TextFileName = PersonTextFileName(lines[0], lines[1]);
            view.TextFileExists = rt::PathExists(view.TextFileName);
        }
    }
    return view;
}

void ReloadCurrentChart(CurrentChart& current) { LoadCurrentPerson(current, false, nullptr); }

}  // namespace archive
