// Place records, name folding, the search by typed letters and the place window.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/places.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "tests/common/no_installed_copies.h"
#include "tests/common/test_support.h"

using namespace archive;

namespace {

PlaceRecord Place(std::string name, std::string state = "ITALIA", std::int32_t calendar = 100390001) {
    PlaceRecord p;
    p.name = std::move(name);
    p.state = std::move(state);
    p.calendarNumber = calendar;
    return p;
}

// A table of the given names (record 0 a header), as stored.
PlaceTable TableOf(PlaceTableKind kind, const std::vector<std::string>& names) {
    std::vector<rt::Bytes> records{EncodePlaceRecord(Place("HEADER"))};
    for (const auto& n : names) records.push_back(EncodePlaceRecord(Place(n)));
    PlaceTable t;
    t.Assign(kind, records);
    return t;
}

}  // namespace

TEST(PlaceRecordTest, FieldsSitAtTheirOffsetsAndRoundTrip) {
    PlaceRecord p;
    p.name = "MILANO";
    p.latitude = 45.4642L;
    p.longitude = -9.19L;
    p.calendarNumber = 100920000;
    p.state = "ITALIA (MI)";
    rt::Bytes r = EncodePlaceRecord(p);
    ASSERT_EQ(r.size(), kPlaceRecordSize);
    EXPECT_EQ(r[64], 11);  // the state's length byte
    // 100920000 = 0x0603EAC0, little-endian at offset 60.
    EXPECT_EQ(r[60], 0xC0);
    EXPECT_EQ(r[61], 0xEA);
    EXPECT_EQ(r[62], 0x03);
    EXPECT_EQ(r[63], 0x06);

    PlaceRecord q = DecodePlaceRecord(r);
    EXPECT_EQ(q.name, "MILANO");
    EXPECT_EQ(q.latitude, p.latitude);
    EXPECT_EQ(q.longitude, p.longitude);
    EXPECT_EQ(q.calendarNumber, 100920000);
    EXPECT_EQ(q.state, "ITALIA (MI)");

    r[0] = 200;  // a length beyond the capacity is clamped
    EXPECT_EQ(DecodePlaceRecord(r).name.size(), kPlaceNameCapacity);
    EXPECT_EQ(ZoneCalendarNameOf(q.calendarNumber), "00920000.CAL");
}

TEST(FoldPlaceNameTest, AccentedLettersFoldAndOthersStay) {
    EXPECT_EQ(FoldedPlaceName("M\xFCnchen"), "MUNCHEN");  // u diaeresis
    EXPECT_EQ(FoldedPlaceName("S\xE3o Jos\xE9"), "SAO JOSE");
    EXPECT_EQ(FoldedPlaceName("Stra\xDF"
                              "e"),
              "STRASE");  // sharp s
    EXPECT_EQ(FoldedPlaceName("\xE0\xE6\xF2\xF8\xEC\xF1\xE7"), "AAOOINC");
    EXPECT_EQ(FoldedPlaceName("\xC1\xC6\xD3\xD8\xDA\xDC\xCD\xCF\xC8\xCB\xC7"), "AAOOUUIIEEC");
    // Left as they are: small o tilde, capitals A grave, A tilde, O grave.
    EXPECT_EQ(FoldedPlaceName("\xF5\xC0\xC3\xD2"), "\xF5\xC0\xC3\xD2");
    EXPECT_EQ(FoldedPlaceName("Saint-Denis (Re)"), "SAINT DENIS  RE)");
    EXPECT_EQ(FoldedPlaceName("'s-Hertogenbosch"), "S HERTOGENBOSCH");
    EXPECT_EQ(FoldedPlaceName("L'AQUILA"), "L'AQUILA");
}

TEST(PlaceSearchTest, FindsTheFirstNameThatBeginsWithTheTypedLetters) {
    PlaceTable t =
        TableOf(PlaceTableKind::Italian, {"ANCONA", "ROMA", "ROMAGNANO SESIA", "ROMANO", "TORINO", "VENEZIA"});
    std::string typed = "roma";
    EXPECT_EQ(t.Search(typed), 2);
    EXPECT_EQ(typed, "ROMA");  // the Italian table upper-cases every letter
    EXPECT_EQ(PlaceSearchKey("roma"), "ROMA" + std::string(25, '!'));
    typed = "TO";
    EXPECT_EQ(t.Search(typed), 5);  // TORINO, not ROMANO before it
    typed = "ROM";
    EXPECT_EQ(t.Search(typed), 2);  // ROMA, the first of three
    typed = "VENEZIA";
    EXPECT_EQ(t.Search(typed), 6);  // the last place, typed whole
    typed = "VEN";
    EXPECT_EQ(t.Search(typed), 6);  // and only begun
    typed = "TR";
    EXPECT_EQ(t.Search(typed), 5);  // no name begins so: the last before the letters
    typed = "A";
    EXPECT_EQ(t.Search(typed), 1);
    typed = "ZZZ";
    EXPECT_EQ(t.Search(typed), 5);  // the bisection never reaches record N
    typed = "";
    EXPECT_EQ(t.Search(typed), 1);

    PlaceTable one = TableOf(PlaceTableKind::Italian, {"ROMA"});
    typed = "X";
    EXPECT_EQ(one.Search(typed), 1);
    PlaceTable none = TableOf(PlaceTableKind::Italian, {});
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Search(typed), 0);
}

TEST(PlaceSearchTest, ForeignNamesAreFoldedBeforeTheyAreCompared) {
    // Stored in the order of their folded names.
    PlaceTable t = TableOf(PlaceTableKind::Foreign, {"Zagreb", "Z\xFCrich", "Zwickau"});
    std::string typed = "zurich";
    EXPECT_EQ(t.Search(typed), 2);
    EXPECT_EQ(typed, "Zurich");  // only the first letter is upper-cased
    EXPECT_EQ(t.CompareName(2), "ZURICH");
    typed = "z\xFCrich";
    EXPECT_EQ(t.Search(typed), 2);

    // Letters that begin a name with a letter the keyboard may lack.
    PlaceTable n = TableOf(PlaceTableKind::Foreign, {"Trollh\xE4ttan", "Troms\xF8", "Trondheim"});
    typed = "troms";
    EXPECT_EQ(n.Search(typed), 2);
    typed = "Trond";
    EXPECT_EQ(n.Search(typed), 3);
}

// Names stored as the shipped tables hold them: padded with blanks.
static std::vector<std::string> Padded(std::initializer_list<const char*> names) {
    std::vector<std::string> out;
    for (const char* n : names) out.push_back((std::string(n) + std::string(25, ' ')).substr(0, 25));
    return out;
}

TEST(PlaceSearchTest, ANameTypedWholeIsFoundBeforeTheLongerNamesItBegins) {
    PlaceTable t =
        TableOf(PlaceTableKind::Italian, Padded({"ALBA", "BARI", "BARI SARDO", "BARIANO", "TORINO", "TORINO DI SANGRO",
                                                 "TORINO DI SANGRO MARINA", "TORRE", "VENEZIA", "ZUNGOLI", "ZUNGRI"}));
    std::string typed = "bari";
    EXPECT_EQ(t.Search(typed), 2);  // not BARI SARDO
    typed = "TORINO";
    EXPECT_EQ(t.Search(typed), 5);  // not the last TORINO DI SANGRO...
    typed = "BARI SARDO";
    EXPECT_EQ(t.Search(typed), 3);
    typed = "TORINO DI SANGRO";
    EXPECT_EQ(t.Search(typed), 6);
    // Letters that are not a whole name stop on a name they begin, or, where
    // none does, on the last name before them.
    typed = "TORINO DI";
    EXPECT_EQ(t.Search(typed), 7);
    typed = "BARIA";
    EXPECT_EQ(t.Search(typed), 4);  // BARIANO
    typed = "BARIB";
    EXPECT_EQ(t.Search(typed), 4);
    // The last place, which the halvings never reach.
    typed = "ZUNGRI";
    EXPECT_EQ(t.Search(typed), 11);
    typed = "ZUNGOLI";
    EXPECT_EQ(t.Search(typed), 10);

    // Foreign names are compared folded, whatever the letters typed.
    PlaceTable f =
        TableOf(PlaceTableKind::Foreign, Padded({"Adelaide", "Adelaide Hills", "Alice", "Alice Springs", "Paris",
                                                 "Paris", "Paris Hill", "Z\xFCrich", "Z\xFCrich Flughafen"}));
    typed = "alice";
    EXPECT_EQ(f.Search(typed), 3);
    typed = "Adelaide";
    EXPECT_EQ(f.Search(typed), 1);
    typed = "zurich";
    EXPECT_EQ(f.Search(typed), 8);
    typed = "Paris";  // of two places of one name, the last
    EXPECT_EQ(f.Search(typed), 6);
}

TEST(PlaceTableTest, OpenReadsTheTableFileAndFailsQuietlyWhenMissing) {
    testing_support::TempWorkFolder work;
    PlaceTable t;
    EXPECT_FALSE(t.Open(PlaceTableKind::Foreign));
    EXPECT_FALSE(t.IsOpen());

    std::string bytes;
    for (const char* n : {"HEAD", "Aachen", "Berlin"}) {
        rt::Bytes r = EncodePlaceRecord(Place(n, "GERMANIA"));
        bytes.append(r.begin(), r.end());
    }
    bytes += "partial";  // a table cut short: its whole records are used, and the cut is told
    testing_support::WriteBytes(work.Path() / "Localita" / "ESTERO.LOC", bytes);
    {
        testing_support::NoInstalledCopies installation;  // no sound table to put back
        gui::RecordingMessageSink sink;
        ASSERT_TRUE(t.Open(PlaceTableKind::Foreign));
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_NE(sink.messages[0].text.find("\"Localita\\ESTERO.LOC\" \xE8 danneggiato o incompleto (l'ultima scheda"),
                  std::string::npos)
            << sink.messages[0].text;
    }
    EXPECT_STREQ(t.FileName(), "ESTERO.LOC");
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(PlaceWindowLines(t, PlaceWindow(t.Count())),
              (std::vector<std::string>{"AachenGERMANIA", "BerlinGERMANIA"}));
    EXPECT_THROW(t.Read(3), rt::IoError);
}

TEST(PlaceCoordinatesTextTest, DegreesLettersAndRoundedMinutes) {
    EXPECT_EQ(PlaceCoordinatesText(45.4667L, 9.1833L), "45N28-009E11");
    EXPECT_EQ(PlaceCoordinatesText(-33.8688L, -151.2093L), "33S52-151W13");
    EXPECT_EQ(PlaceCoordinatesText(0, 0), "00N00-000E00");
    // Minutes that round to 60 are not carried into the degrees.
    EXPECT_EQ(PlaceCoordinatesText(41.9999L, 12.9999L), "41N60-012E60");
}

TEST(PlaceWindowTest, LargeTableKeepsTheHeaderOutAndReachesTheLastPlace) {
    PlaceWindow w(100);
    EXPECT_EQ(w.Position(), 4);
    EXPECT_EQ(w.PositionLine(), 3);
    for (int p : {5, 9}) {  // Page Up on line 1 from a position of 5 to 9
        w.SetPosition(p);
        w.KeyPageUp();
        EXPECT_EQ(w.RecordAtLine(0), 1);
    }
    w.SetPosition(20);
    w.ScrollPageUp();
    w.KeyPageDown();
    EXPECT_EQ(w.Position(), 19);
    w.SetPosition(1000);  // a thumb or search past the end
    w.ScrollPageDown();
    EXPECT_EQ(w.Position(), 97);
    EXPECT_EQ(w.RecordAtLine(6), 100);
}

TEST(PlaceWindowTest, AFoundPlaceAtEitherEndIsTheLineEnterTakes) {
    PlaceWindow w(20);
    w.ShowRecord(20);  // the window cannot centre the last place
    EXPECT_EQ(w.Position(), 17);
    EXPECT_EQ(w.Target(), 20);
    EXPECT_EQ(w.TargetLine(), 6);
    EXPECT_EQ(w.RecordAtLine(w.TargetLine()), 20);
    w.ShowRecord(2);
    EXPECT_EQ(w.Position(), 4);
    EXPECT_EQ(w.TargetLine(), 1);
    EXPECT_EQ(w.RecordAtLine(w.TargetLine()), 2);
    w.ShowRecord(10);
    EXPECT_EQ(w.TargetLine(), 3);
    // Any move of the window makes the middle line the one Enter takes.
    w.ShowRecord(1);
    w.LineDown();
    EXPECT_EQ(w.Target(), 5);
    EXPECT_EQ(w.TargetLine(), 3);
    w.ShowRecord(19);
    w.SetPosition(8);  // the scroll bar's thumb
    EXPECT_EQ(w.Target(), 8);
    w.ShowRecord(20);
    w.Reset(20);
    EXPECT_EQ(w.Target(), 4);
    // A small table shows a found place on its own line.
    PlaceWindow small(3);
    small.ShowRecord(3);
    EXPECT_EQ(small.TargetLine(), 2);
}

// Whatever the moves, every line shows a place of the table, never the header.
TEST(PlaceWindowTest, SmallTablesShowWhatThereIs) {
    for (std::int64_t n : {0, 1, 3, 6, 7, 8}) {
        SCOPED_TRACE(n);
        PlaceWindow w(n);
        void (PlaceWindow::*moves[])() = {&PlaceWindow::KeyPageDown,    &PlaceWindow::LineDown,
                                          &PlaceWindow::ScrollPageDown, &PlaceWindow::ScrollPageUp,
                                          &PlaceWindow::KeyPageUp,      &PlaceWindow::LineUp};
        for (auto move : moves) {
            (w.*move)();
            EXPECT_EQ(w.LineCount(), std::min<std::int64_t>(7, n));
            EXPECT_GE(w.RecordAtLine(0), n > 0 ? 1 : 0);
            EXPECT_LE(w.RecordAtLine(w.LineCount() - 1), n);
            EXPECT_EQ(w.RecordAtLine(w.LineCount()), 0);
            if (n > 0) {
                EXPECT_EQ(w.RecordAtLine(w.PositionLine()), w.Position());
            }
        }
    }
}
