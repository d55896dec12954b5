#pragma once
// The dignity table of the archetypal-structure view: one box per classical
// planet row that has a dignity, a debility or an exchange of signs, the
// row's planet at the bottom with the planets of its chain stacked above,
// numbers and three-letter abbreviations beside them, the state's label under
// the box, and neighbouring boxes of one exchange joined. With no state at all
// and every planet in a sign that gives it neither dignity nor debility a
// one-line message stands in its place. The printable sheets reuse the
// evaluation.
#include <array>
#include <string>
#include <vector>

#include "display/draw/surface.h"
#include "engine/chart.h"
#include "engine/receptions.h"

namespace display {

using engine::Real;

extern const char* const kPlanetAbbreviations[10];            // 0..9: " ", "sol", ... "sat", " ", " "
extern const std::array<const char*, 5> kDignityStateLabels;  // states 1..5: "Heerser.", ... "Uitwis."
inline constexpr const char* kNoDignityMessage = "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria";

// True when the planet-and-sign key ("Merc" + "Leon") is one of the signs in
// which that planet has neither dignity nor debility.
bool InNoDignitySign(const std::string& planetSignKey);

struct DignityEntry {
    int body = 0;              // body drawn (1..9)
    int number = 0;            // number written beside it
    std::string abbreviation;  // entries 2..8 only
    bool first = false;        // entry 1, the row's own planet
    Real x = 0, y = 0;         // glyph centre
};

struct DignityBox {
    int row = 0;          // row of the reception tables, 1..7
    int state = 0;        // 1 ruler, 2 exaltation, 3 exile, 4 fall, 5 exchange
    int height = 0;       // m: entries 1..7 with a number above 0
    Real x = 0;           // glyph column
    bool joined = false;  // joined to the box before it
    std::vector<DignityEntry> entries;
};

struct DignityBoxTable {
    std::vector<DignityBox> boxes;
    bool noDignity = false;  // the message takes the table's place
    Real y0 = 0;             // centre of the bottom glyphs
};

// The table below the wheel centred at (cx, cy), from the receptions computed.
DignityBoxTable EvaluateDignityTable(const engine::ReceptionTables& receptions, Real cx, Real cy);

// Draws the table; the message at (cx - 35, cy + 18) in the current text colour.
void DrawDignityTableOn(Surface& dc, const DignityBoxTable& table, Real cx, Real cy);

// The glyph centre of each body as last drawn in the table (0 = none): the
// body numbered 1..7, the Sun to Saturn, at index number - 1.
struct DignityGlyphCentres {
    std::array<Real, engine::kClassicalPlanetCount> x{}, y{};
    bool noDignity = false;
};
DignityGlyphCentres DignityCentresOf(const DignityBoxTable& table);

// The chart window's table: evaluates the receptions about the wheel centre
// and draws it. Returns the centres of the glyphs drawn, which clicks on the
// window find, and whether the table was the no-dignity message.
DignityGlyphCentres DrawDignityTable(Surface& dc, const engine::ReceptionTables& receptions);


}  // namespace display
