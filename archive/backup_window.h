#pragma once
// The backup window: copies the personal archive and its texts to a folder
// "ExkelvorBck" on a chosen volume and back.
#include <QDialog>
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

class BackupWindow : public QDialog {
    Q_OBJECT
public:
    explicit BackupWindow(QWidget* parent = nullptr);

    QWidget *Panel1, *Panel3;
    QComboBox* DriveComboBox1;
    QPushButton *BBchiudiScelta, *BBCambiaDest, *BBbackup, *BBRestore, *BitBtnRitorna;
    QLineEdit *EditDest, *EditData;
    QLabel *LabDest, *LabDef1, *LabDef2, *LabOkDati;
    QPlainTextEdit* Memo1;

    std::string BackupDestination = "?:\\ExkelvorBck";
    std::filesystem::path ProgramFolder;
    std::filesystem::path ChosenFolder;  // the destination as a real path

    void FormActivate();
    void BBCambiaDestClick();
    void BBchiudiSceltaClick();
    void DriveComboBox1Click(int index);
    void BBbackupClick();
    void BBRestoreClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The drive list (Panel3) and the destination (Panel1), in one place.
    void BuildVolumeChoice(QGridLayout* place);
    void BuildDestination(QGridLayout* place);
    void SetLabDest(const char* text);
};

// The backup window, while it is shown (created on demand).
extern BackupWindow* theBackupWindow;

}  // namespace archive
