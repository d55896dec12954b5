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
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "archive/record_checks.h"
#include "archive/store_dialog.h"
#include "engine/calendar.h"
#include "engine/chart_state.h"
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

InputDialog* theInputDialog = nullptr;

namespace {

using engine::Birth;
using engine::Chart;
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
    return o == d->EditGiorno || o == d->EditMese || o == d->EditAnno || o == d->EditOra || o == d->EditMinuti;
}

// A character users type between the parts of a date or a time ("31/02/1990 12:00").
bool IsDateSeparator(char typed) {
    return typed != 0 && std::string_view("/-.: ").find(typed) != std::string_view::npos;
}

}  // namespace

InputDialog::InputDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FoInputKel");
    setWindowTitle("Inleiding Geboortegegevens");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* top = new QVBoxLayout(this);
    BuildInputFields(top);
    BuildResultPanel(top);
    BuildManualPanel(top);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&BBprosegui, "BBprosegui", "Ok, Ga verder"},
                                     {&BBRitorna, "BBRitorna", "&Annuleren en Terug"}});
    buttons->addWidget(BBprosegui);
    buttons->addWidget(BBRitorna);
    top->addLayout(buttons);

    // Every input field starts valid (aqua); a red field turns back to aqua as
    // soon as it is corrected (before the checks, which may find it wrong again).
    for (QLineEdit* e : {EditSogg, EditGiorno, EditMese, EditAnno, EditOra, EditMinuti, EditLocal, EditDataEstesa,
                         EditJD, EditLocEstesa, EditCoord, EditFuso, EditCalend, EditStato, Edit1, EditGrdLat, EditNS,
                         EditPriLat, EditGrdLon, EditEWgrd, EditPriLon, EditOreLon, EditMinLon, EditSecLon, EditEWore})
        SetFieldState(e, FieldState::Valid);
    EditDataEstesa->setReadOnly(true);
    EditJD->setReadOnly(true);
    for (QLineEdit* e : {EditSogg, EditCoord, EditLocEstesa, EditGiorno, EditMese, EditAnno, EditOra, EditMinuti,
                         EditGrdLat, EditNS, EditPriLat, EditGrdLon, EditEWgrd, EditPriLon, EditOreLon, EditMinLon,
                         EditSecLon, EditEWore})
        gui::ClearRejectionOnEdit(e);
    ConnectInputFields();
    ConnectManualPanel();
    connect(BBprosegui, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBproseguiClick(); }));
    connect(BBRitorna, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBRitornaClick(); }));
}

// The name, the birth date and clock time, the place tables and the list of places.
void InputDialog::BuildInputFields(QVBoxLayout* top) {
    auto* input = new QGridLayout;
    top->addLayout(input);
    Label1 = gui::MakeLabel(this, "Label1", "Specificeren altijd de naam van de persoon");
    input->addWidget(Label1, 0, 0, 1, 6);
    EditSogg = gui::MakeEdit(this, "EditSogg", 38);
    UpperCaseOnTyping(EditSogg);
    input->addWidget(EditSogg, 1, 0, 1, 6);
    input->addWidget(gui::MakeLabel(this, "LabData", "gg   mm    aaaa"), 2, 0, 1, 3);
    input->addWidget(gui::MakeLabel(this, "LabOra", "hh   mm"), 2, 3, 1, 2);
    const std::tuple<QLineEdit**, const char*, int> clock[] = {{&EditGiorno, "EditGiorno", 2},
                                                               {&EditMese, "EditMese", 2},
                                                               {&EditAnno, "EditAnno", 4},
                                                               {&EditOra, "EditOra", 2},
                                                               {&EditMinuti, "EditMinuti", 2}};
    int column = 0;
    for (const auto& [slot, name, length] : clock) {
        *slot = gui::MakeEdit(this, name, length);
        input->addWidget(*slot, 3, column++);
    }
    BitBtnOggi = gui::MakeClickOnlyButton(this, "BitBtnOggi", "Nu");
    input->addWidget(BitBtnOggi, 3, 5);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName("DateTimePicker1");
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat("dd/MM/yyyy");
    input->addWidget(DateTimePicker1, 4, 0, 1, 3);

    gui::MakeClickOnlyButtons(this, {{&BBItalia, "BBItalia", "Italiaanse steden"},
                                     {&BBperson, "BBperson", "Buitenlandse steden"}});
    input->addWidget(BBItalia, 5, 0, 1, 3);
    input->addWidget(BBperson, 5, 3, 1, 3);
    EditLocal = gui::MakeEdit(this, "EditLocal");
    input->addWidget(EditLocal, 6, 0, 1, 6);
    auto* listRow = new QHBoxLayout;
    ListBox1 = gui::MakeList(this, "ListBox1");
    ListBox1->setFixedHeight(7 * 18 + 6);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setFont(QFont("Liberation Mono"));  // names padded to a column
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setPageStep(7);
    listRow->addWidget(ListBox1);
    listRow->addWidget(ScrollBar1);
    input->addLayout(listRow, 7, 0, 1, 6);
}

// The data the place and its calendar give, the lock of those fields, and the
// controls nothing shows.
void InputDialog::BuildResultPanel(QVBoxLayout* top) {
    PanelResult = gui::MakeGroup(this, "PanelResult", "Resultaat Gegevens ingevoerd ");
    auto* res = new QGridLayout(PanelResult);
    // The correction is six characters wide, its whole text kept.
    const int row = gui::AddLabelledEdits(res, PanelResult,
                                          {{&EditDataEstesa, "EditDataEstesa", "Datum"},
                                           {&EditJD, "EditJD", "JD"},
                                           {&EditLocEstesa, "EditLocEstesa", "Plaats"},
                                           {&EditCoord, "EditCoord", "Co\xF6rd.", 12},
                                           {&EditFuso, "EditFuso", "Correctie"},
                                           {&EditCalend, "EditCalend", "Kalender", 4},
                                           {&EditStato, "EditStato", "Staat"}},
                                          0);
    UpperCaseOnTyping(EditCalend);
    CheckBoxLocale = gui::MakeCheckBox(PanelResult, "CheckBoxLocale", "Lokale tijd gebr.");
    res->addWidget(CheckBoxLocale, row, 1);
    top->addWidget(PanelResult);
    BBLock = gui::MakeClickOnlyButton(this, "BBLock", "");
    gui::SetLockGlyph(BBLock, true);
    LabNote = gui::MakeLabel(this, "LabNote", "DIENSTREGELINGEN NIET BIJGEWERKT");
    LabNote->hide();
    ComboBox2 = gui::MakeCombo(this, "ComboBox2");
    ComboBox2->hide();
    Edit1 = gui::MakeEdit(this, "Edit1");
    Edit1->hide();
    auto* lockRow = new QHBoxLayout;
    lockRow->addWidget(BBLock);
    lockRow->addWidget(LabNote);
    top->addLayout(lockRow);
    top->addWidget(ComboBox2);
}

// The hidden panel for coordinates typed by hand: latitude, and longitude in
// degrees or in hours.
void InputDialog::BuildManualPanel(QVBoxLayout* top) {
    PanelMan = gui::MakeGroup(this, "PanelMan", "Handmatige invoer van co\xF6rdinaten");
    auto* man = new QGridLayout(PanelMan);
    const std::tuple<QLineEdit**, const char*, int, int, int> fields[] = {  // slot, name, length, row, column
        {&EditGrdLat, "EditGrdLat", 2, 0, 1}, {&EditNS, "EditNS", 1, 0, 2},
        {&EditPriLat, "EditPriLat", 2, 0, 3}, {&EditGrdLon, "EditGrdLon", 3, 1, 1},
        {&EditEWgrd, "EditEWgrd", 1, 1, 2},   {&EditPriLon, "EditPriLon", 2, 1, 3},
        {&EditOreLon, "EditOreLon", 2, 2, 1}, {&EditMinLon, "EditMinLon", 2, 2, 2},
        {&EditSecLon, "EditSecLon", 2, 2, 3}, {&EditEWore, "EditEWore", 1, 2, 4}};
    for (const auto& [slot, name, length, row, column] : fields) *slot = gui::MakeEdit(PanelMan, name, length);
    for (QLineEdit* e : {EditNS, EditEWgrd, EditEWore}) UpperCaseOnTyping(e);
    const std::pair<const char*, const char*> rowLabels[] = {
        {"LabLat", "Lat."}, {"LabLonGradi", "Long. (\xB0)"}, {"LabLonOre", "Long. (h)"}};
    for (int r = 0; r < 3; ++r) man->addWidget(gui::MakeLabel(PanelMan, rowLabels[r].first, rowLabels[r].second), r, 0);
    for (const auto& [slot, name, length, row, column] : fields) man->addWidget(*slot, row, column);
    gui::MakeClickOnlyButtons(PanelMan, {{&BitBtn1, "BitBtn1", "&OK"}, {&BitBtn2, "BitBtn2", "&Vissen"}});
    man->addWidget(BitBtn1, 3, 1);
    man->addWidget(BitBtn2, 3, 3);
    PanelMan->hide();
    top->addWidget(PanelMan);
}

void InputDialog::ConnectInputFields() {
    // Every change of the input asks the idle step to check again.
    auto recheck = [this] { RecheckPending = 1; };
    connect(EditSogg, &QLineEdit::textChanged, this, recheck);
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti}) {
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
            RecheckPending = 1;
            MoveOnFrom(e);  // by itself when the field is full
        });
        // Digits only: a separator is taken by eventFilter, anything else is refused.
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    }
    for (QWidget* watched : std::initializer_list<QWidget*>{EditSogg, EditLocal, ListBox1, EditCoord, EditLocEstesa,
                                                            Label1})
        watched->installEventFilter(this);
    // The place box is a type-ahead box: a key that types no character enters no key.
    gui::KeepUntypedKeysOut(EditLocal);
    connect(EditLocal, &QLineEdit::textEdited, this, gui::Guarded([this](const QString& t) { EditLocalTyped(t); }));
    connect(EditLocal, &QLineEdit::textChanged, this, [this] {
        PlaceApplyPending = 1;
        RecheckPending = 1;
    });
    connect(EditLocal, &QLineEdit::returnPressed, this, gui::Guarded([this] { EditLocalEnter(); }));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* item) { PickPlaceAtLine(ListBox1->row(item)); }));
    connect(ScrollBar1, &QScrollBar::valueChanged, this, gui::Guarded([this](int v) {
        if (syncing_) return;
        Window.SetPosition(v);
        FillPlaceList();
    }));
    for (const auto& [button, kind] : {std::pair{BBItalia, PlaceTableKind::Italian},
                                       std::pair{BBperson, PlaceTableKind::Foreign}})
        connect(button, &QPushButton::clicked, this, gui::Guarded([this, kind = kind](bool) {
            ClosePlaceFile();
            TableKind = kind;
            OpenPlaceFile();
        }));
    connect(BitBtnOggi, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtnOggiClick(); }));
    connect(DateTimePicker1, &QDateEdit::editingFinished, this, gui::Guarded([this] { DateTimePicker1CloseUp(); }));
    connect(BBLock, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBLockClick(); }));
    connect(CheckBoxLocale, &QCheckBox::clicked, this, gui::Guarded([this](bool) { CheckBoxLocaleClick(); }));
    connect(EditCalend, &QLineEdit::textChanged, this, gui::Guarded([this](const QString&) { EditCalendChange(); }));
}

void InputDialog::ConnectManualPanel() {
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtn1Click(); }));
    // Each field of the panel moves on to the next when it is full, so
    // "41N54" typed in one go fills latitude degrees, letter and minutes.
    const std::vector<QLineEdit*> degreeGroup = {EditGrdLat, EditNS, EditPriLat, EditGrdLon, EditEWgrd, EditPriLon};
    const std::vector<QLineEdit*> hourGroup = {EditOreLon, EditMinLon, EditSecLon, EditEWore};
    for (const auto* group : {&degreeGroup, &hourGroup}) {
        const bool degrees = group == &degreeGroup;
        for (std::size_t i = 0; i < group->size(); ++i) {
            QLineEdit* e = (*group)[i];
            QWidget* next = i + 1 < group->size() ? static_cast<QWidget*>((*group)[i + 1]) : BitBtn1;
            connect(e, &QLineEdit::textEdited, this, [this, e, next, degrees](const QString& t) {
                LongitudeInDegrees = degrees ? 1 : 0;
                CheckManualCoordinates();
                if (t.size() >= e->maxLength()) next->setFocus();
            });
        }
    }
}

void InputDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == EditCoord) {
            OpenManualCoordinates();
            return true;
        }
        if (watched == EditLocEstesa) {
            EditLocEstesa->setText(EditLocEstesa->text().toUpper());
            return true;
        }
        if (watched == Label1) {
            ComboBox2->show();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == EditLocal) {
        PlaceSearchText.clear();
        EditLocal->clear();
        SetFieldState(EditLocal, FieldState::Rejected);
        Window.SetPosition(4);
        FillPlaceList();
    }
    // A clock field the user leaves is done: the date and time are checked.
    // Focus that goes to another window or a pop-up is no leaving.
    if (event->type() == QEvent::FocusOut && IsDateField(this, watched)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            RecheckPending = 1;
            if (watched == movedOnTo_) movedOnTo_ = nullptr;
        }
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    if (IsDateField(this, watched) &&
        ClockSeparatorTyped(static_cast<QLineEdit*>(watched), *static_cast<QKeyEvent*>(event)))
        return true;
    int key = static_cast<QKeyEvent*>(event)->key();
    bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    auto go = [](QWidget* w) {
        w->setFocus();
        return true;
    };
    if (watched == EditSogg && enter) return go(EditGiorno);
    if (IsDateField(this, watched)) {
        if (watched == EditGiorno) {
            if (enter || key == Qt::Key_Right) return go(EditMese);
            if (key == Qt::Key_Down) return go(EditOra);
        } else if (watched == EditMese) {
            if (enter || key == Qt::Key_Right) return go(EditAnno);
            if (key == Qt::Key_Left) return go(EditGiorno);
            if (key == Qt::Key_Down) return go(EditMinuti);
        } else if (watched == EditAnno) {
            if (enter || key == Qt::Key_Right) return go(EditOra);
            if (key == Qt::Key_Left) return go(EditMese);
        } else if (watched == EditOra) {
            if (enter || key == Qt::Key_Right) return go(EditMinuti);
            if (key == Qt::Key_Left) return go(EditAnno);
            if (key == Qt::Key_Up) return go(EditGiorno);
        } else if (watched == EditMinuti) {
            if (enter) return go(EditLocal);
            if (key == Qt::Key_Left) return go(EditOra);
            if (key == Qt::Key_Up) return go(EditMese);
        }
    }
    if (watched == EditLocal) {
        if (key == Qt::Key_Left) return go(EditMinuti);
        if (key == Qt::Key_Right) return go(EditSogg);
    }
    if (watched == ListBox1) {
        int line = ListBox1->currentRow();
        if (enter) {
            gui::Guard([&] { PickPlaceAtLine(line); });
            return true;
        }
        bool moved = true;
        if (key == Qt::Key_Up && line <= 0) Window.LineUp();
        else if (key == Qt::Key_Down && line >= ListBox1->count() - 1) Window.LineDown();
        else if (key == Qt::Key_PageUp && line <= 0) Window.KeyPageUp();
        else if (key == Qt::Key_PageDown && line >= ListBox1->count() - 1) Window.KeyPageDown();
        else moved = false;
        if (moved) {
            FillPlaceList();
            ListBox1->setCurrentRow(line);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- place table --------------------------------------------------------------------------

void InputDialog::OpenPlaceFile() {
    Chart.ValErrorCode = Table.Open(TableKind) ? 0 : 1;
    Window.Reset(Table.Count() > 0 ? Table.Count() : 0);
    Window.SetPosition(4);
    RecheckPending = 1;
    FillPlaceList();
}

void InputDialog::ClosePlaceFile() {
    Table.Close();
    ListBox1->clear();
    PlaceSearchText.clear();
}

void InputDialog::SyncScrollBar() {
    syncing_ = true;
    ScrollBar1->setRange(std::max<std::int64_t>(1, Window.MinPosition()),
                         std::max<std::int64_t>(1, Window.MaxPosition()));
    ScrollBar1->setValue(static_cast<int>(Window.Position()));
    syncing_ = false;
}

void InputDialog::FillPlaceList() {
    ListBox1->clear();
    if (Table.IsOpen())
        for (const std::string& line : PlaceWindowLines(Table, Window)) ListBox1->addItem(gui::ToQt(line));
    SyncScrollBar();
}

void InputDialog::EditLocalTyped(const QString& text) {
    SetFieldState(EditLocal, FieldState::Rejected);
    EditLocal->setText(text);  // a red field keeps what is being typed
    std::string typed = gui::FromQt(text);
    if (TableKind == PlaceTableKind::Italian) engine::UpperCaseInPlace(typed);
    else if (!typed.empty() && typed[0] >= 'a' && typed[0] <= 'z') typed[0] = static_cast<char>(typed[0] - 32);
    if (gui::FromQt(text) != typed) {
        int caret = EditLocal->cursorPosition();
        EditLocal->setText(gui::ToQt(typed));
        EditLocal->setCursorPosition(caret);
    }
    PlaceSearchText = rt::CutTo(typed, 80);
    if (PlaceSearchText.empty() || !Table.IsOpen()) return;
    std::string key = PlaceSearchText;
    Window.ShowRecord(Table.Search(key));
    FillPlaceList();
    // The line Enter takes is the one highlighted.
    if (Window.TargetLine() < ListBox1->count()) ListBox1->setCurrentRow(Window.TargetLine());
}

void InputDialog::EditLocalEnter() {
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti})
        if (e->text().isEmpty()) {
            gui::ShowMessage("Voer geboortedatum in");
            return;
        }
    int line = Window.TargetLine();
    std::string shown = line >= 0 && line < ListBox1->count() ? gui::FromQt(ListBox1->item(line)->text()) : std::string();
    if (!PlaceSearchText.empty() && shown.compare(0, PlaceSearchText.size(), PlaceSearchText) == 0) {
        PickPlaceRecord(Window.Target(), false);
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Localit\xE0");
}

void InputDialog::PickPlaceAtLine(int line) {
    std::int64_t record = Window.RecordAtLine(line);
    if (record < 1) return;  // an empty line or the header is never picked
    PickPlaceRecord(record, true);
}

void InputDialog::PickPlaceRecord(std::int64_t record, bool fromList) {
    SelectedPlaceRecord = record;
    const PlaceRecord& place = Table.Read(record);
    if (fromList) {
        EditFuso->clear();
        EditCalend->clear();
    }
    std::string name = place.Name;
    engine::StripTrailingBlanks(name);
    EditLocal->setText(gui::ToQt(name));
    SetFieldState(EditLocal, FieldState::Valid);
    PlaceApplyPending = 1;
    RecheckPending = 1;
}

// ---- activation and the idle step ------------------------------------------------------------

void InputDialog::FormActivate() {
    FixedZoneMinusFive = 0;
    // No red from an earlier opening.
    for (QLineEdit* e : {EditSogg, EditGrdLat, EditNS, EditPriLat, EditGrdLon, EditEWgrd, EditPriLon, EditOreLon,
                         EditMinLon, EditSecLon, EditEWore})
        if (gui::GetFieldState(e) == FieldState::Rejected) SetFieldState(e, FieldState::Valid);
    LabNote->hide();
    movedOnTo_ = nullptr;
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti}) {
        e->clear();
        SetFieldState(e, FieldState::Valid);
    }
    for (QLineEdit* e : {EditFuso, EditCalend, EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord, EditLocal})
        e->clear();
    PlaceSearchText.clear();
    SetFieldState(EditLocal, FieldState::Rejected);
    LocalMeanTimeFlag = false;
    CheckBoxLocale->setChecked(false);
    ClosePlaceFile();
    TableKind = PlaceTableKind::Italian;
    OpenPlaceFile();
    PlaceApplyPending = 0;
    DateTimePicker1->setDate(QDate::currentDate());
    EditSogg->setFocus();
    RecheckPending = 1;
    EditStato->setText("ITALIA");
    LockResults();
    BBprosegui->setEnabled(false);
    gui::SetIdleHandler([this] { MyIdleHandler(); });
}

// The field after a date or time field, in the order they are typed.
QWidget* InputDialog::NextClockField(const QLineEdit* field) const {
    if (field == EditGiorno) return EditMese;
    if (field == EditMese) return EditAnno;
    if (field == EditAnno) return EditOra;
    if (field == EditOra) return EditMinuti;
    return EditLocal;
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
    if (key.text().isEmpty() && ((key.key() >= Qt::Key_Shift && key.key() <= Qt::Key_ScrollLock) ||
                                 key.key() == Qt::Key_AltGr))
        return false;
    const bool separator = IsDateSeparator(gui::TypedCharacter(key));
    const bool justReached = field == movedOnTo_;
    movedOnTo_ = nullptr;
    if (!separator) return false;
    const QString digits = field->text().trimmed();
    if (justReached || digits.isEmpty()) return true;
    if (digits.size() < field->maxLength()) field->setText(digits.rightJustified(field->maxLength(), '0'));
    RecheckPending = 1;
    MoveOnFrom(field);
    return true;
}

// A clock field still being typed: it has the focus and holds fewer digits
// than it takes (the minutes "3" of "30").
bool InputDialog::ClockBeingTyped() const {
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti})
        if (focusWidget() == e && !e->text().isEmpty() && e->text().size() < e->maxLength()) return true;
    return false;
}

void InputDialog::MyIdleHandler() {
    if (RecheckPending == 1 && !ClockBeingTyped()) {
        RecheckPending = 0;
        LabNote->hide();
        ValidateBirthDateTime(OkFlag);
        if (OkFlag == 1) ApplySelectedPlace(OkFlag);
    }
    RecheckPending = 0;
}

void InputDialog::ValidateBirthDateTime(unsigned char& ok) {
    ok = 0;
    for (QLineEdit* e : {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti})
        if (e->text().isEmpty()) return;
    ok = 1;
    ValidateIntEdit(EditGiorno, 1, 31, false, ok);
    ValidateIntEdit(EditMese, 0, 12, false, ok);
    ValidateIntEdit(EditAnno, 0, 2080, false, ok);
    ValidateIntEdit(EditOra, 0, 23, false, ok);
    ValidateIntEdit(EditMinuti, 0, 59, false, ok);
    if (ok == 1) {
        // A day its month and year do not have (31/02, 29/02 of a common year,
        // the days the calendar reform skipped) is refused, never moved on.
        int code = 0;
        const int day = rt::ValInt(Text(EditGiorno), code), month = rt::ValInt(Text(EditMese), code);
        const int year = rt::ValInt(Text(EditAnno), code);
        // The store's own check of a date.
        if (!BirthDateProblem(day, month, year).empty()) {
            QLineEdit* wrong = month < 1 ? EditMese : EditGiorno;
            gui::SetFieldState(wrong, FieldState::Rejected);
            wrong->setFocus();
            ok = 0;
        }
    }
    if (ok == 0) {
        // What an earlier date gave no longer holds: its results go (not what
        // the user typed into an unlocked panel), and the dialog cannot go on
        // until the date is mended.
        BBprosegui->setEnabled(false);
        PlaceApplyPending = 0;
        if (!PanelResult->isEnabled() && !EditDataEstesa->text().isEmpty()) ClearResults();
        gui::ShowMessage("Data Scorretta");
        return;
    }
    int code = 0;
    Chart.BirthDay = rt::ValInt(Text(EditGiorno), code);
    Chart.BirthMonth = rt::ValInt(Text(EditMese), code);
    Chart.BirthYear = rt::ValInt(Text(EditAnno), code);
    Chart.BirthHourValue = rt::ValInt(Text(EditOra), code);
    Chart.BirthMinuteValue = rt::ValInt(Text(EditMinuti), code);
    Chart.JulianDay = engine::JulianDayNumber(1, Chart.BirthDay, Chart.BirthMonth, Chart.BirthYear,
                                              Chart.BirthHourValue, Chart.BirthMinuteValue);
    PlaceApplyPending = 1;
}

void InputDialog::LockResults() {
    for (QLineEdit* e : {EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend})
        SetFieldState(e, FieldState::Computed);
    gui::SetLockGlyph(BBLock, true);
    PanelResult->setEnabled(false);
}

void InputDialog::ApplySelectedPlace(unsigned char& ok) {
    ok = 0;
    BBprosegui->setEnabled(false);
    LabNote->hide();
    if (gui::GetFieldState(EditLocal) != FieldState::Valid || PlaceApplyPending != 1) return;
    if (SelectedPlaceRecord < 1 || SelectedPlaceRecord > Table.Count()) return;
    ComboBox2->clear();
    ok = 1;
    const PlaceRecord place = Table.Read(SelectedPlaceRecord);
    std::string calendarName = ZoneCalendarNameOf(place.CalendarNumber);
    Edit1->setText(gui::ToQt(calendarName));
    Chart.GregorianCalendar = true;

    ZoneCalendarQuery query;
    query.Table = TableKind;
    query.CalendarName = calendarName;
    query.ClockJulianDay = Chart.JulianDay;
    const Real day = Chart.BirthDay, month = Chart.BirthMonth, year = Chart.BirthYear;
    const Real hour = Chart.BirthHourValue, minute = Chart.BirthMinuteValue;
    query.ClockJulianDayIn = [=](bool julian) {
        return engine::JulianDayNumber(julian ? 0 : 1, day, month, year, hour, minute);
    };
    query.GregorianSwitch = DrawSettings.GregorianSwitch == 1;
    query.Longitude = place.Longitude;
    ZoneCalendarResult result;
    try {
        result = ApplyZoneCalendar(query);
    } catch (const CalendarError& e) {
        ok = 0;
        PlaceApplyPending = 0;
        gui::ShowMessage(e.what());
        return;
    }
    FixedZoneMinusFive = result.FixedZoneMinusFive ? 1 : 0;
    ComboBox2->addItem(gui::ToQt(calendarName));
    for (const CalendarLine& line : result.Lines) {
        std::string text;
        if (line.ChainLine) {
            text = "CAMBIO FILE: " + line.ChainName;
        } else if (line.Header) {
            text = engine::JulianDayToDateText(line.Date) + " " + line.Code;
        } else {
            std::string digits;
            engine::FloatToTextDec(5, digits, line.Correction);
            text = engine::JulianDayToDateText(line.Date) + " " + (line.Correction >= 0 ? "+" : "-") + digits + " " +
                   line.Code;
        }
        ComboBox2->addItem(gui::ToQt(text));
    }
    EditCalend->blockSignals(true);
    EditCalend->setText(result.Julian ? "GIUL" : "GREG");
    EditCalend->blockSignals(false);
    CheckBoxLocale->setChecked(result.LocalMeanTime);
    EditFuso->setText(gui::ToQt(result.CorrectionText));
    if (Chart.BirthYear > 2010 && TableKind == PlaceTableKind::Italian) LabNote->show();
    LockResults();

    Chart.GregorianCalendar = !result.Julian;
    Chart.JulianDay = engine::JulianDayNumber(Chart.GregorianCalendar ? 1 : 0, day, month, year, hour, minute);
    EditDataEstesa->setText(gui::ToQt(engine::JulianDayToDateText(Chart.JulianDay)));
    Chart.JulianDay = engine::JulianDayNumber(Chart.GregorianCalendar ? 1 : 0, day, month, year,
                                              hour + result.Correction, minute);
    std::string jd;
    engine::FloatToTextDec(11, jd, Chart.JulianDay);
    EditJD->setText(gui::ToQt(jd));

    std::string name = place.Name;
    engine::StripTrailingBlanks(name);
    EditLocEstesa->setText(gui::ToQt(name));
    EditStato->setText(gui::ToQt(place.State));
    EditCoord->setText(gui::ToQt(PlaceCoordinatesText(place.Latitude, place.Longitude)));
    std::string subject = Text(EditSogg);
    subject.erase(0, subject.find_first_not_of(' ') == std::string::npos ? subject.size()
                                                                          : subject.find_first_not_of(' '));
    Birth.SubjectName = subject;
    if (Text(EditSogg) != subject) EditSogg->setText(gui::ToQt(subject));
    if (FixedZoneMinusFive == 1 && Chart.JulianDay > 2433919.5L) EditFuso->setText("-5");
    BBprosegui->setEnabled(!EditSogg->text().isEmpty());
    PlaceApplyPending = 0;
}

void InputDialog::CheckCoordinatesText(unsigned char& ok) {
    ok = CoordinatesProblem(Text(EditCoord)).empty() ? 1 : 0;
}

void InputDialog::CheckBoxLocaleClick() {
    if (!CheckBoxLocale->isChecked()) {
        SetFieldState(EditFuso, FieldState::Valid);
        EditFuso->clear();
        return;
    }
    SetFieldState(EditFuso, FieldState::Computed);
    if (EditCoord->text().isEmpty()) return;
    unsigned char ok = 0;
    CheckCoordinatesText(ok);
    if (ok != 1) return;
    std::string t = Text(EditCoord);
    int code = 0;
    long double longitude = rt::ValInt(t.substr(6, 3), code) + rt::ValInt(t.substr(10, 2), code) / 60.0L;
    if (t[9] == 'W') longitude = -longitude;
    long double value = longitude * 4 / 60;
    EditFuso->setText(gui::ToQt(std::string(value > 0 ? "-" : "+") + GeneralRealText(std::fabs(value))));
}

void InputDialog::EditCalendChange() {
    std::string c = Text(EditCalend);
    if (c != "GIUL" && c != "GREG") {
        EditJD->clear();
        return;
    }
    Chart.JulianDay = engine::JulianDayNumber(c == "GREG" ? 1 : 0, Chart.BirthDay, Chart.BirthMonth, Chart.BirthYear,
                                              Chart.BirthHourValue, Chart.BirthMinuteValue);
    std::string jd;
    engine::FloatToTextDec(11, jd, Chart.JulianDay);
    EditJD->setText(gui::ToQt(jd));
}

void InputDialog::BBLockClick() {
    if (PanelResult->isEnabled()) {
        LockResults();
        return;
    }
    PanelResult->setEnabled(true);
    for (QLineEdit* e : {EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend})
        SetFieldState(e, FieldState::Valid);
    gui::SetLockGlyph(BBLock, false);
    BBprosegui->setEnabled(true);
}

void InputDialog::BitBtnOggiClick() {
    rt::LocalDateTime now = rt::Now();
    EditGiorno->setText(gui::ToQt(rt::ZeroPad(now.day, 2)));
    EditMese->setText(gui::ToQt(rt::ZeroPad(now.month, 2)));
    EditAnno->setText(gui::ToQt(rt::ZeroPad(now.year, 4)));
    EditOra->setText(gui::ToQt(rt::ZeroPad(now.hour, 2)));
    EditMinuti->setText(gui::ToQt(rt::ZeroPad(now.minute, 2)));
    RecheckPending = 1;
    EditGiorno->setFocus();
}

void InputDialog::DateTimePicker1CloseUp() {
    QDate d = DateTimePicker1->date();
    rt::LocalDateTime now = rt::Now();
    EditGiorno->setText(gui::ToQt(rt::ZeroPad(d.day(), 2)));
    EditMese->setText(gui::ToQt(rt::ZeroPad(d.month(), 2)));
    EditAnno->setText(gui::ToQt(rt::ZeroPad(d.year(), 4)));
    EditOra->setText(gui::ToQt(rt::ZeroPad(now.hour, 2)));
    EditMinuti->setText(gui::ToQt(rt::ZeroPad(now.minute, 2)));
    RecheckPending = 1;
}

// ---- manual coordinates -----------------------------------------------------------------------

void InputDialog::OpenManualCoordinates() {
    std::string t = Text(EditCoord);
    auto part = [&](std::size_t start, std::size_t len) {
        return start - 1 < t.size() ? gui::ToQt(t.substr(start - 1, len)) : QString();
    };
    EditGrdLat->setText(part(1, 2));
    EditNS->setText(part(3, 1));
    EditPriLat->setText(part(4, 2));
    EditGrdLon->setText(part(7, 3));
    EditEWgrd->setText(part(10, 1));
    EditPriLon->setText(part(11, 2));
    for (QLineEdit* e : {EditOreLon, EditMinLon, EditSecLon, EditEWore}) e->clear();
    LongitudeInDegrees = 1;
    PanelMan->show();
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
    if (LongitudeInDegrees == 1)
        for (QLineEdit* e : {EditOreLon, EditMinLon, EditSecLon, EditEWore}) e->clear();
    else
        for (QLineEdit* e : {EditGrdLon, EditEWgrd, EditPriLon}) e->clear();
    OkFlag = 1;
    if (!filled({EditGrdLat, EditNS, EditPriLat})) OkFlag = 0;
    int latDeg = value(EditGrdLat), latMin = value(EditPriLat);
    if (latDeg < 0 || latDeg > 90 || latMin < 0 || latMin > 59 || !letterOk(EditNS, "NS")) OkFlag = 0;
    long double longitude = 0;
    if (LongitudeInDegrees == 1) {
        if (!filled({EditGrdLon, EditEWgrd, EditPriLon})) OkFlag = 0;
        int d = value(EditGrdLon), m = value(EditPriLon);
        if (d < 0 || d > 180 || m < 0 || m > 59 || !letterOk(EditEWgrd, "EW")) OkFlag = 0;
        longitude = d + m / 60.0L;
    } else {
        if (!filled({EditOreLon, EditMinLon, EditSecLon, EditEWore})) OkFlag = 0;
        int h = value(EditOreLon), m = value(EditMinLon), s = value(EditSecLon);
        if (h < 0 || h > 12 || m < 0 || m > 59 || s < 0 || s > 59 || !letterOk(EditEWore, "EW")) OkFlag = 0;
        longitude = (h + m / 60.0L + s / 3600.0L) * 15;
    }
    if (OkFlag != 1) return;
    if (latDeg + latMin / 60.0L > 90 || longitude > 180) {
        OkFlag = 0;
        return;
    }
    std::string text = rt::ZeroPad(latDeg, 2) + gui::FromQt(EditNS->text()) +
                       rt::ZeroPad(latMin, 2) + "-";
    int degrees = static_cast<int>(std::floor(longitude + 1e-9L));
    int minutes = static_cast<int>(std::floor((longitude - degrees) * 60 + 1e-6L));
    if (LongitudeInDegrees == 1) {
        long double hours = longitude / 15;
        int h = static_cast<int>(hours);
        int m = static_cast<int>((hours - h) * 60);
        int s = static_cast<int>(((hours - h) * 60 - m) * 60 + 1e-6L);
        EditOreLon->setText(QString::number(h));
        EditMinLon->setText(QString::number(m));
        EditSecLon->setText(QString::number(s));
        EditEWore->setText(EditEWgrd->text());
    } else {
        EditGrdLon->setText(QString::number(degrees));
        EditPriLon->setText(QString::number(minutes));
        EditEWgrd->setText(EditEWore->text());
    }
    text += rt::ZeroPad(degrees, 3) + gui::FromQt(EditEWgrd->text()) + rt::ZeroPad(minutes, 2);
    Birth.ManualCoordText = text;
}

void InputDialog::BitBtn1Click() {
    if (OkFlag == 1) {
        EditCoord->setText(gui::ToQt(Birth.ManualCoordText));
        PanelMan->hide();
        adjustSize();  // back to the size without the panel
    } else {
        gui::ShowMessage("Coordinate Scorrette");
    }
}

// ---- going on --------------------------------------------------------------------------------

void InputDialog::BBproseguiClick() {
    // Checked while a place typed by hand can still be mended.
    if (RefuseForeignCharacters({{EditSogg, "Il nome"}, {EditLocEstesa, "Il luogo"}, {EditStato, "La nazione"}}))
        return;
    LockResults();
    Birth.SubjectName = Text(EditSogg);
    if (Birth.SubjectName.empty()) {
        SetFieldState(EditSogg, FieldState::Rejected);
        gui::ShowMessage("De naam van de Persoon ontbreekt");
        return;
    }
    std::string calendar = Text(EditCalend);
    if (calendar == "GREG") Chart.GregorianCalendar = true;
    else if (calendar == "GIUL") Chart.GregorianCalendar = false;
    else {
        gui::ShowMessage("Indicatie Kalender (GREG / JUL) ontbreekt");
        return;
    }
    ValidateBirthDateTime(OkFlag);
    if (OkFlag != 1) return;
    Chart.JulianDay = engine::JulianDayNumber(Chart.GregorianCalendar ? 1 : 0, Chart.BirthDay, Chart.BirthMonth,
                                              Chart.BirthYear, Chart.BirthHourValue, Chart.BirthMinuteValue);
    Birth.BirthDateText = engine::JulianDayToDateTextByCalendar(Chart.JulianDay);
    Birth.EnteredPlaceText = rt::CutTo(Text(EditLocEstesa), 80);
    if (Birth.EnteredPlaceText.empty()) {
        SetFieldState(EditLocEstesa, FieldState::Rejected);
        gui::ShowMessage("Locatienaam ontbreekt");
        return;
    }
    CheckCoordinatesText(OkFlag);
    if (OkFlag != 1) {
        SetFieldState(EditCoord, FieldState::Rejected);
        gui::ShowMessage("Ontbrekende of onjuiste co\xF6rdinaten");
        return;
    }
    Birth.CoordinatesText = Text(EditCoord);
    // The correction is read as a number (a text typed without a sign is positive).
    Birth.TimeZoneText = ZoneTextFromCorrection(Text(EditFuso));
    int code = 0;
    std::string jd = Trimmed(EditJD);
    for (char& c : jd)
        if (c == ',') c = '.';
    long double value = rt::ValReal(jd, code);
    Chart.ValErrorCode = code;
    if (code == 0) Chart.JulianDay = value;
    else OkFlag = 0;
    Birth.Nationality = rt::CutTo(Text(EditStato), 80);
    if (!theStoreDialog) theStoreDialog = new StoreDialog(this);
    theStoreDialog->EnteredCorrectionText = Text(EditFuso);
    theStoreDialog->CloseEntryDialog = [this] {
        ClosePlaceFile();
        accept();
    };
    PlaceNearMain(theStoreDialog, 10);
    gui::ShowModal(theStoreDialog);
}

void InputDialog::ClearResults() {
    for (QLineEdit* e : {EditFuso, EditCalend, EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord}) e->clear();
    ComboBox2->clear();
    LabNote->hide();
}

void InputDialog::BBRitornaClick() {
    ClosePlaceFile();
    ClearResults();
    reject();
}

}  // namespace archive
