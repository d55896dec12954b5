#pragma once
// The colours of the remedy windows and the one way they are given to a widget
// (its base and window colours, which tests read back).
#include <QColor>

// kWindowColour and ColourOf: the windows' colour numbers.
#include "remedies/windows/search_window_parts.h"

class QWidget;

namespace remedies {

inline const QColor kAqua(0, 255, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kSilver(192, 192, 192);
inline const QColor kGrey(128, 128, 128);
inline const QColor kCream(254, 226, 186);        // 12247806

void SetBackground(QWidget* widget, const QColor& colour);
QColor BackgroundOf(const QWidget* widget);

}  // namespace remedies
