#include "archive/store_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/archive_files.h"
#include "archive/calendars.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "archive/form_helpers.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/fixed_string.h"

namespace archive {

StoreDialog::StoreDialog(CurrentChart& current, QWidget* parent) : QDialog(parent), currentChart(current) {
    setObjectName("FormRegKel");
    setWindowTitle("Wijziging geboortegegevens");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(this);
    grid->addWidget(gui::MakeLabel(this, "LabVincolo", "(Gegevens kunnen niet meer worden bewerkt)"), 0, 0, 1, 4);
    int row = gui::AddLabelledEdits(grid, this,
                                    {{&nameEdit, "EditNomeSogg", "Naam"},
                                     {&birthDateEdit, "EditDataNasc", "Datum"},
                                     {&zoneEdit, "EditGmt", "GMT"}},
                                    1, {0, 3});
    // The zone the chart is computed with, under its field.
    zoneNoteLabel = gui::MakeLabel(this, "LabGmtNota", "");
    grid->addWidget(zoneNoteLabel, row++, 1, 1, 3);
    row = gui::AddLabelledEdits(grid, this,
                                {{&placeEdit, "EditLocalita", "Plaats"},
                                 {&calendarEdit, "EditCalend", "Kalend."},
                                 {&julianDayEdit, "EditJd", "Jd"},
                                 {&coordinatesEdit, "EditCoord", "Co\xF6rd."},
                                 {&nationalityEdit, "EditStato", "Stato"}},
                                row, {0, 3});
    // Nothing shown can be changed here any more: a zone typed into its field
    // would not be the one stored.
    for (QLineEdit* e :
         {nameEdit, birthDateEdit, zoneEdit, placeEdit, calendarEdit, julianDayEdit, coordinatesEdit, nationalityEdit})
        e->setReadOnly(true);
    grid->addWidget(gui::MakeLabel(this, "LabArchivi", "ARCHIEVEN beschikbaar"), row, 0);
    grid->addWidget(gui::MakeLabel(this, "LabArchivio", "ARCHIEF"), row, 2);
    grid->addWidget(gui::MakeLabel(this, "LabSelezionato", "geselecteerd"), row++, 3);
    archiveList = gui::MakeList(this, "ListBox1");
    archiveList->setMaximumHeight(90);
    grid->addWidget(archiveList, row, 0, 1, 2);
    chosenArchiveEdit = gui::MakeReadOnlyEdit(this, "EditArchi", 4);
    grid->addWidget(chosenArchiveEdit, row++, 2, 1, 2);
    grid->addWidget(gui::MakeLabel(this, "LabAnnotazioni", "Annotaties"), row, 0);
    grid->addWidget(gui::MakeLabel(this, "LabOpzionali", "Optionele gegevens"), row++, 1);
    for (int k = 0; k < 4; ++k) {
        annotationEdits[k] = gui::MakeEdit(this, kAnnotationLines[k].name, kAnnotationLines[k].length);
        UpperCaseOnTyping(annotationEdits[k]);
        annotationEdits[k]->installEventFilter(this);
        grid->addWidget(annotationEdits[k], row++, 0, 1, 4);
    }
    textNumberEdit = gui::MakeReadOnlyEdit(this, "EditNfile", 5);
    grid->addWidget(textNumberEdit, row++, 3);
    gui::MakeButtons(this, {{&storeButton, "BitBtnRegistra", "OK registreert"},
                            {&storeAndMakeTextButton, "BBregText", "OK Gegevens opnemen en tekstbestand maken"},
                            {&cancelButton, "BBannulla", "&Annuleren en Backards"}});
    grid->addWidget(storeButton, row, 0);
    grid->addWidget(storeAndMakeTextButton, row, 1, 1, 2);
    grid->addWidget(cancelButton, row, 3);

    connect(archiveList, &QListWidget::itemClicked, this, gui::Guarded([this](QListWidgetItem*) { ChooseArchive(); }));
    connect(storeButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { StoreAndClose(); }));
    connect(storeAndMakeTextButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { MakeTextAndStore(); }));
    connect(cancelButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { Cancel(); }));
    connect(this, &QDialog::finished, this, [this](int) { gui::Guard([this] { HandOffLastStoredEntry(); }); });
}

void StoreDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!activated_) {
        activated_ = true;
        gui::Guard([this] { ShowEnteredBirthData(); });
    }
}

void StoreDialog::closeEvent(QCloseEvent* e) {
    activated_ = false;
    QDialog::closeEvent(e);
}

bool StoreDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 4; ++i) {
        if (watched != annotationEdits[i]) continue;
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (i < 3)
                annotationEdits[i + 1]->setFocus();
            else if (key->key() != Qt::Key_Down)
                storeButton->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Up) {
            if (i > 0) annotationEdits[i - 1]->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StoreDialog::ShowEnteredBirthData() {
    const engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    for (QLineEdit* e : annotationEdits) e->clear();
    textNumberEdit->clear();
    if (!archiveListBuilt) {
        // The archive list is built at the first showing and kept afterwards.
        archiveList->clear();
        for (const std::string& name : ListArchiveNames()) {
            archiveList->addItem(gui::ToQt(ArchiveCaption(name)));
            if (name == kPersonalArchive) chosenArchive = name;
        }
        archiveListBuilt = true;
    }
    chosenArchiveEdit->setText(gui::ToQt(chosenArchive));
    nameEdit->setText(gui::ToQt(birth.subjectName));
    birthDateEdit->setText(gui::ToQt(birth.birthDateText));
    placeEdit->setText(gui::ToQt(birth.enteredPlaceText));
    coordinatesEdit->setText(gui::ToQt(birth.coordinatesText));
    std::string zone = birth.timeZoneText;
    if (zone == "+") zone = "+0";
    if (zone == "-") zone = "-0";
    zoneEdit->setText(gui::ToQt(zone));
    std::string note;
    for (const std::string& line : StoredZoneNote(zone, enteredCorrectionText_))
        note += (note.empty() ? "" : "\n") + line;
    zoneNoteLabel->setText(gui::ToQt(note));
    auto hours = ReadDecimalEitherSeparator(zone);
    moment.zoneCorrection = hours ? -*hours : 0;
    // The Julian day of the moment the chart is computed for: the clock time
    // less the zone as it is stored, the same day the entry dialog shows.
    moment.julianDay =
        RecordJulianDay(MakeDateField(engine::DateTimeTextToSortKey(birth.birthDateText), moment.zoneCorrection),
                        moment.gregorian ? "GR" : "GI");
    std::string jd;
    engine::FloatToTextDec(12, jd, moment.julianDay);
    julianDayEdit->setText(gui::ToQt(jd));
    calendarEdit->setText(moment.gregorian ? "GREGORIANO" : "GIULIANO");
    nationalityEdit->setText(gui::ToQt(birth.nationality));
}

void StoreDialog::ChooseArchive() {
    QListWidgetItem* item = archiveList->currentItem();
    if (!item) return;
    chosenArchive = gui::FromQt(item->text()).substr(0, 4);
    chosenArchiveEdit->setText(gui::ToQt(chosenArchive));
}

void StoreDialog::StoreBirthRecord() {
    engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    const std::string& a = chosenArchive;
    if (a.empty()) throw ArchiveError("Nessun archivio selezionato");
    BirthRecord record;
    std::string dateText = gui::FromQt(birthDateEdit->text());
    std::string key = engine::DateTimeTextToSortKey(dateText);
    record.placeField = rt::CutTo(birth.coordinatesText + birth.enteredPlaceText, kPlaceFieldCapacity);
    record.calendarField = gui::FromQt(calendarEdit->text()).substr(0, 2);
    moment.gregorian = record.calendarField == "GR";
    record.nationalityField = rt::CutTo(birth.nationality, kNationalityCapacity);
    record.dateField = MakeDateField(key, moment.zoneCorrection);
    // The strings stand for the corrected moment, as every loader of the chart does.
    FillChartStrings(currentChart.settings, record);

    StoreRequest request;
    request.letters = a;
    request.name = birth.subjectName;
    request.record = record;
    std::string lines[4];
    for (int k = 0; k < 4; ++k) lines[k] = gui::FromQt(annotationEdits[k]->text());
    std::string number = gui::FromQt(textNumberEdit->text());
    bool anyNote = !number.empty();
    for (const auto& l : lines) anyNote = anyNote || !l.empty();
    if (anyNote) {
        AnnotationRecord notes;
        notes.lines[0] = rt::CutTo(lines[0], 70);
        notes.lines[1] = rt::CutTo(lines[1], 70);
        notes.lines[2] = rt::CutTo(lines[2], 70);
        std::string fourth = lines[3];
        fourth.resize(64, ' ');
        notes.lines[3] = fourth + number;
        request.annotation = notes;
    }
    StoreResult result = StorePersonRecords(request);
    lastStoredEntry = result.entry;
    lastStoredArchive = a;
    if (result.movedPosition != 0) movedEntryPosition = result.movedPosition;
    birth.birthDateKey = record.dateField;
}

bool StoreDialog::AnnotationsRefused() {
    return RefuseForeignCharacters({{annotationEdits[0], "Un'annotazione"},
                                    {annotationEdits[1], "Un'annotazione"},
                                    {annotationEdits[2], "Un'annotazione"},
                                    {annotationEdits[3], "Un'annotazione"}});
}

void StoreDialog::StoreAndClose() {
    if (AnnotationsRefused()) return;
    StoreBirthRecord();
    accept();
    Q_EMIT EntryFinished();
}

void StoreDialog::MakeTextAndStore() {
    if (AnnotationsRefused()) return;
    RequireIndexWithHeader(chosenArchive);  // no text is made for a person who cannot be stored
    std::string number = CreatePersonTextFile(chosenArchive, currentChart.birth.subjectName);
    textNumberEdit->setText(gui::ToQt(number));
    Q_EMIT PersonTextRequested();
    StoreBirthRecord();
    accept();
    Q_EMIT EntryFinished();
}

void StoreDialog::Cancel() {
    reject();
    Q_EMIT EntryFinished();
}

void StoreDialog::HandOffLastStoredEntry() {
    activated_ = false;
    if (!lastStoredEntry.empty() && !lastStoredArchive.empty() && movedEntryPosition != 0)
        WriteLastEntryHandOff(lastStoredArchive, lastStoredEntry, movedEntryPosition, currentChart.birth.subjectName);
}

}  // namespace archive
