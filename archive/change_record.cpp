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
        if (lines.empty() || rt::UpperAscii(lines[0]) != rt::UpperAscii(p.Letters)) return false;
        rt::RecordFile index(ArchiveFileName(kCurrentPersonArchive, ".ST1"), kIndexRecordSize);
        index.Reset();
        const std::string entry = DecodeIndexEntry(index.Read(0));
        index.Close();
        rt::RecordFile data(ArchiveFileName(kCurrentPersonArchive, ".ST2"), kBirthRecordSize);
        data.Reset();
        const BirthRecord slot = DecodeBirthRecord(data.Read(0));
        data.Close();
        if (const auto number = IndexEntryNumber(entry)) {
            if (*number != p.DataNumber) return false;
        } else if (WithoutTrailingBlanks(IndexEntryName(entry)) != WithoutTrailingBlanks(IndexEntryName(oldEntry))) {
            return false;
        }
        // The recall may have shown another place name or nationality.
        return slot.DateField == old.DateField && slot.PlaceField.substr(0, 12) == old.PlaceField.substr(0, 12) &&
               slot.CalendarField == old.CalendarField && slot.AnnotationNumber == old.AnnotationNumber;
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
    while (at < static_cast<int>(entries.size()) && CompareArchiveText(entries[static_cast<std::size_t>(at)], newEntry) <= 0)
        ++at;
    entries.insert(entries.begin() + at, newEntry);
    return at;
}

RewriteResult RewriteEditedPerson(const engine::ChartSettings& settings, const EditedPerson& p) {
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

    RewriteResult result;
    BirthRecord record = DecodeBirthRecord(data.Read(p.DataNumber));
    const bool current = IsCurrentPerson(p, DecodeIndexEntry(index[static_cast<std::size_t>(p.IndexPosition)]), record);
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
    FillChartStrings(settings, record, true);

    data.Close();
    int noteNumber = 0;
    if (auto n = ReadDecimalEitherSeparator(p.AnnotationNumber)) noteNumber = static_cast<int>(*n);
    if (p.Annotation) {
        // An emptied annotation file gets its header first: the person's
        // annotations never land in record 0, the other people's notice.
        EnsureArchiveHeaders(p.Letters);
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
    result.IndexPosition = RepositionEntry(texts, p.IndexPosition, MakeIndexEntry(p.Name, p.DataNumber));
    const int firstMoved = std::min(p.IndexPosition, result.IndexPosition);
    const int lastMoved = std::max(p.IndexPosition, result.IndexPosition);

    // The records, the index and the archive's modification mark change as
    // one group: a run that ends at any moment leaves the person's old name
    // with the old record or the new name with the new one, no record half
    // old and half new, once the next start has finished the group.
    rt::FilesChange group;
    if (p.Annotation) {
        group.written.push_back({st3, noteNumber * static_cast<std::int64_t>(kAnnotationRecordSize),
                                 RecordText(EncodeAnnotationRecord(*p.Annotation), kAnnotationRecordSize)});
        record.AnnotationNumber = rt::ZeroPad(noteNumber, 5);
    }
    const std::string recordBytes = RecordText(EncodeBirthRecord(record), kBirthRecordSize);
    group.written.push_back({st2, p.DataNumber * static_cast<std::int64_t>(kBirthRecordSize), recordBytes});
    std::string entries = rt::ReadFileBytes(st1);
    for (int i = firstMoved; i <= lastMoved; ++i)
        PutRecord(entries, i, RecordText(EncodeIndexEntry(texts[static_cast<std::size_t>(i)]), kIndexRecordSize));
    group.replaced.push_back({st1, std::move(entries)});
    // The current person changed with its record, in the same group: its two
    // records, as a recall of the changed record leaves them, and, when the
    // annotations change, the hand-offs that show them.
    if (current) {
        const std::string tmpr1 = ArchiveFileName(kCurrentPersonArchive, ".ST1");
        const std::string tmpr2 = ArchiveFileName(kCurrentPersonArchive, ".ST2");
        EnsureCurrentPersonFiles();
        std::string slot = rt::ReadFileBytes(tmpr2);
        PutRecord(slot, 0, recordBytes);
        group.replaced.push_back({tmpr2, std::move(slot)});
        slot = rt::ReadFileBytes(tmpr1);
        PutRecord(slot, 0,
                  RecordText(EncodeIndexEntry(texts[static_cast<std::size_t>(result.IndexPosition)]), kIndexRecordSize));
        group.replaced.push_back({tmpr1, std::move(slot)});
        if (p.Annotation) {
            if (CurrentPersonHandOffWritable(kAnnotationHandOff))
                group.replaced.push_back({kAnnotationHandOff, rt::JoinLines({RecallAnnotationLine(*p.Annotation)})});
            if (CurrentPersonHandOffWritable(kTextHandOff))
                group.replaced.push_back(
                    {kTextHandOff, rt::JoinLines({p.Letters, TextNumberOfFourthLine(p.Annotation->Lines[3])})});
        }
    }
    if (std::optional<std::string> marked = ModifiedArchivesWith(p.Letters)) {
        rt::EnsureParentFolder(kModifiedArchivesFile);
        group.replaced.push_back({kModifiedArchivesFile, *marked});
    }
    rt::ChangeFilesTogether(group);

    result.AnnotationNumber = noteNumber;
    result.Record = record;
    result.CurrentPerson = current;
    return result;
}

}  // namespace archive
