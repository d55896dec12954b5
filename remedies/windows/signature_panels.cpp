#include "remedies/windows/signature_panels.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

#include "platform/gui/text_convert.h"
#include "remedies/signature_search.h"
#include "remedies/windows/window_parts.h"

namespace remedies {

const std::vector<RadioDef> kPlanetRadios{
    {"RBsol", "Zon"},       {"RBlun", "Maan"},       {"RBmer", "Mercurius"}, {"RBven", "Venus"},
    {"RBmar", "Mars"},      {"RBgio", "Jupiter"},    {"RBsat", "Saturnus"},  {"RBnon", "Noordknoop"},
    {"RBnos", "Zuidknoop"}, {"RBNoPia", "Ieder"},
};

const std::vector<RadioDef> kSignRadios{
    {"RBari", "Ram"},        {"RBtor", "Stier"},       {"RBgem", "Tweelingen"},
    {"RBcan", "Kreeft"},     {"RBleo", "Leeuw"},       {"RBver", "Maagd"},
    {"RBbil", "Weegschaal"}, {"RBsco", "Schorpioen"},  {"RBsag", "Boogschutter"},
    {"RBcap", "Steenbok"},   {"RBacq", "Waterman"},    {"RBpes", "Vissen"},
    {"RBNoSeg", "Ieder"},
};

QGroupBox* MakeRadioPanel(QWidget* parent, const char* title, const char* name, const std::vector<RadioDef>& radios,
                          int rows, std::vector<QRadioButton*>& made) {
    auto* panel = new QGroupBox(gui::ToQt(title), parent);
    panel->setObjectName(name);
    auto* grid = new QGridLayout(panel);
    int i = 0;
    for (const auto& d : radios) {
        auto* r = MakeRadio(panel, d.caption, d.name);
        made.push_back(r);
        grid->addWidget(r, i % rows, i / rows);
        ++i;
    }
    made.back()->setChecked(true);
    return panel;
}

std::string CheckedCaption(const std::vector<QRadioButton*>& radios) {
    for (auto* r : radios)
        if (r->isChecked()) return gui::FromQt(r->text());
    return kAnyWord;
}

}  // namespace remedies
