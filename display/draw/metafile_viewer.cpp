#include "display/draw/metafile_viewer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "display/draw/drawing_state.h"
#include "display/draw/emf_player.h"
#include "display/draw/font_mapping.h"
#include "display/draw/painter_surface.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/record_file.h"
#include "platform/gui/text_convert.h"

namespace display {

TFoMetGra* FoMetGra = nullptr;

namespace {
constexpr int kDesignWidth = 685;
constexpr int kDesignHeight = 470;
constexpr int kCloseRight = kDesignWidth - 587 - 75;   // anchored to the bottom-right corner
constexpr int kCloseBottom = kDesignHeight - 403 - 25;
}  // namespace

std::string MetafileViewerCaption(std::string_view programFolder, std::string_view metafileName) {
    char drive = programFolder.empty() ? 'C' : programFolder[0];
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'))) drive = 'C';
    std::string name(metafileName);
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return std::string(1, drive) + ":\\Vandrel\\ExKelvor\\" + "Emf\\" + name + "  " + " ";
}

std::string MetafileDamage(const std::string& bytes) {
    const auto header = ReadEmfHeader(bytes);
    if (!header) return "non comincia con l'intestazione di un metafile";
    if (header->bytes > bytes.size())
        return "non \xE8 un metafile intero: ne restano " + std::to_string(bytes.size()) + " byte dei " +
               std::to_string(header->bytes) + " che la sua intestazione indica";
    return "non \xE8 un metafile intero: le sue schede non corrispondono alla sua intestazione";
}

TFoMetGra::TFoMetGra(QWidget* parent) : QDialog(parent) {
    setObjectName("FoMetGra");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    resize(kDesignWidth, kDesignHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    BBClose = new QPushButton(QStringLiteral("Chiudi"), this);
    BBClose->setObjectName("BBClose");
    BBClose->resize(75, 25);
    BBClose->move(587, 403);
    connect(BBClose, &QPushButton::clicked, this, &TFoMetGra::BBCloseClick);
}

void TFoMetGra::DrawFile() {
    const QSize s = size().expandedTo(QSize(1, 1));
    picture_ = QImage(s, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    std::string bytes;
    const std::string name = std::string("Emf\\") + Drawing.MetafileName;
    if (!Drawing.MetafileName.empty()) {
        try {
            bytes = rt::ReadFileBytes(name);
        } catch (const rt::IoError&) {
            bytes.clear();  // no file: the window stays white
        }
    }
    if (!bytes.empty()) {
        // A metafile cut short or damaged shows what can be read of it, and
        // says once that it is not whole.
        if (!CheckEmf(bytes).empty()) rt::ReportDamagedFileOnce(name, rt::DamagedFileMessage(name, MetafileDamage(bytes)));
        PainterSurface surface(&picture_);
        PlayEmf(bytes, surface, {0, 0, s.width(), s.height()});
    }
    update();
}

void TFoMetGra::FormActivate() {
    setWindowTitle(gui::ToQt(MetafileViewerCaption(
        gui::FromQt(QCoreApplication::applicationDirPath()), Drawing.MetafileName)));
    DrawFile();
}

void TFoMetGra::FormResize() {
    BBClose->move(width() - kCloseRight - BBClose->width(), height() - kCloseBottom - BBClose->height());
    DrawFile();
}

void TFoMetGra::BBCloseClick() { close(); }

void TFoMetGra::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen each time it is shown.
    if (QScreen* s = screen()) {
        const QRect a = s->availableGeometry();
        move(a.center() - QPoint(width() / 2, height() / 2));
    }
    FormActivate();
}

void TFoMetGra::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFoMetGra::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TFoMetGra::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}

}  // namespace display
