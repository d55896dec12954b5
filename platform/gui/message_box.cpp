#include "platform/gui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/gui/text_convert.h"

namespace gui {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}
}  // namespace

int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons) {
    MessageRequest request{text, caption, buttons};
    if (Sink()) return Sink()(request);
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setText(ToQt(text));
    box.setWindowTitle(caption.empty() ? QApplication::applicationDisplayName() : ToQt(caption));
    switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        case QMessageBox::Cancel: return AnswerCancel;
        default: return AnswerOk;
    }
}

MessageSink SetMessageSink(MessageSink sink) {
    MessageSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

RecordingMessageSink::RecordingMessageSink() {
    previous_ = SetMessageSink([this](const MessageRequest& r) {
        messages.push_back(r);
        if (!answers.empty()) {
            int a = answers.front();
            answers.pop_front();
            return a;
        }
        return (r.buttons == Buttons::YesNo || r.buttons == Buttons::YesNoCancel) ? int(AnswerYes)
                                                                                  : int(AnswerOk);
    });
}

RecordingMessageSink::~RecordingMessageSink() { SetMessageSink(std::move(previous_)); }

std::vector<std::string> RecordingMessageSink::Texts() const {
    std::vector<std::string> t;
    for (const auto& m : messages) t.push_back(m.text);
    return t;
}

}  // namespace gui
