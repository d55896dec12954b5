#include "shell/forms.h"

#include <QWidget>
#include <utility>

namespace shell {

ProgramWindows::~ProgramWindows() { FreeAll(); }

void ProgramWindows::Register(QWidget* form, std::function<void()> clearReference) {
    entries_.push_back({form, std::move(clearReference), {}});
}

void ProgramWindows::RegisterOwned(QWidget* form, std::function<void()> release) {
    entries_.push_back({form, {}, std::move(release)});
}

std::vector<QWidget*> ProgramWindows::Forms() const {
    std::vector<QWidget*> out;
    for (const Entry& e : entries_) out.push_back(e.form);
    return out;
}

void ProgramWindows::FreeAll() {
    std::vector<Entry> entries = std::move(entries_);
    entries_.clear();
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
