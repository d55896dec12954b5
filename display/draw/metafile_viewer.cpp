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
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/win1252.h"

namespace display {

namespace {
constexpr int kDesignWidth = 685;
constexpr int kDesignHeight = 470;
constexpr int kCloseRight = kDesignWidth - 587 - 75;  // anchored to the bottom-right corner
constexpr int kCloseBottom = kDesignHeight - 403 - 25;
// The height of a window manager's title bar and frame, as far as it is not known yet.
constexpr int kAssumedTitleBar = 40;
}  // namespace

std::filesystem::path MetafileViewerFile(std::string_view metafileName) {
    std::string name(metafileName);
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return std::filesystem::absolute(rt::ResolvePath("Emf\\" + name)).lexically_normal();
}

QString MetafileViewerCaption(std::string_view metafileName) {
    return QString::fromStdString(MetafileViewerFile(metafileName).string());
}

std::string MissingMetafileMessage(std::string_view metafileName) {
    return "File grafico non trovato: " + rt::Utf8ToCp1252(MetafileViewerFile(metafileName).string());
}

std::string MetafileDamage(const std::string& bytes) {
    const auto header = ReadEmfHeader(bytes);
    if (!header) return "non comincia con l'intestazione di un metafile";
    if (header->bytes > bytes.size())
        return "non \xE8 un metafile intero: ne restano " + std::to_string(bytes.size()) + " byte dei " +
               std::to_string(header->bytes) + " che la sua intestazione indica";
    return "non \xE8 un metafile intero: le sue schede non corrispondono alla sua intestazione";
}

MetafileViewer::MetafileViewer(const DrawingState& drawing, QWidget* parent) : QDialog(parent), drawing_(drawing) {
    setObjectName("FoMetGra");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    resize(kDesignWidth, kDesignHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    closeButton = gui::Place(gui::MakeButton(this, "BBClose", "Chiudi"), {587, 403, 75, 25});
    connect(closeButton, &QPushButton::clicked, this, &MetafileViewer::close);
}

void MetafileViewer::DrawFile() {
    const QSize s = size().expandedTo(QSize(1, 1));
    picture_ = QImage(s, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    std::string bytes;
    missing_ = false;
    const std::string name = std::string("Emf\\") + drawing_.metafileName;
    if (!drawing_.metafileName.empty()) {
        try {
            bytes = rt::ReadFileBytes(name);
        } catch (const rt::IoError&) {
            missing_ = true;
        }
    }
    if (!bytes.empty()) {
        // A metafile cut short or damaged shows what can be read of it, and
        // says once that it is not whole.
        if (!CheckEmf(bytes).empty())
            rt::ReportDamagedFileOnce(
                name, rt::DamagedFileMessage({name, MetafileDamage(bytes)},
                                             "Il visore lo mostra fin dove arriva. Per averlo intero, salvare di "
                                             "nuovo il foglio come metafile dal visore dei fogli."));
        PainterSurface surface(&picture_);
        PlayEmf(bytes, surface, {0, 0, s.width(), s.height()});
    } else if (missing_) {
        // No picture: the window names the file it looked for.
        QPainter p(&picture_);
        p.setPen(Qt::black);
        const QRect area = picture_.rect().adjusted(10, 10, -10, -(height() - closeButton->y()) - 10);
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, gui::ToQt(MissingMetafileMessage(drawing_.metafileName)));
    }
    update();
}

void MetafileViewer::ShowCurrentFile() {
    setWindowTitle(MetafileViewerCaption(drawing_.metafileName));
    DrawFile();
}

void MetafileViewer::FitToSize() {
    closeButton->move(width() - kCloseRight - closeButton->width(), height() - kCloseBottom - closeButton->height());
    DrawFile();
}

void MetafileViewer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen each time it is shown, and whole on it: a window
    // taller or wider than the screen's free area, with its frame, is made
    // smaller (the picture fills whatever size the window has).
    if (QScreen* s = screen()) {
        const QRect a = s->availableGeometry();
        int frameWidth = frameGeometry().width() - width();
        int frameHeight = frameGeometry().height() - height();
        if (frameHeight <= 0) frameHeight = kAssumedTitleBar;  // not framed yet
        if (frameWidth < 0) frameWidth = 0;
        const QSize room(a.width() - frameWidth, a.height() - frameHeight);
        if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
        move(a.left() + (a.width() - width() - frameWidth) / 2, a.top() + (a.height() - height() - frameHeight) / 2);
    }
    ShowCurrentFile();
}

void MetafileViewer::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ShowCurrentFile();
}

void MetafileViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitToSize();
}

void MetafileViewer::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}

}  // namespace display
