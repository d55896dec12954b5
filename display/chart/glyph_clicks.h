#pragma once
// Clicks on the glyphs of the chart window: the hit test of the dignity glyphs,
// the chart points and the signs, the red marker of a hit and the rings put
// back when the button is released, the four click steps of a point or a sign
// (attribution texts, plants, plants hidden, antiscia lines), the attribution
// texts shown in the two memos, and the small signature-search panel.
#include <QObject>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "display/chart/attribution_texts.h"
#include "display/wheel/wheel_points.h"
#include "engine/chart.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace display {

class ChartWindow;
class PlantsPanel;
class Surface;
struct ChartWindowState;
struct DrawingState;
struct NatalWheelState;
using engine::Real;

// The glyphs under a device point of the window, from the centres stored by the
// last drawing: a box of 15 device units either side of the mapped centre,
// before the aspect correction. Centres cleared to (0, 0) are never hit.
struct GlyphHit {
    // The numbers of every glyph hit, in their order: dignity glyphs 1..7,
    // chart points 1..11, signs 1..12.
    std::vector<int> dignities, bodies, signs;
    int body = 0;  // the last chart point hit, or 0
    int sign = 0;  // the last sign hit, or 0
};
bool CentreHit(const DrawingState& drawing, Real cx, Real cy, int x, int y);
GlyphHit FindGlyphHit(const DrawingState& drawing, const NatalWheelState& wheel, int x, int y);

// Draws the antiscia lines of the clicked point on the window's canvas, for the
// fourth click step after the natal chart was redrawn: index is the point 1..7
// or the sign 1..12, kind "Pia" or "Seg", ascendant the first cusp, about the
// wheel centre.
using AntisciaLinesDrawer =
    std::function<void(Surface& dc, int index, Real ascendant, PagePoint wheelCentre, const std::string& kind)>;

// The attribution texts beside the chart square: their two captions and memos
// and the picture of the clicked glyph.
struct AttributionControls {
    QFrame* panel = nullptr;
    QLabel* specificLabel = nullptr;
    QPlainTextEdit* specificMemo = nullptr;
    QLabel* generalLabel = nullptr;
    QPlainTextEdit* generalMemo = nullptr;
    QLabel* glyphImage = nullptr;
    QLineEdit* hiddenEdit = nullptr;
};

// The small signature-search panel under the chart square, with the filters a
// click sets, and the panel of its results.
struct SignatureSearchControls {
    QFrame* panel = nullptr;
    QLabel* planetFilterLabel = nullptr;
    QLabel* signFilterLabel = nullptr;
    QPushButton* searchButton = nullptr;
    QFrame* resultsPanel = nullptr;
    // The two result lists side by side, each under its caption.
    std::array<QListWidget*, 2> resultLists{};
    std::array<QLabel*, 2> resultLabels{};
    QPushButton* closeResultsButton = nullptr;
    QPlainTextEdit* memo = nullptr;
};

// What a glyph click works on: the window (its canvas, chart, wheel and help
// texts), the state it keeps, and the controls the window made that the clicks
// fill, show or hide.
struct GlyphClickParts {
    ChartWindow& window;
    ChartWindowState& state;
    DrawingState& drawing;
    const AttributionControls& attribution;
    const SignatureSearchControls& search;
    PlantsPanel& plants;
    QPlainTextEdit* helpMemo;
};

// Answers the clicks on a chart window's glyphs; the window owns it. Without an
// antiscia drawer of its own, the fourth step draws the clicked point's
// antiscia lines over the window's chart and wheel.
class GlyphClickResponder : public QObject {
public:
    GlyphClickResponder(const GlyphClickParts& parts, AntisciaLinesDrawer antisciaLines, QObject* parent);

    // The three passes of a press, over what the hit test found: dignity
    // glyphs, chart points, signs; then the step of the last point or sign hit,
    // or, when neither was hit, the specific memo emptied.
    void Answer(const GlyphHit& hit);
    // Every marker back to a red ring on black.
    void RedrawGlyphRings();
    // Forgets every stored glyph centre (points, signs, dignity glyphs): the
    // window opens anew and nothing is drawn yet.
    void ForgetGlyphCentres();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ClickStep;
    void ShowImages(const std::string& file);
    void AntisciaStep(int index, const std::string& kind);
    void RunClickStep(unsigned char& t, const std::array<ClickStep, 4>& steps);
    void BodyStep(int b);
    void SignStep(int s);
    void MarkHit(int body, int sign, Real cx, Real cy);
    void ShowPlanetAttributes(int body);
    void ShowSignAttributes(int sign);
    void ShowAttributionTexts(const AttributionTexts& t);
    void ShowSignatureSearch();
    void ClearPlanetFilter();
    void ClearSignFilter();
    MissingFileReport ReportMissing();

    GlyphClickParts parts_;
    AntisciaLinesDrawer antisciaLines_;
};

// A glyph metafile shown in one of the panels' image boxes (a missing file is
// reported once; the box is then left empty).
void LoadGlyphImage(DrawingState& drawing, QLabel* image, const std::string& fileName);

}  // namespace display
