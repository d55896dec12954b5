#include "engine/position_text.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "engine/angles.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace engine {

const SignTable<const char*> kSignAbbreviations = {
    {"Ram", "Sti", "Twe", "Kre", "Lee", "Maa", "Wee", "Sch", "Boo", "Ste", "Wat", "Vis"}};
const SignTable<const char*> kSignKeys = {
    {"Arie", "Toro", "Geme", "Canc", "Leon", "Verg", "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"}};
const EnumTable<ChartPoint, const char*, kChartPointCount> kPointKeys4 = {
    {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud", "Asce", "Mcie"}};
const SignTable<const char*> kSignNames = {{"Ram", "Stier", "Tweelingen", "Kreeft", "Leeuw", "Maagd", "Weegschaal",
                                            "Schorpioen", "Boogschutt", "Steenbok", "Waterman", "Vissen"}};

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
    text = rt::ZeroPad(p.deg, 2) + kSignAbbreviations[SignOfNumber(p.sign)] + rt::ZeroPad(p.min, 2);
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
    text = rt::CutTo(rt::ZeroPad(p.deg, 2) + kDegreeSign + rt::ZeroPad(p.min, 2) + "' " +
                         kSignNames[SignOfNumber(p.sign)] + flag,
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

std::string TimeZoneText(Real zoneCorrection) {
    std::string digits;
    FloatToTextDec(4, digits, zoneCorrection);
    return std::string(-zoneCorrection >= 0 ? "+" : "-") + digits;
}

namespace {

std::string Field(const std::string& text, std::size_t start, std::size_t length) {
    return start - 1 < text.size() ? text.substr(start - 1, length) : std::string();
}
Real ValField(const std::string& text, std::size_t start, std::size_t length) {
    int code = 0;
    return rt::ValReal(Field(text, start, length), code);
}
// The number of a field; `errorPosition` keeps the error position of the last
// field read.
int ValIntField(const std::string& text, std::size_t start, std::size_t length, int& errorPosition) {
    return rt::ValInt(Field(text, start, length), errorPosition);
}

}  // namespace

Moment ParseBirthDateTimeText(const std::string& t) {
    Moment m;
    m.day = ValField(t, 1, 2);
    m.month = ValField(t, 4, 2);
    m.year = ValField(t, 7, 4);
    m.hour = ValField(t, 12, 2);
    m.minute = ValField(t, 15, 2);
    return m;
}

ParsedCoordinates ParseLatLongText(const std::string& text) {
    ParsedCoordinates p;
    PlaceFields& f = p.fields;
    f.latDeg = ValIntField(text, 1, 2, p.errorPosition);
    f.latLetter = text.size() >= 3 ? text.substr(2, 1) : std::string();
    f.latMin = ValIntField(text, 4, 2, p.errorPosition);
    f.lonDeg = ValIntField(text, 7, 3, p.errorPosition);
    f.lonLetter = text.size() >= 10 ? text.substr(9, 1) : std::string();
    f.lonMin = ValIntField(text, 11, 2, p.errorPosition);
    return p;
}

int HouseOfPoint(Real position, const HouseCusps& cusps, int previous) {
    int house = previous;
    for (int h = 1; h <= 12; ++h) {
        // The house runs from its cusp to the next one, the twelfth to the first.
        Real a = cusps[h % 12 + 1] - cusps[h];
        if (a < 0) a += 360;
        Real b = position - cusps[h];
        if (b < 0) b += 360;
        if (a >= b) house = h;
    }
    return house;
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
