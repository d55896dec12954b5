#include "archive/archive_records.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace archive {

namespace {

// Field offsets and capacities of the data record.
struct Field {
    std::size_t offset;
    std::size_t capacity;
};
constexpr Field kDate{0, 20};
constexpr Field kPlace{21, 39};
constexpr Field kCalendar{61, 2};
constexpr Field kNationality{64, 20};
constexpr Field kPositions{85, 72};
constexpr Field kCusps{158, 60};
constexpr Field kAspects{219, 124};
constexpr Field kReserved1{344, 21};
constexpr Field kReserved2{366, 12};
constexpr Field kAnnotationNumber{379, 5};

void Put(rt::Bytes& r, Field f, std::string_view s) { rt::WriteFixedString(r.data() + f.offset, f.capacity, s); }
std::string Get(const rt::Bytes& r, Field f) { return rt::ReadFixedString(r.data() + f.offset, f.capacity); }

// A record read from a file that is shorter than its size is padded (only the
// record files' own reading can give one; it is never expected).
rt::Bytes Sized(const rt::Bytes& r, std::size_t size) {
    rt::Bytes out = r;
    out.resize(size, 0);
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// ---- index entries ----------------------------------------------------------

std::string MakeIndexEntry(std::string_view name, int dataNumber) {
    std::string padded(name.substr(0, std::min(name.size(), kIndexNameWidth)));
    padded.resize(kIndexNameWidth, ' ');
    return padded + rt::ZeroPad(dataNumber, 5);
}

std::string IndexEntryName(std::string_view entry) {
    return std::string(entry.substr(0, std::min(entry.size(), kIndexNameWidth)));
}

std::optional<int> IndexEntryNumber(std::string_view entry) {
    if (entry.size() < 5) return std::nullopt;
    std::string_view tail = entry.substr(entry.size() - 5);
    int v = 0;
    for (char c : tail) {
        if (!IsDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

rt::Bytes EncodeIndexEntry(std::string_view entry) {
    rt::Bytes r(kIndexRecordSize, 0);
    rt::WriteFixedString(r.data(), kIndexEntryCapacity, entry);
    return r;
}

std::string DecodeIndexEntry(const rt::Bytes& record) {
    if (record.size() >= kIndexRecordSize) return rt::ReadFixedString(record.data(), kIndexEntryCapacity);
    rt::Bytes r = Sized(record, kIndexRecordSize);
    return rt::ReadFixedString(r.data(), kIndexEntryCapacity);
}

int CompareArchiveText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// ---- data record ---------------------------------------------------------------

rt::Bytes EncodeBirthRecord(const BirthRecord& b) {
    rt::Bytes r(kBirthRecordSize, 0);
    Put(r, kDate, b.dateField);
    Put(r, kPlace, b.placeField);
    Put(r, kCalendar, b.calendarField);
    Put(r, kNationality, b.nationalityField);
    Put(r, kPositions, b.positionString);
    Put(r, kCusps, b.cuspString);
    Put(r, kAspects, b.aspectString);
    Put(r, kReserved1, b.reserved1);
    Put(r, kReserved2, b.reserved2);
    Put(r, kAnnotationNumber, b.annotationNumber);
    return r;
}

BirthRecord DecodeBirthRecord(const rt::Bytes& record) {
    rt::Bytes r = Sized(record, kBirthRecordSize);
    BirthRecord b;
    b.dateField = Get(r, kDate);
    b.placeField = Get(r, kPlace);
    b.calendarField = Get(r, kCalendar);
    b.nationalityField = Get(r, kNationality);
    b.positionString = Get(r, kPositions);
    b.cuspString = Get(r, kCusps);
    b.aspectString = Get(r, kAspects);
    b.reserved1 = Get(r, kReserved1);
    b.reserved2 = Get(r, kReserved2);
    b.annotationNumber = Get(r, kAnnotationNumber);
    return b;
}

// ---- annotation record -----------------------------------------------------------

rt::Bytes EncodeAnnotationRecord(const AnnotationRecord& a) {
    rt::Bytes r(kAnnotationRecordSize, 0);
    for (std::size_t i = 0; i < 4; ++i)
        rt::WriteFixedString(r.data() + i * (kAnnotationLineCapacity + 1), kAnnotationLineCapacity, a.lines[i]);
    return r;
}

AnnotationRecord DecodeAnnotationRecord(const rt::Bytes& record) {
    rt::Bytes r = Sized(record, kAnnotationRecordSize);
    AnnotationRecord a;
    for (std::size_t i = 0; i < 4; ++i)
        a.lines[i] = rt::ReadFixedString(r.data() + i * (kAnnotationLineCapacity + 1), kAnnotationLineCapacity);
    return a;
}

std::string MakeFourthAnnotationLine(std::string_view typed, std::string_view textNumber) {
    std::string line(typed.substr(0, std::min(typed.size(), kFourthLineTextWidth)));
    line.resize(kFourthLineTextWidth, ' ');
    line += textNumber;
    return rt::CutTo(line, kAnnotationLineCapacity);
}

std::string TextNumberOfFourthLine(std::string_view line4) {
    if (line4.size() <= kFourthLineTextWidth) return {};
    return std::string(line4.substr(kFourthLineTextWidth, 5));
}

// ---- headers ------------------------------------------------------------------------

std::string EmptyIndexHeaderText() {
    std::string t = "0 Registro vuoto";
    t.resize(kIndexNameWidth, '.');
    return t + "00000";
}

rt::Bytes EmptyIndexHeader() { return EncodeIndexEntry(EmptyIndexHeaderText()); }

rt::Bytes EmptyBirthHeader() {
    BirthRecord b;
    b.dateField = b.placeField = b.calendarField = b.nationalityField = " ";
    b.positionString = b.cuspString = b.aspectString = b.reserved1 = b.reserved2 = " ";
    b.annotationNumber = "     ";
    return EncodeBirthRecord(b);
}

const std::array<std::string, 4>& EmptyAnnotationNotice() {
    static const std::array<std::string, 4> kLines = {
        "   LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE      ",
        "  EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO   ",
        "      RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).         ",
        "           QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.              ",
    };
    return kLines;
}

rt::Bytes EmptyAnnotationHeader() {
    AnnotationRecord a;
    a.lines = EmptyAnnotationNotice();
    return EncodeAnnotationRecord(a);
}

// ---- number texts -----------------------------------------------------------------------

std::string GeneralRealText(long double value) {
    if (value == 0 || std::isnan(value)) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15LG", value);
    std::string s = buf;
    // The old run-time writes the exponent without "+" and leading zeros (1E-5).
    const auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        bool neg = !exp.empty() && exp[0] == '-';
        if (!exp.empty() && (exp[0] == '-' || exp[0] == '+')) exp.erase(0, 1);
        while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string MakeDateField(std::string_view sortKey, long double correction) {
    std::string f(sortKey);
    if (!(correction < 0)) f += '+';
    f += GeneralRealText(correction);
    return rt::CutTo(f, kDateFieldCapacity);
}

std::optional<long double> ReadDecimalEitherSeparator(std::string_view text) {
    std::string s(text);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ') ++start;
    s.erase(0, start);
    if (s.empty()) return std::nullopt;
    for (char& c : s)
        if (c == ',') c = '.';
    // Digits with one optional point after an optional sign.
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return std::strtold(s.c_str(), nullptr);
}

}  // namespace archive
