#include "platform/gui/idle.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "platform/gui/guard.h"

namespace gui {
namespace {
std::function<void()>& Handler() {
    static std::function<void()> h;
    return h;
}
bool g_running = false;
}  // namespace

void SetIdleHandler(std::function<void()> handler) { Handler() = std::move(handler); }
void ClearIdleHandler() { Handler() = nullptr; }
bool HasIdleHandler() { return static_cast<bool>(Handler()); }

void RunIdleHandler() {
    if (!Handler() || g_running) return;
    g_running = true;
    auto h = Handler();  // the handler may replace itself
    Guard(h);
    g_running = false;
}

void InstallIdleHook() {
    auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    if (!dispatcher) return;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] { RunIdleHandler(); });
}

}  // namespace gui
