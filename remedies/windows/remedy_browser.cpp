#include "remedies/windows/remedy_browser.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

RemedyBrowser* theRemedyBrowser = nullptr;

namespace {

const char* const kInfo =
    "Zoek een remedie in de lijst rechts: typ de eerste letters in het vak Zoeken, of blader door "
    "de lijst. Een remedie met een bereidingsvorm (MSA, TSA, QSPC, HS) staat ook onder haar eigen "
    "naam, met de vorm tussen haakjes.\r\n"
    "Een klik op een remedie toont alle symptomen die zij dient, veertien per pagina, met haar "
    "planeten en tekens, en daarnaast de bereidingsvorm, de waarschuwingen en de psychische "
    "synthese. Een dubbele klik op de waarschuwingen toont ze groot.\r\n"
    "De genummerde knop van een regel toont na elkaar de dosering, de psychische synthese, de "
    "notities en de extra notities.\r\n"
    "Een dubbele klik op de planeten of de tekens toont hun woorden onder elkaar.\r\n"
    "(\xA7 = Primaire Signatuur)";

BrowserFrame Frame() {
    return {"FoRimed", "REMEDIES en bijbehorende symptomen", true, "Remedie", "Symptoom", "EdCerca",
            "EdRime", "REMEDIE", "Informatie Aan / Uit", "&Terug naar het menu", kInfo, true,
            &remedyBrowserPages, PrimaryDb, "i rimedi", kRemedyVariantListName};
}

}  // namespace

RemedyBrowser::RemedyBrowser(QWidget* parent) : BrowserWindow(Frame(), parent) {
    EdCerca = SearchEdit;
    EdRime = Chosen;

    // The remedy's form, warnings and synthesis, under the name.
    auto* box = new QVBoxLayout;
    LabSpeci = gui::MakeLabel(this, "LabSpeci", "");
    LabSpeci->setStyleSheet("color: blue");
    box->addWidget(LabSpeci);
    auto* row = new QHBoxLayout;
    row->addWidget(gui::MakeLabel(this, "LabAvvertenze", "Waarschuwingen"));
    EdAvve = gui::MakeReadOnlyEdit(this, "EdAvve");
    EdAvve->installEventFilter(this);
    row->addWidget(EdAvve, 1);
    box->addLayout(row);
    auto* left = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    left->insertLayout(1, box);

    MemoPare = gui::MakeMemo(this, "MemoPare", true);
    SetText(MemoPare, "Het getal tussen haakjes verwjst naar een specifiek gebruik van de Remedie en NIET naar een variant.");
    SetBackground(MemoPare, kCream);
    MemoPare->setFixedHeight(48);
    left->insertWidget(2, MemoPare);
    MemoPare->hide();

    MemoAvveLarge = gui::MakeMemo(this, "MemoAvveLarge", true);
    SetBackground(MemoAvveLarge, kCream);
    MemoAvveLarge->viewport()->installEventFilter(this);
    MemoAvveLarge->hide();
}

void RemedyBrowser::FormActivate() {
    State().SearchKey.clear();
    EdCerca->clear();
    if (!DatabaseSound()) return;
    LoadList(ReadListLines(kRemedyVariantListName));
    EdCerca->setFocus();
}

void RemedyBrowser::ClearResultSlots() {
    BrowserWindow::ClearResultSlots();
    EdCerca->clear();
    State().SearchKey.clear();
    EdAvve->clear();
    LabSpeci->clear();
    MemoPare->hide();
    MemoAvveLarge->hide();
}

void RemedyBrowser::ListBox1Click() {
    if (!DatabaseSound()) return;
    MemoAvveLarge->hide();
    MemoInfo->hide();
    list->hide();
    State().StartSearch();
    ClearResultSlots();
    const std::string line = ChosenLine();
    MemoPare->setVisible(HoldsBracketNumber(line));
    bool more = false;
    const std::vector<std::int64_t> hits = FindRemedyHits(line, &more);
    ShowHitsCut(more);
    for (std::int64_t r : hits) {
        const PrimaryRecord& rec = ReadPrimaryRecord(r);
        PrimarySlotTexts t = RemedySlotTexts(rec);
        FillResultSlot(t.P, t.A, t.S, t.D, true, r);
        SetText(LabSpeci, FormExplanation(rec.Remedy));
        SetText(EdRime, rec.Remedy);
        SetText(EdAvve, WarningsOrNotice(rec));
        SetText(MemoNote, rec.Synthesis1 + rec.Synthesis2 + rec.Synthesis3 + rec.Synthesis4 +
                              rec.Synthesis5 + rec.Synthesis6);
    }
}

void RemedyBrowser::FillPage() {
    for (std::int64_t r : State().PageHits()) {
        PrimarySlotTexts t = RemedySlotTexts(ReadPrimaryRecord(r));
        FillResultSlot(t.P, t.A, t.S, t.D, false, r);
    }
}

void RemedyBrowser::ShowSlotDetail(int slot) {
    MemoInfo->hide();
    MemoAvveLarge->hide();
    const std::int64_t r = State().SlotRecord(slot);
    if (r == 0) return;  // an empty slot has nothing to show
    if (!DatabaseSound()) return;
    const PrimaryRecord& rec = ReadPrimaryRecord(r);
    DetailText d = RemedyDetail(rec, State().AdvanceDetail(slot, 4));
    SetText(LabNote, d.caption);
    SetText(MemoNote, d.text);
}

void RemedyBrowser::BitBtn2Click() {
    MemoAvveLarge->hide();
    BrowserWindow::BitBtn2Click();
}

void RemedyBrowser::EdAvveDblClick() {
    MemoAvveLarge->setPlainText(EdAvve->text());
    MemoAvveLarge->setGeometry(EdAvve->mapTo(this, QPoint(0, 0)).x(), EdAvve->mapTo(this, QPoint(0, 0)).y(),
                               std::max(EdAvve->width(), 500), 200);
    MemoAvveLarge->raise();
    MemoAvveLarge->show();
}

bool RemedyBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdAvve && event->type() == QEvent::MouseButtonDblClick) {
        EdAvveDblClick();
        return true;
    }
    if (watched == MemoAvveLarge->viewport() && event->type() == QEvent::MouseButtonPress) {
        MemoAvveLarge->hide();
        return true;
    }
    return BrowserWindow::eventFilter(watched, event);
}

}  // namespace remedies
