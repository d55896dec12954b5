#pragma once
// Positions from the precise ephemeris library, for the table generator, the
// accuracy tests and the benchmarks (never for the program itself): apparent
// geocentric ecliptic longitude and latitude of date at a UT instant.
#include <swephexp.h>

#include <cmath>

namespace precise {

inline constexpr const char* kDefaultEphePath = "/usr/share/libswe/ephe";

inline void Init(const char* ephePath = kDefaultEphePath) { swe_set_ephe_path(const_cast<char*>(ephePath)); }

// The library's number of an engine body (1 Sun ... 10 Pluto, 11 node, 12 black
// moon, 15 Ceres ... 19 Chiron); -1 for the other entries.
inline int BodyId(int body, bool trueNode = true, bool trueBlackMoon = true) {
    switch (body) {
        case 1: return SE_SUN;
        case 2: return SE_MOON;
        case 3: return SE_MERCURY;
        case 4: return SE_VENUS;
        case 5: return SE_MARS;
        case 6: return SE_JUPITER;
        case 7: return SE_SATURN;
        case 8: return SE_URANUS;
        case 9: return SE_NEPTUNE;
        case 10: return SE_PLUTO;
        case 11: return trueNode ? SE_TRUE_NODE : SE_MEAN_NODE;
        case 12: return trueBlackMoon ? SE_OSCU_APOG : SE_MEAN_APOG;
        case 15: return SE_CERES;
        case 16: return SE_PALLAS;
        case 17: return SE_JUNO;
        case 18: return SE_VESTA;
        case 19: return SE_CHIRON;
        default: return -1;
    }
}

struct Position {
    bool ok = false;
    double lon = 0, lat = 0, lonSpeed = 0;  // degrees, degrees a day
};

// The body at Julian day jdUt (UT), from the library's own ephemeris files
// only (a fall-back to another theory counts as a failure).
inline Position At(double jdUt, int body, bool speed = false, bool trueNode = true, bool trueBlackMoon = true) {
    Position p;
    const int id = BodyId(body, trueNode, trueBlackMoon);
    if (id < 0) return p;
    double xx[6] = {};
    char err[AS_MAXCH] = {};
    const int flags = SEFLG_SWIEPH | (speed ? SEFLG_SPEED : 0);
    const int r = swe_calc_ut(jdUt, id, flags, xx, err);
    if (r < 0 || (r & SEFLG_SWIEPH) == 0) return p;
    p.ok = true;
    p.lon = xx[0];
    p.lat = xx[1];
    p.lonSpeed = xx[3];
    return p;
}

// a - b in (-180, 180].
inline double AngleDiff(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

}  // namespace precise
