#include "remedies/windows/composition_window.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "remedies/windows/window_parts.h"

namespace remedies {

namespace {

const RemedyTextWindowTexts kCompositionTexts{
    "FoPiante",
    "PLANTEN en ACTIEVE PRINCIPES",
    RemedyTextKind::Composition,
    {"Lijst Remedies", "beschikbaar", ""},
    {"Lijst Remedies", "met daarin het gezochte beginsel", ""},
    "Het venster toont de rubriek \"Opmerkingen\" van de Primaire Database.",
    "Principe om naar te zoeken:",
    // the memo label at the start, at a list-1 click, before the remedy's
    // name, at a search, and before the name at a list-2 click
    "Samenstelling van de Remedie",
    "Samenstelling van de Remedie",
    "Samenstelling van ",
    "Samenstelling van de Remedie",
    "Composizione di ",
    {"Schrijf in het blauwe vakje de naam van de plant of van het actief bestanddeel uit lijst 1 ",
     "(Beschikbare remedies) en klik vervolgens op [Zoeken]. ",
     " In lijst 2 verschijnen de Remedies die de zoekterm bevatten. Het venster "
     "'Samenstelling van de Remedie' wordt ingevuld ",
     "na het klikken op een term uit lijst 1 ofwel uit lijst 2."},
};

}  // namespace

CompositionWindow::CompositionWindow() : RemedyTextWindow(kCompositionTexts) {}

void CompositionWindow::ShowText(const std::string& name, const PrimaryRecord& r) { ShowComposition(name, r); }

void CompositionWindow::ShowComposition(const std::string& name, const PrimaryRecord& r) {
    SetText(textLabel, Texts().memoLabelNamed + name);
    SetText(textMemo, RemedyText(r, RemedyTextKind::Composition));
}

}  // namespace remedies
