#include "remedies/ranked_search.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "engine/position_text.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/browser_search.h"
#include "remedies/list_order.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace remedies {

namespace {

constexpr std::size_t kCountNameLength = 50;

std::string FieldAt(const std::uint8_t* record, Field f) { return rt::ReadFixedString(record + f.offset, f.capacity); }

// The symptom list shows each indication by its list key: a record counts for
// a chosen symptom when its first indication string equals it, or when the
// list shows its whole indication as it (ListedAs).
constexpr Field kIndicationRest{1206, 50};

bool EntryIs(RankedSearchKind kind, const std::uint8_t* record, const std::string& entry, const std::string& chosen) {
    if (entry == chosen) return true;
    return kind == RankedSearchKind::MultiSymptom && ListedAs(entry + FieldAt(record, kIndicationRest), chosen);
}

std::vector<std::string> RemedyNames(const RankedSearchFiles& files) {
    std::vector<std::string> names = ReadListLines(files.remedyList);
    for (auto& n : names) n = rt::CutTo(n, files.remedyLength);
    return names;
}

void WriteCountFile(const char* name, const std::vector<std::string>& names, const std::vector<long>& tallies) {
    std::vector<Bytes> records;
    records.reserve(names.size());
    for (std::size_t j = 0; j < names.size(); ++j)
        records.push_back(
            EncodeCountRecord(names[j], j < tallies.size() ? static_cast<int>(std::min(tallies[j], 255L)) : 0));
    rt::EnsureParentFolder(name);
    rt::ReplaceAllRecords(name, kCountRecordSize, records);
}

}  // namespace

const RankedSearchFiles& FilesOf(RankedSearchKind kind) {
    static const RankedSearchFiles kMulti{PrimaryDb(), kSymptomListName, kRemedyListName, kMultiSymptomCountName,
                                          {955, 250},  {0, 50},          {51, 250},       kCountNameLength};
    // Remedy names of the therapies database hold up to 100 characters; all of
    // them name the remedy, so a long name is counted like a short one.
    static const RankedSearchFiles kCompound{RepertoryDb(),
                                             kPathologyListName,
                                             kTherapyRemedyListName,
                                             kCompoundTherapyCountName,
                                             {0, 100},
                                             {352, 100},
                                             {101, 250},
                                             100};
    return kind == RankedSearchKind::MultiSymptom ? kMulti : kCompound;
}

std::string RankedResult::Line() const { return engine::IntToStrZeroPad(tally, 2) + " " + name; }

Bytes EncodeCountRecord(const std::string& name, int tally) {
    Bytes b(kCountRecordSize, 0);
    rt::WriteFixedString(b.data(), kCountNameLength, name);
    b[51] = static_cast<std::uint8_t>(std::clamp(tally, 0, 255));
    return b;
}

std::string CountRecordName(const Bytes& record) {
    return record.size() < kCountRecordSize ? std::string() : rt::ReadFixedString(record.data(), kCountNameLength);
}

int CountRecordTally(const Bytes& record) { return record.size() < kCountRecordSize ? 0 : record[51]; }

std::vector<std::string> RankedVocabulary(RankedSearchKind kind) {
    if (kind == RankedSearchKind::MultiSymptom) return ReadListLines(kSymptomListName);
    if (!rt::PathExists(kPathologyListName)) return {};
    std::vector<std::string> lines = ReadListLines(kPathologyListName);
    SortListTexts(lines);
    return lines;
}

namespace {

// The distinct remedies of the therapies database in list order.
std::vector<std::string> TherapyRemedyNames(const std::vector<RepertoryRecord>& records) {
    std::vector<std::string> remedies;
    // A name with a control character would cut the list file short.
    for (const RepertoryRecord& r : records)
        if (!BreaksListLine(r.remedy)) remedies.push_back(r.remedy);
    SortListTexts(remedies);
    std::vector<std::string> distinct;
    std::string previous = "zzzz";
    for (const auto& name : remedies) {
        if (name != previous) distinct.push_back(name);
        previous = name;
    }
    return distinct;
}

}  // namespace

ListFile TherapyRemedyListFile(const std::vector<RepertoryRecord>& records) {
    return {kTherapyRemedyListName, rt::JoinLines(TherapyRemedyNames(records))};
}

void PrepareCompoundTherapyLists() {
    // The list is never made from a damaged database: it stays as it was.
    const std::vector<std::string> distinct = TherapyRemedyNames(ReadSoundRepertoryRecords());
    rt::ReplaceTextLines(kTherapyRemedyListName, distinct);
    WriteCountFile(kCompoundTherapyCountName, distinct, {});
}

namespace {

// Tallies per remedy-list line: each record whose entry fills n slots adds n to
// the first line naming its remedy.
std::vector<long> CountTallies(const std::vector<std::string>& remedyList, const std::vector<EntryAndRemedy>& records,
                               const RankedSlots& slots) {
    std::unordered_map<std::string, int> chosen;  // entry -> number of slots holding it
    for (const std::string& s : slots)
        if (!s.empty()) ++chosen[s];
    std::unordered_map<std::string, std::size_t> first;
    for (std::size_t j = remedyList.size(); j-- > 0;) first[remedyList[j]] = j;
    std::vector<long> tallies(remedyList.size(), 0);
    for (const auto& r : records) {
        auto c = chosen.find(r.entry);
        if (c == chosen.end()) continue;
        auto f = first.find(r.remedy);
        // The remedy list shows a remedy by its list key.
        if (f == first.end()) f = first.find(ListKeyOf(r.remedy));
        if (f == first.end()) f = first.find(EarlierListKeyOf(r.remedy));
        if (f != first.end()) tallies[f->second] += c->second;
    }
    return tallies;
}

std::vector<RankedResult> Rank(const std::vector<std::string>& remedyList, const std::vector<long>& tallies) {
    std::vector<RankedResult> out;
    for (std::size_t j = 0; j < remedyList.size(); ++j)
        if (tallies[j] > 0) out.push_back({remedyList[j], tallies[j]});
    std::stable_sort(out.begin(), out.end(), [](const RankedResult& a, const RankedResult& b) {
        if (a.tally != b.tally) return a.tally > b.tally;
        return CompareListText(a.name, b.name) > 0;
    });
    return out;
}

}  // namespace

std::vector<RankedResult> RankRemedies(const std::vector<std::string>& remedyList,
                                       const std::vector<EntryAndRemedy>& records, const RankedSlots& slots) {
    return Rank(remedyList, CountTallies(remedyList, records, slots));
}

std::vector<RankedResult> RunRankedSearch(RankedSearchKind kind, const RankedSlots& slots) {
    const RankedSearchFiles& files = FilesOf(kind);
    std::vector<std::string> names = RemedyNames(files);
    WriteCountFile(files.countFile, names, {});
    std::unordered_map<std::string, int> chosen;
    for (const std::string& s : slots)
        if (!s.empty()) chosen.emplace(s, 0);
    std::vector<EntryAndRemedy> matching;
    ScanDataRecords(files.db, [&](const std::uint8_t* r) {
        std::string entry = FieldAt(r, files.entry);
        if (!chosen.count(entry) && kind == RankedSearchKind::MultiSymptom) {
            // The symptom the list shows for the whole indication.
            std::string key = ListKeyOf(entry + FieldAt(r, kIndicationRest));
            if (!chosen.count(key)) key = EarlierListKeyOf(entry + FieldAt(r, kIndicationRest));
            if (!chosen.count(key)) return;
            entry = std::move(key);
        } else if (!chosen.count(entry)) {
            return;
        }
        matching.push_back({std::move(entry), FieldAt(r, files.remedy)});
    });
    std::vector<long> tallies = CountTallies(names, matching, slots);
    WriteCountFile(files.countFile, names, tallies);
    return Rank(names, tallies);
}

RankedDetail RankedSearchDetail(RankedSearchKind kind, const std::string& remedy, const RankedSlots& searchedSlots,
                                const RankedSlots& currentSlots) {
    const RankedSearchFiles& files = FilesOf(kind);
    RankedDetail d;
    ScanDataRecords(files.db, [&](const std::uint8_t* r) {
        const std::string name = FieldAt(r, files.remedy);
        if (name != remedy && (kind != RankedSearchKind::MultiSymptom || !ListedAs(name, remedy))) return;
        const std::string entry = FieldAt(r, files.entry);
        for (const std::string& s : searchedSlots) {
            if (s.empty() || !EntryIs(kind, r, entry, s)) continue;
            d.lines.push_back("= " + entry);
            d.lines.push_back("- " + FieldAt(r, files.posology));
        }
        for (std::size_t k = 0; k < currentSlots.size(); ++k) {
            const std::string& s = currentSlots[k];
            if (!s.empty() && EntryIs(kind, r, entry, s)) d.highlighted[k] = true;
        }
    });
    d.lines.push_back(kDetailClosingLine);
    return d;
}

int FindNextItem(const std::vector<std::string>& items, const std::string& text, int from) {
    if (text.empty()) return -1;
    const std::string wanted = rt::UpperAscii(text);
    for (int i = std::max(from, 0); i < static_cast<int>(items.size()); ++i)
        if (rt::UpperAscii(items[static_cast<std::size_t>(i)]).find(wanted) != std::string::npos) return i;
    return -1;
}

}  // namespace remedies
