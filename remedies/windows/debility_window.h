#pragma once
// DebilityWindow: from a weakened planet and sign, the pathologies treated by the
// remedies of that signature (the opposite sign is searched), and for a
// pathology the remedies that treat it, those of the signature marked.
#include <QDialog>
#include <string>
#include <vector>

#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/window_parts.h"

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace remedies {

class ModelList;

class DebilityWindow : public RemedyDialog {
    Q_OBJECT
public:
    DebilityWindow();

    QGroupBox *planetPanel, *signPanel;
    std::vector<QRadioButton*> planetRadios;  // one a planet, then "Ieder"
    std::vector<QRadioButton*> signRadios;    // one a sign, then "Ieder"
    QLineEdit *planetEdit, *signEdit, *foundCountEdit;
    QPushButton *searchButton, *backButton;
    ModelList *pathologyList, *remedyList;
    ModelList* hiddenList;  // never shown, only emptied
    QPlainTextEdit* helpMemo;

    std::string planetWord = "Ieder";
    std::string searchedSign = "Ieder";
    std::string shownSign = "Ieder";

    void Refresh() override;
    void ReleaseRecords() override;
    void SearchPathologies();
    void ShowPathologyRemedies();
    void ReadDebilityRadios();

private:
    // Looks at both databases (at the opening and before a search or a click
    // reads them): a damaged or unreadable one is told, and the lists and the
    // count are emptied; false then. Sound ones not read yet (the window
    // opened while one was damaged) are read.
    bool DatabasesSound();
    QVBoxLayout* BuildDebilityChoice();
    std::vector<PrimaryRecord> primary_;      // read at activation, record 0 first
    std::vector<RepertoryRecord> therapies_;  // likewise
    bool read_ = false;                       // both read since the opening
};

}  // namespace remedies
