#pragma once
// The input/output error of the old run-time: it ends the handler that met it
// with the run-time's own message; the program goes on.
#include <stdexcept>
#include <string>
#include <string_view>

namespace rt {

class IoError : public std::runtime_error {
public:
    explicit IoError(int code, const std::string& file = {});
    // The run-time's message for a code, in Italian as the program's other
    // messages ("File non trovato", "Errore di ingresso/uscita 123", ...).
    static std::string MessageFor(int code);
    // What the user reads: the message, the file it concerns (when known) and
    // what the user can do about it (Windows-1252). A folder standing where
    // the file should be is said plainly, and the way on is to move it away.
    static std::string MessageAbout(int code, const std::string& file);
    // The same with what the program did about it (`done`, whole sentences)
    // between what is wrong and what the user can do.
    static std::string MessageAbout(int code, const std::string& file, std::string_view done);
    // True when the error is the one a folder standing where the named file
    // should be gives (it is there when asked).
    static bool IsFolderInPlace(int code, const std::string& file);
    // The user's message of this error (errors that carry a sentence of their
    // own give that).
    virtual std::string UserMessage() const { return MessageAbout(code_, file_); }
    int Code() const { return code_; }
    const std::string& File() const { return file_; }

private:
    int code_;
    std::string file_;
};

// The run-time's code for a system error number (ENOENT: 2, ENOSPC: 101, ...),
// so what the user reads is the run-time's message, never the C library's.
// A missing file is "File non trovato" on opening, "Percorso non trovato" on creating
// (its folder is what is missing).
int IoCodeFromErrno(int error, bool creating = false);

// How a message says that a folder stands where a file should be.
inline constexpr const char* kFolderInPlaceText = "al suo posto c'\xE8 una cartella, non un file";

// Codes used by the program.
enum IoCode : int {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kAccessDenied = 5,
    kReadBeyondEnd = 100,
    kDiskFull = 101,
    kFileNotOpen = 103,
    kFileNotOpenForInput = 104,
    kFileNotOpenForOutput = 105,
    kInvalidNumericInput = 106,
};

}  // namespace rt
