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
#include "archive/store_dialog.h"
#include "archive/form_helpers.h"
#include "archive/record_checks.h"
#include "engine/calendar.h"
#include "engine/chart_state.h"
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

ChangeDialog* theChangeDialog = nullptr;

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

ChangeDialog::ChangeDialog(QWidget* parent) : ArchiveNameDialog(kEightLineWindow, true, parent) {
    setObjectName("FoModifi");
    setWindowTitle("Geboortedatum wijzigen");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* grid = new QGridLayout(this);

    Panel4 = gui::MakeGroup(this, "Panel4", "ARCHIEVEN beschikbaar");
    auto* p4 = new QVBoxLayout(Panel4);
    ListaArchivi->setParent(Panel4);
    ListaArchivi->setObjectName("ListBox1");
    ListaArchivi->setMaximumHeight(80);
    p4->addWidget(ListaArchivi);
    EditArchi->setParent(Panel4);
    gui::SetFieldState(EditArchi, gui::FieldState::Computed);
    p4->addWidget(EditArchi);
    grid->addWidget(Panel4, 0, 0);

    GroupBoxElenco = BuildSearchPanel("GroupBoxElenco", "Eerste letters van de naam", "Dubbelklik op de gekozen naam");
    grid->addWidget(GroupBoxElenco, 1, 0);
    BuildRecordGroups(grid);

    auto* buttons = new QHBoxLayout;
    gui::MakeClickOnlyButtons(this, {{&BitBtnRegistra, "BitBtnRegistra", "&OK registreert"},
                                     {&BitBtnAncora, "BitBtnAncora", "&Nogmaals "},
                                     {&BitBtn3, "BitBtn3", "&Terug naar het hoofdmenu"},
                                     {&BBtesto, "BBtesto", "Tekst maken / bijwerken"}});
    for (QPushButton* b : {BitBtnRegistra, BitBtnAncora, BBtesto, BitBtn3}) buttons->addWidget(b);
    grid->addLayout(buttons, 4, 0, 1, 2);

    connect(ListaNomi, &QListWidget::itemDoubleClicked, this, gui::Guarded([this](QListWidgetItem* item) {
        ChooseLine(ListaNomi->row(item));
        OpenChosen();
    }));
    connect(BitBtnElenco, &QPushButton::clicked, this, gui::Guarded([this](bool) { ShowList(); }));
    connect(BitBtnAncora, &QPushButton::clicked, this, gui::Guarded([this](bool) { ShowList(); }));
    connect(BitBtnRegistra, &QPushButton::clicked, this, gui::Guarded([this](bool) { SaveEditedRecord(); }));
    connect(BBtesto, &QPushButton::clicked, this, gui::Guarded([this](bool) { BBtestoClick(); }));
    connect(BitBtn3, &QPushButton::clicked, this, [this](bool) { reject(); });
    connect(this, &QDialog::finished, this, [this](int) { CloseArchive(); });
}

// The person's data, with the formats they take, and the annotations.
void ChangeDialog::BuildRecordGroups(QGridLayout* grid) {
    GroupBoxDati = gui::MakeGroup(this, "GroupBoxDati", "Geboortegegevens");
    auto* da = new QGridLayout(GroupBoxDati);
    da->addWidget(gui::MakeLabel(GroupBoxDati, "LabFormati", "Respecteer de juiste formaten"), 0, 0, 1, 2);
    const int r = gui::AddLabelledEdits(da, GroupBoxDati,
                                        {{&EditNomeSogg, "EditNomeSogg", "Naam", 38},
                                         {&EditDataNasc, "EditDataNasc", "Datum", 10},
                                         {&EditOraNasc, "EditOraNasc", "Uur", 5},
                                         {&EditCalend, "EditCalend", "Kalender", 10},
                                         {&EditLocalita, "EditLocalita", "Plaats", 28},
                                         {&EditGmt, "EditGmt", "Corr", 6},
                                         {&EditCoordi, "EditCoordi", "12N30-123E45", 12},
                                         {&EditStato, "EditStato", "Staat", 20}},
                                        1);
    for (QLineEdit* e : {EditNomeSogg, EditCalend, EditLocalita, EditCoordi, EditStato}) UpperCaseOnTyping(e);
    BitBtnElenco = gui::MakeButton(GroupBoxDati, "BitBtnElenco", "Lijst");
    da->addWidget(BitBtnElenco, r, 1);
    grid->addWidget(GroupBoxDati, 0, 1, 2, 1);

    GroupBoxAnnot = gui::MakeGroup(this, "GroupBoxAnnot", "Annotaties");
    auto* an = new QVBoxLayout(GroupBoxAnnot);
    QLineEdit** lines[] = {&EditMemo1, &EditMemo2, &EditMemo3, &EditMemo4};
    for (int k = 0; k < 4; ++k) {
        *lines[k] = gui::MakeEdit(GroupBoxAnnot, kAnnotationLines[k].name, kAnnotationLines[k].length);
        UpperCaseOnTyping(*lines[k]);
    }
    EditNfile = gui::MakeReadOnlyEdit(GroupBoxAnnot, "EditNfile", 5);
    for (QLineEdit* e : {EditMemo1, EditMemo2, EditMemo3, EditMemo4, EditNfile}) an->addWidget(e);
    grid->addWidget(GroupBoxAnnot, 2, 0, 1, 2);
    GroupBoxAnnotFinto = gui::MakeGroup(this, "GroupBoxAnnotFinto", "Annotaties");
    GroupBoxAnnotFinto->setEnabled(false);
    GroupBoxAnnotFinto->setMinimumHeight(120);
    grid->addWidget(GroupBoxAnnotFinto, 3, 0, 1, 2);
}

void ChangeDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    gui::Guard([this] { FormActivate(); });
}

bool ChangeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditSoggetto && event->type() == QEvent::FocusIn && !Chosen && EditSoggetto->text().isEmpty())
        gui::Guard([this] {
            engine::Birth.SubjectName.clear();
            CloseArchive();
            OpenChangeArchive();
        });
    return ArchiveNameDialog::eventFilter(watched, event);
}

void ChangeDialog::ClearFields() {
    for (QLineEdit* e : {EditNomeSogg, EditDataNasc, EditOraNasc, EditCalend, EditLocalita, EditGmt, EditCoordi,
                         EditStato, EditMemo1, EditMemo2, EditMemo3, EditMemo4, EditNfile})
        e->clear();
}

void ChangeDialog::FormActivate() {
    QApplication::restoreOverrideCursor();
    BitBtnAncora->setEnabled(false);
    BitBtnRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
    GroupBoxDati->setEnabled(true);
    BitBtnElenco->setEnabled(true);
    ListaArchivi->setEnabled(true);
    for (QLineEdit* e : {EditMemo1, EditMemo2, EditMemo3, EditMemo4, EditNfile}) e->clear();
    BuildArchiveList();
    EditNomeSogg->setText(gui::ToQt(engine::Birth.SubjectName));
    GroupBoxDati->hide();
    GroupBoxAnnot->hide();
    GroupBoxAnnotFinto->show();
    GroupBoxElenco->show();
    EditArchi->setText(gui::ToQt(ArchiveName));
    Chosen = false;
    CloseArchive();
    OpenChangeArchive();
    EditSoggetto->setFocus();
}

void ChangeDialog::OpenChangeArchive() {
    if (ArchiveName.empty() || !ArchiveExists(ArchiveName)) {
        ListaNomi->clear();
        ListaNomi->addItem("ARCHIVIO VUOTO");
        return;
    }
    if (OpenArchive(ArchiveName, AnnotationFile::Required)) {
        Window.Reset(Files.EntryCount(), Files.EntryCount() < 9 ? 1 : 4);
        FillNameList();
        SetScrollBar();
    }
}

void ChangeDialog::ArchiveChanged(const std::string&) {
    EditSoggetto->clear();
    SetSearchFieldValid(true);
    ClearFields();
    OpenChangeArchive();
    EditSoggetto->setFocus();
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
    if (Window.Count() >= 10 && !SearchText().empty()) {
        ChooseLine(Window.MiddleLine());
        OpenChosen();
        return;
    }
    gui::ShowMessage("Doppio Click sull'Elenco Nomi");
}

void ChangeDialog::OpenChosen() {
    if (!Chosen) return;
    GroupBoxDati->show();
    GroupBoxAnnot->show();
    GroupBoxAnnotFinto->hide();
    GroupBoxElenco->hide();
    ShowRecordForEdit();
    BitBtnRegistra->setEnabled(true);
    BBtesto->setEnabled(true);
    ListaArchivi->setEnabled(false);
}

void ChangeDialog::ShowList() {
    GroupBoxDati->hide();
    GroupBoxAnnot->hide();
    GroupBoxAnnotFinto->show();
    GroupBoxElenco->show();
    BitBtnRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
    BitBtnAncora->setEnabled(false);
    ListaArchivi->setEnabled(true);
    GroupBoxDati->setEnabled(true);
    BitBtnElenco->setEnabled(true);
    ClearFields();
    Chosen = false;
    EditSoggetto->clear();
    EditSoggetto->setFocus();
}

void ChangeDialog::ShowRecordForEdit() {
    using engine::Birth;
    using engine::Chart;
    if (!SearchFieldValid()) {
        EditSoggetto->clear();
        return;
    }
    if (Birth.SubjectName.empty()) return;
    auto number = IndexEntryNumber(ChosenEntry);
    if (!number) {
        SetSearchFieldValid(false);
        EditSoggetto->clear();
        return;
    }
    DataNumber = *number;
    BirthRecord rec = Files.ReadBirthRecord(DataNumber);
    OldName = IndexEntryName(ChosenEntry);
    std::string name = OldName;
    engine::StripTrailingBlanks(name);
    EditNomeSogg->setText(gui::ToQt(name));
    Birth.BirthDateKey = rec.DateField;
    std::string zone;
    engine::SortKeyToDateTimeText(rec.DateField, Birth.BirthDateText, zone);
    Birth.TimeZoneCorrectionText = zone;
    EditDataNasc->setText(gui::ToQt(Birth.BirthDateText.substr(0, 10)));
    EditOraNasc->setText(gui::ToQt(Birth.BirthDateText.size() > 11 ? Birth.BirthDateText.substr(11, 5) : ""));
    EditGmt->setText(gui::ToQt(zone));
    Birth.CoordinatesText = rec.PlaceField.substr(0, 12);
    std::string place = StoredPlaceName(rec);
    Birth.BirthPlace = place;
    EditLocalita->setText(gui::ToQt(place));
    EditCoordi->setText(gui::ToQt(Birth.CoordinatesText));
    Birth.Nationality = rec.NationalityField;
    EditStato->setText(gui::ToQt(rec.NationalityField));
    Chart.GregorianCalendar = rec.CalendarField == "GR";
    EditCalend->setText(Chart.GregorianCalendar ? "GREGORIANO" : "GIULIANO");
    AnnotationNumberText = rec.AnnotationNumber;
    int noteNumber = 0;
    if (auto n = ReadDecimalEitherSeparator(rec.AnnotationNumber)) noteNumber = static_cast<int>(*n);
    if (noteNumber != 0) {
        std::string textNumber;
        AnnotationRecord notes = ReadRecordAnnotation(Files, rec, textNumber);
        EditMemo1->setText(gui::ToQt(notes.Lines[0]));
        EditMemo2->setText(gui::ToQt(notes.Lines[1]));
        EditMemo3->setText(gui::ToQt(notes.Lines[2]));
        EditMemo4->setText(gui::ToQt(notes.Lines[3].substr(0, 64)));
        EditNfile->setText(gui::ToQt(textNumber));
    }
}

bool ChangeDialog::TypedTextRefused() {
    return RefuseForeignCharacters({{EditNomeSogg, "Il nome"},
                                    {EditLocalita, "Il luogo"},
                                    {EditStato, "La nazione"},
                                    {EditMemo1, "Un'annotazione"},
                                    {EditMemo2, "Un'annotazione"},
                                    {EditMemo3, "Un'annotazione"},
                                    {EditMemo4, "Un'annotazione"}});
}

bool ChangeDialog::SaveEditedRecord() {
    using engine::Birth;
    using engine::Chart;
    if (!GroupBoxDati->isEnabled() || DataNumber == 0) return false;
    if (TypedTextRefused()) return false;
    for (QLineEdit* e : {EditNomeSogg, EditLocalita, EditStato}) e->setText(gui::ToQt(Trim(e)));
    std::string date = Trim(EditDataNasc), time = Trim(EditOraNasc), coords = Trim(EditCoordi);
    // The store's own checks: DD/MM/YYYY in the calendar the dialog names, HH:MM.
    const std::string calendarName = Trim(EditCalend);
    const std::string calendarCode = calendarName == "GREGORIANO" ? "GR" : calendarName == "GIULIANO" ? "GI" : "";
    if (!BirthDateProblem(NumberIn(date, 1, 2), NumberIn(date, 4, 2), NumberIn(date, 7, 4), calendarCode).empty()) {
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
    std::string calendar = Trim(EditCalend);
    if (calendar != "GREGORIANO" && calendar != "GIULIANO") {
        gui::ShowMessage("Errore definizione Calendario");
        return false;
    }
    std::string corr = Trim(EditGmt);
    for (char& c : corr)
        if (c == ',') c = '.';
    EditGmt->setText(gui::ToQt(corr));
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
                         gui::Buttons::YesNo) != gui::AnswerYes)
        return false;

    GroupBoxDati->setEnabled(false);
    BitBtnElenco->setEnabled(false);
    EditedPerson p;
    p.Letters = ArchiveName;
    p.IndexPosition = ChosenPosition;
    p.DataNumber = DataNumber;
    p.Name = gui::FromQt(EditNomeSogg->text());
    p.DateTimeText = date + " " + time;
    p.CorrectionText = corr;
    p.CoordinatesText = coords;
    p.PlaceName = gui::FromQt(EditLocalita->text());
    p.CalendarCode = calendar.substr(0, 2);
    p.Nationality = gui::FromQt(EditStato->text());
    p.AnnotationNumber = AnnotationNumberText;
    bool anyNote = false;
    for (QLineEdit* e : {EditMemo1, EditMemo2, EditMemo3, EditMemo4, EditNfile})
        anyNote = anyNote || !e->text().isEmpty();
    if (anyNote) {
        AnnotationRecord notes;
        notes.Lines[0] = rt::CutTo(Trim(EditMemo1), 70);
        notes.Lines[1] = rt::CutTo(Trim(EditMemo2), 70);
        notes.Lines[2] = rt::CutTo(Trim(EditMemo3), 70);
        std::string fourth = gui::FromQt(EditMemo4->text()).substr(0, 64);
        fourth.resize(64, ' ');
        notes.Lines[3] = fourth + Trim(EditNfile);
        p.Annotation = notes;
    }
    Birth.SubjectName = p.Name;
    Birth.Nationality = p.Nationality;
    Birth.EnteredPlaceText = p.PlaceName;
    Birth.ManualCoordText = coords;
    Birth.TimeZoneCorrectionText = corr;
    Chart.TimeZoneCorrection = correction;
    Chart.GregorianCalendar = p.CalendarCode == "GR";
    CloseArchive();
    EditResult result = RewriteEditedPerson(p);
    AnnotationNumberText = result.Record.AnnotationNumber;
    ChosenPosition = result.IndexPosition;
    OpenChangeArchive();
    BitBtnAncora->setEnabled(true);
    ListaArchivi->setEnabled(false);
    BitBtnRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
    return true;
}

void ChangeDialog::BBtestoClick() {
    // The name goes into a new text too.
    if (TypedTextRefused()) return;
    std::string folder = ArchiveTextFolder(ArchiveName);
    std::string number = Trim(EditNfile);
    std::string file;
    if (!number.empty() && rt::PathExists(folder + "\\" + number + ".txt")) {
        file = folder + "\\" + number + ".txt";
    } else {
        // A new text file, numbered by the folder's counter.
        std::string previousText = engine::Birth.SubjectName;
        number = CreateNumberedTextFile(ArchiveName, gui::FromQt(EditNomeSogg->text()));
        EditNfile->setText(gui::ToQt(number));
        file = PersonTextFileName(ArchiveName, number);
        engine::Birth.SubjectName = previousText;
    }
    SaveEditedRecord();
    rt::WriteTextLines("FileDum\\DatModif.dum", {file});
    if (StoreDialog::ShowPersonTextEditor) StoreDialog::ShowPersonTextEditor();
}

}  // namespace archive
