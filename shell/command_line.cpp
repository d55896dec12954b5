#include "shell/command_line.h"

#include <array>
#include <exception>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/message_box.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"
#include "remedies/remedy_files.h"
#include "remedies/signature_db.h"
#include "shell/data_folder_claim.h"

namespace shell {

namespace {

// In English, as the manual page.
constexpr const char* kUsage =
    "Usage: kelvor [[--] file]\n"
    "       kelvor --import-signatures\n"
    "       kelvor --version\n"
    "       kelvor --help\n"
    "\n"
    "  file                  a text file the rich-text window opens; a name that\n"
    "                        begins with \"-\" is given after \"--\"\n"
    "  --import-signatures   imports OpzioneS/DbTesto.Txt of the data folder into\n"
    "                        the signature database (OpzioneS/DataStf.rnd) and\n"
    "                        builds its lists (Sintomi.rnd, Piante.rnd, the planet\n"
    "                        and sign lists), as \"Crea Database\" and \"Crea\n"
    "                        Elenchi\" do; a missing, empty or malformed text\n"
    "                        leaves the database as it was\n"
    "  --version             prints the program's version\n"
    "  --help, -h            prints this help\n"
    "\n"
    "Data folder: $XDG_DATA_HOME/kelvor (by default ~/.local/share/kelvor).\n";

// The options every program of the toolkit takes (the toolkit reads and
// removes them itself): a session manager restarts the program with
// "-session <id>", a user may choose "-style" or "-platform". Those in the
// first list take a value, as the next argument or after "=".
constexpr std::array<std::string_view, 13> kToolkitOptionsWithValue = {
    "-style",   "-stylesheet",      "-platform",     "-platformpluginpath", "-platformtheme",
    "-plugin",  "-qwindowgeometry", "-qwindowicon",  "-qwindowtitle",       "-session",
    "-display", "-geometry",        "-qmljsdebugger"};
constexpr std::array<std::string_view, 2> kToolkitFlags = {"-widgetcount", "-reverse"};

// How many arguments from argv[i] on are a toolkit option with its value (0:
// none is).
int ToolkitOptionLength(int argc, char** argv, int i) {
    const std::string_view arg = argv[i];
    for (std::string_view flag : kToolkitFlags)
        if (arg == flag) return 1;
    for (std::string_view option : kToolkitOptionsWithValue) {
        if (arg == option) return i + 1 < argc ? 2 : 1;
        if (arg.size() > option.size() && arg.substr(0, option.size()) == option && arg[option.size()] == '=') return 1;
    }
    return 0;
}

// Windows-1252 text for the terminal.
std::string Shown(const std::string& text) {
    std::string s = rt::Cp1252ToUtf8(text);
    for (std::size_t p = 0; (p = s.find("\r\n", p)) != std::string::npos;) s.replace(p, 2, "\n");
    return s;
}

// The message boxes and damaged-file reports of the routines go to the terminal.
class TerminalMessages {
public:
    explicit TerminalMessages(std::ostream& err) : err_(err) {
        previous_ = gui::SetMessageSink([this](const gui::MessageRequest& r) {
            err_ << Shown(r.text) << "\n";
            return int(r.buttons == gui::Buttons::YesNo || r.buttons == gui::Buttons::YesNoCancel ? gui::kAnswerNo
                                                                                                  : gui::kAnswerOk);
        });
        rt::SetDamagedFileReporter([this](const std::string& message) { err_ << Shown(message) << "\n"; });
    }
    ~TerminalMessages() {
        gui::SetMessageSink(previous_);
        rt::SetDamagedFileReporter({});
    }
    TerminalMessages(const TerminalMessages&) = delete;
    TerminalMessages& operator=(const TerminalMessages&) = delete;

private:
    std::ostream& err_;
    gui::MessageSink previous_;
};

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The name a list file is known by, without its folder.
std::string FileOf(const std::string& programName) { return programName.substr(programName.rfind('\\') + 1); }

// What the terminal is told of the shipped files a start renewed and of the
// new versions kept beside changed ones (their program names). The windows
// still tell them at their next start: nobody answers a terminal.
std::string RenewedShippedFilesReport(const rt::RenewalNotice& notice) {
    std::string text;
    if (!notice.renewed.empty()) {
        text +=
            "Questa versione del programma ha rinnovato nella cartella dei dati i file che la sua "
            "installazione porta con s\xE9 e che non erano stati modificati:";
        for (const std::string& name : notice.renewed) text += "\r\n  " + name;
        text += "\r\n";
    }
    if (!notice.keptBeside.empty()) {
        text +=
            "Questa versione del programma porta una nuova versione di file modificati: la versione modificata "
            "\xE8 rimasta, la nuova le sta accanto:";
        for (const std::string& name : notice.keptBeside)
            text += "\r\n  " + name + " -> " + name + rt::kKeptNewVersionSuffix;
        text += "\r\n";
    }
    text += "Archivi, impostazioni, database ed elenchi non sono stati toccati.";
    return text;
}

}  // namespace

int ImportSignaturesCommand(std::ostream& out, std::ostream& err) {
    TerminalMessages messages(err);
    const std::filesystem::path folder = rt::UserDataFolder();
    bool madePrivate = false;
    try {
        madePrivate = rt::MakeDataFolderPrivate();
    } catch (const rt::IoError& e) {
        err << Shown("Impossibile preparare la cartella dei dati: " + std::string(e.what()) +
                     (e.File().empty() ? "" : ": " + e.File()))
            << "\n";
        return 1;
    }
    // One copy at a time writes the data folder.
    // Held until the command ends, however it ends.
    DataFolderClaim claim;
    if (!claim.Claim(folder, Claimant::CommandLine)) return 1;
    rt::RenewalNotice renewed;
    try {
        rt::PrepareDataFolder(remedies::RemedySeedGroups(), &renewed);
    } catch (const rt::IoError& e) {
        err << Shown("Impossibile preparare la cartella dei dati: " + std::string(e.what()) +
                     (e.File().empty() ? "" : ": " + e.File()))
            << "\n";
        return 1;
    }
    out << "Cartella dei dati: " << folder.string() << "\n";
    if (madePrivate)
        out << Shown(
                   "La cartella dei dati era leggibile da altri utenti di questo computer: ora \xE8 accessibile "
                   "solo al suo utente.")
            << "\n";
    if (!renewed.Empty()) out << Shown(RenewedShippedFilesReport(renewed)) << "\n";

    std::vector<std::string> symptoms;
    try {
        symptoms = remedies::ImportSignatureDatabase();
    } catch (const std::exception& e) {
        err << Shown(e.what());
        if (const auto* io = dynamic_cast<const rt::IoError*>(&e); io && !io->File().empty())
            err << ": " << Shown(io->File());
        err << "\n"
            << Shown(std::string("Importazione non eseguita: ") + remedies::kSignatureDbName + " \xE8 rimasto com'era.")
            << "\n";
        return 1;
    }
    const std::int64_t records = remedies::DataRecordCount(remedies::SignatureDb());
    std::string done = "Importato ";
    done.append(remedies::kSignatureTextName).append(" in ").append(remedies::kSignatureDbName).append(": ");
    done.append(Count(static_cast<std::size_t>(records), "scheda", "schede")).append("; ");
    done.append(remedies::kSignatureSymptomsName).append(": ").append(Count(symptoms.size(), "sintomo", "sintomi"));
    out << Shown(done) << ".\n";

    try {
        remedies::RebuildSignatureLists();
    } catch (const std::exception& e) {
        err << Shown(e.what()) << "\n"
            << Shown(
                   "Gli elenchi delle piante non sono stati ricostruiti: il programma li ricostruir\xE0 "
                   "all'avvio.")
            << "\n";
        return 1;
    }
    std::string lists = remedies::kPlantNamesName;
    lists.append(": ").append(Count(remedies::ReadNameFile(remedies::kPlantNamesName, 20).size(), "pianta", "piante"));
    lists.append(".\r\nPianeti:");
    for (const auto& row : remedies::kPlanetPlantLists)
        lists += " " + FileOf(row.file) + " " + std::to_string(remedies::ReadNameFile(row.file, 20).size());
    lists += ".\r\nSegni:";
    for (const auto& row : remedies::kSignPlantLists)
        lists += " " + FileOf(row.file) + " " + std::to_string(remedies::ReadNameFile(row.file, 20).size());
    out << Shown("Elenchi ricostruiti. " + lists + ".") << "\n";
    return 0;
}

std::optional<int> RunCommandLineOption(int argc, char** argv, std::ostream& out, std::ostream& err) {
    if (argc < 2) return std::nullopt;
    const std::string option = argv[1];
    if (option == "--help" || option == "-h") {
        out << kUsage;
        return 0;
    }
    if (option == "--version") {
        out << "kelvor " << KELVOR_VERSION << "\n";
        return 0;
    }
    if (option == kImportSignaturesOption) {
        if (argc > 2) {
            err << "kelvor: " << kImportSignaturesOption << " takes no arguments\n" << kUsage;
            return 2;
        }
        return ImportSignaturesCommand(out, err);
    }
    // Anything else that looks like an option, before "--" ends them, is none
    // of the program's (nor one of the toolkit's, which the toolkit takes): it
    // is not taken for a file name.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (const int taken = ToolkitOptionLength(argc, argv, i)) {
            i += taken - 1;
            continue;
        }
        if (!arg.empty() && arg[0] == '-') {
            err << "kelvor: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
    }
    return std::nullopt;
}

std::string TextFileOfCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") return i + 1 < argc ? argv[i + 1] : std::string();
        if (const int taken = ToolkitOptionLength(argc, argv, i)) {
            i += taken - 1;
            continue;
        }
        if (arg.empty() || arg[0] != '-') return arg;
    }
    return {};
}

}  // namespace shell
