// The controls of the windows over signatures, each pressed and checked for
// its own effect: the maintenance list, the signature search, the debility
// search, and the symptom-to-plants and plant-to-symptoms windows. Fixtures
// give every field its own text, so that a field shown in another's place is
// noticed, and the checks reach the last planet, sign, row, record and page.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "remedies/debility_search.h"
#include "remedies/signature_db.h"
#include "remedies/windows/debility_window.h"
#include "remedies/windows/plant_symptoms_window.h"
#include "remedies/windows/signature_maintenance_window.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/signature_search_window.h"
#include "remedies/windows/symptom_plants_window.h"
#include "tests/remedies/remedy_test_util.h"
#include "tests/remedies/windows/editor_test_util.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;
using testing_support::TempWorkFolder;

namespace {

// A signature record whose nine fields each carry the tag and their own name.
SignatureRecord Tagged(const std::string& symptom, const std::string& plant, const std::string& tag) {
    SignatureRecord r;
    r.Symptom = symptom;
    r.Plant = plant;
    r.Code = "COD-" + tag;
    r.PrimarySignature = "pri" + tag;
    r.SecondarySignature = "sec" + tag;
    r.ZodiacalSignature = "zod" + tag;
    r.Synthesis = "Sintesi " + tag;
    r.Authors = "Autore " + tag;
    r.Notes = "Nota " + tag;
    return r;
}

// The return button closes the window as a rejection.
template <class Window>
void ExpectRitornaCloses(Window& w, QPushButton* ritorna) {
    ASSERT_TRUE(w.isVisible());
    QTest::mouseClick(ritorna, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

// ---------------------------------------------------------------- maintenance

TEST(MaintenanceControls, EveryFieldShowsItsOwnPartOfTheLastRecordInBothOrders) {
    TempWorkFolder folder;
    // In file order Ruta is last; by plant Timo is last.
    WriteSignatureDb({Tagged("Tosse", "Timo", "A"), Tagged("Febbre", "Salice", "B"), Tagged("Gotta", "Ruta", "C")});
    SignatureMaintenanceWindow w;
    w.show();
    ASSERT_EQ(w.ListBox1->Count(), 3);
    ClickRow(w.ListBox1, 2);
    const std::vector<std::pair<QLineEdit*, std::string>> ruta{
        {w.EdSintomo, "Gotta"},      {w.EdPianta, "Ruta"},        {w.EdSigla, "COD-C"},
        {w.EdSintesi, "Sintesi C"},  {w.EdSegPri, "priC"},        {w.EdSegSec, "secC"},
        {w.EdSegZod, "zodC"},        {w.EdAutori, "Autore C"},    {w.EdNote, "Nota C"}};
    for (const auto& [edit, text] : ruta) EXPECT_EQ(Text(edit), text) << gui::FromQt(edit->objectName());

    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    ASSERT_EQ(w.ListBox1->Lines().back().substr(0, 4), "Timo");
    ClickRow(w.ListBox1, 2);
    const std::vector<std::pair<QLineEdit*, std::string>> timo{
        {w.EdSintomo, "Tosse"},      {w.EdPianta, "Timo"},        {w.EdSigla, "COD-A"},
        {w.EdSintesi, "Sintesi A"},  {w.EdSegPri, "priA"},        {w.EdSegSec, "secA"},
        {w.EdSegZod, "zodA"},        {w.EdAutori, "Autore A"},    {w.EdNote, "Nota A"}};
    for (const auto& [edit, text] : timo) EXPECT_EQ(Text(edit), text) << gui::FromQt(edit->objectName());
    // A second press goes back to the order of the file.
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(w.ListBox1->Lines().back().substr(0, 4), "Ruta");
    ExpectRitornaCloses(w, w.BitBtnRitorna);
}

// ----------------------------------------------------------- signature search

class SignatureSearchControls : public ::testing::Test {
protected:
    TempWorkFolder folder;
    SignatureSearchWindow w;
    QRadioButton* Radio(const char* name) { return w.findChild<QRadioButton*>(name); }
};

PrimaryTexts Sig(const std::string& remedy, const std::string& primary, const std::string& secondary,
                 const std::string& zodiac) {
    PrimaryTexts t = remedy_tests::Texts(remedy, "Indicatie", primary, zodiac);
    t.SecondarySignature = secondary;
    return t;
}

TEST_F(SignatureSearchControls, EveryPlanetAndSignRadioShowsItsOwnWord) {
    remedy_tests::WritePrimaryDb({Sig("Aurum", "Zon", "", "Leeuw")});
    w.show();
    for (const auto& row : kPlanetRadios) {
        QRadioButton* r = Radio(row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w.EdPianeta), row.caption) << row.name;
        EXPECT_EQ(Text(w.EdSegno), "Ieder");
    }
    for (const auto& row : kSignRadios) {
        QRadioButton* r = Radio(row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w.EdSegno), row.caption) << row.name;
    }
    // The last planet and sign, by their captions.
    Radio("RBnos")->click();
    Radio("RBpes")->click();
    EXPECT_EQ(Text(w.EdPianeta), "Zuidknoop");
    EXPECT_EQ(Text(w.EdSegno), "Vissen");
}

TEST_F(SignatureSearchControls, TheLastPlanetWithTheLastSignFindsItsRemedy) {
    // Mandragora holds the south node in its secondary signature and Vissen;
    // Ruta the node without Vissen, Salvia Vissen without the node.
    remedy_tests::WritePrimaryDb({Sig("Ruta", "Zuidknoop", "", "Maagd"), Sig("Salvia", "Venus", "", "Vissen"),
                                  Sig("Mandragora", "Saturnus", "Zuidknoop", "Stier-Vissen")});
    w.show();
    Radio("RBnos")->click();
    Radio("RBpes")->click();
    QTest::mouseClick(w.BBRicerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdTot), "1");
    EXPECT_EQ(Text(w.EdP[0]), "Mandragora");
    EXPECT_EQ(Text(w.EdD[0]), "Saturnus");
    EXPECT_EQ(Text(w.EdE[0]), "Zuidknoop");
    EXPECT_EQ(Text(w.EdF[0]), "Stier-Vissen");
    EXPECT_EQ(Text(w.EdP[1]), "");
}

TEST_F(SignatureSearchControls, TheFourteenthRowHoldsTheFourteenthRemedyAndSchoonEmptiesIt) {
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 14; ++k) {
        const std::string n = std::to_string(10 + k);
        many.push_back(Sig("Remedie " + n, "Pri" + n, "Sec" + n, "Zod" + n));
    }
    remedy_tests::WritePrimaryDb(many);
    w.show();
    for (int k = 1; k <= 14; ++k) ASSERT_TRUE(ClickLine(w.ListBox2, "Remedie " + std::to_string(10 + k)));
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 24");
    EXPECT_EQ(Text(w.EdD[13]), "Pri24");
    EXPECT_EQ(Text(w.EdE[13]), "Sec24");
    EXPECT_EQ(Text(w.EdF[13]), "Zod24");
    EXPECT_EQ(Text(w.EdF[12]), "Zod23");

    QTest::mouseClick(w.BBpulisci, Qt::LeftButton);
    for (int r = 0; r < kSignatureRows; ++r)
        for (QLineEdit* e : {w.EdP[r], w.EdD[r], w.EdE[r], w.EdF[r]})
            EXPECT_EQ(Text(e), "") << gui::FromQt(e->objectName());
    // The rows are free again: the next remedy goes to the first.
    ASSERT_TRUE(ClickLine(w.ListBox2, "Remedie 12"));
    EXPECT_EQ(Text(w.EdP[0]), "Remedie 12");
    EXPECT_EQ(Text(w.EdP[1]), "");
}

TEST_F(SignatureSearchControls, TheLastPageEndsWithTheLastHitInEveryColumn) {
    // Twenty-eight hits: two full pages.
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 28; ++k) {
        const std::string n = std::to_string(10 + k);
        many.push_back(Sig("Remedie " + n, "Zon" + n, "Sec" + n, "Leeuw" + n));
    }
    remedy_tests::WritePrimaryDb(many);
    w.show();
    QTest::mouseClick(w.BBRicerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdTot), "28");
    EXPECT_EQ(Text(w.EdPage), "1/2");
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 24");
    QTest::mouseClick(w.BBseguito, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdPage), "2/2");
    EXPECT_EQ(Text(w.EdP[0]), "Remedie 25");
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 38");
    EXPECT_EQ(Text(w.EdD[13]), "Zon38");
    EXPECT_EQ(Text(w.EdE[13]), "Sec38");
    EXPECT_EQ(Text(w.EdF[13]), "Leeuw38");
    QTest::mouseClick(w.BBAnticipo, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdPage), "1/2");
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 24");
}

TEST_F(SignatureSearchControls, FourteenHitsFillOnePageThatKeepsItsColour) {
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 14; ++k) many.push_back(Sig("Remedie " + std::to_string(10 + k), "Maan", "", "Kreeft"));
    many.push_back(Sig("Zonder", "Zon", "", "Kreeft"));
    remedy_tests::WritePrimaryDb(many);
    w.show();
    Radio("RBlun")->click();
    QTest::mouseClick(w.BBRicerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdTot), "14");
    EXPECT_EQ(Text(w.EdPage), "1/1");
    EXPECT_EQ(BaseColour(w.EdPage), kWhiteColour);
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 24");
    QTest::mouseClick(w.BBseguito, Qt::LeftButton);
    EXPECT_EQ(Text(w.EdPage), "1/1");
    EXPECT_EQ(Text(w.EdP[13]), "Remedie 24");
}

TEST_F(SignatureSearchControls, AClickInTheSearchBoxStartsANewKeyAndRitornaCloses) {
    remedy_tests::WritePrimaryDb({Sig("Ferrum", "Mars", "", "Ram"), Sig("Capsicum", "Mars", "", "Schorpioen"),
                                  Sig("Zingiber", "Mars", "", "Ram")});
    w.show();
    QTest::keyClicks(w.EditCerca, "fe");
    EXPECT_EQ(w.ListBox2->SelectedLine(), "Ferrum");
    QTest::mouseClick(w.EditCerca, Qt::LeftButton);
    EXPECT_EQ(Text(w.EditCerca), "");
    EXPECT_EQ(w.SearchKey, "");
    QTest::keyClicks(w.EditCerca, "z");
    EXPECT_EQ(Text(w.EditCerca), "Z");
    EXPECT_EQ(w.ListBox2->SelectedLine(), "Zingiber");
    ExpectRitornaCloses(w, w.BitBtnRitorna);
}

// ------------------------------------------------------------------- debility

class DebilityControls : public ::testing::Test {
protected:
    TempWorkFolder folder;
    QRadioButton* Radio(DebilityWindow& w, const char* name) { return w.findChild<QRadioButton*>(name); }
};

TEST_F(DebilityControls, EveryPlanetAndSignRadioShowsItsOwnWord) {
    remedy_tests::WritePrimaryDb({Sig("Aurum", "Zon", "", "Leeuw")});
    editor_tests::WriteRepertoryDb({{"Angst", "Aurum", "", ""}});
    DebilityWindow w;
    w.show();
    for (const auto& row : kPlanetRadios) {
        QRadioButton* r = Radio(w, row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w.EdPianeta), row.caption) << row.name;
    }
    for (const auto& s : kDebilitySigns) {
        QRadioButton* r = Radio(w, s.control);
        ASSERT_NE(r, nullptr) << s.control;
        EXPECT_EQ(gui::FromQt(r->text()), s.shown);
        r->click();
        EXPECT_EQ(Text(w.EdSegno), s.shown) << s.control;
    }
}

TEST_F(DebilityControls, TheLastPlanetWithTheLastSignSearchesItsOppositeSign) {
    // The last sign radio reads "Maagd" and searches Vissen. Nux holds the
    // south node with Vissen and is the last primary record; Ruta holds the
    // node with Maagd (the sign shown, not searched). The last therapy
    // record gives Krampen its second remedy.
    remedy_tests::WritePrimaryDb({Sig("Salvia", "Venus", "", "Vissen"), Sig("Ruta", "Zuidknoop", "", "Maagd"),
                                  Sig("Nux", "Mars", "Zuidknoop", "Vissen")});
    editor_tests::WriteRepertoryDb(
        {{"Jicht", "Ruta", "", ""}, {"Krampen", "Nux", "", ""}, {"Hoest", "Salvia", "", ""},
         {"Krampen", "Salvia", "", ""}});
    DebilityWindow w;
    w.show();
    Radio(w, "RBnos")->click();
    Radio(w, "RBpes")->click();
    EXPECT_EQ(Text(w.EdPianeta), "Zuidknoop");
    EXPECT_EQ(Text(w.EdSegno), "Maagd");
    QTest::mouseClick(w.BBRicerca, Qt::LeftButton);
    EXPECT_EQ(w.ListBox2->Lines(), (std::vector<std::string>{"Krampen"}));
    EXPECT_EQ(Text(w.EdTot), "1");
    ASSERT_TRUE(ClickLine(w.ListBox2, "Krampen"));
    EXPECT_EQ(w.ListBox3->Lines(), (std::vector<std::string>{">>> Nux <<<", "Salvia"}));
    ExpectRitornaCloses(w, w.BitBtnRitorna);
}

// ------------------------------------------------------------- symptom plants

TEST(SymptomPlantsControls, EachPlantLineShowsItsOwnRecordUpToTheLast) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged("Angst", "Melissa", "A"), Tagged("Hoest", "Timo", "B"), Tagged("Hoest", "Salvia", "C"),
                      Tagged("Hoest", "Altea", "D"), Tagged("Zweren", "Calendula", "E")});
    SymptomPlantsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Hoest"));
    ASSERT_EQ(w.ListBoxPiante->Count(), 3);
    EXPECT_EQ(w.ListBoxSintesi->Lines(), (std::vector<std::string>{"Sintesi B", "Sintesi C", "Sintesi D"}));
    const char* tags[] = {"B", "C", "D"};
    const char* plants[] = {"Timo", "Salvia", "Altea"};
    for (int row : {0, 2, 1}) {
        ClickRow(w.ListBoxPiante, row);
        const std::string t = tags[row];
        EXPECT_EQ(Text(w.EdPianta), plants[row]);
        EXPECT_EQ(Text(w.EdSegPri), "pri" + t);
        EXPECT_EQ(Text(w.EdSegSec), "sec" + t);
        EXPECT_EQ(Text(w.EdSegZod), "zod" + t);
        EXPECT_EQ(Text(w.EdAutori), "Autore " + t);
        EXPECT_EQ(Text(w.EdSintomo), "Hoest");
    }
}

TEST(SymptomPlantsControls, TypeAheadReachesTheLastSymptomAndRitornaCloses) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged("Angst", "Melissa", "A"), Tagged("Hoest", "Timo", "B"), Tagged("Zweren", "Calendula", "E"),
                      Tagged("Zwakte", "Avena", "F")});
    SymptomPlantsWindow w;
    w.show();
    ASSERT_EQ(w.ListBox1->Lines().back(), "Zweren");
    QTest::keyClicks(w.EditCerca, "zwe");
    EXPECT_EQ(w.ListBox1->SelectedLine(), "Zweren");
    QTest::keyClick(w.EditCerca, Qt::Key_Return);
    EXPECT_EQ(Text(w.EdSintomo), "Zweren");
    EXPECT_EQ(Text(w.EdPianta), "Calendula");
    EXPECT_EQ(Text(w.EdAutori), "Autore E");
    ExpectRitornaCloses(w, w.BitBtnRitorna);
}

// ------------------------------------------------------------- plant symptoms

TEST(PlantSymptomsControls, EveryFieldOfTheLastPlantShowsItsOwnText) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged("Hoest", "Altea", "A"), Tagged("Angst", "Melissa", "B"), Tagged("Zweren", "Timo", "C"),
                      Tagged("Koorts", "Timo", "D")});
    PlantSymptomsWindow w;
    w.show();
    ASSERT_EQ(w.ListBox1->Lines().back(), "Timo");
    ASSERT_TRUE(ClickLine(w.ListBox1, "Timo"));
    EXPECT_EQ(Text(w.EdPianta), "Timo");
    EXPECT_EQ(Text(w.EdSegPri), "priD");
    EXPECT_EQ(Text(w.EdSegSec), "secD");
    EXPECT_EQ(Text(w.EdSegZod), "zodD");
    EXPECT_EQ(Text(w.EdSintesi), "Sintesi D");
    const std::string dashes(120, '-');
    EXPECT_EQ(w.ListBoxSintomi->Lines(), (std::vector<std::string>{"Zweren" + dashes, "Koorts" + dashes}));
    EXPECT_EQ(w.ListBoxAutori->Lines(), (std::vector<std::string>{"Autore C" + dashes, "Autore D" + dashes}));
    ExpectRitornaCloses(w, w.BitBtnRitorna);
}

TEST(PlantSymptomsControls, TheArrowsReachTheFourthPageWithItsOwnSymptomsAndAuthors) {
    TempWorkFolder folder;
    std::vector<SignatureRecord> records;
    for (int k = 1; k <= 80; ++k)
        records.push_back(Tagged("Sintomo " + std::to_string(100 + k), "Salvia", std::to_string(100 + k)));
    WriteSignatureDb(records);
    PlantSymptomsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.ListBox1, "Salvia"));
    ModelList* symptoms[] = {w.ListBoxSintomi, w.ListBoxSintomiBis, w.ListBoxSintomiTer, w.ListBoxSintomiQua};
    ModelList* authors[] = {w.ListBoxAutori, w.ListBoxAutoriBis, w.ListBoxAutoriTer, w.ListBoxAutoriQua};
    const auto expectPage = [&](int page) {
        EXPECT_EQ(w.LabPagine->text(), QString("Pagina %1/4").arg(page));
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(symptoms[p - 1]->isVisibleTo(&w), p == page) << "page " << page << " list " << p;
            EXPECT_EQ(authors[p - 1]->isVisibleTo(&w), p == page) << "page " << page << " list " << p;
        }
    };
    expectPage(1);
    for (int page = 2; page <= 4; ++page) {
        QTest::mouseClick(w.SpinButton1Down, Qt::LeftButton);
        expectPage(page);
    }
    const std::string dashes(120, '-');
    EXPECT_EQ(w.ListBoxSintomiQua->Lines(),
              (std::vector<std::string>{"Sintomo 179" + dashes, "Sintomo 180" + dashes}));
    EXPECT_EQ(w.ListBoxAutoriQua->Lines(), (std::vector<std::string>{"Autore 179" + dashes, "Autore 180" + dashes}));
    EXPECT_EQ(w.ListBoxSintomiTer->Lines().back(), "Sintomo 178" + dashes);
    EXPECT_EQ(w.ListBoxAutoriTer->Lines().back(), "Autore 178" + dashes);
    QTest::mouseClick(w.SpinButton1Down, Qt::LeftButton);  // no fifth page
    expectPage(4);
    QTest::mouseClick(w.SpinButton1Up, Qt::LeftButton);
    expectPage(3);
}

}  // namespace
