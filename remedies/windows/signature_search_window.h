#pragma once
// SignatureSearchWindow: the astrological signature of remedies. A click on a remedy shows
// its primary, secondary and zodiacal signature in the next row of a grid of
// fourteen; "Start Remedies zoeken" lists, fourteen to a page, the remedies
// whose signature holds the chosen planet and sign.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "remedies/signature_search.h"
#include "remedies/windows/window_parts.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace remedies {

class ModelList;

class SignatureSearchWindow : public RemedyDialog {
    Q_OBJECT
public:
    SignatureSearchWindow();

    ModelList* remedyList;
    ModelList* hiddenRemedyList;  // the same remedies, never shown
    QLabel *withSignatureLabel, *remediesLabel, *foundLabel, *gridRemediesLabel, *searchLabel, *pageLabel;
    QLineEdit *searchEdit, *planetEdit, *signEdit, *foundCountEdit, *pageEdit;
    QGroupBox *planetPanel, *signPanel;
    std::vector<QRadioButton*> planetRadios;  // one a planet, then anyPlanetRadio
    std::vector<QRadioButton*> signRadios;    // one a sign, then anySignRadio
    QRadioButton *anyPlanetRadio, *anySignRadio;
    std::array<QLineEdit*, kSignatureRows> remedyEdits{}, primaryEdits{}, secondaryEdits{}, zodiacEdits{};
    QPushButton *searchButton, *previousPageButton, *nextPageButton, *clearButton, *backButton;
    QPlainTextEdit* helpMemo;

    // Module state.
    std::string planetWord = kAnyWord;
    std::string signWord = kAnyWord;
    std::array<bool, kSignatureRows> rowUsed{};
    std::string searchKey;
    bool searchMode = false;
    int currentPage = 1;
    int pageCount = 0;

    void Refresh() override;
    void StartNewKey();
    void TypeAhead(char key);
    void TakeKeyFromBox();
    void ShowChosenRemedy();
    void SearchSignature();
    void NextPage();
    void PreviousPage();
    void EmptyGrid();

    void ReadSignatureRadios();
    void ClearSignatureRows();
    void ClearSignatureGrid();
    void ListPrefixBisect();
    void ShowRemedySignatures(const PrimaryRecord& r);
    void AddSignatureRow(const SignatureRow& row);
    void AddFoundPageRows(int page);

private:
    // Looks at the database (at the opening and before a click or a search
    // reads it): a damaged or unreadable one is told, and the lists, the grid
    // and the count are emptied; false then. A sound one not listed yet (the
    // window opened while it was damaged) is listed.
    bool DatabaseSound();
    // Lists the remedies of the database and rebuilds their index.
    void ListRemedies();
    bool listed_ = false;  // the remedies listed since the opening
    void BuildRemedyColumn(QGridLayout* top);
    void BuildSignatureChoice(QGridLayout* top);
    void BuildSignatureGrid(QGridLayout* top);
    void BuildPageBar(QGridLayout* top);
    void WriteRow(int row, const SignatureRow& texts);
    void ShowPage();
};

}  // namespace remedies
