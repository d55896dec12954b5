#pragma once
// SynthesisWindow: the remedies whose psychic synthesis holds a word or phrase, and
// the psychic synthesis of a remedy.
#include "remedies/windows/remedy_text_window.h"

namespace remedies {

class SynthesisWindow : public RemedyTextWindow {
    Q_OBJECT
public:
    SynthesisWindow();
    // Sets the memo label with the remedy and shows the joined text of its record.
    void ShowSynthesis(const std::string& name, const PrimaryRecord& r);

protected:
    void ShowText(const std::string& name, const PrimaryRecord& r) override;
};

}  // namespace remedies
