// The main window's buttons open their windows where they belong; the orb-set
// and node boxes change the chart once the window is idle; the orb settings
// window keeps the three sets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "display/chart/chart_window.h"
#include "display/sheets/sheet_selection.h"
#include "engine/chart_state.h"
#include "engine/engine_settings.h"
#include "platform/gui/field_state.h"
#include "platform/gui/idle.h"
#include "shell/main_window.h"
#include "shell/subsystem_windows.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::CrLfLines;
using shell_testing::ProgramStart;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

enum class Place { Near10, Remembered, AsItIs };

struct Command {
    QPushButton* button;
    const char* window;
    Place place;
};

std::vector<std::string> FileLines(const char* name) {
    return CrLfLines(ReadBytes(std::filesystem::current_path() / name));
}

void StoreMerini() {
    shell_testing::MakeMeriniCurrent();
}

// Set B: the orbs 2, 0.5, ..., opposition 0; set C: every orb 3.
void WriteOrbSets(const char* letter) {
    engine::OrbSets sets = engine::DefaultOrbSets();
    for (int i = 1; i <= 14; ++i) {
        sets.orbs[1][i] = i == 14 ? 0 : 2.5L;
        sets.orbs[2][i] = 3;
    }
    sets.selected = letter;
    engine::SaveOrbSets(sets);
}

// Opens the chart window, lets its timer draw the wheel, and returns the
// aspect keys it wrote for the attribution texts.
std::vector<std::string> ChartAspectKeys() {
    shell::theMainWindow->BBProped->click();
    display::theChartWindow->Timer1Timer();
    display::theChartWindow->Timer1Timer();
    std::vector<std::string> keys;
    for (const std::string& line : FileLines("OpzioneT/PosiPian.txt"))
        if (line.size() == 8 && line.substr(3, 2) == "Op") keys.push_back(line);
    return keys;
}

}  // namespace

TEST(MainWindowCommandsTest, EveryButtonOpensItsWindowAtItsPlace) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    main->move(200, 100);
    const std::vector<Command> commands = {
        {main->BitBtn3, "FoTerapi", Place::Remembered},       {main->Bquor1, "FoSintom3", Place::AsItIs},
        {main->Bquor2, "FoSintom2", Place::AsItIs},           {main->Button1, "FoManut1", Place::AsItIs},
        {main->BitBtn4, "FoMainArc", Place::AsItIs},          {main->BBaggRep, "FoAggRep", Place::AsItIs},
        {main->BitBtn5, "FoSegnat", Place::Remembered},       {main->BitBtn7, "FoPiante", Place::AsItIs},
        {main->BitBtn8, "FoPrinci", Place::AsItIs},           {main->BitBtn6, "FoMali", Place::AsItIs},
        {main->BitBtn9, "FoSintesi", Place::AsItIs},          {main->BitBtnVarOrbAsp, "FoOrbKel", Place::Near10},
        {main->BBCerchio, "FgrTxtKel", Place::AsItIs},        {main->BitBtn22, "FoSpeLin", Place::Near10},
        {main->SBtipoStamp, "FoStampa", Place::Near10},       {main->BButility, "FoUtilit", Place::Near10},
        {main->EdAggiorna, "FoAggiorna", Place::Near10},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.window);
        main->BBlkClick();  // unlocked before, locked again after the dialog
        ASSERT_TRUE(main->ComboOrb->isEnabled());
        display::Sheets.SheetCode = 16;
        archive::MainForm.MainFormTop = archive::MainForm.MainFormLeft = -1;
        QString shown;
        QPoint at;
        QSize size;
        gui::SetModalHandler(c.window, [&](QDialog* d) {
            shown = d->objectName();
            at = d->pos();
            size = d->size();
            return int(gui::mrCancel);
        });
        c.button->click();
        EXPECT_EQ(shown, c.window);
        const QRect frame = main->frameGeometry();
        if (c.place != Place::AsItIs) {
            EXPECT_EQ(archive::MainForm.MainFormLeft, main->x());
            EXPECT_EQ(archive::MainForm.MainFormTop, main->y());
        } else {
            EXPECT_EQ(archive::MainForm.MainFormLeft, -1);
        }
        if (c.place == Place::Near10) {
            // The lower right corner 10 pixels beyond the main window's.
            EXPECT_EQ(at.x() + size.width(), main->x() + frame.width() + 10);
            EXPECT_EQ(at.y() + size.height(), main->y() + frame.height() + 10);
        }
        EXPECT_FALSE(main->ComboOrb->isEnabled());
        EXPECT_FALSE(main->ComboNodo->isEnabled());
    }
    // The calibration window is opened for its own figure.
    EXPECT_EQ(display::Sheets.SheetCode, 16);  // set by the loop; the window itself was not asked
    gui::SetModalHandler("FgrTxtKel", [](QDialog*) {
        EXPECT_EQ(display::Sheets.SheetCode, 0);
        return int(gui::mrOk);
    });
    main->BBCerchio->click();
    // The printer-model labels open the same dialog as the button.
    int printer = 0;
    gui::SetModalHandler("FoStampa", [&printer](QDialog*) { return ++printer, int(gui::mrCancel); });
    QTest::mouseClick(main->Label34, Qt::LeftButton);
    EXPECT_EQ(printer, 1);
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, SheetButtonsChooseTheSheetAndShowTheViewer) {
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    struct Expect {
        QPushButton* button;
        int code;
        const char* orientation;
    };
    // The two second sheets are offered disabled; their handlers work alike.
    EXPECT_FALSE(main->BBoriz2->isEnabled());
    EXPECT_FALSE(main->BBvert2->isEnabled());
    const Expect sheets[] = {{main->BBOriz, 16, "L"}, {main->BBVert, 5, "P"}};
    for (const Expect& e : sheets) {
        engine::Chart.PlanetLatitudesSaved.fill(0);
        main->BBlkClick();
        e.button->click();
        EXPECT_EQ(display::Sheets.SheetCode, e.code);
        EXPECT_EQ(display::Sheets.SheetOrientation, e.orientation);
        EXPECT_EQ(engine::Chart.PlanetLatitudesSaved, engine::Chart.PlanetLatitudes);
        EXPECT_NE(engine::Chart.PlanetLatitudes[2], 0);  // the Moon's latitude of the person loaded
        ASSERT_TRUE(shell::theSheetViewer->isVisible());
        EXPECT_TRUE(main->ComboOrb->isEnabled());  // modeless: nothing activated yet
        // Back from the viewer, the main window is activated and locks the boxes.
        shell::theSheetViewer->hide();
        EXPECT_FALSE(main->ComboOrb->isEnabled());
    }
    main->BBoriz2Click();
    EXPECT_EQ(display::Sheets.SheetCode, 17);
    EXPECT_EQ(display::Sheets.SheetOrientation, "L");
    main->BBvert2Click();
    EXPECT_EQ(display::Sheets.SheetCode, 18);
    EXPECT_EQ(display::Sheets.SheetOrientation, "P");
    shell::theSheetViewer->hide();
}

TEST(MainWindowCommandsTest, OrbSetBChosenInTheBoxReachesTheSettingsAndTheChart) {
    ProgramStart start;
    StoreMerini();
    WriteOrbSets("A");
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    // Set A: the nodes, always 180 degrees apart, are in opposition.
    std::vector<std::string> oppositions = ChartAspectKeys();
    EXPECT_NE(std::find(oppositions.begin(), oppositions.end(), "NonOpNos"), oppositions.end());
    display::theChartWindow->hide();
    EXPECT_FALSE(main->ComboOrb->isEnabled());  // locked again after the chart window

    main->BBlkClick();
    main->ComboOrb->setCurrentIndex(1);
    main->ComboOrbChange();
    EXPECT_EQ(engine::Orbs.OrbSetLetter, "B");
    EXPECT_TRUE(main->OrbSetChanged);
    gui::RunIdleHandler();
    EXPECT_FALSE(main->OrbSetChanged);
    std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
    ASSERT_EQ(settings.size(), 20u);
    EXPECT_EQ(settings[0], " 2.50000000000000E+0000");
    EXPECT_EQ(settings[13], " 0.00000000000000E+0000");
    EXPECT_EQ(settings[16], engine::Chart.HouseSystemName);  // the house system in force
    EXPECT_EQ(settings[17], "VERO");
    EXPECT_EQ(settings[18], "B");
    EXPECT_EQ(FileLines("FileDum/MMVarOrb.dum").at(48), "B");
    EXPECT_EQ(engine::Orbs.AspectOrbs[4], 0);
    EXPECT_EQ(main->ComboOrb->currentText(), "B (personali)");
    // With a zero orb of opposition the chart shows no opposition at all.
    EXPECT_TRUE(ChartAspectKeys().empty());
    display::theChartWindow->hide();
    // The set is still in force at the next start.
    engine::Orbs = {};
    engine::LoadOrbiDomiSettings();
    EXPECT_EQ(engine::Orbs.OrbSetLetter, "B");
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, AnyOtherTextInTheOrbBoxAppliesSetA) {
    ProgramStart start;
    WriteOrbSets("C");
    engine::SetOrbiDomiLine(19, "C");
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    EXPECT_EQ(main->ComboOrb->currentText(), "C (personali)");
    main->BBlkClick();
    main->ComboOrb->setEditText("D (mine)");
    main->ComboOrbChange();
    EXPECT_EQ(engine::Orbs.OrbSetLetter, "C");  // unchanged by the typing
    gui::RunIdleHandler();
    EXPECT_EQ(main->ComboOrb->currentText(), "A (normali)");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(0), " 1.00000000000000E+0001");
    EXPECT_EQ(engine::Orbs.OrbSetLetter, "A");
}

TEST(MainWindowCommandsTest, MissingOrbSetsFileIsReportedAndTheSetStays) {
    ProgramStart start;
    WriteOrbSets("C");
    engine::SetOrbiDomiLine(19, "C");
    std::filesystem::remove(start.Data() / "FileDum" / "MMVarOrb.dum");
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    const std::string before = ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt");
    main->ComboOrb->setCurrentIndex(1);
    main->ComboOrbChange();
    gui::RunIdleHandler();
    ASSERT_EQ(start.messages.Texts(), std::vector<std::string>{"Manca File \"MMVarOrb.dum\""});
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt"), before);
    EXPECT_EQ(engine::Orbs.OrbSetLetter, "C");
    EXPECT_EQ(main->ComboOrb->currentText(), "C (personali)");
    gui::RunIdleHandler();  // the request was cleared: reported once
    EXPECT_EQ(start.messages.messages.size(), 1u);
}

TEST(MainWindowCommandsTest, MeanNodeChosenInTheBoxIsUsedByTheNextChart) {
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    const engine::Real trueNode = engine::Chart.PlanetLongitudes[8];
    main->BBlkClick();
    main->ComboNodo->setCurrentIndex(1);
    main->ComboNodoChange();
    EXPECT_EQ(engine::Chart.NodeType, "MEDIO");
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
    main->BBProped->click();
    display::theChartWindow->Timer1Timer();
    display::theChartWindow->Timer1Timer();
    // The mean node of 25 December 1964, 13:05 UT: 82.321 degrees.
    EXPECT_NEAR(engine::Chart.PlanetLongitudes[8], 82.321, 0.02);
    EXPECT_GT(std::fabs(trueNode - 82.321), 0.1);
    EXPECT_EQ(display::theChartWindow->EdNodo->text(), "MEDIO");
    display::theChartWindow->hide();
    EXPECT_FALSE(main->ComboNodo->isEnabled());
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(MainWindowCommandsTest, DoubleClickTogglesTheNodeAndRewritesItEachTime) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    main->BBlkClick();
    QTest::mouseDClick(main->ComboNodo->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(main->ComboNodo->currentText(), "MEDIO");
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
    main->ComboNodoDblClick();
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "VERO");
    EXPECT_EQ(engine::Chart.NodeType, "VERO");
    // A typed word that is no node kind becomes the mean node.
    main->ComboNodo->setEditText("X");
    main->ComboNodoChange();
    gui::RunIdleHandler();
    EXPECT_EQ(main->ComboNodo->currentText(), "MEDIO");
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(17), "MEDIO");
}

TEST(OrbSettingsWindowTest, SetsAreCheckedChosenAndKept) {
    ProgramStart start;
    WriteOrbSets("A");
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    main->BBlkClick();
    main->ComboNodo->setCurrentIndex(0);
    main->ComboNodoChange();  // the main window's idle handler is installed
    gui::RunIdleHandler();
    std::vector<std::string> texts;
    gui::SetModalHandler("FoOrbKel", [&](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->FormActivate();
        EXPECT_EQ(w->EditsB[1]->text(), "2,5");
        EXPECT_EQ(w->EditsB[14]->text(), "0");
        EXPECT_EQ(w->EditsA[9]->text(), QString::fromUtf8("\u00B1 6"));
        EXPECT_FALSE(w->BevelA->isHidden());
        EXPECT_TRUE(w->BevelB->isHidden());
        // 15,5 is beyond the maximum: red, cleared, no way back until mended.
        w->EditsB[3]->setText("15,5");
        w->EditCongBChange();
        w->BitBtn2Click();
        gui::RunIdleHandler();
        EXPECT_EQ(gui::GetFieldState(w->EditsB[3]), gui::FieldState::Rejected);
        EXPECT_TRUE(w->EditsB[3]->text().isEmpty());
        EXPECT_FALSE(w->BitBtnRitorna->isEnabled());
        w->BitBtnRitornaClick();
        EXPECT_EQ(w->result(), 0);  // still open
        // A point is taken and shown as a comma.
        w->EditsB[3]->setText("1");
        w->EditsC[9]->setText(" 4.5 ");
        w->EditCongBChange();
        gui::RunIdleHandler();
        EXPECT_TRUE(w->BitBtnRitorna->isEnabled());
        EXPECT_EQ(w->EditsC[9]->text(), "4,5");
        // Set C chosen: the engine settings get its orbs, the main box its name.
        w->BitBtn1Click();
        EXPECT_FALSE(w->BevelC->isHidden());
        EXPECT_EQ(w->Edit1->text(), "C");
        EXPECT_EQ(main->ComboOrb->currentText(), "C (personali)");
        w->BitBtnRitornaClick();
        return int(gui::mrCancel);
    });
    main->BitBtnVarOrbAspClick();
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>{"Errore Impostazione Orbite"});
    std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
    EXPECT_EQ(settings.at(0), " 3.00000000000000E+0000");
    EXPECT_EQ(settings.at(8), " 4.50000000000000E+0000");
    EXPECT_EQ(settings.at(18), "C");
    std::vector<std::string> sets = FileLines("FileDum/MMVarOrb.dum");
    ASSERT_EQ(sets.size(), 49u);
    EXPECT_EQ(sets[0], "10");
    EXPECT_EQ(sets[16 + 2], " 1.00000000000000E+0000");  // B, decile
    EXPECT_EQ(sets[32 + 8], " 4.50000000000000E+0000");  // C, square
    EXPECT_EQ(sets[48], "C");
    EXPECT_EQ(engine::Orbs.AspectOrbs[2], 4.5L);
    // Back in the main window: the boxes locked, its own idle handler again.
    EXPECT_FALSE(main->ComboOrb->isEnabled());
    EXPECT_EQ(main->ComboOrb->currentText(), "C (personali)");
    main->ComboOrb->setCurrentIndex(0);
    main->ComboOrbChange();
    gui::RunIdleHandler();
    EXPECT_EQ(FileLines("FileSet/OrbiDomi.stt").at(18), "A");
}

TEST(OrbSettingsWindowTest, ClosingWithUnchangedSpecialOrbsRewritesOnlyTheSets) {
    ProgramStart start;
    WriteOrbSets("B");
    engine::SetOrbiDomiLine(19, "B");
    const std::string settings = ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt");
    gui::SetModalHandler("FoOrbKel", [](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->FormActivate();
        w->EditsC[1]->setText("7");
        w->EditCongBChange();
        gui::RunIdleHandler();
        w->BitBtnRitornaClick();
        return int(gui::mrCancel);
    });
    shell::theMainWindow->BitBtnVarOrbAspClick();
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "OrbiDomi.stt"), settings);
    std::vector<std::string> sets = FileLines("FileDum/MMVarOrb.dum");
    EXPECT_EQ(sets.at(32), " 7.00000000000000E+0000");
    EXPECT_EQ(sets.at(48), "B");
}

// On a first start, the personal sets B and C hold their own orbs, so that
// choosing one changes the chart's orbs without any editing.
TEST(OrbSettingsWindowTest, FirstStartSetsBAndCHaveTheirOwnOrbs) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    // The window, opened for the first time, writes the sets and shows them.
    gui::SetModalHandler("FoOrbKel", [](QDialog* d) {
        auto* w = static_cast<shell::OrbSettingsWindow*>(d);
        w->FormActivate();
        EXPECT_EQ(w->EditsB[1]->text(), "10");
        EXPECT_EQ(w->EditsB[3]->text(), "0,5");
        EXPECT_EQ(w->EditsB[14]->text(), "8");
        EXPECT_EQ(w->EditsC[9]->text(), "4,5");
        EXPECT_EQ(w->EditsC[11]->text(), "0,8");
        EXPECT_EQ(w->EditsC[14]->text(), "7");
        w->BitBtnRitornaClick();
        return int(gui::mrCancel);
    });
    main->BitBtnVarOrbAspClick();
    // Choosing B or C in the main window's box changes the chart's orbs at once.
    const struct {
        int index;
        const char* letter;
        const char* orbs[14];
    } sets[] = {
        {1, "B", {"10", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4", "4", "1", "1", "2", "8"}},
        {2, "C", {"5", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4.5", "5", "0.8", "0.8", "1.5", "7"}},
    };
    for (const auto& set : sets) {
        main->BBlkClick();
        main->ComboOrb->setCurrentIndex(set.index);
        main->ComboOrbChange();
        gui::RunIdleHandler();
        const std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
        ASSERT_EQ(settings.size(), 20u);
        EXPECT_EQ(settings[18], set.letter);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(std::stold(settings[static_cast<std::size_t>(i)]), std::stold(set.orbs[i]))
                << set.letter << " line " << i + 1;
        main->FormActivate();
    }
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// On a first start the orb box chooses any set before the orb settings window
// was ever opened: the orb sets are there from the start, B and C with their
// own orbs.
TEST(OrbSettingsWindowTest, TheOrbBoxChoosesEverySetOnAFirstStart) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    const struct {
        int line;
        const char* letter;
        const char* shown;
        const char* orbs[14];
    } sets[] = {
        {2, "C", "C (personali)", {"5", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4.5", "5", "0.8", "0.8", "1.5", "7"}},
        {1, "B", "B (personali)", {"10", "1", "0.5", "0.5", "1", "0.5", "3", "1", "4", "4", "1", "1", "2", "8"}},
        {0, "A", "A (normali)", {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"}},
    };
    for (const auto& set : sets) {
        main->BBlk->click();
        ASSERT_TRUE(main->ComboOrb->isEnabled());
        main->ComboOrb->setCurrentIndex(set.line);
        Q_EMIT main->ComboOrb->activated(set.line);
        gui::RunIdleHandler();
        EXPECT_TRUE(start.messages.messages.empty()) << set.letter << ": " << start.messages.messages[0].text;
        EXPECT_EQ(main->ComboOrb->currentText().toStdString(), set.shown);
        const std::vector<std::string> settings = FileLines("FileSet/OrbiDomi.stt");
        ASSERT_EQ(settings.size(), 20u);
        EXPECT_EQ(settings[18], set.letter);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(std::stold(settings[static_cast<std::size_t>(i)]), std::stold(set.orbs[i]))
                << set.letter << " line " << i + 1;
        EXPECT_EQ(engine::Orbs.AspectOrbs[4], std::stold(set.orbs[13])) << set.letter;  // the chart's opposition
        EXPECT_EQ(FileLines("FileDum/MMVarOrb.dum").at(48), set.letter);
        main->FormActivate();
    }
}

// Every aspect of the orb settings window has its glyph beside its name, each
// a picture of its own.
TEST(OrbSettingsWindowTest, EveryAspectShowsAGlyphOfItsOwn) {
    ProgramStart start;
    std::vector<QImage> glyphs;
    for (int i = 1; i <= 14; ++i) {
        const QString name = QString("Image%1").arg(i == 14 ? 15 : i);
        const auto* image = shell::theOrbSettingsWindow->findChild<QLabel*>(name);
        ASSERT_NE(image, nullptr) << name.toStdString();
        const QImage picture = image->pixmap().toImage();
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) drawn += picture.pixelColor(x, y) != QColor(Qt::black);
        EXPECT_GT(drawn, 12) << name.toStdString() << " shows no strokes";
        for (std::size_t k = 0; k < glyphs.size(); ++k)
            EXPECT_NE(picture, glyphs[k]) << name.toStdString() << " looks like aspect " << k + 1;
        glyphs.push_back(picture);
    }
}

// The orb settings window is placed by the size it has before it is shown: it
// has the room its contents need from the start, every control inside it.
TEST(OrbSettingsWindowTest, TheWindowShowsItsWholeContent) {
    ProgramStart start;
    shell::OrbSettingsWindow* w = shell::theOrbSettingsWindow;
    const QSize before = w->size();
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(w->size(), before);
    for (QWidget* child : {static_cast<QWidget*>(w->BitBtn1), static_cast<QWidget*>(w->BitBtnRitorna),
                           static_cast<QWidget*>(w->EditsC[14])})
        EXPECT_TRUE(w->rect().contains(child->geometry())) << child->objectName().toStdString();
    w->hide();
    gui::ClearIdleHandler();
}

// The orb-set and node boxes look as locked as they are: grey with a shut
// padlock at start and after every activation, aqua with an open one when the
// lock button opens them.
TEST(MainWindowCommandsTest, BoxesLookLockedExactlyWhenTheyAre) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    auto expectLocked = [main](bool locked, const char* when) {
        for (QComboBox* box : {main->ComboOrb, main->ComboNodo}) {
            EXPECT_EQ(box->isEnabled(), !locked) << when;
            EXPECT_EQ(box->palette().color(QPalette::Base), locked ? QColor(128, 128, 128) : QColor(0, 255, 255))
                << when;
            EXPECT_EQ(box->palette().color(QPalette::Text), locked ? QColor(Qt::white) : QColor(Qt::black)) << when;
        }
        EXPECT_EQ(main->BBlk->property("glyph").toString(), locked ? "LockShut" : "LockOpen") << when;
    };
    expectLocked(true, "at start");
    main->BBlk->click();
    expectLocked(false, "unlocked");
    main->BBlk->click();
    expectLocked(true, "locked by hand");
    main->BBlk->click();
    gui::SetModalHandler("FoSpeLin", [](QDialog*) { return int(gui::mrCancel); });
    main->BitBtn22Click();  // a dialog, then the activation
    expectLocked(true, "after an activation");
    main->BBlk->click();
    expectLocked(false, "unlocked again");
}

// Before any person is stored, the chart and sheet buttons say so and open nothing.
TEST(MainWindowCommandsTest, WithoutAPersonNoChartOrSheetOpens) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    ASSERT_TRUE(main->MemoDati->toPlainText().trimmed().isEmpty());
    main->BBProped->click();
    EXPECT_TRUE(display::theChartWindow == nullptr || !display::theChartWindow->isVisible());
    for (QPushButton* b : {main->BBOriz, main->BBVert}) b->click();
    main->BBoriz2Click();
    main->BBvert2Click();
    EXPECT_FALSE(shell::theSheetViewer->isVisible());
    EXPECT_EQ(display::Sheets.SheetCode, 0);
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>(5, shell::kNoCurrentPersonMessage));
    // Once a person is stored, both open.
    StoreMerini();
    main->BBProped->click();
    ASSERT_NE(display::theChartWindow, nullptr);
    EXPECT_TRUE(display::theChartWindow->isVisible());
    display::theChartWindow->hide();
    main->BBVert->click();
    EXPECT_TRUE(shell::theSheetViewer->isVisible());
    shell::theSheetViewer->hide();
    EXPECT_EQ(start.messages.messages.size(), 5u);
}

// Settings an earlier version wrote with decimal commas are read back.
TEST(SettingsFilesTest, DecimalCommasAreReadBack) {
    ProgramStart start;
    std::string sets;
    for (int i = 1; i <= 48; ++i) sets += (i > 16 && i <= 30 ? "2,5" : "1") + std::string("\r\n");
    sets += "B\r\n";
    WriteBytes(start.Data() / "FileDum" / "MMVarOrb.dum", sets);
    std::string settings;
    for (int i = 1; i <= 16; ++i) settings += "2,5\r\n";
    settings += "KOCH\r\nVERO\r\nB\r\nMEDIA\r\n";
    WriteBytes(start.Data() / "FileSet" / "OrbiDomi.stt", settings);
    WriteBytes(start.Data() / "FileSet" / "MMVarLas.stt",
               "1\r\n0\r\n0\r\n1\r\n1,5\r\nDa definire\r\n0,9\r\n1,1\r\n");
    engine::LoadOrbiDomiSettings();
    EXPECT_EQ(engine::Orbs.AspectOrbs[0], 2.5L);
    EXPECT_EQ(engine::Chart.HouseSystemName, "KOCH");
    EXPECT_EQ(engine::LoadOrbSets().orbs[1][1], 2.5L);
    shell::theMainWindow->FormActivate();
    EXPECT_EQ(archive::DrawSettings.LineWidthFactor, 1.5L);
    EXPECT_EQ(archive::DrawSettings.AspectScaleY, 1.1L);
    EXPECT_TRUE(start.messages.messages.empty()) << start.messages.messages[0].text;
}

// Saves pictures of the main window's pages and of the settings windows when
// KELVOR_SCREENSHOT_DIR names a folder.
TEST(MainWindowCommandsTest, Screenshots) {
    const char* dir = std::getenv("KELVOR_SCREENSHOT_DIR");
    if (!dir || !*dir) GTEST_SKIP() << "KELVOR_SCREENSHOT_DIR not set";
    const QString folder = QString::fromUtf8(dir) + "/";
    ProgramStart start;
    StoreMerini();
    shell::MainWindow* main = shell::theMainWindow;
    main->FormActivate();
    main->BBlkClick();
    for (int page = 0; page < 3; ++page) {
        main->PageControl1->setCurrentIndex(page);
        ASSERT_TRUE(main->grab().save(folder + QString("main-%1.png").arg(page + 1)));
    }
    auto shoot = [&](QDialog* d, const char* name) {
        d->show();
        QApplication::processEvents();
        EXPECT_TRUE(d->grab().save(folder + name));
        d->hide();
    };
    display::thePrinterModelDialog->ConfirmationMilliseconds = 0;
    shoot(shell::theOrbSettingsWindow, "orb-settings.png");
    shoot(display::theLineWidthDialog, "line-width.png");
    shoot(display::thePrinterModelDialog, "printer-model.png");
    archive::DrawSettings.EpsonCorrection = 1;
    shoot(display::thePrinterModelDialog, "printer-model-epson.png");
    display::Sheets.SheetCode = 0;
    display::theCalibrationWindow->show();
    display::theCalibrationWindow->ScBO->setValue(-100);
    display::theCalibrationWindow->Timer1Timer();
    display::theCalibrationWindow->Timer1Timer();
    QApplication::processEvents();
    EXPECT_TRUE(display::theCalibrationWindow->Snapshot().save(folder + "calibration.png"));
    EXPECT_TRUE(display::theCalibrationWindow->grab().save(folder + "calibration-window.png"));
    display::theCalibrationWindow->BBresClick();
    display::theCalibrationWindow->hide();
}

TEST(MainWindowCommandsTest, ExitImageClosesTheProgramOnRelease) {
    ProgramStart start;
    shell::MainWindow* main = shell::theMainWindow;
    EXPECT_EQ(main->Image9->toolTip(), "Chiudi il Programma");
    EXPECT_EQ(main->BBlk->toolTip(), "Sblocca/Blocca");
    QTest::mousePress(main->Image9, Qt::LeftButton);
    EXPECT_EQ(main->Image9->property("picture").toString(), "FineProgClic.bmp");
    EXPECT_TRUE(main->isVisible());
    QTest::mouseRelease(main->Image9, Qt::LeftButton);
    EXPECT_EQ(main->Image9->property("picture").toString(), "FineProg.bmp");
    EXPECT_FALSE(main->isVisible());
}
