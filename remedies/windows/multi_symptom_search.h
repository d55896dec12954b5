#pragma once
// The multi-symptom search: remedies of the primary database ranked by how
// many of up to fifteen chosen symptoms they serve.
#include "remedies/windows/ranked_search_window.h"

namespace remedies {

class MultiSymptomSearch : public RankedSearchWindow {
    Q_OBJECT
public:
    // A search that keeps its type-ahead and find-next position while it lives.
    explicit MultiSymptomSearch(QWidget* parent = nullptr);
    // A search that keeps them in what its opener hands it.
    explicit MultiSymptomSearch(RankedWindowState& state, QWidget* parent = nullptr);
    void Refresh() override;
};

}  // namespace remedies
