#pragma once
// PlantSymptomsWindow: from a plant of the signature database to its signatures and
// synthesis and every symptom linked to it with the authors who report the
// link, 26 lines to a page, up to four pages. "Crea Elenchi" rebuilds the plant
// lists.
#include <QDialog>
#include <array>

#include "remedies/signature_browse.h"
#include "remedies/windows/window_parts.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace remedies {

class ModelList;

class PlantSymptomsWindow : public RemedyDialog {
    Q_OBJECT
public:
    PlantSymptomsWindow();

    ModelList* plantList;
    QLineEdit *plantEdit, *primarySignatureEdit, *secondarySignatureEdit, *zodiacalSignatureEdit, *synthesisEdit;
    QWidget* pageSpin;
    QToolButton *previousPageButton, *nextPageButton;  // the spin button's up and down arrows
    QLabel* pageLabel;
    QPushButton *createListsButton, *backButton;

    int plantPageCount = 1;
    int plantPageNumber = 1;

    void Refresh() override;
    void ShowChosenPlant();
    void NextPage();
    void PreviousPage();
    void CreateLists();

    // The symptom and author lists of page p (1..4).
    ModelList* SymptomList(int page) const { return symptomLists_[static_cast<std::size_t>(page - 1)]; }
    ModelList* AuthorList(int page) const { return authorLists_[static_cast<std::size_t>(page - 1)]; }

protected:

private:
    // Looks at the database (at the opening and before a click reads it): a
    // damaged or unreadable one is told, and the plants, their symptoms and
    // their fields are emptied; false then.
    bool DatabaseSound();
    // Empties the symptom pages and the plant's fields, page 1 shown.
    void ClearPlantPages();
    void BuildPlantFields(QGridLayout* top);
    void BuildSymptomPages(QGridLayout* top);
    void ShowPagePair(int page);
    std::array<ModelList*, kPlantPages> symptomLists_{}, authorLists_{};
};

}  // namespace remedies
