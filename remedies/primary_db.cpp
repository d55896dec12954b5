#include "remedies/primary_db.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <future>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_sizes.h"
#include "remedies/list_order.h"
#include "remedies/stale_lists.h"

namespace remedies {


namespace {

using PrimaryMember = std::string PrimaryRecord::*;

struct PrimaryField {
    PrimaryMember member;
    Field field;
};

// The fields in file order.
const std::array<PrimaryField, 24> kFields{{
    {&PrimaryRecord::remedy, {0, 50}},
    {&PrimaryRecord::posology1, {51, 250}},
    {&PrimaryRecord::posology2, {302, 250}},
    {&PrimaryRecord::posology3, {553, 250}},
    {&PrimaryRecord::posology4, {804, 150}},
    {&PrimaryRecord::indication1, {955, 250}},
    {&PrimaryRecord::indication2, {1206, 50}},
    {&PrimaryRecord::synthesis1, {1257, 250}},
    {&PrimaryRecord::synthesis2, {1508, 250}},
    {&PrimaryRecord::synthesis3, {1759, 250}},
    {&PrimaryRecord::synthesis4, {2010, 250}},
    {&PrimaryRecord::synthesis5, {2261, 250}},
    {&PrimaryRecord::synthesis6, {2512, 250}},
    {&PrimaryRecord::primarySignature, {2763, 30}},
    {&PrimaryRecord::secondarySignature, {2794, 40}},
    {&PrimaryRecord::zodiacalSignature, {2835, 70}},
    {&PrimaryRecord::warnings1, {2906, 250}},
    {&PrimaryRecord::warnings2, {3157, 150}},
    {&PrimaryRecord::notes1, {3308, 250}},
    {&PrimaryRecord::notes2, {3559, 250}},
    {&PrimaryRecord::notes3, {3810, 250}},
    {&PrimaryRecord::extraNotes1, {4061, 250}},
    {&PrimaryRecord::extraNotes2, {4312, 250}},
    {&PrimaryRecord::extraNotes3, {4563, 250}},
}};

// The text fields alone, for the check of a damaged file.
const std::array<Field, 24> kTextFields = [] {
    std::array<Field, 24> out{};
    for (std::size_t i = 0; i < kFields.size(); ++i) out[i] = kFields[i].field;
    return out;
}();

// Logical texts and the fields of their slices.
struct LogicalText {
    std::string PrimaryTexts::*text;
    std::vector<PrimaryMember> slices;
    std::vector<std::size_t> capacities;
};

const std::vector<LogicalText>& LogicalTexts() {
    using R = PrimaryRecord;
    using T = PrimaryTexts;
    static const std::vector<LogicalText> kTexts{
        {&T::remedy, {&R::remedy}, {50}},
        {&T::posology, {&R::posology1, &R::posology2, &R::posology3, &R::posology4}, {250, 250, 250, 150}},
        {&T::indication, {&R::indication1, &R::indication2}, {250, 50}},
        {&T::synthesis,
         {&R::synthesis1, &R::synthesis2, &R::synthesis3, &R::synthesis4, &R::synthesis5, &R::synthesis6},
         {250, 250, 250, 250, 250, 250}},
        {&T::primarySignature, {&R::primarySignature}, {30}},
        {&T::secondarySignature, {&R::secondarySignature}, {40}},
        {&T::zodiacalSignature, {&R::zodiacalSignature}, {70}},
        {&T::warnings, {&R::warnings1, &R::warnings2}, {250, 150}},
        {&T::notes, {&R::notes1, &R::notes2, &R::notes3}, {250, 250, 250}},
        {&T::extraNotes, {&R::extraNotes1, &R::extraNotes2, &R::extraNotes3}, {250, 250, 250}},
    };
    return kTexts;
}

}  // namespace

const std::array<SignatureRemedyList, 9> kPlanetRemedyLists{{
    {"SolePri", "Zon"},
    {"LunaPri", "Maan"},
    {"MercPri", "Mercuriu"},
    {"VenePri", "Venus"},
    {"MartPri", "Mars"},
    {"GiovPri", "Jupiter"},
    {"SatuPri", "Saturnus"},
    {"NodNPri", "Noordkno"},
    {"NodSPri", "Zuidknoo"},
}};

const std::array<SignatureRemedyList, 12> kSignRemedyLists{{
    {"Ram", "Ram"},
    {"Stier", "Stier"},
    {"Tweelingen", "Tweelingen"},
    {"Kreeft", "Kreeft"},
    {"Leeuw", "Leeuw"},
    {"Maagd", "Maagd"},
    {"Weegschaal", "Weegschaal"},
    {"Schorpioen", "Schorpioen"},
    {"Boogschutt", "Boogschutt"},
    {"Steenbok", "Steenbok"},
    {"Waterman", "Waterman"},
    {"Vissen", "Vissen"},
}};

DbFile PrimaryDb() { return {kPrimaryDbName, kPrimaryRecordSize, kTextFields, EmptyRecords::Damage}; }

std::vector<Field> PrimaryFieldLayout() {
    std::vector<Field> out;
    for (const auto& f : kFields) out.push_back(f.field);
    return out;
}

Bytes EncodePrimaryRecord(const PrimaryRecord& r) {
    Bytes b(kPrimaryRecordSize, 0);
    for (const auto& f : kFields) PutField(b, f.field, r.*(f.member));
    return b;
}

PrimaryRecord DecodePrimaryRecord(const Bytes& b) {
    PrimaryRecord r;
    for (const auto& f : kFields) r.*(f.member) = GetField(b, f.field);
    return r;
}

PrimaryRecord MakePrimaryRecord(const PrimaryTexts& t) {
    PrimaryRecord r;
    for (const auto& lt : LogicalTexts()) {
        auto pieces = SliceText(t.*(lt.text), lt.capacities);
        for (std::size_t k = 0; k < lt.slices.size(); ++k) r.*(lt.slices[k]) = pieces[k];
    }
    return r;
}

PrimaryTexts PrimaryRecordToTexts(const PrimaryRecord& r) {
    PrimaryTexts t;
    for (const auto& lt : LogicalTexts()) {
        std::string s;
        for (PrimaryMember m : lt.slices) s += r.*m;
        t.*(lt.text) = s;
    }
    return t;
}

std::int64_t PrimaryRecordCount() { return DataRecordCount(PrimaryDb()); }

std::string RecordCountText(std::int64_t count) { return std::to_string(count); }

PrimaryRecord ReadPrimaryRecord(std::int64_t r) { return DecodePrimaryRecord(ReadDataRecord(PrimaryDb(), r)); }

namespace {

// Only the fields the derived lists use: remedy, indication, primary and
// zodiacal signature.
PrimaryRecord DecodeListFields(std::string_view b) {
    PrimaryRecord r;
    for (const auto& f : kFields) {
        if (f.member == &PrimaryRecord::remedy || f.member == &PrimaryRecord::indication1 ||
            f.member == &PrimaryRecord::indication2 || f.member == &PrimaryRecord::primarySignature ||
            f.member == &PrimaryRecord::zodiacalSignature)
            r.*(f.member) = GetField(b, f.field);
    }
    return r;
}

}  // namespace

std::vector<PrimaryRecord> ReadAllPrimaryRecords() {
    std::vector<PrimaryRecord> out;
    ForEachDataRecord(PrimaryDb(), [&](std::int64_t, const Bytes& b) { out.push_back(DecodePrimaryRecord(b)); });
    return out;
}

void SavePrimaryRecord(std::int64_t r, const PrimaryTexts& t) {
    OverwriteDataRecord(PrimaryDb(), r, EncodePrimaryRecord(MakePrimaryRecord(t)));
}

std::int64_t AppendPrimaryRecord(const PrimaryTexts& t) {
    return AppendDataRecord(PrimaryDb(), EncodePrimaryRecord(MakePrimaryRecord(t)));
}

std::int64_t DeletePrimaryRecord(std::int64_t r) { return DeleteDataRecord(PrimaryDb(), r); }

bool EnsurePrimaryDatabase() { return EnsureDatabaseFile(PrimaryDb()); }

std::string EntryByRemedy(const PrimaryRecord& r) { return r.remedy + "**" + r.Indication(); }

std::string EntryBySymptom(const PrimaryRecord& r) { return r.Indication() + "**" + r.remedy; }

std::string RemedyListFileName(const char* fileStem) { return std::string("OpzioneH\\") + fileStem + ".rnd"; }

bool EndsAListKey(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    // Every letter of Windows-1252: the accented and other Latin letters.
    if (c >= 0xC0 && c != 0xD7 && c != 0xF7) return true;
    switch (c) {
        case ')':
        case '.':
        case 0x83:
        case 0x8A:
        case 0x8C:
        case 0x8E:  // ƒ Š Œ Ž
        case 0x9A:
        case 0x9C:
        case 0x9E:
        case 0x9F:  // š œ ž Ÿ
        case 0xAA:
        case 0xB5:
        case 0xBA:  // ª µ º
        case 0xB0:  // °
        case 0xB9:
        case 0xB2:
        case 0xB3:  // ¹ ² ³
            return true;
        default: return false;
    }
}

namespace {

// The key without the trailing characters that may not end it.
std::string_view Trimmed(std::string_view key) {
    for (int i = 0; i < 10 && !key.empty() && !EndsAListKey(static_cast<unsigned char>(key.back())); ++i)
        key.remove_suffix(1);
    return key;
}

// The list key of a text as a part of it.
std::string_view ListKeyPart(std::string_view text) { return Trimmed(text.substr(0, text.find('*'))); }

}  // namespace

void TrimListKey(std::string& key) { key.resize(Trimmed(key).size()); }

std::string ListKeyOf(std::string_view text) { return std::string(ListKeyPart(text)); }

std::string EarlierListKeyOf(std::string_view text) {
    std::string key(text.substr(0, text.find('*')));
    auto keeps = [](unsigned char c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
        switch (c) {
            case ')':
            case '.':
            case 0xE0:
            case 0xE9:
            case 0xE8:
            case 0xF9:
            case 0xF2:
            case 0xEC:  // � � � � � �
                return true;
            default: return false;
        }
    };
    for (int i = 0; i < 10 && !key.empty() && !keeps(static_cast<unsigned char>(key.back())); ++i) key.pop_back();
    return key;
}

bool ListedAs(std::string_view text, std::string_view line) {
    if (text == line) return true;
    // The key is a prefix of the text: compare only when it can be equal.
    if (text.size() < line.size() || text.compare(0, line.size(), line) != 0) return false;
    if (ListKeyOf(text) == line) return true;
    // A list built by an earlier installation shows "Alo�" as "Alo".
    return EarlierListKeyOf(text) == line;
}

bool LeftOutOfLists(const PrimaryRecord& r) {
    return BreaksListLine(r.remedy) || BreaksListLine(r.indication1) || BreaksListLine(r.indication2);
}

std::vector<std::string> DistinctKeys(std::vector<std::string> entries) {
    SortListTexts(entries);
    std::vector<std::string> out;
    std::string_view previous;
    for (const auto& e : entries) {
        const std::string_view key = ListKeyPart(e);
        if (key != previous) out.emplace_back(key);
        previous = key;
    }
    return out;
}

namespace {

// Characters from 1-based column `from`, at most `count`.
std::string Columns(const std::string& s, std::size_t from, std::size_t count) {
    if (from > s.size()) return {};
    return s.substr(from - 1, count);
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string VariantLine(const std::string& name, const std::string& code, std::size_t restFrom, bool upper) {
    std::string head = Columns(name, restFrom, 30) + " (" + code + ")";
    head.resize(70, ' ');
    if (upper) head = rt::UpperAscii(head);
    return head + name;
}

// Which of the lists' signature words a signature contains, one bit a list.
// Signatures repeat from record to record: each text is searched once.
template <std::size_t N>
class SignatureBits {
public:
    explicit SignatureBits(const std::array<SignatureRemedyList, N>& lists) : lists_(lists) {}
    std::uint32_t Of(const std::string& signature) {
        const auto [at, added] = known_.try_emplace(signature, 0);
        if (added)
            for (std::size_t k = 0; k < N; ++k)
                if (signature.find(lists_[k].signatureWord) != std::string::npos) at->second |= 1u << k;
        return at->second;
    }

private:
    const std::array<SignatureRemedyList, N>& lists_;
    std::unordered_map<std::string_view, std::uint32_t> known_;
};

// The planet and sign remedy lists: for each list, the distinct remedies of
// the records whose signature contains its word, in list order.
template <std::size_t P, std::size_t S>
void FillSignatureLists(const std::vector<PrimaryRecord>& records, std::array<std::vector<std::string>, P>& planets,
                        std::array<std::vector<std::string>, S>& signs) {
    // Every distinct remedy sorted once; a list takes its remedies in that order.
    std::unordered_map<std::string_view, std::size_t> place;
    std::vector<std::string> names;
    for (const auto& r : records)
        if (place.try_emplace(r.remedy, 0).second) names.push_back(r.remedy);
    SortListTexts(names);
    for (std::size_t i = 0; i < names.size(); ++i) place[names[i]] = i;
    std::vector<std::vector<bool>> listed(P + S, std::vector<bool>(names.size(), false));
    SignatureBits<P> planetBits(kPlanetRemedyLists);
    SignatureBits<S> signBits(kSignRemedyLists);
    for (const auto& r : records) {
        const std::size_t at = place.at(r.remedy);
        const std::uint32_t bits = planetBits.Of(r.primarySignature) | signBits.Of(r.zodiacalSignature) << P;
        for (std::size_t k = 0; k < P + S; ++k)
            if (bits & (1u << k)) listed[k][at] = true;
    }
    for (std::size_t k = 0; k < P + S; ++k) {
        std::vector<std::string>& list = k < P ? planets[k] : signs[k - P];
        for (std::size_t i = 0; i < names.size(); ++i)
            if (listed[k][i]) list.push_back(names[i]);
    }
}

}  // namespace

std::string RemedyVariantLine(const std::string& s) {
    if (StartsWith(s, "HS 8 -")) return VariantLine(s, Columns(s, 1, 4), 8, false);
    if (StartsWith(s, "HS")) return VariantLine(s, Columns(s, 1, 6), 10, false);
    if (StartsWith(s, "MSA")) return VariantLine(s, Columns(s, 1, 3), 5, false);
    if (StartsWith(s, "QSPC")) return VariantLine(s, Columns(s, 1, 4), 6, true);
    if (StartsWith(s, "TSA")) return VariantLine(s, Columns(s, 1, 3), 5, false);
    return {};
}

PrimaryLists ComputePrimaryLists(const std::vector<PrimaryRecord>& records) {
    PrimaryLists lists;
    std::vector<std::string> bySymptom, byRemedy;
    bySymptom.reserve(records.size());
    byRemedy.reserve(records.size());
    std::vector<PrimaryRecord> kept;
    const std::vector<PrimaryRecord>* listed = &records;
    if (std::any_of(records.begin(), records.end(), LeftOutOfLists)) {
        for (const auto& r : records)
            if (!LeftOutOfLists(r)) kept.push_back(r);
        listed = &kept;
    }
    for (const auto& r : *listed) {
        bySymptom.push_back(EntryBySymptom(r));
        byRemedy.push_back(EntryByRemedy(r));
    }
    // The lists share nothing but the records they read: the symptom list and
    // the planet and sign lists are worked out beside the remedy list.
    auto symptoms = std::async(std::launch::async, [&bySymptom] { return DistinctKeys(std::move(bySymptom)); });
    auto signatures = std::async(std::launch::async, [&lists, listed] {
        FillSignatureLists(*listed, lists.planetRemedies, lists.signRemedies);
    });
    lists.remedies = DistinctKeys(std::move(byRemedy));
    lists.symptoms = symptoms.get();
    signatures.get();

    for (const auto& name : lists.remedies) {
        lists.remedyVariants.push_back(name);
        std::string v = RemedyVariantLine(name);
        if (!v.empty()) lists.remedyVariants.push_back(v);
    }
    SortListTexts(lists.remedyVariants);
    return lists;
}

PrimaryListSource ReadPrimaryListSource() {
    PrimaryListSource source;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(rt::ResolvePath(kPrimaryDbName), ec);
    if (!ec) source.records.reserve(bytes / kPrimaryRecordSize);
    ForEachRecordOfSoundDatabase(PrimaryDb(), [&](std::int64_t r, std::string_view b) {
        source.records.push_back(DecodeListFields(b));
        if (LeftOutOfLists(source.records.back())) source.report.skippedRecords.push_back(r);
    });
    rt::RecordFile f(kPrimaryDbName, kPrimaryRecordSize);
    f.Reset();
    source.headerRemedy = GetField(f.Read(0), kFields[0].field);
    f.Close();
    return source;
}

std::vector<ListFile> PrimaryListFiles(const std::vector<PrimaryRecord>& records) {
    const PrimaryLists lists = ComputePrimaryLists(records);
    std::vector<ListFile> files;
    files.push_back({kSymptomListName, rt::JoinLines(lists.symptoms)});
    files.push_back({kRemedyListName, rt::JoinLines(lists.remedies)});
    for (std::size_t p = 0; p < kPlanetRemedyLists.size(); ++p)
        files.push_back(
            {RemedyListFileName(kPlanetRemedyLists[p].fileStem), NameRecordBytes(50, lists.planetRemedies[p]), 50});
    for (std::size_t s = 0; s < kSignRemedyLists.size(); ++s)
        files.push_back(
            {RemedyListFileName(kSignRemedyLists[s].fileStem), NameRecordBytes(50, lists.signRemedies[s]), 50});
    files.push_back({kRemedyVariantListName, rt::JoinLines(lists.remedyVariants)});
    return files;
}

ListRebuildReport RebuildPrimaryLists() { return RebuildPrimaryLists(WriteSteps{}); }

ListRebuildReport RebuildPrimaryLists(const WriteSteps& steps) {
    const PrimaryListSource source = ReadPrimaryListSource();
    return PutPrimaryListsInPlace(PrimaryListFiles(source.records), source.report, steps);
}

std::string ReadCheckedPrimaryListSource(PrimaryListSource& source) {
    source = {};
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(rt::ResolvePath(kPrimaryDbName), ec);
    if (!ec) source.records.reserve(bytes / kPrimaryRecordSize);
    const std::string problem = VisitCheckedDatabase(PrimaryDb(), [&](std::int64_t r, std::string_view b) {
        source.records.push_back(DecodeListFields(b));
        if (LeftOutOfLists(source.records.back())) source.report.skippedRecords.push_back(r);
    });
    if (problem.empty() && !source.records.empty()) {
        rt::RecordFile f(kPrimaryDbName, kPrimaryRecordSize);
        f.Reset();
        source.headerRemedy = GetField(f.Read(0), kFields[0].field);
        f.Close();
    }
    return problem;
}

void PutIntoListSource(PrimaryListSource& source, std::int64_t r, const Bytes& record) {
    const PrimaryRecord fields =
        DecodeListFields(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
    const auto at = static_cast<std::size_t>(r - 1);
    if (at < source.records.size())
        source.records[at] = fields;
    else
        source.records.push_back(fields);
    std::vector<std::int64_t>& skipped = source.report.skippedRecords;
    skipped.erase(std::remove(skipped.begin(), skipped.end(), r), skipped.end());
    if (LeftOutOfLists(fields)) skipped.insert(std::lower_bound(skipped.begin(), skipped.end(), r), r);
}

ListRebuildReport PutPrimaryListsInPlace(const std::vector<ListFile>& lists, const ListRebuildReport& report,
                                         const WriteSteps& steps) {
    ListRebuildStep(steps);
    // The lists describe the database again, as many records as it holds now:
    // the count is kept in the same group as the lists.
    std::vector<ListFile> files = lists;
    if (std::optional<ListFile> sizes = DatabaseSizesAfterWrite(PrimaryDb())) files.push_back(std::move(*sizes));
    ReplaceChangedFiles(files, steps);
    ListRebuildStep(steps);
    ClearStaleListsMark(PrimaryDb());
    return report;
}

std::vector<std::string> ReadRemedyNameList(const std::string& name) {
    std::vector<std::string> out;
    for (const auto& b : rt::ReadAllRecords(name, kRemedyNameRecordSize)) out.push_back(GetField(b, {0, 50}));
    return out;
}

}  // namespace remedies
