#include "remedies/database_check.h"

#include <cstdint>
#include <cstdio>
#include <system_error>
#include <vector>

#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace fs = std::filesystem;

namespace remedies {

std::string DatabaseFileProblem(const fs::path& file, DatabaseKind kind) {
    const std::size_t size = kind == DatabaseKind::Primary ? kPrimaryRecordSize : kRepertoryRecordSize;
    const std::vector<Field> fields = kind == DatabaseKind::Primary ? PrimaryFieldLayout() : RepertoryFieldLayout();
    std::error_code ec;
    const auto length = fs::file_size(file, ec);
    if (ec) return "non si pu\xF2 leggere";
    if (length == 0) return "\xE8 vuoto (manca anche il record 0)";
    if (length % size != 0)
        return "la sua lunghezza (" + std::to_string(length) + " byte) non \xE8 un numero intero di record di " +
               std::to_string(size) + " byte";
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return "non si pu\xF2 leggere";
    constexpr std::size_t kBlockRecords = 256;
    std::vector<unsigned char> block(kBlockRecords * size);
    std::string problem;
    std::uintmax_t record = 0;
    while (problem.empty()) {
        const std::size_t got = std::fread(block.data(), size, kBlockRecords, f);
        for (std::size_t i = 0; i < got && problem.empty(); ++i, ++record) {
            const unsigned char* r = block.data() + i * size;
            for (const Field& field : fields)
                if (r[field.offset] > field.capacity) {
                    problem = "il record " + std::to_string(record) + " non \xE8 leggibile (un suo campo dichiara " +
                              std::to_string(r[field.offset]) + " caratteri dove ne stanno " +
                              std::to_string(field.capacity) + ")";
                    break;
                }
        }
        if (got < kBlockRecords) {
            if (std::ferror(f) && problem.empty()) problem = "non si pu\xF2 leggere";
            break;
        }
    }
    std::fclose(f);
    return problem;
}

}  // namespace remedies
