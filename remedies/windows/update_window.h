#pragma once
// The update of the remedy databases from a disc ("UPDARE-STATUS"): shows the
// date of the local databases and of up to three update folders found on the
// mounted volumes (or chosen by the user), and installs the chosen one.
#include <QDialog>

#include "remedies/windows/window_parts.h"
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace remedies {

class UpdateWindow : public RemedyDialog {
    Q_OBJECT
public:
    UpdateWindow();

    QPlainTextEdit* Memo1;
    QLineEdit* EdUltAgg;
    QLineEdit *EdDisp1, *EdDisp2, *EdDisp3;
    QLineEdit *EdNuoAgg1, *EdNuoAgg2, *EdNuoAgg3;
    QPushButton *BBok1, *BBok2, *BBok3;
    QLabel *Label8, *Image1;
    QPushButton *BBcartella, *BitBtnRitorna;

    std::filesystem::path ProgramFolder;
    std::array<std::filesystem::path, 3> SlotFolders;

    // Asks for a folder (tests replace it); an empty path when none was chosen.
    static std::function<std::filesystem::path(QWidget*)> ChooseFolder;

    void FormActivate() override;
    void ScanUpdateDrives(int mode);
    void CopyUpdateDisk(int slot);  // 1..3
    void BBcartellaClick();

protected:

private:
    void ShowUpdateSlotsCleared();
    bool TakeSlot(const std::filesystem::path& folder, bool replaceLast);
    std::filesystem::path LocalFolder() const;
    QLineEdit* Disp(int slot) const;
    QLineEdit* Date(int slot) const;
    QPushButton* Ok(int slot) const;
};

extern UpdateWindow* theUpdateWindow;

}  // namespace remedies
