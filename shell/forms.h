#pragma once
// The program's windows: each class has one instance, held by the window that
// opens it (the main window by the start), created in a fixed order, kept until
// the program ends and freed in reverse order.
#include <functional>
#include <utility>
#include <vector>

#include "platform/gui/modal.h"

class QWidget;

namespace shell {

// Records a created window and how to clear its instance reference.
void RegisterForm(QWidget* form, std::function<void()> clearReference);
// The windows created so far, in creation order.
std::vector<QWidget*> Forms();
// Frees every window in reverse creation order and clears the references.
void FreeForms();

// Creates a window (handed `args`) and assigns its instance reference before
// the window's last step of creation, `FinishCreation` (when it has one), runs.
template <typename T, typename... Args>
T* CreateForm(T*& instance, Args&&... args) {
    instance = new T(std::forward<Args>(args)...);
    RegisterForm(instance, [&instance] { instance = nullptr; });
    if constexpr (requires(T* t) { t->FinishCreation(); }) instance->FinishCreation();
    return instance;
}

// The windows opened on demand: created when their button is pressed, shown
// modally, released when they close; the reference is null again afterwards
// (also when the showing ends in an error).
template <typename T>
int ShowOnDemand(T*& instance, const std::function<void(T*)>& prepare = {}) {
    instance = new T();
    struct Release {
        T*& ref;
        ~Release() {
            delete ref;
            ref = nullptr;
        }
    } release{instance};
    if constexpr (requires(T* t) { t->FinishCreation(); }) instance->FinishCreation();
    if (prepare) prepare(instance);
    return gui::ShowModal(instance);
}

}  // namespace shell
