#include "remedies/database_edit.h"

#include <algorithm>
#include <functional>
#include <future>

#include "engine/position_text.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/list_order.h"
#include "remedies/record_journal.h"
#include "remedies/stale_lists.h"

namespace remedies {

namespace {

// The whole records of the file as bytes (a partial last record is dropped).
std::string WholeRecords(const DbFile& db) {
    std::string bytes = rt::ReadFileBytes(db.name);
    bytes.resize(bytes.size() - bytes.size() % db.recordSize);
    return bytes;
}

std::int64_t RecordsIn(const DbFile& db, const std::string& bytes) {
    return static_cast<std::int64_t>(bytes.size() / db.recordSize);
}

void RequireData(const DbFile& db, std::int64_t r, std::int64_t records) {
    if (r < 1 || r >= records) throw rt::IoError(rt::kReadBeyondEnd, db.name);
}

}  // namespace

std::int64_t DeleteDataRecordWhole(const DbFile& db, std::int64_t r) {
    RollBackJournal(db);  // what an ended save left comes first
    std::string bytes = WholeRecords(db);
    RequireData(db, r, RecordsIn(db, bytes));
    bytes.erase(static_cast<std::size_t>(r) * db.recordSize, db.recordSize);
    rt::ReplaceFileBytes(db.name, bytes);
    return RecordsIn(db, bytes) - 1;
}

void ReorderDataRecords(const DbFile& db, const std::vector<std::int64_t>& order) {
    RollBackJournal(db);
    const std::string bytes = WholeRecords(db);
    const std::int64_t records = RecordsIn(db, bytes);
    const std::int64_t count = std::max<std::int64_t>(records - 1, 0);
    // Every record exactly once, so none is lost and none written twice.
    if (static_cast<std::int64_t>(order.size()) != count) throw rt::IoError(rt::kReadBeyondEnd, db.name);
    std::vector<char> taken(static_cast<std::size_t>(count) + 1, 0);
    for (std::int64_t r : order) {
        if (r < 1 || r > count || taken[static_cast<std::size_t>(r)]) throw rt::IoError(rt::kReadBeyondEnd, db.name);
        taken[static_cast<std::size_t>(r)] = 1;
    }
    std::string out;
    out.reserve(bytes.size());
    if (records > 0) out.append(bytes, 0, db.recordSize);
    for (std::int64_t r : order) out.append(bytes, static_cast<std::size_t>(r) * db.recordSize, db.recordSize);
    rt::ReplaceFileBytes(db.name, out);
}

namespace {

// The change, with the database's lists marked stale until the rebuild after
// it is done (a run that ends between: the next start rebuilds them). A
// database found damaged or unreadable as the change is about to be made
// (`check` says what is wrong, "" when nothing) takes none.
template <typename Check, typename Change, typename Rebuild>
ChangeOutcome Perform(const DbFile& db, Check check, Change change, Rebuild rebuild) {
    ChangeOutcome o;
    if (const std::string problem = check(); !problem.empty()) {
        o.error = DamagedDatabaseMessage(db, problem, "");
        o.databaseDamaged = true;
        return o;
    }
    try {
        o.count = ChangeWithListsMarked(db, change);
        o.saved = true;
    } catch (const std::exception& e) {
        o.error = e.what();
        return o;
    }
    try {
        o.leftOut = rebuild();
        o.listsRebuilt = true;
    } catch (const DamagedDatabaseError& e) {
        o.error = e.what();
        o.databaseDamaged = true;
    } catch (const rt::IoError& e) {
        // The list it could not write, and what to do about it first (a
        // folder in its place is to be moved away).
        o.error = e.UserMessage();
    } catch (const std::exception& e) {
        o.error = e.what();
    }
    return o;
}

ChangeOutcome PrimaryChange(const std::function<std::int64_t()>& change, const WriteSteps& steps) {
    return ChangeDatabase(PrimaryDb(), change, steps);
}

// A save or an append of one primary record (`record`, number r; an append
// 0: it comes after the last whole record). The check before the change reads
// what the lists are made from on its pass over the database, and the lists
// are made from that with the record put in, while the record goes to the
// disc: a large database is read once, and its lists wait for no flush.
ChangeOutcome PrimaryRecordChange(std::int64_t r, const Bytes& record, const std::function<std::int64_t()>& change,
                                  const WriteSteps& steps) {
    PrimaryListSource source;
    std::future<std::vector<ListFile>> lists;
    std::int64_t count = 0;
    return Perform(
        PrimaryDb(),
        [&] {
            const std::string problem = ReadCheckedPrimaryListSource(source);
            const auto records = static_cast<std::int64_t>(source.records.size());
            const std::int64_t number = r > 0 ? r : records + 1;
            if (problem.empty() && number >= 1 && number <= records + 1) {
                PutIntoListSource(source, number, record);
                lists = std::async(std::launch::async, [&source] { return PrimaryListFiles(source.records); });
            }
            return problem;
        },
        [&] { return count = change(); },
        [&] {
            // A database that changed beside the record since it was read is read again.
            if (!lists.valid() || count != static_cast<std::int64_t>(source.records.size()))
                return SkippedRecordsMessage(RebuildPrimaryLists(steps), "DBmain.rnd");
            return SkippedRecordsMessage(PutPrimaryListsInPlace(lists.get(), source.report, steps), "DBmain.rnd");
        });
}

ChangeOutcome RepertoryChange(const std::function<std::int64_t()>& change, const WriteSteps& steps) {
    return ChangeDatabase(RepertoryDb(), change, steps);
}

}  // namespace

ChangeOutcome ChangeDatabase(const DbFile& db, const std::function<std::int64_t()>& change, const WriteSteps& steps) {
    const auto check = [&db] { return DatabaseProblem(db); };
    if (db.name == kRepertoryDbName)
        return Perform(db, check, change,
                       [&steps] { return SkippedRecordsMessage(RebuildPathologyList(steps), "Repertorio.rnd"); });
    return Perform(db, check, change,
                   [&steps] { return SkippedRecordsMessage(RebuildPrimaryLists(steps), "DBmain.rnd"); });
}

std::string ChangeOutcomeMessage(const ChangeOutcome& o) {
    if (!o.saved) return "Modifica NON eseguita: il database \xE8 rimasto com'era.\r\n" + o.error;
    // A damaged database: its message says what to do ("Ricostruisci File" would be refused too).
    if (!o.listsRebuilt && o.databaseDamaged)
        return "Il database \xE8 stato aggiornato, ma gli archivi di appoggio non sono stati ricostruiti.\r\n" +
               o.error;
    if (!o.listsRebuilt)
        return "Il database \xE8 stato aggiornato, ma gli archivi di appoggio non sono stati ricostruiti.\r\n" +
               o.error + "\r\nPer riprovare, usare Ricostruisci File.";
    return o.leftOut;
}

ChangeOutcome SavePrimaryEdit(std::int64_t r, const PrimaryTexts& t, const WriteSteps& steps) {
    const Bytes record = EncodePrimaryRecord(MakePrimaryRecord(t));
    return PrimaryRecordChange(
        r, record,
        [&] {
            WriteRecordInPlace(PrimaryDb(), r, record, steps);
            return PrimaryRecordCount();
        },
        steps);
}

ChangeOutcome AppendPrimaryEdit(const PrimaryTexts& t, const WriteSteps& steps) {
    const Bytes record = EncodePrimaryRecord(MakePrimaryRecord(t));
    return PrimaryRecordChange(
        0, record, [&] { return AppendRecordInPlace(PrimaryDb(), record, steps); }, steps);
}

ChangeOutcome DeletePrimaryEdit(std::int64_t r) { return DeletePrimaryEdit(r, WriteSteps{}); }

ChangeOutcome DeletePrimaryEdit(std::int64_t r, const WriteSteps& steps) {
    return PrimaryChange([&] { return DeleteDataRecordWhole(PrimaryDb(), r); }, steps);
}

ChangeOutcome CommitPrimaryOrder(const std::vector<std::int64_t>& order) {
    return CommitPrimaryOrder(order, WriteSteps{});
}

ChangeOutcome CommitPrimaryOrder(const std::vector<std::int64_t>& order, const WriteSteps& steps) {
    return PrimaryChange(
        [&] {
            ReorderDataRecords(PrimaryDb(), order);
            return static_cast<std::int64_t>(order.size());
        },
        steps);
}

ChangeOutcome SaveRepertoryEdit(std::int64_t r, const RepertoryTexts& t, const WriteSteps& steps) {
    return RepertoryChange(
        [&] {
            WriteRecordInPlace(RepertoryDb(), r, EncodeRepertoryRecord(FormToRepertoryRecord(t)), steps);
            return RepertoryRecordCount();
        },
        steps);
}

ChangeOutcome AppendRepertoryEdit(const RepertoryTexts& t, const WriteSteps& steps) {
    return RepertoryChange(
        [&] { return AppendRecordInPlace(RepertoryDb(), EncodeRepertoryRecord(FormToRepertoryRecord(t)), steps); },
        steps);
}

ChangeOutcome DeleteRepertoryEdit(std::int64_t r) { return DeleteRepertoryEdit(r, WriteSteps{}); }

ChangeOutcome DeleteRepertoryEdit(std::int64_t r, const WriteSteps& steps) {
    return RepertoryChange([&] { return DeleteDataRecordWhole(RepertoryDb(), r); }, steps);
}

ChangeOutcome CommitRepertoryOrder(const std::vector<std::int64_t>& order) {
    return CommitRepertoryOrder(order, WriteSteps{});
}

ChangeOutcome CommitRepertoryOrder(const std::vector<std::int64_t>& order, const WriteSteps& steps) {
    return RepertoryChange(
        [&] {
            ReorderDataRecords(RepertoryDb(), order);
            return static_cast<std::int64_t>(order.size());
        },
        steps);
}

namespace {

void SortEntries(std::vector<EditorEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const EditorEntry& a, const EditorEntry& b) { return ListTextLess(a.text, b.text); });
}

}  // namespace

namespace {

// The entries read from a database, none when it turned out damaged.
std::vector<EditorEntry> CheckedEntries(std::vector<EditorEntry> entries, const std::string& found, bool sorted,
                                        std::string* problem) {
    if (problem) *problem = found;
    if (!found.empty()) return {};
    if (sorted) SortEntries(entries);
    return entries;
}

}  // namespace

std::vector<EditorEntry> PrimaryEditorEntries(bool bySymptom, bool sorted, std::string* problem) {
    std::vector<EditorEntry> out;
    // Only the remedy and the indication: the rest of each record is not read into texts.
    const std::vector<Field> layout = PrimaryFieldLayout();
    const Field remedy = layout[0], indication1 = layout[5], indication2 = layout[6];
    const std::string found = VisitCheckedDatabase(PrimaryDb(), [&](std::int64_t r, std::string_view b) {
        PrimaryRecord rec;
        rec.remedy = GetField(b, remedy);
        rec.indication1 = GetField(b, indication1);
        rec.indication2 = GetField(b, indication2);
        out.push_back({bySymptom ? EntryBySymptom(rec) : EntryByRemedy(rec), r});
    });
    return CheckedEntries(std::move(out), found, sorted, problem);
}

std::vector<EditorEntry> RepertoryEditorEntries(bool byPathology, bool sorted, std::string* problem) {
    std::vector<EditorEntry> out;
    Bytes bytes;
    const std::string found = VisitCheckedDatabase(RepertoryDb(), [&](std::int64_t r, std::string_view b) {
        bytes.assign(b.begin(), b.end());
        const RepertoryRecord rec = DecodeRepertoryRecord(bytes);
        out.push_back({byPathology ? EntryByRepertoryPathology(rec) : EntryByRepertoryRemedy(rec), r});
    });
    return CheckedEntries(std::move(out), found, sorted, problem);
}

std::pair<std::string, std::string> SplitListEntry(const std::string& entry, bool swap) {
    const std::size_t star = entry.find('*');
    std::string first = entry.substr(0, star);
    std::string rest;
    if (star != std::string::npos)
        for (char c : entry.substr(star))
            if (c != '*') rest += c;
    if (swap) std::swap(first, rest);
    return {first, rest};
}

std::int64_t FindPrimaryRecord(const std::string& remedy, const std::string& indication) {
    std::int64_t found = 0;
    ForEachDataRecord(PrimaryDb(), [&](std::int64_t r, const Bytes& b) {
        if (found) return;
        PrimaryRecord rec = DecodePrimaryRecord(b);
        if (rec.remedy == remedy && rec.Indication() == indication) found = r;
    });
    return found;
}

std::int64_t FindRepertoryRecord(const std::string& remedy, const std::string& pathology) {
    std::int64_t found = 0;
    ForEachDataRecord(RepertoryDb(), [&](std::int64_t r, const Bytes& b) {
        if (found) return;
        RepertoryRecord rec = DecodeRepertoryRecord(b);
        if (rec.remedy == remedy && rec.pathology == pathology) found = r;
    });
    return found;
}

void ApplyKeyToText(std::string& key, char typed, bool upper) {
    if (typed == 8) {
        if (!key.empty()) key.pop_back();
        return;
    }
    if (upper && typed >= 'a' && typed <= 'z') typed = static_cast<char>(typed - 32);
    key += typed;
}

int FindNextEntry(const std::vector<std::string>& entries, const std::string& key, int after) {
    const std::string wanted = rt::UpperAscii(key);
    for (int i = std::max(after + 1, 0); i < static_cast<int>(entries.size()); ++i)
        if (rt::UpperAscii(entries[static_cast<std::size_t>(i)]).find(wanted) != std::string::npos) return i;
    return -1;
}

bool HoldsUseNumber(const std::string& remedy) {
    for (char d = '1'; d <= '9'; ++d)
        if (remedy.find(std::string("(") + d + ")") != std::string::npos) return true;
    return false;
}

namespace {
std::string EditTrimmed(std::string s) {
    engine::TrimTrailingBlanks(s);
    return s;
}
}  // namespace

std::string LinkedWarningsText(const PrimaryRecord& r) {
    if (EditTrimmed(r.warnings1).empty()) return "Geen Waarschuwingen Geregistreerd";
    return r.warnings1 + r.warnings2;
}

std::string LinkedSignaturesText(const PrimaryRecord& r) {
    if (EditTrimmed(r.primarySignature).empty() && EditTrimmed(r.secondarySignature).empty() &&
        EditTrimmed(r.zodiacalSignature).empty())
        return "Nessuna Segnatura Astrologica";
    return r.primarySignature + "\r\n" + r.secondarySignature + "\r\n" + r.zodiacalSignature;
}

std::string LinkedSynthesisText(const PrimaryRecord& r) {
    if (EditTrimmed(r.synthesis1).empty()) return "Geen Psychische Synthese Inbegrepen";
    return r.synthesis1 + r.synthesis2 + r.synthesis3 + r.synthesis4 + r.synthesis5 + r.synthesis6;
}

std::string LinkedNotesText(const PrimaryRecord& r) {
    if (EditTrimmed(r.notes1).empty() && EditTrimmed(r.notes2).empty() && EditTrimmed(r.notes3).empty())
        return "Nessuna Nota Registrata";
    return r.notes1 + "\r\n" + r.notes2 + "\r\n" + r.notes3;
}

}  // namespace remedies
