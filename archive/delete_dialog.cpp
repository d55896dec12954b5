#include "archive/delete_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <filesystem>

#include "archive/current_chart.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"

namespace archive {

DeleteDialog::DeleteDialog(CurrentChart& current, QWidget* parent)
    : ArchiveNameDialog(current, kNineLineWindow, true, parent) {
    setObjectName("FoCancel");
    setWindowTitle("Verwijderen van geboortegegevens uit het archief");
    auto* grid = new QGridLayout(this);
    grid->addWidget(gui::MakeLabel(this, "LabArchivi", "ARCHIEVEN beschikbaar"), 0, 0);
    grid->addWidget(gui::MakeLabel(this, "LabScelta", "Keuze van het archief"), 1, 0);
    archiveList->setMaximumHeight(80);
    grid->addWidget(archiveList, 2, 0);
    grid->addWidget(gui::MakeLabel(this, "LabArchivio", "ARCHIEF"), 0, 1);
    grid->addWidget(gui::MakeLabel(this, "LabSelezionato", "Geselecteerd "), 1, 1);
    grid->addWidget(chosenArchiveEdit, 2, 1);
    grid->addWidget(gui::MakeLabel(this, "LabIniziali", "Typ de eerste paar letters van de naam"), 3, 0, 1, 2);
    grid->addWidget(nameSearchEdit, 4, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "LabDoppioClic", "Dubbelklik op de naam om te verwijderen"), 5, 0, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "LabPersona", "Gegevens oproepen (Persoon)"), 6, 0, 1, 2);
    nameList->setFixedHeight(9 * 18 + 6);
    grid->addWidget(nameList, 7, 0);
    grid->addWidget(nameScrollBar, 7, 1);
    grid->addWidget(gui::MakeLabel(this, "LabControllo", "Controleer de te verwijderen gegevens"), 0, 2);
    personMemo = gui::MakeMemo(this, "MemoSogg", true);
    grid->addWidget(personMemo, 1, 2, 4, 1);
    grid->addWidget(gui::MakeLabel(this, "LabAnnotazioni", "Annotaties"), 5, 2);
    annotationMemo = gui::MakeMemo(this, "MemoAnnotaz", true);
    grid->addWidget(annotationMemo, 6, 2, 2, 1);
    textNumberLabel = gui::MakeLabel(this, "Label10", "");
    textNumberLabel->hide();
    grid->addWidget(textNumberLabel, 8, 2);
    gui::MakeClickOnlyButtons(this, {{&deleteButton, "BitBtnElimina", "&OK Gegevens Wissen"},
                                     {&backButton, "BitBtnRitorna", "&Terug naar het hoofdmenu"}});
    grid->addWidget(deleteButton, 8, 0);
    grid->addWidget(backButton, 8, 1);

    connect(nameList, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem*) {
        if (!nameSearchEdit->text().isEmpty()) ShowChosen();
    }));
    connect(deleteButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { DeleteChosenPerson(); }));
    connect(backButton, &QPushButton::clicked, this, gui::Guarded([this](bool) {
        ClearMemos();
        Shown = false;
        reject();
    }));
    connect(this, &QDialog::finished, this, [this](int) { CloseArchive(); });
    nameSearchEdit->installEventFilter(this);
}

void DeleteDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { ResetAndOpenArchive(); });
}

bool DeleteDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameSearchEdit && event->type() == QEvent::FocusIn) gui::Guard([this] { ReopenChosenArchive(); });
    return ArchiveNameDialog::eventFilter(watched, event);
}

void DeleteDialog::ClearMemos() {
    personMemo->setPlainText(QString(" \n \n \n \n \n \n "));
    annotationMemo->setPlainText(" ");
}

void DeleteDialog::ResetAndOpenArchive() {
    Shown = false;
    nameSearchEdit->clear();
    ChosenEntry.clear();
    ChosenPosition = 0;
    currentChart.birth.subjectName.clear();
    TextNumber.clear();
    BuildArchiveList();
    chosenArchiveEdit->setText(gui::ToQt(ArchiveName));
    ClearMemos();
    deleteButton->setEnabled(false);
    textNumberLabel->hide();
    CloseArchive();
    if (ArchiveExists(ArchiveName)) ReopenChosenArchive();
    else {
        nameList->clear();
        nameList->addItem("ARCHIVIO VUOTO");
    }
}

void DeleteDialog::ReopenChosenArchive() {
    if (Shown || Chosen) return;  // focus coming back after a choice keeps it
    nameSearchEdit->clear();
    currentChart.birth.subjectName.clear();
    CloseArchive();
    ArchiveName = gui::FromQt(chosenArchiveEdit->text());
    if (ArchiveName.empty() || !ArchiveExists(ArchiveName)) return;
    OpenArchive(ArchiveName, AnnotationFile::Required);
}

void DeleteDialog::ArchiveChanged(const std::string& letters) {
    SetSearchFieldValid(true);
    ClearMemos();
    if (ArchiveExists(letters) && OpenArchive(letters, AnnotationFile::Required)) nameSearchEdit->setFocus();
    deleteButton->setEnabled(false);
}

void DeleteDialog::SearchClicked() {
    ClearMemos();
    deleteButton->setEnabled(false);
    Shown = false;
}

void DeleteDialog::ListKeyPressed() { deleteButton->setEnabled(false); }

void DeleteDialog::ShowChosen() {
    ShowBirthRecord();
    if (!SearchFieldValid() || ChosenEntry.empty()) return;
    Shown = true;
    deleteButton->setEnabled(true);
    textNumberLabel->setText(gui::ToQt(TextNumber));
    textNumberLabel->show();
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
        nameList->setFocus();
        return;
    }
    gui::ShowMessage("Doppio Click sull'Elenco Nomi");
}

void DeleteDialog::ShowBirthRecord() {
    engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    if (!SearchFieldValid() || birth.subjectName.empty()) {
        TakeChosenEntry();
        return;
    }
    auto number = TakeChosenEntry();
    const std::string entry = ChosenEntry;
    if (!number) {
        SetSearchFieldValid(false);
        nameSearchEdit->clear();
        ChosenEntry.clear();
        return;
    }
    BirthRecord rec = Files.ReadBirthRecord(*number);
    birth.birthDateKey = rec.DateField;
    const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(rec.DateField);
    birth.birthDateText = key.dateText;
    if (key.zoneCorrection) moment.zoneCorrection = *key.zoneCorrection;
    const std::string zone = key.zoneText;
    birth.timeZoneCorrectionText = zone;
    birth.coordinatesText = rec.PlaceField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    birth.birthPlace = place;
    birth.nationality = rec.NationalityField;
    moment.gregorian = rec.CalendarField == "GR";
    std::string lines[7] = {
        IndexEntryName(entry),
        "Nascita " + birth.birthDateText + "  Correz. " + zone,
        "Localit\xE0: " + place,
        "Nazionalit\xE0: " + rec.NationalityField,
        "Coordinate: " + birth.coordinatesText,
        moment.gregorian ? "Calendario: GREGORIANO" : "Calendario: GIULIANO",
        rec.Reserved2,
    };
    QString memo;
    for (int i = 0; i < 7; ++i) memo += gui::ToQt(lines[i]) + (i < 6 ? "\n" : "");
    personMemo->setPlainText(memo);
    AnnotationRecord notes = ReadRecordAnnotation(Files, rec, TextNumber);
    annotationMemo->setPlainText(gui::ToQt(RecallAnnotationLine(notes)));
}

void DeleteDialog::DeleteChosenPerson() {
    if (!Shown) {
        gui::ShowMessage("Doppio Clic su Elenco");
        return;
    }
    ShowBirthRecord();
    if (!SearchFieldValid()) {
        nameSearchEdit->clear();
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
    nameList->clear();
    ClearMemos();
    FillNameList();
    SetScrollBar();
    Chosen = false;
    nameSearchEdit->clear();
    currentChart.birth.subjectName.clear();
    deleteButton->setEnabled(false);
    nameSearchEdit->setFocus();
    textNumberLabel->hide();
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
