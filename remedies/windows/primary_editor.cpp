#include "remedies/windows/primary_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>

#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/typed_keys.h"
#include "platform/gui/widgets.h"
#include "remedies/prefix_bisect.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

struct FieldRow {
    const char* name;
    bool memo;
    std::size_t maximum;
    int guardTop;
    const char* caption;
    const char* label;
    int x, w, h;
};

// The ten editing fields: the record text each gives, its maximum, the top of
// the length warning beside it and the caption it shows while it is empty.
const std::array<FieldRow, 10> kFieldRows{{
    {"EdProd", false, 50, 53, "", "Remedie", 415, 350, 24},
    {"MemoIndi", true, 300, 87, "Indicaties", "Indicaties", 415, 350, 50},
    {"MemoPoso", true, 900, 142, "Dosering", "Dosering", 415, 350, 50},
    {"MemoAvve", true, 400, 197, "Waarschuwingen", "Waarschuwingen", 415, 350, 52},
    {"EdPlane", false, 30, 254, "", "Signatuur Planetaire  1", 415, 160, 24},
    {"EdSeco", false, 40, 254, "", "2", 595, 170, 24},
    {"EdZodi", false, 70, 285, "", "Signatuur Dierenriem", 415, 350, 24},
    {"MemoSint", true, 1500, 316, "Psychische Synthese", "Psychische Synthese", 415, 350, 80},
    {"MemoNote", true, 750, 402, "Notities", "Notities", 415, 350, 42},
    {"MemoNoteSupp", true, 750, 449, "Extra Notities", "Extra Notities", 415, 350, 42},
}};

const EditorFrame kFrame{
    "FoMainArc",
    "PRIMAIRE DATABASE",
    558,
    "EdCerca",
    "RBindi",
    "Sorteren op Symptomen",
    145,
    155,
    145,
    "Gli archivi di appoggio vengono ricostruiti dopo ogni modifica salvata.",
    53,
    438,
    {
        "ISTRUZIONI",
        "",
        "Un clic su una voce dell'elenco mostra il record. Le lunghezze ammesse sono:",
        "50 caratteri per il Rimedio",
        "300 caratteri per le Indicazioni",
        "900 caratteri per la Posologia",
        "400 caratteri per le Avvertenze",
        "30 caratteri per la Segnatura Planetaria Primaria",
        "40 caratteri per la Segnatura Planetaria Secondaria",
        "70 caratteri per la Segnatura Zodiacale",
        "1500 caratteri per la Sintesi Psichica",
        "750 caratteri per le Note",
        "750 caratteri per Note Supplementari",
        "Il testo oltre il limite non viene salvato.",
        "",
        "[Salva] sostituisce il record mostrato, [Salva come Nuovo] aggiunge un record.",
        "Le cancellazioni sono definitive.",
        "",
        "Per spostare una voce: [Modifica Elenco], doppio clic sulla voce da spostare,",
        "doppio clic sul posto dove metterla; [Definitivo] salva il nuovo ordine,",
        "[Annulla Modifiche] lo abbandona.",
        "",
        "Per trovare una parola: scriverla nella casella accanto a [trova] e premere",
        "[trova] ancora per la voce seguente.",
    },
    "Pulisci",
    "Elimina dal Database",
    160,
    "Cambiamento nel Nome del Prodotto",
    "Cambiamento nell'indicazione Terapeutica",
    PrimaryDb,
    DeletePrimaryEdit,
    CommitPrimaryOrder,
    RebuildPrimaryLists,
    "DBmain.rnd",
};

std::string IndicationForCompare(const std::string& s) { return s == "Indicaties" ? std::string() : s; }

// The fields by name in the messages before a save.
const std::array<const char*, 10> kFieldNames{
    {"Remedie", "Indicaties", "Dosering", "Waarschuwingen", "Signatuur Planetaire 1", "Signatuur Planetaire 2",
     "Signatuur Dierenriem", "Psychische Synthese", "Notities", "Extra Notities"}};
constexpr int kRemedyField = 0, kIndicationField = 1;

}  // namespace

PrimaryEditor::PrimaryEditor() : DatabaseEditorWindow(kFrame) {
    bySymptomRadio = secondOrder_;
    BuildFields();
    remedyEdit = findChild<QLineEdit*>("EdProd");
    primarySignatureEdit = findChild<QLineEdit*>("EdPlane");
    secondarySignatureEdit = findChild<QLineEdit*>("EdSeco");
    zodiacalSignatureEdit = findChild<QLineEdit*>("EdZodi");
    indicationMemo = findChild<QPlainTextEdit*>("MemoIndi");
    posologyMemo = findChild<QPlainTextEdit*>("MemoPoso");
    warningsMemo = findChild<QPlainTextEdit*>("MemoAvve");
    synthesisMemo = findChild<QPlainTextEdit*>("MemoSint");
    notesMemo = findChild<QPlainTextEdit*>("MemoNote");
    extraNotesMemo = findChild<QPlainTextEdit*>("MemoNoteSupp");

    useNumberMemo = FieldMemo(gui::Place(gui::MakeMemo(this, "MemoPare", true), {415, 496, 350, 28}));
    useNumberMemo->setPlainText(
        gui::ToQt("Il numero tra parentesi si riferisce ad un impiego specifico\n"
                  "del Rimedio e NON ad una variante del Rimedio stesso"));
    useNumberMemo->hide();

    BuildLowerParts();

    connect(bySymptomRadio, &QRadioButton::clicked, this, gui::Guarded([this](bool) { SortBySymptom(); }));
    HandleEditKeys(
        searchEdit, [this](char c) { TypeSearchKey(c); }, [this] { ClearSearchKey(); }, [this] { FollowSearchKey(); });
    for (QPlainTextEdit* m : {posologyMemo, warningsMemo, synthesisMemo, notesMemo, extraNotesMemo})
        connect(m, &QPlainTextEdit::textChanged, this, [this] { MarkDescriptionsChanged(); });
    for (QLineEdit* e : {primarySignatureEdit, secondarySignatureEdit, zodiacalSignatureEdit})
        connect(e, &QLineEdit::textChanged, this, [this](const QString&) { MarkDescriptionsChanged(); });
    connect(remedyEdit, &QLineEdit::textChanged, this, [this](const QString&) { ArmSaves(); });
    connect(indicationMemo, &QPlainTextEdit::textChanged, this, [this] { ArmSaves(); });
}

// The ten fields of the record, each beside its label, with its length guard.
void PrimaryEditor::BuildFields() {
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        const FieldRow& f = kFieldRows[i];
        const int labelX = (i == 5) ? 582 : 305;
        const std::string label = std::string("Lab") + f.name;
        if (i == 4 || i == 6) {
            // "Signatuur" above "Planetaire 1" / "Dierenriem".
            gui::Place(gui::MakeLabel(this, label.c_str(), "Signatuur"), {labelX, f.guardTop - 4, 108, 14});
            gui::Place(gui::MakeLabel(this, (label + "2").c_str(), i == 4 ? "Planetaire            1" : "Dierenriem"),
                       {labelX, f.guardTop + 10, 108, 14});
        } else {
            gui::Place(gui::MakeLabel(this, label.c_str(), f.label), {labelX, f.guardTop + 3, i == 5 ? 12 : 108, 16});
        }
        QWidget* w;
        if (f.memo) {
            auto* m = FieldMemo(gui::Place(gui::MakeMemo(this, f.name), {f.x, f.guardTop, f.w, f.h}));
            static const std::map<std::string, const char*> kHints{
                {"MemoIndi", "Indicazioni"},      {"MemoPoso", "Posologia"}, {"MemoAvve", "Avvertenze"},
                {"MemoSint", "Sintesi Psichica"}, {"MemoNote", "Note"},      {"MemoNoteSupp", "Note"}};
            m->setToolTip(QString::fromLatin1(kHints.at(f.name)));
            // Shown grey while the memo is empty; the first key typed takes its place.
            m->setPlaceholderText(gui::ToQt(f.caption));
            w = m;
        } else {
            auto* e = gui::Place(gui::MakeEdit(this, f.name), {f.x, f.guardTop, f.w, f.h});
            if (i == 0) gui::SetBold(e);
            w = e;
        }
        SetBackground(w, kSilverColour);
        new KeyPressHook(w, [this, i](QKeyEvent* e) {
            const char c = gui::TypedCharacter(*e);
            if (c) gui::Guard([&] { GuardTypedLength(static_cast<int>(i), c); });
            return false;
        });
        // A paste too: the warning shows as soon as the text is too long.
        auto changed = [this, i] {
            const FieldRow& row = kFieldRows[i];
            ShowLengthState(static_cast<int>(i), FieldText(static_cast<int>(i)).size(), row.maximum, row.guardTop);
        };
        if (f.memo)
            connect(static_cast<QPlainTextEdit*>(w), &QPlainTextEdit::textChanged, this, changed);
        else
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this,
                    [changed](const QString&) { changed(); });
    }
}

QWidget* PrimaryEditor::FieldWidget(int field) const {
    return findChild<QWidget*>(kFieldRows[static_cast<std::size_t>(field)].name);
}

std::string PrimaryEditor::FieldText(int field) const {
    QWidget* w = FieldWidget(field);
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return RecordTextOf(m);
    return TextOf(static_cast<QLineEdit*>(w));
}

PrimaryTexts PrimaryEditor::FormTexts() const {
    PrimaryTexts t;
    t.remedy = StoredText(0);
    t.indication = StoredText(1);
    t.posology = StoredText(2);
    t.warnings = StoredText(3);
    t.primarySignature = StoredText(4);
    t.secondarySignature = StoredText(5);
    t.zodiacalSignature = StoredText(6);
    t.synthesis = StoredText(7);
    t.notes = StoredText(8);
    t.extraNotes = StoredText(9);
    return t;
}

void PrimaryEditor::Refresh() {
    LookAtDatabase();
    ClearPrimaryForm();
    EndReorder();
    unsavedChangesPanel->hide();
    byRemedyRadio->setChecked(true);
    FillListByRemedy();
    savedRemedyText.clear();
    savedIndicationText.clear();
    currentRecordNumber = 0;
    movePending = false;
}

void PrimaryEditor::ClearPrimaryForm() {
    currentRecordNumber = 0;
    recordNumberEdit->clear();
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        QWidget* w = FieldWidget(static_cast<int>(i));
        if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            m->clear();  // its caption shows
        else
            static_cast<QLineEdit*>(w)->clear();
    }
    savedRemedyText.clear();
    savedIndicationText.clear();
    descriptionsChanged = false;
    recordShown = false;
    useNumberMemo->hide();
    lengthWarningEdit->hide();
    deleteButton->setEnabled(false);
    saveButton->setEnabled(false);
    saveAsNewButton->setEnabled(false);
}

void PrimaryEditor::FillList(bool bySymptom, bool sorted) {
    std::string problem;
    std::vector<EditorEntry> entries = PrimaryEditorEntries(bySymptom, sorted, &problem);
    ShowEntries(std::move(entries), problem);
}

void PrimaryEditor::FillListByRemedy() {
    FillList(false, true);
    recordCountText = remedies::RecordCountText(static_cast<std::int64_t>(listedEntries.size()));
}

void PrimaryEditor::FillListBySymptom() { FillList(true, true); }

void PrimaryEditor::SortBySymptom() {
    bySymptomRadio->setChecked(true);
    FillListBySymptom();
}

void PrimaryEditor::ShowRecord(int index) {
    lengthWarningEdit->hide();
    instructionsMemo->hide();
    const EditorEntry& entry = listedEntries[static_cast<std::size_t>(index)];
    auto [remedy, indication] = SplitListEntry(entry.text, bySymptomRadio->isChecked());
    // The entry carries its record; it is read by number, so a name holding "*"
    // finds its own record. Should the file have changed, the first record with
    // the same remedy and indication is taken.
    std::int64_t r = 0;
    PrimaryRecord rec;
    if (entry.record > 0 && entry.record <= PrimaryRecordCount()) {
        rec = ReadPrimaryRecord(entry.record);
        const std::string text = bySymptomRadio->isChecked() ? EntryBySymptom(rec) : EntryByRemedy(rec);
        if (text == entry.text) r = entry.record;
    }
    if (r == 0) {
        r = FindPrimaryRecord(remedy, indication);
        if (r > 0) rec = ReadPrimaryRecord(r);
    }
    if (r > 0) {
        FillFromRecord(r, rec);
    } else {
        // No record holds the entry any more: the name alone is shown.
        SetText(remedyEdit, remedy);
        savedRemedyText = remedy;
        useNumberMemo->setVisible(HoldsUseNumber(remedy));
    }
    MarkRecordShown();
}

void PrimaryEditor::FillFromRecord(std::int64_t r, const PrimaryRecord& rec) {
    const PrimaryTexts t = PrimaryRecordToTexts(rec);
    SetText(remedyEdit, t.remedy);
    savedRemedyText = t.remedy;
    useNumberMemo->setVisible(HoldsUseNumber(t.remedy));
    const std::string texts[] = {t.remedy,
                                 t.indication,
                                 t.posology,
                                 t.warnings,
                                 t.primarySignature,
                                 t.secondarySignature,
                                 t.zodiacalSignature,
                                 t.synthesis,
                                 t.notes,
                                 t.extraNotes};
    for (int i = 1; i < 10; ++i) {
        QWidget* w = FieldWidget(i);
        const std::string& text = texts[i];
        if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            // A text that is only the memo's caption (a record saved from a
            // cleared form holds one) shows as the caption, so typing replaces it.
            SetMemoText(m, text == kFieldRows[static_cast<std::size_t>(i)].caption ? std::string() : text);
        else
            SetText(static_cast<QLineEdit*>(w), text);
    }
    savedIndicationText = t.indication;
    currentRecordNumber = r;
    SetText(recordNumberEdit, std::to_string(r) + " / " + recordCountText);
}

void PrimaryEditor::ShowStoredRecord(std::int64_t r) {
    const PrimaryRecord rec = ReadPrimaryRecord(r);
    FillFromRecord(r, rec);
    MarkRecordShown();
}

std::vector<DatabaseEditorWindow::FieldLength> PrimaryEditor::FieldLengths() const {
    std::vector<FieldLength> lengths;
    for (std::size_t i = 0; i < kFieldRows.size(); ++i)
        lengths.push_back({FieldText(static_cast<int>(i)).size(), kFieldRows[i].maximum, kFieldRows[i].guardTop});
    return lengths;
}

void PrimaryEditor::TypeSearchKey(char key) {
    if (!listBrowsing) return;
    // The key goes on from what the box shows (typing into the remedy moves
    // the list by the remedy, never by a key the box does not show).
    searchKey = TextOf(searchEdit);
    // Enter is no part of the key: it changes nothing.
    if (!ApplyTypeAheadKey(searchKey, key, byRemedyRadio->isChecked())) return;
    SetText(searchEdit, searchKey);
    searchEdit->setCursorPosition(searchEdit->text().size());  // after the letter typed, as in every search box
    MoveList(searchKey);
}

void PrimaryEditor::FollowSearchKey() {
    if (!listBrowsing) return;
    searchKey = TextOf(searchEdit);
    MoveList(searchKey);
}

void PrimaryEditor::ClearSearchKey() {
    if (!listBrowsing) return;
    searchEdit->clear();
    searchKey.clear();
}

void PrimaryEditor::GuardTypedLength(int field, char key) {
    const FieldRow& row = kFieldRows[static_cast<std::size_t>(field)];
    std::string& length = lengthTexts[static_cast<std::size_t>(field)];
    length = FieldText(field);
    if (key == '\r') {
        // Enter types nothing into a one-line field; in a memo it is a line
        // break, two characters of the stored text.
        if (!row.memo) return;
        length += "\r\n";
    } else {
        ApplyKeyToText(length, key, true);
    }
    GuardLength(field, length.size() > row.maximum, row.guardTop);
    if (field == 0) {
        searchKey = length;
        MoveList(searchKey);
    }
}

void PrimaryEditor::SetFieldsEnabled(bool enabled) {
    rebuildListsButton->setEnabled(enabled);
    clearButton->setEnabled(enabled);
    for (int i = 0; i < 10; ++i) FieldWidget(i)->setEnabled(enabled);
}

std::string PrimaryEditor::StoredText(int field) const {
    std::string text = FieldText(field);
    // A memo holding nothing but its caption holds nothing.
    if (field != kIndicationField && text == kFieldRows[static_cast<std::size_t>(field)].caption) text.clear();
    return text;
}

std::vector<EntryField> PrimaryEditor::EntryFields() const {
    std::vector<EntryField> fields;
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        const FieldRow& row = kFieldRows[i];
        EntryField f;
        f.name = kFieldNames[i];
        f.text = StoredText(static_cast<int>(i));
        f.capacity = row.maximum;
        f.key = i == kRemedyField || i == kIndicationField;
        f.lines = row.memo && !f.key;
        f.hint = row.caption;
        QWidget* w = FieldWidget(static_cast<int>(i));
        if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            f.foreign = ForeignCharacters(m);
        else
            f.foreign = ForeignCharacters(static_cast<QLineEdit*>(w));
        fields.push_back(f);
    }
    return fields;
}

QWidget* PrimaryEditor::EntryFieldWidget(std::size_t field) const { return FieldWidget(static_cast<int>(field)); }

std::string PrimaryEditor::ShownRecordText() const { return savedRemedyText + " - " + savedIndicationText; }

ChangeOutcome PrimaryEditor::WriteForm(bool asNew) {
    const PrimaryTexts t = FormTexts();
    const ChangeOutcome o = asNew ? AppendPrimaryEdit(t) : SavePrimaryEdit(currentRecordNumber, t);
    if (o.saved) {
        savedRemedyText = t.remedy;
        savedIndicationText = t.indication;
    }
    return o;
}

bool PrimaryEditor::KeyTextChanged() const {
    return IndicationForCompare(RecordTextOf(indicationMemo)) != IndicationForCompare(savedIndicationText);
}

}  // namespace remedies
