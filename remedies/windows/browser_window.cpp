#include "remedies/windows/browser_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

BrowserWindow::BrowserWindow(const BrowserFrame& frame, QWidget* parent)
    : RemedyDialog(parent), frame_(frame) {
    setObjectName(frame.instanceName);
    setWindowTitle(gui::ToQt(frame.caption));
    SetBackground(this, ColourOf(kWindowColour));

    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    top->addLayout(left, 4);
    top->addLayout(right, 1);
    BuildResultPage(left);
    BuildSearchColumn(right);

    // Overlays, placed by hand over the window.
    MemoInfo = gui::MakeMemo(this, "MemoInfo", true);
    SetText(MemoInfo, frame.infoText);
    SetBackground(MemoInfo, kCream);
    MemoInfo->viewport()->installEventFilter(this);
    MemoInfo->hide();
    list = gui::MakeList(this, "list");
    SetBackground(list, kCream);
    list->hide();

    connect(ListBox1, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ListBox1Click(); }));
    connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { list->hide(); });
    connect(BBseguito, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBseguitoClick(); }));
    connect(BBAnticipo, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBAnticipoClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtn2Click(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { close(); });

    resize(1180, 700);
}

// The chosen line, the page of fourteen slots under their bold column heads,
// the page row and the notes.
void BrowserWindow::BuildResultPage(QVBoxLayout* left) {
    auto* chosenRow = new QHBoxLayout;
    QLabel* chosenHead = gui::MakeLabel(this, "LabScelta", frame_.chosenLabel);
    gui::SetBold(chosenHead);
    chosenRow->addWidget(chosenHead);
    Chosen = gui::MakeReadOnlyEdit(this, frame_.chosenName);
    chosenRow->addWidget(Chosen, 1);
    left->addLayout(chosenRow);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    std::vector<std::pair<const char*, const char*>> heads{{"LabRimedio", frame_.remedyHeader}};
    if (frame_.signatureColumns) heads.insert(heads.end(), {{"LabPianeti", "Planeten"}, {"LabSegni", "Tekens"}});
    heads.push_back({"LabDosi", frame_.dosageHeader});
    int col = 1;
    for (const auto& [name, caption] : heads) {
        QLabel* head = gui::MakeLabel(this, name, caption);
        gui::SetBold(head);
        grid->addWidget(head, 0, col++);
    }
    for (int i = 1; i <= kSlotsPerPage; ++i) {
        const std::string n = std::to_string(i);
        SB[i] = gui::MakeButton(this, ("SB" + n).c_str(), n + "\xB0");
        SB[i]->setFixedWidth(40);
        SB[i]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(SB[i], i, 0);
        // The remedy, the signature columns where the browser has them, the dosage.
        std::vector<std::pair<QLineEdit**, const char*>> columns{{&EdP[i], "EdP"}};
        if (frame_.signatureColumns) columns.insert(columns.end(), {{&EdA[i], "EdA"}, {&EdS[i], "EdS"}});
        columns.push_back({&EdD[i], "EdD"});
        col = 1;
        for (const auto& [slot, stem] : columns) {
            *slot = gui::MakeReadOnlyEdit(this, (stem + n).c_str());
            if (slot != &EdP[i]) (*slot)->installEventFilter(this);
            grid->addWidget(*slot, i, col++);
        }
        connect(SB[i], &QPushButton::clicked, this, gui::Guarded([this, i](bool) { ShowSlotDetail(i); }));
    }
    grid->setColumnStretch(1, 3);
    if (frame_.signatureColumns) {
        grid->setColumnStretch(2, 2);
        grid->setColumnStretch(3, 2);
        grid->setColumnStretch(4, 5);
    } else {
        grid->setColumnStretch(2, 6);
    }
    left->addLayout(grid);

    BuildPageRow(left);
}

// The page number with its buttons and the notice of too many hits, then the notes.
void BrowserWindow::BuildPageRow(QVBoxLayout* left) {
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(gui::MakeLabel(this, "LabPagina", "pag"));
    Edit1 = gui::MakeReadOnlyEdit(this, "Edit1");
    Edit1->setFixedWidth(70);
    Edit1->setAlignment(Qt::AlignCenter);
    pageRow->addWidget(Edit1);
    gui::MakeButtons(this, {{&BBAnticipo, "BBAnticipo", "<<"}, {&BBseguito, "BBseguito", ">>"}});
    pageRow->addWidget(BBAnticipo);
    pageRow->addWidget(BBseguito);
    LabOltre = gui::MakeLabel(this, "LabOltre",
                              "Meer dan " + std::to_string(kMaxHits) + " treffers: alleen de eerste " +
                                  std::to_string(kMaxHits) + " worden getoond");
    LabOltre->setStyleSheet("QLabel { color: #c00000; font-weight: bold; }");
    LabOltre->hide();
    pageRow->addWidget(LabOltre);
    pageRow->addStretch(1);
    left->addLayout(pageRow);

    LabNote = gui::MakeLabel(this, "LabNote", "Notities");
    gui::SetBold(LabNote);
    left->addWidget(LabNote);
    MemoNote = gui::MakeMemo(this, "MemoNote", true);
    MemoNote->setMinimumHeight(90);
    left->addWidget(MemoNote, 1);
}

// The search box over the list and the commands under it.
void BrowserWindow::BuildSearchColumn(QVBoxLayout* right) {
    right->addWidget(gui::MakeLabel(this, "LabZoeken", "Zoeken"));
    SearchEdit = gui::MakeEdit(this, frame_.searchEditName);
    SetBackground(SearchEdit, kAqua);
    HandleEditKeys(
        SearchEdit, [this](char typed) { SearchKeyPress(typed); }, [this] { SearchEditClick(); },
        [this] { SearchEditEdited(); });
    right->addWidget(SearchEdit);
    ListBox1 = gui::MakeList(this, "ListBox1");
    right->addWidget(ListBox1, 1);
    gui::MakeButtons(this, {{&BitBtn1, "BitBtn1", "Opschonen"},
                            {&BitBtn2, "BitBtn2", frame_.infoButton},
                            {&BitBtnRitorna, "BitBtnRitorna", frame_.backButton}});
    right->addWidget(BitBtn1);
    right->addWidget(BitBtn2);
    right->addWidget(BitBtnRitorna);
}

bool BrowserWindow::DatabaseSound() {
    if (DatabasesSound({frame_.database()}, NothingShownUntilSound(frame_.notShown, frame_.listName))) return true;
    ShowNothingRead();
    return false;
}

void BrowserWindow::ShowNothingRead() {
    ListBox1->clear();
    ClearResultSlots();
    ShowHitsCut(false);
}

void BrowserWindow::LoadList(const std::vector<std::string>& lines) {
    ListBox1->clear();
    for (const auto& l : lines) ListBox1->addItem(gui::ToQt(l));
}

std::string BrowserWindow::ChosenLine() const {
    QListWidgetItem* item = ListBox1->currentItem();
    return item ? gui::FromQt(item->text()) : std::string();
}

std::string BrowserWindow::SlotRemedy(int slot) const { return TextOf(EdP[slot]); }

void BrowserWindow::ClearResultSlots() {
    for (int i = 1; i <= kSlotsPerPage; ++i)
        for (QLineEdit* e : {EdP[i], EdA[i], EdS[i], EdD[i]})
            if (e) e->clear();
    nextSlot_ = 1;
    Chosen->clear();
    MemoNote->clear();
    Edit1->clear();
    list->hide();
    LabNote->setText("Notities");
}

void BrowserWindow::FillResultSlot(const std::string& p, const std::string& a, const std::string& s,
                                   const std::string& d, bool newHit, std::int64_t record) {
    if (newHit) State().AddHit(record);
    if (nextSlot_ <= kSlotsPerPage) {
        const int i = nextSlot_++;
        SetText(EdP[i], p);
        if (EdA[i]) SetText(EdA[i], a);
        if (EdS[i]) SetText(EdS[i], s);
        SetText(EdD[i], d);
        SetBackground(Edit1, kAqua);
    } else if (newHit) {
        SetBackground(Edit1, kRed);
    }
    SetText(Edit1, State().PageIndicator());
}

void BrowserWindow::Page(bool forward) {
    if (!DatabaseSound()) return;
    if (forward)
        State().NextPage();
    else
        State().PreviousPage();
    const QString kept = Chosen->text();
    ClearResultSlots();
    Chosen->setText(kept);
    FillPage();
}

void BrowserWindow::ShowHitsCut(bool cut) { LabOltre->setVisible(cut); }

void BrowserWindow::BBseguitoClick() { Page(true); }
void BrowserWindow::BBAnticipoClick() { Page(false); }

void BrowserWindow::BitBtn2Click() {
    if (MemoInfo->isVisible()) {
        MemoInfo->hide();
        return;
    }
    MemoInfo->setGeometry(20, 60, 640, 380);
    MemoInfo->raise();
    MemoInfo->show();
}

void BrowserWindow::SearchKeyPress(char typed) {
    std::string& key = State().SearchKey;
    if (!ApplyTypeAheadKey(key, typed, frame_.upperEveryKey)) return;
    SetText(SearchEdit, key);
    SearchEdit->setCursorPosition(SearchEdit->text().size());
    SeekKey();
}

void BrowserWindow::SearchEditEdited() {
    State().SearchKey = TextOf(SearchEdit);
    SeekKey();
}

void BrowserWindow::SeekKey() {
    const std::string& key = State().SearchKey;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(ListBox1->count()));
    for (int i = 0; i < ListBox1->count(); ++i) lines.push_back(gui::FromQt(ListBox1->item(i)->text()));
    // The lists are sorted without regard to case, so the key is compared so
    // too: a symptom in small letters is reached by its capital first letter.
    const int row = PrefixBisect(lines, key, true);
    if (row >= 0) {
        ListBox1->setCurrentRow(row);
        ListBox1->scrollToItem(ListBox1->item(row), QAbstractItemView::PositionAtCenter);
    }
}

void BrowserWindow::SearchEditClick() {
    SearchEdit->clear();
    State().SearchKey.clear();
}

void BrowserWindow::PlaceAt(QWidget* overlay, QWidget* anchor) {
    overlay->move(anchor->mapTo(this, QPoint(0, 0)));
    overlay->raise();
}

void BrowserWindow::ShowSignatureWords(QLineEdit* edit, bool markPrimary) {
    list->clear();
    const auto words = SignatureWords(TextOf(edit), markPrimary);
    for (const auto& w : words) list->addItem(gui::ToQt(w));
    list->resize(std::max(edit->width(), 160), 20 * static_cast<int>(std::max<std::size_t>(words.size(), 1)) + 4);
    PlaceAt(list, edit);
    list->show();
}

void BrowserWindow::SlotDoubleClick(QLineEdit* edit, int, char column) {
    if (column == 'A') ShowSignatureWords(edit, true);
    if (column == 'S') ShowSignatureWords(edit, false);
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == MemoInfo->viewport() && type == QEvent::MouseButtonDblClick) {
        MemoInfo->hide();
        return true;
    }
    for (int i = 1; i <= kSlotsPerPage; ++i) {
        for (char column : {'A', 'S', 'D'}) {
            QLineEdit* e = column == 'A' ? EdA[i] : column == 'S' ? EdS[i] : EdD[i];
            if (!e || watched != e) continue;
            if (type == QEvent::MouseButtonPress && column != 'D') list->hide();
            if (type == QEvent::MouseButtonDblClick) {
                gui::Guard([this, e, i, column] { SlotDoubleClick(e, i, column); });
                return true;
            }
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace remedies
