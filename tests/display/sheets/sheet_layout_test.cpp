// The four sheets as lists: every block of a sheet drawn where its list
// places it and in the list's order, the steps at their moments (the terms'
// positions file written before the first drawing call, the classical
// planets' signs set after the elemental cloth counted the chart's own), and
// the sheet's wheel its own whatever wheel the chart window set last.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "archive/current_chart.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_layout.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_wheel.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;
using display::SheetEntry;
using display::SheetTable;

class SheetLayouts : public ::testing::Test {
protected:
    // The person whose sheets the tests draw.
    archive::CurrentChart& current_ = testing_support::CurrentChartOfTest();
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "FilePosi", "Appoggio", "OpzioneT", "Scambi"});
        auto& c = current_.chart;
        c.moment.julianDay = 2447906.5L + 9.5L / 24;
        current_.birth.julianDayText = "JD=2447906.896";
        current_.chart.receptions = engine::ComputeReceptions(current_.chart);
    }
    display::SheetMemory sheetMemory_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

std::string Pt(display::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The index in the log, from `from` on, of the text drawn at a page point, or -1.
int TextAt(const RecordingSurface& dc, std::size_t from, engine::Real x, engine::Real y, std::string_view text) {
    const std::string head = "text " + Pt(display::MapPoint(testing_support::DrawingStateOfTest(), x, y)) + " ";
    const std::string tail = "'" + std::string(text) + "'";
    for (std::size_t i = from; i < dc.log.size(); ++i) {
        const std::string& l = dc.log[i];
        if (l.rfind(head, 0) == 0 && l.size() >= tail.size() &&
            l.compare(l.size() - tail.size(), tail.size(), tail) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// The index of a line between two page points, or -1.
int LineAt(const RecordingSurface& dc, std::size_t from, engine::Real x1, engine::Real y1, engine::Real x2,
           engine::Real y2) {
    const std::string head = "line " + Pt(display::MapPoint(testing_support::DrawingStateOfTest(), x1, y1)) + " " +
                             Pt(display::MapPoint(testing_support::DrawingStateOfTest(), x2, y2)) + " ";
    for (std::size_t i = from; i < dc.log.size(); ++i)
        if (dc.log[i].rfind(head, 0) == 0) return static_cast<int>(i);
    return -1;
}

// The first text a table block draws, relative to its anchor.
struct TableTitle {
    std::string_view text;
    engine::Real dx, dy;
};

TableTitle TitleOf(const display::SheetTablePlace& t) {
    switch (t.table) {
        case SheetTable::SphericalDistances: return {"SFERISCHE", 34.44L, 2.94L};
        case SheetTable::Terms: return {"TERMEN", -1, -8};
        case SheetTable::Dodecatemoria: return {"DODECATEMORIEEN", -2, -8};
        case SheetTable::Latitudes: return {"BREEDTEGRADEN", t.titleDx, -8};
        case SheetTable::Longitudes: return {"LONGITUDINI", -2, -8};
        case SheetTable::RelativeLongitudes:
            return {"Relatieve LENGTEGRADEN (tussen haakjes: Absolute Longitudes)", -2, -8};
        case SheetTable::MastersAndYear: return {"Planetaire dag: Maandag", 0, 0};
        case SheetTable::ArchetypalStructure: return {"ARCHETYPISCHE STRUCTUUR", -8, -53};
        case SheetTable::ElementalCloth: return {"SELEMENTAIRE DOEK", -32, -42};
        case SheetTable::SeasonCloth: return {"SEIZOEN DOEK", -32, -37};
        case SheetTable::ElementalHumoralGrid: return {"HUMORALE ATTRIBUTIE", -35, -32};
        case SheetTable::SeasonalHumoralGrid: return {"HUMORALE ATTRIBUTIE", -35, -33};
    }
    return {};
}

// Where the first record of a block lies in the log (from `from` on), -1 when
// it is not where the list places it; steps draw nothing (they give `from`).
int FirstRecordOf(const RecordingSurface& dc, std::size_t from, const SheetEntry& entry) {
    if (std::holds_alternative<display::SheetStep>(entry)) return static_cast<int>(from);
    if (const auto* w = std::get_if<display::SheetWheelPlace>(&entry)) {
        // The horizon's mark on the left of the sign ring: from its band's edge
        // (the theme ring 67 + 5, the affinity ring 65) ten units outwards.
        const engine::Real edge = w->kind == display::SheetWheelKind::Theme ? 72 : 65;
        return LineAt(dc, from, w->cx - edge, w->cy, w->cx - edge - 10, w->cy);
    }
    if (const auto* h = std::get_if<display::SheetHeaderPlaces>(&entry)) {
        const int title = TextAt(dc, from, h->right, 15, "GEBOORTE THEMA");
        const std::string house = std::string(h->houseLabel) + (h->houseSystemNamed ? "CASE_MEDIE" : "");
        if (title < 0 || TextAt(dc, title, h->right, h->houseY, house) < 0) return -1;
        return TextAt(dc, from, 15, 15, testing_support::CurrentChartOfTest().birth.subjectName);
    }
    if (const auto* t = std::get_if<display::SheetTablePlace>(&entry)) {
        const TableTitle title = TitleOf(*t);
        return TextAt(dc, from, t->x + title.dx, t->y + title.dy, title.text);
    }
    const auto& texts = std::get<display::SheetTextsPlace>(entry);
    const int first = TextAt(dc, from, texts.lines[0].x, texts.lines[0].y, texts.lines[0].text);
    for (const display::SheetTextLine& l : texts.lines)
        if (first < 0 || TextAt(dc, first, l.x, l.y, l.text) < 0) return -1;
    return first;
}

TEST_F(SheetLayouts, EveryBlockIsDrawnAtItsListedPlaceInTheListsOrder) {
    for (int code : {5, 16, 17, 18}) {
        const display::SheetLayout* layout = display::SheetLayoutOf(code);
        ASSERT_NE(layout, nullptr) << code;
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        ASSERT_TRUE(display::ComposeSheet(code, dc, current_, sheetMemory_));
        // The places are page points under the sheet's own scale.
        testing_support::DrawingStateOfTest().zoomFactor = layout->zoom;
        std::size_t from = 0;
        int blocks = 0;
        for (std::size_t i = 0; i < layout->entries.size(); ++i) {
            const int at = FirstRecordOf(dc, from, layout->entries[i]);
            ASSERT_GE(at, 0) << "sheet " << code << ": entry " << i << " is not at its place after the one before";
            blocks += !std::holds_alternative<display::SheetStep>(layout->entries[i]);
            from = static_cast<std::size_t>(at);
        }
        testing_support::DrawingStateOfTest().zoomFactor = 1.0L;
        EXPECT_EQ(blocks, code == 5 || code == 16 ? 10 : 9) << code;
    }
    EXPECT_EQ(display::SheetLayoutOf(0), nullptr);
    EXPECT_EQ(display::SheetLayoutOf(6), nullptr);
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(SheetLayouts, TheAffinityWheelsAreTwoPlacesOfOneBlock) {
    // Swapping the two wheels' places would draw the same calls elsewhere: the
    // energy wheel (the magnetic chords, olive) comes first, at the first place.
    const display::SheetLayout& layout = *display::SheetLayoutOf(display::kAffinitySheetPortrait);
    std::vector<display::SheetWheelPlace> wheels;
    for (const SheetEntry& e : layout.entries)
        if (const auto* w = std::get_if<display::SheetWheelPlace>(&e)) wheels.push_back(*w);
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(wheels[0].kind, display::SheetWheelKind::Energy);
    EXPECT_EQ(wheels[1].kind, display::SheetWheelKind::Mirror);
    EXPECT_EQ(wheels[1].cy - wheels[0].cy, 150);
    // Each wheel alone at the sheet's scale draws the lines the sheet draws at that place.
    RecordingSurface energy{testing_support::DrawingStateOfTest()}, mirror{testing_support::DrawingStateOfTest()};
    testing_support::DrawingStateOfTest().zoomFactor = layout.zoom;
    display::DrawSheetAffinityWheel(energy, current_.chart, 1, {wheels[0].cx, wheels[0].cy});
    display::DrawSheetAffinityWheel(mirror, current_.chart, 2, {wheels[1].cx, wheels[1].cy});
    testing_support::DrawingStateOfTest().zoomFactor = 1.0L;
    RecordingSurface sheet{testing_support::DrawingStateOfTest()};
    display::ComposeSheet(display::kAffinitySheetPortrait, sheet, current_, sheetMemory_);
    const auto sheetLines = sheet.Calls("line"), energyLines = energy.Calls("line"), mirrorLines = mirror.Calls("line");
    const auto at = [&](const std::vector<std::string>& part) {
        return std::search(sheetLines.begin(), sheetLines.end(), part.begin(), part.end()) - sheetLines.begin();
    };
    ASSERT_GT(energyLines.size(), 100u);
    EXPECT_NE(energyLines, mirrorLines);
    const auto e = at(energyLines), m = at(mirrorLines);
    EXPECT_LT(e, static_cast<std::ptrdiff_t>(sheetLines.size()));
    EXPECT_LT(m, static_cast<std::ptrdiff_t>(sheetLines.size()));
    EXPECT_LT(e, m);
}

// A surface that keeps the positions file as it was at the first drawing call.
class FirstCallSurface : public RecordingSurface {
public:
    FirstCallSurface() : RecordingSurface(testing_support::DrawingStateOfTest()) {}
    void SelectPen(const display::Pen& p) override { Look(), RecordingSurface::SelectPen(p); }
    void SetTextColor(display::Color c) override { Look(), RecordingSurface::SetTextColor(c); }
    void MoveTo(display::Point p) override { Look(), RecordingSurface::MoveTo(p); }
    void TextOut(display::Point p, std::string_view t) override { Look(), RecordingSurface::TextOut(p, t); }
    std::vector<std::string> atFirstCall;
    bool looked = false;

private:
    void Look() {
        if (looked) return;
        looked = true;
        if (rt::PathExists(display::kSheetPositionFile)) atFirstCall = rt::ReadTextLines(display::kSheetPositionFile);
    }
};

TEST_F(SheetLayouts, ThemeSheetsWriteThePositionsFileBeforeTheirFirstBlock) {
    const std::filesystem::path file = std::filesystem::current_path() / "OpzioneT" / "PosiPian.txt";
    for (int code : {5, 16}) {
        const display::SheetLayout& layout = *display::SheetLayoutOf(code);
        // The step is listed ahead of every block.
        const auto step = std::find_if(layout.entries.begin(), layout.entries.end(), [](const SheetEntry& e) {
            const auto* s = std::get_if<display::SheetStep>(&e);
            return s && *s == display::SheetStep::TermsPositionsFile;
        });
        ASSERT_NE(step, layout.entries.end()) << code;
        for (auto e = layout.entries.begin(); e != step; ++e)
            EXPECT_TRUE(std::holds_alternative<display::SheetStep>(*e)) << code;

        // A file left by another person: the sheet's first drawing call finds it rewritten.
        rt::WriteTextLines(display::kSheetPositionFile, {"Luna01"});
        FirstCallSurface dc;
        display::ComposeSheet(code, dc, current_, sheetMemory_);
        ASSERT_TRUE(dc.looked);
        ASSERT_EQ(dc.atFirstCall.size(), 18u) << code;
        // With the Ascendant at 100.5 sector 1 begins at 85.5: the Sun at 15.25
        // is in sector 49 (from 13.5) and decan 2, the south node at 80 in sector
        // 60; Saturn at 290.4 in decan 30. The nodes at 260 and 80 lie on exact
        // tens: their decan keys stay empty, the last two lines.
        EXPECT_EQ(dc.atFirstCall[0], "Sole49");
        EXPECT_EQ(dc.atFirstCall[8], "NSud60");
        EXPECT_EQ(dc.atFirstCall[9], "SolDec02");
        EXPECT_EQ(dc.atFirstCall[15], "SatDec30");
        EXPECT_EQ(dc.atFirstCall[16], "");
        EXPECT_EQ(dc.atFirstCall[17], "");
        EXPECT_EQ(rt::ReadTextLines(display::kSheetPositionFile), dc.atFirstCall);
    }
    // The step alone writes the same file.
    std::filesystem::remove(file);
    display::RunSheetStep(display::SheetStep::TermsPositionsFile, current_, sheetMemory_);
    EXPECT_EQ(rt::ReadTextLines(display::kSheetPositionFile).at(15), "SatDec30");
    // The affinity sheets have no terms: they leave the file alone.
    rt::WriteTextLines(display::kSheetPositionFile, {"Luna01"});
    for (int code : {17, 18}) {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        display::ComposeSheet(code, dc, current_, sheetMemory_);
        EXPECT_EQ(rt::ReadTextLines(display::kSheetPositionFile), std::vector<std::string>{"Luna01"}) << code;
    }
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(SheetLayouts, ElementalClothCountsTheSignsOfTheChartsPlanets) {
    auto& c = current_.chart;
    // All seven planets in Aries (fire).
    for (int p = 1; p <= 7; ++p) wheel_test::SetWheelPoint(c, p, 2.0L * p);
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::ComposeSheet(display::kAffinitySheetPortrait, dc, current_, sheetMemory_);
    // The elemental cloth's fire total (column 1, row 5 of its counts) is 7.
    testing_support::DrawingStateOfTest().zoomFactor = 1.15L;
    const display::Point fireTotal = display::MapPoint(testing_support::DrawingStateOfTest(), 46 - 14 + 21, 95 - 14);
    testing_support::DrawingStateOfTest().zoomFactor = 1.0L;
    const auto texts = dc.Calls("text");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& l) {
        return l.rfind("text " + Pt(fireTotal) + " ", 0) == 0 && l.find("'7'") != std::string::npos;
    }));
}

TEST_F(SheetLayouts, SheetKeepsItsOwnWheelWhateverWheelTheChartWindowSetLast) {
    for (int code : {5, 17}) {
        display::SetDefaultWheelRadii(testing_support::WheelGeometryOfTest());
        RecordingSurface sheets{testing_support::DrawingStateOfTest()};
        display::ComposeSheet(code, sheets, current_, sheetMemory_);
        display::SetWheelGeometry(testing_support::WheelGeometryOfTest());  // the chart window drew a view meanwhile
        RecordingSurface afterChartWindow{testing_support::DrawingStateOfTest()};
        display::ComposeSheet(code, afterChartWindow, current_, sheetMemory_);
        EXPECT_EQ(afterChartWindow.log, sheets.log) << code;
        // the chart window's is left as it was
        EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreX, 100) << code;
    }
}

}  // namespace
