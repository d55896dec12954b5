#include "remedies/windows/search_utility.h"

#include <QLabel>
#include <QLineEdit>
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
#include "remedies/field_search.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {
constexpr const char* kEndOfFile = "FINE ARCHIVIO";
// What the utility does with a database that is damaged or cannot be read.
constexpr const char* kUtilityDamagedDatabaseDone =
    "La ricerca non vi legge nulla e non vi scrive nessuna modifica finch\xE9 il file non torna integro.";
}

SearchUtility::SearchUtility() {
    setObjectName("FoUtilit");
    setWindowTitle("Utility Ricerca");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(640, 500);
    setFont(WindowFont());
    SetBackground(this, kWindowColour);
    BuildChoicePanels();

    gui::Place(gui::MakeLabel(this, "LabFrase", "Frase da cercare"), {210, 12, 200, 16});
    phraseEdit = gui::Place(gui::MakeEdit(this, "EditCerca"), {210, 30, 300, 21});
    SetBackground(phraseEdit, kAquaColour);
    searchButton = gui::Place(gui::MakeClickOnlyButton(this, "BBcerca", "Cerca "), {520, 28, 110, 25});
    gui::Place(gui::MakeLabel(this, "LabRimedio", "Rimedio"), {210, 62, 200, 16});
    remedyEdit = gui::Place(gui::MakeReadOnlyEdit(this, "EdRime"), {210, 80, 420, 21});
    SetBackground(remedyEdit, kSilverColour);
    gui::Place(gui::MakeLabel(this, "LabPosizione", "posizione"), {210, 112, 60, 16});
    positionEdit = gui::Place(gui::MakeReadOnlyEdit(this, "Edit1"), {272, 109, 90, 21});
    gui::Place(gui::MakeLabel(this, "LabCaratteri", "Caratteri Totali:"), {380, 112, 95, 16});
    lengthEdit = gui::Place(gui::MakeReadOnlyEdit(this, "Edit2"), {478, 109, 152, 21});
    textBeforeMemo = FieldMemo(gui::Place(gui::MakeMemo(this, "Memo1"), {210, 140, 420, 150}));
    textFromMatchMemo = FieldMemo(gui::Place(gui::MakeMemo(this, "Memo2"), {210, 296, 420, 150}));
    saveButton = gui::Place(gui::MakeClickOnlyButton(this, "BBsalva", "Salva"), {210, 458, 120, 30});
    saveButton->setEnabled(false);
    backToMenuButton =
        gui::Place(gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Ritorna al Menu"), {480, 458, 150, 30});

    for (QRadioButton* r : primaryFieldRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ChooseField(); }));
    for (QRadioButton* r : therapyFieldRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ChooseField(); }));
    connect(primaryDatabaseRadio, &QRadioButton::clicked, this,
            gui::Guarded([this](bool) { ChoosePrimaryDatabase(); }));
    connect(therapiesDatabaseRadio, &QRadioButton::clicked, this,
            gui::Guarded([this](bool) { ChooseTherapiesDatabase(); }));
    connect(phraseEdit, &QLineEdit::textChanged, this, [this](const QString&) { RestartSearch(); });
    connect(searchButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SearchNext(); }));
    connect(saveButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SaveShownField(); }));
    connect(backToMenuButton, &QPushButton::clicked, this, [this](bool) { accept(); });
    // The phrase and the memos take only the keys that type a character.
    for (QWidget* box : std::initializer_list<QWidget*>{phraseEdit, textBeforeMemo, textFromMatchMemo})
        gui::KeepUntypedKeysOut(box);
    for (QPlainTextEdit* m : {textBeforeMemo, textFromMatchMemo}) {
        connect(m, &QPlainTextEdit::textChanged, this, [this] { OfferSave(); });
        new ClickHook(m, [this, m] {
            editedMemo_ = m;
            StartEditing();
        });
    }
}

// The choice of the database, and of the field of the primary database or of
// the therapies (one panel over the other; the therapies' hidden at first).
void SearchUtility::BuildChoicePanels() {
    databasePanel = gui::Place(gui::MakeArea(this, "PanelArchivio"), {10, 10, 190, 72});
    gui::Place(gui::MakeLabel(databasePanel, "LabArchivio", "Archivio da esaminare:"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(databasePanel,
                          {{&primaryDatabaseRadio, "RadioButton5", "Database Primario"},
                           {&therapiesDatabaseRadio, "RadioButton6", "Repertorio Terapie"}},
                          {6, 24, 180, 20}, 22);
    primaryDatabaseRadio->setChecked(true);

    primaryFieldPanel = gui::Place(gui::MakeArea(this, "PanelPrima"), {10, 90, 190, 260});
    gui::Place(gui::MakeLabel(primaryFieldPanel, "LabCampoPrima", "Campo da esaminare"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(primaryFieldPanel,
                          {{&primaryFieldRadios[0], "RbRime", "Rimedio"},
                           {&primaryFieldRadios[1], "RBindi", "Indicazioni"},
                           {&primaryFieldRadios[2], "RBposo", "Posologia"},
                           {&primaryFieldRadios[3], "RBavve", "Avvertenze"},
                           {&primaryFieldRadios[4], "RBSpri", "Segnat. Primaria"},
                           {&primaryFieldRadios[5], "RBSSec", "Segnat.Second."},
                           {&primaryFieldRadios[6], "RBSZod", "Segnat. Zodiac."},
                           {&primaryFieldRadios[7], "RBpsic", "Sintesi Psichica"},
                           {&primaryFieldRadios[8], "RBnote", "Note"},
                           {&primaryFieldRadios[9], "RBnoSu", "Note Supplementari"}},
                          {6, 24, 180, 20}, 23);
    primaryFieldRadios[0]->setChecked(true);

    therapyFieldPanel = gui::Place(gui::MakeArea(this, "PanelTerap"), {10, 90, 190, 260});
    gui::Place(gui::MakeLabel(therapyFieldPanel, "LabCampoTerap", "Campo da esaminare"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(therapyFieldPanel,
                          {{&therapyFieldRadios[0], "RBrimed", "Rimedio"},
                           {&therapyFieldRadios[1], "RBpatol", "Patologia"},
                           {&therapyFieldRadios[2], "RBposol", "Posologia"},
                           {&therapyFieldRadios[3], "RBnotes", "Note"}},
                          {6, 24, 180, 20}, 23);
    therapyFieldRadios[0]->setChecked(true);
    therapyFieldPanel->hide();
}

void SearchUtility::Refresh() {
    Searching = false;
    FoundRecord = 0;
    // The activation shows the primary database's fields, as its radio does.
    primaryDatabaseRadio->setChecked(true);
    ChoosePrimaryDatabase();
    // Both databases must be there (a missing one is reported as a file error);
    // one that is damaged or cannot be read is named at once.
    for (const char* code : {"Prima", "Terap"}) {
        const DbFile db = SearchDatabase(code);
        if (TellUnusableDatabase(db, kUtilityDamagedDatabaseDone).empty()) DataRecordCount(db);
    }
}

// A change of database keeps the record shown: its edit is saved where it
// was found.
void SearchUtility::ChoosePrimaryDatabase() {
    DatabaseCode = "Prima";
    therapyFieldPanel->hide();
    primaryFieldPanel->show();
    NextRecord = 0;
}

void SearchUtility::ChooseTherapiesDatabase() {
    DatabaseCode = "Terap";
    primaryFieldPanel->hide();
    therapyFieldPanel->show();
    NextRecord = 0;
}

void SearchUtility::ChooseField() { ShowNoRecord(); }

void SearchUtility::ShowNoRecord() {
    Searching = false;
    NextRecord = 0;
    FoundRecord = 0;
    searchButton->setText("Cerca");
    // The memos are emptied: there is no edit left to save.
    UserEditing = false;
    for (QPlainTextEdit* m : {textBeforeMemo, textFromMatchMemo}) {
        m->clear();
        m->setPlaceholderText({});
    }
    positionEdit->clear();
    lengthEdit->clear();
    SetBaseColour(lengthEdit, kWhiteColour);
    remedyEdit->clear();
    saveButton->setEnabled(false);
}

void SearchUtility::RestartSearch() {
    Searching = false;
    NextRecord = 0;
    searchButton->setText("Cerca");
    UserEditing = false;
}

std::string SearchUtility::SelectedFieldCode() const {
    const std::vector<std::string> codes = SearchFieldCodes(DatabaseCode);
    const std::vector<QRadioButton*> radios =
        DatabaseCode == "Terap" ? std::vector<QRadioButton*>(therapyFieldRadios.begin(), therapyFieldRadios.end())
                                : std::vector<QRadioButton*>(primaryFieldRadios.begin(), primaryFieldRadios.end());
    for (std::size_t i = 0; i < radios.size() && i < codes.size(); ++i)
        if (radios[i]->isChecked()) return codes[i];
    return codes.front();
}

// One pass from the next record on; false when nothing more was found.
bool SearchUtility::SearchOnce() {
    const FieldMatch m = FindInField(DatabaseCode, FieldCode, Phrase, NextRecord);
    if (m.record == 0) return false;
    const SearchField field = SearchFieldFor(DatabaseCode, FieldCode);
    SetText(remedyEdit, m.remedy);
    SetText(lengthEdit, std::to_string(m.text.size()) + "/" + std::to_string(field.Capacity()));
    for (QPlainTextEdit* memo : {textBeforeMemo, textFromMatchMemo}) memo->setPlaceholderText({});
    SetMemoText(textBeforeMemo, m.text.substr(0, m.position));
    SetMemoText(textFromMatchMemo, m.text.substr(m.position));
    SetText(positionEdit, std::to_string(m.record + 1));
    SetBaseColour(lengthEdit, kWhiteColour);
    NextRecord = m.record + 1;
    FoundRecord = m.record;
    FoundDatabase = DatabaseCode;
    FoundField = FieldCode;
    repaint();
    return true;
}

void SearchUtility::ShowEditedLength() {
    if (FoundRecord == 0 || FoundField.empty()) return;
    const std::size_t capacity = SearchFieldFor(FoundDatabase, FoundField).Capacity();
    const std::size_t length = RecordTextOf(textBeforeMemo).size() + RecordTextOf(textFromMatchMemo).size();
    SetText(lengthEdit, std::to_string(length) + "/" + std::to_string(capacity));
    SetBaseColour(lengthEdit, length > capacity ? kRedColour : kWhiteColour);
}

void SearchUtility::EndSearch() {
    // The memos say so in grey, as a caption that the first key typed replaces.
    for (QPlainTextEdit* m : {textBeforeMemo, textFromMatchMemo}) {
        m->clear();
        m->setPlaceholderText(kEndOfFile);
    }
    SetText(remedyEdit, kEndOfFile);
    lengthEdit->clear();
    SetText(positionEdit, std::to_string(DataRecordCount(SearchDatabase(DatabaseCode))));
    searchButton->setText("Cerca");
    Searching = false;
    NextRecord = 0;
    FoundRecord = 0;
}

void SearchUtility::SearchNext() {
    if (saveButton->isEnabled()) {
        const int answer = gui::ShowMessage("Salvare le modifiche apportate?", "", gui::Buttons::YesNoCancel);
        if (answer == gui::AnswerYes) {
            SaveFoundField();
            return;
        }
    }
    // Nothing is read from a database that is damaged or cannot be read.
    if (!TellUnusableDatabase(SearchDatabase(DatabaseCode), kUtilityDamagedDatabaseDone).empty()) {
        ShowNoRecord();
        return;
    }
    saveButton->setEnabled(false);
    UserEditing = false;
    // The field of the database chosen now, at every press: the database may
    // have changed since the search began.
    FieldCode = SelectedFieldCode();
    if (!Searching) {
        Phrase = rt::UpperAscii(TextOf(phraseEdit));
        Searching = true;
        NextRecord = 1;  // the data records: record 0 is the header
        if (SearchOnce())
            searchButton->setText("Continua");
        else
            EndSearch();
        return;
    }
    if (!SearchOnce()) EndSearch();
}

void SearchUtility::StartEditing() { UserEditing = true; }

void SearchUtility::OfferSave() {
    // Only a record shown can be saved ("FINE ARCHIVIO" is none).
    if (UserEditing && FoundRecord > 0) {
        saveButton->setEnabled(true);
        ShowEditedLength();
    }
}

void SearchUtility::SaveShownField() {
    if (TextOf(remedyEdit) == kEndOfFile || FoundRecord == 0) {
        // Said rather than dropped: no record is shown, so there is nowhere to write.
        gui::ShowMessage("Nessun record \xE8 mostrato: non c'\xE8 nulla da salvare.");
        return;
    }
    SaveFoundField();
}

QPlainTextEdit* SearchUtility::RefusedMemo(const EntryField& field, std::size_t firstLength) const {
    if (!field.foreign.empty()) return ForeignCharacters(textBeforeMemo).empty() ? textFromMatchMemo : textBeforeMemo;
    const std::size_t at = RefusedCharacter(field);
    if (at != std::string::npos) return at < firstLength ? textBeforeMemo : textFromMatchMemo;
    return editedMemo_ ? editedMemo_ : textFromMatchMemo;
}

void SearchUtility::SaveFoundField() {
    if (FoundRecord == 0) return;
    const std::string first = RecordTextOf(textBeforeMemo);
    const std::string text = first + RecordTextOf(textFromMatchMemo);
    std::vector<EntryField> fields{SearchEntryField(FoundDatabase, FoundField, text)};
    fields[0].foreign = ForeignCharacters(textBeforeMemo->toPlainText() + textFromMatchMemo->toPlainText());
    if (const std::string why = EntryRefusal(fields); !why.empty()) {
        // The typed text stays, and the focus goes where the refused character is.
        RefusedMemo(fields[0], first.size())->setFocus();
        gui::ShowMessage(why);
        return;
    }
    if (const std::string question = CutQuestion(fields);
        !question.empty() && gui::ShowMessage(question, "", gui::Buttons::YesNo) != gui::AnswerYes)
        return;
    const ChangeOutcome o = SaveFieldText(FoundDatabase, FoundField, FoundRecord, text);
    if (!ChangeOutcomeMessage(o).empty()) gui::ShowMessage(ChangeOutcomeMessage(o));
    if (!o.saved) return;
    saveButton->setEnabled(false);
    UserEditing = false;
    // The memos show what the record now holds (a cut text as it was cut).
    const SearchField field = SearchFieldFor(FoundDatabase, FoundField);
    const Bytes record = ReadDataRecord(SearchDatabase(FoundDatabase), FoundRecord);
    const std::string stored = JoinField(record, field);
    SetText(remedyEdit, RecordRemedy(FoundDatabase, record));  // a remedy saved under a new name shows it
    const std::size_t split = std::min(first.size(), stored.size());
    SetMemoText(textBeforeMemo, stored.substr(0, split));
    SetMemoText(textFromMatchMemo, stored.substr(split));
    SetText(lengthEdit, std::to_string(stored.size()) + "/" + std::to_string(field.Capacity()));
    SetBaseColour(lengthEdit, kWhiteColour);
}

}  // namespace remedies
