#include "shell/rich_text_window_styled.h"

#include <QAction>
#include <QActionGroup>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <tuple>

#include "archive/archive_files.h"
#include "platform/gui/guard.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "shell/rich_text_file.h"

namespace shell {

StyledRichTextWindow::StyledRichTextWindow(QString commandLineFile)
    : RichTextWindow("FoReMai1", true, std::move(commandLineFile)) {
    QToolBar* bar = StyleToolBar();
    bar->addSeparator();
    // The character styles and, after them, the paragraph alignments, each a
    // checkable button of the bar.
    const std::tuple<QAction * StyledRichTextWindow::*, const char*, const char*> styles[] = {
        {&StyledRichTextWindow::boldButton, "BoldButton", "B"},
        {&StyledRichTextWindow::italicButton, "ItalicButton", "I"},
        {&StyledRichTextWindow::underlineButton, "UnderlineButton", "U"}};
    for (const auto& [slot, name, text] : styles) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
    }
    QFont f;
    f.setBold(true);
    boldButton->setFont(f);
    connect(boldButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyBold(); }));
    connect(italicButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyItalic(); }));
    connect(underlineButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyUnderline(); }));

    bar->addSeparator();
    alignGroup_ = new QActionGroup(this);
    const std::tuple<QAction * StyledRichTextWindow::*, const char*, const char*, int> alignments[] = {
        {&StyledRichTextWindow::leftAlign, "LeftAlign", "Left", Qt::AlignLeft},
        {&StyledRichTextWindow::centerAlign, "CenterAlign", "Center", Qt::AlignHCenter},
        {&StyledRichTextWindow::rightAlign, "RightAlign", "Right", Qt::AlignRight}};
    for (const auto& [slot, name, text, tag] : alignments) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
        a->setData(tag);  // the paragraph alignment the button sets
        alignGroup_->addAction(a);
    }
    leftAlign->setChecked(true);
    connect(alignGroup_, &QActionGroup::triggered, this, gui::Guarded([this](QAction* a) { ApplyAlignment(a); }));
}

void StyledRichTextWindow::OpenFileOfShowing() {
    // The current person's annotation line, as the main window shows it; a
    // hand-off that cannot be read names no file.
    std::string line;
    try {
        line = archive::ReadAnnotationHandOff();
    } catch (const rt::IoError& e) {
        rt::ReportUnusableFileOnce(e, archive::kAnnotationHandOffCost);
        return;
    }
    if (line.find_first_not_of(' ') == std::string::npos) return;
    PerformFileOpen(QString::fromStdU16String(HandOffPath(line).u16string()));
}

void StyledRichTextWindow::ApplyBold() {
    QTextCharFormat f;
    f.setFontWeight(boldButton->isChecked() ? QFont::Bold : QFont::Normal);
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyItalic() {
    QTextCharFormat f;
    f.setFontItalic(italicButton->isChecked());
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyUnderline() {
    QTextCharFormat f;
    f.setFontUnderline(underlineButton->isChecked());
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyAlignment(QAction* button) {
    if (updating_) return;
    QTextBlockFormat b;
    b.setAlignment(Qt::Alignment(button->data().toInt()));
    QTextCursor cursor = editor->textCursor();
    cursor.mergeBlockFormat(b);
    editor->setTextCursor(cursor);
}

void StyledRichTextWindow::UpdateStyleButtons() {
    if (!boldButton) return;  // still being built
    QTextCharFormat attributes = CurrentAttributes();
    boldButton->setChecked(attributes.font().bold());
    italicButton->setChecked(attributes.font().italic());
    underlineButton->setChecked(attributes.font().underline());
    Qt::Alignment a = editor->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        centerAlign->setChecked(true);
    else if (a & Qt::AlignRight)
        rightAlign->setChecked(true);
    else
        leftAlign->setChecked(true);
}

}  // namespace shell
