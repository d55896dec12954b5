#include "platform/gui/lock_glyph.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPen>
#include <QPixmap>

namespace gui {

// Drawn rather than loaded: a shackle over a body, closed or open.
QIcon LockIcon(bool shut) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::NoBrush);
    if (shut)
        p.drawArc(QRectF(5, 2, 10, 12), 0, 180 * 16);
    else
        p.drawArc(QRectF(9, 1, 10, 12), 0, 180 * 16);
    p.drawLine(QPointF(5, 8), QPointF(5, 10));
    if (shut) p.drawLine(QPointF(15, 8), QPointF(15, 10));
    p.setBrush(QColor(200, 160, 40));
    p.drawRect(QRectF(3, 9, 14, 9));
    return QIcon(pm);
}

void SetLockGlyph(QAbstractButton* button, bool shut) {
    button->setIcon(LockIcon(shut));
    button->setProperty("glyph", shut ? "LockShut" : "LockOpen");
}

}  // namespace gui
