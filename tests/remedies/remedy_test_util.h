#pragma once
// Helpers of the remedy database tests.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/runtime/paths.h"
#include "remedies/primary_db.h"
#include "tests/common/test_support.h"

namespace remedy_tests {

inline std::string FileBytes(const std::string& programName) {
    return testing_support::ReadBytes(rt::ResolvePath(programName));
}

inline std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

// A text of n characters whose every position differs from its neighbours,
// so a slice taken from the wrong place is noticed.
inline std::string Pattern(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return s;
}

// The fields of a primary record that the tests fill.
struct TextsOfRecord {
    std::string remedy{};
    std::string indication{};
    std::string primary{};
    std::string zodiac{};
};

inline remedies::PrimaryTexts Texts(const TextsOfRecord& of) {
    remedies::PrimaryTexts t;
    t.remedy = of.remedy;
    t.indication = of.indication;
    t.primarySignature = of.primary;
    t.zodiacalSignature = of.zodiac;
    return t;
}

// A remedy with its planetary signatures (the first and the second) and its
// zodiacal one.
struct SignedRemedy {
    std::string remedy{};
    std::string primary{};
    std::string secondary{};
    std::string zodiac{};
};

inline remedies::PrimaryTexts SignedRemedyTexts(const SignedRemedy& signedRemedy, const std::string& indication) {
    remedies::PrimaryTexts t = Texts({signedRemedy.remedy, indication, signedRemedy.primary, signedRemedy.zodiac});
    t.secondarySignature = signedRemedy.secondary;
    return t;
}

// A primary database with its header record and the given records.
inline void WritePrimaryDb(const std::vector<remedies::PrimaryTexts>& records) {
    std::filesystem::create_directories("OpzioneH");
    std::vector<rt::Bytes> all{rt::Bytes(remedies::kPrimaryRecordSize, 0)};
    for (const auto& t : records) all.push_back(remedies::EncodePrimaryRecord(remedies::MakePrimaryRecord(t)));
    rt::ReplaceAllRecords(remedies::kPrimaryDbName, remedies::kPrimaryRecordSize, all);
}

}  // namespace remedy_tests
