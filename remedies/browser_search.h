#pragma once
// The browsers of the remedy databases: a symptom leads to the remedies that
// serve it, a remedy to its symptoms, a pathology to its therapies. Each keeps
// the hits of its last search (record numbers, at most 140), shows them fourteen
// to a page, and cycles a detail text per slot.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// PrefixBisect and ApplyTypeAheadKey: the type-ahead of the browsers.
#include "remedies/prefix_bisect.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace remedies {

inline constexpr int kMaxHits = 140;
inline constexpr int kSlotsPerPage = 14;

// The pages of one browser, kept by its opener from one showing to the next.
struct BrowserState {
    std::array<std::int64_t, kMaxHits> resultHits{};   // the hits kept in order, then zeros
    int resultHitCount = 0;                            // the hits kept: the next free index
    int resultPage = 1;                                // as the page indicator numbers it
    std::array<int, kSlotsPerPage> slotDetailState{};  // indexed as the slots of the page
    std::string searchKey;

    // Page 1, no hits, every detail state 0.
    void StartSearch();
    // Keeps the hit when a position is free; false when all 140 are used.
    bool AddHit(std::int64_t record);
    int HitCount() const { return resultHitCount; }
    // Hits divided by 14, rounded up, at least 1.
    int PageCount() const;
    // Record numbers of the page shown, at most 14.
    std::vector<std::int64_t> PageHits() const;
    // Record shown in a slot of the page (the slot numbered k at index k - 1),
    // 0 when the slot is empty.
    std::int64_t SlotRecord(int slot) const;
    bool NextPage();      // false when already on the last page
    bool PreviousPage();  // false when already on page 1
    // "page/pages", as "1/3".
    std::string PageIndicator() const;
    // The slot's next detail state (0..states-1, then round again); returns the state to show.
    int AdvanceDetail(int slot, int states);
};


// The lines of a list file, checked as they are read (remedies/list_files.h:
// a damaged list is rebuilt or not shown, and the user told); an empty file
// gives one empty line.
std::vector<std::string> ReadListLines(const std::string& name);

// Calls visit(bytes of one record) for every data record of a database in
// order, reading the file in large blocks; a missing file raises IoError 2.
void ScanDataRecords(const DbFile& db, const std::function<void(const std::uint8_t*)>& visit);

// Searches. Each returns the record numbers found, in database order, at most
// 140; `more`, when given, tells whether further records matched beyond them.
// A list line stands for the records that the list shows under it (ListedAs:
// the text itself, or its list key).
// Records whose joined indication is listed as the line.
std::vector<std::int64_t> FindSymptomHits(const std::string& line, bool* more = nullptr);
// Records whose remedy is listed as the line; when none is, those whose remedy
// is listed as characters 71 to 110 of the line (the name behind a variant line).
std::vector<std::int64_t> FindRemedyHits(const std::string& line, bool* more = nullptr);
// Therapies-database records whose pathology equals the line.
std::vector<std::int64_t> FindPathologyHits(const std::string& line, bool* more = nullptr);

// The four texts of a result slot of a primary record.
struct PrimarySlotTexts {
    std::string remedy;
    std::string planetarySignatures;  // primary signature, a blank, secondary signature
    std::string zodiacalSignature;
    std::string detail;  // posology (symptom browser) or indication (remedy browser)
};
PrimarySlotTexts SymptomSlotTexts(const PrimaryRecord& r);
PrimarySlotTexts RemedySlotTexts(const PrimaryRecord& r);

// A caption and a text of the detail memo.
struct DetailText {
    std::string caption;
    std::string text;
};
// Detail state 0..3 of a primary record in the symptom browser (warnings,
// psychic synthesis, notes, extra notes) or in the remedy browser (posology
// first instead of warnings).
DetailText SymptomDetail(const PrimaryRecord& r, int state);
DetailText RemedyDetail(const PrimaryRecord& r, int state);
// Detail of a therapy slot: state 0 the notes of the pathology-remedy pair,
// state 1 the remedy's warnings from the primary database.
DetailText TherapyDetail(const std::string& remedy, const std::string& pathology, int state);

// The words of a signature field, one a line, cut to 15 characters; with
// markPrimary the words of the primary signature (hyphens + 1 of them) are
// written after "§ ". At most 12 words.
std::vector<std::string> SignatureWords(const std::string& text, bool markPrimary);

// The explanation of a remedy's preparation form ("" when its name has no form code).
std::string FormExplanation(const std::string& remedy);
// True when a line holds a number in brackets "(1)" to "(9)".
bool HoldsBracketNumber(const std::string& line);
// The warnings of a record, or the fixed text when it has none.
std::string WarningsOrNotice(const PrimaryRecord& r);

}  // namespace remedies
