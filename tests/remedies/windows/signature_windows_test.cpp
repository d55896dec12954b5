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

SignatureRecord Sr(const std::string& symptom, const std::string& plant, const std::string& authors,
                   const std::string& primary = "sole", const std::string& zodiac = "leone") {
    SignatureRecord r;
    r.Symptom = symptom;
    r.Plant = plant;
    r.Code = plant.substr(0, 3);
    r.PrimarySignature = primary;
    r.SecondarySignature = "marte";
    r.ZodiacalSignature = zodiac;
    r.Synthesis = "Sintesi di " + plant;
    r.Authors = authors;
    r.Notes = "nota";
    return r;
}

TEST(SymptomPlantsWindow, SampleSymptomListsItsPlantsAndAPlantClickShowsItsSignature) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Kleine wonden en schaafwonden"));
    const std::string dashes(40, '-');
    EXPECT_EQ(w.ListBoxPiante->Lines(),
              (std::vector<std::string>{"Calendula" + dashes, "Hypericum" + dashes, "Achillea" + dashes,
                                        "Plantago" + dashes}));
    EXPECT_EQ(w.ListBoxSintesi->Count(), 4);
    EXPECT_EQ(w.ListBoxSintesi->Lines()[0],
              "Warmte die heelt: het zonnekruid dat wondes sluit en het gemoed opbeurt.");
    EXPECT_EQ(w.ListBoxNum->Lines()[0].size(), 4u);
    EXPECT_EQ(Text(w.EdSintomo), "Kleine wonden en schaafwonden");
    // The last plant stays shown until one is clicked.
    EXPECT_EQ(Text(w.EdPianta), "Plantago");
    EXPECT_EQ(Text(w.EdSegPri), "venere");
    EXPECT_FALSE(w.EdAlternativa->isVisibleTo(&w));
    ClickRow(w.ListBoxPiante, 0);
    EXPECT_EQ(Text(w.EdPianta), "Calendula");
    EXPECT_EQ(Text(w.EdSegPri), "sole");
    EXPECT_EQ(Text(w.EdSegSec), "marte");
    EXPECT_EQ(Text(w.EdSegZod), "leone");
    EXPECT_EQ(Text(w.EdAutori), "Culpeper 1653");
    SaveShot(&w, "sintom2");
}

TEST(SymptomPlantsWindow, SymptomWithoutPlantsShowsTheReferenceInRed) {
    TempWorkFolder folder;
    WriteSignatureDb({Sr("Insonnia", "", "vedi Nervosismo"), Sr("Tosse", "Timo", "Culpeper")});
    SymptomPlantsWindow w;
    w.show();
    EXPECT_EQ(w.ListBox1->Lines(), (std::vector<std::string>{"Insonnia", "Tosse"}));
    ClickLine(w.ListBox1, "Insonnia");
    EXPECT_EQ(w.ListBoxPiante->Count(), 0);
    EXPECT_TRUE(w.EdAlternativa->isVisibleTo(&w));
    EXPECT_EQ(Text(w.EdAlternativa), "vedi Nervosismo");
    EXPECT_EQ(BaseColour(w.EdAlternativa), kRedColour);
    ClickLine(w.ListBox1, "Tosse");
    EXPECT_FALSE(w.EdAlternativa->isVisibleTo(&w));
    EXPECT_FALSE(w.Button1->isEnabled());
}

TEST(SymptomPlantsWindow, TypeAheadThenEnterShowsThePlants) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    QTest::keyClicks(w.EditCerca, "klei");
    EXPECT_EQ(Text(w.EditCerca), "Klei");
    EXPECT_EQ(w.ListBox1->SelectedLine(), "Kleine wonden en schaafwonden");
    QTest::keyClick(w.EditCerca, Qt::Key_Return);
    EXPECT_EQ(w.ListBoxPiante->Count(), 4);
    // The key outlives the window's closing; a click in the box starts anew.
    w.hide();
    w.show();
    EXPECT_EQ(w.SearchKey, "Klei");
    QTest::mouseClick(w.EditCerca, Qt::LeftButton);
    EXPECT_EQ(w.SearchKey, "");
}

TEST(SymptomPlantsWindow, ABoxEmptiedWithTheKeyboardStartsANewKeyAtTheNextOpening) {
    TempWorkFolder folder;
    CopySampleData();
    SymptomPlantsWindow w;
    w.show();
    QTest::keyClicks(w.EditCerca, "klei");
    EmptyWithKeys(w.EditCerca, false);
    EXPECT_EQ(Text(w.EditCerca), "");
    w.hide();
    w.show();
    EXPECT_EQ(Text(w.EditCerca), "");
    QTest::keyClicks(w.EditCerca, "ho");
    EXPECT_EQ(Text(w.EditCerca), "Ho");
    EXPECT_EQ(w.ListBox1->SelectedLine().substr(0, 2), "Ho");
}

TEST(SymptomPlantsWindow, ADamagedDatabaseIsNamedAtEveryOpeningOfTheSignatureWindowsAndNothingIsListed) {
    TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    WriteSignatureDb({Sr("Tosse", "Timo", "Culpeper"), Sr("Febbre", "Salice", "Mattioli", "luna", "cancro"),
                      Sr("Insonnia", "Tiglio", "Leclerc")});
    WriteRandomRecords(std::filesystem::path("OpzioneS") / "DataStf.rnd", kSignatureRecordSize, 2, 1, 9);
    SymptomPlantsWindow symptoms;
    for (std::size_t opening = 1; opening <= 2; ++opening) {
        symptoms.show();
        ExpectDamageTold(messages, opening, kSignatureDbName, kSignatureSymptomsName);
        EXPECT_EQ(symptoms.ListBox1->Count(), 0);
        symptoms.hide();
    }
    PlantSymptomsWindow plants;
    plants.show();
    ExpectDamageTold(messages, 3, kSignatureDbName, kPlantNamesName);
    EXPECT_EQ(plants.ListBox1->Count(), 0);
    SignatureMaintenanceWindow maintenance;
    maintenance.show();
    ExpectDamageTold(messages, 4, kSignatureDbName);
    EXPECT_EQ(maintenance.ListBox1->Count(), 0);
}

TEST(PlantSymptomsWindow, SamplePlantListsItsSymptomsWithAuthors) {
    TempWorkFolder folder;
    CopySampleData();
    PlantSymptomsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Calendula"));
    const std::string dashes(120, '-');
    EXPECT_EQ(w.ListBoxSintomi->Lines(),
              (std::vector<std::string>{"Kleine wonden en schaafwonden" + dashes,
                                        "Lichte brandwonden en zonnebrand" + dashes,
                                        "Ontstoken tandvlees" + dashes}));
    EXPECT_EQ(w.ListBoxAutori->Lines()[0], "Culpeper 1653" + dashes);
    EXPECT_EQ(Text(w.EdPianta), "Calendula");
    EXPECT_EQ(Text(w.EdSegPri), "sole");
    EXPECT_EQ(Text(w.EdSegZod), "leone");
    EXPECT_EQ(Text(w.EdSintesi),
              "Warmte die heelt: het zonnekruid dat wondes sluit en het gemoed opbeurt.");
    EXPECT_FALSE(w.SpinButton1->isVisibleTo(&w));
    SaveShot(&w, "sintom3");
}

TEST(PlantSymptomsWindow, TwentySevenSymptomsMakeTwoPages) {
    TempWorkFolder folder;
    std::vector<SignatureRecord> records;
    for (int k = 1; k <= 27; ++k) records.push_back(Sr("Sintomo " + std::to_string(100 + k), "Ruta", "A"));
    for (int k = 1; k <= 80; ++k) records.push_back(Sr("Disturbo " + std::to_string(100 + k), "Salvia", "B"));
    WriteSignatureDb(records);
    PlantSymptomsWindow w;
    w.show();
    EXPECT_EQ(w.ListBox1->Lines(), (std::vector<std::string>{"Ruta", "Salvia"}));
    ClickLine(w.ListBox1, "Ruta");
    EXPECT_TRUE(w.SpinButton1->isVisibleTo(&w));
    EXPECT_EQ(w.LabPagine->text(), "Pagina 1/2");
    EXPECT_EQ(w.ListBoxSintomi->Count(), 26);
    EXPECT_TRUE(w.ListBoxSintomi->isVisibleTo(&w));
    w.SpinButton1Down->click();
    EXPECT_EQ(w.LabPagine->text(), "Pagina 2/2");
    EXPECT_TRUE(w.ListBoxSintomiBis->isVisibleTo(&w));
    EXPECT_FALSE(w.ListBoxSintomi->isVisibleTo(&w));
    EXPECT_EQ(w.ListBoxSintomiBis->Count(), 1);
    w.SpinButton1Down->click();
    EXPECT_EQ(w.LabPagine->text(), "Pagina 2/2");

    // Salvia: 80 symptoms, the 79th and 80th on page 4; a click on another
    // plant goes back to page 1.
    ClickLine(w.ListBox1, "Salvia");
    EXPECT_EQ(w.LabPagine->text(), "Pagina 1/4");
    w.SpinButton1Down->click();
    w.SpinButton1Down->click();
    EXPECT_EQ(w.LabPagine->text(), "Pagina 3/4");
    EXPECT_EQ(w.ListBoxSintomiQua->Count(), 2);
    ClickLine(w.ListBox1, "Ruta");
    EXPECT_EQ(w.LabPagine->text(), "Pagina 1/2");
    EXPECT_TRUE(w.ListBoxSintomi->isVisibleTo(&w));
    w.SpinButton1Up->click();
    EXPECT_EQ(w.LabPagine->text(), "Pagina 1/2");
}

TEST(MaintenanceWindow, LinesInFileOrderOrByPlantAndTheClickedRecord) {
    TempWorkFolder folder;
    WriteSignatureDb({Sr("Tosse", "Timo", "Culpeper"), Sr("Tosse", "", "vedi Raffreddore"),
                      Sr("Febbre", "Salice", "Mattioli", "luna", "cancro")});
    SignatureMaintenanceWindow w;
    w.show();
    const std::string pad16(16, ' ');
    EXPECT_EQ(w.ListBox1->Lines(), (std::vector<std::string>{"Timo" + pad16 + "Tosse", "XXXX" + pad16 + "Tosse",
                                                             "Salice" + std::string(14, ' ') + "Febbre"}));
    ClickRow(w.ListBox1, 2);
    EXPECT_EQ(Text(w.EdSintomo), "Febbre");
    EXPECT_EQ(Text(w.EdPianta), "Salice");
    EXPECT_EQ(Text(w.EdSigla), "Sal");
    EXPECT_EQ(Text(w.EdSegPri), "luna");
    EXPECT_EQ(Text(w.EdSegZod), "cancro");
    EXPECT_EQ(Text(w.EdAutori), "Mattioli");
    EXPECT_EQ(Text(w.EdNote), "nota");

    w.BitBtn1->click();
    EXPECT_TRUE(w.Sorted);
    EXPECT_EQ(w.ListBox1->Lines()[0], "Salice" + std::string(14, ' ') + "Febbre");
    EXPECT_EQ(w.ListBox1->Lines()[2], "XXXX" + pad16 + "Tosse");
    ClickRow(w.ListBox1, 2);  // the record with an empty plant
    EXPECT_EQ(Text(w.EdAutori), "vedi Raffreddore");
    EXPECT_EQ(Text(w.EdPianta), "");
    // Activation starts unsorted.
    w.hide();
    w.show();
    EXPECT_FALSE(w.Sorted);
    EXPECT_EQ(w.ListBox1->Lines()[0], "Timo" + pad16 + "Tosse");
}

TEST(MaintenanceWindow, SampleDatabaseOneLinePerRecord) {
    TempWorkFolder folder;
    CopySampleData();
    SignatureMaintenanceWindow w;
    w.show();
    EXPECT_EQ(w.ListBox1->Count(), 98);
    ClickRow(w.ListBox1, 0);
    EXPECT_EQ(Text(w.EdSintomo), "Broze nagels en haar");
    EXPECT_EQ(Text(w.EdPianta), "Equisetum");
    EXPECT_EQ(Text(w.EdSigla), "EQU-ARV");
    SaveShot(&w, "manut1");
}

}  // namespace
