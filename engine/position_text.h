#pragma once
// Texts of positions, latitudes and zones; fixed-column parsers of the current
// birth data; sign and house numbers of the chart points; string helpers.
// All texts are Windows-1252 bytes.
#include <array>
#include <string>

#include "engine/angles.h"
#include "engine/chart_state.h"
#include "platform/runtime/number_text.h"

namespace engine {

extern const std::array<const char*, 13> kSignAbbreviations;  // 1..12: "Ram", "Sti", ...
extern const std::array<const char*, 13> kSignNames;          // 1..12: "Ram", "Stier", ...
inline constexpr char kDegreeSign = '\xB0';

void FormatSignPosShort(int mode, std::string& text, Real longitude);
void FormatDegMin(int mode, std::string& text, Real longitude);
void FormatSignPosLong(std::string& text, const std::string& retroFlag, Real longitude);
void FormatLatitudeText(std::string& text, Real latitude);
void FormatTimeZoneText(const ChartState& chart, BirthDataState& birth);  // birth.TimeZoneText from chart.TimeZoneCorrection
void FloatToTextDec(int width, std::string& text, Real value);

void ParseBirthDateTimeText(ChartState& chart, const BirthDataState& birth);  // chart.Birth* from birth.BirthDateText
// Sets chart.ConversionErrorPosition.
void ParseLatLongText(ChartState& chart, const std::string& text, int& lonDeg, int& lonMin, std::string& lonLetter,
                      int& latDeg, int& latMin, std::string& latLetter);

template <std::size_t N>
void SignsOfPositions(int count, const BodyArray& positions, std::array<unsigned char, N>& out);
template <std::size_t N>
void SignsOfCusps(int count, const std::array<Real, 16>& cusps, std::array<unsigned char, N>& out);
// House of each position 1..count (entries of `out` for which no house is found keep their value).
template <std::size_t N, std::size_t M>
void HousesOfPoints(int count, const std::array<Real, M>& positions,
                    const std::array<Real, 16>& cusps, std::array<unsigned char, N>& out);
int HouseOfPoint(Real position, const std::array<Real, 16>& cusps, int previous);

void ClearOutOfRangeBodies(ChartState& chart, Real julianDay);
void WaitSeconds(int seconds, int milliseconds);

// String helpers on 8-bit strings.
void UpperCaseInPlace(std::string& text);
std::string StringOfCharN(int count, char c);
void StripTrailingBlanks(std::string& text);
void TrimTrailingBlanks(std::string& text);
void TrimBlanks(const std::string& source, std::string& out);
int SubStrToInt(const std::string& text, int start, int length);
// The engine's name for the run-time's zero-padder (rt::ZeroPad), kept for the
// views that use it.
inline std::string IntToStrZeroPad(long long value, int width) { return rt::ZeroPad(value, width); }
void TidyNameText(std::string& text);
// A copy of the text (at most 80 characters) with every "." replaced by ",".
void DotToCommaStr(const std::string& source, std::string& out);

// ---- templates ----
template <std::size_t N>
void SignsOfPositions(int count, const BodyArray& positions, std::array<unsigned char, N>& out) {
    for (int i = 1; i <= count && i < static_cast<int>(N) && i < 25; ++i)
        out[i] = static_cast<unsigned char>(SignOf(positions[i]));
}
template <std::size_t N>
void SignsOfCusps(int count, const std::array<Real, 16>& cusps, std::array<unsigned char, N>& out) {
    for (int i = 1; i <= count && i < static_cast<int>(N) && i < 16; ++i)
        out[i] = static_cast<unsigned char>(SignOf(cusps[i]));
}
template <std::size_t N, std::size_t M>
void HousesOfPoints(int count, const std::array<Real, M>& positions,
                    const std::array<Real, 16>& cusps, std::array<unsigned char, N>& out) {
    for (int i = 1; i <= count && i < static_cast<int>(N) && i < static_cast<int>(M); ++i)
        out[i] = static_cast<unsigned char>(HouseOfPoint(positions[i], cusps, out[i]));
}

}  // namespace engine
