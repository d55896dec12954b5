#pragma once
// A key pressed as the keyboard of an X server sends it: Delete sends
// character 127, Escape 27, Tab 9, a letter held with Ctrl its control
// character (Ctrl+A: 1), a letter held with Alt or Meta the letter itself, a
// function key no text; a key held with Ctrl that has no control character
// (Ctrl+.) sends its own character.
#include <QString>
#include <QWidget>
#include <QtTest/QTest>

namespace testing_support {

inline QString KeyboardText(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Delete: return QString(QChar(127));
        case Qt::Key_Escape: return QString(QChar(27));
        case Qt::Key_Tab: return QString(QChar(9));
        case Qt::Key_Backspace: return QString(QChar(8));
        case Qt::Key_Return:
        case Qt::Key_Enter: return QString(QChar(13));
        default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const char letter = static_cast<char>((modifiers & Qt::ShiftModifier ? 'A' : 'a') + (key - Qt::Key_A));
        if (modifiers & Qt::ControlModifier) return QString(QChar(letter & 0x1F));
        return QString(QChar(letter));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) return QString(QChar(static_cast<char16_t>(key)));
    return {};
}

inline void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Click, widget, key, KeyboardText(key, modifiers), modifiers);
}

}  // namespace testing_support
