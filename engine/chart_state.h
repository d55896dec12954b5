#pragma once
// One chart: the values the engine computes into the chart it is handed, the
// birth data it was computed from and the orbs it is read with. The program's
// current person is one such chart (archive/current_chart.h); any other chart
// is a value of its own. Arrays keep their old index bases: an array of 1..N
// has N+1 entries, entry 0 unused.
#include <array>
#include <string>

namespace engine {

using Real = long double;
using BodyArray = std::array<Real, 25>;  // indexed 0..24 by body number

// Body numbers as the body computation fills them.
enum Body : int {
    kSun = 1, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto,
    kNode = 11, kBlackMoon = 12, kAscendantBody = 13, kDescendantBody = 14,
    kCeres = 15, kPallas, kJuno, kVesta, kChiron = 19,
};

// The pi of the old run-time's extended reals.
constexpr Real kPi = 3.14159265358979323851L;

// Essential dignities of the seven classical planets and their mutual
// receptions, as ComputeReceptions (engine/receptions.h) finds them.
struct ReceptionTables {
    using Row = std::array<unsigned char, 9>;  // entries 1..8
    std::array<std::string, 8> PlanetSignKeys{};     // 1..7, "Sole" + "Leon" ...
    std::array<unsigned char, 8> PlanetDignity{};    // 1..7, by row after sorting
    std::array<unsigned char, 8> ReceptionGroup{};   // 1..7: 21, 22, 3, 4, 5 or 0
    std::array<Row, 8> ReceptionBodies{};            // [row 1..7][entry 1..8]
    std::array<Row, 8> ReceptionNumbers{};           // level of each entry
    std::array<Row, 8> ReceptionSigns{};             // planet in whose domicile the entry stands
};

struct ChartState {
    // Body arrays.
    BodyArray PlanetLongitudes{};
    BodyArray PlanetLatitudes{};
    BodyArray PlanetLatitudesSaved{};
    BodyArray PlanetLongitudesSaved{};
    BodyArray DodecatemoriaLongitudes{};
    BodyArray PlanetRightAscensions{};
    BodyArray PlanetDeclinations{};
    BodyArray HelioLongitudes{};
    BodyArray HelioLatitudes{};

    // Per-body marks and numbers (index = body number).
    std::array<std::string, 25> RetroMarks{};          // 1..24, "r" or " "
    std::array<std::string, 24> VolguineRetroMarks{};  // 1..23
    std::array<unsigned char, 24> PlanetSigns{};       // 1..23
    std::array<unsigned char, 25> BodyHouses{};        // 1..24
    std::array<unsigned char, 24> HouseCuspSigns{};    // 1..23
    std::array<std::string, 24> BodyNames{};           // 1..23, string[10]

    // House cusps and angles.
    std::array<Real, 16> HouseCusps{};  // 1..15
    Real MidheavenRad = 0;
    Real AscendantRad = 0;
    Real LocalSiderealTime = 0;
    Real PresetRAMC = 0;
    Real PresetSiderealTime = 0;
    int HouseCalcMode = 0;
    std::string HouseSystemName;  // string[15]
    std::string NodeType;         // string[5]
    std::string BlackMoonType;    // string[5]

    // Dignities and receptions of the planets (ComputeReceptions).
    ReceptionTables Receptions;

    // The moment.
    Real JulianDay = 0;
    bool InEphemerisRange = false;
    bool GregorianCalendar = false;
    Real TimeZoneCorrection = 0;
    Real BirthYear = 0, BirthMonth = 0, BirthDay = 0, BirthHourValue = 0, BirthMinuteValue = 0;
    std::array<int, 11> BirthHour{};    // 1..10, entry 1 used
    std::array<int, 11> BirthMinute{};  // 1..10, entry 1 used
    std::string WeekdayName;            // string[9]
    Real EquationOfTime = 0;

    // The place (1..10, entry 1 used).
    std::array<int, 11> LatitudeDegrees{};
    std::array<int, 11> LatitudeMinutes{};
    std::array<std::string, 11> LatitudeLetter{};
    std::array<int, 11> LongitudeDegrees{};
    std::array<int, 11> LongitudeMinutes{};
    std::array<std::string, 11> LongitudeLetter{};

    // Constants and shared scratch.
    Real DegToRad = 0;                // pi / 180, set when the main window first activates
    int ConversionErrorPosition = 0;  // error position of the last text-to-number conversion
    int CheckedIntegerValue = 0;      // the value of the last integer field checked
};

// Current birth data.
struct BirthDataState {
    std::string SubjectName;             // string[80]
    std::string BirthDateText;           // DD/MM/YYYY HH:MM
    std::string BirthDateKey;            // YYYYMMDDHHMM + correction
    std::string TimeZoneCorrectionText;
    std::string TimeZoneText;
    std::string BirthPlace;
    std::string CoordinatesText;         // 12 characters
    std::string Nationality;
    std::string JulianDayText;           // "JD=" + 12 characters
    std::string EnteredPlaceText;
    std::string ManualCoordinatesText;
    unsigned char ChartKind = 1;
};

// Aspect orbs and their settings.
struct OrbRecord {
    std::array<Real, 16> AspectOrbs{};  // slots 0..15
    Real ParallelOrb = 0;
    Real AntisciaOrb = 0;
    std::string OrbSetLetter;  // string[1]
    // The defaults stand in for a settings file that could not be read: the
    // file is not written from them (engine/engine_settings.h).
    bool DefaultsStandIn = false;
};

// Resets a chart, its birth data and its orb record to their start values
// (steps 1 to 4 of the start-up reset; the settings are not read).
void ResetChartState(ChartState& chart, BirthDataState& birth, OrbRecord& orbs);

}  // namespace engine
