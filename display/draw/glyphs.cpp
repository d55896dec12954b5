#include "display/draw/glyphs.h"

#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/emf_player.h"
#include "display/draw/metafile_viewer.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/record_file.h"

namespace display {

namespace {

void DrawPlaceholder(Surface& dc, const Rect& r) {
    dc.SaveState();
    dc.SelectPen({PenStyle::Solid, 1, ApplyBlackAndWhite(dc.Drawing(), dc.OutputMedium(), Rgb(128, 128, 128))});
    dc.SelectBrush({BrushStyle::Null, kBlack});
    dc.Rectangle(r);
    dc.MoveTo({r.left, r.top});
    dc.LineTo({r.right - 1, r.bottom - 1});
    dc.MoveTo({r.right - 1, r.top});
    dc.LineTo({r.left, r.bottom - 1});
    dc.RestoreState();
}

}  // namespace

int RenumberPlanetGlyph(int code) {
    if (code == 9) code = 13;
    if (code == 10) code = 14;
    if (code == 11) code = 15;
    if (code == 8) code = 11;
    return code;
}

std::string GlyphVersionLetter(const Surface& dc) {
    if (!dc.Drawing().blackAndWhite) return "";
    return dc.OnPaper() ? "N" : "B";
}

std::string PlanetGlyphFileName(const Surface& dc, int fileNumber) {
    return "Simboli\\PiaX" + GlyphVersionLetter(dc) + rt::ZeroPad(fileNumber, 2) + ".emf";
}

std::string SignGlyphFileName(const Surface& dc, int sign, std::string_view mode) {
    std::string code = std::string(mode) + GlyphVersionLetter(dc) + rt::ZeroPad(sign, 2);
    if (code.size() > 4) code.resize(4);
    return "Zodiaco\\Seg" + code + ".emf";
}

std::string ElementGlyphStem(int code) {
    static const char* stems[] = {"ElFuo1", "ElTer1", "ElAri1", "ElAcq1", "ElSal2", "ElZol2", "ElMer2"};
    if (code < 1 || code > 7) return {};
    return stems[code - 1];
}

std::string ElementGlyphFileName(const Surface& dc, int code) {
    const std::string stem = ElementGlyphStem(code);
    if (stem.empty()) return {};
    return "Simboli\\" + stem + GlyphVersionLetter(dc) + ".emf";
}

Rect GlyphRect(const DrawingState& drawing, const GlyphPlace& place) {
    const Point c = MapPoint(drawing, place.x, place.y);
    const std::int32_t h = ScaleLength(drawing, place.size / 2);
    return {c.x - h, c.y - h, c.x + h, c.y + h};
}

namespace {

constexpr const char* kCrossedBoxDrawn = "Al posto del simbolo il programma disegna un riquadro barrato.";

// What makes a glyph's bytes damaged ("" when sound).
std::string GlyphDamage(const std::string& bytes) {
    if (bytes.empty()) return "\xE8 vuoto";
    return CheckEmf(bytes).empty() ? std::string() : MetafileDamage(bytes);
}

}  // namespace

std::optional<std::string> ReadSoundGlyph(DrawingState& drawing, std::string_view fileName) {
    const std::string name(fileName);
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(fileName);
    } catch (const rt::IoError& e) {
        // Missing or unreadable: said once a run.
        if (drawing.reportedGlyphFiles.insert(name).second)
            rt::ReportDamagedFile(e.Code() == rt::kFileNotFound
                                      ? "Simbolo mancante: \"" + name + "\". " + kCrossedBoxDrawn +
                                            " Riavviare il programma, che ricopia nella cartella dei dati i file "
                                            "forniti con esso."
                                      : rt::IoError::MessageAbout(e.Code(), name) + " " + kCrossedBoxDrawn);
        return std::nullopt;
    }
    // A glyph the check calls damaged is never played: the shipped one is put
    // back and played instead.
    std::string damage = GlyphDamage(bytes);
    if (damage.empty()) return bytes;
    const rt::ShippedFileRepair repair = rt::RepairShippedFile({fileName, damage}, kCrossedBoxDrawn);
    if (!repair.restored) {
        rt::ReportDamagedFileOnce(fileName, repair.message);
        return std::nullopt;
    }
    rt::ReportDamagedFile(repair.message);
    try {
        bytes = rt::ReadFileBytes(fileName);
    } catch (const rt::IoError&) {
        bytes.clear();
    }
    damage = GlyphDamage(bytes);
    if (damage.empty()) return bytes;
    std::string wayOn = kCrossedBoxDrawn;
    wayOn.append(
        " Anche la copia dell'installazione del programma, rimessa al suo posto, \xE8 danneggiata: "
        "reinstallare il programma.");
    rt::ReportDamagedFileOnce(fileName, rt::DamagedFileMessage({fileName, damage}, wayOn));
    return std::nullopt;
}

void DrawGlyphFile(Surface& dc, std::string_view fileName, const GlyphPlace& place) {
    const Rect r = GlyphRect(dc.Drawing(), place);
    if (const auto bytes = ReadSoundGlyph(dc.Drawing(), fileName)) {
        dc.PlayMetafile(*bytes, r);
        return;
    }
    DrawPlaceholder(dc, r);
}

void DrawPlanetGlyph(Surface& dc, int code, const GlyphPlace& place) {
    DrawPlanetGlyphDirect(dc, RenumberPlanetGlyph(code), place);
}

void DrawPlanetGlyphDirect(Surface& dc, int code, const GlyphPlace& place) {
    if (!dc.Visible()) return;
    DrawGlyphFile(dc, PlanetGlyphFileName(dc, code), place);
}

void ResetMissingGlyphReports(DrawingState& drawing) { drawing.reportedGlyphFiles.clear(); }

}  // namespace display
