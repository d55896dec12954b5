#pragma once
// Windows of the other subsystems, created at start-up in their place in the
// creation order. Each is its own class with its caption and size; its
// controls and handlers are built with its subsystem.
#include <QDialog>
#include <QWidget>

#include "display/settings/calibration_window.h"
#include "display/settings/line_width_dialog.h"
#include "display/settings/printer_model_dialog.h"
#include "display/sheets/sheet_viewer.h"
#include "shell/orb_settings_window.h"

class QFrame;

namespace shell {

// A modal window of another subsystem.
class PlaceholderDialog : public QDialog {
    Q_OBJECT
public:
    PlaceholderDialog(const char* instanceName, const QString& caption, int width, int height);
};

// A full-screen window with a bottom panel `Panel1` (chart window, sheet viewer).
class PlaceholderFullScreen : public QWidget {
    Q_OBJECT
public:
    PlaceholderFullScreen(const char* instanceName, const QString& caption);
    QFrame* Panel1 = nullptr;
};


using display::TFgrTxtKel;
using display::TFoSpeLin;
using display::TFoStampa;
using display::FgrTxtKel;
using display::FoSpeLin;
using display::FoStampa;
class TFoTerapi : public PlaceholderDialog { Q_OBJECT public: TFoTerapi(); };
class TFoSintom2 : public PlaceholderDialog { Q_OBJECT public: TFoSintom2(); };
class TFoSintom3 : public PlaceholderDialog { Q_OBJECT public: TFoSintom3(); };
class TFoManut1 : public PlaceholderDialog { Q_OBJECT public: TFoManut1(); };
class TFoMainArc : public PlaceholderDialog { Q_OBJECT public: TFoMainArc(); };
class TFoAggRep : public PlaceholderDialog { Q_OBJECT public: TFoAggRep(); };
class TFoAggiorna : public PlaceholderDialog { Q_OBJECT public: TFoAggiorna(); };
class TFoSegnat : public PlaceholderDialog { Q_OBJECT public: TFoSegnat(); };
class TFoUtilit : public PlaceholderDialog { Q_OBJECT public: TFoUtilit(); };
class TFoPrinci : public PlaceholderDialog { Q_OBJECT public: TFoPrinci(); };
class TFoPiante : public PlaceholderDialog { Q_OBJECT public: TFoPiante(); };
class TFoMali : public PlaceholderDialog { Q_OBJECT public: TFoMali(); };
class TFoSintesi : public PlaceholderDialog { Q_OBJECT public: TFoSintesi(); };

using display::TFgrNaKel;

using display::FgrNaKel;
extern TFoTerapi* FoTerapi;
extern TFoSintom2* FoSintom2;
extern TFoSintom3* FoSintom3;
extern TFoManut1* FoManut1;
extern TFoMainArc* FoMainArc;
extern TFoAggRep* FoAggRep;
extern TFoAggiorna* FoAggiorna;
extern TFoSegnat* FoSegnat;
extern TFoUtilit* FoUtilit;
extern TFoPrinci* FoPrinci;
extern TFoPiante* FoPiante;
extern TFoMali* FoMali;
extern TFoSintesi* FoSintesi;

}  // namespace shell
