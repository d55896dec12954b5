#include "archive/chart_strings.h"

#include <cmath>
#include <cstring>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/houses.h"
#include "engine/position_text.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace archive {

namespace {

using engine::kPi;

int IntAt(const std::string& s, std::size_t start, std::size_t len) {
    int code = 0;
    const std::int32_t v = rt::ValInt(rt::Copy(s, start, len), code);
    return code == 0 ? v : 0;
}

// Degree trigonometry in extended precision; F is the width each result is
// held in (long double, or double for the change dialog's computation).
template <typename F>
struct Trig {
    static F Sin(F x) { return static_cast<F>(std::sin(static_cast<Real>(x) * kPi / 180)); }
    static F Cos(F x) { return static_cast<F>(std::cos(static_cast<Real>(x) * kPi / 180)); }
    static F Tan(F x) { return static_cast<F>(std::tan(static_cast<Real>(x) * kPi / 180)); }
    static F AtanDeg(F v) { return static_cast<F>(std::atan(static_cast<Real>(v)) * 180 / kPi); }
    static F Frac(F x) { return static_cast<F>(rt::Frac(static_cast<Real>(x))); }
    static F Mod(F v, F m) { return static_cast<F>(m * Frac(v / m)); }
};

// The Midheaven formula: atan(tan R / cos eps), into the quadrant of R.
template <typename F>
F MidheavenOf(F r, F eps) {
    using T = Trig<F>;
    F mc = T::AtanDeg(T::Tan(r) / T::Cos(eps));
    if (mc < 0) mc += 180;
    if (r > 180) mc += 180;
    return mc;
}

// The sky of a record's place and moment: the right ascension of the
// Midheaven, the obliquity and the latitude (as the house computation takes
// it), and whether the place lies beyond the polar circles.
template <typename F>
struct LocalSky {
    F ramc;
    F eps;
    F phi;
    bool polar;
};

template <typename F>
LocalSky<F> LocalSkyOf(const std::string& dateField, const std::string& coordinates, F jd) {
    // The record's texts.
    const int latDeg = IntAt(coordinates, 1, 2);
    const std::string latLetter = rt::Copy(coordinates, 3, 1);
    const int latMin = IntAt(coordinates, 4, 2);
    const int lonDeg = IntAt(coordinates, 7, 3);
    const std::string lonLetter = rt::Copy(coordinates, 10, 1);
    const int lonMin = IntAt(coordinates, 11, 2);
    const int hour = IntAt(dateField, 9, 2);
    const int minute = IntAt(dateField, 11, 2);
    // The correction reads with either decimal separator.
    const F correction = static_cast<F>(ReadDecimalEitherSeparator(rt::Copy(dateField, 13, 6)).value_or(0));

    // The sidereal time and the obliquity of the chart's own house computation.
    const F eps = static_cast<F>(engine::TrueObliquity(static_cast<Real>(jd)));
    F lam = static_cast<F>(lonDeg + static_cast<Real>(lonMin) / 60);
    if (lonLetter == "O" || lonLetter == "W") lam = 360 - lam;
    F phi = static_cast<F>(latDeg + static_cast<Real>(latMin) / 60);
    if (latLetter == "S") phi = 360 - phi;

    const F lst =
        static_cast<F>(engine::SiderealTimeHours({static_cast<Real>(jd), hour + static_cast<Real>(minute) / 60 +
                                                                             static_cast<Real>(correction)},
                                                 static_cast<Real>(lam)));
    const Real latitude = latDeg + static_cast<Real>(latMin) / 60;
    return {15 * lst, eps, phi, latitude >= 90 - static_cast<Real>(eps)};
}

template <typename F>
F AscendantOf(const LocalSky<F>& sky) {
    using T = Trig<F>;
    const F x = T::Mod(sky.ramc + 90, 360);
    const F a1 = T::AtanDeg(T::Tan(sky.phi) / T::Cos(x));
    const F a2 = a1 + sky.eps;
    F asc = T::AtanDeg(T::Cos(a1) * T::Tan(x) / T::Cos(a2));
    if (asc < 0) asc += 180;
    if (T::Sin(x) < 0) asc += 180;
    // Beyond the polar circles the formula gives at times the western crossing
    // of horizon and ecliptic, the setting point: the Ascendant is the eastern
    // one, whose right ascension lies less than 180 degrees ahead of RAMC.
    if (sky.polar) {
        const Real a = static_cast<Real>(asc) * kPi / 180, e = static_cast<Real>(sky.eps) * kPi / 180;
        const Real ra = std::atan2(std::sin(a) * std::cos(e), std::cos(a));
        if (std::sin(ra - static_cast<Real>(sky.ramc) * kPi / 180) < 0) asc = T::Mod(asc + 180, 360);
    }
    return asc;
}

// Placidus: the point at fraction f of its semi-arc by five secant steps.
template <typename F>
F PlacidusPoint(const LocalSky<F>& sky, F f) {
    using T = Trig<F>;
    const F ramc = sky.ramc;
    const F k = -T::Tan(sky.phi) * T::Tan(sky.eps);
    auto g = [&](F v) { return static_cast<F>(k * T::Sin(ramc + f * v) - T::Cos(v)); };
    F x0 = static_cast<F>(0.000001L), x1 = static_cast<F>(180.0001L);
    F g0 = g(x0), g1 = g(x1);
    for (int step = 0; step < 5; ++step) {
        F den = g1 - g0;
        if (den == 0) den = static_cast<F>(0.000001L);
        const F x2 = x1 - g1 * (x1 - x0) / den;
        x0 = x1;
        g0 = g1;
        x1 = x2;
        g1 = g(x1);
    }
    F r = f * x1 + ramc;
    if (r < 0) r += 360;
    r = T::Mod(r, 360);
    return MidheavenOf<F>(r, sky.eps);
}

template <typename F>
HouseCusps ArchiveCusps(const std::string& dateField, const std::string& coordinates, F jd) {
    using T = Trig<F>;
    const LocalSky<F> sky = LocalSkyOf<F>(dateField, coordinates, jd);
    const F mc = MidheavenOf<F>(sky.ramc, sky.eps);
    const F asc = AscendantOf<F>(sky);
    const bool polar = sky.polar;
    auto point = [&](F f) { return PlacidusPoint<F>(sky, f); };

    // By house number 1..12.
    struct Cusps {
        std::array<F, engine::kHouseCount> c{};
        F& operator[](int house) { return c[static_cast<std::size_t>(house - 1)]; }
    } c;
    c[1] = asc;
    c[10] = mc;
    if (polar) {
        // No semi-arcs there: the Porphyry cusps stand in, each quadrant
        // between the angles divided in three, as the chart's houses do.
        F d = asc - mc;
        if (d < 0) d += 360;
        const F e = 180 - d;
        c[11] = T::Mod(mc + d / 3, 360);
        c[12] = T::Mod(mc + 2 * d / 3, 360);
        c[2] = T::Mod(asc + e / 3, 360);
        c[3] = T::Mod(asc + 2 * e / 3, 360);
    } else {
        c[11] = point(static_cast<F>(1.0L / 3));
        c[12] = point(static_cast<F>(2.0L / 3));
        c[2] = T::Mod(point(static_cast<F>(-2.0L / 3)) + 180, 360);
        c[3] = T::Mod(point(static_cast<F>(-1.0L / 3)) + 180, 360);
    }
    for (int i = 1; i <= 3; ++i) c[i + 6] = T::Mod(c[i] + 180, 360);
    for (int i = 10; i <= 12; ++i) c[i - 6] = T::Mod(c[i] + 180, 360);
    HouseCusps cusps;
    for (int i = 1; i <= 12; ++i) cusps[i] = c[i];
    return cusps;
}

template <typename F>
std::string AspectString(const ChartBodies& bodies, const HouseCusps& cusps) {
    // By body number: the Sun to Pluto, then the Ascendant and the Midheaven
    // (13 and 14); the node and the black moon take no part.
    engine::TheoryTable p{};
    for (int i = 1; i <= 10; ++i) p[engine::TheoryPointOfNumber(i)] = bodies[engine::BodyOfNumber(i)].longitude;
    p[engine::TheoryPoint::Ascendant] = cusps[1];
    p[engine::TheoryPoint::Descendant] = cusps[10];
    std::string text;
    for (int i = 1; i <= 10; ++i) {
        for (int j = i + 1; j <= 14; ++j) {
            if (j == 11 || j == 12) continue;
            F d = static_cast<F>(p[engine::TheoryPointOfNumber(j)] - p[engine::TheoryPointOfNumber(i)]);
            if (d < 0) d += 360;
            if (d > 180) d = 360 - d;
            char letter = 0;
            F orb = 0;
            if (d > 171) {
                letter = 'O';
                orb = 180 - d;
            } else if (d > 112 && d < 128) {
                letter = 'Z';
                orb = std::fabs(d - 120);
            } else if (d > 84 && d < 96) {
                letter = 'W';
                orb = std::fabs(d - 90);
            } else if (d > 56 && d < 64) {
                letter = 'J';
                orb = std::fabs(d - 60);
            } else if (d < 9) {
                letter = 'K';
                orb = d;
            }
            if (!letter) continue;
            const std::string orbText = std::to_string(rt::Round(orb));
            std::string code{kBodyLetters[i - 1], letter, kBodyLetters[j - 1], orbText[0]};
            text = rt::CutTo(text + code, 160);
        }
    }
    return rt::CutTo(text, kAspectStringCapacity);
}

}  // namespace

HouseCusps ComputeArchiveCusps(const std::string& dateField, const std::string& coordinates, Real julianDay) {
    return ArchiveCusps<Real>(dateField, coordinates, julianDay);
}

HouseCusps ComputeArchiveCuspsDouble(const std::string& dateField, const std::string& coordinates, double julianDay) {
    return ArchiveCusps<double>(dateField, coordinates, julianDay);
}

std::string EncodeTwelvePositions(const ChartBodies& bodies, const HouseCusps& cusps) {
    std::string text;
    for (int b = 1; b <= 12; ++b) {
        const Real longitude = bodies[engine::BodyOfNumber(b)].longitude;
        const int house = engine::HouseOfPoint(longitude, cusps, 0);
        long long d = rt::Trunc(longitude) % 360;
        if (d < 0) d += 360;
        text += rt::ZeroPad(house, 2);
        text += kBodyLetters[b - 1];
        text += kSignLetters[d / 30];
        text += rt::ZeroPad(d % 30, 2);
    }
    return rt::CutTo(text, kPositionStringCapacity);
}

std::string EncodeCuspString(const HouseCusps& cusps) {
    std::string text;
    for (int i = 1; i <= 12; ++i) {
        std::string pos;
        engine::FormatSignPosShort(0, pos, cusps[i]);
        const std::string abbreviation = rt::Copy(pos, 3, 3);
        char letter = ' ';
        for (int s = 1; s <= 12; ++s)
            if (abbreviation == engine::kSignAbbreviations[engine::SignOfNumber(s)]) letter = kSignLetters[s - 1];
        text += rt::ZeroPad(i, 2) + letter + rt::Copy(pos, 1, 2);
    }
    return rt::CutTo(text, kCuspStringCapacity);
}

std::string EncodeAspectString(const ChartBodies& bodies, const HouseCusps& cusps) {
    return AspectString<Real>(bodies, cusps);
}

std::string EncodeAspectStringDouble(const ChartBodies& bodies, const HouseCusps& cusps) {
    return AspectString<double>(bodies, cusps);
}

Real RecordJulianDay(const std::string& dateField, const std::string& calendarField) {
    const Real year = IntAt(dateField, 1, 4);
    const Real month = IntAt(dateField, 5, 2);
    const Real day = IntAt(dateField, 7, 2);
    const Real hour = IntAt(dateField, 9, 2);
    const Real minute = IntAt(dateField, 11, 2);
    const Real correction = ReadDecimalEitherSeparator(rt::Copy(dateField, 13, 8)).value_or(0);
    const int calendar = rt::Copy(calendarField, 1, 2) == "GR" ? 1 : 0;
    return engine::JulianDayNumber(calendar, day, month, year, hour, minute) + correction / 24;
}

ChartStrings ComputeChartStrings(const engine::ChartSettings& settings, const std::string& dateField,
                                 const std::string& placeField, Real julianDay, bool doubleWidth) {
    const ChartBodies bodies =
        engine::ComputeBodies(0, false, julianDay, engine::BodySettingsOf(settings, HouseCusps{})).bodies;
    const std::string coordinates = rt::Copy(placeField, 1, 12);
    const HouseCusps cusps = doubleWidth
                                 ? ComputeArchiveCuspsDouble(dateField, coordinates, static_cast<double>(julianDay))
                                 : ComputeArchiveCusps(dateField, coordinates, julianDay);
    return {.positions = EncodeTwelvePositions(bodies, cusps),
            .cusps = EncodeCuspString(cusps),
            .aspects = doubleWidth ? EncodeAspectStringDouble(bodies, cusps) : EncodeAspectString(bodies, cusps)};
}

ChartStrings FillChartStrings(const engine::ChartSettings& settings, BirthRecord& record, bool doubleWidth) {
    const Real jd = RecordJulianDay(record.dateField, record.calendarField);
    ChartStrings s = ComputeChartStrings(settings, record.dateField, record.placeField, jd, doubleWidth);
    record.positionString = s.positions;
    record.cuspString = s.cusps;
    record.aspectString = s.aspects;
    return s;
}

}  // namespace archive
