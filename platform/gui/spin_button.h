#pragma once
// The up-and-down spin button of the old forms: two arrow buttons stacked in a
// small widget, named "<name>", "<name>Up" and "<name>Down".
class QToolButton;
class QWidget;

namespace gui {

struct SpinButtonParts {
    QWidget* box = nullptr;
    QToolButton* up = nullptr;
    QToolButton* down = nullptr;
};

SpinButtonParts MakeSpinButton(QWidget* parent, const char* name);

}  // namespace gui
