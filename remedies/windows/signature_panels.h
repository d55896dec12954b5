#pragma once
// The planet and sign panels of the signature windows: a radio group (made
// with gui::MakeRadioGroup) of one radio button a planet or sign and the last
// "Ieder" (any), which starts checked.
#include <string>
#include <vector>

#include "platform/gui/widgets.h"

class QRadioButton;

namespace remedies {

// RBsol .. RBnos, then RBNoPia "Ieder".
extern const std::vector<gui::RadioRow> kPlanetRadios;
// RBari .. RBpes, then RBNoSeg "Ieder".
extern const std::vector<gui::RadioRow> kSignRadios;

// The caption of the checked radio button, "Ieder" when none is checked.
std::string CheckedCaption(const std::vector<QRadioButton*>& radios);

}  // namespace remedies
