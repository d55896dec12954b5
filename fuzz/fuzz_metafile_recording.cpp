// Fuzzes the metafile player on the recording surface: a glyph or chart
// metafile ("Simboli\*.emf", "Zodiaco\*.emf") checked, listed and played.
#include "display/draw/emf_player.h"
#include "display/draw/recording_surface.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    const std::string& bytes = files[0];
    display::ReadEmfHeader(bytes);
    display::CheckEmf(bytes);
    display::ListEmfRecords(bytes);
    display::RecordingSurface s;
    display::PlayEmf(bytes, s, display::Rect{10, 10, 210, 160});
    display::PlayEmf(bytes, s, display::Rect{0, 0, 0, 0});
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
