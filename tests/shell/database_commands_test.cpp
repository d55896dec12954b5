// The main window's "Primaire Database", "Therapieën Database", "Utility Ricerca"
// and "Updates" open the editors, the utility and the update window made at start.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "shell/subsystem_windows.h"
#include "tests/shell/shell_test_support.h"

using shell_testing::ProgramStart;

namespace {

class NoVolumes : public gui::SystemServices {
public:
    std::vector<gui::Volume> ListVolumes() override { return {}; }
};

TEST(DatabaseCommandsTest, EachButtonShowsItsWindowWithTheSampleDatabases) {
    ProgramStart start;
    gui::SetSystemServices(std::make_unique<NoVolumes>());
    std::vector<std::string> seen;
    gui::SetModalHandler("FoMainArc", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::PrimaryEditor*>(d);
        EXPECT_EQ(w, testing_support::WindowOfTest<remedies::PrimaryEditor>());
        w->Refresh();
        seen.push_back(std::to_string(w->entryList->count()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoAggRep", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::RepertoryEditor*>(d);
        w->Refresh();
        seen.push_back(std::to_string(w->entryList->count()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoUtilit", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::SearchUtility*>(d);
        w->Refresh();
        w->primaryFieldRadios[1]->click();
        w->phraseEdit->setText("wonden");
        w->searchButton->click();
        seen.push_back(gui::FromQt(w->remedyEdit->text()));
        return int(gui::kModalCancel);
    });
    gui::SetModalHandler("FoAggiorna", [&seen](QDialog* d) {
        auto* w = dynamic_cast<remedies::UpdateWindow*>(d);
        w->Refresh();
        seen.push_back(gui::FromQt(w->lastUpdateEdit->text()).size() == 16 ? "dated" : "undated");
        return int(gui::kModalCancel);
    });
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BitBtn4")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BBaggRep")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "BButility")->click();
    testing_support::ControlOf<QPushButton>(*shell_testing::StartedMainWindow(), "EdAggiorna")->click();
    gui::SetSystemServices(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(remedies::PrimaryRecordCount()),
                                              std::to_string(remedies::RepertoryRecordCount()),
                                              "MSA Calendula officinalis", "dated"}));
    // Only the update window speaks: no disc was found.
    EXPECT_EQ(start.messages.Texts(), std::vector<std::string>{"Non \xE8 stato rilevato alcun disco di aggiornamento"});
}

}  // namespace
