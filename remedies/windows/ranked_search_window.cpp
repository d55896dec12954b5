#include "remedies/windows/ranked_search_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/win1252.h"
#include "remedies/browser_search.h"
#include "remedies/windows/browser_window.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

RankedWindowState MultiSymptomWindow;
RankedWindowState CompoundTherapyWindow;

namespace {

// A bold label in its colour.
QLabel* BoldInColour(QLabel* label, const char* colour) {
    gui::SetBold(label);
    label->setStyleSheet(QString("color: %1").arg(colour));
    return label;
}

}  // namespace

RankedSearchWindow::RankedSearchWindow(RankedSearchKind kind, const char* instanceName,
                                       const char* caption, const std::vector<const char*>& helpLines,
                                       QWidget* parent)
    : RemedyDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), kind_(kind) {
    setObjectName(instanceName);
    setWindowTitle(gui::ToQt(caption));
    SetBackground(this, ColourOf(kWindowColour));

    auto* top = new QHBoxLayout(this);
    auto* slotsColumn = new QVBoxLayout;
    auto* middle = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    top->addLayout(slotsColumn, 3);
    top->addLayout(middle, 5);
    top->addLayout(right, 3);
    BuildSlots(slotsColumn);
    BuildResults(middle, helpLines);

    auto* searchRow = new QHBoxLayout;
    Label20 = gui::MakeLabel(this, "Label20", "Cerca");
    EdCerca = gui::MakeEdit(this, "EdCerca");
    SetBackground(EdCerca, kAqua);
    HandleEditKeys(
        EdCerca, [this](char typed) { EdCercaKeyPress(typed); }, [this] { EdCercaClick(); },
        [this] { EdCercaEdited(); });
    BBTrova = gui::MakeButton(this, "BBTrova", "Trova");
    BBTrova->setToolTip(gui::ToQt("cerca la parola all'interno della definizione"));
    searchRow->addWidget(Label20);
    searchRow->addWidget(EdCerca, 1);
    searchRow->addWidget(BBTrova);
    right->addLayout(searchRow);
    ListBox1 = gui::MakeList(this, "ListBox1");
    ListBox1->setStyleSheet("QListWidget { background: rgb(128,128,128); color: white; }");
    right->addWidget(ListBox1, 1);

    connect(ListBox1, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ListBox1Click(); }));
    connect(ListBox3, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ListBox3Click(); }));
    connect(BBpuliTutto, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBpuliTuttoClick(); }));
    connect(BBpuliMemo, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBpuliMemoClick(); }));
    connect(BBricerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBricercaClick(); }));
    connect(BBTrova, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBTrovaClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });

    resize(1240, 600);
}

// The fifteen numbered slots, each with its button that empties it, and the
// commands under them.
void RankedSearchWindow::BuildSlots(QVBoxLayout* slotsColumn) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    for (int k = 1; k <= kRankedSlots; ++k) {
        const std::string number = rt::ZeroPad(k, 2);
        const std::string labelName = k == 4 ? std::string("lab4") : "Label" + std::to_string(k);
        SlotLabel[k] = BoldInColour(gui::MakeLabel(this, labelName.c_str(), number + ")"), "blue");
        Ed[k] = gui::MakeReadOnlyEdit(this, ("Ed" + number).c_str());
        SetBackground(Ed[k], kSilver);
        BB[k] = gui::MakeButton(this, ("BB" + number).c_str(), "X");
        BB[k]->setStyleSheet("color: red; font-weight: bold");
        BB[k]->setFixedWidth(26);
        BB[k]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(SlotLabel[k], k - 1, 0);
        grid->addWidget(Ed[k], k - 1, 1);
        grid->addWidget(BB[k], k - 1, 2);
        connect(Ed[k], &QLineEdit::textChanged, this, gui::Guarded([this](const QString&) { Ed01Change(); }));
        connect(BB[k], &QPushButton::clicked, this, gui::Guarded([this, k](bool) { BBClick(k); }));
    }
    slotsColumn->addLayout(grid);
    gui::MakeButtons(this, {{&BBpuliTutto, "BBpuliTutto", "Pulisci Tutto"},
                            {&BBricerca, "BBricerca", "Avvia Ricerca"},
                            {&BitBtnRitorna, "BitBtnRitorna", "&Ritorna al Menu"}});
    BBricerca->setEnabled(false);
    slotsColumn->addWidget(BBpuliTutto);
    slotsColumn->addWidget(BBricerca);
    slotsColumn->addStretch(1);
    slotsColumn->addWidget(BitBtnRitorna);
}

// The help, the ranked results and the details of the chosen one.
void RankedSearchWindow::BuildResults(QVBoxLayout* middle, const std::vector<const char*>& helpLines) {
    Memo2 = gui::MakeMemo(this, "Memo2", true);
    QStringList help;
    for (const char* l : helpLines) help << gui::ToQt(l);
    Memo2->setPlainText(help.join('\n'));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    SetBackground(Memo2, kCream);
    QFont small = Memo2->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Memo2->setFont(small);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setFixedHeight(QFontMetrics(small).lineSpacing() * 10 + 16);
    middle->addWidget(Memo2);
    Label4 = BoldInColour(gui::MakeLabel(this, "Label4", "Clic per sviluppare"), "black");
    middle->addWidget(Label4);
    ListBox3 = gui::MakeList(this, "ListBox3");
    SetBackground(ListBox3, kCream);
    middle->addWidget(ListBox3, 2);
    Memo1 = gui::MakeMemo(this, "Memo1", true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetBackground(Memo1, kSilver);
    middle->addWidget(Memo1, 2);
    BBpuliMemo = gui::MakeButton(this, "BBpuliMemo", "Pulisci");
    middle->addWidget(BBpuliMemo);
}

void RankedSearchWindow::showEvent(QShowEvent* e) {
    if (!centred_ && screen()) {  // centred on the screen when first shown
        move(screen()->availableGeometry().center() - rect().center());
        centred_ = true;
    }
    RemedyDialog::showEvent(e);
}

RankedWindowState& RankedSearchWindow::WindowState() {
    return kind_ == RankedSearchKind::MultiSymptom ? MultiSymptomWindow : CompoundTherapyWindow;
}

void RankedSearchWindow::LoadVocabulary() {
    vocabulary_ = RankedVocabulary(kind_);
    ListBox1->clear();
    for (const auto& v : vocabulary_) ListBox1->addItem(gui::ToQt(v));
}

void RankedSearchWindow::StartWithEmptySlots() {
    SlotFilled.fill(false);
    ClearSlots();
    EdCerca->clear();
    WindowState().TypeAhead.clear();
}

void RankedSearchWindow::ShowVocabulary() {
    LoadVocabulary();
    EdCerca->setFocus();
}

bool RankedSearchWindow::DatabaseSound() {
    const RankedSearchFiles& files = FilesOf(kind_);
    const char* what = kind_ == RankedSearchKind::MultiSymptom ? "i sintomi" : "le patologie";
    if (DatabasesSound({files.db}, NothingShownUntilSound(what, files.vocabulary))) return true;
    vocabulary_.clear();
    ListBox1->clear();
    ClearResults();
    ResetSlotColours();
    return false;
}

void RankedSearchWindow::ResetSlotColours() {
    for (int k = 1; k <= kRankedSlots; ++k) SetBackground(Ed[k], kSilver);
}

void RankedSearchWindow::ClearResults() {
    ListBox3->clear();
    results_.clear();
    Memo1->clear();
}

void RankedSearchWindow::UpdateSlotFlags() {
    BBricerca->setEnabled(true);
    bool any = false;
    for (int k = 1; k <= kRankedSlots; ++k) {
        SlotFilled[k] = !Ed[k]->text().isEmpty();
        any = any || SlotFilled[k];
    }
    if (!any) {
        BBricerca->setEnabled(false);
        ResetSlotColours();
        ClearResults();
    }
}

void RankedSearchWindow::ClearSlots() {
    for (int k = 1; k <= kRankedSlots; ++k) Ed[k]->clear();
}

void RankedSearchWindow::PutInFirstFreeSlot(const std::string& text) {
    for (int k = 1; k <= kRankedSlots; ++k) {
        if (!SlotFilled[k]) {
            SetText(Ed[k], text);
            return;
        }
    }
}

void RankedSearchWindow::CopySlotsToGlobals() {
    for (int k = 1; k <= kRankedSlots; ++k) slots_[k] = TextOf(Ed[k]);
}

void RankedSearchWindow::ListPrefixBisect() {
    const int row = PrefixBisect(vocabulary_, WindowState().TypeAhead, kind_ == RankedSearchKind::CompoundTherapy);
    if (row >= 0) {
        ListBox1->setCurrentRow(row);
        ListBox1->scrollToItem(ListBox1->item(row), QAbstractItemView::PositionAtCenter);
    }
}

void RankedSearchWindow::EdCercaClick() {
    EdCerca->clear();
    WindowState().TypeAhead.clear();
    WindowState().FindNextPosition = 0;
}

void RankedSearchWindow::EdCercaKeyPress(char typed) {
    const bool every = kind_ == RankedSearchKind::CompoundTherapy;
    std::string& key = WindowState().TypeAhead;
    if (!ApplyTypeAheadKey(key, typed, every)) return;
    SetText(EdCerca, key);
    EdCerca->setCursorPosition(EdCerca->text().size());
    ListPrefixBisect();
}

void RankedSearchWindow::EdCercaEdited() {
    WindowState().TypeAhead = TextOf(EdCerca);
    ListPrefixBisect();
}

void RankedSearchWindow::ListBox1Click() {
    UpdateSlotFlags();
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item) return;
    PutInFirstFreeSlot(gui::FromQt(item->text()));
    UpdateSlotFlags();
}

void RankedSearchWindow::Ed01Change() { UpdateSlotFlags(); }

void RankedSearchWindow::BBClick(int slot) { Ed[slot]->clear(); }

void RankedSearchWindow::BBpuliTuttoClick() {
    BBricerca->setEnabled(false);
    ClearSlots();
    UpdateSlotFlags();
    ResetSlotColours();
    ClearResults();
}

void RankedSearchWindow::BBpuliMemoClick() { Memo1->clear(); }

void RankedSearchWindow::BBricercaClick() {
    if (!DatabaseSound()) return;
    WaitCursor wait;
    ClearResults();
    CopySlotsToGlobals();
    results_ = RunRankedSearch(kind_, slots_);
    for (const auto& r : results_) ListBox3->addItem(gui::ToQt(r.Line()));
}

void RankedSearchWindow::ListBox3Click() {
    ResetSlotColours();
    const int row = ListBox3->currentRow();
    if (row < 0 || row >= static_cast<int>(results_.size()) || !DatabaseSound()) return;
    RankedSlots current;
    for (int k = 1; k <= kRankedSlots; ++k) current[k] = TextOf(Ed[k]);
    RankedDetail d = RankedSearchDetail(kind_, results_[static_cast<std::size_t>(row)].name, slots_, current);
    for (const auto& line : d.lines) Memo1->appendPlainText(gui::ToQt(line));
    for (int k = 1; k <= kRankedSlots; ++k)
        if (d.highlighted[k]) SetBackground(Ed[k], kCream);
}

void RankedSearchWindow::BBTrovaClick() {
    if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
    RankedWindowState& s = WindowState();
    const int found = FindNextItem(vocabulary_, TextOf(EdCerca), s.FindNextPosition);
    if (found < 0) return;
    ListBox1->setCurrentRow(found);
    ListBox1->scrollToItem(ListBox1->item(found), QAbstractItemView::PositionAtCenter);
    s.FindNextPosition = found + 1;
}

}  // namespace remedies
