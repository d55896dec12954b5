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
#include <string>
#include <vector>

#include "archive/current_chart.h"
#include "display/chart/chart_views.h"
#include "display/chart/glyph_clicks.h"
#include "display/draw/canvas_form.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/help_messages.h"
#include "display/wheel/wheel_state.h"
#include "engine/chart.h"

class QIcon;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace display {

using engine::Real;
class PlantsPanel;
struct NatalChartFields;

// The window's process-wide state.
struct ChartWindowState {
    Real layoutScaleX = 1;  // page units per pixel of the layout
    Real layoutScaleY = 1;
    std::uint16_t firstDrawTicks = 0;  // never reset while the program runs
    // The next sub-view of each view button, view v at v - 1.
    std::array<unsigned char, kChartViewCount> viewCycle{};
    unsigned char& ViewCycle(int view) { return viewCycle.at(static_cast<std::size_t>(view - 1)); }
    int ViewCycle(int view) const { return viewCycle.at(static_cast<std::size_t>(view - 1)); }
    // The next step of each point's and each sign's cycle of clicks.
    ChartPointTable<unsigned char> bodyClickStep{};
    engine::SignTable<unsigned char> signClickStep{};
    bool volguineViewActive = false;  // the reduced wheel is shown: glyph clicks ignored
    bool dodecatemoriaMode = false;
    bool largeFontsFlag = true;
    bool helpMemoExpanded = false;
    bool aspectMemoExpanded = false;
    signed char selectedPlantIndex = -1;
    std::string searchBodyFilter = "Ieder";
    std::string searchSignFilter = "Ieder";
    Real placeLongitudeHours = 0;
    bool archetypeViewFlag = false;
    bool okFlag = false;
    int clickedBody = 0;
    int clickedSign = 0;
    // A clicked sign's caption takes the wheel's sign names (once the dominant
    // planets' bars have used them) instead of the attribution texts' names.
    bool wheelSignNames = false;
    int signatureSearchStep = 0;  // what the signature search lists next: 0 remedies, 1 pathologies
};


// Every view's sub-view cycle and every point's and sign's click step back to
// the start, except those of view, point and sign number k: a press of view k
// keeps the click steps of point and sign k too, and a click on a point or a
// sign keeps the cycle of the view of its number.
void ResetViewCycles(ChartWindowState& status, int k);
// The dignity glyphs' centres forgotten: none is on the screen.
void ClearDignityGlyphCentres(NatalWheelState& wheel);

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
    // state is the program's, which the window's canvas maps with. The
    // antiscia lines of the fourth click step are the window's own drawing
    // unless a drawer is handed.
    ChartWindow(ChartGeometryState& geometry, const archive::CurrentChart& current, DrawingState& drawing,
                QWidget* parent = nullptr, AntisciaLinesDrawer antisciaLines = {});
    ~ChartWindow() override;

    ChartGeometryState& WheelGeometry() const { return geometry_; }
    // The current person's chart, birth data and orbs the window shows.
    const archive::CurrentChart& CurrentPerson() const { return current_; }
    // The natal wheel's state: filled by the window's drawing of the wheel, read
    // by the glyph clicks and the views.
    NatalWheelState& NatalWheel() { return wheel_; }
    const NatalWheelState& NatalWheel() const { return wheel_; }
    // What the window keeps while the program runs: its layout scale, view
    // cycles, clicked glyphs, filters and panel sizes.
    const ChartWindowState& State() const { return status_; }
    // The planetary day and hour of the birth, computed at each opening; the
    // views get them in their context.
    const BirthPlanetaryHourState& BirthHour() const { return birthHour_; }

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
    // Covers a screen of the size given (the window left hidden), its bottom
    // panel along the bottom edge.
    void CoverScreen(int width, int height);
    // The next opening draws the natal chart, whatever view the last one left.
    void ForgetArchetypeView();
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
    // Page frame, wheel geometry and the natal chart on the window's canvas;
    // fills the data fields.
    void RedrawNatalChart();

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
    void BuildControls();
    void BuildViewButtons();
    void BuildDataPanel();
    void BuildSignaturePanels();
    void ConnectControls();
    void LayOut();
    void LayOutViewButtons();
    void LayOutDataPanel();
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
    // The help memo back to its small size, under a stretched plants panel.
    void ShrinkHelpMemo();
    int PX(Real pageUnits) const;
    int PY(Real pageUnits) const;

    // The drawing state the window draws in (page units, zoom, colours).
    DrawingState& drawing_;
    ChartGeometryState& geometry_;
    const archive::CurrentChart& current_;
    ChartWindowState status_;
    BirthPlanetaryHourState birthHour_;
    NatalWheelState wheel_;
    HelpMemoTarget helpMemoTarget_;
    bool framesWheel_ = false;

    AttributionControls attribution_;
    // View buttons: the nine of the views in the order of ChartViewRows(),
    // then "Backards" and the font size button.
    QFrame* viewButtonPanel_ = nullptr;
    std::vector<QPushButton*> viewButtons_;
    QPushButton* backButton_ = nullptr;
    QPushButton* fontSizeButton_ = nullptr;
    // Aspect list.
    QFrame* aspectListPanel_ = nullptr;
    QPlainTextEdit* aspectListMemo_ = nullptr;
    QPushButton* closeAspectListButton_ = nullptr;
    QPushButton* aspectListFontButton_ = nullptr;
    // Help texts.
    QFrame* helpPanel_ = nullptr;
    QPlainTextEdit* helpMemo_ = nullptr;
    // Person data: the captions and read-only fields of the rows of the data
    // panel, the name first.
    QFrame* dataPanel_ = nullptr;
    std::array<QLabel*, 7> dataLabels_{};
    std::array<QLineEdit*, 7> dataFields_{};
    // Plants and remedies of a clicked glyph.
    QFrame* plantsPanel_ = nullptr;
    PlantsPanel* plants_ = nullptr;
    SignatureSearchControls signatureSearch_;
    // The main window places it at the bottom edge; not used here.
    QFrame* bottomPanel_ = nullptr;
    QLineEdit* bottomEdit_ = nullptr;
    // First drawing after activation (10 ms, disabled until then).
    QTimer* firstDrawTimer_ = nullptr;
    // What a click on the glyphs does.
    GlyphClickResponder* glyphClicks_ = nullptr;
};

// Fills the whole client area with the background, then draws the natal chart.
void RepaintChartWindow(ChartWindow& window);

}  // namespace display
