#include "display/wheel/wheel_reports.h"

#include <set>

#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"

namespace display {

bool FileErrorReports::ReportOnce(const std::string& fileName, const rt::IoError& error) {
    std::string key = fileName;
    engine::UpperCaseInPlace(key);  // one file, however a caller spells it
    if (!reported_.insert(key).second) return false;
    // The run-time's message about the file named here, unless the error
    // carries a sentence of its own.
    const std::string own = error.UserMessage();
    rt::ReportDamagedFile(own == rt::IoError::MessageAbout(error.Code(), error.File())
                              ? rt::IoError::MessageAbout(error.Code(), fileName)
                              : own);
    return true;
}

}  // namespace display
