#pragma once
// Backup of the personal archive "BASE" and its texts to a folder
// "ExkelvorBck" on a chosen volume, and the restore from it. Files are copied
// by the program itself, each to a temporary name renamed when it arrived
// whole, so success is reported only when everything arrived.
#include <filesystem>
#include <string>
#include <vector>

namespace archive {

inline constexpr const char* kBackupFolderName = "ExkelvorBck";
inline constexpr const char* kNoBackupDestination = "?:\\ExkelvorBck";
inline constexpr const char* kLastBackupFile = "FileDum\\MMbakMod1.dum";

struct BackupOutcome {
    bool ok = false;
    std::string message;  // Windows-1252, for the message box when not ok
    int filesCopied = 0;
};

// The destination folder on a volume: <root>/ExkelvorBck.
std::filesystem::path BackupFolderOn(const std::filesystem::path& volumeRoot);

// Copies "BASE.ST1", "BASE.ST2", "BASE.ST3" (any case) of the program folder to
// <destination>/DatiBase, the files of "BASEtxt" to <destination>/BASEtxt and,
// after all arrived, writes today's date (DD/MM/YYYY) to "FileDum\MMbakMod1.dum"
// and copies it to the destination.
BackupOutcome BackupBaseArchive(const std::filesystem::path& programFolder, const std::filesystem::path& destination,
                                const std::string& today);

// Restores from a backup folder: refused unless it holds all three archive
// files; the archive files and texts are copied back whole.
BackupOutcome RestoreBaseArchive(const std::filesystem::path& programFolder, const std::filesystem::path& source);

// The date of the last backup (first 10 characters of the file), or "Mai".
std::string LastBackupDate(const std::filesystem::path& programFolder);

class DrawSettings;

// Rewrites line 6 of "FileSet\MMVarLas.stt" with the destination, the other
// lines unchanged; the settings in force (when given) take it too.
void WriteBackupDestination(const std::string& destination, DrawSettings* inForce);

}  // namespace archive
