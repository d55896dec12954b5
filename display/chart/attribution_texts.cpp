#include "display/chart/attribution_texts.h"

#include <set>

#include "archive/current_chart.h"
#include "display/wheel/position_files.h"
#include "display/wheel/wheel_state.h"
#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"

namespace display {


const ChartPointTable<const char*> kBodyMixedCodes = {
    {"So", "Lu", "Me", "Ve", "Ma", "Gi", "Sa", "Nn", "Ns", "As", "Mc"}};
const ChartPointTable<const char*> kBodyUpperCodes = {
    {"SO", "LU", "ME", "VE", "MA", "GI", "SA", "NN", "NS", "AS", "MC"}};
const ChartPointTable<const char*> kBodyFourLetterCodes = {
    {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud", "Asce", "Mcie"}};
const engine::SignTable<const char*> kAttributionSignKeys = {
    {"Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"}};
const ChartPointTable<const char*> kAttributionBodyNames = {{"ZOON      ", "MAAN      ", "MERCURIUS ", "VENUS     ",
                                                             "MARS      ", "JUPITER   ", "SATURNUS  ", "NOORDKNOOP",
                                                             "ZUIDKNOOP ", "ASCENDANT ", "MIDHEMEL  "}};
const engine::SignTable<const char*> kAttributionSignNames = {{"RAM       ", "STIER     ", "TWEELINGEN", "KREEFT    ",
                                                               "LEEUW     ", "MAAGD     ", "WEEGSCHAAL", "SCHORPIOEN",
                                                               "BOOGSCHUTT", "STEENBOK  ", "WATERMAN  ", "VISSEN    "}};

namespace {

// Characters from..from+count-1 (1-based) of a line, as far as it goes.
std::string Columns(const std::string& line, std::size_t from, std::size_t count) {
    return line.size() < from ? std::string() : line.substr(from - 1, count);
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool IsAspectCode(const std::string& two) {
    return two == "Co" || two == "Se" || two == "Qu" || two == "Tr" || two == "Op";
}

// The key names the point first: it begins with the point's code (the nodes'
// keys begin with "NNor"/"Non" and "NSud"/"Nos", which their codes do not match).
bool KeyOfPointFirst(ChartPoint point, const std::string& key) {
    return StartsWith(key, kBodyMixedCodes[point]) || StartsWith(key, kBodyFourLetterCodes[point]) ||
           StartsWith(key, kPointKeys3[point]);
}

// An aspect key ("SolTrMar") that names the point as its second partner. Keys of
// antiscia ("SolCaMaa") carry a sign in those columns, never a point.
bool KeyOfPointSecond(ChartPoint point, const std::string& key) {
    return key.size() == 8 && IsAspectCode(key.substr(3, 2)) && key.substr(5, 3) == kPointKeys3[point];
}

// The lines of one text joined into one paragraph, blanks at their ends
// dropped: the panel wraps it at its own width.
std::string OneParagraph(const std::vector<std::string>& lines) {
    std::string text;
    for (std::string line : lines) {
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::size_t start = 0;
        while (start < line.size() && line[start] == ' ') ++start;
        if (start == line.size()) continue;
        if (!text.empty()) text += ' ';
        text += line.substr(start);
    }
    return text;
}

// Appends a paragraph when it holds any text.
void AddParagraph(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    std::string text = OneParagraph(lines);
    if (!text.empty()) to.push_back(std::move(text));
}

std::vector<std::string> ReadOrReport(const char* name, const MissingFileReport& report) {
    try {
        return rt::ReadTextLines(name);
    } catch (const rt::IoError& e) {
        if (report) report(name, e);
        return {};
    }
}

// The attribution files are shipped texts: a damaged one is put back from the
// installation before it is read, and one that cannot be put back gives no
// lines (rt::ReadShippedTextLines); a missing or unreadable one is reported.
std::vector<std::string> ReadTextsOrReport(const char* name, const MissingFileReport& report,
                                           const rt::TextContentCheck& content = {}) {
    try {
        return rt::ReadShippedTextLines(name, "I testi di attribuzione di questo file non vengono mostrati.", content);
    } catch (const rt::IoError& e) {
        if (report) report(name, e);
        return {};
    }
}

std::string Trimmed(std::string name) {
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// Every point and every sign has its general texts.
std::string PlanetGeneralContent(const std::vector<std::string>& lines) {
    for (ChartPoint point : kChartPoints)
        if (TextsOfKey(kBodyMixedCodes[point], lines, 4, 80).empty())
            return "mancano i testi generali di " + Trimmed(kAttributionBodyNames[point]);
    return {};
}

std::string SignGeneralContent(const std::vector<std::string>& lines) {
    for (engine::Sign sign : engine::kSigns)
        if (TextsOfKey(kAttributionSignKeys[sign], lines, 4, 80).empty())
            return "mancano i testi generali di " + Trimmed(kAttributionSignNames[sign]);
    return {};
}

// The keys that have no text in a specific file, said as a damage: "" when
// every key has one. A line's key is in its first `keyWidth` columns (blanks
// after it dropped), its text from column `textColumn` on.
std::string MissingSpecificTexts(const std::vector<std::string>& required, const std::vector<std::string>& lines,
                                 std::size_t keyWidth, std::size_t textColumn) {
    std::set<std::string> written;
    for (const std::string& line : lines) {
        if (line.size() < textColumn || line.find_first_not_of(' ', textColumn - 1) == std::string::npos) continue;
        std::string key = line.substr(0, keyWidth);
        key.erase(key.find_last_not_of(' ') + 1);
        written.insert(std::move(key));
    }
    std::vector<std::string> missing;
    for (const std::string& key : required)
        if (!written.count(key)) missing.push_back(key);
    if (missing.empty()) return {};
    std::string what = "manca il testo di " + missing[0];
    if (missing.size() > 1) what += " e di altre " + std::to_string(missing.size() - 1) + " chiavi";
    return what;
}

// Every key the position files can hold has its specific text.
std::string PlanetSpecificContent(const std::vector<std::string>& lines) {
    return MissingSpecificTexts(EveryPointPositionKey(), lines, 8, 22);
}

std::string SignSpecificContent(const std::vector<std::string>& lines) {
    return MissingSpecificTexts(SignPositionKeys(), lines, 7, 21);
}

}  // namespace

bool SpecificTextOfLine(int body, const std::string& key, const std::string& line, std::string& text) {
    if (body < 1 || body > kWheelPointCount) return false;
    const ChartPoint point = ChartPointOfNumber(body);
    std::string k = line.substr(0, 8);
    // A Midheaven term key is six characters: compared whole.
    if (k.size() >= 7 && k.compare(0, 4, "Mcie") == 0 && k[6] == ' ') k = k.substr(0, 6);
    if (key == k && (KeyOfPointFirst(point, key) || KeyOfPointSecond(point, key))) {
        text = Columns(line, 22, 60);
        return true;
    }
    k = line.substr(0, 6);
    if (key == k && StartsWith(key, kBodyFourLetterCodes[point])) {
        text = Columns(line, 22, 80);
        return true;
    }
    k = line.substr(0, 4);
    if (key == k && StartsWith(key, kBodyUpperCodes[point])) {
        text = Columns(line, 22, 80);
        return true;
    }
    return false;
}

bool SpecificTextOfKey(int body, const std::string& key, const std::vector<std::string>& lines, std::string& text) {
    for (const std::string& line : lines)
        if (SpecificTextOfLine(body, key, line, text)) return true;
    return false;
}

std::vector<std::string> TextsOfKey(const std::string& key, const std::vector<std::string>& lines, std::size_t from,
                                    std::size_t count) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        if (line.size() >= key.size() && line.compare(0, key.size(), key) == 0)
            out.push_back(Columns(line, from, count));
    return out;
}

AttributionTexts PlanetAttributionTexts(const engine::Chart& chart, int body, const MissingFileReport& report) {
    AttributionTexts t;
    if (body < 1 || body > kWheelPointCount) return t;
    const ChartPoint point = ChartPointOfNumber(body);
    const std::string name = kAttributionBodyNames[point];

    std::string position;
    engine::FormatSignPosLong(position, WheelPointRetroMarks(chart)[point], WheelPointLongitudes(chart)[point]);
    t.specific.push_back(name + "  " + position);

    const std::vector<std::string> keys = ReadOrReport(kPointPositionFile, report);
    const std::vector<std::string> lines = keys.empty()
                                               ? std::vector<std::string>{}
                                               : ReadTextsOrReport(kPlanetSpecificFile, report, PlanetSpecificContent);
    for (const std::string& key : keys) {
        std::string text;
        if (SpecificTextOfKey(body, key, lines, text)) t.specific.push_back(text);
    }

    std::string dodecatemorion;
    engine::FormatSignPosLong(dodecatemorion, " ", WheelPointDodecatemoria(chart)[point]);
    t.specific.push_back("Dodecatemorieen " + name + " = " + dodecatemorion);

    const std::vector<std::string> general =
        TextsOfKey(kBodyMixedCodes[point], ReadTextsOrReport(kPlanetGeneralFile, report, PlanetGeneralContent), 4, 80);
    AddParagraph(t.general, general);
    t.specificLabel = "SPECIFIEKE TOESCHRIJVINGEN naar de PLANEET";
    t.generalLabel = "ALGEMENE TOESCHRIJVINGEN naar de PLANEET";
    return t;
}

AttributionTexts SignAttributionTexts(int sign, const MissingFileReport& report) {
    AttributionTexts t;
    if (sign < 1 || sign > engine::kSignCount) return t;
    const engine::Sign which = engine::SignOfNumber(sign);
    const std::string name = kAttributionSignNames[which];
    t.specific.push_back(name);
    t.general.push_back(name);
    const std::vector<std::string> texts =
        TextsOfKey(kAttributionSignKeys[which], ReadTextsOrReport(kSignGeneralFile, report, SignGeneralContent), 4, 80);
    AddParagraph(t.general, texts);

    // The sign file keys Aquarius "Ac"; the general texts key it "Aq".
    const std::vector<std::string> keys = ReadOrReport(kSignPositionFile, report);
    std::vector<std::string> lines;
    bool read = false;
    for (const std::string& key : keys) {
        if (key.compare(0, 2, kSignCodes[which]) != 0 && key.compare(0, 2, kAttributionSignKeys[which]) != 0) continue;
        if (!read) {
            lines = ReadTextsOrReport(kSignSpecificFile, report, SignSpecificContent);
            read = true;
        }
        AddParagraph(t.specific, TextsOfKey(key.substr(0, 7), lines, 21, 50));
    }
    t.specificLabel = "SPECIF. attributie aan het STERRENBEELD";
    t.generalLabel = "ALGEMENE attributie aan het STERRENBEELD";
    return t;
}

SegmentTables PlanetSegmentTables(const NatalWheelState& wheel) {
    SegmentTables t;
    t.terms = wheel.bodyTerms;
    t.decades = wheel.bodyDecades;
    t.decanKeys = wheel.bodyDecanKeys;
    return t;
}

std::string SegmentKey(SegmentKind kind, ChartPoint point, const SegmentTables& tables) {
    switch (kind) {
        case SegmentKind::Terms:
            return std::string(kBodyFourLetterCodes[point]) + engine::IntToStrZeroPad(tables.terms[point], 2);
        case SegmentKind::Decans: return tables.decanKeys[point];
        case SegmentKind::Decades:
            return std::string(kBodyUpperCodes[point]) + engine::IntToStrZeroPad(tables.decades[point], 2);
    }
    return {};
}

std::vector<std::string> SegmentListLines(SegmentKind kind, const SegmentTables& tables,
                                          const std::vector<std::string>& specificLines) {
    std::vector<std::string> out;
    for (ChartPoint point : kChartPoints) {
        const std::string key = SegmentKey(kind, point, tables);
        if (key.empty()) continue;
        for (const std::string& line : specificLines) {
            // The key columns: 1-6 for a term key, 1-8 for a decan key, 1-4 for a decade key.
            if (line.size() < key.size() || line.compare(0, key.size(), key) != 0) continue;
            out.push_back(Columns(line, 22, 70));
            break;
        }
    }
    return out;
}

std::string SegmentHeading(SegmentKind kind, bool dodecatemoria) {
    const std::string who = dodecatemoria ? "DODECATEMORIEEN" : "PLANETEN";
    switch (kind) {
        case SegmentKind::Terms: return who + " IN DE TERMEN";
        case SegmentKind::Decans: return who + " IN DE DECANS";
        case SegmentKind::Decades: return who + " IN DE DECADE";
    }
    return {};
}

std::vector<std::string> SegmentLists(bool dodecatemoria, const SegmentTables& tables,
                                      const MissingFileReport& report) {
    const std::vector<std::string> specific = ReadTextsOrReport(kPlanetSpecificFile, report, PlanetSpecificContent);
    std::vector<std::string> out;
    for (SegmentKind kind : {SegmentKind::Terms, SegmentKind::Decans, SegmentKind::Decades}) {
        if (kind == SegmentKind::Decans) out.push_back("  ");
        if (kind == SegmentKind::Decades) out.push_back("    ");
        out.push_back(SegmentHeading(kind, dodecatemoria));
        for (std::string& line : SegmentListLines(kind, tables, specific)) out.push_back(std::move(line));
    }
    return out;
}

}  // namespace display
