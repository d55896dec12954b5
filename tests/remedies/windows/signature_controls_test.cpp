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

namespace signature_controls_test {

using namespace remedies;
using namespace window_tests;
using testing_support::TempWorkFolder;

namespace {

// A signature record whose nine fields each carry the tag and their own name.
struct TaggedTexts {
    std::string symptom{};
    std::string plant{};
    std::string tag{};
};

SignatureRecord Tagged(const TaggedTexts& texts) {
    const std::string& tag = texts.tag;
    SignatureRecord r;
    r.symptom = texts.symptom;
    r.plant = texts.plant;
    r.code = "COD-" + tag;
    r.primarySignature = "pri" + tag;
    r.secondarySignature = "sec" + tag;
    r.zodiacalSignature = "zod" + tag;
    r.synthesis = "Sintesi " + tag;
    r.authors = "Autore " + tag;
    r.notes = "Nota " + tag;
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
    WriteSignatureDb(
        {Tagged({"Tosse", "Timo", "A"}), Tagged({"Febbre", "Salice", "B"}), Tagged({"Gotta", "Ruta", "C"})});
    SignatureMaintenanceWindow w;
    w.show();
    ASSERT_EQ(w.entryList->Count(), 3);
    ClickRow(w.entryList, 2);
    const std::vector<std::pair<QLineEdit*, std::string>> ruta{{w.symptomEdit, "Gotta"},
                                                               {w.plantEdit, "Ruta"},
                                                               {w.codeEdit, "COD-C"},
                                                               {w.synthesisEdit, "Sintesi C"},
                                                               {w.primarySignatureEdit, "priC"},
                                                               {w.secondarySignatureEdit, "secC"},
                                                               {w.zodiacalSignatureEdit, "zodC"},
                                                               {w.authorsEdit, "Autore C"},
                                                               {w.notesEdit, "Nota C"}};
    for (const auto& [edit, text] : ruta) EXPECT_EQ(Text(edit), text) << gui::FromQt(edit->objectName());

    QTest::mouseClick(w.sortButton, Qt::LeftButton);
    ASSERT_EQ(w.entryList->Lines().back().substr(0, 4), "Timo");
    ClickRow(w.entryList, 2);
    const std::vector<std::pair<QLineEdit*, std::string>> timo{{w.symptomEdit, "Tosse"},
                                                               {w.plantEdit, "Timo"},
                                                               {w.codeEdit, "COD-A"},
                                                               {w.synthesisEdit, "Sintesi A"},
                                                               {w.primarySignatureEdit, "priA"},
                                                               {w.secondarySignatureEdit, "secA"},
                                                               {w.zodiacalSignatureEdit, "zodA"},
                                                               {w.authorsEdit, "Autore A"},
                                                               {w.notesEdit, "Nota A"}};
    for (const auto& [edit, text] : timo) EXPECT_EQ(Text(edit), text) << gui::FromQt(edit->objectName());
    // A second press goes back to the order of the file.
    QTest::mouseClick(w.sortButton, Qt::LeftButton);
    EXPECT_EQ(w.entryList->Lines().back().substr(0, 4), "Ruta");
    ExpectRitornaCloses(w, w.backButton);
}

// ----------------------------------------------------------- signature search

class SignatureSearchControls : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    SignatureSearchWindow w_;
    QRadioButton* Radio(const char* name) { return w_.findChild<QRadioButton*>(name); }
};

PrimaryTexts Sig(const remedy_tests::SignedRemedy& texts) {
    return remedy_tests::SignedRemedyTexts(texts, "Indicatie");
}

TEST_F(SignatureSearchControls, EveryPlanetAndSignRadioShowsItsOwnWord) {
    remedy_tests::WritePrimaryDb({Sig({"Aurum", "Zon", "", "Leeuw"})});
    w_.show();
    for (const auto& row : kPlanetRadios) {
        QRadioButton* r = Radio(row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w_.planetEdit), row.caption) << row.name;
        EXPECT_EQ(Text(w_.signEdit), "Ieder");
    }
    for (const auto& row : kSignRadios) {
        QRadioButton* r = Radio(row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w_.signEdit), row.caption) << row.name;
    }
    // The last planet and sign, by their captions.
    Radio("RBnos")->click();
    Radio("RBpes")->click();
    EXPECT_EQ(Text(w_.planetEdit), "Zuidknoop");
    EXPECT_EQ(Text(w_.signEdit), "Vissen");
}

TEST_F(SignatureSearchControls, TheLastPlanetWithTheLastSignFindsItsRemedy) {
    // Mandragora holds the south node in its secondary signature and Vissen;
    // Ruta the node without Vissen, Salvia Vissen without the node.
    remedy_tests::WritePrimaryDb({Sig({"Ruta", "Zuidknoop", "", "Maagd"}), Sig({"Salvia", "Venus", "", "Vissen"}),
                                  Sig({"Mandragora", "Saturnus", "Zuidknoop", "Stier-Vissen"})});
    w_.show();
    Radio("RBnos")->click();
    Radio("RBpes")->click();
    QTest::mouseClick(w_.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.foundCountEdit), "1");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Mandragora");
    EXPECT_EQ(Text(w_.primaryEdits[0]), "Saturnus");
    EXPECT_EQ(Text(w_.secondaryEdits[0]), "Zuidknoop");
    EXPECT_EQ(Text(w_.zodiacEdits[0]), "Stier-Vissen");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "");
}

TEST_F(SignatureSearchControls, TheFourteenthRowHoldsTheFourteenthRemedyAndSchoonEmptiesIt) {
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 14; ++k) {
        const std::string n = std::to_string(10 + k);
        many.push_back(Sig({"Remedie " + n, "Pri" + n, "Sec" + n, "Zod" + n}));
    }
    remedy_tests::WritePrimaryDb(many);
    w_.show();
    for (int k = 1; k <= 14; ++k) ASSERT_TRUE(ClickLine(w_.remedyList, "Remedie " + std::to_string(10 + k)));
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 24");
    EXPECT_EQ(Text(w_.primaryEdits[13]), "Pri24");
    EXPECT_EQ(Text(w_.secondaryEdits[13]), "Sec24");
    EXPECT_EQ(Text(w_.zodiacEdits[13]), "Zod24");
    EXPECT_EQ(Text(w_.zodiacEdits[12]), "Zod23");

    QTest::mouseClick(w_.clearButton, Qt::LeftButton);
    for (int r = 0; r < kSignatureRows; ++r)
        for (QLineEdit* e : {w_.remedyEdits[r], w_.primaryEdits[r], w_.secondaryEdits[r], w_.zodiacEdits[r]})
            EXPECT_EQ(Text(e), "") << gui::FromQt(e->objectName());
    // The rows are free again: the next remedy goes to the first.
    ASSERT_TRUE(ClickLine(w_.remedyList, "Remedie 12"));
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Remedie 12");
    EXPECT_EQ(Text(w_.remedyEdits[1]), "");
}

TEST_F(SignatureSearchControls, TheLastPageEndsWithTheLastHitInEveryColumn) {
    // Twenty-eight hits: two full pages.
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 28; ++k) {
        const std::string n = std::to_string(10 + k);
        many.push_back(Sig({"Remedie " + n, "Zon" + n, "Sec" + n, "Leeuw" + n}));
    }
    remedy_tests::WritePrimaryDb(many);
    w_.show();
    QTest::mouseClick(w_.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.foundCountEdit), "28");
    EXPECT_EQ(Text(w_.pageEdit), "1/2");
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 24");
    QTest::mouseClick(w_.nextPageButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.pageEdit), "2/2");
    EXPECT_EQ(Text(w_.remedyEdits[0]), "Remedie 25");
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 38");
    EXPECT_EQ(Text(w_.primaryEdits[13]), "Zon38");
    EXPECT_EQ(Text(w_.secondaryEdits[13]), "Sec38");
    EXPECT_EQ(Text(w_.zodiacEdits[13]), "Leeuw38");
    QTest::mouseClick(w_.previousPageButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.pageEdit), "1/2");
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 24");
}

TEST_F(SignatureSearchControls, FourteenHitsFillOnePageThatKeepsItsColour) {
    std::vector<PrimaryTexts> many;
    for (int k = 1; k <= 14; ++k) many.push_back(Sig({"Remedie " + std::to_string(10 + k), "Maan", "", "Kreeft"}));
    many.push_back(Sig({"Zonder", "Zon", "", "Kreeft"}));
    remedy_tests::WritePrimaryDb(many);
    w_.show();
    Radio("RBlun")->click();
    QTest::mouseClick(w_.searchButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.foundCountEdit), "14");
    EXPECT_EQ(Text(w_.pageEdit), "1/1");
    EXPECT_EQ(BaseColour(w_.pageEdit), kWhiteColour);
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 24");
    QTest::mouseClick(w_.nextPageButton, Qt::LeftButton);
    EXPECT_EQ(Text(w_.pageEdit), "1/1");
    EXPECT_EQ(Text(w_.remedyEdits[13]), "Remedie 24");
}

TEST_F(SignatureSearchControls, AClickInTheSearchBoxStartsANewKeyAndRitornaCloses) {
    remedy_tests::WritePrimaryDb({Sig({"Ferrum", "Mars", "", "Ram"}), Sig({"Capsicum", "Mars", "", "Schorpioen"}),
                                  Sig({"Zingiber", "Mars", "", "Ram"})});
    w_.show();
    QTest::keyClicks(w_.searchEdit, "fe");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Ferrum");
    QTest::mouseClick(w_.searchEdit, Qt::LeftButton);
    EXPECT_EQ(Text(w_.searchEdit), "");
    EXPECT_EQ(w_.searchKey, "");
    QTest::keyClicks(w_.searchEdit, "z");
    EXPECT_EQ(Text(w_.searchEdit), "Z");
    EXPECT_EQ(w_.remedyList->SelectedLine(), "Zingiber");
    ExpectRitornaCloses(w_, w_.backButton);
}

// ------------------------------------------------------------------- debility

class DebilityControls : public ::testing::Test {
protected:
    TempWorkFolder folder_;
    QRadioButton* Radio(DebilityWindow& w, const char* name) { return w.findChild<QRadioButton*>(name); }
};

TEST_F(DebilityControls, EveryPlanetAndSignRadioShowsItsOwnWord) {
    remedy_tests::WritePrimaryDb({Sig({"Aurum", "Zon", "", "Leeuw"})});
    editor_tests::WriteRepertoryDb({{"Angst", "Aurum", "", ""}});
    DebilityWindow w;
    w.show();
    for (const auto& row : kPlanetRadios) {
        QRadioButton* r = Radio(w, row.name);
        ASSERT_NE(r, nullptr) << row.name;
        r->click();
        EXPECT_EQ(Text(w.planetEdit), row.caption) << row.name;
    }
    std::vector<DebilitySign> signChoices(kDebilitySigns.begin(), kDebilitySigns.end());
    signChoices.push_back(kAnyDebilitySign);
    for (const auto& s : signChoices) {
        QRadioButton* r = Radio(w, s.radioName);
        ASSERT_NE(r, nullptr) << s.radioName;
        EXPECT_EQ(gui::FromQt(r->text()), s.shown);
        r->click();
        EXPECT_EQ(Text(w.signEdit), s.shown) << s.radioName;
    }
}

TEST_F(DebilityControls, TheLastPlanetWithTheLastSignSearchesItsOppositeSign) {
    // The last sign radio reads "Maagd" and searches Vissen. Nux holds the
    // south node with Vissen and is the last primary record; Ruta holds the
    // node with Maagd (the sign shown, not searched). The last therapy
    // record gives Krampen its second remedy.
    remedy_tests::WritePrimaryDb({Sig({"Salvia", "Venus", "", "Vissen"}), Sig({"Ruta", "Zuidknoop", "", "Maagd"}),
                                  Sig({"Nux", "Mars", "Zuidknoop", "Vissen"})});
    editor_tests::WriteRepertoryDb({{"Jicht", "Ruta", "", ""},
                                    {"Krampen", "Nux", "", ""},
                                    {"Hoest", "Salvia", "", ""},
                                    {"Krampen", "Salvia", "", ""}});
    DebilityWindow w;
    w.show();
    Radio(w, "RBnos")->click();
    Radio(w, "RBpes")->click();
    EXPECT_EQ(Text(w.planetEdit), "Zuidknoop");
    EXPECT_EQ(Text(w.signEdit), "Maagd");
    QTest::mouseClick(w.searchButton, Qt::LeftButton);
    EXPECT_EQ(w.pathologyList->Lines(), (std::vector<std::string>{"Krampen"}));
    EXPECT_EQ(Text(w.foundCountEdit), "1");
    ASSERT_TRUE(ClickLine(w.pathologyList, "Krampen"));
    EXPECT_EQ(w.remedyList->Lines(), (std::vector<std::string>{">>> Nux <<<", "Salvia"}));
    ExpectRitornaCloses(w, w.backButton);
}

// ------------------------------------------------------------- symptom plants

TEST(SymptomPlantsControls, EachPlantLineShowsItsOwnRecordUpToTheLast) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged({"Angst", "Melissa", "A"}), Tagged({"Hoest", "Timo", "B"}),
                      Tagged({"Hoest", "Salvia", "C"}), Tagged({"Hoest", "Altea", "D"}),
                      Tagged({"Zweren", "Calendula", "E"})});
    SymptomPlantsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.symptomList, "Hoest"));
    ASSERT_EQ(w.plantList->Count(), 3);
    EXPECT_EQ(w.synthesisList->Lines(), (std::vector<std::string>{"Sintesi B", "Sintesi C", "Sintesi D"}));
    const char* tags[] = {"B", "C", "D"};
    const char* plants[] = {"Timo", "Salvia", "Altea"};
    for (int row : {0, 2, 1}) {
        ClickRow(w.plantList, row);
        const std::string t = tags[row];
        EXPECT_EQ(Text(w.plantEdit), plants[row]);
        EXPECT_EQ(Text(w.primarySignatureEdit), "pri" + t);
        EXPECT_EQ(Text(w.secondarySignatureEdit), "sec" + t);
        EXPECT_EQ(Text(w.zodiacalSignatureEdit), "zod" + t);
        EXPECT_EQ(Text(w.authorsEdit), "Autore " + t);
        EXPECT_EQ(Text(w.symptomEdit), "Hoest");
    }
}

TEST(SymptomPlantsControls, TypeAheadReachesTheLastSymptomAndRitornaCloses) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged({"Angst", "Melissa", "A"}), Tagged({"Hoest", "Timo", "B"}),
                      Tagged({"Zweren", "Calendula", "E"}), Tagged({"Zwakte", "Avena", "F"})});
    SymptomPlantsWindow w;
    w.show();
    ASSERT_EQ(w.symptomList->Lines().back(), "Zweren");
    QTest::keyClicks(w.searchEdit, "zwe");
    EXPECT_EQ(w.symptomList->SelectedLine(), "Zweren");
    QTest::keyClick(w.searchEdit, Qt::Key_Return);
    EXPECT_EQ(Text(w.symptomEdit), "Zweren");
    EXPECT_EQ(Text(w.plantEdit), "Calendula");
    EXPECT_EQ(Text(w.authorsEdit), "Autore E");
    ExpectRitornaCloses(w, w.backButton);
}

// ------------------------------------------------------------- plant symptoms

TEST(PlantSymptomsControls, EveryFieldOfTheLastPlantShowsItsOwnText) {
    TempWorkFolder folder;
    WriteSignatureDb({Tagged({"Hoest", "Altea", "A"}), Tagged({"Angst", "Melissa", "B"}),
                      Tagged({"Zweren", "Timo", "C"}), Tagged({"Koorts", "Timo", "D"})});
    PlantSymptomsWindow w;
    w.show();
    ASSERT_EQ(w.plantList->Lines().back(), "Timo");
    ASSERT_TRUE(ClickLine(w.plantList, "Timo"));
    EXPECT_EQ(Text(w.plantEdit), "Timo");
    EXPECT_EQ(Text(w.primarySignatureEdit), "priD");
    EXPECT_EQ(Text(w.secondarySignatureEdit), "secD");
    EXPECT_EQ(Text(w.zodiacalSignatureEdit), "zodD");
    EXPECT_EQ(Text(w.synthesisEdit), "Sintesi D");
    const std::string dashes(120, '-');
    EXPECT_EQ(w.SymptomList(1)->Lines(), (std::vector<std::string>{"Zweren" + dashes, "Koorts" + dashes}));
    EXPECT_EQ(w.AuthorList(1)->Lines(), (std::vector<std::string>{"Autore C" + dashes, "Autore D" + dashes}));
    ExpectRitornaCloses(w, w.backButton);
}

TEST(PlantSymptomsControls, TheArrowsReachTheFourthPageWithItsOwnSymptomsAndAuthors) {
    TempWorkFolder folder;
    std::vector<SignatureRecord> records;
    for (int k = 1; k <= 80; ++k)
        records.push_back(Tagged({"Sintomo " + std::to_string(100 + k), "Salvia", std::to_string(100 + k)}));
    WriteSignatureDb(records);
    PlantSymptomsWindow w;
    w.show();
    ASSERT_TRUE(ClickLine(w.plantList, "Salvia"));
    ModelList* symptoms[] = {w.SymptomList(1), w.SymptomList(2), w.SymptomList(3), w.SymptomList(4)};
    ModelList* authors[] = {w.AuthorList(1), w.AuthorList(2), w.AuthorList(3), w.AuthorList(4)};
    const auto expectPage = [&](int page) {
        EXPECT_EQ(w.pageLabel->text(), QString("Pagina %1/4").arg(page));
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(symptoms[p - 1]->isVisibleTo(&w), p == page) << "page " << page << " list " << p;
            EXPECT_EQ(authors[p - 1]->isVisibleTo(&w), p == page) << "page " << page << " list " << p;
        }
    };
    expectPage(1);
    for (int page = 2; page <= 4; ++page) {
        QTest::mouseClick(w.nextPageButton, Qt::LeftButton);
        expectPage(page);
    }
    const std::string dashes(120, '-');
    EXPECT_EQ(w.SymptomList(4)->Lines(), (std::vector<std::string>{"Sintomo 179" + dashes, "Sintomo 180" + dashes}));
    EXPECT_EQ(w.AuthorList(4)->Lines(), (std::vector<std::string>{"Autore 179" + dashes, "Autore 180" + dashes}));
    EXPECT_EQ(w.SymptomList(3)->Lines().back(), "Sintomo 178" + dashes);
    EXPECT_EQ(w.AuthorList(3)->Lines().back(), "Autore 178" + dashes);
    QTest::mouseClick(w.nextPageButton, Qt::LeftButton);  // no fifth page
    expectPage(4);
    QTest::mouseClick(w.previousPageButton, Qt::LeftButton);
    expectPage(3);
}

}  // namespace

}  // namespace signature_controls_test
