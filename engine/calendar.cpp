#include "engine/calendar.h"

#include <sys/stat.h>

#include <array>
#include <ctime>

#include "engine/position_text.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"

namespace engine {

using rt::Frac;
using rt::Int;

int DaysInMonth(int month, int year, bool gregorian) {
    // January first; February's days depend on the year.
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month != 2) return kDays[static_cast<std::size_t>(month - 1)];
    const bool leap = gregorian ? (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) : year % 4 == 0;
    return leap ? 29 : 28;
}

bool DayExistsInForce(CivilDate date) {
    const auto [day, month, year] = date;
    const long key = static_cast<long>(year) * 10000 + month * 100 + day;
    if (key > 15821004 && key < 15821015) return false;
    const bool gregorian = key >= 15821015;
    return day >= 1 && day <= DaysInMonth(month, year, gregorian);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): see the declaration.
Real JulianDayNumber(int calendarFlag, Real day, Real month, Real year, Real hour, Real minute) {
    Real d = day + hour / 24 + minute / 1440;
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    Real b = 0;
    if (calendarFlag == 1) {
        Real a = Int(year / 100);
        b = 2 - a + Int(a / 4);
    }
    Real c = Int(365.25L * year);
    if (year < 0) c -= 1;
    Real dd = Int(30.6001L * (month + 1));
    Real jd = b + c + dd + d + 1720994.5L;
    return jd;
}

bool InEphemerisRange(Real jd) { return jd >= 2396758.5L && jd <= 2481129.5L; }

namespace {

std::string DateText(Real jd, bool gregorianFromReform, bool alwaysGregorian) {
    Real j = jd + 0.5L;
    for (int guard = 0; guard < 100000; ++guard) {
        Real z = Int(j);
        Real f = Frac(j);
        Real a = z;
        bool gregorian = gregorianFromReform ? z > 2299160 : alwaysGregorian;
        if (gregorian) {
            Real alpha = Int((z - 1867216.25L) / 36524.25L);
            a = z + 1 + alpha - Int(alpha / 4);
        }
        Real b = a + 1524;
        Real c = Int((b - 122.1L) / 365.25L);
        Real d = Int(365.25L * c);
        Real e = Int((b - d) / 30.6001L);
        Real day = b - d - Int(30.6001L * e) + f;
        Real month = e < 13.5L ? e - 1 : e - 13;
        Real year = month > 2.5L ? c - 4716 : c - 4715;
        Real h = Frac(day) * 24;
        Real hour = Int(h);
        Real minute = Int(Frac(h) * 60 + 0.5L);
        day = Int(day);
        if (minute >= 60) {
            j += 0.00001L;
            continue;
        }
        return rt::ZeroPad(rt::Round(day), 2) + "/" + rt::ZeroPad(rt::Round(month), 2) + "/" +
               rt::ZeroPad(rt::Round(year), 4) + " " + rt::ZeroPad(rt::Round(hour), 2) + ":" +
               rt::ZeroPad(rt::Round(minute), 2);
    }
    return {};
}

}  // namespace

std::string JulianDayToDateText(Real jd) { return DateText(jd, true, false); }

std::string JulianDayToDateTextByCalendar(bool gregorian, Real jd) { return DateText(jd, false, gregorian); }

std::string DateTimeTextToSortKey(const std::string& dateText) {
    std::string t = dateText.substr(0, std::min<std::size_t>(dateText.size(), 80));
    auto part = [&](std::size_t start, std::size_t len) {
        return start - 1 < t.size() ? t.substr(start - 1, len) : std::string();
    };
    return part(7, 4) + part(4, 2) + part(1, 2) + part(12, 2) + part(15, 2);
}

SortKeyTexts SortKeyToDateTimeText(const std::string& key) {
    auto part = [&](std::size_t start, std::size_t len) {
        return start - 1 < key.size() ? key.substr(start - 1, len) : std::string();
    };
    SortKeyTexts t;
    t.dateText = part(7, 2) + "/" + part(5, 2) + "/" + part(1, 4) + " " + part(9, 2) + ":" + part(11, 2);
    t.zoneText = part(13, 5);
    int code = 0;
    Real v = rt::ValReal(t.zoneText, code);
    if (code != 0) {
        // Written with a decimal comma (or padded with blanks): read it as a number all the same.
        std::string zone = t.zoneText;
        while (!zone.empty() && zone.back() == ' ') zone.pop_back();
        for (char& c : zone)
            if (c == ',') c = '.';
        v = rt::ValReal(zone, code);
        if (code != 0) return t;
    }
    t.zoneCorrection = v;
    return t;
}

std::string TodayDateText() {
    rt::LocalDateTime now = rt::Now();
    return rt::ZeroPad(now.day, 2) + "/" + rt::ZeroPad(now.month, 2) + "/" + rt::ZeroPad(now.year, 4);
}

std::string FileDateText(const std::string& fileName, Real& julianDay) {
    struct stat st {};
    if (stat(rt::ResolvePath(fileName).c_str(), &st) != 0) return "Non Valida";
    std::tm tm{};
    localtime_r(&st.st_mtime, &tm);
    julianDay =
        JulianDayNumber(1, tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min + tm.tm_sec / 60.0L);
    return JulianDayToDateText(julianDay);
}

}  // namespace engine
