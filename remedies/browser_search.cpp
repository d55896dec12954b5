#include "remedies/browser_search.h"

#include <cerrno>
#include <filesystem>

#include <algorithm>
#include <cstdio>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/list_files.h"

namespace remedies {

void BrowserState::StartSearch() {
    resultPage = 1;
    resultHits.fill(0);
    resultHitCount = 0;
    slotDetailState.fill(0);
}

bool BrowserState::AddHit(std::int64_t record) {
    if (resultHitCount >= kMaxHits) return false;
    resultHits[static_cast<std::size_t>(resultHitCount)] = record;
    ++resultHitCount;
    return true;
}

int BrowserState::PageCount() const {
    int pages = (HitCount() + kSlotsPerPage - 1) / kSlotsPerPage;
    return std::max(pages, 1);
}

std::vector<std::int64_t> BrowserState::PageHits() const {
    std::vector<std::int64_t> out;
    for (int pos = (resultPage - 1) * kSlotsPerPage; pos < kMaxHits && static_cast<int>(out.size()) < kSlotsPerPage;
         ++pos) {
        std::int64_t r = resultHits[static_cast<std::size_t>(pos)];
        if (r == 0) break;
        out.push_back(r);
    }
    return out;
}

std::int64_t BrowserState::SlotRecord(int slot) const {
    if (slot < 0 || slot >= kSlotsPerPage) return 0;
    int pos = slot + (resultPage - 1) * kSlotsPerPage;
    if (pos < 0 || pos >= kMaxHits) return 0;
    return resultHits[static_cast<std::size_t>(pos)];
}

bool BrowserState::NextPage() {
    if (resultPage >= PageCount()) return false;
    ++resultPage;
    return true;
}

bool BrowserState::PreviousPage() {
    if (resultPage <= 1) return false;
    --resultPage;
    return true;
}

std::string BrowserState::PageIndicator() const {
    return std::to_string(resultPage) + "/" + std::to_string(PageCount());
}

int BrowserState::AdvanceDetail(int slot, int states) {
    int& s = slotDetailState[static_cast<std::size_t>(slot)];
    int shown = s;
    s = (s + 1) % states;
    return shown;
}

std::vector<std::string> ReadListLines(const std::string& name) {
    std::vector<std::string> lines = ReadCheckedTextList(name);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

namespace {

constexpr Field kRemedyField{0, 50};
constexpr Field kIndication1Field{955, 250};
constexpr Field kIndication2Field{1206, 50};
constexpr Field kPathologyField{0, 100};

std::string FieldOf(const std::uint8_t* record, Field f) { return rt::ReadFixedString(record + f.offset, f.capacity); }

// Record numbers of the data records that match, at most 140; `more` tells
// whether further ones matched.
template <typename Match>
std::vector<std::int64_t> Hits(const DbFile& db, Match match, bool* more) {
    std::vector<std::int64_t> hits;
    std::int64_t r = 0;
    bool beyond = false;
    ScanDataRecords(db, [&](const std::uint8_t* b) {
        ++r;
        if (beyond || !match(b)) return;
        if (static_cast<int>(hits.size()) < kMaxHits)
            hits.push_back(r);
        else
            beyond = true;
    });
    if (more) *more = beyond;
    return hits;
}

// Removes the trailing characters a detail text does not keep.
std::string SearchTrimmed(std::string s) {
    TrimListKey(s);
    return s;
}

DetailText Detail(const PrimaryRecord& r, const char* title, const std::string& joined, const char* whenEmpty) {
    DetailText d;
    d.caption = rt::CutTo(r.remedy + " - ", 53) + title;
    d.text = SearchTrimmed(joined);
    if (d.text.empty()) d.text = whenEmpty;
    return d;
}

DetailText PrimaryDetail(const PrimaryRecord& r, int state) {
    switch (state) {
        case 1:
            return Detail(r, "Psychische Synthese",
                          r.synthesis1 + r.synthesis2 + r.synthesis3 + r.synthesis4 + r.synthesis5 + r.synthesis6,
                          "Er is geen psychische synthese");
        case 2:
            return Detail(r, "Notities", r.notes1 + r.notes2 + r.notes3, "De Primaire Database heeft geen notities");
        case 3:
            return Detail(r, "Extra Notities", r.extraNotes1 + r.extraNotes2 + r.extraNotes3,
                          "De Primaire Database heeft geen aanvullende notities");
        default:
            return Detail(r, "Waarschuwingen", r.warnings1 + r.warnings2, "Er zijn tot nu toe geen waarschuwingen");
    }
}

}  // namespace

void ScanDataRecords(const DbFile& db, const std::function<void(const std::uint8_t*)>& visit) {
    const auto path = rt::ResolvePath(db.name);
    std::error_code ec;
    // A folder where the file should be is no empty database.
    if (std::filesystem::is_directory(path, ec)) throw rt::IoError(rt::kAccessDenied, db.name);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    // What is the case: missing, or there and not readable.
    if (!f) throw rt::IoError(rt::IoCodeFromErrno(errno), db.name);
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{f};
    const auto bytes = std::filesystem::file_size(path, ec);
    DatabaseDamage damage(db, ec ? 0 : static_cast<std::int64_t>(bytes));
    std::int64_t r = 0;
    constexpr std::size_t kBlockRecords = 256;
    std::vector<std::uint8_t> block(kBlockRecords * db.recordSize);
    bool header = true;
    for (;;) {
        std::size_t got = std::fread(block.data(), db.recordSize, kBlockRecords, f);
        for (std::size_t i = 0; i < got; ++i) {
            ++r;
            if (header) {  // record 0 is never data
                header = false;
                continue;
            }
            const std::uint8_t* record = block.data() + i * db.recordSize;
            damage.Look(r - 1, std::string_view(reinterpret_cast<const char*>(record), db.recordSize));
            visit(record);
        }
        if (got < kBlockRecords) {
            if (std::ferror(f)) throw rt::IoError(rt::kReadBeyondEnd, db.name);
            break;
        }
    }
    damage.Report();
}

std::vector<std::int64_t> FindSymptomHits(const std::string& line, bool* more) {
    return Hits(
        PrimaryDb(),
        [&](const std::uint8_t* b) {
            return ListedAs(FieldOf(b, kIndication1Field) + FieldOf(b, kIndication2Field), line);
        },
        more);
}

std::vector<std::int64_t> FindRemedyHits(const std::string& line, bool* more) {
    auto hits = Hits(
        PrimaryDb(), [&](const std::uint8_t* b) { return ListedAs(FieldOf(b, kRemedyField), line); }, more);
    if (!hits.empty()) return hits;
    const std::string behind = line.size() > 70 ? line.substr(70, 40) : std::string();
    return Hits(
        PrimaryDb(), [&](const std::uint8_t* b) { return ListedAs(FieldOf(b, kRemedyField), behind); }, more);
}

std::vector<std::int64_t> FindPathologyHits(const std::string& line, bool* more) {
    return Hits(
        RepertoryDb(), [&](const std::uint8_t* b) { return FieldOf(b, kPathologyField) == line; }, more);
}

PrimarySlotTexts SymptomSlotTexts(const PrimaryRecord& r) {
    return {r.remedy, r.primarySignature + " " + r.secondarySignature, r.zodiacalSignature,
            r.posology1 + r.posology2 + r.posology3 + r.posology4};
}

PrimarySlotTexts RemedySlotTexts(const PrimaryRecord& r) {
    PrimarySlotTexts t = SymptomSlotTexts(r);
    t.detail = r.Indication();
    return t;
}

DetailText SymptomDetail(const PrimaryRecord& r, int state) { return PrimaryDetail(r, state); }

DetailText RemedyDetail(const PrimaryRecord& r, int state) {
    if (state != 0) return PrimaryDetail(r, state);
    DetailText d;
    d.caption = rt::CutTo(r.remedy + " - ", 53) + "Dosering";
    d.text = SearchTrimmed(r.posology1 + r.posology2 + r.posology3 + r.posology4);
    return d;
}

DetailText TherapyDetail(const std::string& remedy, const std::string& pathology, int state) {
    DetailText d;
    if (state == 0) {
        d.caption = "Notities over " + remedy + " / " + pathology;
        bool ok = false;
        bool found = false;
        ForEachDataRecord(RepertoryDb(), [&](std::int64_t, const Bytes& b) {
            if (found) return;
            RepertoryRecord t = DecodeRepertoryRecord(b);
            if (t.pathology != pathology || t.remedy != remedy) return;
            found = true;
            d.text = t.Notes();
            ok = !SearchTrimmed(t.notes1).empty();
        });
        if (!ok) d.text = "Hiervoor zijn geen notities opgenomen combinazione Patologia-Rimedio";
        return d;
    }
    bool found = false;
    ForEachDataRecord(PrimaryDb(), [&](std::int64_t, const Bytes& b) {
        if (found || GetField(b, kRemedyField) != remedy) return;
        found = true;
        PrimaryRecord r = DecodePrimaryRecord(b);
        d.caption = rt::CutTo(rt::CutTo(r.remedy + " - ", 53) + "Waarschuwingen", 67);
        d.text = r.warnings1 + r.warnings2;
        if (d.text.empty()) d.text = "Primaire database bevat geen waarschuwingen voor het gebruik van deze remedie";
    });
    if (!found) d.caption = remedy + " het is niet gevonden in de Primaire Database";
    return d;
}

std::vector<std::string> SignatureWords(const std::string& text, bool markPrimary) {
    constexpr std::size_t kMaxWords = 12;
    const std::size_t marked =
        markPrimary ? static_cast<std::size_t>(std::count(text.begin(), text.end(), '-')) + 1 : 0;
    std::vector<std::string> words;
    std::string word;
    auto add = [&](bool mayMark) {
        if (words.size() >= kMaxWords) return;
        bool mark = mayMark && words.size() < marked;
        words.push_back(mark ? "\xA7 " + word : word);
    };
    for (char c : text) {
        if (c == ' ' || c == '-') {
            add(true);
            word.clear();
        } else if (word.size() < 15) {
            word += c;
        }
    }
    add(false);
    return words;
}

std::string FormExplanation(const std::string& remedy) {
    std::string text;
    if (remedy.find("MSA") != std::string::npos) text = "(Macerato Spagirico-Alchemico)";
    if (remedy.find("TSA") != std::string::npos) text = "(Tintura Spagirico-Alchemica)";
    if (remedy.find("QSPC") != std::string::npos) text = "(Quintessenza Spagirica di Paracelso Canonica)";
    return text;
}

bool HoldsBracketNumber(const std::string& line) {
    for (char d = '1'; d <= '9'; ++d)
        if (line.find(std::string("(") + d + ")") != std::string::npos) return true;
    return false;
}

std::string WarningsOrNotice(const PrimaryRecord& r) {
    std::string w = r.warnings1 + r.warnings2;
    return w.empty() ? std::string("Er zijn tot nu toe geen waarschuwingen") : w;
}

}  // namespace remedies
