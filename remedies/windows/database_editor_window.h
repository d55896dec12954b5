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
    int height;                  // client height
    const char* searchEditName;  // "EdCerca", "EditCerca"
    const char* secondOrderName;
    const char* secondOrderCaption;
    int firstOrderWidth, secondOrderX, secondOrderWidth;
    const char* infoText;  // MemoInfo
    int limitTop;          // EdLimite
    int instructionsHeight;
    std::vector<const char*> instructions;
    const char* clearCaption;   // BBpulisci
    const char* deleteCaption;  // BBelimina and BBelimina1
    int panelTop;               // PanelSalva
    const char* keyNameChange;  // LabProd
    const char* keyTextChange;  // LabIndi
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
    QListWidget* ListBox1;
    QLineEdit *EdNumRec, *EdLimite = nullptr, *EdTrova;
    QLineEdit* EdProd = nullptr;  // the remedy field of the form
    QRadioButton* RBprod;
    QPlainTextEdit *MemoInfo, *MemoIstruz = nullptr;
    QPushButton *BBpulisci = nullptr, *BBelimina = nullptr, *BBsalva = nullptr, *BBnuovo = nullptr,
                *BBRico = nullptr, *BBinfo = nullptr, *BBmodifEle, *BBannulla, *BBtrova,
                *BitBtnRitorna = nullptr;
    QWidget* PanelSalva = nullptr;
    QLabel *LabProd = nullptr, *LabIndi = nullptr, *LabDesc = nullptr;
    QPushButton *BBsalva1 = nullptr, *BBnuovo1 = nullptr, *BBelimina1 = nullptr, *BBignora1 = nullptr;

    // State of the window, kept between showings.
    std::int64_t CurrentRecordNumber = 0;
    std::string SavedRemedyText, RecordCountText;
    bool DescriptionsChanged = false;
    bool RecordShown = false;
    bool ListBrowsing = true;
    bool MovePending = false;
    std::string HeldEntry;
    int HeldIndex = -1, TargetIndex = -1;
    std::string SearchKey;
    bool FindActive = false;
    int LastFoundIndex = -1;
    // The list's lines with the records they stand for.
    std::vector<EditorEntry> Entries;

    void RBprodClick();
    void ListBox1Click(int index);
    void ListBox1DblClick(int index);
    void DescriptionChange();
    void KeyFieldChange();
    void BBsalvaClick();
    void BBnuovoClick();
    void BBeliminaClick();
    void BBRicoClick();
    void BBinfoClick();
    void BBmodifEleClick();
    void BBannullaClick();
    void BBtrovaClick();
    void EdTrovaClick();
    // The close: asks through the panel when the form holds unsaved changes.
    void AskClose();
    void BBsalva1Click();
    void BBnuovo1Click();
    void BBelimina1Click();
    void BBignora1Click();

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

    QLineEdit* searchEdit_;     // EdCerca or EditCerca
    QRadioButton* secondOrder_;  // RBindi or RBpato

private:
    void BuildSavePanel();
    // Hides the panel; the focus goes back where it was when the panel came
    // up (a save refused for a field then puts it into that field).
    void HidePanel();
    // After a change of the form: enables the saves there are.
    void ArmSaves();
    void ConnectCommands();
    void PlaceLengthWarning(int field, int top);
    // The warning beside the first field other than `field` that is too
    // long; hidden when none is.
    void ShowLengthWarningElsewhere(int field);
    const EditorFrame& frame_;
    int limitField_ = -1;  // the field the length warning stands beside
    bool damageTold_ = false;  // the database was named damaged since the opening
    QPointer<QWidget> focusBeforePanel_;  // where the focus was when the panel came up
};

}  // namespace remedies
