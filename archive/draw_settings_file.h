#pragma once
// The drawing and backup settings file "FileSet\MMVarLas.stt": eight values,
// one a line (an integer, three bytes, the line-width factor, the backup folder
// and the two aspect scales of the screen calibration).
#include <cstdint>
#include <string>

namespace rt {
class IoError;
}

namespace archive {

inline constexpr const char* kDrawSettingsFile = "FileSet\\MMVarLas.stt";
// The legacy backup folder that the start-up replaces on line 6.
inline constexpr const char* kLegacyBackupMark = "VoskBackup";
inline constexpr const char* kUndefinedBackup = "Da definire";

struct DrawSettingsState {
    std::int32_t spareInteger = 0;  // line 1: kept as read and written back; nothing uses it
    std::uint8_t epsonCorrection = 0;
    std::uint8_t spareByte = 0;  // line 3: the same
    std::uint8_t gregorianSwitch = 0;
    long double lineWidthFactor = 0;
    std::string backupDestination;  // Windows-1252 bytes
    long double aspectScaleX = 0;
    long double aspectScaleY = 0;
};

// Replaces a line 6 that names the legacy backup folder by "Da definire" and
// writes the other lines back unchanged. Returns true when the file was rewritten;
// a missing file, or one that cannot be read (DrawSettings::LoadOrCreate names
// it), is left alone.
bool ReplaceLegacyBackupLine();

// The drawing settings in force: the values in memory and what is known of
// their file (whether they were read from it, whether the defaults stand in
// for a file that could not be read). One object, made at the start and held
// by the main window, is handed to the windows that read or change them.
class DrawSettings {
public:
    const DrawSettingsState& Values() const { return values_; }
    // The values in memory, changed without writing the file.
    DrawSettingsState& Values() { return values_; }

    // Reads the eight values when the file exists (a factor or scale read as 0
    // becomes 1.0 in memory only); otherwise creates the file with its defaults and
    // takes them into memory. Returns true when the file was created. A damaged
    // file is kept as a numbered copy, replaced by the defaults and told through
    // the damaged-file reporter (without a copy it stays, and the defaults stand
    // in for it unwritten). A file that cannot be read at all raises its
    // input/output error and stays as it is; the values read from it before stay
    // in memory, or else the defaults stand in.
    bool LoadOrCreate();

    // Tells the user, once while the file stays as it is, of a drawing settings
    // file that cannot be read (a folder in its place, no permission): why, what
    // stands in for it meanwhile (the values read from it before, or else the
    // defaults), that every change of a drawing setting is refused until it can
    // be read, and what the user can do.
    void ReportUnreadable(const rt::IoError& error) const;

    // Rewrites the file with the eight values in memory; refused as
    // RequireWritable says.
    void Save();
    // Rewrites the file with the given values and then takes them into memory.
    // Refused as RequireWritable says, or failed, it leaves the values in force in
    // memory.
    void Save(const DrawSettingsState& values);
    // Raises rt::UnreadableSettingsError when the file exists and cannot be read,
    // or when the defaults stand in for it: it is not written over then.
    void RequireWritable() const;

    // The eight lines the file holds for the values in memory.
    std::string Text() const;

private:
    // The defaults to the file and to memory; the defaults in memory only.
    void WriteDefaults();
    void StandInDefaults();

    DrawSettingsState values_;
    // The values in memory were read from the file (or written to it).
    bool read_ = false;
    // The defaults stand in for a file that could not be read: it is not
    // written from them.
    bool defaultsStandIn_ = false;
};

}  // namespace archive
