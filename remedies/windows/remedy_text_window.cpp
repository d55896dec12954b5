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

    helpMemo = NoteMemo(gui::MakeMemo(this, "MemoZoom", true), kMemoColour);
    helpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    std::string help;
    for (const char* line : texts.help) help += std::string(line) + "\n";
    SetText(helpMemo, help);
    helpMemo->setFixedHeight(96);
    top->addWidget(helpMemo, 0, 0, 1, 3);

    BuildLists(top, texts);
    allRemediesList = new ModelList(this, "ListBox1");
    allRemediesList->hide();

    auto* memoBox = new QVBoxLayout;
    textLabel = gui::MakeLabel(this, "LabelMemo", texts.memoLabelAtStart);
    memoBox->addWidget(textLabel);
    textMemo = NoteMemo(gui::MakeMemo(this, "MemoNote", true), kSilverColour);
    textMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoBox->addWidget(textMemo, 1);
    if (*texts.memoNote) {
        QLabel* note = gui::MakeLabel(this, "LabNota", texts.memoNote);
        note->setWordWrap(true);
        memoBox->addWidget(note);
    }
    top->addLayout(memoBox, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(gui::MakeLabel(this, "LabCerca", texts.searchLabel));
    wordEdit = Tinted(gui::MakeEdit(this, "EditCerca"), kAquaColour);
    gui::MakeClickOnlyButtons(this, {{&searchButton, "BBcerca", "Zoeken"},
                                     {&backToMenuButton, "BitBtnRitorna", "&Terug naar het menu"}});
    bottom->addWidget(wordEdit, 1);
    bottom->addWidget(searchButton);
    bottom->addStretch(1);
    bottom->addWidget(backToMenuButton);
    top->addLayout(bottom, 2, 0, 1, 3);
    top->setColumnStretch(0, 2);
    top->setColumnStretch(1, 2);
    top->setColumnStretch(2, 3);
    top->setRowStretch(1, 1);

    connect(remedyList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ShowRemedyText(); }));
    connect(foundList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ShowFoundText(); }));
    connect(searchButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SearchTexts(); }));
    connect(backToMenuButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1150, 620);
}

// The two lists, each under its number and its lines of title.
void RemedyTextWindow::BuildLists(QGridLayout* top, const RemedyTextWindowTexts& texts) {
    const std::tuple<ModelList**, const char*, const char*, const char* const*, int> lists[] = {
        {&remedyList, "ListBox2", "1)", texts.list1Titles, 0}, {&foundList, "ListBox3", "2)", texts.list2Titles, 1}};
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
        ReleaseRecords();
        allRemediesList->Clear();
        remedyList->Clear();
        foundList->Clear();
        textMemo->clear();
        SetText(textLabel, texts_.memoLabelAtStart);
        return false;
    }
    if (!read_) ListRemedies();
    return true;
}

void RemedyTextWindow::Refresh() {
    ReleaseRecords();
    DatabaseSound();
}

void RemedyTextWindow::ListRemedies() {
    records_ = ReadPrimaryFile();
    allRemediesList->Clear();
    remedyList->Clear();
    RemedyIndex index;
    try {
        index = BuildRemedyIndex();
    } catch (const DamagedDatabaseError& e) {
        e.Tell();  // no remedy is listed from a damaged database
    }
    allRemediesList->SetLines(index.names);
    remedyList->SetLines(index.names);
    read_ = true;
}

void RemedyTextWindow::ReleaseRecords() {
    records_.clear();
    read_ = false;
}

void RemedyTextWindow::ShowRemedyText() {
    if (!DatabaseSound()) return;
    SetText(textLabel, texts_.memoLabelList1);
    const std::string name = remedyList->SelectedLine();
    const std::int64_t r = FirstRecordNamed(records_, name);
    if (r < 0) return;
    textMemo->clear();
    ShowText(name, records_[static_cast<std::size_t>(r)]);
}

void RemedyTextWindow::SearchTexts() {
    if (!DatabaseSound()) return;
    WithWaitCursor([&] {
        foundList->Clear();
        textMemo->clear();
        SetText(textLabel, texts_.memoLabelSearch);
        QApplication::processEvents();
        searchWord = rt::UpperAscii(TextOf(wordEdit));
        foundList->SetLines(SearchRemedyTexts(records_, remedyList->Lines(), searchWord, texts_.kind));
    });
}

void RemedyTextWindow::ShowFoundText() {
    const std::string name = foundList->SelectedLine();
    if (name.empty() || name == kNoResultLine || !DatabaseSound()) return;
    SetText(textLabel, texts_.memoLabelList2 + name);
    textMemo->clear();
    WithWaitCursor([&] {
        const std::int64_t r = FirstRecordNamed(records_, name);
        if (r < 0) return;
        std::string text = RemedyText(records_[static_cast<std::size_t>(r)], texts_.kind);
        HighlightWordUpper(text, searchWord);
        SetText(textMemo, text);
    });
}

}  // namespace remedies
