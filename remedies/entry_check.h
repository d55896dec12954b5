#pragma once
// What the editors and the search-and-edit utility let into a database: every
// field free of control characters (line breaks only in a memo that may hold
// them), of characters the database cannot store, and, for a field that is a
// list key (remedy, indication, pathology), on one line, without "*" and not
// empty. A text longer than its field is cut only after the user was told.
#include <cstddef>
#include <string>
#include <vector>

namespace remedies {

// One field of a form as it is about to be stored.
struct EntryField {
    std::string name;          // the field's name in the messages (Windows-1252)
    std::string text;          // Windows-1252, line breaks as CR LF
    std::size_t capacity = 0;  // characters the record keeps
    bool key = false;          // a list key: one line, no "*", not empty
    bool lines = false;        // may hold line breaks
    std::string hint;          // the text a cleared field shows: a key still holding it counts as empty
    std::string foreign;       // characters with no Windows-1252 code ("U+03B1, ..."), "" when none
};

// Why the fields may not be stored ("" when they may): the first fault found,
// naming its field.
std::string EntryRefusal(const std::vector<EntryField>& fields);
// The index of the field EntryRefusal names; fields.size() when every field
// may be stored.
std::size_t RefusedField(const std::vector<EntryField>& fields);

// Where in the field's text lies the character its refusal names: a control
// character, a line break in a one-line field, a "*" in a list key; npos when
// the text holds none (a refusal for characters the database cannot store is
// found in the form's own text, not in this one).
std::size_t RefusedCharacter(const EntryField& field);

// The question asked before a save that would cut fields longer than their
// capacity ("" when none is): it names each such field with its length and
// capacity, and is answered yes (cut and save) or no.
std::string CutQuestion(const std::vector<EntryField>& fields);

}  // namespace remedies
