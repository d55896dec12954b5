#include "remedies/windows/database_editor_window.h"

#include <QApplication>
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
    searchEdit = gui::Place(gui::MakeEdit(this, frame.searchEditName), {60, 8, 238, 21});
    SetBackground(searchEdit, kAquaColour);
    byRemedyRadio =
        gui::Place(gui::MakeRadio(this, "RBprod", "Sorteren op remedie"), {8, 33, frame.firstOrderWidth, 20});
    secondOrder_ = gui::Place(gui::MakeRadio(this, frame.secondOrderName, frame.secondOrderCaption),
                              {frame.secondOrderX, 33, frame.secondOrderWidth, 20});
    entryList = gui::Place(gui::MakeList(this, "ListBox1"), {8, 56, 290, 437});
    SetFieldColours(entryList, 8421504, 16777215);
    recordNumberEdit = gui::Place(gui::MakeReadOnlyEdit(this, "EdNumRec"), {8, 499, 150, 21});
    recordNumberEdit->setToolTip("Numero del record");
    gui::PlaceClickOnlyButtons(this, {{&reorderButton, "BBmodifEle", "Modifica Elenco", {8, 527, 143, 25}},
                                      {&cancelReorderButton, "BBannulla", "Annulla Modifiche", {155, 527, 143, 25}}});
    cancelReorderButton->hide();

    gui::Place(gui::MakeLabel(this, "LabTrova", "trova"), {420, 12, gui::kCaptionWidth, 16});
    findEdit = gui::Place(gui::MakeEdit(this, "EdTrova"), {455, 8, 220, 21});
    findButton = gui::Place(gui::MakeClickOnlyButton(this, "BBtrova", "trova"), {680, 6, 85, 25});
    infoMemo = FieldMemo(gui::Place(gui::MakeMemo(this, "MemoInfo", true), {775, 4, 215, 46}));
    SetBackground(infoMemo, kMemoColour);
    infoMemo->setPlainText(gui::ToQt(frame.infoText));
}

void DatabaseEditorWindow::BuildLowerParts() {
    lengthWarningEdit = gui::Place(gui::MakeReadOnlyEdit(this, "EdLimite"), {775, frame_.limitTop, 215, 21});
    lengthWarningEdit->setText("Superato Limite Lunghezza");
    SetFieldColours(lengthWarningEdit, kRedColour, 16777215);
    lengthWarningEdit->hide();

    instructionsMemo =
        FieldMemo(gui::Place(gui::MakeMemo(this, "MemoIstruz", true), {305, 53, 460, frame_.instructionsHeight}));
    SetBackground(instructionsMemo, kMemoColour);
    {
        std::string text;
        for (const char* line : frame_.instructions) text += std::string(line) + "\r\n";
        SetMemoText(instructionsMemo, text);
    }
    instructionsMemo->hide();

    const int by = 527;
    gui::PlaceClickOnlyButtons(this,
                               {{&clearButton, "BBpulisci", frame_.clearCaption, {305, by, 90, 25}},
                                {&deleteButton, "BBelimina", frame_.deleteCaption, {398, by, 115, 25}},
                                {&saveButton, "BBsalva", "Salva", {516, by, 75, 25}},
                                {&saveAsNewButton, "BBnuovo", "Salva come Nuovo", {594, by, 105, 25}},
                                {&rebuildListsButton, "BBRico", "Ricostruisci File", {702, by, 100, 25}},
                                {&instructionsButton, "BBinfo", "Info On/Off", {805, by, 75, 25}},
                                {&backToMenuButton, "BitBtnRitorna", "&Terug naar het menu", {883, by, 107, 25}}});
    for (QPushButton* b : {deleteButton, saveButton, saveAsNewButton}) b->setEnabled(false);
    BuildSavePanel();
    ConnectCommands();
}

// The panel that asks what a save of a changed record should do.
void DatabaseEditorWindow::BuildSavePanel() {
    unsavedChangesPanel = gui::Place(gui::MakeArea(this, "PanelSalva"), {330, frame_.panelTop, 420, 220});
    SetBackground(unsavedChangesPanel, kMemoColour);
    unsavedChangesPanel->setAttribute(Qt::WA_StyledBackground, true);
    unsavedChangesPanel->setStyleSheet(
        QString("QWidget#PanelSalva { border: 2px solid black; background-color: %1; }").arg(ColourName(kMemoColour)));
    gui::SetBold(gui::Place(gui::MakeLabel(unsavedChangesPanel, "LabAttenzione", "ATTENZIONE:"), {16, 10, 380, 18}));
    gui::Place(gui::MakeLabel(unsavedChangesPanel, "LabDomanda", "Che cosa vuoi fare?"), {16, 30, 380, 18});
    remedyChangedLabel =
        gui::Place(gui::MakeLabel(unsavedChangesPanel, "LabProd", frame_.keyNameChange), {16, 56, 380, 18});
    keyTextChangedLabel =
        gui::Place(gui::MakeLabel(unsavedChangesPanel, "LabIndi", frame_.keyTextChange), {16, 76, 380, 18});
    descriptionsChangedLabel =
        gui::Place(gui::MakeLabel(unsavedChangesPanel, "LabDesc", "Cambiamento nelle Descrizioni"), {16, 96, 380, 18});
    gui::PlaceClickOnlyButtons(unsavedChangesPanel,
                               {{&panelSaveButton, "BBsalva1", "Salva", {16, 130, 185, 25}},
                                {&panelSaveAsNewButton, "BBnuovo1", "Salva come Nuovo", {216, 130, 185, 25}},
                                {&panelDeleteButton, "BBelimina1", frame_.deleteCaption, {16, 170, 185, 25}},
                                {&panelIgnoreButton, "BBignora1", "Ignora", {216, 170, 185, 25}}});
    panelSaveButton->setEnabled(false);
    panelSaveAsNewButton->setEnabled(false);
    unsavedChangesPanel->hide();
}

void DatabaseEditorWindow::ConnectCommands() {
    auto on = [this](QPushButton* b, void (DatabaseEditorWindow::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(clearButton, &DatabaseEditorWindow::ClearForm);
    on(saveButton, &DatabaseEditorWindow::SaveRecord);
    on(saveAsNewButton, &DatabaseEditorWindow::SaveNewRecord);
    on(deleteButton, &DatabaseEditorWindow::DeleteShownRecord);
    on(rebuildListsButton, &DatabaseEditorWindow::RebuildLists);
    on(instructionsButton, &DatabaseEditorWindow::ToggleInstructions);
    on(reorderButton, &DatabaseEditorWindow::StartOrCommitReorder);
    on(cancelReorderButton, &DatabaseEditorWindow::CancelReorder);
    on(findButton, &DatabaseEditorWindow::FindNext);
    on(backToMenuButton, &DatabaseEditorWindow::AskClose);
    on(panelSaveButton, &DatabaseEditorWindow::SaveAndClose);
    on(panelSaveAsNewButton, &DatabaseEditorWindow::SaveAsNewAndClose);
    on(panelDeleteButton, &DatabaseEditorWindow::DeleteAndClose);
    on(panelIgnoreButton, &DatabaseEditorWindow::DiscardAndClose);
    connect(byRemedyRadio, &QRadioButton::clicked, this, gui::Guarded([this](bool) { SortByRemedy(); }));
    connect(entryList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ShowEntryRecord(entryList->row(it)); }));
    connect(entryList, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { HoldOrMoveEntry(entryList->row(it)); }));
    new ClickHook(findEdit, [this] { gui::Guard([this] { RestartFind(); }); });
}

void DatabaseEditorWindow::reject() {
    gui::Guard([this] { AskClose(); });
}

namespace {
// What an editor does with a database that is damaged or cannot be read.
constexpr const char* kEditorDamagedDatabaseDone =
    "La finestra non ne mostra nulla e non vi scrive nessuna modifica finch\xE9 il file non torna integro.";
}  // namespace

void DatabaseEditorWindow::LookAtDatabase() {
    damageTold_ = !TellUnusableDatabase(frame_.database(), kEditorDamagedDatabaseDone).empty();
}

void DatabaseEditorWindow::ShowEntries(std::vector<EditorEntry> entries, const std::string& problem) {
    if (problem.empty())
        damageTold_ = false;
    else if (!damageTold_)
        damageTold_ = !TellUnusableDatabase(frame_.database(), kEditorDamagedDatabaseDone).empty();
    listedEntries = std::move(entries);
    entryList->clear();
    for (const EditorEntry& e : listedEntries) entryList->addItem(gui::ToQt(e.text));
}

void DatabaseEditorWindow::RefillInSelectedOrder() {
    if (byRemedyRadio->isChecked())
        FillByRemedy();
    else
        FillBySecondKey();
}

void DatabaseEditorWindow::SortByRemedy() {
    byRemedyRadio->setChecked(true);
    FillByRemedy();
}

void DatabaseEditorWindow::ShowEntryRecord(int index) {
    if (!listBrowsing || index < 0 || index >= static_cast<int>(listedEntries.size())) return;
    ShowRecord(index);
}

void DatabaseEditorWindow::MoveList(const std::string& key) {
    std::vector<std::string> lines;
    lines.reserve(listedEntries.size());
    for (const EditorEntry& e : listedEntries) lines.push_back(e.text);
    // The list is sorted without regard to case, so the key is compared so too.
    const int i = PrefixBisect(lines, key, true);
    if (i >= 0) entryList->setCurrentRow(i);
}

void DatabaseEditorWindow::MarkDescriptionsChanged() {
    if (!recordShown) return;
    descriptionsChanged = true;
    ArmSaves();
}

// "Salva" writes into the record shown, so it stays disabled while none is
// (after "Pulisci", a delete or the opening); "Salva come Nuovo" is always offered.
void DatabaseEditorWindow::ArmSaves() {
    saveButton->setEnabled(currentRecordNumber > 0);
    saveAsNewButton->setEnabled(true);
}

void DatabaseEditorWindow::PlaceLengthWarning(int field, int top) {
    limitField_ = field;
    lengthWarningEdit->move(lengthWarningEdit->x(), top);
    lengthWarningEdit->show();
    lengthWarningEdit->raise();
}

void DatabaseEditorWindow::ShowLengthWarningElsewhere(int field) {
    const std::vector<FieldLength> lengths = FieldLengths();
    for (std::size_t j = 0; j < lengths.size(); ++j)
        if (static_cast<int>(j) != field && lengths[j].length > lengths[j].maximum) {
            PlaceLengthWarning(static_cast<int>(j), lengths[j].top);
            return;
        }
    lengthWarningEdit->hide();
    limitField_ = -1;
}

void DatabaseEditorWindow::Beep() {
    ++beeps_;
    QApplication::beep();
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
        if (!lengthWarningEdit->isVisible() || limitField_ != field) Beep();
        PlaceLengthWarning(field, top);
    } else if (limitField_ == field) {
        ShowLengthWarningElsewhere(field);
    }
}

void DatabaseEditorWindow::MarkRecordShown() {
    deleteButton->setEnabled(true);
    saveButton->setEnabled(false);
    saveAsNewButton->setEnabled(false);
    descriptionsChanged = false;
    recordShown = true;
}

void DatabaseEditorWindow::SelectCurrentEntry() {
    if (currentRecordNumber <= 0) return;
    for (std::size_t i = 0; i < listedEntries.size(); ++i)
        if (listedEntries[i].record == currentRecordNumber) {
            entryList->setCurrentRow(static_cast<int>(i));
            entryList->scrollToItem(entryList->item(static_cast<int>(i)));
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
    return question.empty() || gui::ShowMessage(question, "", gui::Buttons::YesNo) == gui::kAnswerYes;
}

bool DatabaseEditorWindow::DeleteConfirmed() {
    return gui::ShowMessage("Eliminare definitivamente il record " + std::to_string(currentRecordNumber) + "?\r\n" +
                                ShownRecordText() + "\r\nLa cancellazione non si pu\xF2 annullare.",
                            "", gui::Buttons::YesNo) == gui::kAnswerYes;
}

bool DatabaseEditorWindow::SaveInPlace() {
    if (currentRecordNumber == 0) {
        gui::ShowMessage("Possibile solo [Salva come Nuovo]");
        return false;
    }
    if (!FormMayBeSaved()) return false;
    const ChangeOutcome o = WriteForm(false);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return false;
    ShowStoredRecord(currentRecordNumber);
    return true;
}

void DatabaseEditorWindow::SaveRecord() {
    if (!SaveInPlace()) return;
    RefillInSelectedOrder();
    SelectCurrentEntry();
}

bool DatabaseEditorWindow::SaveAsNew() {
    if (!FormMayBeSaved()) return false;
    const ChangeOutcome o = WriteForm(true);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return false;
    recordCountText = remedies::RecordCountText(o.count);
    // The new record, the last of the file, is the one shown from now on: a
    // later "Salva" writes into it, never into the record shown before.
    currentRecordNumber = o.count;
    ShowStoredRecord(currentRecordNumber);
    return true;
}

void DatabaseEditorWindow::SaveNewRecord() {
    if (!SaveAsNew()) return;
    RefillInSelectedOrder();
    SelectCurrentEntry();
}

void DatabaseEditorWindow::DeleteCurrent() {
    if (currentRecordNumber <= 0) return;
    const ChangeOutcome o = frame_.deleteRecord(currentRecordNumber);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return;
    recordCountText = remedies::RecordCountText(o.count);
    ClearForm();
}

void DatabaseEditorWindow::DeleteShownRecord() {
    if (currentRecordNumber <= 0)
        ClearForm();
    else if (DeleteConfirmed())
        DeleteCurrent();
    else
        return;
    if (currentRecordNumber > 0) return;  // the delete failed: the form stays
    RefillInSelectedOrder();
    SetText(recordNumberEdit, "Tot=" + recordCountText);
}

void DatabaseEditorWindow::RebuildLists() {
    if (!listBrowsing) return;
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

void DatabaseEditorWindow::ToggleInstructions() { instructionsMemo->setVisible(!instructionsMemo->isVisible()); }

void DatabaseEditorWindow::StartOrCommitReorder() {
    if (listBrowsing) {
        WaitCursor wait;
        // The form is emptied first: no record stays current while the
        // record numbers change.
        ClearForm();
        listBrowsing = false;
        byRemedyRadio->setChecked(true);
        FillList(false, false);
        byRemedyRadio->hide();
        secondOrder_->hide();
        searchEdit->setEnabled(false);
        reorderButton->setText("Definitivo");
        cancelReorderButton->show();
        SetFieldsEnabled(false);
        heldEntry.clear();
        movePending = false;
        return;
    }
    std::vector<std::int64_t> order;
    order.reserve(listedEntries.size());
    for (const EditorEntry& e : listedEntries) order.push_back(e.record);
    ChangeOutcome o;
    {
        WaitCursor wait;
        o = frame_.commitOrder(order);
    }
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    CancelReorder();
}

void DatabaseEditorWindow::EndReorder() {
    listBrowsing = true;
    byRemedyRadio->show();
    secondOrder_->show();
    searchEdit->setEnabled(true);
    searchEdit->clear();
    searchKey.clear();  // the key is what the box shows
    reorderButton->setText("Modifica Elenco");
    cancelReorderButton->hide();
    SetFieldsEnabled(true);
    heldEntry.clear();
    movePending = false;
}

void DatabaseEditorWindow::CancelReorder() {
    WaitCursor wait;
    EndReorder();
    ClearForm();
    byRemedyRadio->setChecked(true);
    FillByRemedy();
}

void DatabaseEditorWindow::HoldOrMoveEntry(int index) {
    if (listBrowsing || index < 0 || index >= static_cast<int>(listedEntries.size())) return;
    if (!movePending) {
        heldIndex = index;
        heldEntry = listedEntries[static_cast<std::size_t>(index)].text;
        SetText(searchEdit, heldEntry);
        movePending = true;
        return;
    }
    targetIndex = index;
    MoveHeldEntry(listedEntries, heldIndex, targetIndex);
    entryList->clear();
    for (const EditorEntry& e : listedEntries) entryList->addItem(gui::ToQt(e.text));
    entryList->setCurrentRow(targetIndex);
    searchEdit->clear();
    heldEntry.clear();
    movePending = false;
}

void DatabaseEditorWindow::FindNext() {
    std::vector<std::string> lines;
    lines.reserve(listedEntries.size());
    for (const EditorEntry& e : listedEntries) lines.push_back(e.text);
    const int i = FindNextEntry(lines, TextOf(findEdit), findActive ? lastFoundIndex : -1);
    if (i < 0) {
        findActive = false;
        return;
    }
    entryList->setCurrentRow(i);
    lastFoundIndex = i;
    findActive = true;
}

void DatabaseEditorWindow::RestartFind() {
    findActive = false;
    findButton->setDefault(true);
}

void DatabaseEditorWindow::AskClose() {
    instructionsMemo->hide();
    keyTextChangedLabel->setEnabled(false);
    remedyChangedLabel->setEnabled(false);
    descriptionsChangedLabel->setEnabled(false);
    panelSaveAsNewButton->setEnabled(false);
    panelSaveButton->setEnabled(false);
    bool ask = false;
    if (KeyTextChanged()) {
        ask = true;
        keyTextChangedLabel->setEnabled(true);
        panelSaveAsNewButton->setEnabled(true);
        panelSaveButton->setEnabled(true);
    }
    if (TextOf(remedyEdit) != savedRemedyText) {
        ask = true;
        remedyChangedLabel->setEnabled(true);
        panelSaveAsNewButton->setEnabled(true);
        panelSaveButton->setEnabled(true);
    }
    if (descriptionsChanged) {
        ask = true;
        descriptionsChangedLabel->setEnabled(true);
        panelSaveButton->setEnabled(true);
    }
    panelDeleteButton->setEnabled(currentRecordNumber > 0);
    if (ask && currentRecordNumber == 0) {
        // No record to save into: a new one is the only save there is.
        panelSaveButton->setEnabled(false);
        panelSaveAsNewButton->setEnabled(true);
    }
    // A database that is damaged or cannot be read takes no change: the panel
    // offers none that would be refused.
    if (ask && !DatabaseProblem(frame_.database()).empty())
        for (QPushButton* b : {panelSaveButton, panelSaveAsNewButton, panelDeleteButton}) b->setEnabled(false);
    if (!ask) {
        unsavedChangesPanel->hide();
        done(QDialog::Accepted);
        return;
    }
    if (!unsavedChangesPanel->isVisible()) focusBeforePanel_ = focusWidget();
    unsavedChangesPanel->show();
    unsavedChangesPanel->raise();
}

void DatabaseEditorWindow::HidePanel() {
    unsavedChangesPanel->hide();
    if (focusBeforePanel_) focusBeforePanel_->setFocus();
}

// The panel's answers close the window once their work is done; a save that
// failed or was refused keeps the window open, so the edits are not lost.
void DatabaseEditorWindow::SaveAndClose() {
    HidePanel();
    if (SaveInPlace()) done(QDialog::Accepted);
}

void DatabaseEditorWindow::SaveAsNewAndClose() {
    HidePanel();
    if (!SaveAsNew()) return;
    SetText(recordNumberEdit, "Tot=" + recordCountText);
    done(QDialog::Accepted);
}

void DatabaseEditorWindow::DeleteAndClose() {
    // A no leaves the panel up: nothing was done, another answer may be chosen.
    if (currentRecordNumber > 0 && !DeleteConfirmed()) return;
    HidePanel();
    DeleteCurrent();
    if (currentRecordNumber == 0) done(QDialog::Accepted);
}

void DatabaseEditorWindow::DiscardAndClose() {
    unsavedChangesPanel->hide();
    ClearForm();
    done(QDialog::Accepted);
}

}  // namespace remedies
