#include "archive/name_window.h"

#include <algorithm>

namespace archive {

void NameWindow::Reset(int n, int position) {
    n_ = std::max(0, n);
    p_ = position;
}

int NameWindow::FirstShown() const {
    if (n_ <= 0) return 1;
    return Small() ? 1 : std::max(1, p_ - shape_.before);
}

int NameWindow::LastShown() const {
    if (n_ <= 0) return 0;
    return Small() ? n_ : std::min(n_, p_ - shape_.before + shape_.lines - 1);
}

int NameWindow::LineCount() const { return std::max(0, LastShown() - FirstShown() + 1); }

int NameWindow::PositionOfLine(int line) const {
    if (line < 0) return 0;
    int pos = FirstShown() + line;
    return pos <= LastShown() ? pos : 0;
}

bool NameWindow::LineUp() {
    if (Small() || p_ <= shape_.lineUpAbove) return false;
    --p_;
    return true;
}

bool NameWindow::LineDown() {
    if (Small() || p_ >= n_ - shape_.lineDownBelow) return false;
    ++p_;
    return true;
}

bool NameWindow::PageUp() {
    if (Small() || p_ <= shape_.pageUpAbove) return false;
    p_ -= shape_.page;
    return true;
}

bool NameWindow::PageDown() {
    if (Small() || p_ >= n_ - shape_.pageDownBelow) return false;
    p_ += shape_.page;
    return true;
}

void NameWindow::HoldAt(int position) {
    if (Small()) {
        p_ = std::clamp(position, 1, std::max(1, n_));
        return;
    }
    p_ = std::clamp(position, shape_.holdLow, std::max(shape_.holdLow, n_ - shape_.holdHigh));
}

}  // namespace archive
