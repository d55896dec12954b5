#include "remedies/windows/synthesis_window.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

const RemedyTextWindowTexts kSynthesisTexts{
    "FoSintesi",
    "PSYCHISCHE SYNTHESE",
    RemedyTextKind::Synthesis,
    {"Lijst met remedies", "beschikbaar", ""},
    {"Lijst met remedies", "die het woord of de zin bevat waarnaar", "gezocht wordt in de \"Psychische Synthese\""},
    "",
    "Woord of zin om naar te zoeken",
    // the memo label at the start, at a list-1 click, before the remedy's
    // name, at a search, and before the name at a list-2 click
    "Psychische synthese van de remedie",
    "Sintesi Psichica",
    "Sintesi Psichica di ",
    "Sintesi Psichica del Rimedio",
    "Sintesi Psichica di ",
    {"Schrijf in het blauwe vakje een woord of een zin die opgenomen zou kunnen zijn in de 'Psychische",
     "Samenvatting' van een remedie uit lijst 1 (Beschikbare remedies) en klik vervolgens op [Zoeken]. ",
     "In lijst 2 verschijnen de Remedies die de zoekterm bevatten.",
     "Het venster \x93Psychische Samenvatting van de Remedie\x94 wordt ingevuld na het klikken op een term ",
     "uit lijst 1 ofwel uit lijst 2."},
};

}  // namespace

SynthesisWindow::SynthesisWindow() : RemedyTextWindow(kSynthesisTexts) {}

void SynthesisWindow::ShowText(const std::string& name, const PrimaryRecord& r) { ShowSynthesis(name, r); }

void SynthesisWindow::ShowSynthesis(const std::string& name, const PrimaryRecord& r) {
    SetText(textLabel, Texts().memoLabelNamed + name);
    std::string text = RemedyText(r, RemedyTextKind::Synthesis);
    if (text.size() < 5) text = kNoSynthesisText;
    SetText(textMemo, text);
}

}  // namespace remedies
