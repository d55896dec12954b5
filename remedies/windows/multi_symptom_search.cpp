#include "remedies/windows/multi_symptom_search.h"

#include <QLineEdit>

namespace remedies {

namespace {
const std::vector<const char*> kMultiSymptomHelp{
    "- Individuare, sulla colonna di destra, i SINTOMI PRESENTI.",
    "- Con un clic, questi sintomi (max 15) vengono copiati sulle caselle numerate.",
    "- Clic su [Avvia Ricerca] per rintracciare i RIMEDI adatti. Verr\xE0 compilata una colonna",
    "  nella quale il nome del RIMEDIO \xE8 preceduto da un numero che specifica per quanti dei",
    "  SINTOMI PRESENTI \xE8 adatto quel RIMEDIO.",
    "- Clic sui RIMEDI rintracciati per precisare a quali dei SINTOMI PRESENTI possono",
    "  essere associati.",
    "Il pulsante [Trova] permette il riconoscimento di un SINTOMO nella cui descrizione \xE8",
    "presente la parola scritta nella casella azzurra. Il pulsante [Trova] pu\xF2 essere",
    "azionato pi\xF9 volte in successione. ",
};
}  // namespace

MultiSymptomSearch::MultiSymptomSearch(QWidget* parent)
    : RankedSearchWindow(RankedSearchKind::MultiSymptom, "FoRicCom", "SINTOMI MULTIPLI", kMultiSymptomHelp, nullptr,
                         parent) {}

MultiSymptomSearch::MultiSymptomSearch(RankedWindowState& state, QWidget* parent)
    : RankedSearchWindow(RankedSearchKind::MultiSymptom, "FoRicCom", "SINTOMI MULTIPLI", kMultiSymptomHelp, &state,
                         parent) {}

void MultiSymptomSearch::Refresh() {
    StartWithEmptySlots();
    if (DatabaseSound()) ShowVocabulary();
}

}  // namespace remedies
