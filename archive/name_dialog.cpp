#include "archive/name_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include "engine/chart_state.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"

namespace archive {

ArchiveNameDialog::ArchiveNameDialog(const NameWindowShape& shape, bool wholeEntries, QWidget* parent)
    : QDialog(parent), Window(shape), whole_(wholeEntries) {
    ListaArchivi = gui::MakeList(this, "ListaArchivi");
    EditArchi = gui::MakeReadOnlyEdit(this, "EditArchi", 4);
    EditSoggetto = gui::MakeEdit(this, "EditSoggetto");
    ListaNomi = gui::MakeList(this, "ListaNomi");
    ListaNomi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListaNomi->setFont(QFont("Liberation Mono"));
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setPageStep(shape.page);

    // The name box is a type-ahead box: a key that types no character enters no key.
    gui::KeepUntypedKeysOut(EditSoggetto);
    EditSoggetto->installEventFilter(this);
    ListaNomi->installEventFilter(this);
    connect(EditSoggetto, &QLineEdit::textEdited, this, gui::Guarded([this](const QString& t) { SearchTyped(t); }));
    connect(ListaNomi, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* item) { ChooseLine(ListaNomi->row(item)); }));
    connect(ListaArchivi, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem* item) {
        CloseArchive();
        ListaNomi->clear();
        Chosen = false;
        EditSoggetto->clear();
        ArchiveName = gui::FromQt(item->text()).substr(0, 4);
        EditArchi->setText(gui::ToQt(ArchiveName));
        ArchiveChanged(ArchiveName);
    }));
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, gui::Guarded([this](int action) {
        bool moved = false;
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: moved = Window.LineDown(); break;
            case QAbstractSlider::SliderSingleStepSub: moved = Window.LineUp(); break;
            case QAbstractSlider::SliderPageStepAdd: moved = Window.PageDown(); break;
            case QAbstractSlider::SliderPageStepSub: moved = Window.PageUp(); break;
            case QAbstractSlider::SliderMove:
                Window.HoldAt(ScrollBar1->sliderPosition());
                moved = true;
                break;
            default: break;
        }
        (void)moved;
        FillNameList();
        SetScrollBar();
    }));
}

QGroupBox* ArchiveNameDialog::BuildSearchPanel(const char* objectName, const char* prompt, const char* listHint) {
    auto* panel = gui::MakeGroup(this, objectName, "");
    auto* grid = new QGridLayout(panel);
    grid->addWidget(gui::MakeLabel(panel, "LabRicerca", prompt), 0, 0, 1, 2);
    EditSoggetto->setParent(panel);
    grid->addWidget(EditSoggetto, 1, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(panel, "LabElenco", listHint), 2, 0, 1, 2);
    ListaNomi->setParent(panel);
    ListaNomi->setFixedHeight(Window.LinesShown() * 18 + 6);
    grid->addWidget(ListaNomi, 3, 0);
    ScrollBar1->setParent(panel);
    grid->addWidget(ScrollBar1, 3, 1);
    return panel;
}

void ArchiveNameDialog::BuildArchiveList() {
    if (archiveListBuilt_) return;
    ListaArchivi->clear();
    for (const std::string& name : ListArchiveNames()) {
        if (name == kCurrentPersonArchive) continue;
        ListaArchivi->addItem(gui::ToQt(ArchiveCaption(name)));
        if (name == kPersonalArchive) ArchiveName = name;
    }
    archiveListBuilt_ = true;
}

bool ArchiveNameDialog::OpenArchive(const std::string& letters, AnnotationFile annotations) {
    // A damaged index is named (once as long as it stays as it is); its names
    // are listed only when every whole entry is a name with its number. An
    // index without its record 0 (emptied, or missing beside the people's
    // data) is not opened at all.
    const IndexCheck index = CheckIndex(letters);
    if (index.storable) Files.Open(letters, annotations);
    if (!index.problem.empty()) {
        const std::string st1 = ArchiveFileName(letters, ".ST1");
        const char* done = index.listable ? "Vengono elencate le persone delle voci intere."
                           : index.storable
                               ? "Le persone dell'archivio non vengono elencate."
                               : "Le persone dell'archivio non vengono elencate, e nell'archivio non si registra "
                                 "nessuna persona finch\xE9 il file non \xE8 integro.";
        rt::ReportDamagedFileOnce(
            st1, rt::DamagedFileMessage(st1, index.problem, std::string(done) + " " + DamagedArchiveAdvice(st1)));
    }
    int n = index.listable ? Files.EntryCount() : 0;
    Window.Reset(n, n < 9 ? 1 : Window.MiddleLine() + 1);
    if (n < 1) {
        ListaNomi->clear();
        ListaNomi->addItem(index.listable ? "ARCHIVIO VUOTO" : "ARCHIVIO DANNEGGIATO");
        for (QWidget* w : {static_cast<QWidget*>(EditSoggetto), static_cast<QWidget*>(ListaNomi),
                           static_cast<QWidget*>(ScrollBar1)})
            w->setEnabled(false);
        return false;
    }
    for (QWidget* w : {static_cast<QWidget*>(EditSoggetto), static_cast<QWidget*>(ListaNomi),
                       static_cast<QWidget*>(ScrollBar1)})
        w->setEnabled(true);
    FillNameList();
    SetScrollBar();
    return true;
}

void ArchiveNameDialog::CloseArchive() {
    if (Files.IsOpen()) Files.Close();
}

void ArchiveNameDialog::SetScrollBar() {
    syncing_ = true;
    ScrollBar1->setRange(Window.ScrollMin(), Window.ScrollMax());
    ScrollBar1->setValue(Window.Position());
    syncing_ = false;
}

void ArchiveNameDialog::FillNameList() {
    ListaNomi->clear();
    if (!Files.IsOpen()) return;
    for (const std::string& e : Files.Entries(Window.FirstShown(), Window.LastShown(), whole_))
        ListaNomi->addItem(gui::ToQt(e));
}

bool ArchiveNameDialog::SearchFieldValid() const {
    return gui::GetFieldState(EditSoggetto) == gui::FieldState::Valid;
}

void ArchiveNameDialog::SetSearchFieldValid(bool valid) {
    QString keep = EditSoggetto->text();
    gui::SetFieldState(EditSoggetto, valid ? gui::FieldState::Valid : gui::FieldState::Rejected);
    EditSoggetto->setText(keep);  // a red search field keeps what was typed
}

std::string ArchiveNameDialog::SearchText() const { return gui::FromQt(EditSoggetto->text()); }

void ArchiveNameDialog::SearchTyped(const QString& text) {
    if (Window.Count() <= 0) return;
    QString upper = text.toUpper();
    if (upper != text) {
        int caret = EditSoggetto->cursorPosition();
        EditSoggetto->setText(upper);
        EditSoggetto->setCursorPosition(caret);
    }
    std::string typed = gui::FromQt(upper);
    engine::Birth.SubjectName = typed;
    Chosen = false;
    if (typed.empty()) {
        SetSearchFieldValid(true);
        return;
    }
    SearchResult found = Files.Search(typed);
    SetSearchFieldValid(EntryBeginsWith(found.lastEntryRead, typed));
    Window.HoldAt(found.position);
    FillNameList();
    SetScrollBar();
}

std::string StoredPlaceName(const BirthRecord& record) {
    std::string place = record.PlaceField.size() > 12 ? record.PlaceField.substr(12, 28) : "";
    place.erase(0, std::min(place.find_first_not_of(' '), place.size()));
    return place;
}

AnnotationRecord ReadRecordAnnotation(ArchiveFiles& files, const BirthRecord& record, std::string& textNumber) {
    int number = 0;
    if (auto n = ReadDecimalEitherSeparator(record.AnnotationNumber)) number = static_cast<int>(*n);
    AnnotationRecord notes = files.ReadAnnotation(number);
    textNumber = notes.Lines[3].size() > 64 ? notes.Lines[3].substr(64, 5) : "";
    return notes;
}

std::string ArchiveNameDialog::LineText(int line) const {
    return line >= 0 && line < ListaNomi->count() ? gui::FromQt(ListaNomi->item(line)->text()) : std::string();
}

std::optional<int> ArchiveNameDialog::TakeChosenEntry() {
    if (!SearchFieldValid()) {
        EditSoggetto->clear();
        return std::nullopt;
    }
    if (engine::Birth.SubjectName.empty()) return std::nullopt;
    std::string entry = SearchText();
    engine::Birth.SubjectName = entry;
    ChosenEntry = entry;
    return IndexEntryNumber(entry);
}

void ArchiveNameDialog::ChooseLine(int line) {
    int position = Window.PositionOfLine(line);
    if (position < 1) return;
    ChosenPosition = position;
    ChosenEntry = Files.ReadEntry(position);
    EditSoggetto->setText(gui::ToQt(ChosenEntry));
    SetSearchFieldValid(true);
    engine::Birth.SubjectName = ChosenEntry;
    Chosen = true;
    EntryChosen();
}

bool ArchiveNameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditSoggetto && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] {
            EditSoggetto->clear();
            SetSearchFieldValid(false);
            engine::Birth.SubjectName.clear();
            Chosen = false;
            SearchClicked();
        });
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    int key = static_cast<QKeyEvent*>(event)->key();
    bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == EditSoggetto && enter) {
        gui::Guard([this] { EnterInSearch(); });
        return true;
    }
    if (watched == ListaNomi) {
        gui::Guard([this] { ListKeyPressed(); });
        int line = ListaNomi->currentRow();
        if (enter) {
            gui::Guard([&] { EnterInList(line); });
            return true;
        }
        if (key == Qt::Key_Down) {
            if (line >= 0) EditSoggetto->setText(ListaNomi->item(line)->text());
            if (line == ListaNomi->count() - 1 && Window.LineDown()) {
                gui::Guard([&] {
                    FillNameList();
                    SetScrollBar();
                    ListaNomi->setCurrentRow(line);
                    EditSoggetto->setText(ListaNomi->item(line)->text());
                });
                return true;
            }
        }
        if (key == Qt::Key_Up && line == 0 && Window.LineUp()) {
            gui::Guard([&] {
                FillNameList();
                SetScrollBar();
                ListaNomi->setCurrentRow(1);
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace archive
