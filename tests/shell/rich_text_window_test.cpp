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
        window_ = new shell::RichTextWindow();
        window_->FinishCreation();
    }
    void TearDown() override {
        delete window_;
        gui::ClearModalHandlers();
    }
    QString Path(const char* name) { return QString::fromStdString((folder_.Path() / name).string()); }
    void TypeAtEnd(const QString& text) {
        QTextCursor c = window_->editor->textCursor();
        c.movePosition(QTextCursor::End);
        window_->editor->setTextCursor(c);
        window_->editor->insertPlainText(text);
    }
    // Registers the answer of the save dialog.
    void ChooseSaveFile(const QString& path, int* calls = nullptr) {
        gui::SetModalHandler("SaveDialog", [path, calls](QDialog* d) {
            if (calls) ++*calls;
            static_cast<QFileDialog*>(d)->selectFile(path);
            return int(QDialog::Accepted);
        });
    }

    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink messages_;
    shell::RichTextWindow* window_ = nullptr;
};

}  // namespace

TEST_F(RichTextWindowTest, ShowingOpensTheHandOffFileAndSavesWindows1252WithCrLf) {
    WriteBytes(folder_.Path() / "BASEtxt" / "00012.txt", "Rossi Mario\r\nNato a Forl\xEC\r\n\x1A");
    WriteBytes(folder_.Path() / "FileDum" / "DatModif.dum", "basetxt/00012.TXT\r\n");
    window_->PrepareShowing();
    // A Ctrl-Z that ends the file is the old end-of-text mark.
    EXPECT_EQ(window_->EditorText(), "Rossi Mario\nNato a Forl\xEC\n");
    EXPECT_FALSE(window_->IsModified());
    EXPECT_EQ(window_->windowTitle(), "00012.txt   ");
    EXPECT_EQ(window_->statusPanel[0]->text(), "Line:   1   Col:   1");
    EXPECT_EQ(window_->statusPanel[1]->text(), "");

    TypeAtEnd(QString::fromUtf8("citt\u00e0 \u20ac"));
    EXPECT_TRUE(window_->IsModified());
    EXPECT_EQ(window_->statusPanel[1]->text(), "Modified");
    EXPECT_TRUE(window_->SaveFile());
    EXPECT_EQ(ReadBytes(folder_.Path() / "BASEtxt" / "00012.txt"), "Rossi Mario\r\nNato a Forl\xEC\r\ncitt\xE0 \x80");
    EXPECT_FALSE(window_->IsModified());
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RichTextWindowTest, CommandLineFileOpensWhenNoHandOffNamesOne) {
    WriteBytes(folder_.Path() / "argument.txt", "from the command line\r\n");
    window_->commandLineFile = Path("argument.txt");
    window_->PrepareShowing();
    EXPECT_EQ(window_->EditorText(), "from the command line\n");
    EXPECT_EQ(window_->FileName(), Path("argument.txt"));

    // A missing argument file is no error.
    window_->commandLineFile = Path("missing.txt");
    window_->hide();
    window_->PrepareShowing();
    EXPECT_EQ(window_->EditorText(), "from the command line\n");
    EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RichTextWindowTest, ReactivationNeverReloadsOverUnsavedText) {
    WriteBytes(folder_.Path() / "FileDum" / "DatModif.dum", "MieiTesti\\Tema1.txt\r\n");
    WriteBytes(folder_.Path() / "MieiTesti" / "Tema1.txt", "saved\r\n");
    window_->show();  // the showing loads the file
    ASSERT_EQ(window_->EditorText(), "saved\n");
    TypeAtEnd("unsaved");

    // The font dialog closes and the window becomes active again.
    gui::SetModalHandler("FontDialog1", [](QDialog* d) {
        static_cast<QFontDialog*>(d)->setCurrentFont(QFont("Liberation Mono", 14));
        return int(QDialog::Accepted);
    });
    window_->SelectFont();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_, &activate);
    window_->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window_->EditorText(), "saved\nunsaved");
    EXPECT_TRUE(window_->IsModified());
    EXPECT_EQ(window_->fontSize->value(), 14);

    // A new showing opens the file again.
    messages_.answers.push_back(gui::kAnswerNo);
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    window_->show();
    EXPECT_EQ(window_->EditorText(), "saved\n");
}

TEST_F(RichTextWindowTest, DroppedFileOpensAfterTheQuestion) {
    WriteBytes(folder_.Path() / "first.txt", "first\r\n");
    WriteBytes(folder_.Path() / "dropped.txt", "dropped\r\n");
    window_->PerformFileOpen(Path("first.txt"));
    window_->show();
    TypeAtEnd("edit");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("dropped.txt")), QUrl::fromLocalFile(Path("first.txt"))});
    auto drop = [&] {
        // The drag enters the editor, is accepted, and the files are dropped.
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_->editor->viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_->editor->viewport(), &event);
    };

    // Cancel abandons the drop and keeps the text.
    messages_.answers.push_back(gui::kAnswerCancel);
    drop();
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].text, "Save changes to " + gui::FromQt(Path("first.txt")) + "?");
    EXPECT_EQ(messages_.messages[0].buttons, gui::Buttons::YesNoCancel);
    EXPECT_EQ(window_->EditorText(), "first\nedit");
    EXPECT_EQ(window_->FileName(), Path("first.txt"));

    // No discards the changes and opens the first dropped file.
    messages_.answers.push_back(gui::kAnswerNo);
    drop();
    EXPECT_EQ(window_->EditorText(), "dropped\n");
    EXPECT_EQ(window_->FileName(), Path("dropped.txt"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "first.txt"), "first\r\n");

    // Yes saves before the drop.
    TypeAtEnd("more");
    messages_.answers.push_back(gui::kAnswerYes);
    drop();
    EXPECT_EQ(ReadBytes(folder_.Path() / "dropped.txt"), "dropped\r\nmore");
    EXPECT_EQ(window_->FileName(), Path("dropped.txt"));
}

TEST_F(RichTextWindowTest, NewAndCloseAskBeforeDiscardingChanges) {
    TypeAtEnd("draft");
    messages_.answers.push_back(gui::kAnswerCancel);
    window_->NewFile();
    EXPECT_EQ(window_->EditorText(), "draft");

    window_->show();
    messages_.answers.push_back(gui::kAnswerCancel);
    window_->close();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(window_->EditorText(), "draft");
    EXPECT_EQ(messages_.messages.size(), 2u);

    messages_.answers.push_back(gui::kAnswerNo);
    window_->NewFile();
    EXPECT_EQ(window_->EditorText(), "");
    EXPECT_EQ(window_->FileName(), "Untitled");
    EXPECT_FALSE(window_->IsModified());
}

TEST_F(RichTextWindowTest, UntitledTextSavesThroughTheDialogAndOverwriteAsks) {
    int dialogs = 0;
    ChooseSaveFile(Path("new.txt"), &dialogs);
    TypeAtEnd("one\ntwo");
    EXPECT_TRUE(window_->SaveFile());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(ReadBytes(folder_.Path() / "new.txt"), "one\r\ntwo");
    EXPECT_EQ(window_->FileName(), Path("new.txt"));
    EXPECT_TRUE(messages_.messages.empty());

    // Saving again goes straight to the file.
    TypeAtEnd("\n");
    EXPECT_TRUE(window_->SaveFile());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(ReadBytes(folder_.Path() / "new.txt"), "one\r\ntwo\r\n");

    // Save As onto an existing file: No leaves file and name alone.
    WriteBytes(folder_.Path() / "other.txt", "keep me");
    ChooseSaveFile(Path("other.txt"));
    messages_.answers.push_back(gui::kAnswerNo);
    EXPECT_FALSE(window_->SaveFileAs());
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0].text, "OK to overwrite " + gui::FromQt(Path("other.txt")));
    EXPECT_EQ(ReadBytes(folder_.Path() / "other.txt"), "keep me");
    EXPECT_EQ(window_->FileName(), Path("new.txt"));

    messages_.answers.push_back(gui::kAnswerYes);
    EXPECT_TRUE(window_->SaveFileAs());
    EXPECT_EQ(ReadBytes(folder_.Path() / "other.txt"), "one\r\ntwo\r\n");
    EXPECT_EQ(window_->FileName(), Path("other.txt"));
}

TEST_F(RichTextWindowTest, SaveCancelledInTheDialogKeepsTheTextAndTheWindow) {
    gui::SetModalHandler("SaveDialog", [](QDialog*) { return int(QDialog::Rejected); });
    TypeAtEnd("precious");
    window_->show();
    messages_.answers.push_back(gui::kAnswerYes);  // save changes? yes -> the dialog is cancelled
    window_->close();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(window_->EditorText(), "precious");
}

// A person's text is kept as Windows-1252: a text holding characters it has
// no code for is not saved with "?" in their place; the user is told which,
// and the window stays open with the text.
TEST_F(RichTextWindowTest, ATextWithCharactersItsFileCannotHoldIsNotSaved) {
    WriteBytes(folder_.Path() / "BASEtxt" / "00012.txt", "Rossi Mario\r\n");
    WriteBytes(folder_.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00012.txt\r\n");
    window_->PrepareShowing();
    TypeAtEnd(QString::fromUtf8("Sole \u2609 in Leone \u264C"));
    window_->show();
    messages_.answers.push_back(gui::kAnswerYes);  // save changes? yes
    window_->close();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(window_->IsModified());
    EXPECT_EQ(window_->editor->toPlainText(), QString::fromUtf8("Rossi Mario\nSole \u2609 in Leone \u264C"));
    EXPECT_EQ(ReadBytes(folder_.Path() / "BASEtxt" / "00012.txt"), "Rossi Mario\r\n");
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{
                                     "Save changes to " + gui::FromQt(window_->FileName()) + "?",
                                     "Il testo contiene caratteri che il file non pu\xF2 registrare (U+2609, U+264C): "
                                     "toglierli o scriverli con altre lettere. Il testo non \xE8 stato salvato."}));
    window_->hide();
}

TEST_F(RichTextWindowTest, UnreadableFileKeepsTheText) {
    WriteBytes(folder_.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00099.txt\r\n");
    TypeAtEnd("kept");
    window_->show();
    EXPECT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(window_->EditorText(), "kept");
}

TEST_F(RichTextWindowTest, PrintingWithoutPrinterWritesAPdf) {
    shell_testing::DesktopScope desktop(1280, 1024, /*printer=*/true);  // a "PDF" printer
    WriteBytes(folder_.Path() / "Tema2.txt", "Testo da stampare\r\n");
    window_->PerformFileOpen(Path("Tema2.txt"));
    gui::SetModalHandler("PrintDialog", [](QDialog*) { return int(QDialog::Accepted); });
    window_->PrintFile();
    fs::path pdf = rt::ResolvePath("Stampe\\Tema2.txt.pdf");
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
}

TEST_F(RichTextWindowTest, RulerMarkersSetTheParagraphIndents) {
    window_->resize(640, 480);
    window_->show();
    TypeAtEnd("paragraph");
    window_->SetParagraphIndents({30, 15, 12});
    window_->ShowSelectionState();
    // Markers at the scale of 4/3 ruler pixels per unit.
    EXPECT_EQ(window_->firstIndentMarker->x(), 42);
    EXPECT_EQ(window_->leftIndentMarker->x(), 62);
    // Picking the left marker up at its middle and dropping it where it stands
    // gives the same indents back.
    QTest::mousePress(window_->leftIndentMarker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(window_->leftIndentMarker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(window_->leftIndentMarker->x(), 62);
    EXPECT_EQ(window_->FirstIndent(), 30);
    EXPECT_EQ(window_->LeftIndent(), 15);
    EXPECT_EQ(window_->RightIndent(), 12);
}

TEST(RichTextFileTest, RulerArithmetic) {
    shell::RulerMarkers m = shell::MarkersForIndents({0, 0, 0}, 400);
    EXPECT_EQ(m.firstLeft, 2);
    EXPECT_EQ(m.leftLeft, 2);
    EXPECT_EQ(m.rightLeft, 400 - 6 - 8);
    EXPECT_EQ(shell::FirstIndentFromMarker({42, 5}), 30);        // Trunc(41 * 3/4)
    EXPECT_EQ(shell::LeftIndentFromMarker({62, 5}, 30), 15);     // Trunc(61 * 3/4) - 30
    EXPECT_EQ(shell::RightIndentFromMarker({300, 5}, 400), 65);  // Trunc(103 * 3/4) - 12
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
    WriteBytes(folder_.Path() / "FileDum" / "DatModif.dum", "BASEtxt\\00001.txt\r\n");
    WriteBytes(folder_.Path() / "BASEtxt" / "00001.txt", "version 1\r\n");
    int showings = 0;
    gui::SetModalHandler("FoReMaiH", [&](QDialog* d) {
        ++showings;
        auto* w = static_cast<shell::RichTextWindow*>(d);
        EXPECT_EQ(w->EditorText(), showings == 1 ? "version 1\n" : "version 2\n");
        return int(QDialog::Accepted);
    });
    window_->ShowForHandOff();
    WriteBytes(folder_.Path() / "BASEtxt" / "00001.txt", "version 2\r\n");
    window_->ShowForHandOff();
    EXPECT_EQ(showings, 2);
    // A real showing after them loads again too.
    WriteBytes(folder_.Path() / "BASEtxt" / "00001.txt", "version 3\r\n");
    window_->show();
    EXPECT_EQ(window_->EditorText(), "version 3\n");
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
    WriteBytes(folder_.Path() / "MieiTesti" / "a.txt", "A\r\n");
    auto open = [&](bool readOnly) {
        gui::SetModalHandler("OpenDialog", [this, readOnly](QDialog* d) {
            auto* check = d->findChild<QCheckBox*>("ReadOnlyCheck");
            EXPECT_NE(check, nullptr);
            if (check) check->setChecked(readOnly);
            static_cast<QFileDialog*>(d)->selectFile(Path("MieiTesti/a.txt"));
            return int(QDialog::Accepted);
        });
        window_->OpenFile();
    };
    open(true);
    EXPECT_EQ(window_->EditorText(), "A\n");
    EXPECT_TRUE(window_->editor->isReadOnly());
    open(false);
    EXPECT_FALSE(window_->editor->isReadOnly());
}

TEST_F(RichTextWindowTest, NewWindowHoldsNoChanges) {
    EXPECT_FALSE(window_->IsModified());
    EXPECT_EQ(window_->FileName(), "Untitled");
    window_->NewFile();  // nothing to ask about
    EXPECT_TRUE(messages_.messages.empty());
}
