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

#include "display/chart/chart_views.h"
#include "display/draw/canvas_form.h"
#include "engine/chart_state.h"

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
    std::uint16_t TimerTicks = 0;  // never reset while the program runs
    std::array<unsigned char, 15> ViewCycle{};
    std::array<unsigned char, 15> BodyClickStep{};
    std::array<unsigned char, 15> SignClickStep{};
    bool VolguineViewActive = false;  // body arrays in the engine's order: clicks ignored
    bool DodecatemoriaMode = false;
    std::array<Real, 8> DignityGlyphCentreX{};  // 1..7
    std::array<Real, 8> DignityGlyphCentreY{};
    bool LargeFontsFlag = true;
    bool InfoMemoExpanded = false;
    bool AspectMemoExpanded = false;
    signed char SelectedPlantIndex = -1;
    std::string ExtraBodyFilter = "Ieder";
    std::string ExtraSignFilter = "Ieder";
    Real PlaceLongitudeHours = 0;
    bool ArchetypeViewFlag = false;
    bool OkFlag = false;
    int ClickedBody = 0;
    int ClickedSign = 0;
};

extern ChartWindowState KelvoState;

// Back to the start values (tests; the timer counter included), with the grid
// columns and the no-dignity flag of the views.
void ResetChartWindowState();
// Entries 0..14 of ViewCycle, BodyClickStep and SignClickStep := 0, except k.
void ResetViewCycles(int k);
void ClearDignityGlyphCentres();

// The glyph under a device point of the window, from the centres stored by the
// last drawing: a box of 15 device units either side of the mapped centre,
// before the aspect correction. Centres cleared to (0, 0) are never hit.
struct GlyphHit {
    int body = 0;  // 1..11, the last hit
    int sign = 0;  // 1..12, the last hit
    int x = 0, y = 0;  // the device point clicked
};
bool CentreHit(Real cx, Real cy, int x, int y);
GlyphHit FindGlyphHit(int x, int y);

// What a click on the window does (the attribution steps are installed by their
// own code and see every click; by default a glyph hit shows the help text of
// the glyph's kind).
using GlyphClickHandler = std::function<void(ChartWindow& form, const GlyphHit& hit)>;
void SetGlyphClickHandler(GlyphClickHandler handler);

// The glyph bitmaps of the buttons: "FrecciaGiu", "FrecciaSu", "AumentaFont", "RiduciFont".
QIcon ButtonBitmap(const char* name);
// The width a push button's caption and glyph need inside its frame (without
// the style's least width of a button), in pixels.
int ButtonCaptionWidth(const QPushButton* button);
// Writes a button's caption a point smaller at a time, from `largest` points
// down to 6, until it fits the button.
void FitButtonCaption(QPushButton* button, int largest);

// Puts the lines (Windows-1252) into a memo, one a line, in place of its text.
void ShowLinesIn(QPlainTextEdit* memo, const std::vector<std::string>& lines);

// Reloads the current person's chart after the Volguine view's recomputation
// (the shell installs the current-person loader).
void SetCurrentChartReloader(std::function<void()> reload);

class ChartWindow : public CanvasForm {
    Q_OBJECT
public:
    explicit ChartWindow(QWidget* parent = nullptr);
    ~ChartWindow() override;

    // Attribution texts.
    QFrame* PanelBase = nullptr;
    QLabel* LabSpecific = nullptr;
    QPlainTextEdit* MemoL1 = nullptr;
    QLabel* LabGeneral = nullptr;
    QPlainTextEdit* MemoL2 = nullptr;
    QLabel* Image2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    // View buttons: the nine of the views in the order of ChartViewRows(), each
    // also kept by its name below.
    QFrame* PanelPulsanti = nullptr;
    std::vector<QPushButton*> ViewButtons;
    QPushButton* BBcoordi = nullptr;
    QPushButton* BBstoffa = nullptr;
    QPushButton* BBarchetip = nullptr;
    QPushButton* BBaspetti = nullptr;
    QPushButton* BBEnergi = nullptr;
    QPushButton* BBantisce = nullptr;
    QPushButton* BBdodecate = nullptr;
    QPushButton* BBvolguine = nullptr;
    QPushButton* BBmaestri = nullptr;
    QPushButton* BBprivato = nullptr;
    QPushButton* BBsizeFont = nullptr;
    // Aspect list.
    QFrame* Panel3 = nullptr;
    QPlainTextEdit* MemoAspetti = nullptr;
    QPushButton* BBchiudiAsp = nullptr;
    QPushButton* BBFont = nullptr;
    // Help texts.
    QFrame* PanelInfo = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    // Person data.
    QFrame* PanelDati = nullptr;
    QLabel *LabNome = nullptr, *LabData = nullptr, *LabLocal = nullptr, *LabCoordi = nullptr, *LabDomif = nullptr,
           *LabNodo = nullptr, *LabJd = nullptr;
    QLineEdit *EdNome = nullptr, *EdData = nullptr, *EdLocal = nullptr, *EdCoordi = nullptr, *EdDomif = nullptr,
              *EdNodo = nullptr, *EdJd = nullptr;
    // Plants and remedies of a clicked glyph.
    QFrame* PanelQuor = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QPushButton* BBchiudiQuor = nullptr;
    QPushButton* BBFontQuor = nullptr;
    QPushButton* BBsuGiu = nullptr;
    QListWidget* ListBoxPiante = nullptr;
    QComboBox* ComboBoxPiante = nullptr;
    QLabel* LabPianta = nullptr;
    QLabel* Image1 = nullptr;
    QScrollBar* SpinButton1 = nullptr;
    // Signature search.
    QFrame* PanelExtra = nullptr;
    QLabel* LbExtraPia = nullptr;
    QLabel* LbExtraSeg = nullptr;
    QPushButton* BBextraOk = nullptr;
    QFrame* PanelSegnaPato = nullptr;
    QListWidget* ListExtra1 = nullptr;
    QListWidget* ListExtra2 = nullptr;
    QLabel* LabExtra1 = nullptr;
    QLabel* LabExtra2 = nullptr;
    QPushButton* BBchiudiExtra = nullptr;
    QPlainTextEdit* MemoExtra = nullptr;
    // The main window places it at the bottom edge; not used here.
    QFrame* Panel1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    // First drawing after activation (10 ms, disabled until then).
    QTimer* Timer1 = nullptr;

    // Handlers.
    void FormActivate();
    void FormClose();
    void FormMouseDown(int x, int y);
    void FormMouseUp();
    void Timer1Timer();
    // Closes the window, whatever it shows.
    void BBprivatoClick();
    void BBchiudiAspClick();
    void BBFontClick();
    void BBsizeFontClick();
    void BBchiudiExtraClick();
    void MemoAspettiDblClick();
    void Memo1DblClick();

    // The chart square painted black, the glyph centres of the Ascendant and
    // the Midheaven forgotten and the attribution texts beside it emptied.
    void ClearChartSquare();

    // Sets the texts of the seven data fields.
    void ShowDataFields(const NatalChartFields& fields);

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
    ChartViewContext ViewContext(int subView) const;
    // The archetypal structure again, when the window opens on it.
    void RedrawArchetypeView();
    void ClearAttributionTexts();
    int PX(Real pageUnits) const;
    int PY(Real pageUnits) const;
};

extern ChartWindow* theChartWindow;

// Creates the chart window when it does not exist yet.
ChartWindow* EnsureChartWindow();

// Fills the whole client area with the background, then draws the natal chart.
void RepaintChartWindow();
inline void RepaintNatalChart() { RepaintChartWindow(); }
// Page frame, wheel geometry and the natal chart on the window's canvas; fills
// the data fields.
void RedrawNatalChart(ChartWindow& form);

}  // namespace display
