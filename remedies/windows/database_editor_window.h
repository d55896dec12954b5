#pragma once
// What the primary and the therapies database editors share: the sorted list
// with its type-ahead box and its two orders, the record number, the find row,
// the length warning, the instructions, the row of buttons under the form, the
// reordering of the records and the panel that asks what to do with unsaved
// changes at the close. Each editor adds its own form fields and the
// operations on its own database.
#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/database_edit.h"
#include "remedies/entry_check.h"
#include "remedies/windows/window_parts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace remedies {

// The texts and places by which one editor differs from the other (Windows-1252).
struct EditorFrame {
    const char* instanceName;
    const char* caption;
    int height;  // client height
    const char* searchEditName;
    const char* secondOrderName;
    const char* secondOrderCaption;
    int firstOrderWidth, secondOrderX, secondOrderWidth;
    const char* infoText;
    int limitTop;  // of the length warning
    int instructionsHeight;
    std::vector<const char*> instructions;
    const char* clearCaption;
    const char* deleteCaption;  // of the delete buttons, under the form and on the panel
    int panelTop;               // of the panel that asks about unsaved changes
    const char* keyNameChange;  // the panel's line on a changed remedy
    const char* keyTextChange;  // and on a changed indication or pathology
    // The editor's database and the operations on it.
    DbFile (*database)();
    ChangeOutcome (*deleteRecord)(std::int64_t record);
    ChangeOutcome (*commitOrder)(const std::vector<std::int64_t>& order);
    ListRebuildReport (*rebuildLists)();
    const char* databaseName;  // in the words on records the lists leave out
};

class DatabaseEditorWindow : public RemedyDialog {
    Q_OBJECT
public:
    QListWidget* entryList;
    // The type-ahead box over the list.
    QLineEdit* searchEdit;
    QLineEdit *recordNumberEdit, *lengthWarningEdit = nullptr, *findEdit;
    QLineEdit* remedyEdit = nullptr;  // the remedy field of the form
    QRadioButton* byRemedyRadio;
    QPlainTextEdit *infoMemo, *instructionsMemo = nullptr;
    QPushButton *clearButton = nullptr, *deleteButton = nullptr, *saveButton = nullptr, *saveAsNewButton = nullptr,
                *rebuildListsButton = nullptr, *instructionsButton = nullptr, *reorderButton, *cancelReorderButton,
                *findButton, *backToMenuButton = nullptr;
    QWidget* unsavedChangesPanel = nullptr;
    QLabel *remedyChangedLabel = nullptr, *keyTextChangedLabel = nullptr, *descriptionsChangedLabel = nullptr;
    QPushButton *panelSaveButton = nullptr, *panelSaveAsNewButton = nullptr, *panelDeleteButton = nullptr,
                *panelIgnoreButton = nullptr;

    // State of the window, kept between showings.
    std::int64_t currentRecordNumber = 0;
    std::string savedRemedyText, recordCountText;
    bool descriptionsChanged = false;
    bool recordShown = false;
    bool listBrowsing = true;
    bool movePending = false;
    std::string heldEntry;
    int heldIndex = -1, targetIndex = -1;
    std::string searchKey;
    bool findActive = false;
    int lastFoundIndex = -1;
    // The list's lines with the records they stand for.
    std::vector<EditorEntry> listedEntries;

    void SortByRemedy();
    void ShowEntryRecord(int index);
    void HoldOrMoveEntry(int index);
    // After a change of a field: a description changed marks the record
    // changed; any change enables the saves there are.
    void MarkDescriptionsChanged();
    void ArmSaves();
    void SaveRecord();
    void SaveNewRecord();
    void DeleteShownRecord();
    void RebuildLists();
    void ToggleInstructions();
    void StartOrCommitReorder();
    void CancelReorder();
    void FindNext();
    void RestartFind();
    // The close: asks through the panel when the form holds unsaved changes.
    void AskClose();
    void SaveAndClose();
    void SaveAsNewAndClose();
    void DeleteAndClose();
    void DiscardAndClose();
    // The system beeps this window's length warnings have sounded (read by tests).
    int BeepCount() const { return beeps_; }

protected:
    // Builds the list column, the find row and the notice; the editor then
    // places its fields and calls BuildLowerParts, so that the instructions
    // and the panel lie above them.
    explicit DatabaseEditorWindow(const EditorFrame& frame);
    void BuildLowerParts();

    void reject() override;  // Escape and the window's close: the close request

    // At each opening: the editor's database looked at, and named at once
    // when it is damaged or cannot be read.
    void LookAtDatabase();
    // Shows the entries read from the database. A damaged or unreadable one
    // (`problem`) gives none: it is named, unless this opening named it already.
    void ShowEntries(std::vector<EditorEntry> entries, const std::string& problem);

    // The editor's own form and database.
    virtual void ClearForm() = 0;
    virtual void FillList(bool bySecondKey, bool sorted) = 0;
    virtual void FillByRemedy() = 0;
    virtual void FillBySecondKey() = 0;
    virtual void ShowRecord(int index) = 0;
    virtual void SetFieldsEnabled(bool enabled) = 0;
    // Saves the form in the current record or as a new one; on success the
    // saved key texts become the form's.
    virtual ChangeOutcome WriteForm(bool asNew) = 0;
    // True when the key text (indication, pathology) differs from the saved one.
    virtual bool KeyTextChanged() const = 0;
    // The form's fields as they would be stored, for the checks before a save.
    virtual std::vector<EntryField> EntryFields() const = 0;
    // The widget of the field at that index of EntryFields.
    virtual QWidget* EntryFieldWidget(std::size_t field) const = 0;
    // The record shown, in words, for the question before a delete.
    virtual std::string ShownRecordText() const = 0;
    // Shows record r as the database holds it, as a list click does; after a
    // save the form so shows what was stored (a text cut to its field).
    virtual void ShowStoredRecord(std::int64_t r) = 0;
    // Every editing field's present length, the maximum the warning stands
    // for and the top of the warning beside it, in the order of the fields.
    struct FieldLength {
        std::size_t length, maximum;
        int top;
    };
    virtual std::vector<FieldLength> FieldLengths() const = 0;
    // What a list click leaves: a record shown, nothing changed yet.
    void MarkRecordShown();
    // The length guard of a key press: the warning beside the field with a
    // beep while the text is too long, hidden otherwise.
    void GuardLength(int field, bool over, int top);
    // After a change of a field (typed or pasted): the warning shown beside it
    // when its text outgrew its maximum, hidden again once the text fits.
    void ShowLengthState(int field, std::size_t length, std::size_t maximum, int top);

    void RefillInSelectedOrder();
    // Selects the list's line of the record shown, when it has one.
    void SelectCurrentEntry();
    void MoveList(const std::string& key);
    void EndReorder();
    bool SaveInPlace();
    bool SaveAsNew();
    // The checks before a save: a refusal is shown and false returned; a
    // text that would be cut is asked about first.
    bool FormMayBeSaved();
    // Asks before a delete (Si/No); true for yes.
    bool DeleteConfirmed();
    void DeleteCurrent();

    QRadioButton* secondOrder_;  // by symptom or by pathology

private:
    void BuildSavePanel();
    // Hides the panel; the focus goes back where it was when the panel came
    // up (a save refused for a field then puts it into that field).
    void HidePanel();
    void ConnectCommands();
    void PlaceLengthWarning(int field, int top);
    // The warning beside the first field other than `field` that is too
    // long; hidden when none is.
    void ShowLengthWarningElsewhere(int field);
    void Beep();
    const EditorFrame& frame_;
    int beeps_ = 0;
    int limitField_ = -1;                 // the field the length warning stands beside
    bool damageTold_ = false;             // the database was named damaged since the opening
    QPointer<QWidget> focusBeforePanel_;  // where the focus was when the panel came up
};

}  // namespace remedies
