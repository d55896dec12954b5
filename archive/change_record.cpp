#include "archive/change_record.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/record_checks.h"
#include "engine/calendar.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"

namespace archive {

namespace {

std::string WithoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// Whether the current person was taken from the record about to change: the
// archive its text hand-off names, the record its entry names (a slot an
// earlier recall wrote without a number: the record's name), and the birth
// moment, coordinates, calendar and annotations the record holds. Two people
// of one name are told apart by their record numbers. A current person that
// cannot be read is no one's.
bool IsCurrentPerson(const EditedPerson& p, const std::string& oldEntry, const BirthRecord& old) {
    try {
        if (!rt::PathExists(kTextHandOff)) return false;
        const std::vector<std::string> lines = rt::ReadTextLines(kTextHandOff);
        if (lines.empty() || rt::UpperAscii(lines[0]) != rt::UpperAscii(p.letters)) return false;
        rt::RecordFile index(ArchiveFileName(kCurrentPersonArchive, ".ST1"), kIndexRecordSize);
        index.Reset();
        const std::string entry = DecodeIndexEntry(index.Read(0));
        index.Close();
        rt::RecordFile data(ArchiveFileName(kCurrentPersonArchive, ".ST2"), kBirthRecordSize);
        data.Reset();
        const BirthRecord slot = DecodeBirthRecord(data.Read(0));
        data.Close();
        if (const auto number = IndexEntryNumber(entry)) {
            if (*number != p.dataNumber) return false;
        } else if (WithoutTrailingBlanks(IndexEntryName(entry)) != WithoutTrailingBlanks(IndexEntryName(oldEntry))) {
            return false;
        }
        // The recall may have shown another place name or nationality.
        return slot.dateField == old.dateField && slot.placeField.substr(0, 12) == old.placeField.substr(0, 12) &&
               slot.calendarField == old.calendarField && slot.annotationNumber == old.annotationNumber;
    } catch (const rt::IoError&) {
        return false;
    }
}

// A record's bytes as its file holds them: cut or filled with zero bytes to its size.
std::string RecordText(const rt::Bytes& record, std::size_t size) {
    std::string bytes(record.begin(), record.end());
    bytes.resize(size, '\0');
    return bytes;
}

// Writes record n of a file's bytes over what is there, as a record written in
// place does (the bytes grow to hold it).
void PutRecord(std::string& file, int n, const std::string& record) {
    const std::size_t at = static_cast<std::size_t>(n) * record.size();
    if (file.size() < at + record.size()) file.resize(at + record.size(), '\0');
    file.replace(at, record.size(), record);
}

}  // namespace

int RepositionEntry(std::vector<std::string>& entries, int position, const std::string& newEntry) {
    entries.erase(entries.begin() + position);
    // The first entry (after the header) that sorts after the new one.
    int at = 1;
    while (at < static_cast<int>(entries.size()) &&
           CompareArchiveText(entries[static_cast<std::size_t>(at)], newEntry) <= 0)
        ++at;
    entries.insert(entries.begin() + at, newEntry);
    return at;
}

namespace {

// The current person's files as a recall of the changed record leaves them:
// its two records, and, when the annotations change, the hand-offs that show
// them.
void AddCurrentPersonChange(rt::FilesChange& group, const EditedPerson& p, const std::string& recordBytes,
                            const std::string& indexEntry) {
    const std::string tmpr1 = ArchiveFileName(kCurrentPersonArchive, ".ST1");
    const std::string tmpr2 = ArchiveFileName(kCurrentPersonArchive, ".ST2");
    EnsureCurrentPersonFiles();
    std::string slot = rt::ReadFileBytes(tmpr2);
    PutRecord(slot, 0, recordBytes);
    group.replaced.push_back({tmpr2, std::move(slot)});
    slot = rt::ReadFileBytes(tmpr1);
    PutRecord(slot, 0, RecordText(EncodeIndexEntry(indexEntry), kIndexRecordSize));
    group.replaced.push_back({tmpr1, std::move(slot)});
    if (p.annotation) {
        if (CurrentPersonHandOffWritable(kAnnotationHandOff))
            group.replaced.push_back({kAnnotationHandOff, rt::JoinLines({RecallAnnotationLine(*p.annotation)})});
        if (CurrentPersonHandOffWritable(kTextHandOff))
            group.replaced.push_back(
                {kTextHandOff, rt::JoinLines({p.letters, TextNumberOfFourthLine(p.annotation->lines[3])})});
    }
}

}  // namespace

RewriteResult RewriteEditedPerson(const engine::ChartSettings& settings, const EditedPerson& p) {
    const std::string st1 = ArchiveFileName(p.letters, ".ST1");
    const std::string st2 = ArchiveFileName(p.letters, ".ST2");
    const std::string st3 = ArchiveFileName(p.letters, ".ST3");

    std::vector<rt::Bytes> index = rt::ReadAllRecords(st1, kIndexRecordSize);
    if (p.indexPosition < 1 || p.indexPosition >= static_cast<int>(index.size()))
        throw ArchiveError("Scelta Non valida");
    rt::RecordFile data(st2, kBirthRecordSize);
    data.Reset();
    if (p.dataNumber < 1 || p.dataNumber >= data.FileSize())
        throw ArchiveError("Il record " + std::to_string(p.dataNumber) + " non esiste in " + st2);

    RewriteResult result;
    BirthRecord record = DecodeBirthRecord(data.Read(p.dataNumber));
    const bool current = IsCurrentPerson(p, DecodeIndexEntry(index[static_cast<std::size_t>(p.indexPosition)]), record);
    std::string correction = p.correctionText;
    for (char& c : correction)
        if (c == '.') c = ',';
    record.dateField = rt::CutTo(engine::DateTimeTextToSortKey(p.dateTimeText) + correction, kDateFieldCapacity);
    record.placeField = rt::CutTo(p.coordinatesText + p.placeName, kPlaceFieldCapacity);
    record.calendarField = p.calendarCode;
    record.nationalityField = rt::CutTo(p.nationality, kNationalityCapacity);
    record.reserved1.clear();
    record.reserved2.clear();
    record.annotationNumber = p.annotationNumber;
    // The dialog's checks once more, on the record as it would be written.
    if (const std::string problem = StoredPersonProblem(p.name, record, p.annotation); !problem.empty())
        throw ArchiveError(problem + ". Nessun dato registrato.");
    FillChartStrings(settings, record, true);

    data.Close();
    int noteNumber = 0;
    if (auto n = ReadDecimalEitherSeparator(p.annotationNumber)) noteNumber = static_cast<int>(*n);
    if (p.annotation) {
        // An emptied annotation file gets its header first: the person's
        // annotations never land in record 0, the other people's notice.
        EnsureArchiveHeaders(p.letters);
        rt::RecordFile notes(st3, kAnnotationRecordSize);
        notes.Reset();
        if (noteNumber <= 0 || noteNumber >= notes.FileSize()) {
            noteNumber = static_cast<int>(notes.FileSize());
            if (noteNumber > kMaxRecordNumber) throw ArchiveError("ARCHIVIO PIENO: " + st3);
        }
        notes.Close();
    }
    // The entry goes where its name sorts: the index entries from its old
    // place to its new one change.
    std::vector<std::string> texts;
    texts.reserve(index.size());
    for (const auto& r : index) texts.push_back(DecodeIndexEntry(r));
    result.indexPosition = RepositionEntry(texts, p.indexPosition, MakeIndexEntry(p.name, p.dataNumber));
    const int firstMoved = std::min(p.indexPosition, result.indexPosition);
    const int lastMoved = std::max(p.indexPosition, result.indexPosition);

    // The records, the index and the archive's modification mark change as
    // one group: a run that ends at any moment leaves the person's old name
    // with the old record or the new name with the new one, no record half
    // old and half new, once the next start has finished the group.
    rt::FilesChange group;
    if (p.annotation) {
        group.written.push_back({st3, noteNumber * static_cast<std::int64_t>(kAnnotationRecordSize),
                                 RecordText(EncodeAnnotationRecord(*p.annotation), kAnnotationRecordSize)});
        record.annotationNumber = rt::ZeroPad(noteNumber, 5);
    }
    const std::string recordBytes = RecordText(EncodeBirthRecord(record), kBirthRecordSize);
    group.written.push_back({st2, p.dataNumber * static_cast<std::int64_t>(kBirthRecordSize), recordBytes});
    std::string entries = rt::ReadFileBytes(st1);
    for (int i = firstMoved; i <= lastMoved; ++i)
        PutRecord(entries, i, RecordText(EncodeIndexEntry(texts[static_cast<std::size_t>(i)]), kIndexRecordSize));
    group.replaced.push_back({st1, std::move(entries)});
    // The current person changed with its record, in the same group.
    if (current) AddCurrentPersonChange(group, p, recordBytes, texts[static_cast<std::size_t>(result.indexPosition)]);
    if (std::optional<std::string> marked = ModifiedArchivesWith(p.letters)) {
        rt::EnsureParentFolder(kModifiedArchivesFile);
        group.replaced.push_back({kModifiedArchivesFile, *marked});
    }
    rt::ChangeFilesTogether(group);

    result.annotationNumber = noteNumber;
    result.record = record;
    result.currentPerson = current;
    return result;
}

}  // namespace archive
