// Fuzzes the reading of a place table ("Localita\ITALIA.LOC" or
// "Localita\ESTERO.LOC"): the records, their list lines and coordinates, the
// search and the calendar names they point at.
#include <algorithm>

#include "archive/places.h"
#include "fuzz/fuzz_driver.h"

namespace {
void Run(const std::vector<std::string>& files) {
    const auto kind =
        !files[0].empty() && (files[0][0] & 1) ? archive::PlaceTableKind::Foreign : archive::PlaceTableKind::Italian;
    fuzz::PutFile(archive::PlaceTablePath(kind), files[0]);
    archive::PlaceTable t;
    if (!t.Open(kind)) return;
    const std::int64_t count = std::min<std::int64_t>(t.Count(), 200);
    for (std::int64_t n = 1; n <= count; ++n) {
        const archive::PlaceRecord& p = t.Read(n);
        archive::PlaceListLine(p);
        archive::PlaceCoordinatesText(p.latitude, p.longitude);
        archive::ZoneCalendarNameOf(p.calendarNumber);
    }
    for (const char* typed : {"ROMA", "A", "ZZZZ", ""}) {
        std::string s = typed;
        t.Search(s);
    }
}
}  // namespace

KELVOR_FUZZ_FILES(1, Run)
