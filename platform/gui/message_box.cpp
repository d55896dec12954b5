#include "platform/gui/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpacerItem>

#include "platform/gui/text_convert.h"

namespace gui {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
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

int ShowMessage(const std::string& text, const std::string& caption, Buttons buttons) {
    MessageRequest request{text, caption, buttons};
    if (Sink()) return Sink()(request);
    QMessageBox box(QApplication::activeWindow());
    PrepareMessageBox(box, request);
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
