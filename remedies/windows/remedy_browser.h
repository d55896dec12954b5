#pragma once
// The remedy browser: a remedy (or its name under a form code) leads to every
// symptom it serves, fourteen to a page, beside its form, warnings and psychic
// synthesis; each slot's button shows the dosage, synthesis and notes in turn.
#include "remedies/windows/browser_window.h"

namespace remedies {

class RemedyBrowser : public BrowserWindow {
    Q_OBJECT
public:
    // A browser that keeps its pages while it lives (shown alone).
    explicit RemedyBrowser(QWidget* parent = nullptr);
    // A browser that shows and keeps the pages its opener hands it, which
    // outlive the window: the next one shows them again.
    explicit RemedyBrowser(BrowserState& pages, QWidget* parent = nullptr);

    void Refresh() override;
    void SearchChosenLine() override;
    void ShowSlotDetail(int slot) override;
    void ClearResultSlots() override;
    void ToggleHelp() override;
    void EnlargeWarnings();

protected:
    void FillPage() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RemedyBrowser(BrowserState* pages, QWidget* parent);

    QLineEdit* warningsEdit_ = nullptr;
    QLabel* formLabel_ = nullptr;
    QPlainTextEdit* bracketNoteMemo_ = nullptr;
    QPlainTextEdit* largeWarningsMemo_ = nullptr;
};

}  // namespace remedies
