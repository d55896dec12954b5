// Store, recall, change and delete of one person in an archive of 99,000
// people. The archive is built once with the record encoders, in a copy of the
// installed data tree, so the change can compute the chart strings. Wall
// time, one operation per repetition, median of the repetitions; beside it,
// "flushes" is the operation's waits for the disc (a file's bytes or a
// folder's entries flushed). The archive lies in the temporary folder
// ($TMPDIR, else /tmp): a folder on a disc (TMPDIR=/var/tmp) times the
// flushes too, one in memory (/dev/shm) the work alone, and with it
// KELVOR_BENCH_FLUSH_MS=6 a disc whose every flush takes 6 ms (slow_disc.h).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/change_record.h"
#include "bench/slow_disc.h"
#include "platform/runtime/disc_flush.h"
#include "platform/runtime/paths.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPeople = 99000;

archive::BirthRecord SampleRecord() {
    archive::BirthRecord r;
    r.dateField = "198502141530-1";
    r.placeField = "41N54-012E29ROMA";
    r.calendarField = "GR";
    r.nationalityField = "ITALIA";
    r.annotationNumber = "00000";
    return r;
}

archive::AnnotationRecord SampleNotes() {
    archive::AnnotationRecord a;
    a.lines = {"PRIMA RIGA", "SECONDA RIGA", "", archive::MakeFourthAnnotationLine("QUARTA", "")};
    return a;
}

// Each operation timed on its own, as a user meets it.
void OnePerRepetition(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(31)->ReportAggregatesOnly(true);
}

// Counts the flushes of the operations it is around, per iteration.
class FlushTally {
public:
    void Start() { from_ = rt::FlushesOfThisThread(); }
    void Stop() { flushes_ += rt::FlushesOfThisThread() - from_; }
    void Report(benchmark::State& state) const {
        state.counters["flushes"] =
            benchmark::Counter(static_cast<double>(flushes_), benchmark::Counter::kAvgIterations);
    }

private:
    std::int64_t from_ = 0, flushes_ = 0;
};

std::string NameOf(int i) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "PERSON %06d", i * 7 % 1000003);
    return buf;
}

// A data folder with a personal archive of kPeople people in name order.
void PrepareArchive() {
    static bool done = false;
    if (done) return;
    done = true;
    const fs::path dir = fs::temp_directory_path() / "kelvor_bench_archive";
    fs::remove_all(dir);
    fs::copy(rt::InstalledDataFolder(), dir, fs::copy_options::recursive);
    fs::current_path(dir);
    for (const char* ext : {".ST1", ".ST2", ".ST3"}) fs::remove(fs::path("BASE" + std::string(ext)));
    archive::CreateEmptyArchive("BASE");

    std::vector<std::string> names;
    for (int i = 1; i <= kPeople; ++i) names.push_back(NameOf(i));
    std::vector<int> order(kPeople);
    for (int i = 0; i < kPeople; ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return names[a] < names[b]; });

    std::ofstream st1(rt::ResolvePath("BASE.ST1"), std::ios::binary | std::ios::app);
    for (int i : order) {
        const rt::Bytes e = archive::EncodeIndexEntry(archive::MakeIndexEntry(names[i], i + 1));
        st1.write(reinterpret_cast<const char*>(e.data()), static_cast<std::streamsize>(e.size()));
    }
    std::ofstream st2(rt::ResolvePath("BASE.ST2"), std::ios::binary | std::ios::app);
    const rt::Bytes rec = archive::EncodeBirthRecord(SampleRecord());
    for (int i = 0; i < kPeople; ++i)
        st2.write(reinterpret_cast<const char*>(rec.data()), static_cast<std::streamsize>(rec.size()));
}

// A person stored with an annotation; the store alone is timed.
void BM_StoreThenDelete(benchmark::State& state) {
    PrepareArchive();
    FlushTally tally;
    for (auto _ : state) {
        archive::StoreRequest request;
        request.letters = "BASE";
        request.name = "MIDDLE PERSON";
        request.record = SampleRecord();
        request.annotation = SampleNotes();
        tally.Start();
        const archive::StoreResult stored = archive::StorePersonRecords(request);
        tally.Stop();
        state.PauseTiming();
        archive::DeleteIndexEntry("BASE", stored.indexPosition);
        state.ResumeTiming();
    }
    tally.Report(state);
}
BENCHMARK(BM_StoreThenDelete)->Apply(OnePerRepetition);

void BM_Delete(benchmark::State& state) {
    PrepareArchive();
    FlushTally tally;
    for (auto _ : state) {
        state.PauseTiming();
        archive::StoreRequest request;
        request.letters = "BASE";
        request.name = "MIDDLE PERSON";
        request.record = SampleRecord();
        request.annotation = SampleNotes();
        const archive::StoreResult stored = archive::StorePersonRecords(request);
        state.ResumeTiming();
        tally.Start();
        archive::DeleteIndexEntry("BASE", stored.indexPosition);
        tally.Stop();
    }
    tally.Report(state);
}
BENCHMARK(BM_Delete)->Apply(OnePerRepetition);

// The recall dialog's search, and its confirmation: the person found becomes
// the current person with its hand-offs.
void BM_Recall(benchmark::State& state) {
    PrepareArchive();
    FlushTally tally;
    // Another person each time, from one repetition to the next.
    static int i = 1;
    for (auto _ : state) {
        archive::ArchiveFiles files;
        files.Open("BASE");
        const auto found = files.Search(NameOf(i));
        benchmark::DoNotOptimize(found);
        const std::string entry = files.ReadEntry(1 + i * 7919 % kPeople);
        const int number = std::stoi(entry.substr(38, 5));
        const archive::BirthRecord record = files.ReadBirthRecord(number);
        files.Close();
        // A different annotation line each time, as different people have.
        tally.Start();
        archive::WriteCurrentPerson(archive::MakeIndexEntry(archive::IndexEntryName(entry), number), record,
                                    " NOTA " + std::to_string(i), {"BASE", ""});
        tally.Stop();
        i = i % kPeople + 1;
    }
    tally.Report(state);
}
BENCHMARK(BM_Recall)->Apply(OnePerRepetition);

void BM_Change(benchmark::State& state) {
    PrepareArchive();
    static int flip = 0;
    engine::ChartSettings settings;
    FlushTally tally;
    for (auto _ : state) {
        archive::EditedPerson p;
        p.letters = "BASE";
        p.indexPosition = kPeople / 2;
        archive::ArchiveFiles files;
        files.Open("BASE");
        const std::string entry = files.ReadEntry(p.indexPosition);
        files.Close();
        p.dataNumber = std::stoi(entry.substr(38, 5));
        // Renamed back and forth, so the entry moves to the front and back.
        p.name = flip ? NameOf(kPeople / 2) : "AAAA FIRST";
        flip = 1 - flip;
        p.dateTimeText = "14/02/1985 15:30";
        p.correctionText = "-1";
        p.coordinatesText = "41N54-012E29";
        p.placeName = "ROMA";
        p.calendarCode = "GR";
        p.nationality = "ITALIA";
        p.annotationNumber = "00000";
        tally.Start();
        benchmark::DoNotOptimize(archive::RewriteEditedPerson(settings, p));
        tally.Stop();
    }
    tally.Report(state);
}
BENCHMARK(BM_Change)->Apply(OnePerRepetition);

}  // namespace

BENCHMARK_MAIN();
