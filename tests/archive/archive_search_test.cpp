// The name search of exactly 100 halvings and the ordering pass, on entry
// texts and over an archive on disk.
#include <gtest/gtest.h>

#include "archive/archive_files.h"
#include "archive/name_search.h"
#include "tests/common/test_support.h"

using namespace archive;

namespace {

// Entries 1..N (entry 0 a header) and a counter of reads.
struct Index {
    std::vector<std::string> entries{EmptyIndexHeaderText()};
    int reads = 0;
    explicit Index(const std::vector<std::pair<std::string, int>>& people) {
        for (const auto& [n, r] : people) entries.push_back(MakeIndexEntry(n, r));
    }
    SearchResult Find(const std::string& typed) {
        return SearchSortedEntries(ArchiveSearchKey(typed), static_cast<int>(entries.size()) - 1, [this](int i) {
            ++reads;
            return entries.at(i);
        });
    }
};

}  // namespace

TEST(SearchKey, UpperCasedPaddedAndCut) {
    EXPECT_EQ(ArchiveSearchKey("ro"), "RO" + std::string(36, '!'));
    EXPECT_EQ(ArchiveSearchKey(""), std::string(38, '!'));
    EXPECT_EQ(ArchiveSearchKey(std::string(50, 'a')), std::string(38, 'A'));
    EXPECT_EQ(ArchiveSearchKey("\xE9t\xE9"), "\xE9T\xE9" + std::string(35, '!'));  // a..z only
}

TEST(NameSearch, LandsWhereTheBisectionEnds) {
    Index idx({{"BIANCHI LUCA", 3},
               {"MULLER", 5},
               {"ROSSI", 9},
               {"ROSSI MARIO", 1},
               {"ROSSIANO", 2},
               {"VERDI", 4},
               {"ZOE", 6}});
    // Inside the list: the last entry that sorts before the key.
    SearchResult r = idx.Find("ROSSI");
    EXPECT_EQ(r.position, 4);  // "ROSSI!!!" sorts after "ROSSI MARIO" and before "ROSSIANO"
    EXPECT_EQ(r.lastEntryRead, MakeIndexEntry("ROSSI MARIO", 1));
    EXPECT_TRUE(EntryBeginsWith(r.lastEntryRead, "rossi"));
    EXPECT_EQ(idx.reads, 100);

    r = idx.Find("ROS");  // sorts before every ROSS...: lands on the entry before them
    EXPECT_EQ(r.position, 2);
    EXPECT_FALSE(EntryBeginsWith(r.lastEntryRead, "ROS"));

    EXPECT_EQ(idx.Find("VERDI").position, 6);
    // Before every entry: position 1; after every entry: N - 1 (the bottom never
    // reaches the last entry).
    EXPECT_EQ(idx.Find("AAA").position, 1);
    EXPECT_EQ(idx.Find("ZZZ").position, 6);
    EXPECT_EQ(idx.Find("\xC9MILE").position, 6);  // accented capitals sort after Z
}

TEST(NameSearch, TinyIndexes) {
    Index one({{"ROSSI", 1}});
    EXPECT_EQ(one.Find("A").position, 1);
    EXPECT_EQ(one.Find("Z").position, 1);
    Index none({});
    SearchResult r = none.Find("A");
    EXPECT_EQ(r.position, 0);  // reads the header only
    EXPECT_EQ(none.reads, 100);
}

TEST(OrderPass, CarriesTheNewEntryToItsPlace) {
    auto entries = [](std::vector<std::string> names) {
        std::vector<std::string> e{EmptyIndexHeaderText()};
        int n = 1;
        for (auto& s : names) e.push_back(MakeIndexEntry(s, n++));
        return e;
    };
    std::vector<std::string> e = entries({"B", "D", "F", "A"});
    std::vector<std::pair<int, int>> swaps;
    EXPECT_EQ(OrderNewEntry(e, [&](int a, int b) { swaps.push_back({a, b}); }), 1);
    EXPECT_EQ(e[1], MakeIndexEntry("A", 4));
    EXPECT_EQ(e[0], EmptyIndexHeaderText());
    EXPECT_EQ(swaps, (std::vector<std::pair<int, int>>{{4, 3}, {3, 2}, {2, 1}}));

    e = entries({"B", "D", "F", "E"});
    EXPECT_EQ(OrderNewEntry(e), 3);
    e = entries({"B", "D", "F", "G"});
    EXPECT_EQ(OrderNewEntry(e), 0);  // already at its place
    e = entries({"B"});
    EXPECT_EQ(OrderNewEntry(e), 0);  // fewer than two entries: nothing to do
}

TEST(OpenArchive, SearchAndNameWindow) {
    testing_support::TempWorkFolder folder;
    CreateEmptyArchive("BASE");
    BirthRecord r;  // a person the store takes
    r.dateField = "196012251405-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    for (int i = 0; i < 12; ++i)
        StorePersonRecords(StoreRequest{"BASE", std::string(1, static_cast<char>('A' + i)) + "NAME", r, {}});
    ArchiveFiles f;
    f.Open("BASE");
    ASSERT_EQ(f.EntryCount(), 12);
    SearchResult s = f.Search("e");
    EXPECT_EQ(s.position, 4);  // "E!!" sorts after "DNAME" and before "ENAME"
    EXPECT_EQ(f.ReadEntry(s.position), s.lastEntryRead);
    const auto window = f.FillNameList(5, false);
    ASSERT_EQ(window.size(), 9u);
    EXPECT_EQ(window.front(), "ANAME" + std::string(33, ' '));
    EXPECT_EQ(f.FillNameList(10, true).back(), MakeIndexEntry("LNAME", 12));  // cut at N
    EXPECT_EQ(f.FillNameList(10, true).size(), 7u);
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.Close());  // closing files that are not open
}
