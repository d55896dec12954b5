#pragma once
// The birth-data archives on disk: the three record files of an archive, the
// per-person text files with their counter, the hand-off files of "FileDum",
// and the operations that change an archive (store, removal, the current
// person's slot "TMPR"). No Qt here: dialogs call these and show the results.
//
// Problems the program must not go past raise ArchiveError (nothing written);
// input/output failures raise rt::IoError with the run-time's message.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_records.h"
#include "archive/name_search.h"
#include "platform/runtime/record_file.h"

namespace archive {

inline constexpr const char* kCurrentPersonArchive = "TMPR";
inline constexpr const char* kPersonalArchive = "BASE";

inline constexpr const char* kAnnotationHandOff = "FileDum\\Annotaz.dum";
inline constexpr const char* kTextHandOff = "FileDum\\StrText.dum";
inline constexpr const char* kEditFileHandOff = "FileDum\\DatModif.dum";
inline constexpr const char* kLastEntryHandOff = "FileDum\\MMDatArc.dum";
inline constexpr const char* kPointerHandOff = "FileDum\\PointGlo.dum";
inline constexpr const char* kModifiedArchivesFile = "FileDum\\MMordina.dum";
inline constexpr const char* kTextCounterFile = "FlagTxt.set";

// What the current person's hand-offs cost when they cannot be read or
// written: the messages that name them say so.
inline constexpr const char* kAnnotationHandOffCost = "Le annotazioni della persona corrente non vengono mostrate.";
inline constexpr const char* kTextHandOffCost = "Il pulsante del testo della persona corrente non viene mostrato.";

// What the user can do about a damaged archive file (named as "BASE.ST1"):
// the current person's is written anew by a recall, the others come back from
// a backup.
std::string DamagedArchiveAdvice(std::string_view fileName);

// ---- names ------------------------------------------------------------------

// "BASE" + ".ST1" and so on (extension with its dot).
std::string ArchiveFileName(std::string_view letters, std::string_view extension);
// "BASE" -> "BASEtxt".
std::string ArchiveTextFolder(std::string_view letters);
// "BASE (personale)", "TMPR (temporaneo)", "RICE (speciale)", "BANK (banca dati)",
// any other archive by its name.
std::string ArchiveCaption(std::string_view letters);
// The archives of the working folder: every file "????.ST1" (any case), named
// by the first four characters upper-cased, in name order.
std::vector<std::string> ListArchiveNames();
bool ArchiveExists(std::string_view letters);  // its ".ST1" file exists

// Creates the empty archive of the given letters: header records of the index,
// data and annotation files. A file that already exists is left as it is.
void CreateEmptyArchive(std::string_view letters);

// Gives each file of an archive that holds less than one record (emptied by
// the user, made anew) the header an empty archive has: no person lands in a
// header slot, and a person without annotations finds the notice of record 0.
// A missing file is left missing.
void EnsureArchiveHeaders(std::string_view letters);

// ---- the open archive -------------------------------------------------------

enum class AnnotationFile { Required, IfPresent };

// The three record files of one archive, opened for reading and writing.
class ArchiveFiles {
public:
    ArchiveFiles();
    ~ArchiveFiles();
    ArchiveFiles(const ArchiveFiles&) = delete;
    ArchiveFiles& operator=(const ArchiveFiles&) = delete;

    // Opens the files (IoError 2 for a missing ".ST1" or ".ST2", or a missing
    // ".ST3" when it is required) and sets the entry count.
    void Open(std::string_view letters, AnnotationFile annotations = AnnotationFile::Required);
    // Closes the three files; false when one of them was not open or could
    // not be closed.
    bool Close();
    bool IsOpen() const;
    const std::string& Letters() const { return letters_; }

    int EntryCount() const;       // index records minus one
    int DataRecordCount() const;  // records of the data file, header included
    bool HasAnnotationFile() const;

    // Entry at an index position 0..N.
    std::string ReadEntry(int position);
    void WriteEntry(int position, std::string_view entry);
    // Data record by number; a number beyond the data
    // file raises ArchiveError naming the archive and the number.
    BirthRecord ReadBirthRecord(int number);
    void WriteBirthRecord(int number, const BirthRecord& record);
    // Annotation record by number (record 0 for a person without annotations;
    // its notice also when the file holds no whole record).
    AnnotationRecord ReadAnnotation(int number);
    void WriteAnnotation(int number, const AnnotationRecord& record);
    // Appends an annotation record and returns its number (ArchiveError when
    // the file already holds 99,999 records).
    int AppendAnnotation(const AnnotationRecord& record);

    // The name search over the open index (reads exactly 100 entries).
    SearchResult Search(std::string_view typed);
    // Entries first..last that lie within 1..N; whole 43-character entries or
    // their first 38 characters.
    std::vector<std::string> Entries(int first, int last, bool whole);
    // The dialogs' name window around position P: entries P-4..P+4 when N >= 10,
    // else entries 1..N.
    std::vector<std::string> FillNameList(int p, bool whole);

private:
    std::string letters_;
    std::unique_ptr<rt::RecordFile> index_, data_, notes_;
};

// ---- operations that change an archive --------------------------------------

struct StoreRequest {
    std::string letters;                         // chosen archive
    std::string name;                            // the person's name
    BirthRecord record;                          // annotation number is set here
    std::optional<AnnotationRecord> annotation;  // none: number "00000"
};

struct StoreResult {
    std::string entry;         // the 43-character index entry
    int dataNumber = 0;        // the data record's number
    int indexPosition = 0;     // the entry's final index position
    int movedPosition = 0;     // the position the ordering moved it to, 0 when it stayed
    int annotationNumber = 0;  // 0 without annotation record
};

// Stores a person: annotation record (when given) and data record first, then
// the index entry, ordered by name; copies entry and record into "TMPR" as the
// current person; rewrites "FileDum\Annotaz.dum" (the annotation line, empty
// when no annotation record was written) and "FileDum\StrText.dum" (the
// archive and the text number of the fourth annotation line, empty without
// one), so nothing of an earlier person is shown. A store into "TMPR" itself
// replaces its record 0 and appends the data record without annotation. Refuses (ArchiveError, nothing written) an
// archive that is full (99,999 records), whose files end in a partial record,
// or whose index lost its record 0 (RequireIndexWithHeader), and a current
// person's record file that cannot be replaced (a folder in its place). A
// hand-off that cannot be written is left out (CurrentPersonHandOffWritable).
// Every file changes with the others, as one group (rt::ChangeFilesTogether),
// with "FileDum\MMordina.dum" when the archive is not listed there yet.
StoreResult StorePersonRecords(const StoreRequest& request);

// Removes the entry at an index position (1..N); later entries move up one and
// the index gets one record shorter. Data and annotation records stay. The
// index and "FileDum\MMordina.dum" change together.
void DeleteIndexEntry(std::string_view letters, int position);

// The change dialog's index update: the entry at `position` (1..N) becomes
// `newEntry`. When its first 8 characters agree with the old name it stays in
// place; otherwise it moves toward the front past every entry it sorts before,
// or toward the end past every entry that sorts before it. Returns its final
// position. The index is rewritten whole.
int ReplaceIndexEntry(std::string_view letters, int position, std::string_view newEntry);

// Adds the archive name to "FileDum\MMordina.dum" unless it is there.
void MarkArchiveModified(std::string_view letters);
// The bytes "FileDum\MMordina.dum" holds with the archive name added, for an
// operation that writes it with its other files; none when the name is there.
std::optional<std::string> ModifiedArchivesWith(std::string_view letters);

// The recall's confirmation: "TMPR.ST1" and "TMPR.ST2" made anew, each with
// the single record 0 (the name without record number; the data record).
void WriteCurrentPerson(std::string_view name, const BirthRecord& record);
// The same with the hand-offs that describe the person ("FileDum\Annotaz.dum":
// the annotation line; "FileDum\StrText.dum": the archive and the text number),
// the four files replaced together so that the current person is always one
// person whole (a hand-off that cannot be written left out, named once:
// CurrentPersonHandOffWritable). The recall passes the name with the record's
// number in its archive (MakeIndexEntry), as a store's entry has it.
struct PersonTextName {
    std::string_view letters;  // the archive's
    std::string_view number;   // the text's, five digits
};
void WriteCurrentPerson(std::string_view name, const BirthRecord& record, std::string_view annotationLine,
                        PersonTextName text);

// Creates an empty current person (the "TMPR" archive and an empty
// "FileDum\Annotaz.dum") where they are missing.
void EnsureCurrentPersonFiles();

// ---- per-person text files ---------------------------------------------------

// "BASEtxt\00012.txt".
std::string PersonTextFileName(std::string_view letters, std::string_view number);
// Makes the next text file of an archive: the folder and its counter on first
// use, the number taken and counted on, the file with one line (the first 38
// characters of the name), and the hand-offs "FileDum\DatModif.dum" and
// "FileDum\StrText.dum". Returns the five-digit number. A damaged counter (not
// a number, or a number whose text exists) is kept under a number of its own,
// reported, and repaired from the highest text number in use; the text is made
// all the same.
std::string CreatePersonTextFile(std::string_view letters, std::string_view name);
// The same without "FileDum\StrText.dum": the change dialog makes a text for
// a stored person, who need not be the current one, so the current person's
// hand-off stays.
std::string CreateNumberedTextFile(std::string_view letters, std::string_view name);
// The highest text number an archive uses: its text folder's numbered files and
// the numbers its annotations name (0 when none).
long long HighestTextNumberInUse(std::string_view letters);

// ---- hand-off files -----------------------------------------------------------

// Annotation lines as the store writes them: lines 1 to 3 without leading
// blanks and the stored fourth line, joined by one blank.
std::string StoreAnnotationLine(const AnnotationRecord& annotation);
// As the recall writes them: each line preceded by one blank, leading blanks removed.
std::string RecallAnnotationLine(const AnnotationRecord& annotation);
// Whether a hand-off that describes the current person ("FileDum\Annotaz.dum",
// "FileDum\StrText.dum") can be written. One that cannot (a folder in its
// place) costs only what it carries, as at the start: it is named once, with
// that cost, and its writers leave it out, so the person is stored, recalled
// or changed all the same.
bool CurrentPersonHandOffWritable(const char* name);
void WriteAnnotationHandOff(std::string_view line);
// What makes the bytes of "FileDum\Annotaz.dum" damaged ("" when sound): its
// writers leave one line ended by CR LF, at most four annotation lines joined
// by blanks, with no control character in it.
std::string AnnotationHandOffProblem(std::string_view bytes);
// The current person's annotation line from "FileDum\Annotaz.dum". A damaged
// hand-off is named once (as long as it stays as it is) and gives an empty
// line: nothing of it is shown.
std::string ReadAnnotationHandOff();
void WriteTextHandOff(std::string_view letters, std::string_view textNumber);
// What makes the bytes of "FileDum\StrText.dum" damaged ("" when sound): its
// writers leave two lines of text, the archive's four letters and the five
// characters of the text's number (or nothing).
std::string TextHandOffProblem(std::string_view bytes);
void WriteLastEntryHandOff(std::string_view letters, std::string_view entry, int position, std::string_view name);
void WritePointerHandOff(std::string_view recordNumberText, std::string_view letters);

// ---- checking -------------------------------------------------------------------

// The index of an archive as the name dialogs list it: damaged when an entry
// is no name with the number of its data record (control characters in it,
// no five digits at its end), which is then not listed; cut short when it ends
// in a partial entry, whose whole entries are listed. `problem` says what is
// wrong ("" when the index is sound).
// An index that lost its record 0 (emptied, shorter than one entry, or gone,
// as a failed copy or a full disc leaves it) beside a data file holding people
// is damaged too: the program never writes an index without it. Its people are
// not listed, and nobody is stored into the archive, which would leave them
// out of the index for good.
struct IndexCheck {
    std::string problem;
    bool listable = true;
    bool storable = true;
};
IndexCheck CheckIndex(std::string_view letters);

// What is wrong with an index without its record 0 (or missing) beside a data
// file that holds people (how many), or "" when the index has its record 0 or the
// archive holds nobody (three empty files, a data file with its header only).
std::string MissingIndexHeaderProblem(std::string_view letters);
// Refuses a store into such an archive: ArchiveError with the message naming
// the index, what is wrong and what the user can do; nothing is written.
void RequireIndexWithHeader(std::string_view letters);

// The damage found in an archive's files, one text (Windows-1252) per problem:
// partial last records, length bytes beyond a field's capacity, index entries
// without a record number or pointing past the data file, entries out of
// order. Empty when the archive is sound.
std::vector<std::string> CheckArchive(std::string_view letters);

}  // namespace archive
