#pragma once
// Tests find a window's controls by their object names, the window's stable
// handles for tests and scripts, and the windows the program made by their
// class, never through a window's members.
#include <QApplication>
#include <QObject>
#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>

namespace testing_support {

// The control of type T named `name` among the window's children (at any
// depth); a missing one ends the test with its name.
template <typename T>
T* ControlOf(const QObject& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        throw std::runtime_error("no control \"" + std::string(name) + "\" in " + window.objectName().toStdString());
    return control;
}

// The window of class T (not of a class derived from it) that exists, made by
// the program's start or by the test, or null when there is none.
template <typename T>
T* WindowOfTest() {
    for (QWidget* w : QApplication::allWidgets())
        if (w->metaObject() == &T::staticMetaObject) return static_cast<T*>(w);
    return nullptr;
}

}  // namespace testing_support
