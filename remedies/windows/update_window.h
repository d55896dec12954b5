#pragma once
// The update of the remedy databases from a disc ("UPDARE-STATUS"): shows the
// date of the local databases and of up to three update folders found on the
// mounted volumes (or chosen by the user), and installs the chosen one.
#include <QDialog>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include "remedies/windows/window_parts.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace remedies {

class UpdateWindow : public RemedyDialog {
    Q_OBJECT
public:
    // Asks for a folder (an empty path when none was chosen): the system's
    // folder dialog unless another chooser is handed.
    using FolderChooser = std::function<std::filesystem::path(QWidget*)>;
    explicit UpdateWindow(FolderChooser chooseFolder = AskForFolder);

    QPlainTextEdit* instructionsMemo;
    QLineEdit* lastUpdateEdit;
    // A row for each of the three places an update may come from: the disc
    // or folder, the date of its databases, and the button that installs it.
    struct UpdateRow {
        QLineEdit* placeEdit;
        QLineEdit* dateEdit;
        QPushButton* installButton;
    };
    std::array<UpdateRow, 3> updateRows;
    QLabel *chooseLabel, *pointerImage;
    QPushButton *otherFolderButton, *backToMenuButton;

    std::filesystem::path programFolder;
    std::array<std::filesystem::path, 3> slotFolders;

    void Refresh() override;
    void ScanUpdateDrives(int mode);
    void CopyUpdateDisk(int slot);  // 1..3
    void ChooseOtherFolder();

private:
    static std::filesystem::path AskForFolder(QWidget* parent);

    void ShowUpdateSlotsCleared();
    bool TakeSlot(const std::filesystem::path& folder, bool replaceLast);
    std::filesystem::path LocalFolder() const;
    const UpdateRow& Row(int slot) const { return updateRows[static_cast<std::size_t>(slot - 1)]; }

    FolderChooser chooseFolder_;
};

}  // namespace remedies
