#include "remedies/windows/therapy_browser.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "platform/gui/widgets.h"
#include "platform/runtime/paths.h"
#include "remedies/list_order.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

const char* const kTherapyBrowserInfo =
    "Zoek een pathologie in de lijst rechts: typ de eerste letters in het vak Zoeken, of blader "
    "door de lijst.\r\n"
    "Een klik op een pathologie toont de remedies die ervoor zijn opgenomen, veertien per pagina, "
    "met hun dosering. Met de knoppen << en >> bladert u door de pagina's; het vak pag toont de "
    "pagina en het aantal pagina's (rood: er zijn meer pagina's).\r\n"
    "De genummerde knop van een remedie toont afwisselend de notities over deze combinatie van "
    "pathologie en remedie en de waarschuwingen van de remedie uit de Primaire Database.\r\n"
    "Een dubbele klik op een dosering toont haar vergroot; een klik erop sluit haar.";

BrowserFrame TherapyBrowserFrame(BrowserState* pages) {
    return {"FoTerapi",
            "THERAPIE\xCBN",
            false,
            "Remedie",
            "Dosering",
            "EditCerca",
            "EdPato",
            "PATHOLOGIE",
            "Informatie aan / uit",
            "&Terug naar het menu",
            kTherapyBrowserInfo,
            true,
            pages,
            RepertoryDb,
            "le patologie",
            kPathologyListName};
}

}  // namespace

TherapyBrowser::TherapyBrowser(QWidget* parent) : TherapyBrowser(static_cast<BrowserState*>(nullptr), parent) {}

TherapyBrowser::TherapyBrowser(BrowserState& pages, QWidget* parent) : TherapyBrowser(&pages, parent) {}

TherapyBrowser::TherapyBrowser(BrowserState* pages, QWidget* parent)
    : BrowserWindow(TherapyBrowserFrame(pages), parent) {
    enlargedDosageMemo_ = gui::MakeMemo(this, "MemoZoom", true);
    QFont f = enlargedDosageMemo_->font();
    f.setPointSize(f.pointSize() + 4);
    enlargedDosageMemo_->setFont(f);
    SetBackground(enlargedDosageMemo_, kCream);
    enlargedDosageMemo_->viewport()->installEventFilter(this);
    enlargedDosageMemo_->hide();
    // The help text is shown and hidden by its button only.
    helpMemo->viewport()->removeEventFilter(this);
}

void TherapyBrowser::Refresh() {
    if (!DatabaseSound()) return;
    std::vector<std::string> lines;
    if (rt::PathExists(kPathologyListName)) {
        lines = ReadListLines(kPathologyListName);
        SortListTexts(lines);
    }
    LoadList(lines);
}

void TherapyBrowser::ClearResultSlots() {
    enlargedDosageMemo_->hide();
    helpMemo->hide();
    BrowserWindow::ClearResultSlots();
}

void TherapyBrowser::SearchChosenLine() {
    if (!DatabaseSound()) return;
    notesLabel->setText("Notities");
    notesMemo->clear();
    State().StartSearch();
    const std::string line = ChosenLine();
    SetText(chosen, line);
    ClearResultSlots();
    bool more = false;
    const std::vector<std::int64_t> hits = FindPathologyHits(line, &more);
    ShowHitsCut(more);
    for (std::int64_t r : hits) {
        RepertoryRecord rec = ReadRepertoryRecord(r);
        FillResultSlot({rec.remedy, {}, {}, rec.posology}, true, r);
        SetText(chosen, rec.pathology);
    }
}

void TherapyBrowser::FillPage() {
    for (std::int64_t r : State().PageHits()) {
        RepertoryRecord rec = ReadRepertoryRecord(r);
        FillResultSlot({rec.remedy, {}, {}, rec.posology}, false, r);
    }
}

void TherapyBrowser::ShowSlotDetail(int slot) {
    const std::string remedy = SlotRemedy(slot);
    if (remedy.empty()) return;  // an empty slot has nothing to show
    if (!DatabaseSound()) return;
    // The warnings come from the primary database, which is looked at too.
    notesMemo->clear();
    if (State().slotDetailState[static_cast<std::size_t>(slot)] == 1 &&
        !DatabasesSound({PrimaryDb()}, NothingShownUntilSound("le avvertenze dei rimedi"))) {
        notesLabel->setText("Notities");
        return;
    }
    DetailText d = TherapyDetail(remedy, TextOf(chosen), State().AdvanceDetail(slot, 2));
    SetText(notesLabel, d.caption);
    SetText(notesMemo, d.text);
}

void TherapyBrowser::ToggleHelp() {
    enlargedDosageMemo_->hide();
    BrowserWindow::ToggleHelp();
}

void TherapyBrowser::ExpandSlotField(QLineEdit* edit, int, char column) {
    if (column != 'D') return;
    helpMemo->hide();
    enlargedDosageMemo_->setPlainText(edit->text());
    enlargedDosageMemo_->setGeometry(edit->mapTo(this, QPoint(0, 0)).x(), edit->mapTo(this, QPoint(0, 0)).y(),
                                     std::max(edit->width(), 420), 160);
    enlargedDosageMemo_->raise();
    enlargedDosageMemo_->show();
}

bool TherapyBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == enlargedDosageMemo_->viewport() && event->type() == QEvent::MouseButtonPress) {
        enlargedDosageMemo_->hide();
        return true;
    }
    return BrowserWindow::eventFilter(watched, event);
}

}  // namespace remedies
