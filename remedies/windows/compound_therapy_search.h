#pragma once
// The compound-therapy search: remedies of the therapies database ranked by
// how many of up to fifteen chosen pathologies they treat.
#include "remedies/windows/ranked_search_window.h"

namespace remedies {

class CompoundTherapySearch : public RankedSearchWindow {
    Q_OBJECT
public:
    // A search that keeps its type-ahead and find-next position while it lives.
    explicit CompoundTherapySearch(QWidget* parent = nullptr);
    // A search that keeps them in what its opener hands it.
    explicit CompoundTherapySearch(RankedWindowState& state, QWidget* parent = nullptr);
    void Refresh() override;
};

}  // namespace remedies
