// The windows over the signature database: symptom to plants, plant to
// symptoms with their authors (pages of 26), and the maintenance list.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "remedies/signature_db.h"
#include "remedies/windows/plant_symptoms_window.h"
#include "remedies/windows/signature_maintenance_window.h"
#include "remedies/windows/symptom_plants_window.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;
using testing_support::TempWorkFolder;

namespace {

struct SignatureTexts {
    std::string symptom{};
    std::string plant{};
    std::string authors{};
    std::string primary = "sole";
    std::string zodiac = "leone";
};

SignatureRecord Sr(const SignatureTexts& texts) {
    const std::string& plant = texts.plant;
    SignatureRecord r;
    r.symptom = texts.symptom;
    r.plant = plant;
    r.code = plant.substr(0, 3);
    r.primarySignature = texts.primary;
    r.secondarySignature = "marte";
    r.zodiacalSignature = texts.zodiac;
    r.synthesis = "Sintesi di " + plant;
    r.authors = texts.authors;
    r.notes = "nota";
    return r;
}

TEST(SymptomPlantsWindow, SampleSymptomListsItsPlantsAndAPlantClickShowsItsSignature) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.symptomList, "Kleine wonden en schaafwonden"));
    const std::string dashes(40, '-');
    EXPECT_EQ(w.plantList->Lines(), (std::vector<std::string>{"Calendula" + dashes, "Hypericum" + dashes,
                                                              "Achillea" + dashes, "Plantago" + dashes}));
    EXPECT_EQ(w.synthesisList->Count(), 4);
    EXPECT_EQ(w.synthesisList->Lines()[0], "Warmte die heelt: het zonnekruid dat wondes sluit en het gemoed opbeurt.");
    EXPECT_EQ(w.recordNumberList->Lines()[0].size(), 4u);
    EXPECT_EQ(Text(w.symptomEdit), "Kleine wonden en schaafwonden");
    // The last plant stays shown until one is clicked.
    EXPECT_EQ(Text(w.plantEdit), "Plantago");
    EXPECT_EQ(Text(w.primarySignatureEdit), "venere");
    EXPECT_FALSE(w.referenceEdit->isVisibleTo(&w));
    ClickRow(w.plantList, 0);
    EXPECT_EQ(Text(w.plantEdit), "Calendula");
    EXPECT_EQ(Text(w.primarySignatureEdit), "sole");
    EXPECT_EQ(Text(w.secondarySignatureEdit), "marte");
    EXPECT_EQ(Text(w.zodiacalSignatureEdit), "leone");
    EXPECT_EQ(Text(w.authorsEdit), "Culpeper 1653");
    SaveShot(&w, "sintom2");
}

TEST(SymptomPlantsWindow, SymptomWithoutPlantsShowsTheReferenceInRed) {
    TempWorkFolder folder;
    WriteSignatureDb({Sr({"Insonnia", "", "vedi Nervosismo"}), Sr({"Tosse", "Timo", "Culpeper"})});
    SymptomPlantsWindow w;
    w.show();
    EXPECT_EQ(w.symptomList->Lines(), (std::vector<std::string>{"Insonnia", "Tosse"}));
    ClickLine(w.symptomList, "Insonnia");
    EXPECT_EQ(w.plantList->Count(), 0);
    EXPECT_TRUE(w.referenceEdit->isVisibleTo(&w));
    EXPECT_EQ(Text(w.referenceEdit), "vedi Nervosismo");
    EXPECT_EQ(BaseColour(w.referenceEdit), kRedColour);
    ClickLine(w.symptomList, "Tosse");
    EXPECT_FALSE(w.referenceEdit->isVisibleTo(&w));
    EXPECT_FALSE(w.createDatabaseButton->isEnabled());
}

TEST(SymptomPlantsWindow, TypeAheadThenEnterShowsThePlants) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    QTest::keyClicks(w.searchEdit, "klei");
    EXPECT_EQ(Text(w.searchEdit), "Klei");
    EXPECT_EQ(w.symptomList->SelectedLine(), "Kleine wonden en schaafwonden");
    QTest::keyClick(w.searchEdit, Qt::Key_Return);
    EXPECT_EQ(w.plantList->Count(), 4);
    // The key outlives the window's closing; a click in the box starts anew.
    w.hide();
    w.show();
    EXPECT_EQ(w.searchKey, "Klei");
    QTest::mouseClick(w.searchEdit, Qt::LeftButton);
    EXPECT_EQ(w.searchKey, "");
}

TEST(SymptomPlantsWindow, ABoxEmptiedWithTheKeyboardStartsANewKeyAtTheNextOpening) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    QTest::keyClicks(w.searchEdit, "klei");
    EmptyWithKeys(w.searchEdit, false);
    EXPECT_EQ(Text(w.searchEdit), "");
    w.hide();
    w.show();
    EXPECT_EQ(Text(w.searchEdit), "");
    QTest::keyClicks(w.searchEdit, "ho");
    EXPECT_EQ(Text(w.searchEdit), "Ho");
    EXPECT_EQ(w.symptomList->SelectedLine().substr(0, 2), "Ho");
}

TEST(SymptomPlantsWindow, ADamagedDatabaseIsNamedAtEveryOpeningOfTheSignatureWindowsAndNothingIsListed) {
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    WriteSignatureDb({Sr({"Tosse", "Timo", "Culpeper"}), Sr({"Febbre", "Salice", "Mattioli", "luna", "cancro"}),
                      Sr({"Insonnia", "Tiglio", "Leclerc"})});
    WriteRandomRecords(std::filesystem::path("OpzioneS") / "DataStf.rnd", kSignatureRecordSize, 2, 1, 9);
    SymptomPlantsWindow symptoms;
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        symptoms.show();
        ExpectDamageTold(messages, opening, kSignatureDbName, kSignatureSymptomsName);
        EXPECT_EQ(symptoms.symptomList->Count(), 0);
        symptoms.hide();
    }
    PlantSymptomsWindow plants;
    plants.show();
    ExpectDamageTold(messages, 3, kSignatureDbName, kPlantNamesName);
    EXPECT_EQ(plants.plantList->Count(), 0);
    SignatureMaintenanceWindow maintenance;
    maintenance.show();
    ExpectDamageTold(messages, 4, kSignatureDbName);
    EXPECT_EQ(maintenance.entryList->Count(), 0);
}

TEST(PlantSymptomsWindow, SamplePlantListsItsSymptomsWithAuthors) {
    TempWorkFolder folder;
    CopySampleData();
    PlantSymptomsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.plantList, "Calendula"));
    const std::string dashes(120, '-');
    EXPECT_EQ(w.SymptomList(1)->Lines(),
              (std::vector<std::string>{"Kleine wonden en schaafwonden" + dashes,
                                        "Lichte brandwonden en zonnebrand" + dashes, "Ontstoken tandvlees" + dashes}));
    EXPECT_EQ(w.AuthorList(1)->Lines()[0], "Culpeper 1653" + dashes);
    EXPECT_EQ(Text(w.plantEdit), "Calendula");
    EXPECT_EQ(Text(w.primarySignatureEdit), "sole");
    EXPECT_EQ(Text(w.zodiacalSignatureEdit), "leone");
    EXPECT_EQ(Text(w.synthesisEdit), "Warmte die heelt: het zonnekruid dat wondes sluit en het gemoed opbeurt.");
    EXPECT_FALSE(w.pageSpin->isVisibleTo(&w));
    SaveShot(&w, "sintom3");
}

TEST(PlantSymptomsWindow, TwentySevenSymptomsMakeTwoPages) {
    TempWorkFolder folder;
    std::vector<SignatureRecord> records;
    for (int k = 1; k <= 27; ++k) records.push_back(Sr({"Sintomo " + std::to_string(100 + k), "Ruta", "A"}));
    for (int k = 1; k <= 80; ++k) records.push_back(Sr({"Disturbo " + std::to_string(100 + k), "Salvia", "B"}));
    WriteSignatureDb(records);
    PlantSymptomsWindow w;
    w.show();
    EXPECT_EQ(w.plantList->Lines(), (std::vector<std::string>{"Ruta", "Salvia"}));
    ClickLine(w.plantList, "Ruta");
    EXPECT_TRUE(w.pageSpin->isVisibleTo(&w));
    EXPECT_EQ(w.pageLabel->text(), "Pagina 1/2");
    EXPECT_EQ(w.SymptomList(1)->Count(), 26);
    EXPECT_TRUE(w.SymptomList(1)->isVisibleTo(&w));
    w.nextPageButton->click();
    EXPECT_EQ(w.pageLabel->text(), "Pagina 2/2");
    EXPECT_TRUE(w.SymptomList(2)->isVisibleTo(&w));
    EXPECT_FALSE(w.SymptomList(1)->isVisibleTo(&w));
    EXPECT_EQ(w.SymptomList(2)->Count(), 1);
    w.nextPageButton->click();
    EXPECT_EQ(w.pageLabel->text(), "Pagina 2/2");

    // Salvia: 80 symptoms, the 79th and 80th on page 4; a click on another
    // plant goes back to page 1.
    ClickLine(w.plantList, "Salvia");
    EXPECT_EQ(w.pageLabel->text(), "Pagina 1/4");
    w.nextPageButton->click();
    w.nextPageButton->click();
    EXPECT_EQ(w.pageLabel->text(), "Pagina 3/4");
    EXPECT_EQ(w.SymptomList(4)->Count(), 2);
    ClickLine(w.plantList, "Ruta");
    EXPECT_EQ(w.pageLabel->text(), "Pagina 1/2");
    EXPECT_TRUE(w.SymptomList(1)->isVisibleTo(&w));
    w.previousPageButton->click();
    EXPECT_EQ(w.pageLabel->text(), "Pagina 1/2");
}

TEST(MaintenanceWindow, LinesInFileOrderOrByPlantAndTheClickedRecord) {
    TempWorkFolder folder;
    WriteSignatureDb({Sr({"Tosse", "Timo", "Culpeper"}), Sr({"Tosse", "", "vedi Raffreddore"}),
                      Sr({"Febbre", "Salice", "Mattioli", "luna", "cancro"})});
    SignatureMaintenanceWindow w;
    w.show();
    const std::string pad16(16, ' ');
    EXPECT_EQ(w.entryList->Lines(), (std::vector<std::string>{"Timo" + pad16 + "Tosse", "XXXX" + pad16 + "Tosse",
                                                              "Salice" + std::string(14, ' ') + "Febbre"}));
    ClickRow(w.entryList, 2);
    EXPECT_EQ(Text(w.symptomEdit), "Febbre");
    EXPECT_EQ(Text(w.plantEdit), "Salice");
    EXPECT_EQ(Text(w.codeEdit), "Sal");
    EXPECT_EQ(Text(w.primarySignatureEdit), "luna");
    EXPECT_EQ(Text(w.zodiacalSignatureEdit), "cancro");
    EXPECT_EQ(Text(w.authorsEdit), "Mattioli");
    EXPECT_EQ(Text(w.notesEdit), "nota");

    w.sortButton->click();
    EXPECT_TRUE(w.sorted);
    EXPECT_EQ(w.entryList->Lines()[0], "Salice" + std::string(14, ' ') + "Febbre");
    EXPECT_EQ(w.entryList->Lines()[2], "XXXX" + pad16 + "Tosse");
    ClickRow(w.entryList, 2);  // the record with an empty plant
    EXPECT_EQ(Text(w.authorsEdit), "vedi Raffreddore");
    EXPECT_EQ(Text(w.plantEdit), "");
    // Activation starts unsorted.
    w.hide();
    w.show();
    EXPECT_FALSE(w.sorted);
    EXPECT_EQ(w.entryList->Lines()[0], "Timo" + pad16 + "Tosse");
}

TEST(MaintenanceWindow, SampleDatabaseOneLinePerRecord) {
    TempWorkFolder folder;
    CopySampleData();
    SignatureMaintenanceWindow w;
    w.show();
    EXPECT_EQ(w.entryList->Count(), 98);
    ClickRow(w.entryList, 0);
    EXPECT_EQ(Text(w.symptomEdit), "Broze nagels en haar");
    EXPECT_EQ(Text(w.plantEdit), "Equisetum");
    EXPECT_EQ(Text(w.codeEdit), "EQU-ARV");
    SaveShot(&w, "manut1");
}

}  // namespace
