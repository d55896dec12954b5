#include "shell/placeholder_windows.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"

namespace shell {

TFgrNaKel* FgrNaKel = nullptr;

namespace {
// Captions hold Windows-1252 bytes where they need them.
QString Caption(const char* cp1252) { return gui::ToQt(cp1252); }
}  // namespace

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


TFgrNaKel::TFgrNaKel() : PlaceholderFullScreen("FgrNaKel", Caption("Grafieken")) {}

}  // namespace shell
