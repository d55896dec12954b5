// Fuzzes the editors' whole-file read for a new order of the records: the
// primary and the therapies database read whole, listed as the editors list
// them, and written back in an order made from the input (a permutation, or a
// list with a record missing or twice, which must be refused).
#include <algorithm>

#include "fuzz/fuzz_driver.h"
#include "remedies/database_edit.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"

namespace {
std::vector<std::int64_t> OrderFrom(std::int64_t count, const std::string& bytes) {
    std::vector<std::int64_t> order;
    count = std::min<std::int64_t>(count, 4000);
    for (std::int64_t r = 1; r <= count; ++r) order.push_back(r);
    for (std::size_t i = 0; i + 1 < bytes.size() && !order.empty(); i += 2) {
        const auto a = static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])) % order.size();
        const auto b = static_cast<std::size_t>(static_cast<unsigned char>(bytes[i + 1])) % order.size();
        std::swap(order[a], order[b]);
    }
    // An odd input asks for a damaged order.
    if (bytes.size() % 2 == 1 && !order.empty()) order.back() = order.front();
    return order;
}

void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(remedies::kPrimaryDbName, files[0]);
    fuzz::PutFile(remedies::kRepertoryDbName, files[1]);
    fuzz::Guard([&] {
        remedies::PrimaryEditorEntries(true, true);
        remedies::ReorderDataRecords(remedies::PrimaryDb(),
                                     OrderFrom(remedies::DataRecordCount(remedies::PrimaryDb()), files[2]));
        remedies::PrimaryEditorEntries(false, false);
    });
    fuzz::Guard([&] {
        remedies::RepertoryEditorEntries(true, true);
        remedies::ReorderDataRecords(remedies::RepertoryDb(),
                                     OrderFrom(remedies::DataRecordCount(remedies::RepertoryDb()), files[2]));
        remedies::RepertoryEditorEntries(false, true);
    });
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
