#include "shell/placeholder_windows.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"

namespace shell {

TFoMainArc* FoMainArc = nullptr;
TFoAggRep* FoAggRep = nullptr;
TFoAggiorna* FoAggiorna = nullptr;
TFoUtilit* FoUtilit = nullptr;

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

TFoMainArc::TFoMainArc() : PlaceholderDialog("FoMainArc", Caption("Primaire Database"), 640, 480) {}
TFoAggRep::TFoAggRep() : PlaceholderDialog("FoAggRep", Caption("Therapie\xEBn Database"), 640, 480) {}
TFoAggiorna::TFoAggiorna() : PlaceholderDialog("FoAggiorna", Caption("Updates"), 420, 300) {}
TFoUtilit::TFoUtilit() : PlaceholderDialog("FoUtilit", Caption("Utility Ricerca"), 560, 420) {}


}  // namespace shell
