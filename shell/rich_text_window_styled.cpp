#include "shell/rich_text_window_styled.h"

#include <QAction>
#include <QActionGroup>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>

#include "archive/archive_files.h"
#include "platform/gui/guard.h"
#include "shell/rich_text_file.h"

namespace shell {

TFoReMai1* FoReMai1 = nullptr;

TFoReMai1::TFoReMai1() : TFoReMaiH("FoReMai1", true) {
    QToolBar* bar = StyleToolBar();
    bar->addSeparator();
    auto toggle = [this, bar](QAction*& a, const char* name, const char* text) {
        a = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
    };
    toggle(BoldButton, "BoldButton", "B");
    toggle(ItalicButton, "ItalicButton", "I");
    toggle(UnderlineButton, "UnderlineButton", "U");
    QFont f;
    f.setBold(true);
    BoldButton->setFont(f);
    connect(BoldButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { BoldButtonClick(); }));
    connect(ItalicButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { ItalicButtonClick(); }));
    connect(UnderlineButton, &QAction::triggered, this, gui::Guarded([this](auto&&...) { UnderlineButtonClick(); }));

    bar->addSeparator();
    alignGroup_ = new QActionGroup(this);
    auto align = [this, bar](QAction*& a, const char* name, const char* text, int tag) {
        a = bar->addAction(QString::fromLatin1(text));
        a->setObjectName(name);
        a->setCheckable(true);
        a->setData(tag);  // the paragraph alignment the button sets
        alignGroup_->addAction(a);
    };
    align(LeftAlign, "LeftAlign", "Left", Qt::AlignLeft);
    align(CenterAlign, "CenterAlign", "Center", Qt::AlignHCenter);
    align(RightAlign, "RightAlign", "Right", Qt::AlignRight);
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
