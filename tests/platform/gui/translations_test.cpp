// The message boxes' buttons speak the language of the program's questions
// once Qt's own translations are loaded, as the program does at its start.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/translations.h"

namespace {

QString Caption(QMessageBox& box, QMessageBox::StandardButton which) {
    QAbstractButton* b = box.button(which);
    return b ? b->text().remove('&') : QString("(none)");
}

TEST(QtTranslations, MessageBoxButtonsAreItalian) {
    ASSERT_TRUE(gui::LoadQtTranslations()) << "Qt's translations are missing: run scripts/install-deps";
    EXPECT_TRUE(gui::LoadQtTranslations());  // a second call changes nothing
    QMessageBox question;
    gui::PrepareMessageBox(question, {"Eliminare definitivamente il record 5?", "", gui::Buttons::YesNoCancel});
    EXPECT_EQ(Caption(question, QMessageBox::Yes), QString::fromUtf8("S\xC3\xAC"));
    EXPECT_EQ(Caption(question, QMessageBox::No), "No");
    EXPECT_EQ(Caption(question, QMessageBox::Cancel), "Annulla");
    QMessageBox notice;
    gui::PrepareMessageBox(notice, {"Possibile solo [Salva come Nuovo]", "", gui::Buttons::OkCancel});
    EXPECT_EQ(Caption(notice, QMessageBox::Ok), "OK");
    EXPECT_EQ(Caption(notice, QMessageBox::Cancel), "Annulla");
}

}  // namespace
