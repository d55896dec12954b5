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
        auto* w = dynamic_cast<remedies::TFoSintom1*>(d);
        EXPECT_EQ(w, remedies::FoSintom1);
        w->FormActivate();
        ClickLineStarting(w->ListBox1, "Hoest");
        seen.push_back(gui::FromQt(w->EdP[1]->text()));
        return int(gui::mrCancel);
    });
    gui::SetModalHandler("FoRimed", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::TFoRimed*>(d);
        w->FormActivate();
        ClickLineStarting(w->ListBox1, "Salix");
        seen.push_back(gui::FromQt(w->EdRime->text()));
        return int(gui::mrCancel);
    });
    gui::SetModalHandler("FoRicCom", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::TFoRicCom*>(d);
        w->FormActivate();
        ClickLineStarting(w->ListBox1, "Hoest");
        w->BBricerca->click();
        seen.push_back(gui::FromQt(w->ListBox3->item(0)->text()));
        return int(gui::mrCancel);
    });
    gui::SetModalHandler("FoTerCom", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::TFoTerCom*>(d);
        w->FormActivate();
        ClickLineStarting(w->ListBox1, "Hoest");
        w->BBricerca->click();
        seen.push_back(std::to_string(w->ListBox3->count()));
        return int(gui::mrCancel);
    });
    shell::FoKelvor->BBSintomi->click();
    shell::FoKelvor->BitBtn2->click();
    shell::FoKelvor->BBriceCompo->click();
    shell::FoKelvor->BitBtn10->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Foeniculum vulgare", "Salix alba", "01 Viola odorata", "4"}));
    EXPECT_EQ(remedies::FoSintom1, nullptr);
    EXPECT_EQ(remedies::FoRimed, nullptr);
    EXPECT_EQ(remedies::FoRicCom, nullptr);
    EXPECT_EQ(remedies::FoTerCom, nullptr);
    EXPECT_TRUE(start.messages.messages.empty());
}

TEST(RemedyCommandsTest, TheTherapiesWindowIsCreatedAtStart) {
    ProgramStart start;
    ASSERT_NE(shell::FoTerapi, nullptr);
    EXPECT_NE(dynamic_cast<remedies::TFoTerapi*>(shell::FoTerapi), nullptr);
    EXPECT_EQ(shell::FoTerapi->windowTitle(), gui::ToQt("THERAPIE\xCBN"));
}

}  // namespace
