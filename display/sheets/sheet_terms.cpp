#include "display/sheets/sheet_terms.h"

#include <cstdio>
#include <set>

#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/sheets/sheet_block.h"
#include "display/sheets/sheet_glyphs.h"
#include "display/wheel/chart_geometry.h"
#include "engine/angles.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace display {

const std::array<const char*, 9> kTermSectorNames{"Sole", "Luna", "Merc", "Vene", "Mart",
                                                  "Giov", "Satu", "NNor", "NSud"};
const std::array<const char*, 9> kTermDecanNames{"Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos"};


TermSectorBoundaries TermBoundaries(Real ascendant) {
    TermSectorBoundaries b{};
    for (int i = 1; i <= 60; ++i) b[i - 1] = engine::Mod360(ascendant - 15 + 6 * i);
    return b;
}

void FindBodySectors(int count, const WheelPointArray& longitudes, const TermSectorBoundaries& boundaries,
                     BodyTermSectors& sectors) {
    const int bodies = count > 9 ? 9 : count;
    std::array<unsigned char, 9> found{};
    for (int k = 0; k < bodies; ++k) found[k] = static_cast<unsigned char>(sectors[k]);
    ClassifyIntoSegments60(bodies, longitudes, boundaries, found);
    for (int k = 0; k < bodies; ++k) sectors[k] = static_cast<signed char>(found[k]);
}

std::string DecanKeyOf(int body, Real longitude) {
    if (body < 1 || body > 9) return {};
    for (int d = 1; d <= 36; ++d)
        if (10 * (d - 1) < longitude && longitude < 10 * d)
            return std::string(kTermDecanNames[body - 1]) + "Dec" + rt::ZeroPad(d, 2);
    return {};
}

void ComputeTermSectors(const engine::Chart& chart, SheetTermsState& terms) {
    terms.termSectorBoundaries = TermBoundaries(chart.cusps[1]);
    FindBodySectors(9, WheelPointLongitudes(chart), terms.termSectorBoundaries, terms.bodyTermSectors);
}

void RefreshSheetDecanKeys(const engine::Chart& chart, SheetTermsState& terms) {
    const WheelPointArray longitudes = WheelPointLongitudes(chart);
    for (int k = 0; k < static_cast<int>(terms.bodyDecanKeys.size()); ++k) {
        std::string key = DecanKeyOf(k + 1, longitudes[k]);
        if (!key.empty()) terms.bodyDecanKeys[k] = key;
    }
}

std::string TermSectorKey(int body, int sector) {
    if (body < 1 || body > 9) return {};
    return std::string(kTermSectorNames[body - 1]) + rt::ZeroPad(sector, 2);
}

int BodyOfTermKey(const std::string& key) {
    if (key.size() < 4) return 0;
    for (int k = 1; k <= 9; ++k)
        if (key.compare(0, 4, kTermSectorNames[k - 1]) == 0) return k;
    return 0;
}

void WritePlanetPositionsFile(const SheetTermsState& terms) {
    rt::EnsureParentFolder(kSheetPositionFile);
    std::vector<std::string> lines;
    for (int k = 1; k <= 9; ++k) lines.push_back(TermSectorKey(k, terms.bodyTermSectors[k - 1]));
    for (const std::string& key : terms.bodyDecanKeys) lines.push_back(key);
    rt::WriteTextLines(kSheetPositionFile, lines);
}

void PrepareTermsPositionsFile(const engine::Chart& chart, SheetTermsState& terms) {
    ComputeTermSectors(chart, terms);
    RefreshSheetDecanKeys(chart, terms);
    WritePlanetPositionsFile(terms);
}

namespace {

// The sector keys of the position file that no text of the terms file has:
// every body in every sector has one.
std::vector<std::string> KeysWithoutText(const std::vector<std::string>& keys, const std::vector<std::string>& texts) {
    std::set<std::string> written;
    for (const std::string& t : texts)
        if (t.size() >= 8) written.insert(t.substr(0, 8));
    std::vector<std::string> missing;
    for (const std::string& line : keys) {
        const std::string key = line.substr(0, 8);
        if (key.size() == 6 && !written.count(key + "  ")) missing.push_back(key);
    }
    return missing;
}

std::string MissingTexts(const std::vector<std::string>& missing, bool empty) {
    if (empty) return "\xE8 vuoto";
    std::string what = "manca il testo di " + rt::ShownValue(missing[0]);
    if (missing.size() > 1) what += " e di altri " + std::to_string(missing.size() - 1) + " termini";
    return what;
}

}  // namespace

void DrawTermsBlock(Surface& dc, Real x, Real y) {
    SheetBlockGuard guard(dc);
    // Both files are read whole first, so an error leaves nothing open.
    const std::vector<std::string> keys = rt::ReadTextLines(kSheetPositionFile);
    // The terms texts are shipped: a file damaged in its form (not text, cut
    // short) is put back from the installation as it is read, and one that
    // cannot be gives no texts; one that lacks the text of a key is put back
    // too.
    const std::string without = "Il blocco dei termini resta senza testi.";
    std::vector<std::string> texts = rt::ReadShippedTextLines(kTermsTextFile, without);
    std::vector<std::string> missing = KeysWithoutText(keys, texts);
    if (!missing.empty() && !texts.empty()) {
        const rt::ShippedFileRepair repair = rt::RepairShippedFile({kTermsTextFile, MissingTexts(missing, false)},
                                                                   "Il blocco dei termini resta senza quei testi.");
        if (repair.restored) {
            rt::ReportDamagedFile(repair.message);
            texts = rt::ReadShippedTextLines(kTermsTextFile, without);
            missing = KeysWithoutText(keys, texts);
        }
    }
    int n = 1;
    SetTextColorByCode(dc, 4);
    TextOutLeft(dc, "TERMEN", 2, x - 1, y - 8);
    for (const std::string& line : keys) {
        std::string key = line.substr(0, 8);
        if (key.size() == 6)
            key += "  ";
        else
            key = "********";
        // The glyph belongs to the body the key names, whatever came before.
        const int body = BodyOfTermKey(key);
        for (const std::string& t : texts) {
            if (t.compare(0, 8, key) != 0 || t.size() < 8) continue;
            DrawSheetBodyGlyph(dc, body ? body : n, {x, y, 4.0L});
            const std::string text = t.size() > 21 ? t.substr(21, 60) : std::string();
            TextOutLeft(dc, text, 2, x + 4, y - 2.6L);
            y += 4.5L;
            if (n < 9) {
                ++n;
            } else {
                n = 1;
                y += 1.0L;
                SetTextColorByCode(dc, 0);
            }
        }
    }
    if (!missing.empty())
        rt::ReportDamagedFileOnce(
            kTermsTextFile, rt::DamagedFileMessage({kTermsTextFile, MissingTexts(missing, texts.empty())},
                                                   "Il blocco dei termini resta senza quei testi. Reinstallare il "
                                                   "programma, o ripristinare il file da una copia di sicurezza."));
}

}  // namespace display
