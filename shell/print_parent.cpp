#include "shell/print_parent.h"

#include <QPrinter>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/gui/text_convert.h"
#include "shell/printing.h"

namespace shell {

PrintParentWindow::PrintParentWindow() {
    setObjectName("FoPrint");
    setWindowTitle("FoPrint");
    auto* layout = new QVBoxLayout(this);
    Editor = new QTextEdit(this);
    Editor->setObjectName("Editor");
    Editor->setAcceptRichText(false);
    layout->addWidget(Editor);
    resize(300, 200);
}

void PrintParentWindow::PrintEditor(const std::string& title) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, title);
    Editor->document()->print(&printer);
}

}  // namespace shell
