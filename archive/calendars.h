#pragma once
// Time-zone correction calendars: lists of dated periods, each with the total
// correction in hours that turns the local clock time into universal time (east
// of Greenwich negative), headed by the date of the Gregorian switch ("GREG")
// and the end of local mean time ("LMT ").
//
// Files: "Calendar\" + 8 digits + ".CAL" (one calendar each, for the Italian
// places); "Calendar\Database.cll" (the calendars of the foreign places one
// after another, each closed by "****") with its index "Calendar\Elencal.002"
// (characters 1-12 the calendar name, 15-20 its first record). All 24-byte
// records. The calendars are read into memory; nothing is written.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_records.h"  // GeneralRealText, the texts of the corrections
#include "archive/places.h"
#include "platform/runtime/record_file.h"

namespace archive {

inline constexpr std::size_t kZoneCalendarRecordSize = 24;

// The constant added to every Julian day stored in a calendar record (the
// 80-bit value of the bytes DD 63 30 CC 78 60 A5 A9 05 40).
long double CalendarDateOffset();

struct ZoneCalendarRecord {
    long double storedDate = 0;  // Julian day + CalendarDateOffset(); for "RICH" the next file's number
    std::string code;            // string[4]: "GREG", "LMT ", "RICH", "****" or a period's name
    double correction = 0;       // hours added to the clock time to get universal time

    long double Date() const { return storedDate - CalendarDateOffset(); }
};

rt::Bytes EncodeZoneCalendarRecord(const ZoneCalendarRecord& record);
ZoneCalendarRecord DecodeZoneCalendarRecord(const rt::Bytes& record);

inline constexpr const char* kGregorianCode = "GREG";
inline constexpr const char* kLocalMeanTimeCode = "LMT ";
inline constexpr const char* kChainCode = "RICH";
inline constexpr const char* kEndCode = "****";

// The file a calendar is read from: "Calendar\Database.cll" for the foreign
// table, the calendar's own file in "Calendar\" for the Italian one.
std::string CalendarSourceFile(PlaceTableKind table, const std::string& name);

// A calendar that cannot be walked: missing from the index, empty, or a chain
// of calendars that comes back to itself. The text is the message to show; it
// names the file that is damaged or incomplete.
class CalendarError : public std::runtime_error {
public:
    // `file` and `detail`: the calendar file found damaged and what is wrong
    // with it, when a file is to blame.
    struct Damage {
        std::string file;
        std::string detail;
    };
    explicit CalendarError(const std::string& text, Damage damage = {})
        : std::runtime_error(text), file_(std::move(damage.file)), detail_(std::move(damage.detail)) {}
    const std::string& File() const { return file_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string file_;
    std::string detail_;
};

// What makes the bytes of a calendar file ("Calendar\" + name, or
// "Calendar\Database.cll") damaged ("" when sound): whole 24-byte records, each
// with a code of one to four printable characters. (The loader further
// requires a date and a correction a calendar can hold, and the "****" record
// that closes each calendar.)
std::string CalendarFileDamage(std::string_view bytes);

// The records of one calendar, from its record 0 up to its "****" record or
// the end of its file. Foreign table: looked up in "Calendar\Elencal.002" and
// read from "Calendar\Database.cll"; Italian table: "Calendar\" + name.
// A name missing from the index raises CalendarError; a missing file rt::IoError.
std::vector<ZoneCalendarRecord> LoadZoneCalendar(PlaceTableKind table, const std::string& name);

// The name of the calendar file a chain record sends to: Round(stored value)
// left-padded with "0" to 8 digits + ".CAL".
std::string ChainedCalendarName(const ZoneCalendarRecord& record);

// Reads a correction text as hours ("+1", "-0,5", "1" or "0.5"; blanks
// around it are allowed). False when it is not a number.
bool ParseCorrectionText(std::string_view text, long double& hours);
// The zone text of a correction text: the opposite sign (east positive), the
// first four characters after the sign, "." turned into ",". A text without a
// sign is a positive number; a text that is not a number gives "".
std::string ZoneTextFromCorrection(std::string_view correctionText);

// A zone in hours (east positive) as clock time, rounded to the second:
// "+0 u 30 min 36 s", "-5 u 00 min 00 s".
std::string ZoneClockText(long double zoneHours);
// What the store dialog tells of the correction: the first line the zone the
// chart is computed with (the stored zone text, "+0,51", and its clock time);
// a second line only when the correction typed or computed in the entry
// dialog (its own sign: hours added to the clock time) was finer than the
// zone text keeps, with that correction's clock time and the step kept.
std::vector<std::string> StoredZoneNote(std::string_view zoneText, std::string_view enteredCorrectionText);


// One line of the calendar list: a period or header (date text, sign and
// correction, code) or a change of file ("CAMBIO FILE: " + name).
struct CalendarLine {
    bool chainLine = false;
    long double date = 0;  // reduced date (Julian day)
    double correction = 0;
    std::string code;
    std::string chainName;  // for a chain line
    bool header = false;    // record 0: date and code only
};

struct ZoneCalendarQuery {
    PlaceTableKind table = PlaceTableKind::Italian;
    std::string calendarName;        // 8 digits + ".CAL"
    long double clockJulianDay = 0;  // clock time with the Gregorian rule (the date check's)
    // Julian day of the clock time in the Julian (true) or Gregorian (false)
    // calendar; the walk runs on the one of the calendar chosen.
    std::function<long double(bool julian)> clockJulianDayIn;
    bool gregorianSwitch = false;  // the settings' "Gregorian switch"
    long double longitude = 0;     // the place's, degrees east
};

struct ZoneCalendarResult {
    bool julian = false;              // "GIUL" rather than "GREG"
    bool localMeanTime = false;       // local mean time in force at the birth moment
    std::string correctionText;       // the total correction with its sign ("+1", "-0,83333333")
    long double correction = 0;       // its value in hours
    long double walkJulianDay = 0;    // the clock time's Julian day in the chosen calendar
    bool fixedZoneMinusFive = false;  // the calendar is "00920000.CAL"
    std::vector<CalendarLine> lines;
};

// Applies a place's calendar to a birth moment: the calendar switch, local
// mean time and the walk through the periods and chains. The calendars are
// shipped and never written: a calendar file found damaged is put back from
// the installation (the user told) and the calendar applied again. Raises
// CalendarError (a missing or empty calendar, a chain that loops, a damaged
// file that cannot be put back, its message saying so) and rt::IoError.
ZoneCalendarResult ApplyZoneCalendar(const ZoneCalendarQuery& query);

// As above over calendars given by a loader (name -> records).
using ZoneCalendarLoader = std::function<std::vector<ZoneCalendarRecord>(const std::string& name)>;
ZoneCalendarResult ApplyZoneCalendar(const ZoneCalendarQuery& query, const ZoneCalendarLoader& load);

}  // namespace archive
