#include "remedies/field_search.h"

#include <algorithm>
#include <stdexcept>

#include "platform/runtime/win1252.h"
#include "remedies/database_edit.h"
#include "remedies/primary_db.h"
#include "remedies/record_journal.h"
#include "remedies/repertory_db.h"

namespace remedies {

namespace {

// Each field: its code, its strings, its caption, and what it may hold (a
// list key, or line breaks as in the editors' memos).
struct FieldRow {
    const char* code;
    std::vector<Field> strings;
    const char* caption;
    bool key;
    bool lines;
};

const std::vector<FieldRow>& PrimaryFields() {
    static const std::vector<FieldRow> kRows{
        {"Rime", {{0, 50}}, "Rimedio", true, false},
        {"Indi", {{955, 250}, {1206, 50}}, "Indicazioni", true, false},
        {"Poso", {{51, 250}, {302, 250}, {553, 250}, {804, 150}}, "Posologia", false, true},
        {"Avve", {{2906, 250}, {3157, 150}}, "Avvertenze", false, true},
        {"Spri", {{2763, 30}}, "Segnat. Primaria", false, false},
        {"Ssec", {{2794, 40}}, "Segnat.Second.", false, false},
        {"Szod", {{2835, 70}}, "Segnat. Zodiac.", false, false},
        {"Psic",
         {{1257, 250}, {1508, 250}, {1759, 250}, {2010, 250}, {2261, 250}, {2512, 250}},
         "Sintesi Psichica",
         false,
         true},
        {"Note", {{3308, 250}, {3559, 250}, {3810, 250}}, "Note", false, true},
        {"NoSu", {{4061, 250}, {4312, 250}, {4563, 250}}, "Note Supplementari", false, true},
    };
    return kRows;
}

const std::vector<FieldRow>& RepertoryFields() {
    static const std::vector<FieldRow> kRows{
        {"Rimed", {{352, 100}}, "Rimedio", true, false},
        {"Patol", {{0, 100}}, "Patologia", true, false},
        {"Posol", {{101, 250}}, "Posologia", false, false},
        {"Notes", {{453, 250}, {704, 250}, {955, 250}}, "Note", false, true},
    };
    return kRows;
}

const std::vector<FieldRow>& RowsOf(const std::string& databaseCode) {
    if (databaseCode == "Prima") return PrimaryFields();
    if (databaseCode == "Terap") return RepertoryFields();
    throw std::invalid_argument("unknown database " + databaseCode);
}

}  // namespace

std::size_t SearchField::Capacity() const {
    std::size_t c = 0;
    for (const Field& f : strings) c += f.capacity;
    return c;
}

DbFile SearchDatabase(const std::string& databaseCode) {
    if (databaseCode == "Terap") return RepertoryDb();
    return PrimaryDb();
}

SearchField SearchFieldFor(const std::string& databaseCode, const std::string& fieldCode) {
    for (const FieldRow& row : RowsOf(databaseCode))
        if (fieldCode == row.code) return {row.code, row.strings, row.caption, row.key, row.lines};
    throw std::invalid_argument("unknown field " + fieldCode);
}

EntryField SearchEntryField(const FieldCodes& codes, const std::string& text) {
    const SearchField field = SearchFieldFor(codes.databaseCode, codes.fieldCode);
    EntryField f;
    f.name = field.caption;
    f.text = text;
    f.capacity = field.Capacity();
    f.key = field.key;
    f.lines = field.lines;
    return f;
}

std::vector<std::string> SearchFieldCodes(const std::string& databaseCode) {
    std::vector<std::string> codes;
    for (const FieldRow& row : RowsOf(databaseCode)) codes.push_back(row.code);
    return codes;
}

std::string JoinField(const Bytes& record, const SearchField& field) {
    std::string s;
    for (const Field& f : field.strings) s += GetField(record, f);
    return s;
}

std::string RecordRemedy(const std::string& databaseCode, const Bytes& record) {
    return GetField(record, databaseCode == "Terap" ? Field{352, 100} : Field{0, 50});
}

FieldMatch FindInField(const FieldCodes& codes, const std::string& phrase, std::int64_t from) {
    FieldMatch m;
    if (phrase.empty()) return m;
    const std::string& databaseCode = codes.databaseCode;
    const SearchField field = SearchFieldFor(databaseCode, codes.fieldCode);
    const std::string wanted = rt::UpperAscii(phrase);
    const DbFile db = SearchDatabase(databaseCode);
    rt::RecordFile f(db.name, db.recordSize);
    f.Reset();
    const std::int64_t n = f.FileSize();
    for (std::int64_t r = std::max<std::int64_t>(from, 1); r < n; ++r) {
        const Bytes b = f.Read(r);
        const std::string text = JoinField(b, field);
        const std::size_t p = rt::UpperAscii(text).find(wanted);
        if (p != std::string::npos) {
            m.record = r;
            m.remedy = RecordRemedy(databaseCode, b);
            m.text = text;
            m.position = p;
            break;
        }
    }
    f.Close();
    return m;
}

ChangeOutcome SaveFieldText(const std::string& databaseCode, const std::string& fieldCode, std::int64_t r,
                            const std::string& text, const WriteSteps& steps) {
    const SearchField field = SearchFieldFor(databaseCode, fieldCode);
    const DbFile db = SearchDatabase(databaseCode);
    return ChangeDatabase(
        db,
        [&] {
            Bytes record = ReadDataRecord(db, r);  // refuses record 0 and records past the end
            std::vector<std::size_t> capacities;
            for (const Field& f : field.strings) capacities.push_back(f.capacity);
            const std::vector<std::string> pieces = SliceText(text, capacities);
            for (std::size_t k = 0; k < field.strings.size(); ++k) PutField(record, field.strings[k], pieces[k]);
            WriteRecordInPlace(db, r, record, steps);
            return DataRecordCount(db);
        },
        steps);
}

}  // namespace remedies
