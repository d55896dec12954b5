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

namespace {

const char* const kRemedyInfo =
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

BrowserFrame RemedyFrame(BrowserState* pages) {
    return {"FoRimed", "REMEDIES en bijbehorende symptomen", true, "Remedie", "Symptoom", "EdCerca",
            "EdRime", "REMEDIE", "Informatie Aan / Uit", "&Terug naar het menu", kRemedyInfo, true,
            pages, PrimaryDb, "i rimedi", kRemedyVariantListName};
}

}  // namespace

RemedyBrowser::RemedyBrowser(QWidget* parent) : RemedyBrowser(static_cast<BrowserState*>(nullptr), parent) {}

RemedyBrowser::RemedyBrowser(BrowserState& pages, QWidget* parent) : RemedyBrowser(&pages, parent) {}

RemedyBrowser::RemedyBrowser(BrowserState* pages, QWidget* parent) : BrowserWindow(RemedyFrame(pages), parent) {
    // The remedy's form, warnings and synthesis, under the name.
    auto* box = new QVBoxLayout;
    formLabel = gui::MakeLabel(this, "LabSpeci", "");
    formLabel->setStyleSheet("color: blue");
    box->addWidget(formLabel);
    auto* row = new QHBoxLayout;
    row->addWidget(gui::MakeLabel(this, "LabAvvertenze", "Waarschuwingen"));
    warningsEdit = gui::MakeReadOnlyEdit(this, "EdAvve");
    warningsEdit->installEventFilter(this);
    row->addWidget(warningsEdit, 1);
    box->addLayout(row);
    auto* left = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    left->insertLayout(1, box);

    bracketNoteMemo = gui::MakeMemo(this, "MemoPare", true);
    SetText(bracketNoteMemo, "Het getal tussen haakjes verwjst naar een specifiek gebruik van de Remedie en NIET naar een variant.");
    SetBackground(bracketNoteMemo, kCream);
    bracketNoteMemo->setFixedHeight(48);
    left->insertWidget(2, bracketNoteMemo);
    bracketNoteMemo->hide();

    largeWarningsMemo = gui::MakeMemo(this, "MemoAvveLarge", true);
    SetBackground(largeWarningsMemo, kCream);
    largeWarningsMemo->viewport()->installEventFilter(this);
    largeWarningsMemo->hide();
}

void RemedyBrowser::Refresh() {
    State().SearchKey.clear();
    SearchEdit->clear();
    if (!DatabaseSound()) return;
    LoadList(ReadListLines(kRemedyVariantListName));
    SearchEdit->setFocus();
}

void RemedyBrowser::ClearResultSlots() {
    BrowserWindow::ClearResultSlots();
    SearchEdit->clear();
    State().SearchKey.clear();
    warningsEdit->clear();
    formLabel->clear();
    bracketNoteMemo->hide();
    largeWarningsMemo->hide();
}

void RemedyBrowser::SearchChosenLine() {
    if (!DatabaseSound()) return;
    largeWarningsMemo->hide();
    helpMemo->hide();
    signatureWordList->hide();
    State().StartSearch();
    ClearResultSlots();
    const std::string line = ChosenLine();
    bracketNoteMemo->setVisible(HoldsBracketNumber(line));
    bool more = false;
    const std::vector<std::int64_t> hits = FindRemedyHits(line, &more);
    ShowHitsCut(more);
    for (std::int64_t r : hits) {
        const PrimaryRecord& rec = ReadPrimaryRecord(r);
        PrimarySlotTexts t = RemedySlotTexts(rec);
        FillResultSlot(t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail, true, r);
        SetText(formLabel, FormExplanation(rec.Remedy));
        SetText(Chosen, rec.Remedy);
        SetText(warningsEdit, WarningsOrNotice(rec));
        SetText(notesMemo, rec.Synthesis1 + rec.Synthesis2 + rec.Synthesis3 + rec.Synthesis4 +
                               rec.Synthesis5 + rec.Synthesis6);
    }
}

void RemedyBrowser::FillPage() {
    for (std::int64_t r : State().PageHits()) {
        PrimarySlotTexts t = RemedySlotTexts(ReadPrimaryRecord(r));
        FillResultSlot(t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail, false, r);
    }
}

void RemedyBrowser::ShowSlotDetail(int slot) {
    helpMemo->hide();
    largeWarningsMemo->hide();
    const std::int64_t r = State().SlotRecord(slot);
    if (r == 0) return;  // an empty slot has nothing to show
    if (!DatabaseSound()) return;
    const PrimaryRecord& rec = ReadPrimaryRecord(r);
    DetailText d = RemedyDetail(rec, State().AdvanceDetail(slot, 4));
    SetText(notesLabel, d.caption);
    SetText(notesMemo, d.text);
}

void RemedyBrowser::ToggleHelp() {
    largeWarningsMemo->hide();
    BrowserWindow::ToggleHelp();
}

void RemedyBrowser::EnlargeWarnings() {
    largeWarningsMemo->setPlainText(warningsEdit->text());
    const QPoint at = warningsEdit->mapTo(this, QPoint(0, 0));
    largeWarningsMemo->setGeometry(at.x(), at.y(), std::max(warningsEdit->width(), 500), 200);
    largeWarningsMemo->raise();
    largeWarningsMemo->show();
}

bool RemedyBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == warningsEdit && event->type() == QEvent::MouseButtonDblClick) {
        EnlargeWarnings();
        return true;
    }
    if (watched == largeWarningsMemo->viewport() && event->type() == QEvent::MouseButtonPress) {
        largeWarningsMemo->hide();
        return true;
    }
    return BrowserWindow::eventFilter(watched, event);
}

}  // namespace remedies
