// The composition, synthesis, debility and principles windows on the sample
// database and on small fixtures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "platform/gui/message_box.h"
#include "remedies/principles_file.h"
#include "remedies/windows/composition_window.h"
#include "remedies/windows/debility_window.h"
#include "remedies/windows/principles_window.h"
#include "remedies/windows/synthesis_window.h"
#include "tests/common/controls_of_test.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;
using testing_support::TempWorkFolder;

namespace {

TEST(CompositionWindow, AWordFindsItsRemediesAndTheClickShowsItInCapitals) {
    TempWorkFolder folder;
    CopySampleData();
    CompositionWindow w;
    w.show();
    EXPECT_EQ(w.remedyList->Count(), 48);
    w.wordEdit->setText("rozemarijnzuur");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(),
              (std::vector<std::string>{"Lavandula angustifolia", "Mentha piperita", "Ocimum basilicum",
                                        "Origanum majorana", "QSPC Melissa officinalis", "Salvia officinalis",
                                        "Symphytum officinale", "Thymus vulgaris", "TSA Rosmarinus officinalis"}));
    EXPECT_EQ(w.textLabel->text(), "Samenstelling van de Remedie");
    ClickLine(w.foundList, "Mentha piperita");
    EXPECT_EQ(w.textLabel->text(), "Composizione di Mentha piperita");
    EXPECT_EQ(Text(w.textMemo),
              "Etherische olie (menthol, menthon), flavono\xEF"
              "den, ROZEMARIJNZUUR.");
    SaveShot(&w, "piante");

    ClickLine(w.remedyList, "Urtica dioica");
    EXPECT_EQ(w.textLabel->text(), "Samenstelling van Urtica dioica");
    EXPECT_EQ(Text(w.textMemo).substr(0, 12),
              "Flavono\xEF"
              "den,");

    w.wordEdit->setText("kwikzilver");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"**GEEN RESULTAAT**"}));
    const std::string before = Text(w.textMemo);
    ClickRow(w.foundList, 0);  // does nothing
    EXPECT_EQ(Text(w.textMemo), before);
    EXPECT_EQ(w.textLabel->text(), "Samenstelling van de Remedie");
}

TEST(CompositionWindow, ADamagedDatabaseIsNamedAndTheSearchFindsNoResultAsIfItRan) {
    TempWorkFolder folder;
    CopySampleData();
    gui::RecordingMessageSink messages;
    WriteRandomRecords(std::filesystem::path("OpzioneH") / "DBmain.rnd", kPrimaryRecordSize, 40, 20, 7);
    CompositionWindow w;
    w.show();
    ExpectDamageTold(messages, 1, kPrimaryDbName);
    EXPECT_EQ(w.remedyList->Count(), 0);
    // The search says again why it does not run, rather than "nothing found".
    QTest::keyClicks(w.wordEdit, "rozemarijnzuur");
    w.searchButton->click();
    ExpectDamageTold(messages, 2, kPrimaryDbName);
    EXPECT_EQ(w.foundList->Count(), 0);
}

TEST(CompositionWindow, RemedyFoundThroughItsSecondRecordShowsTheFirstUnchanged) {
    TempWorkFolder folder;
    PrimaryTexts first = remedy_tests::Texts({"Arnica", "Kneuzingen"});
    first.notes = "Sesquiterpeenlactonen";
    PrimaryTexts second = remedy_tests::Texts({"Arnica", "Spierpijn"});
    second.notes = "Flavonoiden en etherische olie";
    remedy_tests::WritePrimaryDb({first, second});
    CompositionWindow w;
    w.show();
    w.wordEdit->setText("Etherische");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Arnica"}));
    ClickRow(w.foundList, 0);
    EXPECT_EQ(Text(w.textMemo), "Sesquiterpeenlactonen");
}

TEST(SynthesisWindow, SearchesThePsychicSynthesis) {
    TempWorkFolder folder;
    PrimaryTexts a = remedy_tests::Texts({"Arnica", "Kneuzingen"});
    a.synthesis = "Wie zegt dat alles goed is, terwijl het pijn doet.";
    PrimaryTexts b = remedy_tests::Texts({"Bellis", "Kneuzingen"});
    b.synthesis = "Kort";
    remedy_tests::WritePrimaryDb({a, b});
    SynthesisWindow w;
    w.show();
    EXPECT_EQ(w.textLabel->text(), "Psychische synthese van de remedie");
    ClickLine(w.remedyList, "Bellis");
    EXPECT_EQ(w.textLabel->text(), "Sintesi Psichica di Bellis");
    EXPECT_EQ(Text(w.textMemo), "Non \xE8 riportata una Sintesi Psichica");
    w.wordEdit->setText("alles goed");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Arnica"}));
    ClickRow(w.foundList, 0);
    EXPECT_EQ(w.textLabel->text(), "Sintesi Psichica di Arnica");
    EXPECT_EQ(Text(w.textMemo), "Wie zegt dat ALLES GOED is, terwijl het pijn doet.");
    w.wordEdit->setText("");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"**GEEN RESULTAAT**"}));
}

TEST(SynthesisWindow, SampleDatabase) {
    TempWorkFolder folder;
    CopySampleData();
    SynthesisWindow w;
    w.show();
    w.wordEdit->setText("licht");
    w.searchButton->click();
    EXPECT_EQ(w.foundList->Lines(), (std::vector<std::string>{"Filipendula ulmaria", "HS 8 - Hypericum perforatum"}));
    ClickRow(w.foundList, 1);
    EXPECT_EQ(Text(w.textMemo).substr(0, 16), "LICHT in de duis");
    SaveShot(&w, "sintesi");
}

TEST(DebilityWindow, WeakenedLibraSearchesAriesAndMarksTheSignatureRemedies) {
    TempWorkFolder folder;
    CopySampleData();
    DebilityWindow w;
    w.show();
    EXPECT_EQ(Text(w.foundCountEdit), "0");
    w.findChild<QRadioButton*>("RBmar")->click();
    auto* libra = w.findChild<QRadioButton*>("RBari");
    EXPECT_EQ(libra->text(), "Weegschaal");
    libra->click();
    EXPECT_EQ(Text(w.planetEdit), "Mars");
    EXPECT_EQ(Text(w.signEdit), "Weegschaal");
    w.searchButton->click();
    EXPECT_EQ(w.pathologyList->Lines(), (std::vector<std::string>{"Gewrichtsklachten", "Spijsverteringsstoornissen"}));
    EXPECT_EQ(Text(w.foundCountEdit), "2");
    ClickLine(w.pathologyList, "Gewrichtsklachten");
    EXPECT_EQ(w.remedyList->Lines(), (std::vector<std::string>{"Filipendula ulmaria", "Salix alba",
                                                               "Symphytum officinale", ">>> Urtica dioica <<<"}));
    ClickLine(w.pathologyList, "Spijsverteringsstoornissen");
    EXPECT_EQ(w.remedyList->Lines(),
              (std::vector<std::string>{">>> Artemisia absinthium <<<", "Mentha piperita", "Taraxacum officinale",
                                        ">>> TSA Rosmarinus officinalis <<<"}));
    SaveShot(&w, "mali");

    w.findChild<QRadioButton*>("RBsat")->click();
    w.findChild<QRadioButton*>("RBleo")->click();  // weakened Waterman: Leeuw searched
    w.searchButton->click();
    EXPECT_EQ(Text(w.signEdit), "Waterman");
    EXPECT_EQ(Text(w.foundCountEdit), "0");
    EXPECT_EQ(w.pathologyList->Count(), 0);
    EXPECT_EQ(w.remedyList->Count(), 0);
}

TEST(DebilityWindow, AZeroFilledRepertoryIsNamedAndTheSearchCountsNothingAsIfItRan) {
    TempWorkFolder folder;
    CopySampleData();
    gui::RecordingMessageSink messages;
    const std::filesystem::path db = std::filesystem::path("OpzioneH") / "Repertorio.rnd";
    testing_support::WriteBytes(db, std::string(std::filesystem::file_size(db), '\0'));
    DebilityWindow w;
    w.show();
    ExpectDamageTold(messages, 1, kRepertoryDbName);
    EXPECT_EQ(Text(w.foundCountEdit), "");
    w.findChild<QRadioButton*>("RBmar")->click();
    w.searchButton->click();
    ExpectDamageTold(messages, 2, kRepertoryDbName);
    EXPECT_EQ(Text(w.foundCountEdit), "");  // no "0 found"
    EXPECT_EQ(w.pathologyList->Count(), 0);
}

TEST(PrinciplesWindow, GeneratesTheFileAndAMissingTextIsReported) {
    TempWorkFolder folder;
    CopySampleData();
    fs::remove(kPrinciplesFileName);
    PrinciplesWindow w;
    w.show();
    testing_support::ControlOf<QPushButton>(w, "Button1")->click();
    EXPECT_EQ(fs::file_size(kPrinciplesFileName), 15u * 205u);
    EXPECT_EQ(ReadPrinciplesFile()[1][0], "ETHERISCHE OLIE (VLUCHTIGE OLIE)");
    EXPECT_FALSE(testing_support::ControlOf<QLabel>(w, "LabStato")->text().isEmpty());
    SaveShot(&w, "princi");

    gui::RecordingMessageSink messages;
    fs::remove(kPrinciplesTextName);
    testing_support::ControlOf<QPushButton>(w, "Button1")->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(fs::file_size(kPrinciplesFileName), 15u * 205u);
    EXPECT_TRUE(testing_support::ControlOf<QLabel>(w, "LabStato")->text().isEmpty());
}

}  // namespace
