#pragma once
// The delete dialog: removes a person's index entry and text file from an archive.
#include <array>

#include "archive/name_dialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace archive {

class DeleteDialog : public ArchiveNameDialog {
    Q_OBJECT
public:
    explicit DeleteDialog(CurrentChart& current, QWidget* parent = nullptr);

    bool shown = false;
    std::string textNumber;

    void ResetAndOpenArchive();
    void ReopenChosenArchive();
    void ShowBirthRecord();
    void DeleteChosenPerson();
    void ClearMemos();
    // Shows the chosen person and allows the deletion.
    void ShowChosen();

protected:
    void showEvent(QShowEvent* e) override;
    void ArchiveChanged(const std::string& letters) override;
    void EntryChosen() override { ClearMemos(); }
    void EnterInList(int line) override;
    void EnterInSearch() override;
    void SearchClicked() override;
    void ListKeyPressed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit *personMemo_, *annotationMemo_;
    QLabel* textNumberLabel_;
    QPushButton *deleteButton_, *backButton_;
};

}  // namespace archive
