#include "platform/gui/system_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStringList>
#include <QUrl>

namespace gui {

void SystemServices::OpenDocument(const std::string& path, std::function<void()> failed) {
    auto fail = [failed] {
        if (failed) failed();
    };
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return fail();
    // The desktop's opener tells by its exit status whether a program took the
    // file; it may wait for the viewer to be closed, so it is not waited for.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) fail();
        return;
    }
    // Not owned by a window: a viewer still open when the program ends stays open.
    auto* process = new QProcess();
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, [process, fail](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit || code != 0) fail();
    });
    QObject::connect(process, &QProcess::errorOccurred, [process, fail](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;  // a crash also ends in finished()
        process->deleteLater();
        fail();
    });
    process->start(opener, {file});
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
