#include "remedies/windows/signature_panels.h"

#include <QRadioButton>

#include "platform/gui/text_convert.h"
#include "remedies/signature_search.h"

namespace remedies {

const std::vector<gui::RadioRow> kPlanetRadios{
    {"RBsol", "Zon"},     {"RBlun", "Maan"},     {"RBmer", "Mercurius"},  {"RBven", "Venus"},     {"RBmar", "Mars"},
    {"RBgio", "Jupiter"}, {"RBsat", "Saturnus"}, {"RBnon", "Noordknoop"}, {"RBnos", "Zuidknoop"}, {"RBNoPia", "Ieder"},
};

const std::vector<gui::RadioRow> kSignRadios{
    {"RBari", "Ram"},          {"RBtor", "Stier"},    {"RBgem", "Tweelingen"}, {"RBcan", "Kreeft"},
    {"RBleo", "Leeuw"},        {"RBver", "Maagd"},    {"RBbil", "Weegschaal"}, {"RBsco", "Schorpioen"},
    {"RBsag", "Boogschutter"}, {"RBcap", "Steenbok"}, {"RBacq", "Waterman"},   {"RBpes", "Vissen"},
    {"RBNoSeg", "Ieder"},
};

std::string CheckedCaption(const std::vector<QRadioButton*>& radios) {
    for (auto* r : radios)
        if (r->isChecked()) return gui::FromQt(r->text());
    return kAnyWord;
}

}  // namespace remedies
