#include "platform/gui/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
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

// A command the text gives to run ("kelvor --import-signatures").
const QRegularExpression& CommandPattern() {
    static const QRegularExpression kCommand(QStringLiteral("\\w+ --[\\w-]+"));
    return kCommand;
}

QString HtmlParagraph(const QString& text, const char* whiteSpace) {
    if (text.trimmed().isEmpty()) return {};
    return QStringLiteral("<div style=\"white-space:%1\">%2</div>").arg(whiteSpace, text.toHtmlEscaped());
}

// The text of a box that gives a command, as rich text for its label: each
// command, with the quotes and the punctuation around it, stands on a line of
// its own that the layout never wraps, so that it is seen whole and copies as
// the very text that runs; the rest wraps as plain text does.
QString TextWithCommandLines(const QString& text) {
    QString html;
    qsizetype from = 0;
    for (auto it = CommandPattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        qsizetype wordStart = m.capturedStart(), wordEnd = m.capturedEnd();
        while (wordStart > from && !text[wordStart - 1].isSpace()) --wordStart;
        while (wordEnd < text.size() && !text[wordEnd].isSpace()) ++wordEnd;
        // The blanks on either side of the command's line become the ends of lines.
        const qsizetype before = wordStart > from && text[wordStart - 1].isSpace() ? wordStart - 1 : wordStart;
        html += HtmlParagraph(text.mid(from, before - from), "pre-wrap");
        html += HtmlParagraph(text.mid(wordStart, wordEnd - wordStart), "pre");
        from = wordEnd < text.size() ? wordEnd + 1 : wordEnd;
    }
    return html + HtmlParagraph(text.mid(from), "pre-wrap");
}

// Ctrl+C that nothing in the box takes (the box just opened with a button
// focused, or a click into the text that selected nothing) copies the
// command the text gives, or the whole text when it gives none. A selection
// in the text is copied by the text itself.
class CopyWithoutSelection : public QObject {
public:
    CopyWithoutSelection(QMessageBox* box, QString copied) : QObject(box), copied_(std::move(copied)) {
        box->installEventFilter(this);
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        if (auto* label = qobject_cast<QLabel*>(watched); label && label->hasSelectedText()) return false;
        QGuiApplication::clipboard()->setText(copied_);
        return true;
    }

private:
    QString copied_;
};

// A press in the text starts a new selection where it is pressed, inside the
// text already selected (after Ctrl+A) too: the label would take that press
// for the start of a drag of the whole selection, and the mouse would select
// nothing. The selection shrinks to its start, in the block pressed on a
// triple click.
class SelectWherePressed : public QObject {
public:
    explicit SelectWherePressed(QLabel* label) : QObject(label), label_(label) { label->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && !(press->modifiers() & Qt::ShiftModifier) && label_->hasSelectedText())
            label_->setSelection(label_->selectionStart(), 0);
        return false;
    }

private:
    QLabel* label_;
};

}  // namespace

void PrepareMessageBox(QMessageBox& box, const MessageRequest& request) {
    box.setObjectName("MessageBox");
    const QString text = ToQt(request.text);
    const QRegularExpressionMatch command = CommandPattern().match(text);
    if (command.hasMatch()) {
        box.setTextFormat(Qt::RichText);
        box.setText(TextWithCommandLines(text));
    } else {
        box.setText(text);
    }
    new CopyWithoutSelection(&box, command.hasMatch() ? command.captured() : text);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) new SelectWherePressed(label);
    const QString caption = request.caption.empty() ? QApplication::applicationDisplayName() : ToQt(request.caption);
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
        case QMessageBox::Yes: return kAnswerYes;
        case QMessageBox::No: return kAnswerNo;
        case QMessageBox::Cancel: return kAnswerCancel;
        default: return kAnswerOk;
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
        return (r.buttons == Buttons::YesNo || r.buttons == Buttons::YesNoCancel) ? int(kAnswerYes) : int(kAnswerOk);
    });
}

RecordingMessageSink::~RecordingMessageSink() { SetMessageSink(std::move(previous_)); }

std::vector<std::string> RecordingMessageSink::Texts() const {
    std::vector<std::string> t;
    for (const auto& m : messages) t.push_back(m.text);
    return t;
}

}  // namespace gui
