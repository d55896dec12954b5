#pragma once
// The therapies database "OpzioneH\Repertorio.rnd": one 1206-byte record for
// each pair of a pathology and a remedy, with the posology for that pathology
// and notes; linked to the primary database by the remedy's name only. The
// pathology list "OpzioneH\Patolog.txt" is rebuilt from it on request.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "remedies/record_db.h"

namespace remedies {

inline constexpr std::size_t kRepertoryRecordSize = 1206;
inline constexpr const char* kRepertoryDbName = "OpzioneH\\Repertorio.rnd";
inline constexpr const char* kPathologyListName = "OpzioneH\\Patolog.txt";

struct RepertoryRecord {
    std::string pathology;  // 100
    std::string posology;   // 250
    std::string remedy;     // 100
    std::string notes1, notes2, notes3;

    std::string Notes() const { return notes1 + notes2 + notes3; }
};

struct RepertoryTexts {
    std::string pathology;  // 100
    std::string remedy;     // 100
    std::string posology;   // 250
    std::string notes;      // 750
};

DbFile RepertoryDb();

// The fields of a record in file order (offset and capacity).
std::vector<Field> RepertoryFieldLayout();

Bytes EncodeRepertoryRecord(const RepertoryRecord& r);
RepertoryRecord DecodeRepertoryRecord(const Bytes& b);
RepertoryRecord DecodeRepertoryRecord(std::string_view b);  // the same on bytes in place
// Each text cut to its capacity, the notes sliced into three fields.
RepertoryRecord FormToRepertoryRecord(const RepertoryTexts& t);
RepertoryTexts RepertoryRecordToTexts(const RepertoryRecord& r);

std::int64_t RepertoryRecordCount();
RepertoryRecord ReadRepertoryRecord(std::int64_t r);
std::vector<RepertoryRecord> ReadAllRepertoryRecords();  // records 1..count
void SaveRepertoryRecord(std::int64_t r, const RepertoryTexts& t);
std::int64_t AppendRepertoryRecord(const RepertoryTexts& t);  // returns the new count
std::int64_t DeleteRepertoryRecord(std::int64_t r);           // returns the new count
bool EnsureRepertoryDatabase();

// Editor list entries.
std::string EntryByRepertoryRemedy(const RepertoryRecord& r);     // remedy "**" pathology
std::string EntryByRepertoryPathology(const RepertoryRecord& r);  // pathology "**" remedy

// The distinct pathologies in list order (no trimming; an empty one is never
// written, nor one that breaks a list line).
std::vector<std::string> ComputePathologyList(const std::vector<RepertoryRecord>& records);
// Records 1..count of a sound database, read in one pass (DamagedDatabaseError
// when it is damaged or cannot be read: no list is made from it).
std::vector<RepertoryRecord> ReadSoundRepertoryRecords();
// "OpzioneH\Patolog.txt" as a rebuild writes it for the records.
ListFile PathologyListFile(const std::vector<RepertoryRecord>& records);
// Rewrites "OpzioneH\Patolog.txt" from the database (beside the old one, then
// renamed) when it changes; returns the records whose pathology was left out.
ListRebuildReport RebuildPathologyList();
ListRebuildReport RebuildPathologyList(const WriteSteps& steps);

// The primary record a remedy name links to: the first whose remedy equals it
// with the letters a to z upper-cased on both sides; 0 when there is none.
std::int64_t FindLinkedPrimaryRecord(const std::string& remedy);

}  // namespace remedies
