#include "platform/gui/guard.h"

#include <exception>

#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"

namespace gui {

bool Guard(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const rt::IoError& e) {
        // The run-time's message, the file it is about and what the user can do.
        ShowMessage(e.UserMessage());
    } catch (const std::exception& e) {
        ShowMessage(e.what());
    }
    return false;
}

}  // namespace gui
