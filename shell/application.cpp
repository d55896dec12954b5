#include "shell/application.h"

#include <QApplication>
#include <QMessageBox>

#include "engine/chart_state.h"
#include "engine/engine_settings.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/runtime/paths.h"
#include "shell/main_window.h"

namespace shell {

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvor");
    try {
        rt::PrepareDataFolder();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "kelvor", QString::fromUtf8(e.what()));
        return 1;
    }
    engine::ResetChartState();
    gui::Guard([] { engine::LoadOrbiDomiSettings(); });
    gui::InstallIdleHook();
    TFoKelvor window;
    window.show();
    return app.exec();
}

}  // namespace shell
