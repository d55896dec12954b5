#pragma once
// Reading the lists derived from the remedy databases: the text lists
// ("OpzioneH\Sintomi.txt", "ProdotA.txt", "ProdotB.txt", "ProdotR.txt",
// "Patolog.txt"), the record index "FileDum\Prdts.dum" and the name files of
// "OpzioneS". Each list is checked as it is read. A damaged one (random bytes,
// a file cut short) is never shown: it is rebuilt from its database when that
// is sound, and the user is told; when the database is damaged too, nothing
// is shown and the list stays as it is until it is read with the database
// sound again, and the user is told what to do.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "remedies/record_db.h"

namespace remedies {

// What shows a text list damaged ("" when sound): a control character in a
// line, more text after the Ctrl-Z that ends it, a last line without its end.
std::string TextListProblem(std::string_view bytes);
// The same for a list of record numbers: also a line that is not a number.
std::string RecordNumberListProblem(std::string_view bytes);
// What shows a name file damaged: not a whole number of records of
// capacity + 1 bytes, a length byte beyond the capacity, a control character.
std::string NameFileProblem(std::string_view bytes, std::size_t capacity);

// True when the bytes of a list's file say what the list says as its readers
// take them: the same lines, or the same names from its first record read on,
// in a file that shows no damage (bytes a reader does not look at may differ:
// a Ctrl-Z that ends a text, what follows a name in its record).
bool ListSaysTheSame(const ListFile& list, std::string_view onDisc);

enum class ListState {
    Same,     // the file says what the list says
    Missing,  // no file, or one that cannot be read
    Differs,  // the file says something else, or is damaged
};
ListState ListStateOf(const ListFile& list);

// The lines of a text list (IoError when it is missing or cannot be read).
std::vector<std::string> ReadCheckedTextList(const std::string& name);
// The lines of "FileDum\Prdts.dum".
std::vector<std::string> ReadCheckedRecordNumberList(const std::string& name);
// Records 1..end of a name file.
std::vector<std::string> ReadCheckedNameFile(const std::string& name, std::size_t capacity);

}  // namespace remedies
