// The panels, lists, drop-down lists and scroll bars of the windows' vocabulary.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QScrollBar>
#include <QWidget>

#include "platform/gui/widgets.h"

namespace {

TEST(WidgetVocabularyMore, RaisedPanelsListsAndBarsAreNamedChildren) {
    QWidget window;
    QFrame* panel = gui::MakeRaisedPanel(&window, "PanelInfo", QColor(0, 128, 128));
    EXPECT_EQ(panel->objectName(), "PanelInfo");
    EXPECT_EQ(panel->parent(), &window);
    EXPECT_EQ(panel->frameShape(), QFrame::Panel);
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    EXPECT_TRUE(panel->autoFillBackground());
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0, 128, 128));

    QListWidget* list = gui::MakeList(panel, "ListExtra1");
    EXPECT_EQ(list->objectName(), "ListExtra1");
    EXPECT_EQ(list->parent(), panel);
    EXPECT_EQ(gui::MakeCombo(panel, "ComboBoxPiante")->objectName(), "ComboBoxPiante");
    QScrollBar* bar = gui::MakeScrollBar(panel, "SpinButton1", Qt::Vertical);
    EXPECT_EQ(bar->objectName(), "SpinButton1");
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_EQ(gui::MakeScrollBar(panel, "Bar2", Qt::Horizontal)->orientation(), Qt::Horizontal);
}

}  // namespace
