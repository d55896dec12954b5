#include "remedies/windows/signature_search_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextOption>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/win1252.h"
#include "remedies/prefix_bisect.h"
#include "remedies/windows/signature_panels.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

SignatureSearchWindow::SignatureSearchWindow() {
    setObjectName("FoSegnat");
    setWindowTitle(" ASTROLOGISCHE SIGNATUUR");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);

    auto* top = new QGridLayout(this);
    BuildRemedyColumn(top);
    BuildSignatureChoice(top);
    BuildSignatureGrid(top);
    BuildPageBar(top);
    top->setColumnStretch(1, 1);

    for (auto* r : planetRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ReadSignatureRadios(); }));
    for (auto* r : signRadios)
        connect(r, &QRadioButton::clicked, this, gui::Guarded([this](bool) { ReadSignatureRadios(); }));
    connect(remedyList, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ShowChosenRemedy(); }));
    HandleEditKeys(
        searchEdit, [this](char c) { TypeAhead(c); }, [this] { StartNewKey(); }, [this] { TakeKeyFromBox(); });
    connect(searchButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SearchSignature(); }));
    connect(nextPageButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { NextPage(); }));
    connect(previousPageButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { PreviousPage(); }));
    connect(clearButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { EmptyGrid(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1180, 640);
}

// The remedy list and its type-ahead.
void SignatureSearchWindow::BuildRemedyColumn(QGridLayout* top) {
    auto* left = new QVBoxLayout;
    remediesLabel = gui::MakeLabel(this, "Label6", "Remedies");
    remedyList = new ModelList(this, "ListBox2");
    remedyList->setMinimumWidth(230);
    hiddenRemedyList = new ModelList(this, "ListBox1");
    hiddenRemedyList->hide();
    auto* searchRow = new QHBoxLayout;
    searchLabel = gui::MakeLabel(this, "Label20", "Zoek");
    searchEdit = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(searchEdit);
    left->addWidget(remediesLabel);
    left->addWidget(remedyList, 1);
    left->addLayout(searchRow);
    top->addLayout(left, 0, 0, 3, 1);
}

// The help above the planet and sign panels and the signature they choose.
void SignatureSearchWindow::BuildSignatureChoice(QGridLayout* top) {
    planetPanel = gui::MakeRadioGroup(this, "PanPianeti", "Planetaire Signatuur", kPlanetRadios, 5, planetRadios);
    anyPlanetRadio = planetRadios.back();
    signPanel = gui::MakeRadioGroup(this, "PanSegni", "Zodiac Signatuur", kSignRadios, 5, signRadios);
    anySignRadio = signRadios.back();
    for (QRadioButton* any : {anyPlanetRadio, anySignRadio}) any->setChecked(true);
    auto* panels = new QHBoxLayout;
    panels->addWidget(planetPanel);
    panels->addWidget(signPanel);

    auto* words = new QHBoxLayout;
    withSignatureLabel = gui::MakeLabel(this, "Label5", "...met signatuur");
    planetEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdPianeta"), kSilverColour);
    signEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdSegno"), kSilverColour);
    SetText(planetEdit, kAnyWord);
    SetText(signEdit, kAnyWord);
    foundLabel = gui::MakeLabel(this, "Label7", "...ik vond");
    foundCountEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdTot"), kSilverColour);
    foundCountEdit->setText("0");
    foundCountEdit->setMaximumWidth(60);
    searchButton = gui::MakeClickOnlyButton(this, "BBRicerca", "Start Remedies zoeken");
    for (QWidget* w : std::initializer_list<QWidget*>{withSignatureLabel, planetEdit, signEdit, foundLabel,
                                                      foundCountEdit, searchButton})
        words->addWidget(w);

    helpMemo = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
    helpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetText(helpMemo,
            "Selecteer de remedie uit de lijst Remedies om de astrologische signatuur van een "
            "remedie te kennen.\nSpecifieer  de gezochte signatuur om de remedies met een bepaalde "
            "astrologische signatuur te visualiseren.");
    {
        QTextOption centred = helpMemo->document()->defaultTextOption();
        centred.setAlignment(Qt::AlignHCenter);
        helpMemo->document()->setDefaultTextOption(centred);
    }
    helpMemo->setFixedHeight(50);

    auto* middle = new QVBoxLayout;
    middle->addWidget(helpMemo);
    middle->addLayout(panels);
    middle->addLayout(words);
    top->addLayout(middle, 0, 1);
}

// The grid of fourteen rows: remedy, primary, secondary and zodiacal signature.
void SignatureSearchWindow::BuildSignatureGrid(QGridLayout* top) {
    auto* grid = new QGridLayout;
    gridRemediesLabel = gui::MakeLabel(this, "Label18", "Remedies");
    grid->addWidget(gridRemediesLabel, 0, 0);
    grid->addWidget(gui::MakeLabel(this, "LabPrimaria", "Primaire Sign."), 0, 1);
    grid->addWidget(gui::MakeLabel(this, "LabSecondaria", "Secondaire Sign."), 0, 2);
    grid->addWidget(gui::MakeLabel(this, "LabZodiacale", "Zodiac Signatuur"), 0, 3);
    const std::pair<std::array<QLineEdit*, kSignatureRows>*, const char*> columns[] = {{&remedyEdits, "EdP"},
                                                                                       {&primaryEdits, "EdD"},
                                                                                       {&secondaryEdits, "EdE"},
                                                                                       {&zodiacEdits, "EdF"}};
    for (int r = 0; r < kSignatureRows; ++r) {
        int column = 0;
        for (const auto& [edits, stem] : columns) {
            const std::string name = stem + std::to_string(r + 1);
            (*edits)[r] = Tinted(gui::MakeReadOnlyEdit(this, name.c_str()), kSilverColour);
            grid->addWidget((*edits)[r], r + 1, column++);
        }
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 3);
    grid->setVerticalSpacing(1);
    top->addLayout(grid, 1, 1);
}

// The pages of the search's remedies, the clearing and the way back.
void SignatureSearchWindow::BuildPageBar(QGridLayout* top) {
    auto* bottom = new QHBoxLayout;
    previousPageButton = gui::MakeClickOnlyButton(this, "BBAnticipo", "\xAB");
    pageLabel = gui::MakeLabel(this, "Label22", "pag");
    pageEdit = Tinted(gui::MakeReadOnlyEdit(this, "EdPage"), kWhiteColour);
    pageEdit->setMaximumWidth(70);
    pageEdit->setAlignment(Qt::AlignCenter);
    gui::MakeClickOnlyButtons(this, {{&nextPageButton, "BBseguito", "\xBB"},
                                     {&clearButton, "BBpulisci", "Schoon"},
                                     {&backButton, "BitBtnRitorna", "&Terug naar het menu"}});
    bottom->addWidget(previousPageButton);
    bottom->addWidget(pageLabel);
    bottom->addWidget(pageEdit);
    bottom->addWidget(nextPageButton);
    bottom->addStretch(1);
    bottom->addWidget(clearButton);
    bottom->addWidget(backButton);
    top->addLayout(bottom, 2, 1);
}

bool SignatureSearchWindow::DatabaseSound() {
    if (DatabasesSound({PrimaryDb()}, NothingShownUntilSound("i rimedi"))) {
        if (!listed_) ListRemedies();
        return true;
    }
    listed_ = false;
    hiddenRemedyList->Clear();
    remedyList->Clear();
    ClearSignatureGrid();
    ClearSignatureRows();
    // No count and no pages, as if a search had found nothing.
    foundCountEdit->clear();
    SetBaseColour(pageEdit, kWhiteColour);
    pageEdit->clear();
    currentPage = 1;
    pageCount = 0;
    searchMode = false;
    return false;
}

void SignatureSearchWindow::Refresh() {
    ClearSignatureRows();
    listed_ = false;
    DatabaseSound();
}

void SignatureSearchWindow::ListRemedies() {
    hiddenRemedyList->Clear();
    remedyList->Clear();
    RemedyIndex index;
    try {
        index = BuildRemedyIndex();
    } catch (const DamagedDatabaseError& e) {
        e.Tell();  // no remedy is listed from a damaged database
    }
    hiddenRemedyList->SetLines(index.names);
    remedyList->SetLines(index.names);
    listed_ = true;
}

void SignatureSearchWindow::ReadSignatureRadios() {
    planetWord = CheckedCaption(planetRadios);
    signWord = CheckedCaption(signRadios);
    SetText(planetEdit, planetWord);
    SetText(signEdit, signWord);
}

void SignatureSearchWindow::ClearSignatureRows() { rowUsed.fill(false); }

void SignatureSearchWindow::ClearSignatureGrid() {
    for (int r = 0; r < kSignatureRows; ++r)
        for (QLineEdit* e : {remedyEdits[r], primaryEdits[r], secondaryEdits[r], zodiacEdits[r]}) e->clear();
}

void SignatureSearchWindow::WriteRow(int r, const SignatureRow& t) {
    SetText(remedyEdits[r], t.remedy);
    SetText(primaryEdits[r], t.primary);
    SetText(secondaryEdits[r], t.secondary);
    SetText(zodiacEdits[r], t.zodiac);
    rowUsed[static_cast<std::size_t>(r)] = true;
}

void SignatureSearchWindow::ShowRemedySignatures(const PrimaryRecord& rec) {
    if (std::all_of(rowUsed.begin(), rowUsed.end(), [](bool u) { return u; })) {
        ClearSignatureGrid();
        ClearSignatureRows();
    }
    AddSignatureRow(RowOf(rec));
}

void SignatureSearchWindow::AddSignatureRow(const SignatureRow& row) {
    for (int r = 0; r < kSignatureRows; ++r)
        if (!rowUsed[static_cast<std::size_t>(r)]) {
            WriteRow(r, row);
            return;
        }
}

void SignatureSearchWindow::AddFoundPageRows(int page) {
    for (const auto& row : ReadSignatureHitsPage(page)) AddSignatureRow(row);
}

void SignatureSearchWindow::StartNewKey() {
    searchEdit->clear();
    searchKey.clear();
}

void SignatureSearchWindow::TypeAhead(char key) {
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 32);
    if (!ApplyTypeAheadKey(searchKey, key)) return;
    SetText(searchEdit, searchKey);
    searchEdit->setCursorPosition(searchEdit->text().size());
    ListPrefixBisect();
}

void SignatureSearchWindow::TakeKeyFromBox() {
    searchKey = TextOf(searchEdit);
    ListPrefixBisect();
}

void SignatureSearchWindow::ListPrefixBisect() {
    // The key is in capitals: the names are compared with it in capitals too.
    int row = PrefixBisect(remedyList->Lines(), searchKey, true);
    if (row >= 0) remedyList->SelectRow(row);
}

void SignatureSearchWindow::ShowChosenRemedy() {
    if (searchMode) {
        ClearSignatureGrid();
        ClearSignatureRows();
        SetBaseColour(pageEdit, kWhiteColour);
        pageEdit->clear();
        foundCountEdit->clear();
        searchMode = false;
    }
    const std::string name = remedyList->SelectedLine();
    if (name.empty() || !DatabaseSound()) return;
    const auto all = ReadPrimaryFile();
    const std::int64_t r = FirstRecordNamed(all, name);
    if (r >= 0) ShowRemedySignatures(all[static_cast<std::size_t>(r)]);
}

void SignatureSearchWindow::SearchSignature() {
    if (!DatabaseSound()) return;
    ClearSignatureGrid();
    ClearSignatureRows();
    searchMode = true;
    const std::string planet = TextOf(planetEdit);
    const std::string sign = TextOf(signEdit);
    std::vector<SignatureRow> hits;
    WithWaitCursor([&] { hits = SearchSignatures(remedyList->Lines(), planet, sign); });
    const int n = static_cast<int>(hits.size());
    foundCountEdit->setText(QString::number(n));
    if (n > kSignatureRows) SetBaseColour(pageEdit, kRedColour);
    pageCount = SignaturePageCount(n);
    currentPage = 1;
    ShowPage();
}

void SignatureSearchWindow::ShowPage() {
    pageEdit->setText(QString("%1/%2").arg(currentPage).arg(pageCount));
    ClearSignatureGrid();
    ClearSignatureRows();
    AddFoundPageRows(currentPage);
}

void SignatureSearchWindow::NextPage() {
    if (currentPage >= pageCount) return;
    ++currentPage;
    SetBaseColour(pageEdit, kWhiteColour);
    ShowPage();
}

void SignatureSearchWindow::PreviousPage() {
    if (currentPage <= 1) return;
    --currentPage;
    ShowPage();
}

void SignatureSearchWindow::EmptyGrid() {
    ClearSignatureGrid();
    ClearSignatureRows();
}

}  // namespace remedies
