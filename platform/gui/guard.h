#pragma once
// Every event handler runs inside Guard: an input/output error (or any other
// exception) is shown in a message box and the handler is abandoned.
#include <functional>

namespace gui {

// Runs the handler; returns false when it was abandoned by an error.
bool Guard(const std::function<void()>& handler);

// Wraps a handler for connect(): [=]{ Guard(...); }.
template <typename F>
auto Guarded(F f) {
    return [f](auto&&... args) { Guard([&] { f(args...); }); };
}

}  // namespace gui
