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
    const std::tuple<QAction* StyledRichTextWindow::*, const char*, const char*> styles[] = {
        {&StyledRichTextWindow::BoldButton, "BoldButton", "B"},
        {&StyledRichTextWindow::ItalicButton, "ItalicButton", "I"},
        {&StyledRichTextWindow::UnderlineButton, "UnderlineButton", "U"}};
    for (const auto& [slot, name, text] : styles) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
    }
    QFont f;
    f.setBold(true);
    BoldButton->setFont(f);
    connect(BoldButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyBold(); }));
    connect(ItalicButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyItalic(); }));
    connect(UnderlineButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ApplyUnderline(); }));

    bar->addSeparator();
    alignGroup_ = new QActionGroup(this);
    const std::tuple<QAction* StyledRichTextWindow::*, const char*, const char*, int> alignments[] = {
        {&StyledRichTextWindow::LeftAlign, "LeftAlign", "Left", Qt::AlignLeft},
        {&StyledRichTextWindow::CenterAlign, "CenterAlign", "Center", Qt::AlignHCenter},
        {&StyledRichTextWindow::RightAlign, "RightAlign", "Right", Qt::AlignRight}};
    for (const auto& [slot, name, text, tag] : alignments) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
        a->setData(tag);  // the paragraph alignment the button sets
        alignGroup_->addAction(a);
    }
    LeftAlign->setChecked(true);
    connect(alignGroup_, &QActionGroup::triggered, this,
            gui::Guarded([this](QAction* a) { ApplyAlignment(a); }));
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
    f.setFontWeight(BoldButton->isChecked() ? QFont::Bold : QFont::Normal);
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyItalic() {
    QTextCharFormat f;
    f.setFontItalic(ItalicButton->isChecked());
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyUnderline() {
    QTextCharFormat f;
    f.setFontUnderline(UnderlineButton->isChecked());
    ApplyAttributes(f);
}

void StyledRichTextWindow::ApplyAlignment(QAction* button) {
    if (updating_) return;
    QTextBlockFormat b;
    b.setAlignment(Qt::Alignment(button->data().toInt()));
    QTextCursor cursor = Editor->textCursor();
    cursor.mergeBlockFormat(b);
    Editor->setTextCursor(cursor);
}

void StyledRichTextWindow::UpdateStyleButtons() {
    if (!BoldButton) return;  // still being built
    QTextCharFormat attributes = CurrentAttributes();
    BoldButton->setChecked(attributes.font().bold());
    ItalicButton->setChecked(attributes.font().italic());
    UnderlineButton->setChecked(attributes.font().underline());
    Qt::Alignment a = Editor->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) CenterAlign->setChecked(true);
    else if (a & Qt::AlignRight) RightAlign->setChecked(true);
    else LeftAlign->setChecked(true);
}

}  // namespace shell
