// Fuzzes the reading of an archive: index (ST1), birth records (ST2) and
// annotations (ST3), as the name list, the recall, the search and the archive
// check read them.
#include <algorithm>

#include "archive/archive_files.h"
#include "archive/archive_records.h"
#include "archive/chart_strings.h"
#include "fuzz/fuzz_driver.h"
#include "platform/runtime/number_text.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST1"), files[0]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST2"), files[1]);
    fuzz::PutFile(archive::ArchiveFileName("BASE", ".ST3"), files[2]);
    fuzz::Guard([] { archive::CheckArchive("BASE"); });
    fuzz::Guard([] {
        archive::ArchiveFiles a;
        a.Open("BASE", archive::AnnotationFile::IfPresent);
        const int count = std::min(a.EntryCount(), 40);
        if (count >= 1) a.Entries(1, count, true);
        if (count >= 1) a.FillNameList(1, false);
        for (int p = 1; p <= count; ++p) {
            fuzz::Guard([&] {
                const std::string entry = a.ReadEntry(p);
                archive::IndexEntryName(entry);
                const auto number = archive::IndexEntryNumber(entry);
                if (!number) return;
                const archive::BirthRecord r = a.ReadBirthRecord(*number);
                fuzz::Guard([&] { archive::RecordJulianDay(r.dateField, r.calendarField); });
                fuzz::Guard([&] {
                    archive::BirthRecord copy = r;
                    archive::FillChartStrings(engine::ChartSettings{}, copy);
                });
                if (a.HasAnnotationFile()) {
                    int code = 0;
                    const int note = rt::ValInt(r.annotationNumber, code);
                    if (code == 0 && note > 0) a.ReadAnnotation(note);
                }
            });
        }
        a.Search("M");
        a.Close();
    });
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
