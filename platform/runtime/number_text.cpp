#include "platform/runtime/number_text.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/runtime/number_range.h"

namespace rt {

long double Int(long double x) { return std::trunc(x); }
long double Frac(long double x) { return x - std::trunc(x); }
std::int64_t Trunc(long double x) {
    RequireIntegral(x);
    return static_cast<std::int64_t>(std::trunc(x));
}

std::int64_t Round(long double x) {
    // Nearest, halves to even, independent of the current rounding mode.
    RequireIntegral(x);
    long double f = std::floor(x);
    long double d = x - f;
    if (d > 0.5L) return static_cast<std::int64_t>(f) + 1;
    if (d < 0.5L) return static_cast<std::int64_t>(f);
    std::int64_t i = static_cast<std::int64_t>(f);
    return (i % 2 == 0) ? i : i + 1;
}

std::string StrReal(long double x) {
    if (std::isnan(x)) return "                    Nan";
    if (std::isinf(x)) return x < 0 ? "                   -Inf" : "                   +Inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", std::fabs(x));
    std::string s(buf);  // d.dddddddddddddde+NN
    std::size_t epos = s.find('e');
    std::string mant = s.substr(0, epos);
    int exp = std::atoi(s.c_str() + epos + 1);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%04d", exp < 0 ? '-' : '+', std::abs(exp));
    return std::string(x < 0 ? "-" : " ") + mant + ebuf;
}

std::string StrFixed(long double x, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*Lf", decimals, x);
    std::string s(buf);
    if (s == "-0" || (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos))
        s = s.substr(1);  // the old run-time prints no "-" for a value that rounds to zero
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string CountOf(std::int64_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string StrRealWidth(long double x, int width) {
    // Sign, one digit, ".", n digits, "E", sign, 4 digits: width = n + 9.
    int digits = width - 9;
    if (digits < 1) digits = 1;
    if (digits > 14) digits = 14;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", digits, std::fabs(x));
    std::string s(buf);
    std::size_t epos = s.find('e');
    int exp = std::atoi(s.c_str() + epos + 1);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%04d", exp < 0 ? '-' : '+', std::abs(exp));
    std::string out = std::string(x < 0 ? "-" : " ") + s.substr(0, epos) + ebuf;
    if (static_cast<int>(out.size()) < width) out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

std::string StrInt(std::int64_t v, int width) {
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Scans a real number from position i; returns the position after it, or the
// position of the first character that does not fit the syntax.
std::size_t ScanReal(std::string_view s, std::size_t i, bool& ok) {
    ok = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) return i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        bool ed = false;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ed = true;
        }
        if (!ed) return i;
    }
    ok = true;
    return i;
}

}  // namespace

long double ValReal(std::string_view s, int& code) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t start = i;
    bool ok = false;
    std::size_t end = ScanReal(s, i, ok);
    if (!ok || end != s.size()) {
        code = static_cast<int>(end + 1);
        if (code > static_cast<int>(s.size())) code = static_cast<int>(s.size()) + 1;
        if (s.empty()) code = 1;
        return 0;
    }
    std::string text(s.substr(start, end - start));
    code = 0;
    return std::strtold(text.c_str(), nullptr);
}

long double ValRealEitherSeparator(std::string_view s, int& code) {
    std::string t(s);
    for (char& c : t)
        if (c == ',') c = '.';
    return ValReal(t, code);
}

std::int32_t ValInt(std::string_view s, int& code) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t digitsStart = i;
    long long v = 0;
    while (i < s.size() && IsDigit(s[i])) {
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL) {
            code = static_cast<int>(i) + 1;
            return 0;
        }
        ++i;
    }
    if (i == digitsStart || i != s.size() || (!negative && v > 2147483647LL)) {
        code = static_cast<int>(i) + 1;
        if (s.empty()) code = 1;
        return 0;
    }
    code = 0;
    return static_cast<std::int32_t>(negative ? -v : v);
}

std::string ZeroPad(std::int64_t value, int width) {
    const bool negative = value < 0;
    std::string digits =
        std::to_string(negative ? -static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value));
    const int room = width - (negative ? 1 : 0);
    if (static_cast<int>(digits.size()) < room) digits.insert(0, static_cast<std::size_t>(room) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

}  // namespace rt
