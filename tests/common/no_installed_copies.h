#pragma once
// While it lives, the installation holds no copy of any shipped file: a
// damaged table, text or picture cannot be put back, and the readers show
// what they do without a sound copy.
#include <cstdlib>
#include <string>

namespace testing_support {

class NoInstalledCopies {
public:
    NoInstalledCopies() : old_(std::getenv("KELVOR_DATA_DIR") ? std::getenv("KELVOR_DATA_DIR") : "") {
        setenv("KELVOR_DATA_DIR", "/nonexistent/kelvor-installation", 1);
    }
    ~NoInstalledCopies() { setenv("KELVOR_DATA_DIR", old_.c_str(), 1); }
    NoInstalledCopies(const NoInstalledCopies&) = delete;
    NoInstalledCopies& operator=(const NoInstalledCopies&) = delete;

private:
    std::string old_;
};

}  // namespace testing_support
