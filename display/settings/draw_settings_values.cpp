#include "display/settings/draw_settings_values.h"

#include <algorithm>

#include "archive/archive_records.h"
#include "archive/draw_settings_file.h"
#include "display/draw/drawing_state.h"
#include "engine/position_text.h"
#include "platform/runtime/number_text.h"

namespace display {

long double AspectScaleOfBar(int position) {
    const double quotient = static_cast<double>(position) / 1000.0;
    return 1.0L - static_cast<long double>(quotient);
}

int BarPositionOfScale(long double scale) {
    const std::int64_t p = rt::Round((1.0L - scale) * 1000.0L);
    return static_cast<int>(std::clamp<std::int64_t>(p, -200, 200));
}

std::string LineWidthText(long double factor) { return archive::GeneralRealText(factor).substr(0, 4); }

bool ParseLineWidth(const std::string& text, long double& factor) {
    std::string t;
    engine::TrimBlanks(text, t);
    if (t.empty()) return false;
    int code = 0;
    long double v = rt::ValRealEitherSeparator(t, code);
    if (code != 0) return false;
    factor = v;
    return true;
}

long double ClampLineWidth(long double factor) {
    if (factor > kLineWidthMaximum) return kLineWidthMaximum;
    if (factor < kLineWidthMinimum) return kLineWidthMinimum;
    return factor;
}

long double ThickerLineWidth(long double shown) { return ClampLineWidth(shown / kLineWidthStep); }

long double ThinnerLineWidth(long double shown) { return ClampLineWidth(shown * kLineWidthStep); }

void ApplyDrawSettingsToDrawing(DrawingState& drawing, const archive::DrawSettingsState& inForce) {
    drawing.lineWidthFactor = inForce.lineWidthFactor;
    drawing.aspectScaleX = inForce.aspectScaleX;
    drawing.aspectScaleY = inForce.aspectScaleY;
}

void SaveDrawSettingsAndApply(archive::DrawSettings& settings, DrawingState& drawing) {
    settings.Save();
    ApplyDrawSettingsToDrawing(drawing, settings.Values());
}

void SaveDrawSettingsAndApply(archive::DrawSettings& settings, DrawingState& drawing,
                              const archive::DrawSettingsState& changed) {
    settings.Save(changed);
    ApplyDrawSettingsToDrawing(drawing, settings.Values());
}

}  // namespace display
