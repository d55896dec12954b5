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

SignatureMaintenanceWindow* theSignatureMaintenanceWindow = nullptr;

SignatureMaintenanceWindow::SignatureMaintenanceWindow() {
    setObjectName("FoManut1");
    setWindowTitle("AGGIORNAMENTI / MODIFICHE DATABASE");
    SetWindowColour(this, kWindowColour);
    auto* top = new QGridLayout(this);

    ListBox1 = new ModelList(this, "ListBox1");
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    top->addWidget(ListBox1, 0, 0, 2, 1);

    Memo1 = NoteMemo(gui::MakeMemo(this, "Memo1", true), kMemoColour);
    SetText(Memo1,
            "Il database \xE8 in ordine alfabetico del sintomo.\n"
            "\"Ordinamento\" lo mostra ordinato per pianta; un secondo clic torna "
            "all'ordine del database.\nClic su una riga per vederne tutti i campi.");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFixedHeight(80);
    auto* right = new QGridLayout;
    right->addWidget(Memo1, 0, 0, 1, 2);
    BitBtn1 = gui::MakeClickOnlyButton(this, "BitBtn1", "Ordinamento");
    right->addWidget(BitBtn1, 1, 0, 1, 2);
    const int row = gui::AddLabelledEdits(right, this,
                                          {{&EdSintomo, "EdSintomo", "Sintomo"},
                                           {&EdPianta, "EdPianta", "Pianta"},
                                           {&EdSigla, "EdSigla", "Sigla"},
                                           {&EdSintesi, "EdSintesi", "Sintesi"},
                                           {&EdSegPri, "EdSegPri", "Segnat. Primaria"},
                                           {&EdSegSec, "EdSegSec", "Segnat. Secondaria"},
                                           {&EdSegZod, "EdSegZod", "Segnat. Zodiacale"},
                                           {&EdAutori, "EdAutori", "Autori"},
                                           {&EdNote, "EdNote", "Note"}},
                                          2);
    for (QLineEdit* e : {EdSintomo, EdPianta, EdSigla, EdSintesi, EdSegPri, EdSegSec, EdSegZod, EdAutori, EdNote}) {
        e->setReadOnly(true);
        SetBaseColour(e, kSilverColour);
        e->setMinimumWidth(320);
    }
    right->setRowStretch(row, 1);
    BitBtnRitorna = gui::MakeClickOnlyButton(this, "BitBtnRitorna", "&Ritorna al Menu");
    right->addWidget(BitBtnRitorna, row + 1, 1, Qt::AlignRight);
    top->addLayout(right, 0, 1);
    top->setColumnStretch(0, 1);

    connect(ListBox1, &QListWidget::itemClicked, this,
            gui::Guarded([this](QListWidgetItem*) { ListBox1Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtn1Click(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
    resize(1100, 600);
}

void SignatureMaintenanceWindow::FormActivate() {
    Sorted = false;
    ListSignatureEntries();
}

void SignatureMaintenanceWindow::BitBtn1Click() {
    Sorted = !Sorted;
    ListSignatureEntries();
}

bool SignatureMaintenanceWindow::DatabaseSound() {
    if (DatabasesSound({SignatureDb()}, NothingShownUntilSound("le schede"))) return true;
    ListBox1->Clear();
    for (QLineEdit* e : {EdSintomo, EdPianta, EdSigla, EdSintesi, EdSegPri, EdSegSec, EdSegZod, EdAutori, EdNote})
        e->clear();
    return false;
}

void SignatureMaintenanceWindow::ListSignatureEntries() {
    ListBox1->Clear();
    if (!DatabaseSound() || !rt::PathExists(kSignatureDbName)) return;
    std::vector<std::string> lines;
    for (const auto& r : ReadAllSignatureRecords()) lines.push_back(MaintenanceLine(r));
    if (Sorted) SortListTexts(lines);
    ListBox1->SetLines(lines);
}

void SignatureMaintenanceWindow::ListBox1Click() {
    const int row = ListBox1->currentRow();
    if (row < 0 || !DatabaseSound()) return;
    std::int64_t record = row + 1;
    if (Sorted) {
        record = FindMaintenanceRecord(ReadAllSignatureRecords(), ListBox1->SelectedLine());
        if (record == 0) return;
    }
    const SignatureRecord& r = ReadSignatureRecord(record);
    SetText(EdSintomo, r.Symptom);
    SetText(EdPianta, r.Plant);
    SetText(EdSigla, r.Code);
    SetText(EdSintesi, r.Synthesis);
    SetText(EdSegPri, r.PrimarySignature);
    SetText(EdSegSec, r.SecondarySignature);
    SetText(EdSegZod, r.ZodiacalSignature);
    SetText(EdAutori, r.Authors);
    SetText(EdNote, r.Notes);
}

}  // namespace remedies
