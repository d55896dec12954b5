#pragma once
// The program's small editor for a person's text: opens the file named in
// "FileDum\DatModif.dum" (or on the command line, or dropped on it), edits it
// with a ruler, a tool bar and menus, and saves it as plain Windows-1252 text.
#include <QDialog>
#include <QString>
#include <string>
#include "shell/rich_text_file.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QVBoxLayout;
class QMenuBar;
class QSpinBox;
class QStatusBar;
class QTextCharFormat;
class QTextEdit;
class QToolBar;

namespace shell {

class RichTextWindow : public QDialog {
    Q_OBJECT
public:
    // commandLineFile: the program's first command-line argument (empty when
    // there is none), opened at each showing when it names an existing file.
    explicit RichTextWindow(QString commandLineFile = {});

    // The command-line file opened at each showing.
    QString commandLineFile;

    // The name "Untitled", the list of font faces and the text's start font;
    // runs once the window's instance reference is set.
    void FinishCreation();
    // Runs once per showing (from the show event, or called by whoever shows the
    // window without the event loop): cursor position, drops accepted, the
    // command-line file and then the file named by the hand-off file opened.
    void PrepareShowing();
    bool MayClose();
    // Shows the window modally on the file named by the hand-off file: the
    // showing's load runs first, so it happens also when a test stands in for
    // the modal loop. Returns the modal result.
    int ShowForHandOff();
    // After a resize: the ruler line across the width, the markers placed anew.
    void FitRuler();
    void NewFile();
    void OpenFile();
    bool SaveFile();
    bool SaveFileAs();
    void PrintFile();
    void CloseEditor();
    void UndoLastAction();
    void CutSelection();
    void CopySelection();
    void PasteClipboard();
    void SelectFont();
    void ApplyFontName();
    void ApplyFontSize();
    void FitRulerLine();
    // A ruler marker let go: the current paragraph's indent where it lies.
    void DropFirstIndentMarker();
    void DropLeftIndentMarker();
    void DropRightIndentMarker();
    void ShowModifiedState();
    // The ruler markers, the font boxes, the cursor position and the style
    // buttons for the current selection.
    void ShowSelectionState();
    // Cut, copy, paste and undo enabled when they can act.
    void UpdateEditActions();

    // Opens the first of the dropped files after the unsaved-changes question.
    void DropFiles(const QStringList& paths);
    // Opens a file: whole text, its name as the file name, not modified.
    void PerformFileOpen(const QString& path);
    // The unsaved-changes question; false when the asking action is abandoned.
    bool CheckFileSave();
    // True, after a message, when the text holds characters its file cannot hold.
    bool TextRefused();

    const QString& FileName() const { return fileName_; }
    // The text as it would be saved (Windows-1252 bytes, "\n" line ends).
    std::string EditorText() const;
    // The same before its conversion to Windows-1252.
    QString EditorLines() const;
    bool IsModified() const;
    // Paragraph indents of the current paragraph, in text units (points).
    int FirstIndent() const;
    int LeftIndent() const;
    int RightIndent() const;
    void SetParagraphIndents(ParagraphIndents indents);

    QTextEdit* editor = nullptr;
    QFrame* ruler = nullptr;
    QLabel* firstIndentMarker = nullptr;
    QLabel* leftIndentMarker = nullptr;
    QLabel* rightIndentMarker = nullptr;
    QFrame* rulerLine = nullptr;
    QStatusBar* statusBar = nullptr;
    QLabel* statusPanel[3] = {nullptr, nullptr, nullptr};
    QToolBar* standardToolBar = nullptr;
    QComboBox* fontName = nullptr;
    QSpinBox* fontSize = nullptr;
    QMenuBar* mainMenu = nullptr;
    QAction* newFileAction = nullptr;
    QAction* openFileAction = nullptr;
    QAction* saveFileAction = nullptr;
    QAction* saveFileAsAction = nullptr;
    QAction* printFileAction = nullptr;
    QAction* closeAction = nullptr;
    QAction* undoAction = nullptr;
    QAction* cutAction = nullptr;
    QAction* copyAction = nullptr;
    QAction* pasteAction = nullptr;
    QAction* fontAction = nullptr;

protected:
    RichTextWindow(const char* instanceName, bool styleButtons, QString commandLineFile);
    // The file a showing opens after the command-line file: the one named in
    // "FileDum\DatModif.dum".
    virtual void OpenFileOfShowing();
    // The styled editor's tool bar follows the attributes here.
    virtual void UpdateStyleButtons() {}
    QToolBar* StyleToolBar() const { return standardToolBar; }

    // The current text attributes: the selection's when text is selected, else
    // the control's defaults.
    QTextCharFormat CurrentAttributes() const;
    void ApplyAttributes(const QTextCharFormat& format);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    bool updating_ = false;

private:
    void Build(bool styleButtons);
    void BuildCommands();
    void BuildMenuAndToolBar(QVBoxLayout* layout);
    void BuildRuler(QVBoxLayout* layout);
    void SetFileName(const QString& path);
    void SetModifiedPanel(bool modified);
    void SaveTo(const QString& path);
    void GrabMarker(QLabel* marker, int x);
    void DragMarker(QLabel* marker, int x);
    QString DialogFolder() const;

    QString fileName_;
    int dragOffset_ = 0;
    bool dragging_ = false;
    bool shownOnce_ = false;      // PrepareShowing has run for the current showing
    bool closeAnswered_ = false;  // the question was asked for this close
    bool openReadOnly_ = false;   // the open dialog's read-only option
};

}  // namespace shell
