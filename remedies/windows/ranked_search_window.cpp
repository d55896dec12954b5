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


namespace {

// A bold label in its colour.
QLabel* BoldInColour(QLabel* label, const char* colour) {
    gui::SetBold(label);
    label->setStyleSheet(QString("color: %1").arg(colour));
    return label;
}

}  // namespace

RankedSearchWindow::RankedSearchWindow(RankedSearchKind kind, const char* instanceName, const char* caption,
                                       const std::vector<const char*>& helpLines, RankedWindowState* state,
                                       QWidget* parent)
    : RemedyDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      kind_(kind),
      ownState_(state ? nullptr : std::make_unique<RankedWindowState>()),
      state_(state ? state : ownState_.get()) {
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
    searchLabel = gui::MakeLabel(this, "Label20", "Cerca");
    searchEdit = gui::MakeEdit(this, "EdCerca");
    SetBackground(searchEdit, kAqua);
    HandleEditKeys(
        searchEdit, [this](char typed) { TypeAhead(typed); }, [this] { StartNewKey(); }, [this] { TakeKeyFromBox(); });
    findButton = gui::MakeButton(this, "BBTrova", "Trova");
    findButton->setToolTip(gui::ToQt("cerca la parola all'interno della definizione"));
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(searchEdit, 1);
    searchRow->addWidget(findButton);
    right->addLayout(searchRow);
    vocabularyList = gui::MakeList(this, "ListBox1");
    vocabularyList->setStyleSheet("QListWidget { background: rgb(128,128,128); color: white; }");
    right->addWidget(vocabularyList, 1);

    connect(vocabularyList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { AddChosenToSlot(); }));
    connect(resultList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ShowResultDetail(); }));
    connect(clearAllButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ClearAll(); }));
    connect(clearDetailButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ClearDetail(); }));
    connect(searchButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { RunSearch(); }));
    connect(findButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { FindNext(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });

    resize(1240, 600);
}

// The fifteen numbered slots, each with its button that empties it, and the
// commands under them.
void RankedSearchWindow::BuildSlots(QVBoxLayout* slotsColumn) {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    for (int k = 0; k < kRankedSlots; ++k) {
        const int slotNumber = k + 1;
        const std::string number = rt::ZeroPad(slotNumber, 2);
        const std::string labelName = slotNumber == 4 ? std::string("lab4") : "Label" + std::to_string(slotNumber);
        slotLabel[k] = BoldInColour(gui::MakeLabel(this, labelName.c_str(), number + ")"), "blue");
        slotEdits[k] = gui::MakeReadOnlyEdit(this, ("Ed" + number).c_str());
        SetBackground(slotEdits[k], kSilver);
        clearSlotButtons[k] = gui::MakeButton(this, ("BB" + number).c_str(), "X");
        clearSlotButtons[k]->setStyleSheet("color: red; font-weight: bold");
        clearSlotButtons[k]->setFixedWidth(26);
        clearSlotButtons[k]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(slotLabel[k], k, 0);
        grid->addWidget(slotEdits[k], k, 1);
        grid->addWidget(clearSlotButtons[k], k, 2);
        connect(slotEdits[k], &QLineEdit::textChanged, this,
                gui::Guarded([this](const QString&) { UpdateSlotFlags(); }));
        connect(clearSlotButtons[k], &QPushButton::clicked, this, gui::Guarded([this, k](bool) { ClearSlot(k); }));
    }
    slotsColumn->addLayout(grid);
    gui::MakeButtons(this, {{&clearAllButton, "BBpuliTutto", "Pulisci Tutto"},
                            {&searchButton, "BBricerca", "Avvia Ricerca"},
                            {&backButton, "BitBtnRitorna", "&Ritorna al Menu"}});
    searchButton->setEnabled(false);
    slotsColumn->addWidget(clearAllButton);
    slotsColumn->addWidget(searchButton);
    slotsColumn->addStretch(1);
    slotsColumn->addWidget(backButton);
}

// The help, the ranked results and the details of the chosen one.
void RankedSearchWindow::BuildResults(QVBoxLayout* middle, const std::vector<const char*>& helpLines) {
    helpMemo = gui::MakeMemo(this, "Memo2", true);
    QStringList help;
    for (const char* l : helpLines) help << gui::ToQt(l);
    helpMemo->setPlainText(help.join('\n'));
    helpMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    SetBackground(helpMemo, kCream);
    QFont small = helpMemo->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    helpMemo->setFont(small);
    helpMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpMemo->setFixedHeight(QFontMetrics(small).lineSpacing() * 10 + 16);
    middle->addWidget(helpMemo);
    resultsLabel = BoldInColour(gui::MakeLabel(this, "Label4", "Clic per sviluppare"), "black");
    middle->addWidget(resultsLabel);
    resultList = gui::MakeList(this, "ListBox3");
    SetBackground(resultList, kCream);
    middle->addWidget(resultList, 2);
    detailMemo = gui::MakeMemo(this, "Memo1", true);
    detailMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    detailMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    detailMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetBackground(detailMemo, kSilver);
    middle->addWidget(detailMemo, 2);
    clearDetailButton = gui::MakeButton(this, "BBpuliMemo", "Pulisci");
    middle->addWidget(clearDetailButton);
}

void RankedSearchWindow::showEvent(QShowEvent* e) {
    if (!centred_ && screen()) {  // centred on the screen when first shown
        move(screen()->availableGeometry().center() - rect().center());
        centred_ = true;
    }
    RemedyDialog::showEvent(e);
}

RankedWindowState& RankedSearchWindow::WindowState() { return *state_; }

void RankedSearchWindow::LoadVocabulary() {
    vocabulary_ = RankedVocabulary(kind_);
    vocabularyList->clear();
    for (const auto& v : vocabulary_) vocabularyList->addItem(gui::ToQt(v));
}

void RankedSearchWindow::StartWithEmptySlots() {
    slotFilled.fill(false);
    ClearSlots();
    searchEdit->clear();
    WindowState().typeAhead.clear();
}

void RankedSearchWindow::ShowVocabulary() {
    LoadVocabulary();
    searchEdit->setFocus();
}

bool RankedSearchWindow::DatabaseSound() {
    const RankedSearchFiles& files = FilesOf(kind_);
    const char* what = kind_ == RankedSearchKind::MultiSymptom ? "i sintomi" : "le patologie";
    if (DatabasesSound({files.db}, NothingShownUntilSound(what, files.vocabulary))) return true;
    vocabulary_.clear();
    vocabularyList->clear();
    ClearResults();
    ResetSlotColours();
    return false;
}

void RankedSearchWindow::ResetSlotColours() {
    for (QLineEdit* e : slotEdits) SetBackground(e, kSilver);
}

void RankedSearchWindow::ClearResults() {
    resultList->clear();
    results_.clear();
    detailMemo->clear();
}

void RankedSearchWindow::UpdateSlotFlags() {
    searchButton->setEnabled(true);
    bool any = false;
    for (int k = 0; k < kRankedSlots; ++k) {
        slotFilled[k] = !slotEdits[k]->text().isEmpty();
        any = any || slotFilled[k];
    }
    if (!any) {
        searchButton->setEnabled(false);
        ResetSlotColours();
        ClearResults();
    }
}

void RankedSearchWindow::ClearSlots() {
    for (QLineEdit* e : slotEdits) e->clear();
}

void RankedSearchWindow::PutInFirstFreeSlot(const std::string& text) {
    for (int k = 0; k < kRankedSlots; ++k) {
        if (!slotFilled[k]) {
            SetText(slotEdits[k], text);
            return;
        }
    }
}

void RankedSearchWindow::KeepSlotTexts() {
    for (int k = 0; k < kRankedSlots; ++k) slots_[k] = TextOf(slotEdits[k]);
}

void RankedSearchWindow::ListPrefixBisect() {
    const int row = PrefixBisect(vocabulary_, WindowState().typeAhead, kind_ == RankedSearchKind::CompoundTherapy);
    if (row >= 0) {
        vocabularyList->setCurrentRow(row);
        vocabularyList->scrollToItem(vocabularyList->item(row), QAbstractItemView::PositionAtCenter);
    }
}

void RankedSearchWindow::StartNewKey() {
    searchEdit->clear();
    WindowState().typeAhead.clear();
    WindowState().findNextPosition = 0;
}

void RankedSearchWindow::TypeAhead(char typed) {
    const bool every = kind_ == RankedSearchKind::CompoundTherapy;
    std::string& key = WindowState().typeAhead;
    if (!ApplyTypeAheadKey(key, typed, every)) return;
    SetText(searchEdit, key);
    searchEdit->setCursorPosition(searchEdit->text().size());
    ListPrefixBisect();
}

void RankedSearchWindow::TakeKeyFromBox() {
    WindowState().typeAhead = TextOf(searchEdit);
    ListPrefixBisect();
}

void RankedSearchWindow::AddChosenToSlot() {
    UpdateSlotFlags();
    QListWidgetItem* item = vocabularyList->currentItem();
    if (!item) return;
    PutInFirstFreeSlot(gui::FromQt(item->text()));
    UpdateSlotFlags();
}

void RankedSearchWindow::ClearSlot(int slot) { slotEdits[slot]->clear(); }

void RankedSearchWindow::ClearAll() {
    searchButton->setEnabled(false);
    ClearSlots();
    UpdateSlotFlags();
    ResetSlotColours();
    ClearResults();
}

void RankedSearchWindow::ClearDetail() { detailMemo->clear(); }

void RankedSearchWindow::RunSearch() {
    if (!DatabaseSound()) return;
    WaitCursor wait;
    ClearResults();
    KeepSlotTexts();
    results_ = RunRankedSearch(kind_, slots_);
    for (const auto& r : results_) resultList->addItem(gui::ToQt(r.Line()));
}

void RankedSearchWindow::ShowResultDetail() {
    ResetSlotColours();
    const int row = resultList->currentRow();
    if (row < 0 || row >= static_cast<int>(results_.size()) || !DatabaseSound()) return;
    RankedSlots current;
    for (int k = 0; k < kRankedSlots; ++k) current[k] = TextOf(slotEdits[k]);
    RankedDetail d = RankedSearchDetail(kind_, results_[static_cast<std::size_t>(row)].name, slots_, current);
    for (const auto& line : d.lines) detailMemo->appendPlainText(gui::ToQt(line));
    for (int k = 0; k < kRankedSlots; ++k)
        if (d.highlighted[k]) SetBackground(slotEdits[k], kCream);
}

void RankedSearchWindow::FindNext() {
    if (vocabularyList->count() > 0) vocabularyList->setCurrentRow(0);
    RankedWindowState& s = WindowState();
    const int found = FindNextItem(vocabulary_, TextOf(searchEdit), s.findNextPosition);
    if (found < 0) return;
    vocabularyList->setCurrentRow(found);
    vocabularyList->scrollToItem(vocabularyList->item(found), QAbstractItemView::PositionAtCenter);
    s.findNextPosition = found + 1;
}

}  // namespace remedies
