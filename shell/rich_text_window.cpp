#include "shell/rich_text_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>
#include <functional>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "shell/printing.h"
#include "shell/rich_text_file.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

constexpr int kDocumentMargin = 6;
constexpr double kUnitPixels = 4.0 / 3.0;  // pixels per text unit (point)

fs::path ToPath(const QString& s) { return fs::path(s.toStdU16String()); }
QString FromPath(const fs::path& p) { return QString::fromStdU16String(p.u16string()); }

// The commands of the menu and the tool bar: where the window keeps each, its
// name, text and picture (none: -1), the hint of the status bar (also of the
// tool bar when `tipToo`) and its handler.
struct CommandRow {
    QAction* RichTextWindow::*slot;
    const char* name;
    const char* text;
    int icon;
    const char* status;
    bool tipToo;
    std::function<void()> handler;
};

constexpr int kNoIcon = -1;

}  // namespace


RichTextWindow::RichTextWindow(QString commandLineFile)
    : RichTextWindow("FoReMaiH", false, std::move(commandLineFile)) {}

RichTextWindow::RichTextWindow(const char* instanceName, bool styleButtons, QString commandLineFile)
    : commandLineFile(std::move(commandLineFile)) {
    setObjectName(instanceName);
    setSizeGripEnabled(true);
    // The window's own font; the text keeps the editor's font.
    setFont(QFont("Arial Narrow", 12));
    Build(styleButtons);
    resize(640, 480);
}

void RichTextWindow::Build(bool styleButtons) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildCommands();
    BuildMenuAndToolBar(layout);
    (void)styleButtons;
    BuildRuler(layout);

    Editor = new QTextEdit(this);
    Editor->setObjectName("Editor");
    Editor->setAcceptRichText(false);
    Editor->setLineWrapMode(QTextEdit::NoWrap);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Dropped files reach the window through the editor's viewport, where the
    // window's filter takes them before the editor would insert their names.
    Editor->setAcceptDrops(true);
    Editor->viewport()->installEventFilter(this);
    layout->addWidget(Editor, 1);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    const int widths[3] = {120, 60, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = gui::MakeLabel(StatusBar, ("StatusPanel" + std::to_string(i + 1)).c_str(), "");
        StatusPanel[i]->setFixedWidth(widths[i]);
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(StatusPanel[i], i == 2 ? 1 : 0);
    }
    StatusPanel[1]->setAlignment(Qt::AlignCenter);
    layout->addWidget(StatusBar);

    connect(Editor->document(), &QTextDocument::modificationChanged, this,
            gui::Guarded([this](auto&&...) { ShowModifiedState(); }));
    connect(Editor, &QTextEdit::textChanged, this, gui::Guarded([this](auto&&...) { ShowModifiedState(); }));
    connect(Editor, &QTextEdit::cursorPositionChanged, this, gui::Guarded([this](auto&&...) { ShowSelectionState(); }));
    connect(Editor, &QTextEdit::selectionChanged, this, gui::Guarded([this](auto&&...) { ShowSelectionState(); }));
    connect(Editor, &QTextEdit::undoAvailable, this, gui::Guarded([this](auto&&...) { UpdateEditActions(); }));
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            gui::Guarded([this](auto&&...) { UpdateEditActions(); }));
    connect(FontName, &QComboBox::currentTextChanged, this, gui::Guarded([this](auto&&...) { ApplyFontName(); }));
    connect(FontSize, &QSpinBox::valueChanged, this, gui::Guarded([this](auto&&...) { ApplyFontSize(); }));
}

void RichTextWindow::BuildCommands() {
    const CommandRow commands[] = {
        {&RichTextWindow::newFileAction, "FileNewCmd", "&New", QStyle::SP_FileIcon, "Create a new file", true,
         [this] { NewFile(); }},
        {&RichTextWindow::openFileAction, "FileOpenCmd", "&Open...", QStyle::SP_DialogOpenButton,
         "Open an existing file", true, [this] { OpenFile(); }},
        {&RichTextWindow::saveFileAction, "FileSaveCmd", "&Save", QStyle::SP_DialogSaveButton, "Save current file",
         false, [this] { SaveFile(); }},
        {&RichTextWindow::saveFileAsAction, "FileSaveAsCmd", "Save &As...", kNoIcon,
         "Save current file under a new name", false, [this] { SaveFileAs(); }},
        {&RichTextWindow::printFileAction, "FilePrintCmd", "&Print", QStyle::SP_FileDialogDetailedView,
         "Print current file", true, [this] { PrintFile(); }},
        {&RichTextWindow::closeAction, "FileExitCmd", "E&xit", QStyle::SP_DialogCloseButton, "Close the window", true,
         [this] { CloseEditor(); }},
        {&RichTextWindow::undoAction, "EditUndoCmd", "&Undo", QStyle::SP_ArrowBack, "Undo the last action", true,
         [this] { UndoLastAction(); }},
        {&RichTextWindow::cutAction, "EditCutCmd", "Cu&t", QStyle::SP_DialogDiscardButton, "Cut selection to clipboard",
         true, [this] { CutSelection(); }},
        {&RichTextWindow::copyAction, "EditCopyCmd", "&Copy", QStyle::SP_FileDialogContentsView,
         "Copy selection to clipboard", true, [this] { CopySelection(); }},
        {&RichTextWindow::pasteAction, "EditPasteCmd", "&Paste", QStyle::SP_DialogApplyButton, "Paste from clipboard",
         true, [this] { PasteClipboard(); }},
        {&RichTextWindow::fontAction, "EditFontCmd", "&Font...", QStyle::SP_FileDialogInfoView, "Choose the font", true,
         [this] { SelectFont(); }},
    };
    for (const CommandRow& c : commands) {
        const QIcon icon = c.icon == kNoIcon ? QIcon() : style()->standardIcon(QStyle::StandardPixmap(c.icon));
        QAction* a = this->*c.slot = new QAction(icon, QString::fromLatin1(c.text), this);
        a->setObjectName(c.name);
        a->setStatusTip(QString::fromLatin1(c.status));
        if (c.tipToo) a->setToolTip(QString::fromLatin1(c.status));
        connect(a, &QAction::triggered, this, gui::Guarded([handler = c.handler](auto&&...) { handler(); }));
    }
    newFileAction->setShortcut(QKeySequence::New);
    openFileAction->setShortcut(QKeySequence::Open);
    saveFileAction->setShortcut(QKeySequence::Save);
    printFileAction->setShortcut(QKeySequence::Print);
}

// The menu and the tool bar with the font's name and size (nullptr: a separator).
void RichTextWindow::BuildMenuAndToolBar(QVBoxLayout* layout) {
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    auto fill = [](auto* holder, std::initializer_list<QAction*> actions) {
        for (QAction* a : actions) {
            if (a) holder->addAction(a);
            else holder->addSeparator();
        }
    };
    fill(MainMenu->addMenu("&File"),
         {newFileAction, openFileAction, saveFileAction, saveFileAsAction, nullptr, printFileAction, nullptr,
          closeAction});
    fill(MainMenu->addMenu("&Edit"), {undoAction, nullptr, cutAction, copyAction, pasteAction, nullptr, fontAction});
    layout->setMenuBar(MainMenu);

    StandardToolBar = new QToolBar(this);
    StandardToolBar->setObjectName("StandardToolBar");
    StandardToolBar->setIconSize(QSize(16, 16));
    fill(StandardToolBar, {newFileAction, openFileAction, saveFileAction, printFileAction, nullptr, cutAction,
                           copyAction, pasteAction, undoAction, nullptr});
    FontName = gui::MakeCombo(StandardToolBar, "FontName");
    FontName->setMinimumWidth(160);
    StandardToolBar->addWidget(FontName);
    FontSize = new QSpinBox(StandardToolBar);
    FontSize->setObjectName("FontSize");
    FontSize->setRange(1, 400);
    StandardToolBar->addWidget(FontSize);
    layout->addWidget(StandardToolBar);
}

// The ruler: its line, a tick at each tab stop, and the three indent markers.
void RichTextWindow::BuildRuler(QVBoxLayout* layout) {
    Ruler = gui::MakePanel(this, "Ruler");
    Ruler->setFrameShape(QFrame::StyledPanel);
    Ruler->setFixedHeight(26);
    RulerLine = gui::MakePanel(Ruler, "RulerLine");
    RulerLine->setFrameShape(QFrame::HLine);
    RulerLine->setGeometry(4, 12, 100, 2);
    QLabel* rulerText = gui::MakeLabel(Ruler, "RulerText", "");
    {
        // 100 pairs of a tab and "|".
        QString ticks;
        for (int i = 0; i < 100; ++i) ticks += "\t|";
        rulerText->setText(ticks);
        rulerText->setGeometry(4, 0, 4000, 12);
        QFont f = rulerText->font();
        f.setPixelSize(8);
        rulerText->setFont(f);
    }
    const std::tuple<QLabel**, const char*, char16_t, QPoint> markers[] = {
        {&firstIndentMarker, "FirstInd", 0x25BC, {2, 2}},
        {&leftIndentMarker, "LeftInd", 0x25B2, {2, 14}},
        {&rightIndentMarker, "RightInd", 0x25B2, {200, 14}}};
    for (const auto& [slot, name, glyph, at] : markers) {
        QLabel* m = *slot = gui::MakeLabel(Ruler, name, "");
        m->setText(QString(QChar(glyph)));
        m->setFixedSize(11, 10);
        m->setAlignment(Qt::AlignCenter);
        QFont f = m->font();
        f.setPixelSize(9);
        m->setFont(f);
        m->setCursor(Qt::SizeHorCursor);
    }
    for (const auto& [slot, name, glyph, at] : markers) (*slot)->move(at);
    for (QLabel* m : {firstIndentMarker, leftIndentMarker, rightIndentMarker}) m->installEventFilter(this);
    Ruler->installEventFilter(this);
    layout->addWidget(Ruler);
}

void RichTextWindow::FinishCreation() {
    SetFileName(QString::fromLatin1(kUntitled));
    updating_ = true;
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FontName->addItems(families);
    updating_ = false;
    // The text starts in "Courier New" at the size of the system's default font.
    QFont courier("Courier New");
    courier.setPointSizeF(QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 10);
    courier.setStyleHint(QFont::TypeWriter);
    Editor->document()->setDefaultFont(courier);
    Editor->setCurrentFont(courier);
    Editor->document()->setDocumentMargin(kDocumentMargin);
    // Setting the start attributes is no change of the text.
    Editor->document()->setModified(false);
    ShowSelectionState();
    UpdateEditActions();
}

QString RichTextWindow::DialogFolder() const {
    std::error_code ec;
    fs::path p = fs::absolute(rt::ResolvePath(kOwnTextsFolder), ec);
    return FromPath(ec ? rt::ResolvePath(kOwnTextsFolder) : p);
}

void RichTextWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && !shownOnce_) gui::Guard([this] { PrepareShowing(); });
}

void RichTextWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) shownOnce_ = false;
}

void RichTextWindow::PrepareShowing() {
    // The file is loaded once per showing: closing the font, print or question
    // dialogs re-activates the window but never reloads it over unsaved text.
    shownOnce_ = true;
    ShowSelectionState();
    setAcceptDrops(true);
    ShowModifiedState();
    Editor->setFocus();
    const QString& arg = commandLineFile;
    if (!arg.isEmpty()) {
        std::error_code ec;
        if (fs::is_regular_file(ToPath(arg), ec)) PerformFileOpen(arg);
    }
    OpenFileOfShowing();
}

int RichTextWindow::ShowForHandOff() {
    // A file that cannot be read is reported; the window shows its text as it was.
    gui::Guard([this] { PrepareShowing(); });
    int result = gui::ShowModal(this);
    shownOnce_ = false;  // the next showing loads again
    return result;
}

void RichTextWindow::OpenFileOfShowing() {
    std::string line = ReadEditFileHandOff();
    if (line.find_first_not_of(' ') == std::string::npos) return;
    PerformFileOpen(FromPath(HandOffPath(line)));
    Editor->setReadOnly(openReadOnly_);
}

void RichTextWindow::PerformFileOpen(const QString& path) {
    // A file that cannot be read or shown whole is left as it is; the window
    // keeps the text and the name it had.
    std::string text = LoadPlainText(ToPath(path));
    Editor->setPlainText(gui::ToQt(text));
    SetFileName(path);
    Editor->setFocus();
    Editor->document()->setModified(false);
    SetModifiedPanel(false);
    ShowSelectionState();
}

void RichTextWindow::SetFileName(const QString& path) {
    fileName_ = path;
    setWindowTitle(gui::ToQt(CaptionForFile(ToPath(path))));
}

void RichTextWindow::SetModifiedPanel(bool modified) {
    StatusPanel[1]->setText(modified ? "Modified" : "");
}

bool RichTextWindow::IsModified() const { return Editor->document()->isModified(); }

// The text as it is saved, its paragraph and line breaks as "\n".
QString RichTextWindow::EditorLines() const {
    QString raw = Editor->document()->toRawText();
    raw.replace(QChar(QChar::ParagraphSeparator), QChar('\n'));
    raw.replace(QChar(QChar::LineSeparator), QChar('\n'));
    return raw;
}

std::string RichTextWindow::EditorText() const { return gui::FromQt(EditorLines()); }

bool RichTextWindow::CheckFileSave() {
    if (!IsModified()) return true;
    int answer = gui::ShowMessage(SaveChangesQuestion(gui::FromQt(fileName_)), "Confirm",
                                  gui::Buttons::YesNoCancel);
    if (answer == gui::AnswerYes) return SaveFile();
    return answer == gui::AnswerNo;
}

bool RichTextWindow::MayClose() { return CheckFileSave(); }

void RichTextWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    gui::Guard([&] { mayClose = MayClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    closeAnswered_ = true;
    QDialog::closeEvent(event);
    closeAnswered_ = false;
}

void RichTextWindow::reject() {
    if (!closeAnswered_) {
        bool mayClose = false;
        gui::Guard([&] { mayClose = MayClose(); });
        if (!mayClose) return;
    }
    QDialog::reject();
}

void RichTextWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitRuler();
}

void RichTextWindow::FitRuler() {
    FitRulerLine();
    ShowSelectionState();
}

void RichTextWindow::NewFile() {
    // Unsaved text is never thrown away without the question.
    if (!CheckFileSave()) return;
    SetFileName(QString::fromLatin1(kUntitled));
    Editor->setReadOnly(false);  // a new text is for writing
    Editor->clear();
    Editor->document()->setModified(false);
    SetModifiedPanel(false);
}

void RichTextWindow::OpenFile() {
    if (!CheckFileSave()) return;
    QFileDialog dialog(this, "Open");
    dialog.setObjectName("OpenDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("TXT");
    dialog.setNameFilters({"Text files (*.txt *.TXT)", "All files (*)"});
    dialog.setDirectory(DialogFolder());
    // The dialog's read-only option, kept from one opening to the next.
    auto* readOnly = new QCheckBox("Open as read-only", &dialog);
    readOnly->setObjectName("ReadOnlyCheck");
    readOnly->setChecked(openReadOnly_);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    if (gui::ShowModal(&dialog) != QDialog::Accepted) return;
    openReadOnly_ = readOnly->isChecked();
    QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return;
    PerformFileOpen(files.first());
    Editor->setReadOnly(openReadOnly_);
}

void RichTextWindow::SaveTo(const QString& path) {
    SavePlainText(ToPath(path), EditorText());
    Editor->document()->setModified(false);
    SetModifiedPanel(false);
}

// The text is kept as Windows-1252: characters it has no code for would be
// saved as "?", so a text holding them is not saved and the user is told.
bool RichTextWindow::TextRefused() {
    const std::string foreign = gui::ForeignCharacters(EditorLines());
    if (foreign.empty()) return false;
    gui::ShowMessage(UnsavableTextMessage(foreign));
    return true;
}

bool RichTextWindow::SaveFile() {
    if (TextRefused()) return false;
    if (fileName_ == QLatin1String(kUntitled)) return SaveFileAs();
    SaveTo(fileName_);
    return true;
}

bool RichTextWindow::SaveFileAs() {
    if (TextRefused()) return false;
    QFileDialog dialog(this, "Save As");
    dialog.setObjectName("SaveDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is the window's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("TXT");
    dialog.setNameFilters({"Text files (*.txt *.TXT)", "All files (*)"});
    dialog.setDirectory(DialogFolder());
    if (fileName_ != QLatin1String(kUntitled)) dialog.selectFile(fileName_);
    if (gui::ShowModal(&dialog) != QDialog::Accepted) return false;
    QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    QString chosen = files.first();
    std::error_code ec;
    if (fs::exists(ToPath(chosen), ec)) {
        int answer = gui::ShowMessage(OverwriteQuestion(gui::FromQt(chosen)), "Confirm",
                                      gui::Buttons::YesNoCancel);
        if (answer != gui::AnswerYes) return false;
    }
    SaveTo(chosen);
    SetFileName(chosen);
    return true;
}

void RichTextWindow::PrintFile() {
    QPrinter printer(QPrinter::HighResolution);
    std::string title = gui::FromQt(fileName_);
    PreparePrinter(printer, title);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog");
    if (gui::ShowModal(&dialog) != QDialog::Accepted) return;
    printer.setDocName(fileName_);
    Editor->document()->print(&printer);
}

void RichTextWindow::CloseEditor() { close(); }

void RichTextWindow::UndoLastAction() {
    if (Editor->document()->isUndoAvailable()) Editor->undo();
}

void RichTextWindow::CutSelection() { Editor->cut(); }

void RichTextWindow::CopySelection() { Editor->copy(); }

void RichTextWindow::PasteClipboard() { Editor->paste(); }

QTextCharFormat RichTextWindow::CurrentAttributes() const {
    QTextCursor cursor = Editor->textCursor();
    if (cursor.hasSelection()) return cursor.charFormat();
    QTextCharFormat format;
    format.setFont(Editor->document()->defaultFont());
    QTextCharFormat typed = Editor->currentCharFormat();
    format.merge(typed);
    return format;
}

void RichTextWindow::ApplyAttributes(const QTextCharFormat& format) {
    QTextCursor cursor = Editor->textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(format);
        Editor->mergeCurrentCharFormat(format);
        return;
    }
    // Without a selection the control's defaults change: the whole plain text.
    QFont font = Editor->document()->defaultFont();
    if (format.hasProperty(QTextFormat::FontFamilies)) font.setFamilies(format.fontFamilies().toStringList());
    if (format.hasProperty(QTextFormat::FontPointSize)) font.setPointSizeF(format.fontPointSize());
    if (format.hasProperty(QTextFormat::FontWeight)) font.setWeight(QFont::Weight(format.fontWeight()));
    if (format.hasProperty(QTextFormat::FontItalic)) font.setItalic(format.fontItalic());
    if (format.hasProperty(QTextFormat::FontUnderline)) font.setUnderline(format.fontUnderline());
    Editor->document()->setDefaultFont(font);
    QTextCursor all(Editor->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    Editor->mergeCurrentCharFormat(format);
}

void RichTextWindow::SelectFont() {
    QFontDialog dialog(this);
    dialog.setObjectName("FontDialog1");
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(CurrentAttributes().font());
    if (gui::ShowModal(&dialog) == QDialog::Accepted) {
        QTextCharFormat format;
        format.setFont(dialog.currentFont(), QTextCharFormat::FontPropertiesSpecifiedOnly);
        QFont f = dialog.currentFont();
        format.setFontFamilies(QStringList{f.family()});
        if (f.pointSizeF() > 0) format.setFontPointSize(f.pointSizeF());
        format.setFontWeight(f.weight());
        format.setFontItalic(f.italic());
        format.setFontUnderline(f.underline());
        ApplyAttributes(format);
    }
    ShowSelectionState();
    Editor->setFocus();
}

void RichTextWindow::ApplyFontName() {
    if (updating_ || FontName->currentText().isEmpty()) return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{FontName->currentText()});
    ApplyAttributes(format);
}

void RichTextWindow::ApplyFontSize() {
    if (updating_) return;
    QTextCharFormat format;
    format.setFontPointSize(FontSize->value());
    ApplyAttributes(format);
}

int RichTextWindow::FirstIndent() const {
    QTextBlockFormat b = Editor->textCursor().blockFormat();
    return static_cast<int>(std::lround((b.leftMargin() + b.textIndent()) / kUnitPixels));
}

int RichTextWindow::LeftIndent() const {
    QTextBlockFormat b = Editor->textCursor().blockFormat();
    return static_cast<int>(std::lround(-b.textIndent() / kUnitPixels));
}

int RichTextWindow::RightIndent() const {
    QTextBlockFormat b = Editor->textCursor().blockFormat();
    return static_cast<int>(std::lround(b.rightMargin() / kUnitPixels));
}

void RichTextWindow::SetParagraphIndents(int firstIndent, int leftIndent, int rightIndent) {
    // The first line starts at the first indent, the others at first + left.
    QTextBlockFormat b;
    b.setLeftMargin((firstIndent + leftIndent) * kUnitPixels);
    b.setTextIndent(-leftIndent * kUnitPixels);
    b.setRightMargin(rightIndent * kUnitPixels);
    QTextCursor cursor = Editor->textCursor();
    cursor.mergeBlockFormat(b);
    Editor->setTextCursor(cursor);
}

void RichTextWindow::FitRulerLine() {
    RulerLine->setFixedWidth(std::max(0, Ruler->contentsRect().width() - 2 * RulerLine->x()));
}

void RichTextWindow::GrabMarker(QLabel* marker, int x) {
    dragOffset_ = marker->width() / 2;
    marker->move(marker->x() + x - dragOffset_, marker->y());
    dragging_ = true;
}

void RichTextWindow::DragMarker(QLabel* marker, int x) {
    if (dragging_) marker->move(marker->x() + x - dragOffset_, marker->y());
}

void RichTextWindow::DropFirstIndentMarker() {
    dragging_ = false;
    int first = FirstIndentFromMarker(firstIndentMarker->x(), dragOffset_);
    SetParagraphIndents(first, LeftIndent(), RightIndent());
    DropLeftIndentMarker();
}

void RichTextWindow::DropLeftIndentMarker() {
    dragging_ = false;
    int first = FirstIndent();
    int left = LeftIndentFromMarker(leftIndentMarker->x(), dragOffset_, first);
    SetParagraphIndents(first, left, RightIndent());
    ShowSelectionState();
}

void RichTextWindow::DropRightIndentMarker() {
    dragging_ = false;
    int right = RightIndentFromMarker(rightIndentMarker->x(), dragOffset_, Ruler->contentsRect().width());
    SetParagraphIndents(FirstIndent(), LeftIndent(), right);
    ShowSelectionState();
}

void RichTextWindow::ShowModifiedState() { SetModifiedPanel(IsModified()); }

void RichTextWindow::ShowSelectionState() {
    updating_ = true;
    RulerMarkers m = MarkersForIndents(FirstIndent(), LeftIndent(), RightIndent(),
                                       Ruler->contentsRect().width());
    firstIndentMarker->move(m.firstLeft, firstIndentMarker->y());
    leftIndentMarker->move(m.leftLeft, leftIndentMarker->y());
    rightIndentMarker->move(m.rightLeft, rightIndentMarker->y());

    QTextCharFormat attributes = CurrentAttributes();
    QFont font = attributes.font();
    int size = static_cast<int>(std::lround(font.pointSizeF() > 0 ? font.pointSizeF() : 10));
    FontSize->setValue(size);
    QString family = font.families().isEmpty() ? font.family() : font.families().first();
    int index = FontName->findText(family, Qt::MatchFixedString);
    // A face that is not installed shows the face that stands in for it.
    if (index < 0) index = FontName->findText(QFontInfo(font).family(), Qt::MatchFixedString);
    if (index >= 0) FontName->setCurrentIndex(index);

    QTextCursor cursor = Editor->textCursor();
    int start = cursor.selectionStart();
    QTextBlock block = Editor->document()->findBlock(start);
    int line = block.blockNumber() + 1;
    int column = start - block.position() + 1;
    StatusPanel[0]->setText(QString::fromStdString(CursorPositionText(line, column)));
    UpdateStyleButtons();
    updating_ = false;
    UpdateEditActions();
}

void RichTextWindow::UpdateEditActions() {
    bool selected = Editor->textCursor().hasSelection();
    cutAction->setEnabled(selected);
    copyAction->setEnabled(selected);
    undoAction->setEnabled(Editor->document()->isUndoAvailable());
    pasteAction->setEnabled(Editor->canPaste());
}

bool RichTextWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The status bar shows a hint as one text, else its panels.
        QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) StatusBar->clearMessage();
        else StatusBar->showMessage(tip);
        return true;
    }
    return QDialog::event(event);
}

bool RichTextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ruler && event->type() == QEvent::Resize) {
        gui::Guard([this] { FitRulerLine(); });
    } else if (watched == firstIndentMarker || watched == leftIndentMarker || watched == rightIndentMarker) {
        auto* marker = static_cast<QLabel*>(watched);
        if (event->type() == QEvent::MouseButtonPress) {
            GrabMarker(marker, static_cast<QMouseEvent*>(event)->position().toPoint().x());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            DragMarker(marker, static_cast<QMouseEvent*>(event)->position().toPoint().x());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            gui::Guard([this, marker] {
                if (marker == firstIndentMarker) DropFirstIndentMarker();
                else if (marker == leftIndentMarker) DropLeftIndentMarker();
                else DropRightIndentMarker();
            });
            return true;
        }
    } else if (watched == Editor->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RichTextWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void RichTextWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    gui::Guard([this, &paths] { DropFiles(paths); });
}

void RichTextWindow::DropFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    if (!CheckFileSave()) return;
    // The whole path is taken, however long.
    PerformFileOpen(paths.first());
}

}  // namespace shell
