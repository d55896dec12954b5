// Fuzzes the reading of the help texts "Appoggio\Messaggi.txt": every entry
// between "#" separators, as the chart window shows them.
#include "display/wheel/help_messages.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    fuzz::PutFile("Appoggio\\Messaggi.txt", files[0]);
    for (int n = 0; n <= 40; n += 3) display::ReadHelpEntry(n);
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
