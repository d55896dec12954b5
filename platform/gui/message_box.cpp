#include "platform/gui/message_box.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSpacerItem>

#include "platform/gui/text_convert.h"

namespace gui {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

// The window the user is going to, until the window system has made it the
// active window or it is hidden again.
class WindowInFront : public QObject {
public:
    void Set(QWidget* window) {
        Clear();
        if (!window || (window->isVisible() && window->isActiveWindow())) return;
        window_ = window;
        window->installEventFilter(this);
    }
    // The window, while it is shown and not yet active.
    QWidget* Pending() const { return window_ && window_->isVisible() ? window_.data() : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Hide)) Clear();
        return false;
    }

private:
    void Clear() {
        if (window_) window_->removeEventFilter(this);
        window_ = nullptr;
    }
    QPointer<QWidget> window_;
};

WindowInFront& InFront() {
    static WindowInFront inFront;
    return inFront;
}

// A command the text gives ("kelvor --import-signatures") stays whole on one
// line: the blank before its option and the option's hyphens do not break.
QString KeepCommandsWhole(QString text) {
    static const QRegularExpression command(QStringLiteral("\\w+ --[\\w-]+"));
    for (auto it = command.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        for (qsizetype i = m.capturedStart(); i < m.capturedEnd(); ++i) {
            if (text[i] == u' ') text[i] = QChar(0x00A0);       // no-break space
            else if (text[i] == u'-') text[i] = QChar(0x2011);  // non-breaking hyphen
        }
    }
    return text;
}

}  // namespace

void PrepareMessageBox(QMessageBox& box, const MessageRequest& request) {
    box.setObjectName("MessageBox");
    box.setText(KeepCommandsWhole(ToQt(request.text)));
    const QString caption =
        request.caption.empty() ? QApplication::applicationDisplayName() : ToQt(request.caption);
    box.setWindowTitle(caption);
    switch (request.buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // Wide enough for the whole caption beside the title bar's buttons; the
    // text itself wraps to fit.
    const int captionWidth = QFontMetrics(QApplication::font()).horizontalAdvance(caption) * 5 / 4 + 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
}

namespace {

int AskWithBox(const MessageRequest& request) {
    if (Sink()) return Sink()(request);
    QMessageBox box(request.owner);
    PrepareMessageBox(box, request);
    switch (box.exec()) {
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        case QMessageBox::Cancel: return AnswerCancel;
        default: return AnswerOk;
    }
}

}  // namespace

int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons) {
    QWidget* goingTo = InFront().Pending();
    const int answer = AskWithBox({text, caption, buttons, goingTo ? goingTo : QApplication::activeWindow()});
    // The window system gives the focus back to the box's window, or to the
    // window it had before: the window the user was going to comes in front.
    if (QWidget* front = InFront().Pending()) {
        front->raise();
        front->activateWindow();
    }
    return answer;
}

void ShowInFront(QWidget* window) {
    InFront().Set(window);
    window->show();
    window->raise();
    window->activateWindow();
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
