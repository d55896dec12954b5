#include "archive/current_person.h"

#include <array>

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/record_checks.h"
#include "archive/stored_numbers.h"
#include "engine/calendar.h"
#include "engine/chart_computation.h"
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

// The current person's index entry and data record as the store wrote them.
// A current person the store would not have written is damaged: it is named
// once and not shown, and nothing of it is taken.
struct StoredPerson {
    std::string entry{};
    BirthRecord record{};
    bool damaged = false;
};

StoredPerson ReadStoredPerson() {
    const std::string notShown = " La persona corrente non viene mostrata: richiamarla dal suo archivio.";
    StoredPerson stored;
    try {
        rt::RecordFile index(ArchiveFileName(kCurrentPersonArchive, ".ST1"), kIndexRecordSize);
        index.Reset();
        stored.entry = DecodeIndexEntry(index.Read(0));
        index.Close();
        rt::RecordFile data(ArchiveFileName(kCurrentPersonArchive, ".ST2"), kBirthRecordSize);
        data.Reset();
        stored.record = DecodeBirthRecord(data.Read(0));
        data.Close();
    } catch (const rt::IoError& e) {
        if (e.Code() == rt::kReadBeyondEnd) {
            // Shorter than its one record: cut.
            rt::ReportDamagedFileOnce(e.File(), rt::DamagedFileMessage({e.File(), "\xE8 pi\xF9 corto della sua scheda"},
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
        return {.damaged = true};
    }
    if (!IsBlank(stored.record.dateField)) {
        const StoredPersonFault fault =
            FindStoredPersonFault(IndexEntryName(stored.entry), stored.record, std::nullopt);
        if (!fault.problem.empty()) {
            stored.damaged = true;
            rt::ReportDamagedFileOnce(ArchiveFileName(kCurrentPersonArchive, fault.extension),
                                      DamagedPersonMessage(kCurrentPersonArchive, IndexEntryName(stored.entry), 0,
                                                           fault) +
                                          notShown);
        } else {
            CheckBirthRecordNumbers(stored.record, ArchiveFileName(kCurrentPersonArchive, ".ST2"));
        }
    }
    return stored;
}

// What the chart of the stored person is computed from besides its birth data.
struct BirthReading {
    bool empty = true;  // no person stored yet, or a damaged one: no chart
    bool gregorian = true;
    // Without a readable correction the clock time is taken as Universal Time.
    Real zoneCorrection = 0;
};

// Takes the birth data of the stored person into `birth` (all but the texts
// the entry dialog keeps there). Nothing of a damaged record is taken.
BirthReading TakeBirthData(const StoredPerson& stored, engine::BirthData& birth) {
    const BirthRecord& r = stored.record;
    BirthReading reading;
    std::string dateKey;
    if (!stored.damaged) engine::DotToCommaStr(r.dateField, dateKey);
    birth.birthDateKey = dateKey;
    reading.empty = stored.damaged || IsBlank(birth.birthDateKey);
    if (reading.empty) {
        birth.birthDateText.clear();
        birth.timeZoneCorrectionText.clear();
        birth.timeZoneText.clear();
        birth.julianDayText.clear();
    } else {
        const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(birth.birthDateKey);
        birth.birthDateText = key.dateText;
        birth.timeZoneCorrectionText = key.zoneText;
        reading.zoneCorrection = key.zoneCorrection.value_or(0);
    }
    if (stored.damaged) {
        birth.subjectName.clear();
        birth.coordinatesText.clear();
        birth.birthPlace.clear();
        birth.nationality.clear();
        reading.gregorian = true;
        return reading;
    }
    birth.coordinatesText = rt::Copy(r.placeField, 1, 12);
    birth.birthPlace = rt::Copy(r.placeField, 13, 28);
    engine::TidyNameText(birth.birthPlace);
    birth.nationality = r.nationalityField;
    reading.gregorian = r.calendarField == "GR";
    birth.subjectName = rt::CutTo(IndexEntryName(stored.entry), kIndexNameWidth);
    return reading;
}

// The lines of the main window's data memo.
std::array<std::string, 7> PersonLines(const engine::BirthData& birth, const BirthReading& reading) {
    std::array<std::string, 7> lines{};
    lines[0] = birth.subjectName;
    if (reading.empty) return lines;
    lines[1] = "Nascita " + birth.birthDateText + "  Correz. " + birth.timeZoneCorrectionText;
    lines[2] = "Localit\xE0: " + birth.birthPlace;
    lines[3] = "Nazionalit\xE0: " + birth.nationality;
    lines[4] = "Coordinate: " + birth.coordinatesText;
    lines[5] = reading.gregorian ? "Calendario GREGORIANO" : "Calendario GIULIANO";
    return lines;
}

// The chart of the birth's moment and place, the minor bodies left out of it
// outside the span of their tables.
engine::Chart ChartOfBirth(const engine::BirthData& birth, const BirthReading& reading,
                           const engine::ChartSettings& settings) {
    engine::Moment moment = engine::ParseBirthDateTimeText(birth.birthDateText);
    moment.zoneCorrection = reading.zoneCorrection;
    moment.gregorian = reading.gregorian;
    moment.julianDay = engine::JulianDayNumber(reading.gregorian ? 1 : 0, moment.day, moment.month, moment.year,
                                               moment.hour, moment.minute) +
                       reading.zoneCorrection / 24;
    const engine::Place place = engine::PlaceOf(engine::ParseLatLongText(birth.coordinatesText).fields);
    return engine::ComputeChart(moment, place, settings, engine::MinorBodiesOutOfRange::LeftOut);
}

// The load of the person and the chart, and the data memo's lines and the
// annotation line into `view`. Returns false for an empty current person.
bool LoadCurrentPerson(CurrentChart& current, CurrentPersonView& view) {
    EnsureCurrentPersonFiles();
    const BirthReading reading = TakeBirthData(ReadStoredPerson(), current.birth);
    // The person's chart has the mean houses, which become the house system
    // in force: the settings file is written with it from now on.
    current.settings.houseSystem = {engine::HouseSystem::MeanHouses, std::nullopt};
    view.empty = reading.empty;
    view.personLines = PersonLines(current.birth, reading);

    // The annotations of the current person. A hand-off that cannot be read
    // (a folder in its place, no permission) costs only them.
    std::string annotationLine;
    try {
        annotationLine = ReadAnnotationHandOff();
    } catch (const rt::IoError& e) {
        rt::ReportUnusableFileOnce(e, kAnnotationHandOffCost);
    }
    view.annotationText = annotationLine;

    if (reading.empty) {
        // A chart of zeros in the calendar of the record.
        current.chart = engine::Chart{};
        current.chart.moment.gregorian = reading.gregorian;
        current.chart.settings = current.settings;
        return false;
    }
    current.chart = ChartOfBirth(current.birth, reading, current.settings);
    current.birth.timeZoneText = engine::TimeZoneText(reading.zoneCorrection);
    current.birth.julianDayText = "JD=" + GeneralRealText(current.chart.moment.julianDay).substr(0, 12);
    return true;
}

}  // namespace

CurrentPersonView LoadCurrentPersonForShow(CurrentChart& current) {
    CurrentPersonView view;
    LoadCurrentPerson(current, view);
    // The person's text file named by "FileDum\StrText.dum". A
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
            rt::ReportDamagedFileOnce(kTextHandOff,
                                      rt::DamagedFileMessage({kTextHandOff, problem}, noButtonUntilRecalled));
        const auto lines = problem.empty() ? rt::SplitTextLines(bytes) : std::vector<std::string>{};
        if (lines.size() >= 2 && !IsBlank(lines[0]) && !IsBlank(lines[1])) {
            view.textFileName = PersonTextFileName(lines[0], lines[1]);
            view.textFileExists = rt::PathExists(view.textFileName);
        }
    }
    return view;
}

}  // namespace archive
