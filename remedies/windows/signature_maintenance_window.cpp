#include "remedies/windows/signature_maintenance_window.h"

#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/gui/guard.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "remedies/list_order.h"
#include "remedies/signature_browse.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

SignatureMaintenanceWindow::SignatureMaintenanceWindow() {
    setObjectName("FoManut1");
    setWindowTitle("AGGIORNAMENTI / MODIFICHE DATABASE");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    entryList = new ModelList(this, "ListBox1");
    entryList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    top->addWidget(entryList, 0, 0, 2, 1);

    helpMemo = NoteMemo(gui::MakeMemo(this, "Memo1", true), kMemoColour);
    SetText(helpMemo,
            "Il database \xE8 in ordine alfabetico del sintomo.\n"
            "\"Ordinamento\" lo mostra ordinato per pianta; un secondo clic torna "
            "all'ordine del database.\nClic su una riga per vederne tutti i campi.");
    helpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpMemo->setFixedHeight(80);
    auto* right = new QGridLayout;
    right->addWidget(helpMemo, 0, 0, 1, 2);
    sortButton = gui::MakeClickOnlyButton(this, "BitBtn1", "Ordinamento");
    right->addWidget(sortButton, 1, 0, 1, 2);
    const int row = gui::AddLabelledEdits(right, this,
                                          {{&symptomEdit, "EdSintomo", "Sintomo"},
                                           {&plantEdit, "EdPianta", "Pianta"},
                                           {&codeEdit, "EdSigla", "Sigla"},
                                           {&synthesisEdit, "EdSintesi", "Sintesi"},
                                           {&primarySignatureEdit, "EdSegPri", "Segnat. Primaria"},
                                           {&secondarySignatureEdit, "EdSegSec", "Segnat. Secondaria"},
                                           {&zodiacalSignatureEdit, "EdSegZod", "Segnat. Zodiacale"},
                                           {&authorsEdit, "EdAutori", "Autori"},
                                           {&notesEdit, "EdNote", "Note"}},
                                          2);
    for (QLineEdit* e : {symptomEdit, plantEdit, codeEdit, synthesisEdit, primarySignatureEdit, secondarySignatureEdit,
                         zodiacalSignatureEdit, authorsEdit, notesEdit}) {
        e->setReadOnly(true);
        SetBaseColour(e, kSilverColour);
        e->setMinimumWidth(320);
    }
    right->setRowStretch(row, 1);
    backButton = gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Ritorna al Menu");
    right->addWidget(backButton, row + 1, 1, Qt::AlignRight);
    top->addLayout(right, 0, 1);
    top->setColumnStretch(0, 1);

    connect(entryList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ShowChosenEntry(); }));
    connect(sortButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ToggleSorting(); }));
    connect(backButton, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 600);
}

void SignatureMaintenanceWindow::Refresh() {
    sorted = false;
    ListSignatureEntries();
}

void SignatureMaintenanceWindow::ToggleSorting() {
    sorted = !sorted;
    ListSignatureEntries();
}

bool SignatureMaintenanceWindow::DatabaseSound() {
    if (DatabasesSound({SignatureDb()}, NothingShownUntilSound("le schede"))) return true;
    entryList->Clear();
    for (QLineEdit* e : {symptomEdit, plantEdit, codeEdit, synthesisEdit, primarySignatureEdit, secondarySignatureEdit,
                         zodiacalSignatureEdit, authorsEdit, notesEdit})
        e->clear();
    return false;
}

void SignatureMaintenanceWindow::ListSignatureEntries() {
    entryList->Clear();
    if (!DatabaseSound() || !rt::PathExists(kSignatureDbName)) return;
    std::vector<std::string> lines;
    for (const auto& r : ReadAllSignatureRecords()) lines.push_back(MaintenanceLine(r));
    if (sorted) SortListTexts(lines);
    entryList->SetLines(lines);
}

void SignatureMaintenanceWindow::ShowChosenEntry() {
    const int row = entryList->currentRow();
    if (row < 0 || !DatabaseSound()) return;
    std::int64_t record = row + 1;
    if (sorted) {
        record = FindMaintenanceRecord(ReadAllSignatureRecords(), entryList->SelectedLine());
        if (record == 0) return;
    }
    const SignatureRecord& r = ReadSignatureRecord(record);
    SetText(symptomEdit, r.symptom);
    SetText(plantEdit, r.plant);
    SetText(codeEdit, r.code);
    SetText(synthesisEdit, r.synthesis);
    SetText(primarySignatureEdit, r.primarySignature);
    SetText(secondarySignatureEdit, r.secondarySignature);
    SetText(zodiacalSignatureEdit, r.zodiacalSignature);
    SetText(authorsEdit, r.authors);
    SetText(notesEdit, r.notes);
}

}  // namespace remedies
