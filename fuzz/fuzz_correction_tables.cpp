// Fuzzes the reading of the ephemeris correction tables ("FilePosi\DSEL.rnd",
// "FilePosi\DPR1.rnd", "FilePosi\NOJLNE.rnd", "FilePosi\DMIN.rnd",
// "FilePosi\DLUN.rnd"): the input's
// bytes stand for the records around the moment asked for, decoded and
// interpolated as the bodies' computation reads them.
#include <cstring>

#include "engine/ephemeris_tables.h"
#include "fuzz/fuzz_driver.h"

namespace {
std::uint8_t ByteAt(const std::string& s, std::size_t i) {
    return s.empty() ? 0 : static_cast<std::uint8_t>(s[i % s.size()]);
}

void Run(const std::vector<std::string>& files) {
    const std::string& b = files[0];
    // The moment: a day within the tables' span and a fraction of it.
    const std::int64_t day = (ByteAt(b, 0) | ByteAt(b, 1) << 8 | ByteAt(b, 2) << 16) % 140000;
    const engine::Real frac = ByteAt(b, 3) / 256.0L;
    const engine::Real jd = 2396758.5L + day + frac;

    auto bytesAt = [&](std::int64_t index, std::size_t size, std::uint8_t* out) {
        for (std::size_t k = 0; k < size; ++k) out[k] = ByteAt(b, 4 + static_cast<std::size_t>(index) * size + k);
    };
    const engine::Real moon = engine::InterpolateMoon(jd, [&](std::int64_t i) {
        std::uint8_t r[2];
        bytesAt(i & 1, 2, r);
        return static_cast<std::int16_t>(r[0] | r[1] << 8);
    });
    const engine::Real black = engine::InterpolateBlackMoon(jd, [&](std::int64_t i) {
        std::uint8_t r[4];
        bytesAt(i & 1, 4, r);
        std::uint32_t v = r[0] | r[1] << 8 | r[2] << 16 | std::uint32_t(r[3]) << 24;
        return static_cast<std::int32_t>(v);
    });
    engine::Real sum = moon + black;
    for (int field = 1; field <= 17; ++field) {
        sum += engine::InterpolatePlanet(field, jd, [&](std::int64_t i) {
            std::uint8_t r[engine::kPlanetRecordSize];
            bytesAt(i & 1, engine::kPlanetRecordSize, r);
            return engine::DecodePlanetRecord(r);
        });
    }
    // A day of "DLUN.rnd": its start and middle, and the next day's start.
    std::uint8_t d[6];
    bytesAt(0, 6, d);
    auto int16 = [&](int k) { return static_cast<engine::Real>(static_cast<std::int16_t>(d[k] | d[k + 1] << 8)); };
    sum += engine::InterpolateDay(frac, {int16(0), int16(2), int16(4)});
    volatile engine::Real keep = sum;
    (void)keep;
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
