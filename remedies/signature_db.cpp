#include "remedies/signature_db.h"

#include <algorithm>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/text_file.h"
#include "remedies/database_sizes.h"
#include "remedies/list_order.h"
#include "remedies/stale_lists.h"

namespace remedies {


namespace {

using Member = std::string SignatureRecord::*;

struct SignatureField {
    Member member;
    Field field;
};

const std::array<SignatureField, 9> kSignatureFields{{
    {&SignatureRecord::symptom, {0, 100}},
    {&SignatureRecord::plant, {101, 20}},
    {&SignatureRecord::code, {122, 15}},
    {&SignatureRecord::primarySignature, {138, 15}},
    {&SignatureRecord::secondarySignature, {154, 30}},
    {&SignatureRecord::zodiacalSignature, {185, 70}},
    {&SignatureRecord::synthesis, {256, 100}},
    {&SignatureRecord::authors, {357, 100}},
    {&SignatureRecord::notes, {458, 140}},
}};

constexpr std::size_t kGroupLines = 8;

// The field that each line of an import group fills, in the group's order.
const std::array<Member, kGroupLines> kImportLines{{
    &SignatureRecord::plant,
    &SignatureRecord::code,
    &SignatureRecord::primarySignature,
    &SignatureRecord::secondarySignature,
    &SignatureRecord::zodiacalSignature,
    &SignatureRecord::synthesis,
    &SignatureRecord::symptom,
    &SignatureRecord::authors,
}};

constexpr std::size_t kImportLineLength = 255;

std::size_t CapacityOf(Member m) {
    for (const auto& f : kSignatureFields)
        if (f.member == m) return f.field.capacity;
    return 0;
}

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// Records 1..end of a name file the program has just written.
std::vector<std::string> ReadNameFileAsWritten(const std::string& name, std::size_t capacity) {
    std::vector<std::string> out;
    auto records = rt::ReadAllRecords(name, capacity + 1);
    for (std::size_t i = 1; i < records.size(); ++i) out.push_back(GetField(records[i], {0, capacity}));
    return out;
}

std::vector<Bytes> NameFileRecords(std::size_t capacity, const std::vector<std::string>& entries) {
    std::vector<Bytes> records;
    records.reserve(entries.size() + 1);
    records.emplace_back(capacity + 1, 0);
    for (const auto& e : entries) {
        Bytes b(capacity + 1, 0);
        PutField(b, {0, capacity}, e);
        records.push_back(std::move(b));
    }
    return records;
}

// Writes records into a temporary file beside `name`; returns the temporary name.
std::string WriteTemporary(const std::string& name, std::size_t recordSize, const std::vector<Bytes>& records) {
    const std::string tmp = TemporaryNameFor(name);
    try {
        rt::RecordFile f(tmp, recordSize);
        f.Rewrite();
        for (std::size_t i = 0; i < records.size(); ++i) f.Write(static_cast<std::int64_t>(i), records[i]);
        f.Close();
    } catch (...) {
        RemoveTemporary(tmp);
        throw;
    }
    return tmp;
}

template <typename Test>
std::vector<std::string> PlantsWhere(const std::vector<SignatureRecord>& data, Test test) {
    std::vector<std::string> plants;
    for (const auto& r : data)
        if (test(r)) plants.push_back(r.plant);
    SortListTexts(plants);
    return NameFileEntries(plants, 20);
}

}  // namespace

const std::array<PlantListRow, 7> kPlanetPlantLists{{
    {"sole", "OpzioneS\\SolePri.Rnd"},
    {"luna", "OpzioneS\\LunaPri.Rnd"},
    {"mercurio", "OpzioneS\\MercPri.Rnd"},
    {"venere", "OpzioneS\\VenePri.Rnd"},
    {"marte", "OpzioneS\\MartPri.Rnd"},
    {"giove", "OpzioneS\\GiovPri.Rnd"},
    {"saturno", "OpzioneS\\SatuPri.Rnd"},
}};

const std::array<PlantListRow, 12> kSignPlantLists{{
    {"ariete", "OpzioneS\\Ram.rnd"},
    {"toro", "OpzioneS\\Stier.rnd"},
    {"gemelli", "OpzioneS\\Tweelingen.rnd"},
    {"cancro", "OpzioneS\\Kreeft.rnd"},
    {"leone", "OpzioneS\\Leeuw.rnd"},
    {"vergine", "OpzioneS\\Maagd.rnd"},
    {"bilancia", "OpzioneS\\Weegschaal.rnd"},
    {"scorpione", "OpzioneS\\Schorpioen.rnd"},
    {"sagittario", "OpzioneS\\Boogschutt.rnd"},
    {"capricorno", "OpzioneS\\Steenbok.rnd"},
    {"acquario", "OpzioneS\\Waterman.rnd"},
    {"pesci", "OpzioneS\\Vissen.rnd"},
}};

const std::array<Field, 9> kSignatureTextFields = [] {
    std::array<Field, 9> out{};
    for (std::size_t i = 0; i < kSignatureFields.size(); ++i) out[i] = kSignatureFields[i].field;
    return out;
}();

DbFile SignatureDb() { return {kSignatureDbName, kSignatureRecordSize, kSignatureTextFields}; }

Bytes EncodeSignatureRecord(const SignatureRecord& r) {
    Bytes b(kSignatureRecordSize, 0);
    for (const auto& f : kSignatureFields) PutField(b, f.field, r.*(f.member));
    return b;
}

SignatureRecord DecodeSignatureRecord(const Bytes& b) {
    SignatureRecord r;
    for (const auto& f : kSignatureFields) r.*(f.member) = GetField(b, f.field);
    return r;
}

std::vector<SignatureRecord> ReadAllSignatureRecords() {
    std::vector<SignatureRecord> out;
    ForEachDataRecord(SignatureDb(), [&](std::int64_t, const Bytes& b) { out.push_back(DecodeSignatureRecord(b)); });
    return out;
}

std::vector<SignatureRecord> ReadSoundSignatureRecords() {
    std::vector<SignatureRecord> out;
    ForEachRecordOfSoundDatabase(SignatureDb(), [&](std::int64_t, std::string_view b) {
        out.push_back(DecodeSignatureRecord(Bytes(b.begin(), b.end())));
    });
    return out;
}

SignatureRecord ReadSignatureRecord(std::int64_t r) { return DecodeSignatureRecord(ReadDataRecord(SignatureDb(), r)); }

bool EnsureSignatureDatabase() { return EnsureDatabaseFile(SignatureDb()); }

std::string Cut80Stripped(const std::string& s) {
    std::string t = rt::CutTo(s, 80);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

std::vector<std::string> NameFileEntries(const std::vector<std::string>& sorted, std::size_t capacity) {
    std::vector<std::string> out;
    if (sorted.empty()) return out;
    out.push_back(rt::CutTo(sorted[0], capacity));
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        std::string cur = Cut80Stripped(sorted[i]);
        if (cur != Cut80Stripped(sorted[i - 1])) out.push_back(rt::CutTo(cur, capacity));
    }
    return out;
}

void ReplaceNameFile(const std::string& name, std::size_t capacity, const std::vector<std::string>& entries) {
    ReplaceWithTemporary(WriteTemporary(name, capacity + 1, NameFileRecords(capacity, entries)), name);
}

std::vector<SignatureRecord> ParseSignatureText(const std::vector<std::string>& given) {
    std::vector<std::string> lines = given;
    if (std::size_t rest = lines.size() % kGroupLines; rest != 0) {
        const std::size_t start = lines.size() - rest;
        // Blank lines after the last group are no record; a last group that
        // stops short with text in it would shift every field.
        if (!std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(start), lines.end(), IsBlank))
            throw ImportError("Gruppo incompleto alla riga " + std::to_string(start + 1) + " di " + kSignatureTextName +
                              ": il database non \xE8 stato modificato");
        lines.resize(start);
    }
    std::vector<SignatureRecord> records;
    std::size_t groups = std::max<std::size_t>(lines.size() / kGroupLines, 1);
    records.reserve(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        SignatureRecord r;
        for (std::size_t k = 0; k < kGroupLines; ++k) {
            std::size_t i = g * kGroupLines + k;
            if (i >= lines.size()) break;
            Member m = kImportLines[k];
            r.*m = rt::CutTo(rt::CutTo(lines[i], kImportLineLength), CapacityOf(m));
        }
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<std::string> SignatureSymptomEntries(const std::vector<SignatureRecord>& data) {
    std::vector<std::string> symptoms;
    std::string previous;
    for (const auto& r : data) {
        if (r.symptom != previous) symptoms.push_back(r.symptom);
        previous = r.symptom;
    }
    SortListTexts(symptoms);
    return NameFileEntries(symptoms, 100);
}

namespace {

// What makes an import text unusable as a whole: nothing in it, or a control
// character (a binary file in its place). ImportError saying where.
void RefuseUnusableText(const std::vector<std::string>& lines) {
    const std::string unchanged = std::string(": il database non \xE8 stato modificato");
    if (std::all_of(lines.begin(), lines.end(), IsBlank))
        throw ImportError(std::string(kSignatureTextName) + " \xE8 vuoto" + unchanged);
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (unsigned char c : lines[i])
            if ((c < 32 && c != '\t') || c == 127)
                throw ImportError("Carattere di controllo alla riga " + std::to_string(i + 1) + " di " +
                                  kSignatureTextName + unchanged);
}

}  // namespace

std::vector<std::string> ImportSignatureDatabase() {
    const std::vector<std::string> lines = rt::ReadTextLines(kSignatureTextName);
    RefuseUnusableText(lines);
    const std::vector<SignatureRecord> records = ParseSignatureText(lines);
    const std::vector<std::string> symptoms = SignatureSymptomEntries({records.begin() + 1, records.end()});

    std::vector<Bytes> dbRecords;
    dbRecords.reserve(records.size());
    for (const auto& r : records) dbRecords.push_back(EncodeSignatureRecord(r));

    const std::string dbTmp = WriteTemporary(kSignatureDbName, kSignatureRecordSize, dbRecords);
    std::string listTmp;
    try {
        listTmp = WriteTemporary(kSignatureSymptomsName, kSymptomNameRecordSize, NameFileRecords(100, symptoms));
        // The plant lists describe the old database until they are built again.
        MarkListsStale(SignatureDb());
    } catch (...) {
        RemoveTemporary(dbTmp);
        RemoveTemporary(listTmp);
        throw;
    }
    ReplaceWithTemporary(dbTmp, kSignatureDbName);
    ReplaceWithTemporary(listTmp, kSignatureSymptomsName);
    return ReadNameFileAsWritten(kSignatureSymptomsName, 100);
}

std::vector<std::string> PlantsOfPlanet(const std::vector<SignatureRecord>& data, int planet) {
    const std::string word = kPlanetPlantLists.at(planet - 1).word;
    return PlantsWhere(data, [&](const SignatureRecord& r) { return Cut80Stripped(r.primarySignature) == word; });
}

std::vector<std::string> PlantsOfSign(const std::vector<SignatureRecord>& data, int sign) {
    const std::string word = kSignPlantLists.at(sign - 1).word;
    return PlantsWhere(data, [&](const SignatureRecord& r) {
        return Cut80Stripped(r.zodiacalSignature).find(word) != std::string::npos;
    });
}

namespace {

std::vector<std::string> PlantNameEntries(const std::vector<SignatureRecord>& data) {
    std::vector<std::string> plants;
    for (const auto& r : data) {
        std::string p = Cut80Stripped(r.plant);
        if (!p.empty()) plants.push_back(p);
    }
    SortListTexts(plants);
    return NameFileEntries(plants, 20);
}

std::vector<std::string> WritePlantNameFile(const std::vector<SignatureRecord>& data) {
    ReplaceNameFile(kPlantNamesName, 20, PlantNameEntries(data));
    return ReadNameFileAsWritten(kPlantNamesName, 20);
}

std::vector<std::string> WriteSignatureLists(const std::vector<SignatureRecord>& data) {
    WritePlantNameFile(data);
    for (int p = 1; p <= 7; ++p) ReplaceNameFile(kPlanetPlantLists[p - 1].file, 20, PlantsOfPlanet(data, p));
    for (int s = 1; s <= 12; ++s) ReplaceNameFile(kSignPlantLists[s - 1].file, 20, PlantsOfSign(data, s));
    return ReadNameFileAsWritten(kSignPlantLists[11].file, 20);
}

}  // namespace

std::vector<ListFile> SignatureListFiles(const std::vector<SignatureRecord>& data) {
    // Record 0 of a name file is left empty.
    auto nameFile = [](const char* name, std::size_t capacity, std::vector<std::string> entries) {
        entries.insert(entries.begin(), std::string());
        return ListFile{name, NameRecordBytes(capacity, entries), capacity, 1};
    };
    std::vector<ListFile> files;
    files.push_back(nameFile(kSignatureSymptomsName, 100, SignatureSymptomEntries(data)));
    files.push_back(nameFile(kPlantNamesName, 20, PlantNameEntries(data)));
    for (int p = 1; p <= 7; ++p) files.push_back(nameFile(kPlanetPlantLists[p - 1].file, 20, PlantsOfPlanet(data, p)));
    for (int s = 1; s <= 12; ++s) files.push_back(nameFile(kSignPlantLists[s - 1].file, 20, PlantsOfSign(data, s)));
    return files;
}

std::vector<std::string> BuildPlantNameFile() { return WritePlantNameFile(ReadSoundSignatureRecords()); }

std::vector<std::string> BuildSignatureLists() { return WriteSignatureLists(ReadSoundSignatureRecords()); }

void RebuildSignatureLists() {
    const std::vector<SignatureRecord> data = ReadSoundSignatureRecords();
    ReplaceNameFile(kSignatureSymptomsName, 100, SignatureSymptomEntries(data));
    WriteSignatureLists(data);
    // The lists describe the database again, as many records as it holds now.
    RecordDatabaseSize(SignatureDb());
    ClearStaleListsMark(SignatureDb());
}

}  // namespace remedies
