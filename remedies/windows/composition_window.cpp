#include "remedies/windows/composition_window.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "remedies/windows/window_parts.h"

namespace remedies {

TFoPiante* FoPiante = nullptr;

namespace {

RemedyTextWindowTexts CompositionTexts() {
    RemedyTextWindowTexts t;
    t.instance = "FoPiante";
    t.caption = "PLANTEN en ACTIEVE PRINCIPES";
    t.kind = RemedyTextKind::Composition;
    t.list1Titles[0] = "Lijst Remedies";
    t.list1Titles[1] = "beschikbaar";
    t.list1Titles[2] = "";
    t.list2Titles[0] = "Lijst Remedies";
    t.list2Titles[1] = "met daarin het gezochte beginsel";
    t.list2Titles[2] = "";
    t.memoNote = "Het venster toont de rubriek \"Opmerkingen\" van de Primaire Database.";
    t.searchLabel = "Principe om naar te zoeken:";
    t.memoLabelAtStart = "Samenstelling van de Remedie";
    t.memoLabelList1 = "Samenstelling van de Remedie";
    t.memoLabelNamed = "Samenstelling van ";
    t.memoLabelSearch = "Samenstelling van de Remedie";
    t.memoLabelList2 = "Composizione di ";
    t.help = {"Schrijf in het blauwe vakje de naam van de plant of van het actief bestanddeel uit lijst 1 ",
              "(Beschikbare remedies) en klik vervolgens op [Zoeken]. ",
              " In lijst 2 verschijnen de Remedies die de zoekterm bevatten. Het venster "
              "'Samenstelling van de Remedie' wordt ingevuld ",
              "na het klikken op een term uit lijst 1 ofwel uit lijst 2."};
    return t;
}

}  // namespace

TFoPiante::TFoPiante() : RemedyTextWindow(CompositionTexts()) {}

void TFoPiante::ShowText(const std::string& name, const PrimaryRecord& r) { ShowComposition(name, r); }

void TFoPiante::ShowComposition(const std::string& name, const PrimaryRecord& r) {
    SetText(LabelMemo, Texts().memoLabelNamed + name);
    SetText(MemoNote, RemedyText(r, RemedyTextKind::Composition));
}

}  // namespace remedies
