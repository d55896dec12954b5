// The update window with three discs, each bringing its own databases of its
// own date: each row shows its own disc, date and colour, each "Ok" installs
// its own row's disc, "Altra cartella..." takes the last row when all are
// taken, and the return closes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "remedies/database_update.h"
#include "remedies/primary_db.h"
#include "remedies/windows/update_window.h"
#include "remedies/windows/window_parts.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"

using namespace remedies;
using namespace remedy_tests;
using namespace editor_tests;
namespace fs = std::filesystem;

namespace {


void Age(const fs::path& folder, int minutes) {
    for (const auto& e : fs::directory_iterator(folder))
        fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
}

// Three discs: "cd" older than the installed databases, "usb" and "sd"
// newer, "sd" the newest; each adds a remedy of its own.
class UpdateDiscs : public EditorSample {
protected:
    std::vector<fs::path> discs_;
    void SetUp() override {
        const fs::path shipped = KELVOR_TEST_DATA_DIR;
        fs::create_directories("Appoggio");
        for (const char* f : {"Aggiorna1.txt", "Aggiorna2.txt"})
            fs::copy_file(shipped / "Appoggio" / f, fs::path("Appoggio") / f);
        Age("OpzioneH", 600);
        const std::pair<const char*, int> made[] = {{"cd", 6000}, {"usb", 300}, {"sd", 60}};
        for (const auto& [name, minutes] : made) {
            const fs::path disc = sample_.folder.Path() / name / "OpzioneH";
            fs::create_directories(disc);
            const Bytes added =
                EncodePrimaryRecord(MakePrimaryRecord(Texts({std::string("Remedie van ") + name, "Angst"})));
            testing_support::WriteBytes(disc / "DBmain.rnd",
                                        FileBytes(kPrimaryDbName) + std::string(added.begin(), added.end()));
            testing_support::WriteBytes(disc / "Repertorio.rnd", FileBytes(kRepertoryDbName));
            Age(disc, minutes);
            discs_.push_back(disc);
        }
        gui::SetSystemServices(std::make_unique<DiscVolumes>(
            std::vector<fs::path>{discs_[0].parent_path(), discs_[1].parent_path(), discs_[2].parent_path()}));
    }
    void TearDown() override { gui::SetSystemServices(nullptr); }
};

TEST_F(UpdateDiscs, EachRowShowsItsOwnDiscAndEachOkInstallsIt) {
    UpdateWindow w;
    w.show();
    ASSERT_TRUE(messages_.messages.empty()) << messages_.Texts()[0];
    const char* names[] = {"cd", "usb", "sd"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(w.updateRows[i].placeEdit), names[i]);
        EXPECT_EQ(Text(w.updateRows[i].dateEdit), SetDateIn(discs_[i]).dateText) << names[i];
        EXPECT_EQ(BackgroundOf(w.updateRows[i].dateEdit), i == 0 ? kRed : kAqua) << names[i];
    }
    EXPECT_NE(Text(w.updateRows[0].dateEdit), Text(w.updateRows[2].dateEdit));
    for (const UpdateWindow::UpdateRow& row : w.updateRows) EXPECT_TRUE(row.installButton->isEnabled());

    QTest::mouseClick(w.updateRows[2].installButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), testing_support::ReadBytes(discs_[2] / "DBmain.rnd"));
    EXPECT_EQ(Text(w.lastUpdateEdit), Text(w.updateRows[2].dateEdit));
    EXPECT_EQ(ReadPrimaryRecord(PrimaryRecordCount()).remedy, "Remedie van sd");
    // "usb" is older than what is installed now: asked, and no keeps it out.
    messages_.messages.clear();
    messages_.answers.push_back(gui::kAnswerNo);
    QTest::mouseClick(w.updateRows[1].installButton, Qt::LeftButton);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_NE(messages_.messages[0].text.find("pi\xF9 vecchie"), std::string::npos);
    EXPECT_EQ(ReadPrimaryRecord(PrimaryRecordCount()).remedy, "Remedie van sd");
    QTest::mouseClick(w.updateRows[1].installButton, Qt::LeftButton);  // yes
    EXPECT_EQ(ReadPrimaryRecord(PrimaryRecordCount()).remedy, "Remedie van usb");
    EXPECT_EQ(Text(w.lastUpdateEdit), Text(w.updateRows[1].dateEdit));
    QTest::mouseClick(w.updateRows[0].installButton, Qt::LeftButton);  // yes
    EXPECT_EQ(ReadPrimaryRecord(PrimaryRecordCount()).remedy, "Remedie van cd");

    QTest::mouseClick(w.backToMenuButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(UpdateDiscs, AnotherFolderTakesTheLastRowWhenAllAreTaken) {
    fs::path answer;
    UpdateWindow w([&](QWidget*) { return answer; });
    w.show();
    const fs::path chosen = sample_.folder.Path() / "downloads";
    fs::create_directories(chosen / "opzioneh");
    testing_support::WriteBytes(chosen / "opzioneh" / "DBmain.rnd", FileBytes(kPrimaryDbName));
    Age(chosen / "opzioneh", 6);
    // Chooser cancelled, then a folder without "OpzioneH": the rows stay.
    QTest::mouseClick(w.otherFolderButton, Qt::LeftButton);
    answer = sample_.folder.Path() / "Appoggio";
    QTest::mouseClick(w.otherFolderButton, Qt::LeftButton);
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Nella cartella scelta non c'\xE8 una cartella OpzioneH"});
    EXPECT_EQ(Text(w.updateRows[2].placeEdit), "sd");
    answer = chosen;
    QTest::mouseClick(w.otherFolderButton, Qt::LeftButton);
    EXPECT_EQ(Text(w.updateRows[0].placeEdit), "cd");
    EXPECT_EQ(Text(w.updateRows[1].placeEdit), "usb");
    EXPECT_EQ(Text(w.updateRows[2].placeEdit), "downloads");
    EXPECT_EQ(Text(w.updateRows[2].dateEdit), SetDateIn(chosen / "opzioneh").dateText);
    QTest::mouseClick(w.updateRows[2].installButton, Qt::LeftButton);
    EXPECT_EQ(FileBytes(kPrimaryDbName), testing_support::ReadBytes(chosen / "opzioneh" / "DBmain.rnd"));
}

TEST_F(UpdateDiscs, TheUndoAdviceNamesTheDatabasesAsTheFolderSpellsThem) {
    // The installed databases as a Windows or FAT medium spells them.
    fs::rename("OpzioneH", "OPZIONEH");
    fs::rename("OPZIONEH/DBmain.rnd", "OPZIONEH/DBMAIN.RND");
    fs::rename("OPZIONEH/Repertorio.rnd", "OPZIONEH/REPERTORIO.RND");
    const std::string installed = FileBytes(kPrimaryDbName);
    UpdateWindow w;
    w.show();
    messages_.messages.clear();
    QTest::mouseClick(w.updateRows[2].installButton, Qt::LeftButton);
    ASSERT_EQ(FileBytes(kPrimaryDbName), testing_support::ReadBytes(discs_[2] / "DBmain.rnd"));
    ASSERT_FALSE(messages_.messages.empty());
    const std::string said = messages_.messages.back().text;

    // The advice followed to the letter: each kept copy copied in place of the
    // file it names, in the folder it names.
    const std::size_t as = said.find(" come "), colon = said.find(": per tornare indietro");
    const std::size_t instead = said.find("al posto di ");
    ASSERT_TRUE(as != std::string::npos && colon != std::string::npos && instead != std::string::npos) << said;
    auto names = [](std::string text) {
        std::vector<std::string> out;
        for (std::size_t cut; (cut = text.find(" e ")) != std::string::npos; text.erase(0, cut + 3))
            out.push_back(text.substr(0, cut));
        out.push_back(text);
        return out;
    };
    const std::vector<std::string> kept = names(said.substr(as + 6, colon - as - 6));
    const std::vector<std::string> replaced = names(said.substr(instead + 12, said.size() - instead - 13));
    ASSERT_EQ(kept.size(), 2u) << said;
    ASSERT_EQ(replaced.size(), 2u) << said;
    for (std::size_t i = 0; i < kept.size(); ++i)
        fs::copy_file(fs::path("OPZIONEH") / kept[i], fs::path("OPZIONEH") / replaced[i],
                      fs::copy_options::overwrite_existing);
    // The program reads the databases it had before, and no second spelling stands beside them.
    EXPECT_EQ(FileBytes(kPrimaryDbName), installed);
    int databases = 0;
    for (const auto& e : fs::directory_iterator("OPZIONEH")) {
        const std::string n = e.path().filename().string();
        databases += n == "DBMAIN.RND" || n == "REPERTORIO.RND";
        EXPECT_TRUE(n != "DBmain.rnd" && n != "Repertorio.rnd") << n;
    }
    EXPECT_EQ(databases, 2);
}

}  // namespace
