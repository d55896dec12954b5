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

BrowserWindow::BrowserWindow(const BrowserFrame& frame, QWidget* parent) : RemedyDialog(parent), frame_(frame) {
    if (!frame_.state) {
        ownPages_ = std::make_unique<BrowserState>();
        frame_.state = ownPages_.get();
    }
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
    helpMemo = gui::MakeMemo(this, "MemoInfo", true);
    SetText(helpMemo, frame.infoText);
    SetBackground(helpMemo, kCream);
    helpMemo->viewport()->installEventFilter(this);
    helpMemo->hide();
    signatureWordList = gui::MakeList(this, "list");
    SetBackground(signatureWordList, kCream);
    signatureWordList->hide();

    connect(choiceList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { SearchChosenLine(); }));
    connect(signatureWordList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem*) { signatureWordList->hide(); });
    connect(nextPageButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { NextPage(); }));
    connect(previousPageButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { PreviousPage(); }));
    connect(clearButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ClearResults(); }));
    connect(helpButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ToggleHelp(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { close(); });

    resize(1180, 700);
}

// The chosen line, the page of fourteen slots under their bold column heads,
// the page row and the notes.
void BrowserWindow::BuildResultPage(QVBoxLayout* left) {
    auto* chosenRow = new QHBoxLayout;
    QLabel* chosenHead = gui::MakeLabel(this, "LabScelta", frame_.chosenLabel);
    gui::SetBold(chosenHead);
    chosenRow->addWidget(chosenHead);
    chosen = gui::MakeReadOnlyEdit(this, frame_.chosenName);
    chosenRow->addWidget(chosen, 1);
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
    for (int i = 0; i < kSlotsPerPage; ++i) {
        const int row = i + 1;  // under the column heads
        const std::string n = std::to_string(i + 1);
        detailButtons[i] = gui::MakeButton(this, ("SB" + n).c_str(), n + "\xB0");
        detailButtons[i]->setFixedWidth(40);
        detailButtons[i]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(detailButtons[i], row, 0);
        // The remedy, the signature columns where the browser has them, the dosage.
        std::vector<std::pair<QLineEdit**, const char*>> columns{{&remedyEdits[i], "EdP"}};
        if (frame_.signatureColumns) columns.insert(columns.end(), {{&planetEdits[i], "EdA"}, {&signEdits[i], "EdS"}});
        columns.push_back({&dosageEdits[i], "EdD"});
        col = 1;
        for (const auto& [slot, stem] : columns) {
            *slot = gui::MakeReadOnlyEdit(this, (stem + n).c_str());
            if (slot != &remedyEdits[i]) (*slot)->installEventFilter(this);
            grid->addWidget(*slot, row, col++);
        }
        connect(detailButtons[i], &QPushButton::clicked, this, gui::Guarded([this, i](bool) { ShowSlotDetail(i); }));
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
    pageEdit = gui::MakeReadOnlyEdit(this, "Edit1");
    pageEdit->setFixedWidth(70);
    pageEdit->setAlignment(Qt::AlignCenter);
    pageRow->addWidget(pageEdit);
    gui::MakeButtons(this, {{&previousPageButton, "BBAnticipo", "<<"}, {&nextPageButton, "BBseguito", ">>"}});
    pageRow->addWidget(previousPageButton);
    pageRow->addWidget(nextPageButton);
    hitsCutLabel = gui::MakeLabel(this, "LabOltre",
                                  "Meer dan " + std::to_string(kMaxHits) + " treffers: alleen de eerste " +
                                      std::to_string(kMaxHits) + " worden getoond");
    hitsCutLabel->setStyleSheet("QLabel { color: #c00000; font-weight: bold; }");
    hitsCutLabel->hide();
    pageRow->addWidget(hitsCutLabel);
    pageRow->addStretch(1);
    left->addLayout(pageRow);

    notesLabel = gui::MakeLabel(this, "LabNote", "Notities");
    gui::SetBold(notesLabel);
    left->addWidget(notesLabel);
    notesMemo = gui::MakeMemo(this, "MemoNote", true);
    notesMemo->setMinimumHeight(90);
    left->addWidget(notesMemo, 1);
}

// The search box over the list and the commands under it.
void BrowserWindow::BuildSearchColumn(QVBoxLayout* right) {
    right->addWidget(gui::MakeLabel(this, "LabZoeken", "Zoeken"));
    searchEdit = gui::MakeEdit(this, frame_.searchEditName);
    SetBackground(searchEdit, kAqua);
    HandleEditKeys(
        searchEdit, [this](char typed) { TypeAhead(typed); }, [this] { StartNewKey(); }, [this] { TakeKeyFromBox(); });
    right->addWidget(searchEdit);
    choiceList = gui::MakeList(this, "ListBox1");
    right->addWidget(choiceList, 1);
    gui::MakeButtons(this, {{&clearButton, "BitBtn1", "Opschonen"},
                            {&helpButton, "BitBtn2", frame_.infoButton},
                            {&backButton, "BitBtnRitorna", frame_.backButton}});
    right->addWidget(clearButton);
    right->addWidget(helpButton);
    right->addWidget(backButton);
}

bool BrowserWindow::DatabaseSound() {
    if (DatabasesSound({frame_.database()}, NothingShownUntilSound(frame_.notShown, frame_.listName))) return true;
    ShowNothingRead();
    return false;
}

void BrowserWindow::ShowNothingRead() {
    choiceList->clear();
    ClearResultSlots();
    ShowHitsCut(false);
}

void BrowserWindow::LoadList(const std::vector<std::string>& lines) {
    choiceList->clear();
    for (const auto& l : lines) choiceList->addItem(gui::ToQt(l));
}

std::string BrowserWindow::ChosenLine() const {
    QListWidgetItem* item = choiceList->currentItem();
    return item ? gui::FromQt(item->text()) : std::string();
}

std::string BrowserWindow::SlotRemedy(int slot) const { return TextOf(remedyEdits[slot]); }

void BrowserWindow::ClearResultSlots() {
    for (int i = 0; i < kSlotsPerPage; ++i)
        for (QLineEdit* e : {remedyEdits[i], planetEdits[i], signEdits[i], dosageEdits[i]})
            if (e) e->clear();
    nextSlot_ = 0;
    chosen->clear();
    notesMemo->clear();
    pageEdit->clear();
    signatureWordList->hide();
    notesLabel->setText("Notities");
}

void BrowserWindow::FillResultSlot(const SlotTexts& texts, bool newHit, std::int64_t record) {
    if (newHit) State().AddHit(record);
    if (nextSlot_ < kSlotsPerPage) {
        const int i = nextSlot_++;
        SetText(remedyEdits[i], texts.remedy);
        if (planetEdits[i]) SetText(planetEdits[i], texts.planets);
        if (signEdits[i]) SetText(signEdits[i], texts.sign);
        SetText(dosageEdits[i], texts.dosage);
        SetBackground(pageEdit, kAqua);
    } else if (newHit) {
        SetBackground(pageEdit, kRed);
    }
    SetText(pageEdit, State().PageIndicator());
}

void BrowserWindow::TurnPage(bool forward) {
    if (!DatabaseSound()) return;
    if (forward)
        State().NextPage();
    else
        State().PreviousPage();
    const QString kept = chosen->text();
    ClearResultSlots();
    chosen->setText(kept);
    FillPage();
}

void BrowserWindow::ShowHitsCut(bool cut) { hitsCutLabel->setVisible(cut); }

void BrowserWindow::NextPage() { TurnPage(true); }
void BrowserWindow::PreviousPage() { TurnPage(false); }

void BrowserWindow::ToggleHelp() {
    if (helpMemo->isVisible()) {
        helpMemo->hide();
        return;
    }
    helpMemo->setGeometry(20, 60, 640, 380);
    helpMemo->raise();
    helpMemo->show();
}

void BrowserWindow::TypeAhead(char typed) {
    std::string& key = State().searchKey;
    if (!ApplyTypeAheadKey(key, typed, frame_.upperEveryKey)) return;
    SetText(searchEdit, key);
    searchEdit->setCursorPosition(searchEdit->text().size());
    SeekKey();
}

void BrowserWindow::TakeKeyFromBox() {
    State().searchKey = TextOf(searchEdit);
    SeekKey();
}

void BrowserWindow::SeekKey() {
    const std::string& key = State().searchKey;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(choiceList->count()));
    for (int i = 0; i < choiceList->count(); ++i) lines.push_back(gui::FromQt(choiceList->item(i)->text()));
    // The lists are sorted without regard to case, so the key is compared so
    // too: a symptom in small letters is reached by its capital first letter.
    const int row = PrefixBisect(lines, key, true);
    if (row >= 0) {
        choiceList->setCurrentRow(row);
        choiceList->scrollToItem(choiceList->item(row), QAbstractItemView::PositionAtCenter);
    }
}

void BrowserWindow::StartNewKey() {
    searchEdit->clear();
    State().searchKey.clear();
}

void BrowserWindow::PlaceAt(QWidget* overlay, QWidget* anchor) {
    overlay->move(anchor->mapTo(this, QPoint(0, 0)));
    overlay->raise();
}

void BrowserWindow::ShowSignatureWords(QLineEdit* edit, bool markPrimary) {
    signatureWordList->clear();
    const auto words = SignatureWords(TextOf(edit), markPrimary);
    for (const auto& w : words) signatureWordList->addItem(gui::ToQt(w));
    signatureWordList->resize(std::max(edit->width(), 160),
                              20 * static_cast<int>(std::max<std::size_t>(words.size(), 1)) + 4);
    PlaceAt(signatureWordList, edit);
    signatureWordList->show();
}

void BrowserWindow::ExpandSlotField(QLineEdit* edit, int, char column) {
    if (column == 'A') ShowSignatureWords(edit, true);
    if (column == 'S') ShowSignatureWords(edit, false);
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == helpMemo->viewport() && type == QEvent::MouseButtonDblClick) {
        helpMemo->hide();
        return true;
    }
    for (int i = 0; i < kSlotsPerPage; ++i) {
        for (char column : {'A', 'S', 'D'}) {
            QLineEdit* e = column == 'A' ? planetEdits[i] : column == 'S' ? signEdits[i] : dosageEdits[i];
            if (!e || watched != e) continue;
            if (type == QEvent::MouseButtonPress && column != 'D') signatureWordList->hide();
            if (type == QEvent::MouseButtonDblClick) {
                gui::Guard([this, e, i, column] { ExpandSlotField(e, i, column); });
                return true;
            }
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace remedies
