#pragma once
// The change dialog: edits a stored person's data, annotations and text file.
#include <array>
#include <functional>

#include "archive/name_dialog.h"

class QGridLayout;
class QGroupBox;
class QPushButton;

namespace archive {

class ChangeDialog : public ArchiveNameDialog {
    Q_OBJECT
public:
    explicit ChangeDialog(CurrentChart& current, QWidget* parent = nullptr);

    QGroupBox *archivePanel, *searchPanel, *birthDataGroup, *annotationGroup, *emptyAnnotationFrame;
    QLineEdit *nameEdit, *birthDateEdit, *birthTimeEdit, *calendarEdit, *placeEdit, *correctionEdit, *coordinatesEdit,
        *nationalityEdit, *textNumberEdit;
    std::array<QLineEdit*, 4> annotationEdits;
    QPushButton *backToListButton, *storeButton, *changeAnotherButton, *backButton, *makeTextButton;

    int dataNumber = 0;
    std::string annotationNumberText;
    std::string oldName;

    void ResetAndOpenArchive();
    void OpenChangeArchive();
    void ShowRecordForEdit();
    // Checks and rewrites; false when a check stopped it.
    bool SaveEditedRecord();
    // True, after a message, when a typed field holds characters the archive
    // cannot hold.
    bool TypedTextRefused();
    void MakeOrOpenPersonText();
    void ShowList();
    void OpenChosen();

Q_SIGNALS:
    // "Make text" made or found the person's text: the rich-text window is to
    // show it, on "FileDum\DatModif.dum", modally.
    void PersonTextRequested();

protected:
    void showEvent(QShowEvent* e) override;
    void ArchiveChanged(const std::string& letters) override;
    void EntryChosen() override;
    void EnterInList(int line) override;
    void EnterInSearch() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRecordGroups(QGridLayout* grid);
    void ClearFields();
    void ShowSearchSide(bool search);
};

}  // namespace archive
