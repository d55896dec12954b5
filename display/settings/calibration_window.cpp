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

#include "archive/draw_settings_file.h"
#include "display/draw/canvas_form.h"
#include "display/draw/drawing_state.h"
#include "display/draw/drawing_tools.h"
#include "display/draw/primitives.h"
#include "display/settings/draw_settings_values.h"
#include "display/sheets/sheet_selection.h"
#include "engine/engine_settings.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"

namespace display {

CalibrationWindow* theCalibrationWindow = nullptr;
CalibrationState Calibration;

void ResetCalibrationState() { Calibration = CalibrationState{}; }

namespace {

constexpr long double kCentreX = 140;
constexpr long double kCentreY = 101.6L;

}  // namespace

CalibrationWindow::CalibrationWindow() {
    setObjectName("FgrTxtKel");
    setWindowTitle(gui::ToQt("Rondheid van Cirkles en Schermgroote"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    }
    FormCanvas = new CanvasForm(this);
    FormCanvas->setObjectName("FormCanvas");
    FormCanvas->SetBackground(kBlack);

    Panel1 = gui::MakeArea(FormCanvas, "Panel1");
    {
        QPalette pal = Panel1->palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        Panel1->setPalette(pal);
        Panel1->setAutoFillBackground(true);
    }
    // The instructions in white on the grey panel.
    Lab1 = gui::MakeLabel(Panel1, "Lab1", "Gebruik de cursor om het gele kader");
    Lab2 = gui::MakeLabel(Panel1, "Lab2", "zoveel als nodig te verkleinen en een");
    Lab3 = gui::MakeLabel(Panel1, "Lab3", "gele (ronde) cirkel te bekomen.");
    for (QLabel* l : {Lab1, Lab2, Lab3}) {
        l->setAttribute(Qt::WA_TranslucentBackground);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }
    gui::MakeButtons(Panel1, {{&BBok, "BBok", "OK"}, {&BBres, "BBres", "Reset"}});
    BBok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    gui::SetBold(BBres);
    {
        QPalette pal = BBres->palette();
        pal.setColor(QPalette::ButtonText, QColor(255, 0, 0));
        BBres->setPalette(pal);
    }
    ScBO = new QScrollBar(Qt::Horizontal, Panel1);
    ScBO->setObjectName("ScBO");
    ScBV = new QScrollBar(Qt::Vertical, Panel1);
    ScBV->setObjectName("ScBV");
    for (QScrollBar* bar : {ScBO, ScBV}) {
        bar->setRange(-200, 200);
        bar->setPageStep(10);
        bar->setSingleStep(1);
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);

    connect(ScBO, &QScrollBar::valueChanged, this, gui::Guarded([this](auto&&...) { ScBOChange(); }));
    connect(ScBV, &QScrollBar::valueChanged, this, gui::Guarded([this](auto&&...) { ScBVChange(); }));
    connect(BBres, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBresClick(); }));
    connect(BBok, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBokClick(); }));
    connect(Timer1, &QTimer::timeout, this, gui::Guarded([this](auto&&...) { Timer1Timer(); }));
    resize(800, 600);
}

void CalibrationWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormCanvas->setGeometry(rect());
}

void CalibrationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { FormActivate(); });
}

void CalibrationWindow::FormActivate() {
    Drawing.ZoomFactor = 1.0L;
    // The settings as the file holds them; a factor 0 is taken as 1.0. A file
    // that cannot be read is named once, as the main window names it, and the
    // values in force stand in for it: the window works as always, and a
    // change is refused when it would be saved.
    try {
        archive::LoadOrCreateDrawSettings();
    } catch (const rt::IoError& e) {
        archive::ReportUnreadableDrawSettings(e);
    }
    ApplyDrawSettingsToDrawing();
    // A bar that moves runs its change handler, which writes the rounded factor.
    ScBO->setValue(BarPositionOfScale(archive::DrawSettings.AspectScaleX));
    ScBV->setValue(BarPositionOfScale(archive::DrawSettings.AspectScaleY));
    LayoutCalibrationControls();
    Timer1->start();
}

void CalibrationWindow::Timer1Timer() {
    if (Calibration.CalibTickCount != 1) {
        ++Calibration.CalibTickCount;
        return;
    }
    Timer1->stop();
    DrawCalibrationFrame();
}

void CalibrationWindow::ScBOChange() {
    archive::DrawSettingsState changed = archive::DrawSettings;
    changed.AspectScaleX = AspectScaleOfBar(ScBO->value());
    SaveScales(changed);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::ScBVChange() {
    archive::DrawSettingsState changed = archive::DrawSettings;
    changed.AspectScaleY = AspectScaleOfBar(ScBV->value());
    SaveScales(changed);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::SaveScales(const archive::DrawSettingsState& changed) {
    try {
        SaveDrawSettingsAndApply(changed);
    } catch (...) {
        // Refused or failed: the bars go back to the scales in force (without
        // running their change handlers), which the figure still shows. A bar
        // held with the mouse stops stepping (its own timer would step it on
        // while the refusal is on the screen, and be refused again and again).
        for (QScrollBar* bar : {ScBO, ScBV}) {
            bar->setEnabled(false);
            bar->setEnabled(true);
        }
        const QSignalBlocker keepX(ScBO), keepY(ScBV);
        ScBO->setValue(BarPositionOfScale(archive::DrawSettings.AspectScaleX));
        ScBV->setValue(BarPositionOfScale(archive::DrawSettings.AspectScaleY));
        throw;
    }
}

void CalibrationWindow::BBresClick() {
    archive::DrawSettingsState changed = archive::DrawSettings;
    changed.AspectScaleX = 1.0L;
    changed.AspectScaleY = 1.0L;
    SaveScales(changed);
    ScBO->setValue(0);
    ScBV->setValue(0);
    DrawCalibrationFrame();
    LayoutCalibrationControls();
}

void CalibrationWindow::BBokClick() {
    // A file that cannot be written is named; the window closes all the same.
    gui::Guard([] { SaveDrawSettingsAndApply(); });
    done(Accepted);
}

void CalibrationWindow::FormClose() {
    Timer1->stop();
    engine::LoadOrbiDomiSettings();
}

void CalibrationWindow::done(int result) {
    gui::Guard([this] { FormClose(); });
    QDialog::done(result);
}

void CalibrationWindow::DrawCalibrationFrame() {
    FormCanvas->setGeometry(rect());
    FormCanvas->ClearCanvas();
    if (Sheets.SheetCode != 0) return;
    Drawing.DrawForm = FormCanvas;
    struct ClearDrawForm {
        ~ClearDrawForm() { Drawing.DrawForm = nullptr; }
    } clear;
    Surface& c = FormCanvas->Canvas();
    {
        ScopedPen pen(c, 64);
        DrawCircleScaled(c, kCentreX, kCentreY, 95);
    }
    {
        ScopedPen pen(c, 1);
        const long double sx = Drawing.AspectScaleX, sy = Drawing.AspectScaleY;
        c.MoveTo(MapPoint(kCentreX - 100 / sx, kCentreY));
        LineToScaled(c, kCentreX + 100 / sx, kCentreY);
        c.MoveTo(MapPoint(kCentreX, kCentreY - 100 / sy));
        LineToScaled(c, kCentreX, kCentreY + 100 / sy);
        const long double dx = 10 / sx, dy = 10 / sy;
        for (int k = 0; k <= 10; ++k) {
            for (long double x : {kCentreX + k * dx, kCentreX - k * dx}) {
                c.MoveTo(MapPoint(x, 98.6L));
                LineToScaled(c, x, 104.6L);
            }
            for (long double y : {kCentreY + k * dy, kCentreY - k * dy}) {
                c.MoveTo(MapPoint(137, y));
                LineToScaled(c, 143, y);
            }
        }
    }
    DrawPageFrame(FormCanvas);
}

void CalibrationWindow::LayoutCalibrationControls() {
    Calibration.CalibScaleX = Drawing.AspectScaleX / Drawing.PixelsPerUnit * Drawing.ZoomFactor;
    Calibration.CalibScaleY = Drawing.AspectScaleY / Drawing.PixelsPerUnit * Drawing.ZoomFactor;
    auto px = [](long double length) { return static_cast<int>(rt::Round(length / Calibration.CalibScaleX)); };
    auto py = [](long double length) { return static_cast<int>(rt::Round(length / Calibration.CalibScaleY)); };
    const int width = px(70), height = py(70);
    Panel1->setGeometry(static_cast<int>(rt::Round(kCentreX / Calibration.CalibScaleX - width / 2.0L)),
                        static_cast<int>(rt::Round(kCentreY / Calibration.CalibScaleY - height / 2.0L)), width,
                        height);
    ScBO->setGeometry(px(1), py(65), px(64), py(4));
    ScBV->setGeometry(px(65), py(1), px(4), py(64));
    BBok->setGeometry(px(20), py(20), px(26), py(6));
    BBres->setGeometry(px(20), py(27), px(26), py(6));
    int y = 42;
    for (QLabel* label : {Lab1, Lab2, Lab3}) {
        label->adjustSize();
        label->move(px(2), py(y));
        y += 3;
    }
}

QImage CalibrationWindow::Snapshot() {
    QImage image = FormCanvas->Snapshot();
    // The controls over the canvas, as the user sees them.
    QPainter painter(&image);
    Panel1->render(&painter, Panel1->pos());
    return image;
}

}  // namespace display
