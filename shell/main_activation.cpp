#include "shell/main_activation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "platform/gui/guard.h"

namespace shell {

void RunOnActivation(QWidget* window, std::function<void()> activate) {
    // The last window of the program that held the focus; compared only, never
    // used, as it may have been destroyed since.
    auto last = std::make_shared<const void*>(nullptr);
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, window,
                     [window, last, activate = std::move(activate)](QWindow* now) {
                         if (!now) return;  // another application took the focus
                         const void* previous = *last;
                         *last = now;
                         if (now == window->windowHandle() && previous && previous != now) gui::Guard(activate);
                     });
}

}  // namespace shell
