#include "archive/change_record.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/record_checks.h"
#include "engine/calendar.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/number_text.h"

namespace archive {

int RepositionEntry(std::vector<std::string>& entries, int position, const std::string& newEntry) {
    entries.erase(entries.begin() + position);
    // The first entry (after the header) that sorts after the new one.
    int at = 1;
    while (at < static_cast<int>(entries.size()) && CompareArchiveText(entries[static_cast<std::size_t>(at)], newEntry) <= 0)
        ++at;
    entries.insert(entries.begin() + at, newEntry);
    return at;
}

EditResult RewriteEditedPerson(const EditedPerson& p) {
    const std::string st1 = ArchiveFileName(p.Letters, ".ST1");
    const std::string st2 = ArchiveFileName(p.Letters, ".ST2");
    const std::string st3 = ArchiveFileName(p.Letters, ".ST3");

    std::vector<rt::Bytes> index = rt::ReadAllRecords(st1, kIndexRecordSize);
    if (p.IndexPosition < 1 || p.IndexPosition >= static_cast<int>(index.size()))
        throw ArchiveError("Scelta Non valida");
    rt::RecordFile data(st2, kBirthRecordSize);
    data.Reset();
    if (p.DataNumber < 1 || p.DataNumber >= data.FileSize())
        throw ArchiveError("Il record " + std::to_string(p.DataNumber) + " non esiste in " + st2);

    EditResult result;
    BirthRecord record = DecodeBirthRecord(data.Read(p.DataNumber));
    std::string correction = p.CorrectionText;
    for (char& c : correction)
        if (c == '.') c = ',';
    record.DateField = rt::CutTo(engine::DateTimeTextToSortKey(p.DateTimeText) + correction, kDateFieldCapacity);
    record.PlaceField = rt::CutTo(p.CoordinatesText + p.PlaceName, kPlaceFieldCapacity);
    record.CalendarField = p.CalendarCode;
    record.NationalityField = rt::CutTo(p.Nationality, kNationalityCapacity);
    record.Reserved1.clear();
    record.Reserved2.clear();
    record.AnnotationNumber = p.AnnotationNumber;
    // The dialog's checks once more, on the record as it would be written.
    if (const std::string problem = StoredPersonProblem(p.Name, record, p.Annotation); !problem.empty())
        throw ArchiveError(problem + ". Nessun dato registrato.");
    FillChartStrings(record, true);

    int noteNumber = 0;
    if (auto n = ReadDecimalEitherSeparator(p.AnnotationNumber)) noteNumber = static_cast<int>(*n);
    std::unique_ptr<rt::RecordFile> notes;
    if (p.Annotation) {
        notes = std::make_unique<rt::RecordFile>(st3, kAnnotationRecordSize);
        notes->Reset();
        if (noteNumber <= 0 || noteNumber >= notes->FileSize()) {
            noteNumber = static_cast<int>(notes->FileSize());
            if (noteNumber > kMaxRecordNumber) throw ArchiveError("ARCHIVIO PIENO: " + st3);
        }
    }
    // The entry goes where its name sorts: the index entries from its old
    // place to its new one change.
    std::vector<std::string> texts;
    texts.reserve(index.size());
    for (const auto& r : index) texts.push_back(DecodeIndexEntry(r));
    result.IndexPosition = RepositionEntry(texts, p.IndexPosition, MakeIndexEntry(p.Name, p.DataNumber));
    const int firstMoved = std::min(p.IndexPosition, result.IndexPosition);
    const int lastMoved = std::max(p.IndexPosition, result.IndexPosition);

    // The records and the index entries are rewritten in place as one group:
    // a run that ends at any moment leaves the person's old name with the old
    // record or the new name with the new one, no record half old and half
    // new, once the next start has put the group back.
    std::vector<rt::InPlaceRegion> regions{
        {st2, p.DataNumber * static_cast<std::int64_t>(kBirthRecordSize), static_cast<std::int64_t>(kBirthRecordSize)},
        {st1, firstMoved * static_cast<std::int64_t>(kIndexRecordSize),
         (lastMoved - firstMoved + 1) * static_cast<std::int64_t>(kIndexRecordSize)}};
    if (notes)
        regions.push_back({st3, noteNumber * static_cast<std::int64_t>(kAnnotationRecordSize),
                           static_cast<std::int64_t>(kAnnotationRecordSize)});
    rt::InPlaceWriteGroup writes(regions);
    if (notes) {
        notes->Write(noteNumber, EncodeAnnotationRecord(*p.Annotation));
        notes->Close();
        record.AnnotationNumber = rt::ZeroPad(noteNumber, 5);
    }
    data.Write(p.DataNumber, EncodeBirthRecord(record));
    data.Close();
    rt::RecordFile entries(st1, kIndexRecordSize);
    entries.Reset();
    for (int i = firstMoved; i <= lastMoved; ++i)
        entries.Write(i, EncodeIndexEntry(texts[static_cast<std::size_t>(i)]));
    entries.Close();
    writes.Commit();
    MarkArchiveModified(p.Letters);

    result.AnnotationNumber = noteNumber;
    result.Record = record;
    return result;
}

}  // namespace archive
