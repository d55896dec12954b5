#include "remedies/database_update.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <system_error>
#include <tuple>

#include "engine/calendar.h"
#include "platform/runtime/disc_flush.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_check.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/stale_lists.h"

namespace fs = std::filesystem;

namespace remedies {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) { return rt::UpperAscii(a) == rt::UpperAscii(b); }

// The entry of `folder` named `name` without regard to case, or none.
std::optional<fs::path> EntryIn(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path p = rt::ResolvePathIn(folder, name);
    if (fs::exists(p, ec)) return p;
    return std::nullopt;
}

// Last-write time in seconds, -1 when missing.
std::int64_t AgeOf(const std::optional<fs::path>& file) {
    struct stat st {};
    if (!file || ::stat(file->c_str(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_mtime);
}

std::string DateTextOf(std::int64_t age) {
    if (age < 0) return "Non Valida";
    std::time_t t = static_cast<std::time_t>(age);
    std::tm tm{};
    localtime_r(&t, &tm);
    engine::Real jd = engine::JulianDayNumber(1, tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour,
                                              tm.tm_min + tm.tm_sec / 60.0L);
    return engine::JulianDayToDateText(jd);
}

std::string Shown(const fs::path& p) { return rt::Utf8ToCp1252(p.string()); }

}  // namespace

DatabaseSetDate SetDateIn(const fs::path& folder) {
    const std::int64_t primaryAge = AgeOf(EntryIn(folder, "DBmain.rnd"));
    const std::int64_t therapiesAge = AgeOf(EntryIn(folder, "Repertorio.rnd"));
    DatabaseSetDate d;
    d.newestAge = std::max(primaryAge, therapiesAge);
    d.dateText = DateTextOf(therapiesAge > primaryAge ? therapiesAge : primaryAge);
    return d;
}

std::optional<fs::path> UpdateFolderIn(const fs::path& root) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return std::nullopt;
    if (auto sub = EntryIn(root, kUpdateFolderName); sub && fs::is_directory(*sub, ec)) return sub;
    if (SameIgnoringCase(root.filename().string(), kUpdateFolderName) &&
        (EntryIn(root, "DBmain.rnd") || EntryIn(root, "Repertorio.rnd")))
        return root;
    return std::nullopt;
}

std::vector<fs::path> FindUpdateFolders(const std::vector<fs::path>& roots) {
    std::vector<fs::path> out;
    for (const fs::path& root : roots) {
        if (out.size() == 3) break;
        if (auto f = UpdateFolderIn(root)) out.push_back(*f);
    }
    return out;
}

namespace {

// Copies one file to `to`, flushed to the disc, with the source's times.
void CopyKeepingDate(const fs::path& from, const fs::path& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) throw std::system_error(errno, std::generic_category(), Shown(from));
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (!out) {
        int e = errno;
        std::fclose(in);
        throw std::system_error(e, std::generic_category(), Shown(to));
    }
    char buf[65536];
    bool ok = true;
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0)
        if (std::fwrite(buf, 1, n, out) != n) {
            ok = false;
            break;
        }
    ok = ok && !std::ferror(in);
    ok = (std::fflush(out) == 0) && ok;
    ok = rt::FlushOpenFile(fileno(out)) && ok;
    std::fclose(in);
    std::fclose(out);
    if (!ok) throw std::system_error(EIO, std::generic_category(), Shown(from));
    std::error_code ec;
    if (fs::file_size(to, ec) != fs::file_size(from))
        throw std::system_error(EIO, std::generic_category(), Shown(from));
    fs::last_write_time(to, fs::last_write_time(from), ec);
    if (ec) throw std::system_error(ec, Shown(to));
}

// The incoming database among the files, checked: the words refusing the
// update, or "" when every database is whole.
std::string IncomingDatabaseProblem(const std::vector<fs::path>& files) {
    for (const fs::path& f : files) {
        const std::string name = f.filename().string();
        std::string problem;
        if (SameIgnoringCase(name, "DBmain.rnd"))
            problem = DatabaseFileProblem(f, DatabaseKind::Primary);
        else if (SameIgnoringCase(name, "Repertorio.rnd"))
            problem = DatabaseFileProblem(f, DatabaseKind::Repertory);
        if (!problem.empty())
            return "Aggiornamento rifiutato: il file " + Shown(f) + " non \xE8 una banca dati valida: " + problem +
                   ". Copiare di nuovo la cartella dal disco di aggiornamento (o procurarsene uno integro) e riprovare.";
    }
    return {};
}

// Copies the local pair of databases to the first number free for both
// ("DBmain.rnd.precedente1", "Repertorio.rnd.precedente1"); returns the
// names of the copies and of the files they copy, as spelled in the folder.
// A failure removes the copies made and throws.
std::pair<std::vector<std::string>, std::vector<std::string>> KeepReplacedPair(const fs::path& target) {
    std::vector<fs::path> locals;
    for (const char* name : {"DBmain.rnd", "Repertorio.rnd"})
        if (auto p = EntryIn(target, name)) locals.push_back(*p);
    std::error_code ec;
    int n = 1;
    auto taken = [&](int k) {
        for (const fs::path& p : locals)
            if (fs::exists(p.string() + kKeptCopyMark + std::to_string(k), ec)) return true;
        return false;
    };
    while (taken(n)) ++n;
    std::vector<std::string> names, originals;
    std::vector<fs::path> made;
    try {
        for (const fs::path& p : locals) {
            const fs::path copy = p.string() + kKeptCopyMark + std::to_string(n);
            made.push_back(copy);
            CopyKeepingDate(p, copy);
            names.push_back(copy.filename().string());
            originals.push_back(p.filename().string());
        }
    } catch (...) {
        for (const fs::path& p : made) fs::remove(p, ec);
        throw;
    }
    return {names, originals};
}

// "a", "a e b".
std::string JoinedNames(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) out += (i == 0 ? "" : " e ") + rt::Utf8ToCp1252(names[i]);
    return out;
}

}  // namespace

std::string KeptCopiesMessage(const UpdateOutcome& outcome, const fs::path& target) {
    if (outcome.keptCopies.empty()) return {};
    // The files are named as they are spelled in the folder: a copy put in
    // place of another spelling would be a second file that the program does
    // not look at.
    const bool one = outcome.keptCopies.size() == 1;
    return std::string(one ? "La banca dati sostituita \xE8 conservata" : "Le banche dati sostituite sono conservate") +
           " nella cartella " + Shown(target) + " come " + JoinedNames(outcome.keptCopies) +
           ": per tornare indietro, " + (one ? "copiarla al posto di " : "copiarle al posto di ") +
           JoinedNames(outcome.replaced) + ".";
}

UpdateOutcome InstallUpdate(const fs::path& source, const fs::path& target) {
    UpdateOutcome outcome;
    std::vector<std::pair<fs::path, fs::path>> staged;  // temporary, final
    auto dropStaged = [&] {
        std::error_code ec;
        for (const auto& s : staged) fs::remove(s.first, ec);
    };
    try {
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(source))
            if (e.is_regular_file()) files.push_back(e.path());
        if (files.empty()) {
            outcome.message = "Nessun file da copiare in " + Shown(source);
            return outcome;
        }
        if (std::string problem = IncomingDatabaseProblem(files); !problem.empty()) {
            outcome.message = problem;
            return outcome;
        }
        fs::create_directories(target);
        bool replacesDatabase = false;
        for (const fs::path& f : files) {
            const std::string name = f.filename().string();
            fs::path final = EntryIn(target, name).value_or(target / name);
            fs::path tmp = target / (name + ".upd~");
            staged.emplace_back(tmp, final);
            CopyKeepingDate(f, tmp);
            if (SameIgnoringCase(name, "DBmain.rnd") || SameIgnoringCase(name, "Repertorio.rnd"))
                replacesDatabase = true;
        }
        // Every copy on the disc before the first database is replaced.
        for (const auto& s : staged)
            if (!rt::FlushToDisc(s.first)) throw rt::IoError(rt::kDiskFull, Shown(s.second));
        // The pair being replaced is kept, so the update can be undone by hand.
        if (replacesDatabase) std::tie(outcome.keptCopies, outcome.replaced) = KeepReplacedPair(target);
        for (const auto& s : staged) fs::rename(s.first, s.second);
        outcome.ok = true;
        outcome.filesCopied = static_cast<int>(staged.size());
    } catch (const fs::filesystem_error& e) {
        // The run-time's words and the file, never the C library's text.
        dropStaged();
        outcome.message = std::string("Aggiornamento non riuscito: ") +
                          rt::IoError::MessageFor(rt::IoCodeFromErrno(e.code().value())) + ": " + Shown(e.path1());
    } catch (const std::system_error& e) {
        dropStaged();
        const std::string what = e.what();
        // what() is "<file>: <system text>"; keep the file only.
        outcome.message = std::string("Aggiornamento non riuscito: ") +
                          rt::IoError::MessageFor(rt::IoCodeFromErrno(e.code().value())) + ": " +
                          what.substr(0, what.find(": "));
    } catch (const std::exception& e) {
        dropStaged();
        outcome.message = std::string("Aggiornamento non riuscito: ") + e.what();
    }
    return outcome;
}

bool UpdateLacksDerivedLists(const fs::path& source) {
    for (const char* name : {"Sintomi.txt", "ProdotA.txt", "ProdotB.txt", "Patolog.txt"})
        if (!EntryIn(source, name)) return true;
    return false;
}

UpdateOutcome InstallUpdateWithLists(const fs::path& source, std::string& notes, const WriteSteps& steps) {
    const std::vector<DbFile> databases{PrimaryDb(), RepertoryDb()};
    std::vector<bool> madeNow;
    for (const DbFile& db : databases) madeNow.push_back(MarkListsStale(db));
    const UpdateOutcome outcome = InstallUpdate(source, fs::absolute(rt::ResolvePath(kUpdateFolderName)));
    if (!outcome.ok) {
        // Nothing was replaced: the lists still describe the databases.
        for (std::size_t i = 0; i < databases.size(); ++i)
            if (madeNow[i]) ClearStaleListsMark(databases[i]);
        return outcome;
    }
    // Each database's lists on their own: a damaged local database (one the
    // update did not replace) keeps its lists and its mark, the other's are
    // rebuilt all the same.
    const std::vector<std::pair<ListRebuildReport (*)(const WriteSteps&), const char*>> rebuilds{
        {RebuildPrimaryLists, "DBmain.rnd"}, {RebuildPathologyList, "Repertorio.rnd"}};
    bool toldRebuildFailed = false;
    for (const auto& [rebuild, name] : rebuilds) {
        try {
            if (const std::string leftOut = SkippedRecordsMessage(rebuild(steps), name); !leftOut.empty())
                notes += leftOut + "\r\n";
        } catch (const DamagedDatabaseError& e) {
            notes += std::string(e.what()) + "\r\n";
        } catch (const std::exception& e) {
            if (!toldRebuildFailed)
                notes +=
                    "Le banche dati sono state aggiornate, ma gli archivi di appoggio "
                    "non sono stati ricostruiti.\r\n";
            toldRebuildFailed = true;
            // The list it could not write, and what to do about it first.
            const auto* io = dynamic_cast<const rt::IoError*>(&e);
            notes += (io ? io->UserMessage() : std::string(e.what())) + "\r\n";
        }
    }
    if (toldRebuildFailed) notes += "Per riprovare, usare Ricostruisci File.\r\n";
    return outcome;
}

}  // namespace remedies
