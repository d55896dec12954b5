#pragma once
// The hand-written texts the attribution files are made of (UTF-8), held
// 0-based: the eleven points from the Sun (Sun .. Saturn, north node, south
// node, Ascendant, Midheaven), the signs by sign, the houses from the first.
#include <array>

#include "engine/chart.h"

namespace texts {

inline constexpr int kPointCount = 11;
template <typename T>
using PointTable = std::array<T, kPointCount>;
using SignTexts = engine::SignTable<const char*>;
using HouseTexts = std::array<const char*, engine::kHouseCount>;

// General texts of the points and the signs (one paragraph each).
extern const PointTable<const char*> kPointGeneral;
extern const SignTexts kSignGeneral;

// The point in each sign and in each house.
extern const PointTable<SignTexts> kPointInSign;
extern const PointTable<HouseTexts> kPointInHouse;

// Major aspects of a pair of points, in the order conjunction, sextile,
// square, trine, opposition; pairs (i, j) of points with i from the Sun to
// the south node and j a later point.
struct PairTexts {
    int first, second;
    std::array<const char*, 5> aspect;
};
extern const std::array<PairTexts, 54> kAspects;

// The sign position file: the mirror of each sign in its antiscion and in its
// contra-antiscion sign.
extern const SignTexts kSignAntiscion;
extern const SignTexts kSignContraAntiscion;

// The term sectors: twelve zones of five terms each.
inline constexpr int kTermZoneCount = 12;
inline constexpr int kTermsPerZone = 5;

// Phrases the sector keys are composed of.
extern const PointTable<const char*> kPointTheme;                // "levenskracht", ... (terms)
extern const std::array<const char*, kTermZoneCount> kTermZone;  // the 12 zones of five terms
extern const std::array<const char*, kTermsPerZone> kTermPlace;  // the place within the zone
extern const std::array<const char*, 7> kFaceKeyword;            // the seven planets, Sun first, as rulers of a face
extern const std::array<const char*, 4> kElementPhrase;          // fire, earth, air, water (decades)
extern const SignTexts kAntiscionPhrase;                         // a point's mirror in a sign
extern const SignTexts kContraAntiscionPhrase;

}  // namespace texts
