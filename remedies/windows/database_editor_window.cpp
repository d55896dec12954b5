#include "remedies/windows/database_editor_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "remedies/database_check.h"
#include "remedies/prefix_bisect.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

DatabaseEditorWindow::DatabaseEditorWindow(const EditorFrame& frame) : frame_(frame) {
    setObjectName(frame.instanceName);
    setWindowTitle(gui::ToQt(frame.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(999, frame.height);
    setFont(WindowFont());
    SetBackground(this, kWindowColour);

    gui::Place(gui::MakeLabel(this, "LabZoeken", "Zoeken"), {8, 12, gui::kCaptionWidth, 16});
    searchEdit_ = gui::Place(gui::MakeEdit(this, frame.searchEditName), {60, 8, 238, 21});
    SetBackground(searchEdit_, kAquaColour);
    RBprod = gui::Place(gui::MakeRadio(this, "RBprod", "Sorteren op remedie"), {8, 33, frame.firstOrderWidth, 20});
    secondOrder_ = gui::Place(gui::MakeRadio(this, frame.secondOrderName, frame.secondOrderCaption),
                              {frame.secondOrderX, 33, frame.secondOrderWidth, 20});
    ListBox1 = gui::Place(gui::MakeList(this, "ListBox1"), {8, 56, 290, 437});
    SetFieldColours(ListBox1, 8421504, 16777215);
    EdNumRec = gui::Place(gui::MakeReadOnlyEdit(this, "EdNumRec"), {8, 499, 150, 21});
    EdNumRec->setToolTip("Numero del record");
    gui::PlaceClickOnlyButtons(this, {{&BBmodifEle, "BBmodifEle", "Modifica Elenco", {8, 527, 143, 25}},
                                      {&BBannulla, "BBannulla", "Annulla Modifiche", {155, 527, 143, 25}}});
    BBannulla->hide();

    gui::Place(gui::MakeLabel(this, "LabTrova", "trova"), {420, 12, gui::kCaptionWidth, 16});
    EdTrova = gui::Place(gui::MakeEdit(this, "EdTrova"), {455, 8, 220, 21});
    BBtrova = gui::Place(gui::MakeClickOnlyButton(this, "BBtrova", "trova"), {680, 6, 85, 25});
    MemoInfo = FieldMemo(gui::Place(gui::MakeMemo(this, "MemoInfo", true), {775, 4, 215, 46}));
    SetBackground(MemoInfo, kMemoColour);
    MemoInfo->setPlainText(gui::ToQt(frame.infoText));
}

void DatabaseEditorWindow::BuildLowerParts() {
    EdLimite = gui::Place(gui::MakeReadOnlyEdit(this, "EdLimite"), {775, frame_.limitTop, 215, 21});
    EdLimite->setText("Superato Limite Lunghezza");
    SetFieldColours(EdLimite, kRedColour, 16777215);
    EdLimite->hide();

    MemoIstruz = FieldMemo(gui::Place(gui::MakeMemo(this, "MemoIstruz", true), {305, 53, 460, frame_.instructionsHeight}));
    SetBackground(MemoIstruz, kMemoColour);
    {
        std::string text;
        for (const char* line : frame_.instructions) text += std::string(line) + "\r\n";
        SetMemoText(MemoIstruz, text);
    }
    MemoIstruz->hide();

    const int by = 527;
    gui::PlaceClickOnlyButtons(this, {{&BBpulisci, "BBpulisci", frame_.clearCaption, {305, by, 90, 25}},
                                      {&BBelimina, "BBelimina", frame_.deleteCaption, {398, by, 115, 25}},
                                      {&BBsalva, "BBsalva", "Salva", {516, by, 75, 25}},
                                      {&BBnuovo, "BBnuovo", "Salva come Nuovo", {594, by, 105, 25}},
                                      {&BBRico, "BBRico", "Ricostruisci File", {702, by, 100, 25}},
                                      {&BBinfo, "BBinfo", "Info On/Off", {805, by, 75, 25}},
                                      {&BitBtnRitorna, "BitBtnRitorna", "&Terug naar het menu", {883, by, 107, 25}}});
    for (QPushButton* b : {BBelimina, BBsalva, BBnuovo}) b->setEnabled(false);
    BuildSavePanel();
    ConnectCommands();
}

// The panel that asks what a save of a changed record should do.
void DatabaseEditorWindow::BuildSavePanel() {
    PanelSalva = gui::Place(gui::MakeArea(this, "PanelSalva"), {330, frame_.panelTop, 420, 220});
    SetBackground(PanelSalva, kMemoColour);
    PanelSalva->setAttribute(Qt::WA_StyledBackground, true);
    PanelSalva->setStyleSheet(QString("QWidget#PanelSalva { border: 2px solid black; background-color: %1; }")
                                  .arg(ColourName(kMemoColour)));
    gui::SetBold(gui::Place(gui::MakeLabel(PanelSalva, "LabAttenzione", "ATTENZIONE:"), {16, 10, 380, 18}));
    gui::Place(gui::MakeLabel(PanelSalva, "LabDomanda", "Che cosa vuoi fare?"), {16, 30, 380, 18});
    LabProd = gui::Place(gui::MakeLabel(PanelSalva, "LabProd", frame_.keyNameChange), {16, 56, 380, 18});
    LabIndi = gui::Place(gui::MakeLabel(PanelSalva, "LabIndi", frame_.keyTextChange), {16, 76, 380, 18});
    LabDesc = gui::Place(gui::MakeLabel(PanelSalva, "LabDesc", "Cambiamento nelle Descrizioni"), {16, 96, 380, 18});
    gui::PlaceClickOnlyButtons(PanelSalva, {{&BBsalva1, "BBsalva1", "Salva", {16, 130, 185, 25}},
                                            {&BBnuovo1, "BBnuovo1", "Salva come Nuovo", {216, 130, 185, 25}},
                                            {&BBelimina1, "BBelimina1", frame_.deleteCaption, {16, 170, 185, 25}},
                                            {&BBignora1, "BBignora1", "Ignora", {216, 170, 185, 25}}});
    BBsalva1->setEnabled(false);
    BBnuovo1->setEnabled(false);
    PanelSalva->hide();
}

void DatabaseEditorWindow::ConnectCommands() {
    auto on = [this](QPushButton* b, void (DatabaseEditorWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(BBpulisci, &DatabaseEditorWindow::ClearForm);
    on(BBsalva, &DatabaseEditorWindow::BBsalvaClick);
    on(BBnuovo, &DatabaseEditorWindow::BBnuovoClick);
    on(BBelimina, &DatabaseEditorWindow::BBeliminaClick);
    on(BBRico, &DatabaseEditorWindow::BBRicoClick);
    on(BBinfo, &DatabaseEditorWindow::BBinfoClick);
    on(BBmodifEle, &DatabaseEditorWindow::BBmodifEleClick);
    on(BBannulla, &DatabaseEditorWindow::BBannullaClick);
    on(BBtrova, &DatabaseEditorWindow::BBtrovaClick);
    on(BitBtnRitorna, &DatabaseEditorWindow::AskClose);
    on(BBsalva1, &DatabaseEditorWindow::BBsalva1Click);
    on(BBnuovo1, &DatabaseEditorWindow::BBnuovo1Click);
    on(BBelimina1, &DatabaseEditorWindow::BBelimina1Click);
    on(BBignora1, &DatabaseEditorWindow::BBignora1Click);
    connect(RBprod, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBprodClick(); }));
    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1Click(ListBox1->row(it)); }));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1DblClick(ListBox1->row(it)); }));
    new ClickHook(EdTrova, [this] { gui::Guard([this] { EdTrovaClick(); }); });
}

void DatabaseEditorWindow::reject() { gui::Guard([this] { AskClose(); }); }

namespace {
// What an editor does with a database that is damaged or cannot be read.
constexpr const char* kDamagedDatabaseDone =
    "La finestra non ne mostra nulla e non vi scrive nessuna modifica finch\xE9 il file non torna integro.";
}  // namespace

void DatabaseEditorWindow::LookAtDatabase() {
    damageTold_ = !TellUnusableDatabase(frame_.database(), kDamagedDatabaseDone).empty();
}

void DatabaseEditorWindow::ShowEntries(std::vector<EditorEntry> entries, const std::string& problem) {
    if (problem.empty())
        damageTold_ = false;
    else if (!damageTold_)
        damageTold_ = !TellUnusableDatabase(frame_.database(), kDamagedDatabaseDone).empty();
    Entries = std::move(entries);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
}

void DatabaseEditorWindow::RefillInSelectedOrder() {
    if (RBprod->isChecked())
        FillByRemedy();
    else
        FillBySecondKey();
}

void DatabaseEditorWindow::RBprodClick() {
    RBprod->setChecked(true);
    FillByRemedy();
}

void DatabaseEditorWindow::ListBox1Click(int index) {
    if (!ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    ShowRecord(index);
}

void DatabaseEditorWindow::MoveList(const std::string& key) {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (const EditorEntry& e : Entries) lines.push_back(e.text);
    // The list is sorted without regard to case, so the key is compared so too.
    const int i = PrefixBisect(lines, key, true);
    if (i >= 0) ListBox1->setCurrentRow(i);
}

void DatabaseEditorWindow::DescriptionChange() {
    if (!RecordShown) return;
    DescriptionsChanged = true;
    ArmSaves();
}

void DatabaseEditorWindow::KeyFieldChange() { ArmSaves(); }

// "Salva" writes into the record shown, so it stays disabled while none is
// (after "Pulisci", a delete or the opening); "Salva come Nuovo" is always offered.
void DatabaseEditorWindow::ArmSaves() {
    BBsalva->setEnabled(CurrentRecordNumber > 0);
    BBnuovo->setEnabled(true);
}

void DatabaseEditorWindow::PlaceLengthWarning(int field, int top) {
    limitField_ = field;
    EdLimite->move(EdLimite->x(), top);
    EdLimite->show();
    EdLimite->raise();
}

void DatabaseEditorWindow::ShowLengthWarningElsewhere(int field) {
    const std::vector<FieldLength> lengths = FieldLengths();
    for (std::size_t j = 0; j < lengths.size(); ++j)
        if (static_cast<int>(j) != field && lengths[j].length > lengths[j].maximum) {
            PlaceLengthWarning(static_cast<int>(j), lengths[j].top);
            return;
        }
    EdLimite->hide();
    limitField_ = -1;
}

void DatabaseEditorWindow::GuardLength(int field, bool over, int top) {
    if (over) {
        PlaceLengthWarning(field, top);
        Beep();
    } else {
        // Another field still too long keeps the warning.
        ShowLengthWarningElsewhere(field);
    }
}

void DatabaseEditorWindow::ShowLengthState(int field, std::size_t length, std::size_t maximum, int top) {
    if (length > maximum) {
        if (!EdLimite->isVisible() || limitField_ != field) Beep();
        PlaceLengthWarning(field, top);
    } else if (limitField_ == field) {
        ShowLengthWarningElsewhere(field);
    }
}

void DatabaseEditorWindow::MarkRecordShown() {
    BBelimina->setEnabled(true);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    DescriptionsChanged = false;
    RecordShown = true;
}

void DatabaseEditorWindow::SelectCurrentEntry() {
    if (CurrentRecordNumber <= 0) return;
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i].record == CurrentRecordNumber) {
            ListBox1->setCurrentRow(static_cast<int>(i));
            ListBox1->scrollToItem(ListBox1->item(static_cast<int>(i)));
            return;
        }
}

bool DatabaseEditorWindow::FormMayBeSaved() {
    const std::vector<EntryField> fields = EntryFields();
    if (const std::size_t refused = RefusedField(fields); refused < fields.size()) {
        // The typed text stays, and the next key goes into the field named.
        EntryFieldWidget(refused)->setFocus();
        gui::ShowMessage(EntryRefusal(fields));
        return false;
    }
    const std::string question = CutQuestion(fields);
    return question.empty() || gui::ShowMessage(question, "", gui::Buttons::YesNo) == gui::AnswerYes;
}

bool DatabaseEditorWindow::DeleteConfirmed() {
    return gui::ShowMessage("Eliminare definitivamente il record " + std::to_string(CurrentRecordNumber) + "?\r\n" +
                                ShownRecordText() + "\r\nLa cancellazione non si pu\xF2 annullare.",
                            "", gui::Buttons::YesNo) == gui::AnswerYes;
}

bool DatabaseEditorWindow::SaveInPlace() {
    if (CurrentRecordNumber == 0) {
        gui::ShowMessage("Possibile solo [Salva come Nuovo]");
        return false;
    }
    if (!FormMayBeSaved()) return false;
    const ChangeOutcome o = WriteForm(false);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return false;
    ShowStoredRecord(CurrentRecordNumber);
    return true;
}

void DatabaseEditorWindow::BBsalvaClick() {
    if (!SaveInPlace()) return;
    RefillInSelectedOrder();
    SelectCurrentEntry();
}

bool DatabaseEditorWindow::SaveAsNew() {
    if (!FormMayBeSaved()) return false;
    const ChangeOutcome o = WriteForm(true);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return false;
    RecordCountText = remedies::RecordCountText(o.count);
    // The new record, the last of the file, is the one shown from now on: a
    // later "Salva" writes into it, never into the record shown before.
    CurrentRecordNumber = o.count;
    ShowStoredRecord(CurrentRecordNumber);
    return true;
}

void DatabaseEditorWindow::BBnuovoClick() {
    if (!SaveAsNew()) return;
    RefillInSelectedOrder();
    SelectCurrentEntry();
}

void DatabaseEditorWindow::DeleteCurrent() {
    if (CurrentRecordNumber <= 0) return;
    const ChangeOutcome o = frame_.deleteRecord(CurrentRecordNumber);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return;
    RecordCountText = remedies::RecordCountText(o.count);
    ClearForm();
}

void DatabaseEditorWindow::BBeliminaClick() {
    if (CurrentRecordNumber <= 0)
        ClearForm();
    else if (DeleteConfirmed())
        DeleteCurrent();
    else
        return;
    if (CurrentRecordNumber > 0) return;  // the delete failed: the form stays
    RefillInSelectedOrder();
    SetText(EdNumRec, "Tot=" + RecordCountText);
}

void DatabaseEditorWindow::BBRicoClick() {
    if (!ListBrowsing) return;
    ListRebuildReport report;
    {
        WaitCursor wait;
        report = frame_.rebuildLists();
    }
    if (const std::string leftOut = SkippedRecordsMessage(report, frame_.databaseName); !leftOut.empty())
        gui::ShowMessage(leftOut);
    ClearForm();
    secondOrder_->setChecked(true);
    FillBySecondKey();
}

void DatabaseEditorWindow::BBinfoClick() { MemoIstruz->setVisible(!MemoIstruz->isVisible()); }

void DatabaseEditorWindow::BBmodifEleClick() {
    if (ListBrowsing) {
        WaitCursor wait;
        // The form is emptied first: no record stays current while the
        // record numbers change.
        ClearForm();
        ListBrowsing = false;
        RBprod->setChecked(true);
        FillList(false, false);
        RBprod->hide();
        secondOrder_->hide();
        searchEdit_->setEnabled(false);
        BBmodifEle->setText("Definitivo");
        BBannulla->show();
        SetFieldsEnabled(false);
        HeldEntry.clear();
        MovePending = false;
        return;
    }
    std::vector<std::int64_t> order;
    order.reserve(Entries.size());
    for (const EditorEntry& e : Entries) order.push_back(e.record);
    ChangeOutcome o;
    {
        WaitCursor wait;
        o = frame_.commitOrder(order);
    }
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    BBannullaClick();
}

void DatabaseEditorWindow::EndReorder() {
    ListBrowsing = true;
    RBprod->show();
    secondOrder_->show();
    searchEdit_->setEnabled(true);
    searchEdit_->clear();
    SearchKey.clear();  // the key is what the box shows
    BBmodifEle->setText("Modifica Elenco");
    BBannulla->hide();
    SetFieldsEnabled(true);
    HeldEntry.clear();
    MovePending = false;
}

void DatabaseEditorWindow::BBannullaClick() {
    WaitCursor wait;
    EndReorder();
    ClearForm();
    RBprod->setChecked(true);
    FillByRemedy();
}

void DatabaseEditorWindow::ListBox1DblClick(int index) {
    if (ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    if (!MovePending) {
        HeldIndex = index;
        HeldEntry = Entries[static_cast<std::size_t>(index)].text;
        SetText(searchEdit_, HeldEntry);
        MovePending = true;
        return;
    }
    TargetIndex = index;
    MoveHeldEntry(Entries, HeldIndex, TargetIndex);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
    ListBox1->setCurrentRow(TargetIndex);
    searchEdit_->clear();
    HeldEntry.clear();
    MovePending = false;
}

void DatabaseEditorWindow::BBtrovaClick() {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (const EditorEntry& e : Entries) lines.push_back(e.text);
    const int i = FindNextEntry(lines, TextOf(EdTrova), FindActive ? LastFoundIndex : -1);
    if (i < 0) {
        FindActive = false;
        return;
    }
    ListBox1->setCurrentRow(i);
    LastFoundIndex = i;
    FindActive = true;
}

void DatabaseEditorWindow::EdTrovaClick() {
    FindActive = false;
    BBtrova->setDefault(true);
}

void DatabaseEditorWindow::AskClose() {
    MemoIstruz->hide();
    LabIndi->setEnabled(false);
    LabProd->setEnabled(false);
    LabDesc->setEnabled(false);
    BBnuovo1->setEnabled(false);
    BBsalva1->setEnabled(false);
    bool ask = false;
    if (KeyTextChanged()) {
        ask = true;
        LabIndi->setEnabled(true);
        BBnuovo1->setEnabled(true);
        BBsalva1->setEnabled(true);
    }
    if (TextOf(EdProd) != SavedRemedyText) {
        ask = true;
        LabProd->setEnabled(true);
        BBnuovo1->setEnabled(true);
        BBsalva1->setEnabled(true);
    }
    if (DescriptionsChanged) {
        ask = true;
        LabDesc->setEnabled(true);
        BBsalva1->setEnabled(true);
    }
    BBelimina1->setEnabled(CurrentRecordNumber > 0);
    if (ask && CurrentRecordNumber == 0) {
        // No record to save into: a new one is the only save there is.
        BBsalva1->setEnabled(false);
        BBnuovo1->setEnabled(true);
    }
    if (!ask) {
        PanelSalva->hide();
        done(QDialog::Accepted);
        return;
    }
    if (!PanelSalva->isVisible()) focusBeforePanel_ = focusWidget();
    PanelSalva->show();
    PanelSalva->raise();
}

void DatabaseEditorWindow::HidePanel() {
    PanelSalva->hide();
    if (focusBeforePanel_) focusBeforePanel_->setFocus();
}

// The panel's answers close the window once their work is done; a save that
// failed or was refused keeps the window open, so the edits are not lost.
void DatabaseEditorWindow::BBsalva1Click() {
    HidePanel();
    if (SaveInPlace()) done(QDialog::Accepted);
}

void DatabaseEditorWindow::BBnuovo1Click() {
    HidePanel();
    if (!SaveAsNew()) return;
    SetText(EdNumRec, "Tot=" + RecordCountText);
    done(QDialog::Accepted);
}

void DatabaseEditorWindow::BBelimina1Click() {
    // A no leaves the panel up: nothing was done, another answer may be chosen.
    if (CurrentRecordNumber > 0 && !DeleteConfirmed()) return;
    HidePanel();
    DeleteCurrent();
    if (CurrentRecordNumber == 0) done(QDialog::Accepted);
}

void DatabaseEditorWindow::BBignora1Click() {
    PanelSalva->hide();
    ClearForm();
    done(QDialog::Accepted);
}

}  // namespace remedies
