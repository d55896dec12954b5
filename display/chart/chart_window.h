#pragma once
// ChartWindow: the full-screen interactive chart window. On activation it lays its
// panels out in page units beside the chart square, then its one-shot timer
// draws the natal wheel into the window's back buffer. Nine view buttons, made
// from the table of the views (chart_views.h), switch the chart square between
// views, each cycling through its sub-views with a numbered help text; the
// window shows what each view returns beside its drawing. Clicks on the glyph
// centres answer to the mouse.
#include <QFrame>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/chart/chart_views.h"
#include "display/draw/canvas_form.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

class QComboBox;
class QIcon;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace display {

using engine::Real;
class ChartWindow;
struct NatalChartFields;

// The window's process-wide state.
struct ChartWindowState {
    Real LayoutScaleX = 1;  // page units per pixel of the layout
    Real LayoutScaleY = 1;
    std::uint16_t FirstDrawTicks = 0;  // never reset while the program runs
    std::array<unsigned char, 15> ViewCycle{};
    std::array<unsigned char, 15> BodyClickStep{};
    std::array<unsigned char, 15> SignClickStep{};
    bool VolguineViewActive = false;  // the reduced wheel is shown: glyph clicks ignored
    bool DodecatemoriaMode = false;
    std::array<Real, 8> DignityGlyphCentreX{};  // 1..7
    std::array<Real, 8> DignityGlyphCentreY{};
    bool LargeFontsFlag = true;
    bool HelpMemoExpanded = false;
    bool AspectMemoExpanded = false;
    signed char SelectedPlantIndex = -1;
    std::string SearchBodyFilter = "Ieder";
    std::string SearchSignFilter = "Ieder";
    Real PlaceLongitudeHours = 0;
    bool ArchetypeViewFlag = false;
    bool OkFlag = false;
    int ClickedBody = 0;
    int ClickedSign = 0;
    // A clicked sign's caption takes the wheel's sign names (once the dominant
    // planets' bars have used them) instead of the attribution texts' names.
    bool WheelSignNames = false;
    int SignatureSearchStep = 0;  // what the signature search lists next: 0 remedies, 1 pathologies
};


// Entries 0..14 of ViewCycle, BodyClickStep and SignClickStep := 0, except k.
void ResetViewCycles(ChartWindowState& status, int k);
void ClearDignityGlyphCentres(ChartWindowState& status);

// The glyph under a device point of the window, from the centres stored by the
// last drawing: a box of 15 device units either side of the mapped centre,
// before the aspect correction. Centres cleared to (0, 0) are never hit.
struct GlyphHit {
    int body = 0;  // 1..11, the last hit
    int sign = 0;  // 1..12, the last hit
    int x = 0, y = 0;  // the device point clicked
};
bool CentreHit(const DrawingState& drawing, Real cx, Real cy, int x, int y);
GlyphHit FindGlyphHit(const DrawingState& drawing, const NatalWheelState& wheel, int x, int y);

// What a click on the window does (the attribution steps are installed by their
// own code and see every click; without them a glyph hit shows the help text of
// the glyph's kind).
using GlyphClickHandler = std::function<void(ChartWindow& form, const GlyphHit& hit)>;

// Draws the antiscia lines of the clicked point on the window's canvas, for the
// fourth click step after the natal chart was redrawn: index is the point 1..7
// or the sign 1..12, kind "Pia" or "Seg", ascendant the first cusp, (x, y) the
// wheel centre.
using AntisciaLinesDrawer =
    std::function<void(Surface& dc, int index, Real ascendant, Real x, Real y, const std::string& kind)>;

// The glyph bitmaps of the buttons: "FrecciaGiu", "FrecciaSu", "AumentaFont", "RiduciFont".
QIcon GlyphIcon(const char* name);
// The width a push button's caption and glyph need inside its frame (without
// the style's least width of a button), in pixels.
int CaptionWidth(const QPushButton* button);
// Writes a button's caption a point smaller at a time, from `largest` points
// down to 6, until it fits the button.
void FitButtonCaption(QPushButton* button, int largest);

// Puts the lines (Windows-1252) into a memo, one a line, in place of its text.
void ShowLinesIn(QPlainTextEdit* memo, const std::vector<std::string>& lines);

class ChartWindow : public CanvasForm {
    Q_OBJECT
public:
    // The wheel geometry is its opener's, which the sheets set too; the window
    // and its views read and set it through this reference. The current chart
    // is the program's: the window shows it and its views read it. The drawing
    // state is the program's, which the window's canvas maps with.
    ChartWindow(ChartGeometryState& geometry, const archive::CurrentChart& current, DrawingState& drawing,
                QWidget* parent = nullptr);
    ~ChartWindow() override;

    // The drawing state the window draws in (page units, zoom, colours).
    DrawingState& drawing;

    // Attribution texts.
    QFrame* attributionPanel = nullptr;
    QLabel* specificLabel = nullptr;
    QPlainTextEdit* specificMemo = nullptr;
    QLabel* generalLabel = nullptr;
    QPlainTextEdit* generalMemo = nullptr;
    QLabel* attributionGlyphImage = nullptr;
    QLineEdit* hiddenAttributionEdit = nullptr;
    // View buttons: the nine of the views in the order of ChartViewRows(), each
    // also kept by its name below.
    QFrame* viewButtonPanel = nullptr;
    std::vector<QPushButton*> viewButtons;
    QPushButton* coordinatesButton = nullptr;
    QPushButton* clothButton = nullptr;
    QPushButton* archetypeButton = nullptr;
    QPushButton* aspectsButton = nullptr;
    QPushButton* energyButton = nullptr;
    QPushButton* antisciaButton = nullptr;
    QPushButton* dodecatemoriaButton = nullptr;
    QPushButton* volguineButton = nullptr;
    QPushButton* mastersButton = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* fontSizeButton = nullptr;
    // Aspect list.
    QFrame* aspectListPanel = nullptr;
    QPlainTextEdit* aspectListMemo = nullptr;
    QPushButton* closeAspectListButton = nullptr;
    QPushButton* aspectListFontButton = nullptr;
    // Help texts.
    QFrame* helpPanel = nullptr;
    QPlainTextEdit* helpMemo = nullptr;
    // Person data.
    QFrame* dataPanel = nullptr;
    QLabel *nameLabel = nullptr, *birthDateLabel = nullptr, *placeLabel = nullptr, *coordinatesLabel = nullptr,
           *houseSystemLabel = nullptr, *nodeLabel = nullptr, *julianDayLabel = nullptr;
    QLineEdit *nameEdit = nullptr, *birthDateEdit = nullptr, *placeEdit = nullptr, *coordinatesEdit = nullptr,
              *houseSystemEdit = nullptr, *nodeEdit = nullptr, *julianDayEdit = nullptr;
    // Plants and remedies of a clicked glyph.
    QFrame* plantsPanel = nullptr;
    QPlainTextEdit* plantSymptomsMemo = nullptr;
    QPlainTextEdit* plantSignaturesMemo = nullptr;
    QPushButton* closePlantsButton = nullptr;
    QPushButton* plantsFontButton = nullptr;
    QPushButton* plantsSizeButton = nullptr;
    QListWidget* plantList = nullptr;
    QComboBox* plantBox = nullptr;
    QLabel* plantListLabel = nullptr;
    QLabel* plantsGlyphImage = nullptr;
    QScrollBar* plantSpinButton = nullptr;
    // Signature search.
    QFrame* signatureSearchPanel = nullptr;
    QLabel* planetFilterLabel = nullptr;
    QLabel* signFilterLabel = nullptr;
    QPushButton* signatureSearchButton = nullptr;
    QFrame* signatureResultsPanel = nullptr;
    // The two result lists side by side, each under its caption.
    std::array<QListWidget*, 2> signatureResultLists{};
    std::array<QLabel*, 2> signatureResultLabels{};
    QPushButton* closeSignatureResultsButton = nullptr;
    QPlainTextEdit* signatureMemo = nullptr;
    // The main window places it at the bottom edge; not used here.
    QFrame* bottomPanel = nullptr;
    QLineEdit* bottomEdit = nullptr;
    // First drawing after activation (10 ms, disabled until then).
    QTimer* firstDrawTimer = nullptr;
    // What the window keeps while the program runs: its layout scale, view
    // cycles, clicked glyphs, filters and panel sizes.
    ChartWindowState status;
    // The planetary day and hour of the birth, computed at each opening; the
    // views get them in their context.
    BirthPlanetaryHourState birthHour;
    // What a click on the glyphs does: the attribution steps, which
    // InstallGlyphClicks sets when the window is made.
    GlyphClickHandler glyphClickHandler;
    // The antiscia lines of the fourth click step: the window's own, which
    // InstallGlyphClicks sets (tests put theirs in its place); without one the
    // step only redraws the chart.
    AntisciaLinesDrawer antisciaLinesDrawer;

    ChartGeometryState& WheelGeometry() const { return geometry; }
    // The current person's chart, birth data and orbs the window shows.
    const archive::CurrentChart& CurrentPerson() const { return current; }
    // The natal wheel's state: filled by the window's drawing of the wheel, read
    // by the glyph clicks and the views.
    NatalWheelState& NatalWheel() { return wheel; }
    const NatalWheelState& NatalWheel() const { return wheel; }

    // Each opening: the state reset, the panels laid out, the birth's weekday
    // and planetary hour computed, the first help text shown and the first
    // drawing started.
    void PrepareOpening();
    // On closing: the timer stopped, the zoom and origin back to their
    // defaults, and the wheels no longer framed.
    void ReleaseDrawing();
    // Whether the wheels drawn on the window are framed by the page outline:
    // while it is open (from its opening to its closing).
    bool FramesWheel() const { return framesWheel_; }
    // A mouse press at device point (x, y) on the glyphs of the chart.
    void PressAt(int x, int y);
    // The release: the hit markers back to red rings.
    void RestoreGlyphRings();
    // A tick of the timer: the natal chart (or the archetypal structure) is
    // drawn at the second tick of the first opening, at the first of later ones.
    void DrawWhenReady();
    // Closes the window, whatever it shows.
    void GoBack();
    void CloseAspectList();
    void ToggleAspectListFont();
    // The view buttons and data fields between their large and small fonts.
    void TogglePanelFontSize();
    void CloseSignatureResults();
    // A double click on the aspect list or on a help memo stretches its panel
    // or puts it back.
    void ToggleAspectListSize();
    void ToggleHelpMemoSize();

    // The chart square painted black, the glyph centres of the Ascendant and
    // the Midheaven forgotten and the attribution texts beside it emptied.
    void ClearChartSquare();

    // Sets the texts of the seven data fields.
    void ShowDataFields(const NatalChartFields& fields);
    // Clears the help memos and, for n > 0, shows help entry n in the memo of
    // its number.
    void ShowHelpEntry(int n);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ChartGeometryState& geometry;
    const archive::CurrentChart& current;
    NatalWheelState wheel;
    HelpMemoTarget helpMemoTarget;
    bool framesWheel_ = false;

    void BuildControls();
    void BuildViewButtons();
    void BuildDataPanel();
    void BuildPlantsPanel();
    void BuildSignaturePanels();
    void ConnectControls();
    void LayOut();
    void LayOutViewButtons();
    void LayOutDataPanel();
    void LayOutPlantsPanel();
    void FitDataCaptions();
    void FitDataFieldTexts();
    // The view buttons' captions written small enough to fit their buttons.
    void FitViewButtonCaptions();
    void SetPanelFontSizes(bool large);
    // A press of a view button: its sub-view of this press drawn on the
    // cleared chart square, its help text, the next sub-view for the next press.
    void PressView(const ChartViewRow& row);
    // A sub-view drawn and what it returns shown.
    ChartViewShown ShowView(const ChartViewRow& row, int subView);
    void ApplyView(const ChartViewShown& shown);
    ChartViewContext ViewContext(int subView);
    // The archetypal structure again, when the window opens on it.
    void RedrawArchetypeView();
    void ClearAttributionTexts();
    int PX(Real pageUnits) const;
    int PY(Real pageUnits) const;
};

// Fills the whole client area with the background, then draws the natal chart.
void RepaintChartWindow(ChartWindow& window);
// Page frame, wheel geometry and the natal chart on the window's canvas; fills
// the data fields.
void RedrawNatalChart(ChartWindow& form);

}  // namespace display
