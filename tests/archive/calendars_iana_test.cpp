// The shipped calendars against the system's time-zone database: for random
// places and moments away from clock changes, the walk gives the correction
// that the C library gives (minus the UTC offset, in hours).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#include "archive/calendars.h"
#include "archive/places.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

using namespace archive;
namespace fs = std::filesystem;

namespace {

struct GregorianDate {
    int y;
    int m;
    int d;
};
struct ClockTime {
    int hour;
    int minute;
    int second;
};

// Julian day of a Gregorian date and clock time.
long double GregorianJulianDay(GregorianDate date, ClockTime time) {
    const auto [y, m, d] = date;
    const auto [hour, minute, second] = time;
    int a = (14 - m) / 12;
    int yy = y + 4800 - a;
    int mm = m + 12 * a - 3;
    long jdn = d + (153 * mm + 2) / 5 + 365L * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
    return jdn - 0.5L + (hour * 3600 + minute * 60 + second) / 86400.0L;
}

class ZoneSetting {
public:
    ZoneSetting() {
        const char* tz = std::getenv("TZ");
        had_ = tz != nullptr;
        if (had_) old_ = tz;
    }
    ~ZoneSetting() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void Use(const std::string& zone) {
        setenv("TZ", (":" + zone).c_str(), 1);
        tzset();
    }

private:
    bool had_ = false;
    std::string old_;
};

struct LocalMoment {
    std::tm tm{};
    long offset = 0;  // seconds east of UTC
};

LocalMoment LocalAt(std::time_t t) {
    LocalMoment m;
    localtime_r(&t, &m.tm);
    m.offset = m.tm.tm_gmtoff;
    return m;
}

}  // namespace

TEST(ShippedCalendarsTest, WalkAgreesWithTheTimeZoneDatabase) {
    testing_support::TempWorkFolder work;
    fs::path data = KELVOR_TEST_DATA_DIR;
    for (const char* folder : {"Localita", "Calendar"})
        fs::copy(data / folder, work.Path() / folder, fs::copy_options::recursive);

    // The zone of each foreign calendar stands after its index line's numbers.
    std::map<std::string, std::string> zones;
    for (const std::string& line : rt::ReadTextLines("Calendar\\Elencal.002")) {
        std::istringstream rest(line.substr(20));
        std::string zone;
        rest >> zone;
        zones[line.substr(0, 12)] = zone;
    }
    PlaceTable tables[2];
    ASSERT_TRUE(tables[0].Open(PlaceTableKind::Italian));
    ASSERT_TRUE(tables[1].Open(PlaceTableKind::Foreign));

    ZoneSetting setting;
    std::mt19937_64 random(20240607);
    // UT moments from 1850 to the end of 2040.
    const std::time_t from = -3786825600;  // 1850-01-01
    const std::time_t to = 2240611200;     // 2041-01-01
    int checked = 0, tries = 0;
    while (checked < 500) {
        ASSERT_LT(++tries, 20000);
        int which = static_cast<int>(random() % 2);
        const PlaceTable& table = tables[which];
        const PlaceRecord& place = table.Read(1 + static_cast<std::int64_t>(random() % table.Count()));
        std::string calendar = ZoneCalendarNameOf(place.calendarNumber);
        std::string zone = which == 0 ? "Europe/Rome" : zones.at(calendar);
        setting.Use(zone);

        std::time_t t = from + static_cast<std::time_t>(random() % static_cast<std::uint64_t>(to - from));
        LocalMoment m = LocalAt(t);
        // Away from changes: the same offset for two days either side, after local mean time.
        bool steady = true;
        for (int h = -48; h <= 48 && steady; h += 3) {
            LocalMoment n = LocalAt(t + h * 3600);
            steady = n.offset == m.offset && std::string(n.tm.tm_zone) != "LMT";
        }
        if (!steady) continue;

        long double jd = GregorianJulianDay({m.tm.tm_year + 1900, m.tm.tm_mon + 1, m.tm.tm_mday},
                                            {m.tm.tm_hour, m.tm.tm_min, m.tm.tm_sec});
        ZoneCalendarQuery q;
        q.table = which == 0 ? PlaceTableKind::Italian : PlaceTableKind::Foreign;
        q.calendarName = calendar;
        q.clockJulianDay = jd;
        q.gregorianSwitch = true;  // Gregorian dates throughout
        q.longitude = place.longitude;
        ZoneCalendarResult r = ApplyZoneCalendar(q);
        ASSERT_FALSE(r.julian);
        ASSERT_FALSE(r.localMeanTime) << zone << " " << std::asctime(&m.tm);
        ASSERT_NEAR(static_cast<double>(r.correction), -m.offset / 3600.0, 1e-9)
            << place.name << " " << zone << " " << calendar << " " << std::asctime(&m.tm) << r.correctionText;
        ++checked;
    }
}
