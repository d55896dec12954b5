// Adds the digests of the shipped files a data tree holds (those a start
// renews, by their digest across versions) to a list of earlier versions'
// shipped files: list_shipped_digests <list> <data tree>...
// The list keeps every line it had; the lines are sorted by name, then digest.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>

#include "platform/runtime/paths.h"
#include "platform/runtime/shipped_versions.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: list_shipped_digests <list> <data tree>...\n");
        return 2;
    }
    const fs::path list = argv[1];
    std::set<std::pair<std::string, std::string>> lines;  // name, digest
    for (const auto& [name, digests] : rt::ReadEarlierShipped(list))
        for (const std::string& d : digests) lines.emplace(name, d);
    for (int i = 2; i < argc; ++i) {
        const fs::path tree = argv[i];
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(tree, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            if (!it->is_regular_file()) continue;
            const std::string rel = fs::relative(it->path(), tree).generic_string();
            if (!rt::IsRenewedShippedFile(rel)) continue;
            const auto digest = rt::ShippedDigestOfFile(it->path());
            if (!digest) {
                std::fprintf(stderr, "list_shipped_digests: cannot read %s\n", it->path().c_str());
                return 1;
            }
            lines.emplace(rel, *digest);
        }
        if (ec) {
            std::fprintf(stderr, "list_shipped_digests: cannot read the tree %s\n", tree.c_str());
            return 1;
        }
    }
    std::ofstream out(list, std::ios::binary | std::ios::trunc);
    for (const auto& [name, digest] : lines) out << digest << ' ' << name << '\n';
    return out.flush() ? 0 : 1;
}
