#pragma once
// The compound-therapy search: remedies of the therapies database ranked by
// how many of up to fifteen chosen pathologies they treat.
#include "remedies/windows/ranked_search_window.h"

namespace remedies {

class CompoundTherapySearch : public RankedSearchWindow {
    Q_OBJECT
public:
    explicit CompoundTherapySearch(QWidget* parent = nullptr);
    void Refresh() override;
};

}  // namespace remedies
