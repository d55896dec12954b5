#pragma once
// Operations shared by the remedy databases: typed files of fixed-size records
// whose record 0 is a header (never data), read and written a record at a time,
// and the slicing of long texts into fields of at most 250 characters.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"

namespace remedies {

using rt::Bytes;

// One fixed-capacity string field of a record: its offset and capacity.
struct Field {
    std::size_t offset;
    std::size_t capacity;
};

std::string GetField(const Bytes& record, Field f);         // length byte clamped
std::string GetField(std::string_view record, Field f);     // the same on bytes in place
void PutField(Bytes& record, Field f, std::string_view s);  // cut to the capacity

// Cuts a text into consecutive pieces of 250 characters, one per field, each
// piece cut again to its field's capacity; text beyond the last field is dropped.
std::vector<std::string> SliceText(std::string_view text, const std::vector<std::size_t>& capacities);
// Joins the pieces in order, without separators.
std::string JoinSlices(const std::vector<std::string>& pieces);

inline constexpr std::size_t kSliceLength = 250;

// How a database takes a data record of nothing but zero bytes (no text in
// any field): the primary and therapies databases never hold one (their
// editors store no record without its keys), so one there is damage, as a
// block of the file overwritten with zeros; the signature database holds one
// for a blank group of its import text, so only a file of nothing else is.
enum class EmptyRecords { Damage, DamageWhenAll };

// A database file: a program file name, its record size and the text fields
// of its records (for the check of a damaged file; none: not checked).
struct DbFile {
    std::string name;
    std::size_t recordSize;
    std::span<const Field> fields{};
    EmptyRecords emptyRecords = EmptyRecords::DamageWhenAll;
};

// What shows a database damaged or incomplete: a last record cut short, a
// data record whose text field claims more characters than it can hold (as
// random bytes or another file in its place do), or data records of zero
// bytes (EmptyRecords). The readers look at what
// they read anyway and tell it once, naming the file (rt::ReportDamagedFileOnce);
// they go on with what they can read.
class DatabaseDamage {
public:
    // `fileBytes`: the size of the file in bytes.
    DatabaseDamage(const DbFile& db, std::int64_t fileBytes);
    // Looks at data record r.
    void Look(std::int64_t r, std::string_view record);
    std::string Problem() const;  // empty when nothing was wrong
    void Report() const;          // tells the problem once, if there is one

private:
    const DbFile& db_;
    std::int64_t partial_ = 0;
    std::int64_t damaged_ = 0;
    std::int64_t first_ = 0;
    std::int64_t records_ = 0;
    std::int64_t zero_ = 0;
    std::int64_t firstZero_ = 0;
};
// The whole file looked at, read in blocks: what shows it unreadable or
// without even its record 0 (DatabaseShapeProblem) or damaged
// (DatabaseDamage); empty when it is sound or missing.
std::string DatabaseProblem(const DbFile& db);
// DatabaseProblem, told once with what the user can do; returns it.
std::string ReportDamagedDatabase(const DbFile& db);

// (DatabaseShapeProblem and DamagedDatabaseMessage are made in
// remedies/database_check.cpp, beside the check of incoming databases.)
// What shows without reading the records that a database of the data folder
// cannot serve: a folder or a file that cannot be read in its place, a last
// record cut short, and with `emptyToo` a file without even its record 0 (no
// list is made from it; its readers take it as a database without records).
// Empty when it is a readable file of whole records, or missing (its readers
// say so).
std::string DatabaseShapeProblem(const DbFile& db, bool emptyToo = false);

// The words for the user on a damaged or unreadable database: the message
// naming it and what is wrong, then `done` (what the program did) and what
// the user can do (restore it from a backup or from the copy kept by the last
// update, make it readable, import it again from its text).
std::string DamagedDatabaseMessage(const DbFile& db, const std::string& problem, const std::string& done);

// The lists derived from a database are never rebuilt from a damaged or
// unreadable one: the lists stay as they are, and a mark of stale lists that is
// there stays (remedies/stale_lists.h), so that a start rebuilds them once the
// database is sound again. The message names the file, what is wrong and the
// way on.
class DamagedDatabaseError : public std::runtime_error {
public:
    DamagedDatabaseError(const DbFile& db, const std::string& problem);
    // Tells the refusal once as long as the database stays as it is.
    bool Tell() const { return rt::ReportDamagedFileOnce(file_, what()); }

private:
    std::string file_;
};

// Number of data records (whole records in the file minus the header).
std::int64_t DataRecordCount(const DbFile& db);
// Reads data record r (1..count).
Bytes ReadDataRecord(const DbFile& db, std::int64_t r);
// Writes data record r (1..count) in place.
void OverwriteDataRecord(const DbFile& db, std::int64_t r, const Bytes& record);
// Writes a new record after the last whole one; returns the new data count.
std::int64_t AppendDataRecord(const DbFile& db, const Bytes& record);
// Removes data record r: every later record moves down by one and the file
// becomes one record shorter. The file is written anew beside the old one and
// renamed over it, so a failure leaves the old file whole. Returns the new count.
std::int64_t DeleteDataRecord(const DbFile& db, std::int64_t r);
// Creates the file with its header record only (zero bytes) when it is missing;
// returns true when it was created.
bool EnsureDatabaseFile(const DbFile& db);

// What a window that read a damaged database did about it.
inline constexpr const char* kShownAsRead =
    "Il programma mostra quello che ha potuto leggere e non ne ricostruisce gli elenchi.";

// Calls visit(recordNumber, bytes) for every data record 1..count in order.
// Visits records 1..N-1 as bytes in place (valid during the call only), read
// in blocks of records rather than one read a record.
// Returns what shows the file damaged ("" when sound) without telling it.
template <typename Visit>
std::string VisitDataRecordsInPlace(const DbFile& db, Visit visit) {
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    const std::int64_t n = f.FileSize();
    DatabaseDamage damage(db, f.ByteSize());
    constexpr std::int64_t kBlock = 256;
    for (std::int64_t first = 1; first < n; first += kBlock) {
        const std::int64_t count = std::min(kBlock, n - first);
        const std::string block = f.ReadRange(first, count);
        for (std::int64_t i = 0; i < count; ++i) {
            const std::string_view record =
                std::string_view(block).substr(static_cast<std::size_t>(i) * db.recordSize, db.recordSize);
            damage.Look(first + i, record);
            visit(first + i, record);
        }
    }
    f.Close();
    return damage.Problem();
}

// Visits as above and tells a damaged file once, naming it; the caller goes on
// with what it read.
template <typename Visit>
void ForEachDataRecordInPlace(const DbFile& db, Visit visit) {
    const std::string problem = VisitDataRecordsInPlace(db, visit);
    if (!problem.empty()) rt::ReportDamagedFileOnce(db.name, DamagedDatabaseMessage(db, problem, kShownAsRead));
}

// Visits as above, then raises DamagedDatabaseError when the
// file is damaged or cannot be read: what the visit gathered must then not be
// used (no list is rebuilt from it). The check and the reading are one pass
// over the file.
template <typename Visit>
void ForEachRecordOfSoundDatabase(const DbFile& db, Visit visit) {
    if (std::string shape = DatabaseShapeProblem(db, true); !shape.empty()) throw DamagedDatabaseError(db, shape);
    const std::string problem = VisitDataRecordsInPlace(db, visit);
    if (!problem.empty()) throw DamagedDatabaseError(db, problem);
}

// What DatabaseProblem finds, the data records visited on the way (bytes in
// place, as VisitDataRecordsInPlace does), so that the check and the reading
// are one pass; "" when the database is sound or missing. What the visit
// gathered must not be used when the result is not "".
template <typename Visit>
std::string VisitCheckedDatabase(const DbFile& db, Visit visit) {
    if (db.recordSize == 0 || !rt::PathExists(db.name)) return {};
    if (std::string shape = DatabaseShapeProblem(db, true); !shape.empty()) return shape;
    try {
        return VisitDataRecordsInPlace(db, visit);
    } catch (const rt::IoError& e) {
        return "non si pu\xF2 leggere (" + rt::IoError::MessageFor(e.Code()) + ")";
    }
}

template <typename Visit>
void ForEachDataRecord(const DbFile& db, Visit visit) {
    Bytes record(db.recordSize);
    ForEachDataRecordInPlace(db, [&](std::int64_t r, std::string_view bytes) {
        record.assign(bytes.begin(), bytes.end());
        visit(r, record);
    });
}

// True when a text holds a control character (a byte below 32, or 127): a
// line break or a Ctrl-Z in a list key would cut a list file's line or end
// the file for its readers.
bool BreaksListLine(std::string_view text);

// What a rebuild of a database's lists left out: the data records whose key
// holds a control character (in record order).
struct ListRebuildReport {
    std::vector<std::int64_t> skippedRecords;
};
// The words for the user about the records a rebuild left out ("" when none).
std::string SkippedRecordsMessage(const ListRebuildReport& report, std::string_view database);

// A list made from a database, as a rebuild writes it: its program name, its
// bytes, and how its readers take them: a text of CR LF lines, or one name a
// record of nameCapacity + 1 bytes, read from record firstName on.
struct ListFile {
    std::string name;
    std::string bytes;
    std::size_t nameCapacity = 0;  // 0: a text of lines
    std::size_t firstName = 0;
};
// The bytes of a file of names, one a record of capacity + 1 bytes, the first
// name in record 0.
std::string NameRecordBytes(std::size_t capacity, const std::vector<std::string>& names);

// What a change of a database tells as it reaches each of its steps, so that a
// test can stop or count it there; the program hands none.
struct WriteSteps {
    // Each step of a list rebuild: the database read, each list file put in
    // place, the lists done.
    std::function<void()> listRebuild;
    // Each step of a journaled write: 1 journal written, 2 record written,
    // 3 journal removed.
    std::function<void(int step)> journal;
};
void ListRebuildStep(const WriteSteps& steps);

// Rewrites the lists whose file is missing or says something else than the
// list (remedies/list_files.h: ListSaysTheSame), each beside the old one and
// renamed over it; a file that already says what the list says is left alone.
void ReplaceChangedFiles(const std::vector<ListFile>& files, const WriteSteps& steps = {});

// The name of the temporary file written beside a file before it replaces it.
std::string TemporaryNameFor(std::string_view name);
// Renames a finished temporary file over the named file.
void ReplaceWithTemporary(std::string_view temporary, std::string_view name);
// Removes a temporary file left by a failed rewrite (no error when missing).
void RemoveTemporary(std::string_view temporary);

}  // namespace remedies
