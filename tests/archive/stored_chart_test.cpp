// A person stored through the entry and store dialogs (place, zone correction,
// date), loaded back as the current person: the Ascendant, the Midheaven, the
// Sun, the Moon and Saturn against the precise ephemeris library at the same
// instant and place, also for a birth beyond the polar circle.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>
#include <cstdio>

#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/input_dialog.h"
#include "archive/store_dialog.h"
#include "dialog_test_support.h"
#include "engine/bodies_theory.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"
#include "tools/ephemeris_tables/precise_positions.h"

using namespace archive;

namespace {

double Gap(double a, double b) { return std::fabs(precise::AngleDiff(a, b)); }

struct StoredChart : ::testing::Test {
    testing_support::TempWorkFolder tmp;
    gui::RecordingMessageSink messages;
    void SetUp() override {
        dialog_test::PrepareFolder();
        precise::Init();
        gui::SetModalHandler("FormRegKel", [](QDialog* d) {
            auto* store = static_cast<StoreDialog*>(d);
            store->ShowEnteredBirthData();
            store->StoreAndClose();
            return int(gui::kModalOk);
        });
    }
    void TearDown() override {
        gui::ClearModalHandlers();
        gui::ClearIdleHandler();
    }
    // What is typed into the entry dialog for a person.
    struct TypedPerson {
        const char* name;
        const char* day;
        const char* month;
        const char* year;
        const char* hour;
        const char* minute;
        const char* place;
    };
    // Types the person into the entry dialog, picks the place and stores it.
    void Store(const TypedPerson& typed, bool foreign = false) {
        InputDialog dialog(testing_support::CurrentChartOfTest());
        dialog.StartNewEntry();
        if (foreign) dialog.foreignPlacesButton->click();  // the table of places abroad
        dialog_test::Type(dialog.nameEdit, typed.name);
        dialog_test::Type(dialog.dayEdit, typed.day);
        dialog_test::Type(dialog.monthEdit, typed.month);
        dialog_test::Type(dialog.yearEdit, typed.year);
        dialog_test::Type(dialog.hourEdit, typed.hour);
        dialog_test::Type(dialog.minuteEdit, typed.minute);
        gui::RunIdleHandler();
        dialog_test::Type(dialog.placeSearchEdit, typed.place);
        QTest::keyClick(dialog.placeSearchEdit, Qt::Key_Return);
        gui::RunIdleHandler();
        ASSERT_TRUE(dialog.goOnButton->isEnabled())
            << dialog.placeSearchEdit->text().toStdString() << "/" << dialog.placeNameEdit->text().toStdString() << "/"
            << (messages.messages.empty() ? "" : messages.messages[0].text) << "/"
            << int(gui::GetFieldState(dialog.placeSearchEdit));
        dialog.ConfirmAndStore();
        ASSERT_TRUE(messages.messages.empty()) << messages.messages[0].text;
        coordinates = dialog.coordinatesEdit->text().toStdString();
    }
    std::string coordinates;
};

}  // namespace

TEST_F(StoredChart, AnglesAndBodiesOfAStoredPersonMatchThePreciseLibrary) {
    // Rome, 15 January 1960, 12:30 clock time, one hour east of Greenwich in winter.
    Store({"ROSSI MARIO", "15", "01", "1960", "12", "30", "ROMA"});
    ASSERT_EQ(coordinates.size(), 12u);
    // The place as stored: whole minutes of arc.
    const double lat = std::stoi(coordinates.substr(0, 2)) + std::stoi(coordinates.substr(3, 2)) / 60.0;
    const double lon = std::stoi(coordinates.substr(6, 3)) + std::stoi(coordinates.substr(10, 2)) / 60.0;
    ASSERT_EQ(coordinates[2], 'N');
    ASSERT_EQ(coordinates[9], 'E');

    LoadCurrentPersonForShow(testing_support::CurrentChartOfTest());
    const auto& c = testing_support::CurrentChartOfTest().chart;
    const double jdUt = swe_julday(1960, 1, 15, 11.5, SE_GREG_CAL);  // 12:30 at UT+1
    double cusps[13] = {}, ascmc[10] = {};
    swe_houses(jdUt, lat, lon, 'P', cusps, ascmc);

    EXPECT_LT(Gap(static_cast<double>(c.points.ascendant), ascmc[0]), 0.02) << "Ascendant";
    EXPECT_LT(Gap(static_cast<double>(c.points.midheaven), ascmc[1]), 0.02) << "Midheaven";
    EXPECT_LT(Gap(static_cast<double>(c.cusps[1]), ascmc[0]), 0.02) << "first cusp";

    for (int body : {1, 2, 7}) {
        const precise::Position p = precise::At(jdUt, body);
        ASSERT_TRUE(p.ok) << body;
        EXPECT_LT(Gap(static_cast<double>(c.bodies[engine::BodyOfNumber(body)].longitude), p.lon),
                  body == 2 ? 0.01 : 0.005)
            << body;
    }
}

TEST_F(StoredChart, APlaceWestOfGreenwichInSummer) {
    // New York, 4 July 1976, 09:15 clock time, daylight saving: four hours behind.
    Store({"SMITH JOHN", "04", "07", "1976", "09", "15", "New York City"}, true);
    if (HasFatalFailure()) return;
    ASSERT_EQ(coordinates[9], 'W');
    const double lat = std::stoi(coordinates.substr(0, 2)) + std::stoi(coordinates.substr(3, 2)) / 60.0;
    const double lon = -(std::stoi(coordinates.substr(6, 3)) + std::stoi(coordinates.substr(10, 2)) / 60.0);
    LoadCurrentPersonForShow(testing_support::CurrentChartOfTest());
    const auto& c = testing_support::CurrentChartOfTest().chart;
    const double jdUt = swe_julday(1976, 7, 4, 13.25, SE_GREG_CAL);
    double cusps[13] = {}, ascmc[10] = {};
    swe_houses(jdUt, lat, lon, 'P', cusps, ascmc);
    EXPECT_LT(Gap(static_cast<double>(c.points.ascendant), ascmc[0]), 0.02) << "Ascendant";
    EXPECT_LT(Gap(static_cast<double>(c.points.midheaven), ascmc[1]), 0.02) << "Midheaven";
    const precise::Position moon = precise::At(jdUt, 2);
    EXPECT_LT(Gap(static_cast<double>(c.bodies[engine::Body::Moon].longitude), moon.lon), 0.01);
}

TEST_F(StoredChart, ABirthBeyondTheArcticCircleRisesInTheEast) {
    // Tromso, noon of 21 December 1995 in the polar night: 08 43 Pisces rises
    // in the south-east; 08 44 Virgo is the point setting in the north-west.
    Store({"HANSEN INGRID", "21", "12", "1995", "12", "00", "Tromsø"}, true);  // the name as the table spells it
    if (HasFatalFailure()) return;
    ASSERT_EQ(coordinates, "69N39-018E57");
    LoadCurrentPersonForShow(testing_support::CurrentChartOfTest());
    const auto& c = testing_support::CurrentChartOfTest().chart;
    std::string ascendant;
    engine::FormatSignPosLong(ascendant, " ", c.points.ascendant);
    EXPECT_EQ(ascendant, rt::Utf8ToCp1252("08°43' Vissen "));
    EXPECT_EQ(c.cusps[1], c.points.ascendant);
    const double jdUt = swe_julday(1995, 12, 21, 11.0, SE_GREG_CAL);
    double cusps[13] = {}, ascmc[10] = {};
    swe_houses(jdUt, 69 + 39 / 60.0, 18 + 57 / 60.0, 'E', cusps, ascmc);
    EXPECT_LT(Gap(static_cast<double>(c.points.ascendant), ascmc[0]), 10.0 / 3600) << "Ascendant";
    EXPECT_LT(Gap(static_cast<double>(c.points.midheaven), ascmc[1]), 10.0 / 3600) << "Midheaven";

    // The stored strings: cusp 1 in Pisces, and the Sun (29 Sagittarius),
    // four degrees before the Midheaven (03 Capricorn), in the ninth house of
    // the archive's cusps (Porphyry's, as Placidus's do not exist there).
    const BirthRecord stored = DecodeBirthRecord(rt::ReadAllRecords("BASE.ST2", kBirthRecordSize).back());
    EXPECT_EQ(stored.cuspString.substr(0, 5), "01P08") << stored.cuspString;
    EXPECT_EQ(stored.cuspString.substr(45, 5), "10C03") << stored.cuspString;
    EXPECT_EQ(stored.positionString.substr(0, 6), "09eR29") << stored.positionString;
}
