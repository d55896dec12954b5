#include "display/settings/calibration_window.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/settings/draw_settings_values.h"
#include "display/sheets/sheet_selection.h"
#include "engine/engine_settings.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace display {


namespace {

// A damaged engine settings or orb sets file is told in a message box.
void ShowSettingsMessage(const std::string& message) { gui::ShowMessage(message); }

constexpr long double kCalibrationCentreX = 140;
constexpr long double kCalibrationCentreY = 101.6L;

}  // namespace

CalibrationWindow::CalibrationWindow(archive::CurrentChart& current, archive::DrawSettings& settings,
                                     const SheetSelectionState& sheets,
                                     DrawingState& drawing)
    : current_(current), settings_(settings), sheets_(sheets), drawing_(drawing) {
    setObjectName("FgrTxtKel");
    setWindowTitle(gui::ToQt("Rondheid van Cirkles en Schermgroote"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    }
    drawingArea = new CanvasForm(this);
    drawingArea->UseDrawingState(drawing);
    drawingArea->setObjectName("FormCanvas");
    drawingArea->SetBackground(kBlack);

    controlPanel = gui::MakeArea(drawingArea, "Panel1");
    {
        QPalette pal = controlPanel->palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        controlPanel->setPalette(pal);
        controlPanel->setAutoFillBackground(true);
    }
    // The instructions in white on the grey panel.
    instructionLabels = {gui::MakeLabel(controlPanel, "Lab1", "Gebruik de cursor om het gele kader"),
                         gui::MakeLabel(controlPanel, "Lab2", "zoveel als nodig te verkleinen en een"),
                         gui::MakeLabel(controlPanel, "Lab3", "gele (ronde) cirkel te bekomen.")};
    for (QLabel* l : instructionLabels) {
        l->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }
    gui::MakeButtons(controlPanel, {{&okButton, "BBok", "OK"}, {&resetButton, "BBres", "Reset"}});
    okButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    gui::SetBold(resetButton);
    {
        QPalette pal = resetButton->palette();
        pal.setColor(QPalette::ButtonText, QColor(255, 0, 0));
        resetButton->setPalette(pal);
    }
    horizontalScaleBar = new QScrollBar(Qt::Horizontal, controlPanel);
    horizontalScaleBar->setObjectName("ScBO");
    verticalScaleBar = new QScrollBar(Qt::Vertical, controlPanel);
    verticalScaleBar->setObjectName("ScBV");
    for (QScrollBar* bar : {horizontalScaleBar, verticalScaleBar}) {
        bar->setRange(-200, 200);
        bar->setPageStep(10);
        bar->setSingleStep(1);
    }
    firstDrawTimer = new QTimer(this);
    firstDrawTimer->setObjectName("Timer1");
    firstDrawTimer->setInterval(10);

    connect(horizontalScaleBar, &QScrollBar::valueChanged, this,
            gui::Guarded([this](auto&&...) { ApplyHorizontalScale(); }));
    connect(verticalScaleBar, &QScrollBar::valueChanged, this,
            gui::Guarded([this](auto&&...) { ApplyVerticalScale(); }));
    connect(resetButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ResetScales(); }));
    connect(okButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { SaveAndClose(); }));
    connect(firstDrawTimer, &QTimer::timeout, this, gui::Guarded([this](auto&&...) { DrawWhenReady(); }));
    resize(800, 600);
}

void CalibrationWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    drawingArea->setGeometry(rect());
}

void CalibrationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { PrepareOpening(); });
}

void CalibrationWindow::PrepareOpening() {
    drawing_.ZoomFactor = 1.0L;
    // The settings as the file holds them; a factor 0 is taken as 1.0. A file
    // that cannot be read is named once, as the main window names it, and the
    // values in force stand in for it: the window works as always, and a
    // change is refused when it would be saved.
    try {
        settings_.LoadOrCreate();
    } catch (const rt::IoError& e) {
        settings_.ReportUnreadable(e);
    }
    ApplyDrawSettingsToDrawing(drawing_, settings_.Values());
    // A bar that moves runs its change handler, which writes the rounded factor.
    horizontalScaleBar->setValue(BarPositionOfScale(settings_.Values().AspectScaleX));
    verticalScaleBar->setValue(BarPositionOfScale(settings_.Values().AspectScaleY));
    LayoutCalibrationControls();
    firstDrawTimer->start();
}

void CalibrationWindow::DrawWhenReady() {
    if (firstDrawTicks_ != 1) {
        ++firstDrawTicks_;
        return;
    }
    firstDrawTimer->stop();
    DrawCalibrationFrame();
}

void CalibrationWindow::ApplyHorizontalScale() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.AspectScaleX = AspectScaleOfBar(horizontalScaleBar->value());
    SaveScales(changed);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::ApplyVerticalScale() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.AspectScaleY = AspectScaleOfBar(verticalScaleBar->value());
    SaveScales(changed);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::SaveScales(const archive::DrawSettingsState& changed) {
    try {
        SaveDrawSettingsAndApply(settings_, drawing_, changed);
    } catch (...) {
        // Refused or failed: the bars go back to the scales in force (without
        // running their change handlers), which the figure still shows. A bar
        // held with the mouse stops stepping (its own timer would step it on
        // while the refusal is on the screen, and be refused again and again).
        for (QScrollBar* bar : {horizontalScaleBar, verticalScaleBar}) {
            bar->setEnabled(false);
            bar->setEnabled(true);
        }
        const QSignalBlocker keepX(horizontalScaleBar), keepY(verticalScaleBar);
        horizontalScaleBar->setValue(BarPositionOfScale(settings_.Values().AspectScaleX));
        verticalScaleBar->setValue(BarPositionOfScale(settings_.Values().AspectScaleY));
        throw;
    }
}

void CalibrationWindow::ResetScales() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.AspectScaleX = 1.0L;
    changed.AspectScaleY = 1.0L;
    SaveScales(changed);
    horizontalScaleBar->setValue(0);
    verticalScaleBar->setValue(0);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::SaveAndClose() {
    // A file that cannot be written is named; the window closes all the same.
    gui::Guard([this] { SaveDrawSettingsAndApply(settings_, drawing_); });
    done(Accepted);
}

void CalibrationWindow::StopAndReloadSettings() {
    firstDrawTimer->stop();
    engine::LoadEngineSettings(current_.settings, current_.orbs, ShowSettingsMessage);
}

void CalibrationWindow::done(int result) {
    gui::Guard([this] { StopAndReloadSettings(); });
    QDialog::done(result);
}

void CalibrationWindow::DrawCalibrationFrame() {
    drawingArea->setGeometry(rect());
    drawingArea->ClearCanvas();
    if (sheets_.SheetCode != 0) return;
    Surface& c = drawingArea->Canvas();
    {
        ScopedPen pen(c, 64);
        DrawCircleScaled(c, kCalibrationCentreX, kCalibrationCentreY, 95);
    }
    {
        ScopedPen pen(c, 1);
        const long double sx = drawing_.AspectScaleX, sy = drawing_.AspectScaleY;
        c.MoveTo(MapPoint(c, kCalibrationCentreX - 100 / sx, kCalibrationCentreY));
        LineToScaled(c, kCalibrationCentreX + 100 / sx, kCalibrationCentreY);
        c.MoveTo(MapPoint(c, kCalibrationCentreX, kCalibrationCentreY - 100 / sy));
        LineToScaled(c, kCalibrationCentreX, kCalibrationCentreY + 100 / sy);
        const long double dx = 10 / sx, dy = 10 / sy;
        for (int k = 0; k <= 10; ++k) {
            for (long double x : {kCalibrationCentreX + k * dx, kCalibrationCentreX - k * dx}) {
                c.MoveTo(MapPoint(c, x, 98.6L));
                LineToScaled(c, x, 104.6L);
            }
            for (long double y : {kCalibrationCentreY + k * dy, kCalibrationCentreY - k * dy}) {
                c.MoveTo(MapPoint(c, 137, y));
                LineToScaled(c, 143, y);
            }
        }
    }
    DrawPageFrame(c);
}

void CalibrationWindow::LayoutCalibrationControls() {
    // Page units per pixel (aspect scale / pixels per unit x zoom).
    const long double scaleX = drawing_.AspectScaleX / drawing_.PixelsPerUnit * drawing_.ZoomFactor;
    const long double scaleY = drawing_.AspectScaleY / drawing_.PixelsPerUnit * drawing_.ZoomFactor;
    auto px = [scaleX](long double length) { return static_cast<int>(rt::Round(length / scaleX)); };
    auto py = [scaleY](long double length) { return static_cast<int>(rt::Round(length / scaleY)); };
    const int width = px(70), height = py(70);
    controlPanel->setGeometry(static_cast<int>(rt::Round(kCalibrationCentreX / scaleX - width / 2.0L)),
                        static_cast<int>(rt::Round(kCalibrationCentreY / scaleY - height / 2.0L)), width,
                        height);
    horizontalScaleBar->setGeometry(px(1), py(65), px(64), py(4));
    verticalScaleBar->setGeometry(px(65), py(1), px(4), py(64));
    okButton->setGeometry(px(20), py(20), px(26), py(6));
    resetButton->setGeometry(px(20), py(27), px(26), py(6));
    int y = 42;
    for (QLabel* label : instructionLabels) {
        label->adjustSize();
        label->move(px(2), py(y));
        y += 3;
    }
}

QImage CalibrationWindow::Snapshot() {
    QImage image = drawingArea->Snapshot();
    // The controls over the canvas, as the user sees them.
    QPainter painter(&image);
    controlPanel->render(&painter, controlPanel->pos());
    return image;
}

}  // namespace display
