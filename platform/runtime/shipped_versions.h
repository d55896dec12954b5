#pragma once
// What the program knows of the shipped files of its earlier versions: a copy
// in a data folder that holds the bytes one of them shipped is a copy as
// shipped, whatever version put it there, and is renewed like one.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace rt {

// The SHA-256 digest of the bytes, in 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

// The digest by which a shipped file is known across versions: the SHA-256 of
// its bytes, except that an instruction document's creation date (the digits
// of its first "/CreationDate (D:") counts as zeros, since earlier builds
// stamped in the moment they ran. Any other change of the file changes it.
// `name` decides whether the file is a document (".pdf", any case).
std::string ShippedDigestOf(std::string_view bytes, std::string_view name);

// The same for a file on the disc; nothing when it cannot be read whole.
std::optional<std::string> ShippedDigestOfFile(const std::filesystem::path& file);

// The file of the installed data tree that lists the digests of what the
// earlier versions shipped, one line a file: "<digest> <relative name>", the
// name with "/" as the installation spells it. It is the installation's own
// and is never copied into a data folder.
inline constexpr const char* kEarlierShippedName = ".kelvor.earlier-shipped";

// The digests of the earlier versions of each shipped file, by relative name.
// Lines that do not read so are left out.
using EarlierShipped = std::map<std::string, std::set<std::string>>;
EarlierShipped ReadEarlierShipped(const std::filesystem::path& listFile);

}  // namespace rt
