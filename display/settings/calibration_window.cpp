#include "display/settings/calibration_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
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
                                     const SheetSelectionState& sheets, DrawingState& drawing)
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
    drawingArea_ = new CanvasForm(this);
    drawingArea_->UseDrawingState(drawing);
    drawingArea_->setObjectName("FormCanvas");
    drawingArea_->SetBackground(kBlack);

    controlPanel_ = gui::MakeArea(drawingArea_, "Panel1");
    {
        QPalette pal = controlPanel_->palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        controlPanel_->setPalette(pal);
        controlPanel_->setAutoFillBackground(true);
    }
    // The instructions in white on the grey panel.
    instructionLabels_ = {gui::MakeLabel(controlPanel_, "Lab1", "Gebruik de cursor om het gele kader"),
                          gui::MakeLabel(controlPanel_, "Lab2", "zoveel als nodig te verkleinen en een"),
                          gui::MakeLabel(controlPanel_, "Lab3", "gele (ronde) cirkel te bekomen.")};
    for (QLabel* l : instructionLabels_) {
        l->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }
    gui::MakeButtons(controlPanel_, {{&okButton_, "BBok", "OK"}, {&resetButton_, "BBres", "Reset"}});
    okButton_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    gui::SetBold(resetButton_);
    {
        QPalette pal = resetButton_->palette();
        pal.setColor(QPalette::ButtonText, QColor(255, 0, 0));
        resetButton_->setPalette(pal);
    }
    horizontalScaleBar_ = new QScrollBar(Qt::Horizontal, controlPanel_);
    horizontalScaleBar_->setObjectName("ScBO");
    verticalScaleBar_ = new QScrollBar(Qt::Vertical, controlPanel_);
    verticalScaleBar_->setObjectName("ScBV");
    for (QScrollBar* bar : {horizontalScaleBar_, verticalScaleBar_}) {
        bar->setRange(-200, 200);
        bar->setPageStep(10);
        bar->setSingleStep(1);
    }
    firstDrawTimer_ = new QTimer(this);
    firstDrawTimer_->setObjectName("Timer1");
    firstDrawTimer_->setInterval(10);

    connect(horizontalScaleBar_, &QScrollBar::valueChanged, this,
            gui::Guarded([this](auto&&...) { ApplyHorizontalScale(); }));
    connect(verticalScaleBar_, &QScrollBar::valueChanged, this,
            gui::Guarded([this](auto&&...) { ApplyVerticalScale(); }));
    connect(resetButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ResetScales(); }));
    connect(okButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { SaveAndClose(); }));
    connect(firstDrawTimer_, &QTimer::timeout, this, gui::Guarded([this](auto&&...) { DrawWhenReady(); }));
    resize(800, 600);
}

void CalibrationWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    drawingArea_->setGeometry(rect());
}

void CalibrationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { PrepareOpening(); });
}

void CalibrationWindow::PrepareOpening() {
    drawing_.zoomFactor = 1.0L;
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
    horizontalScaleBar_->setValue(BarPositionOfScale(settings_.Values().aspectScaleX));
    verticalScaleBar_->setValue(BarPositionOfScale(settings_.Values().aspectScaleY));
    LayoutCalibrationControls();
    firstDrawTimer_->start();
}

void CalibrationWindow::DrawWhenReady() {
    if (firstDrawTicks_ != 1) {
        ++firstDrawTicks_;
        return;
    }
    firstDrawTimer_->stop();
    DrawCalibrationFrame();
}

void CalibrationWindow::ApplyHorizontalScale() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.aspectScaleX = AspectScaleOfBar(horizontalScaleBar_->value());
    SaveScales(changed);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::ApplyVerticalScale() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.aspectScaleY = AspectScaleOfBar(verticalScaleBar_->value());
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
        for (QScrollBar* bar : {horizontalScaleBar_, verticalScaleBar_}) {
            bar->setEnabled(false);
            bar->setEnabled(true);
        }
        const QSignalBlocker keepX(horizontalScaleBar_), keepY(verticalScaleBar_);
        horizontalScaleBar_->setValue(BarPositionOfScale(settings_.Values().aspectScaleX));
        verticalScaleBar_->setValue(BarPositionOfScale(settings_.Values().aspectScaleY));
        throw;
    }
}

void CalibrationWindow::ResetScales() {
    archive::DrawSettingsState changed = settings_.Values();
    changed.aspectScaleX = 1.0L;
    changed.aspectScaleY = 1.0L;
    SaveScales(changed);
    horizontalScaleBar_->setValue(0);
    verticalScaleBar_->setValue(0);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::SaveAndClose() {
    // A file that cannot be written is named; the window closes all the same.
    gui::Guard([this] { SaveDrawSettingsAndApply(settings_, drawing_); });
    done(Accepted);
}

void CalibrationWindow::StopAndReloadSettings() {
    firstDrawTimer_->stop();
    engine::LoadEngineSettings(current_.settings, current_.orbs, ShowSettingsMessage);
}

void CalibrationWindow::done(int result) {
    gui::Guard([this] { StopAndReloadSettings(); });
    QDialog::done(result);
}

void CalibrationWindow::DrawCalibrationFrame() {
    drawingArea_->setGeometry(rect());
    drawingArea_->ClearCanvas();
    if (sheets_.sheetCode != 0) return;
    Surface& c = drawingArea_->Canvas();
    {
        ScopedPen pen(c, 64);
        DrawCircleScaled(c, kCalibrationCentreX, kCalibrationCentreY, 95);
    }
    {
        ScopedPen pen(c, 1);
        const long double sx = drawing_.aspectScaleX, sy = drawing_.aspectScaleY;
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
    const long double scaleX = drawing_.aspectScaleX / drawing_.pixelsPerUnit * drawing_.zoomFactor;
    const long double scaleY = drawing_.aspectScaleY / drawing_.pixelsPerUnit * drawing_.zoomFactor;
    auto px = [scaleX](long double length) { return static_cast<int>(rt::Round(length / scaleX)); };
    auto py = [scaleY](long double length) { return static_cast<int>(rt::Round(length / scaleY)); };
    const int width = px(70), height = py(70);
    controlPanel_->setGeometry(static_cast<int>(rt::Round(kCalibrationCentreX / scaleX - width / 2.0L)),
                               static_cast<int>(rt::Round(kCalibrationCentreY / scaleY - height / 2.0L)), width,
                               height);
    horizontalScaleBar_->setGeometry(px(1), py(65), px(64), py(4));
    verticalScaleBar_->setGeometry(px(65), py(1), px(4), py(64));
    okButton_->setGeometry(px(20), py(20), px(26), py(6));
    resetButton_->setGeometry(px(20), py(27), px(26), py(6));
    int y = 42;
    for (QLabel* label : instructionLabels_) {
        label->adjustSize();
        label->move(px(2), py(y));
        y += 3;
    }
}

QImage CalibrationWindow::Snapshot() {
    QImage image = drawingArea_->Snapshot();
    // The controls over the canvas, as the user sees them.
    QPainter painter(&image);
    controlPanel_->render(&painter, controlPanel_->pos());
    return image;
}

}  // namespace display
