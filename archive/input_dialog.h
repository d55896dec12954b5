#pragma once
// The birth-data entry dialog: name, date and clock time, the birth place from
// the place tables, and the calendar, correction, coordinates and Julian day
// derived from the place's time-zone calendar.
#include <QDialog>
#include <functional>
#include <string>

#include "archive/places.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QVBoxLayout;

namespace archive {

class DrawSettings;
class StoreDialog;
struct CurrentChart;
struct MainWindowGeometry;

// What the window that makes the entry dialog hands it besides the current
// person.
struct InputDialogCollaborators {
    // The geometry of the main window that opens the dialog, which places the
    // store dialog by it (none: placed as by a main window at the origin).
    const MainWindowGeometry* mainFrame = nullptr;
    // The drawing settings in force (none: their defaults before any file is read).
    const DrawSettings* drawSettings = nullptr;
    // The store dialog its maker made for it; without one, or while it answers
    // none, the dialog makes its own child at the first store.
    std::function<StoreDialog*()> storeDialog{};
};

class InputDialog : public QDialog {
    Q_OBJECT
public:
    explicit InputDialog(CurrentChart& current, InputDialogCollaborators collaborators = {}, QWidget* parent = nullptr);

    // Input fields.
    QLineEdit *nameEdit, *dayEdit, *monthEdit, *yearEdit, *hourEdit, *minuteEdit, *placeSearchEdit;
    QPushButton *nowButton, *italianPlacesButton, *foreignPlacesButton;
    QDateEdit* datePicker;
    QListWidget* placeList;
    QScrollBar* placeScrollBar;
    // Results.
    QGroupBox* resultPanel;
    QLineEdit *fullDateEdit, *julianDayEdit, *placeNameEdit, *coordinatesEdit, *correctionEdit, *calendarEdit,
        *nationalityEdit;
    QCheckBox* localMeanTimeBox;
    QPushButton* lockButton;
    QLabel *outdatedTablesLabel, *namePromptLabel;
    QComboBox* calendarLinesBox;
    QLineEdit* calendarNameEdit;
    // The panel for coordinates typed by hand: the latitude, and the longitude
    // in degrees or in hours, each with its letter (N/S, E/W).
    struct ManualCoordinates {
        QGroupBox* panel;
        QLineEdit *latDegrees, *latLetter, *latMinutes;
        QLineEdit *lonDegrees, *lonLetter, *lonMinutes;
        QLineEdit *lonHours, *lonHourMinutes, *lonHourSeconds, *lonHourLetter;
        QPushButton *okButton, *clearButton;
    } manual;
    QPushButton *goOnButton, *cancelButton;

    // Dialog state.
    unsigned char recheckPending = 0;
    unsigned char placeApplyPending = 0;
    unsigned char longitudeInDegrees = 1;
    unsigned char okFlag = 0;
    unsigned char fixedZoneMinusFive = 0;
    bool localMeanTimeFlag = false;
    std::string placeSearchText;
    std::int64_t selectedPlaceRecord = 0;
    PlaceTable table;
    PlaceWindow window;
    PlaceTableKind tableKind = PlaceTableKind::Italian;
    // The current person's chart and birth data the entry fills, handed by the
    // window that makes the dialog and handed on to the store dialog.
    CurrentChart& currentChart;

    void StartNewEntry();
    void CheckPendingInput();
    void ValidateBirthDateTime(unsigned char& ok);
    void ApplySelectedPlace(unsigned char& ok);
    void CheckCoordinatesText(unsigned char& ok);
    void ConfirmAndStore();
    void Cancel();
    void FillInNow();
    void TakePickedDate();
    void ToggleResultsLock();
    void ApplyLocalMeanTimeChoice();
    void RecomputeJulianDay();
    void AcceptManualCoordinates();
    void CheckManualCoordinates();
    void OpenManualCoordinates();

    // Place table.
    void OpenPlaceFile();
    void ClosePlaceFile();
    void FillPlaceList();
    void SearchPlace(const QString& text);
    void PickTypedPlace();
    void PickPlaceAtLine(int line);
    void PickPlaceRecord(std::int64_t record, bool fromList);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The keys of the form's fields and of its list of places; true when the
    // key was used.
    bool MoveAmongFields(QObject* watched, int key);
    bool KeyInPlaceList(int key);
    // The entry is done once the store dialog stored the person or was cancelled.
    void CloseAfterStore();
    void BuildInputFields(QVBoxLayout* top);
    void BuildResultPanel(QVBoxLayout* top);
    void BuildManualPanel(QVBoxLayout* top);
    void ConnectInputFields();
    void ConnectManualPanel();
    void LockResults();
    // Empties the results a place and a date gave (date, Julian day, place,
    // coordinates, correction, calendar, state).
    void ClearResults();
    bool ClockBeingTyped() const;
    QWidget* NextClockField(const QLineEdit* field) const;
    // Focus to the field after a date or time field.
    void MoveOnFrom(QLineEdit* field);
    bool ClockSeparatorTyped(QLineEdit* field, const QKeyEvent& key);
    QLineEdit* movedOnTo_ = nullptr;  // the clock field just reached by moving on
    void SyncScrollBar();
    bool syncing_ = false;
    const MainWindowGeometry* mainFrame_;
    const DrawSettings* drawSettings_;
    std::function<StoreDialog*()> madeStoreDialog_;
    // Its own store dialog, when its maker made none.
    StoreDialog* ownStoreDialog_ = nullptr;
};

}  // namespace archive
