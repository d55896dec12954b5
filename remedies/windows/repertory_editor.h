#pragma once
// The therapies database editor ("DIRECTORY VAN THERAPIEËN"): the twin of the
// primary database editor on the therapies database, showing beside each
// therapy the warnings, signatures, synthesis and notes of the remedy's record
// in the primary database.
#include <array>
#include <string>

#include "remedies/windows/database_editor_window.h"

namespace remedies {

class RepertoryEditor : public DatabaseEditorWindow {
    Q_OBJECT
public:
    RepertoryEditor();

    QLineEdit* EditCerca;
    QRadioButton* RBpato;
    QLineEdit *EdPato, *EdPoso;
    QPlainTextEdit *MemoNote, *MemoPrim;
    QWidget* PanelPrimario;
    QPushButton *BBaltro, *BBsegna, *BBsinte, *BBnote;

    std::string SavedPathologyText;
    std::array<std::string, 4> LengthTexts;
    std::int64_t LinkedPrimaryRecord = 0;
    std::string LinkedWarningsText;
    PrimaryRecord LinkedRecord;  // the linked primary record as the last list click found it
    // What is wrong with the primary database as this opening found it ("" when
    // sound): a damaged one is named at the opening and none of it is shown.
    std::string PrimaryProblem;

    void FormActivate() override;
    void RBpatoClick();
    // The search box edited: its text in capitals is the key.
    void EditCercaChange();
    void EditCercaClick();
    void FieldKeyPress(int field, char key);
    void MemoNoteChange();
    void BBpulisciClick() { ClearRepertoryForm(); }
    void BBaltroClick();
    void BBsegnaClick();
    void BBsinteClick();
    void BBnoteClick();
    void MemoPrimDblClick();
    void MemoNoteDblClick();
    void AskRepertoryClose() { AskClose(); }

    void ClearRepertoryForm();
    void FillRepListByRemedy();
    void FillRepListByPathology();
    RepertoryTexts FormTexts() const;

protected:
    void ClearForm() override { ClearRepertoryForm(); }
    void FillList(bool byPathology, bool sorted) override;
    void FillByRemedy() override { FillRepListByRemedy(); }
    void FillBySecondKey() override { FillRepListByPathology(); }
    void ShowRecord(int index) override;
    void SetFieldsEnabled(bool enabled) override;
    EditOutcome WriteForm(bool asNew) override;
    bool KeyTextChanged() const override;
    std::vector<EntryField> EntryFields() const override;
    QWidget* EntryFieldWidget(std::size_t field) const override;
    std::string ShownRecordText() const override;
    void ShowStoredRecord(std::int64_t r) override;
    std::vector<FieldLength> FieldLengths() const override;

private:
    // The form filled with record r, which becomes the current record.
    void FillFromRecord(std::int64_t r, const RepertoryRecord& rec);
    void BuildPrimaryPanel();
    void LinkPrimary();
};

extern RepertoryEditor* theRepertoryEditor;

}  // namespace remedies
