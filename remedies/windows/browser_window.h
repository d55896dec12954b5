#pragma once
// The frame shared by the remedy browsers: a list with type-ahead on the right,
// fourteen result slots with their detail buttons, the page indicator with the
// page buttons, a detail memo, a help text and the pop-up of signature words.
// Each browser fills the slots from its own database.
#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "remedies/browser_search.h"
#include "remedies/windows/window_parts.h"

class QLabel;
class QVBoxLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace remedies {

// What tells one browser's frame from another's.
struct BrowserFrame {
    const char* instanceName;
    const char* caption;         // Windows-1252
    bool signatureColumns;       // slots with planets and signs
    const char* remedyHeader;    // "Remedie"
    const char* dosageHeader;    // "Dosering", "Symptoom"
    const char* searchEditName;  // "EdCerca", "EditCerca"
    const char* chosenName;      // "EdDist", "EdRime", "EdPato"
    const char* chosenLabel;     // "SYMPTOOM", ...
    const char* infoButton;      // caption of the help button
    const char* backButton;      // caption of the button back to the menu
    const char* infoText;        // the help text (Windows-1252)
    bool upperEveryKey;          // type-ahead upper-cases every character
    BrowserState* state;         // the pages its opener keeps beyond the window; null: its own
    DbFile (*database)();        // the database searched
    const char* notShown;        // what it does not show of a damaged database ("i sintomi")
    const char* listName;        // of that list
};

class BrowserWindow : public RemedyDialog {
    Q_OBJECT
public:
    explicit BrowserWindow(const BrowserFrame& frame, QWidget* parent = nullptr);

    QListWidget* choiceList = nullptr;
    QLineEdit* searchEdit = nullptr;
    QLineEdit* chosen = nullptr;  // the chosen symptom, remedy or pathology
    // The slot columns, the slot numbered k at index k - 1; the last column
    // holds the dosage, or the symptom in the remedy browser.
    std::array<QLineEdit*, kSlotsPerPage> remedyEdits{}, planetEdits{}, signEdits{}, dosageEdits{};
    std::array<QPushButton*, kSlotsPerPage> detailButtons{};
    QLabel* notesLabel = nullptr;
    QPlainTextEdit* notesMemo = nullptr;
    QLineEdit* pageEdit = nullptr;
    QPushButton *nextPageButton = nullptr, *previousPageButton = nullptr, *clearButton = nullptr, *helpButton = nullptr,
                *backButton = nullptr;
    QPlainTextEdit* helpMemo = nullptr;
    QListWidget* signatureWordList = nullptr;
    // Says that a search found more than the 140 hits the window keeps.
    QLabel* hitsCutLabel = nullptr;

    // Handlers; a slot is given by its index.
    virtual void SearchChosenLine() = 0;
    virtual void ShowSlotDetail(int slot) = 0;
    void NextPage();
    void PreviousPage();
    virtual void ClearResultSlots();
    void ClearResults() {
        ClearResultSlots();
        ShowHitsCut(false);
    }
    // Shows or hides the words that further hits were not kept.
    void ShowHitsCut(bool cut);
    virtual void ToggleHelp();
    void TypeAhead(char typed);
    void StartNewKey();
    // The search box changed otherwise than by a typed key: its text is the key.
    void TakeKeyFromBox();
    void ShowSignatureWords(QLineEdit* edit, bool markPrimary);
    virtual void ExpandSlotField(QLineEdit* edit, int slot, char column);

    BrowserState& State() { return *frame_.state; }
    // The slot texts of the page, for tests and the detail of a slot.
    std::string SlotRemedy(int slot) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Looks at the browser's database (at the opening and before a search, a
    // page or a detail reads it): a damaged or unreadable one is told and the
    // browser shows nothing read from it (ShowNothingRead); false then.
    bool DatabaseSound();
    // Empties the list and the slots.
    void ShowNothingRead();
    // Loads the list lines into choiceList.
    void LoadList(const std::vector<std::string>& lines);
    // The chosen line of choiceList ("" when none).
    std::string ChosenLine() const;
    // The texts of a result slot: remedy, planets, sign and dosage.
    struct SlotTexts {
        std::string remedy{};
        std::string planets{};
        std::string sign{};
        std::string dosage{};
    };
    // Puts slot texts into the next free slot of the page; with a new hit the
    // record is also kept among the hits. Colours and writes the page indicator.
    void FillResultSlot(const SlotTexts& texts, bool newHit, std::int64_t record);
    // Fills the slots of the page shown from the kept hits.
    virtual void FillPage() = 0;
    // Places a widget over the window at another widget's top left.
    void PlaceAt(QWidget* overlay, QWidget* anchor);
    // The index of the first empty slot of the page: the next one to fill.
    int nextSlot_ = 0;

private:
    void BuildResultPage(QVBoxLayout* left);
    void BuildPageRow(QVBoxLayout* left);
    void BuildSearchColumn(QVBoxLayout* right);
    void TurnPage(bool forward);
    // Selects the list line the key leads to.
    void SeekKey();
    BrowserFrame frame_;
    std::unique_ptr<BrowserState> ownPages_;  // when the opener hands none
};

}  // namespace remedies
