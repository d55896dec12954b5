#include "engine/position_text.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "engine/angles.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace engine {

const std::array<const char*, 13> kSignAbbreviations = {
    "", "Ram", "Sti", "Twe", "Kre", "Lee", "Maa", "Wee", "Sch", "Boo", "Ste", "Wat", "Vis"};
const std::array<const char*, 13> kSignNames = {
    "",         "Ram",        "Stier",    "Tweelingen", "Kreeft",   "Leeuw", "Maagd",
    "Weegschaal", "Schorpioen", "Boogschutt", "Steenbok", "Waterman", "Vissen"};

namespace {

struct DegMinSec {
    int sign;
    long long deg, min, sec;
};

// Degrees, minutes and seconds within the sign; `round` carries seconds above
// 30 into the minute, never past 29 degrees 59 minutes.
DegMinSec Split(Real longitude, bool round) {
    DegMinSec r{};
    r.sign = SignOf(longitude);
    Real x = Mod30(longitude);
    Real deg = rt::Int(x);
    Real min = rt::Int(rt::Frac(x) * 60);
    Real sec = (longitude - deg - 30 * (r.sign - 1) - min / 60) * 3600;
    r.deg = static_cast<long long>(deg);
    r.min = static_cast<long long>(min);
    if (!round) {
        r.sec = rt::Round(sec);
        return r;
    }
    if (sec > 30) {
        ++r.min;
        if (r.min == 60) {
            if (r.deg == 29) {
                r.min = 59;
            } else {
                r.min = 0;
                ++r.deg;
            }
        }
    }
    return r;
}

}  // namespace

void FormatSignPosShort(int mode, std::string& text, Real longitude) {
    DegMinSec p = Split(longitude, mode != 2);
    text = rt::ZeroPad(p.deg, 2) + kSignAbbreviations[p.sign] + rt::ZeroPad(p.min, 2);
    if (mode == 2) text += ":" + rt::ZeroPad(p.sec, 2);
}

void FormatDegMin(int mode, std::string& text, Real longitude) {
    DegMinSec p = Split(longitude, mode != 2);
    text = rt::ZeroPad(p.deg, 2) + kDegreeSign + rt::ZeroPad(p.min, 2) + "'";
    if (mode == 2) text += rt::ZeroPad(p.sec, 2) + "\"";
}

void FormatSignPosLong(std::string& text, const std::string& retroFlag, Real longitude) {
    DegMinSec p = Split(longitude, true);
    std::string flag = (retroFlag == "r" || retroFlag == "R") ? " Retrogrado " : retroFlag;
    text = rt::CutTo(rt::ZeroPad(p.deg, 2) + kDegreeSign + rt::ZeroPad(p.min, 2) + "' " + kSignNames[p.sign] + flag,
                     80);
}

void FormatLatitudeText(std::string& text, Real latitude) {
    Real a = std::fabs(latitude);
    long long deg = static_cast<long long>(rt::Int(a));
    long long min = static_cast<long long>(rt::Int(rt::Frac(a) * 60));
    text = rt::ZeroPad(deg, 2) + kDegreeSign + " " + rt::ZeroPad(min, 2) + "' " + (latitude >= 0 ? "Noord" : "Zuid ");
}

void FloatToTextDec(int width, std::string& text, Real value) {
    std::string s = rt::StrReal(value);  // sign, d.dddddddddddddd, E, sign, 4 digits
    int code = 0;
    int n = rt::ValInt(s.substr(18), code);
    std::string body = s.substr(1, 16);  // d.dddddddddddddd
    if (n != 0) body.erase(1, 1);
    if (n < 0) {
        body = std::string(static_cast<std::size_t>(-n), '0') + body;
        body.insert(1, ".");
    } else if (n > 0) {
        std::size_t at = static_cast<std::size_t>(n + 1);
        if (at > body.size()) body.append(at - body.size(), '0');
        body.insert(at, ".");
    }
    text = body.substr(0, static_cast<std::size_t>(std::max(0, width)));
}

void FormatTimeZoneText(const ChartState& chart, BirthDataState& birth) {
    std::string digits;
    FloatToTextDec(4, digits, chart.TimeZoneCorrection);
    birth.TimeZoneText = std::string(-chart.TimeZoneCorrection >= 0 ? "+" : "-") + digits;
}

namespace {
Real ValField(ChartState& chart, const std::string& text, std::size_t start, std::size_t length) {
    std::string part = start - 1 < text.size() ? text.substr(start - 1, length) : std::string();
    int code = 0;
    Real v = rt::ValReal(part, code);
    chart.ConversionErrorPosition = code;
    return v;
}
int ValIntField(ChartState& chart, const std::string& text, std::size_t start, std::size_t length) {
    std::string part = start - 1 < text.size() ? text.substr(start - 1, length) : std::string();
    int code = 0;
    int v = rt::ValInt(part, code);
    chart.ConversionErrorPosition = code;
    return v;
}
}  // namespace

void ParseBirthDateTimeText(ChartState& chart, const BirthDataState& birth) {
    const std::string& t = birth.BirthDateText;
    chart.BirthDay = ValField(chart, t, 1, 2);
    chart.BirthMonth = ValField(chart, t, 4, 2);
    chart.BirthYear = ValField(chart, t, 7, 4);
    chart.BirthHourValue = ValField(chart, t, 12, 2);
    chart.BirthMinuteValue = ValField(chart, t, 15, 2);
}

void ParseLatLongText(ChartState& chart, const std::string& text, int& lonDeg, int& lonMin, std::string& lonLetter,
                      int& latDeg, int& latMin, std::string& latLetter) {
    latDeg = ValIntField(chart, text, 1, 2);
    latLetter = text.size() >= 3 ? text.substr(2, 1) : std::string();
    latMin = ValIntField(chart, text, 4, 2);
    lonDeg = ValIntField(chart, text, 7, 3);
    lonLetter = text.size() >= 10 ? text.substr(9, 1) : std::string();
    lonMin = ValIntField(chart, text, 11, 2);
}

int HouseOfPoint(Real position, const std::array<Real, 16>& cusps, int previous) {
    std::array<Real, 16> c = cusps;
    c[13] = c[1];
    int house = previous;
    for (int h = 1; h <= 12; ++h) {
        Real a = c[h + 1] - c[h];
        if (a < 0) a += 360;
        Real b = position - c[h];
        if (b < 0) b += 360;
        if (a >= b) house = h;
    }
    return house;
}

void ClearOutOfRangeBodies(ChartState& chart, Real julianDay) {
    if (julianDay >= 2396758.5L && julianDay <= 2481129.5L) return;
    chart.InEphemerisRange = false;
    for (int i = 15; i <= 19; ++i) {
        chart.PlanetLongitudes[i] = 0;
        chart.DodecatemoriaLongitudes[i] = 0;
        chart.RetroMarks[i] = " ";
    }
}

void WaitSeconds(int seconds, int milliseconds) {
    std::this_thread::sleep_for(std::chrono::seconds(seconds) + std::chrono::milliseconds(milliseconds));
}

void UpperCaseInPlace(std::string& text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

std::string StringOfCharN(int count, char c) {
    if (count < 0) count = 0;
    if (count > 255) count = 255;
    return std::string(static_cast<std::size_t>(count), c);
}

void StripTrailingBlanks(std::string& text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
}

void TrimTrailingBlanks(std::string& text) {
    for (int i = 0; i < 10 && !text.empty() && text.back() == ' '; ++i) text.pop_back();
}

void TrimBlanks(const std::string& source, std::string& out) {
    std::string s = source;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    out = rt::CutTo(s.substr(i), 80);
}

int SubStrToInt(const std::string& text, int start, int length) {
    if (length > 10) length = 10;
    std::string part;
    if (start >= 1 && static_cast<std::size_t>(start - 1) < text.size() && length > 0)
        part = text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
    int code = 0;
    int v = rt::ValInt(part, code);
    return code == 0 ? v : 0;
}

void TidyNameText(std::string& text) {
    std::string out;
    bool first = true;
    for (char c : text) {
        if (c == '*') {
            c = first ? '(' : ')';
            first = false;
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    text = rt::CutTo(out, 80);
}

void DotToCommaStr(const std::string& source, std::string& out) {
    out = rt::CutTo(source, 80);
    for (char& c : out)
        if (c == '.') c = ',';
}

}  // namespace engine
