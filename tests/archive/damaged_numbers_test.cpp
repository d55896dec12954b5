// Numbers in stored files that are not finite or lie far outside their field
// (found by fuzzing the readers): each one is reported as a damaged file that
// names the file, and none reaches a conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_files.h"
#include "archive/calendars.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/draw_settings_file.h"
#include "archive/places.h"
#include "archive/stored_numbers.h"
#include "engine/chart.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/number_range.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "tests/common/no_installed_copies.h"
#include "tests/common/test_support.h"

namespace damaged_numbers_test {

using namespace archive;
using testing_support::WriteBytes;

namespace {

class DamagedNumbersTest : public ::testing::Test {
protected:
    void SetUp() override { current_ = archive::CurrentChart{}; }
    testing_support::TempWorkFolder folder_;
    DrawSettings settings_;
    CurrentChart current_;  // the current person's chart the loaders fill
};

BirthRecord Person(const std::string& date, const std::string& place) {
    BirthRecord r;
    r.dateField = date;
    r.placeField = place;
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    r.annotationNumber = "00000";
    return r;
}

// The message of the damage a call reports ("" when it reports none).
template <typename F>
std::string DamageOf(F&& f) {
    try {
        f();
    } catch (const rt::DamagedFileError& e) {
        return e.what();
    } catch (const CalendarError& e) {
        return e.what();
    }
    return {};
}

std::string FromHex(const char* hex) {
    std::string out;
    for (const char* p = hex; p[0] && p[1]; p += 2) out += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
    return out;
}

// Inputs the fuzzers found, as they found them: a whole calendar file whose
// walk truncated a NaN, and a place record with a longitude that is no number.
const char* const kCalendarCrash =
    "0098f140b548aa73ebbff6475245470000000000000000000098f1c04a61ab921440044c4d5420004c5d6e7f90a1eabf"
    "00f05c9843d544931440044345542000000000000000f0bf0098f1c04abdc593144004434553540000000000000000c0"
    "0098f1c04a99c7931440044345542000000000000000f0bf0098f1c04a71ca93144004434553540000000000000000c0"
    "0098f1c04a4dcd931440044345542000000000000000f0bf0098f1c04acdcf93144004434553540000000000000000c0"
    "0098f1c04a19d3931440044345542000000000000000f0bf0098f1c04a61d593144004434553540000000000000000c0"
    "0098f1c04ac5d893144004044345542000000000000000f0bf00e84616a095c095144004434553540000000000000000"
    "c00098f1c0caf9c3951440044345542000000000000000f0bf00e846160098f1c04ab7558c1440044752454700000000"
    "00000000000098f1c04a61ab921440044c4d5420004c5d6e7f90a1eabfa04500f05c9843d54493144004434554200000"
    "00c695144004434553540000000000000000c00098f1c0caa9c9951440044345542000000000000000f0bf00e84616a0"
    "f5cb95144004434553540000000000000000c00098f1c0ca59cf9514400443b145542000000000000000f0bf00e84616"
    "a0c1d195144004434553540000000000000000c00098f1c0ca09d5951440044345542000000000000000f0bf00e84616"
    "a071d795144004434553540000000000000000c00098f1c0cab9da9514400443455400000000f0bf0098f1c04abdc56d"
    "e94004434553540000000000000000c00098f1c04a99c79314400443455420000020000000000000be00000000000000"
    "00f0bf00e84616a021dd95144004434553540000000000000000c00098f1c0ca85e09514400443455420000000000000"
    "00f0bf00e8460000000000f0bf0098f1c04a71ca93144004434553540000000000000000c00098f1c04a4dcd9316a0d1"
    "e2";
const char* const kPlaceCrashRecord =
    "19414220202020202020000000000000009869fb57563ab5044000000000000000e8f692c6689da602400000"
    "71d4fb050b4954414c4941202842532900000000000000000000000019415a29000000000000000000000000";

// The 80-bit reals as the fuzzers wrote them into records.
const std::string kNaN80("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x7F", 10);
const std::string kInf80("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x7F", 10);

}  // namespace

TEST_F(DamagedNumbersTest, CurrentPersonWithAnImpossibleCorrectionYearOrPlace) {
    const std::string amsterdam = "52N22-004E54AMSTERDAM  *NOORD*  HOLLAND";
    // What loading the current person tells, and whether it shows a person.
    struct Load {
        std::string told;
        bool shown = false;
    };
    auto load = [this] {
        gui::RecordingMessageSink messages;
        rt::ResetDamagedFileReports();
        Load l;
        l.shown = !LoadCurrentPersonForShow(current_).empty;
        for (const auto& m : messages.messages) l.told += m.text;
        return l;
    };
    // A correction of "+1E4000" hours (read as its five characters, 1E40) once
    // printed "-9223372036854775808N...": the person is named as damaged and
    // not shown, and no chart is computed from it.
    WriteCurrentPerson("ROSSI", Person("196012251405+1E4000", amsterdam));
    Load l = load();
    EXPECT_FALSE(l.shown);
    EXPECT_NE(l.told.find("\"ROSSI\" nell'archivio \"TMPR\" (file \"TMPR.ST2\")"), std::string::npos) << l.told;
    EXPECT_NE(l.told.find("\"Corr\""), std::string::npos) << l.told;
    EXPECT_EQ(current_.chart.moment.julianDay, 0);
    EXPECT_NO_THROW(LoadCurrentPersonForShow(current_));
    EXPECT_EQ(current_.chart.moment.julianDay, 0);

    // A year of 1E30 in the four digits of the year.
    WriteCurrentPerson("ROSSI", Person("1E3012251405+1", amsterdam));
    l = load();
    EXPECT_FALSE(l.shown);
    EXPECT_NE(l.told.find("Data Nascita Scorretta"), std::string::npos) << l.told;

    // 95 degrees of latitude and 200 of longitude.
    WriteCurrentPerson("ROSSI", Person("196012251405+1", "95N22-004E54AMSTERDAM"));
    EXPECT_NE(load().told.find("Coordinate Scorrette"), std::string::npos);
    WriteCurrentPerson("ROSSI", Person("196012251405+1", "52N22-200E54AMSTERDAM"));
    EXPECT_NE(load().told.find("Coordinate Scorrette"), std::string::npos);

    // The same person with sound numbers is shown.
    std::filesystem::copy(rt::InstalledDataFolder() / "FilePosi", "FilePosi", std::filesystem::copy_options::recursive);
    WriteCurrentPerson("ROSSI", Person("196012251405+1", amsterdam));
    l = load();
    EXPECT_EQ(l.told, "");
    EXPECT_TRUE(l.shown);
    // No person at all is no damage.
    WriteCurrentPerson("", Person("", ""));
    l = load();
    EXPECT_EQ(l.told, "");
    EXPECT_FALSE(l.shown);
}

TEST_F(DamagedNumbersTest, BirthRecordFieldsHaveTheirRanges) {
    const std::string place = "45N28-009E11MILANO";
    EXPECT_NO_THROW(CheckBirthRecordNumbers(Person("000101010000-24", place), "BASE.ST2"));
    EXPECT_NO_THROW(CheckBirthRecordNumbers(Person("999912312400+24", "90S60-180W60X"), "BASE.ST2"));
    // Texts that are no number are read as 0, as always.
    EXPECT_NO_THROW(CheckBirthRecordNumbers(Person("ABCD12251405+?", "xxNyy-zzzEwwX"), "BASE.ST2"));
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196013251405+1", place), "BASE.ST2"), rt::DamagedFileError);
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196012321405+1", place), "BASE.ST2"), rt::DamagedFileError);
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196012252505+1", place), "BASE.ST2"), rt::DamagedFileError);
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196012251461+1", place), "BASE.ST2"), rt::DamagedFileError);
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196012251405+25", place), "BASE.ST2"), rt::DamagedFileError);
    EXPECT_THROW(CheckBirthRecordNumbers(Person("196012251405+99999", place), "BASE.ST2"), rt::DamagedFileError);
}

TEST_F(DamagedNumbersTest, PlaceTableWithALatitudeOfNaN) {
    testing_support::NoInstalledCopies installation;  // no sound table to put back
    PlaceRecord header;
    PlaceRecord roma;
    roma.name = "ROMA";
    roma.latitude = 41.9L;
    roma.longitude = 12.5L;
    roma.calendarNumber = 100390001;
    roma.state = "RM";
    rt::Bytes bad = EncodePlaceRecord(roma);
    std::copy(kNaN80.begin(), kNaN80.end(), bad.begin() + 32);
    rt::Bytes head = EncodePlaceRecord(header), good = EncodePlaceRecord(roma);
    const std::string sound(head.begin(), head.end());
    const std::string table = sound + std::string(good.begin(), good.end()) + std::string(bad.begin(), bad.end());
    WriteBytes("Localita/ITALIA.LOC", table);
    PlaceTable t;
    EXPECT_EQ(DamageOf([&] { t.Open(PlaceTableKind::Italian); }),
              "Il file \"Localita\\ITALIA.LOC\" \xE8 danneggiato: il valore di latitudine (NaN) \xE8 fuori dai limiti "
              "ammessi.");
    EXPECT_FALSE(t.IsOpen());
    // A longitude of infinity in the foreign table.
    rt::Bytes far = good;
    std::copy(kInf80.begin(), kInf80.end(), far.begin() + 48);
    WriteBytes("Localita/ESTERO.LOC", sound + std::string(far.begin(), far.end()));
    EXPECT_NE(DamageOf([&] {
                  t.Open(PlaceTableKind::Foreign);
              }).find("ESTERO.LOC\" \xE8 danneggiato: il valore di longitudine (+Inf)"),
              std::string::npos);
    // The record the fuzzer found: its longitude's bytes are an 80-bit real
    // without its integer bit, NaN to the processor, that the coordinates
    // text once truncated.
    WriteBytes("Localita/ITALIA.LOC", sound + FromHex(kPlaceCrashRecord));
    const std::string found = DamageOf([&] { t.Open(PlaceTableKind::Italian); });
    EXPECT_NE(found.find("ITALIA.LOC\" \xE8 danneggiato: il valore di longitudine (NaN)"), std::string::npos) << found;
    // Without the damaged record the table opens.
    WriteBytes("Localita/ITALIA.LOC", sound + std::string(good.begin(), good.end()));
    EXPECT_TRUE(t.Open(PlaceTableKind::Italian));
    EXPECT_EQ(t.Read(1).name, "ROMA");
}

TEST_F(DamagedNumbersTest, CalendarWithAnEndlessDateOrCorrection) {
    testing_support::NoInstalledCopies installation;  // no sound calendar to put back
    auto record = [](long double date, const char* code, double correction) {
        ZoneCalendarRecord z;
        z.storedDate = date + CalendarDateOffset();
        z.code = code;
        z.correction = correction;
        rt::Bytes b = EncodeZoneCalendarRecord(z);
        return std::string(b.begin(), b.end());
    };
    const std::string head = record(2299160.5L, "GREG", 0) + record(2391364.5L, "LMT ", 0);
    WriteBytes("Calendar/00390001.CAL", head + record(2420000.5L, "CET ", 1e300) + record(0, "****", 0));
    EXPECT_EQ(
        DamageOf([] { LoadZoneCalendar(PlaceTableKind::Italian, "00390001.CAL"); }),
        "Il file \"Calendar\\00390001.CAL\" \xE8 danneggiato: il valore di correzione (1e+300) \xE8 fuori dai limiti "
        "ammessi.");
    // A date of NaN, as the fuzzer wrote it: the walk once truncated it.
    std::string nan = record(2420000.5L, "CET ", 1);
    std::copy(kNaN80.begin(), kNaN80.end(), nan.begin());
    WriteBytes("Calendar/00390001.CAL", head + nan + record(0, "****", 0));
    ZoneCalendarQuery q;
    q.calendarName = "00390001.CAL";
    q.clockJulianDay = 2451545;
    EXPECT_NE(DamageOf([&] { ApplyZoneCalendar(q); }).find("il valore di data (NaN)"), std::string::npos);
    // The file the fuzzer found.
    WriteBytes("Calendar/00390001.CAL", FromHex(kCalendarCrash));
    EXPECT_NE(DamageOf([&] { ApplyZoneCalendar(q); }).find("\"Calendar\\00390001.CAL\" \xE8 danneggiato"),
              std::string::npos);
    // The sound calendar is walked.
    WriteBytes("Calendar/00390001.CAL", head + record(2420000.5L, "CET ", 1) + record(0, "****", 0));
    EXPECT_EQ(ApplyZoneCalendar(q).correction, 1);
}

TEST_F(DamagedNumbersTest, DrawingSettingsWithALineWidthOf1e4000) {
    const std::string sound = "1\r\n0\r\n0\r\n1\r\n 1.5\r\nDa definire\r\n 0.98\r\n 1.02\r\n";
    WriteBytes("FileSet/MMVarLas.stt", sound);
    EXPECT_FALSE(settings_.LoadOrCreate());
    EXPECT_EQ(settings_.Values().lineWidthFactor, 1.5L);
    EXPECT_EQ(settings_.Values().aspectScaleY, 1.02L);

    // 1e4000 is still a real of the run-time: it once reached the pens' widths.
    // A damaged file is reported naming the value, kept aside, and the defaults
    // are used.
    auto shown = [this](const std::string& bytes) {
        WriteBytes("FileSet/MMVarLas.stt", bytes);
        gui::RecordingMessageSink sink;
        EXPECT_TRUE(settings_.LoadOrCreate());
        EXPECT_EQ(settings_.Values().lineWidthFactor, 1.0L);
        return sink.messages.empty() ? std::string() : sink.messages.front().text;
    };
    EXPECT_EQ(
        shown("1\r\n0\r\n0\r\n1\r\n1e4000\r\nDa definire\r\n1\r\n1\r\n")
            .rfind("Il file \"FileSet\\MMVarLas.stt\" \xE8 danneggiato: il valore di spessore delle linee (1e+4000) "
                   "\xE8 fuori dai limiti ammessi: si usano le impostazioni predefinite",
                   0),
        0u);
    EXPECT_NE(shown("1\r\n300\r\n0\r\n1\r\n1\r\nDa definire\r\n1\r\n1\r\n").find("correzione della stampante (300)"),
              std::string::npos);
    EXPECT_NE(shown("1\r\n0\r\n0\r\n1\r\n1\r\nDa definire\r\n-2,5\r\n1\r\n").find("scala orizzontale (-2.5)"),
              std::string::npos);
}

// A whole-number line of the drawing settings holding a real (1e-300 where
// the third drawing flag belongs) is told out of its range, as a number any
// other line cannot take is, never as a line without a number.
TEST_F(DamagedNumbersTest, ARealOnAWholeNumberLineOfTheDrawingSettingsIsToldOutOfRange) {
    WriteBytes("FileSet/MMVarLas.stt", "7\r\n1\r\n1e-300\r\n0\r\n 1.5\r\nE:\\Kelvor\r\n 0.9\r\n 1.1\r\n");
    gui::RecordingMessageSink sink;
    EXPECT_TRUE(settings_.LoadOrCreate());
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string& said = sink.messages[0].text;
    EXPECT_NE(said.find("il valore di terzo indicatore di disegno (1e-300) \xE8 fuori dai limiti ammessi"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("non contiene un numero"), std::string::npos) << said;
    EXPECT_EQ(settings_.Values().lineWidthFactor, 1.5L);
}

// Every line of the drawing settings is held to the range of its setting: a
// scale no calibration bar sets (1e-300, 0.5), a line width the line-width
// window does not take (1e5000, 0.1), a scale that is no number, a printer
// correction or a calendar switch of 2 each take their default while the
// other lines keep their values; the file is named with what is wrong, kept
// beside itself and written again, and then reads whole.
TEST_F(DamagedNumbersTest, DrawingSettingsOutOfTheRangeOfTheirSettingTakeTheirDefaults) {
    const std::vector<std::string> sound = {"7", "1", "3", "0", " 1.5", "E:\\Kelvor", " 0.9", " 1.1"};
    struct Case {
        std::size_t line;
        const char* text;
        const char* told;
    };
    for (const Case& c : {Case{6, "1e-300", "il valore di scala orizzontale (1e-300) \xE8 fuori dai limiti ammessi"},
                          Case{7, "0.5", "il valore di scala verticale (0.5) \xE8"},
                          Case{4, "1e5000", "il valore di spessore delle linee (+Inf) \xE8"},
                          Case{4, "0,1", "il valore di spessore delle linee (0.1) \xE8"},
                          Case{7, "NaN", "la riga 8 non contiene un numero"},
                          Case{1, "2", "il valore di correzione della stampante (2) \xE8"},
                          Case{3, "2", "il valore di passaggio al calendario gregoriano (2) \xE8"}}) {
        SCOPED_TRACE(c.text);
        std::filesystem::remove_all("FileSet");
        settings_ = DrawSettings{};
        std::vector<std::string> lines = sound;
        lines[c.line] = c.text;
        std::string bytes;
        for (const std::string& l : lines) bytes += l + "\r\n";
        WriteBytes("FileSet/MMVarLas.stt", bytes);
        gui::RecordingMessageSink sink;
        EXPECT_TRUE(settings_.LoadOrCreate());
        ASSERT_EQ(sink.messages.size(), 1u);
        const std::string& said = sink.messages[0].text;
        EXPECT_EQ(said.rfind("Il file \"FileSet\\MMVarLas.stt\" \xE8 danneggiato: ", 0), 0u) << said;
        EXPECT_NE(said.find(c.told), std::string::npos) << said;
        EXPECT_NE(said.find("\"MMVarLas.stt.damaged1\""), std::string::npos) << said;
        EXPECT_EQ(testing_support::ReadBytes("FileSet/MMVarLas.stt.damaged1"), bytes);
        // The line's default; every other value as the file holds it.
        EXPECT_EQ(settings_.Values().spareInteger, 7);
        EXPECT_EQ(settings_.Values().epsonCorrection, c.line == 1 ? 0 : 1);
        EXPECT_EQ(settings_.Values().spareByte, 3);
        EXPECT_EQ(settings_.Values().gregorianSwitch, c.line == 3 ? 1 : 0);
        EXPECT_EQ(settings_.Values().lineWidthFactor, c.line == 4 ? 1.0L : 1.5L);
        EXPECT_EQ(settings_.Values().backupDestination, "E:\\Kelvor");
        EXPECT_EQ(settings_.Values().aspectScaleX, c.line == 6 ? 1.0L : 0.9L);
        EXPECT_EQ(settings_.Values().aspectScaleY, c.line == 7 ? 1.0L : 1.1L);
        EXPECT_EQ(testing_support::ReadBytes("FileSet/MMVarLas.stt"), settings_.Text());
        EXPECT_FALSE(settings_.LoadOrCreate());
        EXPECT_EQ(sink.messages.size(), 1u);
    }
}

// The settings file is repaired, not only read: the archive tells each damage
// it repairs through the damaged-file reporter (a window shows it), the same
// damage found again included, and shows no message box of its own.
TEST_F(DamagedNumbersTest, DrawingSettingsTellEachRepairThroughTheReporter) {
    std::vector<std::string> told;
    rt::SetDamagedFileReporter([&told](const std::string& message) { told.push_back(message); });
    const std::string damaged = "1\r\n0\r\n0\r\n1\r\nspesso\r\nDa definire\r\n1\r\n1\r\n";
    for (int i = 0; i < 2; ++i) {
        WriteBytes("FileSet/MMVarLas.stt", damaged);
        EXPECT_TRUE(settings_.LoadOrCreate());
    }
    rt::SetDamagedFileReporter([](const std::string& message) { gui::ShowMessage(message); });
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("\"MMVarLas.stt.damaged1\""), std::string::npos) << told[0];
    EXPECT_NE(told[1].find("\"MMVarLas.stt.damaged2\""), std::string::npos) << told[1];
    EXPECT_FALSE(settings_.LoadOrCreate());  // the repaired file reads whole
}

}  // namespace damaged_numbers_test
