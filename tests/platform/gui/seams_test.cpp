// The seams that keep headless tests from blocking.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <string>
#include <vector>

#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/io_error.h"

TEST(MessageBox, RecordedMessagesAnswerFromTheQueue) {
    gui::RecordingMessageSink sink;
    sink.answers.push_back(gui::kAnswerNo);
    EXPECT_EQ(gui::ShowMessage("Data Scorretta"), gui::kAnswerNo);
    EXPECT_EQ(gui::ShowMessage("Sicuro?", "", gui::Buttons::YesNo), gui::kAnswerYes);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].text, "Data Scorretta");
    EXPECT_EQ(sink.messages[1].buttons, gui::Buttons::YesNo);
}

TEST(Guard, AnInputOutputErrorEndsTheHandlerWithItsMessage) {
    gui::RecordingMessageSink sink;
    bool after = false;
    EXPECT_FALSE(gui::Guard([&] {
        throw rt::IoError(2, "x");
        after = true;
    }));
    EXPECT_FALSE(after);
    // The run-time's message, in Italian, names the file it is about and
    // says what the user can do.
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{
                                "File non trovato: \"x\". Il file manca nella cartella dei dati: riavviare il "
                                "programma, che ricopia i file forniti con esso, o ripristinarlo da una copia di "
                                "sicurezza."});
    EXPECT_FALSE(gui::Guard([] { throw rt::IoError(100, "TMPR.ST1"); }));
    EXPECT_EQ(sink.Texts().back(),
              "Lettura oltre la fine del file: \"TMPR.ST1\". Il file \xE8 pi\xF9 corto di quanto dovrebbe essere "
              "(incompleto o danneggiato): ripristinarlo da una copia di sicurezza.");
    // Without a file the message stands alone; an unknown code keeps its number.
    EXPECT_FALSE(gui::Guard([] { throw rt::IoError(101); }));
    EXPECT_EQ(sink.Texts().back(), "Disco pieno. Liberare spazio sul disco e riprovare.");
    EXPECT_FALSE(gui::Guard([] { throw rt::IoError(152, "a.txt"); }));
    EXPECT_EQ(sink.Texts().back(),
              "Errore di ingresso/uscita 152: \"a.txt\". Riprovare; se l'errore si ripete, "
              "controllare il disco.");
    EXPECT_TRUE(gui::Guard([] {}));
}

TEST(Modal, RegisteredHandlerRunsInsteadOfTheEventLoop) {
    QDialog dialog;
    dialog.setObjectName("TestDialog");
    int seen = 0;
    gui::SetModalHandler("TestDialog", [&](QDialog* d) {
        seen = d == &dialog;
        return int(gui::kModalOk);
    });
    EXPECT_EQ(gui::ShowModal(&dialog), gui::kModalOk);
    EXPECT_EQ(seen, 1);
    gui::ClearModalHandlers();
}

TEST(Idle, HandlerRunsByHandAndMayReplaceItself) {
    int runs = 0;
    gui::SetIdleHandler([&] {
        ++runs;
        gui::ClearIdleHandler();
    });
    gui::RunIdleHandler();
    gui::RunIdleHandler();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(gui::HasIdleHandler());
}

// A handler that runs the event loop (a modal dialog) meets the idle moment
// again: it is not entered a second time, and runs again once it has ended.
TEST(Idle, AHandlerIsNotEnteredAgainWhileItRuns) {
    int runs = 0;
    gui::SetIdleHandler([&] {
        ++runs;
        gui::RunIdleHandler();
    });
    gui::RunIdleHandler();
    EXPECT_EQ(runs, 1);
    gui::RunIdleHandler();
    EXPECT_EQ(runs, 2);
    gui::ClearIdleHandler();
}

TEST(FieldState, RejectedFieldIsEmptiedAndRed) {
    QLineEdit edit("12:99");
    gui::SetFieldState(&edit, gui::FieldState::Rejected);
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(edit.property("fieldState").toString(), "rejected");
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(255, 0, 0));
    gui::SetFieldState(&edit, gui::FieldState::Computed);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(gui::GetFieldState(&edit), gui::FieldState::Computed);
}

TEST(TextConvert, WidgetsSeeUnicodeModelKeepsBytes) {
    EXPECT_EQ(gui::ToQt("Citt\xE0"), QString::fromUtf8("Citt\xC3\xA0"));
    EXPECT_EQ(gui::FromQt(QString::fromUtf8("\xE2\x82\xAC")), "\x80");
}

TEST(MessageBoxLook, TheCaptionIsWholeAndTheTextFits) {
    const std::string caption = "Vireliant NL Basic - Geboortedatum wijzigen - Possibile Incongruenza";
    QMessageBox box;
    gui::PrepareMessageBox(box, {"Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?", caption,
                                 gui::Buttons::YesNo});
    EXPECT_EQ(box.windowTitle().toStdString(), caption);
    const int captionWidth = QFontMetrics(QApplication::font()).horizontalAdvance(QString::fromStdString(caption));
    EXPECT_GT(box.sizeHint().width(), captionWidth + 60);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
}

// The command a message gives is never broken across two lines, however wide
// the box: laid out as the box's label lays out its text, at every width, the
// line that holds its first letter holds its last.
TEST(MessageBoxLook, ACommandStaysWholeOnOneLine) {
    QMessageBox box;
    gui::PrepareMessageBox(box, {"Al posto della banca dati delle firme, che mancava, il programma ne ha creata una "
                                 "vuota. Correggere il testo e importarlo con il comando \"kelvor "
                                 "--import-signatures\".",
                                 "", gui::Buttons::Ok});
    const auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    QTextDocument document;
    document.setDefaultFont(label->font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wrap);
    if (Qt::mightBeRichText(label->text()))
        document.setHtml(label->text());
    else
        document.setPlainText(label->text());
    const QString text = document.toPlainText();
    const qsizetype first = text.indexOf("kelvor");
    ASSERT_GE(first, 0);
    const qsizetype last = first + qsizetype(std::string("kelvor --import-signatures").size()) - 1;
    EXPECT_EQ(text.mid(last + 1, 2), QString("\"."));
    const QTextBlock block = document.findBlock(int(first));
    ASSERT_TRUE(block.isValid());
    std::vector<int> broken;
    for (int width = 40; width <= 700; ++width) {
        document.setTextWidth(width);
        document.size();  // lays the text out at this width
        const QTextLine holder = block.layout()->lineForTextPosition(int(first - block.position()));
        ASSERT_TRUE(holder.isValid());
        if (block.position() + holder.textStart() + holder.textLength() - 1 < last) broken.push_back(width);
    }
    EXPECT_TRUE(broken.empty()) << broken.size() << " widths break it, the first " << broken.front();
}

// A message that gives a command to run: Ctrl+C as soon as it is open copies
// the command, as the ASCII text that runs, byte for byte; the whole text
// selected and copied holds it the same way, on a line of its own; and the
// mouse then selects from where it is pressed.
TEST(MessageBoxLook, ACopyOfTheMessageGivesTheCommandThatRuns) {
    const std::string command = "kelvor --import-signatures";
    QMessageBox box;
    gui::PrepareMessageBox(box, {"Correggere il testo e importarlo con il comando \"" + command + "\".", "",
                                 gui::Buttons::Ok});
    box.show();
    // The window system gives the box the focus (a bounded number of rounds
    // of the event loop, no waiting).
    box.activateWindow();
    for (int i = 0; i < 20 && QGuiApplication::focusWindow() != box.windowHandle(); ++i)
        QCoreApplication::processEvents();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QPushButton*>(focused), nullptr);
    QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text().toStdString(), command);

    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    clipboard->clear();
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboard->text().split('\n');
    EXPECT_TRUE(lines.contains(QString::fromStdString("\"" + command + "\"."))) << clipboard->text().toStdString();

    // A press into the selected text starts a new selection where it is
    // pressed, instead of taking hold of the whole selection.
    const QPoint inText(label->width() / 4, label->height() / 4);
    QTest::mousePress(label, Qt::LeftButton, {}, inText);
    const bool heldTheSelection = label->hasSelectedText();
    QTest::mouseRelease(label, Qt::LeftButton, {}, inText);
    EXPECT_FALSE(heldTheSelection);
}
