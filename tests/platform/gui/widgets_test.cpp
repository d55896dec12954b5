// The controls the windows are made of: named, with their captions converted
// from the program's encoding.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/gui/widgets.h"

namespace {

TEST(WidgetVocabulary, EveryControlIsNamedAndItsCaptionConverted) {
    QWidget window;
    QLabel* label = gui::MakeLabel(&window, "LabData", "Co\xF6rdinaten");  // Windows-1252 o-umlaut
    EXPECT_EQ(label->objectName(), "LabData");
    EXPECT_EQ(label->text(), QString::fromUtf8("Coördinaten"));
    EXPECT_EQ(label->parent(), &window);

    QLineEdit* edit = gui::MakeEdit(&window, "EdNome", 40);
    EXPECT_EQ(edit->objectName(), "EdNome");
    EXPECT_EQ(edit->maxLength(), 40);

    QPushButton* button = gui::MakeButton(&window, "BBSalva", "Salva \x80");  // the euro sign
    EXPECT_EQ(button->objectName(), "BBSalva");
    EXPECT_EQ(button->text(), QString::fromUtf8("Salva €"));

    QPlainTextEdit* memo = gui::MakeMemo(&window, "MemoDati", true);
    EXPECT_EQ(memo->objectName(), "MemoDati");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_FALSE(gui::MakeMemo(&window, "Memo2")->isReadOnly());

    EXPECT_EQ(gui::MakeRadio(&window, "RBindi", "Indicaties")->text(), "Indicaties");
    EXPECT_EQ(gui::MakePanel(&window, "PanelDati")->objectName(), "PanelDati");
}

TEST(WidgetVocabulary, ATableOfButtonsFillsEverySlotInItsOrder) {
    QWidget window;
    QPushButton *first = nullptr, *second = nullptr, *last = nullptr;
    gui::MakeButtons(&window, {{&first, "BBuno", "Uno"}, {&second, "BBdue", "Due"}, {&last, "BBtre", "Tre"}});
    ASSERT_TRUE(first && second && last);
    EXPECT_EQ(last->objectName(), "BBtre");
    EXPECT_EQ(last->text(), "Tre");
    const QList<QPushButton*> made = window.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(made.size(), 3);
    EXPECT_EQ(made[0], first);
    EXPECT_EQ(made[2], last);
}

}  // namespace
