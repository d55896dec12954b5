#pragma once
// Rewriting a stored person in place: the edited data record with fresh chart
// strings, its annotation record, and the index entry moved to its place in
// name order when the name changed.
#include <optional>
#include <string>

#include "archive/archive_records.h"
#include "engine/chart.h"

namespace archive {

struct EditedPerson {
    std::string letters;          // archive
    int indexPosition = 0;        // the chosen entry's index position (1..N)
    int dataNumber = 0;           // its data record
    std::string name;             // new name
    std::string dateTimeText;     // DD/MM/YYYY HH:MM
    std::string correctionText;   // hours added to the clock time, "." or ","
    std::string coordinatesText;  // 12 characters
    std::string placeName;
    std::string calendarCode;  // "GR" or "GI"
    std::string nationality;
    std::string annotationNumber;                // as read, five digits
    std::optional<AnnotationRecord> annotation;  // none: annotations left as they are
};

struct RewriteResult {
    int indexPosition = 0;     // where the entry stands now
    int annotationNumber = 0;  // the record's annotation number afterwards
    BirthRecord record;
    bool currentPerson = false;  // the current person was this record's, and changed with it
};

// Rewrites the person. The index entry keeps its data record number and is put
// where its new name sorts, so the index stays in order. The data record gets
// the new fields and chart strings (computed with the node and black-moon
// kinds of `settings` at the corrected moment with the change dialog's working
// widths); annotations are written to the record's annotation number, or
// appended when it had none. The records, written in place, the index and
// "FileDum\MMordina.dum" change as one group (rt::ChangeFilesTogether): a run
// that ends in the middle leaves, once the next start has finished, the old
// person or the new one.
// When the current person was taken from this record (same archive, same
// record number, same birth data), it becomes the changed person in the same
// group: the "TMPR" records and, with new annotations, their hand-offs.
RewriteResult RewriteEditedPerson(const engine::ChartSettings& settings, const EditedPerson& person);

// Moves the entry at `position` of an index (texts of records 0..N) to where
// `newEntry` sorts, writing it there. Returns its new position.
int RepositionEntry(std::vector<std::string>& entries, int position, const std::string& newEntry);

}  // namespace archive
