#pragma once
// The drawing state: the values that the page-unit mapping and the drawing
// tools read, one object that the program's start makes and hands to what
// draws (each surface maps with the one it is given). One page unit is one
// millimetre of an A4 sheet; 210 units span the screen's height, or, on a
// screen narrower than 4:3, the layout's 280 units span its width.
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "display/draw/surface.h"

namespace display {

struct DrawingState {
    long double pixelsPerUnit = 5.0L;         // device pixels per page unit
    long double printerPixelsPerUnit = 0.0L;  // printer pixels per page unit (0 without a printer)
    long double screenAspect = 0.75L;         // screen height / screen width
    long double zoomFactor = 1.0L;
    long double aspectScaleX = 1.0L;
    long double aspectScaleY = 1.0L;
    std::int32_t originX = 0;  // device pixels added after scaling
    std::int32_t originY = 0;
    float fontScale = 18.5f;  // base of every font height
    long double lineWidthFactor = 1.0L;
    bool blackAndWhite = false;
    bool printerPresent = false;
    bool printerLandscape = true;  // the printer's current orientation
    std::uint8_t aspectLinesOn = 1;
    int screenWidth = 1400;
    int screenHeight = 1050;

    // File name (no folder) of the chart metafile the user last named: the
    // sheet viewer offers it again, the metafile viewer shows it.
    std::string metafileName;

    // Selection slots: the tool this layer selected and the one it replaced.
    std::optional<Pen> currentPen, previousPen;
    std::optional<Brush> currentBrush, previousBrush;
    std::optional<Font> currentFont, previousFont;

    // The glyph files already reported missing or unreadable (each is told once).
    std::set<std::string> reportedGlyphFiles;
};

// Back to the start values (a 1400 x 1050 screen, no printer); the
// glyph files already reported stay reported.
void ResetDrawingState(DrawingState& drawing);

// The width of the screen's layout in page units: the full-screen windows
// place their panels and the page frame up to 279 units from the left edge.
inline constexpr int kScreenLayoutWidth = 280;

// Start-up measurements: ScreenAspect, PixelsPerUnit and FontScale from the
// screen size in pixels. PixelsPerUnit makes 210 units span the screen's
// height; on a screen narrower than 4:3 (5:4, for one) it makes the layout's
// width span the screen's width instead, so that every window fits.
void InitDrawingFromScreen(DrawingState& drawing, int screenWidth, int screenHeight);
// The pixels per unit of the screen as the metafiles' reference device: 210
// units over the screen's height, whatever its width (the screen's own
// PixelsPerUnit on a screen of 4:3 or wider).
long double ReferencePixelsPerUnit(const DrawingState& drawing);
// PrinterPixelsPerUnit from the printer's page width (pixels), PrinterPresent.
void InitDrawingPrinter(DrawingState& drawing, bool present, int pageWidthPixels);

// The mapping of a printer's page while a sheet is printed on it. The page's
// canvas (the print job made it) maps with the drawing state handed, and while
// the run lives that state maps the page, the printable area of the paper,
// pageWidthPixels wide with its top-left corner at pageOrigin (device pixels
// from the paper's corner): the printer's pixels per unit (page width / 210 x
// 0.776) for PixelsPerUnit, both aspect scales 1.0, zoom 1.0, the origin at the
// page's corner and FontScale = Round(page width / 82), whatever the screen's
// view was or becomes meanwhile. Afterwards every one of them comes back as it
// was (the screen's text keeps its size), also when the drawing ends by an
// error.
class PrintRun {
public:
    PrintRun(DrawingState& drawing, Surface& page, int pageWidthPixels, Point pageOrigin = {});
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

private:
    DrawingState& drawing_;
    long double pixelsPerUnit_, aspectScaleX_, aspectScaleY_, zoomFactor_;
    std::int32_t originX_, originY_;
    float fontScale_;
};

// The mapping of a chart metafile: while it lives PixelsPerUnit and FontScale
// are those of the metafile's reference device (ReferencePixelsPerUnit), so
// that a metafile is the same whatever the shape of the screen it was made on.
// Afterwards both come back as they were, also when the drawing ends by an
// error.
class MetafileRun {
public:
    explicit MetafileRun(DrawingState& drawing);
    ~MetafileRun();
    MetafileRun(const MetafileRun&) = delete;
    MetafileRun& operator=(const MetafileRun&) = delete;

private:
    DrawingState& drawing_;
    long double pixelsPerUnit_;
    float fontScale_;
};

}  // namespace display
