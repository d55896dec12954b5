#pragma once
// The three ephemeris correction tables in "FilePosi": the daily Moon
// correction, the 5-day table of the planets and the true node, and the daily
// black-moon correction. Record files without a header, little-endian.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "engine/chart.h"
#include "platform/runtime/io_error.h"

namespace engine {

inline constexpr const char* kMoonTableFile = "FilePosi\\DSEL.rnd";
inline constexpr const char* kPlanetTableFile = "FilePosi\\DPR1.rnd";
inline constexpr const char* kBlackMoonTableFile = "FilePosi\\NOJLNE.rnd";

// "FilePosi\DSEL.rnd": record n = correction in arc seconds (int16) at 1721420.5 + n.
inline constexpr Real kMoonTableBase = 1721420.5L;
inline constexpr std::size_t kMoonRecordSize = 2;
// "FilePosi\NOJLNE.rnd": record n = correction in arc seconds (int32) at 2341972.5 + n.
inline constexpr Real kBlackMoonTableBase = 2341972.5L;
inline constexpr std::size_t kBlackMoonRecordSize = 4;
// "FilePosi\DPR1.rnd": 32-byte records every 5 days; record n holds its own
// Julian day, kPlanetTableEpoch + 5 n, so that the lookup's record n covers
// [its Julian day, its Julian day + 5).
inline constexpr Real kPlanetTableEpoch = 1721409.0L;
inline constexpr std::size_t kPlanetRecordSize = 32;

// "FilePosi\DMIN.rnd", a table of this program's own in two parts:
// - from byte 0, kMoonTableRecords records of 2 bytes: the correction of the
//   Moon's latitude in tenths of an arc second (int16) at 1721420.5 + n, daily
//   like "DSEL.rnd";
// - from byte kMinorBodiesOffset, kMinorTableRecords records of 20 bytes: the
//   longitude corrections of Ceres, Pallas, Juno, Vesta and Chiron in that
//   order, arc seconds (int32 each), at kMinorTableBase + n, daily.
inline constexpr const char* kMinorTableFile = "FilePosi\\DMIN.rnd";
inline constexpr Real kMinorTableBase = 2396758.5L;
inline constexpr std::size_t kMoonLatitudeRecordSize = 2;
inline constexpr std::size_t kMinorRecordSize = 20;
inline constexpr std::int64_t kMinorTableRecords = 84373;

// "FilePosi\DLUN.rnd", a table of this program's own: what the true lunar node
// and the true black moon still lack after the corrections above (their own
// curves bend too sharply within the days between those tables' records), in
// tenths of an arc second. Records of 4 bytes, one a day: the value at the
// day's start and at its middle (int16 each); within a day the value is read
// from the parabola through the day's start, its middle and the next day's
// start. Two parts:
// - from byte 0, kNodeFineRecords records for the true node, day n starting at
//   kNodeFineBase + n (the planet table's records fall on day starts);
// - from byte kBlackMoonFineOffset, kBlackMoonFineRecords records for the true
//   black moon, day n starting at kBlackMoonFineBase + n (on the black-moon
//   table's records).
inline constexpr const char* kLunarTableFile = "FilePosi\\DLUN.rnd";
inline constexpr std::size_t kLunarRecordSize = 4;
inline constexpr Real kNodeFineBase = kPlanetTableEpoch;
inline constexpr std::int64_t kNodeFineRecords = 777966;
inline constexpr Real kBlackMoonFineBase = 2396758.5L;
inline constexpr std::int64_t kBlackMoonFineRecords = 91676;
inline constexpr std::uint64_t kBlackMoonFineOffset = kNodeFineRecords * kLunarRecordSize;
inline constexpr std::uint64_t kLunarTableBytes = kBlackMoonFineOffset + kBlackMoonFineRecords * kLunarRecordSize;

// Records each table must hold to cover every Julian day at which the body
// computation reads it.
inline constexpr std::int64_t kMoonTableRecords = 777955;
inline constexpr std::int64_t kPlanetTableRecords = 155594;
inline constexpr std::int64_t kBlackMoonTableRecords = 146463;
inline constexpr std::uint64_t kMinorBodiesOffset = kMoonTableRecords * kMoonLatitudeRecordSize;
inline constexpr std::uint64_t kMinorTableBytes = kMinorBodiesOffset + kMinorTableRecords * kMinorRecordSize;

// Record indexes of a lookup.
std::int64_t MoonTableIndex(Real jd);
std::int64_t BlackMoonTableIndex(Real jd);
std::int64_t PlanetTableIndex(Real jd);
std::int64_t MinorTableIndex(Real jd);
// The day of "FilePosi\DLUN.rnd" that holds jd, counted from `base`: the whole
// days since base (at a day's start, either neighbour gives the same value).
std::int64_t LunarTableDay(Real jd, Real base);

// One record of "FilePosi\DPR1.rnd": its fields numbered 1..17 as the lookup
// numbers them (1-7 and 9-16 signed bytes, 8 and 17 signed 16-bit), field k
// held at index k - 1.
inline constexpr int kPlanetFieldCount = 17;
// Where field k is held.
constexpr std::size_t PlanetFieldIndex(int field) { return static_cast<std::size_t>(field - 1); }
struct PlanetRecord {
    Real julianDay = 0;
    std::array<std::int32_t, kPlanetFieldCount> fields{};
};
// Field ranges: false when a value does not fit its field.
bool PlanetFieldFits(int field, std::int64_t value);
// Encodes 32 bytes; false when the Julian day or a field does not fit.
bool EncodePlanetRecord(const PlanetRecord& record, std::uint8_t* bytes);
PlanetRecord DecodePlanetRecord(const std::uint8_t* bytes);

// Interpolations of the lookups, over records given by a reader.
Real InterpolateMoon(Real jd, const std::function<std::int16_t(std::int64_t)>& record);
Real InterpolateBlackMoon(Real jd, const std::function<std::int32_t(std::int64_t)>& record);
Real InterpolatePlanet(int field, Real jd, const std::function<PlanetRecord(std::int64_t)>& record);
// The same between records PlanetTableIndex(jd) and the next, already read.
Real InterpolatePlanet(int field, Real jd, const PlanetRecord& r0, const PlanetRecord& r1);
// A value at the start, the middle and the end of a day.
struct DayValues {
    Real start = 0;
    Real middle = 0;
    Real end = 0;
};
// The parabola through (0, start), (0.5, middle), (1, end) at t (0..1 within the day).
Real InterpolateDay(Real t, const DayValues& values);

// The lookups: each opens its file, reads two records and closes it.
// A missing file or a record beyond its end raises rt::IoError.
Real ReadMoonCorrection(Real jd);               // arc seconds
Real ReadPlanetCorrection(int field, Real jd);  // arc minutes
Real ReadBlackMoonCorrection(Real jd);          // arc seconds
// The same lookups on a table whose path has already been resolved.
Real ReadMoonCorrectionAt(const std::filesystem::path& table, Real jd);
Real ReadPlanetCorrectionAt(const std::filesystem::path& table, int field, Real jd);
Real ReadBlackMoonCorrectionAt(const std::filesystem::path& table, Real jd);

// A correction table that is missing, shorter than the span it must cover, or
// whose values are damaged. The detail says what is wrong with a table that is
// there ("" for a missing one).
struct TableProblem {
    std::string message{};  // what the user is told
    std::string detail{};
};
class EphemerisTableError : public rt::IoError {
public:
    EphemerisTableError(int code, const std::string& file, TableProblem problem);
    const char* what() const noexcept override { return message_.c_str(); }
    std::string UserMessage() const override { return message_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string message_;
    std::string detail_;
};

// What makes the bytes of a table damaged ("" when they are sound): a planet
// record that does not carry its own Julian day, or a value beyond what the
// tables hold, or a step between neighbouring records that no body makes. The
// bounds are those of the generated tables with a wide margin.
using TableCheck = std::string (*)(std::string_view bytes);
std::string MoonTableDamage(std::string_view bytes);
std::string PlanetTableDamage(std::string_view bytes);
std::string BlackMoonTableDamage(std::string_view bytes);
std::string MinorTableDamage(std::string_view bytes);
std::string LunarTableDamage(std::string_view bytes);

// Checks that a table exists and holds at least `records` records of
// `recordSize` bytes; returns its resolved path or throws EphemerisTableError.
std::filesystem::path CheckEphemerisTable(const char* name, std::size_t recordSize, std::int64_t records);

// A correction table held in memory. Load() checks the table as
// CheckEphemerisTable does and reads the whole file only when it is new or its
// size or modification time changed since the last load, so a chart costs one
// look at the file instead of an open and a read at every lookup.
class LoadedTable {
public:
    // With a check, the bytes read are checked before they are taken: damaged
    // ones raise EphemerisTableError and the table holds nothing.
    void Load(const char* name, std::size_t recordSize, std::int64_t records, TableCheck check = nullptr);
    bool Loaded() const { return !bytes_.empty(); }
    // Records n and n + 1 as bytes; a record outside the file raises rt::IoError.
    const std::uint8_t* TwoRecords(std::int64_t n) const;
    // `count` bytes from `offset`; a range outside the file raises rt::IoError.
    const std::uint8_t* Range(std::int64_t offset, std::size_t count) const;

private:
    // The quick look: one stat of the path the name resolved to at the last
    // load (relative to the working folder).
    bool Unchanged(const char* name, std::size_t recordSize, std::int64_t records) const;
    void RememberLook(const std::filesystem::path& resolved);

    const char* name_ = "";
    std::size_t recordSize_ = 0;
    std::filesystem::path path_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type time_{};
    std::filesystem::path resolved_;  // the path as resolved, relative to the working folder
    bool looked_ = false;             // false: no quick look until the next load
    dev_t device_{};
    ino_t inode_{};
    timespec mtime_{};
    std::string bytes_;
};

// Loads a table a computation needs, checked. A table that is short or
// damaged is put back from the installation, the damaged one kept beside it,
// the user told (rt::ReportDamagedFile), and the sound one loaded; when no
// sound copy can be put back, EphemerisTableError says so, and no position is
// computed from the damaged table.
void LoadSoundTable(LoadedTable& table, const char* name, std::size_t recordSize, std::int64_t records,
                    TableCheck check);

// The five correction tables of the data folder, each read and checked at its
// first need (a damaged one put back from the installation first, as
// LoadSoundTable does) and only read afterwards. Charts computed at once on
// several threads share it: a table is loaded by one of them while the others
// wait for it. A table that is missing or cannot be put back raises its error
// at every need until a sound one is loaded.
class EphemerisTables {
public:
    enum Which { kMoon, kPlanets, kBlackMoon, kMinor, kLunar, kTableCount };
    // The table, loaded at its first need.
    const LoadedTable& Table(Which which);
    // Forgets what was loaded: the next need looks at the files of the working
    // folder again (after the owner moved to another data folder or its tables
    // were replaced). Never while a chart is being computed from them.
    void Reload();

private:
    struct Slot {
        std::mutex mutex;
        std::atomic<bool> loaded{false};
        LoadedTable table;
    };
    std::array<Slot, kTableCount> slots_;
};

// The tables of the program's data folder (the working folder), made at their
// first use.
EphemerisTables& ShippedEphemerisTables();

// The lookups on loaded tables.
Real MoonCorrectionFrom(const LoadedTable& table, Real jd);
Real PlanetCorrectionFrom(const LoadedTable& table, int field, Real jd);
Real BlackMoonCorrectionFrom(const LoadedTable& table, Real jd);
// Ceres (15) to Chiron (19), arc seconds; the Moon's latitude, arc seconds.
Real MinorBodyCorrectionFrom(const LoadedTable& table, int body, Real jd);
// The same with the record index MinorTableIndex(jd) already worked.
Real MinorBodyCorrectionFrom(const LoadedTable& table, int body, Real jd, std::int64_t n);
Real MoonLatitudeCorrectionFrom(const LoadedTable& table, Real jd);
// The true node's and the true black moon's own corrections, arc seconds.
Real NodeFineCorrectionFrom(const LoadedTable& table, Real jd);
Real BlackMoonFineCorrectionFrom(const LoadedTable& table, Real jd);

}  // namespace engine
