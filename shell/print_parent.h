#pragma once
// A window that is never shown: its empty plain-text editor prints the blank
// page that some printers need before each sheet.
#include <QWidget>
#include <string>

class QTextEdit;

namespace shell {

class PrintParentWindow : public QWidget {
    Q_OBJECT
public:
    PrintParentWindow();

    // Prints the editor's text (empty: one blank page) with the job title.
    void PrintEditor(const std::string& title);

private:
    QTextEdit* editor_ = nullptr;
};

}  // namespace shell
