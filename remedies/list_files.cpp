#include "remedies/list_files.h"

#include <algorithm>
#include <functional>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_check.h"
#include "remedies/primary_db.h"
#include "remedies/ranked_search.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"
#include "remedies/signature_search.h"

namespace remedies {

namespace {

constexpr char kCtrlZ = '\x1A';

bool IsControl(unsigned char c) { return c < 32 || c == 127; }

// The database a list is made from and the rebuild that makes it again.
struct ListSource {
    const char* list;
    DbFile (*db)();
    // Rebuilds the list (and the other lists made with it); returns the words
    // on records it left out.
    std::string (*rebuild)();
};

const std::vector<ListSource>& ListSources() {
    static const std::vector<ListSource> kSources = [] {
        std::vector<ListSource> s;
        const auto primary = [] { return SkippedRecordsMessage(RebuildPrimaryLists(), "DBmain.rnd"); };
        for (const char* list : {kSymptomListName, kRemedyListName, kRemedyVariantListName})
            s.push_back({list, PrimaryDb, primary});
        s.push_back({kPathologyListName, RepertoryDb,
                     [] { return SkippedRecordsMessage(RebuildPathologyList(), "Repertorio.rnd"); }});
        s.push_back({kTherapyRemedyListName, RepertoryDb, [] {
                         PrepareCompoundTherapyLists();
                         return std::string();
                     }});
        s.push_back({kRemedyIndexName, PrimaryDb, [] {
                         BuildRemedyIndex();
                         return std::string();
                     }});
        const auto signature = [] {
            RebuildSignatureLists();
            return std::string();
        };
        s.push_back({kSignatureSymptomsName, SignatureDb, signature});
        s.push_back({kPlantNamesName, SignatureDb, signature});
        for (const auto& row : kPlanetPlantLists) s.push_back({row.file, SignatureDb, signature});
        for (const auto& row : kSignPlantLists) s.push_back({row.file, SignatureDb, signature});
        return s;
    }();
    return kSources;
}

const ListSource* SourceOf(const std::string& name) {
    for (const ListSource& s : ListSources())
        if (rt::UpperAscii(s.list) == rt::UpperAscii(name)) return &s;
    return nullptr;
}

// A sound list of a database that cannot serve the searches (a folder in its
// place, a file cut short) is shown; the database is told once.
void LookAtDatabaseBehind(const std::string& name) {
    const ListSource* source = SourceOf(name);
    if (!source) return;
    const DbFile db = source->db();
    if (const std::string shape = DatabaseShapeProblem(db); !shape.empty())
        NoteUnusableDatabase(db, shape,
                             "Il programma ne mostra gli elenchi come erano; le ricerche nella banca dati non sono "
                             "possibili finch\xE9 il file non sar\xE0 integro.");
}

// A damaged list: rebuilt from a sound database and read again, or, when that
// cannot be, nothing shown. The user is told either way.
std::vector<std::string> ReplaceDamagedList(const std::string& name, const std::string& problem,
                                            const std::function<std::vector<std::string>()>& readAgain) {
    const ListSource* source = SourceOf(name);
    if (!source) {
        rt::ReportDamagedFileOnce(
            name,
            rt::DamagedFileMessage({name, problem},
                                   "L'elenco non viene mostrato. Ripristinare il file da una copia di sicurezza."));
        return {};
    }
    const DbFile db = source->db();
    const std::string dbProblem = DatabaseProblem(db);
    if (!dbProblem.empty()) {
        rt::ReportDamagedFileOnce(
            name,
            rt::DamagedFileMessage(
                {name, problem},
                "L'elenco non viene mostrato e non \xE8 stato ricostruito, perch\xE9 anche la banca dati \"" + db.name +
                    "\" da cui deriva \xE8 danneggiata o illeggibile (" + dbProblem +
                    "): il programma lo ricostruir\xE0 quando lo legger\xE0 con la banca dati di nuovo integra. " +
                    RestoreAdvice(db)));
        return {};
    }
    std::string leftOut;
    std::vector<std::string> lines;
    try {
        leftOut = source->rebuild();
        lines = readAgain();
    } catch (const std::exception& e) {
        rt::ReportDamagedFileOnce(
            name, rt::DamagedFileMessage({name, problem},
                                         "L'elenco non viene mostrato: il programma non ha potuto ricostruirlo dalla "
                                         "banca dati \"" +
                                             rt::SpelledOnDisc(db.name) + "\" (" + e.what() +
                                             "); ci riprover\xE0 la prossima volta che lo legger\xE0."));
        return {};
    }
    rt::ReportDamagedFile(
        rt::DamagedFileMessage({name, problem}, "Il programma ha ricostruito l'elenco dalla banca dati \"" +
                                                    rt::SpelledOnDisc(db.name) +
                                                    "\", che \xE8 integra, e mostra l'elenco ricostruito." +
                                                    (leftOut.empty() ? "" : "\r\n" + leftOut)));
    return lines;
}

template <typename Problem, typename Parse>
std::vector<std::string> ReadChecked(const std::string& name, Problem problemOf, Parse parse) {
    const std::string bytes = rt::ReadFileBytes(name);
    if (const std::string problem = problemOf(bytes); !problem.empty())
        return ReplaceDamagedList(name, problem, [&] { return parse(rt::ReadFileBytes(name)); });
    LookAtDatabaseBehind(name);
    return parse(bytes);
}

std::vector<std::string> NameFileEntriesOf(std::string_view bytes, std::size_t capacity) {
    std::vector<std::string> out;
    const std::size_t size = capacity + 1;
    for (std::size_t at = size; at + size <= bytes.size(); at += size)
        out.push_back(GetField(bytes.substr(at, size), {0, capacity}));
    return out;
}

}  // namespace

std::string TextListProblem(std::string_view bytes) {
    const std::size_t end = bytes.find(kCtrlZ);
    if (end != std::string_view::npos && bytes.find_first_not_of(kCtrlZ, end) != std::string_view::npos)
        return "dopo il segno di fine testo (Ctrl-Z, al byte " + std::to_string(end + 1) + ") seguono altri dati";
    const std::string_view text = bytes.substr(0, end);
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
        else if (c != '\r' && IsControl(c))
            return "la riga " + std::to_string(line) + " contiene caratteri di controllo, che nessun elenco contiene";
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        return "l'ultima riga \xE8 incompleta (manca il suo a capo)";
    return {};
}

std::string RecordNumberListProblem(std::string_view bytes) {
    if (std::string problem = TextListProblem(bytes); !problem.empty()) return problem;
    const std::vector<std::string> lines = rt::SplitTextLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t digits = l.find_first_not_of(' ');
        if (digits == std::string::npos || !std::all_of(l.begin() + static_cast<std::ptrdiff_t>(digits), l.end(),
                                                        [](char c) { return c >= '0' && c <= '9'; }))
            return "la riga " + std::to_string(i + 1) + " non \xE8 un numero di scheda";
    }
    return {};
}

std::string NameFileProblem(std::string_view bytes, std::size_t capacity) {
    const std::size_t size = capacity + 1;
    if (bytes.size() % size != 0)
        return "la sua lunghezza (" + std::to_string(bytes.size()) + " byte) non \xE8 un numero intero di schede di " +
               std::to_string(size) + " byte";
    for (std::size_t r = 0; r * size < bytes.size(); ++r) {
        const std::string_view record = bytes.substr(r * size, size);
        const std::size_t length = static_cast<unsigned char>(record[0]);
        if (length > capacity ||
            std::any_of(record.begin() + 1, record.begin() + 1 + static_cast<std::ptrdiff_t>(length),
                        [](char c) { return IsControl(static_cast<unsigned char>(c)); }))
            return "la scheda " + std::to_string(r) + " non \xE8 un nome dell'elenco";
    }
    return {};
}

bool ListSaysTheSame(const ListFile& list, std::string_view onDisc) {
    if (onDisc == list.bytes) return true;
    if (list.nameCapacity == 0)
        return TextListProblem(onDisc).empty() && rt::SplitTextLines(onDisc) == rt::SplitTextLines(list.bytes);
    if (!NameFileProblem(onDisc, list.nameCapacity).empty()) return false;
    // Record by record: the length byte and the text it counts.
    const std::size_t size = list.nameCapacity + 1;
    const std::size_t from = list.firstName * size;
    if (onDisc.size() != list.bytes.size()) return onDisc.size() <= from && list.bytes.size() <= from;
    const std::string_view made = list.bytes;
    for (std::size_t at = from; at < onDisc.size(); at += size) {
        const std::size_t counted = 1 + static_cast<unsigned char>(onDisc[at]);
        if (onDisc.substr(at, counted) != made.substr(at, counted)) return false;
    }
    return true;
}

ListState ListStateOf(const ListFile& list) {
    std::string onDisc;
    try {
        onDisc = rt::ReadFileBytes(list.name);
    } catch (const rt::IoError&) {
        return ListState::Missing;
    }
    return ListSaysTheSame(list, onDisc) ? ListState::Same : ListState::Differs;
}

std::vector<std::string> ReadCheckedTextList(const std::string& name) {
    return ReadChecked(name, TextListProblem, rt::SplitTextLines);
}

std::vector<std::string> ReadCheckedRecordNumberList(const std::string& name) {
    return ReadChecked(name, RecordNumberListProblem, rt::SplitTextLines);
}

std::vector<std::string> ReadCheckedNameFile(const std::string& name, std::size_t capacity) {
    return ReadChecked(
        name, [capacity](std::string_view b) { return NameFileProblem(b, capacity); },
        [capacity](std::string_view b) { return NameFileEntriesOf(b, capacity); });
}

std::vector<std::string> ReadNameFile(const std::string& name, std::size_t capacity) {
    return ReadCheckedNameFile(name, capacity);
}

}  // namespace remedies
