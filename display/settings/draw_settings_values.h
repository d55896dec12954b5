#pragma once
// The values behind the calibration, line-width and printer-model dialogs: the
// aspect scales of the calibration bars, the steps of the line-width factor, and
// the drawing settings file written with the drawing state updated alike.
#include <string>

#include "archive/draw_settings_file.h"

namespace display {

struct DrawingState;

inline constexpr long double kLineWidthMinimum = 0.5L;
inline constexpr long double kLineWidthMaximum = 4.0L;
inline constexpr long double kLineWidthStep = 0.95L;

// AspectScale = 1 - position / 1000 (the quotient in double precision).
long double AspectScaleOfBar(int position);
// The bar position of a scale, Round((1 - scale) * 1000), held within -200..200.
int BarPositionOfScale(long double scale);

// The factor as the line-width box shows it: the first four characters of its
// shortest text, with a decimal comma ("0,90" for 0.9025, "1" for 1.0).
std::string LineWidthText(long double factor);
// The number in the box, read with a decimal point or comma (blanks around it
// allowed); false for a text that is not a number.
bool ParseLineWidth(const std::string& text, long double& factor);
// The factor held within 0.5 .. 4.0.
long double ClampLineWidth(long double factor);
// One step thicker (divided by 0.95) or thinner (times 0.95), within the limits.
long double ThickerLineWidth(long double shown);
long double ThinnerLineWidth(long double shown);

// The drawing state's copies of the line-width factor and the aspect scales
// from the drawing settings in force.
void ApplyDrawSettingsToDrawing(DrawingState& drawing, const archive::DrawSettingsState& inForce);
// Rewrites "FileSet\MMVarLas.stt" from the settings in memory and updates the drawing state.
void SaveDrawSettingsAndApply(archive::DrawSettings& settings, DrawingState& drawing);
// Rewrites the file with the changed values and, once they are written, takes
// them into the settings in force and the drawing state. A refused change (the
// file cannot be read) or a failed write raises its error and leaves the values
// in force everywhere, so a window shows them again.
void SaveDrawSettingsAndApply(archive::DrawSettings& settings, DrawingState& drawing,
                              const archive::DrawSettingsState& changed);

}  // namespace display
