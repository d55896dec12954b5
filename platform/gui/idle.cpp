#include "platform/gui/idle.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "platform/gui/guard.h"

namespace gui {
namespace {

// The one idle slot: the handler in force, and whether it is running (a
// handler that runs the event loop, as a modal dialog does, is not entered
// again).
class IdleSlot {
public:
    void Set(std::function<void()> handler) { handler_ = std::move(handler); }
    bool Has() const { return static_cast<bool>(handler_); }
    void Run() {
        if (!handler_ || running_) return;
        running_ = true;
        auto h = handler_;  // the handler may replace itself
        Guard(h);
        running_ = false;
    }

private:
    std::function<void()> handler_;
    bool running_ = false;
};

IdleSlot& Slot() {
    static IdleSlot slot;
    return slot;
}

}  // namespace

void SetIdleHandler(std::function<void()> handler) { Slot().Set(std::move(handler)); }
void ClearIdleHandler() { Slot().Set(nullptr); }
bool HasIdleHandler() { return Slot().Has(); }
void RunIdleHandler() { Slot().Run(); }

void InstallIdleHook() {
    auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    if (!dispatcher) return;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] { RunIdleHandler(); });
}

}  // namespace gui
