// Rebuilding the lists of the primary remedy database (symptoms, remedies,
// remedy variants, planet and sign remedy lists) for 20,000 records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "remedies/primary_db.h"

namespace {

namespace fs = std::filesystem;

const char* const kPlanets[] = {"Zon", "Maan", "Mercurius", "Venus", "Mars",
                                "Jupiter", "Saturnus", "Noordknoop", "Zuidknoop"};
const char* const kSigns[] = {"Ram", "Stier", "Tweelingen", "Kreeft", "Leeuw", "Maagd",
                              "Weegschaal", "Schorpioen", "Boogschutter", "Steenbok",
                              "Waterman", "Vissen"};
const char* const kForms[] = {"", "", "", "MSA ", "TSA ", "QSPC ", "HS 8 - ", "HS 104 - "};

// A working folder holding a generated database of `records` primary records.
class GeneratedDatabase {
public:
    explicit GeneratedDatabase(int records) {
        previous_ = fs::current_path();
        path_ = fs::temp_directory_path() / ("kelvor-bench-remedies-" + std::to_string(getpid()));
        fs::create_directories(path_ / "OpzioneH");
        fs::current_path(path_);
        std::mt19937 rng(20260101);
        std::vector<rt::Bytes> all{rt::Bytes(remedies::kPrimaryRecordSize, 0)};
        all.reserve(static_cast<std::size_t>(records) + 1);
        for (int i = 0; i < records; ++i) {
            remedies::PrimaryTexts t;
            int remedy = static_cast<int>(rng() % 2500);
            t.Remedy = std::string(kForms[remedy % 8]) + "Remedium " + std::to_string(remedy);
            t.Indication = "Indicatie " + std::to_string(rng() % 900) + " van het type " +
                           std::to_string(rng() % 7) + (rng() % 5 == 0 ? " ,-" : "");
            t.Posology = std::string(300 + rng() % 500, 'p');
            t.Synthesis = std::string(rng() % 1200, 's');
            t.PrimarySignature = std::string(kPlanets[rng() % 9]) + ", " + kPlanets[rng() % 9];
            t.ZodiacalSignature = std::string(kSigns[rng() % 12]) + ", " + kSigns[rng() % 12];
            t.Notes = std::string(rng() % 600, 'n');
            all.push_back(remedies::EncodePrimaryRecord(remedies::MakePrimaryRecord(t)));
        }
        rt::ReplaceAllRecords(remedies::kPrimaryDbName, remedies::kPrimaryRecordSize, all);
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

void BM_RebuildPrimaryLists(benchmark::State& state) {
    GeneratedDatabase db(static_cast<int>(state.range(0)));
    for (auto _ : state) remedies::RebuildPrimaryLists();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RebuildPrimaryLists)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ComputePrimaryLists(benchmark::State& state) {
    GeneratedDatabase db(static_cast<int>(state.range(0)));
    const auto records = remedies::ReadAllPrimaryRecords();
    for (auto _ : state) benchmark::DoNotOptimize(remedies::ComputePrimaryLists(records));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ComputePrimaryLists)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
