#pragma once
// The two windows that search a word in a text of the remedies (the
// composition of CompositionWindow, the psychic synthesis of SynthesisWindow): list 1 holds
// every remedy, list 2 the remedies whose text holds the word; a click on
// either shows the remedy's text, from list 2 with the word in capitals.
#include <QDialog>
#include <string>
#include <vector>

#include "remedies/primary_db.h"
#include "remedies/remedy_text_search.h"
#include "remedies/windows/window_parts.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace remedies {

class ModelList;

// The texts in which the two windows differ.
struct RemedyTextWindowTexts {
    const char* instance;
    const char* caption;
    RemedyTextKind kind;
    const char* list1Titles[3];
    const char* list2Titles[3];
    const char* memoNote;  // under the memo ("" for none)
    const char* searchLabel;
    const char* memoLabelAtStart;
    const char* memoLabelList1;   // list-1 click, before the name is found
    const char* memoLabelNamed;   // list-1 click: followed by the remedy
    const char* memoLabelSearch;  // at the start of a search
    const char* memoLabelList2;   // list-2 click: followed by the remedy
    std::vector<const char*> help;
};

class RemedyTextWindow : public RemedyDialog {
    Q_OBJECT
public:
    explicit RemedyTextWindow(const RemedyTextWindowTexts& texts);

    ModelList *allRemediesList, *remedyList, *foundList;
    QLabel* textLabel;
    QPlainTextEdit *textMemo, *helpMemo;
    QLineEdit* wordEdit;
    QPushButton *searchButton, *backToMenuButton;

    std::string searchWord;  // of the last search

    void Refresh() override;
    void ShowRemedyText();
    void SearchTexts();
    void ShowFoundText();
    void ReleaseRecords() override;

protected:
    // Sets the memo label and shows the joined text of the remedy's record.
    virtual void ShowText(const std::string& name, const PrimaryRecord& r) = 0;

    const RemedyTextWindowTexts& Texts() const { return texts_; }
    std::vector<PrimaryRecord> records_;  // the database, read at activation

private:
    // Looks at the database (at the opening and before a click or a search
    // shows what it holds): a damaged or unreadable one is told, and the
    // lists and the text are emptied; false then. A sound one not read yet
    // (the window opened while it was damaged) is read and listed.
    bool DatabaseSound();
    // Reads the database and lists its remedies (the index rebuilt too).
    void ListRemedies();
    bool read_ = false;  // the database read and listed since the opening
    void BuildLists(QGridLayout* top, const RemedyTextWindowTexts& texts);
    RemedyTextWindowTexts texts_;
};

}  // namespace remedies
