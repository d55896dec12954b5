#include "archive/backup.h"

#include "archive/draw_settings_file.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace archive {
namespace {

// The file of a folder whose name matches without regard to case, or an
// empty path when there is none.
fs::path FindIn(const fs::path& folder, const std::string& name) {
    const fs::path p = rt::ResolvePathIn(folder, name);
    std::error_code ec;
    return fs::exists(p, ec) ? p : fs::path();
}

// A file's name as the messages show it.
std::string Shown(const fs::path& p) { return rt::Utf8ToCp1252(p.string()); }

// The bytes of a file (IoError naming it when it cannot be read).
std::string ReadWhole(const fs::path& from) {
    std::ifstream in(from, std::ios::binary);
    if (!in) throw rt::IoError(rt::IoCodeFromErrno(errno), Shown(from));
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) throw rt::IoError(rt::kAccessDenied, Shown(from));
    return s.str();
}

// Copies a file whole: the target is replaced only once every byte arrived.
void CopyWhole(const fs::path& from, const fs::path& to) { rt::ReplaceWholeFile(to, ReadWhole(from), Shown(to)); }

// What went wrong, in the run-time's words, with the file it concerns.
std::string Describe(const std::exception& e) {
    if (const auto* io = dynamic_cast<const rt::IoError*>(&e))
        return rt::IoError::MessageFor(io->Code()) + (io->File().empty() ? "" : ": " + io->File());
    if (const auto* fe = dynamic_cast<const fs::filesystem_error*>(&e))
        return rt::IoError::MessageFor(rt::IoCodeFromErrno(fe->code().value(), true)) +
               (fe->path1().empty() ? "" : ": " + Shown(fe->path1()));
    return rt::IoError::MessageFor(rt::kAccessDenied);
}

const char* kArchiveFiles[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};

}  // namespace

fs::path BackupFolderOn(const fs::path& volumeRoot) { return volumeRoot / kBackupFolderName; }

BackupOutcome BackupBaseArchive(const fs::path& programFolder, const fs::path& destination, const std::string& today) {
    BackupOutcome out;
    try {
        fs::create_directories(destination / "DatiBase");
        fs::create_directories(destination / "BASEtxt");
        for (const char* name : kArchiveFiles) {
            fs::path src = FindIn(programFolder, name);
            if (src.empty()) {
                out.message = std::string("Manca il file ") + name;
                return out;
            }
            CopyWhole(src, destination / "DatiBase" / name);
            ++out.filesCopied;
        }
        fs::path texts = FindIn(programFolder, "BASEtxt");
        if (!texts.empty())
            for (const auto& e : fs::directory_iterator(texts))
                if (e.is_regular_file()) {
                    CopyWhole(e.path(), destination / "BASEtxt" / e.path().filename());
                    ++out.filesCopied;
                }
        // The date is written only now that everything arrived.
        fs::path cwd = fs::current_path();
        fs::current_path(programFolder);
        rt::EnsureParentFolder(kLastBackupFile);
        rt::ReplaceTextLines(kLastBackupFile, {today});
        fs::path dateFile = rt::ResolvePath(kLastBackupFile);
        fs::current_path(cwd);
        CopyWhole(programFolder / dateFile, destination / "MMbakMod1.dum");
        ++out.filesCopied;
        out.ok = true;
    } catch (const std::exception& e) {
        out.ok = false;
        out.message = "Backup non riuscito: " + Describe(e);
    }
    return out;
}

BackupOutcome RestoreBaseArchive(const fs::path& programFolder, const fs::path& source) {
    BackupOutcome out;
    std::error_code ec;
    if (!fs::is_directory(source, ec)) {
        out.message = "La sorgente " + Shown(source) + " non \xE8 disponibile";
        return out;
    }
    fs::path data = FindIn(source, "DatiBase");
    std::vector<fs::path> files;
    for (const char* name : kArchiveFiles) {
        fs::path f = data.empty() ? fs::path() : FindIn(data, name);
        if (f.empty()) {
            // An old index must never be mixed with new data.
            out.message = std::string("La copia non contiene ") + name + ": ripristino annullato";
            return out;
        }
        files.push_back(f);
    }
    try {
        fs::path targets[3];
        for (int i = 0; i < 3; ++i) {
            fs::path existing = FindIn(programFolder, kArchiveFiles[i]);
            targets[i] = existing.empty() ? programFolder / kArchiveFiles[i] : existing;
        }
        // Copy all three to temporary names first, then put them in place.
        // A target that is no file (a folder in its place) stops the restore
        // before anything is replaced.
        for (const fs::path& t : targets)
            if (fs::exists(t, ec) && !fs::is_regular_file(t, ec)) throw rt::IoError(rt::kAccessDenied, Shown(t));
        std::vector<fs::path> temps;
        try {
            for (int i = 0; i < 3; ++i)
                temps.push_back(
                    rt::WriteBeside(targets[i], ReadWhole(files[static_cast<std::size_t>(i)]), Shown(targets[i])));
            for (std::size_t i = 0; i < temps.size(); ++i) rt::PutInPlace(temps[i], targets[i], Shown(targets[i]));
        } catch (...) {
            for (const fs::path& t : temps) fs::remove(t, ec);
            throw;
        }
        out.filesCopied = 3;
        fs::path textsFrom = FindIn(source, "BASEtxt");
        fs::path textsTo = FindIn(programFolder, "BASEtxt");
        if (textsTo.empty()) textsTo = programFolder / "BASEtxt";
        fs::create_directories(textsTo);
        if (!textsFrom.empty())
            for (const auto& e : fs::directory_iterator(textsFrom))
                if (e.is_regular_file()) {
                    CopyWhole(e.path(), textsTo / e.path().filename());
                    ++out.filesCopied;
                }
        out.ok = true;
    } catch (const std::exception& e) {
        out.message = "Ripristino non riuscito: " + Describe(e);
    }
    return out;
}

namespace {

// The date the backup writes: "DD/MM/YYYY".
bool IsBackupDate(const std::string& line) {
    if (line.size() != 10 || line[2] != '/' || line[5] != '/') return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (line[i] < '0' || line[i] > '9') return false;
    const int day = (line[0] - '0') * 10 + (line[1] - '0'), month = (line[3] - '0') * 10 + (line[4] - '0');
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

}  // namespace

std::string LastBackupDate(const fs::path& programFolder) {
    struct BackToFolder {
        fs::path cwd = fs::current_path();
        ~BackToFolder() {
            std::error_code ec;
            fs::current_path(cwd, ec);
        }
    } back;
    fs::current_path(programFolder);
    std::string date = "Mai";
    if (rt::PathExists(kLastBackupFile)) {
        // A damaged record shows no date: it is named once, and the next
        // backup writes it anew.
        const std::string bytes = rt::ReadFileBytes(kLastBackupFile);
        std::string problem = rt::TextFileDamage(bytes);
        const auto lines = problem.empty() ? rt::SplitTextLines(bytes) : std::vector<std::string>{};
        if (problem.empty() && (lines.empty() || !IsBackupDate(lines[0])))
            problem = "non contiene la data dell'ultimo backup";
        if (problem.empty()) {
            date = lines[0];
        } else {
            date.clear();
            rt::ReportDamagedFileOnce(kLastBackupFile,
                                      rt::DamagedFileMessage({kLastBackupFile, problem},
                                                             "La data dell'ultimo backup non viene mostrata; il "
                                                             "prossimo backup scrive il file di nuovo."));
        }
    }
    return date;
}

void WriteBackupDestination(const std::string& destination, DrawSettings* inForce) {
    // The other seven lines are kept as the file holds them: a file that
    // cannot be read is not written over.
    rt::RequireReadableOrMissing(kDrawSettingsFile);
    const char* file = "FileSet\\MMVarLas.stt";
    std::vector<std::string> lines = rt::PathExists(file) ? rt::ReadTextLines(file) : std::vector<std::string>{};
    lines.resize(8);
    lines[5] = destination;
    rt::EnsureParentFolder(file);
    rt::ReplaceTextLines(file, lines);
    if (inForce) inForce->Values().backupDestination = destination;
}

}  // namespace archive
