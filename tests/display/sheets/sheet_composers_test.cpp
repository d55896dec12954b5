// The four sheets of the fixed person composed on a recording surface and on
// an image: headers, every block's caption, the zoom and wheel centre put back.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/font_mapping.h"
#include "display/draw/glyphs.h"
#include "display/draw/painter_surface.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_terms.h"
#include "display/wheel/chart_geometry.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

using display::RecordingSurface;

class SheetComposers : public ::testing::Test {
protected:
    // The person whose sheets the tests draw.
    archive::CurrentChart& current_ = testing_support::CurrentChartOfTest();
    void SetUp() override {
        sheet_test::SetSheetPerson();
        display::ResetMissingGlyphReports(testing_support::DrawingStateOfTest());
        wheel_test::CopyDataFolders({"Simboli", "Zodiaco", "FilePosi", "Appoggio", "OpzioneT", "Scambi"});
        auto& c = current_.chart;
        c.moment.day = 15, c.moment.month = 1, c.moment.year = 1990;
        c.moment.julianDay = 2447906.5L + 9.5L / 24;
        current_.birth.julianDayText = "JD=2447906.896";
        current_.chart.receptions = engine::ComputeReceptions(current_.chart);
    }
    display::SheetMemory sheetMemory_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(SheetComposers, EverySheetShowsItsHeaderAndBlocksAndPutsTheScaleBack) {
    const std::vector<std::pair<int, std::vector<std::string>>> sheets = {
        {5,
         {"GEBOORTE THEMA", "SFERISCHE", "TERMEN", "DODECATEMORIEEN", "BREEDTEGRADEN", "LONGITUDINI",
          "ARCHETYPISCHE STRUCTUUR", "Planetaire dag: Maandag", "DOMIFICATIE: CASE_MEDIE"}},
        {16,
         {"GEBOORTE THEMA", "TERMEN", "DODECATEMORIEEN", "BREEDTEGRADEN",
          "Relatieve LENGTEGRADEN (tussen haakjes: Absolute Longitudes)", "ARCHETYPISCHE STRUCTUUR",
          "DOMIFICATIE: HUIZEN MEDIUM", "zijn niet uitgezet op de dierenriemkaart"}},
        {17,
         {"GEBOORTE THEMA", "ENERGIE AFFINITEITEN", "GESPIEGELDE AFFINITEITEN", "SELEMENTAIRE DOEK", "SEIZOEN DOEK",
          "HUMORALE ATTRIBUTIE"}},
        {18, {"GEBOORTE THEMA", "SPIEGEL AFFINITEITEN", "(Seizoensgebonden)", "(Elementair)"}},
    };
    for (const auto& [code, captions] : sheets) {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        ASSERT_TRUE(display::ComposeSheet(code, dc, current_, sheetMemory_));
        const auto texts = sheet_test::Texts(dc);
        EXPECT_EQ(texts[0] == "Rossi Maria   " ||
                      std::find(texts.begin(), texts.end(), "Rossi Maria   ") != texts.end(),
                  true)
            << code;
        for (const std::string& c : captions)
            EXPECT_NE(std::find(texts.begin(), texts.end(), c), texts.end()) << code << ": " << c;
        EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L) << code;
        EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreX, 173) << code;
        EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreY, 105) << code;
    }
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(SheetComposers, HeaderCarriesTheWeekdayAndTheJulianCalendarNote) {
    current_.chart.moment.gregorian = false;
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    display::ComposeAffinitySheetPortrait(dc, current_, sheetMemory_);
    const auto texts = sheet_test::Texts(dc);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "GEBOORTE Maandag 15/01/1990 10:30 (GMT+1) Calend. Giuliano"),
              texts.end());
    // The header's name at (15, 15) under the sheet's zoom of 1.15.
    const display::Point p = {static_cast<int>(display::ScaleLength(testing_support::DrawingStateOfTest(), 15 * 1.15L)),
                              static_cast<int>(
                                  display::ScaleLength(testing_support::DrawingStateOfTest(), 15 * 1.15L))};
    EXPECT_EQ(dc.Calls("text")[0].rfind("text " + std::to_string(p.x) + "," + std::to_string(p.y) + " ", 0), 0u);
}

TEST_F(SheetComposers, FailingBlockStillPutsTheScaleBack) {
    std::filesystem::remove_all("Appoggio");  // the year rulers' table
    RecordingSurface dc{testing_support::DrawingStateOfTest()};
    EXPECT_THROW(display::ComposeThemeSheetPortrait(dc, current_, sheetMemory_), std::exception);
    EXPECT_EQ(testing_support::DrawingStateOfTest().zoomFactor, 1.0L);
    EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreX, 173);
    EXPECT_EQ(testing_support::WheelGeometryOfTest().wheelCentreY, 105);
    EXPECT_EQ(dc.State().pen, display::Pen{});
}

TEST_F(SheetComposers, SheetsOnAnImage) {
    const char* out = std::getenv("KELVOR_SHEET_SHOTS");
    for (int code : {5, 16, 17, 18}) {
        const bool portrait = code == 5 || code == 18;
        QImage image(portrait ? 1000 : 1500, portrait ? 2200 : 1100, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            display::PainterSurface painter(testing_support::DrawingStateOfTest(), &image);
            painter.SetBkColor(display::kBlack);  // as the viewer's window
            display::ComposeSheet(code, painter, current_, sheetMemory_);
        }
        int ink = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4) ink += image.pixelColor(x, y) != QColor(Qt::black);
        EXPECT_GT(ink, 2000) << code;
        if (out) image.save(QString("%1/sheet%2.png").arg(out).arg(code));
    }
}

}  // namespace

namespace {

// On the screen the sheets' text is a little wider, relative to the page, than
// on paper: on a 1366 x 768 screen the rulers' labels of boxes side by side
// still keep a blank between them ("Heerser." beside "Heerser."), within the
// rounding of two positions to whole pixels.
TEST_F(SheetComposers, RulerLabelsOfNeighbouringBoxesKeepABlankOnScreen) {
    display::ResetDrawingState(testing_support::DrawingStateOfTest());
    display::InitDrawingFromScreen(testing_support::DrawingStateOfTest(), 1366, 768);
    wheel_test::SetWheelPoint(current_.chart, 1, 135.25L);  // the Sun in Leo
    wheel_test::SetWheelPoint(current_.chart, 2, 105.5L);   // the Moon in Cancer
    current_.chart.receptions = engine::ComputeReceptions(current_.chart);
    for (int code : {5, 16}) {
        RecordingSurface dc{testing_support::DrawingStateOfTest()};
        ASSERT_TRUE(display::ComposeSheet(code, dc, current_, sheetMemory_));
        struct Label {
            int x, height;
            std::string text;
        };
        std::vector<Label> labels;
        for (const std::string& l : dc.Calls("text")) {
            const auto quote = l.find('\'');
            const std::string text = l.substr(quote + 1, l.size() - quote - 2);
            if (text != "Heerser." && text != "Verhog." && text != "Exil" && text != "Val" && text != "Uitwis.")
                continue;
            labels.push_back({std::stoi(l.substr(5)), std::stoi(l.substr(l.find("height=") + 7)), text});
        }
        ASSERT_GE(labels.size(), 3u) << code;
        EXPECT_GE(std::count_if(labels.begin(), labels.end(), [](const Label& l) { return l.text == "Heerser."; }), 2)
            << code;
        for (std::size_t i = 1; i < labels.size(); ++i) {
            display::Font f;
            f.height = labels[i - 1].height;
            const double end = labels[i - 1].x + display::MeasureTextIn(f, labels[i - 1].text).width;
            const double blank = display::MeasureTextIn(f, " ").width;
            EXPECT_GE(labels[i].x, end + blank - 1)
                << code << ": '" << labels[i - 1].text << "' then '" << labels[i].text << "'";
        }
    }
    EXPECT_TRUE(sink_.messages.empty());
}

}  // namespace
