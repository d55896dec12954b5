// Pictures of the remedy windows with the sample databases, for looking at:
// written only when KELVOR_SCREENSHOT names a target file.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <cstdlib>

#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/therapy_browser.h"
#include "tests/remedies/windows/window_test_util.h"

using namespace remedies;
using namespace window_tests;

namespace {

void Save(QWidget* w, const char* suffix) {
    QString target = QString::fromUtf8(std::getenv("KELVOR_SCREENSHOT"));
    QTest::qWait(50);
    ASSERT_TRUE(w->grab().save(target.replace(".png", QString("-%1.png").arg(suffix))));
}

TEST(RemedyWindowsScreenshot, EachWindowWithTheSampleData) {
    const char* target = std::getenv("KELVOR_SCREENSHOT");
    if (!target || !*target) GTEST_SKIP() << "KELVOR_SCREENSHOT not set";
    SampleFolder folder;

    SymptomBrowser symptoms;
    symptoms.show();
    QTest::keyClicks(symptoms.searchEdit, "hoo");
    ASSERT_TRUE(ClickLine(symptoms.choiceList, "Hoofdpijn"));
    symptoms.detailButtons[2]->click();
    symptoms.detailButtons[2]->click();
    QTest::mouseDClick(symptoms.planetEdits[1], Qt::LeftButton);
    Save(&symptoms, "symptoms");

    RemedyBrowser remedies;
    remedies.show();
    QTest::keyClicks(remedies.searchEdit, "cal");
    ASSERT_TRUE(ClickLine(remedies.choiceList, Text(remedies.choiceList, remedies.choiceList->currentRow())));
    remedies.detailButtons[0]->click();
    Save(&remedies, "remedies");
    remedies.helpButton->click();
    Save(&remedies, "remedies-info");

    TherapyBrowser therapies;
    therapies.show();
    ASSERT_TRUE(ClickLine(therapies.choiceList, "Slapeloosheid"));
    therapies.detailButtons[1]->click();
    QTest::mouseDClick(therapies.dosageEdits[0], Qt::LeftButton);
    Save(&therapies, "therapies");

    MultiSymptomSearch multi;
    multi.show();
    for (const char* s : {"Hoofdpijn", "Nervositeit", "Onrust en lichte slapeloosheid"})
        ASSERT_TRUE(ClickLine(multi.vocabularyList, s));
    multi.searchButton->click();
    ASSERT_TRUE(ClickLine(multi.resultList, "02 Verbena officinalis"));
    Save(&multi, "multi");

    CompoundTherapySearch compound;
    compound.show();
    for (const char* s : {"Slapeloosheid", "Nervositeit", "Hoofdpijn"})
        ASSERT_TRUE(ClickLine(compound.vocabularyList, s));
    compound.searchButton->click();
    ASSERT_TRUE(ClickLine(compound.resultList, Text(compound.resultList, 0)));
    Save(&compound, "compound");
}

}  // namespace
