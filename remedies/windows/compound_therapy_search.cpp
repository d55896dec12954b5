#include "remedies/windows/compound_therapy_search.h"

#include <QLineEdit>

#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {
const std::vector<const char*> kHelp{
    "- Individuare, sulla colonna di destra, i DISTURBI PRESENTI.",
    "- Con un clic, questi disturbi (max 15) vengono copiati sulle caselle numerate.",
    "- Clic su [Avvia Ricerca] per rintracciare le TERAPIE adatte. Verr\xE0 compilata una colonna",
    "  nella quale il nome della TERAPIA \xE8 preceduto da un numero che specifica per quanti dei",
    "  DISTURBI PRESENTI \xE8 adatta quella TERAPIA.",
    "- Clic sulle TERAPIE rintracciate per precisare a quali dei DISTURBI PRESENTI possono",
    "  essere associate.",
    "Il pulsante [Trova] permette il riconoscimento di un DISTURBO nella cui descrizione \xE8",
    "presente la parola scritta nella casella azzurra. Il pulsante [Trova] pu\xF2 essere",
    "azionato pi\xF9 volte in successione. ",
};
}  // namespace

CompoundTherapySearch::CompoundTherapySearch(QWidget* parent)
    : RankedSearchWindow(RankedSearchKind::CompoundTherapy, "FoTerCom", "TERAPIE COMPOSITE", kHelp, nullptr, parent) {}

CompoundTherapySearch::CompoundTherapySearch(RankedWindowState& state, QWidget* parent)
    : RankedSearchWindow(RankedSearchKind::CompoundTherapy, "FoTerCom", "TERAPIE COMPOSITE", kHelp, &state, parent) {}

void CompoundTherapySearch::Refresh() {
    // The slots and the key start empty whatever becomes of the lists.
    StartWithEmptySlots();
    // A damaged database is named and nothing is made or shown from it.
    if (!DatabaseSound()) return;
    WaitCursor wait;
    PrepareCompoundTherapyLists();
    ShowVocabulary();
}

}  // namespace remedies
