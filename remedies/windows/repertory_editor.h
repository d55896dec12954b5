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

    QRadioButton* byPathologyRadio;
    QLineEdit *pathologyEdit, *posologyEdit;
    QPlainTextEdit *notesMemo, *primaryRecordMemo;
    QWidget* primaryRecordPanel;
    QPushButton *warningsButton, *signaturesButton, *synthesisButton, *notesButton;

    std::string savedPathologyText;
    std::array<std::string, 4> lengthTexts;
    std::int64_t linkedPrimaryRecord = 0;
    std::string linkedWarningsText;
    PrimaryRecord linkedRecord;  // the linked primary record as the last list click found it
    // What is wrong with the primary database as this opening found it ("" when
    // sound): a damaged one is named at the opening and none of it is shown.
    std::string primaryProblem;

    void Refresh() override;
    void SortByPathology();
    // The search box edited: its text in capitals is the key.
    void FollowSearchKey();
    void ClearSearchKey();
    void GuardTypedLength(int field, char key);
    void MarkNotesChanged();
    void ShowPrimaryWarnings();
    void ShowPrimarySignatures();
    void ShowPrimarySynthesis();
    void ShowPrimaryNotes();
    void CopyPrimaryTextToNotes();
    void ClearNotes();

    void ClearRepertoryForm();
    void FillListByRemedy();
    void FillListByPathology();
    RepertoryTexts FormTexts() const;

protected:
    void ClearForm() override { ClearRepertoryForm(); }
    void FillList(bool byPathology, bool sorted) override;
    void FillByRemedy() override { FillListByRemedy(); }
    void FillBySecondKey() override { FillListByPathology(); }
    void ShowRecord(int index) override;
    void SetFieldsEnabled(bool enabled) override;
    ChangeOutcome WriteForm(bool asNew) override;
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

}  // namespace remedies
