#include "archive/record_checks.h"

#include <cmath>

#include "archive/archive_files.h"
#include "engine/calendar.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_text.h"

namespace archive {
namespace {

// The number of `len` digits at 0-based `start`, or nothing.
std::optional<int> DigitsAt(std::string_view t, std::size_t start, std::size_t len) {
    if (t.size() < start + len) return std::nullopt;
    int v = 0;
    for (std::size_t i = start; i < start + len; ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

}  // namespace

std::string BirthDateProblem(CalendarDate date, std::string_view calendar) {
    const auto [day, month, year] = date;
    const std::string wrong = "Data Nascita Scorretta o Incompleta";
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0 || year > 2080) return wrong;
    if (calendar == "GR" || calendar == "GI") {
        if (day > engine::DaysInMonth(month, year, calendar == "GR")) return wrong;
    } else if (!engine::DayExistsInForce({day, month, year})) {
        return wrong;
    }
    return {};
}

std::string BirthTimeProblem(int hour, int minute) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return "Ora Nascita Scorretta o Incompleta";
    return {};
}

std::string CoordinatesProblem(std::string_view t) {
    const auto latDeg = DigitsAt(t, 0, 2), latMin = DigitsAt(t, 3, 2);
    const auto lonDeg = DigitsAt(t, 6, 3), lonMin = DigitsAt(t, 10, 2);
    const bool letters = t.size() >= 10 && (t[2] == 'N' || t[2] == 'S') && (t[9] == 'E' || t[9] == 'W');
    if (!letters || !latDeg || !latMin || !lonDeg || !lonMin || *latDeg > 89 || *latMin > 60 || *lonDeg > 179 ||
        *lonMin > 60)
        return "Coordinate Scorrette o Incomplete";
    return {};
}

std::string CorrectionProblem(long double correction) {
    if (!std::isfinite(correction) || correction < -24 || correction > 24)
        return "\"Corr\" riporta un valore impossibile";
    return {};
}

std::string TextProblem(std::string_view text, std::string_view what) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return std::string(what) + " contiene un carattere di controllo";
    return {};
}

std::string ForeignTextProblem(std::string_view foreign, std::string_view what) {
    if (foreign.empty()) return {};
    return std::string(what) + " contiene caratteri che l'archivio non pu\xF2 registrare (" + std::string(foreign) +
           "): toglierli o scriverli con altre lettere";
}

std::string StoredPersonProblem(std::string_view name, const BirthRecord& record,
                                const std::optional<AnnotationRecord>& annotation) {
    return FindStoredPersonFault(name, record, annotation).problem;
}

namespace {

// The data record's problem, or an empty text.
std::string BirthRecordProblem(const BirthRecord& r) {
    std::string p;
    const std::string& d = r.dateField;
    const auto year = DigitsAt(d, 0, 4), month = DigitsAt(d, 4, 2), day = DigitsAt(d, 6, 2);
    const auto hour = DigitsAt(d, 8, 2), minute = DigitsAt(d, 10, 2);
    if (!year || !month || !day) return "Data Nascita Scorretta o Incompleta";
    if (!hour || !minute) return "Ora Nascita Scorretta o Incompleta";
    if (!(p = BirthDateProblem({*day, *month, *year}, r.calendarField)).empty()) return p;
    if (!(p = BirthTimeProblem(*hour, *minute)).empty()) return p;
    // The correction as the loaders read it: a point or a comma, blanks after it.
    std::string correction = d.substr(12);
    while (!correction.empty() && correction.back() == ' ') correction.pop_back();
    for (char& c : correction)
        if (c == ',') c = '.';
    int code = 0;
    const long double value = rt::ValReal(correction, code);
    if (correction.empty() || code != 0) return "Errore alla voce \"Corr\" (Correzione Totale)";
    if (!(p = CorrectionProblem(value)).empty()) return p;
    if (!(p = CoordinatesProblem(r.placeField)).empty()) return p;
    if (!(p = TextProblem(r.placeField, "Il luogo")).empty()) return p;
    if (r.calendarField != "GR" && r.calendarField != "GI") return "Errore definizione Calendario";
    if (!(p = TextProblem(r.nationalityField, "La nazione")).empty()) return p;
    return {};
}

}  // namespace

StoredPersonFault FindStoredPersonFault(std::string_view name, const BirthRecord& record,
                                        const std::optional<AnnotationRecord>& annotation) {
    std::string p = TextProblem(name, "Il nome");
    if (!p.empty()) return {p, ".ST1"};
    if (!(p = BirthRecordProblem(record)).empty()) return {p, ".ST2"};
    if (annotation)
        for (const std::string& line : annotation->lines)
            if (!(p = TextProblem(line, "Un'annotazione")).empty()) return {p, ".ST3"};
    return {};
}

std::string DamagedPersonMessage(std::string_view archive, std::string_view name, int recordNumber,
                                 const StoredPersonFault& fault) {
    const std::string_view extension = fault.extension;
    // The name is quoted only from a sound entry: a damaged one holds bytes
    // that are no name, and the file and the record name the person.
    std::string m = "La scheda";
    if (extension != ".ST1") {
        std::string shown(name);
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
        m += " di \"" + rt::ShownValue(shown, kIndexNameWidth) + "\"";
    }
    m += " nell'archivio \"" + std::string(archive) + "\" (file \"" + ArchiveFileName(archive, extension) + "\"";
    if (recordNumber > 0) {
        const std::string number = rt::ZeroPad(recordNumber, 5);
        if (extension == ".ST1")
            m += ", la voce della scheda " + number;
        else if (extension == ".ST3")
            m += ", le annotazioni della scheda " + number;
        else
            m += ", scheda " + number;
    }
    std::string what(fault.problem);
    if (!what.empty() && what.back() == '.') what.pop_back();
    return m + ") \xE8 danneggiata: " + what + ".";
}

}  // namespace archive
