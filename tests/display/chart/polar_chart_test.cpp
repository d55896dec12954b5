// A stored person born beyond the polar circles, loaded as the main window
// loads it: the Ascendant rises in the east in what the user reads (the
// coordinate table, the houses of the attribution texts, the sheet), and where
// the houses of Placidus, Koch or Alcabitius are shown, a note says that
// Porphyry's stand in for them there.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "display/chart/attribution_texts.h"
#include "display/chart/chart_view.h"
#include "display/chart/chart_window.h"
#include "display/chart/coordinate_tables.h"
#include "display/chart/open_chart_window.h"
#include "display/chart/volguine_view.h"
#include "display/draw/drawing_state.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_terms.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/house_ring.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/display/chart/view_test_support.h"
#include "tests/display/wheel/wheel_person.h"

namespace {

const char* const kNote = "De huizen zijn hier die van PORFIRIO: voorbij de poolcirkel bestaan die van PLACIDO niet.";

class PolarChart : public ::testing::Test {
protected:
    void SetUp() override {
        wheel_test::CopyDataFolders({"FilePosi", "Appoggio", "Simboli", "Zodiaco", "OpzioneT", "OpzioneS", "Scambi"});
        testing_support::CurrentChartOfTest() = archive::CurrentChart{};
        testing_support::CurrentChartOfTest().settings.node = engine::ParseNodeKind("VERO");
        display::ResetDrawingState(testing_support::DrawingStateOfTest());
        testing_support::DrawingStateOfTest().pixelsPerUnit = 10;
        display::SetDefaultWheelRadii(testing_support::WheelGeometryOfTest());
    }
    void TearDown() override { display::ResetDrawingState(testing_support::DrawingStateOfTest()); }
    // Stores the birth as the store dialog does, makes it the current person
    // and loads it as the main window does.
    struct StoredBirth {
        const char* dateKey;
        const char* place;
        const char* nation;
    };
    static void Load(const StoredBirth& birth) {
        archive::BirthRecord r;
        r.dateField = birth.dateKey;
        r.placeField = birth.place;
        r.calendarField = "GR";
        r.nationalityField = birth.nation;
        archive::FillChartStrings(testing_support::CurrentChartOfTest().settings, r);
        archive::WriteCurrentPerson("HANSEN INGRID", r);
        ASSERT_FALSE(archive::LoadCurrentPersonForShow(testing_support::CurrentChartOfTest()).empty);
    }
    std::vector<std::string> SheetTexts() {
        display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
        EXPECT_TRUE(display::ComposeSheet(5, dc, testing_support::CurrentChartOfTest(), sheetMemory_));
        std::vector<std::string> texts;
        for (const view_test::DrawnText& t : view_test::DrawnTexts(dc)) texts.push_back(t.text);
        return texts;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    display::SheetMemory sheetMemory_;
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
};

TEST_F(PolarChart, TromsoAtNoonInThePolarNightHasPiscesRising) {
    // 21 December 1995, 12:00 by the clock, one hour ahead of UT.
    Load({"199512211200-1", "69N39-018E57Troms\xF8", "NORVEGIA"});
    if (HasFatalFailure()) return;
    const auto& c = testing_support::CurrentChartOfTest().chart;

    // The coordinate table: the Ascendant (row 10) and the Midheaven.
    const display::CoordinateTable table = display::EvaluateRelativeLongitudes(c, 100, 100);
    ASSERT_EQ(table.rows.size(), 11u);
    EXPECT_EQ(table.rows[9].text, rt::Utf8ToCp1252("08°43' Vissen "));
    EXPECT_EQ(table.rows[10].text, rt::Utf8ToCp1252("03°13' Steenbok "));

    // The Sun (29 06 Sagittarius) stands 9 degrees before the middle of the
    // eleventh medium house (Ascendant + 300 = 278 43): in the 11th house,
    // not in the 5th, where the setting point taken for the Ascendant put it.
    display::RecordingSurface wheel{
        testing_support::DrawingStateOfTest()};  // the wheel drawn writes the position keys the texts read
    const display::NatalChartFields fields =
        display::DrawNatalChartUnderView(wheel, testing_support::CurrentChartOfTest(), false,
                                         testing_support::WheelGeometryOfTest(), testing_support::NatalWheelOfTest());
    EXPECT_EQ(fields.houseSystem, "CASE_MEDIE");
    const auto texts = display::PlanetAttributionTexts(testing_support::CurrentChartOfTest().chart, 1,
                                                       [](const std::string&, const rt::IoError&) {});
    EXPECT_TRUE(std::find(texts.specific.begin(), texts.specific.end(),
                          "Zon in het 11e huis: invloedrijke vrienden, grote idealen.") != texts.specific.end())
        << texts.specific.size();

    // The sheet: the Ascendant and its ruler, the house system without a note
    // (medium houses exist at every latitude).
    const std::vector<std::string> sheet = SheetTexts();
    EXPECT_TRUE(Has(sheet, "Ascendant 08Vis43"));
    EXPECT_TRUE(Has(sheet, "Geregeerd door Jupiter"));
    EXPECT_TRUE(Has(sheet, "DOMIFICATIE: CASE_MEDIE"));
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

TEST_F(PolarChart, AnAntarcticBirthHasTheAscendantOfTheReferenceLibrary) {
    // 77 51 S, 166 40 E, 15 June 2000 at 15:00 by a clock twelve hours ahead
    // of UT: 07 11 Virgo rises (the precise library: 157.1836 degrees); the
    // formula alone gave the setting point, 07 11 Pisces.
    Load({"200006151500-12", "77S51-166E40SCOTT BASE", "ANTARTIDE"});
    if (HasFatalFailure()) return;
    const display::CoordinateTable table =
        display::EvaluateRelativeLongitudes(testing_support::CurrentChartOfTest().chart, 100, 100);
    ASSERT_EQ(table.rows.size(), 11u);
    EXPECT_EQ(table.rows[9].text, rt::Utf8ToCp1252("07°11' Maagd "));
}

TEST_F(PolarChart, PorphyryIsNamedWhereItStandsInForTheChosenSystem) {
    Load({"199512211200-1", "69N39-018E57Troms\xF8", "NORVEGIA"});
    if (HasFatalFailure()) return;
    auto& c = testing_support::CurrentChartOfTest().chart;
    c.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    EXPECT_EQ(display::HouseSystemCaption(c), "PLACIDO (PORFIRIO oltre il circolo polare)");
    // The chart window's field beside the wheel.
    display::RecordingSurface wheel{testing_support::DrawingStateOfTest()};
    EXPECT_EQ(display::DrawNatalChartUnderView(wheel, testing_support::CurrentChartOfTest(), false,
                                               testing_support::WheelGeometryOfTest(),
                                               testing_support::NatalWheelOfTest())
                  .houseSystem,
              "PLACIDO (PORFIRIO oltre il circolo polare)");
    // The sheet's header.
    EXPECT_TRUE(Has(SheetTexts(), "DOMIFICATIE: PLACIDO (PORFIRIO oltre il circolo polare)"));
    // Koch and Alcabitius likewise; Regiomontanus and the equal houses exist there.
    c.settings.houseSystem = engine::ParseHouseSystem("KOCH");
    EXPECT_EQ(display::HouseSystemCaption(c), "KOCH (PORFIRIO oltre il circolo polare)");
    c.settings.houseSystem = engine::ParseHouseSystem("ALCABIZIO");
    EXPECT_EQ(display::HouseSystemCaption(c), "ALCABIZIO (PORFIRIO oltre il circolo polare)");
    for (const char* own : {"REGIOMONT", "CASE_UGUALI", "CASE_MEDIE", "PORFIRIO"}) {
        c.settings.houseSystem = engine::ParseHouseSystem(own);
        EXPECT_EQ(display::HouseSystemCaption(c), own);
        EXPECT_EQ(display::PorphyryStandInLine(c), "");
    }
    // Just inside the polar circle (66 N) Placidus's own cusps are shown.
    c.settings.houseSystem = engine::ParseHouseSystem("PLACIDO");
    c.place.latitude = 66;
    EXPECT_EQ(display::HouseSystemCaption(c), "PLACIDO");
    // And beyond the southern one (67 S) the note is back.
    c.place.latitude = -67;
    EXPECT_EQ(display::HouseSystemCaption(c), "PLACIDO (PORFIRIO oltre il circolo polare)");
}

TEST_F(PolarChart, TheDominantPlanetViewSaysPorphyryStandsIn) {
    // The view computes Placidus houses for its scores and its wheel; its help
    // panel says when Porphyry's stand in, on each of its sub-views.
    for (const auto& [place, noted] : {std::pair{"69N39-018E57Troms\xF8", true}, {"41N54-012E29ROMA", false}}) {
        Load({"199512211200-1", place, "NORVEGIA"});
        if (HasFatalFailure()) return;
        delete testing_support::ChartWindowOfTest();  // a fresh window, with a fresh state
        testing_support::EnsureChartWindowForTest()->resize(1920, 1080);
        testing_support::OpenChartWindowForTest();
        while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
            testing_support::ChartWindowOfTest()->DrawWhenReady();
        for (int subView = 0; subView < 4; ++subView) {
            // A disabled button's handler.
            QMetaObject::invokeMethod(testing_support::ChartControl<QPushButton>("BBvolguine"), "clicked");
            const std::string help = gui::FromQt(testing_support::ChartControl<QPlainTextEdit>("Memo1")->toPlainText());
            EXPECT_EQ(help.find(kNote) != std::string::npos, noted) << place << " " << subView << ": " << help;
            // The sub-view's own help stays above it.
            EXPECT_EQ(help.rfind("PLANETAIRE KRACHTEN (" + std::to_string(subView + 1) + ")", 0), 0u) << help;
        }
        delete testing_support::ChartWindowOfTest();
    }
    EXPECT_TRUE(sink_.messages.empty()) << sink_.messages.front().text;
}

}  // namespace
