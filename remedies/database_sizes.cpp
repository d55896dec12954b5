#include "remedies/database_sizes.h"

#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "remedies/stale_lists.h"

namespace fs = std::filesystem;

namespace remedies {

namespace {

// What is kept of a database.
struct KeptSize {
    std::int64_t records = 0;
    bool setAside = false;
};

// The file: a comment line, then a line a database, "= <count> <name>", or
// "? <count> <name>" for one set aside.
constexpr const char* kHeading = "# kelvor: records each remedy database held when the program last left it";

std::map<std::string, KeptSize> ReadKeptSizes() {
    std::map<std::string, KeptSize> sizes;
    std::string bytes;
    try {
        if (!rt::PathExists(kDatabaseSizesName)) return sizes;
        bytes = rt::ReadFileBytes(kDatabaseSizesName);
    } catch (const rt::IoError&) {
        return sizes;
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.size() < 5 || (line[0] != '=' && line[0] != '?') || line[1] != ' ') continue;
        const std::size_t blank = line.find(' ', 2);
        if (blank == std::string::npos || blank == 2 || blank > 20 || blank + 1 == line.size()) continue;
        KeptSize kept{0, line[0] == '?'};
        bool number = true;
        for (std::size_t i = 2; i < blank; ++i) {
            if (line[i] < '0' || line[i] > '9') number = false;
            kept.records = kept.records * 10 + (line[i] - '0');
        }
        if (number) sizes[line.substr(blank + 1)] = kept;
    }
    return sizes;
}

std::string KeptSizesBytes(const std::map<std::string, KeptSize>& sizes) {
    std::string bytes(kHeading);
    bytes += '\n';
    for (const auto& [name, kept] : sizes) {
        bytes += kept.setAside ? "? " : "= ";
        bytes.append(std::to_string(kept.records)).append(" ").append(name) += '\n';
    }
    return bytes;
}

void WriteKeptSizes(const std::map<std::string, KeptSize>& sizes) {
    rt::ReplaceFileBytes(kDatabaseSizesName, KeptSizesBytes(sizes));
}

// The data records of a file of that many bytes (whole records after record 0).
std::int64_t DataRecordsIn(const DbFile& db, std::int64_t fileBytes) {
    const std::int64_t records = fileBytes / static_cast<std::int64_t>(db.recordSize);
    return records > 0 ? records - 1 : 0;
}

// The database file's bytes; none when it is missing or cannot be looked at.
std::optional<std::int64_t> SizeOnDisc(const DbFile& db) {
    std::error_code ec;
    const auto bytes = fs::file_size(rt::ResolvePath(db.name), ec);
    if (ec || db.recordSize == 0) return std::nullopt;
    return static_cast<std::int64_t>(bytes);
}

// A file of no bytes, or one whose last record is cut short, is damaged
// anyway, and named so (remedies/record_db.h: DatabaseDamage).
std::string CutProblem(const DbFile& db, std::int64_t fileBytes, const KeptSize& kept) {
    if (fileBytes == 0 || fileBytes % static_cast<std::int64_t>(db.recordSize) != 0) return {};
    const std::int64_t count = DataRecordsIn(db, fileBytes);
    if (count >= kept.records || ListsMarkedStale(db)) return {};
    return "ha " + std::to_string(count) + (count == 1 ? " scheda" : " schede") +
           ", ma quando il programma lo ha usato l'ultima volta ne aveva " + std::to_string(kept.records) +
           ": pu\xF2 essere stato tagliato, e le schede che mancano sarebbero perse";
}

}  // namespace

std::optional<ListFile> DatabaseSizesAfterWrite(const DbFile& db) {
    const std::optional<std::int64_t> bytes = SizeOnDisc(db);
    if (!bytes) return std::nullopt;
    const KeptSize now{DataRecordsIn(db, *bytes), false};
    std::map<std::string, KeptSize> sizes = ReadKeptSizes();
    if (const auto it = sizes.find(db.name);
        it != sizes.end() && it->second.records == now.records && !it->second.setAside)
        return std::nullopt;
    sizes[db.name] = now;
    return ListFile{kDatabaseSizesName, KeptSizesBytes(sizes)};
}

void RecordDatabaseSize(const DbFile& db) {
    if (const std::optional<ListFile> sizes = DatabaseSizesAfterWrite(db))
        rt::ReplaceFileBytes(sizes->name, sizes->bytes);
}

std::string PossiblyCutProblem(const DbFile& db) {
    const std::optional<std::int64_t> bytes = SizeOnDisc(db);
    if (!bytes) return {};
    const std::map<std::string, KeptSize> sizes = ReadKeptSizes();
    const auto it = sizes.find(db.name);
    return it == sizes.end() ? std::string() : CutProblem(db, *bytes, it->second);
}

void SetDatabaseAside(const DbFile& db) {
    std::map<std::string, KeptSize> sizes = ReadKeptSizes();
    const auto it = sizes.find(db.name);
    if (it == sizes.end() || it->second.setAside) return;
    it->second.setAside = true;
    WriteKeptSizes(sizes);
}

std::string SetAsideProblem(const DbFile& db, std::int64_t fileBytes) {
    if (db.recordSize == 0) return {};
    const std::map<std::string, KeptSize> sizes = ReadKeptSizes();
    const auto it = sizes.find(db.name);
    if (it == sizes.end() || !it->second.setAside) return {};
    return CutProblem(db, fileBytes, it->second);
}

}  // namespace remedies
