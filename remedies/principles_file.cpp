#include "remedies/principles_file.h"

#include "platform/runtime/fixed_string.h"
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
