// The correction tables: record layouts, the lookups' interpolation, the
// tables the build generates and damaged tables.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/bodies.h"
#include "engine/ephemeris_tables.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/real_formats.h"
#include "tests/common/test_support.h"
#ifdef KELVOR_HAVE_SWE
#include "tools/ephemeris_tables/precise_positions.h"
#endif

namespace {

using namespace engine;

std::string Int16s(const std::vector<int>& values) {
    std::string s;
    for (int v : values) {
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
        s += static_cast<char>(u & 0xFF);
        s += static_cast<char>(u >> 8);
    }
    return s;
}

std::string Int32s(const std::vector<std::int32_t>& values) {
    std::string s;
    for (std::int32_t v : values)
        for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}

TEST(PlanetRecord, LayoutOfTheFields) {
    PlanetRecord r;
    r.julianDay = 2451544.0;
    for (int f = 1; f <= kPlanetFieldCount; ++f) r.fields[PlanetFieldIndex(f)] = f * (f % 2 ? 1 : -1);
    r.fields[PlanetFieldIndex(8)] = -3000;  // Pluto's fields are 16-bit
    r.fields[PlanetFieldIndex(17)] = 1234;
    std::uint8_t b[32];
    ASSERT_TRUE(EncodePlanetRecord(r, b));
    EXPECT_EQ(rt::Real48FromBytes(b), 2451544.0L);
    EXPECT_EQ(static_cast<std::int8_t>(b[6]), 1);   // field 1, Mercury
    EXPECT_EQ(static_cast<std::int8_t>(b[12]), 7);  // field 7, Neptune
    EXPECT_EQ(b[13], 0);                            // not a field
    EXPECT_EQ(static_cast<std::int16_t>(b[14] | (b[15] << 8)), -3000);
    EXPECT_EQ(static_cast<std::int8_t>(b[16]), 9);    // field 9, the node
    EXPECT_EQ(static_cast<std::int8_t>(b[17]), -10);  // field 10, Mercury's latitude
    EXPECT_EQ(static_cast<std::int8_t>(b[23]), -16);  // field 16, Neptune's latitude
    EXPECT_EQ(static_cast<std::int16_t>(b[24] | (b[25] << 8)), 1234);
    const PlanetRecord back = DecodePlanetRecord(b);
    EXPECT_EQ(back.julianDay, r.julianDay);
    EXPECT_EQ(back.fields, r.fields);

    // A value beyond its field is refused, not wrapped.
    r.fields[PlanetFieldIndex(3)] = 128;
    EXPECT_FALSE(EncodePlanetRecord(r, b));
    r.fields[PlanetFieldIndex(3)] = -128;
    EXPECT_TRUE(EncodePlanetRecord(r, b));
    r.fields[PlanetFieldIndex(8)] = 40000;
    EXPECT_FALSE(EncodePlanetRecord(r, b));
}

class SyntheticTables : public ::testing::Test {
protected:
    testing_support::TempWorkFolder folder_;
    void Write(const char* name, const std::string& bytes) {
        testing_support::WriteBytes(folder_.Path() / "FilePosi" / name, bytes);
    }
};

TEST_F(SyntheticTables, DailyMoonTableInterpolates) {
    Write("DSEL.rnd", Int16s({100, 200, -400, 21600, 21602, 0}));
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase), 100);      // on a record
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase + 1), 200);  // either neighbour
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase + 0.25L), 125);
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase + 1.5L), -100);
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase + 3), 21600);  // exactly 21600 stays
    EXPECT_EQ(ReadMoonCorrection(kMoonTableBase + 3.5L), 1);   // 21601 is reduced
    // The last record has no successor: reading beyond the end is an error.
    EXPECT_THROW(ReadMoonCorrection(kMoonTableBase + 5.5L), rt::IoError);
    EXPECT_THROW(ReadBlackMoonCorrection(kBlackMoonTableBase), rt::IoError);  // missing
}

TEST_F(SyntheticTables, DailyBlackMoonTableInterpolates) {
    Write("NOJLNE.rnd", Int32s({-100000, 100000, 70000}));
    EXPECT_EQ(ReadBlackMoonCorrection(kBlackMoonTableBase), -100000);
    EXPECT_EQ(ReadBlackMoonCorrection(kBlackMoonTableBase + 0.75L), 50000);
    EXPECT_EQ(ReadBlackMoonCorrection(kBlackMoonTableBase + 1.5L), 85000);  // no 21600 rule
}

TEST_F(SyntheticTables, FiveDayPlanetTableInterpolatesFromTheRecordsOwnDay) {
    std::string bytes;
    for (int n = 0; n < 4; ++n) {
        PlanetRecord r;
        r.julianDay = kPlanetTableEpoch + 5 * n;
        r.fields[PlanetFieldIndex(1)] = 10 * n;
        r.fields[PlanetFieldIndex(8)] = 21590 + 10 * n;  // Pluto's wide field
        r.fields[PlanetFieldIndex(16)] = -20 * n;
        std::uint8_t b[32];
        ASSERT_TRUE(EncodePlanetRecord(r, b));
        bytes.append(reinterpret_cast<const char*>(b), 32);
    }
    Write("DPR1.rnd", bytes);
    const Real r1 = kPlanetTableEpoch + 5;
    EXPECT_EQ(PlanetTableIndex(r1), 1);
    EXPECT_EQ(PlanetTableIndex(r1 + 4.99L), 1);
    EXPECT_EQ(ReadPlanetCorrection(1, r1), 10);
    EXPECT_EQ(ReadPlanetCorrection(1, r1 + 2.5L), 15);
    EXPECT_EQ(ReadPlanetCorrection(16, r1 + 1), -24);
    EXPECT_EQ(ReadPlanetCorrection(8, r1), 21600);     // stays
    EXPECT_EQ(ReadPlanetCorrection(8, r1 + 2.5L), 5);  // 21605 is reduced
    EXPECT_THROW(ReadPlanetCorrection(1, kPlanetTableEpoch + 15.5L), rt::IoError);
}

TEST_F(SyntheticTables, LunarTableFollowsAParabolaWithinEachDay) {
    // Tenths of an arc second: start and middle of each day.
    std::string bytes(kLunarTableBytes, '\0');
    auto put = [&](std::uint64_t at, int start, int middle) { bytes.replace(at, 4, Int16s({start, middle})); };
    put(30 * kLunarRecordSize, 100, 400);
    put(31 * kLunarRecordSize, -200, 0);
    put(5 * kLunarRecordSize, 777, 777);  // the node's day 5, not the black moon's
    put(kBlackMoonFineOffset + 5 * kLunarRecordSize, -50, 150);
    put(kBlackMoonFineOffset + 6 * kLunarRecordSize, 250, 0);
    const std::int64_t lastNode = kNodeFineRecords - 2, lastBlack = kBlackMoonFineRecords - 2;
    put(lastNode * kLunarRecordSize, 10, 20);
    put((lastNode + 1) * kLunarRecordSize, 30, 32767);
    put(kBlackMoonFineOffset + lastBlack * kLunarRecordSize, -10, -20);
    put(kBlackMoonFineOffset + (lastBlack + 1) * kLunarRecordSize, -32768, 0);
    Write("DLUN.rnd", bytes);
    LoadedTable table;
    table.Load(kLunarTableFile, 1, static_cast<std::int64_t>(kLunarTableBytes));

    const Real n30 = kNodeFineBase + 30;
    EXPECT_EQ(NodeFineCorrectionFrom(table, n30), 10);
    EXPECT_EQ(NodeFineCorrectionFrom(table, n30 + 0.5L), 40);
    EXPECT_EQ(NodeFineCorrectionFrom(table, n30 + 1), -20);  // the next day's start
    // A quarter of the day: 0.375 start + 0.75 middle - 0.125 end.
    EXPECT_NEAR(static_cast<double>(NodeFineCorrectionFrom(table, n30 + 0.25L)), 36.25, 1e-12);
    EXPECT_NEAR(static_cast<double>(NodeFineCorrectionFrom(table, n30 + 0.75L)), 21.25, 1e-12);
    // Just before the next day's start: the parabola meets it.
    EXPECT_NEAR(static_cast<double>(NodeFineCorrectionFrom(table, n30 + 0.999999L)), -20, 1e-3);

    const Real b5 = kBlackMoonFineBase + 5;
    EXPECT_EQ(BlackMoonFineCorrectionFrom(table, b5), -5);
    EXPECT_EQ(BlackMoonFineCorrectionFrom(table, b5 + 0.5L), 15);
    EXPECT_NEAR(static_cast<double>(BlackMoonFineCorrectionFrom(table, b5 + 0.25L)), 6.25, 1e-12);
    EXPECT_NEAR(static_cast<double>(NodeFineCorrectionFrom(table, kNodeFineBase + 5.5L)), 77.7, 1e-12);

    // The last day of each part reads the start of the record after it; past
    // it, and before the first day, the run-time's read error.
    EXPECT_NEAR(static_cast<double>(NodeFineCorrectionFrom(table, kNodeFineBase + lastNode + 0.5L)), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(BlackMoonFineCorrectionFrom(table, kBlackMoonFineBase + lastBlack + 0.5L)), -2,
                1e-12);
    EXPECT_NEAR(static_cast<double>(BlackMoonFineCorrectionFrom(table, kBlackMoonFineBase + lastBlack + 0.999999L)),
                -3276.8, 0.05);
    EXPECT_THROW(BlackMoonFineCorrectionFrom(table, kBlackMoonFineBase + lastBlack + 1), rt::IoError);
    EXPECT_THROW(NodeFineCorrectionFrom(table, kNodeFineBase + lastNode + 1.5L), rt::IoError);
    EXPECT_THROW(BlackMoonFineCorrectionFrom(table, kBlackMoonFineBase + lastBlack + 1.5L), rt::IoError);
    EXPECT_THROW(NodeFineCorrectionFrom(table, kNodeFineBase - 0.5L), rt::IoError);
    EXPECT_THROW(BlackMoonFineCorrectionFrom(table, kBlackMoonFineBase - 0.5L), rt::IoError);
}

TEST(GeneratedTables, CoverEveryDayTheComputationReads) {
    const std::filesystem::path dir = std::filesystem::path(KELVOR_TEST_DATA_DIR) / "FilePosi";
    EXPECT_GE(std::filesystem::file_size(dir / "DSEL.rnd"), kMoonTableRecords * kMoonRecordSize);
    EXPECT_GE(std::filesystem::file_size(dir / "DPR1.rnd"), kPlanetTableRecords * kPlanetRecordSize);
    EXPECT_GE(std::filesystem::file_size(dir / "NOJLNE.rnd"), kBlackMoonTableRecords * kBlackMoonRecordSize);
    // The last Julian days of each span find both of their records.
    EXPECT_LT(MoonTableIndex(2499373.49L) + 1, kMoonTableRecords);
    EXPECT_LT(PlanetTableIndex(2499373.49L) + 1, kPlanetTableRecords);
    EXPECT_LT(BlackMoonTableIndex(2488433.49L) + 1, kBlackMoonTableRecords);
    EXPECT_EQ(std::filesystem::file_size(dir / "DLUN.rnd"), kLunarTableBytes);
    EXPECT_EQ(LunarTableDay(1721433.51L, kNodeFineBase), 24);
    EXPECT_EQ(LunarTableDay(2499373.49L, kNodeFineBase) + 2, kNodeFineRecords);
    EXPECT_EQ(LunarTableDay(2396758.5L, kBlackMoonFineBase), 0);
    EXPECT_EQ(LunarTableDay(2488433.49L, kBlackMoonFineBase) + 2, kBlackMoonFineRecords);

    // The program's own checks take every table for sound.
    EXPECT_EQ(MoonTableDamage(testing_support::ReadBytes(dir / "DSEL.rnd")), "");
    EXPECT_EQ(BlackMoonTableDamage(testing_support::ReadBytes(dir / "NOJLNE.rnd")), "");
    EXPECT_EQ(MinorTableDamage(testing_support::ReadBytes(dir / "DMIN.rnd")), "");
    EXPECT_EQ(LunarTableDamage(testing_support::ReadBytes(dir / "DLUN.rnd")), "");

    // Each planet record carries its own day, five days apart.
    const std::string bytes = testing_support::ReadBytes(dir / "DPR1.rnd");
    EXPECT_EQ(PlanetTableDamage(bytes), "");
    for (std::int64_t n : {std::int64_t{0}, std::int64_t{1}, std::int64_t{77777}, kPlanetTableRecords - 1}) {
        const PlanetRecord r =
            DecodePlanetRecord(reinterpret_cast<const std::uint8_t*>(bytes.data()) + n * kPlanetRecordSize);
        EXPECT_EQ(r.julianDay, kPlanetTableEpoch + 5 * n) << n;
        EXPECT_EQ(PlanetTableIndex(r.julianDay), n);
    }
}

}  // namespace

namespace {

TEST_F(SyntheticTables, LoadedTableIsReadOnceAndPickedUpAgainWhenItChanges) {
    using namespace engine;
    Write("NOJLNE.rnd", Int32s({10, 20, 30}));
    LoadedTable table;
    table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), 15);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 1.25L), 22.5L);
    // Past the last pair of records: the run-time's read error, not a stray value.
    EXPECT_THROW(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 2.5L), rt::IoError);

    // A table rewritten while the program runs (another size) is read again.
    Write("NOJLNE.rnd", Int32s({-10, -20, -30, -40}));
    table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), -15);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 2.5L), -35);

    // The same size, but a later modification time, is read again too.
    Write("NOJLNE.rnd", Int32s({1, 2, 3, 4}));
    const auto path = folder_.Path() / "FilePosi" / "NOJLNE.rnd";
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), 1.5L);

    // Shortened below what a chart needs: refused before anything is read.
    Write("NOJLNE.rnd", Int32s({1, 2}));
    EXPECT_THROW(table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3), EphemerisTableError);
    std::filesystem::remove(path);
    EXPECT_THROW(table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3), EphemerisTableError);
}

}  // namespace

namespace {

TEST_F(SyntheticTables, AnotherWorkingFolderUsesItsOwnTableEvenOfTheSameSizeAndTime) {
    using namespace engine;
    Write("NOJLNE.rnd", Int32s({10, 20, 30}));
    LoadedTable table;
    table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), 15);
    const auto first = folder_.Path() / "FilePosi" / "NOJLNE.rnd";
    {
        // A second data folder whose table has the same size and modification
        // time but other values: its own values are the ones used.
        testing_support::TempWorkFolder other;
        const auto second = other.Path() / "FilePosi" / "NOJLNE.rnd";
        testing_support::WriteBytes(second, Int32s({-10, -20, -30}));
        std::filesystem::last_write_time(second, std::filesystem::last_write_time(first));
        table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
        EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), -15);
    }
    // Back in the first folder, its table again.
    table.Load(kBlackMoonTableFile, kBlackMoonRecordSize, 3);
    EXPECT_EQ(BlackMoonCorrectionFrom(table, kBlackMoonTableBase + 0.5L), 15);
}

}  // namespace

#ifdef KELVOR_HAVE_SWE

namespace {

// Tables damaged as a disc or a copy damages them, random bytes in place of
// their records or the file cut in half: each is named, put back from the
// installation with its damaged copy kept, and the positions are computed
// from the sound tables.
TEST(DamagedTables, AreNamedPutBackAndThePositionsStayRight) {
    using namespace engine;
    testing_support::TempWorkFolder folder;
    EphemerisTables tables;  // the tables of this folder
    const std::filesystem::path shipped = std::filesystem::path(KELVOR_TEST_DATA_DIR) / "FilePosi";
    std::filesystem::copy(shipped, folder.Path() / "FilePosi");
    const auto table = [&](const char* name) { return folder.Path() / "FilePosi" / name; };
    std::map<std::string, std::string> damaged;
    unsigned seed = 31;
    for (const char* name : {"DSEL.rnd", "NOJLNE.rnd", "DMIN.rnd"})
        damaged[name] = testing_support::RandomBytes(std::filesystem::file_size(table(name)), seed++);
    const std::string lunar = testing_support::ReadBytes(table("DLUN.rnd"));
    damaged["DLUN.rnd"] = lunar.substr(0, lunar.size() / 2);
    for (const auto& [name, bytes] : damaged) testing_support::WriteBytes(table(name.c_str()), bytes);

    gui::RecordingMessageSink sink;
    BodySettings settings;
    settings.trueNode = true;
    settings.trueBlackMoon = true;
    precise::Init();
    const double jd = 2447000.5 + 0.3;  // July 1987
    for (int body : {kMoon, kNode, kBlackMoon, kCeres}) {
        SCOPED_TRACE(body);
        const Real ours = ComputeBodies(body, false, jd, settings, tables).bodies[BodyOfNumber(body)].longitude;
        const precise::Position p = precise::At(jd, body);
        ASSERT_TRUE(p.ok);
        EXPECT_LT(std::fabs(precise::AngleDiff(p.lon, static_cast<double>(ours))) * 3600, 60);
    }

    ASSERT_EQ(sink.messages.size(), 4u);
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        const std::string file = "\"FilePosi\\" + name + "\" \xE8 danneggiato o incompleto (";
        int told = 0;
        for (const auto& m : sink.messages)
            if (m.text.find(file) != std::string::npos) {
                ++told;
                EXPECT_NE(m.text.find("Il programma ha rimesso al suo posto il file della sua installazione"),
                          std::string::npos)
                    << m.text;
                EXPECT_NE(m.text.find("\"" + name + ".damaged1\""), std::string::npos) << m.text;
            }
        EXPECT_EQ(told, 1);
        EXPECT_EQ(testing_support::ReadBytes(table(name.c_str())), testing_support::ReadBytes(shipped / name));
        EXPECT_EQ(testing_support::ReadBytes(table((name + ".damaged1").c_str())), bytes);
    }
}

}  // namespace

#endif
