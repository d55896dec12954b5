#include "remedies/record_db.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "remedies/list_files.h"
#include "remedies/stale_lists.h"

namespace remedies {

std::string GetField(const Bytes& record, Field f) {
    return GetField(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()), f);
}

std::string GetField(std::string_view record, Field f) {
    if (record.size() < f.offset + 1) return {};
    // A field cut short by the record's end is read as far as it goes.
    std::size_t room = std::min(f.capacity, record.size() - f.offset - 1);
    return rt::ReadFixedString(reinterpret_cast<const std::uint8_t*>(record.data()) + f.offset, room);
}

void PutField(Bytes& record, Field f, std::string_view s) {
    if (record.size() < f.offset + f.capacity + 1) record.resize(f.offset + f.capacity + 1, 0);
    rt::WriteFixedString(record.data() + f.offset, f.capacity, s);
}

std::vector<std::string> SliceText(std::string_view text, const std::vector<std::size_t>& capacities) {
    std::vector<std::string> pieces;
    pieces.reserve(capacities.size());
    for (std::size_t k = 0; k < capacities.size(); ++k) {
        std::size_t start = k * kSliceLength;
        if (start >= text.size()) {
            pieces.emplace_back();
            continue;
        }
        std::size_t len = std::min({kSliceLength, capacities[k], text.size() - start});
        pieces.emplace_back(text.substr(start, len));
    }
    return pieces;
}

std::string JoinSlices(const std::vector<std::string>& pieces) {
    std::string s;
    for (const auto& p : pieces) s += p;
    return s;
}

DatabaseDamage::DatabaseDamage(const DbFile& db, std::int64_t fileBytes)
    : db_(db), partial_(db.recordSize ? fileBytes % static_cast<std::int64_t>(db.recordSize) : 0) {}

namespace {
bool AllZero(std::string_view record) {
    return std::all_of(record.begin(), record.end(), [](char c) { return c == 0; });
}
}  // namespace

void DatabaseDamage::Look(std::int64_t r, std::string_view record) {
    ++records_;
    for (const Field& f : db_.fields) {
        if (f.offset >= record.size() || static_cast<unsigned char>(record[f.offset]) <= f.capacity) continue;
        if (damaged_++ == 0) first_ = r;
        return;
    }
    if (!db_.fields.empty() && AllZero(record) && zero_++ == 0) firstZero_ = r;
}

std::string DatabaseDamage::Problem() const {
    std::string what;
    auto add = [&what](const std::string& more) { what += (what.empty() ? "" : "; ") + more; };
    if (damaged_ > 0) {
        std::string some = "la scheda " + std::to_string(first_);
        if (damaged_ > 1) some += damaged_ == 2 ? " e un'altra" : " e altre " + std::to_string(damaged_ - 1);
        some += damaged_ > 1 ? " non sono schede della banca dati" : " non \xE8 una scheda della banca dati";
        add(some);
    }
    if (zero_ > 0 && zero_ == records_ && damaged_ == 0)
        add(zero_ > 1 ? "tutte le sue " + std::to_string(zero_) + " schede sono vuote, fatte solo di byte zero"
                      : "la sua unica scheda \xE8 vuota, fatta solo di byte zero");
    else if (zero_ > 0 && db_.emptyRecords == EmptyRecords::Damage)
        add(zero_ > 1 ? "la scheda " + std::to_string(firstZero_) +
                            (zero_ == 2 ? " e un'altra" : " e altre " + std::to_string(zero_ - 1)) +
                            " sono vuote, fatte solo di byte zero"
                      : "la scheda " + std::to_string(firstZero_) + " \xE8 vuota, fatta solo di byte zero");
    if (partial_ > 0)
        add("l'ultima scheda \xE8 incompleta (" + std::to_string(partial_) + " byte di " +
            std::to_string(db_.recordSize) + ")");
    return what;
}

void DatabaseDamage::Report() const {
    const std::string problem = Problem();
    if (!problem.empty()) rt::ReportDamagedFileOnce(db_.name, DamagedDatabaseMessage(db_, problem, kShownAsRead));
}

std::string DatabaseProblem(const DbFile& db) {
    return VisitCheckedDatabase(db, [](std::int64_t, std::string_view) {});
}

std::string ReportDamagedDatabase(const DbFile& db) {
    std::string problem = DatabaseProblem(db);
    if (!problem.empty()) rt::ReportDamagedFileOnce(db.name, DamagedDatabaseMessage(db, problem, kShownAsRead));
    return problem;
}

DamagedDatabaseError::DamagedDatabaseError(const DbFile& db, const std::string& problem)
    : std::runtime_error(DamagedDatabaseMessage(
          db, problem,
          ListsMarkedStale(db)
              ? "Gli elenchi che ne derivano non sono stati ricostruiti e restano com'erano: il programma li "
                "ricostruir\xE0 al primo avvio con il file di nuovo integro."
              : "Gli elenchi che ne derivano non sono stati ricostruiti e restano com'erano.")),
      file_(db.name) {}

std::int64_t DataRecordCount(const DbFile& db) {
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    std::int64_t n = f.FileSize();
    DatabaseDamage(db, f.ByteSize()).Report();
    f.Close();
    return std::max<std::int64_t>(n - 1, 0);
}

namespace {
void RequireDataRecord(const DbFile& db, std::int64_t r, std::int64_t fileSize) {
    if (r < 1 || r >= fileSize) throw rt::IoError(rt::kReadBeyondEnd, db.name);
}
}  // namespace

Bytes ReadDataRecord(const DbFile& db, std::int64_t r) {
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    RequireDataRecord(db, r, f.FileSize());
    Bytes b = f.Read(r);
    f.Close();
    return b;
}

void OverwriteDataRecord(const DbFile& db, std::int64_t r, const Bytes& record) {
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    RequireDataRecord(db, r, f.FileSize());
    f.Write(r, record);
    f.Close();
}

std::int64_t AppendDataRecord(const DbFile& db, const Bytes& record) {
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    std::int64_t n = f.FileSize();
    if (n == 0) {
        // An empty file gets its header first, so the new record is data.
        f.Write(0, Bytes(db.recordSize, 0));
        n = 1;
    }
    // Written at the end of the whole records: a partial last record is overwritten.
    f.Write(n, record);
    f.Truncate(n + 1);
    std::int64_t count = f.FileSize() - 1;
    f.Close();
    return count;
}

std::int64_t DeleteDataRecord(const DbFile& db, std::int64_t r) {
    rt::RecordFile in(db.name, db.recordSize);
    in.Reset();
    const std::int64_t n = in.FileSize();
    RequireDataRecord(db, r, n);
    const std::string tmp = TemporaryNameFor(db.name);
    try {
        rt::RecordFile out(tmp, db.recordSize);
        out.Rewrite();
        std::int64_t k = 0;
        for (std::int64_t i = 0; i < n; ++i) {
            if (i == r) continue;
            out.Write(k++, in.Read(i));
        }
        out.Close();
    } catch (...) {
        RemoveTemporary(tmp);
        throw;
    }
    in.Close();
    ReplaceWithTemporary(tmp, db.name);
    return n - 2;
}

bool EnsureDatabaseFile(const DbFile& db) {
    if (rt::PathExists(db.name)) return false;
    rt::EnsureParentFolder(db.name);
    rt::RecordFile f(db.name, db.recordSize);
    f.Rewrite();
    f.Write(0, Bytes(db.recordSize, 0));
    f.Close();
    return true;
}

bool BreaksListLine(std::string_view text) {
    for (unsigned char c : text)
        if (c < 32 || c == 127) return true;
    return false;
}

std::string SkippedRecordsMessage(const ListRebuildReport& report, std::string_view database) {
    if (report.skippedRecords.empty()) return {};
    std::string numbers;
    for (std::size_t i = 0; i < report.skippedRecords.size(); ++i) {
        if (i == 10) {
            numbers += " ...";
            break;
        }
        numbers += (i ? ", " : "") + std::to_string(report.skippedRecords[i]);
    }
    // One record, one verb.
    if (report.skippedRecords.size() == 1)
        return "Attenzione: il record " + numbers + " di " + std::string(database) +
               " non \xE8 negli elenchi: il rimedio, l'indicazione o la patologia contiene un carattere di "
               "controllo (un a capo o simile). Correggerlo con l'editor.";
    return "Attenzione: i record " + numbers + " di " + std::string(database) +
           " non sono negli elenchi: il rimedio, l'indicazione o la patologia contiene un carattere di "
           "controllo (un a capo o simile). Correggerli con l'editor.";
}

void ListRebuildStep(const WriteSteps& steps) {
    if (steps.listRebuild) steps.listRebuild();
}

std::string NameRecordBytes(std::size_t capacity, const std::vector<std::string>& names) {
    std::string bytes;
    bytes.reserve(names.size() * (capacity + 1));
    Bytes b(capacity + 1, 0);
    for (const auto& n : names) {
        std::fill(b.begin(), b.end(), 0);
        PutField(b, {0, capacity}, n);
        bytes.append(b.begin(), b.end());
    }
    return bytes;
}

void ReplaceChangedFiles(const std::vector<ListFile>& files, const WriteSteps& steps) {
    // The lists change as one group: their bytes reach the disc in its
    // journal, in one flush rather than one a list.
    rt::FilesChange changed;
    for (const ListFile& f : files)
        if (ListStateOf(f) != ListState::Same) changed.replaced.push_back({f.name, f.bytes});
    if (!changed.replaced.empty()) rt::ChangeFilesTogether(changed, [&steps] { ListRebuildStep(steps); });
}

std::string TemporaryNameFor(std::string_view name) {
    // Unique to this process; a start after a crash removes what is left.
    return rt::TemporaryNameBeside(name);
}

void ReplaceWithTemporary(std::string_view temporary, std::string_view name) {
    // The program's one whole-file rewrite: on the disc before it replaces the file.
    const auto from = rt::ResolvePath(temporary);
    if (!rt::FlushToDisc(from)) {
        RemoveTemporary(temporary);
        throw rt::IoError(rt::kDiskFull, std::string(name));
    }
    rt::PutInPlace(from, rt::ResolvePath(name), std::string(name));
}

void RemoveTemporary(std::string_view temporary) {
    std::error_code ec;
    std::filesystem::remove(rt::ResolvePath(temporary), ec);
}

}  // namespace remedies
