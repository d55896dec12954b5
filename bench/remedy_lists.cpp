// Rebuilding the lists of the primary remedy database (symptoms, remedies,
// remedy variants, planet and sign remedy lists) for 20,000 records, and the
// start's check that every list still says what its database gives.
#include <benchmark/benchmark.h>

#include "bench/generated_remedies.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"
#include "remedies/remedy_files.h"
#include "remedies/signature_search.h"

namespace {

using bench_data::GeneratedDatabase;

void BM_RebuildPrimaryLists(benchmark::State& state) {
    GeneratedDatabase db({static_cast<int>(state.range(0))});
    for (auto _ : state) remedies::RebuildPrimaryLists();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RebuildPrimaryLists)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ComputePrimaryLists(benchmark::State& state) {
    GeneratedDatabase db({static_cast<int>(state.range(0))});
    const auto records = remedies::ReadAllPrimaryRecords();
    for (auto _ : state) benchmark::DoNotOptimize(remedies::ComputePrimaryLists(records));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ComputePrimaryLists)->Arg(20000)->Unit(benchmark::kMillisecond);

// What the start adds: every list of the three databases held against what
// its database gives, with nothing to make again (the usual start). The
// remedy index and the remedies of the therapies database are there, as
// after their windows have opened once.
void BM_StartHoldsListsAgainstTheirDatabases(benchmark::State& state) {
    // Therapies half as many as primary records, as in the sample; a
    // signature database of 2,000 records.
    GeneratedDatabase db({static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) / 2, 2000});
    remedies::EnsureRemedyFiles();
    remedies::BuildRemedyIndex();
    remedies::PrepareCompoundTherapyLists();
    for (auto _ : state)
        if (!remedies::EnsureRemedyFiles().empty()) state.SkipWithError("the start made a list again");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StartHoldsListsAgainstTheirDatabases)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
