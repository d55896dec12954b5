#pragma once
// The frame of the two ranked searches: fifteen numbered slots filled from a
// vocabulary list, the search that ranks remedies by how many slots they serve,
// the ranked list, and the detail of a clicked remedy.
#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "remedies/ranked_search.h"
#include "remedies/windows/window_parts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace remedies {

class RankedSearchWindow : public RemedyDialog {
    Q_OBJECT
public:
    // `state`: what the opener keeps beyond the window; null: the window keeps its own.
    RankedSearchWindow(RankedSearchKind kind, const char* instanceName, const char* caption,
                       const std::vector<const char*>& helpLines, RankedWindowState* state, QWidget* parent = nullptr);

    QPlainTextEdit *helpMemo = nullptr, *detailMemo = nullptr;
    QPushButton* clearDetailButton = nullptr;
    // The slots, the one numbered k at index k - 1.
    std::array<QLabel*, kRankedSlots> slotLabel{};
    std::array<QLineEdit*, kRankedSlots> slotEdits{};
    std::array<QPushButton*, kRankedSlots> clearSlotButtons{};
    QLabel* resultsLabel = nullptr;
    QListWidget* resultList = nullptr;
    QPushButton *clearAllButton = nullptr, *searchButton = nullptr, *backButton = nullptr, *findButton = nullptr;
    QLabel* searchLabel = nullptr;
    QLineEdit* searchEdit = nullptr;
    QListWidget* vocabularyList = nullptr;

    void StartNewKey();
    void TypeAhead(char typed);
    void TakeKeyFromBox();
    void AddChosenToSlot();
    void ClearSlot(int slot);  // the slot's index
    void RunSearch();
    void ShowResultDetail();
    void ClearAll();
    void ClearDetail();
    void FindNext();

    // The results of the last search, in the order of resultList.
    const std::vector<RankedResult>& Results() const { return results_; }
    std::array<bool, kRankedSlots> slotFilled{};

protected:
    void showEvent(QShowEvent* e) override;
    void BuildSlots(QVBoxLayout* slotsColumn);
    void BuildResults(QVBoxLayout* middle, const std::vector<const char*>& helpLines);

    RankedWindowState& WindowState();
    void ResetSlotColours();
    void UpdateSlotFlags();
    void ClearSlots();
    void PutInFirstFreeSlot(const std::string& text);
    void KeepSlotTexts();
    void LoadVocabulary();
    // The activation's start: empty slots, search box and type-ahead.
    void StartWithEmptySlots();
    // The activation's end: the vocabulary loaded, the focus in the search box.
    void ShowVocabulary();
    // Looks at the database (at the opening and before a search or a detail
    // reads it): a damaged or unreadable one is told, and the vocabulary and
    // the results are emptied; false then.
    bool DatabaseSound();
    void ListPrefixBisect();
    void ClearResults();

    RankedSearchKind kind_;
    std::unique_ptr<RankedWindowState> ownState_;  // when the opener hands none
    RankedWindowState* state_;
    RankedSlots slots_{};  // the slot texts of the last search
    std::vector<RankedResult> results_;
    std::vector<std::string> vocabulary_;
    bool centred_ = false;
};

}  // namespace remedies
