// Fuzzes the symptom-plants window: the symptom list "OpzioneS\Sintomi.rnd" it
// shows at activation, the same file changed before the type-ahead counts its
// records for the search, and the keys typed.
#include "fuzz/fuzz_driver.h"
#include "remedies/signature_db.h"
#include "remedies/windows/symptom_plants_window.h"

namespace {
remedies::SymptomPlantsWindow& Window() {
    static remedies::SymptomPlantsWindow* window = [] {
        fuzz::EnsureWidgetApplication();
        return new remedies::SymptomPlantsWindow;
    }();
    return *window;
}

void Run(const std::vector<std::string>& files) {
    remedies::SymptomPlantsWindow& w = Window();
    fuzz::PutFile(remedies::kSignatureSymptomsName, files[0]);
    fuzz::Guard([&] { w.Refresh(); });
    fuzz::PutFile(remedies::kSignatureSymptomsName, files[1]);
    fuzz::Guard([&] { w.StartNewKey(); });
    for (std::size_t i = 0; i < files[2].size() && i < 24; ++i) {
        const char key = files[2][i] == 13 ? 'A' : files[2][i];
        fuzz::Guard([&] { w.TypeAhead(key); });
    }
    fuzz::Guard([&] { w.TypeAhead(13); });  // Enter: the plants of the symptom found
}
}  // namespace

KELVOR_FUZZ_FILES(3, Run)
