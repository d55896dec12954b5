#pragma once
// The texts a computed chart shows, for holding the engine's answers against
// those it gave before: tools/chart_texts/main.cpp writes them for a sample of
// charts into tests/fixtures/engine/chart_texts.z, and
// tests/engine/chart_texts_test.cpp computes them again and compares.
//
// A chart is computed as the program computes a person's: the houses of the
// chart's system from the clock time, the zone and the place, then every body
// with its retrograde mark. Its texts are those the chart window, the sheets
// and the position hand-off file make of it: every body's place in its sign
// (degrees and minutes), its retrograde mark and its house; the absolute
// longitude (degrees and four decimals) and the latitude of the Sun to Saturn
// and the node's longitude; each cusp's place in its sign and the Ascendant's
// and the Midheaven's absolute longitudes; and the major aspects between the
// eleven chart points with their deviation (two decimals).
//
// Each text comes with the way it is made from its value, so that a text that
// differs can be made again from the value moved a little either way: a
// difference is allowed only where the value lies that close to a boundary
// between two texts. Left out are the positions the chart window writes with
// fifteen significant digits into its temporary file ("FileTmp\DatiNasc.Tmp",
// read back for its birth data alone): two such texts lie 10^-12 degrees
// apart, so every value lies that close to a boundary.
//
// The fixture keeps each text as a small number that gives the text back
// exactly (EncodeText and DecodeText, checked for every text when the fixture
// is written), so that 20,000 charts take a few megabytes.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/chart_computation.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "engine/position_text.h"

namespace chart_texts {

using engine::Real;

// What a chart is computed from.
struct ChartInput {
    int day = 1, month = 1, year = 2000, hour = 0, minute = 0;
    int zoneHalfHours = 0;  // the zone correction (hours added to the clock time) in half hours
    int latDeg = 0, latMin = 0, lonDeg = 0, lonMin = 0;
    char latLetter = 'N', lonLetter = 'E';
    const char* system = "PLACIDO";
    bool trueNode = true, trueBlackMoon = true;
};

// "DD/MM/YYYY HH:MM zone LLxMM LLLxMM SYSTEM NODE BLACKMOON", zone in half hours.
inline std::string InputText(const ChartInput& c) {
    char text[160];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d %+d %02d%c%02d %03d%c%02d %s %s %s", c.day, c.month,
                  c.year, c.hour, c.minute, c.zoneHalfHours, c.latDeg, c.latLetter, c.latMin, c.lonDeg, c.lonLetter,
                  c.lonMin, c.system, c.trueNode ? "VERO" : "MEDIO", c.trueBlackMoon ? "VERA" : "MEDIA");
    return text;
}

inline constexpr const char* kSystems[] = {"PLACIDO",     "KOCH",       "REGIOMONT", "PORFIRIO", "CAMPANO",
                                           "CASE_UGUALI", "CASE_MEDIE", "MORINO",    "ALCABIZIO"};

// A fixed pseudo-random sequence (splitmix64): the same sample on every machine.
class Sequence {
public:
    explicit Sequence(std::uint64_t seed) : state_(seed) {}
    // A whole number in [0, n).
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// The sample of `count` charts drawn from `seed`: days from 1800 to 2100 at
// every clock time and zone, places at every latitude and longitude, the
// house systems in turn, the true and the mean node and black moon in turn.
inline std::vector<ChartInput> SampleCharts(std::uint64_t seed, int count) {
    Sequence random(seed);
    std::vector<ChartInput> sample;
    for (int i = 0; i < count; ++i) {
        ChartInput in;
        in.year = 1800 + random.Below(301);
        in.month = 1 + random.Below(12);
        in.day = 1 + random.Below(engine::DaysInMonth(in.month, in.year, true));
        in.hour = random.Below(24);
        in.minute = random.Below(60);
        in.zoneHalfHours = random.Below(49) - 24;
        in.latDeg = random.Below(90);
        in.latMin = random.Below(60);
        in.latLetter = random.Below(2) ? 'S' : 'N';
        in.lonDeg = random.Below(180);
        in.lonMin = random.Below(60);
        in.lonLetter = random.Below(2) ? 'O' : 'E';
        in.system = kSystems[i % 9];
        in.trueNode = (i / 9) % 2 == 0;
        in.trueBlackMoon = (i / 18) % 2 == 0;
        sample.push_back(in);
    }
    return sample;
}

// The kinds of text, each with its own form.
enum class Kind : std::uint8_t {
    Absolute,      // "137.9769": degrees and decimals, eight characters
    SignPosition,  // "17°59' Leeuw ": degrees and minutes in the sign, and the sign
    Latitude,      // "04° 59' Noord"
    Mark,          // "r" or " "
    House,         // "1".."12"
    Aspect,        // "3 4.83": kind 1..5 and deviation; "" for none
};
inline constexpr int kKinds = 6;

// Bytes of the number that keeps a text of each kind.
inline int CodeBytes(Kind k) { return k == Kind::Absolute ? 4 : 2; }

// One text and how it is made again from its value moved by `shift` (degrees).
struct ShownText {
    Kind kind;
    std::string what;  // which text, for a message
    std::string text;
    std::function<std::string(Real shift)> remake;
};

// Aries first.
inline constexpr const char* kSignNames[12] = {"Ram",        "Stier",    "Tweelingen", "Kreeft",
                                               "Leeuw",      "Maagd",    "Weegschaal", "Schorpioen",
                                               "Boogschutt", "Steenbok", "Waterman",   "Vissen"};

inline std::string TwoDigits(std::uint32_t v) {
    std::string t = std::to_string(v);
    return t.size() < 2 ? "0" + t : t;
}

// The text of each kind from its number.
inline std::string DecodeText(Kind kind, std::uint32_t code) {
    switch (kind) {
        case Kind::Absolute: {
            std::string digits = std::to_string(code / 8);
            digits.insert(0, 7 - std::min<std::size_t>(7, digits.size()), '0');
            return digits.insert(code % 8, ".");
        }
        case Kind::SignPosition:
            return TwoDigits(code % 1800 / 60) + "\xB0" + TwoDigits(code % 60) + "' " +
                   kSignNames[std::min<std::uint32_t>(11, code / 1800)] + " ";
        case Kind::Latitude:
            return TwoDigits(code / 2 / 60) + "\xB0 " + TwoDigits(code / 2 % 60) + "' " +
                   (code % 2 ? "Zuid " : "Noord");
        case Kind::Mark: return code ? "r" : " ";
        case Kind::House: return std::to_string(code);
        case Kind::Aspect: {
            if (code == 0) return "";
            const std::uint32_t d = code % 1000;
            return std::to_string(code / 1000) + " " + std::to_string(d / 100) + "." + TwoDigits(d % 100);
        }
    }
    return "";
}

inline std::optional<int> Digits(const std::string& t, std::size_t at, std::size_t n) {
    if (at + n > t.size()) return std::nullopt;
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

// The number that keeps a text; nothing when the text has no number that
// gives it back exactly.
inline std::optional<std::uint32_t> EncodeText(Kind kind, const std::string& t) {
    std::optional<std::uint32_t> code;
    switch (kind) {
        case Kind::Absolute: {
            const std::size_t dot = t.find('.');
            if (t.size() != 8 || dot == std::string::npos || dot == 0) break;
            const std::string digits = t.substr(0, dot) + t.substr(dot + 1);
            if (auto v = Digits(digits, 0, 7)) code = static_cast<std::uint32_t>(*v) * 8 + dot;
            break;
        }
        case Kind::SignPosition: {
            const auto deg = Digits(t, 0, 2), min = Digits(t, 3, 2);
            for (int s = 0; s < 12 && deg && min && *deg < 30 && *min < 60; ++s)
                if (t.size() > 7 && t.substr(7) == std::string(kSignNames[s]) + " ")
                    code = static_cast<std::uint32_t>(s * 1800 + *deg * 60 + *min);
            break;
        }
        case Kind::Latitude: {
            const auto deg = Digits(t, 0, 2), min = Digits(t, 4, 2);
            if (deg && min && *min < 60)
                code = static_cast<std::uint32_t>((*deg * 60 + *min) * 2 + (t.ends_with("Zuid ") ? 1 : 0));
            break;
        }
        case Kind::Mark: code = t == "r" ? 1 : 0; break;
        case Kind::House:
            if (auto h = Digits(t, 0, t.size()); h && !t.empty() && t.size() <= 2)
                code = static_cast<std::uint32_t>(*h);
            break;
        case Kind::Aspect:
            if (t.empty()) {
                code = 0;
            } else if (t.size() == 6 && t[1] == ' ' && t[3] == '.') {
                const auto k = Digits(t, 0, 1), units = Digits(t, 2, 1), hundredths = Digits(t, 4, 2);
                if (k && units && hundredths && *k >= 1)
                    code = static_cast<std::uint32_t>(*k * 1000 + *units * 100 + *hundredths);
            }
            break;
    }
    if (code && DecodeText(kind, *code) != t) return std::nullopt;
    return code;
}

// The orbs of the aspects: conjunction, sextile, square, trine, opposition.
inline constexpr Real kOrbs[5] = {8, 4, 7, 6, 9};

inline std::string AbsoluteText(Real x) {
    std::string t;
    engine::FloatToTextDec(8, t, x);
    return t.substr(0, 8);
}

inline std::string SignText(Real x) {
    std::string t;
    engine::FormatSignPosLong(t, " ", x);
    return t;
}

inline std::string LatitudeText(Real x) {
    std::string t;
    engine::FormatLatitudeText(t, x);
    return t;
}

// The aspect of two points as the aspect list names it: its kind (1
// conjunction .. 5 opposition) and its deviation from the exact angle; ""
// for none. `shift` moves their distance.
inline std::string AspectText(Real first, Real second, Real shift) {
    Real d = second - first;
    if (d < 0) d += 360;
    if (d > 180) d = 360 - d;
    d += shift;
    struct Major {
        int angle, orb, kind;
    };
    static constexpr Major kMajor[] = {{180, 4, 5}, {120, 3, 4}, {90, 2, 3}, {60, 1, 2}};
    for (const Major& a : kMajor) {
        if (a.angle - kOrbs[a.orb] < d && d < a.angle + kOrbs[a.orb]) {
            std::string t;
            engine::FloatToTextDec(4, t, std::fabs(d - a.angle));
            return std::to_string(a.kind) + " " + t;
        }
    }
    if (d < kOrbs[0]) {
        std::string t;
        engine::FloatToTextDec(4, t, std::fabs(d));
        return "1 " + t;
    }
    return "";
}

// The chart of the input's moment, place and settings, as the program computes
// a person's.
inline engine::Chart ChartOfInput(const ChartInput& in) {
    engine::Moment m;
    m.gregorian = true;
    m.zoneCorrection = in.zoneHalfHours / 2.0L;
    m.day = in.day;
    m.month = in.month;
    m.year = in.year;
    m.hour = in.hour;
    m.minute = in.minute;
    m.julianDay = engine::JulianDayNumber(1, m.day, m.month, m.year, m.hour, m.minute) + m.zoneCorrection / 24;
    const engine::Place place = engine::PlaceOf(
        {in.lonDeg, in.lonMin, std::string(1, in.lonLetter), in.latDeg, in.latMin, std::string(1, in.latLetter)});
    engine::ChartSettings settings;
    settings.houseSystem = engine::ParseHouseSystem(in.system);
    settings.node = engine::ParseNodeKind(in.trueNode ? "VERO" : "MEDIO");
    settings.blackMoon = engine::ParseBlackMoonKind(in.trueBlackMoon ? "VERA" : "MEDIA");
    return engine::ComputeChart(m, place, settings);
}

// The retrograde rule's comparison for body b (by body number) of the chart
// just computed: the longitude a moment later less the chart's (degrees).
inline Real RetrogradeGap(const engine::Chart& chart, int b) {
    const engine::Body body = engine::BodyOfNumber(b);
    const Real later = engine::ComputeBodies(0, true, chart.moment.julianDay + 0.001L,
                                             engine::BodySettingsOf(chart.settings, chart.cusps))
                           .bodies[body]
                           .longitude;
    return later - chart.bodies[body].longitude;
}

// The bodies the engine computes, by body number.
inline constexpr int kBodies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19};

// Computes the chart of `in` and returns its texts, always the same kinds in
// the same order.
inline std::vector<ShownText> ComputeChartTexts(const ChartInput& in) {
    const std::shared_ptr<const engine::Chart> chart = std::make_shared<engine::Chart>(ChartOfInput(in));
    const engine::Chart& c = *chart;

    std::vector<ShownText> shown;
    auto add = [&](Kind kind, std::string what, std::function<std::string(Real)> remake) {
        std::string text = remake(0);
        shown.push_back({kind, std::move(what), std::move(text), std::move(remake)});
    };
    const engine::HouseCusps cusps = c.cusps;
    for (int b : kBodies) {
        const std::string body = "body " + std::to_string(b);
        const engine::BodyPosition& position = c.bodies[engine::BodyOfNumber(b)];
        const Real lon = position.longitude;
        const bool retrograde = position.retrograde;
        const Real lat = position.latitude;
        add(Kind::SignPosition, body + " sign position", [lon](Real s) { return SignText(lon + s); });
        // The rule marks a body whose later longitude is smaller, by less than 5 degrees.
        add(Kind::Mark, body + " retrograde mark", [retrograde, b, chart](Real s) -> std::string {
            if (s == 0) return retrograde ? "r" : " ";
            const Real gap = RetrogradeGap(*chart, b) + s;
            return gap < 0 && std::fabs(gap) < 5 ? "r" : " ";
        });
        add(Kind::House, body + " house",
            [lon, cusps](Real s) { return std::to_string(engine::HouseOfPoint(engine::Mod360(lon + s), cusps, 0)); });
        if (b <= engine::kSaturn || b == engine::kNode)
            add(Kind::Absolute, body + " longitude", [lon](Real s) { return AbsoluteText(lon + s); });
        if (b <= engine::kSaturn)
            add(Kind::Latitude, body + " latitude", [lat](Real s) { return LatitudeText(lat + s); });
    }
    for (int k = 1; k <= 12; ++k)
        add(Kind::SignPosition, "cusp " + std::to_string(k),
            [x = cusps[k]](Real s) { return SignText(engine::Mod360(x + s)); });
    const Real asc = c.points.ascendant;
    const Real mc = c.points.midheaven;
    add(Kind::Absolute, "Ascendant longitude", [asc](Real s) { return AbsoluteText(asc + s); });
    add(Kind::Absolute, "Midheaven longitude", [mc](Real s) { return AbsoluteText(mc + s); });

    // The chart points: the Sun to Saturn, the north and south nodes, the
    // Ascendant and the Midheaven.
    const engine::PointLongitudes points = engine::PointLongitudesOf(c);
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size(); ++j)
            add(Kind::Aspect, "aspect of points " + std::to_string(i + 1) + " and " + std::to_string(j + 1),
                [a = points[i], b = points[j]](Real s) { return AspectText(a, b, s); });
    return shown;
}

// The texts of a sample, kept as numbers: codes[t][c] keeps text t of chart c.
struct Fixture {
    std::uint64_t seed = 0;
    std::uint32_t charts = 0;
    std::vector<Kind> kinds;  // of each text of a chart
    std::vector<std::vector<std::uint32_t>> codes;
};

// The fixture's bytes before compression: "KCT1", the seed (8 bytes), the
// count of charts and of texts a chart (4 bytes each), the kind of each text
// (a byte each), then for each text its numbers for every chart, the lowest
// bytes of all charts first; all little-endian.
inline std::string PackFixture(const Fixture& f) {
    std::string bytes = "KCT1";
    auto put = [&](std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(f.seed, 8);
    put(f.charts, 4);
    put(f.kinds.size(), 4);
    for (Kind k : f.kinds) put(static_cast<std::uint8_t>(k), 1);
    for (std::size_t t = 0; t < f.kinds.size(); ++t)
        for (int b = 0; b < CodeBytes(f.kinds[t]); ++b)
            for (std::uint32_t c = 0; c < f.charts; ++c) put(f.codes[t][c] >> (8 * b), 1);
    return bytes;
}

inline std::optional<Fixture> UnpackFixture(const std::string& bytes) {
    std::size_t at = 4;
    auto get = [&](int n) -> std::optional<std::uint64_t> {
        if (at + n > bytes.size()) return std::nullopt;
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
        at += n;
        return v;
    };
    if (bytes.compare(0, 4, "KCT1") != 0) return std::nullopt;
    Fixture f;
    const auto seed = get(8), charts = get(4), texts = get(4);
    if (!seed || !charts || !texts) return std::nullopt;
    f.seed = *seed;
    f.charts = static_cast<std::uint32_t>(*charts);
    for (std::uint64_t t = 0; t < *texts; ++t) {
        const auto k = get(1);
        if (!k || *k >= kKinds) return std::nullopt;
        f.kinds.push_back(static_cast<Kind>(*k));
    }
    f.codes.assign(f.kinds.size(), std::vector<std::uint32_t>(f.charts, 0));
    for (std::size_t t = 0; t < f.kinds.size(); ++t)
        for (int b = 0; b < CodeBytes(f.kinds[t]); ++b)
            for (std::uint32_t c = 0; c < f.charts; ++c) {
                const auto v = get(1);
                if (!v) return std::nullopt;
                f.codes[t][c] |= static_cast<std::uint32_t>(*v) << (8 * b);
            }
    if (at != bytes.size()) return std::nullopt;
    return f;
}

}  // namespace chart_texts
