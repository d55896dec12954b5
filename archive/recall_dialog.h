#pragma once
// The recall dialog: makes a stored person the current person.
#include <array>

#include "archive/name_dialog.h"
#include "archive/record_checks.h"

class QPlainTextEdit;
class QPushButton;
class QGroupBox;

namespace archive {

class RecallDialog : public ArchiveNameDialog {
    Q_OBJECT
public:
    explicit RecallDialog(CurrentChart& current, QWidget* parent = nullptr);

    QLineEdit *nameEdit, *birthDateEdit, *placeEdit, *nationalityEdit, *correctionEdit, *coordinatesEdit, *calendarEdit;
    QPlainTextEdit* annotationMemo;
    QPushButton *okButton, *cancelButton, *reorderNameButton;
    QGroupBox *searchPanel, *personPanel;

    bool loaded = false;
    BirthRecord loadedRecord;
    int loadedDataNumber = 0;                            // the loaded record's number in its archive
    std::string loadedAnnotationLine, loadedTextNumber;  // the hand-offs of the loaded person
    std::array<std::string, 3> nameWords;
    int wordOrderState = 0;

    void ResetAndOpenArchive();
    void LoadChosenPerson();
    void NextNameWordOrder();
    void MakeLoadedPersonCurrent();
    void Cancel();
    void HandOffChosenEntryAndCloseArchive();
    void ClearShownData();

protected:
    void showEvent(QShowEvent* e) override;
    void ArchiveChanged(const std::string& letters) override;
    void EntryChosen() override { ClearShownData(); }
    void EnterInList(int line) override;
    void EnterInSearch() override;
    void SearchClicked() override {
        ClearShownData();
        loaded = false;
    }

private:
    void Open(const std::string& letters);
    // Reports the chosen person's record as damaged and leaves nothing loaded.
    void RefuseDamagedPerson(const std::string& entry, int number, const StoredPersonFault& fault);
};

}  // namespace archive
