#pragma once
// The program's windows: each class has one instance, held by the window that
// opens it (the main window by the start), created in a fixed order, kept until
// the program ends and freed in reverse order; and the windows opened on demand.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/gui/modal.h"

class QWidget;

namespace shell {

// The program's windows made at the start: each held by the window that opens
// it (the main window by the run that starts the program), listed here in the
// order they were made and freed in reverse order, the main window last. The
// run that starts the program owns the list.
class ProgramWindows {
public:
    ProgramWindows() = default;
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;
    // Frees the windows still listed.
    ~ProgramWindows();

    // Creates a window (handed `args`), assigns its instance reference and lists
    // it before the window's last step of creation, `FinishCreation` (when it
    // has one), runs. The list clears the reference when it frees the window.
    template <typename T, typename... Args>
    T* Create(T*& instance, Args&&... args) {
        instance = new T(std::forward<Args>(args)...);
        Register(instance, [&instance] { instance = nullptr; });
        if constexpr (requires(T * t) { t->FinishCreation(); }) instance->FinishCreation();
        return instance;
    }

    // Creates a window held by `owner` (a member of the window that opens it)
    // and lists it, freed in its turn through the owner.
    template <typename T, typename... Args>
    T* Create(std::unique_ptr<T>& owner, Args&&... args) {
        owner = std::make_unique<T>(std::forward<Args>(args)...);
        T* form = owner.get();
        RegisterOwned(form, [&owner] { owner.reset(); });
        if constexpr (requires(T * t) { t->FinishCreation(); }) form->FinishCreation();
        return form;
    }

    // The windows made so far, in the order they were made.
    std::vector<QWidget*> Forms() const;
    // Frees every window in reverse order and clears the references.
    void FreeAll();

private:
    struct Entry {
        QWidget* form;
        std::function<void()> clear;
        // Frees a window held by its owner (instead of deleting it here).
        std::function<void()> release;
    };
    void Register(QWidget* form, std::function<void()> clearReference);
    void RegisterOwned(QWidget* form, std::function<void()> release);

    std::vector<Entry> entries_;
};

// The windows opened on demand: created from `args` when their button is
// pressed, shown modally, released when they close; the reference is null
// again afterwards (also when the showing ends in an error).
template <typename T, typename... Args>
int ShowOnDemand(T*& instance, const std::function<void(T*)>& prepare = {}, Args&&... args) {
    instance = new T(std::forward<Args>(args)...);
    struct Release {
        T*& ref;
        ~Release() {
            delete ref;
            ref = nullptr;
        }
    } release{instance};
    if constexpr (requires(T * t) { t->FinishCreation(); }) instance->FinishCreation();
    if (prepare) prepare(instance);
    return gui::ShowModal(instance);
}

// A window opened on demand and owned by the command that opens it: created
// from `args`, shown modally and freed when it closes (also when the showing
// ends in an error).
template <typename T, typename... Args>
int ShowOwnedOnDemand(Args&&... args) {
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    if constexpr (requires(T * t) { t->FinishCreation(); }) window->FinishCreation();
    return gui::ShowModal(window.get());
}

}  // namespace shell
