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
#include "remedies/windows/editor_widgets.h"

namespace remedies {

TFoMainArc* FoMainArc = nullptr;

using namespace edit_ui;

namespace {

struct FieldRow {
    const char* name;
    bool memo;
    std::size_t maximum;
    int guardTop;
    const char* placeholder;
    const char* label;
    int x, w, h;
};

// The ten editing fields: the record text each gives, its maximum, the top of
// the length warning beside it and the text it shows after clearing.
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

const char* const kInstructions[] = {
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
};

std::string IndicationForCompare(const std::string& s) { return s == "Indicaties" ? std::string() : s; }

}  // namespace

TFoMainArc::TFoMainArc() {
    setObjectName("FoMainArc");
    setWindowTitle("PRIMAIRE DATABASE");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(999, 558);
    setFont(WindowFont());
    SetBackground(this, kDatabaseWindowColour);

    PlaceLabel(this, "Zoeken", 8, 12);
    EdCerca = PlaceEdit(this, "EdCerca", 60, 8, 238);
    SetBackground(EdCerca, kAquaColour);
    RBprod = PlaceRadio(this, "RBprod", "Sorteren op remedie", 8, 33, 145);
    RBindi = PlaceRadio(this, "RBindi", "Sorteren op Symptomen", 155, 33, 145);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 56, 290, 437);
    SetFieldColours(ListBox1, 8421504, 16777215);
    EdNumRec = PlaceEdit(this, "EdNumRec", 8, 499, 150);
    EdNumRec->setReadOnly(true);
    EdNumRec->setToolTip("Numero del record");
    BBmodifEle = PlaceButton(this, "BBmodifEle", "Modifica Elenco", 8, 527, 143);
    BBannulla = PlaceButton(this, "BBannulla", "Annulla Modifiche", 155, 527, 143);
    BBannulla->hide();

    PlaceLabel(this, "trova", 420, 12);
    EdTrova = PlaceEdit(this, "EdTrova", 455, 8, 220);
    BBtrova = PlaceButton(this, "BBtrova", "trova", 680, 6, 85);
    MemoInfo = PlaceMemo(this, "MemoInfo", 775, 4, 215, 46);
    MemoInfo->setReadOnly(true);
    SetBackground(MemoInfo, kHelpMemoColour);
    MemoInfo->setPlainText(gui::ToQt(
        "Gli archivi di appoggio vengono ricostruiti dopo ogni modifica salvata."));

    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        const FieldRow& f = kFieldRows[i];
        const int labelX = (i == 5) ? 582 : 305;
        if (i == 4 || i == 6) {
            // "Signatuur" above "Planetaire 1" / "Dierenriem".
            PlaceLabel(this, "Signatuur", labelX, f.guardTop - 4, 108, 14);
            PlaceLabel(this, i == 4 ? "Planetaire            1" : "Dierenriem", labelX, f.guardTop + 10, 108, 14);
        } else {
            PlaceLabel(this, f.label, labelX, f.guardTop + 3, i == 5 ? 12 : 108);
        }
        QWidget* w;
        if (f.memo) {
            auto* m = PlaceMemo(this, f.name, f.x, f.guardTop, f.w, f.h);
            static const std::map<std::string, const char*> hints{
                {"MemoIndi", "Indicazioni"}, {"MemoPoso", "Posologia"}, {"MemoAvve", "Avvertenze"},
                {"MemoSint", "Sintesi Psichica"}, {"MemoNote", "Note"}, {"MemoNoteSupp", "Note"}};
            m->setToolTip(QString::fromLatin1(hints.at(f.name)));
            w = m;
        } else {
            auto* e = PlaceEdit(this, f.name, f.x, f.guardTop, f.w, f.h);
            if (i == 0) {
                QFont bold = e->font();
                bold.setBold(true);
                e->setFont(bold);
            }
            w = e;
        }
        SetBackground(w, kSilverColour);
        new KeyPressHook(w, [this, i](QKeyEvent* e) {
            const char c = TypedChar(e);
            if (c) gui::Guard([&] { FieldKeyPress(static_cast<int>(i), c); });
            return false;
        });
    }
    EdProd = findChild<QLineEdit*>("EdProd");
    EdPlane = findChild<QLineEdit*>("EdPlane");
    EdSeco = findChild<QLineEdit*>("EdSeco");
    EdZodi = findChild<QLineEdit*>("EdZodi");
    MemoIndi = findChild<QPlainTextEdit*>("MemoIndi");
    MemoPoso = findChild<QPlainTextEdit*>("MemoPoso");
    MemoAvve = findChild<QPlainTextEdit*>("MemoAvve");
    MemoSint = findChild<QPlainTextEdit*>("MemoSint");
    MemoNote = findChild<QPlainTextEdit*>("MemoNote");
    MemoNoteSupp = findChild<QPlainTextEdit*>("MemoNoteSupp");

    EdLimite = PlaceEdit(this, "EdLimite", 775, 53, 215);
    EdLimite->setReadOnly(true);
    EdLimite->setText("Superato Limite Lunghezza");
    SetFieldColours(EdLimite, kRedColour, 16777215);
    EdLimite->hide();

    MemoPare = PlaceMemo(this, "MemoPare", 415, 496, 350, 28);
    MemoPare->setReadOnly(true);
    MemoPare->setPlainText(gui::ToQt("Il numero tra parentesi si riferisce ad un impiego specifico\n"
                                     "del Rimedio e NON ad una variante del Rimedio stesso"));
    MemoPare->hide();

    MemoIstruz = PlaceMemo(this, "MemoIstruz", 305, 53, 460, 438);
    MemoIstruz->setReadOnly(true);
    SetBackground(MemoIstruz, kHelpMemoColour);
    {
        std::string text;
        for (const char* line : kInstructions) text += std::string(line) + "\r\n";
        SetMemoText(MemoIstruz, text);
    }
    MemoIstruz->hide();

    const int by = 527;
    BBpulisci = PlaceButton(this, "BBpulisci", "Pulisci", 305, by, 95);
    BBelimina = PlaceButton(this, "BBelimina", "Elimina dal Database", 403, by, 115);
    BBsalva = PlaceButton(this, "BBsalva", "Salva", 521, by, 75);
    BBnuovo = PlaceButton(this, "BBnuovo", "Salva come Nuovo", 599, by, 105);
    BBRico = PlaceButton(this, "BBRico", "Ricostruisci File", 707, by, 100);
    BBinfo = PlaceButton(this, "BBinfo", "Info On/Off", 810, by, 75);
    BitBtnRitorna = PlaceButton(this, "BitBtnRitorna", "&Terug naar het menu", 888, by, 102);
    for (QPushButton* b : {BBelimina, BBsalva, BBnuovo}) b->setEnabled(false);

    PanelSalva = new QWidget(this);
    PanelSalva->setObjectName("PanelSalva");
    PanelSalva->setGeometry(330, 160, 420, 220);
    SetBackground(PanelSalva, kHelpMemoColour);
    PanelSalva->setAttribute(Qt::WA_StyledBackground, true);
    PanelSalva->setStyleSheet(QString("QWidget#PanelSalva { border: 2px solid black; background-color: %1; }")
                                  .arg(ColourName(kHelpMemoColour)));
    {
        QLabel* a = PlaceLabel(PanelSalva, "ATTENZIONE:", 16, 10, 380, 18);
        QFont f = a->font();
        f.setBold(true);
        a->setFont(f);
        PlaceLabel(PanelSalva, "Che cosa vuoi fare?", 16, 30, 380, 18);
        LabProd = PlaceLabel(PanelSalva, "Cambiamento nel Nome del Prodotto", 16, 56, 380, 18);
        LabProd->setObjectName("LabProd");
        LabIndi = PlaceLabel(PanelSalva, "Cambiamento nell'indicazione Terapeutica", 16, 76, 380, 18);
        LabIndi->setObjectName("LabIndi");
        LabDesc = PlaceLabel(PanelSalva, "Cambiamento nelle Descrizioni", 16, 96, 380, 18);
        LabDesc->setObjectName("LabDesc");
        BBsalva1 = PlaceButton(PanelSalva, "BBsalva1", "Salva", 16, 130, 185);
        BBnuovo1 = PlaceButton(PanelSalva, "BBnuovo1", "Salva come Nuovo", 216, 130, 185);
        BBelimina1 = PlaceButton(PanelSalva, "BBelimina1", "Elimina dal Database", 16, 170, 185);
        BBignora1 = PlaceButton(PanelSalva, "BBignora1", "Ignora", 216, 170, 185);
        BBsalva1->setEnabled(false);
        BBnuovo1->setEnabled(false);
    }
    PanelSalva->hide();

    auto on = [this](QPushButton* b, void (TFoMainArc::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(BBpulisci, &TFoMainArc::BBpulisciClick);
    on(BBsalva, &TFoMainArc::BBsalvaClick);
    on(BBnuovo, &TFoMainArc::BBnuovoClick);
    on(BBelimina, &TFoMainArc::BBeliminaClick);
    on(BBRico, &TFoMainArc::BBRicoClick);
    on(BBinfo, &TFoMainArc::BBinfoClick);
    on(BBmodifEle, &TFoMainArc::BBmodifEleClick);
    on(BBannulla, &TFoMainArc::BBannullaClick);
    on(BBtrova, &TFoMainArc::BBtrovaClick);
    on(BitBtnRitorna, &TFoMainArc::AskPrimaryClose);
    on(BBsalva1, &TFoMainArc::BBsalva1Click);
    on(BBnuovo1, &TFoMainArc::BBnuovo1Click);
    on(BBelimina1, &TFoMainArc::BBelimina1Click);
    on(BBignora1, &TFoMainArc::BBignora1Click);
    connect(RBprod, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBprodClick(); }));
    connect(RBindi, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBindiClick(); }));
    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1Click(ListBox1->row(it)); }));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1DblClick(ListBox1->row(it)); }));
    new KeyPressHook(EdCerca, [this](QKeyEvent* e) {
        const char c = TypedChar(e);
        if (!c) return false;
        gui::Guard([&] { EdCercaKeyPress(c); });
        return true;
    });
    new ClickHook(EdCerca, [this] { gui::Guard([this] { EdCercaClick(); }); });
    new ClickHook(EdTrova, [this] { gui::Guard([this] { EdTrovaClick(); }); });
    for (QPlainTextEdit* m : {MemoPoso, MemoAvve, MemoSint, MemoNote, MemoNoteSupp})
        connect(m, &QPlainTextEdit::textChanged, this, [this] { DescriptionChange(); });
    for (QLineEdit* e : {EdPlane, EdSeco, EdZodi})
        connect(e, &QLineEdit::textChanged, this, [this](const QString&) { DescriptionChange(); });
    connect(EdProd, &QLineEdit::textChanged, this, [this](const QString&) { KeyFieldChange(); });
    connect(MemoIndi, &QPlainTextEdit::textChanged, this, [this] { KeyFieldChange(); });
}

void TFoMainArc::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    closing_ = false;
    gui::Guard([this] { FormActivate(); });
}

void TFoMainArc::reject() { gui::Guard([this] { AskPrimaryClose(); }); }

QWidget* TFoMainArc::FieldWidget(int field) const {
    return findChild<QWidget*>(kFieldRows[static_cast<std::size_t>(field)].name);
}

std::string TFoMainArc::FieldText(int field) const {
    QWidget* w = FieldWidget(field);
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return MemoText(m);
    return EditText(static_cast<QLineEdit*>(w));
}

PrimaryTexts TFoMainArc::FormTexts() const {
    PrimaryTexts t;
    t.Remedy = FieldText(0);
    t.Indication = FieldText(1);
    t.Posology = FieldText(2);
    t.Warnings = FieldText(3);
    t.PrimarySignature = FieldText(4);
    t.SecondarySignature = FieldText(5);
    t.ZodiacalSignature = FieldText(6);
    t.Synthesis = FieldText(7);
    t.Notes = FieldText(8);
    t.ExtraNotes = FieldText(9);
    return t;
}

void TFoMainArc::FormActivate() {
    ClearPrimaryForm();
    EndReorder();
    PanelSalva->hide();
    RBprod->setChecked(true);
    FillListByRemedy();
    SavedRemedyText.clear();
    SavedIndicationText.clear();
    CurrentRecordNumber = 0;
    MovePending = false;
}

void TFoMainArc::ClearPrimaryForm() {
    CurrentRecordNumber = 0;
    EdNumRec->clear();
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        QWidget* w = FieldWidget(static_cast<int>(i));
        if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            SetMemoText(m, kFieldRows[i].placeholder);
        else
            static_cast<QLineEdit*>(w)->clear();
    }
    SavedRemedyText.clear();
    SavedIndicationText.clear();
    DescriptionsChanged = false;
    RecordShown = false;
    MemoPare->hide();
    EdLimite->hide();
    BBelimina->setEnabled(false);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
}

void TFoMainArc::FillList(bool bySymptom, bool sorted) {
    Entries = PrimaryEditorEntries(bySymptom, sorted);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
}

void TFoMainArc::FillListByRemedy() {
    FillList(false, true);
    RecordCountText = remedies::RecordCountText(static_cast<std::int64_t>(Entries.size()));
}

void TFoMainArc::FillListBySymptom() { FillList(true, true); }

void TFoMainArc::RefillInSelectedOrder() {
    if (RBprod->isChecked())
        FillListByRemedy();
    else
        FillListBySymptom();
}

void TFoMainArc::RBprodClick() {
    RBprod->setChecked(true);
    FillListByRemedy();
}

void TFoMainArc::RBindiClick() {
    RBindi->setChecked(true);
    FillListBySymptom();
}

void TFoMainArc::ListBox1Click(int index) {
    if (!ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    ShowRecord(index);
}

void TFoMainArc::ShowRecord(int index) {
    EdLimite->hide();
    MemoIstruz->hide();
    const EditorEntry& entry = Entries[static_cast<std::size_t>(index)];
    auto [remedy, indication] = SplitListEntry(entry.text, RBindi->isChecked());
    // The entry carries its record; it is read by number, so a name holding "*"
    // finds its own record. Should the file have changed, the first record with
    // the same remedy and indication is taken.
    std::int64_t r = 0;
    PrimaryRecord rec;
    if (entry.record > 0 && entry.record <= PrimaryRecordCount()) {
        rec = ReadPrimaryRecord(entry.record);
        const std::string text = RBindi->isChecked() ? EntryBySymptom(rec) : EntryByRemedy(rec);
        if (text == entry.text) r = entry.record;
    }
    if (r == 0) {
        r = FindPrimaryRecord(remedy, indication);
        if (r > 0) rec = ReadPrimaryRecord(r);
    }
    if (r > 0) remedy = rec.Remedy;
    SetEditText(EdProd, remedy);
    SavedRemedyText = remedy;
    MemoPare->setVisible(HoldsUseNumber(remedy));
    if (r > 0) {
        const PrimaryTexts t = PrimaryRecordToTexts(rec);
        SetMemoText(MemoIndi, t.Indication);
        SetMemoText(MemoPoso, t.Posology);
        SetMemoText(MemoAvve, t.Warnings);
        SetEditText(EdPlane, t.PrimarySignature);
        SetEditText(EdSeco, t.SecondarySignature);
        SetEditText(EdZodi, t.ZodiacalSignature);
        SetMemoText(MemoSint, t.Synthesis);
        SetMemoText(MemoNote, t.Notes);
        SetMemoText(MemoNoteSupp, t.ExtraNotes);
        SavedIndicationText = t.Indication;
        CurrentRecordNumber = r;
        SetEditText(EdNumRec, std::to_string(r) + " / " + RecordCountText);
    }
    BBelimina->setEnabled(true);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    DescriptionsChanged = false;
    RecordShown = true;
}

void TFoMainArc::MoveList(const std::string& key) {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (const EditorEntry& e : Entries) lines.push_back(e.text);
    const int i = EditorListSeek(lines, key);
    if (i >= 0) ListBox1->setCurrentRow(i);
}

void TFoMainArc::EdCercaKeyPress(char key) {
    if (!ListBrowsing) return;
    const bool upper = RBprod->isChecked() || SearchKey.empty();
    ApplyKeyToText(SearchKey, key, upper);
    SetEditText(EdCerca, SearchKey);
    MoveList(SearchKey);
}

void TFoMainArc::EdCercaClick() {
    if (!ListBrowsing) return;
    EdCerca->clear();
    SearchKey.clear();
}

void TFoMainArc::FieldKeyPress(int field, char key) {
    const FieldRow& row = kFieldRows[static_cast<std::size_t>(field)];
    std::string& length = LengthTexts[static_cast<std::size_t>(field)];
    length = FieldText(field);
    ApplyKeyToText(length, key, true);
    if (length.size() > row.maximum) {
        EdLimite->move(EdLimite->x(), row.guardTop);
        EdLimite->show();
        EdLimite->raise();
        Beep();
    } else {
        EdLimite->hide();
    }
    if (field == 0) {
        SearchKey = length;
        MoveList(SearchKey);
    }
}

void TFoMainArc::DescriptionChange() {
    if (!RecordShown) return;
    DescriptionsChanged = true;
    BBsalva->setEnabled(true);
    BBnuovo->setEnabled(true);
}

void TFoMainArc::KeyFieldChange() {
    BBsalva->setEnabled(true);
    BBnuovo->setEnabled(true);
}

bool TFoMainArc::SaveInPlace() {
    if (CurrentRecordNumber == 0) {
        gui::ShowMessage("Possibile solo [Salva come Nuovo]");
        return false;
    }
    const PrimaryTexts t = FormTexts();
    const EditOutcome o = SavePrimaryEdit(CurrentRecordNumber, t);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return false;
    DescriptionsChanged = false;
    SavedRemedyText = t.Remedy;
    SavedIndicationText = t.Indication;
    return true;
}

void TFoMainArc::BBsalvaClick() {
    if (SaveInPlace()) RefillInSelectedOrder();
}

bool TFoMainArc::SaveAsNew() {
    const PrimaryTexts t = FormTexts();
    const EditOutcome o = AppendPrimaryEdit(t);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return false;
    RecordCountText = remedies::RecordCountText(o.count);
    SavedRemedyText = t.Remedy;
    SavedIndicationText = t.Indication;
    DescriptionsChanged = false;
    return true;
}

void TFoMainArc::BBnuovoClick() {
    if (!SaveAsNew()) return;
    RefillInSelectedOrder();
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
}

void TFoMainArc::DeleteCurrent() {
    if (CurrentRecordNumber <= 0) return;
    const EditOutcome o = DeletePrimaryEdit(CurrentRecordNumber);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return;
    RecordCountText = remedies::RecordCountText(o.count);
    ClearPrimaryForm();
}

void TFoMainArc::BBeliminaClick() {
    if (CurrentRecordNumber <= 0)
        ClearPrimaryForm();
    else
        DeleteCurrent();
    if (CurrentRecordNumber > 0) return;  // the delete failed: the form stays
    RefillInSelectedOrder();
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
}

void TFoMainArc::BBRicoClick() {
    if (!ListBrowsing) return;
    {
        HourGlass wait;
        RebuildPrimaryLists();
    }
    ClearPrimaryForm();
    RBindi->setChecked(true);
    FillListBySymptom();
}

void TFoMainArc::BBinfoClick() { MemoIstruz->setVisible(!MemoIstruz->isVisible()); }

void TFoMainArc::BBmodifEleClick() {
    if (ListBrowsing) {
        HourGlass wait;
        // The form is emptied first: no record stays current while the
        // record numbers change.
        ClearPrimaryForm();
        ListBrowsing = false;
        FillList(false, false);
        RBprod->hide();
        RBindi->hide();
        EdCerca->setEnabled(false);
        BBmodifEle->setText("Definitivo");
        BBannulla->show();
        BBRico->setEnabled(false);
        BBpulisci->setEnabled(false);
        for (int i = 0; i < 10; ++i) FieldWidget(i)->setEnabled(false);
        HeldEntry.clear();
        MovePending = false;
        return;
    }
    std::vector<std::int64_t> order;
    order.reserve(Entries.size());
    for (const EditorEntry& e : Entries) order.push_back(e.record);
    EditOutcome o;
    {
        HourGlass wait;
        o = CommitPrimaryOrder(order);
    }
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    BBannullaClick();
}

void TFoMainArc::EndReorder() {
    ListBrowsing = true;
    RBprod->show();
    RBindi->show();
    EdCerca->setEnabled(true);
    EdCerca->clear();
    BBmodifEle->setText("Modifica Elenco");
    BBannulla->hide();
    BBRico->setEnabled(true);
    BBpulisci->setEnabled(true);
    for (int i = 0; i < 10; ++i) FieldWidget(i)->setEnabled(true);
    HeldEntry.clear();
    MovePending = false;
}

void TFoMainArc::BBannullaClick() {
    HourGlass wait;
    EndReorder();
    ClearPrimaryForm();
    RBprod->setChecked(true);
    FillListByRemedy();
}

void TFoMainArc::ListBox1DblClick(int index) {
    if (ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    if (!MovePending) {
        HeldIndex = index;
        HeldEntry = Entries[static_cast<std::size_t>(index)].text;
        SetEditText(EdCerca, HeldEntry);
        MovePending = true;
        return;
    }
    TargetIndex = index;
    MoveHeldEntry(Entries, HeldIndex, TargetIndex);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
    ListBox1->setCurrentRow(TargetIndex);
    EdCerca->clear();
    HeldEntry.clear();
    MovePending = false;
}

void TFoMainArc::BBtrovaClick() {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (const EditorEntry& e : Entries) lines.push_back(e.text);
    const int i = FindNextEntry(lines, EditText(EdTrova), FindActive ? LastFoundIndex : -1);
    if (i < 0) {
        FindActive = false;
        return;
    }
    ListBox1->setCurrentRow(i);
    LastFoundIndex = i;
    FindActive = true;
}

void TFoMainArc::EdTrovaClick() {
    FindActive = false;
    BBtrova->setDefault(true);
}

void TFoMainArc::AskPrimaryClose() {
    MemoIstruz->hide();
    LabIndi->setEnabled(false);
    LabProd->setEnabled(false);
    LabDesc->setEnabled(false);
    BBnuovo1->setEnabled(false);
    BBsalva1->setEnabled(false);
    bool ask = false;
    if (IndicationForCompare(MemoText(MemoIndi)) != IndicationForCompare(SavedIndicationText)) {
        ask = true;
        LabIndi->setEnabled(true);
        BBnuovo1->setEnabled(true);
        BBsalva1->setEnabled(true);
    }
    if (EditText(EdProd) != SavedRemedyText) {
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
    if (!ask) {
        PanelSalva->hide();
        done(QDialog::Accepted);
        return;
    }
    PanelSalva->show();
    PanelSalva->raise();
}

// The panel's answers close the window once their work is done; a save that
// failed keeps the window open, so the edits are not lost.
void TFoMainArc::BBsalva1Click() {
    PanelSalva->hide();
    if (SaveInPlace() || CurrentRecordNumber == 0) done(QDialog::Accepted);
}

void TFoMainArc::BBnuovo1Click() {
    PanelSalva->hide();
    if (!SaveAsNew()) return;
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
    done(QDialog::Accepted);
}

void TFoMainArc::BBelimina1Click() {
    PanelSalva->hide();
    DeleteCurrent();
    if (CurrentRecordNumber == 0) done(QDialog::Accepted);
}

void TFoMainArc::BBignora1Click() {
    PanelSalva->hide();
    ClearPrimaryForm();
    done(QDialog::Accepted);
}

}  // namespace remedies
