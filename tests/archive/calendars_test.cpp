// Calendar records and files, the calendar switch, local mean time and the walk
// through periods and chained calendars.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "archive/calendars.h"
#include "platform/runtime/io_error.h"
#include "tests/common/test_support.h"

using namespace archive;

namespace {

ZoneCalendarRecord Rec(long double jd, std::string code, double correction) {
    return ZoneCalendarRecord{jd + CalendarDateOffset(), std::move(code), correction};
}
ZoneCalendarRecord Chain(int number) { return ZoneCalendarRecord{static_cast<long double>(number), "RICH", 0}; }

constexpr long double kUndated = 1721423.5L;

struct Calendars {
    std::map<std::string, std::vector<ZoneCalendarRecord>> files;
    ZoneCalendarResult Walk(long double jd, const std::string& name = "00000001.CAL",
                            PlaceTableKind table = PlaceTableKind::Foreign, bool gregorianSwitch = false,
                            long double longitude = 0) const {
        ZoneCalendarQuery q;
        q.table = table;
        q.calendarName = name;
        q.clockJulianDay = jd;
        q.gregorianSwitch = gregorianSwitch;
        q.longitude = longitude;
        return ApplyZoneCalendar(q, [this](const std::string& n) { return files.at(n); });
    }
};

// Local mean time until day 1000, then -1 h, -2 h from 2000, +5 h from 3000.
Calendars Simple() {
    Calendars c;
    c.files["00000001.CAL"] = {Rec(kUndated, "GREG", 0), Rec(1000, "LMT ", -1), Rec(2000, "CEST", -2),
                               Rec(3000, "XYZ ", 5)};
    return c;
}

std::string Bytes(const std::vector<ZoneCalendarRecord>& records) {
    std::string s;
    for (const auto& r : records) {
        rt::Bytes b = EncodeZoneCalendarRecord(r);
        s.append(b.begin(), b.end());
    }
    return s;
}

}  // namespace

TEST(ZoneCalendarRecordTest, LayoutAndDateOffset) {
    EXPECT_NEAR(static_cast<double>(CalendarDateOffset()), 84.82300164692441, 1e-13);
    ZoneCalendarRecord r = Rec(2451545.0L, "CET", -1.5);
    rt::Bytes b = EncodeZoneCalendarRecord(r);
    ASSERT_EQ(b.size(), kZoneCalendarRecordSize);
    double c = 0;
    std::memcpy(&c, b.data() + 16, 8);
    EXPECT_EQ(c, -1.5);
    ZoneCalendarRecord back = DecodeZoneCalendarRecord(b);
    EXPECT_EQ(back.code, "CET");
    EXPECT_NEAR(static_cast<double>(back.Date()), 2451545.0, 1e-9);
    EXPECT_EQ(ChainedCalendarName(ZoneCalendarRecord{920000.4L, "RICH", 0}), "00920000.CAL");
}

TEST(ZoneCalendarWalkTest, PeriodsHoldAfterTheirDateUpToTheNextOne) {
    Calendars c = Simple();
    EXPECT_EQ(c.Walk(1500).correctionText, "-1");
    EXPECT_EQ(c.Walk(2000).correctionText, "-1");  // exactly on a date: the previous period
    EXPECT_EQ(c.Walk(2000.001L).correctionText, "-2");
    EXPECT_EQ(c.Walk(9000).correctionText, "+5");  // beyond the last date: the last period
}

TEST(ZoneCalendarWalkTest, LocalMeanTimeComesFromTheLongitude) {
    Calendars c = Simple();
    ZoneCalendarResult r = c.Walk(1000, "00000001.CAL", PlaceTableKind::Foreign, false, 12.5L);
    EXPECT_TRUE(r.localMeanTime);
    EXPECT_EQ(r.correctionText, "-0,83333333");
    EXPECT_NEAR(static_cast<double>(r.correction), -0.83333333, 1e-12);
    // On the Greenwich meridian the correction is "+0", west of it positive.
    EXPECT_EQ(c.Walk(1000, "00000001.CAL", PlaceTableKind::Foreign, false, 0.0L).correctionText, "+0");
    EXPECT_EQ(c.Walk(1000, "00000001.CAL", PlaceTableKind::Foreign, false, -74.0L).correctionText, "+4,93333333");
    // Without the "LMT " mark a moment before the first period takes its correction.
    c.files["00000001.CAL"][1].code = "STD ";
    r = c.Walk(500, "00000001.CAL", PlaceTableKind::Foreign, false, 12.5L);
    EXPECT_FALSE(r.localMeanTime);
    EXPECT_EQ(r.correctionText, "-1");
}

TEST(ZoneCalendarWalkTest, ChainsContinueInTheNamedFile) {
    Calendars c;
    c.files["00000001.CAL"] = {Rec(kUndated, "GREG", 0), Rec(1000, "LMT ", -1), Rec(2000, "A", -2), Chain(2)};
    c.files["00000002.CAL"] = {Rec(kUndated, "GREG", 0), Rec(1500, "OLD", -7), Rec(2500, "B", -3), Rec(3000, "C", -4)};
    ZoneCalendarResult r = c.Walk(3100);
    EXPECT_EQ(r.correctionText, "-4");
    // The chained periods not later than the last listed one are walked, not listed.
    std::vector<std::string> codes;
    for (const auto& l : r.lines) codes.push_back(l.chainLine ? "->" + l.chainName : l.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"GREG", "LMT ", "A", "->00000002.CAL", "B", "C"}));

    // The last period before the chain holds up to the first chained one.
    c.files["00000002.CAL"] = {Rec(kUndated, "GREG", 0), Rec(2500, "B", -3)};
    EXPECT_EQ(c.Walk(2200).correctionText, "-2");
    EXPECT_EQ(c.Walk(2600).correctionText, "-3");
}

TEST(ZoneCalendarWalkTest, BrokenCalendarsGiveAMessageInsteadOfHanging) {
    Calendars c;
    c.files["00000001.CAL"] = {Rec(kUndated, "GREG", 0), Rec(1000, "A", -1), Chain(2)};
    c.files["00000002.CAL"] = {Rec(kUndated, "GREG", 0), Rec(1100, "B", -1), Chain(1)};
    try {
        c.Walk(5000);
        FAIL() << "a looping chain must not be walked";
    } catch (const CalendarError& e) {
        EXPECT_NE(std::string(e.what()).find("00000001.CAL"), std::string::npos);
    }
    c.files["00000002.CAL"] = {Rec(kUndated, "GREG", 0), Chain(2)};
    EXPECT_THROW(c.Walk(5000), CalendarError);
    c.files["00000002.CAL"] = {Rec(kUndated, "GREG", 0)};
    EXPECT_THROW(c.Walk(5000), CalendarError);
    c.files["00000003.CAL"] = {};
    EXPECT_THROW(c.Walk(5000, "00000003.CAL"), CalendarError);
}

TEST(ZoneCalendarSwitchTest, GregorianSwitchByTableMarkAndSetting) {
    Calendars c;
    auto with = [&c](long double greg) {
        c.files["00000001.CAL"] = {Rec(greg, "GREG", 0), Rec(2400000, "LMT ", -1), Rec(2420000, "CET", -1)};
    };
    // Italian calendars are read one day earlier.
    with(2299161.0L);
    EXPECT_TRUE(c.Walk(2299160.0L, "00000001.CAL", PlaceTableKind::Italian).julian);
    EXPECT_FALSE(c.Walk(2299160.5L, "00000001.CAL", PlaceTableKind::Italian).julian);
    EXPECT_TRUE(c.Walk(2299160.9L, "00000001.CAL", PlaceTableKind::Foreign).julian);

    // Undated switch: the setting decides.
    with(kUndated);
    EXPECT_FALSE(c.Walk(2000000, "00000001.CAL", PlaceTableKind::Foreign, false).julian);
    EXPECT_TRUE(c.Walk(2000000, "00000001.CAL", PlaceTableKind::Foreign, true).julian);
    EXPECT_FALSE(c.Walk(2299160.7L, "00000001.CAL", PlaceTableKind::Foreign, true).julian);

    // A late switch: the setting makes every moment after 1582 Gregorian.
    with(2421638.0L);
    EXPECT_TRUE(c.Walk(2410000, "00000001.CAL", PlaceTableKind::Foreign, false).julian);
    EXPECT_FALSE(c.Walk(2410000, "00000001.CAL", PlaceTableKind::Foreign, true).julian);

    // The walk runs on the clock time's Julian day in the calendar chosen.
    ZoneCalendarQuery q;
    q.table = PlaceTableKind::Foreign;
    q.calendarName = "00000001.CAL";
    q.clockJulianDay = 2410000;
    q.clockJulianDayIn = [](bool julian) { return julian ? 2430000.0L : 0.0L; };
    ZoneCalendarResult r = ApplyZoneCalendar(q, [&c](const std::string& n) { return c.files.at(n); });
    EXPECT_EQ(r.walkJulianDay, 2430000.0L);
    EXPECT_EQ(r.correctionText, "-1");
    EXPECT_FALSE(r.fixedZoneMinusFive);
    c.files["00920000.CAL"] = c.files["00000001.CAL"];
    EXPECT_TRUE(c.Walk(2410000, "00920000.CAL").fixedZoneMinusFive);
}

TEST(ZoneCalendarFilesTest, ForeignCalendarsAreFoundThroughTheIndex) {
    testing_support::TempWorkFolder work;
    std::vector<ZoneCalendarRecord> db = {Rec(0, "CLL ", 0), Rec(kUndated, "GREG", 0), Rec(1000, "LMT ", -1),
                                          Rec(0, "****", 0), Rec(kUndated, "GREG", 0), Rec(1000, "LMT ", 3),
                                          Rec(2000, "X", 4), Rec(0, "****", 0)};
    testing_support::WriteBytes(work.Path() / "Calendar" / "Database.cll", Bytes(db));
    testing_support::WriteBytes(work.Path() / "Calendar" / "Elencal.002",
                                "01000001.CAL  000001  Zone/One\r\n01000002.CAL  000004\r\n\x1a"
                                "01000003.CAL  000001\r\n");
    auto second = LoadZoneCalendar(PlaceTableKind::Foreign, "01000002.CAL");
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[2].code, "X");
    EXPECT_EQ(LoadZoneCalendar(PlaceTableKind::Foreign, "01000001.CAL").size(), 2u);
    // Missing from the index (a line after the Ctrl-Z is not in the text).
    try {
        LoadZoneCalendar(PlaceTableKind::Foreign, "01000003.CAL");
        FAIL();
    } catch (const CalendarError& e) {
        EXPECT_NE(std::string(e.what()).find("01000003.CAL"), std::string::npos);
    }

    ZoneCalendarQuery q;
    q.table = PlaceTableKind::Foreign;
    q.calendarName = "01000002.CAL";
    q.clockJulianDay = 1500;
    EXPECT_EQ(ApplyZoneCalendar(q).correctionText, "+3");

    // Italian calendars are files of their own.
    testing_support::WriteBytes(work.Path() / "Calendar" / "00390001.CAL",
                                Bytes({Rec(kUndated, "GREG", 0), Rec(1000, "LMT ", -1), Rec(0, "****", 0),
                                       Rec(5, "JUNK", 9)}));
    EXPECT_EQ(LoadZoneCalendar(PlaceTableKind::Italian, "00390001.CAL").size(), 2u);
    EXPECT_THROW(LoadZoneCalendar(PlaceTableKind::Italian, "00390002.CAL"), rt::IoError);
}

TEST(CorrectionTextTest, ReadAsNumbersAndTurnedIntoZoneTexts) {
    long double h = 0;
    EXPECT_TRUE(ParseCorrectionText("+1", h));
    EXPECT_EQ(h, 1);
    EXPECT_TRUE(ParseCorrectionText(" -0,5 ", h));
    EXPECT_EQ(h, -0.5L);
    EXPECT_FALSE(ParseCorrectionText("+", h));
    EXPECT_FALSE(ParseCorrectionText("+-1", h));

    EXPECT_EQ(ZoneTextFromCorrection("-1"), "+1");
    EXPECT_EQ(ZoneTextFromCorrection("+0.5"), "-0,5");
    EXPECT_EQ(ZoneTextFromCorrection("-0,83333333"), "+0,83");
    // Without a sign the text is a positive number: nothing of it is lost.
    EXPECT_EQ(ZoneTextFromCorrection("1"), "-1");
    EXPECT_EQ(ZoneTextFromCorrection(" 5,5"), "-5,5");
    EXPECT_EQ(ZoneTextFromCorrection("abc"), "");
}

TEST(CorrectionTextTest, TheStoredZoneIsShownAsClockTimeWithWhatItLost) {
    EXPECT_EQ(ZoneClockText(0.51L), "+0 u 30 min 36 s");
    EXPECT_EQ(ZoneClockText(-4.93L), "-4 u 55 min 48 s");
    EXPECT_EQ(ZoneClockText(-0.0001L), "+0 u 00 min 00 s");  // no minus on nothing
    EXPECT_EQ(ZoneClockText(13.75L), "+13 u 45 min 00 s");

    // The correction entered has the other sign: hours added to the clock time.
    EXPECT_EQ(StoredZoneNote("+1", "-1"), std::vector<std::string>{"De kaart rekent met GMT +1 = +1 u 00 min 00 s"});
    EXPECT_EQ(StoredZoneNote("-5,5", "+5.5"),
              std::vector<std::string>{"De kaart rekent met GMT -5,5 = -5 u 30 min 00 s"});
    // Local mean time west of Greenwich: 74 degrees.
    EXPECT_EQ(StoredZoneNote("-4,93", "+4,93333333333333"),
              (std::vector<std::string>{"De kaart rekent met GMT -4,93 = -4 u 55 min 48 s",
                                        "Ingevoerd was -4 u 56 min 00 s; bewaard wordt tot op 0,01 uur"}));
    // From ten hours on one decimal is kept.
    EXPECT_EQ(ZoneTextFromCorrection("-10,0778"), "+10,0");
    EXPECT_EQ(StoredZoneNote("+10,0", "-10,0778"),
              (std::vector<std::string>{"De kaart rekent met GMT +10,0 = +10 u 00 min 00 s",
                                        "Ingevoerd was +10 u 04 min 40 s; bewaard wordt tot op 0,1 uur"}));
    // Nothing entered that reads as a number: only the zone.
    EXPECT_EQ(StoredZoneNote("+0", "").size(), 1u);
}
