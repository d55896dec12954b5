#include "archive/archive_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "archive/record_checks.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"

namespace archive {


namespace fs = std::filesystem;

namespace {

const std::string kST1 = ".ST1";
const std::string kST2 = ".ST2";
const std::string kST3 = ".ST3";

std::string TrimLeading(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

// Bytes in a file that exists, or -1.
long long FileBytes(const std::string& name) {
    if (!rt::PathExists(name)) return -1;
    std::error_code ec;
    const auto n = fs::file_size(rt::ResolvePath(name), ec);
    return ec ? -1 : static_cast<long long>(n);
}

// A file about to be changed must hold whole records: a partial last record
// would be overwritten or dropped by the change.
void RequireWholeRecords(const std::string& name, std::size_t recordSize) {
    const long long n = FileBytes(name);
    if (n < static_cast<long long>(recordSize))
        return;  // missing: fails at its opening; shorter than its header: gets one
    if (n % static_cast<long long>(recordSize) != 0)
        throw ArchiveError("Archivio danneggiato: " + name +
                           " termina con una scheda incompleta. Nessun dato "
                           "registrato. " +
                           DamagedArchiveAdvice(name));
}

void RequireNumberRoom(long long next, const std::string& name) {
    if (next > kMaxRecordNumber)
        throw ArchiveError("ARCHIVIO PIENO: " + name + " contiene gi\xE0 " + std::to_string(kMaxRecordNumber) +
                           " schede. Nessun dato registrato.");
}

// A file of length zero or shorter than one record (a user's emptied or newly
// made file) gets the header an empty archive has, so that no person lands in
// the header slot.
void EnsureHeader(const std::string& name, std::size_t size, const rt::Bytes& header) {
    const long long n = FileBytes(name);
    if (n < 0 || n >= static_cast<long long>(size)) return;
    rt::ReplaceAllRecords(name, size, {header});
}

// A record as its file holds it: cut or filled with zero bytes to its size.
rt::Bytes WholeRecord(rt::Bytes record, std::size_t size) {
    record.resize(size, 0);
    return record;
}

std::string JoinedRecords(const std::vector<rt::Bytes>& records) {
    std::size_t size = 0;
    for (const auto& r : records) size += r.size();
    std::string bytes;
    bytes.reserve(size);
    for (const auto& r : records) bytes.append(reinterpret_cast<const char*>(r.data()), r.size());
    return bytes;
}

std::string HandOffBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

void WriteHandOff(const char* name, const std::vector<std::string>& lines) {
    rt::EnsureParentFolder(name);
    rt::ReplaceTextLines(name, lines);
}

}  // namespace

std::string DamagedArchiveAdvice(std::string_view fileName) {
    if (fileName.rfind(kCurrentPersonArchive, 0) == 0)
        return "Richiamare una persona dal suo archivio: il file viene scritto di nuovo.";
    return "Ripristinare l'archivio da una copia di sicurezza (l'archivio BASE con \"Terugzetten\" nella finestra "
           "del backup).";
}

// ---- names ----------------------------------------------------------------------------

std::string ArchiveFileName(std::string_view letters, std::string_view extension) {
    return std::string(letters) + std::string(extension);
}

std::string ArchiveTextFolder(std::string_view letters) { return std::string(letters) + "txt"; }

std::string ArchiveCaption(std::string_view letters) {
    if (letters == "BASE") return "BASE (personale)";
    if (letters == "TMPR") return "TMPR (temporaneo)";
    if (letters == "RICE") return "RICE (speciale)";
    if (letters == "BANK") return "BANK (banca dati)";
    return std::string(letters);
}

std::vector<std::string> ListArchiveNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::current_path(), ec)) {
        if (!e.is_regular_file(ec)) continue;
        const std::string file = rt::Utf8ToCp1252(e.path().filename().string());
        const auto dot = file.rfind('.');
        if (dot == std::string::npos || dot == 0 || dot > 4) continue;
        const std::string extension = rt::UpperAscii(file.substr(dot));
        if (extension != kST1 && extension != kST2) continue;
        std::string name = rt::UpperAscii(file.substr(0, std::min<std::size_t>(4, file.size())));
        // A data file is listed for its archive when its index went missing
        // beside the people it holds: the archive is there, damaged.
        if (extension == kST2 && MissingIndexHeaderProblem(name).empty()) continue;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareArchiveText(a, b) < 0; });
    return names;
}

bool ArchiveExists(std::string_view letters) {
    return rt::PathExists(ArchiveFileName(letters, kST1)) || !MissingIndexHeaderProblem(letters).empty();
}

void CreateEmptyArchive(std::string_view letters) {
    const std::string st1 = ArchiveFileName(letters, kST1);
    const std::string st2 = ArchiveFileName(letters, kST2);
    const std::string st3 = ArchiveFileName(letters, kST3);
    // No index is made beside a data file that holds people: it would list
    // none of them, and the archive is damaged rather than new.
    if (!rt::PathExists(st1) && MissingIndexHeaderProblem(letters).empty())
        rt::ReplaceAllRecords(st1, kIndexRecordSize, {EmptyIndexHeader()});
    if (!rt::PathExists(st2)) rt::ReplaceAllRecords(st2, kBirthRecordSize, {EmptyBirthHeader()});
    if (!rt::PathExists(st3)) rt::ReplaceAllRecords(st3, kAnnotationRecordSize, {EmptyAnnotationHeader()});
}

void EnsureArchiveHeaders(std::string_view letters) {
    EnsureHeader(ArchiveFileName(letters, kST1), kIndexRecordSize, EmptyIndexHeader());
    EnsureHeader(ArchiveFileName(letters, kST2), kBirthRecordSize, EmptyBirthHeader());
    EnsureHeader(ArchiveFileName(letters, kST3), kAnnotationRecordSize, EmptyAnnotationHeader());
}

// ---- the open archive -------------------------------------------------------------------

ArchiveFiles::ArchiveFiles() = default;
ArchiveFiles::~ArchiveFiles() = default;

void ArchiveFiles::Open(std::string_view letters, AnnotationFile annotations) {
    index_.reset();
    data_.reset();
    notes_.reset();
    letters_ = std::string(letters);
    auto index = std::make_unique<rt::RecordFile>(ArchiveFileName(letters, kST1), kIndexRecordSize);
    auto data = std::make_unique<rt::RecordFile>(ArchiveFileName(letters, kST2), kBirthRecordSize);
    std::unique_ptr<rt::RecordFile> notes;
    index->Reset();
    data->Reset();
    const std::string st3 = ArchiveFileName(letters, kST3);
    if (annotations == AnnotationFile::Required || rt::PathExists(st3)) {
        notes = std::make_unique<rt::RecordFile>(st3, kAnnotationRecordSize);
        notes->Reset();
    }
    index_ = std::move(index);
    data_ = std::move(data);
    notes_ = std::move(notes);
}

bool ArchiveFiles::Close() {
    bool all = true;
    for (auto* f : {&index_, &data_, &notes_}) {
        if (*f && (*f)->IsOpen()) {
            try {
                (*f)->Close();
            } catch (const std::exception&) {
                all = false;
            }
        } else {
            all = false;
        }
        f->reset();
    }
    return all;
}

bool ArchiveFiles::IsOpen() const { return index_ && data_; }

int ArchiveFiles::EntryCount() const {
    if (!index_) return 0;
    return static_cast<int>(std::max<std::int64_t>(0, index_->Count()));
}

int ArchiveFiles::DataRecordCount() const { return data_ ? static_cast<int>(data_->FileSize()) : 0; }

bool ArchiveFiles::HasAnnotationFile() const { return notes_ != nullptr; }

std::string ArchiveFiles::ReadEntry(int position) {
    if (!index_) throw rt::IoError(rt::kFileNotOpen, ArchiveFileName(letters_, kST1));
    return DecodeIndexEntry(index_->Read(position));
}

void ArchiveFiles::WriteEntry(int position, std::string_view entry) {
    if (!index_) throw rt::IoError(rt::kFileNotOpen, ArchiveFileName(letters_, kST1));
    index_->Write(position, EncodeIndexEntry(entry));
}

BirthRecord ArchiveFiles::ReadBirthRecord(int number) {
    const std::string name = ArchiveFileName(letters_, kST2);
    if (!data_) throw rt::IoError(rt::kFileNotOpen, name);
    if (number < 0 || number >= data_->FileSize())
        throw ArchiveError("Archivio danneggiato: la scheda " + rt::ZeroPad(number, 5) +
                           ", a cui rimanda la sua voce in " + ArchiveFileName(letters_, kST1) + ", non esiste in " +
                           name + ". " + DamagedArchiveAdvice(name));
    return DecodeBirthRecord(data_->Read(number));
}

void ArchiveFiles::WriteBirthRecord(int number, const BirthRecord& record) {
    if (!data_) throw rt::IoError(rt::kFileNotOpen, ArchiveFileName(letters_, kST2));
    data_->Write(number, EncodeBirthRecord(record));
}

AnnotationRecord ArchiveFiles::ReadAnnotation(int number) {
    const std::string name = ArchiveFileName(letters_, kST3);
    if (!notes_) throw rt::IoError(rt::kFileNotOpen, name);
    // Record 0 is the notice of every person without annotations of their
    // own; a file that lost it (an emptied archive an earlier store left so)
    // still gives it to them.
    if (number == 0 && notes_->FileSize() == 0) return DecodeAnnotationRecord(EmptyAnnotationHeader());
    if (number < 0 || number >= notes_->FileSize())
        throw ArchiveError("Archivio danneggiato: l'annotazione " + rt::ZeroPad(number, 5) +
                           ", a cui rimanda la sua scheda in " + ArchiveFileName(letters_, kST2) + ", non esiste in " +
                           name + ". " + DamagedArchiveAdvice(name));
    return DecodeAnnotationRecord(notes_->Read(number));
}

void ArchiveFiles::WriteAnnotation(int number, const AnnotationRecord& record) {
    if (!notes_) throw rt::IoError(rt::kFileNotOpen, ArchiveFileName(letters_, kST3));
    notes_->Write(number, EncodeAnnotationRecord(record));
}

int ArchiveFiles::AppendAnnotation(const AnnotationRecord& record) {
    const std::string name = ArchiveFileName(letters_, kST3);
    if (!notes_) throw rt::IoError(rt::kFileNotOpen, name);
    RequireWholeRecords(name, kAnnotationRecordSize);
    const std::int64_t number = notes_->FileSize();
    RequireNumberRoom(number, name);
    notes_->Write(number, EncodeAnnotationRecord(record));
    return static_cast<int>(number);
}

SearchResult ArchiveFiles::Search(std::string_view typed) {
    return SearchSortedEntries(ArchiveSearchKey(typed), EntryCount(), [this](int i) { return ReadEntry(i); });
}

std::vector<std::string> ArchiveFiles::Entries(int first, int last, bool whole) {
    std::vector<std::string> out;
    const int n = EntryCount();
    for (int i = std::max(first, 1); i <= std::min(last, n); ++i) {
        std::string e = ReadEntry(i);
        out.push_back(whole ? e : IndexEntryName(e));
    }
    return out;
}

std::vector<std::string> ArchiveFiles::FillNameList(int p, bool whole) {
    const int n = EntryCount();
    if (n >= 10) return Entries(p - 4, p + 4, whole);
    return Entries(1, n, whole);
}

// ---- operations that change an archive ------------------------------------------------------

namespace {

// The stored person becomes the current person: a record file of it that
// cannot be replaced refuses the store before anything is written.
void RequireReplaceableCurrentPerson(std::initializer_list<std::string> recordFiles) {
    for (const std::string& name : recordFiles)
        if (rt::FolderInPlaceOf(name))
            throw ArchiveError(rt::IoError::MessageAbout(
                rt::kAccessDenied, name,
                "Nessun dato registrato: la persona registrata diventa la persona corrente, che il programma tiene "
                "in quel file."));
}

// The index's whole records with the result's entry added where its name
// sorts; the result takes the entry's position and how far it moved.
std::string IndexWithNewEntry(const std::string& index, StoreResult& result) {
    const std::size_t entries = index.size() / kIndexRecordSize;
    std::vector<std::string> texts;
    texts.reserve(entries + 1);
    for (std::size_t i = 0; i < entries; ++i)
        texts.push_back(rt::ReadFixedString(reinterpret_cast<const std::uint8_t*>(index.data()) + i * kIndexRecordSize,
                                            kIndexEntryCapacity));
    texts.push_back(result.entry);
    // Where each record of the new index comes from (the last: the new entry).
    std::vector<std::size_t> from(entries + 1);
    for (std::size_t i = 0; i <= entries; ++i) from[i] = i;
    result.movedPosition = OrderNewEntry(texts, [&](int a, int b) { std::swap(from[a], from[b]); });
    for (std::size_t i = texts.size(); i-- > 1;)
        if (texts[i] == result.entry) {
            result.indexPosition = static_cast<int>(i);
            break;
        }
    const rt::Bytes entry = EncodeIndexEntry(result.entry);
    std::string newIndex;
    newIndex.reserve(index.size() + kIndexRecordSize);
    for (const std::size_t i : from)
        if (i < entries)
            newIndex.append(index, i * kIndexRecordSize, kIndexRecordSize);
        else
            newIndex.append(reinterpret_cast<const char*>(entry.data()), entry.size());
    return newIndex;
}

}  // namespace

StoreResult StorePersonRecords(const StoreRequest& request) {
    const std::string& letters = request.letters;
    const bool intoCurrent = letters == kCurrentPersonArchive;
    const bool withNotes = request.annotation.has_value() && !intoCurrent;
    const std::string st1 = ArchiveFileName(letters, kST1);
    const std::string st2 = ArchiveFileName(letters, kST2);
    const std::string st3 = ArchiveFileName(letters, kST3);
    const std::string tmpr1 = ArchiveFileName(kCurrentPersonArchive, kST1);
    const std::string tmpr2 = ArchiveFileName(kCurrentPersonArchive, kST2);

    // Everything is checked before the first byte is written: first the
    // person, with the dialogs' own checks, then the archive.
    if (const std::string problem = StoredPersonProblem(request.name, request.record, request.annotation);
        !problem.empty())
        throw ArchiveError(problem + ". Nessun dato registrato.");
    RequireIndexWithHeader(letters);
    RequireReplaceableCurrentPerson({tmpr1, tmpr2});

    EnsureCurrentPersonFiles();

    for (const auto& [name, size] : {std::pair{st1, kIndexRecordSize},
                                     {st2, kBirthRecordSize},
                                     {tmpr1, kIndexRecordSize},
                                     {tmpr2, kBirthRecordSize}})
        RequireWholeRecords(name, size);
    if (withNotes) RequireWholeRecords(st3, kAnnotationRecordSize);

    if (!intoCurrent) EnsureArchiveHeaders(letters);
    EnsureHeader(tmpr1, kIndexRecordSize, EncodeIndexEntry(MakeIndexEntry("", 0)));
    EnsureHeader(tmpr2, kBirthRecordSize, EmptyBirthHeader());

    // The index's whole records, as bytes: an index of many people is read
    // and written again in one piece.
    std::string index;
    if (!intoCurrent) {
        index = rt::ReadFileBytes(st1);
        index.erase(index.size() - index.size() % kIndexRecordSize);
    }
    rt::RecordFile data(st2, kBirthRecordSize);
    data.Reset();
    const std::int64_t dataNumber = data.FileSize();
    data.Close();
    RequireNumberRoom(dataNumber, st2);
    std::int64_t notesNumber = 0;
    if (withNotes) {
        rt::RecordFile notes(st3, kAnnotationRecordSize);
        notes.Reset();
        notesNumber = notes.FileSize();
        notes.Close();
        RequireNumberRoom(notesNumber, st3);
    }

    StoreResult result;
    result.dataNumber = static_cast<int>(dataNumber);
    result.entry = MakeIndexEntry(request.name, result.dataNumber);

    // Every file of the store changes as one group: the data and annotation
    // records appended, the index with its new entry, the archive marked
    // modified, and the current person (below). A run that ends at any moment
    // leaves the archive and the current person as they were or as stored.
    rt::FilesChange group;
    BirthRecord record = request.record;
    record.annotationNumber = rt::ZeroPad(0, 5);
    if (withNotes) {
        group.written.push_back(
            {st3, notesNumber * static_cast<std::int64_t>(kAnnotationRecordSize),
             JoinedRecords({WholeRecord(EncodeAnnotationRecord(*request.annotation), kAnnotationRecordSize)})});
        result.annotationNumber = static_cast<int>(notesNumber);
        record.annotationNumber = rt::ZeroPad(notesNumber, 5);
    }
    const rt::Bytes recordBytes = WholeRecord(EncodeBirthRecord(record), kBirthRecordSize);
    if (!intoCurrent)
        group.written.push_back(
            {st2, dataNumber * static_cast<std::int64_t>(kBirthRecordSize), JoinedRecords({recordBytes})});

    if (!intoCurrent) group.replaced.push_back({st1, IndexWithNewEntry(index, result)});

    // The stored person becomes the current person: its two records and the
    // hand-offs that describe it (its annotations, none when no annotation
    // record was written; its text file, none without a number).
    std::vector<rt::Bytes> current2 = rt::ReadAllRecords(tmpr2, kBirthRecordSize);
    std::vector<rt::Bytes> current1 = rt::ReadAllRecords(tmpr1, kIndexRecordSize);
    current2[0] = recordBytes;
    if (intoCurrent) current2.push_back(recordBytes);  // its number is dataNumber
    current1[0] = EncodeIndexEntry(result.entry);
    const std::string textNumber =
        request.annotation ? TextNumberOfFourthLine(request.annotation->lines[3]) : std::string();
    rt::EnsureParentFolder(kAnnotationHandOff);
    group.replaced.push_back({tmpr2, JoinedRecords(current2)});
    group.replaced.push_back({tmpr1, JoinedRecords(current1)});
    if (CurrentPersonHandOffWritable(kAnnotationHandOff))
        group.replaced.push_back(
            {kAnnotationHandOff, HandOffBytes({withNotes ? StoreAnnotationLine(*request.annotation) : std::string()})});
    if (CurrentPersonHandOffWritable(kTextHandOff))
        group.replaced.push_back({kTextHandOff, HandOffBytes({letters, textNumber})});
    if (std::optional<std::string> marked = ModifiedArchivesWith(letters))
        group.replaced.push_back({kModifiedArchivesFile, *marked});
    rt::ChangeFilesTogether(group);
    return result;
}

void DeleteIndexEntry(std::string_view letters, int position) {
    const std::string st1 = ArchiveFileName(letters, kST1);
    RequireWholeRecords(st1, kIndexRecordSize);
    std::vector<rt::Bytes> records = rt::ReadAllRecords(st1, kIndexRecordSize);
    if (position < 1 || position >= static_cast<int>(records.size()))
        throw ArchiveError("Scelta Non valida: la voce " + std::to_string(position) + " non esiste in " + st1 + ".");
    records.erase(records.begin() + position);
    // The shorter index and the archive marked modified, as one group.
    std::vector<rt::NewFileContent> group{{st1, JoinedRecords(records)}};
    if (std::optional<std::string> marked = ModifiedArchivesWith(letters)) {
        rt::EnsureParentFolder(kModifiedArchivesFile);
        group.push_back({kModifiedArchivesFile, *marked});
    }
    rt::ReplaceFilesTogether(group);
}

int ReplaceIndexEntry(std::string_view letters, int position, std::string_view newEntry) {
    const std::string st1 = ArchiveFileName(letters, kST1);
    RequireWholeRecords(st1, kIndexRecordSize);
    std::vector<rt::Bytes> records = rt::ReadAllRecords(st1, kIndexRecordSize);
    const int n = static_cast<int>(records.size()) - 1;
    if (position < 1 || position > n)
        throw ArchiveError("Scelta Non valida: la voce " + std::to_string(position) + " non esiste in " + st1 + ".");
    const std::string oldName = IndexEntryName(DecodeIndexEntry(records[position]));
    const std::string entry(newEntry);
    auto text = [&](int i) { return DecodeIndexEntry(records[i]); };
    int q = position;
    if (entry.substr(0, 8) != oldName.substr(0, std::min<std::size_t>(8, oldName.size()))) {
        if (CompareArchiveText(entry, oldName) < 0) {
            while (q - 1 >= 1 && CompareArchiveText(entry, text(q - 1)) < 0) {
                records[q] = records[q - 1];
                --q;
            }
        } else {
            while (q + 1 <= n && CompareArchiveText(text(q + 1), entry) < 0) {
                records[q] = records[q + 1];
                ++q;
            }
        }
    }
    records[q] = EncodeIndexEntry(entry);
    rt::ReplaceAllRecords(st1, kIndexRecordSize, records);
    return q;
}

std::optional<std::string> ModifiedArchivesWith(std::string_view letters) {
    std::vector<std::string> names;
    if (rt::PathExists(kModifiedArchivesFile)) {
        for (const auto& line : rt::ReadTextLines(kModifiedArchivesFile)) {
            if (names.size() == 12) break;
            names.push_back(line.substr(0, std::min<std::size_t>(6, line.size())));
        }
    }
    const std::string name(letters.substr(0, std::min<std::size_t>(6, letters.size())));
    if (std::find(names.begin(), names.end(), name) != names.end()) return std::nullopt;
    // The list holds twelve names: the oldest gives way to the newest.
    if (names.size() == 12) names.erase(names.begin());
    names.push_back(name);
    return rt::JoinLines(names);
}

void MarkArchiveModified(std::string_view letters) {
    if (std::optional<std::string> marked = ModifiedArchivesWith(letters)) {
        rt::EnsureParentFolder(kModifiedArchivesFile);
        rt::ReplaceFileBytes(kModifiedArchivesFile, *marked);
    }
}

void WriteCurrentPerson(std::string_view name, const BirthRecord& record) {
    rt::ReplaceAllRecords(ArchiveFileName(kCurrentPersonArchive, kST2), kBirthRecordSize, {EncodeBirthRecord(record)});
    rt::ReplaceAllRecords(ArchiveFileName(kCurrentPersonArchive, kST1), kIndexRecordSize,
                          {EncodeIndexEntry(rt::CutTo(name, kIndexEntryCapacity))});
}

void WriteCurrentPerson(std::string_view name, const BirthRecord& record, std::string_view annotationLine,
                        PersonTextName text) {
    rt::EnsureParentFolder(kAnnotationHandOff);
    std::vector<rt::NewFileContent> group{{ArchiveFileName(kCurrentPersonArchive, kST2),
                                           JoinedRecords({EncodeBirthRecord(record)})},
                                          {ArchiveFileName(kCurrentPersonArchive, kST1),
                                           JoinedRecords({EncodeIndexEntry(rt::CutTo(name, kIndexEntryCapacity))})}};
    if (CurrentPersonHandOffWritable(kAnnotationHandOff))
        group.push_back({kAnnotationHandOff, HandOffBytes({std::string(annotationLine)})});
    if (CurrentPersonHandOffWritable(kTextHandOff))
        group.push_back({kTextHandOff, HandOffBytes({std::string(text.letters), std::string(text.number)})});
    rt::ReplaceFilesTogether(group);
}

void EnsureCurrentPersonFiles() {
    const std::string st1 = ArchiveFileName(kCurrentPersonArchive, kST1);
    const std::string st2 = ArchiveFileName(kCurrentPersonArchive, kST2);
    const std::string st3 = ArchiveFileName(kCurrentPersonArchive, kST3);
    if (!rt::PathExists(st2)) rt::ReplaceAllRecords(st2, kBirthRecordSize, {EmptyBirthHeader()});
    if (!rt::PathExists(st1)) rt::ReplaceAllRecords(st1, kIndexRecordSize, {EncodeIndexEntry(MakeIndexEntry("", 0))});
    if (!rt::PathExists(st3)) rt::ReplaceAllRecords(st3, kAnnotationRecordSize, {EmptyAnnotationHeader()});
    if (!rt::PathExists(kAnnotationHandOff)) WriteHandOff(kAnnotationHandOff, {""});
}

// ---- per-person text files -------------------------------------------------------------------

std::string PersonTextFileName(std::string_view letters, std::string_view number) {
    return ArchiveTextFolder(letters) + "\\" + std::string(number) + ".txt";
}

long long HighestTextNumberInUse(std::string_view letters) {
    long long highest = 0;
    std::error_code ec;
    const std::string folder = ArchiveTextFolder(letters);
    if (rt::PathExists(folder)) {
        for (const auto& e : fs::directory_iterator(rt::ResolvePath(folder), ec)) {
            const std::string file = e.path().filename().string();
            if (file.size() != 9 || rt::UpperAscii(file.substr(5)) != ".TXT") continue;
            if (const auto n = IndexEntryNumber(file.substr(0, 5))) highest = std::max<long long>(highest, *n);
        }
    }
    // The numbers the people's annotations name, whose files may be gone.
    const std::string st3 = ArchiveFileName(letters, kST3);
    if (rt::PathExists(st3)) {
        try {
            const auto records = rt::ReadAllRecords(st3, kAnnotationRecordSize);
            for (std::size_t i = 1; i < records.size(); ++i) {
                const std::string number = TextNumberOfFourthLine(DecodeAnnotationRecord(records[i]).lines[3]);
                if (const auto n = IndexEntryNumber(number)) highest = std::max<long long>(highest, *n);
            }
        } catch (const rt::IoError&) {
            // An unreadable annotation file adds no number; the folder's files still count.
        }
    }
    return highest;
}

std::string CreateNumberedTextFile(std::string_view letters, std::string_view name) {
    const std::string folder = ArchiveTextFolder(letters);
    const std::string counter = folder + "\\" + kTextCounterFile;
    // A new or lost counter starts after the highest text in use (1 for an
    // archive without texts), so no person's text is ever overwritten or shared.
    if (!rt::PathExists(folder)) fs::create_directories(rt::ResolvePath(folder));
    if (!rt::PathExists(counter)) rt::WriteTextLines(counter, {std::to_string(HighestTextNumberInUse(letters) + 1)});
    // The counter is sound when it holds a number whose text file does not exist
    // yet; anything else (unreadable, text, a number already taken) is damaged.
    std::string problem;
    std::int32_t k = 0;
    try {
        const std::vector<std::string> lines = rt::ReadTextLines(counter);
        int code = 1;
        std::string first = lines.empty() ? std::string() : lines[0];
        while (!first.empty() && first.back() == ' ') first.pop_back();
        k = first.empty() ? 0 : rt::ValInt(first, code);
        if (lines.empty() || first.empty())
            problem = "\xE8 vuoto";
        else if (code != 0 || k < 1 || k > kMaxRecordNumber)
            // What is no plain text (random bytes) is named as such, never quoted.
            problem = std::all_of(first.begin(), first.end(), [](char c) { return c >= ' ' && c <= '~'; })
                          ? "contiene \"" + rt::ShownValue(first) + "\" invece del numero del prossimo testo"
                          : std::string("contiene byte che non sono testo invece del numero del prossimo testo");
        else if (rt::PathExists(PersonTextFileName(letters, rt::ZeroPad(k, 5))))
            problem = "indica il testo " + rt::ZeroPad(k, 5) + ", che esiste gi\xE0";
    } catch (const rt::IoError& e) {
        problem = std::string("non si legge (") + e.what() + ")";
    }
    if (!problem.empty()) {
        // Repaired after the highest text in use; the damaged counter is kept.
        const long long next = HighestTextNumberInUse(letters) + 1;
        RequireNumberRoom(next, counter);
        const std::string kept = rt::PathExists(counter) ? rt::KeepDamagedCopy(counter) : std::string();
        k = static_cast<std::int32_t>(next);
        rt::ReportDamagedFileOnce(counter, "Il contatore dei testi \"" + counter + "\" era danneggiato (" + problem +
                                               "): \xE8 stato ripristinato dal testo pi\xF9 alto in uso, e il nuovo "
                                               "testo \xE8 il numero " +
                                               rt::ZeroPad(k, 5) +
                                               (kept.empty() ? std::string(".")
                                                             : "; il contatore danneggiato \xE8 conservato come \"" +
                                                                   kept + "\"."));
    }
    RequireNumberRoom(k, counter);
    rt::ReplaceTextLines(counter, {std::to_string(k + 1)});
    const std::string number = rt::ZeroPad(k, 5);
    const std::string file = PersonTextFileName(letters, number);
    rt::WriteTextLines(file, {std::string(name.substr(0, std::min(name.size(), kIndexNameWidth)))});
    WriteHandOff(kEditFileHandOff, {file});
    return number;
}

std::string CreatePersonTextFile(std::string_view letters, std::string_view name) {
    const std::string number = CreateNumberedTextFile(letters, name);
    WriteTextHandOff(ArchiveTextFolder(letters).substr(0, 4), number);
    return number;
}

// ---- hand-off files ---------------------------------------------------------------------------

std::string StoreAnnotationLine(const AnnotationRecord& a) {
    return TrimLeading(a.lines[0]) + " " + TrimLeading(a.lines[1]) + " " + TrimLeading(a.lines[2]) + " " + a.lines[3];
}

std::string RecallAnnotationLine(const AnnotationRecord& a) {
    std::string s;
    for (const auto& l : a.lines) s += " " + TrimLeading(l);
    return s;
}

bool CurrentPersonHandOffWritable(const char* name) {
    if (!rt::FolderInPlaceOf(name)) return true;
    const std::string_view cost = std::string_view(name) == kTextHandOff ? kTextHandOffCost : kAnnotationHandOffCost;
    rt::ReportUnusableFileOnce(rt::IoError(rt::kAccessDenied, name), cost);
    return false;
}

void WriteAnnotationHandOff(std::string_view line) {
    if (CurrentPersonHandOffWritable(kAnnotationHandOff)) WriteHandOff(kAnnotationHandOff, {std::string(line)});
}

std::string AnnotationHandOffProblem(std::string_view bytes) {
    if (bytes.empty()) return {};                        // no annotations
    if (bytes.back() == '\x1A') bytes.remove_suffix(1);  // an end-of-text mark after the line
    const std::size_t end = bytes.find("\r\n");
    const std::string_view line = bytes.substr(0, end);
    for (unsigned char c : line)
        if (c < 0x20 || c == 0x7F) return "contiene caratteri che non sono testo";
    if (end == std::string_view::npos) return "la riga non \xE8 chiusa";
    if (end + 2 != bytes.size()) return "contiene altro dopo la riga delle annotazioni";
    if (line.size() > 4 * (kAnnotationLineCapacity + 1))
        return "la riga \xE8 pi\xF9 lunga di quattro righe di annotazioni";
    return {};
}

std::string ReadAnnotationHandOff() {
    const std::string bytes = rt::ReadFileBytes(kAnnotationHandOff);
    if (const std::string problem = AnnotationHandOffProblem(bytes); !problem.empty()) {
        rt::ReportDamagedFileOnce(
            kAnnotationHandOff,
            rt::DamagedFileMessage({kAnnotationHandOff, problem},
                                   "Le annotazioni della persona corrente non vengono mostrate. Richiamando la "
                                   "persona dal suo archivio il file viene scritto di nuovo."));
        return {};
    }
    const auto lines = rt::SplitTextLines(bytes);
    return lines.empty() ? std::string() : lines[0];
}

std::string TextHandOffProblem(std::string_view bytes) {
    if (const std::string damage = rt::TextFileDamage(bytes); !damage.empty()) return damage;
    const std::vector<std::string> lines = rt::SplitTextLines(bytes);
    if (lines.size() != 2)
        return "ha " + rt::CountOf(static_cast<std::int64_t>(lines.size()), "riga", "righe") +
               " invece delle due dell'archivio e del testo";
    if (lines[0].size() > 4) return "la prima riga non \xE8 il nome di un archivio";
    if (lines[1].size() > 5) return "la seconda riga non \xE8 il numero di un testo";
    return {};
}

void WriteTextHandOff(std::string_view letters, std::string_view textNumber) {
    if (CurrentPersonHandOffWritable(kTextHandOff))
        WriteHandOff(kTextHandOff, {std::string(letters), std::string(textNumber)});
}

void WriteLastEntryHandOff(std::string_view letters, std::string_view entry, int position, std::string_view name) {
    WriteHandOff(kLastEntryHandOff,
                 {std::string(letters), std::string(entry), std::to_string(position), std::string(name)});
}

void WritePointerHandOff(std::string_view recordNumberText, std::string_view letters) {
    WriteHandOff(kPointerHandOff, {std::string(recordNumberText), std::string(letters)});
}

// ---- checking ------------------------------------------------------------------------------------

namespace {

struct FieldBounds {
    std::size_t offset, capacity;
};

void CheckFile(const std::string& name, std::size_t size, const std::vector<FieldBounds>& fields,
               std::vector<std::string>& problems, std::vector<rt::Bytes>& records) {
    const long long bytes = FileBytes(name);
    if (bytes < 0) {
        problems.push_back(name + ": file mancante");
        return;
    }
    if (bytes % static_cast<long long>(size) != 0)
        problems.push_back(name + ": l'ultima scheda \xE8 incompleta (" +
                           std::to_string(bytes % static_cast<long long>(size)) + " byte)");
    records = rt::ReadAllRecords(name, size);
    for (std::size_t n = 0; n < records.size(); ++n)
        for (const auto& f : fields)
            if (records[n][f.offset] > f.capacity)
                problems.push_back(name + ": scheda " + std::to_string(n) + ", campo a " + std::to_string(f.offset) +
                                   " con lunghezza " + std::to_string(records[n][f.offset]) + " oltre " +
                                   std::to_string(f.capacity));
}

}  // namespace

std::string MissingIndexHeaderProblem(std::string_view letters) {
    const std::string st1 = ArchiveFileName(letters, kST1);
    const std::string st2 = ArchiveFileName(letters, kST2);
    const long long indexBytes = FileBytes(st1);
    if (indexBytes >= static_cast<long long>(kIndexRecordSize)) return {};
    if (indexBytes < 0 && rt::PathExists(st1)) return {};  // a folder in its place, unreadable: named as such
    const long long dataBytes = FileBytes(st2);
    long long people = dataBytes < 0 ? 0 : dataBytes / static_cast<long long>(kBirthRecordSize);
    if (letters != kCurrentPersonArchive) --people;  // its record 0 is the header
    if (people < 1) return {};
    return (indexBytes < 0    ? std::string("manca")
            : indexBytes == 0 ? std::string("\xE8 vuoto")
                              : "ha solo " + std::to_string(indexBytes) + " byte") +
           ", senza la sua voce 0, l'intestazione che il programma scrive sempre, mentre \"" + st2 + "\" contiene " +
           (people == 1 ? std::string("la scheda di una persona che non vi \xE8 pi\xF9 elencata")
                        : std::to_string(people) + " schede di persone che non vi sono pi\xF9 elencate");
}

void RequireIndexWithHeader(std::string_view letters) {
    const std::string problem = MissingIndexHeaderProblem(letters);
    if (problem.empty()) return;
    const std::string st1 = ArchiveFileName(letters, kST1);
    throw ArchiveError(rt::DamagedFileMessage({st1, problem}, "Nessun dato registrato. " + DamagedArchiveAdvice(st1)));
}

IndexCheck CheckIndex(std::string_view letters) {
    IndexCheck check;
    const std::string st1 = ArchiveFileName(letters, kST1);
    const long long bytes = FileBytes(st1);
    check.problem = MissingIndexHeaderProblem(letters);
    if (!check.problem.empty()) {
        check.listable = false;
        check.storable = false;
        return check;
    }
    if (bytes < 0) return check;
    const std::vector<rt::Bytes> records = rt::ReadAllRecords(st1, kIndexRecordSize);
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::string entry = DecodeIndexEntry(records[i]);
        if (!TextProblem(entry, "La voce").empty() || !IndexEntryNumber(entry)) {
            check.problem =
                "la voce " + std::to_string(i) + " non \xE8 il nome di una persona con il numero della sua scheda";
            check.listable = false;
            return check;
        }
    }
    if (bytes % static_cast<long long>(kIndexRecordSize) != 0)
        check.problem = "l'ultima voce \xE8 incompleta: il file \xE8 stato troncato e vi mancano delle persone";
    return check;
}

std::vector<std::string> CheckArchive(std::string_view letters) {
    std::vector<std::string> problems;
    std::vector<rt::Bytes> index, data, notes;
    const std::string st1 = ArchiveFileName(letters, kST1);
    const std::string st2 = ArchiveFileName(letters, kST2);
    if (const std::string lost = MissingIndexHeaderProblem(letters); !lost.empty())
        problems.push_back(st1 + ": " + lost);
    CheckFile(st1, kIndexRecordSize, {{0, kIndexEntryCapacity}}, problems, index);
    CheckFile(st2, kBirthRecordSize,
              {{0, 20}, {21, 39}, {61, 2}, {64, 20}, {85, 72}, {158, 60}, {219, 124}, {344, 21}, {366, 12}, {379, 5}},
              problems, data);
    CheckFile(ArchiveFileName(letters, kST3), kAnnotationRecordSize, {{0, 70}, {71, 70}, {142, 70}, {213, 70}},
              problems, notes);
    if (letters == kCurrentPersonArchive) return problems;
    // The header slots hold no person: a person written there is never listed.
    if (!data.empty()) {
        const BirthRecord header = DecodeBirthRecord(data[0]);
        if (header.dateField.find_first_not_of(' ') != std::string::npos)
            problems.push_back(st2 + ": la scheda 0 (intestazione) contiene una persona");
    }
    if (!index.empty()) {
        const std::string header = DecodeIndexEntry(index[0]);
        if (header != EmptyIndexHeaderText() && header.find_first_not_of(' ') != std::string::npos &&
            IndexEntryNumber(header).has_value() && header.rfind("0 ", 0) != 0)
            problems.push_back(st1 + ": la voce 0 (intestazione) contiene una persona");
    }
    std::string previous;
    for (std::size_t i = 1; i < index.size(); ++i) {
        const std::string e = DecodeIndexEntry(index[i]);
        const auto number = IndexEntryNumber(e);
        if (!number)
            problems.push_back(st1 + ": la voce " + std::to_string(i) + " non ha numero di scheda");
        else if (!data.empty() && *number >= static_cast<int>(data.size()))
            problems.push_back(st1 + ": la voce " + std::to_string(i) + " rimanda alla scheda " +
                               rt::ZeroPad(*number, 5) + ", assente in " + st2);
        if (i > 1 && CompareArchiveText(e, previous) <= 0)
            problems.push_back(st1 + ": le voci " + std::to_string(i - 1) + " e " + std::to_string(i) +
                               " sono fuori ordine");
        previous = e;
    }
    return problems;
}

}  // namespace archive
