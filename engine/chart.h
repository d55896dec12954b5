#pragma once
// A chart as one value: the moment and the place it is cast for, the settings
// it is computed with, a position for every body, the lunar nodes and the
// angles as named points, and the twelve house cusps. The engine computes a
// chart and returns it (engine/chart_computation.h); a second chart (another
// house system, another moment) is a second value beside the first. The
// birth data the archive keeps beside a chart and the aspect orbs it is read
// with are values of their own.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace engine {

using Real = long double;

// The pi of the old run-time's extended reals, and one degree in radians in
// the same reals: the angles the house computation hands back through
// radians keep their last bit with it.
constexpr Real kPi = 3.14159265358979323851L;
constexpr Real kDegToRad = kPi / 180;

// Values indexed by an enumeration: one for each of its first N enumerators,
// the first at 0.
template <typename Index, typename T, std::size_t N>
struct EnumTable {
    std::array<T, N> values{};
    constexpr T& operator[](Index i) { return values[static_cast<std::size_t>(i)]; }
    constexpr const T& operator[](Index i) const { return values[static_cast<std::size_t>(i)]; }
    static constexpr std::size_t size() { return N; }
    constexpr auto begin() { return values.begin(); }
    constexpr auto end() { return values.end(); }
    constexpr auto begin() const { return values.begin(); }
    constexpr auto end() const { return values.end(); }
    constexpr void fill(const T& value) { values.fill(value); }
    bool operator==(const EnumTable&) const = default;
};

// The first N enumerators of an enumeration, in their order.
template <typename Index, std::size_t N>
constexpr std::array<Index, N> FirstEnumerators() {
    std::array<Index, N> all{};
    for (std::size_t i = 0; i < N; ++i) all[i] = static_cast<Index>(i);
    return all;
}

// The bodies of a chart, in the order the engine computes them.
enum class Body {
    Sun,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    Node,
    BlackMoon,
    Ceres,
    Pallas,
    Juno,
    Vesta,
    Chiron
};
inline constexpr int kBodyCount = 17;
inline constexpr std::array<Body, kBodyCount> kBodies = {Body::Sun,     Body::Moon,    Body::Mercury, Body::Venus,
                                                         Body::Mars,    Body::Jupiter, Body::Saturn,  Body::Uranus,
                                                         Body::Neptune, Body::Pluto,   Body::Node,    Body::BlackMoon,
                                                         Body::Ceres,   Body::Pallas,  Body::Juno,    Body::Vesta,
                                                         Body::Chiron};
// The ten planets, the Sun to Pluto, come first, and of them the seven of the
// tradition, the Sun to Saturn.
inline constexpr int kPlanetCount = 10;
inline constexpr int kClassicalPlanetCount = 7;
inline constexpr auto kPlanets = FirstEnumerators<Body, kPlanetCount>();
inline constexpr auto kClassicalPlanets = FirstEnumerators<Body, kClassicalPlanetCount>();

// One value for each body, indexed by the body; one for each planet, the Sun
// to Pluto; one for each classical planet, the Sun to Saturn.
template <typename T>
using BodyTable = EnumTable<Body, T, kBodyCount>;
template <typename T>
using PlanetTable = EnumTable<Body, T, kPlanetCount>;
template <typename T>
using ClassicalPlanetTable = EnumTable<Body, T, kClassicalPlanetCount>;

// The signs of the zodiac, Aries first.
enum class Sign { Aries, Taurus, Gemini, Cancer, Leo, Virgo, Libra, Scorpio, Sagittarius, Capricorn, Aquarius, Pisces };
inline constexpr int kSignCount = 12;
inline constexpr auto kSigns = FirstEnumerators<Sign, kSignCount>();
template <typename T>
using SignTable = EnumTable<Sign, T, kSignCount>;
// A sign's number, 1 (Aries) to 12 (Pisces), as texts and files write it, and
// the sign of a number.
constexpr int SignNumber(Sign sign) { return static_cast<int>(sign) + 1; }
constexpr Sign SignOfNumber(int number) { return static_cast<Sign>(number - 1); }

// Where a body stands at the chart's moment (degrees).
struct BodyPosition {
    Real longitude = 0;       // ecliptic, [0, 360)
    Real latitude = 0;        // ecliptic
    Real rightAscension = 0;  // [0, 360)
    Real declination = 0;
    Real helioLongitude = 0;  // heliocentric: the planets Mercury to Pluto and the minor bodies
    Real helioLatitude = 0;
    // Moving backwards: a moment later (0.001 day) its longitude is smaller,
    // by less than 5 degrees.
    bool retrograde = false;
    bool operator==(const BodyPosition&) const = default;
};

// The points a chart names beside its bodies (ecliptic longitudes, degrees).
// The nodes move as the lunar node of the chart's node kind does.
struct ChartPoints {
    Real northNode = 0;
    Real southNode = 0;  // opposite the north node
    Real ascendant = 0;  // the first cusp
    Real midheaven = 0;
    bool operator==(const ChartPoints&) const = default;
};

inline constexpr int kHouseCount = 12;

// The twelve house cusps (ecliptic longitudes, degrees), read and written by
// house number, 1 to 12.
class HouseCusps {
public:
    Real& operator[](int house) { return cusps_[static_cast<std::size_t>(house - 1)]; }
    const Real& operator[](int house) const { return cusps_[static_cast<std::size_t>(house - 1)]; }
    bool operator==(const HouseCusps&) const = default;

private:
    std::array<Real, kHouseCount> cusps_{};
};

// Where a chart is cast: geographic latitude and longitude in degrees, north
// and east positive.
struct Place {
    Real latitude = 0;
    Real longitude = 0;
    bool operator==(const Place&) const = default;
};

// When a chart is cast: the clock date and time of the birth as they were
// entered, the hours that take that clock to Universal Time, the calendar the
// date is written in and the Julian day of the moment (Universal Time).
struct Moment {
    Real day = 0, month = 0, year = 0, hour = 0, minute = 0;
    Real zoneCorrection = 0;  // Universal Time = clock time + zoneCorrection hours
    bool gregorian = false;
    Real julianDay = 0;
    bool operator==(const Moment&) const = default;
};

// The clock hour and minute the houses are computed from: the entered values
// rounded to whole numbers.
int ClockHour(const Moment& moment);
int ClockMinute(const Moment& moment);

// The house systems, the kinds of lunar node and of black moon. Unnamed is a
// name of the settings file that is no house system: its charts have their
// angles alone.
enum class HouseSystem {
    Placidus,
    Koch,
    Regiomontanus,
    Porphyry,
    Campanus,
    EqualHouses,
    MeanHouses,
    Morinus,
    Alcabitius,
    Unnamed
};
enum class NodeKind { True, Mean };
enum class BlackMoonKind { True, Mean };

// A kind as the settings file names it. The file's text is parsed once
// (engine/engine_settings.h); a text that names no kind (a file edited by
// hand, or no file read yet) is kept beside the kind the engine takes for it,
// so that it is shown and written back as it was read.
template <typename Kind>
struct Named {
    Kind kind{};
    std::optional<std::string> unknownText;
    bool operator==(const Named&) const = default;
};

// What a chart is computed with besides its moment and place. Before any
// settings are read the names are empty: no house system, the mean node and
// the mean black moon.
struct ChartSettings {
    Named<HouseSystem> houseSystem{HouseSystem::Unnamed, std::string()};
    Named<NodeKind> node{NodeKind::Mean, std::string()};
    Named<BlackMoonKind> blackMoon{BlackMoonKind::Mean, std::string()};
    bool operator==(const ChartSettings&) const = default;
};

// Essential dignities of the seven classical planets and their mutual
// receptions, as ComputeReceptions (engine/receptions.h) finds them: one row a
// planet with a dignity or in an exchange, in the order of their classes.
// Planets are numbered 1 (the Sun) to 7 (Saturn) in the entries, 0 for none.
struct ReceptionTables {
    using Row = std::array<unsigned char, 8>;                           // the row's planet first, then its chain
    std::array<std::string, kClassicalPlanetCount> planetSignKeys{};    // the Sun first: "Sole" + "Leon" ...
    std::array<unsigned char, kClassicalPlanetCount> planetDignity{};   // by row
    std::array<unsigned char, kClassicalPlanetCount> receptionGroup{};  // by row: 21, 22, 3, 4, 5 or 0
    std::array<Row, kClassicalPlanetCount> receptionBodies{};
    std::array<Row, kClassicalPlanetCount> receptionNumbers{};  // level of each entry
    std::array<Row, kClassicalPlanetCount> receptionSigns{};    // planet in whose domicile the entry stands
    bool operator==(const ReceptionTables&) const = default;
};

struct Chart {
    Moment moment;
    Place place;
    ChartSettings settings;
    BodyTable<BodyPosition> bodies;
    ChartPoints points;
    HouseCusps cusps;
    Real localSiderealTime = 0;  // hours, of the houses' moment
    Real equationOfTime = 0;     // hours
    // The dignities and receptions of the planets, once they are computed.
    ReceptionTables receptions;
    bool operator==(const Chart&) const = default;
};

// The eleven points the wheels, the tables and the archive's strings show, in
// their order: the Sun to Saturn, the two nodes, the Ascendant and the
// Midheaven.
enum class ChartPoint { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, NorthNode, SouthNode, Ascendant, Midheaven };
inline constexpr int kChartPointCount = 11;
// The chart point of one of the classical planets, which come first, in the
// same order, among the bodies and among the points.
constexpr ChartPoint ChartPointOfPlanet(Body classicalPlanet) {
    return static_cast<ChartPoint>(static_cast<int>(classicalPlanet));
}
using PointLongitudes = std::array<Real, kChartPointCount>;

// The longitude of a point, and its retrograde flag: the planets carry their
// own, both nodes the lunar node's, the angles none.
Real PointLongitude(const Chart& chart, ChartPoint point);
bool PointRetrograde(const Chart& chart, ChartPoint point);
// The longitudes of the eleven points, in their order.
PointLongitudes PointLongitudesOf(const Chart& chart);
// The latitudes of the eleven points: the planets' own, 0 for the nodes and the angles.
PointLongitudes PointLatitudesOf(const Chart& chart);

// The birth data the archive keeps of the current person (Windows-1252 texts).
struct BirthData {
    std::string subjectName;    // string[80]
    std::string birthDateText;  // DD/MM/YYYY HH:MM
    std::string birthDateKey;   // YYYYMMDDHHMM + correction
    std::string timeZoneCorrectionText;
    std::string timeZoneText;
    std::string birthPlace;
    std::string coordinatesText;  // 12 characters
    std::string nationality;
    std::string julianDayText;  // "JD=" + 12 characters
    std::string enteredPlaceText;
    std::string manualCoordinatesText;
    bool operator==(const BirthData&) const = default;
};

// Aspect orbs and their settings.
struct OrbRecord {
    std::array<Real, 16> aspectOrbs{};  // by aspect slot
    Real parallelOrb = 0;
    Real antisciaOrb = 0;
    std::string setLetter;  // string[1]
    // The defaults stand in for a settings file that could not be read: the
    // file is not written from them (engine/engine_settings.h).
    bool defaultsStandIn = false;
    bool operator==(const OrbRecord&) const = default;
};

}  // namespace engine
