#include "archive/calendars.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/real_formats.h"
#include "platform/runtime/text_file.h"

namespace archive {

namespace {

constexpr std::uint8_t kOffsetBytes[10] = {0xDD, 0x63, 0x30, 0xCC, 0x78, 0x60, 0xA5, 0xA9, 0x05, 0x40};

constexpr std::size_t kDateOffset = 0;
constexpr std::size_t kCodeOffset = 10;
constexpr std::size_t kCodeCapacity = 4;
constexpr std::size_t kCorrectionOffset = 16;

constexpr const char* kIndexFile = "Calendar\\Elencal.002";
constexpr const char* kDatabaseFile = "Calendar\\Database.cll";
constexpr const char* kFixedZoneCalendar = "00920000.CAL";

// Julian day of the start of the Gregorian calendar and the mark of a
// calendar whose switch follows the settings.
constexpr long double kGregorianStart = 2299160.5L;
constexpr long double kGregorianStartNoon = 2299161.0L;
constexpr std::int64_t kUndatedSwitchMark = 1721423;

// The widest values a calendar record holds: a stored date (or, for a chain
// record, the number of the next file, eight digits) and a correction in hours.
constexpr long double kMaxCalendarDate = 1e8L;
constexpr long double kMaxCorrectionHours = 24;

// A chain never legitimately passes through more files than this.
constexpr int kMaxChainedFiles = 1000;

std::string TrimSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

// The text of a correction as the walk shows it: "+" before a positive value,
// the value's text for a negative one, "0" for zero.
std::string SignedCorrectionText(double c) {
    if (c > 0) return "+" + GeneralRealText(c);
    if (c < 0) return GeneralRealText(c);
    return "0";
}

}  // namespace

long double CalendarDateOffset() {
    static const long double kValue = rt::ExtendedFromBytes(kOffsetBytes);
    return kValue;
}

rt::Bytes EncodeZoneCalendarRecord(const ZoneCalendarRecord& record) {
    rt::Bytes r(kZoneCalendarRecordSize, 0);
    rt::ExtendedToBytes(record.storedDate, r.data() + kDateOffset);
    rt::WriteFixedString(r.data() + kCodeOffset, kCodeCapacity, record.code);
    std::memcpy(r.data() + kCorrectionOffset, &record.correction, sizeof(double));
    return r;
}

ZoneCalendarRecord DecodeZoneCalendarRecord(const rt::Bytes& record) {
    rt::Bytes r = record;
    r.resize(kZoneCalendarRecordSize, 0);
    ZoneCalendarRecord z;
    z.storedDate = rt::ExtendedFromBytes(r.data() + kDateOffset);
    z.code = rt::ReadFixedString(r.data() + kCodeOffset, kCodeCapacity);
    std::memcpy(&z.correction, r.data() + kCorrectionOffset, sizeof(double));
    return z;
}

std::vector<ZoneCalendarRecord> LoadZoneCalendar(PlaceTableKind table, const std::string& name) {
    std::string source;
    std::int64_t start = 0;
    if (table == PlaceTableKind::Foreign) {
        bool found = false;
        for (const std::string& line : rt::ReadTextLines(kIndexFile)) {
            if (line.substr(0, 12) != name) continue;
            int code = 0;
            std::int32_t n = rt::ValInt(TrimSpaces(line.size() > 14 ? line.substr(14, 6) : std::string()), code);
            if (code != 0 || n < 0)
                throw CalendarError("CALENDARIO NON VALIDO IN ELENCO: " + name + ": la sua riga di \"" + kIndexFile +
                                        "\" non indica una scheda (file danneggiato o incompleto)",
                                    {kIndexFile, "la riga del calendario " + name + " non indica una scheda"});
            start = n;
            found = true;
            break;
        }
        if (!found)
            throw CalendarError("CALENDARIO NON TROVATO: " + name + " manca nell'elenco \"" + kIndexFile +
                                    "\" (file danneggiato o incompleto)",
                                {kIndexFile, "manca la riga del calendario " + name});
        source = kDatabaseFile;
    } else {
        source = std::string("Calendar\\") + name;
    }

    // Read only: the calendars are never written.
    const std::string bytes = rt::ReadFileBytes(source);
    if (const std::string damage = CalendarFileDamage(bytes); !damage.empty())
        throw CalendarError("CALENDARIO DANNEGGIATO: " + name + " (\"" + source + "\": " + damage + ")",
                            {source, damage});
    const std::size_t size = bytes.size() / kZoneCalendarRecordSize;
    std::vector<ZoneCalendarRecord> records;
    if (table == PlaceTableKind::Foreign && static_cast<std::size_t>(start) + 2 > size) {
        // A database whose last calendar is not closed was cut short; else
        // the index points past its end.
        const char* last = size > 0 ? bytes.data() + (size - 1) * kZoneCalendarRecordSize : nullptr;
        const bool cut =
            !last || DecodeZoneCalendarRecord(rt::Bytes(last, last + kZoneCalendarRecordSize)).code != kEndCode;
        throw CalendarError("CALENDARIO VUOTO: " + name + ": l'elenco \"" + kIndexFile + "\" lo pone alla scheda " +
                                std::to_string(start) + ", ma \"" + kDatabaseFile + "\" ne ha " + std::to_string(size) +
                                " (file danneggiato o incompleto)",
                            {cut ? kDatabaseFile : kIndexFile,
                             cut ? "ha solo " + std::to_string(size) + " schede: il file \xE8 stato troncato"
                                 : "pone il calendario " + name + " alla scheda " + std::to_string(start) +
                                       ", oltre la fine di \"" + kDatabaseFile + "\""});
    }
    bool closed = false;
    for (std::size_t i = static_cast<std::size_t>(start); i < size; ++i) {
        const char* p = bytes.data() + i * kZoneCalendarRecordSize;
        ZoneCalendarRecord z = DecodeZoneCalendarRecord(rt::Bytes(p, p + kZoneCalendarRecordSize));
        if (z.code == kEndCode) {
            closed = true;
            break;
        }
        // Dates (or the chained file's number) and corrections a calendar can hold.
        rt::CheckFileNumber(z.storedDate, {-kMaxCalendarDate, kMaxCalendarDate}, source, "data");
        rt::CheckFileNumber(z.correction, {-kMaxCorrectionHours, kMaxCorrectionHours}, source, "correzione");
        records.push_back(z);
    }
    // Every calendar ends with its "****" record: one without it was cut.
    if (!closed && !records.empty()) {
        const std::string damage =
            "il calendario " + name + " non ha la sua scheda di chiusura: il file \xE8 stato troncato";
        throw CalendarError("CALENDARIO DANNEGGIATO: " + name + " (\"" + source + "\": " + damage + ")",
                            {source, damage});
    }
    return records;
}

std::string CalendarSourceFile(PlaceTableKind table, const std::string& name) {
    return table == PlaceTableKind::Foreign ? std::string(kDatabaseFile) : "Calendar\\" + name;
}

std::string ChainedCalendarName(const ZoneCalendarRecord& record) {
    std::int64_t n = rt::Round(record.storedDate);
    std::string digits = std::to_string(n);
    if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
    return digits + ".CAL";
}

bool ParseCorrectionText(std::string_view text, long double& hours) {
    std::string t = TrimSpaces(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    if (t.empty() || t[0] == ' ' || t[0] == '+' || t[0] == '-') return false;
    for (char& c : t)
        if (c == ',') c = '.';
    int code = 0;
    long double v = rt::ValReal(t, code);
    if (code != 0) return false;
    hours = negative ? -v : v;
    return true;
}

std::string ZoneTextFromCorrection(std::string_view correctionText) {
    std::string t = TrimSpaces(correctionText);
    if (t.empty()) return {};
    char sign = t[0];
    std::string rest;
    if (sign == '+' || sign == '-') {
        rest = t.substr(1);
    } else {
        long double value = 0;
        if (!ParseCorrectionText(t, value)) return {};
        sign = '+';
        rest = t;
    }
    std::string out = std::string(1, sign == '+' ? '-' : '+') + rest.substr(0, 4);
    for (char& c : out)
        if (c == '.') c = ',';
    return out;
}

std::string ZoneClockText(long double zoneHours) {
    const long double seconds = std::nearbyint(std::fabs(zoneHours) * 3600);
    const auto whole = static_cast<std::int64_t>(seconds);
    const char sign = zoneHours < 0 && whole > 0 ? '-' : '+';
    return sign + std::to_string(whole / 3600) + " u " + rt::ZeroPad(whole / 60 % 60, 2) + " min " +
           rt::ZeroPad(whole % 60, 2) + " s";
}

std::vector<std::string> StoredZoneNote(std::string_view zoneText, std::string_view enteredCorrectionText) {
    long double zone = 0;
    if (!ParseCorrectionText(zoneText, zone)) zone = 0;
    std::vector<std::string> note{"De kaart rekent met GMT " + TrimSpaces(zoneText) + " = " + ZoneClockText(zone)};
    long double entered = 0;
    if (!ParseCorrectionText(enteredCorrectionText, entered)) return note;
    entered = -entered;  // east positive, as the zone
    if (std::fabs(entered - zone) < 1e-9L) return note;
    // The decimals the zone text kept: two below ten hours, one from ten on.
    const std::string kept = TrimSpaces(zoneText);
    const std::size_t comma = kept.find(',');
    const std::size_t decimals = comma == std::string::npos ? 0 : kept.size() - comma - 1;
    std::string step = decimals == 0 ? "1" : "0," + std::string(decimals - 1, '0') + "1";
    note.push_back("Ingevoerd was " + ZoneClockText(entered) + "; bewaard wordt tot op " + step + " uur");
    return note;
}

std::string CalendarFileDamage(std::string_view bytes) {
    if (bytes.size() % kZoneCalendarRecordSize != 0)
        return "l'ultima scheda \xE8 incompleta: il file \xE8 stato troncato";
    const std::size_t count = bytes.size() / kZoneCalendarRecordSize;
    for (std::size_t i = 0; i < count; ++i) {
        const char* p = bytes.data() + i * kZoneCalendarRecordSize;
        const ZoneCalendarRecord z = DecodeZoneCalendarRecord(rt::Bytes(p, p + kZoneCalendarRecordSize));
        const auto length = static_cast<unsigned char>(p[kCodeOffset]);
        bool printable = length >= 1 && length <= kCodeCapacity;
        for (char c : z.code) printable = printable && c >= 0x20 && c < 0x7F;
        if (!printable) return "la scheda " + std::to_string(i) + " non ha un codice leggibile";
    }
    return {};
}

namespace {

// Whether the moment falls in the Julian calendar, by the calendar's first
// record (the Gregorian switch).
bool JulianAtMoment(const ZoneCalendarQuery& query, const ZoneCalendarRecord& head) {
    if (head.code != kGregorianCode) return false;
    const long double jd = query.clockJulianDay;
    long double date0 = head.Date();
    bool julian = false;
    if (query.table == PlaceTableKind::Italian) date0 -= 1.0L;
    if (rt::Trunc(date0) == kUndatedSwitchMark) {
        julian = query.gregorianSwitch && jd < kGregorianStartNoon;
    } else {
        julian = jd <= date0;
    }
    if (query.gregorianSwitch && jd > kGregorianStart) julian = false;
    return julian;
}

// The calendar a chain record leads to, from the file that holds the record;
// a failure names that file.
std::vector<ZoneCalendarRecord> LoadChainedCalendar(const ZoneCalendarLoader& load, const std::string& name,
                                                    const std::string& from) {
    try {
        return load(name);
    } catch (const CalendarError& e) {
        throw CalendarError(std::string(e.what()) + "; la catena viene da \"" + from + "\"", {e.File(), e.Detail()});
    } catch (const rt::DamagedFileError&) {
        throw;  // names its own file
    } catch (const rt::IoError& e) {
        if (e.Code() != rt::kFileNotFound) throw;
        throw CalendarError("CALENDARIO NON TROVATO: " + name + ", al quale rimanda \"" + from +
                            "\" (file danneggiato o incompleto). Riavviare il programma, che ricopia "
                            "nella cartella dei dati i file forniti con esso.");
    }
}

struct Period {
    long double date = 0;
    std::string code;
    double correction = 0;
};
// Where the walk through the periods stopped: the period reached, the one
// before it, the first, and whether the walk ran past the last.
struct PeriodsWalked {
    Period cur, prev, first;
    bool ranToEnd = false;
};

// The correction in force as the calendar writes it, signed; with a longitude
// (local mean time in force) the longitude's own.
std::string CorrectionTextInForce(const PeriodsWalked& walked, std::optional<long double> longitude) {
    std::string text;
    if (walked.prev.date > 0) text = SignedCorrectionText(walked.prev.correction);
    if (walked.ranToEnd) text = GeneralRealText(walked.cur.correction);
    if (walked.prev.date == 0) text = GeneralRealText(walked.first.correction);
    if (longitude) {
        long double value = *longitude * 4 / 60;
        long double a = value < 0 ? -value : value;
        // East of Greenwich the clock is ahead: the correction is negative.
        // Greenwich itself is "+0".
        text = std::string(value > 0 ? "-" : "+") + GeneralRealText(a).substr(0, 10);
    }
    if (text.empty() || (text[0] != '-' && text[0] != '+')) text.insert(0, "+");
    return text;
}

}  // namespace

ZoneCalendarResult ApplyZoneCalendar(const ZoneCalendarQuery& query) {
    const ZoneCalendarLoader load = [&](const std::string& name) { return LoadZoneCalendar(query.table, name); };
    const std::string without = "La correzione del fuso di questa localit\xE0 non si pu\xF2 calcolare.";
    std::set<std::string> repaired;
    for (;;) {
        std::string file, detail;
        try {
            return ApplyZoneCalendar(query, load);
        } catch (const CalendarError& e) {
            if (e.File().empty()) throw;
            file = e.File();
            detail = e.Detail();
        } catch (const rt::DamagedFileError& e) {
            file = e.File();
            detail = e.Detail();
        }
        if (repaired.count(file))
            throw CalendarError(rt::DamagedFileMessage({file, detail},
                                                       without + " Anche la copia dell'installazione del programma, "
                                                                 "rimessa al suo posto, \xE8 danneggiata: reinstallare "
                                                                 "il programma."),
                                {file, detail});
        const rt::ShippedFileRepair repair = rt::RepairShippedFile({file, detail}, without);
        if (!repair.restored) throw CalendarError(repair.message, {file, detail});
        rt::ReportDamagedFile(repair.message);
        repaired.insert(file);
    }
}

ZoneCalendarResult ApplyZoneCalendar(const ZoneCalendarQuery& query, const ZoneCalendarLoader& load) {
    ZoneCalendarResult result;
    std::string name = query.calendarName;
    result.fixedZoneMinusFive = name == kFixedZoneCalendar;

    std::vector<ZoneCalendarRecord> records = load(name);
    if (records.size() < 2)
        throw CalendarError("CALENDARIO VUOTO: " + name + " (\"" + CalendarSourceFile(query.table, name) +
                                "\" danneggiato o incompleto)",
                            {CalendarSourceFile(query.table, name), "il calendario " + name + " \xE8 vuoto"});
    const long double jd = query.clockJulianDay;

    // Record 0: the Gregorian switch.
    const ZoneCalendarRecord& head = records[0];
    long double date0 = head.Date();
    {
        CalendarLine line;
        line.header = true;
        line.date = date0;
        line.code = head.code;
        result.lines.push_back(line);
    }
    const bool julian = JulianAtMoment(query, head);
    // Record 1: the end of local mean time.
    bool localMeanTime = records[1].code == kLocalMeanTimeCode && jd <= records[1].Date();
    result.julian = julian;
    result.localMeanTime = localMeanTime;

    const long double walkJd = query.clockJulianDayIn ? query.clockJulianDayIn(julian) : jd;
    result.walkJulianDay = walkJd;

    // The walk through the periods, following chain records into other files.
    PeriodsWalked walked;
    Period& cur = walked.cur;
    Period& prev = walked.prev;
    Period& first = walked.first;
    bool& ranToEnd = walked.ranToEnd;
    int count = 0;
    bool chained = false;
    long double listedDate = 0;
    std::set<std::string> visited{name};
    int filesVisited = 1;
    for (;;) {
        std::size_t n = records.size();
        if (n < 2)
            throw CalendarError("CALENDARIO VUOTO: " + name + " (\"" + CalendarSourceFile(query.table, name) +
                                    "\" danneggiato o incompleto)",
                                {CalendarSourceFile(query.table, name), "il calendario " + name + " \xE8 vuoto"});
        std::size_t i = 1;
        bool nextFile = false;
        for (;;) {
            prev = cur;
            const ZoneCalendarRecord& r = records[i];
            bool chain = r.code == kChainCode;
            if (!chain && (!chained || r.Date() > listedDate)) {
                if (!chained) listedDate = r.Date();
                CalendarLine line;
                line.date = r.Date();
                line.correction = r.correction;
                line.code = r.code;
                result.lines.push_back(line);
            }
            if (chain) {
                // The file that holds the chain record is the one to name when
                // the chain leads nowhere.
                const std::string from = CalendarSourceFile(query.table, name);
                name = ChainedCalendarName(r);
                CalendarLine line;
                line.chainLine = true;
                line.chainName = name;
                result.lines.push_back(line);
                if (!visited.insert(name).second || ++filesVisited > kMaxChainedFiles)
                    throw CalendarError("CATENA DI CALENDARI CIRCOLARE: " + name + " (\"" + from +
                                            "\" danneggiato o incompleto)",
                                        {from, "la catena dei calendari torna a " + name});
                chained = true;
                cur.date = r.storedDate;
                records = LoadChainedCalendar(load, name, from);
                nextFile = true;
                break;
            }
            cur = Period{r.Date(), r.code, r.correction};
            if (++count == 1) first = cur;
            if (walkJd <= cur.date) break;
            ++i;
            if (i == n) {
                ranToEnd = true;
                break;
            }
        }
        if (!nextFile) break;
    }

    const std::string text =
        CorrectionTextInForce(walked, localMeanTime ? std::optional(query.longitude) : std::nullopt);
    result.correctionText = text;
    long double value = 0;
    ParseCorrectionText(text, value);
    result.correction = value;
    return result;
}

}  // namespace archive
