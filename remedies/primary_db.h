#pragma once
// The primary remedy database "OpzioneH\DBmain.rnd": one 4814-byte record for
// each pair of a remedy and one indication, with posology, psychic synthesis,
// signatures, warnings and notes; long texts lie in slices of 250 characters.
// Beside it stand the lists rebuilt from it: symptoms, remedies, remedies with
// their form variants, and the remedies of each planet and each sign.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "remedies/record_db.h"

namespace remedies {

inline constexpr std::size_t kPrimaryRecordSize = 4814;
inline constexpr std::size_t kRemedyNameRecordSize = 51;
inline constexpr const char* kPrimaryDbName = "OpzioneH\\DBmain.rnd";
inline constexpr const char* kSymptomListName = "OpzioneH\\Sintomi.txt";
inline constexpr const char* kRemedyListName = "OpzioneH\\ProdotA.txt";
inline constexpr const char* kRemedyVariantListName = "OpzioneH\\ProdotB.txt";

// The fields of one record, as stored.
struct PrimaryRecord {
    std::string remedy;
    std::string posology1, posology2, posology3, posology4;
    std::string indication1, indication2;
    std::string synthesis1, synthesis2, synthesis3, synthesis4, synthesis5, synthesis6;
    std::string primarySignature;
    std::string secondarySignature;
    std::string zodiacalSignature;
    std::string warnings1, warnings2;
    std::string notes1, notes2, notes3;
    std::string extraNotes1, extraNotes2, extraNotes3;

    std::string Indication() const { return indication1 + indication2; }
};

// The ten logical texts of a record.
struct PrimaryTexts {
    std::string remedy;              // 50
    std::string posology;            // 900
    std::string indication;          // 300
    std::string synthesis;           // 1500
    std::string primarySignature;    // 30
    std::string secondarySignature;  // 40
    std::string zodiacalSignature;   // 70
    std::string warnings;            // 400
    std::string notes;               // 750
    std::string extraNotes;          // 750
};

DbFile PrimaryDb();

// The fields of a record in file order (offset and capacity).
std::vector<Field> PrimaryFieldLayout();

Bytes EncodePrimaryRecord(const PrimaryRecord& r);
PrimaryRecord DecodePrimaryRecord(const Bytes& b);

// Cuts each text into its slices and fields (text beyond the capacity is dropped).
PrimaryRecord MakePrimaryRecord(const PrimaryTexts& t);
// Joins each text's slices in field order.
PrimaryTexts PrimaryRecordToTexts(const PrimaryRecord& r);

// Number of data records (file size in records minus one).
std::int64_t PrimaryRecordCount();
std::string RecordCountText(std::int64_t count);  // decimal text of the count
// Data record r (1..count).
PrimaryRecord ReadPrimaryRecord(std::int64_t r);
// Every data record, 1..count (entry 0 of the result is record 1).
std::vector<PrimaryRecord> ReadAllPrimaryRecords();

// Overwrites record r with the texts.
void SavePrimaryRecord(std::int64_t r, const PrimaryTexts& t);
// Appends a record; returns the new data count.
std::int64_t AppendPrimaryRecord(const PrimaryTexts& t);
// Deletes record r (1..count); later records move down by one; returns the new count.
std::int64_t DeletePrimaryRecord(std::int64_t r);
// Creates an empty database (header record only) when none exists.
bool EnsurePrimaryDatabase();

// Editor list entries: remedy "**" indication, and indication "**" remedy.
std::string EntryByRemedy(const PrimaryRecord& r);
std::string EntryBySymptom(const PrimaryRecord& r);

// The planet and sign tables of the remedy lists: the list file's name without
// folder and extension, and the word whose presence in a signature puts a
// remedy on the list.
struct SignatureRemedyList {
    const char* fileStem;
    const char* signatureWord;
};
extern const std::array<SignatureRemedyList, 9> kPlanetRemedyLists;  // "SolePri"/"Zon", ...
extern const std::array<SignatureRemedyList, 12> kSignRemedyLists;   // "Ram"/"Ram", ...
std::string RemedyListFileName(const char* fileStem);                // "OpzioneH\" + stem + ".rnd"

// The lines of the derived lists as the rebuild writes them.
struct PrimaryLists {
    std::vector<std::string> symptoms;        // Sintomi.txt
    std::vector<std::string> remedies;        // ProdotA.txt
    std::vector<std::string> remedyVariants;  // ProdotB.txt
    std::array<std::vector<std::string>, 9> planetRemedies;
    std::array<std::vector<std::string>, 12> signRemedies;
};

// Computes every list from the records (record 1 first). A record whose
// remedy or indication breaks a list line (BreaksListLine) is left out.
PrimaryLists ComputePrimaryLists(const std::vector<PrimaryRecord>& records);
// True when the record is left out of the lists.
bool LeftOutOfLists(const PrimaryRecord& r);
// True for the characters a list key may end in: letters (every letter of
// Windows-1252, "AloÃ«" and "MaÃ¯s" keep their last letter), digits and the
// superscript digits, "Â°", ")" and ".".
bool EndsAListKey(unsigned char c);
// Removes up to ten trailing characters that may not end a key (blanks,
// hyphens, stars, commas, ...): a list shows the name as it was stored.
void TrimListKey(std::string& key);
// The key a list shows for a text: the text before its first "*", trimmed by
// TrimListKey. The lookups from a list line compare it with this key of each
// record's text, so whatever a list shows is found again.
std::string ListKeyOf(std::string_view text);
// The key that lists built by earlier installations show for a text: trimmed
// of every last character but the letters a..z, the digits, ")", "." and
// "àéèùòì" ("Aloë" listed as "Alo"). Lists brought along from there are used
// as they are until they are made again (at the next start or rebuild), so
// their lines still lead to the records.
std::string EarlierListKeyOf(std::string_view text);
// True when a record's text stands behind a list line: equal to it, or its
// list key (or the key of an earlier installation's lists) equal to it.
bool ListedAs(std::string_view text, std::string_view line);
// The distinct keys of sorted list entries: the text before the first "*",
// trailing characters of other kinds trimmed, written when it differs from the
// key before it.
std::vector<std::string> DistinctKeys(std::vector<std::string> entries);
// The variant line of a remedy name with a form code, or "" when it has none.
std::string RemedyVariantLine(const std::string& name);

// What the lists are made from, read in one pass over a sound database
// (DamagedDatabaseError when it is damaged or cannot be read: nothing read).
struct PrimaryListSource {
    std::string headerRemedy;            // the remedy field of record 0 (the remedy index counts from it)
    std::vector<PrimaryRecord> records;  // remedy, indication and signatures of records 1..N-1
    ListRebuildReport report;            // the records left out of the lists
};
PrimaryListSource ReadPrimaryListSource();
// "OpzioneH\Sintomi.txt", "ProdotA.txt", the planet and sign remedy lists and
// "ProdotB.txt" as a rebuild writes them for the records (record 1 first).
std::vector<ListFile> PrimaryListFiles(const std::vector<PrimaryRecord>& records);

// Rebuilds "OpzioneH\Sintomi.txt", "ProdotA.txt", "ProdotB.txt" and the planet
// and sign remedy lists from the database. Every file that changes is written
// beside the old one and renamed over it. Returns the records left out.
ListRebuildReport RebuildPrimaryLists();
ListRebuildReport RebuildPrimaryLists(const WriteSteps& steps);

// What the lists are made from, read on the pass that checks the database
// before a change of one record (VisitCheckedDatabase), so that the lists
// after the change need no second pass over a large database. Returns the
// problem that refuses the change, "" when the database is sound or missing
// (the source is then to be used).
std::string ReadCheckedPrimaryListSource(PrimaryListSource& source);
// Data record r of the source becomes `record` (r one past the last: appended).
void PutIntoListSource(PrimaryListSource& source, std::int64_t r, const Bytes& record);
// The second half of RebuildPrimaryLists, for lists made (PrimaryListFiles)
// from a source that describes the database as it is now: the lists put in
// place, the mark of stale lists removed. Returns `report`.
ListRebuildReport PutPrimaryListsInPlace(const std::vector<ListFile>& lists, const ListRebuildReport& report,
                                         const WriteSteps& steps);

// Reads a planet or sign remedy list (records 0..N-1).
std::vector<std::string> ReadRemedyNameList(const std::string& name);

}  // namespace remedies
