#pragma once
// The main window: three pages of commands, the current person, the user's name,
// and the refresh that completes the start-up.
#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "display/draw/drawing_state.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/wheel/chart_geometry.h"
#include "remedies/browser_search.h"
#include "remedies/ranked_search.h"
#include "shell/forms.h"
#include "shell/user_name.h"

class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace rt {
class IoError;
}

namespace archive {
class BackupWindow;
class ChangeDialog;
class DeleteDialog;
class InputDialog;
class RecallDialog;
class StoreDialog;
}  // namespace archive

namespace remedies {
class CompositionWindow;
class DebilityWindow;
class PlantSymptomsWindow;
class PrimaryEditor;
class PrinciplesWindow;
class RepertoryEditor;
class SearchUtility;
class SignatureMaintenanceWindow;
class SignatureSearchWindow;
class SymptomPlantsWindow;
class SynthesisWindow;
class TherapyBrowser;
class UpdateWindow;
}  // namespace remedies
namespace display {
class CalibrationWindow;
class LineWidthDialog;
class MetafileViewer;
class PrinterModelDialog;
class ChartWindow;
class SheetViewer;
}  // namespace display

namespace shell {

class InstructionsDialog;
class OrbSettingsWindow;
class PrintParentWindow;
class RichTextWindow;
class StyledRichTextWindow;
class UserNameDialog;

// What the chart and sheet buttons say before any person is stored.
inline constexpr const char* kNoCurrentPersonMessage =
    "Nessuna persona presente: inserire i Dati di Nascita o richiamarli dall'Archivio";

// The remedy windows made at the start, kept between showings, and opened from
// the main window's pages, with the pages of the three browsers, kept from one
// showing to the next.
struct RemedyWindows {
    remedies::BrowserState symptomBrowserPages;
    remedies::BrowserState remedyBrowserPages;
    remedies::BrowserState therapyBrowserPages;
    // The type-ahead and find-next position of the two ranked searches.
    remedies::RankedWindowState multiSymptomSearchState;
    remedies::RankedWindowState compoundTherapySearchState;
    std::unique_ptr<remedies::TherapyBrowser> therapyBrowser;
    std::unique_ptr<remedies::SymptomPlantsWindow> symptomPlantsWindow;
    std::unique_ptr<remedies::PlantSymptomsWindow> plantSymptomsWindow;
    std::unique_ptr<remedies::SignatureMaintenanceWindow> signatureMaintenanceWindow;
    std::unique_ptr<remedies::PrimaryEditor> primaryEditor;
    std::unique_ptr<remedies::RepertoryEditor> repertoryEditor;
    std::unique_ptr<remedies::UpdateWindow> updateWindow;
    std::unique_ptr<remedies::SignatureSearchWindow> signatureSearchWindow;
    std::unique_ptr<remedies::SearchUtility> searchUtility;
    std::unique_ptr<remedies::PrinciplesWindow> principlesWindow;
    std::unique_ptr<remedies::CompositionWindow> compositionWindow;
    std::unique_ptr<remedies::DebilityWindow> debilityWindow;
    std::unique_ptr<remedies::SynthesisWindow> synthesisWindow;
};

// The program's state, which the run that starts the program makes and keeps
// until its windows are freed: handed to the main window, which hands each part
// on to the windows that show, change or use it.
struct ProgramState {
    // The current person's chart, birth data and orbs: loaded at every refresh.
    archive::CurrentChart& currentChart;
    // Page units, output target, screen and printer measures.
    display::DrawingState& drawing;
    // The drawing settings in force: read at every refresh.
    archive::DrawSettings& drawSettings;
    // The user's name: read at every refresh, changed by the user name dialog.
    UserNameState& userName;
    // The sheet the sheet buttons chose, which the sheet viewer draws and the
    // calibration window waits for to be none.
    display::SheetSelectionState& sheetSelection;
    // The wheel geometry in force for the chart window's views, set to the
    // sheets' wheel when a sheet is shown.
    display::ChartGeometryState& wheelGeometry;
};

// What the run hands the main window for the windows it makes.
struct StartOptions {
    // The program's first command-line argument, which the text editors open
    // at each showing when it names an existing file (empty: none).
    QString commandLineFile{};
    // The printer the sheets print on (none: the system's).
    std::unique_ptr<display::SheetPrinter> sheetPrinter{};
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // windows: the list of the program's windows, into which this window makes
    // the windows it opens. state: the program's state, which outlives them.
    MainWindow(ProgramWindows& windows, const ProgramState& state, StartOptions options = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Makes the windows this window opens (and those they open), in their
    // order among the program's windows, once the list holds this window.
    void FinishCreation();

    // Completes the start-up; runs at start, after every modal dialog and
    // whenever this window becomes active after another window of the program:
    // reloads the settings, the user's name and the current person, and locks
    // the boxes. Repeating it changes no file when nothing changed.
    void Refresh();
    // Loads the current person and shows it in the data memo; false when no
    // person is stored yet.
    bool ShowCurrentPerson();

    // The commands of the astrology page.
    void OpenRecallDialog();
    void OpenInputDialog();
    void OpenDeleteDialog();
    void OpenChangeDialog();
    void OpenChartWindow();
    void ShowLandscapeSheet();
    void ShowSecondLandscapeSheet();
    void ShowPortraitSheet();
    void ShowSecondPortraitSheet();
    // A click on the data memo shows the annotations over it; one on them hides them.
    void ShowAnnotations();
    void HideAnnotations();
    // The commands of the remedies page.
    void OpenSymptomBrowser();
    void OpenRemedyBrowser();
    void OpenTherapyBrowser();
    void OpenPlantSymptomsWindow();
    void OpenSymptomPlantsWindow();
    void OpenSignatureSearchWindow();
    void OpenCompositionWindow();
    void OpenPrinciplesWindow();
    void OpenDebilityWindow();
    void OpenSynthesisWindow();
    void OpenMultiSymptomSearch();
    void OpenCompoundTherapySearch();
    void OpenSearchUtility();
    // The commands of the accessory page.
    void OpenSignatureMaintenanceWindow();
    void OpenPrimaryEditor();
    void OpenRepertoryEditor();
    void OpenUpdateWindow();
    void OpenBackupWindow();
    void OpenOrbSettingsWindow();
    void OpenCalibrationWindow();
    void OpenLineWidthDialog();
    void ChangeUserName();
    void OpenInstructionsDialog();
    void OpenBooklet();
    void HideEmptyBox();
    // The commands of the bottom panel.
    void OpenPrinterModelDialog();
    void OpenPersonText();
    // The exit image: pressed, it shows its pressed picture; released, it ends the program.
    void ShowExitPressed();
    void ExitProgram();
    void ToggleBoxesLock();
    // The orb-set and node boxes locked (grey, white text, closed padlock) or
    // open (aqua, black text, open padlock).
    void ShowBoxesLocked(bool locked);
    // The orb-set and node boxes; the idle handler applies their changes.
    void ChooseOrbSet();
    void ChooseNodeType();
    void ToggleNodeType();
    void ApplyBoxChanges();
    // A change of the orb-set box waits for the idle handler.
    bool OrbSetChangePending() const { return orbSetChanged_; }
    // This window's origin, saved before it opens a dialog, and its size,
    // saved at every refresh: the dialogs are placed by them.
    const archive::MainWindowGeometry& Frame() const { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildAstrologyPage();
    void BuildRemediesPage();
    void BuildAccessoryPage();
    void BuildBottomPanel();
    void ConnectCommands();
    void SizeFullScreenWindows();
    void LoadExitImage(const char* file);
    // Remembers the window's origin for the placing of dialogs near it.
    void RememberOrigin();
    // After a modal dialog: this window's idle handler again (when it had one)
    // and the refresh.
    void AfterModal();
    // Shows a start-up window modally: near this window with an offset, after
    // remembering the origin only, or as it is.
    void ShowNear(QDialog* window, int offset);
    void ShowRemembered(QDialog* window);
    void ShowPlain(QDialog* window);
    void ShowSheet(int sheetCode, const char* orientation, bool receptions);
    // The chart window and the sheet viewer are modeless: when one of them is
    // hidden, this window is refreshed.
    void WatchModeless(QWidget* window);
    void ApplyBoxChangesWhenIdle();
    // Says why a change of the boxes was refused. While the message is up the
    // box may report the pick once more (its list's own late events); that
    // report is no new choice, and is not applied (nor refused) again.
    void SayChangeRefused(const rt::IoError& error);

    // The program's windows, in the order they were made.
    ProgramWindows& windows_;
    archive::CurrentChart& currentChart_;
    display::DrawingState& drawingState_;
    archive::DrawSettings& drawSettings_;
    UserNameState& userName_;
    display::SheetSelectionState& sheetSelection_;
    display::ChartGeometryState& wheelGeometry_;
    StartOptions options_;
    archive::MainWindowGeometry frame_;

    // The remedy windows this window opens.
    RemedyWindows remedyWindows_;
    // The archive dialogs this window opens, made at the start and freed with
    // the program's windows.
    archive::RecallDialog* recallDialog_ = nullptr;
    archive::InputDialog* inputDialog_ = nullptr;
    archive::StoreDialog* storeDialog_ = nullptr;
    archive::DeleteDialog* deleteDialog_ = nullptr;
    archive::ChangeDialog* changeDialog_ = nullptr;
    // The windows of its own this window opens, made at the start and freed
    // with the program's windows.
    UserNameDialog* userNameDialog_ = nullptr;
    display::SheetViewer* sheetViewer_ = nullptr;
    // The viewer of saved chart metafiles the sheet viewer opens.
    display::MetafileViewer* metafileViewer_ = nullptr;
    display::ChartWindow* chartWindow_ = nullptr;
    OrbSettingsWindow* orbSettingsWindow_ = nullptr;
    display::CalibrationWindow* calibrationWindow_ = nullptr;
    display::LineWidthDialog* lineWidthDialog_ = nullptr;
    display::PrinterModelDialog* printerModelDialog_ = nullptr;
    // The editor of the person's text (the store and change dialogs show it too).
    RichTextWindow* richTextWindow_ = nullptr;
    InstructionsDialog* instructionsDialog_ = nullptr;
    // The windows the start makes beside them: the styled editor and the
    // never-shown window whose empty editor prints a blank page.
    StyledRichTextWindow* styledRichTextWindow_ = nullptr;
    PrintParentWindow* printParentWindow_ = nullptr;
    // The backup window, while it is shown: made at each click, released when it closes.
    archive::BackupWindow* backupWindow_ = nullptr;

    // Pages.
    QTabWidget* pageTabs_ = nullptr;
    QWidget* astrologyPage_ = nullptr;
    QWidget* remediesPage_ = nullptr;
    QWidget* accessoryPage_ = nullptr;

    // "Astrologische Functies".
    QPushButton* openRecallDialogButton_ = nullptr;
    QPushButton* openInputDialogButton_ = nullptr;
    QPushButton* openDeleteDialogButton_ = nullptr;
    QPushButton* openChangeDialogButton_ = nullptr;
    QPushButton* openChartWindowButton_ = nullptr;
    QLabel* currentPersonLabel_ = nullptr;
    QPlainTextEdit* personMemo_ = nullptr;
    QPlainTextEdit* annotationsMemo_ = nullptr;
    QFrame* sheetsPanel_ = nullptr;
    QPushButton* showLandscapeSheetButton_ = nullptr;
    QPushButton* showSecondLandscapeSheetButton_ = nullptr;
    QPushButton* showPortraitSheetButton_ = nullptr;
    QPushButton* showSecondPortraitSheetButton_ = nullptr;

    // "Raadpleging Remedies".
    QPushButton* openSymptomBrowserButton_ = nullptr;
    QPushButton* openRemedyBrowserButton_ = nullptr;
    QPushButton* openTherapyBrowserButton_ = nullptr;
    QPushButton* openPlantSymptomsWindowButton_ = nullptr;
    QPushButton* openSymptomPlantsWindowButton_ = nullptr;
    QPushButton* openSignatureSearchWindowButton_ = nullptr;
    QPushButton* openCompositionWindowButton_ = nullptr;
    QPushButton* openPrinciplesWindowButton_ = nullptr;
    QPushButton* openDebilityWindowButton_ = nullptr;
    QPushButton* openSynthesisWindowButton_ = nullptr;
    QPushButton* openMultiSymptomSearchButton_ = nullptr;
    QPushButton* openCompoundTherapySearchButton_ = nullptr;
    QPushButton* openSearchUtilityButton_ = nullptr;

    // "Accessoire Functies".
    QPushButton* openSignatureMaintenanceWindowButton_ = nullptr;
    QPushButton* openPrimaryEditorButton_ = nullptr;
    QPushButton* openRepertoryEditorButton_ = nullptr;
    QPushButton* openOrbSettingsWindowButton_ = nullptr;
    QPushButton* openCalibrationWindowButton_ = nullptr;
    QPushButton* openLineWidthDialogButton_ = nullptr;
    QPushButton* openUpdateWindowButton_ = nullptr;
    QPushButton* openBackupWindowButton_ = nullptr;
    QPushButton* changeUserNameButton_ = nullptr;
    QPushButton* openInstructionsDialogButton_ = nullptr;
    QPushButton* openBookletButton_ = nullptr;
    QComboBox* emptyBox_ = nullptr;
    QPushButton* hiddenButton_ = nullptr;
    QListWidget* hiddenList_ = nullptr;

    // Bottom panel.
    QFrame* bottomPanel_ = nullptr;
    QComboBox* nodeTypeBox_ = nullptr;
    QComboBox* orbSetBox_ = nullptr;
    QPushButton* lockButton_ = nullptr;
    QPushButton* openPrinterModelDialogButton_ = nullptr;
    // "Printermodel" and the label beside it; a click on either opens the printer model dialog.
    std::array<QLabel*, 2> printerModelLabels_{};
    QPushButton* openPersonTextButton_ = nullptr;
    QLabel* exitImage_ = nullptr;

    // A change of a box waits for the idle handler.
    bool orbSetChanged_ = false;
    bool nodeTypeChanged_ = false;
    bool idleInstalled_ = false;
    // The orb set and node kind in force while a change of the boxes waits
    // for the idle handler.
    std::string orbSetInForce_;
    std::string nodeTypeInForce_;
    bool sayingRefusal_ = false;
    bool refreshing_ = false;
    bool closing_ = false;
};

}  // namespace shell
