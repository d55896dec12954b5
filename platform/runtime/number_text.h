#pragma once
// Numbers and their texts as the old run-time made them.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Integral part toward zero, as a real.
long double Int(long double x);
// x - Int(x).
long double Frac(long double x);
// Integral part toward zero, as an integer.
std::int64_t Trunc(long double x);
// Nearest integer, halves to the even neighbour (banker's rounding).
std::int64_t Round(long double x);

// The default text of a real: 23 characters, a blank or "-", one digit, ".",
// 14 digits, "E", the exponent's sign and four digits (" 8.48230016469244E+0001").
std::string StrReal(long double x);
// Fixed-point text with `decimals` decimals, right-aligned in `width` characters.
std::string StrFixed(long double x, int width, int decimals);
// Scientific text right-aligned in `width` characters, with as many mantissa
// digits as the width allows (at least two significant digits, at most 15).
std::string StrRealWidth(long double x, int width);
// The decimal digits of a value with zeros in front up to `width` ("00042");
// a negative value keeps its "-" in front of the zeros.
std::string ZeroPad(std::int64_t value, int width);
// Integer text right-aligned in `width` characters (width 0: no padding).
std::string StrInt(std::int64_t v, int width = 0);
// A count with its noun in agreement: "1 riga", "3 righe".
std::string CountOf(std::int64_t n, std::string_view one, std::string_view many);

// Val of a real: the whole text must be a number (leading blanks allowed).
// `code` is 0 when it converted, else the 1-based position of the first
// character that could not be taken; the value is then 0.
long double ValReal(std::string_view s, int& code);
// ValReal that also takes a decimal comma ("4,5" as "4.5"), for settings
// files that an earlier version wrote with the user's decimal separator.
long double ValRealEitherSeparator(std::string_view s, int& code);
// Val of an integer, the same contract; values beyond 32 bits are an error.
std::int32_t ValInt(std::string_view s, int& code);

}  // namespace rt
