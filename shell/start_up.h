#pragma once
// The start of the program: the current chart with its start values, the
// screen and printer measurements, the engine settings, and the windows
// created in their fixed order.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/paths.h"

#include "shell/forms.h"
#include "shell/main_window.h"

namespace archive {
struct CurrentChart;
}  // namespace archive

namespace display {
class ChartWindow;
struct DrawingState;
}  // namespace display

namespace shell {

inline constexpr const char* kNoPrinterWarning = "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)";

// Clears the current chart and the drawing state to zero, empty or false, and
// reads the shipped tables again.
void ResetSharedState(archive::CurrentChart& current, display::DrawingState& drawing);
// The start values of the drawing state: zoom, origin and the screen
// measurements (aspect, pixels per unit, font scale).
void SetStartValues(display::DrawingState& drawing, int screenWidth, int screenHeight);
// Asks the printer for its page width: the drawing state's PrinterPresent and
// PrinterPixelsPerUnit, landscape orientation; without a printer a warning box,
// and the start goes on.
void CheckPrinter(display::DrawingState& drawing);
// The message of the shipped files the preparation of the data folder renewed,
// and of those the user had changed whose new version is kept beside them
// (program names, as the folder spells them), in Dutch (Windows-1252).
std::string RenewedShippedFilesMessage(const rt::RenewalNotice& notice);
// The message of a data folder that others could read and that the start made
// private (rt::MakeDataFolderPrivate), in Dutch (Windows-1252).
std::string DataFolderMadePrivateMessage(const std::filesystem::path& folder);
// The start, on the current chart the run keeps for the program's windows:
// reset, start values from the real screen, engine settings and orb sets,
// remedy files, printer check. A file a step cannot read
// is named in a message and the steps after it are still done. The renewal
// notice of the data folder (`renewal`, as rt::PrepareDataFolder gave it) is
// told first; once the user has answered it (`answeredByUser` says whether
// the answer was the user's, and not the end of the session's; none: always)
// it is not told again. The screen and printer measures go into the drawing
// state handed.
void StartUp(archive::CurrentChart& current, display::DrawingState& drawing, const rt::RenewalNotice& renewal = {},
             const std::function<bool()>& answeredByUser = {});

// Creates the windows of the start, in their order, listed in `windows`; the
// main window first, held by `mainWindow`, which makes every other one and is
// handed the program's state, which outlives them, and the options of the
// windows it makes. windows.FreeAll() frees them all, the main window last,
// before `mainWindow` ends.
MainWindow& CreateStartWindows(ProgramWindows& windows, std::unique_ptr<MainWindow>& mainWindow,
                               const ProgramState& state, StartOptions options = {});

// On the main window's activation: an empty personal archive when "BASE.st1"
// is missing.
void EnsurePersonalArchive();
// On the main window's activation: no archetype view.
void ResetViewFlags(display::ChartWindow* chartWindow);

}  // namespace shell
