#pragma once
// CompositionWindow: the remedies whose composition (the notes of the primary
// database) holds a plant or active principle, and the composition of a remedy.
#include "remedies/windows/remedy_text_window.h"

namespace remedies {

class CompositionWindow : public RemedyTextWindow {
    Q_OBJECT
public:
    CompositionWindow();
    // Sets the memo label with the remedy and shows the joined text of its record.
    void ShowComposition(const std::string& name, const PrimaryRecord& r);

protected:
    void ShowText(const std::string& name, const PrimaryRecord& r) override;
};

}  // namespace remedies
