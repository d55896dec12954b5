#pragma once
// The therapies browser: a pathology leads to every remedy of the therapies
// database with its dosage, fourteen to a page; each slot's button shows in turn
// the notes of that pathology and remedy and the remedy's warnings.
#include "remedies/windows/browser_window.h"

namespace remedies {

class TherapyBrowser : public BrowserWindow {
    Q_OBJECT
public:
    // A browser that keeps its pages while it lives (shown alone).
    explicit TherapyBrowser(QWidget* parent = nullptr);
    // A browser that shows and keeps the pages its opener hands it, which
    // outlive the window: the next one shows them again.
    explicit TherapyBrowser(BrowserState& pages, QWidget* parent = nullptr);

    void Refresh() override;
    void SearchChosenLine() override;
    void ShowSlotDetail(int slot) override;
    void ClearResultSlots() override;
    void ToggleHelp() override;
    void ExpandSlotField(QLineEdit* edit, int slot, char column) override;

protected:
    void FillPage() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TherapyBrowser(BrowserState* pages, QWidget* parent);

    QPlainTextEdit* enlargedDosageMemo_ = nullptr;
};

}  // namespace remedies
