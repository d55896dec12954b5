#pragma once
// The orb settings window "Wijziging Banen en Aspecten": the three orb sets side
// by side (A fixed, B and C editable within 0 .. 15 degrees) and the choice of
// the set the chart uses.
#include <QDialog>
#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "archive/current_chart.h"
#include "engine/engine_settings.h"

class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace display {
struct DrawingState;
}  // namespace display

namespace shell {

// The columns of the orb sets A, B and C, in this order.
inline constexpr std::size_t kSetA = 0;
inline constexpr std::size_t kSetB = 1;
inline constexpr std::size_t kSetC = 2;
// The aspects the window sets an orb for, in the order of their angles.
inline constexpr int kOrbAspectCount = engine::kOrbAspectCount;

class OrbSettingsWindow : public QDialog {
    Q_OBJECT
public:
    // currentChart: the chart and orbs in force, whose orbs the chosen set
    // replaces. The aspect glyphs are pictured in the colours of the drawing
    // state handed.
    OrbSettingsWindow(archive::CurrentChart& currentChart, const display::DrawingState& drawing);


    // Reads the sets and the settings in force into the window; runs at every showing.
    void Refresh();
    // Typing into an orb edit, or into one of parallels or antiscia, has the
    // idle handler check the edits.
    void MarkOrbsEdited();
    void MarkSpecialOrbsEdited();
    void CheckOrbEdits();
    // A set's "Kies" button: the set in force from now on.
    void ChooseSet(std::size_t set);
    void ReturnToMenu();
    void SaveOnClose();

    // The orb sets file to and from the window.
    void SaveOrbSets(const std::string& letter);
    void LoadOrbSets();
    void SelectOrbSet(const std::string& letter);

    // One set's column: its orbs in angle order (the conjunction's first), the
    // frame that marks it as the set in force, and its "Kies" button.
    struct SetColumn {
        std::array<QLineEdit*, kOrbAspectCount> orbEdits{};
        QFrame* selectedFrame = nullptr;
        QPushButton* chooseButton = nullptr;
    };
    std::array<SetColumn, 3> setColumns{};
    QLineEdit* parallelOrbEdit = nullptr;
    QLineEdit* antisciaOrbEdit = nullptr;
    QFrame* specialOrbsPanel = nullptr;
    QLabel* selectedSetLabel = nullptr;
    QLineEdit* selectedSetEdit = nullptr;
    QPushButton* returnButton = nullptr;

    bool orbEditsValid = true;
    bool specialOrbsUnchanged = true;
    // The edits show the sets of "FileDum\MMVarOrb.dum" as last read.
    bool setsLoaded = false;

    void done(int result) override;

Q_SIGNALS:
    // A set was made current, named as the program shows the set in force
    // (the main window's box).
    void OrbSetChosen(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildSetColumns(QGridLayout* grid, const display::DrawingState& drawing);
    void BuildSideColumn(QHBoxLayout* outer);

    archive::CurrentChart& currentChart_;
};

}  // namespace shell
