#include "remedies/repertory_db.h"

#include <array>

#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_sizes.h"
#include "remedies/list_order.h"
#include "remedies/primary_db.h"
#include "remedies/stale_lists.h"

namespace remedies {

namespace {
constexpr Field kPathology{0, 100};
constexpr Field kPosology{101, 250};
constexpr Field kRemedy{352, 100};
constexpr Field kNotes1{453, 250};
constexpr Field kNotes2{704, 250};
constexpr Field kNotes3{955, 250};
}  // namespace

constexpr std::array<Field, 6> kRepertoryTextFields{kPathology, kPosology, kRemedy, kNotes1, kNotes2, kNotes3};

DbFile RepertoryDb() { return {kRepertoryDbName, kRepertoryRecordSize, kRepertoryTextFields, EmptyRecords::Damage}; }

std::vector<Field> RepertoryFieldLayout() { return {kPathology, kPosology, kRemedy, kNotes1, kNotes2, kNotes3}; }

Bytes EncodeRepertoryRecord(const RepertoryRecord& r) {
    Bytes b(kRepertoryRecordSize, 0);
    PutField(b, kPathology, r.pathology);
    PutField(b, kPosology, r.posology);
    PutField(b, kRemedy, r.remedy);
    PutField(b, kNotes1, r.notes1);
    PutField(b, kNotes2, r.notes2);
    PutField(b, kNotes3, r.notes3);
    return b;
}

RepertoryRecord DecodeRepertoryRecord(const Bytes& b) {
    return DecodeRepertoryRecord(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

RepertoryRecord DecodeRepertoryRecord(std::string_view b) {
    RepertoryRecord r;
    r.pathology = GetField(b, kPathology);
    r.posology = GetField(b, kPosology);
    r.remedy = GetField(b, kRemedy);
    r.notes1 = GetField(b, kNotes1);
    r.notes2 = GetField(b, kNotes2);
    r.notes3 = GetField(b, kNotes3);
    return r;
}

RepertoryRecord FormToRepertoryRecord(const RepertoryTexts& t) {
    RepertoryRecord r;
    r.remedy = t.remedy.substr(0, 100);
    r.pathology = t.pathology.substr(0, 100);
    r.posology = t.posology.substr(0, 250);
    auto notes = SliceText(t.notes, {250, 250, 250});
    r.notes1 = notes[0];
    r.notes2 = notes[1];
    r.notes3 = notes[2];
    return r;
}

RepertoryTexts RepertoryRecordToTexts(const RepertoryRecord& r) {
    return {r.pathology, r.remedy, r.posology, r.Notes()};
}

std::int64_t RepertoryRecordCount() { return DataRecordCount(RepertoryDb()); }

RepertoryRecord ReadRepertoryRecord(std::int64_t r) { return DecodeRepertoryRecord(ReadDataRecord(RepertoryDb(), r)); }

std::vector<RepertoryRecord> ReadAllRepertoryRecords() {
    std::vector<RepertoryRecord> out;
    ForEachDataRecord(RepertoryDb(), [&](std::int64_t, const Bytes& b) { out.push_back(DecodeRepertoryRecord(b)); });
    return out;
}

void SaveRepertoryRecord(std::int64_t r, const RepertoryTexts& t) {
    OverwriteDataRecord(RepertoryDb(), r, EncodeRepertoryRecord(FormToRepertoryRecord(t)));
}

std::int64_t AppendRepertoryRecord(const RepertoryTexts& t) {
    return AppendDataRecord(RepertoryDb(), EncodeRepertoryRecord(FormToRepertoryRecord(t)));
}

std::int64_t DeleteRepertoryRecord(std::int64_t r) { return DeleteDataRecord(RepertoryDb(), r); }

bool EnsureRepertoryDatabase() { return EnsureDatabaseFile(RepertoryDb()); }

std::string EntryByRepertoryRemedy(const RepertoryRecord& r) { return r.remedy + "**" + r.pathology; }

std::string EntryByRepertoryPathology(const RepertoryRecord& r) { return r.pathology + "**" + r.remedy; }

std::vector<std::string> ComputePathologyList(const std::vector<RepertoryRecord>& records) {
    std::vector<std::string> names;
    names.reserve(records.size());
    for (const auto& r : records)
        if (!BreaksListLine(r.pathology)) names.push_back(r.pathology);
    SortListTexts(names);
    std::vector<std::string> out;
    std::string previous;
    for (const auto& n : names) {
        if (n != previous) out.push_back(n);
        previous = n;
    }
    return out;
}

std::vector<RepertoryRecord> ReadSoundRepertoryRecords() {
    std::vector<RepertoryRecord> records;
    ForEachRecordOfSoundDatabase(RepertoryDb(), [&](std::int64_t, std::string_view b) {
        records.push_back(DecodeRepertoryRecord(b));
    });
    return records;
}

ListFile PathologyListFile(const std::vector<RepertoryRecord>& records) {
    return {kPathologyListName, rt::JoinLines(ComputePathologyList(records))};
}

ListRebuildReport RebuildPathologyList() { return RebuildPathologyList(WriteSteps{}); }

ListRebuildReport RebuildPathologyList(const WriteSteps& steps) {
    const std::vector<RepertoryRecord> records = ReadSoundRepertoryRecords();
    ListRebuildStep(steps);
    ListRebuildReport report;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (BreaksListLine(records[i].pathology)) report.skippedRecords.push_back(static_cast<std::int64_t>(i) + 1);
    // The list describes the database again, as many records as it holds now:
    // the count is kept in the same group as the list.
    std::vector<ListFile> files{PathologyListFile(records)};
    if (std::optional<ListFile> sizes = DatabaseSizesAfterWrite(RepertoryDb())) files.push_back(std::move(*sizes));
    ReplaceChangedFiles(files, steps);
    ListRebuildStep(steps);
    ClearStaleListsMark(RepertoryDb());
    return report;
}

std::int64_t FindLinkedPrimaryRecord(const std::string& remedy) {
    const std::string wanted = rt::UpperAscii(remedy);
    std::int64_t found = 0;
    rt::RecordFile f(kPrimaryDbName, kPrimaryRecordSize);
    f.Reset();
    const std::int64_t n = f.FileSize();
    for (std::int64_t r = 1; r < n && found == 0; ++r) {
        if (rt::UpperAscii(GetField(f.Read(r), {0, 50})) == wanted) found = r;
    }
    f.Close();
    return found;
}

}  // namespace remedies
