#include "remedies/windows/symptom_browser.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace remedies {

namespace {

const char* const kSymptomBrowserInfo =
    "Zoek een symptoom in de lijst rechts: typ de eerste letters in het vak Zoeken, "
    "of blader door de lijst.\r\n"
    "Een klik op een symptoom toont de remedies die het dienen, veertien per pagina, met hun "
    "planeten, tekens en dosering. Met de knoppen << en >> bladert u door de pagina's; het vak "
    "pag toont de pagina en het aantal pagina's (rood: er zijn meer pagina's).\r\n"
    "De genummerde knop van een remedie toont na elkaar de waarschuwingen, de psychische synthese, "
    "de notities en de extra notities.\r\n"
    "Een dubbele klik op de planeten of de tekens toont hun woorden onder elkaar.\r\n"
    "(\xA7 = Primaire Signatuur)";

BrowserFrame SymptomBrowserFrame(BrowserState* pages) {
    return {"FoSintom1",
            "SYMPTOMEN en gerelateerde remedies",
            true,
            "Remedie",
            "Dosering",
            "EdCerca",
            "EdDist",
            "SYMPTOOM",
            "Informatie aan / uit",
            "&Terug naar het menu",
            kSymptomBrowserInfo,
            false,
            pages,
            PrimaryDb,
            "i sintomi",
            kSymptomListName};
}

}  // namespace

SymptomBrowser::SymptomBrowser(QWidget* parent) : BrowserWindow(SymptomBrowserFrame(nullptr), parent) {}

SymptomBrowser::SymptomBrowser(BrowserState& pages, QWidget* parent)
    : BrowserWindow(SymptomBrowserFrame(&pages), parent) {}

void SymptomBrowser::Refresh() {
    State().searchKey.clear();
    searchEdit->clear();
    if (!DatabaseSound()) return;
    LoadList(ReadListLines(kSymptomListName));
    searchEdit->setFocus();
}

void SymptomBrowser::ClearResultSlots() {
    BrowserWindow::ClearResultSlots();
    searchEdit->clear();
    State().searchKey.clear();
}

void SymptomBrowser::SearchChosenLine() {
    if (!DatabaseSound()) return;
    signatureWordList->hide();
    helpMemo->hide();
    State().StartSearch();
    notesLabel->setText("Notities");
    const std::string line = ChosenLine();
    SetText(chosen, line);
    ClearResultSlots();
    bool more = false;
    const std::vector<std::int64_t> hits = FindSymptomHits(line, &more);
    ShowHitsCut(more);
    for (std::int64_t r : hits) {
        const PrimaryRecord& rec = ReadPrimaryRecord(r);
        PrimarySlotTexts t = SymptomSlotTexts(rec);
        FillResultSlot({t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail}, true, r);
        SetText(chosen, rec.Indication());
    }
}

void SymptomBrowser::FillPage() {
    for (std::int64_t r : State().PageHits()) {
        PrimarySlotTexts t = SymptomSlotTexts(ReadPrimaryRecord(r));
        FillResultSlot({t.remedy, t.planetarySignatures, t.zodiacalSignature, t.detail}, false, r);
    }
}

void SymptomBrowser::ShowSlotDetail(int slot) {
    helpMemo->hide();
    const std::int64_t r = State().SlotRecord(slot);
    if (r == 0) return;  // an empty slot has nothing to show
    if (!DatabaseSound()) return;
    const PrimaryRecord& rec = ReadPrimaryRecord(r);
    DetailText d = SymptomDetail(rec, State().AdvanceDetail(slot, 4));
    SetText(notesLabel, d.caption);
    SetText(notesMemo, d.text);
}

}  // namespace remedies
