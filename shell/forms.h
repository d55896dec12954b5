#pragma once
// The program's windows: each class has one instance, held by the window that
// opens it (the main window by the start), created in a fixed order, kept until
// the program ends and freed in reverse order.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gui/modal.h"

class QWidget;

namespace shell {

// Records a created window and how to clear its instance reference.
void RegisterForm(QWidget* form, std::function<void()> clearReference);
// The windows created so far, in creation order.
std::vector<QWidget*> Forms();
// Records a created window held by its owner, and how the owner frees it.
void RegisterOwnedForm(QWidget* form, std::function<void()> release);
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

// Creates a window held by `owner` (a member of the window that opens it) and
// lists it among the program's windows, freed in its turn through the owner.
template <typename T, typename... Args>
T* CreateForm(std::unique_ptr<T>& owner, Args&&... args) {
    owner = std::make_unique<T>(std::forward<Args>(args)...);
    T* form = owner.get();
    RegisterOwnedForm(form, [&owner] { owner.reset(); });
    if constexpr (requires(T* t) { t->FinishCreation(); }) form->FinishCreation();
    return form;
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

// A window opened on demand and owned by the command that opens it: created
// from `args`, shown modally and freed when it closes (also when the showing
// ends in an error).
template <typename T, typename... Args>
int ShowOwnedOnDemand(Args&&... args) {
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    if constexpr (requires(T* t) { t->FinishCreation(); }) window->FinishCreation();
    return gui::ShowModal(window.get());
}

}  // namespace shell
