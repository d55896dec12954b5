#pragma once
// The search-and-edit utility's work: one text field of the primary or the
// therapies database searched record by record for a phrase (letters a-z
// compared without regard to case), and an edited field text written back into
// the same record, cut into the field's strings. Only data records 1..count are
// ever read as data or written.
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/database_edit.h"
#include "remedies/entry_check.h"
#include "remedies/record_db.h"

namespace remedies {

// One searchable field: its code, the strings it is joined from, and the
// field that names the record's remedy.
struct SearchField {
    std::string code;            // "Rime", "Indi", ... / "Rimed", "Patol", ...
    std::vector<Field> strings;  // in record order
    std::string caption;         // the caption of its radio button
    bool key = false;            // a list key (remedy, indication, pathology)
    bool lines = false;          // may hold line breaks
    std::size_t Capacity() const;
};

// The database codes "Prima" (primary) and "Terap" (therapies).
DbFile SearchDatabase(const std::string& databaseCode);
// The field of a code in a database; throws std::invalid_argument for an unknown code.
SearchField SearchFieldFor(const std::string& databaseCode, const std::string& fieldCode);
// A field of a database by their codes ("Prima", "Indi").
struct FieldCodes {
    std::string databaseCode{};
    std::string fieldCode{};
};
// An edited field text as the checks before a save see it.
EntryField SearchEntryField(const FieldCodes& codes, const std::string& text);
// The field codes of a database in the order of its radio buttons.
std::vector<std::string> SearchFieldCodes(const std::string& databaseCode);

std::string JoinField(const Bytes& record, const SearchField& field);
std::string RecordRemedy(const std::string& databaseCode, const Bytes& record);

struct FieldMatch {
    std::int64_t record = 0;  // 0: none found
    std::string remedy;
    std::string text;          // the field as stored
    std::size_t position = 0;  // 0-based position of the match in text
};

// Searches records from `from` (at least 1) to the last for the phrase
// (upper-cased a-z on both sides). An empty phrase finds nothing.
FieldMatch FindInField(const FieldCodes& codes, const std::string& phrase, std::int64_t from);

// Writes the text into the field of data record r, cut into the field's
// strings (characters beyond the capacity are lost); the rest of the record is
// kept byte for byte. The record is written in place through the journal and
// the database's derived lists are rebuilt; a database that is damaged or
// cannot be read takes nothing (ChangeDatabase).
ChangeOutcome SaveFieldText(const std::string& databaseCode, const std::string& fieldCode, std::int64_t r,
                            const std::string& text, const WriteSteps& steps = {});

}  // namespace remedies
