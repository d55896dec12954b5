#include "archive/recall_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "archive/current_chart.h"
#include "archive/form_helpers.h"
#include "archive/record_checks.h"
#include "archive/stored_numbers.h"
#include "engine/calendar.h"
#include "engine/chart.h"
#include "engine/position_text.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace archive {

RecallDialog::RecallDialog(CurrentChart& current, QWidget* parent)
    : ArchiveNameDialog(current, kNineLineWindow, false, parent) {
    setObjectName("FormRich");
    setWindowTitle("Gegevens ophalen uit archief");
    auto* grid = new QGridLayout(this);
    grid->addWidget(gui::MakeLabel(this, "LabArchivi", "ARCHIEVEN beschikbaar"), 0, 0);
    grid->addWidget(archiveList, 1, 0);
    archiveList->setMaximumHeight(80);
    grid->addWidget(gui::MakeLabel(this, "LabArchivio", "ARCHIEF"), 0, 1);
    grid->addWidget(gui::MakeLabel(this, "LabSelezionato", "geselecteerd"), 2, 1);
    grid->addWidget(chosenArchiveEdit, 1, 1);

    searchPanel =
        BuildSearchPanel("PanelSearch", {"Schrijf de eerste paar letters van de naam", "Dubbelklik om te selecteren"});
    grid->addWidget(searchPanel, 3, 0, 1, 2);

    personPanel = gui::MakeGroup(this, "PanelData", "");
    auto* d = new QGridLayout(personPanel);
    int r = gui::AddLabelledEdits(d, personPanel,
                                  {{&nameEdit, "EditNome", "Naam", 38},
                                   {&birthDateEdit, "EditData", "Datum"},
                                   {&placeEdit, "EditLocal", "Plaats"},
                                   {&nationalityEdit, "EditNaz", "Natie"},
                                   {&correctionEdit, "EditCorr", "Correz:"},
                                   {&coordinatesEdit, "EditCoord", "Co\xF6rdinat."},
                                   {&calendarEdit, "EditCal", "Calend:"}},
                                  0);
    // The name, place and nation may be typed (upper case); the rest is shown.
    for (QLineEdit* e : {nameEdit, placeEdit, nationalityEdit}) UpperCaseOnTyping(e);
    for (QLineEdit* e : {birthDateEdit, correctionEdit, coordinatesEdit, calendarEdit}) e->setReadOnly(true);
    d->addWidget(gui::MakeLabel(personPanel, "LabAnnotazioni", "Annotaties"), r++, 0);
    annotationMemo = gui::MakeMemo(personPanel, "MemoAnnotaz", true);
    annotationMemo->setMaximumHeight(80);
    d->addWidget(annotationMemo, r++, 0, 1, 2);
    grid->addWidget(personPanel, 0, 2, 4, 1);

    gui::MakeClickOnlyButtons(this, {{&okButton, "BitBtnOK", "&OK"},
                                     {&cancelButton, "BitBtnAnnulla", "&Annuleren"},
                                     {&reorderNameButton, "BitBtnInverti", "&Inverti Achternaam/Voornaam omkeren"}});
    grid->addWidget(reorderNameButton, 4, 0);
    grid->addWidget(okButton, 4, 1);
    grid->addWidget(cancelButton, 4, 2);

    connect(nameList, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem*) {
                if (!nameSearchEdit->text().isEmpty() && chosen) LoadChosenPerson();
            }));
    connect(reorderNameButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { NextNameWordOrder(); }));
    connect(okButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { MakeLoadedPersonCurrent(); }));
    connect(cancelButton, &QPushButton::clicked, this, gui::Guarded([this](bool) { Cancel(); }));
    connect(this, &QDialog::finished, this,
            [this](int) { gui::Guard([this] { HandOffChosenEntryAndCloseArchive(); }); });
}

void RecallDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { ResetAndOpenArchive(); });
}

void RecallDialog::ClearShownData() {
    for (QLineEdit* e :
         {nameEdit, birthDateEdit, placeEdit, nationalityEdit, correctionEdit, coordinatesEdit, calendarEdit})
        e->clear();
    annotationMemo->clear();
}

void RecallDialog::ResetAndOpenArchive() {
    chosen = false;
    loaded = false;
    nameSearchEdit->clear();
    SetSearchFieldValid(false);
    currentChart.birth.subjectName.clear();
    chosenPosition = 0;
    chosenEntry.clear();
    wordOrderState = 0;
    BuildArchiveList();
    chosenArchiveEdit->setText(gui::ToQt(archiveName));
    ClearShownData();
    reorderNameButton->setEnabled(false);
    okButton->setEnabled(false);
    CloseArchive();
    if (!ArchiveExists(archiveName)) {
        // No archive to open (none stored yet): the dialog stays, empty.
        nameList->clear();
        nameList->addItem("ARCHIVIO VUOTO");
        searchPanel->setEnabled(false);
        return;
    }
    Open(archiveName);
}

void RecallDialog::Open(const std::string& letters) {
    if (letters == kCurrentPersonArchive) {
        gui::ShowMessage("Nome Archivio Non Ammesso");
        searchPanel->setEnabled(false);
        return;
    }
    searchPanel->setEnabled(true);
    if (OpenArchive(letters, AnnotationFile::IfPresent)) {
        currentChart.birth.subjectName.clear();
        nameSearchEdit->clear();
        nameSearchEdit->setFocus();
    }
}

void RecallDialog::ArchiveChanged(const std::string& letters) {
    ClearShownData();
    loaded = false;
    SetSearchFieldValid(false);
    Open(letters);
}

void RecallDialog::EnterInList(int line) {
    if (loaded) return;
    std::string shown = LineText(line);
    std::string field = SearchText();
    if (!shown.empty() && field.compare(0, shown.size(), shown) == 0) {
        ChooseLine(line);
        LoadChosenPerson();
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Nomi");
}

void RecallDialog::EnterInSearch() {
    if (loaded) return;
    std::string typed = SearchText();
    int middle = window.Small() ? nameList->currentRow() : window.MiddleLine();
    std::string line = LineText(middle);
    if (!typed.empty() && line.compare(0, typed.size(), typed) == 0) {
        ChooseLine(middle);
        LoadChosenPerson();
        return;
    }
    gui::ShowMessage("Doppio Clic sull'Elenco Nomi");
}

void RecallDialog::LoadChosenPerson() {
    const engine::BirthData& birth = currentChart.birth;
    engine::Moment& moment = currentChart.chart.moment;
    personPanel->setEnabled(true);
    if (!SearchFieldValid() || birth.subjectName.empty()) {
        TakeChosenEntry();
        return;
    }
    auto number = TakeChosenEntry();
    const std::string entry = chosenEntry;
    if (!number && nameList->count() > 4) {
        // The middle line's entry instead.
        int pos = window.PositionOfLine(window.MiddleLine());
        if (pos > 0) number = IndexEntryNumber(files.ReadEntry(pos));
    }
    if (!number) {
        SetSearchFieldValid(false);
        nameSearchEdit->clear();
        return;
    }
    WritePointerHandOff(rt::ZeroPad(*number, 5), archiveName);
    loadedRecord = files.ReadBirthRecord(*number);
    // A record the store would not have written is damaged: it is named and not
    // loaded, so it never becomes the current person.
    std::optional<AnnotationRecord> notes;
    std::string textNumber;
    StoredPersonFault fault = FindStoredPersonFault(IndexEntryName(entry), loadedRecord, std::nullopt);
    if (fault.problem.empty()) {
        try {
            if (files.HasAnnotationFile()) notes = ReadRecordAnnotation(files, loadedRecord, textNumber);
            fault = FindStoredPersonFault(IndexEntryName(entry), loadedRecord, notes);
        } catch (const ArchiveError&) {
            // A sound record whose annotation number names no annotation: the
            // annotation file lacks it.
            fault = {"la sua annotazione " + rt::ShownValue(loadedRecord.annotationNumber) +
                         " non c'\xE8, il file \xE8 pi\xF9 corto",
                     ".ST3"};
        }
    }
    if (!fault.problem.empty()) {
        RefuseDamagedPerson(entry, *number, fault);
        return;
    }
    CheckBirthRecordNumbers(loadedRecord, ArchiveFileName(archiveName, ".ST2"));
    loadedDataNumber = *number;
    const BirthRecord& rec = loadedRecord;

    std::string name = IndexEntryName(entry);
    std::string words = name.substr(0, name.find('('));
    nameWords = {};
    int w = 0;
    for (std::size_t i = 0; i < words.size() && w < 3;) {
        while (i < words.size() && words[i] == ' ') ++i;
        std::size_t j = i;
        while (j < words.size() && words[j] != ' ') ++j;
        if (j > i) nameWords[static_cast<std::size_t>(w++)] = words.substr(i, j - i);
        i = j;
    }
    wordOrderState = 0;
    reorderNameButton->setEnabled(true);
    nameEdit->setText(gui::ToQt(name));  // the first 38 characters, blanks kept
    nameEdit->setCursorPosition(0);      // shown from its first letter
    okButton->setEnabled(true);
    okButton->setFocus();

    const engine::SortKeyTexts key = engine::SortKeyToDateTimeText(rec.dateField);
    if (key.zoneCorrection) moment.zoneCorrection = *key.zoneCorrection;
    birthDateEdit->setText(gui::ToQt(key.dateText));
    correctionEdit->setText(gui::ToQt(key.zoneText));
    std::string coords = rec.placeField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    engine::TidyNameText(place);
    coordinatesEdit->setText(gui::ToQt(coords));
    placeEdit->setText(gui::ToQt(place));
    nationalityEdit->setText(gui::ToQt(rec.nationalityField));
    moment.gregorian = rec.calendarField == "GR";
    calendarEdit->setText(moment.gregorian ? "GREG" : "GIUL");

    if (notes) {
        std::string memo = RecallAnnotationLine(*notes);
        annotationMemo->setPlainText(gui::ToQt(memo));
        // Written with the person at the confirmation: a recall given up
        // leaves the current person's notes and text as they are.
        loadedAnnotationLine = memo;
        loadedTextNumber = textNumber;
    } else {
        loadedAnnotationLine.clear();
        loadedTextNumber.clear();
    }
    nameSearchEdit->clear();
    loaded = true;
}

void RecallDialog::RefuseDamagedPerson(const std::string& entry, int number, const StoredPersonFault& fault) {
    ClearShownData();
    loaded = false;
    okButton->setEnabled(false);
    reorderNameButton->setEnabled(false);
    SetSearchFieldValid(false);
    nameSearchEdit->clear();
    currentChart.birth.subjectName.clear();
    gui::ShowMessage(DamagedPersonMessage(archiveName, IndexEntryName(entry), number, fault) +
                     " Non viene richiamata: la persona corrente resta quella di prima. Per riaverla, ripristinare "
                     "l'archivio da una copia di sicurezza (l'archivio BASE con \"Terugzetten\" nella finestra del "
                     "backup) o cancellare la persona e inserirla di nuovo.");
}

void RecallDialog::NextNameWordOrder() {
    const auto& [w1, w2, w3] = nameWords;
    std::vector<std::string> order;
    if (w2.empty()) return;
    if (w3.empty()) {
        order = wordOrderState % 2 == 0 ? std::vector<std::string>{w2, w1} : std::vector<std::string>{w1, w2};
        wordOrderState = (wordOrderState + 1) % 2;
    } else {
        static const int kOrders[6][3] = {{1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}, {0, 2, 1}, {0, 1, 2}};
        const int* o = kOrders[wordOrderState];
        order = {nameWords[o[0]], nameWords[o[1]], nameWords[o[2]]};
        wordOrderState = (wordOrderState + 1) % 6;
    }
    std::string joined;
    for (const auto& word : order) joined += (joined.empty() ? "" : " ") + word;
    currentChart.birth.subjectName = joined;
    nameEdit->setText(gui::ToQt(joined));
    nameSearchEdit->setText(gui::ToQt(joined));
    nameEdit->setCursorPosition(0);
    nameSearchEdit->setCursorPosition(0);
}

void RecallDialog::MakeLoadedPersonCurrent() {
    engine::BirthData& birth = currentChart.birth;
    if (!SearchFieldValid()) {
        nameSearchEdit->clear();
        SetSearchFieldValid(true);
        return;
    }
    if (!loaded) return;
    if (RefuseForeignCharacters({{nameEdit, "Il nome"}, {placeEdit, "Il luogo"}, {nationalityEdit, "La nazione"}}))
        return;
    birth.subjectName = gui::FromQt(nameEdit->text());
    BirthRecord record = loadedRecord;
    record.placeField =
        rt::CutTo(record.placeField.substr(0, 12) + gui::FromQt(placeEdit->text()), kPlaceFieldCapacity);
    record.nationalityField = rt::CutTo(gui::FromQt(nationalityEdit->text()), kNationalityCapacity);
    // The entry keeps the record's number, as a store's does: a change of
    // that record is then known to be the current person's. A refused write
    // changes nothing and leaves the dialog as it was, its archive open.
    try {
        WriteCurrentPerson(MakeIndexEntry(birth.subjectName, loadedDataNumber), record, loadedAnnotationLine,
                           {archiveName, loadedTextNumber});
    } catch (const rt::IoError& e) {
        gui::ShowMessage(rt::IoError::MessageAbout(e.Code(), e.File(), "La persona non \xE8 stata richiamata."));
        return;
    }
    CloseArchive();
    if (!birth.subjectName.empty()) {
        nameSearchEdit->clear();
        nameList->clear();
        ClearShownData();
        accept();
    }
}

void RecallDialog::Cancel() {
    CloseArchive();
    reject();
}

void RecallDialog::HandOffChosenEntryAndCloseArchive() {
    if (!archiveName.empty() && !chosenEntry.empty() && chosenPosition != 0)
        WriteLastEntryHandOff(archiveName, chosenEntry, chosenPosition, currentChart.birth.subjectName);
    CloseArchive();
}

}  // namespace archive
