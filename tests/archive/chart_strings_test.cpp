// The chart strings of an archive data record and the archive's own cusps.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/engine_settings.h"
#include "engine/houses.h"
#include "platform/runtime/paths.h"
#include "tests/common/test_support.h"
#include "tools/ephemeris_tables/precise_positions.h"

using namespace archive;

namespace {

// Longitudes by body number (engine/bodies_theory.h), as the archive's strings
// name the bodies; entry 0 unused.
using BodyArray = std::array<Real, engine::kTheoryPointCount + 1>;

// Equal cusps: cusp i at 30 (i - 1) degrees.
HouseCusps EqualCusps(Real first = 0) {
    HouseCusps c;
    for (int i = 1; i <= 12; ++i) c[i] = std::fmod(first + 30 * (i - 1), 360.0L);
    return c;
}

// The bodies of longitudes given by body number (entries 13 and 14 have no body).
ChartBodies Bodies(const BodyArray& longitudes) {
    ChartBodies bodies;
    for (engine::Body b : engine::kBodies) bodies[b].longitude = longitudes[engine::BodyNumberOf(b)];
    return bodies;
}

// Bodies far apart from each other (no aspect among them but as placed).
BodyArray Spread() {
    BodyArray b{};
    for (int i = 1; i <= 14; ++i) b[i] = 3 + 25 * (i - 1) + 0.5L;  // 3.5, 28.5, 53.5, ...
    return b;
}

}  // namespace

TEST(PositionString, HouseBodySignAndTruncatedDegree) {
    BodyArray b{};
    b[1] = 0;        // on the Ascendant: house 12, Aries 00
    b[2] = 29.999L;  // 29 degrees 59.9 minutes: still 29
    b[3] = 30;       // exactly on cusp 2: house 2, Taurus 00
    b[4] = 359.5L;   // Pisces 29
    b[5] = 123.25L;  // Leo 03, house 5
    b[6] = 200;      // Libra 20, house 7
    b[7] = 275.9L;   // Capricorn 05, house 10
    b[8] = 45;
    b[9] = 250;
    b[10] = 330.1L;
    b[11] = 181;
    b[12] = 90;
    std::string s;
    s = EncodeTwelvePositions(Bodies(b), EqualCusps());
    EXPECT_EQ(s,
              "12eA00"
              "01lA29"
              "02mT00"
              "12vP29"
              "05aL03"
              "07gB20"
              "10sC05"
              "02uT15"
              "09nR10"
              "12pP00"
              "07dB01"
              "04hN00");
    EXPECT_EQ(s.size(), 72u);
}

TEST(PositionString, HousesFollowUnequalCusps) {
    HouseCusps c = EqualCusps(100);  // Ascendant at 100: cusp 12 at 70
    BodyArray b{};
    for (int i = 1; i <= 12; ++i) b[i] = 99.5L;
    std::string s;
    s = EncodeTwelvePositions(Bodies(b), c);
    EXPECT_EQ(s.substr(0, 6), "12eN09");
}

TEST(CuspString, SignLetterAndDegreeOfTheShortText) {
    HouseCusps c = EqualCusps();
    c[1] = 45.5L;                           // 15 Taurus 30
    c[2] = 15 + 59.0L / 60 + 40.0L / 3600;  // 15 59' 40": shown as 16 00
    c[3] = 59 + 59.0L / 60 + 40.0L / 3600;  // 29 59' 40" Taurus: stays 29
    c[12] = 359.99L;
    std::string s;
    s = EncodeCuspString(c);
    EXPECT_EQ(s.substr(0, 15), "01T1502A1603T29");
    EXPECT_EQ(s.substr(15, 5), "04N00");  // cusp 4 at 90: Cancer 00
    EXPECT_EQ(s.substr(55, 5), "12P29");
    EXPECT_EQ(s.size(), 60u);
}

TEST(AspectString, OrbBoundsAndRounding) {
    auto aspectOf = [](Real separation) {
        BodyArray b = Spread();
        b[1] = 100;
        b[2] = 100 + separation;
        HouseCusps c = EqualCusps(7.25L);
        std::string s;
        s = EncodeAspectString(Bodies(b), c);
        // Only the Sun-Moon pair is of interest here.
        return s.size() >= 4 && s[0] == 'e' && s[2] == 'l' ? s.substr(0, 4) : std::string();
    };
    EXPECT_EQ(aspectOf(9), "");
    EXPECT_EQ(aspectOf(8.5L), "eKl8");  // half to even
    EXPECT_EQ(aspectOf(8.6L), "eKl9");
    EXPECT_EQ(aspectOf(-3), "eKl3");
    EXPECT_EQ(aspectOf(171), "");
    EXPECT_EQ(aspectOf(172), "eOl8");
    EXPECT_EQ(aspectOf(180), "eOl0");
    EXPECT_EQ(aspectOf(360 - 172), "eOl8");  // separations above 180 are folded
    EXPECT_EQ(aspectOf(112), "");
    EXPECT_EQ(aspectOf(112.5L), "eZl8");
    EXPECT_EQ(aspectOf(127.4L), "eZl7");
    EXPECT_EQ(aspectOf(128), "");
    EXPECT_EQ(aspectOf(84), "");
    EXPECT_EQ(aspectOf(95.5L), "eWl6");
    EXPECT_EQ(aspectOf(56.5L), "eJl4");
    EXPECT_EQ(aspectOf(64), "");
}

TEST(AspectString, PairsAndOrderAndTheFirst31Codes) {
    // Everything at one longitude: every visited pair is a conjunction of orb 0.
    BodyArray b{};
    for (int i = 1; i <= 12; ++i) b[i] = 42;
    HouseCusps c;
    for (int i = 1; i <= 12; ++i) c[i] = 42;
    std::string s;
    s = EncodeAspectString(Bodies(b), c);
    std::string expected;
    const std::string letters = " elmvagsunpdhxy";
    int pairs = 0;
    for (int i = 1; i <= 10; ++i)
        for (int j : {2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14})
            if (j > i) {
                expected += std::string{letters[i], 'K', letters[j], '0'};
                ++pairs;
            }
    EXPECT_EQ(pairs, 65);
    EXPECT_EQ(s, expected.substr(0, 124));
    EXPECT_EQ(s.find('d'), std::string::npos);  // the node never takes part
    EXPECT_EQ(s.find('h'), std::string::npos);  // nor the black moon

    // The Ascendant and the Midheaven together: never a pair of their own.
    b = Spread();
    c = EqualCusps(200);
    c[10] = 200;  // Midheaven on the Ascendant
    s = EncodeAspectString(Bodies(b), c);
    EXPECT_EQ(s.find("xKy"), std::string::npos);
    EXPECT_EQ(s.find("yKx"), std::string::npos);
}

TEST(AspectString, PlutoAndTheAnglesAndAnOrbOfItsOwnPerAspect) {
    // Each aspect with an orb of its own: a swapped bound, orb or operand
    // changes a letter or a digit. Pluto makes the last pairs, with the
    // Ascendant (trine, 3) and the Midheaven (square, 5).
    BodyArray b{};
    b[1] = 318;     // Sun: on the Midheaven, 6
    b[2] = 288;     // Moon: opposite the Ascendant, 8
    b[3] = 0.25L;   // Mercury: Jupiter, Saturn and Uranus on it, exactly
    b[4] = 24.25L;  // Venus: 96.25 from the Moon, no square
    b[5] = 56.25L;  // Mars: 56 from Mercury, no sextile; 128.25 from the Moon, no trine
    b[6] = b[7] = b[8] = b[3];
    b[9] = 155;   // Neptune: sextile Pluto, 2
    b[10] = 217;  // Pluto
    b[11] = 318;  // the node on the Sun and the black moon opposite Pluto take no part
    b[12] = 37;
    HouseCusps c = EqualCusps(100);
    c[10] = 312;
    const std::string expected =
        "eKy6"
        "lOx8"
        "mKg0mKs0mKu0"
        "gKs0gKu0"
        "sKu0"
        "nJp2"
        "pZx3pWy5";
    std::string s, d;
    s = EncodeAspectString(Bodies(b), c);
    d = EncodeAspectStringDouble(Bodies(b), c);
    EXPECT_EQ(s, expected);
    EXPECT_EQ(d, expected);
}

TEST(AspectString, DoubleWidthAgreesAwayFromBounds) {
    BodyArray b{};
    for (int i = 1; i <= 12; ++i) b[i] = std::fmod(17.1234567L * i * i + 0.0123L * i, 360.0L);
    HouseCusps c = EqualCusps(123.4L);
    c[10] = 33.3L;
    std::string a, d;
    a = EncodeAspectString(Bodies(b), c);
    d = EncodeAspectStringDouble(Bodies(b), c);
    EXPECT_EQ(a, d);
    EXPECT_FALSE(a.empty());
}

TEST(ArchiveCusps, AnglesMatchTheHouseComputationAndOppositesAre180Apart) {
    const Real jd = engine::JulianDayNumber(1, 25, 12, 1960, 14, 5) - 1.0L / 24;
    const HouseCusps a = ComputeArchiveCusps("196012251405-1", "52N22-004E54", jd);

    const engine::HouseSystem placidus = engine::ParseHouseSystem("PLACIDO").kind;
    HouseCusps h =
        engine::ComputeHouses(placidus, engine::PlaceOf({4, 54, "E", 52, 22, "N"}), {jd, 14, 5, -1, 0}).cusps;
    EXPECT_NEAR(static_cast<double>(a[1]), static_cast<double>(h[1]), 1e-9);
    EXPECT_NEAR(static_cast<double>(a[10]), static_cast<double>(h[10]), 1e-9);
    for (int i : {2, 3, 11, 12}) EXPECT_NEAR(static_cast<double>(a[i]), static_cast<double>(h[i]), 1e-5) << i;
    for (int i = 1; i <= 6; ++i)
        EXPECT_NEAR(static_cast<double>(std::fmod(a[i] + 180, 360.0L)), static_cast<double>(a[i + 6]), 1e-9);

    // The correction reads the same with a comma or a point; west and south letters.
    const HouseCusps p = ComputeArchiveCusps("196012251405+5.5", "33S52-070W40", jd);
    const HouseCusps q = ComputeArchiveCusps("196012251405+5,5", "33S52-070W40", jd);
    EXPECT_EQ(p, q);
    h = engine::ComputeHouses(placidus, engine::PlaceOf({70, 40, "W", 33, 52, "S"}), {jd, 14, 5, 5.5L, 0}).cusps;
    EXPECT_NEAR(static_cast<double>(p[1]), static_cast<double>(h[1]), 1e-9);
    EXPECT_NEAR(static_cast<double>(p[10]), static_cast<double>(h[10]), 1e-9);

    const HouseCusps w = ComputeArchiveCuspsDouble("196012251405-1", "52N22-004E54", static_cast<double>(jd));
    for (int i = 1; i <= 12; ++i) EXPECT_NEAR(static_cast<double>(w[i]), static_cast<double>(a[i]), 1e-7);
}

TEST(RecordStrings, ComputedAtTheCorrectedMomentFromTheChartState) {
    engine::ChartSettings settings;
    testing_support::TempWorkFolder folder;
    std::filesystem::copy(rt::InstalledDataFolder() / "FilePosi", "FilePosi", std::filesystem::copy_options::recursive);
    settings.node = engine::ParseNodeKind("VERO");
    BirthRecord r;
    r.dateField = MakeDateField("196012251405", -1);
    EXPECT_EQ(r.dateField, "196012251405-1");
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    FillChartStrings(settings, r);
    EXPECT_EQ(r.positionString.size(), 72u);
    EXPECT_EQ(r.cuspString.size(), 60u);
    EXPECT_EQ(r.aspectString.size() % 4, 0u);

    // The same strings from the bodies computed here at clock time + correction.
    const Real jd = engine::JulianDayNumber(1, 25, 12, 1960, 14, 5) - 1.0L / 24;
    const ChartBodies b = engine::ComputeBodies(0, false, jd, engine::BodySettingsOf(settings, HouseCusps{})).bodies;
    const HouseCusps c = ComputeArchiveCusps(r.dateField, "52N22-004E54", jd);
    std::string pos, asp;
    pos = EncodeTwelvePositions(b, c);
    asp = EncodeAspectString(b, c);
    EXPECT_EQ(r.positionString, pos);
    EXPECT_EQ(r.aspectString, asp);
    // The Sun of 25 December stands in Capricorn.
    EXPECT_EQ(r.positionString.substr(2, 2), "eC");
}

TEST(RecordStrings, StoredAspectsAgreeWithThePreciseEphemeris) {
    engine::ChartSettings settings;
    // The aspect string of a stored record against the precise positions of
    // the Sun to Pluto and the precise Placidus Ascendant and Midheaven at the
    // record's moment and place; pairs within 0.05 degrees of a bound or of
    // half a degree of orb could fall either way and are left out.
    testing_support::TempWorkFolder folder;
    std::filesystem::copy(rt::InstalledDataFolder() / "FilePosi", "FilePosi", std::filesystem::copy_options::recursive);
    settings.node = engine::ParseNodeKind("VERO");
    precise::Init();
    for (const char* date : {"197803151430-1", "199107220815-2", "200401301945-1"}) {
        BirthRecord r;
        r.dateField = date;
        r.placeField = "45N28-009E11MILANO";
        r.calendarField = "GR";
        FillChartStrings(settings, r);
        const std::string& s = r.aspectString;
        ASSERT_LT(s.size(), 124u) << date << ": every aspect kept";

        const double jd = static_cast<double>(RecordJulianDay(r.dateField, r.calendarField));
        double p[15] = {};
        for (int b = 1; b <= 10; ++b) {
            const precise::Position pos = precise::At(jd, b);
            ASSERT_TRUE(pos.ok);
            p[b] = pos.lon;
        }
        double cusps[13], ascmc[10];
        swe_houses(jd, 45 + 28.0 / 60, 9 + 11.0 / 60, 'P', cusps, ascmc);
        p[13] = ascmc[0];
        p[14] = ascmc[1];

        // The codes found, by their two points' letters, in the order found.
        std::vector<std::string> codes;
        for (std::size_t k = 0; k + 4 <= s.size(); k += 4) codes.push_back(s.substr(k, 4));
        auto found = [&](char a, char b) -> std::string {
            for (const std::string& c : codes)
                if (c[0] == a && c[2] == b) return c;
            return "";
        };
        int checked = 0, aspects = 0;
        for (int i = 1; i <= 10; ++i) {
            for (int j : {2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14}) {
                if (j <= i) continue;
                double d = std::fabs(std::fmod(p[j] - p[i] + 720.0, 360.0));
                if (d > 180) d = 360 - d;
                const double bounds[] = {9, 56, 64, 84, 96, 112, 128, 171};
                bool unsure = false;
                for (double bound : bounds) unsure = unsure || std::fabs(d - bound) < 0.05;
                char letter = 0;
                double orb = 0;
                if (d > 171)
                    letter = 'O', orb = 180 - d;
                else if (d > 112 && d < 128)
                    letter = 'Z', orb = std::fabs(d - 120);
                else if (d > 84 && d < 96)
                    letter = 'W', orb = std::fabs(d - 90);
                else if (d > 56 && d < 64)
                    letter = 'J', orb = std::fabs(d - 60);
                else if (d < 9)
                    letter = 'K', orb = d;
                unsure = unsure || (letter && std::fabs(orb - std::floor(orb) - 0.5) < 0.05);
                if (unsure) continue;
                ++checked;
                const std::string code = found(kBodyLetters[i - 1], kBodyLetters[j - 1]);
                if (!letter) {
                    EXPECT_EQ(code, "") << date << " pair " << i << "-" << j << " at " << d;
                    continue;
                }
                ++aspects;
                const std::string want{kBodyLetters[i - 1], letter, kBodyLetters[j - 1],
                                       static_cast<char>('0' + static_cast<int>(std::lround(orb)))};
                EXPECT_EQ(code, want) << date << " pair " << i << "-" << j << " at " << d;
            }
        }
        EXPECT_GT(checked, 55) << date;
        EXPECT_GT(aspects, 8) << date;
        // The codes follow the pairs' order: the Sun's first, Pluto's last.
        std::string order = " elmvagsunpxy";
        for (std::size_t k = 1; k < codes.size(); ++k) {
            const auto a = std::make_pair(order.find(codes[k - 1][0]), order.find(codes[k - 1][2]));
            const auto b = std::make_pair(order.find(codes[k][0]), order.find(codes[k][2]));
            EXPECT_LT(a, b) << date << ": " << s;
        }
    }
}

TEST(DateField, CorrectionTextWithDecimalComma) {
    EXPECT_EQ(MakeDateField("196012251405", 1), "196012251405+1");
    EXPECT_EQ(MakeDateField("196012251405", -0.5L), "196012251405-0,5");
    EXPECT_EQ(MakeDateField("196012251405", 0), "196012251405+0");
    EXPECT_EQ(MakeDateField("196012251405", 5.75L), "196012251405+5,75");
    EXPECT_EQ(MakeDateField("196012251405", 1.0L / 3), "196012251405+0,33333");  // cut to 20
    EXPECT_EQ(GeneralRealText(2451545.25L), "2451545,25");
    EXPECT_EQ(ReadDecimalEitherSeparator("+5,5"), 5.5L);
    EXPECT_EQ(ReadDecimalEitherSeparator("-0.5 "), -0.5L);
    EXPECT_FALSE(ReadDecimalEitherSeparator("5,5,5").has_value());
    EXPECT_FALSE(ReadDecimalEitherSeparator("").has_value());
}
