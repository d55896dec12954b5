#include "display/wheel/wheel_reports.h"

#include <set>

#include "engine/position_text.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"

namespace display {

namespace {
std::set<std::string>& Reported() {
    static std::set<std::string> names;
    return names;
}
}  // namespace

bool ReportFileErrorOnce(const std::string& fileName, const rt::IoError& error) {
    std::string key = fileName;
    engine::UpperCaseInPlace(key);  // one file, however a caller spells it
    if (!Reported().insert(key).second) return false;
    rt::ReportDamagedFile(std::string(error.what()) + ": " + fileName);
    return true;
}

void ResetFileErrorReports() { Reported().clear(); }

}  // namespace display
