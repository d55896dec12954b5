#pragma once
// The hand-written texts the attribution files are made of (UTF-8). Points are
// 1..11 (Sun .. Saturn, north node, south node, Ascendant, Midheaven), signs
// and houses 1..12; index 0 is unused.
#include <array>

namespace texts {

using Row12 = std::array<const char*, 13>;

// General texts of the points and the signs (one paragraph each).
extern const std::array<const char*, 12> kPointGeneral;
extern const Row12 kSignGeneral;

// The point in each sign and in each house.
extern const std::array<Row12, 12> kPointInSign;
extern const std::array<Row12, 12> kPointInHouse;

// Major aspects of a pair of points, in the order conjunction, sextile,
// square, trine, opposition; pairs (i, j) with i = 1..9, j = i + 1..11.
struct PairTexts {
    int first, second;
    std::array<const char*, 5> aspect;
};
extern const std::array<PairTexts, 54> kAspects;

// The sign position file: the mirror of each sign in its antiscion and in its
// contra-antiscion sign.
extern const Row12 kSignAntiscion;
extern const Row12 kSignContraAntiscion;

// Phrases the sector keys are composed of.
extern const std::array<const char*, 12> kPointTheme;    // "levenskracht", ... (terms)
extern const Row12 kTermZone;                            // the 12 zones of five terms
extern const std::array<const char*, 6> kTermPlace;      // 1..5 within the zone
extern const std::array<const char*, 7> kFaceKeyword;    // the seven planets, Sun first, as rulers of a face
extern const std::array<const char*, 5> kElementPhrase;  // fire, earth, air, water (decades)
extern const Row12 kAntiscionPhrase;                     // a point's mirror in sign s
extern const Row12 kContraAntiscionPhrase;

}  // namespace texts
