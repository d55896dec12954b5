#pragma once
// The search by astrological signature: the remedy list with its index
// "FileDum\Prdts.dum" (the first record of each remedy), the test of a remedy's
// planetary and zodiacal signature against a chosen planet and sign, and the
// hit file "FileDum\Segnat.dum" read back fourteen hits to a page.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/primary_db.h"

namespace remedies {

inline constexpr const char* kRemedyIndexName = "FileDum\\Prdts.dum";
inline constexpr const char* kSignatureHitsName = "FileDum\\Segnat.dum";
// The word that stands for any planet or any sign.
inline constexpr const char* kAnyWord = "Ieder";
inline constexpr int kSignatureRows = 14;

// Every record of the primary database, record 0 included (entry r is record r).
std::vector<PrimaryRecord> ReadPrimaryFile();
// The name a record lists under: its remedy field cut to 80 characters with
// trailing blanks removed.
std::string ListedRemedyName(const PrimaryRecord& r);

// The remedy list and, beside each name, the record that names it.
struct RemedyIndex {
    std::vector<std::string> names;     // sorted, each remedy once
    std::vector<std::int64_t> records;  // first record of each name
};
// The listed names (ListedRemedyName) of records 0..N-1 sorted; names
// containing "Errore", empty names and repeats skipped. Each name keeps the
// number of the first record that carries it, so a name stored with trailing
// blanks still finds its own record.
RemedyIndex ComputeRemedyIndex(const PrimaryListSource& source);
// "FileDum\Prdts.dum" as BuildRemedyIndex writes it.
ListFile RemedyIndexFile(const RemedyIndex& index);
// Reads the database, writes "FileDum\Prdts.dum" (one record number a line, one
// line per listed name) and returns the index. A damaged or unreadable
// database is refused (DamagedDatabaseError): the index stays as it was.
RemedyIndex BuildRemedyIndex();
// The first record (from record 0) listed under the name, or -1.
std::int64_t FirstRecordNamed(const std::vector<PrimaryRecord>& all, const std::string& name);

// The planet word occurs in the primary or the secondary signature (or is
// "Ieder"), and the sign word occurs in the zodiacal signature (or is "Ieder");
// case-sensitive substring tests over the stored texts.
bool SignatureMatches(const PrimaryRecord& r, const std::string& planetWord, const std::string& signWord);

// One row of the signature grid: the remedy and its three signature fields.
struct SignatureRow {
    std::string remedy, primary, secondary, zodiac;
};
SignatureRow RowOf(const PrimaryRecord& r);

// The search: for each listed name in order, the record its index line names
// (when that record still carries the name) is tested; the hits are written to
// "FileDum\Segnat.dum", four lines a hit, and returned.
std::vector<SignatureRow> SearchSignatures(const std::vector<std::string>& names, const std::string& planetWord,
                                           const std::string& signWord);
// Number of pages of fourteen hits.
int SignaturePageCount(int hits);
// The fourteen rows of page p (from 1) of the hit file; rows past its end are empty.
std::array<SignatureRow, kSignatureRows> ReadSignatureHitsPage(int page);

}  // namespace remedies
