#include "shell/placeholder_windows.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"

namespace shell {

TFoTerapi* FoTerapi = nullptr;
TFoSintom2* FoSintom2 = nullptr;
TFoSintom3* FoSintom3 = nullptr;
TFoManut1* FoManut1 = nullptr;
TFoMainArc* FoMainArc = nullptr;
TFoAggRep* FoAggRep = nullptr;
TFoAggiorna* FoAggiorna = nullptr;
TFoSegnat* FoSegnat = nullptr;
TFoUtilit* FoUtilit = nullptr;
TFoPrinci* FoPrinci = nullptr;
TFoPiante* FoPiante = nullptr;
TFoMali* FoMali = nullptr;
TFoSintesi* FoSintesi = nullptr;

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

TFoTerapi::TFoTerapi() : PlaceholderDialog("FoTerapi", Caption("THERAPIE\xCBN"), 640, 480) {}
TFoSintom2::TFoSintom2() : PlaceholderDialog("FoSintom2", Caption("Quorim-2"), 640, 480) {}
TFoSintom3::TFoSintom3() : PlaceholderDialog("FoSintom3", Caption("Quorim-1"), 640, 480) {}
TFoManut1::TFoManut1() : PlaceholderDialog("FoManut1", Caption("Manutenzione"), 560, 420) {}
TFoMainArc::TFoMainArc() : PlaceholderDialog("FoMainArc", Caption("Primaire Database"), 640, 480) {}
TFoAggRep::TFoAggRep() : PlaceholderDialog("FoAggRep", Caption("Therapie\xEBn Database"), 640, 480) {}
TFoAggiorna::TFoAggiorna() : PlaceholderDialog("FoAggiorna", Caption("Updates"), 420, 300) {}
TFoSegnat::TFoSegnat() : PlaceholderDialog("FoSegnat", Caption(" ASTROLOGISCHE SIGNATUUR"), 640, 480) {}
TFoUtilit::TFoUtilit() : PlaceholderDialog("FoUtilit", Caption("Utility Ricerca"), 560, 420) {}
TFoPrinci::TFoPrinci() : PlaceholderDialog("FoPrinci", Caption("PRINCIPI CURATIVI"), 640, 480) {}
TFoPiante::TFoPiante() : PlaceholderDialog("FoPiante", Caption("PLANTEN en ACTIEVE PRINCIPES"), 640, 480) {}
TFoMali::TFoMali()
    : PlaceholderDialog("FoMali", Caption("ASTROLOGISCHE DEBILITEIT / PATHOLOGIEN"), 640, 480) {}
TFoSintesi::TFoSintesi() : PlaceholderDialog("FoSintesi", Caption("PSYCHISCHE SYNTHESE"), 640, 480) {}


}  // namespace shell
