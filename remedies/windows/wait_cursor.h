#pragma once
// The hourglass cursor for the length of a scope: released on every way out,
// an error included.
namespace remedies {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace remedies
