#pragma once
// Tests find a window's controls by their object names, the window's stable
// handles for tests and scripts, and never through the window's members.
#include <QObject>
#include <QString>
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

}  // namespace testing_support
