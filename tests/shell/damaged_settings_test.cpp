// A damaged drawing settings file ("FileSet\MMVarLas.stt", text where a number
// belongs): a message naming the file, the damaged copy kept under a number of
// its own, the defaults written back, and the main window still showing the
// current person.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "archive/archive_files.h"
#include "archive/draw_settings_file.h"
#include "tests/shell/shell_test_support.h"

namespace fs = std::filesystem;
using shell_testing::CrLfLines;
using shell_testing::ProgramStart;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

TEST(DamagedDrawSettings, IsKeptRepairedAndTheCurrentPersonShown) {
    ProgramStart start(true, false);
    archive::BirthRecord r;
    r.dateField = "196012251405-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    archive::WriteCurrentPerson("VAN DER BERG ANNA", r, " a note", {"BASE", ""});
    const fs::path file = start.Data() / "FileSet" / "MMVarLas.stt";
    const std::string first = "1\r\n0\r\nzero\r\n1\r\n1.0\r\nDa definire\r\n1.0\r\n1.0\r\n";
    WriteBytes(file, first);
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_NE(text.find("\"FileSet\\MMVarLas.stt\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"MMVarLas.stt.damaged1\""), std::string::npos) << text;
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "MMVarLas.stt.damaged1"), first);
    // The defaults, in the file and in memory.
    const auto lines = CrLfLines(ReadBytes(file));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[3], "1");
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().lineWidthFactor, 1.0L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleX, 1.0L);
    // The activation went on to the current person.
    EXPECT_NE(testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
                  ->toPlainText()
                  .indexOf("VAN DER BERG ANNA"),
              -1)
        << testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoDati")
               ->toPlainText()
               .toStdString();
    EXPECT_EQ(
        testing_support::ControlOf<QPlainTextEdit>(*shell_testing::StartedMainWindow(), "MemoAnnotaz")->toPlainText(),
        " a note");

    // The next activation reads the repaired file quietly.
    start.Activate();
    EXPECT_EQ(start.messages.messages.size(), 1u);

    // A second damage keeps its own copy; the first stays.
    const std::string second = "x\r\n";
    WriteBytes(file, second);
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 2u);
    EXPECT_NE(start.messages.messages[1].text.find("\"MMVarLas.stt.damaged2\""), std::string::npos);
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "MMVarLas.stt.damaged1"), first);
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "MMVarLas.stt.damaged2"), second);
}

// The drawing settings cut in half (the seventh line cut, the eighth gone), as
// a disc that filled up leaves them: named, the damaged copy kept, the values
// of the whole lines kept and the defaults written for what is missing.
TEST(DamagedDrawSettings, AFileCutInHalfIsNamedKeptAndRepairedFromTheDefaults) {
    ProgramStart start(true, false);
    const fs::path file = start.Data() / "FileSet" / "MMVarLas.stt";
    const std::string cut = "1\r\n1\r\n0\r\n1\r\n 2.50000000000000E+0000\r\nE:\\Kelvor\r\n 1.00";
    WriteBytes(file, cut);
    start.Activate();
    start.Activate();  // the repaired file is read quietly
    ASSERT_EQ(start.messages.messages.size(), 1u);
    const std::string& text = start.messages.messages[0].text;
    EXPECT_NE(text.find("\"FileSet\\MMVarLas.stt\" \xE8 danneggiato: l'ultima riga, la 7, \xE8 interrotta"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"MMVarLas.stt.damaged1\""), std::string::npos) << text;
    EXPECT_EQ(ReadBytes(start.Data() / "FileSet" / "MMVarLas.stt.damaged1"), cut);
    const auto lines = CrLfLines(ReadBytes(file));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1], "1");
    EXPECT_EQ(lines[5], "E:\\Kelvor");
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().epsonCorrection, 1);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().lineWidthFactor, 2.5L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().backupDestination, "E:\\Kelvor");
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleX, 1.0L);
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().aspectScaleY, 1.0L);
}

// The message about a cut file names only the settings put back to their
// defaults as those to set again: cut in its seventh line, the screen
// calibration alone, not the line width nor the printer model it kept; cut
// later in its third, the line width and the calibration, not the printer
// model nor the backup folder read before.
TEST(DamagedDrawSettings, TheMessageAboutACutFileNamesOnlyTheValuesPutBack) {
    ProgramStart start(true, false);
    const fs::path file = start.Data() / "FileSet" / "MMVarLas.stt";
    WriteBytes(file, "1\r\n1\r\n0\r\n1\r\n 2.50000000000000E+0000\r\nE:\\Kelvor\r\n 1.00");
    start.Activate();
    WriteBytes(file, "1\r\n1\r\n0");
    start.Activate();
    ASSERT_EQ(start.messages.messages.size(), 2u);
    const std::string& seventh = start.messages.messages[0].text;
    EXPECT_NE(seventh.find("\"MMVarLas.stt.damaged1\". Se la calibrazione dello schermo era stata cambiata, "
                           "impostarla di nuovo; i valori di prima si leggono nella copia conservata."),
              std::string::npos)
        << seventh;
    for (const char* kept : {"spessore", "stampante", "cartella"})
        EXPECT_EQ(seventh.find(kept), std::string::npos) << kept << ": " << seventh;
    const std::string& third = start.messages.messages[1].text;
    EXPECT_NE(third.find("\"MMVarLas.stt.damaged2\". Se erano stati cambiati (lo spessore delle linee e la "
                         "calibrazione dello schermo), impostarli di nuovo"),
              std::string::npos)
        << third;
    for (const char* kept : {"stampante", "cartella"})
        EXPECT_EQ(third.find(kept), std::string::npos) << kept << ": " << third;
    EXPECT_EQ(shell_testing::DrawSettingsOfTest().Values().backupDestination, "E:\\Kelvor");
    EXPECT_EQ(CrLfLines(ReadBytes(file))[5], "E:\\Kelvor");
}
