#include "remedies/signature_search.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "remedies/list_files.h"
#include "remedies/list_order.h"
#include "remedies/signature_db.h"

namespace remedies {

std::vector<PrimaryRecord> ReadPrimaryFile() {
    std::vector<PrimaryRecord> out;
    ReportDamagedDatabase(PrimaryDb());
    for (const auto& b : rt::ReadAllRecords(kPrimaryDbName, kPrimaryRecordSize)) out.push_back(DecodePrimaryRecord(b));
    return out;
}

std::string ListedRemedyName(const PrimaryRecord& r) { return Cut80Stripped(r.remedy); }

RemedyIndex ComputeRemedyIndex(const PrimaryListSource& source) {
    // Each name once, with the first record that carries it.
    std::unordered_map<std::string, std::int64_t> first;
    std::vector<std::string> names;
    auto add = [&](const std::string& remedy, std::int64_t record) {
        std::string name = Cut80Stripped(remedy);
        if (name.empty() || name.find("Errore") != std::string::npos) return;
        if (first.emplace(name, record).second) names.push_back(std::move(name));
    };
    add(source.headerRemedy, 0);
    for (std::size_t r = 0; r < source.records.size(); ++r)
        add(source.records[r].remedy, static_cast<std::int64_t>(r) + 1);
    SortListTexts(names);
    // The list is filled against a first previous name of "ZZZZZ": a first
    // name of just that is taken for a repeat.
    if (!names.empty() && names.front() == "ZZZZZ") names.erase(names.begin());
    RemedyIndex index;
    index.records.reserve(names.size());
    for (const std::string& name : names) index.records.push_back(first.at(name));
    index.names = std::move(names);
    return index;
}

ListFile RemedyIndexFile(const RemedyIndex& index) {
    std::vector<std::string> lines;
    lines.reserve(index.records.size());
    for (auto r : index.records) lines.push_back(std::to_string(r));
    return {kRemedyIndexName, rt::JoinLines(lines)};
}

RemedyIndex BuildRemedyIndex() {
    // The index is a list of the database: never made from a damaged one.
    RemedyIndex index = ComputeRemedyIndex(ReadPrimaryListSource());
    rt::EnsureParentFolder(kRemedyIndexName);
    rt::ReplaceFileBytes(kRemedyIndexName, RemedyIndexFile(index).bytes);
    return index;
}

std::int64_t FirstRecordNamed(const std::vector<PrimaryRecord>& all, const std::string& name) {
    for (std::size_t r = 0; r < all.size(); ++r)
        if (ListedRemedyName(all[r]) == name) return static_cast<std::int64_t>(r);
    return -1;
}

bool SignatureMatches(const PrimaryRecord& r, const std::string& planetWord, const std::string& signWord) {
    const bool planet = planetWord == kAnyWord || r.primarySignature.find(planetWord) != std::string::npos ||
                        r.secondarySignature.find(planetWord) != std::string::npos;
    const bool sign = signWord == kAnyWord || r.zodiacalSignature.find(signWord) != std::string::npos;
    return planet && sign;
}

SignatureRow RowOf(const PrimaryRecord& r) {
    return {r.remedy, r.primarySignature, r.secondarySignature, r.zodiacalSignature};
}

namespace {

// The record number of an index line; -1 when the line holds no number.
std::int64_t IndexLineNumber(const std::string& line) {
    std::size_t b = line.find_first_not_of(' ');
    if (b == std::string::npos) return -1;
    std::int64_t v = -1;
    auto res = std::from_chars(line.data() + b, line.data() + line.size(), v);
    return res.ec == std::errc() ? v : -1;
}

}  // namespace

std::vector<SignatureRow> SearchSignatures(const std::vector<std::string>& names, const std::string& planetWord,
                                           const std::string& signWord) {
    const std::vector<std::string> index = ReadCheckedRecordNumberList(kRemedyIndexName);
    const std::vector<PrimaryRecord> all = ReadPrimaryFile();
    std::vector<SignatureRow> hits;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < names.size(); ++i) {
        // An index older than the database names a record of another remedy (or
        // none): that remedy takes no part.
        const std::int64_t r = i < index.size() ? IndexLineNumber(index[i]) : -1;
        if (r < 0 || r >= static_cast<std::int64_t>(all.size())) continue;
        const PrimaryRecord& rec = all[static_cast<std::size_t>(r)];
        if (ListedRemedyName(rec) != names[i]) continue;
        if (!SignatureMatches(rec, planetWord, signWord)) continue;
        hits.push_back(RowOf(rec));
        lines.insert(lines.end(), {rec.remedy, rec.primarySignature, rec.secondarySignature, rec.zodiacalSignature});
    }
    rt::EnsureParentFolder(kSignatureHitsName);
    rt::ReplaceTextLines(kSignatureHitsName, lines);
    return hits;
}

int SignaturePageCount(int hits) {
    int pages = hits / kSignatureRows;
    if (pages * kSignatureRows < hits) ++pages;
    return pages;
}

std::array<SignatureRow, kSignatureRows> ReadSignatureHitsPage(int page) {
    const std::vector<std::string> lines = rt::ReadTextLines(kSignatureHitsName);
    auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    std::array<SignatureRow, kSignatureRows> rows;
    std::size_t at = static_cast<std::size_t>(4 * kSignatureRows) * static_cast<std::size_t>(page - 1);
    for (auto& row : rows) {
        row = {line(at), line(at + 1), line(at + 2), line(at + 3)};
        at += 4;
    }
    return rows;
}

}  // namespace remedies
