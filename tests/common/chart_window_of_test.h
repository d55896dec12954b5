#pragma once
// Tests reach the chart window by finding it, since nothing in the program
// holds it but the main window that makes it (or the test that made it).
#include <QApplication>
#include <QWidget>

#include "display/chart/chart_window.h"
#include "display/chart/open_chart_window.h"
#include "display/chart/plants_panel.h"
#include "tests/common/controls_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/wheel_geometry_of_test.h"

namespace testing_support {

// The chart window that exists (made by the test or by the program's start),
// or null.
inline display::ChartWindow* ChartWindowOfTest() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* c = dynamic_cast<display::ChartWindow*>(w)) return c;
    return nullptr;
}

// The chart window, made when none exists yet (the test frees it).
inline display::ChartWindow* EnsureChartWindowForTest() {
    if (auto* c = ChartWindowOfTest()) return c;
    return new display::ChartWindow(WheelGeometryOfTest(), CurrentChartOfTest(), DrawingStateOfTest());
}

// Opens the chart window as the main window's button does, making it when none
// exists yet.
inline void OpenChartWindowForTest() { display::OpenChartWindow(*EnsureChartWindowForTest()); }

// The control of the chart window that exists named `name`.
template <typename T>
T* ChartControl(const char* name) {
    return ControlOf<T>(*ChartWindowOfTest(), name);
}

// The plants panel of the chart window that exists.
inline display::PlantsPanel& PlantsPanelOfTest() { return *ChartWindowOfTest()->findChild<display::PlantsPanel*>(); }

}  // namespace testing_support

namespace testing_support {

// The natal wheel state the tests hand to the routines that fill or read it: the
// chart window's own while one exists (its drawing fills it, its clicks read it),
// else one the tests keep for the routines they call without a window.
inline display::NatalWheelState& NatalWheelOfTest() {
    if (auto* c = ChartWindowOfTest()) return c->NatalWheel();
    static display::NatalWheelState wheel;
    return wheel;
}

}  // namespace testing_support
