#pragma once
// The signature database "OpzioneS\DataStf.rnd": one 599-byte record for each
// pair of a symptom and a plant, with the plant's astrological signature, a
// psychic synthesis and the authors who report the link. It is made whole by
// importing the text "OpzioneS\DbTesto.Txt" (eight lines a record); from it come
// the sorted name files of symptoms, of plants, and of the plants of each
// classical planet and each sign (one string a record, record 0 left empty).
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "remedies/record_db.h"

namespace remedies {

inline constexpr std::size_t kSignatureRecordSize = 599;
inline constexpr std::size_t kPlantNameRecordSize = 21;
inline constexpr std::size_t kSymptomNameRecordSize = 101;
inline constexpr const char* kSignatureDbName = "OpzioneS\\DataStf.rnd";
inline constexpr const char* kSignatureTextName = "OpzioneS\\DbTesto.Txt";
inline constexpr const char* kSignatureSymptomsName = "OpzioneS\\Sintomi.rnd";
inline constexpr const char* kPlantNamesName = "OpzioneS\\Piante.rnd";

struct SignatureRecord {
    std::string symptom;             // 100, import line 7
    std::string plant;               // 20, line 1
    std::string code;                // 15, line 2
    std::string primarySignature;    // 15, line 3: one planet word ("sole", ...)
    std::string secondarySignature;  // 30, line 4
    std::string zodiacalSignature;   // 70, line 5: sign words ("ariete", ...)
    std::string synthesis;           // 100, line 6
    std::string authors;             // 100, line 8
    std::string notes;               // 140, not imported
};

DbFile SignatureDb();
Bytes EncodeSignatureRecord(const SignatureRecord& r);
SignatureRecord DecodeSignatureRecord(const Bytes& b);

std::vector<SignatureRecord> ReadAllSignatureRecords();  // records 1..count
// The same for a list to be made from them: DamagedDatabaseError (lists left
// as they are, their mark made) when the database is damaged or unreadable.
std::vector<SignatureRecord> ReadSoundSignatureRecords();
SignatureRecord ReadSignatureRecord(std::int64_t r);  // data record r (1..count)
bool EnsureSignatureDatabase();

// A plant list of a planet or a sign: the word that selects the records and the file.
struct PlantListRow {
    const char* word;
    const char* file;
};
// "sole" .. "saturno": "OpzioneS\SolePri.Rnd" ..; a record passes when its primary
// signature, trailing blanks removed, equals the word.
extern const std::array<PlantListRow, 7> kPlanetPlantLists;
// "ariete" .. "pesci": the sign lists are written under the names the chart
// window reads ("OpzioneS\Ram.rnd" .. "OpzioneS\Vissen.rnd"); a record passes when
// the word occurs in its zodiacal signature.
extern const std::array<PlantListRow, 12> kSignPlantLists;

// The text cut to 80 characters with its trailing blanks removed.
std::string Cut80Stripped(const std::string& s);

// The name-file writing rule: the entries of a sorted list that are written,
// in order, as records 1, 2, ... (neighbours equal after Cut80Stripped once).
std::vector<std::string> NameFileEntries(const std::vector<std::string>& sorted, std::size_t capacity);
// Writes a name file (record 0 empty, then the entries) beside the old one and
// renames it over it.
void ReplaceNameFile(const std::string& name, std::size_t capacity, const std::vector<std::string>& entries);
// Records 1..end of a name file, checked as it is read: a damaged list is
// named in a message and rebuilt from a sound database, never shown as it is
// (remedies/list_files.h).
std::vector<std::string> ReadNameFile(const std::string& name, std::size_t capacity);

// An import text that cannot be taken; the message says why. Nothing was changed.
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The records of an import text given as lines (record 0 = the header group).
// Lines are cut to 255 characters and then to their field's capacity. A last
// group that stops short is ignored when all its lines are blank and otherwise
// raises ImportError.
std::vector<SignatureRecord> ParseSignatureText(const std::vector<std::string>& lines);
// The entries of "OpzioneS\Sintomi.rnd" for the data records (record 1 first):
// each run of one symptom gives one entry, sorted, then the writing rule.
std::vector<std::string> SignatureSymptomEntries(const std::vector<SignatureRecord>& data);

// Imports "OpzioneS\DbTesto.Txt" into "OpzioneS\DataStf.rnd" and rebuilds
// "OpzioneS\Sintomi.rnd". Both files are written beside the old ones and renamed
// over them only when everything is ready, so a missing, empty or malformed
// text (a group cut short, a control character: not a text) leaves the old
// database and list whole (ImportError or IoError). The database's lists are
// marked stale before the new database is put in place: the plant lists
// describe it only after BuildSignatureLists, and RebuildSignatureLists (or the
// next start) removes the mark. Returns the symptom list as written.
std::vector<std::string> ImportSignatureDatabase();

// Rebuilds "OpzioneS\Piante.rnd"; returns its entries. Like every list of the
// database, it is never made from a damaged or unreadable database
// (DamagedDatabaseError, the lists left as they were).
std::vector<std::string> BuildPlantNameFile();
// The entries of each planet and sign plant list for the data records.
std::vector<std::string> PlantsOfPlanet(const std::vector<SignatureRecord>& data, int planet);
std::vector<std::string> PlantsOfSign(const std::vector<SignatureRecord>& data, int sign);
// "OpzioneS\Sintomi.rnd", "Piante.rnd", the planet and the sign plant lists as
// the import and BuildSignatureLists write them for the data records.
std::vector<ListFile> SignatureListFiles(const std::vector<SignatureRecord>& data);
// BuildPlantNameFile, then the seven planet files and the twelve sign files.
// Returns the entries of the last file written.
std::vector<std::string> BuildSignatureLists();
// Every list of the database: "OpzioneS\Sintomi.rnd", then BuildSignatureLists;
// then the database's mark of stale lists is removed.
void RebuildSignatureLists();

}  // namespace remedies
