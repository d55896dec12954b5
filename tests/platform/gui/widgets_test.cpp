// The controls the windows are made of: named, with their captions converted
// from the program's encoding.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
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

// Enter in a dialog's edit presses the dialog's first button of Qt's own
// kind; a click-only button stays unpressed, and a click still presses it.
TEST(WidgetVocabulary, EnterPressesAPlainButtonButNeverAClickOnlyOne) {
    auto pressesOnEnter = [](bool clickOnly) {
        QDialog dialog;
        QLineEdit* edit = gui::MakeEdit(&dialog, "EdNome");
        QPushButton* button =
            clickOnly ? gui::MakeClickOnlyButton(&dialog, "BBok", "OK") : gui::MakeButton(&dialog, "BBok", "OK");
        dialog.show();
        int clicks = 0;
        QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
        QTest::keyClick(edit, Qt::Key_Return);
        const int byEnter = clicks;
        button->click();
        EXPECT_EQ(clicks, byEnter + 1);
        return byEnter;
    };
    EXPECT_EQ(pressesOnEnter(false), 1);
    EXPECT_EQ(pressesOnEnter(true), 0);

    QWidget window;
    QPushButton *first = nullptr, *last = nullptr;
    gui::MakeClickOnlyButtons(&window, {{&first, "BBuno", "Uno"}, {&last, "BBtre", "Tre"}});
    ASSERT_TRUE(first && last);
    EXPECT_FALSE(last->autoDefault());
    EXPECT_EQ(last->text(), "Tre");
}

// Each labelled edit stands on its own grid row: label (named after its edit)
// in the given column, the edit beside it over the given span.
TEST(WidgetVocabulary, LabelledEditsFillTheGridRowByRow) {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    QLineEdit *name = nullptr, *date = nullptr, *place = nullptr;
    const int next = gui::AddLabelledEdits(
        grid, &window,
        {{&name, "EditNome", "Naam", 38}, {&date, "EditData", "Datum"}, {&place, "EditLocal", "Co\xF6rd."}}, 2, {1, 3});
    EXPECT_EQ(next, 5);
    ASSERT_TRUE(name && date && place);
    EXPECT_EQ(name->maxLength(), 38);
    EXPECT_EQ(date->maxLength(), 32767);
    EXPECT_EQ(place->objectName(), "EditLocal");
    auto* label = window.findChild<QLabel*>("LabEditLocal");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QString::fromUtf8("Coörd."));
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(column, 1);
    grid->getItemPosition(grid->indexOf(place), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(columns, 3);
    grid->getItemPosition(grid->indexOf(name), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(gui::NameOfEditLabel("EditNome"), "LabEditNome");
}

// A radio group fills its columns downwards and hands its buttons back in
// their order, after those the window already keeps.
TEST(WidgetVocabulary, ARadioGroupFillsItsColumnsDownwards) {
    QWidget window;
    std::vector<QRadioButton*> made(1, nullptr);
    QGroupBox* group = gui::MakeRadioGroup(
        &window, "PanSegni", "Zodiac Signatuur",
        {{"RBari", "Ram"}, {"RBtor", "Stier"}, {"RBgem", "Tweelingen"}, {"RBcan", "Kreeft"}, {"RBNoSeg", "Ieder"}}, 2,
        made);
    EXPECT_EQ(group->objectName(), "PanSegni");
    EXPECT_EQ(group->title(), "Zodiac Signatuur");
    ASSERT_EQ(made.size(), 6u);
    EXPECT_EQ(made[0], nullptr);
    EXPECT_EQ(made[5]->objectName(), "RBNoSeg");
    EXPECT_EQ(made[5]->parent(), group);
    auto* grid = static_cast<QGridLayout*>(group->layout());
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(made[5]), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 2);
    grid->getItemPosition(grid->indexOf(made[4]), &row, &column, &rows, &columns);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
}

TEST(WidgetVocabulary, PlacedControlsStandWhereTheyAreToldAndSpinButtonsAreNamed) {
    QWidget window;
    QLineEdit* edit = gui::Place(gui::MakeReadOnlyEdit(&window, "EdNumRec", 5), {8, 499, 150, 21});
    EXPECT_EQ(edit->geometry(), QRect(8, 499, 150, 21));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->maxLength(), 5);
    QLabel* label =
        gui::Place(gui::MakeLabel(&window, "LabZoeken", "Zoeken naar een remedie"), {8, 12, gui::kCaptionWidth, 16});
    EXPECT_EQ(label->width(), label->sizeHint().width());
    EXPECT_GT(label->width(), label->fontMetrics().horizontalAdvance("Zoeken"));
    EXPECT_EQ(label->height(), 16);

    const gui::SpinArrows spin = gui::MakeSpinButton(&window, "SpinButton1");
    EXPECT_EQ(spin.box->objectName(), "SpinButton1");
    EXPECT_EQ(spin.up->objectName(), "SpinButton1Up");
    EXPECT_EQ(spin.down->objectName(), "SpinButton1Down");
    EXPECT_EQ(spin.down->arrowType(), Qt::DownArrow);

    // A column of radio buttons steps down from the first; placed buttons are
    // click-only and stand where their row says.
    QRadioButton *first = nullptr, *second = nullptr, *last = nullptr;
    gui::PlaceRadioColumn(
        &window, {{&first, "RBrimed", "Rimedio"}, {&second, "RBpatol", "Patologia"}, {&last, "RBnotes", "Note"}},
        {6, 24, 180, 20}, 23);
    ASSERT_TRUE(first && second && last);
    EXPECT_EQ(first->geometry(), QRect(6, 24, 180, 20));
    EXPECT_EQ(last->geometry(), QRect(6, 70, 180, 20));
    EXPECT_EQ(last->text(), "Note");
    QPushButton *clear = nullptr, *back = nullptr;
    gui::PlaceClickOnlyButtons(&window, {{&clear, "BBpulisci", "Pulisci", {305, 527, 90, 25}},
                                         {&back, "BitBtnRitorna", "&Terug", {883, 527, 107, 25}}});
    ASSERT_TRUE(clear && back);
    EXPECT_EQ(back->geometry(), QRect(883, 527, 107, 25));
    EXPECT_FALSE(back->autoDefault());
    EXPECT_EQ(back->objectName(), "BitBtnRitorna");

    QLabel* bold = gui::MakeLabel(&window, "LabNote", "Notities");
    gui::SetBold(bold);
    EXPECT_TRUE(bold->font().bold());
    EXPECT_EQ(gui::MakeArea(&window, "PanelArchivio")->objectName(), "PanelArchivio");
}

}  // namespace
