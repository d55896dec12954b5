// The person's-text editor: which file a showing opens, dropped files, saving as
// Windows-1252 with CR LF, and the questions that guard unsaved text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMimeData>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"
#include "shell/print_parent.h"
#include "shell/rich_text_file.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
#include "tests/common/test_support.h"
#include "tests/shell/shell_test_support.h"

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

class RichTextWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A dialog the test did not expect fails the test instead of waiting.
        gui::SetDefaultModalHandler([](QDialog* d) {
            ADD_FAILURE() << "unexpected dialog " << d->objectName().toStdString();
            return int(QDialog::Rejected);
        });
        window = new shell::RichTextWindow();
        window->FinishCreation();
    }
    void TearDown() override {
        delete window;
        gui::ClearModalHandlers();
    }
    QString Path(const char* name) { return QString::fromStdString((folder.Path() / name).string()); }
    void TypeAtEnd(const QString& text) {
        QTextCursor c = window->editor->textCursor();
        c.movePosition(QTextCursor::End);
        window->editor->setTextCursor(c);
        window->editor->insertPlainText(text);
    }
    // Registers the answer of the save dialog.
    void ChooseSaveFile(const QString& path, int* calls = nullptr) {
        gui::SetModalHandler("SaveDialog", [path, calls](QDialog* d) {
            if (calls) ++*calls;
            static_cast<QFileDialog*>(d)->selectFile(path);
            return int(QDialog::Accepted);
        });
    }

    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
    shell::RichTextWindow* window = nullptr;
};

}  // namespace

TEST_F(RichTextWindowTest, ShowingOpensTheHandOffFileAndSavesWindows1252WithCrLf) {
    WriteBytes(folder.Path() / "BASEtxt" / "00012.txt", "Rossi Mario\r\nNato a Forl\xEC\r\n\x1A");
    WriteBytes(folder.Path() / "FileDum" / "DatModif.dum", "basetxt/00012.TXT\r\n");
    window->PrepareShowing();
    // A Ctrl-Z that ends the file is the old end-of-text mark.
    EXPECT_EQ(window->EditorText(), "Rossi Mario\nNato a Forl\xEC\n");
    EXPECT_FALSE(window->IsModified());
    EXPECT_EQ(window->windowTitle(), "00012.txt   ");
    EXPECT_EQ(window->statusPanel[0]->text(), "Line:   1   Col:   1");
    EXPECT_EQ(window->statusPanel[1]->text(), "");

    TypeAtEnd(QString::fromUtf8("citt\u00e0 \u20ac"));
    EXPECT_TRUE(window->IsModified());
    EXPECT_EQ(window->statusPanel[1]->text(), "Modified");
    EXPECT_TRUE(window->SaveFile());
    EXPECT_EQ(ReadBytes(folder.Path() / "BASEtxt" / "00012.txt"), "Rossi Mario\r\nNato a Forl\xEC\r\ncitt\xE0 \x80");
    EXPECT_FALSE(window->IsModified());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RichTextWindowTest, CommandLineFileOpensWhenNoHandOffNamesOne) {
    WriteBytes(folder.Path() / "argument.txt", "from the command line\r\n");
    window->commandLineFile = Path("argument.txt");
    window->PrepareShowing();
    EXPECT_EQ(window->EditorText(), "from the command line\n");
    EXPECT_EQ(window->FileName(), Path("argument.txt"));

    // A missing argument file is no error.
    window->commandLineFile = Path("missing.txt");
    window->hide();
    window->PrepareShowing();
    EXPECT_EQ(window->EditorText(), "from the command line\n");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RichTextWindowTest, ReactivationNeverReloadsOverUnsavedText) {
    WriteBytes(folder.Path() / "FileDum" / "DatModif.dum", "MieiTesti\\Tema1.txt\r\n");
    WriteBytes(folder.Path() / "MieiTesti" / "Tema1.txt", "saved\r\n");
    window->show();  // the showing loads the file
    ASSERT_EQ(window->EditorText(), "saved\n");
    TypeAtEnd("unsaved");

    // The font dialog closes and the window becomes active again.
    gui::SetModalHandler("FontDialog1", [](QDialog* d) {
        static_cast<QFontDialog*>(d)->setCurrentFont(QFont("Liberation Mono", 14));
        return int(QDialog::Accepted);
    });
    window->SelectFont();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activate);
    window->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window->EditorText(), "saved\nunsaved");
    EXPECT_TRUE(window->IsModified());
    EXPECT_EQ(window->fontSize->value(), 14);

    // A new showing opens the file again.
    messages.answers.push_back(gui::kAnswerNo);
    window->close();
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(window->EditorText(), "saved\n");
}

TEST_F(RichTextWindowTest, DroppedFileOpensAfterTheQuestion) {
    WriteBytes(folder.Path() / "first.txt", "first\r\n");
    WriteBytes(folder.Path() / "dropped.txt", "dropped\r\n");
    window->PerformFileOpen(Path("first.txt"));
    window->show();
    TypeAtEnd("edit");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("dropped.txt")), QUrl::fromLocalFile(Path("first.txt"))});
    auto drop = [&] {
        // The drag enters the editor, is accepted, and the files are dropped.
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->editor->viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window->editor->viewport(), &event);
    };

    // Cancel abandons the drop and keeps the text.
    messages.answers.push_back(gui::kAnswerCancel);
    drop();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Save changes to " + gui::FromQt(Path("first.txt")) + "?");
    EXPECT_EQ(messages.messages[0].buttons, gui::Buttons::YesNoCancel);
    EXPECT_EQ(window->EditorText(), "first\nedit");
    EXPECT_EQ(window->FileName(), Path("first.txt"));

    // No discards the changes and opens the first dropped file.
    messages.answers.push_back(gui::kAnswerNo);
    drop();
    EXPECT_EQ(window->EditorText(), "dropped\n");
    EXPECT_EQ(window->FileName(), Path("dropped.txt"));
    EXPECT_EQ(ReadBytes(folder.Path() / "first.txt"), "first\r\n");

    // Yes saves before the drop.
    TypeAtEnd("more");
    messages.answers.push_back(gui::kAnswerYes);
    drop();
    EXPECT_EQ(ReadBytes(folder.Path() / "dropped.txt"), "dropped\r\nmore");
    EXPECT_EQ(window->FileName(), Path("dropped.txt"));
}

TEST_F(RichTextWindowTest, NewAndCloseAskBeforeDiscardingChanges) {
    TypeAtEnd("draft");
    messages.answers.push_back(gui::kAnswerCancel);
    window->NewFile();
    EXPECT_EQ(window->EditorText(), "draft");

    window->show();
    messages.answers.push_back(gui::kAnswerCancel);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->EditorText(), "draft");
    EXPECT_EQ(messages.messages.size(), 2u);

    messages.answers.push_back(gui::kAnswerNo);
    window->NewFile();
    EXPECT_EQ(window->EditorText(), "");
    EXPECT_EQ(window->FileName(), "Untitled");
    EXPECT_FALSE(window->IsModified());
}

TEST_F(RichTextWindowTest, UntitledTextSavesThroughTheDialogAndOverwriteAsks) {
    int dialogs = 0;
    ChooseSaveFile(Path("new.txt"), &dialogs);
    TypeAtEnd("one\ntwo");
    EXPECT_TRUE(window->SaveFile());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(ReadBytes(folder.Path() / "new.txt"), "one\r\ntwo");
    EXPECT_EQ(window->FileName(), Path("new.txt"));
    EXPECT_TRUE(messages.messages.empty());

    // Saving again goes straight to the file.
    TypeAtEnd("\n");
    EXPECT_TRUE(window->SaveFile());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(ReadBytes(folder.Path() / "new.txt"), "one\r\ntwo\r\n");

    // Save As onto an existing file: No leaves file and name alone.
    WriteBytes(folder.Path() / "other.txt", "keep me");
    ChooseSaveFile(Path("other.txt"));
    messages.answers.push_back(gui::kAnswerNo);
    EXPECT_FALSE(window->SaveFileAs());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "OK to overwrite " + gui::FromQt(Path("other.txt")));
    EXPECT_EQ(ReadBytes(folder.Path() / "other.txt"), "keep me");
    EXPECT_EQ(window->FileName(), Path("new.txt"));

    messages.answers.push_back(gui::kAnswerYes);
    EXPECT_TRUE(window->SaveFileAs());
    EXPECT_EQ(ReadBytes(folder.Path() / "other.txt"), "one\r\ntwo\r\n");
    EXPECT_EQ(window->FileName(), Path("other.txt"));
}

TEST_F(RichTextWindowTest, SaveCancelledInTheDialogKeepsTheTextAndTheWindow) {
    gui::SetModalHandler("SaveDialog", [](QDialog*) { return int(QDialog::Rejected); });
    TypeAtEnd("precious");
    window->show();
    messages.answers.push_back(gui::kAnswerYes);  // save changes? yes -> the dialog is cancelled
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->EditorText(), "precious");
}

// A person's text is kept as Windows-1252: a text holding characters it has
// no code for is not saved with "?" in their place; the user is told which,
// and the window stays open with the text.
TEST_F(RichTextWindowTest, ATextWithCharactersItsFileCannotHoldIsNotSaved) {
    WriteBytes(folder.Path() / "BASEtxt" / "00012.txt", "Rossi Mario\r\n");
    WriteBytes(folder.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00012.txt\r\n");
    window->PrepareShowing();
    TypeAtEnd(QString::fromUtf8("Sole \u2609 in Leone \u264C"));
    window->show();
    messages.answers.push_back(gui::kAnswerYes);  // save changes? yes
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->IsModified());
    EXPECT_EQ(window->editor->toPlainText(), QString::fromUtf8("Rossi Mario\nSole \u2609 in Leone \u264C"));
    EXPECT_EQ(ReadBytes(folder.Path() / "BASEtxt" / "00012.txt"), "Rossi Mario\r\n");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                    "Save changes to " + gui::FromQt(window->FileName()) + "?",
                                    "Il testo contiene caratteri che il file non pu\xF2 registrare (U+2609, U+264C): "
                                    "toglierli o scriverli con altre lettere. Il testo non \xE8 stato salvato."}));
    window->hide();
}

TEST_F(RichTextWindowTest, UnreadableFileKeepsTheText) {
    WriteBytes(folder.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00099.txt\r\n");
    TypeAtEnd("kept");
    window->show();
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(window->EditorText(), "kept");
}

TEST_F(RichTextWindowTest, PrintingWithoutPrinterWritesAPdf) {
    shell_testing::DesktopScope desktop(1280, 1024, /*printer=*/true);  // a "PDF" printer
    WriteBytes(folder.Path() / "Tema2.txt", "Testo da stampare\r\n");
    window->PerformFileOpen(Path("Tema2.txt"));
    gui::SetModalHandler("PrintDialog", [](QDialog*) { return int(QDialog::Accepted); });
    window->PrintFile();
    fs::path pdf = rt::ResolvePath("Stampe\\Tema2.txt.pdf");
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
}

TEST_F(RichTextWindowTest, RulerMarkersSetTheParagraphIndents) {
    window->resize(640, 480);
    window->show();
    TypeAtEnd("paragraph");
    window->SetParagraphIndents(30, 15, 12);
    window->ShowSelectionState();
    // Markers at the scale of 4/3 ruler pixels per unit.
    EXPECT_EQ(window->firstIndentMarker->x(), 42);
    EXPECT_EQ(window->leftIndentMarker->x(), 62);
    // Picking the left marker up at its middle and dropping it where it stands
    // gives the same indents back.
    QTest::mousePress(window->leftIndentMarker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(window->leftIndentMarker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(window->leftIndentMarker->x(), 62);
    EXPECT_EQ(window->FirstIndent(), 30);
    EXPECT_EQ(window->LeftIndent(), 15);
    EXPECT_EQ(window->RightIndent(), 12);
}

TEST(RichTextFileTest, RulerArithmetic) {
    shell::RulerMarkers m = shell::MarkersForIndents(0, 0, 0, 400);
    EXPECT_EQ(m.firstLeft, 2);
    EXPECT_EQ(m.leftLeft, 2);
    EXPECT_EQ(m.rightLeft, 400 - 6 - 8);
    EXPECT_EQ(shell::FirstIndentFromMarker(42, 5), 30);        // Trunc(41 * 3/4)
    EXPECT_EQ(shell::LeftIndentFromMarker(62, 5, 30), 15);     // Trunc(61 * 3/4) - 30
    EXPECT_EQ(shell::RightIndentFromMarker(300, 5, 400), 65);  // Trunc(103 * 3/4) - 12
    EXPECT_EQ(shell::CursorPositionText(12, 345), "Line:  12   Col: 345");
}

TEST(RichTextFileTest, LineEndsAndCtrlZ) {
    testing_support::TempWorkFolder folder;
    // A person's text is read whole: a Ctrl-Z inside it is one of its characters.
    WriteBytes(folder.Path() / "mixed.txt", "a\r\nb\rc\nd\x1A\r\nkept\x1A");
    EXPECT_EQ(shell::LoadPlainText(folder.Path() / "mixed.txt"), "a\nb\nc\nd\x1A\nkept");
    shell::SavePlainText(folder.Path() / "out.txt", "x\n\ny\n");
    EXPECT_EQ(ReadBytes(folder.Path() / "out.txt"), "x\r\n\r\ny\r\n");
    EXPECT_THROW(shell::LoadPlainText(folder.Path() / "none.txt"), std::exception);
    EXPECT_THROW(shell::SavePlainText(folder.Path() / "no" / "folder.txt", "x"), std::exception);
    EXPECT_FALSE(fs::exists(folder.Path() / "no"));
}

TEST_F(RichTextWindowTest, HandOffShowingLoadsOncePerShowing) {
    WriteBytes(folder.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00001.txt\r\n");
    WriteBytes(folder.Path() / "BASEtxt" / "00001.txt", "version 1\r\n");
    int showings = 0;
    gui::SetModalHandler("FoReMaiH", [&](QDialog* d) {
        ++showings;
        auto* w = static_cast<shell::RichTextWindow*>(d);
        EXPECT_EQ(w->EditorText(), showings == 1 ? "version 1\n" : "version 2\n");
        return int(QDialog::Accepted);
    });
    window->ShowForHandOff();
    WriteBytes(folder.Path() / "BASEtxt" / "00001.txt", "version 2\r\n");
    window->ShowForHandOff();
    EXPECT_EQ(showings, 2);
    // A real showing after them loads again too.
    WriteBytes(folder.Path() / "BASEtxt" / "00001.txt", "version 3\r\n");
    window->show();
    EXPECT_EQ(window->EditorText(), "version 3\n");
}

TEST(RichTextStyledWindowTest, StyleButtonsFollowAndSetTheAttributes) {
    testing_support::TempWorkFolder folder;
    shell::StyledRichTextWindow window;
    window.FinishCreation();
    window.editor->setPlainText("one two");
    QTextCursor c = window.editor->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    window.editor->setTextCursor(c);
    window.boldButton->setChecked(true);
    window.ApplyBold();
    window.ShowSelectionState();
    EXPECT_TRUE(window.boldButton->isChecked());
    // Elsewhere in the text the button comes up again.
    c.setPosition(5);
    window.editor->setTextCursor(c);
    EXPECT_FALSE(window.boldButton->isChecked());
    window.ApplyAlignment(window.rightAlign);
    window.ShowSelectionState();
    EXPECT_TRUE(window.rightAlign->isChecked());
    EXPECT_EQ(window.editor->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST(PrintParentTest, BlankPageGoesToThePdfPrinter) {
    testing_support::TempWorkFolder folder;
    shell_testing::DesktopScope desktop(1280, 1024, true);
    shell::PrintParentWindow print;
    print.PrintEditor("Dummy");
    fs::path pdf = rt::ResolvePath("Stampe\\Dummy.pdf");
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
}

TEST_F(RichTextWindowTest, OpenDialogReadOnlyOptionLocksTheEditor) {
    WriteBytes(folder.Path() / "MieiTesti" / "a.txt", "A\r\n");
    auto open = [&](bool readOnly) {
        gui::SetModalHandler("OpenDialog", [this, readOnly](QDialog* d) {
            auto* check = d->findChild<QCheckBox*>("ReadOnlyCheck");
            EXPECT_NE(check, nullptr);
            if (check) check->setChecked(readOnly);
            static_cast<QFileDialog*>(d)->selectFile(Path("MieiTesti/a.txt"));
            return int(QDialog::Accepted);
        });
        window->OpenFile();
    };
    open(true);
    EXPECT_EQ(window->EditorText(), "A\n");
    EXPECT_TRUE(window->editor->isReadOnly());
    open(false);
    EXPECT_FALSE(window->editor->isReadOnly());
}

TEST_F(RichTextWindowTest, NewWindowHoldsNoChanges) {
    EXPECT_FALSE(window->IsModified());
    EXPECT_EQ(window->FileName(), "Untitled");
    window->NewFile();  // nothing to ask about
    EXPECT_TRUE(messages.messages.empty());
}
