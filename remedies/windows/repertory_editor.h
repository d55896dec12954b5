#pragma once
// The therapies database editor ("DIRECTORY VAN THERAPIEËN"): the twin of the
// primary database editor on the therapies database, showing beside each
// therapy the warnings, signatures, synthesis and notes of the remedy's record
// in the primary database.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/database_edit.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace remedies {

class TFoAggRep : public QDialog {
    Q_OBJECT
public:
    TFoAggRep();

    QListWidget* ListBox1;
    QLineEdit *EditCerca, *EdNumRec, *EdLimite, *EdTrova;
    QRadioButton *RBprod, *RBpato;
    QLineEdit *EdPato, *EdProd, *EdPoso;
    QPlainTextEdit *MemoNote, *MemoInfo, *MemoIstruz, *MemoPrim;
    QPushButton *BBpulisci, *BBelimina, *BBsalva, *BBnuovo, *BBRico, *BBinfo, *BBmodifEle, *BBannulla,
        *BBtrova, *BitBtnRitorna;
    QWidget *PanelSalva, *PanelPrimario;
    QLabel *LabProd, *LabIndi, *LabDesc;
    QPushButton *BBsalva1, *BBnuovo1, *BBelimina1, *BBignora1;
    QPushButton *BBaltro, *BBsegna, *BBsinte, *BBnote;

    std::int64_t CurrentRecordNumber = 0;
    std::string SavedRemedyText, SavedPathologyText, RecordCountText;
    bool DescriptionsChanged = false;
    bool RecordShown = false;
    bool ListBrowsing = true;
    bool MovePending = false;
    std::string HeldEntry;
    int HeldIndex = -1, TargetIndex = -1;
    std::string SearchKey;
    bool FindActive = false;
    int LastFoundIndex = -1;
    std::array<std::string, 4> LengthTexts;
    std::int64_t LinkedPrimaryRecord = 0;
    std::string LinkedWarningsText;
    PrimaryRecord LinkedRecord;  // the linked primary record as the last list click found it
    std::vector<EditorEntry> Entries;

    void FormActivate();
    void RBprodClick();
    void RBpatoClick();
    void ListBox1Click(int index);
    void ListBox1DblClick(int index);
    void EditCercaKeyPress(char key);
    void EditCercaClick();
    void FieldKeyPress(int field, char key);
    void DescriptionChange();
    void MemoNoteChange();
    void KeyFieldChange();
    void BBpulisciClick() { ClearRepertoryForm(); }
    void BBsalvaClick();
    void BBnuovoClick();
    void BBeliminaClick();
    void BBRicoClick();
    void BBinfoClick();
    void BBmodifEleClick();
    void BBannullaClick();
    void BBtrovaClick();
    void EdTrovaClick();
    void BBaltroClick();
    void BBsegnaClick();
    void BBsinteClick();
    void BBnoteClick();
    void MemoPrimDblClick();
    void MemoNoteDblClick();
    void AskRepertoryClose();
    void BBsalva1Click();
    void BBnuovo1Click();
    void BBelimina1Click();
    void BBignora1Click();

    void ClearRepertoryForm();
    void FillRepListByRemedy();
    void FillRepListByPathology();
    RepertoryTexts FormTexts() const;

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void FillList(bool byPathology, bool sorted);
    void RefillInSelectedOrder();
    void ShowRecord(int index);
    void LinkPrimary();
    void MoveList(const std::string& key);
    void ShowLimit(bool over, int top);
    void EndReorder();
    bool SaveInPlace();
    bool SaveAsNew();
    void DeleteCurrent();
    void SetFieldsEnabled(bool enabled);
};

extern TFoAggRep* FoAggRep;

}  // namespace remedies
