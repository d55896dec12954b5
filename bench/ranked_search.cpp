// A fifteen-symptom search of the multi-symptom window over a generated primary
// database of 20,000 records (goal: at most 100 ms a search), and the symptom
// browser's search of one symptom over the same records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"

namespace {

namespace fs = std::filesystem;

std::string Indication(unsigned n) { return "Indicatie " + std::to_string(n) + " van het lichaam"; }

// A working folder holding a generated database and its remedy list.
class GeneratedDatabase {
public:
    explicit GeneratedDatabase(int records) {
        previous_ = fs::current_path();
        path_ = fs::temp_directory_path() / ("kelvor-bench-ranked-" + std::to_string(getpid()));
        fs::create_directories(path_ / "OpzioneH");
        fs::current_path(path_);
        std::mt19937 rng(20260107);
        std::vector<rt::Bytes> all{rt::Bytes(remedies::kPrimaryRecordSize, 0)};
        all.reserve(static_cast<std::size_t>(records) + 1);
        for (int i = 0; i < records; ++i) {
            remedies::PrimaryTexts t;
            t.remedy = "Remedium " + std::to_string(rng() % 2500);
            t.indication = Indication(rng() % 900);
            t.posology = std::string(300 + rng() % 500, 'p');
            t.synthesis = std::string(rng() % 1200, 's');
            t.notes = std::string(rng() % 600, 'n');
            all.push_back(remedies::EncodePrimaryRecord(remedies::MakePrimaryRecord(t)));
        }
        rt::ReplaceAllRecords(remedies::kPrimaryDbName, remedies::kPrimaryRecordSize, all);
        std::vector<std::string> names;
        for (int r = 0; r < 2500; ++r) names.push_back("Remedium " + std::to_string(r));
        rt::WriteTextLines(remedies::kRemedyListName, names);
    }
    ~GeneratedDatabase() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_;
    fs::path previous_;
};

void BM_FifteenSymptomSearch(benchmark::State& state) {
    GeneratedDatabase db(static_cast<int>(state.range(0)));
    remedies::RankedSlots slots;
    for (int k = 1; k <= remedies::kRankedSlots; ++k)
        slots[static_cast<std::size_t>(k - 1)] = Indication(static_cast<unsigned>(k * 37));
    for (auto _ : state)
        benchmark::DoNotOptimize(remedies::RunRankedSearch(remedies::RankedSearchKind::MultiSymptom, slots));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FifteenSymptomSearch)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_SymptomBrowserSearch(benchmark::State& state) {
    GeneratedDatabase db(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(remedies::FindSymptomHits(Indication(37)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SymptomBrowserSearch)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
