#pragma once
// The second editor of the same design, with bold, italic and underline buttons
// and paragraph alignment; it opens the file named in the current person's
// annotation line.
#include "shell/rich_text_window.h"

class QActionGroup;

namespace shell {

class StyledRichTextWindow : public RichTextWindow {
    Q_OBJECT
public:
    explicit StyledRichTextWindow(QString commandLineFile = {});

    void ApplyBold();
    void ApplyItalic();
    void ApplyUnderline();
    void ApplyAlignment(QAction* button);

    QAction* boldButton = nullptr;
    QAction* italicButton = nullptr;
    QAction* underlineButton = nullptr;
    QAction* leftAlign = nullptr;
    QAction* centerAlign = nullptr;
    QAction* rightAlign = nullptr;

protected:
    void OpenFileOfShowing() override;
    void UpdateStyleButtons() override;

private:
    QActionGroup* alignGroup_ = nullptr;
};

}  // namespace shell
