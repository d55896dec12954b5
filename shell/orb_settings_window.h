#pragma once
// The orb settings window "Wijziging Banen en Aspecten": the three orb sets side
// by side (A fixed, B and C editable within 0 .. 15 degrees) and the choice of
// the set the chart uses.
#include <QDialog>
#include <array>
#include <string>

class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {

class OrbSettingsWindow : public QDialog {
    Q_OBJECT
public:
    OrbSettingsWindow();

    void FormActivate();
    void EditCongBChange();
    void EditParalChange();
    void MyIdleHandler();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn1Click();
    void BitBtnRitornaClick();
    void FormClose();

    // The orb sets file to and from the window.
    void SaveOrbSets(const std::string& letter);
    void LoadOrbSets();
    void SelectOrbSet(const std::string& letter);

    // Set A, B and C in angle order, entries 1..14.
    std::array<QLineEdit*, 15> EditsA{};
    std::array<QLineEdit*, 15> EditsB{};
    std::array<QLineEdit*, 15> EditsC{};
    QLineEdit* EditParal = nullptr;
    QLineEdit* EditAntis = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn3 = nullptr;  // choose A
    QPushButton* BitBtn2 = nullptr;  // choose B
    QPushButton* BitBtn1 = nullptr;  // choose C
    QFrame* BevelA = nullptr;
    QFrame* BevelB = nullptr;
    QFrame* BevelC = nullptr;
    QLabel* LabelOrbite = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;

    bool OrbEditsValid = true;
    bool SpecialOrbsUnchanged = true;
    // The edits show the sets of "FileDum\MMVarOrb.dum" as last read.
    bool SetsLoaded = false;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildSetColumns(QGridLayout* grid);
    void BuildSideColumn(QHBoxLayout* outer);
};

extern OrbSettingsWindow* theOrbSettingsWindow;

}  // namespace shell
