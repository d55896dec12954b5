#include "remedies/database_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_sizes.h"
#include "remedies/database_update.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"

namespace fs = std::filesystem;

namespace remedies {

DbFile DatabaseOf(DatabaseKind kind) {
    switch (kind) {
        case DatabaseKind::Primary: return PrimaryDb();
        case DatabaseKind::Repertory: return RepertoryDb();
        default: return SignatureDb();
    }
}

std::string DatabaseFileProblem(const fs::path& file, DatabaseKind kind) {
    const DbFile db = DatabaseOf(kind);
    const std::size_t size = db.recordSize;
    std::error_code ec;
    const auto length = fs::file_size(file, ec);
    if (ec) return "non si pu\xF2 leggere";
    if (length == 0) return "\xE8 vuoto (manca anche il record 0)";
    if (length % size != 0)
        return "la sua lunghezza (" + std::to_string(length) + " byte) non \xE8 un numero intero di record di " +
               std::to_string(size) + " byte";
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return "non si pu\xF2 leggere";
    constexpr std::size_t kBlockRecords = 256;
    std::vector<unsigned char> block(kBlockRecords * size);
    std::string problem;
    // The records are looked at as the program's own databases are (the
    // length bytes here, to name the field; empty records there).
    DatabaseDamage damage(db, static_cast<std::int64_t>(length));
    std::uintmax_t record = 0;
    while (problem.empty()) {
        const std::size_t got = std::fread(block.data(), size, kBlockRecords, f);
        for (std::size_t i = 0; i < got && problem.empty(); ++i, ++record) {
            const unsigned char* r = block.data() + i * size;
            for (const Field& field : db.fields)
                if (r[field.offset] > field.capacity) {
                    problem = "il record " + std::to_string(record) + " non \xE8 leggibile (un suo campo dichiara " +
                              std::to_string(r[field.offset]) + " caratteri dove ne stanno " +
                              std::to_string(field.capacity) + ")";
                    break;
                }
            if (record > 0)
                damage.Look(static_cast<std::int64_t>(record),
                            std::string_view(reinterpret_cast<const char*>(r), size));
        }
        if (got < kBlockRecords) {
            if (std::ferror(f) && problem.empty()) problem = "non si pu\xF2 leggere";
            break;
        }
    }
    std::fclose(f);
    if (problem.empty()) problem = damage.Problem();
    return problem;
}

namespace {

// True when the file is there and can be opened for reading.
bool Readable(const fs::path& p) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return false;
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

std::string LastKeptUpdateCopy(const DbFile& db) {
    const fs::path file = rt::ResolvePath(db.name);
    const std::string stem = rt::UpperAscii(file.filename().string() + kKeptCopyMark);
    std::error_code ec;
    int best = 0;
    fs::path found;
    for (auto it = fs::directory_iterator(file.parent_path().empty() ? fs::path(".") : file.parent_path(), ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= stem.size() || rt::UpperAscii(name.substr(0, stem.size())) != stem) continue;
        const std::string number = name.substr(stem.size());
        if (number.size() > 6 ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        if (const int n = std::stoi(number); n > best) {
            best = n;
            found = file.parent_path() / name;
        }
    }
    return best > 0 ? rt::ProgramNameOf(found) : std::string();
}

std::string DatabaseShapeProblem(const DbFile& db, bool emptyToo) {
    const fs::path p = rt::ResolvePath(db.name);
    std::error_code ec;
    if (fs::is_directory(p, ec)) return "al suo posto c'\xE8 una cartella";
    if (!fs::exists(p, ec)) return {};
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return "non si pu\xF2 leggere (" + rt::IoError::MessageFor(rt::IoCodeFromErrno(errno)) + ")";
    std::fclose(f);
    const auto length = fs::file_size(p, ec);
    if (ec) return "non si pu\xF2 leggere (" + rt::IoError::MessageFor(rt::IoCodeFromErrno(ec.value())) + ")";
    if (emptyToo && length == 0) return "\xE8 vuoto: manca anche la scheda 0, che apre ogni banca dati";
    // The size alone: a last record cut short, or whole records but fewer
    // than the program left in it.
    if (std::string cutShort = DatabaseDamage(db, static_cast<std::int64_t>(length)).Problem(); !cutShort.empty())
        return cutShort;
    return SetAsideProblem(db, static_cast<std::int64_t>(length));
}

namespace {

// The ways to put the database back.
std::string RestoreWays(const DbFile& db) {
    const fs::path file = rt::ResolvePath(db.name);
    std::error_code ec;
    std::string advice;
    if (fs::is_directory(file, ec))
        advice = "Spostare altrove la cartella e ripristinare al suo posto il file da una copia di sicurezza";
    else if (fs::exists(file, ec) && !Readable(file))
        advice =
            "Rendere leggibile il file (permessi del file e della sua cartella) o ripristinarlo da una copia di "
            "sicurezza";
    else
        advice = "Ripristinare il file da una copia di sicurezza";
    // The kept copy only when it is whole (an update keeps a damaged database too).
    const std::string kept = LastKeptUpdateCopy(db);
    const DatabaseKind kind = db.name == kPrimaryDbName     ? DatabaseKind::Primary
                              : db.name == kRepertoryDbName ? DatabaseKind::Repertory
                                                            : DatabaseKind::Signature;
    if (!kept.empty() && DatabaseFileProblem(rt::ResolvePath(kept), kind).empty())
        advice += ", o dalla copia conservata dall'ultimo aggiornamento, \"" + kept + "\", copiandola al suo posto";
    if (db.name == kSignatureDbName)
        advice.append(", o ricrearlo dal suo testo \"")
            .append(rt::SpelledOnDisc(kSignatureTextName))
            .append("\" con il comando \"kelvor --import-signatures\"");
    return advice + ".";
}

}  // namespace

std::string RestoreAdvice(const DbFile& db) {
    std::string advice = RestoreWays(db);
    std::error_code ec;
    const auto length = fs::file_size(rt::ResolvePath(db.name), ec);
    if (!ec && !SetAsideProblem(db, static_cast<std::int64_t>(length)).empty())
        advice +=
            " Se invece il file \xE8 come deve essere (per esempio una banca dati portata da un'altra "
            "installazione), riavviare il programma e prenderlo cos\xEC com'\xE8 alla sua domanda.";
    return advice;
}

std::string CutDatabaseQuestion(const DbFile& db, const std::string& problem) {
    const std::string name = rt::ProgramNameOf(rt::ResolvePath(db.name));
    std::error_code ec;
    const auto length = fs::file_size(rt::ResolvePath(db.name), ec);
    const std::int64_t records =
        ec ? 0 : std::max<std::int64_t>(static_cast<std::int64_t>(length / db.recordSize) - 1, 0);
    return "Il file \"" + name + "\" " + problem +
           ". Finch\xE9 non si sceglie, il programma non ne ricava nessun elenco e non vi scrive nulla.\r\n\r\n"
           "Prenderlo cos\xEC com'\xE8 ora, con le sue " +
           std::to_string(records) +
           " schede (per esempio una banca dati portata da un'altra installazione)?\r\n\r\n"
           "S\xEC: il programma lo prende cos\xEC com'\xE8 e ne rif\xE0 gli elenchi.\r\n"
           "No: il file resta com'\xE8 e nessuna finestra ne mostra nulla. " +
           RestoreWays(db) + " Il programma lo chieder\xE0 di nuovo al prossimo avvio.";
}

std::string DamagedDatabaseMessage(const DbFile& db, const std::string& problem, const std::string& done) {
    const std::string advice = RestoreAdvice(db);
    return rt::DamagedFileMessage({db.name, problem}, done.empty() ? advice : done + " " + advice);
}

void NoteUnusableDatabase(const DbFile& db, const std::string& problem, const std::string& done) {
    rt::ReportDamagedFileOnce(db.name, DamagedDatabaseMessage(db, problem, done));
}

std::string TellUnusableDatabase(const DbFile& db, const std::string& done) {
    std::string problem = DatabaseProblem(db);
    if (!problem.empty()) rt::ReportDamagedFile(DamagedDatabaseMessage(db, problem, done));
    return problem;
}

}  // namespace remedies
