#pragma once
// The glyph pictures: one enhanced metafile per symbol in a colour, a white
// ("B", black screen) and a black ("N", paper) version, stretched into a square
// centred on a page point. A damaged file is put back from the installation; one
// that is missing, or cannot be put back, is reported once and drawn as a
// crossed box; the drawing goes on.
#include <optional>
#include <string>
#include <string_view>

#include "display/draw/surface.h"

namespace display {

struct DrawingState;

// The glyph file number of a chart point: 9 -> 13, 10 -> 14, 11 -> 15, 8 -> 11.
int RenumberPlanetGlyph(int code);

// The version letter a surface asks for, by the drawing state's colours and
// the medium the surface is drawn for: "" colour, "B" white, "N" black.
std::string GlyphVersionLetter(const Surface& dc);

// The glyph files a surface asks for:
// "Simboli\PiaX" + version + NN + ".emf".
std::string PlanetGlyphFileName(const Surface& dc, int fileNumber);
// "Zodiaco\Seg" + code + ".emf", code = mode + version + NN cut to 4 characters.
std::string SignGlyphFileName(const Surface& dc, int sign, std::string_view mode);
// "Simboli\" + stem + version + ".emf" for element codes 1..7 (fire, earth, air,
// water, salt, sulphur, mercury); empty for other codes.
std::string ElementGlyphFileName(const Surface& dc, int code);
std::string ElementGlyphStem(int code);

// Where a glyph goes: its centre on the page and the side of its square, in page units.
struct GlyphPlace {
    long double x = 0;
    long double y = 0;
    long double size = 0;
};

// The device square of a glyph of side size centred on the page point.
Rect GlyphRect(const DrawingState& drawing, const GlyphPlace& place);

// The bytes of a glyph metafile that passes the metafile check. A damaged one
// is put back from the installation (the user told) and read again; one that
// is missing, or damaged and cannot be put back, is reported once and gives
// nothing, so it is never played. The drawing state keeps what was reported.
std::optional<std::string> ReadSoundGlyph(DrawingState& drawing, std::string_view fileName);

// Stretch-draws a glyph file into the square on the surface, in the drawing
// state the surface maps with.
void DrawGlyphFile(Surface& dc, std::string_view fileName, const GlyphPlace& place);

// Body glyphs on a window's canvas, drawn only while the window is shown: by
// chart point (renumbered), or by glyph file number.
void DrawPlanetGlyph(Surface& dc, int code, const GlyphPlace& place);
void DrawPlanetGlyphDirect(Surface& dc, int code, const GlyphPlace& place);

// Forgets which missing files were reported.
void ResetMissingGlyphReports(DrawingState& drawing);

}  // namespace display
