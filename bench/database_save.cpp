// One save of the primary database editor at 20,000 records: the record
// written and the derived lists (symptoms, remedies, variants, planet and sign
// lists) rebuilt, as "Salva" does; then the editor's own list refilled after it.
// Wall time, one save per repetition, median of the repetitions; "flushes" is
// a save's waits for the disc (a file's bytes or a folder's entries flushed).
// The database lies in the temporary folder ($TMPDIR, else /tmp): a folder on
// a disc (TMPDIR=/var/tmp) times the flushes too, one in memory the work
// alone, and with it KELVOR_BENCH_FLUSH_MS=6 a disc whose every flush takes
// 6 ms (slow_disc.h).
#include <benchmark/benchmark.h>

#include <random>

#include "bench/generated_remedies.h"
#include "bench/slow_disc.h"
#include "platform/runtime/disc_flush.h"
#include "remedies/database_edit.h"
#include "remedies/primary_db.h"

namespace {

using bench_data::GeneratedDatabase;

void BM_EditorSave(benchmark::State& state) {
    GeneratedDatabase db({static_cast<int>(state.range(0))});
    std::mt19937 rng(7);
    std::int64_t r = 1;
    std::int64_t flushes = 0;
    for (auto _ : state) {
        // A different record and new texts each time, as a user's saves are.
        state.PauseTiming();
        r = 1 + (r * 7919) % state.range(0);
        remedies::PrimaryTexts t = remedies::PrimaryRecordToTexts(remedies::ReadPrimaryRecord(r));
        t.posology = bench_data::GeneratedTexts(rng).posology;
        state.ResumeTiming();
        const std::int64_t before = rt::FlushesOfThisThread();
        const remedies::ChangeOutcome o = remedies::SavePrimaryEdit(r, t);
        flushes += rt::FlushesOfThisThread() - before;
        if (!o.saved || !o.listsRebuilt) state.SkipWithError(o.error.c_str());
    }
    state.counters["flushes"] = benchmark::Counter(static_cast<double>(flushes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EditorSave)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The editor's list by remedy, filled again after the save.
void BM_EditorListRefill(benchmark::State& state) {
    GeneratedDatabase db({static_cast<int>(state.range(0))});
    for (auto _ : state) benchmark::DoNotOptimize(remedies::PrimaryEditorEntries(false, true));
}
BENCHMARK(BM_EditorListRefill)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
