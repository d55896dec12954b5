#include "remedies/principles_file.h"

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/record_db.h"

namespace remedies {

namespace {
Field LineField(std::size_t k) { return {k * (kPrincipleLineLength + 1), kPrincipleLineLength}; }
}  // namespace

std::vector<PrinciplesRecord> PrinciplesFromLines(const std::vector<std::string>& lines) {
    std::vector<PrinciplesRecord> out(kPrinciplesRecords);
    for (std::size_t k = 0; k < out.size(); ++k)
        for (std::size_t l = 0; l < 5; ++l) {
            const std::size_t i = k * 5 + l;
            const std::string line = i < lines.size() ? lines[i] : std::string();
            out[k][l] = rt::CutTo(rt::UpperAscii(line), kPrincipleLineLength);
        }
    return out;
}

rt::Bytes EncodePrinciplesRecord(const PrinciplesRecord& r) {
    rt::Bytes b(kPrinciplesRecordSize, 0);
    for (std::size_t l = 0; l < 5; ++l) PutField(b, LineField(l), r[l]);
    return b;
}

PrinciplesRecord DecodePrinciplesRecord(const rt::Bytes& b) {
    PrinciplesRecord r;
    for (std::size_t l = 0; l < 5; ++l) r[l] = GetField(b, LineField(l));
    return r;
}

namespace {

// The length of the valid UTF-8 sequence of two bytes or more at `at`, or 0.
std::size_t Utf8SequenceAt(std::string_view b, std::size_t at) {
    const auto c = static_cast<unsigned char>(b[at]);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (c >= 0xF5 || n == 0 || at + n > b.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(b[at + k]) & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

std::string PrinciplesTextProblem() {
    std::string bytes = rt::ReadFileBytes(kPrinciplesTextName);
    const auto at = bytes.find('\x1A');  // the text ends at a Ctrl-Z
    if (at != std::string::npos) bytes.resize(at);
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0)
        return "\xE8 un testo UTF-16, non un testo Windows-1252";
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return "\xE8 un testo UTF-8, non un testo Windows-1252";
    std::size_t sequences = 0, stray = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0)
            return "contiene byte nulli (alla posizione " + std::to_string(i + 1) + "): non \xE8 un testo Windows-1252";
        if ((c < 0x20 && c != '\r' && c != '\n' && c != '\t') || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F ||
            c == 0x90 || c == 0x9D)
            return "contiene caratteri di controllo (alla posizione " + std::to_string(i + 1) +
                   "): non \xE8 un testo Windows-1252";
        if (c >= 0x80) {
            if (const std::size_t n = Utf8SequenceAt(bytes, i)) {
                ++sequences;
                i += n - 1;
            } else {
                ++stray;
            }
        }
    }
    // Every letter beyond ASCII written as a UTF-8 sequence: a UTF-8 text.
    if (sequences > 0 && stray == 0) return "\xE8 un testo UTF-8, non un testo Windows-1252";
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++lines;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        }
    }
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') ++lines;
    if (lines < static_cast<std::size_t>(kPrinciplesRecords) * 5)
        return "ha " + rt::CountOf(static_cast<std::int64_t>(lines), "riga", "righe") +
               ", non le quindici schede di cinque righe (75 righe)";
    return {};
}

void GeneratePrinciples() {
    const auto records = PrinciplesFromLines(rt::ReadTextLines(kPrinciplesTextName));
    std::vector<rt::Bytes> bytes;
    for (const auto& r : records) bytes.push_back(EncodePrinciplesRecord(r));
    rt::ReplaceAllRecords(kPrinciplesFileName, kPrinciplesRecordSize, bytes);
}

std::vector<PrinciplesRecord> ReadPrinciplesFile() {
    std::vector<PrinciplesRecord> out;
    for (const auto& b : rt::ReadAllRecords(kPrinciplesFileName, kPrinciplesRecordSize))
        out.push_back(DecodePrinciplesRecord(b));
    return out;
}

}  // namespace remedies
