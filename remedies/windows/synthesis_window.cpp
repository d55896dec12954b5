#include "remedies/windows/synthesis_window.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "remedies/windows/window_parts.h"

namespace remedies {

TFoSintesi* FoSintesi = nullptr;

namespace {

RemedyTextWindowTexts SynthesisTexts() {
    RemedyTextWindowTexts t;
    t.instance = "FoSintesi";
    t.caption = "PSYCHISCHE SYNTHESE";
    t.kind = RemedyTextKind::Synthesis;
    t.list1Titles[0] = "Lijst met remedies";
    t.list1Titles[1] = "beschikbaar";
    t.list1Titles[2] = "";
    t.list2Titles[0] = "Lijst met remedies";
    t.list2Titles[1] = "die het woord of de zin bevat waarnaar";
    t.list2Titles[2] = "gezocht wordt in de \"Psychische Synthese\"";
    t.memoNote = "";
    t.searchLabel = "Woord of zin om naar te zoeken";
    t.memoLabelAtStart = "Psychische synthese van de remedie";
    t.memoLabelList1 = "Sintesi Psichica";
    t.memoLabelNamed = "Sintesi Psichica di ";
    t.memoLabelSearch = "Sintesi Psichica del Rimedio";
    t.memoLabelList2 = "Sintesi Psichica di ";
    t.help = {"Schrijf in het blauwe vakje een woord of een zin die opgenomen zou kunnen zijn in de 'Psychische",
              "Samenvatting' van een remedie uit lijst 1 (Beschikbare remedies) en klik vervolgens op [Zoeken]. ",
              "In lijst 2 verschijnen de Remedies die de zoekterm bevatten.",
              "Het venster \x93Psychische Samenvatting van de Remedie\x94 wordt ingevuld na het klikken op een term ",
              "uit lijst 1 ofwel uit lijst 2."};
    return t;
}

}  // namespace

TFoSintesi::TFoSintesi() : RemedyTextWindow(SynthesisTexts()) {}

void TFoSintesi::ShowText(const std::string& name, const PrimaryRecord& r) { ShowSynthesis(name, r); }

void TFoSintesi::ShowSynthesis(const std::string& name, const PrimaryRecord& r) {
    SetText(LabelMemo, Texts().memoLabelNamed + name);
    std::string text = RemedyText(r, RemedyTextKind::Synthesis);
    if (text.size() < 5) text = kNoSynthesisText;
    SetText(MemoNote, text);
}

}  // namespace remedies
