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
#include "shell/rich_text_file.h"

namespace shell {

TFoReMai1* FoReMai1 = nullptr;

TFoReMai1::TFoReMai1() : TFoReMaiH("FoReMai1", true) {
    QToolBar* bar = StyleToolBar();
    bar->addSeparator();
    // The character styles and, after them, the paragraph alignments, each a
    // checkable button of the bar.
    const std::tuple<QAction* TFoReMai1::*, const char*, const char*> styles[] = {
        {&TFoReMai1::BoldButton, "BoldButton", "B"},
        {&TFoReMai1::ItalicButton, "ItalicButton", "I"},
        {&TFoReMai1::UnderlineButton, "UnderlineButton", "U"}};
    for (const auto& [slot, name, text] : styles) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
    }
    QFont f;
    f.setBold(true);
    BoldButton->setFont(f);
    connect(BoldButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { BoldButtonClick(); }));
    connect(ItalicButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ItalicButtonClick(); }));
    connect(UnderlineButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { UnderlineButtonClick(); }));

    bar->addSeparator();
    alignGroup_ = new QActionGroup(this);
    const std::tuple<QAction* TFoReMai1::*, const char*, const char*, int> alignments[] = {
        {&TFoReMai1::LeftAlign, "LeftAlign", "Left", Qt::AlignLeft},
        {&TFoReMai1::CenterAlign, "CenterAlign", "Center", Qt::AlignHCenter},
        {&TFoReMai1::RightAlign, "RightAlign", "Right", Qt::AlignRight}};
    for (const auto& [slot, name, text, tag] : alignments) {
        QAction* a = this->*slot = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
        a->setData(tag);  // the paragraph alignment the button sets
        alignGroup_->addAction(a);
    }
    LeftAlign->setChecked(true);
    connect(alignGroup_, &QActionGroup::triggered, this,
            gui::Guarded([this](QAction* a) { AlignButtonClick(a); }));
}

void TFoReMai1::OpenFileOfShowing() {
    const std::string& line = archive::ArchiveShared.SharedTextLine;
    if (line.find_first_not_of(' ') == std::string::npos) return;
    PerformFileOpen(QString::fromStdU16String(HandOffPath(line).u16string()));
}

void TFoReMai1::BoldButtonClick() {
    QTextCharFormat f;
    f.setFontWeight(BoldButton->isChecked() ? QFont::Bold : QFont::Normal);
    ApplyAttributes(f);
}

void TFoReMai1::ItalicButtonClick() {
    QTextCharFormat f;
    f.setFontItalic(ItalicButton->isChecked());
    ApplyAttributes(f);
}

void TFoReMai1::UnderlineButtonClick() {
    QTextCharFormat f;
    f.setFontUnderline(UnderlineButton->isChecked());
    ApplyAttributes(f);
}

void TFoReMai1::AlignButtonClick(QAction* button) {
    if (updating_) return;
    QTextBlockFormat b;
    b.setAlignment(Qt::Alignment(button->data().toInt()));
    QTextCursor cursor = Editor->textCursor();
    cursor.mergeBlockFormat(b);
    Editor->setTextCursor(cursor);
}

void TFoReMai1::UpdateStyleButtons() {
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
