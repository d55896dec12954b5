// Fuzzes the metafile player on a QPainter surface (an image, as the windows'
// back buffers, the printer and the export paint).
#include <QImage>

#include "display/draw/emf_player.h"
#include "display/draw/painter_surface.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::EnsureGuiApplication();
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    display::PainterSurface s(&image);
    display::PlayEmf(files[0], s, display::Rect{5, 5, 150, 110});
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
