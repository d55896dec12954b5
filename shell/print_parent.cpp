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
    Editor_ = new QTextEdit(this);
    Editor_->setObjectName("Editor");
    Editor_->setAcceptRichText(false);
    layout->addWidget(Editor_);
    resize(300, 200);
}

void PrintParentWindow::PrintEditor(const std::string& title) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer, title);
    Editor_->document()->print(&printer);
}

}  // namespace shell
