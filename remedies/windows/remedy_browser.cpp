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

const char* const kRemedyBrowserInfo =
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

BrowserFrame RemedyBrowserFrame(BrowserState* pages) {
    return {"FoRimed",
            "REMEDIES en bijbehorende symptomen",
            true,
            "Remedie",
            "Symptoom",
            "EdCerca",
            "EdRime",
            "REMEDIE",
            "Informatie Aan / Uit",
            "&Terug naar het menu",
            kRemedyBrowserInfo,
            true,
            pages,
            PrimaryDb,
            "i rimedi",
            kRemedyVariantListName};
}

}  // namespace

RemedyBrowser::RemedyBrowser(QWidget* parent) : RemedyBrowser(static_cast<BrowserState*>(nullptr), parent) {}

RemedyBrowser::RemedyBrowser(BrowserState& pages, QWidget* parent) : RemedyBrowser(&pages, parent) {}

RemedyBrowser::RemedyBrowser(BrowserState* pages, QWidget* parent) : BrowserWindow(RemedyBrowserFrame(pages), parent) {
    // The remedy's form, warnings and synthesis, under the name.
    auto* box = new QVBoxLayout;
    formLabel_ = gui::MakeLabel(this, "LabSpeci", "");
    formLabel_->setStyleSheet("color: blue");
    box->addWidget(formLabel_);
    auto* row = new QHBoxLayout;
    row->addWidget(gui::MakeLabel(this, "LabAvvertenze", "Waarschuwingen"));
    warningsEdit_ = gui::MakeReadOnlyEdit(this, "EdAvve");
    warningsEdit_->installEventFilter(this);
    row->addWidget(warningsEdit_, 1);
    box->addLayout(row);
    auto* left = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
    left->insertLayout(1, box);

    bracketNoteMemo_ = gui::MakeMemo(this, "MemoPare", true);
    SetText(bracketNoteMemo_,
            "Het getal tussen haakjes verwjst naar een specifiek gebruik van de Remedie en NIET naar een variant.");
    SetBackground(bracketNoteMemo_, kCream);
    bracketNoteMemo_->setFixedHeight(48);
    left->insertWidget(2, bracketNoteMemo_);
    bracketNoteMemo_->hide();

    largeWarningsMemo_ = gui::MakeMemo(this, "MemoAvveLarge", true);
    SetBackground(largeWarningsMemo_, kCream);
    largeWarningsMemo_->viewport()->installEventFilter(this);
    largeWarningsMemo_->hide();
}

void RemedyBrowser::Refresh() {
    State().searchKey.clear();
    searchEdit->clear();
    if (!DatabaseSound()) return;
    LoadList(ReadListLines(kRemedyVariantListName));
    searchEdit->setFocus();
}

void RemedyBrowser::ClearResultSlots() {
    BrowserWindow::ClearResultSlots();
    searchEdit->clear();
    State().searchKey.clear();
    warningsEdit_->clear();
    formLabel_->clear();
    bracketNoteMemo_->hide();
    largeWarningsMemo_->hide();
}

void RemedyBrowser::SearchChosenLine() {
    if (!DatabaseSound()) return;
    largeWarningsMemo_->hide();
    helpMemo->hide();
    signatureWordList->hide();
    State().StartSearch();
    ClearResultSlots();
    const std::string line = ChosenLine();
    bracketNoteMemo_->setVisible(HoldsBracketNumber(line));
    bool more = false;
    const std::vector<std::int64_t> hits = FindRemedyHits(line, &more);
    ShowHitsCut(more);
    for (std::int64_t r : hits) {
        const PrimaryRecord& rec = ReadPrimaryRecord(r);
        PrimarySlotTexts t = RemedySlotTexts(rec);
        FillResultSlot({t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail}, true, r);
        SetText(formLabel_, FormExplanation(rec.remedy));
        SetText(chosen, rec.remedy);
        SetText(warningsEdit_, WarningsOrNotice(rec));
        SetText(notesMemo,
                rec.synthesis1 + rec.synthesis2 + rec.synthesis3 + rec.synthesis4 + rec.synthesis5 + rec.synthesis6);
    }
}

void RemedyBrowser::FillPage() {
    for (std::int64_t r : State().PageHits()) {
        PrimarySlotTexts t = RemedySlotTexts(ReadPrimaryRecord(r));
        FillResultSlot({t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail}, false, r);
    }
}

void RemedyBrowser::ShowSlotDetail(int slot) {
    helpMemo->hide();
    largeWarningsMemo_->hide();
    const std::int64_t r = State().SlotRecord(slot);
    if (r == 0) return;  // an empty slot has nothing to show
    if (!DatabaseSound()) return;
    const PrimaryRecord& rec = ReadPrimaryRecord(r);
    DetailText d = RemedyDetail(rec, State().AdvanceDetail(slot, 4));
    SetText(notesLabel, d.caption);
    SetText(notesMemo, d.text);
}

void RemedyBrowser::ToggleHelp() {
    largeWarningsMemo_->hide();
    BrowserWindow::ToggleHelp();
}

void RemedyBrowser::EnlargeWarnings() {
    largeWarningsMemo_->setPlainText(warningsEdit_->text());
    const QPoint at = warningsEdit_->mapTo(this, QPoint(0, 0));
    largeWarningsMemo_->setGeometry(at.x(), at.y(), std::max(warningsEdit_->width(), 500), 200);
    largeWarningsMemo_->raise();
    largeWarningsMemo_->show();
}

bool RemedyBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == warningsEdit_ && event->type() == QEvent::MouseButtonDblClick) {
        EnlargeWarnings();
        return true;
    }
    if (watched == largeWarningsMemo_->viewport() && event->type() == QEvent::MouseButtonPress) {
        largeWarningsMemo_->hide();
        return true;
    }
    return BrowserWindow::eventFilter(watched, event);
}

}  // namespace remedies
