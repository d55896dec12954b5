#include "archive/name_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include "archive/current_chart.h"
#include "engine/chart.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"

namespace archive {

ArchiveNameDialog::ArchiveNameDialog(CurrentChart& current, const NameWindowShape& shape, bool wholeEntries,
                                     QWidget* parent)
    : QDialog(parent), currentChart(current), window(shape), whole_(wholeEntries) {
    archiveList = gui::MakeList(this, "ListaArchivi");
    chosenArchiveEdit = gui::MakeReadOnlyEdit(this, "EditArchi", 4);
    nameSearchEdit = gui::MakeEdit(this, "EditSoggetto");
    nameList = gui::MakeList(this, "ListaNomi");
    nameList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    nameList->setFont(QFont("Liberation Mono"));
    nameScrollBar = new QScrollBar(Qt::Vertical, this);
    nameScrollBar->setObjectName("ScrollBar1");
    nameScrollBar->setPageStep(shape.page);

    // The name box is a type-ahead box: a key that types no character enters no key.
    gui::KeepUntypedKeysOut(nameSearchEdit);
    nameSearchEdit->installEventFilter(this);
    nameList->installEventFilter(this);
    connect(nameSearchEdit, &QLineEdit::textEdited, this, gui::Guarded([this](const QString& t) { SearchTyped(t); }));
    connect(nameList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* item) { ChooseLine(nameList->row(item)); }));
    connect(archiveList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem* item) {
                CloseArchive();
                nameList->clear();
                chosen = false;
                nameSearchEdit->clear();
                archiveName = gui::FromQt(item->text()).substr(0, 4);
                chosenArchiveEdit->setText(gui::ToQt(archiveName));
                ArchiveChanged(archiveName);
            }));
    connect(nameScrollBar, &QScrollBar::actionTriggered, this, gui::Guarded([this](int action) {
                bool moved = false;
                switch (action) {
                    case QAbstractSlider::SliderSingleStepAdd: moved = window.LineDown(); break;
                    case QAbstractSlider::SliderSingleStepSub: moved = window.LineUp(); break;
                    case QAbstractSlider::SliderPageStepAdd: moved = window.PageDown(); break;
                    case QAbstractSlider::SliderPageStepSub: moved = window.PageUp(); break;
                    case QAbstractSlider::SliderMove:
                        window.HoldAt(nameScrollBar->sliderPosition());
                        moved = true;
                        break;
                    default: break;
                }
                (void)moved;
                FillNameList();
                SetScrollBar();
            }));
}

QGroupBox* ArchiveNameDialog::BuildSearchPanel(const char* objectName, SearchPanelTexts texts) {
    auto* panel = gui::MakeGroup(this, objectName, "");
    auto* grid = new QGridLayout(panel);
    grid->addWidget(gui::MakeLabel(panel, "LabRicerca", texts.prompt), 0, 0, 1, 2);
    nameSearchEdit->setParent(panel);
    grid->addWidget(nameSearchEdit, 1, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(panel, "LabElenco", texts.listHint), 2, 0, 1, 2);
    nameList->setParent(panel);
    nameList->setFixedHeight(window.LinesShown() * 18 + 6);
    grid->addWidget(nameList, 3, 0);
    nameScrollBar->setParent(panel);
    grid->addWidget(nameScrollBar, 3, 1);
    return panel;
}

void ArchiveNameDialog::BuildArchiveList() {
    if (archiveListBuilt_) return;
    archiveList->clear();
    for (const std::string& name : ListArchiveNames()) {
        if (name == kCurrentPersonArchive) continue;
        archiveList->addItem(gui::ToQt(ArchiveCaption(name)));
        if (name == kPersonalArchive) archiveName = name;
    }
    archiveListBuilt_ = true;
}

bool ArchiveNameDialog::OpenArchive(const std::string& letters, AnnotationFile annotations) {
    // A damaged index is named (once as long as it stays as it is); its names
    // are listed only when every whole entry is a name with its number. An
    // index without its record 0 (emptied, or missing beside the people's
    // data) is not opened at all.
    const IndexCheck index = CheckIndex(letters);
    if (index.storable) files.Open(letters, annotations);
    if (!index.problem.empty()) {
        const std::string st1 = ArchiveFileName(letters, ".ST1");
        const char* done = index.listable ? "Vengono elencate le persone delle voci intere."
                           : index.storable
                               ? "Le persone dell'archivio non vengono elencate."
                               : "Le persone dell'archivio non vengono elencate, e nell'archivio non si registra "
                                 "nessuna persona finch\xE9 il file non \xE8 integro.";
        rt::ReportDamagedFileOnce(st1, rt::DamagedFileMessage({st1, index.problem},
                                                              std::string(done) + " " + DamagedArchiveAdvice(st1)));
    }
    int n = index.listable ? files.EntryCount() : 0;
    window.Reset(n, n < 9 ? 1 : window.MiddleLine() + 1);
    if (n < 1) {
        nameList->clear();
        nameList->addItem(index.listable ? "ARCHIVIO VUOTO" : "ARCHIVIO DANNEGGIATO");
        for (QWidget* w : {static_cast<QWidget*>(nameSearchEdit), static_cast<QWidget*>(nameList),
                           static_cast<QWidget*>(nameScrollBar)})
            w->setEnabled(false);
        return false;
    }
    for (QWidget* w :
         {static_cast<QWidget*>(nameSearchEdit), static_cast<QWidget*>(nameList), static_cast<QWidget*>(nameScrollBar)})
        w->setEnabled(true);
    FillNameList();
    SetScrollBar();
    return true;
}

void ArchiveNameDialog::CloseArchive() {
    if (files.IsOpen()) files.Close();
}

void ArchiveNameDialog::SetScrollBar() {
    syncing_ = true;
    nameScrollBar->setRange(window.ScrollMin(), window.ScrollMax());
    nameScrollBar->setValue(window.Position());
    syncing_ = false;
}

void ArchiveNameDialog::FillNameList() {
    nameList->clear();
    if (!files.IsOpen()) return;
    for (const std::string& e : files.Entries(window.FirstShown(), window.LastShown(), whole_))
        nameList->addItem(gui::ToQt(e));
}

bool ArchiveNameDialog::SearchFieldValid() const {
    return gui::GetFieldState(nameSearchEdit) == gui::FieldState::Valid;
}

void ArchiveNameDialog::SetSearchFieldValid(bool valid) {
    QString keep = nameSearchEdit->text();
    const int caret = nameSearchEdit->cursorPosition();
    gui::SetFieldState(nameSearchEdit, valid ? gui::FieldState::Valid : gui::FieldState::Rejected);
    nameSearchEdit->setText(keep);  // a red search field keeps what was typed, the caret where it was
    nameSearchEdit->setCursorPosition(caret);
}

std::string ArchiveNameDialog::SearchText() const { return gui::FromQt(nameSearchEdit->text()); }

void ArchiveNameDialog::SearchTyped(const QString& text) {
    if (window.Count() <= 0) return;
    QString upper = text.toUpper();
    if (upper != text) {
        int caret = nameSearchEdit->cursorPosition();
        nameSearchEdit->setText(upper);
        nameSearchEdit->setCursorPosition(caret);
    }
    std::string typed = gui::FromQt(upper);
    currentChart.birth.subjectName = typed;
    chosen = false;
    if (typed.empty()) {
        SetSearchFieldValid(true);
        return;
    }
    SearchResult found = files.Search(typed);
    SetSearchFieldValid(EntryBeginsWith(found.lastEntryRead, typed));
    window.HoldAt(found.position);
    FillNameList();
    SetScrollBar();
}

std::string StoredPlaceName(const BirthRecord& record) {
    std::string place = record.placeField.size() > 12 ? record.placeField.substr(12, 28) : "";
    place.erase(0, std::min(place.find_first_not_of(' '), place.size()));
    return place;
}

AnnotationRecord ReadRecordAnnotation(ArchiveFiles& files, const BirthRecord& record, std::string& textNumber) {
    int number = 0;
    if (auto n = ReadDecimalEitherSeparator(record.annotationNumber)) number = static_cast<int>(*n);
    AnnotationRecord notes = files.ReadAnnotation(number);
    textNumber = notes.lines[3].size() > 64 ? notes.lines[3].substr(64, 5) : "";
    return notes;
}

std::string ArchiveNameDialog::LineText(int line) const {
    return line >= 0 && line < nameList->count() ? gui::FromQt(nameList->item(line)->text()) : std::string();
}

std::optional<int> ArchiveNameDialog::TakeChosenEntry() {
    if (!SearchFieldValid()) {
        nameSearchEdit->clear();
        return std::nullopt;
    }
    if (currentChart.birth.subjectName.empty()) return std::nullopt;
    std::string entry = SearchText();
    currentChart.birth.subjectName = entry;
    chosenEntry = entry;
    return IndexEntryNumber(entry);
}

void ArchiveNameDialog::ChooseLine(int line) {
    int position = window.PositionOfLine(line);
    if (position < 1) return;
    chosenPosition = position;
    chosenEntry = files.ReadEntry(position);
    nameSearchEdit->setText(gui::ToQt(chosenEntry));
    SetSearchFieldValid(true);
    currentChart.birth.subjectName = chosenEntry;
    chosen = true;
    EntryChosen();
}

bool ArchiveNameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameSearchEdit && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] {
            nameSearchEdit->clear();
            SetSearchFieldValid(false);
            currentChart.birth.subjectName.clear();
            chosen = false;
            SearchClicked();
        });
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    int key = static_cast<QKeyEvent*>(event)->key();
    bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == nameSearchEdit && enter) {
        gui::Guard([this] { EnterInSearch(); });
        return true;
    }
    if (watched == nameList) {
        gui::Guard([this] { ListKeyPressed(); });
        int line = nameList->currentRow();
        if (enter) {
            gui::Guard([&] { EnterInList(line); });
            return true;
        }
        if (key == Qt::Key_Down) {
            if (line >= 0) nameSearchEdit->setText(nameList->item(line)->text());
            if (line == nameList->count() - 1 && window.LineDown()) {
                gui::Guard([&] {
                    FillNameList();
                    SetScrollBar();
                    nameList->setCurrentRow(line);
                    nameSearchEdit->setText(nameList->item(line)->text());
                });
                return true;
            }
        }
        if (key == Qt::Key_Up && line == 0 && window.LineUp()) {
            gui::Guard([&] {
                FillNameList();
                SetScrollBar();
                nameList->setCurrentRow(1);
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace archive
