// The shipped place tables: whole records, the order the search needs,
// calendars that exist for every place, and a damaged table put back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "archive/calendars.h"
#include "archive/places.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

using namespace archive;
namespace fs = std::filesystem;

namespace {

// A work folder holding the shipped "Localita" and "Calendar" folders.
class ShippedPlaces : public ::testing::Test {
protected:
    void SetUp() override {
        fs::path data = KELVOR_TEST_DATA_DIR;
        for (const char* folder : {"Localita", "Calendar"})
            fs::copy(data / folder, work_.Path() / folder, fs::copy_options::recursive);
    }
    testing_support::TempWorkFolder work_;
};

std::string Trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

TEST_F(ShippedPlaces, TablesAreWholeRecordsInSearchOrder) {
    for (PlaceTableKind kind : {PlaceTableKind::Italian, PlaceTableKind::Foreign}) {
        SCOPED_TRACE(PlaceTableFileName(kind));
        auto size = fs::file_size(work_.Path() / "Localita" / PlaceTableFileName(kind));
        EXPECT_EQ(size % kPlaceRecordSize, 0u);
        PlaceTable t;
        ASSERT_TRUE(t.Open(kind));
        EXPECT_EQ(t.Count() + 1, static_cast<std::int64_t>(size / kPlaceRecordSize));
        EXPECT_GT(t.Count(), 5000);
        for (std::int64_t i = 1; i < t.Count(); ++i)
            ASSERT_LE(t.CompareName(i), t.CompareName(i + 1)) << "record " << i;
        for (std::int64_t i = 1; i <= t.Count(); ++i) {
            const PlaceRecord& p = t.Read(i);
            ASSERT_FALSE(Trimmed(p.name).empty()) << i;
            ASSERT_LE(std::fabs(static_cast<double>(p.latitude)), 90.0) << i;
            ASSERT_LE(std::fabs(static_cast<double>(p.longitude)), 180.0) << i;
            // The state stands apart from the name in the window's line.
            ASSERT_EQ(p.name.back(), ' ') << i;
            // Italian names are stored as the search compares them.
            if (kind == PlaceTableKind::Italian) {
                ASSERT_EQ(FoldedPlaceName(p.name), p.name) << i;
            }
        }
    }
}

// The Italian table cut in half: named, put back from the installation with
// the damaged copy kept, and Pisa, in its lost half, found.
TEST_F(ShippedPlaces, ATableCutInHalfIsPutBackAndFindsEveryPlace) {
    const fs::path table = work_.Path() / "Localita" / "ITALIA.LOC";
    const std::string whole = testing_support::ReadBytes(table);
    testing_support::WriteBytes(table, whole.substr(0, whole.size() / 2));
    gui::RecordingMessageSink sink;
    PlaceTable it;
    ASSERT_TRUE(it.Open(PlaceTableKind::Italian));
    std::string typed = "PISA";
    EXPECT_EQ(Trimmed(it.Read(it.Search(typed)).name), "PISA");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text,
              "Il file \"Localita\\ITALIA.LOC\" \xE8 danneggiato o incompleto (l'ultima scheda \xE8 incompleta: il "
              "file \xE8 stato troncato e vi mancano delle localit\xE0). Il programma ha rimesso al suo posto il file "
              "della sua installazione e va avanti con quello; il file danneggiato \xE8 conservato accanto come "
              "\"ITALIA.LOC.damaged1\".");
    EXPECT_EQ(testing_support::ReadBytes(table), whole);
    EXPECT_EQ(testing_support::ReadBytes(work_.Path() / "Localita" / "ITALIA.LOC.damaged1"),
              whole.substr(0, whole.size() / 2));
}

TEST_F(ShippedPlaces, TypedNamesFindTheirPlaces) {
    PlaceTable it;
    ASSERT_TRUE(it.Open(PlaceTableKind::Italian));
    std::string typed = "ROMA";
    const PlaceRecord& roma = it.Read(it.Search(typed));
    EXPECT_EQ(Trimmed(roma.name), "ROMA");
    EXPECT_EQ(roma.state, "ITALIA (RM)");
    EXPECT_NEAR(static_cast<double>(roma.latitude), 41.89, 0.1);
    EXPECT_NEAR(static_cast<double>(roma.longitude), 12.48, 0.1);
    typed = "cantu";  // Cantù
    EXPECT_EQ(Trimmed(it.Read(it.Search(typed)).name), "CANTU");

    PlaceTable foreign;
    ASSERT_TRUE(foreign.Open(PlaceTableKind::Foreign));
    struct Case {
        const char* typed;
        const char* name;  // Windows-1252
    };
    for (Case c : {Case{"zurich", "Z\xFCrich"}, Case{"malmo", "Malm\xF6"}, Case{"Sao Paulo", "S\xE3o Paulo"},
                   Case{"Paris", "Paris"}}) {
        std::string t = c.typed;
        std::int64_t at = foreign.Search(t);
        // The search stops on the last place of that name; the window shows those before it.
        bool found = false;
        for (std::int64_t i = std::max<std::int64_t>(1, at - 3); i <= at; ++i)
            found = found || Trimmed(foreign.Read(i).name) == c.name;
        EXPECT_TRUE(found) << c.typed << " stopped at " << foreign.Read(at).name;
    }
}

TEST_F(ShippedPlaces, EveryPlaceNamesAnExistingCalendar) {
    std::set<std::string> indexed;
    for (const std::string& line : rt::ReadTextLines("Calendar\\Elencal.002")) indexed.insert(line.substr(0, 12));
    for (PlaceTableKind kind : {PlaceTableKind::Italian, PlaceTableKind::Foreign}) {
        PlaceTable t;
        ASSERT_TRUE(t.Open(kind));
        std::set<std::string> names;
        for (std::int64_t i = 1; i <= t.Count(); ++i) names.insert(ZoneCalendarNameOf(t.Read(i).calendarNumber));
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            if (kind == PlaceTableKind::Foreign) {
                EXPECT_TRUE(indexed.count(name));
            } else {
                EXPECT_TRUE(fs::exists(work_.Path() / "Calendar" / name));
                EXPECT_EQ(fs::file_size(work_.Path() / "Calendar" / name) % kZoneCalendarRecordSize, 0u);
            }
            std::vector<ZoneCalendarRecord> records = LoadZoneCalendar(kind, name);
            ASSERT_GE(records.size(), 2u);
            EXPECT_EQ(records[0].code, "GREG");
            for (std::size_t i = 2; i < records.size(); ++i)
                ASSERT_LT(records[i - 1].Date(), records[i].Date()) << "record " << i;
        }
    }
    EXPECT_EQ(fs::file_size(work_.Path() / "Calendar" / "Database.cll") % kZoneCalendarRecordSize, 0u);
}
