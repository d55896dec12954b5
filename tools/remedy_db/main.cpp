// Writes the sample remedy databases from their text sources:
//   remedy_db <source folder> <data folder>
// The source folder holds primary.txt, therapies.txt and Principi.txt (UTF-8);
// the data folder receives OpzioneH\DBmain.rnd, OpzioneH\Repertorio.rnd and their
// lists, the signature import text OpzioneS\DbTesto.Txt with the database
// imported from it, and the principles text Principi.txt with Principi.sto made
// from it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_sizes.h"
#include "remedies/list_order.h"
#include "remedies/primary_db.h"
#include "remedies/principles_file.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"

namespace fs = std::filesystem;
using namespace remedies;

namespace {

struct SourceRemedy {
    std::string name;
    std::map<std::string, std::string> fields;
    std::vector<std::string> indications;
    int line = 0;
};

struct SourceTherapy {
    std::string pathology, remedy, posology, notes;
};

std::string Trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> ReadUtf8Lines(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::vector<std::string> lines;
    std::string l;
    while (std::getline(in, l)) lines.push_back(l);
    return lines;
}

[[noreturn]] void Fail(const fs::path& file, int line, const std::string& what) {
    throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

// Texts of the sources are UTF-8; the records hold Windows-1252 bytes.
std::string Cp(const std::string& utf8) { return rt::Utf8ToCp1252(utf8); }

std::vector<SourceRemedy> ReadPrimarySource(const fs::path& file) {
    static const std::vector<std::string> kKeys{"Plant",    "Code",    "Primary",   "Secondary",
                                                "Zodiac",   "Authors", "Posology",  "Synthesis",
                                                "Warnings", "Notes",   "ExtraNotes"};
    std::vector<SourceRemedy> out;
    auto lines = ReadUtf8Lines(file);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string l = Trim(lines[i]);
        int n = static_cast<int>(i + 1);
        if (l.empty() || l[0] == '#') continue;
        if (l.front() == '[' && l.back() == ']') {
            out.push_back({l.substr(1, l.size() - 2), {}, {}, n});
            continue;
        }
        if (out.empty()) Fail(file, n, "text before the first [remedy]");
        auto colon = l.find(':');
        if (colon == std::string::npos) Fail(file, n, "expected key: value");
        std::string key = Trim(l.substr(0, colon));
        std::string value = Trim(l.substr(colon + 1));
        if (key == "Indication") {
            out.back().indications.push_back(value);
        } else if (std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end()) {
            if (out.back().fields.count(key)) Fail(file, n, "repeated key " + key);
            out.back().fields[key] = value;
        } else {
            Fail(file, n, "unknown key " + key);
        }
    }
    for (const auto& r : out) {
        if (r.indications.empty()) Fail(file, r.line, "remedy without an indication");
        for (const char* k : {"Plant", "Code", "Primary", "Zodiac"})
            if (!r.fields.count(k)) Fail(file, r.line, std::string("missing ") + k);
    }
    return out;
}

std::vector<SourceTherapy> ReadTherapySource(const fs::path& file) {
    std::vector<SourceTherapy> out;
    std::string pathology;
    auto lines = ReadUtf8Lines(file);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string l = Trim(lines[i]);
        int n = static_cast<int>(i + 1);
        if (l.empty() || l[0] == '#') continue;
        if (l.front() == '[' && l.back() == ']') {
            pathology = l.substr(1, l.size() - 2);
            continue;
        }
        if (pathology.empty()) Fail(file, n, "therapy before the first [pathology]");
        std::vector<std::string> parts;
        std::stringstream ss(l);
        std::string part;
        while (std::getline(ss, part, '|')) parts.push_back(Trim(part));
        if (parts.size() < 2 || parts.size() > 3) Fail(file, n, "expected remedy | posology | notes");
        parts.resize(3);
        out.push_back({pathology, parts[0], parts[1], parts[2]});
    }
    return out;
}

std::string Get(const SourceRemedy& r, const std::string& key) {
    auto it = r.fields.find(key);
    return it == r.fields.end() ? std::string() : it->second;
}

// Splits "A, B" into its names.
std::vector<std::string> Names(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream ss(list);
    std::string part;
    while (std::getline(ss, part, ',')) {
        part = Trim(part);
        if (!part.empty()) out.push_back(part);
    }
    return out;
}

// The signature database's planet and sign words for the Dutch names.
std::string ItalianWords(const std::string& dutchList, const fs::path& file, int line) {
    static const std::map<std::string, std::string> kWords{{"Zon", "sole"},
                                                           {"Maan", "luna"},
                                                           {"Mercurius", "mercurio"},
                                                           {"Venus", "venere"},
                                                           {"Mars", "marte"},
                                                           {"Jupiter", "giove"},
                                                           {"Saturnus", "saturno"},
                                                           {"Ram", "ariete"},
                                                           {"Stier", "toro"},
                                                           {"Tweelingen", "gemelli"},
                                                           {"Kreeft", "cancro"},
                                                           {"Leeuw", "leone"},
                                                           {"Maagd", "vergine"},
                                                           {"Weegschaal", "bilancia"},
                                                           {"Schorpioen", "scorpione"},
                                                           {"Boogschutter", "sagittario"},
                                                           {"Steenbok", "capricorno"},
                                                           {"Waterman", "acquario"},
                                                           {"Vissen", "pesci"}};
    std::string out;
    for (const auto& n : Names(dutchList)) {
        auto it = kWords.find(n);
        if (it == kWords.end()) Fail(file, line, "unknown planet or sign " + n);
        if (!out.empty()) out += "-";
        out += it->second;
    }
    return out;
}

void WriteRecords(const std::string& name, std::size_t size, const std::vector<Bytes>& data) {
    std::vector<Bytes> all;
    all.emplace_back(size, 0);  // the header record
    all.insert(all.end(), data.begin(), data.end());
    rt::ReplaceAllRecords(name, size, all);
}

void Run(const fs::path& sources, const fs::path& dataDir) {
    const fs::path primaryFile = sources / "primary.txt";
    const fs::path therapyFile = sources / "therapies.txt";
    const auto remedies = ReadPrimarySource(primaryFile);
    const auto therapies = ReadTherapySource(therapyFile);

    std::map<std::string, bool> known;
    for (const auto& r : remedies) known[r.name] = true;
    for (const auto& t : therapies)
        if (!known.count(t.remedy)) throw std::runtime_error(therapyFile.string() + ": unknown remedy " + t.remedy);

    fs::create_directories(dataDir / "OpzioneH");
    fs::create_directories(dataDir / "OpzioneS");
    fs::current_path(dataDir);

    // Primary database: one record per remedy and indication.
    std::vector<Bytes> primary;
    for (const auto& r : remedies) {
        for (const auto& ind : r.indications) {
            PrimaryTexts t;
            t.remedy = Cp(r.name);
            t.indication = Cp(ind);
            t.posology = Cp(Get(r, "Posology"));
            t.synthesis = Cp(Get(r, "Synthesis"));
            t.primarySignature = Cp(Get(r, "Primary"));
            t.secondarySignature = Cp(Get(r, "Secondary"));
            t.zodiacalSignature = Cp(Get(r, "Zodiac"));
            t.warnings = Cp(Get(r, "Warnings"));
            t.notes = Cp(Get(r, "Notes"));
            t.extraNotes = Cp(Get(r, "ExtraNotes"));
            primary.push_back(EncodePrimaryRecord(MakePrimaryRecord(t)));
        }
    }
    WriteRecords(kPrimaryDbName, kPrimaryRecordSize, primary);

    std::vector<Bytes> repertory;
    for (const auto& t : therapies) {
        RepertoryTexts rt{Cp(t.pathology), Cp(t.remedy), Cp(t.posology), Cp(t.notes)};
        repertory.push_back(EncodeRepertoryRecord(FormToRepertoryRecord(rt)));
    }
    WriteRecords(kRepertoryDbName, kRepertoryRecordSize, repertory);

    // Signature import text: a header group, then one group per plant and
    // symptom, grouped by symptom.
    struct Group {
        std::string symptom;
        std::vector<std::string> lines;
    };
    std::vector<Group> groups;
    for (const auto& r : remedies) {
        const std::string primaryWord = ItalianWords(Get(r, "Primary"), primaryFile, r.line);
        const std::string secondary = ItalianWords(Get(r, "Secondary"), primaryFile, r.line);
        const std::string zodiac = ItalianWords(Get(r, "Zodiac"), primaryFile, r.line);
        for (const auto& ind : r.indications) {
            groups.push_back({Cp(ind),
                              {Cp(Get(r, "Plant")), Cp(Get(r, "Code")), primaryWord, secondary, zodiac,
                               Cp(Get(r, "Synthesis")), Cp(ind), Cp(Get(r, "Authors"))}});
        }
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return ListTextLess(a.symptom, b.symptom); });
    std::vector<std::string> text{"Pianta",
                                  "Sigla",
                                  "Segnatura Primaria",
                                  "Segnatura Secondaria",
                                  "Segnatura Zodiacale",
                                  "Sintesi Psichica",
                                  "Sintomo",
                                  "Autori (relativam. al sintomo)"};
    for (const auto& g : groups) text.insert(text.end(), g.lines.begin(), g.lines.end());
    rt::ReplaceTextLines(kSignatureTextName, text);

    RebuildPrimaryLists();
    RebuildPathologyList();
    ImportSignatureDatabase();
    // The plant lists too, and no mark of stale lists left in the shipped tree,
    // nor the counts a data folder keeps of its own databases.
    RebuildSignatureLists();
    std::filesystem::remove(rt::ResolvePath(kDatabaseSizesName));

    // The healing principles: the text in Windows-1252, then the record file.
    std::vector<std::string> principles;
    for (const auto& l : ReadUtf8Lines(sources / "Principi.txt")) principles.push_back(Cp(Trim(l)));
    rt::ReplaceTextLines(kPrinciplesTextName, principles);
    GeneratePrinciples();

    std::cout << "remedy_db: " << primary.size() << " primary records, " << repertory.size() << " therapies, "
              << groups.size() << " signature records\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: remedy_db <source folder> <data folder>\n";
        return 2;
    }
    try {
        Run(fs::absolute(argv[1]), fs::absolute(argv[2]));
    } catch (const std::exception& e) {
        std::cerr << "remedy_db: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
