#include "platform/gui/spin_button.h"

#include <QString>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace gui {

SpinButtonParts MakeSpinButton(QWidget* parent, const char* name) {
    SpinButtonParts parts;
    parts.box = new QWidget(parent);
    parts.box->setObjectName(name);
    auto* spin = new QVBoxLayout(parts.box);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->setSpacing(0);
    parts.up = new QToolButton(parts.box);
    parts.up->setObjectName(QString(name) + "Up");
    parts.up->setArrowType(Qt::UpArrow);
    parts.down = new QToolButton(parts.box);
    parts.down->setObjectName(QString(name) + "Down");
    parts.down->setArrowType(Qt::DownArrow);
    spin->addWidget(parts.up);
    spin->addWidget(parts.down);
    return parts;
}

}  // namespace gui
