#include "archive/current_person.h"


#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/record_checks.h"
#include "archive/stored_numbers.h"
#include "engine/chart_computation.h"
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

// A current person not stored yet: empty birth data and a chart of zeros in
// the calendar of the record.
void ClearChart(CurrentChart& current, bool gregorian) {
    auto& b = current.birth;
    b.birthDateText.clear();
    b.timeZoneCorrectionText.clear();
    b.timeZoneText.clear();
    b.julianDayText.clear();
    current.chart = engine::Chart{};
    current.chart.moment.gregorian = gregorian;
    current.chart.settings = current.settings;
}

// The load both loaders share. Returns false for an empty current person.
bool LoadCurrentPerson(CurrentChart& current, bool forShow, CurrentPersonView* view) {
    auto& b = current.birth;
    EnsureCurrentPersonFiles();

    // The current person's entry and data record. A current person the store
    // would not have written is damaged: it is named once and not shown, and
    // no chart is computed from it.
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

    // The birth data from the record.
    b.subjectName = IndexEntryName(entry);
    std::string dateKey;
    engine::DotToCommaStr(r.DateField, dateKey);
    b.birthDateKey = dateKey;
    const bool empty = damaged || IsBlank(b.birthDateKey);
    // Without a readable correction the clock time is taken as Universal Time.
    Real zoneCorrection = 0;
    if (!empty) {
        const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(b.birthDateKey);
        b.birthDateText = key.dateText;
        b.timeZoneCorrectionText = key.zoneText;
        zoneCorrection = key.zoneCorrection.value_or(0);
    }
    b.coordinatesText = rt::Copy(r.PlaceField, 1, 12);
    b.birthPlace = rt::Copy(r.PlaceField, 13, 28);
    engine::TidyNameText(b.birthPlace);
    b.nationality = r.NationalityField;
    bool gregorian = r.CalendarField == "GR";
    b.subjectName = rt::CutTo(b.subjectName, kIndexNameWidth);
    if (damaged) {
        // Nothing of the damaged record is taken for the current person.
        b.subjectName.clear();
        b.birthDateKey.clear();
        b.coordinatesText.clear();
        b.birthPlace.clear();
        b.nationality.clear();
        gregorian = true;
    }
    // The person's chart has the mean houses, which become the house system
    // in force: the settings file is written with it from now on.
    current.settings.houseSystem = {engine::HouseSystem::MeanHouses, std::nullopt};

    // The main window's data memo.
    if (forShow && view) {
        view->Empty = empty;
        view->PersonLines = {};
        view->PersonLines[0] = b.subjectName;
        if (!empty) {
            view->PersonLines[1] = "Nascita " + b.birthDateText + "  Correz. " + b.timeZoneCorrectionText;
            view->PersonLines[2] = "Localit\xE0: " + b.birthPlace;
            view->PersonLines[3] = "Nazionalit\xE0: " + b.nationality;
            view->PersonLines[4] = "Coordinate: " + b.coordinatesText;
            view->PersonLines[5] = gregorian ? "Calendario GREGORIANO" : "Calendario GIULIANO";
        }
    }

    // The annotations of the current person. A hand-off that cannot
    // be read (a folder in its place, no permission) costs only them.
    std::string annotationLine;
    try {
        annotationLine = ReadAnnotationHandOff();
    } catch (const rt::IoError& e) {
        rt::ReportUnusableFileOnce(e, kAnnotationHandOffCost);
    }
    if (view) view->AnnotationText = annotationLine;

    if (empty) {
        ClearChart(current, gregorian);
        return false;
    }

    // The chart of the birth's moment and place, the minor bodies left out of
    // it outside the span of their tables.
    engine::Moment moment = engine::ParseBirthDateTimeText(b.birthDateText);
    moment.zoneCorrection = zoneCorrection;
    moment.gregorian = gregorian;
    moment.julianDay = engine::JulianDayNumber(gregorian ? 1 : 0, moment.day, moment.month, moment.year, moment.hour,
                                               moment.minute) +
                       zoneCorrection / 24;
    const engine::Place place = engine::PlaceOf(engine::ParseLatLongText(b.coordinatesText).fields);
    current.chart = engine::ComputeChart(moment, place, current.settings, engine::MinorBodiesOutOfRange::LeftOut);
    b.timeZoneText = engine::TimeZoneText(zoneCorrection);
    b.julianDayText = "JD=" + GeneralRealText(moment.julianDay).substr(0, 12);
    return true;
}

}  // namespace

CurrentPersonView LoadCurrentPersonForShow(CurrentChart& current) {
    CurrentPersonView view;
    LoadCurrentPerson(current, true, &view);
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
