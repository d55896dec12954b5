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

RepertoryEditor* theRepertoryEditor = nullptr;

namespace {

constexpr int kPato = 0, kProd = 1, kPoso = 2, kNote = 3;
constexpr std::size_t kGuardMaximum[4] = {100, 100, 250, 300};
constexpr int kGuardTop[4] = {83, 136, 192, 253};
// What each field keeps, and its name in the messages before a save.
constexpr std::size_t kCapacity[4] = {100, 100, 250, 750};
const char* const kFieldNames[4] = {"PATHOLOGIE", "REMEDIE", "Dosering", "Notities"};
constexpr int kTypeAheadField = 4;

const EditorFrame kFrame{
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

RepertoryEditor::RepertoryEditor() : DatabaseEditorWindow(kFrame) {
    EditCerca = searchEdit_;
    RBpato = secondOrder_;
    gui::SetBold(gui::Place(gui::MakeLabel(this, "LabTitolo", "Therapie\xEBn Database"), {305, 36, 200, 18}));
    QFont bold = font();
    bold.setBold(true);
    const std::tuple<const char*, const char*, const char*, int> rows[] = {  // label, its caption, field, top
        {"LabEdPato", "PATHOLOGIE", "EdPato", 83},
        {"LabEdProd", "REMEDIE", "EdProd", 136},
        {"LabEdPoso", "Dosering", "EdPoso", 192},
        {"LabMemoNote", "Notities", "MemoNote", 253}};
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
            if (c) gui::Guard([&] { FieldKeyPress(i, c); });
            return false;
        });
    }
    EdPato = static_cast<QLineEdit*>(fields[0]);
    EdProd = static_cast<QLineEdit*>(fields[1]);
    EdPoso = static_cast<QLineEdit*>(fields[2]);
    MemoNote = static_cast<QPlainTextEdit*>(fields[3]);
    EdPato->setFont(bold);
    EdProd->setFont(bold);
    BuildPrimaryPanel();

    BuildLowerParts();

    auto on = [this](QPushButton* b, void (RepertoryEditor::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(BBaltro, &RepertoryEditor::BBaltroClick);
    on(BBsegna, &RepertoryEditor::BBsegnaClick);
    on(BBsinte, &RepertoryEditor::BBsinteClick);
    on(BBnote, &RepertoryEditor::BBnoteClick);
    connect(RBpato, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBpatoClick(); }));
    // The box shows what was typed, and its text is the key; Enter does nothing.
    new KeyPressHook(EditCerca, [](QKeyEvent* e) { return gui::TypedCharacter(*e) == '\r'; });
    connect(EditCerca, &QLineEdit::textEdited, this, gui::Guarded([this](const QString&) { EditCercaChange(); }));
    new ClickHook(EditCerca, [this] { gui::Guard([this] { EditCercaClick(); }); });
    new ClickHook(MemoPrim, [this] { gui::Guard([this] { MemoPrimDblClick(); }); }, true);
    new ClickHook(MemoNote, [this] { gui::Guard([this] { MemoNoteDblClick(); }); }, true);
    // A paste too shows the warning as soon as a line is too long.
    for (int i : {kPato, kProd, kPoso})
        connect(static_cast<QLineEdit*>(fields[i]), &QLineEdit::textChanged, this, [this, i](const QString& t) {
            ShowLengthState(i, gui::FromQt(t).size(), kGuardMaximum[i], kGuardTop[i]);
        });
    connect(EdPoso, &QLineEdit::textChanged, this, [this](const QString&) { DescriptionChange(); });
    connect(MemoNote, &QPlainTextEdit::textChanged, this, [this] { MemoNoteChange(); });
    connect(EdProd, &QLineEdit::textChanged, this, [this](const QString&) { KeyFieldChange(); });
    connect(EdPato, &QLineEdit::textChanged, this, [this](const QString&) { KeyFieldChange(); });
}

// The primary database's record of the remedy shown, with the buttons that
// show its other fields.
void RepertoryEditor::BuildPrimaryPanel() {
    PanelPrimario = gui::Place(gui::MakeArea(this, "PanelPrimario"), {305, 360, 685, 160});
    SetBackground(PanelPrimario, 16448222);
    QFont bold = font();
    bold.setBold(true);
    gui::Place(gui::MakeLabel(PanelPrimario, "LabPrimaire", "Primaire"), {8, 6, 100, 18})->setFont(bold);
    gui::Place(gui::MakeLabel(PanelPrimario, "LabInformatie", "database-informatie"), {8, 24, 120, 18});
    gui::Place(gui::MakeLabel(PanelPrimario, "LabPrimaireDatabase", "Primaire Database"), {8, 44, 120, 18})->setFont(bold);
    MemoPrim = FieldMemo(gui::Place(gui::MakeMemo(PanelPrimario, "MemoPrim", true), {135, 6, 400, 148}));
    SetBackground(MemoPrim, 16381900);
    gui::PlaceClickOnlyButtons(PanelPrimario, {{&BBaltro, "BBaltro", "Waarschuwingen", {545, 6, 132, 25}},
                                               {&BBsegna, "BBsegna", "Astrologische Signaturen", {545, 40, 132, 25}},
                                               {&BBsinte, "BBsinte", "Psychische Synthese", {545, 74, 132, 25}},
                                               {&BBnote, "BBnote", "Notities", {545, 108, 132, 25}}});
    for (QPushButton* b : {BBaltro, BBsegna, BBsinte, BBnote}) b->setEnabled(false);
}

RepertoryTexts RepertoryEditor::FormTexts() const {
    RepertoryTexts t;
    t.Pathology = TextOf(EdPato);
    t.Remedy = TextOf(EdProd);
    t.Posology = TextOf(EdPoso);
    t.Notes = MemoText(MemoNote);
    return t;
}

void RepertoryEditor::FormActivate() {
    LookAtDatabase();
    PrimaryProblem = TellUnusableDatabase(
        PrimaryDb(), "Il riquadro della banca dati primaria accanto alle terapie resta vuoto finch\xE9 il file non "
                     "torna integro.");
    ClearRepertoryForm();
    EndReorder();
    PanelSalva->hide();
    RBpato->setChecked(true);
    FillRepListByPathology();
    MovePending = false;
}

void RepertoryEditor::ClearRepertoryForm() {
    CurrentRecordNumber = 0;
    EdNumRec->clear();
    EdProd->clear();
    EdPoso->clear();
    EdPato->clear();
    MemoNote->clear();
    MemoPrim->clear();
    SavedRemedyText.clear();
    SavedPathologyText.clear();
    DescriptionsChanged = false;
    RecordShown = false;
    BBelimina->setEnabled(false);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    EdLimite->hide();
    LinkedPrimaryRecord = 0;
    LinkedWarningsText.clear();
    LinkedRecord = {};
    for (QPushButton* b : {BBaltro, BBsegna, BBsinte, BBnote}) b->setEnabled(false);
}

void RepertoryEditor::FillList(bool byPathology, bool sorted) {
    std::string problem;
    std::vector<EditorEntry> entries = RepertoryEditorEntries(byPathology, sorted, &problem);
    ShowEntries(std::move(entries), problem);
    RecordCountText = remedies::RecordCountText(static_cast<std::int64_t>(Entries.size()));
}

void RepertoryEditor::FillRepListByRemedy() { FillList(false, true); }
void RepertoryEditor::FillRepListByPathology() { FillList(true, true); }

void RepertoryEditor::RBpatoClick() {
    RBpato->setChecked(true);
    FillRepListByPathology();
}

void RepertoryEditor::ShowRecord(int index) {
    SetFieldColours(MemoPrim, 16381900, 0);
    MemoPrim->clear();
    MemoNote->clear();
    MemoIstruz->hide();
    const EditorEntry& entry = Entries[static_cast<std::size_t>(index)];
    const bool byPathology = RBpato->isChecked();
    auto [remedy, pathology] = SplitListEntry(entry.text, byPathology);
    // Read by the record the entry carries; the first equal record when the
    // file changed meanwhile.
    std::int64_t r = 0;
    RepertoryRecord rec;
    const std::int64_t count = RepertoryRecordCount();
    RecordCountText = remedies::RecordCountText(count);
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
        SetText(EdProd, remedy);
        SavedRemedyText = remedy;
    }
    MarkRecordShown();
    LinkPrimary();
}

void RepertoryEditor::FillFromRecord(std::int64_t r, const RepertoryRecord& rec) {
    SetText(EdProd, rec.Remedy);
    SavedRemedyText = rec.Remedy;
    SetText(EdPoso, rec.Posology);
    SetText(EdPato, rec.Pathology);
    SavedPathologyText = rec.Pathology;
    SetMemoText(MemoNote, rec.Notes());
    CurrentRecordNumber = r;
    SetText(EdNumRec, std::to_string(r) + " / " + RecordCountText);
}

void RepertoryEditor::ShowStoredRecord(std::int64_t r) {
    SetFieldColours(MemoPrim, 16381900, 0);
    MemoPrim->clear();
    FillFromRecord(r, ReadRepertoryRecord(r));
    MarkRecordShown();
    LinkPrimary();
}

std::vector<DatabaseEditorWindow::FieldLength> RepertoryEditor::FieldLengths() const {
    return {{TextOf(EdPato).size(), kCapacity[kPato], kGuardTop[kPato]},
            {TextOf(EdProd).size(), kCapacity[kProd], kGuardTop[kProd]},
            {TextOf(EdPoso).size(), kCapacity[kPoso], kGuardTop[kPoso]},
            {MemoText(MemoNote).size(), kCapacity[kNote], kGuardTop[kNote]}};
}

void RepertoryEditor::LinkPrimary() {
    const std::string remedy = TextOf(EdProd);
    const std::int64_t linked = PrimaryProblem.empty() ? FindLinkedPrimaryRecord(remedy) : 0;
    if (linked > 0) {
        LinkedRecord = ReadPrimaryRecord(linked);
        LinkedWarningsText = remedies::LinkedWarningsText(LinkedRecord);
        LinkedPrimaryRecord = linked;
        SetFieldColours(MemoPrim, 16381900, 0);
        for (QPushButton* b : {BBaltro, BBsegna, BBsinte, BBnote}) b->setEnabled(true);
        return;
    }
    for (QPushButton* b : {BBaltro, BBsegna, BBsinte, BBnote}) b->setEnabled(false);
    SetFieldColours(MemoPrim, 16381900, kRedColour);
    LinkedPrimaryRecord = 0;
    LinkedRecord = {};
    SetMemoText(MemoPrim, PrimaryProblem.empty()
                              ? remedy + " kan niet worden gevonden in de primaire database."
                              : "De primaire database \"OpzioneH\\DBmain.rnd\" is beschadigd en wordt niet gelezen.");
}

void RepertoryEditor::BBaltroClick() { SetMemoText(MemoPrim, LinkedWarningsText); }
void RepertoryEditor::BBsegnaClick() { SetMemoText(MemoPrim, LinkedSignaturesText(LinkedRecord)); }
void RepertoryEditor::BBsinteClick() { SetMemoText(MemoPrim, LinkedSynthesisText(LinkedRecord)); }
void RepertoryEditor::BBnoteClick() { SetMemoText(MemoPrim, LinkedNotesText(LinkedRecord)); }

void RepertoryEditor::MemoPrimDblClick() { MemoNote->setPlainText(MemoPrim->toPlainText()); }
void RepertoryEditor::MemoNoteDblClick() { MemoNote->clear(); }

void RepertoryEditor::EditCercaChange() {
    if (!ListBrowsing) return;
    SearchKey = rt::UpperAscii(TextOf(EditCerca));
    GuardLength(kTypeAheadField, SearchKey.size() > 50, 0);
    MoveList(SearchKey);
}

void RepertoryEditor::EditCercaClick() {
    if (!ListBrowsing) return;
    EditCerca->clear();
    SearchKey.clear();
}

void RepertoryEditor::FieldKeyPress(int field, char key) {
    if (field == kNote) DescriptionsChanged = true;
    std::string& length = LengthTexts[static_cast<std::size_t>(field)];
    length = field == kNote ? MemoText(MemoNote) : TextOf(static_cast<QLineEdit*>(
                                                         field == kPato ? EdPato : field == kProd ? EdProd : EdPoso));
    if (key == '\r') {
        // Enter types nothing into a one-line field; in the notes it is a
        // line break, two characters of the stored text.
        if (field != kNote) return;
        length += "\r\n";
    } else {
        ApplyKeyToText(length, key, true);
    }
    GuardLength(field, length.size() > kGuardMaximum[field], kGuardTop[field]);
    if ((field == kPato || field == kProd) && ListBrowsing) {
        SearchKey = length;
        MoveList(SearchKey);
    }
}

void RepertoryEditor::MemoNoteChange() {
    DescriptionChange();
    ShowLengthState(kNote, MemoText(MemoNote).size(), kCapacity[kNote], kGuardTop[kNote]);
}

void RepertoryEditor::SetFieldsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{EdPato, EdProd, EdPoso, MemoNote, BBpulisci, BBRico})
        w->setEnabled(enabled);
}

EditOutcome RepertoryEditor::WriteForm(bool asNew) {
    const RepertoryTexts t = FormTexts();
    const EditOutcome o = asNew ? AppendRepertoryEdit(t) : SaveRepertoryEdit(CurrentRecordNumber, t);
    if (o.saved) {
        SavedRemedyText = t.Remedy;
        SavedPathologyText = t.Pathology;
    }
    return o;
}

bool RepertoryEditor::KeyTextChanged() const { return TextOf(EdPato) != SavedPathologyText; }

std::vector<EntryField> RepertoryEditor::EntryFields() const {
    std::vector<EntryField> fields;
    const RepertoryTexts t = FormTexts();
    const std::string texts[4] = {t.Pathology, t.Remedy, t.Posology, t.Notes};
    const std::string foreign[4] = {ForeignCharacters(EdPato), ForeignCharacters(EdProd), ForeignCharacters(EdPoso),
                                    ForeignCharacters(MemoNote)};
    for (int i = 0; i < 4; ++i) {
        EntryField f;
        f.name = kFieldNames[i];
        f.text = texts[i];
        f.capacity = kCapacity[i];
        f.key = i == kPato || i == kProd;
        f.lines = i == kNote;
        f.foreign = foreign[i];
        fields.push_back(f);
    }
    return fields;
}

QWidget* RepertoryEditor::EntryFieldWidget(std::size_t field) const {
    const std::array<QWidget*, 4> widgets{EdPato, EdProd, EdPoso, MemoNote};
    return widgets.at(field);
}

std::string RepertoryEditor::ShownRecordText() const { return SavedPathologyText + " - " + SavedRemedyText; }

}  // namespace remedies
