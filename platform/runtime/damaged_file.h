#pragma once
// Damaged files. A file the program repairs by writing its defaults back keeps
// the damaged copy for the user, numbered so that a later damage never
// overwrites an earlier one: "MMVarLas.stt.damaged1", "MMVarLas.stt.damaged2",
// ... A file the program ships and only reads (a correction table, a text, a
// picture) that turns out damaged is put back from the installation, the
// damaged one kept beside it in the same way; one that cannot be put back,
// and a reference file of the user's (a database) that turns out damaged or
// incomplete, is reported once, naming the file, and the window that read it
// goes on without what it could not read soundly. Every message says what is
// wrong, what the program did and what the user can do.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/io_error.h"

namespace rt {

// A settings file that exists and cannot be read (no permission, a folder in
// its place) is never written over: what the program holds did not come from
// it, and writing would lose the user's values. The message says that nothing
// was saved, names the file and why it cannot be read, and what the user can do.
class UnreadableSettingsError : public IoError {
public:
    UnreadableSettingsError(int code, const std::string& file, const std::string& message);
    const char* what() const noexcept override { return message_.c_str(); }
    std::string UserMessage() const override { return message_; }

private:
    std::string message_;
};

// Raises UnreadableSettingsError when the named settings file exists and
// cannot be read; a readable or missing file passes.
void RequireReadableOrMissing(std::string_view name);

// The same refusal for a settings file whose values the program did not read
// (defaults stood in for it when it could not be read): it is not written
// over either, even once it can be read again.
[[noreturn]] void RefuseUnreadSettings(std::string_view name);

// Copies the named file beside itself under the first free numbered name and
// returns that name's last component (Windows-1252); empty when no copy could
// be made.
std::string KeepDamagedCopy(std::string_view name);

// "Il file \"<name>\" è danneggiato o incompleto (<detail>)": the message of a
// damaged reference file (Windows-1252). The detail says what is wrong.
std::string DamagedFileMessage(std::string_view name, std::string_view detail);

// A damaged file: its name and what is wrong with it.
struct FileDamage {
    std::string_view name;
    std::string_view detail;
};
// The same message followed by the way on: what the program did about it and
// what the user can do ("Il file ... (...). <wayOn>").
std::string DamagedFileMessage(FileDamage damage, std::string_view wayOn);

// A shipped file the program only reads (a correction table, a help text, a
// glyph picture), found damaged: it is put back from the installation
// (RestoreShippedFile), and the message tells the user what is wrong
// (`detail`), what the program did and what the user can do. When no sound
// copy could be put in its place, `without` says what the program does
// without the file ("Le posizioni non si possono calcolare.").
struct ShippedFileRepair {
    bool restored = false;  // the installation's copy stands in its place: read it again
    std::string message;
};
ShippedFileRepair RepairShippedFile(FileDamage damage, std::string_view without);

// What makes the bytes of one of the program's text files damaged ("" when
// sound): its lines are Windows-1252 text each ended by CR LF, and a Ctrl-Z
// may close the text; a control character, a lone CR or LF, or a last line
// without its end (a file cut short, or no text at all) marks it damaged, as
// does an empty file.
std::string TextFileDamage(std::string_view bytes);

// The lines of one of the program's text files as far as they are sound: the
// whole lines before the first damage TextFileDamage names (a line cut short
// or holding bytes that are not text is not among them), and that damage (""
// when the file is sound).
struct SoundTextLines {
    std::vector<std::string> lines;
    std::string damage;
};
SoundTextLines ReadSoundTextLines(std::string_view bytes);

// What a reader requires of a text's lines beyond their form ("" when they
// hold it): the entries, keys or years it looks up.
using TextContentCheck = std::function<std::string(const std::vector<std::string>& lines)>;

// The lines of a shipped text the user does not edit (help texts, attribution
// texts, reception tables, year rulers), checked by TextFileDamage and
// `content`. A damaged one is put back from the installation
// (RepairShippedFile), the user told, and read again; one that cannot be put
// back is told once (as long as it stays as it is), with what the program does
// without it (`without`), and gives no lines: nothing of it is shown. A
// missing or unreadable file raises IoError, as ReadTextLines does.
std::vector<std::string> ReadShippedTextLines(std::string_view name, std::string_view without,
                                              const TextContentCheck& content = {});

// A text from a damaged file as a message can show it: at most `width`
// characters, control characters as "?".
std::string ShownValue(std::string_view text, std::size_t width = 20);

// Who is told of a damaged file (the program shows a message box; the default
// writes to standard error).
void SetDamagedFileReporter(std::function<void(const std::string& message)> report);

// Tells the user of a damaged or missing file, every time (a file the program
// repairs: each damage found is a new one; callers that tell a file once keep
// their own record).
void ReportDamagedFile(const std::string& message);

// Tells the user that the named file is damaged or incomplete. The same file
// is told once as long as it stays as it is (the same size and modification
// time): a window that draws or reads it again says nothing more, a file
// changed and damaged again is told again. Returns true when told now.
bool ReportDamagedFileOnce(std::string_view name, const std::string& message);

// The file as it stands (its full path, size and modification time): equal
// texts mean the same file unchanged.
std::string FileStateKey(std::string_view name);

// Tells the user once (as ReportDamagedFileOnce) of a file that cannot be
// read or written (a folder in its place, no permission): the error's message
// with what the program does without the file (`without`) before what the
// user can do. For the files that pass values from one window to another, or
// that the program makes anew for its own work: such a file costs only what
// it carries. Returns true when told now.
bool ReportUnusableFileOnce(const IoError& error, std::string_view without);

// Forgets what was told (a new data folder, tests).
void ResetDamagedFileReports();

}  // namespace rt
