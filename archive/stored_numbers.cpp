#include "archive/stored_numbers.h"

#include <string>

#include "platform/runtime/number_range.h"
#include "platform/runtime/number_text.h"

namespace archive {

namespace {

std::string Part(std::string_view s, std::size_t start, std::size_t length) {
    if (start < 1 || start > s.size()) return {};
    return std::string(s.substr(start - 1, length));
}

// A field read as the chart's loader reads it; only a converted number is checked.
void CheckReal(std::string text, long double low, long double high, std::string_view file, const char* field) {
    int code = 0;
    long double v = rt::ValReal(text, code);
    if (code != 0) {
        // The correction may be written with a decimal comma or padded with blanks.
        while (!text.empty() && text.back() == ' ') text.pop_back();
        for (char& c : text)
            if (c == ',') c = '.';
        v = rt::ValReal(text, code);
        if (code != 0) return;
    }
    rt::CheckFileNumber(v, {low, high}, file, field);
}

}  // namespace

void CheckBirthRecordNumbers(const BirthRecord& record, std::string_view file) {
    const std::string& d = record.dateField;
    if (d.find_first_not_of(' ') == std::string::npos) return;
    // "YYYYMMDDHHMM" and the correction in hours.
    CheckReal(Part(d, 1, 4), 0, 9999, file, "anno");
    CheckReal(Part(d, 5, 2), 0, 12, file, "mese");
    CheckReal(Part(d, 7, 2), 0, 31, file, "giorno");
    CheckReal(Part(d, 9, 2), 0, 24, file, "ora");
    CheckReal(Part(d, 11, 2), 0, 60, file, "minuto");
    CheckReal(Part(d, 13, 5), -24, 24, file, "correzione del fuso");
    if (auto c = ReadDecimalEitherSeparator(Part(d, 13, 8)))
        rt::CheckFileNumber(*c, {-24, 24}, file, "correzione del fuso");
    // "DDxMM-DDDxMM": degrees and minutes of latitude, then of longitude.
    const std::string& p = record.placeField;
    CheckReal(Part(p, 1, 2), 0, 90, file, "latitudine");
    CheckReal(Part(p, 4, 2), 0, 60, file, "minuti di latitudine");
    CheckReal(Part(p, 7, 3), 0, 180, file, "longitudine");
    CheckReal(Part(p, 11, 2), 0, 60, file, "minuti di longitudine");
    if (auto n = ReadDecimalEitherSeparator(record.annotationNumber))
        rt::CheckFileNumber(*n, {0, kMaxRecordNumber}, file, "numero delle annotazioni");
}

}  // namespace archive
