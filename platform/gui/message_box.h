#pragma once
// Every message box of the program goes through ShowMessage; tests install a sink
// that records the text and answers from a queue, so no test blocks.
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

namespace gui {

enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel };
// Answers keep the old platform's numbers.
enum Answer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

struct MessageRequest {
    std::string text;     // Windows-1252 bytes
    std::string caption;  // Windows-1252 bytes
    Buttons buttons = Buttons::Ok;
    QWidget* owner = nullptr;  // the window the box belongs to (set by ShowMessage)
};

using MessageSink = std::function<int(const MessageRequest&)>;

// Shows a modal message box and returns the answer.
// Sets a box up for a request: text, the whole caption (the box is made wide
// enough for it), buttons. A command the text gives to run stands whole on a
// line of its own, and Ctrl+C with nothing selected copies it (or the text,
// when it gives none). ShowMessage uses it; tests look at the box.
void PrepareMessageBox(QMessageBox& box, const MessageRequest& request);

// The box belongs to the window the user is going to (ShowInFront), else to
// the active window; after it, the window the user was going to is put in
// front again.
int ShowMessage(const std::string& text, const std::string& caption = {}, Buttons buttons = Buttons::Ok);

// Shows a window the user goes to from another (the full-screen chart window,
// the sheet viewer), raised and activated. Until the window system has made
// it the active window, a message shown meanwhile (its opening may name a
// damaged file) belongs to it, and it is put in front again after the
// message: the window the user left does not stay over it.
void ShowInFront(QWidget* window);

// Installs a sink (an empty function restores real message boxes) and
// returns the one it replaces.
MessageSink SetMessageSink(MessageSink sink);

// A sink for tests: records every request and answers from a queue (Ok, or Yes
// for questions, when the queue is empty). Installs itself while it lives and
// puts the previous sink back afterwards.
class RecordingMessageSink {
public:
    RecordingMessageSink();
    ~RecordingMessageSink();
    std::vector<MessageRequest> messages;
    std::deque<int> answers;
    std::vector<std::string> Texts() const;

private:
    MessageSink previous_;
};

}  // namespace gui
