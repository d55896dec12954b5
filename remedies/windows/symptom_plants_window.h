#pragma once
// SymptomPlantsWindow: from a symptom of the signature database to the plants linked to
// it with their psychic synthesis; a click on a plant shows its signatures and
// the authors who report the link. "Crea Database" imports the database text.
#include <QDialog>

#include <string>
#include "remedies/windows/window_parts.h"

class QLabel;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace remedies {

class ModelList;

class SymptomPlantsWindow : public RemedyDialog {
    Q_OBJECT
public:
    SymptomPlantsWindow();

    ModelList *symptomList, *plantList, *synthesisList, *recordNumberList;
    QLineEdit *searchEdit, *symptomEdit, *plantEdit, *primarySignatureEdit, *secondarySignatureEdit,
        *zodiacalSignatureEdit, *authorsEdit;
    QLineEdit* referenceEdit;  // in red, where a symptom has no plant of its own
    QPushButton *createDatabaseButton, *backButton;

    std::string searchKey;  // survives between openings

    void Refresh() override;
    void ShowChosenPlant();
    void TypeAhead(char key);
    void StartNewKey();
    void TakeKeyFromBox();
    void CreateDatabase();

    void ShowSymptomPlants();
    void ShowSignatureOfRecord(std::int64_t record);

protected:

private:
    // Looks at the database (at the opening and before a click reads it): a
    // damaged or unreadable one is told, and the symptoms, the plants and the
    // signature are emptied; false then.
    bool DatabaseSound();
    // Empties the plants of the symptom and the signature of the plant.
    void ClearPlants();
    // Selects the symptom the key leads to.
    void SeekKey();
    void BuildPlantColumn(QGridLayout* top);
    void FillSymptoms(const std::vector<std::string>& symptoms);
};

}  // namespace remedies
