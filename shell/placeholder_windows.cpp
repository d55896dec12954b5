#include "shell/placeholder_windows.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"

namespace shell {

PlaceholderDialog::PlaceholderDialog(const char* instanceName, const QString& caption, int width,
                                     int height) {
    setObjectName(instanceName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(caption, this);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    resize(width, height);
}

PlaceholderFullScreen::PlaceholderFullScreen(const char* instanceName, const QString& caption) {
    setObjectName(instanceName);
    setWindowTitle(caption);
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setGeometry(0, 560, 800, 40);
    resize(800, 600);
}

}  // namespace shell
