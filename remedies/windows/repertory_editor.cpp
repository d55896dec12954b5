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
#include "remedies/windows/editor_widgets.h"

namespace remedies {

TFoAggRep* FoAggRep = nullptr;

using namespace edit_ui;

namespace {

constexpr int kPato = 0, kProd = 1, kPoso = 2, kNote = 3;
constexpr std::size_t kGuardMaximum[4] = {100, 100, 250, 300};
constexpr int kGuardTop[4] = {83, 136, 192, 253};

const char* const kInstructions[] = {
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
};

}  // namespace

TFoAggRep::TFoAggRep() {
    setObjectName("FoAggRep");
    setWindowTitle(gui::ToQt("DIRECTORY VAN THERAPIE\xCBN"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(999, 556);
    setFont(WindowFont());
    SetBackground(this, kDatabaseWindowColour);

    PlaceLabel(this, "Zoeken", 8, 12);
    EditCerca = PlaceEdit(this, "EditCerca", 60, 8, 238);
    SetBackground(EditCerca, kAquaColour);
    RBprod = PlaceRadio(this, "RBprod", "Sorteren op remedie", 8, 33, 140);
    RBpato = PlaceRadio(this, "RBpato", "Sorteren op pathologie", 150, 33, 150);
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
        "L'elenco delle patologie viene ricostruito dopo ogni modifica salvata."));

    {
        QLabel* h = PlaceLabel(this, "Therapie\xEBn Database", 305, 36, 200, 18);
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
    }
    QFont bold = font();
    bold.setBold(true);
    PlaceLabel(this, "PATHOLOGIE", 305, 86, 105);
    EdPato = PlaceEdit(this, "EdPato", 415, 83, 350, 24);
    EdPato->setFont(bold);
    PlaceLabel(this, "REMEDIE", 305, 139, 105);
    EdProd = PlaceEdit(this, "EdProd", 415, 136, 350, 24);
    EdProd->setFont(bold);
    PlaceLabel(this, "Dosering", 305, 195, 105);
    EdPoso = PlaceEdit(this, "EdPoso", 415, 192, 350, 24);
    PlaceLabel(this, "Notities", 305, 256, 105);
    MemoNote = PlaceMemo(this, "MemoNote", 415, 253, 350, 100);
    QWidget* fields[4] = {EdPato, EdProd, EdPoso, MemoNote};
    for (int i = 0; i < 4; ++i) {
        SetBackground(fields[i], kSilverColour);
        new KeyPressHook(fields[i], [this, i](QKeyEvent* e) {
            const char c = TypedChar(e);
            if (c) gui::Guard([&] { FieldKeyPress(i, c); });
            return false;
        });
    }

    PanelPrimario = new QWidget(this);
    PanelPrimario->setObjectName("PanelPrimario");
    PanelPrimario->setGeometry(305, 360, 685, 160);
    SetBackground(PanelPrimario, 16448222);
    {
        QLabel* a = PlaceLabel(PanelPrimario, "Primaire", 8, 6, 100, 18);
        a->setFont(bold);
        PlaceLabel(PanelPrimario, "database-informatie", 8, 24, 120, 18);
        QLabel* h = PlaceLabel(PanelPrimario, "Primaire Database", 8, 44, 120, 18);
        h->setFont(bold);
        MemoPrim = PlaceMemo(PanelPrimario, "MemoPrim", 135, 6, 400, 148);
        MemoPrim->setReadOnly(true);
        SetBackground(MemoPrim, 16381900);
        BBaltro = PlaceButton(PanelPrimario, "BBaltro", "Waarschuwingen", 545, 6, 132);
        BBsegna = PlaceButton(PanelPrimario, "BBsegna", "Astrologische Signaturen", 545, 40, 132);
        BBsinte = PlaceButton(PanelPrimario, "BBsinte", "Psychische Synthese", 545, 74, 132);
        BBnote = PlaceButton(PanelPrimario, "BBnote", "Notities", 545, 108, 132);
        for (QPushButton* b : {BBaltro, BBsegna, BBsinte, BBnote}) b->setEnabled(false);
    }

    EdLimite = PlaceEdit(this, "EdLimite", 775, 83, 215);
    EdLimite->setReadOnly(true);
    EdLimite->setText("Superato Limite Lunghezza");
    SetFieldColours(EdLimite, kRedColour, 16777215);
    EdLimite->hide();

    MemoIstruz = PlaceMemo(this, "MemoIstruz", 305, 53, 460, 300);
    MemoIstruz->setReadOnly(true);
    SetBackground(MemoIstruz, kHelpMemoColour);
    {
        std::string text;
        for (const char* line : kInstructions) text += std::string(line) + "\r\n";
        SetMemoText(MemoIstruz, text);
    }
    MemoIstruz->hide();

    const int by = 527;
    BBpulisci = PlaceButton(this, "BBpulisci", "Uitwissen", 305, by, 95);
    BBelimina = PlaceButton(this, "BBelimina", "Elimina dal Repertorio", 403, by, 115);
    BBsalva = PlaceButton(this, "BBsalva", "Salva", 521, by, 75);
    BBnuovo = PlaceButton(this, "BBnuovo", "Salva come Nuovo", 599, by, 105);
    BBRico = PlaceButton(this, "BBRico", "Ricostruisci File", 707, by, 100);
    BBinfo = PlaceButton(this, "BBinfo", "Info On/Off", 810, by, 75);
    BitBtnRitorna = PlaceButton(this, "BitBtnRitorna", "&Terug naar het menu", 888, by, 102);
    for (QPushButton* b : {BBelimina, BBsalva, BBnuovo}) b->setEnabled(false);

    PanelSalva = new QWidget(this);
    PanelSalva->setObjectName("PanelSalva");
    PanelSalva->setGeometry(330, 120, 420, 220);
    SetBackground(PanelSalva, kHelpMemoColour);
    PanelSalva->setAttribute(Qt::WA_StyledBackground, true);
    PanelSalva->setStyleSheet(QString("QWidget#PanelSalva { border: 2px solid black; background-color: %1; }")
                                  .arg(ColourName(kHelpMemoColour)));
    {
        QLabel* a = PlaceLabel(PanelSalva, "ATTENZIONE:", 16, 10, 380, 18);
        a->setFont(bold);
        PlaceLabel(PanelSalva, "Che cosa vuoi fare?", 16, 30, 380, 18);
        LabProd = PlaceLabel(PanelSalva, "Cambiamento nel Nome del Rimedio", 16, 56, 380, 18);
        LabProd->setObjectName("LabProd");
        LabIndi = PlaceLabel(PanelSalva, "Cambiamento nell nome della Patologia", 16, 76, 380, 18);
        LabIndi->setObjectName("LabIndi");
        LabDesc = PlaceLabel(PanelSalva, "Cambiamento nelle Descrizioni", 16, 96, 380, 18);
        LabDesc->setObjectName("LabDesc");
        BBsalva1 = PlaceButton(PanelSalva, "BBsalva1", "Salva", 16, 130, 185);
        BBnuovo1 = PlaceButton(PanelSalva, "BBnuovo1", "Salva come Nuovo", 216, 130, 185);
        BBelimina1 = PlaceButton(PanelSalva, "BBelimina1", "Elimina dal Repertorio", 16, 170, 185);
        BBignora1 = PlaceButton(PanelSalva, "BBignora1", "Ignora", 216, 170, 185);
        BBsalva1->setEnabled(false);
        BBnuovo1->setEnabled(false);
    }
    PanelSalva->hide();

    auto on = [this](QPushButton* b, void (TFoAggRep::*handler)()) {
        connect(b, &QPushButton::clicked, this, gui::Guarded([this, handler](bool) { (this->*handler)(); }));
    };
    on(BBpulisci, &TFoAggRep::BBpulisciClick);
    on(BBsalva, &TFoAggRep::BBsalvaClick);
    on(BBnuovo, &TFoAggRep::BBnuovoClick);
    on(BBelimina, &TFoAggRep::BBeliminaClick);
    on(BBRico, &TFoAggRep::BBRicoClick);
    on(BBinfo, &TFoAggRep::BBinfoClick);
    on(BBmodifEle, &TFoAggRep::BBmodifEleClick);
    on(BBannulla, &TFoAggRep::BBannullaClick);
    on(BBtrova, &TFoAggRep::BBtrovaClick);
    on(BitBtnRitorna, &TFoAggRep::AskRepertoryClose);
    on(BBsalva1, &TFoAggRep::BBsalva1Click);
    on(BBnuovo1, &TFoAggRep::BBnuovo1Click);
    on(BBelimina1, &TFoAggRep::BBelimina1Click);
    on(BBignora1, &TFoAggRep::BBignora1Click);
    on(BBaltro, &TFoAggRep::BBaltroClick);
    on(BBsegna, &TFoAggRep::BBsegnaClick);
    on(BBsinte, &TFoAggRep::BBsinteClick);
    on(BBnote, &TFoAggRep::BBnoteClick);
    connect(RBprod, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBprodClick(); }));
    connect(RBpato, &QRadioButton::clicked, this, gui::Guarded([this](bool) { RBpatoClick(); }));
    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1Click(ListBox1->row(it)); }));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            gui::Guarded([this](QListWidgetItem* it) { ListBox1DblClick(ListBox1->row(it)); }));
    new KeyPressHook(EditCerca, [this](QKeyEvent* e) {
        const char c = TypedChar(e);
        if (c) gui::Guard([&] { EditCercaKeyPress(c); });
        return false;  // the box shows what was typed
    });
    new ClickHook(EditCerca, [this] { gui::Guard([this] { EditCercaClick(); }); });
    new ClickHook(EdTrova, [this] { gui::Guard([this] { EdTrovaClick(); }); });
    new ClickHook(MemoPrim, [this] { gui::Guard([this] { MemoPrimDblClick(); }); }, true);
    new ClickHook(MemoNote, [this] { gui::Guard([this] { MemoNoteDblClick(); }); }, true);
    connect(EdPoso, &QLineEdit::textChanged, this, [this](const QString&) { DescriptionChange(); });
    connect(MemoNote, &QPlainTextEdit::textChanged, this, [this] { MemoNoteChange(); });
    connect(EdProd, &QLineEdit::textChanged, this, [this](const QString&) { KeyFieldChange(); });
    connect(EdPato, &QLineEdit::textChanged, this, [this](const QString&) { KeyFieldChange(); });
}

void TFoAggRep::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
}

void TFoAggRep::reject() { gui::Guard([this] { AskRepertoryClose(); }); }

RepertoryTexts TFoAggRep::FormTexts() const {
    RepertoryTexts t;
    t.Pathology = EditText(EdPato);
    t.Remedy = EditText(EdProd);
    t.Posology = EditText(EdPoso);
    t.Notes = MemoText(MemoNote);
    return t;
}

void TFoAggRep::FormActivate() {
    ClearRepertoryForm();
    EndReorder();
    PanelSalva->hide();
    RBpato->setChecked(true);
    FillRepListByPathology();
    MovePending = false;
}

void TFoAggRep::ClearRepertoryForm() {
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

void TFoAggRep::FillList(bool byPathology, bool sorted) {
    Entries = RepertoryEditorEntries(byPathology, sorted);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
    RecordCountText = remedies::RecordCountText(static_cast<std::int64_t>(Entries.size()));
}

void TFoAggRep::FillRepListByRemedy() { FillList(false, true); }
void TFoAggRep::FillRepListByPathology() { FillList(true, true); }

void TFoAggRep::RefillInSelectedOrder() {
    if (RBprod->isChecked())
        FillRepListByRemedy();
    else
        FillRepListByPathology();
}

void TFoAggRep::RBprodClick() {
    RBprod->setChecked(true);
    FillRepListByRemedy();
}

void TFoAggRep::RBpatoClick() {
    RBpato->setChecked(true);
    FillRepListByPathology();
}

void TFoAggRep::ListBox1Click(int index) {
    if (!ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    ShowRecord(index);
}

void TFoAggRep::ShowRecord(int index) {
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
    if (r > 0) remedy = rec.Remedy;
    SetEditText(EdProd, remedy);
    SavedRemedyText = remedy;
    if (r > 0) {
        SetEditText(EdPoso, rec.Posology);
        SetEditText(EdPato, rec.Pathology);
        SavedPathologyText = rec.Pathology;
        SetMemoText(MemoNote, rec.Notes());
        CurrentRecordNumber = r;
        SetEditText(EdNumRec, std::to_string(r) + " / " + RecordCountText);
    }
    BBelimina->setEnabled(true);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    DescriptionsChanged = false;
    RecordShown = true;
    LinkPrimary();
}

void TFoAggRep::LinkPrimary() {
    const std::string remedy = EditText(EdProd);
    const std::int64_t linked = FindLinkedPrimaryRecord(remedy);
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
    SetMemoText(MemoPrim, remedy + " kan niet worden gevonden in de primaire database.");
}

void TFoAggRep::BBaltroClick() { SetMemoText(MemoPrim, LinkedWarningsText); }
void TFoAggRep::BBsegnaClick() { SetMemoText(MemoPrim, LinkedSignaturesText(LinkedRecord)); }
void TFoAggRep::BBsinteClick() { SetMemoText(MemoPrim, LinkedSynthesisText(LinkedRecord)); }
void TFoAggRep::BBnoteClick() { SetMemoText(MemoPrim, LinkedNotesText(LinkedRecord)); }

void TFoAggRep::MemoPrimDblClick() { MemoNote->setPlainText(MemoPrim->toPlainText()); }
void TFoAggRep::MemoNoteDblClick() { MemoNote->clear(); }

void TFoAggRep::MoveList(const std::string& key) {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (const EditorEntry& e : Entries) lines.push_back(e.text);
    const int i = EditorListSeek(lines, key);
    if (i >= 0) ListBox1->setCurrentRow(i);
}

void TFoAggRep::ShowLimit(bool over, int top) {
    if (over) {
        EdLimite->move(EdLimite->x(), top);
        EdLimite->show();
        EdLimite->raise();
        Beep();
    } else {
        EdLimite->hide();
    }
}

void TFoAggRep::EditCercaKeyPress(char key) {
    if (!ListBrowsing) return;
    ApplyKeyToText(SearchKey, key, true);
    ShowLimit(SearchKey.size() > 50, 0);
    MoveList(SearchKey);
}

void TFoAggRep::EditCercaClick() {
    if (!ListBrowsing) return;
    EditCerca->clear();
    SearchKey.clear();
}

void TFoAggRep::FieldKeyPress(int field, char key) {
    if (field == kNote) DescriptionsChanged = true;
    std::string& length = LengthTexts[static_cast<std::size_t>(field)];
    length = field == kNote ? MemoText(MemoNote) : EditText(static_cast<QLineEdit*>(
                                                         field == kPato ? EdPato : field == kProd ? EdProd : EdPoso));
    ApplyKeyToText(length, key, true);
    ShowLimit(length.size() > kGuardMaximum[field], kGuardTop[field]);
    if ((field == kPato || field == kProd) && ListBrowsing) {
        SearchKey = length;
        MoveList(SearchKey);
    }
}

void TFoAggRep::DescriptionChange() {
    if (!RecordShown) return;
    DescriptionsChanged = true;
    BBsalva->setEnabled(true);
    BBnuovo->setEnabled(true);
}

void TFoAggRep::MemoNoteChange() {
    DescriptionChange();
    if (MemoText(MemoNote).size() > 750) {
        ShowLimit(true, 253);
    } else {
        EdLimite->hide();
    }
}

void TFoAggRep::KeyFieldChange() {
    BBsalva->setEnabled(true);
    BBnuovo->setEnabled(true);
}

bool TFoAggRep::SaveInPlace() {
    if (CurrentRecordNumber == 0) {
        gui::ShowMessage("Possibile solo [Salva come Nuovo]");
        return false;
    }
    const RepertoryTexts t = FormTexts();
    const EditOutcome o = SaveRepertoryEdit(CurrentRecordNumber, t);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return false;
    DescriptionsChanged = false;
    SavedRemedyText = t.Remedy;
    SavedPathologyText = t.Pathology;
    return true;
}

void TFoAggRep::BBsalvaClick() {
    if (SaveInPlace()) RefillInSelectedOrder();
}

bool TFoAggRep::SaveAsNew() {
    const RepertoryTexts t = FormTexts();
    const EditOutcome o = AppendRepertoryEdit(t);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return false;
    RecordCountText = remedies::RecordCountText(o.count);
    SavedRemedyText = t.Remedy;
    SavedPathologyText = t.Pathology;
    DescriptionsChanged = false;
    return true;
}

void TFoAggRep::BBnuovoClick() {
    if (!SaveAsNew()) return;
    RefillInSelectedOrder();
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
}

void TFoAggRep::DeleteCurrent() {
    if (CurrentRecordNumber <= 0) return;
    const EditOutcome o = DeleteRepertoryEdit(CurrentRecordNumber);
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    if (!o.saved) return;
    RecordCountText = remedies::RecordCountText(o.count);
    ClearRepertoryForm();
}

void TFoAggRep::BBeliminaClick() {
    if (CurrentRecordNumber <= 0)
        ClearRepertoryForm();
    else
        DeleteCurrent();
    if (CurrentRecordNumber > 0) return;  // the delete failed: the form stays
    RefillInSelectedOrder();
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
}

void TFoAggRep::BBRicoClick() {
    if (!ListBrowsing) return;
    {
        HourGlass wait;
        RebuildPathologyList();
    }
    ClearRepertoryForm();
    RBpato->setChecked(true);
    FillRepListByPathology();
}

void TFoAggRep::BBinfoClick() { MemoIstruz->setVisible(!MemoIstruz->isVisible()); }

void TFoAggRep::SetFieldsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{EdPato, EdProd, EdPoso, MemoNote, BBpulisci, BBRico})
        w->setEnabled(enabled);
}

void TFoAggRep::BBmodifEleClick() {
    if (ListBrowsing) {
        HourGlass wait;
        // No record stays current while the record numbers change.
        ClearRepertoryForm();
        ListBrowsing = false;
        RBprod->setChecked(true);
        FillList(false, false);
        RBprod->hide();
        RBpato->hide();
        EditCerca->setEnabled(false);
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
    EditOutcome o;
    {
        HourGlass wait;
        o = CommitRepertoryOrder(order);
    }
    if (!EditOutcomeMessage(o).empty()) gui::ShowMessage(EditOutcomeMessage(o));
    BBannullaClick();
}

void TFoAggRep::EndReorder() {
    ListBrowsing = true;
    RBprod->show();
    RBpato->show();
    EditCerca->setEnabled(true);
    EditCerca->clear();
    BBmodifEle->setText("Modifica Elenco");
    BBannulla->hide();
    SetFieldsEnabled(true);
    HeldEntry.clear();
    MovePending = false;
}

void TFoAggRep::BBannullaClick() {
    HourGlass wait;
    EndReorder();
    ClearRepertoryForm();
    RBprod->setChecked(true);
    FillRepListByRemedy();
}

void TFoAggRep::ListBox1DblClick(int index) {
    if (ListBrowsing || index < 0 || index >= static_cast<int>(Entries.size())) return;
    if (!MovePending) {
        HeldIndex = index;
        HeldEntry = Entries[static_cast<std::size_t>(index)].text;
        SetEditText(EditCerca, HeldEntry);
        MovePending = true;
        return;
    }
    TargetIndex = index;
    MoveHeldEntry(Entries, HeldIndex, TargetIndex);
    ListBox1->clear();
    for (const EditorEntry& e : Entries) ListBox1->addItem(gui::ToQt(e.text));
    ListBox1->setCurrentRow(TargetIndex);
    EditCerca->clear();
    HeldEntry.clear();
    MovePending = false;
}

void TFoAggRep::BBtrovaClick() {
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

void TFoAggRep::EdTrovaClick() {
    FindActive = false;
    BBtrova->setDefault(true);
}

void TFoAggRep::AskRepertoryClose() {
    MemoIstruz->hide();
    LabIndi->setEnabled(false);
    LabProd->setEnabled(false);
    LabDesc->setEnabled(false);
    BBnuovo1->setEnabled(false);
    BBsalva1->setEnabled(false);
    bool ask = false;
    if (EditText(EdPato) != SavedPathologyText) {
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
void TFoAggRep::BBsalva1Click() {
    PanelSalva->hide();
    if (SaveInPlace() || CurrentRecordNumber == 0) done(QDialog::Accepted);
}

void TFoAggRep::BBnuovo1Click() {
    PanelSalva->hide();
    if (!SaveAsNew()) return;
    SetEditText(EdNumRec, "Tot=" + RecordCountText);
    done(QDialog::Accepted);
}

void TFoAggRep::BBelimina1Click() {
    PanelSalva->hide();
    DeleteCurrent();
    if (CurrentRecordNumber == 0) done(QDialog::Accepted);
}

void TFoAggRep::BBignora1Click() {
    PanelSalva->hide();
    ClearRepertoryForm();
    done(QDialog::Accepted);
}

}  // namespace remedies
