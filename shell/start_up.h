#pragma once
#include <memory>
// The start of the program: the shared state with its start values, the screen
// and printer measurements, the engine settings, and the windows created in
// their fixed order.
#include <string>
#include <vector>

namespace display {
struct DrawingState;
}  // namespace display

namespace shell {

class MainWindow;
}  // namespace shell

namespace display {
class ChartWindow;
}  // namespace display

namespace shell {

inline constexpr const char* kNoPrinterWarning =
    "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)";

// Clears the whole shared state to zero, empty or false, the drawing state too.
void ResetSharedState(display::DrawingState& drawing);
// The start values: chart kind, and in the drawing state zoom, origin and the
// screen measurements (aspect, pixels per unit, font scale).
void SetStartValues(display::DrawingState& drawing, int screenWidth, int screenHeight);
// Asks the printer for its page width: the drawing state's PrinterPresent and
// PrinterPixelsPerUnit, landscape orientation; without a printer a warning box,
// and the start goes on.
void CheckPrinter(display::DrawingState& drawing);
// The message of the shipped files the preparation of the data folder renewed
// (program names, as the folder spells them), in Dutch (Windows-1252).
std::string RenewedShippedFilesMessage(const std::vector<std::string>& renewed);
// Steps 2 to 6 of the start: reset, start values from the real screen, engine
// settings and orb sets, remedy files, printer check. A file a step cannot read
// is named in a message and the steps after it are still done. The shipped
// files the data folder's preparation renewed are told first, once. The screen
// and printer measures go into the drawing state handed.
void StartUp(display::DrawingState& drawing);

// Creates the windows of the start, in their order; the main window first,
// held by `mainWindow`, which holds (or whose windows hold) every other one.
// FreeForms frees them all, the main window last, before `mainWindow` ends.
// The windows that draw are handed the drawing state, which outlives them.
MainWindow& CreateStartWindows(std::unique_ptr<MainWindow>& mainWindow, display::DrawingState& drawing);

// The main window's activation, step 2: an empty personal archive when
// "BASE.st1" is missing.
void EnsurePersonalArchive();
// The main window's activation, step 4: no archetype view.
void ResetViewFlags(display::ChartWindow* chartWindow);

}  // namespace shell
