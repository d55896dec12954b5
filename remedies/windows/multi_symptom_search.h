#pragma once
// The multi-symptom search: remedies of the primary database ranked by how
// many of up to fifteen chosen symptoms they serve.
#include "remedies/windows/ranked_search_window.h"

namespace remedies {

class MultiSymptomSearch : public RankedSearchWindow {
    Q_OBJECT
public:
    explicit MultiSymptomSearch(QWidget* parent = nullptr);
    void Refresh() override;
};

}  // namespace remedies
