#include "archive/change_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>
#include <filesystem>

#include "archive/change_record.h"
#include "archive/current_chart.h"
#include "archive/form_helpers.h"
#include "archive/record_checks.h"
#include "archive/store_dialog.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace archive {

namespace {
std::string Trim(const QLineEdit* e) {
    std::string t;
    engine::TrimBlanks(gui::FromQt(e->text()), t);
    return t;
}

// The number of `len` characters at 1-based `start`, or -1 when they are
// missing or hold no number.
int NumberIn(const std::string& t, std::size_t start, std::size_t len) {
    if (t.size() < start - 1 + len) return -1;
    int code = 0;
    const int v = rt::ValInt(t.substr(start - 1, len), code);
    return code == 0 ? v : -1;
}
}  // namespace

ChangeDialog::ChangeDialog(CurrentChart& current, QWidget* parent)
    : ArchiveNameDialog(current, kEightLineWindow, true, parent) {
    setObjectName("FoModifi");
    setWindowTitle("Geboortedatum wijzigen");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* grid = new QGridLayout(this);

    archivePanel = gui::MakeGroup(this, "Panel4", "ARCHIEVEN beschikbaar");
    auto* archives = new QVBoxLayout(archivePanel);
    archiveList->setParent(archivePanel);
    archiveList->setObjectName("ListBox1");
    archiveList->setMaximumHeight(80);
    archives->addWidget(archiveList);
    chosenArchiveEdit->setParent(archivePanel);
    gui::SetFieldState(chosenArchiveEdit, gui::FieldState::Computed);
    archives->addWidget(chosenArchiveEdit);
    grid->addWidget(archivePanel, 0, 0);

    searchPanel = BuildSearchPanel("GroupBoxElenco", {"Eerste letters van de naam", "Dubbelklik op de gekozen naam"});
    grid->addWidget(searchPanel, 1, 0);
    BuildRecordGroups(grid);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&storeButton, "BitBtnRegistra", "&OK registreert"},
                                     {&changeAnotherButton, "BitBtnAncora", "&Nogmaals "},
                                     {&backButton, "BitBtn3", "&Terug naar het hoofdmenu"},
                                     {&makeTextButton, "BBtesto", "Tekst maken / bijwerken"}});
    for (QPushButton* b : {storeButton, changeAnotherButton, makeTextButton, backButton}) buttons->addWidget(b);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(nameList, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem* item) {
                ChooseLine(nameList->row(item));
                OpenChosen();
            }));
    connect(backToListButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ShowList(); }));
    connect(changeAnotherButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { ShowList(); }));
    connect(storeButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { SaveEditedRecord(); }));
    connect(makeTextButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { MakeOrOpenPersonText(); }));
    connect(backButton, &QPushButton::clicked, this, [this](bool) { reject(); });
    connect(this, &QDialog::finished, this, [this](int) { CloseArchive(); });
}

// The person's data, with the formats they take, and the annotations.
void ChangeDialog::BuildRecordGroups(QGridLayout* grid) {
    birthDataGroup = gui::MakeGroup(this, "GroupBoxDati", "Geboortegegevens");
    auto* dataGrid = new QGridLayout(birthDataGroup);
    dataGrid->addWidget(gui::MakeLabel(birthDataGroup, "LabFormati", "Respecteer de juiste formaten"), 0, 0, 1, 2);
    const int r = gui::AddLabelledEdits(dataGrid, birthDataGroup,
                                        {{&nameEdit, "EditNomeSogg", "Naam", 38},
                                         {&birthDateEdit, "EditDataNasc", "Datum", 10},
                                         {&birthTimeEdit, "EditOraNasc", "Uur", 5},
                                         {&calendarEdit, "EditCalend", "Kalender", 10},
                                         {&placeEdit, "EditLocalita", "Plaats", 28},
                                         {&correctionEdit, "EditGmt", "Corr", 6},
                                         {&coordinatesEdit, "EditCoordi", "12N30-123E45", 12},
                                         {&nationalityEdit, "EditStato", "Staat", 20}},
                                        1);
    for (QLineEdit* e : {nameEdit, calendarEdit, placeEdit, coordinatesEdit, nationalityEdit}) UpperCaseOnTyping(e);
    backToListButton = gui::MakeButton(birthDataGroup, "BitBtnElenco", "Lijst");
    dataGrid->addWidget(backToListButton, r, 1);
    grid->addWidget(birthDataGroup, 0, 1, 2, 1);

    annotationGroup = gui::MakeGroup(this, "GroupBoxAnnot", "Annotaties");
    auto* notes = new QVBoxLayout(annotationGroup);
    for (int k = 0; k < 4; ++k) {
        annotationEdits[k] = gui::MakeEdit(annotationGroup, kAnnotationLines[k].name, kAnnotationLines[k].length);
        UpperCaseOnTyping(annotationEdits[k]);
    }
    textNumberEdit = gui::MakeReadOnlyEdit(annotationGroup, "EditNfile", 5);
    for (QLineEdit* e : annotationEdits) notes->addWidget(e);
    notes->addWidget(textNumberEdit);
    grid->addWidget(annotationGroup, 2, 0, 1, 2);
    // While the list is shown, a greyed, empty frame of the annotations keeps
    // the dialog's shape where the annotation lines will appear.
    emptyAnnotationFrame = gui::MakeGroup(this, "GroupBoxAnnotFinto", "Annotaties");
    emptyAnnotationFrame->setEnabled(false);
    emptyAnnotationFrame->setMinimumHeight(120);
    grid->addWidget(emptyAnnotationFrame, 3, 0, 1, 2);
}

void ChangeDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { ResetAndOpenArchive(); });
}

bool ChangeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameSearchEdit && event->type() == QEvent::FocusIn && !chosen && nameSearchEdit->text().isEmpty())
        gui::Guard([this] {
            currentChart.birth.subjectName.clear();
            CloseArchive();
            OpenChangeArchive();
        });
    return ArchiveNameDialog::eventFilter(watched, event);
}

void ChangeDialog::ClearFields() {
    for (QLineEdit* e : {nameEdit, birthDateEdit, birthTimeEdit, calendarEdit, placeEdit, correctionEdit,
                         coordinatesEdit, nationalityEdit, textNumberEdit})
        e->clear();
    for (QLineEdit* e : annotationEdits) e->clear();
}

void ChangeDialog::ResetAndOpenArchive() {
    QApplication::restoreOverrideCursor();
    changeAnotherButton->setEnabled(false);
    storeButton->setEnabled(false);
    makeTextButton->setEnabled(false);
    birthDataGroup->setEnabled(true);
    backToListButton->setEnabled(true);
    archiveList->setEnabled(true);
    for (QLineEdit* e : annotationEdits) e->clear();
    textNumberEdit->clear();
    BuildArchiveList();
    nameEdit->setText(gui::ToQt(currentChart.birth.subjectName));
    ShowSearchSide(true);
    chosenArchiveEdit->setText(gui::ToQt(archiveName));
    chosen = false;
    CloseArchive();
    OpenChangeArchive();
    nameSearchEdit->setFocus();
}

void ChangeDialog::OpenChangeArchive() {
    if (archiveName.empty() || !ArchiveExists(archiveName)) {
        nameList->clear();
        nameList->addItem("ARCHIVIO VUOTO");
        return;
    }
    if (OpenArchive(archiveName, AnnotationFile::Required)) {
        window.Reset(files.EntryCount(), files.EntryCount() < 9 ? 1 : 4);
        FillNameList();
        SetScrollBar();
    }
}

void ChangeDialog::ArchiveChanged(const std::string&) {
    nameSearchEdit->clear();
    SetSearchFieldValid(true);
    ClearFields();
    OpenChangeArchive();
    nameSearchEdit->setFocus();
}

void ChangeDialog::EntryChosen() { ClearFields(); }

void ChangeDialog::EnterInList(int line) {
    std::string shown = LineText(line);
    if (!shown.empty() && shown == SearchText()) {
        ChooseLine(line);
        OpenChosen();
        return;
    }
    gui::ShowMessage("Doppio Click sull'Elenco Nomi");
}

void ChangeDialog::EnterInSearch() {
    if (window.Count() >= 10 && !SearchText().empty()) {
        ChooseLine(window.MiddleLine());
        OpenChosen();
        return;
    }
    gui::ShowMessage("Doppio Click sull'Elenco Nomi");
}

// The search side (the list of names, the annotations' empty frame) or the
// chosen person's side (their birth data and annotation lines).
void ChangeDialog::ShowSearchSide(bool search) {
    birthDataGroup->setVisible(!search);
    annotationGroup->setVisible(!search);
    emptyAnnotationFrame->setVisible(search);
    searchPanel->setVisible(search);
}

void ChangeDialog::OpenChosen() {
    if (!chosen) return;
    ShowSearchSide(false);
    ShowRecordForEdit();
    storeButton->setEnabled(true);
    makeTextButton->setEnabled(true);
    archiveList->setEnabled(false);
}

void ChangeDialog::ShowList() {
    ShowSearchSide(true);
    storeButton->setEnabled(false);
    makeTextButton->setEnabled(false);
    changeAnotherButton->setEnabled(false);
    archiveList->setEnabled(true);
    birthDataGroup->setEnabled(true);
    backToListButton->setEnabled(true);
    ClearFields();
    chosen = false;
    nameSearchEdit->clear();
    nameSearchEdit->setFocus();
}

void ChangeDialog::ShowRecordForEdit() {
    engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    if (!SearchFieldValid()) {
        nameSearchEdit->clear();
        return;
    }
    if (birth.subjectName.empty()) return;
    auto number = IndexEntryNumber(chosenEntry);
    if (!number) {
        SetSearchFieldValid(false);
        nameSearchEdit->clear();
        return;
    }
    dataNumber = *number;
    BirthRecord rec = files.ReadBirthRecord(dataNumber);
    oldName = IndexEntryName(chosenEntry);
    std::string name = oldName;
    engine::StripTrailingBlanks(name);
    nameEdit->setText(gui::ToQt(name));
    birth.birthDateKey = rec.dateField;
    const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(rec.dateField);
    birth.birthDateText = key.dateText;
    if (key.zoneCorrection) moment.zoneCorrection = *key.zoneCorrection;
    const std::string zone = key.zoneText;
    birth.timeZoneCorrectionText = zone;
    birthDateEdit->setText(gui::ToQt(birth.birthDateText.substr(0, 10)));
    birthTimeEdit->setText(gui::ToQt(birth.birthDateText.size() > 11 ? birth.birthDateText.substr(11, 5) : ""));
    correctionEdit->setText(gui::ToQt(zone));
    birth.coordinatesText = rec.placeField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    birth.birthPlace = place;
    placeEdit->setText(gui::ToQt(place));
    coordinatesEdit->setText(gui::ToQt(birth.coordinatesText));
    birth.nationality = rec.nationalityField;
    nationalityEdit->setText(gui::ToQt(rec.nationalityField));
    moment.gregorian = rec.calendarField == "GR";
    calendarEdit->setText(moment.gregorian ? "GREGORIANO" : "GIULIANO");
    annotationNumberText = rec.annotationNumber;
    int noteNumber = 0;
    if (auto n = ReadDecimalEitherSeparator(rec.annotationNumber)) noteNumber = static_cast<int>(*n);
    if (noteNumber != 0) {
        std::string textNumber;
        AnnotationRecord notes = ReadRecordAnnotation(files, rec, textNumber);
        for (int k = 0; k < 3; ++k) annotationEdits[k]->setText(gui::ToQt(notes.lines[k]));
        annotationEdits[3]->setText(gui::ToQt(notes.lines[3].substr(0, 64)));
        textNumberEdit->setText(gui::ToQt(textNumber));
    }
}

bool ChangeDialog::TypedTextRefused() {
    return RefuseForeignCharacters({{nameEdit, "Il nome"},
                                    {placeEdit, "Il luogo"},
                                    {nationalityEdit, "La nazione"},
                                    {annotationEdits[0], "Un'annotazione"},
                                    {annotationEdits[1], "Un'annotazione"},
                                    {annotationEdits[2], "Un'annotazione"},
                                    {annotationEdits[3], "Un'annotazione"}});
}

bool ChangeDialog::SaveEditedRecord() {
    engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    if (!birthDataGroup->isEnabled() || dataNumber == 0) return false;
    if (TypedTextRefused()) return false;
    for (QLineEdit* e : {nameEdit, placeEdit, nationalityEdit}) e->setText(gui::ToQt(Trim(e)));
    std::string date = Trim(birthDateEdit), time = Trim(birthTimeEdit), coords = Trim(coordinatesEdit);
    // The store's own checks: DD/MM/YYYY in the calendar the dialog names, HH:MM.
    const std::string calendarName = Trim(calendarEdit);
    const std::string calendarCode = calendarName == "GREGORIANO" ? "GR" : calendarName == "GIULIANO" ? "GI" : "";
    if (!BirthDateProblem({NumberIn(date, 1, 2), NumberIn(date, 4, 2), NumberIn(date, 7, 4)}, calendarCode).empty()) {
        gui::ShowMessage("Data Nascita Scorretta o Incompleta");
        return false;
    }
    if (!BirthTimeProblem(NumberIn(time, 1, 2), NumberIn(time, 4, 2)).empty()) {
        gui::ShowMessage("Ora Nascita Scorretta o Incompleta");
        return false;
    }
    if (!CoordinatesProblem(coords).empty()) {
        gui::ShowMessage("Coordinate Scorrette o Incomplete");
        return false;
    }
    std::string calendar = Trim(calendarEdit);
    if (calendar != "GREGORIANO" && calendar != "GIULIANO") {
        gui::ShowMessage("Errore definizione Calendario");
        return false;
    }
    std::string corr = Trim(correctionEdit);
    for (char& c : corr)
        if (c == ',') c = '.';
    correctionEdit->setText(gui::ToQt(corr));
    int code = 0;
    long double correction = rt::ValReal(corr, code);
    if (code != 0 || corr.empty()) {
        gui::ShowMessage("Errore alla voce \"Corr\" (Correzione Totale)");
        return false;
    }
    if (correction > 12.0L || correction < -12.0L) {
        gui::ShowMessage("\"Corr\" riporta un valore impossibile");
        return false;
    }
    int lon = rt::ValInt(coords.substr(6, 3), code);
    if (coords[9] == 'W') lon = -lon;
    if (std::fabs((correction * 15 + lon) / 15) >= 2.0L &&
        gui::ShowMessage("Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?", "kelvor",
                         gui::Buttons::YesNo) != gui::kAnswerYes)
        return false;

    birthDataGroup->setEnabled(false);
    backToListButton->setEnabled(false);
    EditedPerson p;
    p.letters = archiveName;
    p.indexPosition = chosenPosition;
    p.dataNumber = dataNumber;
    p.name = gui::FromQt(nameEdit->text());
    p.dateTimeText = date + " " + time;
    p.correctionText = corr;
    p.coordinatesText = coords;
    p.placeName = gui::FromQt(placeEdit->text());
    p.calendarCode = calendar.substr(0, 2);
    p.nationality = gui::FromQt(nationalityEdit->text());
    p.annotationNumber = annotationNumberText;
    bool anyNote = !textNumberEdit->text().isEmpty();
    for (QLineEdit* e : annotationEdits) anyNote = anyNote || !e->text().isEmpty();
    if (anyNote) {
        AnnotationRecord notes;
        for (int k = 0; k < 3; ++k) notes.lines[k] = rt::CutTo(Trim(annotationEdits[k]), 70);
        std::string fourth = gui::FromQt(annotationEdits[3]->text()).substr(0, 64);
        fourth.resize(64, ' ');
        notes.lines[3] = fourth + Trim(textNumberEdit);
        p.annotation = notes;
    }
    birth.subjectName = p.name;
    birth.nationality = p.nationality;
    birth.enteredPlaceText = p.placeName;
    birth.manualCoordinatesText = coords;
    birth.timeZoneCorrectionText = corr;
    moment.zoneCorrection = correction;
    moment.gregorian = p.calendarCode == "GR";
    CloseArchive();
    RewriteResult result = RewriteEditedPerson(currentChart.settings, p);
    annotationNumberText = result.record.annotationNumber;
    chosenPosition = result.indexPosition;
    OpenChangeArchive();
    changeAnotherButton->setEnabled(true);
    archiveList->setEnabled(false);
    storeButton->setEnabled(false);
    makeTextButton->setEnabled(false);
    return true;
}

void ChangeDialog::MakeOrOpenPersonText() {
    // The name goes into a new text too.
    if (TypedTextRefused()) return;
    std::string folder = ArchiveTextFolder(archiveName);
    std::string number = Trim(textNumberEdit);
    std::string file;
    if (!number.empty() && rt::PathExists(folder + "\\" + number + ".txt")) {
        file = folder + "\\" + number + ".txt";
    } else {
        // A new text file, numbered by the folder's counter.
        std::string previousText = currentChart.birth.subjectName;
        number = CreateNumberedTextFile(archiveName, gui::FromQt(nameEdit->text()));
        textNumberEdit->setText(gui::ToQt(number));
        file = PersonTextFileName(archiveName, number);
        currentChart.birth.subjectName = previousText;
    }
    SaveEditedRecord();
    rt::WriteTextLines("FileDum\\DatModif.dum", {file});
    Q_EMIT PersonTextRequested();
}

}  // namespace archive
