// The main window's remedy buttons open the symptom and remedy browsers and the
// two ranked searches on demand, and release them when they close.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
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
    gui::SetModalHandler("FoSintom1", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::SymptomBrowser*>(d);
        EXPECT_EQ(w, remedies::theSymptomBrowser);
        w->Refresh();
        ClickLineStarting(w->choiceList, "Hoest");
        seen.push_back(gui::FromQt(w->remedyEdits[1]->text()));
        return int(gui::ModalCancel);
    });
    gui::SetModalHandler("FoRimed", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::RemedyBrowser*>(d);
        w->Refresh();
        ClickLineStarting(w->choiceList, "Salix");
        seen.push_back(gui::FromQt(w->Chosen->text()));
        return int(gui::ModalCancel);
    });
    gui::SetModalHandler("FoRicCom", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::MultiSymptomSearch*>(d);
        w->Refresh();
        ClickLineStarting(w->vocabularyList, "Hoest");
        w->searchButton->click();
        seen.push_back(gui::FromQt(w->resultList->item(0)->text()));
        return int(gui::ModalCancel);
    });
    gui::SetModalHandler("FoTerCom", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::CompoundTherapySearch*>(d);
        w->Refresh();
        ClickLineStarting(w->vocabularyList, "Hoest");
        w->searchButton->click();
        seen.push_back(std::to_string(w->resultList->count()));
        return int(gui::ModalCancel);
    });
    shell::theMainWindow->openSymptomBrowserButton->click();
    shell::theMainWindow->openRemedyBrowserButton->click();
    shell::theMainWindow->openMultiSymptomSearchButton->click();
    shell::theMainWindow->openCompoundTherapySearchButton->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Foeniculum vulgare", "Salix alba", "01 Viola odorata", "4"}));
    EXPECT_EQ(remedies::theSymptomBrowser, nullptr);
    EXPECT_EQ(remedies::theRemedyBrowser, nullptr);
    EXPECT_EQ(remedies::theMultiSymptomSearch, nullptr);
    EXPECT_EQ(remedies::theCompoundTherapySearch, nullptr);
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(RemedyCommandsTest, TheTherapiesWindowIsCreatedAtStart) {
    ProgramStart start;
    ASSERT_NE(shell::theTherapyBrowser, nullptr);
    EXPECT_NE(dynamic_cast<remedies::TherapyBrowser*>(shell::theTherapyBrowser), nullptr);
    EXPECT_EQ(shell::theTherapyBrowser->windowTitle(), gui::ToQt("THERAPIE\xCBN"));
}

}  // namespace
