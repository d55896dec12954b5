#include "archive/backup.h"

#include "archive/draw_settings_file.h"

#include <fstream>

#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace archive {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return rt::UpperAscii(a) == rt::UpperAscii(b);
}

// The file of a folder whose name matches without regard to case.
fs::path FindIn(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (SameIgnoringCase(it->path().filename().string(), name)) return it->path();
    return {};
}

// Copies to a temporary name beside the target, checks the size, renames.
void CopyWhole(const fs::path& from, const fs::path& to) {
    fs::path tmp = to;
    tmp += ".part~";
    std::error_code ec;
    fs::copy_file(from, tmp, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw fs::filesystem_error("copy", from, to, ec);
    }
    if (fs::file_size(tmp) != fs::file_size(from)) {
        fs::remove(tmp, ec);
        throw fs::filesystem_error("copy", from, to, std::make_error_code(std::errc::io_error));
    }
    fs::rename(tmp, to, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw fs::filesystem_error("rename", tmp, to, ec);
    }
}

const char* kArchiveFiles[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};

std::string Utf8ToModel(const std::string& s) { return rt::Utf8ToCp1252(s); }

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
        out.message = "Backup non riuscito: " + Utf8ToModel(e.what());
    }
    return out;
}

BackupOutcome RestoreBaseArchive(const fs::path& programFolder, const fs::path& source) {
    BackupOutcome out;
    std::error_code ec;
    if (!fs::is_directory(source, ec)) {
        out.message = "La sorgente " + Utf8ToModel(source.string()) + " non \xE8 disponibile";
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
        std::vector<fs::path> temps;
        for (int i = 0; i < 3; ++i) {
            fs::path tmp = targets[i];
            tmp += ".restore~";
            fs::copy_file(files[static_cast<std::size_t>(i)], tmp, fs::copy_options::overwrite_existing);
            if (fs::file_size(tmp) != fs::file_size(files[static_cast<std::size_t>(i)]))
                throw fs::filesystem_error("copy", tmp, std::make_error_code(std::errc::io_error));
            temps.push_back(tmp);
        }
        for (int i = 0; i < 3; ++i) fs::rename(temps[static_cast<std::size_t>(i)], targets[i]);
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
        out.message = "Ripristino non riuscito: " + Utf8ToModel(e.what());
    }
    return out;
}

std::string LastBackupDate(const fs::path& programFolder) {
    fs::path cwd = fs::current_path();
    fs::current_path(programFolder);
    std::string date = "Mai";
    if (rt::PathExists(kLastBackupFile)) {
        auto lines = rt::ReadTextLines(kLastBackupFile);
        if (!lines.empty()) date = lines[0].substr(0, 10);
    }
    fs::current_path(cwd);
    return date;
}

void WriteBackupDestination(const std::string& destination) {
    DrawSettings.BackupDestination = destination;
    const char* file = "FileSet\\MMVarLas.stt";
    std::vector<std::string> lines = rt::PathExists(file) ? rt::ReadTextLines(file) : std::vector<std::string>{};
    lines.resize(8);
    lines[5] = destination;
    rt::EnsureParentFolder(file);
    rt::ReplaceTextLines(file, lines);
}

}  // namespace archive
