// Reference files the program only reads (tables, texts, databases, pictures)
// damaged in a started program: the window that reads one names the file once;
// a file the program ships is put back from the installation, its damaged copy
// kept, and what it shows is read from the sound file; nothing is rebuilt from
// a damaged database; a picture the check calls damaged is never played; a
// file that may not be read is reported as such, and a calendar message names
// the damaged file. Afterwards every file of the data folder is compared with
// what it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "archive/archive_files.h"
#include "archive/calendars.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/input_dialog.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/metafile_viewer.h"
#include "display/sheets/sheet_viewer.h"
#include "display/wheel/wheel_state.h"
#include "engine/bodies.h"
#include "platform/gui/idle.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/text_file.h"
#include "remedies/browser_search.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/no_installed_copies.h"
#include "tests/shell/shell_test_support.h"
#include "tools/ephemeris_tables/precise_positions.h"

namespace damaged_reference_files_test {

namespace fs = std::filesystem;
using shell_testing::ProgramStart;
using shell_testing::Snapshot;
using testing_support::RandomBytes;
using testing_support::ReadBytes;
using testing_support::RunAsUnprivilegedUser;
using testing_support::WriteBytes;

namespace {

using Files = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

// The files whose bytes differ, and the files made, between two snapshots.
Names Touched(const Files& before, const Files& after) {
    Names out;
    for (const auto& [name, bytes] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != bytes) out.push_back(name);
    }
    for (const auto& [name, bytes] : before)
        if (!after.count(name)) out.push_back(name + " (removed)");
    return out;
}

// The work files a chart drawing rewrites each time.
bool IsWorkFile(const std::string& name) {
    return name == "OpzioneT/PosiPian.txt" || name == "OpzioneT/PosiSegn.txt" || name.rfind("FileTmp/", 0) == 0;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The messages that name the file.
std::vector<std::string> NamingFile(const gui::RecordingMessageSink& sink, const std::string& file) {
    std::vector<std::string> out;
    for (const auto& m : sink.messages)
        if (Contains(m.text, "\"" + file + "\"")) out.push_back(m.text);
    return out;
}

void StoreMerini() {
    shell_testing::MakeMeriniCurrent();
    shell_testing::StartedMainWindow()->Refresh();
}

// The birth-theme sheet in its viewer, drawn as its timer draws it.
void DrawThemeSheet() {
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBVert")->click();
    testing_support::WindowOfTest<display::SheetViewer>()->DrawWhenReady();
    testing_support::WindowOfTest<display::SheetViewer>()->DrawWhenReady();
}

// The interactive model with its wheel drawn.
void OpenChartWindow() {
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBProped")->click();
    while (testing_support::ChartControl<QTimer>("Timer1")->isActive())
        testing_support::ChartWindowOfTest()->DrawWhenReady();
}

void ClickSun() {
    const QPoint sun(display::MapX(testing_support::DrawingStateOfTest(),
                                   testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Sun]),
                     display::MapY(testing_support::DrawingStateOfTest(),
                                   testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Sun]));
    QTest::mouseClick(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, sun);
}

void ClickMoon() {
    const QPoint moon(display::MapX(testing_support::DrawingStateOfTest(),
                                    testing_support::NatalWheelOfTest().planetGlyphX[engine::ChartPoint::Moon]),
                      display::MapY(testing_support::DrawingStateOfTest(),
                                    testing_support::NatalWheelOfTest().planetGlyphY[engine::ChartPoint::Moon]));
    QTest::mouseClick(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, moon);
}

void ClickSagittarius() {
    const QPoint sign(display::MapX(testing_support::DrawingStateOfTest(),
                                    testing_support::NatalWheelOfTest().signGlyphX[engine::Sign::Sagittarius]),
                      display::MapY(testing_support::DrawingStateOfTest(),
                                    testing_support::NatalWheelOfTest().signGlyphY[engine::Sign::Sagittarius]));
    QTest::mouseClick(testing_support::ChartWindowOfTest(), Qt::LeftButton, Qt::NoModifier, sign);
}

// The first `count` lines of a text file, each with its line end.
std::string FirstLines(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < count; ++n) end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

}  // namespace

TEST(DamagedReferenceFiles, TheThemeSheetNamesItsDamagedTextsOnceAndIsDrawn) {
    ProgramStart start;
    StoreMerini();
    const std::string garbage = RandomBytes(3000, 1);
    WriteBytes(start.Data() / "Appoggio" / "GoverAnno.txt", garbage);
    WriteBytes(start.Data() / "OpzioneT" / "KlvPianCan.Txt", "");
    const Files before = Snapshot(start.Data());

    DrawThemeSheet();
    testing_support::WindowOfTest<display::SheetViewer>()->ZoomIn();  // drawn again: nothing more is said
    // Both texts are put back from the installation, their damaged copies kept.
    const auto rulers = NamingFile(start.messages, "Appoggio\\GoverAnno.txt");
    ASSERT_EQ(rulers.size(), 1u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(rulers[0], "danneggiato o incompleto (la riga 1 ")) << rulers[0];
    EXPECT_TRUE(Contains(rulers[0], "rimesso al suo posto il file della sua installazione")) << rulers[0];
    const auto terms = NamingFile(start.messages, "OpzioneT\\KlvPianCan.Txt");
    ASSERT_EQ(terms.size(), 1u);
    EXPECT_TRUE(Contains(terms[0], "(\xE8 vuoto). Il programma ha rimesso al suo posto")) << terms[0];
    EXPECT_EQ(start.messages.messages.size(), 2u);
    EXPECT_TRUE(testing_support::WindowOfTest<display::SheetViewer>()
                    ->isVisible());  // the sheet stands, with the rest of its blocks

    const fs::path shipped = rt::InstalledDataFolder();
    EXPECT_EQ(ReadBytes(start.Data() / "Appoggio" / "GoverAnno.txt"),
              ReadBytes(shipped / "Appoggio" / "GoverAnno.txt"));
    EXPECT_EQ(ReadBytes(start.Data() / "Appoggio" / "GoverAnno.txt.damaged1"), garbage);
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvPianCan.Txt"),
              ReadBytes(shipped / "OpzioneT" / "KlvPianCan.Txt"));
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvPianCan.Txt.damaged1"), "");
    for (const auto& n : Touched(before, Snapshot(start.Data())))
        EXPECT_TRUE(IsWorkFile(n) || n.rfind("Appoggio/GoverAnno.txt", 0) == 0 ||
                    n.rfind("OpzioneT/KlvPianCan.Txt", 0) == 0)
            << n;
    testing_support::WindowOfTest<display::SheetViewer>()->hide();
}

TEST(DamagedReferenceFiles, APlanetsGeneralTextsAndPlantDetailsMissingAreNamed) {
    ProgramStart start;
    StoreMerini();
    // The Sun's general texts gone from the planets' texts; the signature
    // database cut to nothing.
    std::string general;
    for (const auto& line : shell_testing::CrLfLines(ReadBytes(start.Data() / "OpzioneT" / "KlvPian.txt")))
        if (line.rfind("So", 0) != 0) general += line + "\r\n";
    WriteBytes(start.Data() / "OpzioneT" / "KlvPian.txt", general);
    WriteBytes(start.Data() / "OpzioneS" / "DataStf.rnd", "");
    const Files before = Snapshot(start.Data());

    OpenChartWindow();
    ClickSun();  // the attribution texts, from the planets' texts put back
    const auto texts = NamingFile(start.messages, "OpzioneT\\KlvPian.txt");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(Contains(texts[0], "mancano i testi generali di ZOON")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], "\"KlvPian.txt.damaged1\"")) << texts[0];
    EXPECT_FALSE(testing_support::ChartControl<QPlainTextEdit>("MemoL1")
                     ->toPlainText()
                     .isEmpty());  // the specific texts are shown
    EXPECT_FALSE(testing_support::ChartControl<QPlainTextEdit>("MemoL2")
                     ->toPlainText()
                     .isEmpty());  // and the Sun's general ones
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvPian.txt.damaged1"), general);

    ClickSun();  // the plants of the Sun, from their list; their details from the database
    ASSERT_GT(testing_support::ChartControl<QComboBox>("ComboBoxPiante")->count(), 0);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->setCurrentIndex(0);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->activated(0);
    testing_support::ChartControl<QComboBox>("ComboBoxPiante")->activated(0);
    const auto plants = NamingFile(start.messages, "OpzioneS\\DataStf.rnd");
    ASSERT_EQ(plants.size(), 1u);
    EXPECT_TRUE(Contains(plants[0], "non contiene la pianta \"Angelica\"")) << plants[0];
    EXPECT_TRUE(Contains(plants[0], "--import-signatures")) << plants[0];
    EXPECT_EQ(start.messages.messages.size(), 2u);

    for (const auto& n : Touched(before, Snapshot(start.Data())))
        EXPECT_TRUE(IsWorkFile(n) || n.rfind("OpzioneT/KlvPian.txt", 0) == 0) << n;
    testing_support::ChartWindowOfTest()->hide();
}

TEST(DamagedReferenceFiles, AGlyphTheCheckCallsDamagedIsNeverPlayed) {
    ProgramStart start;
    StoreMerini();
    const fs::path sun = start.Data() / "Simboli" / "PiaX01.emf";
    const std::string whole = ReadBytes(sun);
    WriteBytes(sun, whole.substr(0, whole.size() / 2));
    const Files before = Snapshot(start.Data());

    testing_support::NoInstalledCopies installation;  // no sound picture to put back
    OpenChartWindow();
    ClickSun();  // the Sun's picture beside its texts
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("Image1")->pixmap().isNull());
    EXPECT_TRUE(testing_support::ChartControl<QLabel>("Image2")->pixmap().isNull());
    ASSERT_EQ(start.messages.Texts().size(), 1u);
    const std::string said = start.messages.Texts()[0];
    EXPECT_EQ(said.rfind("Il file \"Simboli\\PiaX01.emf\" \xE8 danneggiato o incompleto (non \xE8 un metafile intero",
                         0),
              0u)
        << said;
    EXPECT_TRUE(Contains(said,
                         "Al posto del simbolo il programma disegna un riquadro barrato. L'installazione del "
                         "programma non ne ha una copia integra"))
        << said;
    for (const auto& n : Touched(before, Snapshot(start.Data()))) EXPECT_TRUE(IsWorkFile(n)) << n;
    testing_support::ChartWindowOfTest()->hide();
}

TEST(DamagedReferenceFiles, AMetafileCutInHalfIsNamedAndShownAsFarAsItGoes) {
    ProgramStart start;
    StoreMerini();
    DrawThemeSheet();
    testing_support::ControlOf<QComboBox>(*testing_support::WindowOfTest<display::SheetViewer>(), "ComboEMF")
        ->setEditText("GRAF01.EMF");
    testing_support::ControlOf<QPushButton>(*testing_support::WindowOfTest<display::SheetViewer>(), "BBEMFout")
        ->click();
    const fs::path emf = start.Data() / "Emf" / "GRAF01.EMF";
    const std::string whole = ReadBytes(emf);
    ASSERT_GT(whole.size(), 1000u);
    WriteBytes(emf, whole.substr(0, whole.size() / 2));
    const Files before = Snapshot(start.Data());

    int shown = 0;
    gui::SetModalHandler("FoMetGra", [&shown](QDialog* d) {
        static_cast<display::MetafileViewer*>(d)->ShowCurrentFile();
        static_cast<display::MetafileViewer*>(d)->ShowCurrentFile();  // drawn again: said once
        ++shown;
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*testing_support::WindowOfTest<display::SheetViewer>(), "BBEMFin")->click();
    EXPECT_EQ(shown, 1);
    const auto said = NamingFile(start.messages, "Emf\\GRAF01.EMF");
    ASSERT_EQ(said.size(), 1u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(said[0], "non \xE8 un metafile intero")) << said[0];
    EXPECT_EQ(start.messages.messages.size(), 1u);
    for (const auto& n : Touched(before, Snapshot(start.Data()))) EXPECT_TRUE(IsWorkFile(n)) << n;
    testing_support::WindowOfTest<display::SheetViewer>()->hide();
}

// The planets' correction table overwritten with random bytes of its own size:
// the chart of the stored person is computed from the table put back, Mars
// still in Leo and Saturn in Sagittarius where the reference ephemeris has them.
TEST(DamagedReferenceFiles, ARandomPlanetTableIsPutBackAndTheChartStaysRight) {
    ProgramStart start;
    archive::WriteCurrentPerson("ROSSI MARIO", shell_testing::StoredRecord("198707201200-2", "41N54-012E29ROMA"));
    const fs::path table = start.Data() / "FilePosi" / "DPR1.rnd";
    const std::string garbage = RandomBytes(fs::file_size(table), 17);
    WriteBytes(table, garbage);

    start.Activate();  // the main window loads the person and computes the chart
    EXPECT_TRUE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                    ->toPlainText()
                    .startsWith("ROSSI MARIO"));
    precise::Init();
    const double jd = swe_julday(1987, 7, 20, 10.0, SE_GREG_CAL);  // 12:00 in Rome, summer time
    for (int body : {5, 7}) {
        const precise::Position p = precise::At(jd, body);
        ASSERT_TRUE(p.ok);
        EXPECT_LT(std::fabs(precise::AngleDiff(
                      p.lon,
                      static_cast<double>(
                          testing_support::CurrentChartOfTest().chart.bodies[engine::BodyOfNumber(body)].longitude))) *
                      60,
                  1.0)
            << body;
    }
    EXPECT_EQ(static_cast<int>(testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Mars].longitude / 30),
              4);  // Leo
    EXPECT_EQ(static_cast<int>(testing_support::CurrentChartOfTest().chart.bodies[engine::Body::Saturn].longitude / 30),
              8);  // Sagittarius

    const auto said = NamingFile(start.messages, "FilePosi\\DPR1.rnd");
    ASSERT_EQ(said.size(), 1u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(said[0], "danneggiato o incompleto (il record 0 porta il giorno giuliano")) << said[0];
    EXPECT_TRUE(Contains(said[0], "conservato accanto come \"DPR1.rnd.damaged1\"")) << said[0];
    EXPECT_EQ(start.messages.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(table), ReadBytes(rt::InstalledDataFolder() / "FilePosi" / "DPR1.rnd"));
    EXPECT_EQ(ReadBytes(start.Data() / "FilePosi" / "DPR1.rnd.damaged1"), garbage);
}

// The help texts of random bytes, then cut in half: each time the chart
// window names the file, puts the shipped texts back and shows its help.
TEST(DamagedReferenceFiles, DamagedHelpTextsArePutBackAndShown) {
    ProgramStart start;
    StoreMerini();
    const fs::path help = start.Data() / "Appoggio" / "Messaggi.txt";
    const std::string sound = ReadBytes(help);
    const std::string garbage = RandomBytes(sound.size(), 23);
    for (const std::string& damaged : {garbage, sound.substr(0, sound.size() / 2)}) {
        SCOPED_TRACE(damaged.size());
        WriteBytes(help, damaged);
        start.messages.messages.clear();
        OpenChartWindow();  // the wheel with its help text
        EXPECT_TRUE(
            testing_support::ChartControl<QPlainTextEdit>("Memo1")->toPlainText().startsWith("GEBOORTEHOROSCOOP"))
            << testing_support::ChartControl<QPlainTextEdit>("Memo1")->toPlainText().toStdString();
        const auto said = NamingFile(start.messages, "Appoggio\\Messaggi.txt");
        ASSERT_EQ(said.size(), 1u) << start.messages.messages.size();
        EXPECT_TRUE(Contains(said[0], "Il programma ha rimesso al suo posto il file della sua installazione"))
            << said[0];
        EXPECT_EQ(start.messages.messages.size(), 1u);
        EXPECT_EQ(ReadBytes(help), sound);
        testing_support::ChartWindowOfTest()->hide();
    }
    EXPECT_EQ(ReadBytes(start.Data() / "Appoggio" / "Messaggi.txt.damaged1"), garbage);
    EXPECT_EQ(ReadBytes(start.Data() / "Appoggio" / "Messaggi.txt.damaged2"), sound.substr(0, sound.size() / 2));
}

// The help texts damaged, the chart window opened from the active main
// window: the message of its opening is answered as a box is (the window
// system gives the focus back to the window the box belonged to), and then
// the chart window is the one in front, not the main window.
TEST(DamagedReferenceFiles, AfterAMessageAtItsOpeningTheChartWindowIsInFront) {
    ProgramStart start;
    StoreMerini();
    auto settle = [] {
        for (int round = 0; round < 20; ++round) QCoreApplication::processEvents();
    };
    shell_testing::StartedMainWindow()->activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), shell_testing::StartedMainWindow());
    const fs::path help = start.Data() / "Appoggio" / "Messaggi.txt";
    WriteBytes(help, RandomBytes(fs::file_size(help), 29));

    std::vector<std::string> told;
    const gui::MessageSink previous = gui::SetMessageSink([&told](const gui::MessageRequest& r) {
        told.push_back(r.text);
        if (r.owner) r.owner->activateWindow();
        return int(gui::kAnswerOk);
    });
    OpenChartWindow();
    settle();
    gui::SetMessageSink(previous);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(Contains(told[0], "Appoggio\\Messaggi.txt")) << told[0];
    EXPECT_EQ(QApplication::activeWindow(), testing_support::ChartWindowOfTest());
    testing_support::ChartWindowOfTest()->hide();
}

// The planets' specific attribution texts cut in half: the Sun's texts are
// the ones the sound file gives, read from the file put back.
TEST(DamagedReferenceFiles, CutAttributionTextsArePutBackAndShownWhole) {
    ProgramStart start;
    StoreMerini();
    OpenChartWindow();
    ClickSun();
    const QString specific = testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText();
    ASSERT_GT(specific.count('\n'), 1);
    testing_support::ChartWindowOfTest()->hide();

    const fs::path texts = start.Data() / "OpzioneT" / "KlvPianSpe.Txt";
    const std::string sound = ReadBytes(texts);
    WriteBytes(texts, sound.substr(0, sound.size() / 2));
    OpenChartWindow();
    ClickSun();
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText(), specific);
    const auto said = NamingFile(start.messages, "OpzioneT\\KlvPianSpe.Txt");
    ASSERT_EQ(said.size(), 1u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(said[0], "\xE8 interrotta). Il programma ha rimesso")) << said[0];
    EXPECT_EQ(ReadBytes(texts), sound);
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvPianSpe.Txt.damaged1"), sound.substr(0, sound.size() / 2));
    testing_support::ChartWindowOfTest()->hide();
}

// The specific attribution texts cut at a line, so that what is left is whole
// text: the sign texts after 16 of their 48 lines, the points' after the
// first ones of the Moon. Each is named for the texts it lacks and put back,
// and Sagittarius and the Moon show all their texts.
TEST(DamagedReferenceFiles, AttributionTextsCutAtALineArePutBackAndShownWhole) {
    ProgramStart start;
    StoreMerini();
    OpenChartWindow();
    ClickSagittarius();
    const QString sagittarius = testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText();
    ClickMoon();
    const QString moon = testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText();
    ASSERT_GT(sagittarius.count('\n'), 1);
    ASSERT_GT(moon.count('\n'), 5);
    testing_support::ChartWindowOfTest()->hide();
    ASSERT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;

    const fs::path signs = start.Data() / "OpzioneT" / "KlvSegnSpe.txt";
    const fs::path points = start.Data() / "OpzioneT" / "KlvPianSpe.Txt";
    const std::string soundSigns = ReadBytes(signs), soundPoints = ReadBytes(points);
    // The points' file from the Moon's house texts on is gone: its signs stay.
    const std::size_t moonHouses = soundPoints.find("\r\nLunaPrim") + 2;
    const std::string cutSigns = FirstLines(soundSigns, 16), cutPoints = soundPoints.substr(0, moonHouses);
    WriteBytes(signs, cutSigns);
    WriteBytes(points, cutPoints);
    OpenChartWindow();
    ClickSagittarius();
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText(), sagittarius);
    ClickMoon();
    EXPECT_EQ(testing_support::ChartControl<QPlainTextEdit>("MemoL1")->toPlainText(), moon);
    const auto signsSaid = NamingFile(start.messages, "OpzioneT\\KlvSegnSpe.txt");
    ASSERT_EQ(signsSaid.size(), 1u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(signsSaid[0], "(manca il testo di SaAnKre e di altre 15 chiavi). Il programma ha rimesso"))
        << signsSaid[0];
    const auto pointsSaid = NamingFile(start.messages, "OpzioneT\\KlvPianSpe.Txt");
    ASSERT_EQ(pointsSaid.size(), 1u) << start.messages.messages.size();
    // Its 144 lines hold the signs of every point and the Sun's houses.
    EXPECT_TRUE(Contains(pointsSaid[0], "(manca il testo di Sole01 e di altre 2105 chiavi). Il programma ha rimesso"))
        << pointsSaid[0];
    EXPECT_EQ(ReadBytes(signs), soundSigns);
    EXPECT_EQ(ReadBytes(points), soundPoints);
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvSegnSpe.txt.damaged1"), cutSigns);
    EXPECT_EQ(ReadBytes(start.Data() / "OpzioneT" / "KlvPianSpe.Txt.damaged1"), cutPoints);
    EXPECT_EQ(start.messages.messages.size(), 2u);
    testing_support::ChartWindowOfTest()->hide();
}

TEST(DamagedReferenceFiles, NoListIsRebuiltFromADamagedDatabase) {
    ProgramStart start;
    // The therapies database overwritten with random bytes of its own size;
    // the primary database cut in half.
    const fs::path therapies = start.Data() / "OpzioneH" / "Repertorio.rnd";
    WriteBytes(therapies, RandomBytes(fs::file_size(therapies), 21));
    const fs::path primary = start.Data() / "OpzioneH" / "DBmain.rnd";
    const std::string db = ReadBytes(primary);
    WriteBytes(primary, db.substr(0, db.size() / 2));
    const Files before = Snapshot(start.Data());

    int listed = -1;
    gui::SetModalHandler("FoAggRep", [&](QDialog* d) {
        auto* w = dynamic_cast<remedies::RepertoryEditor*>(d);
        w->Refresh();
        w->Refresh();  // opened again: said again
        listed = w->entryList->count();
        w->rebuildListsButton->click();  // "Ricostruisci File"
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBaggRep")->click();
    const auto repertory = NamingFile(start.messages, "OpzioneH\\Repertorio.rnd");
    ASSERT_EQ(repertory.size(), 3u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(repertory[0], "non sono schede della banca dati")) << repertory[0];
    EXPECT_EQ(repertory[1], repertory[0]);
    EXPECT_TRUE(Contains(repertory[2], "non sono stati ricostruiti")) << repertory[2];
    EXPECT_EQ(listed, 0);  // nothing read from it is listed

    start.messages.messages.clear();
    gui::SetModalHandler("FoMainArc", [&](QDialog* d) {
        auto* w = dynamic_cast<remedies::PrimaryEditor*>(d);
        w->Refresh();
        listed = w->entryList->count();
        w->rebuildListsButton->click();
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn4")->click();
    const auto main = NamingFile(start.messages, "OpzioneH\\DBmain.rnd");
    ASSERT_EQ(main.size(), 2u) << start.messages.messages.size();
    EXPECT_TRUE(Contains(main[0], "l'ultima scheda \xE8 incompleta")) << main[0];
    EXPECT_TRUE(Contains(main[1], "non sono stati ricostruiti")) << main[1];
    EXPECT_EQ(listed, 0);

    // The symptoms window reads the same file: it names it once, then nothing more is said.
    start.messages.messages.clear();
    EXPECT_FALSE(remedies::FindSymptomHits("Hoest").empty());
    EXPECT_EQ(NamingFile(start.messages, "OpzioneH\\DBmain.rnd").size(), 1u);
    start.messages.messages.clear();
    EXPECT_FALSE(remedies::FindSymptomHits("Hoest").empty());
    EXPECT_TRUE(start.messages.messages.empty());

    EXPECT_EQ(Touched(before, Snapshot(start.Data())), Names{});
}

namespace {

// The run-time code of the error a call raises (0: none).
int CodeOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::IoError& e) {
        return e.Code();
    }
    return 0;
}

}  // namespace

TEST(UnreadableFiles, AreReportedAsDeniedNeverAsShortOrMissing) {
    ProgramStart start;  // no chart computed yet: the correction tables are read anew
    testing_support::OpenToOtherUsers(start.Data());
    fs::permissions(start.Data(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
    for (const char* f : {"FilePosi/DPR1.rnd", "OpzioneH/DBmain.rnd", "Appoggio/Messaggi.txt"})
        fs::permissions(start.Data() / f, fs::perms::none);
    const Files before = Snapshot(start.Data());

    // The correction tables of the planets, the primary database as the
    // symptoms window reads it, a text file.
    EXPECT_EQ(RunAsUnprivilegedUser([] {
                  return CodeOf([] {
                      static_cast<void>(engine::ComputeBodiesWithRetro(
                          0, 2438755.0L, engine::BodySettingsOf(testing_support::CurrentChartOfTest().settings, {})));
                  });
              }),
              rt::kAccessDenied);
    EXPECT_EQ(RunAsUnprivilegedUser([] { return CodeOf([] { remedies::FindSymptomHits("Hoest"); }); }),
              rt::kAccessDenied);
    EXPECT_EQ(RunAsUnprivilegedUser([] { return CodeOf([] { rt::ReadTextLines("Appoggio\\Messaggi.txt"); }); }),
              rt::kAccessDenied);
    // A file that is truly missing is still missing.
    EXPECT_EQ(RunAsUnprivilegedUser([] { return CodeOf([] { rt::ReadTextLines("Appoggio\\Geen.txt"); }); }),
              rt::kFileNotFound);
    EXPECT_EQ(Touched(before, Snapshot(start.Data())), Names{});
}

TEST(DamagedCalendars, TheMessageNamesTheDamagedFileNotTheCalendar) {
    ProgramStart start;
    const fs::path index = start.Data() / "Calendar" / "Elencal.002";
    const std::string good = ReadBytes(index);
    auto walk = [] {
        archive::ZoneCalendarQuery q;
        q.table = archive::PlaceTableKind::Foreign;
        q.calendarName = "01000002.CAL";
        q.clockJulianDay = 2451545;
        archive::ApplyZoneCalendar(q);
    };
    auto said = [&walk] {
        gui::RecordingMessageSink messages;
        gui::Guard(walk);
        return messages.messages.empty() ? std::string() : messages.messages[0].text;
    };
    EXPECT_EQ(said(), "");

    // Each damaged file is named, not the calendar, and put back from the
    // installation; the calendar is then walked.
    const std::string garbage = RandomBytes(good.size(), 4);
    WriteBytes(index, garbage);
    std::string text = said();
    EXPECT_EQ(text.rfind("Il file \"Calendar\\Elencal.002\" \xE8 danneggiato o incompleto (manca la riga del "
                         "calendario 01000002.CAL). Il programma ha rimesso al suo posto",
                         0),
              0u)
        << text;
    EXPECT_EQ(ReadBytes(index), good);
    EXPECT_EQ(ReadBytes(start.Data() / "Calendar" / "Elencal.002.damaged1"), garbage);
    EXPECT_EQ(said(), "");

    const fs::path database = start.Data() / "Calendar" / "Database.cll";
    const std::string cll = ReadBytes(database);
    WriteBytes(database, cll.substr(0, 24 * 50));
    text = said();
    EXPECT_EQ(text.rfind("Il file \"Calendar\\Database.cll\" \xE8 danneggiato o incompleto (ha solo 50 schede", 0), 0u)
        << text;
    EXPECT_EQ(ReadBytes(database), cll);
}

}  // namespace damaged_reference_files_test
