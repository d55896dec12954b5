#include "shell/printing.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/gui/system_services.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/paths.h"

namespace shell {

std::string PrintFileStem(const std::string& title) {
    std::string name = std::filesystem::path(title).filename().string();
    std::string out;
    for (char c : name) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                    c == '_' || c == '.';
        out += keep ? c : '_';
    }
    while (!out.empty() && out.front() == '.') out.erase(out.begin());
    if (out.empty()) out = "Stampa";
    return out;
}

std::filesystem::path PreparePrinter(QPrinter& printer, const std::string& title) {
    printer.setDocName(gui::ToQt(title));
    printer.setPageSize(QPageSize(QPageSize::A4));
    gui::PrinterInfo info = gui::System().Printer();
    QPrinterInfo system = QPrinterInfo::printerInfo(QString::fromStdString(info.name));
    if (!system.isNull()) {
        printer.setPrinterName(system.printerName());
        return {};
    }
    std::string folder = kPrintFolder;
    std::string stem = PrintFileStem(title);
    std::string base = folder + "\\" + stem;
    if (base.size() < 4 || base.substr(base.size() - 4) != ".pdf") base += ".pdf";
    rt::EnsureParentFolder(base);
    std::filesystem::path file = rt::ResolvePath(base);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    return file;
}

}  // namespace shell
