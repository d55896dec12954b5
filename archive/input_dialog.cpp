#include "archive/input_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTime>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "archive/calendars.h"
#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "archive/record_checks.h"
#include "archive/store_dialog.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/lock_glyph.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"

namespace archive {

namespace {

using engine::Real;
using gui::FieldState;
using gui::SetFieldState;

std::string Text(const QLineEdit* e) { return gui::FromQt(e->text()); }

std::string Trimmed(const QLineEdit* e) {
    std::string t;
    engine::TrimBlanks(Text(e), t);
    return t;
}

bool IsDateField(const InputDialog* d, const QObject* o) {
    return o == d->dayEdit || o == d->monthEdit || o == d->yearEdit || o == d->hourEdit || o == d->minuteEdit;
}

// A character users type between the parts of a date or a time ("31/02/1990 12:00").
bool IsDateSeparator(char typed) {
    return typed != 0 && std::string_view("/-.: ").find(typed) != std::string_view::npos;
}

}  // namespace

InputDialog::InputDialog(CurrentChart& current, InputDialogCollaborators collaborators, QWidget* parent)
    : QDialog(parent),
      currentChart(current),
      mainFrame_(collaborators.mainFrame),
      drawSettings_(collaborators.drawSettings),
      madeStoreDialog_(std::move(collaborators.storeDialog)) {
    setObjectName("FoInputKel");
    setWindowTitle("Inleiding Geboortegegevens");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* top = new QVBoxLayout(this);
    BuildInputFields(top);
    BuildResultPanel(top);
    BuildManualPanel(top);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&goOnButton, "BBprosegui", "Ok, Ga verder"},
                                     {&cancelButton, "BBRitorna", "&Annuleren en Terug"}});
    buttons->addWidget(goOnButton);
    buttons->addWidget(cancelButton);
    top->addLayout(buttons);

    // Every input field starts valid (aqua); a red field turns back to aqua as
    // soon as it is corrected (before the checks, which may find it wrong again).
    for (QLineEdit* e : {nameEdit,
                         dayEdit,
                         monthEdit,
                         yearEdit,
                         hourEdit,
                         minuteEdit,
                         placeSearchEdit,
                         fullDateEdit,
                         julianDayEdit,
                         placeNameEdit,
                         coordinatesEdit,
                         correctionEdit,
                         calendarEdit,
                         nationalityEdit,
                         calendarNameEdit,
                         manual.latDegrees,
                         manual.latLetter,
                         manual.latMinutes,
                         manual.lonDegrees,
                         manual.lonLetter,
                         manual.lonMinutes,
                         manual.lonHours,
                         manual.lonHourMinutes,
                         manual.lonHourSeconds,
                         manual.lonHourLetter})
        SetFieldState(e, FieldState::Valid);
    fullDateEdit->setReadOnly(true);
    julianDayEdit->setReadOnly(true);
    for (QLineEdit* e :
         {nameEdit, coordinatesEdit, placeNameEdit, dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit,
          manual.latDegrees, manual.latLetter, manual.latMinutes, manual.lonDegrees, manual.lonLetter,
          manual.lonMinutes, manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds, manual.lonHourLetter})
        gui::ClearRejectionOnEdit(e);
    ConnectInputFields();
    ConnectManualPanel();
    connect(goOnButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ConfirmAndStore(); }));
    connect(cancelButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { Cancel(); }));
}

// The name, the birth date and clock time, the place tables and the list of places.
void InputDialog::BuildInputFields(QVBoxLayout* top) {
    auto* input = new QGridLayout;
    top->addLayout(input);
    namePromptLabel = gui::MakeLabel(this, "Label1", "Specificeren altijd de naam van de persoon");
    input->addWidget(namePromptLabel, 0, 0, 1, 6);
    nameEdit = gui::MakeEdit(this, "EditSogg", 38);
    UpperCaseOnTyping(nameEdit);
    input->addWidget(nameEdit, 1, 0, 1, 6);
    input->addWidget(gui::MakeLabel(this, "LabData", "gg   mm    aaaa"), 2, 0, 1, 3);
    input->addWidget(gui::MakeLabel(this, "LabOra", "hh   mm"), 2, 3, 1, 2);
    const std::tuple<QLineEdit**, const char*, int> clock[] = {{&dayEdit, "EditGiorno", 2},
                                                               {&monthEdit, "EditMese", 2},
                                                               {&yearEdit, "EditAnno", 4},
                                                               {&hourEdit, "EditOra", 2},
                                                               {&minuteEdit, "EditMinuti", 2}};
    int column = 0;
    for (const auto& [slot, name, length] : clock) {
        *slot = gui::MakeEdit(this, name, length);
        input->addWidget(*slot, 3, column++);
    }
    nowButton = gui::MakeClickOnlyButton(this, "BitBtnOggi", "Nu");
    input->addWidget(nowButton, 3, 5);
    datePicker = new QDateEdit(this);
    datePicker->setObjectName("DateTimePicker1");
    datePicker->setCalendarPopup(true);
    datePicker->setDisplayFormat("dd/MM/yyyy");
    input->addWidget(datePicker, 4, 0, 1, 3);

    gui::MakeClickOnlyButtons(this, {{&italianPlacesButton, "BBItalia", "Italiaanse steden"},
                                     {&foreignPlacesButton, "BBperson", "Buitenlandse steden"}});
    input->addWidget(italianPlacesButton, 5, 0, 1, 3);
    input->addWidget(foreignPlacesButton, 5, 3, 1, 3);
    placeSearchEdit = gui::MakeEdit(this, "EditLocal");
    input->addWidget(placeSearchEdit, 6, 0, 1, 6);
    auto* listRow = new QHBoxLayout;
    placeList = gui::MakeList(this, "ListBox1");
    placeList->setFixedHeight(7 * 18 + 6);
    placeList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    placeList->setFont(QFont("Liberation Mono"));  // names padded to a column
    placeScrollBar = new QScrollBar(Qt::Vertical, this);
    placeScrollBar->setObjectName("ScrollBar1");
    placeScrollBar->setPageStep(7);
    listRow->addWidget(placeList);
    listRow->addWidget(placeScrollBar);
    input->addLayout(listRow, 7, 0, 1, 6);
}

// The data the place and its calendar give, the lock of those fields, and the
// controls nothing shows.
void InputDialog::BuildResultPanel(QVBoxLayout* top) {
    resultPanel = gui::MakeGroup(this, "PanelResult", "Resultaat Gegevens ingevoerd ");
    auto* results = new QGridLayout(resultPanel);
    // The correction is six characters wide, its whole text kept.
    const int row = gui::AddLabelledEdits(results, resultPanel,
                                          {{&fullDateEdit, "EditDataEstesa", "Datum"},
                                           {&julianDayEdit, "EditJD", "JD"},
                                           {&placeNameEdit, "EditLocEstesa", "Plaats"},
                                           {&coordinatesEdit, "EditCoord", "Co\xF6rd.", 12},
                                           {&correctionEdit, "EditFuso", "Correctie"},
                                           {&calendarEdit, "EditCalend", "Kalender", 4},
                                           {&nationalityEdit, "EditStato", "Staat"}},
                                          0);
    UpperCaseOnTyping(calendarEdit);
    localMeanTimeBox = gui::MakeCheckBox(resultPanel, "CheckBoxLocale", "Lokale tijd gebr.");
    results->addWidget(localMeanTimeBox, row, 1);
    top->addWidget(resultPanel);
    lockButton = gui::MakeClickOnlyButton(this, "BBLock", "");
    gui::SetLockGlyph(lockButton, true);
    outdatedTablesLabel = gui::MakeLabel(this, "LabNote", "DIENSTREGELINGEN NIET BIJGEWERKT");
    outdatedTablesLabel->hide();
    calendarLinesBox = gui::MakeCombo(this, "ComboBox2");
    calendarLinesBox->hide();
    calendarNameEdit = gui::MakeEdit(this, "Edit1");
    calendarNameEdit->hide();
    auto* lockRow = new QHBoxLayout;
    lockRow->addWidget(lockButton);
    lockRow->addWidget(outdatedTablesLabel);
    top->addLayout(lockRow);
    top->addWidget(calendarLinesBox);
}

// The hidden panel for coordinates typed by hand: latitude, and longitude in
// degrees or in hours.
void InputDialog::BuildManualPanel(QVBoxLayout* top) {
    manual.panel = gui::MakeGroup(this, "PanelMan", "Handmatige invoer van co\xF6rdinaten");
    auto* manualGrid = new QGridLayout(manual.panel);
    const std::tuple<QLineEdit**, const char*, int, int, int> fields[] = {
        // slot, name, length, row, column
        {&manual.latDegrees, "EditGrdLat", 2, 0, 1},     {&manual.latLetter, "EditNS", 1, 0, 2},
        {&manual.latMinutes, "EditPriLat", 2, 0, 3},     {&manual.lonDegrees, "EditGrdLon", 3, 1, 1},
        {&manual.lonLetter, "EditEWgrd", 1, 1, 2},       {&manual.lonMinutes, "EditPriLon", 2, 1, 3},
        {&manual.lonHours, "EditOreLon", 2, 2, 1},       {&manual.lonHourMinutes, "EditMinLon", 2, 2, 2},
        {&manual.lonHourSeconds, "EditSecLon", 2, 2, 3}, {&manual.lonHourLetter, "EditEWore", 1, 2, 4}};
    for (const auto& [slot, name, length, row, column] : fields) *slot = gui::MakeEdit(manual.panel, name, length);
    for (QLineEdit* e : {manual.latLetter, manual.lonLetter, manual.lonHourLetter}) UpperCaseOnTyping(e);
    const std::pair<const char*, const char*> rowLabels[] = {{"LabLat", "Lat."},
                                                             {"LabLonGradi", "Long. (\xB0)"},
                                                             {"LabLonOre", "Long. (h)"}};
    for (int r = 0; r < 3; ++r)
        manualGrid->addWidget(gui::MakeLabel(manual.panel, rowLabels[r].first, rowLabels[r].second), r, 0);
    for (const auto& [slot, name, length, row, column] : fields) manualGrid->addWidget(*slot, row, column);
    gui::MakeClickOnlyButtons(manual.panel,
                              {{&manual.okButton, "BitBtn1", "&OK"}, {&manual.clearButton, "BitBtn2", "&Vissen"}});
    manualGrid->addWidget(manual.okButton, 3, 1);
    manualGrid->addWidget(manual.clearButton, 3, 3);
    manual.panel->hide();
    top->addWidget(manual.panel);
}

void InputDialog::ConnectInputFields() {
    // Every change of the input asks the idle step to check again.
    auto recheck = [this] { recheckPending = 1; };
    connect(nameEdit, &QLineEdit::textChanged, this, recheck);
    for (QLineEdit* e : {dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit}) {
        // A key that types no character (Alt+5) enters no field.
        gui::KeepUntypedKeysOut(e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this, e](const QString& t) {
            QString trimmed = t.trimmed();
            if (trimmed != t) e->setText(trimmed);
            // A field is done when it is full (or left, see eventFilter): only
            // then are the date and time checked, so that no check, and no
            // message, comes between two keys of one field.
            if (trimmed.size() < e->maxLength()) return;
            recheckPending = 1;
            MoveOnFrom(e);  // by itself when the field is full
        });
        // Digits only: a separator is taken by eventFilter, anything else is refused.
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    }
    for (QWidget* watched : std::initializer_list<QWidget*>{nameEdit, placeSearchEdit, placeList, coordinatesEdit,
                                                            placeNameEdit, namePromptLabel})
        watched->installEventFilter(this);
    // The place box is a type-ahead box: a key that types no character enters no key.
    gui::KeepUntypedKeysOut(placeSearchEdit);
    connect(placeSearchEdit, &QLineEdit::textEdited, this, gui::Guarded([this](const QString& t) { SearchPlace(t); }));
    connect(placeSearchEdit, &QLineEdit::textChanged, this, [this] {
        placeApplyPending = 1;
        recheckPending = 1;
    });
    connect(placeSearchEdit, &QLineEdit::returnPressed, this, gui::Guarded([this] { PickTypedPlace(); }));
    connect(placeList, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* item) { PickPlaceAtLine(placeList->row(item)); }));
    connect(placeScrollBar, &QScrollBar::valueChanged, this, gui::Guarded([this](int v) {
                if (syncing_) return;
                window.SetPosition(v);
                FillPlaceList();
            }));
    for (const auto& [button, kind] : {std::pair{italianPlacesButton, PlaceTableKind::Italian},
                                       std::pair{foreignPlacesButton, PlaceTableKind::Foreign}})
        connect(button, &QPushButton::clicked, this, gui::Guarded([this, kind = kind](bool) {
                    ClosePlaceFile();
                    tableKind = kind;
                    OpenPlaceFile();
                }));
    connect(nowButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { FillInNow(); }));
    connect(datePicker, &QDateEdit::editingFinished, this, gui::Guarded([this] { TakePickedDate(); }));
    connect(lockButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ToggleResultsLock(); }));
    connect(localMeanTimeBox, &QCheckBox::clicked, this, gui::Guarded([this](bool) { ApplyLocalMeanTimeChoice(); }));
    connect(calendarEdit, &QLineEdit::textChanged, this,
            gui::Guarded([this](const QString&) { RecomputeJulianDay(); }));
}

void InputDialog::ConnectManualPanel() {
    connect(manual.okButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { AcceptManualCoordinates(); }));
    // Each field of the panel moves on to the next when it is full, so
    // "41N54" typed in one go fills latitude degrees, letter and minutes.
    const std::vector<QLineEdit*> degreeGroup = {manual.latDegrees, manual.latLetter, manual.latMinutes,
                                                 manual.lonDegrees, manual.lonLetter, manual.lonMinutes};
    const std::vector<QLineEdit*> hourGroup = {manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds,
                                               manual.lonHourLetter};
    for (const auto* group : {&degreeGroup, &hourGroup}) {
        const bool degrees = group == &degreeGroup;
        for (std::size_t i = 0; i < group->size(); ++i) {
            QLineEdit* e = (*group)[i];
            QWidget* next = i + 1 < group->size() ? static_cast<QWidget*>((*group)[i + 1]) : manual.okButton;
            connect(e, &QLineEdit::textEdited, this, [this, e, next, degrees](const QString& t) {
                longitudeInDegrees = degrees ? 1 : 0;
                CheckManualCoordinates();
                if (t.size() >= e->maxLength()) next->setFocus();
            });
        }
    }
}

void InputDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { StartNewEntry(); });
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == coordinatesEdit) {
            OpenManualCoordinates();
            return true;
        }
        if (watched == placeNameEdit) {
            placeNameEdit->setText(placeNameEdit->text().toUpper());
            return true;
        }
        if (watched == namePromptLabel) {
            calendarLinesBox->show();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == placeSearchEdit) {
        placeSearchText.clear();
        placeSearchEdit->clear();
        SetFieldState(placeSearchEdit, FieldState::Rejected);
        window.SetPosition(4);
        FillPlaceList();
    }
    // A clock field the user leaves is done: the date and time are checked.
    // Focus that goes to another window or a pop-up is no leaving.
    if (event->type() == QEvent::FocusOut && IsDateField(this, watched)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            recheckPending = 1;
            if (watched == movedOnTo_) movedOnTo_ = nullptr;
        }
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    if (IsDateField(this, watched) &&
        ClockSeparatorTyped(static_cast<QLineEdit*>(watched), *static_cast<QKeyEvent*>(event)))
        return true;
    int key = static_cast<QKeyEvent*>(event)->key();
    if (MoveAmongFields(watched, key)) return true;
    if (watched == placeList && KeyInPlaceList(key)) return true;
    return QDialog::eventFilter(watched, event);
}

// Enter and the arrow keys move the focus among the name, the date and time
// fields and the place search field, as the fields stand on the form.
bool InputDialog::MoveAmongFields(QObject* watched, int key) {
    bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    auto go = [](QWidget* w) {
        w->setFocus();
        return true;
    };
    if (watched == nameEdit && enter) return go(dayEdit);
    if (IsDateField(this, watched)) {
        if (watched == dayEdit) {
            if (enter || key == Qt::Key_Right) return go(monthEdit);
            if (key == Qt::Key_Down) return go(hourEdit);
        } else if (watched == monthEdit) {
            if (enter || key == Qt::Key_Right) return go(yearEdit);
            if (key == Qt::Key_Left) return go(dayEdit);
            if (key == Qt::Key_Down) return go(minuteEdit);
        } else if (watched == yearEdit) {
            if (enter || key == Qt::Key_Right) return go(hourEdit);
            if (key == Qt::Key_Left) return go(monthEdit);
        } else if (watched == hourEdit) {
            if (enter || key == Qt::Key_Right) return go(minuteEdit);
            if (key == Qt::Key_Left) return go(yearEdit);
            if (key == Qt::Key_Up) return go(dayEdit);
        } else if (watched == minuteEdit) {
            if (enter) return go(placeSearchEdit);
            if (key == Qt::Key_Left) return go(hourEdit);
            if (key == Qt::Key_Up) return go(monthEdit);
        }
    }
    if (watched == placeSearchEdit) {
        if (key == Qt::Key_Left) return go(minuteEdit);
        if (key == Qt::Key_Right) return go(nameEdit);
    }
    return false;
}

// Enter picks the place of the list's line; the arrow and page keys beyond the
// list's first or last line scroll the table of places.
bool InputDialog::KeyInPlaceList(int key) {
    bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    int line = placeList->currentRow();
    if (enter) {
        gui::Guard([&] { PickPlaceAtLine(line); });
        return true;
    }
    bool moved = true;
    if (key == Qt::Key_Up && line <= 0)
        window.LineUp();
    else if (key == Qt::Key_Down && line >= placeList->count() - 1)
        window.LineDown();
    else if (key == Qt::Key_PageUp && line <= 0)
        window.KeyPageUp();
    else if (key == Qt::Key_PageDown && line >= placeList->count() - 1)
        window.KeyPageDown();
    else
        moved = false;
    if (moved) {
        FillPlaceList();
        placeList->setCurrentRow(line);
        return true;
    }
    return false;
}

// ---- place table --------------------------------------------------------------------------

void InputDialog::OpenPlaceFile() {
    table.Open(tableKind);
    window.Reset(table.Count() > 0 ? table.Count() : 0);
    window.SetPosition(4);
    recheckPending = 1;
    FillPlaceList();
}

void InputDialog::ClosePlaceFile() {
    table.Close();
    placeList->clear();
    placeSearchText.clear();
}

void InputDialog::SyncScrollBar() {
    syncing_ = true;
    placeScrollBar->setRange(std::max<std::int64_t>(1, window.MinPosition()),
                             std::max<std::int64_t>(1, window.MaxPosition()));
    placeScrollBar->setValue(static_cast<int>(window.Position()));
    syncing_ = false;
}

void InputDialog::FillPlaceList() {
    placeList->clear();
    if (table.IsOpen())
        for (const std::string& line : PlaceWindowLines(table, window)) placeList->addItem(gui::ToQt(line));
    SyncScrollBar();
}

void InputDialog::SearchPlace(const QString& text) {
    // The caret stays after the letter typed, wherever in the box it went.
    const int caret = placeSearchEdit->cursorPosition();
    SetFieldState(placeSearchEdit, FieldState::Rejected);
    placeSearchEdit->setText(text);  // a red field keeps what is being typed
    std::string typed = gui::FromQt(text);
    if (tableKind == PlaceTableKind::Italian)
        engine::UpperCaseInPlace(typed);
    else if (!typed.empty() && typed[0] >= 'a' && typed[0] <= 'z')
        typed[0] = static_cast<char>(typed[0] - 32);
    if (gui::FromQt(text) != typed) placeSearchEdit->setText(gui::ToQt(typed));
    placeSearchEdit->setCursorPosition(caret);
    placeSearchText = rt::CutTo(typed, 80);
    if (placeSearchText.empty() || !table.IsOpen()) return;
    std::string key = placeSearchText;
    window.ShowRecord(table.Search(key));
    FillPlaceList();
    // The line Enter takes is the one highlighted.
    if (window.TargetLine() < placeList->count()) placeList->setCurrentRow(window.TargetLine());
}

void InputDialog::PickTypedPlace() {
    for (QLineEdit* e : {dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit})
        if (e->text().isEmpty()) {
            gui::ShowMessage("Voer geboortedatum in");
            return;
        }
    int line = window.TargetLine();
    std::string shown =
        line >= 0 && line < placeList->count() ? gui::FromQt(placeList->item(line)->text()) : std::string();
    if (!placeSearchText.empty() && shown.compare(0, placeSearchText.size(), placeSearchText) == 0) {
        PickPlaceRecord(window.Target(), false);
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Localit\xE0");
}

void InputDialog::PickPlaceAtLine(int line) {
    std::int64_t record = window.RecordAtLine(line);
    if (record < 1) return;  // an empty line or the header is never picked
    PickPlaceRecord(record, true);
}

void InputDialog::PickPlaceRecord(std::int64_t record, bool fromList) {
    selectedPlaceRecord = record;
    const PlaceRecord& place = table.Read(record);
    if (fromList) {
        correctionEdit->clear();
        calendarEdit->clear();
    }
    std::string name = place.name;
    engine::StripTrailingBlanks(name);
    placeSearchEdit->setText(gui::ToQt(name));
    SetFieldState(placeSearchEdit, FieldState::Valid);
    placeApplyPending = 1;
    recheckPending = 1;
}

// ---- activation and the idle step ------------------------------------------------------------

void InputDialog::StartNewEntry() {
    fixedZoneMinusFive = 0;
    // No red from an earlier opening.
    for (QLineEdit* e :
         {nameEdit, manual.latDegrees, manual.latLetter, manual.latMinutes, manual.lonDegrees, manual.lonLetter,
          manual.lonMinutes, manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds, manual.lonHourLetter})
        if (gui::GetFieldState(e) == FieldState::Rejected) SetFieldState(e, FieldState::Valid);
    outdatedTablesLabel->hide();
    movedOnTo_ = nullptr;
    for (QLineEdit* e : {dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit}) {
        e->clear();
        SetFieldState(e, FieldState::Valid);
    }
    for (QLineEdit* e : {correctionEdit, calendarEdit, fullDateEdit, julianDayEdit, placeNameEdit, nationalityEdit,
                         coordinatesEdit, placeSearchEdit})
        e->clear();
    placeSearchText.clear();
    SetFieldState(placeSearchEdit, FieldState::Rejected);
    localMeanTimeFlag = false;
    localMeanTimeBox->setChecked(false);
    ClosePlaceFile();
    tableKind = PlaceTableKind::Italian;
    OpenPlaceFile();
    placeApplyPending = 0;
    datePicker->setDate(QDate::currentDate());
    nameEdit->setFocus();
    recheckPending = 1;
    nationalityEdit->setText("ITALIA");
    LockResults();
    goOnButton->setEnabled(false);
    gui::SetIdleHandler([this] { CheckPendingInput(); });
}

// The field after a date or time field, in the order they are typed.
QWidget* InputDialog::NextClockField(const QLineEdit* field) const {
    if (field == dayEdit) return monthEdit;
    if (field == monthEdit) return yearEdit;
    if (field == yearEdit) return hourEdit;
    if (field == hourEdit) return minuteEdit;
    return placeSearchEdit;
}

void InputDialog::MoveOnFrom(QLineEdit* field) {
    QWidget* next = NextClockField(field);
    next->setFocus();
    movedOnTo_ = IsDateField(this, next) ? static_cast<QLineEdit*>(next) : nullptr;
}

// A date typed with separators, "3/2/1990 9:05": a separator ends the field it
// is typed in, which shows its number zero-padded ("03"), and the next field
// takes the keys that follow. A field reached by moving on takes no separator
// as its first key (in "31/02" the day moves on by itself when full, and the
// "/" after it is no second move), nor does an empty one. True when the key
// was a separator. A modifier pressed on its own (Shift for ":") is no key of
// the field, and a key that types no character (Ctrl+., Alt+/) is no separator.
bool InputDialog::ClockSeparatorTyped(QLineEdit* field, const QKeyEvent& key) {
    if (key.text().isEmpty() &&
        ((key.key() >= Qt::Key_Shift && key.key() <= Qt::Key_ScrollLock) || key.key() == Qt::Key_AltGr))
        return false;
    const bool separator = IsDateSeparator(gui::TypedCharacter(key));
    const bool justReached = field == movedOnTo_;
    movedOnTo_ = nullptr;
    if (!separator) return false;
    const QString digits = field->text().trimmed();
    if (justReached || digits.isEmpty()) return true;
    if (digits.size() < field->maxLength()) field->setText(digits.rightJustified(field->maxLength(), '0'));
    recheckPending = 1;
    MoveOnFrom(field);
    return true;
}

// A clock field still being typed: it has the focus and holds fewer digits
// than it takes (the minutes "3" of "30").
bool InputDialog::ClockBeingTyped() const {
    for (QLineEdit* e : {dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit})
        if (focusWidget() == e && !e->text().isEmpty() && e->text().size() < e->maxLength()) return true;
    return false;
}

void InputDialog::CheckPendingInput() {
    if (recheckPending == 1 && !ClockBeingTyped()) {
        recheckPending = 0;
        outdatedTablesLabel->hide();
        ValidateBirthDateTime(okFlag);
        if (okFlag == 1) ApplySelectedPlace(okFlag);
    }
    recheckPending = 0;
}

void InputDialog::ValidateBirthDateTime(unsigned char& ok) {
    engine::Moment& moment = currentChart.chart.moment;
    ok = 0;
    for (QLineEdit* e : {dayEdit, monthEdit, yearEdit, hourEdit, minuteEdit})
        if (e->text().isEmpty()) return;
    ok = 1;
    ValidateIntEdit(dayEdit, 1, 31, false, ok);
    ValidateIntEdit(monthEdit, 0, 12, false, ok);
    ValidateIntEdit(yearEdit, 0, 2080, false, ok);
    ValidateIntEdit(hourEdit, 0, 23, false, ok);
    ValidateIntEdit(minuteEdit, 0, 59, false, ok);
    if (ok == 1) {
        // A day its month and year do not have (31/02, 29/02 of a common year,
        // the days the calendar reform skipped) is refused, never moved on.
        int code = 0;
        const int day = rt::ValInt(Text(dayEdit), code), month = rt::ValInt(Text(monthEdit), code);
        const int year = rt::ValInt(Text(yearEdit), code);
        // The store's own check of a date.
        if (!BirthDateProblem({day, month, year}).empty()) {
            QLineEdit* wrong = month < 1 ? monthEdit : dayEdit;
            gui::SetFieldState(wrong, FieldState::Rejected);
            wrong->setFocus();
            ok = 0;
        }
    }
    if (ok == 0) {
        // What an earlier date gave no longer holds: its results go (not what
        // the user typed into an unlocked panel), and the dialog cannot go on
        // until the date is mended.
        goOnButton->setEnabled(false);
        placeApplyPending = 0;
        if (!resultPanel->isEnabled() && !fullDateEdit->text().isEmpty()) ClearResults();
        gui::ShowMessage("Data Scorretta");
        return;
    }
    int code = 0;
    moment.day = rt::ValInt(Text(dayEdit), code);
    moment.month = rt::ValInt(Text(monthEdit), code);
    moment.year = rt::ValInt(Text(yearEdit), code);
    moment.hour = rt::ValInt(Text(hourEdit), code);
    moment.minute = rt::ValInt(Text(minuteEdit), code);
    moment.julianDay = engine::JulianDayNumber(1, moment.day, moment.month, moment.year, moment.hour, moment.minute);
    placeApplyPending = 1;
}

void InputDialog::LockResults() {
    for (QLineEdit* e : {placeNameEdit, nationalityEdit, coordinatesEdit, correctionEdit, calendarEdit})
        SetFieldState(e, FieldState::Computed);
    gui::SetLockGlyph(lockButton, true);
    resultPanel->setEnabled(false);
}

void InputDialog::ApplySelectedPlace(unsigned char& ok) {
    engine::Moment& moment = currentChart.chart.moment;
    ok = 0;
    goOnButton->setEnabled(false);
    outdatedTablesLabel->hide();
    if (gui::GetFieldState(placeSearchEdit) != FieldState::Valid || placeApplyPending != 1) return;
    if (selectedPlaceRecord < 1 || selectedPlaceRecord > table.Count()) return;
    calendarLinesBox->clear();
    ok = 1;
    const PlaceRecord place = table.Read(selectedPlaceRecord);
    std::string calendarName = ZoneCalendarNameOf(place.calendarNumber);
    calendarNameEdit->setText(gui::ToQt(calendarName));
    moment.gregorian = true;

    ZoneCalendarQuery query;
    query.table = tableKind;
    query.calendarName = calendarName;
    query.clockJulianDay = moment.julianDay;
    const Real day = moment.day, month = moment.month, year = moment.year;
    const Real hour = moment.hour, minute = moment.minute;
    query.clockJulianDayIn = [=](bool julian) {
        return engine::JulianDayNumber(julian ? 0 : 1, day, month, year, hour, minute);
    };
    query.gregorianSwitch = drawSettings_ && drawSettings_->Values().gregorianSwitch == 1;
    query.longitude = place.longitude;
    ZoneCalendarResult result;
    try {
        result = ApplyZoneCalendar(query);
    } catch (const CalendarError& e) {
        ok = 0;
        placeApplyPending = 0;
        gui::ShowMessage(e.what());
        return;
    }
    fixedZoneMinusFive = result.fixedZoneMinusFive ? 1 : 0;
    calendarLinesBox->addItem(gui::ToQt(calendarName));
    for (const CalendarLine& line : result.lines) {
        std::string text;
        if (line.chainLine) {
            text = "CAMBIO FILE: " + line.chainName;
        } else if (line.header) {
            text = engine::JulianDayToDateText(line.date) + " " + line.code;
        } else {
            std::string digits;
            engine::FloatToTextDec(5, digits, line.correction);
            text = engine::JulianDayToDateText(line.date) + " " + (line.correction >= 0 ? "+" : "-") + digits + " " +
                   line.code;
        }
        calendarLinesBox->addItem(gui::ToQt(text));
    }
    calendarEdit->blockSignals(true);
    calendarEdit->setText(result.julian ? "GIUL" : "GREG");
    calendarEdit->blockSignals(false);
    localMeanTimeBox->setChecked(result.localMeanTime);
    correctionEdit->setText(gui::ToQt(result.correctionText));
    if (moment.year > 2010 && tableKind == PlaceTableKind::Italian) outdatedTablesLabel->show();
    LockResults();

    moment.gregorian = !result.julian;
    moment.julianDay = engine::JulianDayNumber(moment.gregorian ? 1 : 0, day, month, year, hour, minute);
    fullDateEdit->setText(gui::ToQt(engine::JulianDayToDateText(moment.julianDay)));
    moment.julianDay =
        engine::JulianDayNumber(moment.gregorian ? 1 : 0, day, month, year, hour + result.correction, minute);
    std::string jd;
    engine::FloatToTextDec(11, jd, moment.julianDay);
    julianDayEdit->setText(gui::ToQt(jd));

    std::string name = place.name;
    engine::StripTrailingBlanks(name);
    placeNameEdit->setText(gui::ToQt(name));
    nationalityEdit->setText(gui::ToQt(place.state));
    coordinatesEdit->setText(gui::ToQt(PlaceCoordinatesText(place.latitude, place.longitude)));
    std::string subject = Text(nameEdit);
    subject.erase(0, subject.find_first_not_of(' ') == std::string::npos ? subject.size()
                                                                         : subject.find_first_not_of(' '));
    currentChart.birth.subjectName = subject;
    if (Text(nameEdit) != subject) nameEdit->setText(gui::ToQt(subject));
    if (fixedZoneMinusFive == 1 && moment.julianDay > 2433919.5L) correctionEdit->setText("-5");
    goOnButton->setEnabled(!nameEdit->text().isEmpty());
    placeApplyPending = 0;
}

void InputDialog::CheckCoordinatesText(unsigned char& ok) {
    ok = CoordinatesProblem(Text(coordinatesEdit)).empty() ? 1 : 0;
}

void InputDialog::ApplyLocalMeanTimeChoice() {
    if (!localMeanTimeBox->isChecked()) {
        SetFieldState(correctionEdit, FieldState::Valid);
        correctionEdit->clear();
        return;
    }
    SetFieldState(correctionEdit, FieldState::Computed);
    if (coordinatesEdit->text().isEmpty()) return;
    unsigned char ok = 0;
    CheckCoordinatesText(ok);
    if (ok != 1) return;
    std::string t = Text(coordinatesEdit);
    int code = 0;
    long double longitude = rt::ValInt(t.substr(6, 3), code) + rt::ValInt(t.substr(10, 2), code) / 60.0L;
    if (t[9] == 'W') longitude = -longitude;
    long double value = longitude * 4 / 60;
    correctionEdit->setText(gui::ToQt(std::string(value > 0 ? "-" : "+") + GeneralRealText(std::fabs(value))));
}

void InputDialog::RecomputeJulianDay() {
    engine::Moment& moment = currentChart.chart.moment;
    std::string c = Text(calendarEdit);
    if (c != "GIUL" && c != "GREG") {
        julianDayEdit->clear();
        return;
    }
    moment.julianDay =
        engine::JulianDayNumber(c == "GREG" ? 1 : 0, moment.day, moment.month, moment.year, moment.hour, moment.minute);
    std::string jd;
    engine::FloatToTextDec(11, jd, moment.julianDay);
    julianDayEdit->setText(gui::ToQt(jd));
}

void InputDialog::ToggleResultsLock() {
    if (resultPanel->isEnabled()) {
        LockResults();
        return;
    }
    resultPanel->setEnabled(true);
    for (QLineEdit* e : {placeNameEdit, nationalityEdit, coordinatesEdit, correctionEdit, calendarEdit})
        SetFieldState(e, FieldState::Valid);
    gui::SetLockGlyph(lockButton, false);
    goOnButton->setEnabled(true);
}

void InputDialog::FillInNow() {
    rt::LocalDateTime now = rt::Now();
    dayEdit->setText(gui::ToQt(rt::ZeroPad(now.day, 2)));
    monthEdit->setText(gui::ToQt(rt::ZeroPad(now.month, 2)));
    yearEdit->setText(gui::ToQt(rt::ZeroPad(now.year, 4)));
    hourEdit->setText(gui::ToQt(rt::ZeroPad(now.hour, 2)));
    minuteEdit->setText(gui::ToQt(rt::ZeroPad(now.minute, 2)));
    recheckPending = 1;
    dayEdit->setFocus();
}

void InputDialog::TakePickedDate() {
    QDate d = datePicker->date();
    rt::LocalDateTime now = rt::Now();
    dayEdit->setText(gui::ToQt(rt::ZeroPad(d.day(), 2)));
    monthEdit->setText(gui::ToQt(rt::ZeroPad(d.month(), 2)));
    yearEdit->setText(gui::ToQt(rt::ZeroPad(d.year(), 4)));
    hourEdit->setText(gui::ToQt(rt::ZeroPad(now.hour, 2)));
    minuteEdit->setText(gui::ToQt(rt::ZeroPad(now.minute, 2)));
    recheckPending = 1;
}

// ---- manual coordinates -----------------------------------------------------------------------

void InputDialog::OpenManualCoordinates() {
    std::string t = Text(coordinatesEdit);
    auto part = [&](std::size_t start, std::size_t len) {
        return start - 1 < t.size() ? gui::ToQt(t.substr(start - 1, len)) : QString();
    };
    manual.latDegrees->setText(part(1, 2));
    manual.latLetter->setText(part(3, 1));
    manual.latMinutes->setText(part(4, 2));
    manual.lonDegrees->setText(part(7, 3));
    manual.lonLetter->setText(part(10, 1));
    manual.lonMinutes->setText(part(11, 2));
    for (QLineEdit* e : {manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds, manual.lonHourLetter})
        e->clear();
    longitudeInDegrees = 1;
    manual.panel->show();
    CheckManualCoordinates();
}

void InputDialog::CheckManualCoordinates() {
    auto filled = [](std::initializer_list<QLineEdit*> es) {
        for (QLineEdit* e : es)
            if (e->text().trimmed().isEmpty()) return false;
        return true;
    };
    auto value = [](QLineEdit* e) {
        int code = 0;
        int v = rt::ValInt(gui::FromQt(e->text().trimmed()), code);
        return code == 0 ? v : -1;
    };
    auto letterOk = [](QLineEdit* e, const char* letters) {
        QString t = e->text();
        if (t.size() == 1 && QString(letters).contains(t)) return true;
        if (!t.isEmpty()) SetFieldState(e, FieldState::Rejected);
        return false;
    };
    if (longitudeInDegrees == 1)
        for (QLineEdit* e : {manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds, manual.lonHourLetter})
            e->clear();
    else
        for (QLineEdit* e : {manual.lonDegrees, manual.lonLetter, manual.lonMinutes}) e->clear();
    okFlag = 1;
    if (!filled({manual.latDegrees, manual.latLetter, manual.latMinutes})) okFlag = 0;
    int latDeg = value(manual.latDegrees), latMin = value(manual.latMinutes);
    if (latDeg < 0 || latDeg > 90 || latMin < 0 || latMin > 59 || !letterOk(manual.latLetter, "NS")) okFlag = 0;
    long double longitude = 0;
    if (longitudeInDegrees == 1) {
        if (!filled({manual.lonDegrees, manual.lonLetter, manual.lonMinutes})) okFlag = 0;
        int d = value(manual.lonDegrees), m = value(manual.lonMinutes);
        if (d < 0 || d > 180 || m < 0 || m > 59 || !letterOk(manual.lonLetter, "EW")) okFlag = 0;
        longitude = d + m / 60.0L;
    } else {
        if (!filled({manual.lonHours, manual.lonHourMinutes, manual.lonHourSeconds, manual.lonHourLetter})) okFlag = 0;
        int h = value(manual.lonHours), m = value(manual.lonHourMinutes), s = value(manual.lonHourSeconds);
        if (h < 0 || h > 12 || m < 0 || m > 59 || s < 0 || s > 59 || !letterOk(manual.lonHourLetter, "EW")) okFlag = 0;
        longitude = (h + m / 60.0L + s / 3600.0L) * 15;
    }
    if (okFlag != 1) return;
    if (latDeg + latMin / 60.0L > 90 || longitude > 180) {
        okFlag = 0;
        return;
    }
    std::string text = rt::ZeroPad(latDeg, 2) + gui::FromQt(manual.latLetter->text()) + rt::ZeroPad(latMin, 2) + "-";
    int degrees = static_cast<int>(std::floor(longitude + 1e-9L));
    int minutes = static_cast<int>(std::floor((longitude - degrees) * 60 + 1e-6L));
    if (longitudeInDegrees == 1) {
        long double hours = longitude / 15;
        int h = static_cast<int>(hours);
        int m = static_cast<int>((hours - h) * 60);
        int s = static_cast<int>(((hours - h) * 60 - m) * 60 + 1e-6L);
        manual.lonHours->setText(QString::number(h));
        manual.lonHourMinutes->setText(QString::number(m));
        manual.lonHourSeconds->setText(QString::number(s));
        manual.lonHourLetter->setText(manual.lonLetter->text());
    } else {
        manual.lonDegrees->setText(QString::number(degrees));
        manual.lonMinutes->setText(QString::number(minutes));
        manual.lonLetter->setText(manual.lonHourLetter->text());
    }
    text += rt::ZeroPad(degrees, 3) + gui::FromQt(manual.lonLetter->text()) + rt::ZeroPad(minutes, 2);
    currentChart.birth.manualCoordinatesText = text;
}

void InputDialog::AcceptManualCoordinates() {
    if (okFlag == 1) {
        coordinatesEdit->setText(gui::ToQt(currentChart.birth.manualCoordinatesText));
        manual.panel->hide();
        adjustSize();  // back to the size without the panel
    } else {
        gui::ShowMessage("Coordinate Scorrette");
    }
}

// ---- going on --------------------------------------------------------------------------------

void InputDialog::ConfirmAndStore() {
    engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    // Checked while a place typed by hand can still be mended.
    if (RefuseForeignCharacters({{nameEdit, "Il nome"}, {placeNameEdit, "Il luogo"}, {nationalityEdit, "La nazione"}}))
        return;
    LockResults();
    birth.subjectName = Text(nameEdit);
    if (birth.subjectName.empty()) {
        SetFieldState(nameEdit, FieldState::Rejected);
        gui::ShowMessage("De naam van de Persoon ontbreekt");
        return;
    }
    std::string calendar = Text(calendarEdit);
    if (calendar == "GREG")
        moment.gregorian = true;
    else if (calendar == "GIUL")
        moment.gregorian = false;
    else {
        gui::ShowMessage("Indicatie Kalender (GREG / JUL) ontbreekt");
        return;
    }
    ValidateBirthDateTime(okFlag);
    if (okFlag != 1) return;
    moment.julianDay = engine::JulianDayNumber(moment.gregorian ? 1 : 0, moment.day, moment.month, moment.year,
                                               moment.hour, moment.minute);
    birth.birthDateText = engine::JulianDayToDateTextByCalendar(moment.gregorian, moment.julianDay);
    birth.enteredPlaceText = rt::CutTo(Text(placeNameEdit), 80);
    if (birth.enteredPlaceText.empty()) {
        SetFieldState(placeNameEdit, FieldState::Rejected);
        gui::ShowMessage("Locatienaam ontbreekt");
        return;
    }
    CheckCoordinatesText(okFlag);
    if (okFlag != 1) {
        SetFieldState(coordinatesEdit, FieldState::Rejected);
        gui::ShowMessage("Ontbrekende of onjuiste co\xF6rdinaten");
        return;
    }
    birth.coordinatesText = Text(coordinatesEdit);
    // The correction is read as a number (a text typed without a sign is positive).
    birth.timeZoneText = ZoneTextFromCorrection(Text(correctionEdit));
    int code = 0;
    std::string jd = Trimmed(julianDayEdit);
    for (char& c : jd)
        if (c == ',') c = '.';
    long double value = rt::ValReal(jd, code);
    if (code == 0)
        moment.julianDay = value;
    else
        okFlag = 0;
    birth.nationality = rt::CutTo(Text(nationalityEdit), 80);
    StoreDialog* storeDialog = madeStoreDialog_ ? madeStoreDialog_() : nullptr;
    if (!storeDialog) {
        if (!ownStoreDialog_) ownStoreDialog_ = new StoreDialog(currentChart, this);
        storeDialog = ownStoreDialog_;
    }
    storeDialog->TakeEnteredCorrection(Text(correctionEdit));
    connect(storeDialog, &StoreDialog::EntryFinished, this, &InputDialog::CloseAfterStore, Qt::UniqueConnection);
    PlaceNearMain(storeDialog, 10, mainFrame_ ? *mainFrame_ : MainWindowGeometry{});
    gui::ShowModal(storeDialog);
}

void InputDialog::CloseAfterStore() {
    ClosePlaceFile();
    accept();
}

void InputDialog::ClearResults() {
    for (QLineEdit* e :
         {correctionEdit, calendarEdit, fullDateEdit, julianDayEdit, placeNameEdit, nationalityEdit, coordinatesEdit})
        e->clear();
    calendarLinesBox->clear();
    outdatedTablesLabel->hide();
}

void InputDialog::Cancel() {
    ClosePlaceFile();
    ClearResults();
    reject();
}

}  // namespace archive
