#include "shell/main_activation.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

#include "platform/gui/guard.h"

namespace shell {
namespace {

bool IsMessageBox(QWindow* window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window) return qobject_cast<QMessageBox*>(w) != nullptr;
    return false;
}

struct ActivationTrack {
    const void* last = nullptr;  // compared only, never used: it may be gone
    bool lastWasMessageBox = false;
    bool running = false;
};

}  // namespace

void RunOnActivation(QWidget* window, std::function<void()> activate) {
    auto track = std::make_shared<ActivationTrack>();
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, window,
                     [window, track, activate = std::move(activate)](QWindow* now) {
                         if (!now) return;  // another application took the focus
                         const void* previous = track->last;
                         const bool fromMessageBox = track->lastWasMessageBox;
                         track->last = now;
                         track->lastWasMessageBox = IsMessageBox(now);
                         // Back from a message box is no activation: a box shown
                         // by the activation itself would otherwise come back
                         // for ever.
                         if (now != window->windowHandle() || !previous || previous == now || fromMessageBox ||
                             track->running)
                             return;
                         track->running = true;
                         gui::Guard(activate);
                         track->running = false;
                     });
}

}  // namespace shell
