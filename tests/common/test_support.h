#pragma once
// Helpers shared by the tests.
#include <filesystem>
#include <string>

namespace testing_support {

// A fresh temporary folder made the working folder (and XDG_DATA_HOME) while it
// lives; the previous working folder is restored afterwards.
class TempWorkFolder {
public:
    TempWorkFolder();
    ~TempWorkFolder();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The bytes of a fixture under tests/fixtures.
std::string ReadFixture(const std::string& relative);
std::filesystem::path FixturePath(const std::string& relative);
// The bytes of any file.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
