// The main window's remedy buttons open the symptom and remedy browsers and the
// two ranked searches on demand, and release them when they close.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "platform/gui/text_convert.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "remedies/windows/therapy_browser.h"
#include "shell/subsystem_windows.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::ProgramStart;

namespace {

// Clicks the first line of a list that starts with `start`.
void ClickLineStarting(QListWidget* list, const QString& start) {
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->text().startsWith(start)) continue;
        list->setCurrentRow(i);
        Q_EMIT list->itemClicked(list->item(i));
        return;
    }
    ADD_FAILURE() << "no line " << start.toStdString();
}

TEST(RemedyCommandsTest, EachButtonOpensItsWindowWithTheSampleData) {
    ProgramStart start;
    std::vector<std::string> seen;
    // The windows while they were shown, to see them released afterwards.
    std::vector<QPointer<QDialog>> shown;
    gui::SetModalHandler("FoSintom1", [&seen, &shown](QDialog* d) {
        shown.emplace_back(d);
        auto* w = dynamic_cast<remedies::SymptomBrowser*>(d);
        EXPECT_NE(w, nullptr);
        w->Refresh();
        ClickLineStarting(w->choiceList, "Hoest");
        seen.push_back(gui::FromQt(w->remedyEdits[0]->text()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoRimed", [&seen, &shown](QDialog* d) {
        shown.emplace_back(d);
        auto* w = dynamic_cast<remedies::RemedyBrowser*>(d);
        w->Refresh();
        ClickLineStarting(w->choiceList, "Salix");
        seen.push_back(gui::FromQt(w->chosen->text()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoRicCom", [&seen, &shown](QDialog* d) {
        shown.emplace_back(d);
        auto* w = dynamic_cast<remedies::MultiSymptomSearch*>(d);
        w->Refresh();
        ClickLineStarting(w->vocabularyList, "Hoest");
        w->searchButton->click();
        seen.push_back(gui::FromQt(w->resultList->item(0)->text()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoTerCom", [&seen, &shown](QDialog* d) {
        shown.emplace_back(d);
        auto* w = dynamic_cast<remedies::CompoundTherapySearch*>(d);
        w->Refresh();
        ClickLineStarting(w->vocabularyList, "Hoest");
        w->searchButton->click();
        seen.push_back(std::to_string(w->resultList->count()));
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBSintomi")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn2")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBriceCompo")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn10")->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Foeniculum vulgare", "Salix alba", "01 Viola odorata", "4"}));
    ASSERT_EQ(shown.size(), 4u);
    for (const QPointer<QDialog>& window : shown) EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(RemedyCommandsTest, TheTherapiesWindowIsCreatedAtStart) {
    ProgramStart start;
    remedies::TherapyBrowser* therapies = testing_support::WindowOfTest<remedies::TherapyBrowser>();
    ASSERT_NE(therapies, nullptr);
    EXPECT_EQ(therapies->windowTitle(), gui::ToQt("THERAPIE\xCBN"));
}

}  // namespace
