// Rebuilding the lists of the primary remedy database (symptoms, remedies,
// remedy variants, planet and sign remedy lists) for 20,000 records.
#include <benchmark/benchmark.h>

#include "bench/generated_remedies.h"
#include "remedies/primary_db.h"

namespace {

using bench_data::GeneratedDatabase;

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
