#include "shell/window_placement.h"

#include <QWidget>

#include "platform/gui/system_services.h"

namespace shell {

ScreenSize CurrentScreenSize() { return {gui::System().ScreenWidth(), gui::System().ScreenHeight()}; }

void SizeFullScreen(QWidget* window, ScreenSize screen) {
    if (!window) return;
    window->move(0, 0);
    window->resize(screen.width, screen.height);
    window->hide();
}

}  // namespace shell
