#pragma once
// The backup window: copies the personal archive and its texts to a folder
// "ExkelvorBck" on a chosen volume and back.
#include <QDialog>
#include <array>
#include <filesystem>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace archive {

class DrawSettings;

class BackupWindow : public QDialog {
    Q_OBJECT
public:
    // The drawing settings in force, handed by the window that opens this one:
    // the chosen destination goes into them as into their file (none: into the
    // file only).
    explicit BackupWindow(DrawSettings* drawSettings = nullptr, QWidget* parent = nullptr);

    QWidget *destinationPanel, *volumePanel;
    QComboBox* volumeBox;
    QPushButton *closeVolumeChoiceButton, *chooseVolumeButton, *backupButton, *restoreButton, *closeButton;
    QLineEdit *destinationEdit, *lastBackupEdit;
    QLabel *destinationLabel, *doneLabel;
    std::array<QLabel*, 2> chooseVolumeHints;  // shown until a volume is chosen
    QPlainTextEdit* contentsMemo;

    std::string backupDestination = "?:\\ExkelvorBck";
    std::filesystem::path programFolder;
    std::filesystem::path chosenFolder;  // the destination as a real path

    void ResetDestination();
    void OpenVolumeChoice();
    void CloseVolumeChoice();
    void ChooseVolume(int index);
    void BackUp();
    void Restore();

protected:
    void showEvent(QShowEvent* e) override;

private:
    DrawSettings* drawSettings_;
    // The volume list and the destination take turns in one place.
    void BuildVolumeChoice(QGridLayout* place);
    void BuildDestination(QGridLayout* place);
    void SetDestinationCaption(const char* text);
};

}  // namespace archive
