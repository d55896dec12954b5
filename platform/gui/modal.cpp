#include "platform/gui/modal.h"

#include <QDialog>

namespace gui {
namespace {
std::map<QString, ModalHandler>& Handlers() {
    static std::map<QString, ModalHandler> h;
    return h;
}
ModalHandler& Fallback() {
    static ModalHandler h;
    return h;
}
ModalHandler& LastResort() {
    static ModalHandler h;
    return h;
}
}  // namespace

int ShowModal(QDialog* dialog) {
    auto it = Handlers().find(dialog->objectName());
    if (it != Handlers().end()) return it->second(dialog);
    if (Fallback()) return Fallback()(dialog);
    if (LastResort()) return LastResort()(dialog);
    return dialog->exec();
}

void SetModalHandler(const QString& objectName, ModalHandler handler) { Handlers()[objectName] = std::move(handler); }

void ClearModalHandlers() {
    Handlers().clear();
    Fallback() = nullptr;
}

void SetDefaultModalHandler(ModalHandler handler) { Fallback() = std::move(handler); }

void SetLastResortModalHandler(ModalHandler handler) { LastResort() = std::move(handler); }

}  // namespace gui
