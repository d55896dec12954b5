#include "remedies/windows/remedy_text_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/guard.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/win1252.h"
#include "remedies/signature_search.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

RemedyTextWindow::RemedyTextWindow(const RemedyTextWindowTexts& texts) : texts_(texts) {
    setObjectName(texts.instance);
    setWindowTitle(texts.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    MemoZoom = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
    MemoZoom->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    std::string help;
    for (const char* line : texts.help) help += std::string(line) + "\n";
    SetText(MemoZoom, help);
    MemoZoom->setFixedHeight(96);
    top->addWidget(MemoZoom, 0, 0, 1, 3);

    BuildLists(top, texts);
    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->hide();

    auto* memoBox = new QVBoxLayout;
    LabelMemo = gui::MakeLabel(this, "LabelMemo", texts.memoLabelAtStart);
    memoBox->addWidget(LabelMemo);
    MemoNote = NoteMemo(gui::MakeMemo(this, "MemoNote", true), kSilverColour);
    MemoNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoBox->addWidget(MemoNote, 1);
    if (*texts.memoNote) {
        QLabel* note = gui::MakeLabel(this, "LabNota", texts.memoNote);
        note->setWordWrap(true);
        memoBox->addWidget(note);
    }
    top->addLayout(memoBox, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(gui::MakeLabel(this, "LabCerca", texts.searchLabel));
    EditCerca = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    gui::MakeClickOnlyButtons(this, {{&BBcerca, "BBcerca", "Zoeken"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "&Terug naar het menu"}});
    bottom->addWidget(EditCerca, 1);
    bottom->addWidget(BBcerca);
    bottom->addStretch(1);
    bottom->addWidget(BitBtnRitorna);
    top->addLayout(bottom, 2, 0, 1, 3);
    top->setColumnStretch(0, 2);
    top->setColumnStretch(1, 2);
    top->setColumnStretch(2, 3);
    top->setRowStretch(1, 1);

    connect(ListBox2, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox2Click(); }));
    connect(ListBox3, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox3Click(); }));
    connect(BBcerca, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBcercaClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1150, 620);
}

// The two lists, each under its number and its lines of title.
void RemedyTextWindow::BuildLists(QGridLayout* top, const RemedyTextWindowTexts& texts) {
    const std::tuple<ModelList**, const char*, const char*, const char* const*, int> lists[] = {
        {&ListBox2, "ListBox2", "1)", texts.list1Titles, 0}, {&ListBox3, "ListBox3", "2)", texts.list2Titles, 1}};
    for (const auto& [slot, name, number, titles, column] : lists) {
        auto* box = new QVBoxLayout;
        auto* head = new QHBoxLayout;
        head->addWidget(gui::MakeLabel(this, (std::string("LabNumero") + name).c_str(), number), 0, Qt::AlignTop);
        auto* lines = new QVBoxLayout;
        for (int i = 0; i < 3; ++i) {
            if (!titles[i] || !*titles[i]) continue;
            const std::string label = std::string("LabTitolo") + name + std::to_string(i + 1);
            lines->addWidget(gui::MakeLabel(this, label.c_str(), titles[i]));
        }
        head->addLayout(lines, 1);
        box->addLayout(head);
        *slot = new ModelList(this, name);
        box->addWidget(*slot, 1);
        top->addLayout(box, 1, column);
    }
}

bool RemedyTextWindow::DatabaseSound() {
    if (!DatabasesSound({PrimaryDb()}, NothingShownUntilSound("i rimedi"))) {
        FormClose();
        ListBox1->Clear();
        ListBox2->Clear();
        ListBox3->Clear();
        MemoNote->clear();
        SetText(LabelMemo, texts_.memoLabelAtStart);
        return false;
    }
    if (!read_) ListRemedies();
    return true;
}

void RemedyTextWindow::FormActivate() {
    FormClose();
    DatabaseSound();
}

void RemedyTextWindow::ListRemedies() {
    Records = ReadPrimaryFile();
    ListBox1->Clear();
    ListBox2->Clear();
    RemedyIndex index;
    try {
        index = BuildRemedyIndex();
    } catch (const DamagedDatabaseError& e) {
        e.Tell();  // no remedy is listed from a damaged database
    }
    ListBox1->SetLines(index.names);
    ListBox2->SetLines(index.names);
    read_ = true;
}

void RemedyTextWindow::FormClose() {
    Records.clear();
    read_ = false;
}

void RemedyTextWindow::ListBox2Click() {
    if (!DatabaseSound()) return;
    SetText(LabelMemo, texts_.memoLabelList1);
    const std::string name = ListBox2->SelectedLine();
    const std::int64_t r = FirstRecordNamed(Records, name);
    if (r < 0) return;
    MemoNote->clear();
    ShowText(name, Records[static_cast<std::size_t>(r)]);
}

void RemedyTextWindow::BBcercaClick() {
    if (!DatabaseSound()) return;
    WithWaitCursor([&] {
        ListBox3->Clear();
        MemoNote->clear();
        SetText(LabelMemo, texts_.memoLabelSearch);
        QApplication::processEvents();
        SearchWord = rt::UpperAscii(TextOf(EditCerca));
        ListBox3->SetLines(SearchRemedyTexts(Records, ListBox2->Lines(), SearchWord, texts_.kind));
    });
}

void RemedyTextWindow::ListBox3Click() {
    const std::string name = ListBox3->SelectedLine();
    if (name.empty() || name == kNoResultLine || !DatabaseSound()) return;
    SetText(LabelMemo, texts_.memoLabelList2 + name);
    MemoNote->clear();
    WithWaitCursor([&] {
        const std::int64_t r = FirstRecordNamed(Records, name);
        if (r < 0) return;
        std::string text = RemedyText(Records[static_cast<std::size_t>(r)], texts_.kind);
        HighlightWordUpper(text, SearchWord);
        SetText(MemoNote, text);
    });
}

}  // namespace remedies
