#include "platform/runtime/io_error.h"

#include <cerrno>

namespace rt {

std::string IoError::MessageFor(int code) {
    switch (code) {
        case 2: return "File not found";
        case 3: return "Path not found";
        case 4: return "Too many open files";
        case 5: return "File access denied";
        case 100: return "Read beyond end of file";
        case 101: return "Disk full";
        case 103: return "File not open";
        case 104: return "File not open for input";
        case 105: return "File not open for output";
        case 106: return "Invalid numeric input";
        default: return "I/O error " + std::to_string(code);
    }
}

int IoCodeFromErrno(int error, bool creating) {
    switch (error) {
        case ENOENT: return creating ? kPathNotFound : kFileNotFound;
        case ENOTDIR: return kPathNotFound;
        case EMFILE:
        case ENFILE: return 4;
        case ENOSPC:
        case EFBIG:
        case EDQUOT: return kDiskFull;
        default: return kAccessDenied;  // EACCES, EPERM, EROFS, EISDIR and the rest
    }
}

IoError::IoError(int code, const std::string& file)
    : std::runtime_error(MessageFor(code)), code_(code), file_(file) {}

}  // namespace rt
