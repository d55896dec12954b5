// Generates the ephemeris correction tables "FilePosi\DSEL.rnd", "DPR1.rnd",
// "NOJLNE.rnd", "DMIN.rnd" and "DLUN.rnd": each value is the precise position minus
// the engine's own uncorrected position at the same instant ("DLUN.rnd": minus
// the position already corrected by "DPR1.rnd" or "NOJLNE.rnd"), so the tables
// must be generated again whenever a formula of the engine changes.
//
//   gen_ephemeris_tables --out <folder> [--ephe <folder>] [--jobs <n>]
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/bodies_theory.h"
#include "engine/ephemeris_tables.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace {

using engine::Real;

std::string gEphePath = precise::kDefaultEphePath;
int gJobs = 3;

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "gen_ephemeris_tables: %s\n", message.c_str());
    std::exit(1);
}

// Shared memory that forked workers fill.
template <typename T>
T* SharedArray(std::size_t count) {
    void* p = mmap(nullptr, count * sizeof(T), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) Fail("out of memory");
    return static_cast<T*>(p);
}

// Runs work(begin, end) over [0, count) in gJobs processes (the precise library
// keeps global state, so the work is shared out between processes, not threads).
void ParallelFor(std::int64_t count, const std::function<void(std::int64_t, std::int64_t)>& work) {
    const int jobs = std::max(1, gJobs);
    std::vector<pid_t> children;
    const std::int64_t chunk = (count + jobs - 1) / jobs;
    for (int j = 0; j < jobs; ++j) {
        const std::int64_t b = j * chunk, e = std::min(count, b + chunk);
        if (b >= e) break;
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid < 0) Fail("cannot start a worker process");
        if (pid == 0) {
            precise::Init(gEphePath.c_str());
            work(b, e);
            std::fflush(nullptr);
            _exit(0);
        }
        children.push_back(pid);
    }
    bool ok = true;
    for (pid_t pid : children) {
        int status = 0;
        if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) ok = false;
    }
    if (!ok) Fail("a worker process failed");
}

// The precise position or a failure of the whole generation.
precise::Position Precise(Real jd, int body) {
    const precise::Position p = precise::At(static_cast<double>(jd), body);
    if (!p.ok) {
        std::fprintf(stderr, "gen_ephemeris_tables: no precise position of body %d at JD %.1f\n", body,
                     static_cast<double>(jd));
        std::fflush(stderr);
        _exit(2);
    }
    return p;
}

// Settings under which the engine gives its own uncorrected values.
engine::BodySettings Uncorrected() {
    engine::BodySettings s;
    s.trueNode = true;
    s.trueBlackMoon = true;
    s.useMoonTable = false;
    s.usePlanetTable = false;
    s.useNodeTable = false;
    s.useBlackMoonTable = false;
    s.useMinorTable = false;
    s.useLunarTable = false;
    return s;
}

// The Moon correction read from the table being generated (the node's own
// value is computed with the corrected Moon, as the program computes it).
class MemoryMoonTable : public engine::CorrectionSource {
public:
    explicit MemoryMoonTable(const std::vector<std::int16_t>& records) : records_(records) {}
    Real MoonCorrection(Real jd) override {
        return engine::InterpolateMoon(jd, [&](std::int64_t n) {
            if (n < 0 || n >= static_cast<std::int64_t>(records_.size())) Fail("Moon table lookup beyond its end");
            return records_[n];
        });
    }
    Real PlanetCorrection(int, Real) override { return 0; }
    Real BlackMoonCorrection(Real) override { return 0; }

private:
    const std::vector<std::int16_t>& records_;
};

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    const auto tmp = std::filesystem::path(path.string() + ".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) Fail("cannot write " + tmp.string());
    }
    std::filesystem::rename(tmp, path);
}

std::int64_t RoundToInt(double v) { return static_cast<std::int64_t>(std::nearbyint(v)); }

// ---- "DSEL.rnd": the Moon's longitude, arc seconds, daily ----
// The difference curve may bend within a day (what the engine's Delta T
// misses, times the Moon's varying speed, and the theory's own short-period
// errors), so each record is the difference at its day shifted by half the
// mean bend of the chords on either side: the interpolated value then errs by
// about half as much, with opposite signs at the records and between them.
// Each record value shifted by half the mean bend of the chords on either side
// (diff at the records, middle halfway to the next record).
// A difference curve: count records, every stride-th value of diff and middle.
struct DiffCurve {
    const double* diff = nullptr;
    const double* middle = nullptr;
    std::int64_t count = 0;
    std::int64_t stride = 1;
};

double ShiftedByHalfBend(const DiffCurve& curve, std::int64_t n) {
    const std::int64_t stride = curve.stride;
    auto bend = [&](std::int64_t k) {
        if (k < 0 || k + 1 >= curve.count) return 0.0;
        return curve.middle[k * stride] - (curve.diff[k * stride] + curve.diff[(k + 1) * stride]) / 2;
    };
    return curve.diff[n * stride] + (bend(n - 1) + bend(n)) / 4;
}

struct MoonTables {
    std::vector<std::int16_t> longitude;  // arc seconds
    std::vector<std::int16_t> latitude;   // tenths of an arc second
};

MoonTables MoonTable() {
    const std::int64_t count = engine::kMoonTableRecords;
    double* diff = SharedArray<double>(count);    // at the records
    double* middle = SharedArray<double>(count);  // half a day later
    double* latDiff = SharedArray<double>(count);
    double* latMiddle = SharedArray<double>(count);
    ParallelFor(count, [&](std::int64_t b, std::int64_t e) {
        const engine::BodySettings s = Uncorrected();
        engine::BodyPositions out;
        auto at = [&](Real jd, double& lon, double& lat) {
            engine::RunBodyComputation({2}, jd, s, nullptr, out);
            const precise::Position p = Precise(jd, engine::kMoon);
            lon = precise::AngleDiff(p.lon, static_cast<double>(out.longitudes[engine::TheoryPoint::Moon])) * 3600.0;
            lat = (p.lat - static_cast<double>(out.latitudes[engine::TheoryPoint::Moon])) * 36000.0;
        };
        for (std::int64_t n = b; n < e; ++n) {
            const Real jd = engine::kMoonTableBase + n;
            at(jd, diff[n], latDiff[n]);
            at(jd + 0.5L, middle[n], latMiddle[n]);
        }
    });
    MoonTables t;
    t.longitude.resize(count);
    t.latitude.resize(count);
    for (std::int64_t n = 0; n < count; ++n) {
        const std::int64_t v = RoundToInt(ShiftedByHalfBend({diff, middle, count}, n));
        if (v < -32768 || v > 21600)
            Fail("Moon correction " + std::to_string(v) + "\" at record " + std::to_string(n) +
                 " does not fit its field");
        t.longitude[n] = static_cast<std::int16_t>(v);
        const std::int64_t w = RoundToInt(ShiftedByHalfBend({latDiff, latMiddle, count}, n));
        if (w < -32768 || w > 32767)
            Fail("Moon latitude correction at record " + std::to_string(n) + " does not fit its field");
        t.latitude[n] = static_cast<std::int16_t>(w);
    }
    for (double* a : {diff, middle, latDiff, latMiddle}) munmap(a, count * sizeof(double));
    return t;
}

void PutLe(std::uint8_t* p, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

// ---- "DMIN.rnd": the Moon's latitude (daily, over the Moon table's span),
// then Ceres to Chiron (daily, over the span the charts keep them) ----
std::vector<std::uint8_t> MinorTable(const std::vector<std::int16_t>& moonLatitude) {
    std::vector<std::uint8_t> bytes(engine::kMinorTableBytes);
    for (std::size_t n = 0; n < moonLatitude.size(); ++n)
        PutLe(bytes.data() + 2 * n, static_cast<std::uint16_t>(moonLatitude[n]), 2);
    const std::int64_t count = engine::kMinorTableRecords;
    constexpr int kBodies = 5;
    double* diff = SharedArray<double>(count * kBodies);
    double* middle = SharedArray<double>(count * kBodies);
    ParallelFor(count, [&](std::int64_t b, std::int64_t e) {
        const engine::BodySettings s = Uncorrected();
        engine::BodyPositions out;
        auto at = [&](Real jd, double* f) {
            for (int body = engine::kCeres; body <= engine::kChiron; ++body) {
                engine::RunBodyComputation({body}, jd, s, nullptr, out);
                f[body - engine::kCeres] =
                    precise::AngleDiff(Precise(jd, body).lon,
                                       static_cast<double>(out.longitudes[engine::TheoryPointOfNumber(body)])) *
                    3600.0;
            }
        };
        for (std::int64_t n = b; n < e; ++n) {
            const Real jd = engine::kMinorTableBase + n;
            at(jd, diff + n * kBodies);
            at(jd + 0.5L, middle + n * kBodies);
        }
    });
    for (std::int64_t n = 0; n < count; ++n) {
        std::uint8_t* rec = bytes.data() + engine::kMinorBodiesOffset + n * engine::kMinorRecordSize;
        for (int f = 0; f < kBodies; ++f) {
            const std::int64_t v = RoundToInt(ShiftedByHalfBend({diff + f, middle + f, count, kBodies}, n));
            PutLe(rec + 4 * f, static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), 4);
        }
    }
    munmap(diff, count * kBodies * sizeof(double));
    munmap(middle, count * kBodies * sizeof(double));
    return bytes;
}

// ---- "DPR1.rnd": planets and true node, arc minutes, every 5 days ----
// Records carry the same shift by half the bend of the neighbouring chords as
// the Moon's (the planets' differences bend within 5 days in early centuries).
std::vector<std::uint8_t> PlanetTable(const std::vector<std::int16_t>& moon) {
    const std::int64_t count = engine::kPlanetTableRecords;
    // Each record's corrections by field, field k at index k - 1.
    constexpr int kFields = engine::kPlanetFieldCount;
    double* diff = SharedArray<double>(count * kFields);    // at the records
    double* middle = SharedArray<double>(count * kFields);  // 2.5 days later
    ParallelFor(count, [&](std::int64_t b, std::int64_t e) {
        engine::BodySettings s = Uncorrected();
        s.useMoonTable = true;
        MemoryMoonTable source(moon);
        engine::BodyPositions out;
        auto at = [&](Real jd, double* f) {
            engine::RunBodyComputation({0}, jd, s, &source, out);
            for (int body = engine::kMercury; body <= engine::kPluto; ++body) {
                const precise::Position p = Precise(jd, body);
                const engine::TheoryPoint at = engine::TheoryPointOfNumber(body);
                f[engine::PlanetFieldIndex(body - 2)] =
                    precise::AngleDiff(p.lon, static_cast<double>(out.longitudes[at])) * 60;
                f[engine::PlanetFieldIndex(body + 7)] = (p.lat - static_cast<double>(out.latitudes[at])) * 60;
            }
            f[engine::PlanetFieldIndex(9)] =
                precise::AngleDiff(Precise(jd, engine::kNode).lon,
                                   static_cast<double>(out.longitudes[engine::TheoryPoint::Node])) *
                60;
        };
        for (std::int64_t n = b; n < e; ++n) {
            const Real jd = engine::kPlanetTableEpoch + 5.0L * n;
            at(jd, diff + n * kFields);
            at(jd + 2.5L, middle + n * kFields);
        }
    });
    auto bend = [&](std::int64_t n, std::size_t i) {
        if (n < 0 || n + 1 >= count) return 0.0;
        return middle[n * kFields + i] - (diff[n * kFields + i] + diff[(n + 1) * kFields + i]) / 2;
    };
    std::vector<std::uint8_t> bytes(count * engine::kPlanetRecordSize);
    for (std::int64_t n = 0; n < count; ++n) {
        engine::PlanetRecord r;
        r.julianDay = engine::kPlanetTableEpoch + 5.0L * n;
        for (int f = 1; f <= engine::kPlanetFieldCount; ++f) {
            const std::size_t i = engine::PlanetFieldIndex(f);
            const std::int64_t v = RoundToInt(diff[n * kFields + i] + (bend(n - 1, i) + bend(n, i)) / 4);
            if (!engine::PlanetFieldFits(f, v) || v > 21600)
                Fail("planet correction " + std::to_string(v) + "' of field " + std::to_string(f) + " at record " +
                     std::to_string(n) + " does not fit its field");
            r.fields[i] = static_cast<std::int32_t>(v);
        }
        if (!engine::EncodePlanetRecord(r, bytes.data() + n * engine::kPlanetRecordSize))
            Fail("record " + std::to_string(n) + " cannot be encoded");
    }
    munmap(diff, count * kFields * sizeof(double));
    munmap(middle, count * kFields * sizeof(double));
    return bytes;
}

// ---- "NOJLNE.rnd": the black moon, arc seconds, daily ----
// Records carry the same shift by half the bend of the neighbouring chords.
std::vector<std::uint8_t> BlackMoonTable() {
    const std::int64_t count = engine::kBlackMoonTableRecords;
    double* diff = SharedArray<double>(count);
    double* middle = SharedArray<double>(count);
    ParallelFor(count, [&](std::int64_t b, std::int64_t e) {
        const engine::BodySettings s = Uncorrected();
        engine::BodyPositions out;
        auto at = [&](Real jd) {
            engine::RunBodyComputation({12}, jd, s, nullptr, out);
            return precise::AngleDiff(Precise(jd, engine::kBlackMoon).lon,
                                      static_cast<double>(out.longitudes[engine::TheoryPoint::BlackMoon])) *
                   3600.0;
        };
        for (std::int64_t n = b; n < e; ++n) {
            const Real jd = engine::kBlackMoonTableBase + n;
            diff[n] = at(jd);
            middle[n] = at(jd + 0.5L);
        }
    });
    std::vector<std::uint8_t> bytes(count * engine::kBlackMoonRecordSize);
    for (std::int64_t n = 0; n < count; ++n) {
        const std::int64_t v = RoundToInt(ShiftedByHalfBend({diff, middle, count}, n));
        if (v < INT32_MIN || v > INT32_MAX) Fail("black-moon correction does not fit its field");
        const auto u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
        for (int i = 0; i < 4; ++i) bytes[n * 4 + i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
    }
    munmap(diff, count * sizeof(double));
    munmap(middle, count * sizeof(double));
    return bytes;
}

// ---- "DLUN.rnd": the true node and the true black moon after "DPR1.rnd" and
// "NOJLNE.rnd", tenths of an arc second, at the start and the middle of each day ----
// What those tables leave is a curve that bends sharply within the days
// between their records and breaks off at each record; the days of this table
// begin on those records, and a parabola through each day's start, middle and
// end follows what is left within the day.
void PutDayValue(std::vector<std::uint8_t>& bytes, std::uint64_t at, double tenths, const char* what) {
    const std::int64_t v = RoundToInt(tenths);
    if (v < -32768 || v > 32767)
        Fail(std::string(what) + " correction " + std::to_string(v / 10) + "\" does not fit its field");
    PutLe(bytes.data() + at, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
}

std::vector<std::uint8_t> LunarTable(const std::vector<std::int16_t>& moon, const std::vector<std::uint8_t>& planets,
                                     const std::vector<std::uint8_t>& blackMoon) {
    std::vector<std::uint8_t> bytes(engine::kLunarTableBytes);
    // The corrections "DPR1.rnd" and "NOJLNE.rnd" give at jd, as the engine
    // reads them (at a record, the record's own value).
    const auto planetRecords = static_cast<std::int64_t>(planets.size() / engine::kPlanetRecordSize);
    auto nodeCorrection = [&](Real jd) {  // arc minutes
        const std::int64_t n = engine::PlanetTableIndex(jd);
        if (n < 0 || n >= planetRecords) Fail("planet table lookup beyond its end");
        const std::uint8_t* r = planets.data() + n * engine::kPlanetRecordSize;
        const engine::PlanetRecord r0 = engine::DecodePlanetRecord(r);
        const engine::PlanetRecord r1 =
            n + 1 < planetRecords ? engine::DecodePlanetRecord(r + engine::kPlanetRecordSize) : r0;
        return engine::InterpolatePlanet(9, jd, r0, r1);
    };
    const auto blackMoonRecords = static_cast<std::int64_t>(blackMoon.size() / engine::kBlackMoonRecordSize);
    auto blackMoonCorrection = [&](Real jd) {  // arc seconds
        return engine::InterpolateBlackMoon(jd, [&](std::int64_t n) {
            if (n < 0 || n >= blackMoonRecords) Fail("black-moon table lookup beyond its end");
            std::uint32_t u = 0;
            for (int i = 3; i >= 0; --i) u = (u << 8) | blackMoon[n * engine::kBlackMoonRecordSize + i];
            return static_cast<std::int32_t>(u);
        });
    };

    auto part = [&](int body, Real base, std::int64_t records, std::uint64_t offset, const char* what) {
        double* v = SharedArray<double>(records * 2);
        ParallelFor(records, [&](std::int64_t b, std::int64_t e) {
            engine::BodySettings s = Uncorrected();
            s.useMoonTable = true;  // the node's series takes the corrected Moon
            MemoryMoonTable source(moon);
            engine::BodyPositions out;
            auto at = [&](Real jd) {
                engine::RunBodyComputation({body}, jd, s, &source, out);
                Real lon = out.longitudes[engine::TheoryPointOfNumber(body)];
                lon += body == engine::kNode ? nodeCorrection(jd) / 60 : blackMoonCorrection(jd) / 3600;
                return precise::AngleDiff(Precise(jd, body).lon, static_cast<double>(lon)) * 36000.0;
            };
            for (std::int64_t n = b; n < e; ++n) {
                v[2 * n] = at(base + n);
                v[2 * n + 1] = at(base + n + 0.5L);
            }
        });
        for (std::int64_t n = 0; n < records; ++n) {
            PutDayValue(bytes, offset + n * engine::kLunarRecordSize, v[2 * n], what);
            PutDayValue(bytes, offset + n * engine::kLunarRecordSize + 2, v[2 * n + 1], what);
        }
        munmap(v, records * 2 * sizeof(double));
    };
    part(engine::kNode, engine::kNodeFineBase, engine::kNodeFineRecords, 0, "true node");
    part(engine::kBlackMoon, engine::kBlackMoonFineBase, engine::kBlackMoonFineRecords, engine::kBlackMoonFineOffset,
         "true black moon");
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path outDir;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            outDir = argv[++i];
        else if (a == "--ephe" && i + 1 < argc)
            gEphePath = argv[++i];
        else if (a == "--jobs" && i + 1 < argc)
            gJobs = std::atoi(argv[++i]);
        else
            Fail("usage: gen_ephemeris_tables --out <folder> [--ephe <folder>] [--jobs <n>]");
    }
    if (outDir.empty()) Fail("no output folder given (--out)");
    std::filesystem::create_directories(outDir);
    precise::Init(gEphePath.c_str());
    if (!precise::At(2451545.0, engine::kMoon).ok) Fail("the precise ephemeris files are not found in " + gEphePath);

    const auto t0 = std::chrono::steady_clock::now();
    const MoonTables moonTables = MoonTable();
    const std::vector<std::int16_t>& moon = moonTables.longitude;
    std::vector<std::uint8_t> moonBytes(moon.size() * 2);
    for (std::size_t n = 0; n < moon.size(); ++n) {
        const auto u = static_cast<std::uint16_t>(moon[n]);
        moonBytes[2 * n] = static_cast<std::uint8_t>(u & 0xFF);
        moonBytes[2 * n + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    const auto planets = PlanetTable(moon);
    const auto blackMoon = BlackMoonTable();
    const auto minor = MinorTable(moonTables.latitude);
    const auto lunar = LunarTable(moon, planets, blackMoon);
    // The program takes a table whose values leave its bounds for a damaged one.
    const struct {
        const char* name;
        engine::TableCheck check;
        const std::vector<std::uint8_t>& bytes;
    } made[] = {{"DSEL.rnd", engine::MoonTableDamage, moonBytes},
                {"DPR1.rnd", engine::PlanetTableDamage, planets},
                {"NOJLNE.rnd", engine::BlackMoonTableDamage, blackMoon},
                {"DMIN.rnd", engine::MinorTableDamage, minor},
                {"DLUN.rnd", engine::LunarTableDamage, lunar}};
    for (const auto& m : made) {
        const std::string damage =
            m.check(std::string_view(reinterpret_cast<const char*>(m.bytes.data()), m.bytes.size()));
        if (!damage.empty()) Fail(std::string(m.name) + " fails the program's own check: " + damage);
    }
    WriteFile(outDir / "DSEL.rnd", moonBytes);
    WriteFile(outDir / "DPR1.rnd", planets);
    WriteFile(outDir / "NOJLNE.rnd", blackMoon);
    WriteFile(outDir / "DMIN.rnd", minor);
    WriteFile(outDir / "DLUN.rnd", lunar);
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("ephemeris correction tables written to %s in %.1f s\n", outDir.c_str(), secs);
    return 0;
}
