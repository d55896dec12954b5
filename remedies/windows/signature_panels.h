#pragma once
// The planet and sign panels of the signature windows: a group box of radio
// buttons, one a planet or sign and the last "Ieder" (any), which starts checked.
#include <string>
#include <vector>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace remedies {

struct RadioDef {
    const char* name;
    const char* caption;  // Windows-1252
};

// RBsol .. RBnos, then RBNoPia "Ieder".
extern const std::vector<RadioDef> kPlanetRadios;
// RBari .. RBpes, then RBNoSeg "Ieder".
extern const std::vector<RadioDef> kSignRadios;

// A group box named `name` holding a radio button per definition, filled down
// columns of `rows` buttons; the buttons are appended to `made`.
QGroupBox* MakeRadioPanel(QWidget* parent, const char* title, const char* name, const std::vector<RadioDef>& radios,
                          int rows, std::vector<QRadioButton*>& made);

// The caption of the checked radio button, "Ieder" when none is checked.
std::string CheckedCaption(const std::vector<QRadioButton*>& radios);

}  // namespace remedies
