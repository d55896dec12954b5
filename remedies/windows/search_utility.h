#pragma once
// The search-and-edit utility ("Utility Ricerca"): searches one text field of
// the primary or the therapies database for a phrase, record by record, shows
// the field of each record found split at the match, and writes an edited field
// back into the same record.
#include <QDialog>

#include <array>
#include <cstdint>
#include <string>
#include "remedies/entry_check.h"
#include "remedies/windows/window_parts.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace remedies {

class SearchUtility : public RemedyDialog {
    Q_OBJECT
public:
    SearchUtility();

    QWidget *databasePanel, *primaryFieldPanel, *therapyFieldPanel;
    QRadioButton *primaryDatabaseRadio, *therapiesDatabaseRadio;
    // The fields that can be searched, in the order of SearchFieldCodes.
    std::array<QRadioButton*, 10> primaryFieldRadios;
    std::array<QRadioButton*, 4> therapyFieldRadios;
    QLineEdit *phraseEdit, *remedyEdit, *positionEdit, *lengthEdit;
    QPlainTextEdit *textBeforeMemo, *textFromMatchMemo;
    QPushButton *searchButton, *saveButton, *backToMenuButton;

    // Module state.
    std::string databaseCode = "Prima";
    std::string fieldCode = "Rime";
    std::string phrase;
    bool searching = false;
    std::int64_t nextRecord = 0;
    std::int64_t foundRecord = 0;  // the record whose field is shown, 0 none
    // The database and field of the record shown: a save writes there, even
    // after another database was chosen meanwhile.
    std::string foundDatabase, foundField;
    bool userEditing = false;

    void Refresh() override;
    void RestartSearch();
    void ChooseField();
    void ChoosePrimaryDatabase();
    void ChooseTherapiesDatabase();
    void SearchNext();
    void SaveShownField();
    void OfferSave();
    void StartEditing();

private:
    void BuildChoicePanels();
    // No record shown and no search running: the memos and boxes emptied.
    void ShowNoRecord();
    std::string SelectedFieldCode() const;
    // The length of the edited text against the capacity of its field, in
    // lengthEdit, red when the text is too long.
    void ShowEditedLength();
    bool SearchOnce();
    void EndSearch();
    void SaveFoundField();
    // The memo that holds what a refused save names: a character the database
    // cannot store, or the character the refusal names in the joined text
    // (whose first `firstLength` characters are the upper memo's); without
    // one, the memo typed in last.
    QPlainTextEdit* RefusedMemo(const EntryField& field, std::size_t firstLength) const;
    QPlainTextEdit* editedMemo_ = nullptr;  // the memo last clicked into
};

}  // namespace remedies
