#include "platform/gui/typed_keys.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include "platform/gui/text_convert.h"

namespace gui {

namespace {

constexpr Qt::KeyboardModifiers kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The text begins with a character that prints (not a control character, not
// Delete's 127).
bool PrintsText(const QKeyEvent& key) {
    const QString t = key.text();
    if (t.isEmpty()) return false;
    const char16_t c = t.at(0).unicode();
    return c >= 32 && c != 127 && !(c >= 0x80 && c < 0xA0);
}

class UntypedKeyFilter : public QObject {
public:
    explicit UntypedKeyFilter(QObject* parent) : QObject(parent) { setObjectName(kName); }
    static constexpr const char* kName = "untypedKeyFilter";

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::KeyPress && InsertsWithoutTyping(*static_cast<QKeyEvent*>(event));
    }
};

}  // namespace

char TypedCharacter(const QKeyEvent& key) {
    if (key.modifiers() & kCommandModifiers) return 0;
    if (key.key() == Qt::Key_Backspace) return 8;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return '\r';
    if (!PrintsText(key)) return 0;
    const std::string b = FromQt(key.text().left(1));
    return b.empty() ? 0 : b[0];
}

bool InsertsWithoutTyping(const QKeyEvent& key) {
    return (key.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && PrintsText(key);
}

void KeepUntypedKeysOut(QWidget* box) {
    // Installed once, however often asked.
    if (box->findChild<QObject*>(UntypedKeyFilter::kName, Qt::FindDirectChildrenOnly)) return;
    box->installEventFilter(new UntypedKeyFilter(box));
}

}  // namespace gui
