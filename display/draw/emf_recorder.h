#pragma once
// A Surface that records every call into an Enhanced Metafile: header, state,
// object (pens as extended pens, solid brushes, fonts), geometry, path and text
// records, and the end-of-file record.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "display/draw/emf_format.h"
#include "display/draw/surface.h"

namespace display {

// The reference device of a metafile: its size in pixels and in millimetres.
struct EmfDevice {
    int widthPx = 2100;
    int heightPx = 2970;
    int widthMm = 210;
    int heightMm = 297;
};

class EmfRecorder : public Surface {
public:
    explicit EmfRecorder(EmfDevice device = {});

    // The picture frame in reference-device pixels (the rectangle a player
    // stretches to its destination). Without one the frame is the drawing's bounds.
    void SetFrame(const Rect& frame) { frame_ = frame; }
    // Only the frame's height; its width follows the drawing.
    void SetFrameHeight(int heightPx) { frameHeight_ = heightPx; }
    // A description stored in the header ("program\0picture").
    void SetDescription(const std::u16string& d) { description_ = d; }

    // Completes the metafile (end record, header sizes) and returns its bytes.
    // Further drawing after Finish is ignored.
    const std::string& Finish();
    // Finish and write the bytes to a file (replacing it).
    void SaveTo(const std::filesystem::path& path);
    bool Finished() const { return finished_; }

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void IntersectClip(const Rect& r) override;
    void ResetClip() override;
    void SaveState() override;
    void RestoreState() override;

    void MoveTo(Point p) override;
    void LineTo(Point p) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void Arc(const Rect& box, Point start, Point end) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void DrawPath(const Path& path, PathDraw how) override;
    void TextOut(Point p, std::string_view text) override;
    void FillRect(const Rect& r, Color c) override;

private:
    // What the metafile's device context holds, to emit only changes.
    struct Emitted {
        bool known = true;
        std::optional<Pen> pen;  // nullopt: the default pen
        std::optional<Brush> brush;
        std::optional<Font> font;
        unsigned textAlign = 0;
        Color textColor = kBlack;
        Color bkColor = kWhite;
        int bkMode = kOpaque;
        int polyFillMode = kAlternate;
        std::uint32_t penHandle = 0, brushHandle = 0, fontHandle = 0;
    };

    bool Live() const { return !finished_; }
    void Begin(std::uint32_t type);
    // A rectangle or an ellipse: pen and brush in force, the box, the bounds.
    void FilledBox(std::uint32_t type, const Rect& r);
    void End();
    std::uint32_t NewHandle();
    void FreeHandle(std::uint32_t h);
    // Releases a handle as soon as neither the current context nor a saved one
    // selects it: deleting a selected object leaves readers a freed handle.
    void Release(std::uint32_t h);
    void ReleaseUnused();
    bool InUse(std::uint32_t h) const;
    // After each RESTOREDC: the world transform written out again, for readers
    // that do not restore it with the rest of the context.
    void RestoreDc();
    void SyncPen();
    void SyncBrush();
    void SyncFont();
    void SyncText();
    void SyncFill();
    void WritePen(std::uint32_t handle, const Pen& pen, int widthScale);
    void Include(Point p, int margin = 0);
    void IncludeRect(const Rect& r, int margin);
    int PenMargin() const;
    void SelectObject(std::uint32_t handle);  // an EMR_SELECTOBJECT record
    void WritePoints16or32(std::uint32_t type16, std::uint32_t type32, std::span<const Point> pts);
    // One record of points, 16-bit when every point fits, else 32-bit; returns the bounds.
    Rect WritePointRecord(std::uint32_t type16, std::uint32_t type32, std::span<const Point> pts);

    EmfDevice device_;
    std::optional<Rect> frame_;
    std::optional<int> frameHeight_;
    std::u16string description_ = u"Kelvor";
    emf::Writer w_;
    std::size_t recordStart_ = 0;
    std::uint32_t records_ = 0;
    std::vector<bool> handles_{true};  // entry 0 is reserved
    std::uint32_t maxHandles_ = 1;
    Emitted emitted_;
    std::vector<Emitted> emittedStack_;
    std::vector<std::uint32_t> released_;  // handles waiting until nothing selects them
    bool haveBounds_ = false;
    Rect bounds_;
    bool finished_ = false;
};

}  // namespace display
