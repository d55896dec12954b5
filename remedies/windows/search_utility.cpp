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

SearchUtility* theSearchUtility = nullptr;

namespace {
constexpr const char* kEndOfFile = "FINE ARCHIVIO";
// What the utility does with a database that is damaged or cannot be read.
constexpr const char* kDamagedDatabaseDone =
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
    EditCerca = gui::Place(gui::MakeEdit(this, "EditCerca"), {210, 30, 300, 21});
    SetBackground(EditCerca, kAquaColour);
    BBcerca = gui::Place(gui::MakeClickOnlyButton(this, "BBcerca", "Cerca "), {520, 28, 110, 25});
    gui::Place(gui::MakeLabel(this, "LabRimedio", "Rimedio"), {210, 62, 200, 16});
    EdRime = gui::Place(gui::MakeReadOnlyEdit(this, "EdRime"), {210, 80, 420, 21});
    SetBackground(EdRime, kSilverColour);
    gui::Place(gui::MakeLabel(this, "LabPosizione", "posizione"), {210, 112, 60, 16});
    Edit1 = gui::Place(gui::MakeReadOnlyEdit(this, "Edit1"), {272, 109, 90, 21});
    gui::Place(gui::MakeLabel(this, "LabCaratteri", "Caratteri Totali:"), {380, 112, 95, 16});
    Edit2 = gui::Place(gui::MakeReadOnlyEdit(this, "Edit2"), {478, 109, 152, 21});
    Memo1 = FieldMemo(gui::Place(gui::MakeMemo(this, "Memo1"), {210, 140, 420, 150}));
    Memo2 = FieldMemo(gui::Place(gui::MakeMemo(this, "Memo2"), {210, 296, 420, 150}));
    BBsalva = gui::Place(gui::MakeClickOnlyButton(this, "BBsalva", "Salva"), {210, 458, 120, 30});
    BBsalva->setEnabled(false);
    BitBtnRitorna = gui::Place(gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Ritorna al Menu"), {480, 458, 150, 30});

    for (QRadioButton* r : {RbRime, RBindi, RBposo, RBavve, RBSpri, RBSSec, RBSZod, RBpsic, RBnote, RBnoSu})
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RbRimeClick(); }));
    for (QRadioButton* r : {RBrimed, RBpatol, RBposol, RBnotes})
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBrimedClick(); }));
    connect(RadioButton5, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RadioButton5Click(); }));
    connect(RadioButton6, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RadioButton6Click(); }));
    connect(EditCerca, &QLineEdit::textChanged, this, [this](const QString&) { EditCercaChange(); });
    connect(BBcerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBcercaClick(); }));
    connect(BBsalva, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBsalvaClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this](bool) { accept(); });
    // The phrase and the memos take only the keys that type a character.
    for (QWidget* box : std::initializer_list<QWidget*>{EditCerca, Memo1, Memo2}) gui::KeepUntypedKeysOut(box);
    for (QPlainTextEdit* m : {Memo1, Memo2}) {
        connect(m, &QPlainTextEdit::textChanged, this, [this] { Memo1Change(); });
        new ClickHook(m, [this, m] {
            editedMemo_ = m;
            Memo1Click();
        });
    }
}

// The choice of the database, and of the field of the primary database or of
// the therapies (one panel over the other; the therapies' hidden at first).
void SearchUtility::BuildChoicePanels() {
    PanelArchivio = gui::Place(gui::MakeArea(this, "PanelArchivio"), {10, 10, 190, 72});
    gui::Place(gui::MakeLabel(PanelArchivio, "LabArchivio", "Archivio da esaminare:"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(PanelArchivio,
                          {{&RadioButton5, "RadioButton5", "Database Primario"},
                           {&RadioButton6, "RadioButton6", "Repertorio Terapie"}},
                          {6, 24, 180, 20}, 22);
    RadioButton5->setChecked(true);

    PanelPrima = gui::Place(gui::MakeArea(this, "PanelPrima"), {10, 90, 190, 260});
    gui::Place(gui::MakeLabel(PanelPrima, "LabCampoPrima", "Campo da esaminare"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(PanelPrima,
                          {{&RbRime, "RbRime", "Rimedio"},
                           {&RBindi, "RBindi", "Indicazioni"},
                           {&RBposo, "RBposo", "Posologia"},
                           {&RBavve, "RBavve", "Avvertenze"},
                           {&RBSpri, "RBSpri", "Segnat. Primaria"},
                           {&RBSSec, "RBSSec", "Segnat.Second."},
                           {&RBSZod, "RBSZod", "Segnat. Zodiac."},
                           {&RBpsic, "RBpsic", "Sintesi Psichica"},
                           {&RBnote, "RBnote", "Note"},
                           {&RBnoSu, "RBnoSu", "Note Supplementari"}},
                          {6, 24, 180, 20}, 23);
    RbRime->setChecked(true);

    PanelTerap = gui::Place(gui::MakeArea(this, "PanelTerap"), {10, 90, 190, 260});
    gui::Place(gui::MakeLabel(PanelTerap, "LabCampoTerap", "Campo da esaminare"), {6, 4, 180, 16});
    gui::PlaceRadioColumn(PanelTerap,
                          {{&RBrimed, "RBrimed", "Rimedio"},
                           {&RBpatol, "RBpatol", "Patologia"},
                           {&RBposol, "RBposol", "Posologia"},
                           {&RBnotes, "RBnotes", "Note"}},
                          {6, 24, 180, 20}, 23);
    RBrimed->setChecked(true);
    PanelTerap->hide();
}

void SearchUtility::FormActivate() {
    Searching = false;
    FoundRecord = 0;
    // The activation shows the primary database's fields, as its radio does.
    RadioButton5->setChecked(true);
    RadioButton5Click();
    // Both databases must be there (a missing one is reported as a file error);
    // one that is damaged or cannot be read is named at once.
    for (const char* code : {"Prima", "Terap"}) {
        const DbFile db = SearchDatabase(code);
        if (TellUnusableDatabase(db, kDamagedDatabaseDone).empty()) DataRecordCount(db);
    }
}

// A change of database keeps the record shown: its edit is saved where it
// was found.
void SearchUtility::RadioButton5Click() {
    DatabaseCode = "Prima";
    PanelTerap->hide();
    PanelPrima->show();
    NextRecord = 0;
}

void SearchUtility::RadioButton6Click() {
    DatabaseCode = "Terap";
    PanelPrima->hide();
    PanelTerap->show();
    NextRecord = 0;
}

void SearchUtility::RbRimeClick() { ShowNoRecord(); }

void SearchUtility::ShowNoRecord() {
    Searching = false;
    NextRecord = 0;
    FoundRecord = 0;
    BBcerca->setText("Cerca");
    // The memos are emptied: there is no edit left to save.
    EditArmed = false;
    for (QPlainTextEdit* m : {Memo1, Memo2}) {
        m->clear();
        m->setPlaceholderText({});
    }
    Edit1->clear();
    Edit2->clear();
    SetBaseColour(Edit2, kWhiteColour);
    EdRime->clear();
    BBsalva->setEnabled(false);
}

void SearchUtility::RBrimedClick() { RbRimeClick(); }

void SearchUtility::EditCercaChange() {
    Searching = false;
    NextRecord = 0;
    BBcerca->setText("Cerca");
    EditArmed = false;
}

std::string SearchUtility::SelectedFieldCode() const {
    const std::vector<std::string> codes = SearchFieldCodes(DatabaseCode);
    const std::vector<QRadioButton*> radios =
        DatabaseCode == "Terap"
            ? std::vector<QRadioButton*>{RBrimed, RBpatol, RBposol, RBnotes}
            : std::vector<QRadioButton*>{RbRime, RBindi, RBposo, RBavve, RBSpri, RBSSec, RBSZod, RBpsic, RBnote,
                                         RBnoSu};
    for (std::size_t i = 0; i < radios.size() && i < codes.size(); ++i)
        if (radios[i]->isChecked()) return codes[i];
    return codes.front();
}

// One pass from the next record on; false when nothing more was found.
bool SearchUtility::SearchOnce() {
    const FieldMatch m = FindInField(DatabaseCode, FieldCode, Phrase, NextRecord);
    if (m.record == 0) return false;
    const SearchField field = SearchFieldFor(DatabaseCode, FieldCode);
    SetText(EdRime, m.remedy);
    SetText(Edit2, std::to_string(m.text.size()) + "/" + std::to_string(field.Capacity()));
    for (QPlainTextEdit* memo : {Memo1, Memo2}) memo->setPlaceholderText({});
    SetMemoText(Memo1, m.text.substr(0, m.position));
    SetMemoText(Memo2, m.text.substr(m.position));
    SetText(Edit1, std::to_string(m.record + 1));
    SetBaseColour(Edit2, kWhiteColour);
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
    const std::size_t length = MemoText(Memo1).size() + MemoText(Memo2).size();
    SetText(Edit2, std::to_string(length) + "/" + std::to_string(capacity));
    SetBaseColour(Edit2, length > capacity ? kRedColour : kWhiteColour);
}

void SearchUtility::EndSearch() {
    // The memos say so in grey, as a caption that the first key typed replaces.
    for (QPlainTextEdit* m : {Memo1, Memo2}) {
        m->clear();
        m->setPlaceholderText(kEndOfFile);
    }
    SetText(EdRime, kEndOfFile);
    Edit2->clear();
    SetText(Edit1, std::to_string(DataRecordCount(SearchDatabase(DatabaseCode))));
    BBcerca->setText("Cerca");
    Searching = false;
    NextRecord = 0;
    FoundRecord = 0;
}

void SearchUtility::BBcercaClick() {
    if (BBsalva->isEnabled()) {
        const int answer = gui::ShowMessage("Salvare le modifiche apportate?", "", gui::Buttons::YesNoCancel);
        if (answer == gui::AnswerYes) {
            SaveFoundField();
            return;
        }
    }
    // Nothing is read from a database that is damaged or cannot be read.
    if (!TellUnusableDatabase(SearchDatabase(DatabaseCode), kDamagedDatabaseDone).empty()) {
        ShowNoRecord();
        return;
    }
    BBsalva->setEnabled(false);
    EditArmed = false;
    // The field of the database chosen now, at every press: the database may
    // have changed since the search began.
    FieldCode = SelectedFieldCode();
    if (!Searching) {
        Phrase = rt::UpperAscii(TextOf(EditCerca));
        Searching = true;
        NextRecord = 1;  // the data records: record 0 is the header
        if (SearchOnce())
            BBcerca->setText("Continua");
        else
            EndSearch();
        return;
    }
    if (!SearchOnce()) EndSearch();
}

void SearchUtility::Memo1Click() { EditArmed = true; }

void SearchUtility::Memo1Change() {
    // Only a record shown can be saved ("FINE ARCHIVIO" is none).
    if (EditArmed && FoundRecord > 0) {
        BBsalva->setEnabled(true);
        ShowEditedLength();
    }
}

void SearchUtility::BBsalvaClick() {
    if (TextOf(EdRime) == kEndOfFile || FoundRecord == 0) {
        // Said rather than dropped: no record is shown, so there is nowhere to write.
        gui::ShowMessage("Nessun record \xE8 mostrato: non c'\xE8 nulla da salvare.");
        return;
    }
    SaveFoundField();
}

QPlainTextEdit* SearchUtility::RefusedMemo(const EntryField& field, std::size_t firstLength) const {
    if (!field.foreign.empty()) return ForeignCharacters(Memo1).empty() ? Memo2 : Memo1;
    const std::size_t at = RefusedCharacter(field);
    if (at != std::string::npos) return at < firstLength ? Memo1 : Memo2;
    return editedMemo_ ? editedMemo_ : Memo2;
}

void SearchUtility::SaveFoundField() {
    if (FoundRecord == 0) return;
    const std::string first = MemoText(Memo1);
    const std::string text = first + MemoText(Memo2);
    std::vector<EntryField> fields{SearchEntryField(FoundDatabase, FoundField, text)};
    fields[0].foreign = ForeignCharacters(Memo1->toPlainText() + Memo2->toPlainText());
    if (const std::string why = EntryRefusal(fields); !why.empty()) {
        // The typed text stays, and the focus goes where the refused character is.
        RefusedMemo(fields[0], first.size())->setFocus();
        gui::ShowMessage(why);
        return;
    }
    if (const std::string question = CutQuestion(fields);
        !question.empty() && gui::ShowMessage(question, "", gui::Buttons::YesNo) != gui::AnswerYes)
        return;
    const EditOutcome o = SaveFieldText(FoundDatabase, FoundField, FoundRecord, text);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return;
    BBsalva->setEnabled(false);
    EditArmed = false;
    // The memos show what the record now holds (a cut text as it was cut).
    const SearchField field = SearchFieldFor(FoundDatabase, FoundField);
    const Bytes record = ReadDataRecord(SearchDatabase(FoundDatabase), FoundRecord);
    const std::string stored = JoinField(record, field);
    SetText(EdRime, RecordRemedy(FoundDatabase, record));  // a remedy saved under a new name shows it
    const std::size_t split = std::min(first.size(), stored.size());
    SetMemoText(Memo1, stored.substr(0, split));
    SetMemoText(Memo2, stored.substr(split));
    SetText(Edit2, std::to_string(stored.size()) + "/" + std::to_string(field.Capacity()));
    SetBaseColour(Edit2, kWhiteColour);
}

}  // namespace remedies
