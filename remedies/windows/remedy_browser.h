#pragma once
// The remedy browser: a remedy (or its name under a form code) leads to every
// symptom it serves, fourteen to a page, beside its form, warnings and psychic
// synthesis; each slot's button shows the dosage, synthesis and notes in turn.
#include "remedies/windows/browser_window.h"

namespace remedies {

class RemedyBrowser : public BrowserWindow {
    Q_OBJECT
public:
    explicit RemedyBrowser(QWidget* parent = nullptr);

    QLineEdit* EdCerca = nullptr;
    QLineEdit* EdRime = nullptr;
    QLineEdit* EdAvve = nullptr;
    QLabel* LabSpeci = nullptr;
    QPlainTextEdit* MemoPare = nullptr;
    QPlainTextEdit* MemoAvveLarge = nullptr;

    void FormActivate() override;
    void ListBox1Click() override;
    void ShowSlotDetail(int slot) override;
    void ClearResultSlots() override;
    void BitBtn2Click() override;
    void EdAvveDblClick();

protected:
    void FillPage() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The remedy browser while it is shown (created on demand).
extern RemedyBrowser* theRemedyBrowser;

}  // namespace remedies
