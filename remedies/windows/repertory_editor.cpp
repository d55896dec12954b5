#include "remedies/windows/repertory_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/win1252.h"
#include "remedies/database_check.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

constexpr int kPathologyField = 0, kRepertoryRemedyField = 1, kPosologyField = 2, kNotesField = 3;
constexpr std::size_t kGuardMaximum[4] = {100, 100, 250, 300};
constexpr int kGuardTop[4] = {83, 136, 192, 253};
// What each field keeps, and its name in the messages before a save.
constexpr std::size_t kCapacity[4] = {100, 100, 250, 750};
const char* const kRepertoryFieldNames[4] = {"PATHOLOGIE", "REMEDIE", "Dosering", "Notities"};
constexpr int kTypeAheadField = 4;

const EditorFrame kRepertoryFrame{
    "FoAggRep",
    "DIRECTORY VAN THERAPIE\xCBN",
    556,
    "EditCerca",
    "RBpato",
    "Sorteren op pathologie",
    140,
    150,
    150,
    "L'elenco delle patologie viene ricostruito dopo ogni modifica salvata.",
    83,
    300,
    {
        "ISTRUZIONI",
        "",
        "Un clic su una voce dell'elenco mostra la terapia e, nel riquadro del",
        "database primario, le informazioni del rimedio.",
        "",
        "Sono ammesse descrizioni lunghe fino a 100",
        "per la PATOLOGIA, 100 caratteri per il RIMEDIO, ",
        "250  per la POSOLOGIA ",
        "e 300 per le NOTE.",
        "",
        "[Salva] sostituisce il record mostrato, [Salva come Nuovo] aggiunge un record.",
        "Le cancellazioni sono definitive.",
        "",
        "Doppio clic sul riquadro del database primario: il testo passa nelle Note.",
        "Doppio clic sulle Note: le Note vengono svuotate.",
        "",
        "Per spostare una voce: [Modifica Elenco], doppio clic sulla voce da spostare,",
        "doppio clic sul posto dove metterla; [Definitivo] salva il nuovo ordine.",
    },
    "Uitwissen",
    "Elimina dal Repertorio",
    120,
    "Cambiamento nel Nome del Rimedio",
    "Cambiamento nell nome della Patologia",
    RepertoryDb,
    DeleteRepertoryEdit,
    CommitRepertoryOrder,
    RebuildPathologyList,
    "Repertorio.rnd",
};

}  // namespace

RepertoryEditor::RepertoryEditor() : DatabaseEditorWindow(kRepertoryFrame) {
    byPathologyRadio = secondOrder_;
    gui::SetBold(gui::Place(gui::MakeLabel(this, "LabTitolo", "Therapie\xEBn Database"), {305, 36, 200, 18}));
    QFont bold = font();
    bold.setBold(true);
    const std::tuple<const char*, const char*, const char*, int> rows[] = {// label, its caption, field, top
                                                                           {"LabEdPato", "PATHOLOGIE", "EdPato", 83},
                                                                           {"LabEdProd", "REMEDIE", "EdProd", 136},
                                                                           {"LabEdPoso", "Dosering", "EdPoso", 192},
                                                                           {"LabMemoNote", "Notities", "MemoNote",
                                                                            253}};
    QWidget* fields[4];
    for (int i = 0; i < 4; ++i) {
        const auto& [label, caption, name, top] = rows[i];
        gui::Place(gui::MakeLabel(this, label, caption), {305, top + 3, 105, 16});
        if (i < 3)
            fields[i] = gui::Place(gui::MakeEdit(this, name), {415, top, 350, 24});
        else
            fields[i] = FieldMemo(gui::Place(gui::MakeMemo(this, name), {415, top, 350, 100}));
        SetBackground(fields[i], kSilverColour);
        new KeyPressHook(fields[i], [this, i](QKeyEvent* e) {
            const char c = gui::TypedCharacter(*e);
            if (c) gui::Guard([&] { GuardTypedLength(i, c); });
            return false;
        });
    }
    pathologyEdit = static_cast<QLineEdit*>(fields[0]);
    remedyEdit = static_cast<QLineEdit*>(fields[1]);
    posologyEdit = static_cast<QLineEdit*>(fields[2]);
    notesMemo = static_cast<QPlainTextEdit*>(fields[3]);
    pathologyEdit->setFont(bold);
    remedyEdit->setFont(bold);
    BuildPrimaryPanel();

    BuildLowerParts();

    auto on = [this](QPushButton* b, void (RepertoryEditor::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(warningsButton, &RepertoryEditor::ShowPrimaryWarnings);
    on(signaturesButton, &RepertoryEditor::ShowPrimarySignatures);
    on(synthesisButton, &RepertoryEditor::ShowPrimarySynthesis);
    on(notesButton, &RepertoryEditor::ShowPrimaryNotes);
    connect(byPathologyRadio, &QRadioButton::clicked, this, gui::Guarded([this](bool) { SortByPathology(); }));
    // The box shows what was typed, and its text is the key; Enter does nothing.
    new KeyPressHook(searchEdit, [](QKeyEvent* e) { return gui::TypedCharacter(*e) == '\r'; });
    connect(searchEdit, &QLineEdit::textEdited, this, gui::Guarded([this](const QString&) { FollowSearchKey(); }));
    new ClickHook(searchEdit, [this] { gui::Guard([this] { ClearSearchKey(); }); });
    new ClickHook(
        primaryRecordMemo, [this] { gui::Guard([this] { CopyPrimaryTextToNotes(); }); }, true);
    new ClickHook(
        notesMemo, [this] { gui::Guard([this] { ClearNotes(); }); }, true);
    // A paste too shows the warning as soon as a line is too long.
    for (int i : {kPathologyField, kRepertoryRemedyField, kPosologyField})
        connect(static_cast<QLineEdit*>(fields[i]), &QLineEdit::textChanged, this, [this, i](const QString& t) {
            ShowLengthState(i, gui::FromQt(t).size(), kGuardMaximum[i], kGuardTop[i]);
        });
    connect(posologyEdit, &QLineEdit::textChanged, this, [this](const QString&) { MarkDescriptionsChanged(); });
    connect(notesMemo, &QPlainTextEdit::textChanged, this, [this] { MarkNotesChanged(); });
    connect(remedyEdit, &QLineEdit::textChanged, this, [this](const QString&) { ArmSaves(); });
    connect(pathologyEdit, &QLineEdit::textChanged, this, [this](const QString&) { ArmSaves(); });
}

// The primary database's record of the remedy shown, with the buttons that
// show its other fields.
void RepertoryEditor::BuildPrimaryPanel() {
    primaryRecordPanel = gui::Place(gui::MakeArea(this, "PanelPrimario"), {305, 360, 685, 160});
    SetBackground(primaryRecordPanel, 16448222);
    QFont bold = font();
    bold.setBold(true);
    gui::Place(gui::MakeLabel(primaryRecordPanel, "LabPrimaire", "Primaire"), {8, 6, 100, 18})->setFont(bold);
    gui::Place(gui::MakeLabel(primaryRecordPanel, "LabInformatie", "database-informatie"), {8, 24, 120, 18});
    gui::Place(gui::MakeLabel(primaryRecordPanel, "LabPrimaireDatabase", "Primaire Database"), {8, 44, 120, 18})
        ->setFont(bold);
    primaryRecordMemo = FieldMemo(gui::Place(gui::MakeMemo(primaryRecordPanel, "MemoPrim", true), {135, 6, 400, 148}));
    SetBackground(primaryRecordMemo, 16381900);
    gui::PlaceClickOnlyButtons(primaryRecordPanel,
                               {{&warningsButton, "BBaltro", "Waarschuwingen", {545, 6, 132, 25}},
                                {&signaturesButton, "BBsegna", "Astrologische Signaturen", {545, 40, 132, 25}},
                                {&synthesisButton, "BBsinte", "Psychische Synthese", {545, 74, 132, 25}},
                                {&notesButton, "BBnote", "Notities", {545, 108, 132, 25}}});
    for (QPushButton* b : {warningsButton, signaturesButton, synthesisButton, notesButton}) b->setEnabled(false);
}

RepertoryTexts RepertoryEditor::FormTexts() const {
    RepertoryTexts t;
    t.pathology = TextOf(pathologyEdit);
    t.remedy = TextOf(remedyEdit);
    t.posology = TextOf(posologyEdit);
    t.notes = RecordTextOf(notesMemo);
    return t;
}

void RepertoryEditor::Refresh() {
    LookAtDatabase();
    primaryProblem = TellUnusableDatabase(
        PrimaryDb(),
        "Il riquadro della banca dati primaria accanto alle terapie resta vuoto finch\xE9 il file non "
        "torna integro.");
    ClearRepertoryForm();
    EndReorder();
    unsavedChangesPanel->hide();
    byPathologyRadio->setChecked(true);
    FillListByPathology();
    movePending = false;
}

void RepertoryEditor::ClearRepertoryForm() {
    currentRecordNumber = 0;
    recordNumberEdit->clear();
    remedyEdit->clear();
    posologyEdit->clear();
    pathologyEdit->clear();
    notesMemo->clear();
    primaryRecordMemo->clear();
    savedRemedyText.clear();
    savedPathologyText.clear();
    descriptionsChanged = false;
    recordShown = false;
    deleteButton->setEnabled(false);
    saveButton->setEnabled(false);
    saveAsNewButton->setEnabled(false);
    lengthWarningEdit->hide();
    linkedPrimaryRecord = 0;
    linkedWarningsText.clear();
    linkedRecord = {};
    for (QPushButton* b : {warningsButton, signaturesButton, synthesisButton, notesButton}) b->setEnabled(false);
}

void RepertoryEditor::FillList(bool byPathology, bool sorted) {
    std::string problem;
    std::vector<EditorEntry> entries = RepertoryEditorEntries(byPathology, sorted, &problem);
    ShowEntries(std::move(entries), problem);
    recordCountText = remedies::RecordCountText(static_cast<std::int64_t>(listedEntries.size()));
}

void RepertoryEditor::FillListByRemedy() { FillList(false, true); }
void RepertoryEditor::FillListByPathology() { FillList(true, true); }

void RepertoryEditor::SortByPathology() {
    byPathologyRadio->setChecked(true);
    FillListByPathology();
}

void RepertoryEditor::ShowRecord(int index) {
    SetFieldColours(primaryRecordMemo, 16381900, 0);
    primaryRecordMemo->clear();
    notesMemo->clear();
    instructionsMemo->hide();
    const EditorEntry& entry = listedEntries[static_cast<std::size_t>(index)];
    const bool byPathology = byPathologyRadio->isChecked();
    auto [remedy, pathology] = SplitListEntry(entry.text, byPathology);
    // Read by the record the entry carries; the first equal record when the
    // file changed meanwhile.
    std::int64_t r = 0;
    RepertoryRecord rec;
    const std::int64_t count = RepertoryRecordCount();
    recordCountText = remedies::RecordCountText(count);
    if (entry.record > 0 && entry.record <= count) {
        rec = ReadRepertoryRecord(entry.record);
        const std::string text = byPathology ? EntryByRepertoryPathology(rec) : EntryByRepertoryRemedy(rec);
        if (text == entry.text) r = entry.record;
    }
    if (r == 0) {
        r = FindRepertoryRecord(remedy, pathology);
        if (r > 0) rec = ReadRepertoryRecord(r);
    }
    if (r > 0) {
        FillFromRecord(r, rec);
    } else {
        // No record holds the entry any more: the name alone is shown.
        SetText(remedyEdit, remedy);
        savedRemedyText = remedy;
    }
    MarkRecordShown();
    LinkPrimary();
}

void RepertoryEditor::FillFromRecord(std::int64_t r, const RepertoryRecord& rec) {
    SetText(remedyEdit, rec.remedy);
    savedRemedyText = rec.remedy;
    SetText(posologyEdit, rec.posology);
    SetText(pathologyEdit, rec.pathology);
    savedPathologyText = rec.pathology;
    SetMemoText(notesMemo, rec.Notes());
    currentRecordNumber = r;
    SetText(recordNumberEdit, std::to_string(r) + " / " + recordCountText);
}

void RepertoryEditor::ShowStoredRecord(std::int64_t r) {
    SetFieldColours(primaryRecordMemo, 16381900, 0);
    primaryRecordMemo->clear();
    FillFromRecord(r, ReadRepertoryRecord(r));
    MarkRecordShown();
    LinkPrimary();
}

std::vector<DatabaseEditorWindow::FieldLength> RepertoryEditor::FieldLengths() const {
    return {{TextOf(pathologyEdit).size(), kCapacity[kPathologyField], kGuardTop[kPathologyField]},
            {TextOf(remedyEdit).size(), kCapacity[kRepertoryRemedyField], kGuardTop[kRepertoryRemedyField]},
            {TextOf(posologyEdit).size(), kCapacity[kPosologyField], kGuardTop[kPosologyField]},
            {RecordTextOf(notesMemo).size(), kCapacity[kNotesField], kGuardTop[kNotesField]}};
}

void RepertoryEditor::LinkPrimary() {
    const std::string remedy = TextOf(remedyEdit);
    const std::int64_t linked = primaryProblem.empty() ? FindLinkedPrimaryRecord(remedy) : 0;
    if (linked > 0) {
        linkedRecord = ReadPrimaryRecord(linked);
        linkedWarningsText = remedies::LinkedWarningsText(linkedRecord);
        linkedPrimaryRecord = linked;
        SetFieldColours(primaryRecordMemo, 16381900, 0);
        for (QPushButton* b : {warningsButton, signaturesButton, synthesisButton, notesButton}) b->setEnabled(true);
        return;
    }
    for (QPushButton* b : {warningsButton, signaturesButton, synthesisButton, notesButton}) b->setEnabled(false);
    SetFieldColours(primaryRecordMemo, 16381900, kRedColour);
    linkedPrimaryRecord = 0;
    linkedRecord = {};
    SetMemoText(primaryRecordMemo,
                primaryProblem.empty()
                    ? remedy + " kan niet worden gevonden in de primaire database."
                    : "De primaire database \"OpzioneH\\DBmain.rnd\" is beschadigd en wordt niet gelezen.");
}

void RepertoryEditor::ShowPrimaryWarnings() { SetMemoText(primaryRecordMemo, linkedWarningsText); }
void RepertoryEditor::ShowPrimarySignatures() { SetMemoText(primaryRecordMemo, LinkedSignaturesText(linkedRecord)); }
void RepertoryEditor::ShowPrimarySynthesis() { SetMemoText(primaryRecordMemo, LinkedSynthesisText(linkedRecord)); }
void RepertoryEditor::ShowPrimaryNotes() { SetMemoText(primaryRecordMemo, LinkedNotesText(linkedRecord)); }

void RepertoryEditor::CopyPrimaryTextToNotes() { notesMemo->setPlainText(primaryRecordMemo->toPlainText()); }
void RepertoryEditor::ClearNotes() { notesMemo->clear(); }

void RepertoryEditor::FollowSearchKey() {
    if (!listBrowsing) return;
    searchKey = rt::UpperAscii(TextOf(searchEdit));
    GuardLength(kTypeAheadField, searchKey.size() > 50, 0);
    MoveList(searchKey);
}

void RepertoryEditor::ClearSearchKey() {
    if (!listBrowsing) return;
    searchEdit->clear();
    searchKey.clear();
}

void RepertoryEditor::GuardTypedLength(int field, char key) {
    if (field == kNotesField) descriptionsChanged = true;
    std::string& length = lengthTexts[static_cast<std::size_t>(field)];
    length = field == kNotesField ? RecordTextOf(notesMemo)
                                  : TextOf(static_cast<QLineEdit*>(field == kPathologyField         ? pathologyEdit
                                                                   : field == kRepertoryRemedyField ? remedyEdit
                                                                                                    : posologyEdit));
    if (key == '\r') {
        // Enter types nothing into a one-line field; in the notes it is a
        // line break, two characters of the stored text.
        if (field != kNotesField) return;
        length += "\r\n";
    } else {
        ApplyKeyToText(length, key, true);
    }
    GuardLength(field, length.size() > kGuardMaximum[field], kGuardTop[field]);
    if ((field == kPathologyField || field == kRepertoryRemedyField) && listBrowsing) {
        searchKey = length;
        MoveList(searchKey);
    }
}

void RepertoryEditor::MarkNotesChanged() {
    MarkDescriptionsChanged();
    ShowLengthState(kNotesField, RecordTextOf(notesMemo).size(), kCapacity[kNotesField], kGuardTop[kNotesField]);
}

void RepertoryEditor::SetFieldsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{pathologyEdit, remedyEdit, posologyEdit, notesMemo, clearButton,
                                                      rebuildListsButton})
        w->setEnabled(enabled);
}

ChangeOutcome RepertoryEditor::WriteForm(bool asNew) {
    const RepertoryTexts t = FormTexts();
    const ChangeOutcome o = asNew ? AppendRepertoryEdit(t) : SaveRepertoryEdit(currentRecordNumber, t);
    if (o.saved) {
        savedRemedyText = t.remedy;
        savedPathologyText = t.pathology;
    }
    return o;
}

bool RepertoryEditor::KeyTextChanged() const { return TextOf(pathologyEdit) != savedPathologyText; }

std::vector<EntryField> RepertoryEditor::EntryFields() const {
    std::vector<EntryField> fields;
    const RepertoryTexts t = FormTexts();
    const std::string texts[4] = {t.pathology, t.remedy, t.posology, t.notes};
    const std::string foreign[4] = {ForeignCharacters(pathologyEdit), ForeignCharacters(remedyEdit),
                                    ForeignCharacters(posologyEdit), ForeignCharacters(notesMemo)};
    for (int i = 0; i < 4; ++i) {
        EntryField f;
        f.name = kRepertoryFieldNames[i];
        f.text = texts[i];
        f.capacity = kCapacity[i];
        f.key = i == kPathologyField || i == kRepertoryRemedyField;
        f.lines = i == kNotesField;
        f.foreign = foreign[i];
        fields.push_back(f);
    }
    return fields;
}

QWidget* RepertoryEditor::EntryFieldWidget(std::size_t field) const {
    const std::array<QWidget*, 4> widgets{pathologyEdit, remedyEdit, posologyEdit, notesMemo};
    return widgets.at(field);
}

std::string RepertoryEditor::ShownRecordText() const { return savedPathologyText + " - " + savedRemedyText; }

}  // namespace remedies
