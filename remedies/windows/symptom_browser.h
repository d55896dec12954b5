#pragma once
// The symptom browser: a symptom of the primary database leads to every remedy
// that serves it, fourteen to a page, with planets, signs and dosage, and the
// remedy's warnings, psychic synthesis and notes behind each slot's button.
#include "remedies/windows/browser_window.h"

namespace remedies {

class SymptomBrowser : public BrowserWindow {
    Q_OBJECT
public:
    // A browser that keeps its pages while it lives (shown alone).
    explicit SymptomBrowser(QWidget* parent = nullptr);
    // A browser that shows and keeps the pages its opener hands it, which
    // outlive the window: the next one shows them again.
    explicit SymptomBrowser(BrowserState& pages, QWidget* parent = nullptr);

    void Refresh() override;
    void SearchChosenLine() override;
    void ShowSlotDetail(int slot) override;
    void ClearResultSlots() override;

protected:
    void FillPage() override;
};

}  // namespace remedies
