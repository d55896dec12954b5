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
    editor_ = new QTextEdit(this);
    editor_->setObjectName("Editor");
    editor_->setAcceptRichText(false);
    layout->addWidget(editor_);
    resize(300, 200);
}

void PrintParentWindow::PrintEditor(const std::string& title) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, title);
    editor_->document()->print(&printer);
}

}  // namespace shell
