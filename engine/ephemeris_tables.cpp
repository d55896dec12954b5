#include "engine/ephemeris_tables.h"

#include "engine/bodies_theory.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/real_formats.h"
#include "platform/runtime/record_file.h"

namespace engine {

namespace {

std::int16_t Int16At(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

std::int32_t Int32At(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) |
                                     (static_cast<std::uint32_t>(p[3]) << 24));
}

void PutInt16(std::int32_t v, std::uint8_t* p) {
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    p[0] = static_cast<std::uint8_t>(u & 0xFF);
    p[1] = static_cast<std::uint8_t>(u >> 8);
}

// Byte offset of each field in a planet record, field k at index k - 1; the
// byte at offset 13 and bytes 26-31 belong to no field.
constexpr std::array<int, kPlanetFieldCount> kFieldOffset = {6,  7,  8,  9,  10, 11, 12, 14, 16,
                                                             17, 18, 19, 20, 21, 22, 23, 24};

bool IsWideField(int field) { return field == 8 || field == 17; }

// Reads two consecutive records n and n + 1 of a table: opened, read, closed.
void ReadTwoRecords(const std::filesystem::path& path, const char* name, std::size_t size, std::int64_t n,
                    std::uint8_t* out) {
    if (n < 0) throw rt::IoError(rt::kReadBeyondEnd, name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw rt::IoError(rt::IoCodeFromErrno(errno), name);  // missing, or not readable
    const ssize_t want = static_cast<ssize_t>(2 * size);
    const ssize_t got =
        ::pread(fd, out, static_cast<std::size_t>(want), static_cast<off_t>(n * static_cast<std::int64_t>(size)));
    ::close(fd);
    if (got != want) throw rt::IoError(rt::kReadBeyondEnd, name);
}

}  // namespace

std::int64_t MoonTableIndex(Real jd) { return rt::Round(jd - kMoonTableBase - 0.5L); }
std::int64_t BlackMoonTableIndex(Real jd) { return rt::Round(jd - kBlackMoonTableBase - 0.5L); }
std::int64_t MinorTableIndex(Real jd) { return rt::Round(jd - kMinorTableBase - 0.5L); }
std::int64_t LunarTableDay(Real jd, Real base) { return rt::Trunc(std::floor(jd - base)); }
std::int64_t PlanetTableIndex(Real jd) { return rt::Trunc(jd - 1721408.5L - 0.5L) / 5; }

bool PlanetFieldFits(int field, std::int64_t value) {
    if (field < 1 || field > kPlanetFieldCount) return false;
    if (IsWideField(field)) return value >= -32768 && value <= 32767;
    return value >= -128 && value <= 127;
}

bool EncodePlanetRecord(const PlanetRecord& record, std::uint8_t* bytes) {
    for (std::size_t i = 0; i < kPlanetRecordSize; ++i) bytes[i] = 0;
    if (!rt::Real48ToBytes(record.julianDay, bytes)) return false;
    for (int f = 1; f <= kPlanetFieldCount; ++f) {
        const std::int32_t v = record.fields[PlanetFieldIndex(f)];
        const int offset = kFieldOffset[PlanetFieldIndex(f)];
        if (!PlanetFieldFits(f, v)) return false;
        if (IsWideField(f))
            PutInt16(v, bytes + offset);
        else
            bytes[offset] = static_cast<std::uint8_t>(static_cast<std::int8_t>(v));
    }
    return true;
}

PlanetRecord DecodePlanetRecord(const std::uint8_t* bytes) {
    PlanetRecord r;
    r.julianDay = rt::Real48FromBytes(bytes);
    for (int f = 1; f <= kPlanetFieldCount; ++f) {
        const int offset = kFieldOffset[PlanetFieldIndex(f)];
        r.fields[PlanetFieldIndex(f)] =
            IsWideField(f) ? Int16At(bytes + offset) : static_cast<std::int8_t>(bytes[offset]);
    }
    return r;
}

Real InterpolateMoon(Real jd, const std::function<std::int16_t(std::int64_t)>& record) {
    const std::int64_t n = MoonTableIndex(jd);
    const Real c0 = record(n), c1 = record(n + 1);
    Real v = (jd - (kMoonTableBase + n)) * (c1 - c0) + c0;
    if (v > 21600) v -= 21600;
    return v;
}

Real InterpolateBlackMoon(Real jd, const std::function<std::int32_t(std::int64_t)>& record) {
    const std::int64_t n = BlackMoonTableIndex(jd);
    const Real c0 = record(n), c1 = record(n + 1);
    return (jd - (kBlackMoonTableBase + n)) * (c1 - c0) + c0;
}

Real InterpolatePlanet(int field, Real jd, const std::function<PlanetRecord(std::int64_t)>& record) {
    const std::int64_t n = PlanetTableIndex(jd);
    return InterpolatePlanet(field, jd, record(n), record(n + 1));
}

Real InterpolatePlanet(int field, Real jd, const PlanetRecord& r0, const PlanetRecord& r1) {
    const Real f0 = r0.fields[PlanetFieldIndex(field)], f1 = r1.fields[PlanetFieldIndex(field)];
    Real v = (jd - r0.julianDay) * (f1 - f0) / 5 + f0;
    if (v > 21600) v -= 21600;
    return v;
}

Real InterpolateDay(Real t, const DayValues& values) {
    // Lagrange's parabola through t = 0, 0.5 and 1.
    return values.start * (1 - t) * (1 - 2 * t) + values.middle * 4 * t * (1 - t) + values.end * t * (2 * t - 1);
}

Real ReadMoonCorrectionAt(const std::filesystem::path& table, Real jd) {
    std::uint8_t buf[2 * kMoonRecordSize];
    const std::int64_t n = MoonTableIndex(jd);
    ReadTwoRecords(table, kMoonTableFile, kMoonRecordSize, n, buf);
    return InterpolateMoon(jd, [&](std::int64_t i) { return Int16At(buf + (i - n) * 2); });
}

Real ReadBlackMoonCorrectionAt(const std::filesystem::path& table, Real jd) {
    std::uint8_t buf[2 * kBlackMoonRecordSize];
    const std::int64_t n = BlackMoonTableIndex(jd);
    ReadTwoRecords(table, kBlackMoonTableFile, kBlackMoonRecordSize, n, buf);
    return InterpolateBlackMoon(jd, [&](std::int64_t i) { return Int32At(buf + (i - n) * 4); });
}

Real ReadPlanetCorrectionAt(const std::filesystem::path& table, int field, Real jd) {
    std::uint8_t buf[2 * kPlanetRecordSize];
    const std::int64_t n = PlanetTableIndex(jd);
    ReadTwoRecords(table, kPlanetTableFile, kPlanetRecordSize, n, buf);
    return InterpolatePlanet(field, jd,
                             [&](std::int64_t i) { return DecodePlanetRecord(buf + (i - n) * kPlanetRecordSize); });
}

Real ReadMoonCorrection(Real jd) { return ReadMoonCorrectionAt(rt::ResolvePath(kMoonTableFile), jd); }

Real ReadBlackMoonCorrection(Real jd) { return ReadBlackMoonCorrectionAt(rt::ResolvePath(kBlackMoonTableFile), jd); }

Real ReadPlanetCorrection(int field, Real jd) {
    return ReadPlanetCorrectionAt(rt::ResolvePath(kPlanetTableFile), field, jd);
}

bool LoadedTable::Unchanged(const char* name, std::size_t recordSize, std::int64_t records) const {
    if (!Loaded() || !looked_ || std::string_view(name) != name_ || recordSize != recordSize_ ||
        static_cast<std::uintmax_t>(records) * recordSize > size_)
        return false;
    // The same file (device and inode: a working folder that now resolves the
    // name to another file fails here), of the same size and modification time.
    struct stat st;
    return ::stat(resolved_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == device_ && st.st_ino == inode_ &&
           static_cast<std::uintmax_t>(st.st_size) == size_ && st.st_mtim.tv_sec == mtime_.tv_sec &&
           st.st_mtim.tv_nsec == mtime_.tv_nsec;
}

void LoadedTable::RememberLook(const std::filesystem::path& resolved) {
    // Taken after the read: a change while it ran makes the next look read
    // the file again.
    struct stat st;
    resolved_ = resolved;
    looked_ = ::stat(resolved_.c_str(), &st) == 0 && static_cast<std::uintmax_t>(st.st_size) == size_;
    if (looked_) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
        mtime_ = st.st_mtim;
    }
}

namespace {

// One run of values in a table: `count` little-endian signed values of `width`
// bytes, `stride` bytes apart from `offset`. Each lies within +-limit; two
// neighbours differ by at most `step` (0: any step).
struct ValueRun {
    std::uint64_t offset;
    std::int64_t count;
    std::size_t stride;
    int width;
    std::int64_t limit;
    std::int64_t step;
    std::int64_t perRecord;  // values a record holds, for the message
};

std::string ValueRunDamage(std::string_view bytes, const ValueRun& run) {
    if (run.offset + static_cast<std::uint64_t>(run.count) * run.stride > bytes.size()) return {};
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data()) + run.offset;
    std::int64_t previous = 0;
    for (std::int64_t n = 0; n < run.count; ++n, p += run.stride) {
        const std::int64_t v = run.width == 2 ? Int16At(p) : Int32At(p);
        const std::int64_t record = n / run.perRecord;
        if (v > run.limit || v < -run.limit)
            return "il record " + std::to_string(record) + " vale " + std::to_string(v) +
                   ", fuori dai limiti della tabella";
        if (n > 0 && run.step > 0 && (v - previous > run.step || previous - v > run.step))
            return "al record " + std::to_string(record) + " il valore salta da " + std::to_string(previous) + " a " +
                   std::to_string(v) + ", pi\xF9 di quanto il corpo si sposti";
        previous = v;
    }
    return {};
}

// The bounds of the planet table's fields, field k at index k - 1, arc
// minutes: the generated table keeps well inside each limit (at most three
// quarters of it), and its values move by at most half the step from one
// record to the next.
constexpr std::array<std::int64_t, kPlanetFieldCount> kPlanetFieldLimit = {4, 90, 30, 75, 127, 100, 110, 1700, 30,
                                                                           3, 10, 4,  4,  7,   4,   4,   420};
constexpr std::array<std::int64_t, kPlanetFieldCount> kPlanetFieldStep = {4, 16, 6, 4, 4, 4, 4, 10, 16,
                                                                          3, 6,  4, 4, 4, 4, 4, 4};

}  // namespace

std::string MoonTableDamage(std::string_view bytes) {
    // Arc seconds: the table keeps within -993..38 and moves by 44 a day at most.
    return ValueRunDamage(bytes, {0, kMoonTableRecords, kMoonRecordSize, 2, 1500, 100, 1});
}

std::string BlackMoonTableDamage(std::string_view bytes) {
    // Arc seconds: within +-109,330, at most 22,453 a day.
    return ValueRunDamage(bytes, {0, kBlackMoonTableRecords, kBlackMoonRecordSize, 4, 150000, 40000, 1});
}

std::string MinorTableDamage(std::string_view bytes) {
    // The Moon's latitude, tenths of an arc second: within +-2,092, at most
    // 501 a day.
    std::string damage = ValueRunDamage(bytes, {0, kMoonTableRecords, kMoonLatitudeRecordSize, 2, 3000, 800, 1});
    // Ceres to Chiron, arc seconds: within +-70,428, at most 513 a day.
    for (std::uint64_t body = 0; body < 5 && damage.empty(); ++body)
        damage = ValueRunDamage(bytes, {kMinorBodiesOffset + 4 * body, kMinorTableRecords, kMinorRecordSize, 4, 100000,
                                        1000, 1});
    return damage;
}

std::string LunarTableDamage(std::string_view bytes) {
    // Tenths of an arc second, at each day's start and middle: the true node
    // within +-1,719, at most 584 from one half day to the next; the true
    // black moon within +-5,073 (it breaks off at every day's start).
    std::string damage = ValueRunDamage(bytes, {0, 2 * kNodeFineRecords, kLunarRecordSize / 2, 2, 2500, 1200, 2});
    if (damage.empty())
        damage = ValueRunDamage(bytes,
                                {kBlackMoonFineOffset, 2 * kBlackMoonFineRecords, kLunarRecordSize / 2, 2, 7500, 0, 2});
    return damage;
}

std::string PlanetTableDamage(std::string_view bytes) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (bytes.size() < static_cast<std::size_t>(kPlanetTableRecords) * kPlanetRecordSize) return {};
    PlanetRecord previous;
    for (std::int64_t n = 0; n < kPlanetTableRecords; ++n, p += kPlanetRecordSize) {
        const PlanetRecord r = DecodePlanetRecord(p);
        const Real day = kPlanetTableEpoch + 5.0L * static_cast<Real>(n);
        if (r.julianDay != day) {
            char shown[64];
            std::snprintf(shown, sizeof shown, "%.6Lg", r.julianDay);
            return "il record " + std::to_string(n) + " porta il giorno giuliano " + shown + " invece del giorno " +
                   std::to_string(static_cast<std::int64_t>(day)) + " che gli spetta";
        }
        for (int f = 1; f <= kPlanetFieldCount; ++f) {
            const std::size_t i = PlanetFieldIndex(f);
            const std::int64_t v = r.fields[i];
            if (v > kPlanetFieldLimit[i] || v < -kPlanetFieldLimit[i])
                return "il campo " + std::to_string(f) + " del record " + std::to_string(n) + " vale " +
                       std::to_string(v) + ", fuori dai limiti della tabella";
            if (n > 0 && (v - previous.fields[i] > kPlanetFieldStep[i] || previous.fields[i] - v > kPlanetFieldStep[i]))
                return "al record " + std::to_string(n) + " il campo " + std::to_string(f) + " salta da " +
                       std::to_string(previous.fields[i]) + " a " + std::to_string(v) +
                       ", pi\xF9 di quanto il pianeta si sposti";
        }
        previous = r;
    }
    return {};
}

void LoadedTable::Load(const char* name, std::size_t recordSize, std::int64_t records, TableCheck check) {
    // The table this working folder resolved to last time, of the same size
    // and modification time: two system calls instead of a full check.
    if (Unchanged(name, recordSize, records)) return;
    std::error_code ec;
    const std::filesystem::path resolved = CheckEphemerisTable(name, recordSize, records);
    // Absolute, so that a table of another data folder is never taken for this one.
    const std::filesystem::path path = std::filesystem::absolute(resolved, ec);
    const auto size = std::filesystem::file_size(path, ec);
    const auto time = std::filesystem::last_write_time(path, ec);
    if (Loaded() && path == path_ && size == size_ && time == time_) {
        RememberLook(resolved);
        return;
    }
    std::ifstream in(path, std::ios::binary);
    // A table there but not readable is no short table: its own error.
    if (!in.is_open()) throw rt::IoError(rt::IoCodeFromErrno(errno), name);
    std::string bytes = rt::ReadRest(in);
    if (!in.good() && !in.eof()) throw rt::IoError(rt::kReadBeyondEnd, name);
    if (bytes.size() < static_cast<std::size_t>(records) * recordSize) {
        // Shortened between the check and the read.
        CheckEphemerisTable(name, recordSize, records);
        throw rt::IoError(rt::kReadBeyondEnd, name);
    }
    if (check) {
        const std::string damage = check(bytes);
        if (!damage.empty()) {
            // Nothing of it is kept: the next load reads and checks it again.
            bytes_.clear();
            looked_ = false;
            throw EphemerisTableError(rt::kInvalidNumericInput, name,
                                      {std::string("La tabella di correzione delle effemeridi \"") + name +
                                           "\" \xE8 danneggiata (" + damage +
                                           "): le posizioni non si possono calcolare.",
                                       damage});
        }
    }
    name_ = name;
    recordSize_ = recordSize;
    path_ = path;
    size_ = size;
    time_ = time;
    bytes_ = std::move(bytes);
    RememberLook(resolved);
}

const std::uint8_t* LoadedTable::TwoRecords(std::int64_t n) const {
    if (n < 0) throw rt::IoError(rt::kReadBeyondEnd, name_);
    return Range(n * static_cast<std::int64_t>(recordSize_), 2 * recordSize_);
}

const std::uint8_t* LoadedTable::Range(std::int64_t offset, std::size_t count) const {
    if (offset < 0 || static_cast<std::uint64_t>(offset) + count > bytes_.size())
        throw rt::IoError(rt::kReadBeyondEnd, name_);
    return reinterpret_cast<const std::uint8_t*>(bytes_.data()) + offset;
}

const LoadedTable& EphemerisTables::Table(Which which) {
    Slot& slot = slots_[which];
    if (slot.loaded.load(std::memory_order_acquire)) return slot.table;
    const std::lock_guard<std::mutex> lock(slot.mutex);
    if (!slot.loaded.load(std::memory_order_relaxed)) {
        switch (which) {
            case kMoon:
                LoadSoundTable(slot.table, kMoonTableFile, kMoonRecordSize, kMoonTableRecords, MoonTableDamage);
                break;
            case kPlanets:
                LoadSoundTable(slot.table, kPlanetTableFile, kPlanetRecordSize, kPlanetTableRecords, PlanetTableDamage);
                break;
            case kBlackMoon:
                LoadSoundTable(slot.table, kBlackMoonTableFile, kBlackMoonRecordSize, kBlackMoonTableRecords,
                               BlackMoonTableDamage);
                break;
            case kMinor:
                LoadSoundTable(slot.table, kMinorTableFile, 1, static_cast<std::int64_t>(kMinorTableBytes),
                               MinorTableDamage);
                break;
            case kLunar:
                LoadSoundTable(slot.table, kLunarTableFile, 1, static_cast<std::int64_t>(kLunarTableBytes),
                               LunarTableDamage);
                break;
            case kTableCount: break;
        }
        slot.loaded.store(true, std::memory_order_release);
    }
    return slot.table;
}

void EphemerisTables::Reload() {
    for (Slot& slot : slots_) {
        const std::lock_guard<std::mutex> lock(slot.mutex);
        slot.loaded.store(false, std::memory_order_release);
    }
}

EphemerisTables& ShippedEphemerisTables() {
    static EphemerisTables tables;
    return tables;
}

Real MinorBodyCorrectionFrom(const LoadedTable& table, int body, Real jd) {
    return MinorBodyCorrectionFrom(table, body, jd, MinorTableIndex(jd));
}

Real MinorBodyCorrectionFrom(const LoadedTable& table, int body, Real jd, std::int64_t n) {
    if (body < kCeres || body > kChiron) return 0;
    if (n < 0) throw rt::IoError(rt::kReadBeyondEnd, kMinorTableFile);
    const std::int64_t field = (body - kCeres) * 4;
    const std::uint8_t* r0 =
        table.Range(static_cast<std::int64_t>(kMinorBodiesOffset) + n * static_cast<std::int64_t>(kMinorRecordSize),
                    2 * kMinorRecordSize);
    const Real c0 = Int32At(r0 + field), c1 = Int32At(r0 + kMinorRecordSize + field);
    return (jd - (kMinorTableBase + n)) * (c1 - c0) + c0;
}

Real MoonLatitudeCorrectionFrom(const LoadedTable& table, Real jd) {
    const std::int64_t n = MoonTableIndex(jd);
    if (n < 0) throw rt::IoError(rt::kReadBeyondEnd, kMinorTableFile);
    const std::uint8_t* r =
        table.Range(n * static_cast<std::int64_t>(kMoonLatitudeRecordSize), 2 * kMoonLatitudeRecordSize);
    const Real c0 = Int16At(r), c1 = Int16At(r + 2);
    return ((jd - (kMoonTableBase + n)) * (c1 - c0) + c0) / 10;
}

namespace {

// A part of "FilePosi\DLUN.rnd" of `records` records from byte `offset`, day n
// starting at base + n.
Real LunarCorrectionFrom(const LoadedTable& table, std::uint64_t offset, std::int64_t records, Real base, Real jd) {
    const std::int64_t n = LunarTableDay(jd, base);
    if (n < 0 || n + 1 >= records) throw rt::IoError(rt::kReadBeyondEnd, kLunarTableFile);
    // The day's record and the start of the next.
    const std::uint8_t* r =
        table.Range(static_cast<std::int64_t>(offset) + n * static_cast<std::int64_t>(kLunarRecordSize),
                    kLunarRecordSize + 2);
    return InterpolateDay(jd - (base + n), {static_cast<Real>(Int16At(r)), static_cast<Real>(Int16At(r + 2)),
                                            static_cast<Real>(Int16At(r + kLunarRecordSize))}) /
           10;
}

}  // namespace

Real NodeFineCorrectionFrom(const LoadedTable& table, Real jd) {
    return LunarCorrectionFrom(table, 0, kNodeFineRecords, kNodeFineBase, jd);
}

Real BlackMoonFineCorrectionFrom(const LoadedTable& table, Real jd) {
    return LunarCorrectionFrom(table, kBlackMoonFineOffset, kBlackMoonFineRecords, kBlackMoonFineBase, jd);
}

Real MoonCorrectionFrom(const LoadedTable& table, Real jd) {
    const std::int64_t n = MoonTableIndex(jd);
    const std::uint8_t* buf = table.TwoRecords(n);
    return InterpolateMoon(jd, [&](std::int64_t i) { return Int16At(buf + (i - n) * 2); });
}

Real BlackMoonCorrectionFrom(const LoadedTable& table, Real jd) {
    const std::int64_t n = BlackMoonTableIndex(jd);
    const std::uint8_t* buf = table.TwoRecords(n);
    return InterpolateBlackMoon(jd, [&](std::int64_t i) { return Int32At(buf + (i - n) * 4); });
}

Real PlanetCorrectionFrom(const LoadedTable& table, int field, Real jd) {
    const std::int64_t n = PlanetTableIndex(jd);
    const std::uint8_t* buf = table.TwoRecords(n);
    return InterpolatePlanet(field, jd,
                             [&](std::int64_t i) { return DecodePlanetRecord(buf + (i - n) * kPlanetRecordSize); });
}

EphemerisTableError::EphemerisTableError(int code, const std::string& file, TableProblem problem)
    : rt::IoError(code, file), message_(std::move(problem.message)), detail_(std::move(problem.detail)) {}

std::filesystem::path CheckEphemerisTable(const char* name, std::size_t recordSize, std::int64_t records) {
    const auto path = rt::ResolvePath(name);
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        throw EphemerisTableError(rt::kFileNotFound, name,
                                  {std::string("Manca la tabella di correzione delle effemeridi \"") + name +
                                       "\": le posizioni non si possono calcolare. Riavviare il programma, che "
                                       "ricopia nella cartella dei dati i file forniti con esso.",
                                   {}});
    }
    const auto need = static_cast<std::uintmax_t>(records) * recordSize;
    if (size < need) {
        // Tables read byte by byte count bytes, the others records.
        const std::string unit = recordSize == 1 ? " byte" : " record";
        const std::string detail =
            "ha " + std::to_string(size / recordSize) + unit + " dei " + std::to_string(records) + " che deve avere";
        throw EphemerisTableError(rt::kReadBeyondEnd, name,
                                  {std::string("La tabella di correzione delle effemeridi \"") + name +
                                       "\" \xE8 incompleta (" + detail + "): le posizioni non si possono calcolare.",
                                   detail});
    }
    return path;
}

void LoadSoundTable(LoadedTable& table, const char* name, std::size_t recordSize, std::int64_t records,
                    TableCheck check) {
    try {
        table.Load(name, recordSize, records, check);
        return;
    } catch (const EphemerisTableError& e) {
        if (e.Detail().empty()) throw;  // missing: its own message
        const rt::ShippedFileRepair repair =
            rt::RepairShippedFile({name, e.Detail()}, "Le posizioni non si possono calcolare.");
        if (!repair.restored) throw EphemerisTableError(e.Code(), name, {repair.message, e.Detail()});
        rt::ReportDamagedFile(repair.message);
    }
    try {
        table.Load(name, recordSize, records, check);
    } catch (const EphemerisTableError& e) {
        if (e.Detail().empty()) throw;
        throw EphemerisTableError(
            e.Code(), name,
            {rt::DamagedFileMessage({name, e.Detail()},
                                    "Anche la copia dell'installazione del programma, rimessa al suo posto, \xE8 "
                                    "danneggiata: le posizioni non si possono calcolare. Reinstallare il programma."),
             e.Detail()});
    }
}

}  // namespace engine
