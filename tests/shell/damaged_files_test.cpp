// Damaged files in a started program, as a user meets them: each file is
// damaged, the user presses the button that reads it, and afterwards every
// file of the data folder is compared with what it was. Nothing of the user's
// is lost or replaced by values the program did not read; where a damaged
// file is repaired its copy is kept; a damaged file is named in one message.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/input_dialog.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "display/chart/chart_window.h"
#include "engine/engine_settings.h"
#include "platform/gui/idle.h"
#include "platform/runtime/io_error.h"
#include "remedies/windows/principles_window.h"
#include "shell/orb_settings_window.h"
#include "shell/rich_text_file.h"
#include "shell/rich_text_window.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace damaged_files_test {

namespace fs = std::filesystem;
using shell_testing::CrLfLines;
using shell_testing::ProgramStart;
using shell_testing::Snapshot;
using testing_support::RandomBytes;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

using Files = std::map<std::string, std::string>;

// What became of the data folder between two snapshots.
struct Changes {
    std::vector<std::string> changed, added, removed;
};

Changes Compare(const Files& before, const Files& after) {
    Changes c;
    for (const auto& [name, bytes] : before) {
        auto it = after.find(name);
        if (it == after.end())
            c.removed.push_back(name);
        else if (it->second != bytes)
            c.changed.push_back(name);
    }
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) c.added.push_back(name);
    return c;
}

using Names = std::vector<std::string>;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

archive::BirthRecord Person(const char* date, const char* place) { return shell_testing::StoredRecord(date, place); }

// Orb sets of the user's own: set B 7.5 everywhere, set C 3, set B chosen.
std::string WriteOwnOrbSets() {
    engine::OrbSets sets = engine::DefaultOrbSets();
    sets.orbs[1].fill(7.5L);
    sets.orbs[2].fill(3);
    sets.selected = "B";
    engine::SaveOrbSets(sets);
    return ReadBytes(fs::current_path() / "FileDum" / "MMVarOrb.dum");
}

// Opens the orb settings window from the main window and closes it with its
// button; returns the texts of the B and C edits as the window showed them.
std::pair<std::vector<std::string>, std::vector<std::string>> OpenAndCloseOrbWindow() {
    std::vector<std::string> b, c;
    gui::SetModalHandler("FoOrbKel", [&](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        gui::Guard([w] { w->Refresh(); });
        for (int i = 0; i < shell::kOrbAspectCount; ++i) {
            b.push_back(w->setColumns[shell::kSetB].orbEdits[i]->text().toStdString());
            c.push_back(w->setColumns[shell::kSetC].orbEdits[i]->text().toStdString());
        }
        w->returnButton->click();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnVarOrbAsp")->click();
    return {b, c};
}

}  // namespace

TEST(DamagedOrbSets, ALineThatIsNoOrbIsNamedAndTheOwnSetsStay) {
    ProgramStart start;
    const std::string sound = WriteOwnOrbSets();
    std::vector<std::string> lines = CrLfLines(sound);
    lines[37] = "abc";  // set C, the semi-square
    std::string damaged;
    for (const auto& l : lines) damaged += l + "\r\n";
    WriteBytes(start.Data() / "FileDum" / "MMVarOrb.dum", damaged);
    const Files before = Snapshot(start.Data());

    const auto [b, c] = OpenAndCloseOrbWindow();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"FileDum\\MMVarOrb.dum\"")) << text;
    EXPECT_TRUE(Contains(text, "riga 38 \"abc\"")) << text;
    EXPECT_TRUE(Contains(text, "\"MMVarOrb.dum.damaged1\"")) << text;
    // The window showed the user's own sets, the unreadable orb at set C's
    // own starting value (the septile's 0,5).
    EXPECT_EQ(b, std::vector<std::string>(14, "7,5"));
    EXPECT_EQ(c[5], "0,5");
    EXPECT_EQ(c[4], "3");
    EXPECT_EQ(c[13], "3");

    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_EQ(changes.changed, Names{"FileDum/MMVarOrb.dum"});
    EXPECT_EQ(changes.added, Names{"FileDum/MMVarOrb.dum.damaged1"});
    EXPECT_TRUE(changes.removed.empty());
    EXPECT_EQ(ReadBytes(start.Data() / "FileDum" / "MMVarOrb.dum.damaged1"), damaged);
    // Every line but the damaged one is as the user had it.
    const std::vector<std::string> now = CrLfLines(ReadBytes(start.Data() / "FileDum" / "MMVarOrb.dum"));
    ASSERT_EQ(now.size(), 49u);
    const std::vector<std::string> was = CrLfLines(sound);
    for (std::size_t i = 0; i < 49; ++i) {
        if (i == 37) continue;
        EXPECT_EQ(now[i], was[i]) << "line " << i + 1;
    }
    EXPECT_EQ(now[37], " 5.00000000000000E-0001");
}

TEST(DamagedOrbSets, AFileCutInHalfKeepsWhatItHoldsAndTheSetInForce) {
    ProgramStart start;
    const std::string sound = WriteOwnOrbSets();
    engine::SetEngineSettingsLine(testing_support::CurrentChartOfTest().settings,
                                  testing_support::CurrentChartOfTest().orbs, 19, "B",
                                  shell_testing::ShowSettingsMessage);
    // The first 24 of its 49 lines: it ends inside set B.
    const std::vector<std::string> all = CrLfLines(sound);
    std::string half;
    for (std::size_t i = 0; i < 24; ++i) half += all[i] + "\r\n";
    WriteBytes(start.Data() / "FileDum" / "MMVarOrb.dum", half);
    const Files before = Snapshot(start.Data());

    const auto [b, c] = OpenAndCloseOrbWindow();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    EXPECT_TRUE(Contains(start.messages.messages[0].text, "finisce alla riga 24 delle sue 48"))
        << start.messages.messages[0].text;
    // The orbs of set B the half file holds are the user's; the rest take set
    // B's own starting values (the square's 4,0).
    for (int i = 0; i < 7; ++i) EXPECT_EQ(b[i], "7,5") << i;
    EXPECT_EQ(b[8], "4");

    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_EQ(changes.changed, Names{"FileDum/MMVarOrb.dum"});
    EXPECT_EQ(changes.added, Names{"FileDum/MMVarOrb.dum.damaged1"});
    EXPECT_EQ(ReadBytes(start.Data() / "FileDum" / "MMVarOrb.dum.damaged1"), half);
    const std::vector<std::string> now = CrLfLines(ReadBytes(start.Data() / "FileDum" / "MMVarOrb.dum"));
    ASSERT_EQ(now.size(), 49u);
    EXPECT_EQ(now[22], CrLfLines(sound)[22]);
    EXPECT_EQ(now[48], "B");  // the set in force stays the marked one
}

TEST(DamagedOrbSets, AFileThatCannotBeReadIsNeverSavedOver) {
    ProgramStart start;
    WriteOwnOrbSets();
    fs::remove(start.Data() / "FileDum" / "MMVarOrb.dum");
    fs::create_directory(start.Data() / "FileDum" / "MMVarOrb.dum");
    WriteBytes(start.Data() / "FileDum" / "MMVarOrb.dum" / "inside", "kept");
    const Files before = Snapshot(start.Data());

    OpenAndCloseOrbWindow();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    EXPECT_EQ(start.messages.messages[0].text, rt::IoError::MessageAbout(rt::kAccessDenied, "FileDum\\MMVarOrb.dum"));
    EXPECT_EQ(start.messages.messages[0].text.rfind("Accesso al file negato: \"FileDum\\MMVarOrb.dum\". ", 0), 0u);
    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_TRUE(changes.changed.empty());
    EXPECT_TRUE(changes.added.empty());
    EXPECT_TRUE(changes.removed.empty());
}

namespace {

// The current person with a text file of the given bytes, as the store left them.
void PersonWithText(ProgramStart& start, const std::string& bytes) {
    archive::WriteCurrentPerson("ROSSI MARIO", Person("196012251405-1", "41N54-012E29ROMA"), " nota",
                                {"BASE", "00012"});
    WriteBytes(start.Data() / "BASEtxt" / "00012.txt", bytes);
    start.Activate();
}

}  // namespace

TEST(DamagedPersonText, ACtrlZInsideIsReadWholeAndSavedWhole) {
    ProgramStart start;
    // 1,214 bytes: a stray Ctrl-Z on the first line, the rest of the user's text after it.
    std::string text = "ROSSI MARIO\x1A opmerking\r\n";
    while (text.size() < 1200) text += "Een regel van de eigen tekst van de gebruiker.\r\n";
    text += "Laatste regel";
    PersonWithText(start, text);
    ASSERT_TRUE(
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")->isVisible());
    const Files before = Snapshot(start.Data());

    std::string shown;
    gui::SetModalHandler("FoReMaiH", [&](QDialog* d) {
        auto* w = static_cast<shell::RichTextWindow*>(d);
        shown = w->EditorText();
        w->editor->moveCursor(QTextCursor::End);
        w->editor->insertPlainText("!");
        w->SaveFile();
        return int(gui::kModalOk);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")->click();
    std::string expected;  // every CR LF shown as one line end
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) expected += text[i];
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;

    // The text, and the hand-off naming it to the editor.
    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_EQ(changes.changed, Names{"BASEtxt/00012.txt"});
    EXPECT_EQ(changes.added, Names{"FileDum/DatModif.dum"});
    EXPECT_EQ(ReadBytes(start.Data() / "BASEtxt" / "00012.txt"), text + "!");
}

TEST(DamagedPersonText, AFileTooLargeToShowIsLeftAsItIs) {
    ProgramStart start;
    const std::string huge = RandomBytes(shell::kLargestShownText + 1, 7);
    PersonWithText(start, huge);
    const Files before = Snapshot(start.Data());

    gui::SetModalHandler("FoReMaiH", [](QDialog* d) {
        auto* w = static_cast<shell::RichTextWindow*>(d);
        EXPECT_EQ(w->EditorText(), "");
        EXPECT_EQ(w->FileName(), QString("Untitled"));
        return int(gui::kModalOk);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")->click();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    EXPECT_TRUE(Contains(start.messages.messages[0].text, "troppo grande")) << start.messages.messages[0].text;
    EXPECT_TRUE(Contains(start.messages.messages[0].text, "00012.txt"));
    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_TRUE(changes.changed.empty());
    EXPECT_EQ(changes.added, Names{"FileDum/DatModif.dum"});
}

namespace {

// Two people in the personal archive; the second's data record is overwritten
// with random bytes. The first is the current person.
void DamageSecondPerson(ProgramStart& start) {
    archive::StoreRequest q;
    q.letters = "BASE";
    q.name = "ALBERTI ANNA";
    q.record = Person("196001151230+1", "41N54-012E29ROMA");
    archive::StorePersonRecords(q);
    q.name = "VERDI GIUSEPPE";
    q.record = Person("195001151230+1", "45N28-009E12MILANO");
    const int verdi = *archive::IndexEntryNumber(archive::StorePersonRecords(q).entry);
    archive::WriteCurrentPerson("ALBERTI ANNA", Person("196001151230+1", "41N54-012E29ROMA"));
    std::string st2 = ReadBytes(start.Data() / "BASE.ST2");
    st2.replace(static_cast<std::size_t>(verdi) * archive::kBirthRecordSize, archive::kBirthRecordSize,
                RandomBytes(archive::kBirthRecordSize, 11));
    WriteBytes(start.Data() / "BASE.ST2", st2);
    start.Activate();
}

}  // namespace

TEST(DamagedStoredPerson, ARecalledRecordOfRandomBytesIsNamedAndNotMadeCurrent) {
    ProgramStart start;
    DamageSecondPerson(start);
    const Files before = Snapshot(start.Data());

    bool loaded = true, okEnabled = true;
    gui::SetModalHandler("FormRich", [&](QDialog* d) {
        auto* w = static_cast<archive::RecallDialog*>(d);
        w->ResetAndOpenArchive();
        w->ChooseLine(1);  // ALBERTI, VERDI
        w->LoadChosenPerson();
        loaded = w->loaded;
        okEnabled = w->okButton->isEnabled();
        w->okButton->click();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(okEnabled);
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"VERDI GIUSEPPE\" nell'archivio \"BASE\" (file \"BASE.ST2\", scheda 00002)")) << text;
    EXPECT_TRUE(Contains(text, "la persona corrente resta quella di prima")) << text;
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("ALBERTI ANNA"));

    // The current person and the archive as they were; only the recall's
    // pointer to the chosen record was written.
    const Changes changes = Compare(before, Snapshot(start.Data()));
    for (const auto& n : changes.changed) EXPECT_EQ(n, "FileDum/PointGlo.dum");
    for (const auto& n : changes.added) EXPECT_TRUE(n == "FileDum/PointGlo.dum" || n == "FileDum/MMDatArc.dum") << n;
    EXPECT_TRUE(changes.removed.empty());
}

TEST(DamagedStoredPerson, ADamagedCurrentPersonIsNamedOnceAndDrawsNoChart) {
    ProgramStart start;
    archive::WriteCurrentPerson("VERDI GIUSEPPE", Person("195001151230+1", "45N28-009E12MILANO"));
    std::string tmpr = ReadBytes(start.Data() / "TMPR.ST2");
    tmpr.replace(21, 40, RandomBytes(40, 5));  // the coordinates and the place
    WriteBytes(start.Data() / "TMPR.ST2", tmpr);
    const Files before = Snapshot(start.Data());

    start.Activate();
    start.Activate();  // every dialog activates the main window again: told once
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"VERDI GIUSEPPE\" nell'archivio \"TMPR\" (file \"TMPR.ST2\")")) << text;
    EXPECT_TRUE(Contains(text, "Coordinate Scorrette")) << text;
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                  ->toPlainText()
                  .trimmed(),
              "");
    EXPECT_EQ(testing_support::CurrentChartOfTest().chart.moment.julianDay, 0);
    const Changes changes = Compare(before, Snapshot(start.Data()));
    EXPECT_TRUE(changes.changed.empty());
    EXPECT_TRUE(changes.added.empty());
}

// A folder in place of either file of the current person: named once, saying
// that the current person is not shown and what the user can do; nothing of
// an earlier person is shown, and a recall is refused whole, the other file
// of the current person left as it was.
TEST(DamagedStoredPerson, AFolderInPlaceOfTheCurrentPersonIsNamedOnceAndShowsNoOne) {
    for (const char* file : {"TMPR.ST1", "TMPR.ST2"}) {
        ProgramStart start;
        archive::StoreRequest q;
        q.letters = "BASE";
        q.name = "ALBERTI ANNA";
        q.record = Person("196001151230+1", "41N54-012E29ROMA");
        archive::StorePersonRecords(q);
        archive::WriteCurrentPerson("VERDI GIUSEPPE", Person("195001151230+1", "45N28-009E12MILANO"));
        start.Activate();
        ASSERT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                        ->toPlainText()
                        .startsWith("VERDI GIUSEPPE"));
        fs::remove(start.Data() / file);
        fs::create_directory(start.Data() / file);
        start.Activate();
        start.Activate();  // told once
        ASSERT_EQ(start.messages.messages.size(), 1u) << file;
        const std::string& text = start.messages.messages[0].text;
        EXPECT_TRUE(Contains(text, std::string("\"") + file +
                                       "\". Al suo posto c'\xE8 una cartella, non un file. "
                                       "La persona corrente non viene mostrata"))
            << text;
        EXPECT_TRUE(Contains(text, std::string("Spostare altrove o rinominare la cartella \"") + file + "\"")) << text;
        EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                      ->toPlainText()
                      .trimmed(),
                  "")
            << file;

        const Files before = Snapshot(start.Data());
        int result = -1;
        gui::SetModalHandler("FormRich", [&](QDialog* d) {
            auto* w = static_cast<archive::RecallDialog*>(d);
            w->ResetAndOpenArchive();
            w->ChooseLine(0);
            w->LoadChosenPerson();
            w->okButton->click();
            result = w->result();
            return result;
        });
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
        EXPECT_NE(result, int(QDialog::Accepted)) << file;
        ASSERT_EQ(start.messages.messages.size(), 2u) << file;
        EXPECT_TRUE(Contains(start.messages.messages[1].text, "La persona non \xE8 stata richiamata."))
            << start.messages.messages[1].text;
        for (const auto& n : Compare(before, Snapshot(start.Data())).changed)
            EXPECT_TRUE(n == "FileDum/PointGlo.dum" || n == "FileDum/MMDatArc.dum") << n;
    }
}

// Every damage is named under the file that holds it: the current person's
// name in "TMPR.ST1", that file cut short, a stored person's annotations in
// "BASE.ST3".
TEST(DamagedStoredPerson, EachDamageIsNamedUnderTheFileThatHoldsIt) {
    ProgramStart start;
    archive::WriteCurrentPerson("VERDI GIUSEPPE", Person("195001151230+1", "45N28-009E12MILANO"));
    const std::string tmpr1 = ReadBytes(start.Data() / "TMPR.ST1");
    std::string garbled = tmpr1;
    garbled[0] = 38;
    garbled.replace(1, 38, RandomBytes(38, 8));  // the name
    WriteBytes(start.Data() / "TMPR.ST1", garbled);
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    std::string text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text,
                         "nell'archivio \"TMPR\" (file \"TMPR.ST1\") \xE8 danneggiata: Il nome contiene un "
                         "carattere di controllo"))
        << text;
    EXPECT_TRUE(Contains(text, "richiamarla dal suo archivio")) << text;

    // Cut in half: named once, however often the main window is activated.
    start.messages.messages.clear();
    WriteBytes(start.Data() / "TMPR.ST1", tmpr1.substr(0, tmpr1.size() / 2));
    start.Activate();
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    text = start.messages.messages[0].text;
    EXPECT_EQ(text,
              "Il file \"TMPR.ST1\" \xE8 danneggiato o incompleto (\xE8 pi\xF9 corto della sua scheda). La "
              "persona corrente non viene mostrata: richiamarla dal suo archivio.");
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                  ->toPlainText()
                  .trimmed(),
              "");

    // Annotations of random bytes in the personal archive.
    archive::StoreRequest q;
    q.letters = "BASE";
    q.name = "ALBERTI ANNA";
    q.record = Person("196001151230+1", "41N54-012E29ROMA");
    q.annotation = archive::AnnotationRecord{};
    q.annotation->lines[0] = "NOTA UNO";
    const int notes = archive::StorePersonRecords(q).annotationNumber;
    std::string st3 = ReadBytes(start.Data() / "BASE.ST3");
    st3.replace(static_cast<std::size_t>(notes) * archive::kAnnotationRecordSize + 1, 8, RandomBytes(8, 2));
    WriteBytes(start.Data() / "BASE.ST3", st3);
    start.Activate();
    start.messages.messages.clear();
    gui::SetModalHandler("FormRich", [](QDialog* d) {
        auto* w = static_cast<archive::RecallDialog*>(d);
        w->ResetAndOpenArchive();
        w->ChooseLine(0);
        w->LoadChosenPerson();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text,
                         "(file \"BASE.ST3\", le annotazioni della scheda 00001) \xE8 danneggiata: "
                         "Un'annotazione contiene un carattere di controllo"))
        << text;
    EXPECT_TRUE(Contains(text, "ripristinare l'archivio da una copia di sicurezza")) << text;
}

// A damaged index is named in the dialogs that list it: random bytes list no
// name; an index cut short lists the people of its whole entries.
TEST(DamagedStoredPerson, ADamagedIndexIsNamedAndNoGarbageIsListed) {
    ProgramStart start;
    archive::StoreRequest q;
    q.letters = "BASE";
    for (const char* name : {"ALBERTI ANNA", "BIANCHI BRUNO", "COSTA CARLA", "DORIA DANTE"}) {
        q.name = name;
        q.record = Person("196001151230+1", "41N54-012E29ROMA");
        archive::StorePersonRecords(q);
    }
    start.Activate();
    const std::string st1 = ReadBytes(start.Data() / "BASE.ST1");
    std::vector<std::string> listed;
    gui::SetModalHandler("FormRich", [&listed](QDialog* d) {
        auto* w = static_cast<archive::RecallDialog*>(d);
        w->ResetAndOpenArchive();
        listed.clear();
        for (int i = 0; i < w->nameList->count(); ++i) listed.push_back(w->nameList->item(i)->text().toStdString());
        return int(gui::kModalCancel);
    });

    const std::string garbage = RandomBytes(st1.size(), 6);
    WriteBytes(start.Data() / "BASE.ST1", garbage);
    start.messages.messages.clear();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")
        ->click();  // opened again: said once
    EXPECT_EQ(listed, Names{"ARCHIVIO DANNEGGIATO"});
    ASSERT_EQ(start.messages.messages.size(), 1u);
    std::string text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "Il file \"BASE.ST1\" \xE8 danneggiato o incompleto (la voce 1 ")) << text;
    EXPECT_TRUE(Contains(text, "Le persone dell'archivio non vengono elencate")) << text;
    EXPECT_EQ(ReadBytes(start.Data() / "BASE.ST1"), garbage);  // the user's file is left as it is

    // Header, the first entry whole, and half of the second.
    WriteBytes(start.Data() / "BASE.ST1", st1.substr(0, 2 * archive::kIndexRecordSize + 20));
    start.messages.messages.clear();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].rfind("ALBERTI ANNA", 0), 0u) << listed[0];
    ASSERT_EQ(start.messages.messages.size(), 1u);
    text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"BASE.ST1\" \xE8 danneggiato o incompleto (l'ultima voce \xE8 incompleta")) << text;
    EXPECT_TRUE(Contains(text, "Vengono elencate le persone delle voci intere")) << text;
}

// The annotation hand-off of random bytes, or cut in half, is named and the
// main window's box shows nothing of it.
TEST(DamagedHandOffs, GarbledAnnotationsAreNamedAndNotShown) {
    ProgramStart start;
    const std::string line = " POETESSA MILANESE VERSI";
    archive::WriteCurrentPerson("MERINI ALDA", Person("196412251405-1", "41N54-012E29ROMA"), line, {"BASE", ""});
    const fs::path handOff = start.Data() / "FileDum" / "Annotaz.dum";
    start.Activate();
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")
                  ->toPlainText()
                  .toStdString(),
              line);
    const std::string sound = ReadBytes(handOff);

    WriteBytes(handOff, RandomBytes(sound.size(), 12));
    start.Activate();
    start.Activate();  // told once
    EXPECT_EQ(
        testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")->toPlainText(),
        "");
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("MERINI ALDA"));  // the person is shown
    ASSERT_EQ(start.messages.messages.size(), 1u);
    std::string text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "Il file \"FileDum\\Annotaz.dum\" \xE8 danneggiato o incompleto (")) << text;
    EXPECT_TRUE(Contains(text, "Richiamando la persona dal suo archivio il file viene scritto di nuovo.")) << text;

    start.messages.messages.clear();
    WriteBytes(handOff, sound.substr(0, sound.size() / 2));
    start.Activate();
    EXPECT_EQ(
        testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")->toPlainText(),
        "");
    ASSERT_EQ(start.messages.messages.size(), 1u);
    EXPECT_TRUE(Contains(start.messages.messages[0].text, "(la riga non \xE8 chiusa)"))
        << start.messages.messages[0].text;
}

// The annotation hand-off and the user's name file filled with random bytes
// that hold no control character, their size kept: each is named for what was
// found in it, a line not closed, never for a cut it did not undergo.
TEST(DamagedHandOffs, RandomBytesAreNamedForWhatIsFoundNotAsACut) {
    ProgramStart start;
    archive::WriteCurrentPerson("MERINI ALDA", Person("196412251405-1", "41N54-012E29ROMA"), " POETESSA MILANESE",
                                {"BASE", ""});
    start.Activate();
    ASSERT_TRUE(start.messages.messages.empty());
    auto textLike = [](std::string bytes) {
        for (char& c : bytes)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '#';
        return bytes;
    };
    const fs::path annotations = start.Data() / "FileDum" / "Annotaz.dum";
    const fs::path name = start.Data() / "FileTmp" / "Personal.Tmp";
    WriteBytes(annotations, textLike(RandomBytes(fs::file_size(annotations), 21)));
    WriteBytes(name, textLike(RandomBytes(fs::file_size(name), 22)));
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 2u);
    for (const auto& m : start.messages.messages) EXPECT_FALSE(Contains(m.text, "troncat")) << m.text;
    const std::string said = start.messages.messages[0].text + "\n" + start.messages.messages[1].text;
    EXPECT_TRUE(Contains(said, "\"FileDum\\Annotaz.dum\" \xE8 danneggiato o incompleto (la riga non \xE8 chiusa)"))
        << said;
    EXPECT_TRUE(Contains(said, "\"FileTmp\\Personal.Tmp\" era danneggiato (l'ultima riga, la 1, \xE8 interrotta)"))
        << said;
}

// A hand-off of one line where two belong, and the user's name file the same:
// "ha 1 riga", its number and noun agreeing.
TEST(DamagedHandOffs, OneLineIsToldAsOneLine) {
    ProgramStart start;
    archive::WriteCurrentPerson("MERINI ALDA", Person("196412251405-1", "41N54-012E29ROMA"), "", {"BASE", "00001"});
    WriteBytes(start.Data() / "FileDum" / "StrText.dum", "BASE\r\n");
    WriteBytes(start.Data() / "FileTmp" / "Personal.Tmp", "Maria\r\n");
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 2u);
    const std::string said = start.messages.messages[0].text + "\n" + start.messages.messages[1].text;
    EXPECT_TRUE(Contains(said, "(ha 1 riga invece delle due dell'archivio e del testo)")) << said;
    EXPECT_TRUE(Contains(said, "(ha 1 riga invece delle due del nome e del cognome)")) << said;
}

// The hand-off naming the current person's text, of random bytes: named, and
// no button offers a text it does not name.
TEST(DamagedHandOffs, AGarbledTextHandOffIsNamedAndOffersNoText) {
    ProgramStart start;
    archive::WriteCurrentPerson("MERINI ALDA", Person("196412251405-1", "41N54-012E29ROMA"), "", {"BASE", "00001"});
    WriteBytes(start.Data() / "BASEtxt" / "00001.txt", "MERINI ALDA\r\n");
    start.Activate();
    EXPECT_TRUE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")
                    ->isVisibleTo(shell_testing::StartedMainWindow()));
    const fs::path handOff = start.Data() / "FileDum" / "StrText.dum";
    const std::string garbage = RandomBytes(fs::file_size(handOff), 13);
    WriteBytes(handOff, garbage);
    start.Activate();
    start.Activate();  // told once
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")
                     ->isVisibleTo(shell_testing::StartedMainWindow()));
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "Il file \"FileDum\\StrText.dum\" \xE8 danneggiato o incompleto (")) << text;
    EXPECT_TRUE(Contains(text, "Richiamando la persona dal suo archivio il file viene scritto di nuovo.")) << text;
    EXPECT_EQ(ReadBytes(handOff), garbage);
}

// The current person's entry filled with random bytes: the message names the
// archive and its file, never the bytes as the person's name.
TEST(DamagedStoredPerson, AnEntryOfRandomBytesIsNamedWithoutItsBytes) {
    ProgramStart start;
    archive::WriteCurrentPerson("VERDI GIUSEPPE", Person("195001151230+1", "45N28-009E12MILANO"));
    const fs::path tmpr1 = start.Data() / "TMPR.ST1";
    WriteBytes(tmpr1, RandomBytes(fs::file_size(tmpr1), 21));
    start.Activate();
    start.Activate();  // told once
    ASSERT_EQ(start.messages.messages.size(), 1u);
    EXPECT_EQ(start.messages.messages[0].text,
              "La scheda nell'archivio \"TMPR\" (file \"TMPR.ST1\") \xE8 danneggiata: Il nome contiene un carattere "
              "di controllo. La persona corrente non viene mostrata: richiamarla dal suo archivio.");
    EXPECT_EQ(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                  ->toPlainText()
                  .trimmed(),
              "");
}

// A folder where the hand-off naming the current person's text should be
// costs only the text button: named once, the person shown and the chart
// opened at every press of the interactive model.
TEST(DamagedHandOffs, AFolderInPlaceOfTheTextHandOffHidesOnlyTheTextButton) {
    ProgramStart start;
    archive::WriteCurrentPerson("MERINI ALDA", Person("196412251405-1", "41N54-012E29ROMA"), " POETESSA",
                                {"BASE", "00001"});
    WriteBytes(start.Data() / "BASEtxt" / "00001.txt", "MERINI ALDA\r\n");
    const fs::path handOff = start.Data() / "FileDum" / "StrText.dum";
    fs::remove(handOff);
    fs::create_directory(handOff);
    start.Activate();
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("MERINI ALDA"));
    EXPECT_EQ(
        testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")->toPlainText(),
        " POETESSA");
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")
                     ->isVisibleTo(shell_testing::StartedMainWindow()));
    for (int press = 0; press < 2; ++press) {
        testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
        ASSERT_NE(testing_support::ChartWindowOfTest(), nullptr);
        EXPECT_TRUE(testing_support::ChartWindowOfTest()->isVisible()) << "press " << press;
        testing_support::ChartWindowOfTest()->hide();
    }
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"FileDum\\StrText.dum\". Al suo posto c'\xE8 una cartella, non un file.")) << text;
    EXPECT_TRUE(Contains(text, "Il pulsante del testo della persona corrente non viene mostrato.")) << text;
    EXPECT_TRUE(fs::is_directory(handOff));
}

// A recall past that folder is done, as it says: the dialog closes, the
// recalled person is shown without a text button, the folder is named once,
// and the current person is the recalled one whole.
TEST(DamagedHandOffs, ARecallPastAFolderInPlaceOfTheTextHandOffIsDone) {
    ProgramStart start;
    archive::StoreRequest q;
    q.letters = "BASE";
    q.name = "ALBERTI ANNA";
    q.record = Person("196001151230+1", "41N54-012E29ROMA");
    archive::StorePersonRecords(q);
    q.name = "VERDI GIUSEPPE";
    q.record = Person("195001151230+1", "45N28-009E12MILANO");
    archive::StorePersonRecords(q);  // the current person
    const fs::path handOff = start.Data() / "FileDum" / "StrText.dum";
    fs::remove(handOff);
    fs::create_directory(handOff);
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 1u);

    int result = -1;
    gui::SetModalHandler("FormRich", [&](QDialog* d) {
        auto* w = static_cast<archive::RecallDialog*>(d);
        w->ResetAndOpenArchive();
        w->ChooseLine(0);  // ALBERTI, VERDI
        w->LoadChosenPerson();
        w->okButton->click();
        result = w->result();
        return result;
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnDati")->click();
    EXPECT_EQ(result, int(QDialog::Accepted));
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("ALBERTI ANNA"));
    EXPECT_FALSE(testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBApriTesto")
                     ->isVisibleTo(shell_testing::StartedMainWindow()));
    EXPECT_EQ(archive::IndexEntryName(
                  archive::DecodeIndexEntry(rt::ReadAllRecords("TMPR.ST1", archive::kIndexRecordSize)[0]))
                  .substr(0, 12),
              "ALBERTI ANNA");
    EXPECT_EQ(archive::DecodeBirthRecord(rt::ReadAllRecords("TMPR.ST2", archive::kBirthRecordSize)[0]).placeField,
              "41N54-012E29ROMA");
    EXPECT_EQ(start.messages.messages.size(), 1u) << start.messages.messages.back().text;
    EXPECT_TRUE(fs::is_directory(handOff));
}

TEST(DamagedTextCounter, TheStoreGoesOnAndTheCounterIsRepaired) {
    ProgramStart start;
    // Texts 1 to 3 exist; the counter holds garbage.
    for (const char* n : {"00001", "00002", "00003"})
        WriteBytes(start.Data() / "BASEtxt" / (std::string(n) + ".txt"), std::string("tekst ") + n + "\r\n");
    const std::string garbage = RandomBytes(64, 3);
    WriteBytes(start.Data() / "BASEtxt" / "FlagTxt.set", garbage);
    const Files before = Snapshot(start.Data());

    shell_testing::EnterGalileoWhenTheEntryDialogOpens();
    gui::SetModalHandler("FormRegKel", [](QDialog* d) {
        auto* store = static_cast<archive::StoreDialog*>(d);
        store->ShowEnteredBirthData();
        store->storeAndMakeTextButton->click();
        return int(gui::kModalOk);
    });
    gui::SetModalHandler("FoReMaiH", [](QDialog*) { return int(gui::kModalOk); });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtnInputA")->click();

    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_TRUE(Contains(text, "\"BASEtxt\\FlagTxt.set\"")) << text;
    EXPECT_TRUE(Contains(text, "il nuovo testo \xE8 il numero 00004")) << text;
    // The garbage is named as such, not quoted as if it were text.
    EXPECT_TRUE(Contains(text, "(contiene byte che non sono testo invece del numero del prossimo testo)")) << text;
    // The person is stored and current, with text 4.
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("GALILEI GALILEO"));
    EXPECT_EQ(CrLfLines(ReadBytes(start.Data() / "BASEtxt" / "00004.txt")), Names{"GALILEI GALILEO"});
    EXPECT_EQ(CrLfLines(ReadBytes(start.Data() / "BASEtxt" / "FlagTxt.set")), Names{"5"});
    EXPECT_EQ(ReadBytes(start.Data() / "BASEtxt" / "FlagTxt.set.damaged1"), garbage);
    EXPECT_EQ(archive::ListArchiveNames(), (Names{"BASE", "TMPR"}));

    const Changes changes = Compare(before, Snapshot(start.Data()));
    for (const auto& n : changes.changed)
        EXPECT_TRUE(n == "BASE.ST1" || n == "BASE.ST2" || n == "BASE.ST3" || n == "TMPR.ST1" || n == "TMPR.ST2" ||
                    n == "BASEtxt/FlagTxt.set" || n.rfind("FileDum/", 0) == 0)
            << n;
    for (const auto& n : changes.added)
        EXPECT_TRUE(n == "BASEtxt/00004.txt" || n == "BASEtxt/FlagTxt.set.damaged1" || n.rfind("FileDum/", 0) == 0)
            << n;
    EXPECT_TRUE(changes.removed.empty());
    for (const char* n : {"00001", "00002", "00003"})
        EXPECT_EQ(ReadBytes(start.Data() / "BASEtxt" / (std::string(n) + ".txt")), std::string("tekst ") + n + "\r\n");
}

namespace {

// Presses "Genera archivio" of the principles window.
void GeneratePrinciplesByButton() {
    gui::SetModalHandler("FoPrinci", [](QDialog* d) {
        testing_support::ControlOf<QPushButton>(*d, "Button1")->click();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn8")->click();
}

}  // namespace

TEST(DamagedPrinciplesText, RandomBytesOrUtf16NeverReplaceTheGoodFile) {
    ProgramStart start;
    const std::string good = ReadBytes(start.Data() / "Principi.sto");
    const std::string text = ReadBytes(start.Data() / "Principi.txt");
    // The shipped text builds the file as it was shipped.
    GeneratePrinciplesByButton();
    EXPECT_TRUE(start.messages.messages.empty());
    EXPECT_EQ(ReadBytes(start.Data() / "Principi.sto"), good);

    std::string utf16 = "\xFF\xFE";
    for (char c : text) utf16 += std::string{c, '\0'};
    const struct {
        std::string bytes;
        const char* said;
    } cases[] = {{RandomBytes(4000, 9), "non \xE8 un testo Windows-1252"},
                 {utf16, "UTF-16"},
                 {text.substr(0, text.size() / 2), "righe, non le quindici schede"}};
    for (const auto& c : cases) {
        WriteBytes(start.Data() / "Principi.txt", c.bytes);
        const Files before = Snapshot(start.Data());
        start.messages.messages.clear();
        GeneratePrinciplesByButton();
        ASSERT_EQ(start.messages.messages.size(), 1u) << c.said;
        EXPECT_TRUE(Contains(start.messages.messages[0].text, c.said)) << start.messages.messages[0].text;
        EXPECT_TRUE(Contains(start.messages.messages[0].text, "\"Principi.sto\" non \xE8 stato generato"));
        const Changes changes = Compare(before, Snapshot(start.Data()));
        EXPECT_TRUE(changes.changed.empty() && changes.added.empty() && changes.removed.empty()) << c.said;
    }
    EXPECT_EQ(ReadBytes(start.Data() / "Principi.sto"), good);
}

}  // namespace damaged_files_test
