#pragma once
// SignatureMaintenanceWindow: every record of the signature database as one line (plant and
// symptom), in file order or sorted by plant, and all nine fields of a clicked
// record.
#include <QDialog>

#include "remedies/windows/window_parts.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace remedies {

class ModelList;

class SignatureMaintenanceWindow : public RemedyDialog {
    Q_OBJECT
public:
    SignatureMaintenanceWindow();

    ModelList* entryList;
    QPushButton *sortButton, *backButton;
    QPlainTextEdit* helpMemo;
    QLineEdit *symptomEdit, *plantEdit, *codeEdit, *synthesisEdit, *primarySignatureEdit, *secondarySignatureEdit,
        *zodiacalSignatureEdit, *authorsEdit, *notesEdit;
    bool sorted = false;

    void Refresh() override;
    void ToggleSorting();
    void ShowChosenEntry();
    void ListSignatureEntries();

protected:

private:
    // Looks at the database (at the opening and before a click reads it): a
    // damaged or unreadable one is told, and the lines and the fields are
    // emptied; false then.
    bool DatabaseSound();
};

}  // namespace remedies
