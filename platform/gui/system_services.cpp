#include "platform/gui/system_services.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStorageInfo>
#include <QStringList>
#include <QUrl>

namespace gui {

bool SystemServices::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool SystemServices::StartProgram(const std::string& program, const std::vector<std::string>& args) {
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

std::vector<Volume> SystemServices::ListVolumes() {
    std::vector<Volume> out;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        if (!s.isValid() || !s.isReady()) continue;
        QString root = s.rootPath();
        bool system = root.startsWith("/proc") || root.startsWith("/sys") || root.startsWith("/dev") ||
                      (root.startsWith("/run") && !root.startsWith("/run/media"));
        if (system) continue;
        out.push_back({root.toStdString(), (s.displayName().isEmpty() ? root : s.displayName()).toStdString()});
    }
    return out;
}

PrinterInfo SystemServices::Printer() {
    PrinterInfo info;
    QPrinterInfo def = QPrinterInfo::defaultPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (def.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);  // writes a PDF file when no printer is installed
        info.name = "PDF";
    } else {
        printer.setPrinterName(def.printerName());
        info.name = def.printerName().toStdString();
    }
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    info.present = true;
    info.dpi = printer.resolution();
    info.pageWidthPixels = page.width();
    info.pageHeightPixels = page.height();
    return info;
}

int SystemServices::ScreenWidth() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int SystemServices::ScreenHeight() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

namespace {
std::unique_ptr<SystemServices>& Current() {
    static std::unique_ptr<SystemServices> s = std::make_unique<SystemServices>();
    return s;
}
}  // namespace

SystemServices& System() { return *Current(); }

void SetSystemServices(std::unique_ptr<SystemServices> services) {
    Current() = services ? std::move(services) : std::make_unique<SystemServices>();
}

}  // namespace gui
