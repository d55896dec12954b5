#pragma once
// A sheet as data: its page frame (the sheet's scale on the view the output
// has set up) and the ordered list of what its drawing does. A step computes
// what a later block reads, or what other windows read after the sheet, and
// says so by its name; a block is drawn at the place the list gives it, with
// the frame it needs (a wheel's centre, a table's anchor, the header's places),
// whatever came before it.
#include <string_view>
#include <variant>
#include <vector>

#include "display/draw/surface.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_header.h"

namespace archive {
struct CurrentChart;
}

namespace display {

struct SheetMemory;

using engine::Real;

enum class SheetStep {
    HeaderDates,         // SetSheetHeaderDates: the birth's weekday and calendar note
    TermsPositionsFile,  // PrepareTermsPositionsFile: "OpzioneT\PosiPian.txt", read by the terms block
    PlanetaryHour,       // ComputePlanetaryHour: the hour and its ruler, read by the masters block
};

// The wheel of the birth-theme sheets, and the affinity wheels (energy: mode 1,
// mirror: mode 2).
enum class SheetWheelKind { Theme, Energy, Mirror };
struct SheetWheelPlace {
    SheetWheelKind kind = SheetWheelKind::Theme;
    Real cx = 0, cy = 0;  // the wheel's centre
};

// The blocks anchored at one page point.
enum class SheetTable {
    SphericalDistances,
    Terms,
    Dodecatemoria,
    Latitudes,
    Longitudes,
    RelativeLongitudes,
    MastersAndYear,
    ArchetypalStructure,
    ElementalCloth,
    SeasonCloth,
    ElementalHumoralGrid,
    SeasonalHumoralGrid,
};
struct SheetTablePlace {
    SheetTable table = SheetTable::Terms;
    Real x = 0, y = 0;
    Real titleDx = -2;  // the latitudes' title from the anchor
};

// Lines of text in one colour code, alignment and size code.
enum class SheetTextAlign { Left, Right, Centred };
struct SheetTextLine {
    std::string_view text;
    Real x = 0, y = 0;
};
struct SheetTextsPlace {
    int colourCode = 0;
    SheetTextAlign align = SheetTextAlign::Left;
    int sizeCode = 15;
    std::vector<SheetTextLine> lines;
};

using SheetEntry = std::variant<SheetStep, SheetWheelPlace, SheetHeaderPlaces, SheetTablePlace, SheetTextsPlace>;

struct SheetLayout {
    long double zoom = 1.0L;  // the sheet's scale on the output's view
    std::vector<SheetEntry> entries;
};

// The layout of a sheet code (5, 16, 17, 18); nullptr for any other code.
const SheetLayout* SheetLayoutOf(int code);

// What the blocks read now: the person's chart, birth data and orbs,, what
// the steps computed and
// whether the drawing state shows the aspect lines.
SheetContext CurrentSheetContext(const archive::CurrentChart& current, const SheetMemory& memory,
                                 const DrawingState& drawing);
// A step computes from the person's chart, and some write into it.
void RunSheetStep(SheetStep step, const archive::CurrentChart& current, SheetMemory& memory);
// One entry: a step is run, a block drawn with the context.
void RunSheetEntry(Surface& dc, const SheetEntry& entry, const archive::CurrentChart& current, SheetMemory& memory);
// The whole sheet of a person: the frame's scale for the time of the drawing
// (the view's own put back afterwards, also when an entry fails), every entry
// in order.
void DrawSheetLayout(Surface& dc, const SheetLayout& layout, const archive::CurrentChart& current, SheetMemory& memory);

}  // namespace display
