#pragma once
// The store dialog: shows the entered birth data read-only, lets the user pick
// the archive and type four annotation lines, and stores the person.
#include <QDialog>
#include <array>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QLabel;

namespace archive {

struct CurrentChart;

class StoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit StoreDialog(CurrentChart& current, QWidget* parent = nullptr);

    // The current person's chart and birth data the entry dialog filled,
    // handed by the window that makes this dialog.
    CurrentChart& currentChart;

    QLineEdit *nameEdit, *birthDateEdit, *zoneEdit, *placeEdit, *calendarEdit, *julianDayEdit, *coordinatesEdit,
        *nationalityEdit, *chosenArchiveEdit, *textNumberEdit;
    std::array<QLineEdit*, 4> annotationEdits;
    QListWidget* archiveList;
    QPushButton *storeButton, *storeAndMakeTextButton, *cancelButton;
    // Under the zone: the zone the chart is computed with, and the correction
    // entered when the stored zone keeps fewer decimals of it.
    QLabel* zoneNoteLabel;

    void ShowEnteredBirthData();
    void ChooseArchive();
    void StoreAndClose();
    void MakeTextAndStore();
    void Cancel();
    void HandOffLastStoredEntry();
    // Stores the current birth data in the chosen archive.
    void StoreBirthRecord();
    // True, after a message, when an annotation line holds characters the
    // archive cannot hold.
    bool AnnotationsRefused();

    // The correction as the entry dialog showed it, whole (hours added to the
    // clock time), which the next showing notes under the zone.
    void TakeEnteredCorrection(std::string correction) { enteredCorrectionText_ = std::move(correction); }

    // State kept between showings.
    std::string chosenArchive;
    std::string lastStoredEntry, lastStoredArchive;
    int movedEntryPosition = 0;
    bool archiveListBuilt = false;

Q_SIGNALS:
    // The person's text was made: the rich-text window is to show it, on
    // "FileDum\DatModif.dum", modally.
    void PersonTextRequested();
    // The person was stored, or the store cancelled: the entry is done.
    void EntryFinished();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string enteredCorrectionText_;
    bool activated_ = false;
};

}  // namespace archive
