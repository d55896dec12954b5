#pragma once
// The primary database editor ("PRIMAIRE DATABASE"): browse the primary
// database by remedy or by symptom, edit a record, save it in place or as a new
// record, delete it, change the order of the records, find entries by a word
// and rebuild the derived lists. A close with unsaved changes asks through a
// panel.
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

class TFoMainArc : public QDialog {
    Q_OBJECT
public:
    TFoMainArc();

    QListWidget* ListBox1;
    QLineEdit *EdCerca, *EdNumRec, *EdLimite, *EdTrova;
    QRadioButton *RBprod, *RBindi;
    QLineEdit *EdProd, *EdPlane, *EdSeco, *EdZodi;
    QPlainTextEdit *MemoIndi, *MemoPoso, *MemoAvve, *MemoSint, *MemoNote, *MemoNoteSupp;
    QPlainTextEdit *MemoPare, *MemoInfo, *MemoIstruz;
    QPushButton *BBpulisci, *BBelimina, *BBsalva, *BBnuovo, *BBRico, *BBinfo, *BBmodifEle, *BBannulla,
        *BBtrova, *BitBtnRitorna;
    QWidget* PanelSalva;
    QLabel *LabProd, *LabIndi, *LabDesc;
    QPushButton *BBsalva1, *BBnuovo1, *BBelimina1, *BBignora1;

    // State of the window, kept between showings.
    std::int64_t CurrentRecordNumber = 0;
    std::string SavedRemedyText, SavedIndicationText, RecordCountText;
    bool DescriptionsChanged = false;
    bool RecordShown = false;
    bool ListBrowsing = true;
    bool MovePending = false;
    std::string HeldEntry;
    int HeldIndex = -1, TargetIndex = -1;
    std::string SearchKey;
    bool FindActive = false;
    int LastFoundIndex = -1;
    std::array<std::string, 10> LengthTexts;
    // The list's lines with the records they stand for.
    std::vector<EditorEntry> Entries;

    void FormActivate();
    void RBprodClick();
    void RBindiClick();
    void ListBox1Click(int index);
    void ListBox1DblClick(int index);
    void EdCercaKeyPress(char key);
    void EdCercaClick();
    void FieldKeyPress(int field, char key);
    void DescriptionChange();
    void KeyFieldChange();
    void BBpulisciClick() { ClearPrimaryForm(); }
    void BBsalvaClick();
    void BBnuovoClick();
    void BBeliminaClick();
    void BBRicoClick();
    void BBinfoClick();
    void BBmodifEleClick();
    void BBannullaClick();
    void BBtrovaClick();
    void EdTrovaClick();
    void AskPrimaryClose();
    void BBsalva1Click();
    void BBnuovo1Click();
    void BBelimina1Click();
    void BBignora1Click();

    void ClearPrimaryForm();
    void FillListByRemedy();
    void FillListBySymptom();
    PrimaryTexts FormTexts() const;

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;  // Escape and the window's close: the close request

private:
    void FillList(bool bySymptom, bool sorted);
    void RefillInSelectedOrder();
    void ShowRecord(int index);
    void MoveList(const std::string& key);
    void EndReorder();
    bool SaveInPlace();
    bool SaveAsNew();
    void DeleteCurrent();
    QWidget* FieldWidget(int field) const;
    std::string FieldText(int field) const;
    bool closing_ = false;
};

extern TFoMainArc* FoMainArc;

}  // namespace remedies
