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
    personMemo_ = gui::MakeMemo(this, "MemoSogg", true);
    grid->addWidget(personMemo_, 1, 2, 4, 1);
    grid->addWidget(gui::MakeLabel(this, "LabAnnotazioni", "Annotaties"), 5, 2);
    annotationMemo_ = gui::MakeMemo(this, "MemoAnnotaz", true);
    grid->addWidget(annotationMemo_, 6, 2, 2, 1);
    textNumberLabel_ = gui::MakeLabel(this, "Label10", "");
    textNumberLabel_->hide();
    grid->addWidget(textNumberLabel_, 8, 2);
    gui::MakeClickOnlyButtons(this, {{&deleteButton_, "BitBtnElimina", "&OK Gegevens Wissen"},
                                     {&backButton_, "BitBtnRitorna", "&Terug naar het hoofdmenu"}});
    grid->addWidget(deleteButton_, 8, 0);
    grid->addWidget(backButton_, 8, 1);

    connect(nameList, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem*) {
                if (!nameSearchEdit->text().isEmpty()) ShowChosen();
            }));
    connect(deleteButton_, &QPushButton::clicked, this, gui::Guarded([this](bool) { DeleteChosenPerson(); }));
    connect(backButton_, &QPushButton::clicked, this, gui::Guarded([this](bool) {
                ClearMemos();
                shown = false;
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
    personMemo_->setPlainText(QString(" \n \n \n \n \n \n "));
    annotationMemo_->setPlainText(" ");
}

void DeleteDialog::ResetAndOpenArchive() {
    shown = false;
    nameSearchEdit->clear();
    chosenEntry.clear();
    chosenPosition = 0;
    currentChart.birth.subjectName.clear();
    textNumber.clear();
    BuildArchiveList();
    chosenArchiveEdit->setText(gui::ToQt(archiveName));
    ClearMemos();
    deleteButton_->setEnabled(false);
    textNumberLabel_->hide();
    CloseArchive();
    if (ArchiveExists(archiveName))
        ReopenChosenArchive();
    else {
        nameList->clear();
        nameList->addItem("ARCHIVIO VUOTO");
    }
}

void DeleteDialog::ReopenChosenArchive() {
    if (shown || chosen) return;  // focus coming back after a choice keeps it
    nameSearchEdit->clear();
    currentChart.birth.subjectName.clear();
    CloseArchive();
    archiveName = gui::FromQt(chosenArchiveEdit->text());
    if (archiveName.empty() || !ArchiveExists(archiveName)) return;
    OpenArchive(archiveName, AnnotationFile::Required);
}

void DeleteDialog::ArchiveChanged(const std::string& letters) {
    SetSearchFieldValid(true);
    ClearMemos();
    if (ArchiveExists(letters) && OpenArchive(letters, AnnotationFile::Required)) nameSearchEdit->setFocus();
    deleteButton_->setEnabled(false);
}

void DeleteDialog::SearchClicked() {
    ClearMemos();
    deleteButton_->setEnabled(false);
    shown = false;
}

void DeleteDialog::ListKeyPressed() { deleteButton_->setEnabled(false); }

void DeleteDialog::ShowChosen() {
    ShowBirthRecord();
    if (!SearchFieldValid() || chosenEntry.empty()) return;
    shown = true;
    deleteButton_->setEnabled(true);
    textNumberLabel_->setText(gui::ToQt(textNumber));
    textNumberLabel_->show();
}

void DeleteDialog::EnterInList(int line) {
    const std::string lineText = LineText(line);
    if (!lineText.empty() && SearchText().compare(0, lineText.size(), lineText) == 0) {
        ChooseLine(line);
        ShowChosen();
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Nomi");
}

void DeleteDialog::EnterInSearch() {
    if (window.Count() >= 10 && !SearchText().empty()) {
        ChooseLine(window.MiddleLine());
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
    const std::string entry = chosenEntry;
    if (!number) {
        SetSearchFieldValid(false);
        nameSearchEdit->clear();
        chosenEntry.clear();
        return;
    }
    BirthRecord rec = files.ReadBirthRecord(*number);
    birth.birthDateKey = rec.dateField;
    const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(rec.dateField);
    birth.birthDateText = key.dateText;
    if (key.zoneCorrection) moment.zoneCorrection = *key.zoneCorrection;
    const std::string zone = key.zoneText;
    birth.timeZoneCorrectionText = zone;
    birth.coordinatesText = rec.placeField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    birth.birthPlace = place;
    birth.nationality = rec.nationalityField;
    moment.gregorian = rec.calendarField == "GR";
    std::string lines[7] = {
        IndexEntryName(entry),
        "Nascita " + birth.birthDateText + "  Correz. " + zone,
        "Localit\xE0: " + place,
        "Nazionalit\xE0: " + rec.nationalityField,
        "Coordinate: " + birth.coordinatesText,
        moment.gregorian ? "Calendario: GREGORIANO" : "Calendario: GIULIANO",
        rec.reserved2,
    };
    QString memo;
    for (int i = 0; i < 7; ++i) memo += gui::ToQt(lines[i]) + (i < 6 ? "\n" : "");
    personMemo_->setPlainText(memo);
    AnnotationRecord notes = ReadRecordAnnotation(files, rec, textNumber);
    annotationMemo_->setPlainText(gui::ToQt(RecallAnnotationLine(notes)));
}

void DeleteDialog::DeleteChosenPerson() {
    if (!shown) {
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
    if (chosenEntry.empty() || archiveName.empty() || chosenPosition == 0) {
        gui::ShowMessage("Scelta Non valida");
        return;
    }
    files.Close();
    DeleteIndexEntry(archiveName, chosenPosition);
    files.Open(archiveName, AnnotationFile::Required);
    int n = files.EntryCount();
    int p = window.Position();
    if (p >= 10) --p;
    if (n < 10) p = 1;
    window.Reset(n, p);
    shown = false;
    nameList->clear();
    ClearMemos();
    FillNameList();
    SetScrollBar();
    chosen = false;
    nameSearchEdit->clear();
    currentChart.birth.subjectName.clear();
    deleteButton_->setEnabled(false);
    nameSearchEdit->setFocus();
    textNumberLabel_->hide();
    std::string number = textNumber;
    engine::StripTrailingBlanks(number);
    if (!number.empty()) {
        // Erased whatever the case of its name on disk.
        std::filesystem::path file = rt::ResolvePath(ArchiveTextFolder(archiveName) + "\\" + number + ".Txt");
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) std::filesystem::remove(file, ec);
    }
    chosenEntry.clear();
    chosenPosition = 0;
}

}  // namespace archive
