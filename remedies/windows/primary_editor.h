#pragma once
// The primary database editor ("PRIMAIRE DATABASE"): browse the primary
// database by remedy or by symptom, edit a record, save it in place or as a new
// record, delete it, change the order of the records, find entries by a word
// and rebuild the derived lists. A close with unsaved changes asks through a
// panel.
#include <array>
#include <string>

#include "remedies/windows/database_editor_window.h"

namespace remedies {

class PrimaryEditor : public DatabaseEditorWindow {
    Q_OBJECT
public:
    PrimaryEditor();

    QRadioButton* bySymptomRadio;
    QLineEdit *primarySignatureEdit, *secondarySignatureEdit, *zodiacalSignatureEdit;
    QPlainTextEdit *indicationMemo, *posologyMemo, *warningsMemo, *synthesisMemo, *notesMemo, *extraNotesMemo;
    QPlainTextEdit* useNumberMemo;

    std::string savedIndicationText;
    std::array<std::string, 10> lengthTexts;

    void Refresh() override;
    void SortBySymptom();
    void TypeSearchKey(char key);
    // The list follows a change of the box by other keys (Delete, a cut, a paste).
    void FollowSearchKey();
    void ClearSearchKey();
    void GuardTypedLength(int field, char key);

    void ClearPrimaryForm();
    void FillListByRemedy();
    void FillListBySymptom();
    // The form's texts as a save stores them.
    PrimaryTexts FormTexts() const;

protected:
    void ClearForm() override { ClearPrimaryForm(); }
    void FillList(bool bySymptom, bool sorted) override;
    void FillByRemedy() override { FillListByRemedy(); }
    void FillBySecondKey() override { FillListBySymptom(); }
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
    void FillFromRecord(std::int64_t r, const PrimaryRecord& rec);
    void BuildFields();
    // A field's text as a save stores it (a memo's cleared text stored empty).
    std::string StoredText(int field) const;
    QWidget* FieldWidget(int field) const;
    std::string FieldText(int field) const;
};

}  // namespace remedies
