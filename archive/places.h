#pragma once
// The place tables "Localita\ITALIA.LOC" (Italian towns) and
// "Localita\ESTERO.LOC" (foreign towns): typed files of 88-byte records, record 0
// a header, records 1..N sorted by name. Also the search by typed letters and
// the seven-line window that shows a table.
// Every text is Windows-1252 bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/record_file.h"

namespace archive {

inline constexpr std::size_t kPlaceRecordSize = 88;
inline constexpr std::size_t kPlaceNameCapacity = 31;
inline constexpr std::size_t kPlaceStateCapacity = 23;

struct PlaceRecord {
    std::string name;                 // string[31]; may end in blanks
    long double latitude = 0;         // degrees, negative = south
    long double longitude = 0;        // degrees, negative = west
    std::int32_t calendarNumber = 0;  // 1 followed by the 8 digits of the calendar file
    std::string state;                // string[23]: state or nationality
};

rt::Bytes EncodePlaceRecord(const PlaceRecord& place);
// Decodes an 88-byte record (a shorter one is padded with zeros).
PlaceRecord DecodePlaceRecord(const rt::Bytes& record);

enum class PlaceTableKind { Italian, Foreign };

// "ITALIA.LOC" or "ESTERO.LOC".
const char* PlaceTableFileName(PlaceTableKind kind);
// "Localita\" + the file name.
std::string PlaceTablePath(PlaceTableKind kind);

// Folds a name in place for comparison: accented Latin-1 letters become plain
// letters, a..z are upper-cased, "-" and "(" become blanks, a leading "'" goes.
void FoldPlaceName(std::string& name);
std::string FoldedPlaceName(std::string_view name);

// The search key of the typed letters: folded, followed by 25 "!", cut to 80.
std::string PlaceSearchKey(std::string_view typed);

// The line of the place window: the name without leading blanks followed
// directly by the state without leading blanks.
std::string PlaceListLine(const PlaceRecord& place);

// The 12-character coordinates text, as 45N28-009E11: latitude degrees (2
// digits), N or S, minutes (2 digits), "-", longitude degrees (3 digits), E or
// W, minutes. Minutes are rounded (halves to even) and not carried into degrees.
std::string PlaceCoordinatesText(long double latitude, long double longitude);

// The calendar file of a place: characters 2-9 of the decimal text of the
// calendar number + ".CAL" (100920000 names "00920000.CAL").
std::string ZoneCalendarNameOf(std::int32_t calendarNumber);

// An open place table. The whole table is read when it opens; every read
// afterwards is in memory.
class PlaceTable {
public:
    // Opens "Localita\" + the table's file name. False when the file cannot
    // be opened (the table is then empty and closed).
    bool Open(PlaceTableKind kind);
    void Close();
    bool IsOpen() const { return open_; }
    PlaceTableKind Kind() const { return kind_; }
    const char* FileName() const { return PlaceTableFileName(kind_); }

    // N: the places after the header record.
    std::int64_t Count() const { return static_cast<std::int64_t>(places_.size()) - 1; }
    // Record n, 1..N (0 is the header). Outside: rt::IoError 100.
    const PlaceRecord& Read(std::int64_t n) const;
    // The name as the search compares it: folded for the foreign table, as
    // stored for the Italian one.
    const std::string& CompareName(std::int64_t n) const;

    // The search of the typed letters: the first character of `typed` is
    // upper-cased in place (every one for the Italian table, as typing does);
    // then a bisection of exactly 100 halvings over records 1..N. Returns the
    // record of the last halving (0 for an empty table), except that a name
    // typed whole which the table holds is the record found, not a longer
    // name that begins with it ("TORINO", not "TORINO DI SANGRO"), and letters
    // that only begin names find the first of those names ("TROMS": "Tromsø",
    // not "Trollhättan" before it).
    std::int64_t Search(std::string& typed) const;

    // Loads a table from records (record 0 the header) as Open would.
    void Assign(PlaceTableKind kind, const std::vector<rt::Bytes>& records);

private:
    // The record of the name typed whole near the bisection's `found`, else the
    // first name that begins with the typed letters, else `found`.
    std::int64_t WholeNameAt(std::string_view typed, std::int64_t found) const;

    bool open_ = false;
    PlaceTableKind kind_ = PlaceTableKind::Italian;
    std::vector<PlaceRecord> places_;
    std::vector<std::string> compare_;
};

// The seven-line window over a table of N places. `Position` is the record on
// the middle line (PlaceListPosition); the window never shows the header
// record 0 nor reads past record N, whatever the table size.
class PlaceWindow {
public:
    static constexpr int kLines = 7;

    explicit PlaceWindow(std::int64_t count = 0) { Reset(count); }
    // A new table of `count` places: position 4 (held within the table).
    void Reset(std::int64_t count);

    std::int64_t Count() const { return count_; }
    std::int64_t Position() const { return position_; }
    // Lowest and highest position the window takes (4 and N - 3 for a table
    // of seven places or more; 1 and N for a smaller one).
    std::int64_t MinPosition() const;
    std::int64_t MaxPosition() const;

    // Records shown: the first line's record and the number of lines.
    std::int64_t FirstRecord() const;
    int LineCount() const;
    // The record shown on line `index` (0..6), 0 when the line is empty.
    std::int64_t RecordAtLine(int index) const;
    // The line that shows the position's record (3 unless the table is small).
    int PositionLine() const;

    // Sets the position, held within MinPosition..MaxPosition (the scroll
    // bar's thumb).
    void SetPosition(std::int64_t position);
    // Shows the record a search found: the window moves to it as SetPosition
    // does, and the record stays the one Enter takes even where the window
    // cannot put it on the middle line (among the first and last three).
    void ShowRecord(std::int64_t record);
    // The record Enter takes and the line that shows it: the one ShowRecord
    // showed, or after any other move the middle line's record.
    std::int64_t Target() const { return target_; }
    int TargetLine() const { return count_ == 0 ? 0 : static_cast<int>(target_ - FirstRecord()); }

    // Moves. Each keeps the position within the window's limits; a page move
    // that would pass a limit stops at it.
    void LineUp();          // scroll line up, Up arrow on line 1
    void LineDown();        // scroll line down, Down arrow on line 7
    void ScrollPageUp();    // -7
    void ScrollPageDown();  // +7
    void KeyPageUp();       // Page Up on line 1: -6
    void KeyPageDown();     // Page Down on line 7: +6

private:
    std::int64_t count_ = 0;
    std::int64_t position_ = 0;
    std::int64_t target_ = 0;
};

// The lines of the window as FillPlaceList shows them.
std::vector<std::string> PlaceWindowLines(const PlaceTable& table, const PlaceWindow& window);

}  // namespace archive
