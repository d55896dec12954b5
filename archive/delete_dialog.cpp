#include "archive/delete_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>

#include "engine/calendar.h"
#include "engine/chart_state.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"

namespace archive {

DeleteDialog* theDeleteDialog = nullptr;

DeleteDialog::DeleteDialog(QWidget* parent) : ArchiveNameDialog(kNineLineWindow, true, parent) {
    setObjectName("FoCancel");
    setWindowTitle("Verwijderen van geboortegegevens uit het archief");
    auto* grid = new QGridLayout(this);
    grid->addWidget(gui::MakeLabel(this, "LabArchivi", "ARCHIEVEN beschikbaar"), 0, 0);
    grid->addWidget(gui::MakeLabel(this, "LabScelta", "Keuze van het archief"), 1, 0);
    ListaArchivi->setMaximumHeight(80);
    grid->addWidget(ListaArchivi, 2, 0);
    grid->addWidget(gui::MakeLabel(this, "LabArchivio", "ARCHIEF"), 0, 1);
    grid->addWidget(gui::MakeLabel(this, "LabSelezionato", "Geselecteerd "), 1, 1);
    grid->addWidget(EditArchi, 2, 1);
    grid->addWidget(gui::MakeLabel(this, "LabIniziali", "Typ de eerste paar letters van de naam"), 3, 0, 1, 2);
    grid->addWidget(EditSoggetto, 4, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "LabDoppioClic", "Dubbelklik op de naam om te verwijderen"), 5, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "LabPersona", "Gegevens oproepen (Persoon)"), 6, 0, 1, 2);
    ListaNomi->setFixedHeight(9 * 18 + 6);
    grid->addWidget(ListaNomi, 7, 0);
    grid->addWidget(ScrollBar1, 7, 1);
    grid->addWidget(gui::MakeLabel(this, "LabControllo", "Controleer de te verwijderen gegevens"), 0, 2);
    MemoSogg = gui::MakeMemo(this, "MemoSogg", true);
    grid->addWidget(MemoSogg, 1, 2, 4, 1);
    grid->addWidget(gui::MakeLabel(this, "LabAnnotazioni", "Annotaties"), 5, 2);
    MemoAnnotaz = gui::MakeMemo(this, "MemoAnnotaz", true);
    grid->addWidget(MemoAnnotaz, 6, 2, 2, 1);
    Label10 = gui::MakeLabel(this, "Label10", "");
    Label10->hide();
    grid->addWidget(Label10, 8, 2);
    gui::MakeClickOnlyButtons(this, {{&BitBtnElimina, "BitBtnElimina", "&OK Gegevens Wissen"},
                                     {&BitBtnRitorna, "BitBtnRitorna", "&Terug naar het hoofdmenu"}});
    grid->addWidget(BitBtnElimina, 8, 0);
    grid->addWidget(BitBtnRitorna, 8, 1);

    connect(ListaNomi, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem*) {
        if (!EditSoggetto->text().isEmpty()) ShowChosen();
    }));
    connect(BitBtnElimina, &QPushButton::clicked, this, gui::Guarded([this](bool) { BitBtnEliminaClick(); }));
    connect(BitBtnRitorna, &QPushButton::clicked, this, gui::Guarded([this](bool) {
        ClearMemos();
        Shown = false;
        reject();
    }));
    connect(this, &QDialog::finished, this, [this](int) { CloseArchive(); });
    EditSoggetto->installEventFilter(this);
}

void DeleteDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
}

bool DeleteDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditSoggetto && event->type() == QEvent::FocusIn) gui::Guard([this] { EditSoggettoEnter(); });
    return ArchiveNameDialog::eventFilter(watched, event);
}

void DeleteDialog::ClearMemos() {
    MemoSogg->setPlainText(QString(" \n \n \n \n \n \n "));
    MemoAnnotaz->setPlainText(" ");
}

void DeleteDialog::FormActivate() {
    Shown = false;
    EditSoggetto->clear();
    ChosenEntry.clear();
    ChosenPosition = 0;
    engine::Birth.SubjectName.clear();
    TextNumber.clear();
    BuildArchiveList();
    EditArchi->setText(gui::ToQt(ArchiveName));
    ClearMemos();
    BitBtnElimina->setEnabled(false);
    Label10->hide();
    CloseArchive();
    if (ArchiveExists(ArchiveName)) EditSoggettoEnter();
    else {
        ListaNomi->clear();
        ListaNomi->addItem("ARCHIVIO VUOTO");
    }
}

void DeleteDialog::EditSoggettoEnter() {
    if (Shown || Chosen) return;  // focus coming back after a choice keeps it
    EditSoggetto->clear();
    engine::Birth.SubjectName.clear();
    CloseArchive();
    ArchiveName = gui::FromQt(EditArchi->text());
    if (ArchiveName.empty() || !ArchiveExists(ArchiveName)) return;
    OpenArchive(ArchiveName, AnnotationFile::Required);
}

void DeleteDialog::ArchiveChanged(const std::string& letters) {
    SetSearchFieldValid(true);
    ClearMemos();
    if (ArchiveExists(letters) && OpenArchive(letters, AnnotationFile::Required)) EditSoggetto->setFocus();
    BitBtnElimina->setEnabled(false);
}

void DeleteDialog::SearchClicked() {
    ClearMemos();
    BitBtnElimina->setEnabled(false);
    Shown = false;
}

void DeleteDialog::ListKeyPressed() { BitBtnElimina->setEnabled(false); }

void DeleteDialog::ShowChosen() {
    ShowBirthRecord();
    if (!SearchFieldValid() || ChosenEntry.empty()) return;
    Shown = true;
    BitBtnElimina->setEnabled(true);
    Label10->setText(gui::ToQt(TextNumber));
    Label10->show();
}

void DeleteDialog::EnterInList(int line) {
    std::string shown = LineText(line);
    if (!shown.empty() && SearchText().compare(0, shown.size(), shown) == 0) {
        ChooseLine(line);
        ShowChosen();
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Nomi");
}

void DeleteDialog::EnterInSearch() {
    if (Window.Count() >= 10 && !SearchText().empty()) {
        ChooseLine(Window.MiddleLine());
        ShowChosen();
        ListaNomi->setFocus();
        return;
    }
    gui::ShowMessage("Doppio Click sull'Elenco Nomi");
}

void DeleteDialog::ShowBirthRecord() {
    using engine::Birth;
    using engine::Chart;
    if (!SearchFieldValid() || Birth.SubjectName.empty()) {
        TakeChosenEntry();
        return;
    }
    auto number = TakeChosenEntry();
    const std::string entry = ChosenEntry;
    if (!number) {
        SetSearchFieldValid(false);
        EditSoggetto->clear();
        ChosenEntry.clear();
        return;
    }
    BirthRecord rec = Files.ReadBirthRecord(*number);
    Birth.BirthDateKey = rec.DateField;
    std::string zone;
    engine::SortKeyToDateTimeText(rec.DateField, Birth.BirthDateText, zone);
    Birth.TimeZoneCorrectionText = zone;
    Birth.CoordinatesText = rec.PlaceField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    Birth.BirthPlace = place;
    Birth.Nationality = rec.NationalityField;
    Chart.GregorianCalendar = rec.CalendarField == "GR";
    std::string lines[7] = {
        IndexEntryName(entry),
        "Nascita " + Birth.BirthDateText + "  Correz. " + zone,
        "Localit\xE0: " + place,
        "Nazionalit\xE0: " + rec.NationalityField,
        "Coordinate: " + Birth.CoordinatesText,
        Chart.GregorianCalendar ? "Calendario: GREGORIANO" : "Calendario: GIULIANO",
        rec.Reserved2,
    };
    QString memo;
    for (int i = 0; i < 7; ++i) memo += gui::ToQt(lines[i]) + (i < 6 ? "\n" : "");
    MemoSogg->setPlainText(memo);
    AnnotationRecord notes = ReadRecordAnnotation(Files, rec, TextNumber);
    MemoAnnotaz->setPlainText(gui::ToQt(RecallAnnotationLine(notes)));
}

void DeleteDialog::BitBtnEliminaClick() {
    if (!Shown) {
        gui::ShowMessage("Doppio Clic su Elenco");
        return;
    }
    ShowBirthRecord();
    if (!SearchFieldValid()) {
        EditSoggetto->clear();
        SetSearchFieldValid(true);
        gui::ShowMessage("Scelta Non valida");
        return;
    }
    if (ChosenEntry.empty() || ArchiveName.empty() || ChosenPosition == 0) {
        gui::ShowMessage("Scelta Non valida");
        return;
    }
    Files.Close();
    DeleteIndexEntry(ArchiveName, ChosenPosition);
    Files.Open(ArchiveName, AnnotationFile::Required);
    int n = Files.EntryCount();
    int p = Window.Position();
    if (p >= 10) --p;
    if (n < 10) p = 1;
    Window.Reset(n, p);
    Shown = false;
    ListaNomi->clear();
    ClearMemos();
    FillNameList();
    SetScrollBar();
    Chosen = false;
    EditSoggetto->clear();
    engine::Birth.SubjectName.clear();
    BitBtnElimina->setEnabled(false);
    EditSoggetto->setFocus();
    Label10->hide();
    std::string number = TextNumber;
    engine::StripTrailingBlanks(number);
    if (!number.empty()) {
        // Erased whatever the case of its name on disk.
        std::filesystem::path file = rt::ResolvePath(ArchiveTextFolder(ArchiveName) + "\\" + number + ".Txt");
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) std::filesystem::remove(file, ec);
    }
    ChosenEntry.clear();
    ChosenPosition = 0;
}

}  // namespace archive
