#include "shell/forms.h"

#include <QWidget>
#include <utility>

namespace shell {

namespace {
struct FormEntry {
    QWidget* form;
    std::function<void()> clear;
    // Frees a window held by its owner (instead of deleting it here).
    std::function<void()> release;
};
std::vector<FormEntry>& Entries() {
    static std::vector<FormEntry> entries;
    return entries;
}
}  // namespace

void RegisterForm(QWidget* form, std::function<void()> clearReference) {
    Entries().push_back({form, std::move(clearReference), {}});
}

void RegisterOwnedForm(QWidget* form, std::function<void()> release) {
    Entries().push_back({form, {}, std::move(release)});
}

std::vector<QWidget*> Forms() {
    std::vector<QWidget*> out;
    for (const FormEntry& e : Entries()) out.push_back(e.form);
    return out;
}

void FreeForms() {
    std::vector<FormEntry> entries = std::move(Entries());
    Entries().clear();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->release) {
            it->release();
            continue;
        }
        if (it->clear) it->clear();
        delete it->form;
    }
}

}  // namespace shell
