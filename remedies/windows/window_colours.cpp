#include "remedies/windows/window_colours.h"

#include <QPalette>
#include <QWidget>

namespace remedies {

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QColor BackgroundOf(const QWidget* widget) { return widget->palette().color(QPalette::Base); }

}  // namespace remedies
