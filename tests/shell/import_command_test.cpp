// The maintainer's import of the signature text from the command line:
// "kelvor --import-signatures" imports the data folder's text into the
// signature database and builds its lists; a missing or damaged text changes
// nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include <QDateTime>
#include <QFile>
#include <QLockFile>

#include "platform/runtime/paths.h"
#include "remedies/signature_db.h"
#include "remedies/stale_lists.h"
#include "shell/command_line.h"
#include "shell/data_folder_claim.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::DesktopScope;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

// The maintainer's import: "kelvor --import-signatures" on the data folder.
class ImportCommand : public ::testing::Test {
protected:
    testing_support::TempWorkFolder folder_;
    DesktopScope desktop_;
    std::ostringstream out_, err_;
    int Run(const std::vector<std::string>& args) {
        std::vector<std::string> all{"kelvor"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        out_.str({});
        err_.str({});
        const std::optional<int> status =
            shell::RunCommandLineOption(static_cast<int>(argv.size()), argv.data(), out_, err_);
        return status.value_or(-1);
    }
    fs::path Data() const { return rt::UserDataFolder(); }
};

TEST_F(ImportCommand, HelpAndOptionsThatAreNotTheProgramsOwn) {
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.str().find("--import-signatures"), std::string::npos);
    EXPECT_EQ(Run({"-h"}), 0);
    EXPECT_EQ(Run({"--import"}), 2);
    EXPECT_NE(err_.str().find("unknown option --import"), std::string::npos);
    EXPECT_EQ(Run({"--import-signatures", "more"}), 2);
    // No option, or a text file for the rich-text windows: the windows start.
    EXPECT_EQ(Run({}), -1);
    EXPECT_EQ(Run({"brief.txt"}), -1);
    EXPECT_FALSE(fs::exists(Data() / "OpzioneS"));  // nothing was run
}

// What is not one of the program's options, short or long, anywhere before
// "--", is refused with the usage, in English as the manual page; a text file
// whose name begins with "-" is named after "--".
TEST_F(ImportCommand, AnUnknownOptionIsRefusedAndNeverTakenForAFile) {
    const auto fileOf = [](std::vector<std::string> args) {
        args.insert(args.begin(), "kelvor");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return shell::TextFileOfCommandLine(static_cast<int>(argv.size()), argv.data());
    };
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-v"}, {"--verbose"}, {"-"}, {"brief.txt", "-x"}}) {
        EXPECT_EQ(Run(args), 2) << args.back();
        EXPECT_NE(err_.str().find("kelvor: unknown option " + args.back() + "\nUsage: kelvor [[--] file]\n"),
                  std::string::npos)
            << err_.str();
        EXPECT_TRUE(out_.str().empty());
    }
    // The toolkit's own options are the toolkit's: a session manager restarts
    // the program with "-session <id>".
    EXPECT_EQ(Run({"-session", "10d7a8b", "brief.txt"}), -1) << err_.str();
    EXPECT_EQ(fileOf({"-session", "10d7a8b", "brief.txt"}), "brief.txt");
    EXPECT_EQ(Run({"-style=Fusion", "-reverse"}), -1) << err_.str();
    EXPECT_EQ(fileOf({"-style=Fusion", "-reverse"}), "");
    EXPECT_EQ(Run({"--", "-v"}), -1);
    EXPECT_EQ(fileOf({"--", "-v"}), "-v");
    EXPECT_EQ(Run({"brief.txt"}), -1);
    EXPECT_EQ(fileOf({"brief.txt"}), "brief.txt");
    EXPECT_EQ(fileOf({}), "");
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(out_.str().rfind("Usage: kelvor", 0), 0u) << out_.str();
    EXPECT_NE(out_.str().find("OpzioneS/DbTesto.Txt"), std::string::npos) << out_.str();
}

TEST_F(ImportCommand, ImportsAnEditedTextAndBuildsTheLists) {
    // A first run prepares the folder and imports the sample text.
    ASSERT_EQ(Run({"--import-signatures"}), 0) << err_.str();
    const fs::path text = Data() / "OpzioneS" / "DbTesto.Txt";
    const std::size_t sampleRecords = remedies::ReadAllSignatureRecords().size();
    EXPECT_NE(out_.str().find("Importato OpzioneS\\DbTesto.Txt in OpzioneS\\DataStf.rnd: " +
                              std::to_string(sampleRecords) + " schede"),
              std::string::npos)
        << out_.str();

    // The maintainer adds a plant under the Moon and Pisces.
    std::string bytes = ReadBytes(text);
    while (!bytes.empty() && bytes.back() == '\x1A') bytes.pop_back();
    bytes += "Zzyzxkruid\r\nZZY-ONE\r\nluna\r\n\r\npesci\r\nsintesi\r\nNieuwe klacht\r\nEigen auteur\r\n";
    WriteBytes(text, bytes);
    ASSERT_EQ(Run({"--import-signatures"}), 0) << err_.str();
    EXPECT_TRUE(err_.str().empty()) << err_.str();
    EXPECT_NE(out_.str().find(std::to_string(sampleRecords + 1) + " schede"), std::string::npos) << out_.str();
    const auto records = remedies::ReadAllSignatureRecords();
    ASSERT_EQ(records.size(), sampleRecords + 1);
    EXPECT_EQ(records.back().plant, "Zzyzxkruid");
    EXPECT_EQ(records.back().authors, "Eigen auteur");
    const auto plants = remedies::ReadNameFile(remedies::kPlantNamesName, 20);
    EXPECT_NE(std::find(plants.begin(), plants.end(), "Zzyzxkruid"), plants.end());
    const auto moon = remedies::ReadNameFile("OpzioneS\\LunaPri.Rnd", 20);
    EXPECT_NE(std::find(moon.begin(), moon.end(), "Zzyzxkruid"), moon.end());
    const auto pisces = remedies::ReadNameFile("OpzioneS\\Vissen.rnd", 20);
    EXPECT_NE(std::find(pisces.begin(), pisces.end(), "Zzyzxkruid"), pisces.end());
    const auto symptoms = remedies::ReadNameFile(remedies::kSignatureSymptomsName, 100);
    EXPECT_NE(std::find(symptoms.begin(), symptoms.end(), "Nieuwe klacht"), symptoms.end());
    EXPECT_FALSE(remedies::ListsMarkedStale(remedies::SignatureDb()));
    // What it did, in words and numbers.
    EXPECT_NE(out_.str().find("Piante.rnd: " + std::to_string(plants.size()) + " piante"), std::string::npos);
    EXPECT_NE(out_.str().find("Vissen.rnd " + std::to_string(pisces.size())), std::string::npos) << out_.str();
}

TEST_F(ImportCommand, AMissingOrDamagedTextLeavesTheDatabaseAsItWas) {
    // The maintainer's own database, imported from a text of two plants.
    const fs::path opzioneS = Data() / "OpzioneS";
    WriteBytes(opzioneS / "DbTesto.Txt",
               "Pianta\r\nSigla\r\nPrimaria\r\nSecondaria\r\nZodiacale\r\nSintesi\r\nSintomo\r\nAutori\r\n"
               "Salvia\r\nSAL\r\ngiove\r\n\r\nsagittario\r\nsintesi\r\nTosse\r\nCulpeper\r\n"
               "Ruta\r\nRUT\r\nsole\r\n\r\nleone\r\nsintesi\r\nAnsia\r\nCulpeper\r\n");
    ASSERT_EQ(Run({"--import-signatures"}), 0) << err_.str();
    ASSERT_EQ(remedies::ReadNameFile(remedies::kPlantNamesName, 20), (std::vector<std::string>{"Ruta", "Salvia"}));
    const std::map<std::string, std::string> before = shell_testing::Snapshot(opzioneS);
    const std::string text = ReadBytes(opzioneS / "DbTesto.Txt");
    struct Bad {
        const char* what;
        std::function<void()> make;
        const char* why;
    };
    const std::vector<Bad> bad{
        {"cut in the middle of a group",
         [&] { WriteBytes(opzioneS / "DbTesto.Txt", text.substr(0, text.size() - 20)); }, "Gruppo incompleto"},
        {"empty", [&] { WriteBytes(opzioneS / "DbTesto.Txt", ""); }, "\xC3\xA8 vuoto"},
        {"a database in its place", [&] { WriteBytes(opzioneS / "DbTesto.Txt", ReadBytes(opzioneS / "DataStf.rnd")); },
         "Carattere di controllo"},
        // Not put back from the sample either: the database is the maintainer's.
        {"missing", [&] { fs::remove(opzioneS / "DbTesto.Txt"); }, "OpzioneS\\DbTesto.Txt"},
    };
    for (const Bad& b : bad) {
        b.make();
        EXPECT_EQ(Run({"--import-signatures"}), 1) << b.what;
        EXPECT_NE(err_.str().find(b.why), std::string::npos) << b.what << ": " << err_.str();
        EXPECT_NE(err_.str().find("Importazione non eseguita: OpzioneS\\DataStf.rnd \xC3\xA8 rimasto com'era."),
                  std::string::npos)
            << b.what << ": " << err_.str();
        // Every file as it was but the text itself.
        std::map<std::string, std::string> now = shell_testing::Snapshot(opzioneS);
        now.erase("DbTesto.Txt");
        std::map<std::string, std::string> expected = before;
        expected.erase("DbTesto.Txt");
        EXPECT_EQ(now, expected) << b.what;
    }
}

// The data folder open in the program, here or on another computer: the
// import says so in Italian, as it says everything, with what it knows of the
// other program and the ways on, and touches nothing.
TEST_F(ImportCommand, AFolderInUseIsRefusedInItalianWithTheWayOn) {
    const fs::path lockFile = Data() / shell::kDataFolderLockName;
    fs::create_directories(Data());
    {
        // This process stands for the program running with the folder.
        QLockFile running(QString::fromStdString(lockFile.string()));
        ASSERT_TRUE(running.tryLock(0));
        EXPECT_EQ(Run({"--import-signatures"}), 1);
        EXPECT_EQ(err_.str(), "Il programma \xC3\xA8 gi\xC3\xA0 aperto con questa cartella: " + Data().string() +
                                  ".\nChiudere prima quel programma.\n");
    }
    // The folder brought from another computer where the program was open.
    const std::string otherComputer = "4242\nkelvor\nstudio-pc\n";
    WriteBytes(lockFile, otherComputer);
    {
        QFile file(QString::fromStdString(lockFile.string()));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime(QDate(2021, 5, 3), QTime(14, 12)), QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(Run({"--import-signatures"}), 1);
    EXPECT_EQ(err_.str().rfind("La cartella " + Data().string() +
                                   " \xC3\xA8 bloccata dal programma su un altro computer: computer \"studio-pc\", "
                                   "processo 4242 (kelvor), dal 03-05-2021 14:12.\n",
                               0),
              0u)
        << err_.str();
    EXPECT_NE(err_.str().find("avviare il programma senza opzioni e rispondere di s\xC3\xAC alla sua domanda, oppure "
                              "cancellare il file " +
                              lockFile.string()),
              std::string::npos)
        << err_.str();
    EXPECT_TRUE(out_.str().empty()) << out_.str();
    EXPECT_EQ(ReadBytes(lockFile), otherComputer);
    EXPECT_FALSE(fs::exists(Data() / "OpzioneS"));
}

}  // namespace
