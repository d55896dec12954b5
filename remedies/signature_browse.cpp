#include "remedies/signature_browse.h"

#include <algorithm>

#include "platform/runtime/fixed_string.h"

namespace remedies {

SymptomPlants FindSymptomPlants(const std::vector<SignatureRecord>& data, const std::string& line) {
    SymptomPlants out;
    out.symptom = Cut80Stripped(line);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const SignatureRecord& r = data[i];
        if (Cut80Stripped(r.symptom) != out.symptom) continue;
        const std::string plant = Cut80Stripped(r.plant);
        if (!plant.empty()) {
            out.plants.push_back(plant + std::string(40, '-'));
            out.syntheses.push_back(rt::CutTo(r.synthesis, 80));
            out.records.push_back(static_cast<std::int64_t>(i + 1));
            out.shown = r;
            out.found = true;
        } else {
            out.reference = r.authors;
        }
    }
    return out;
}

PlantSymptoms FindPlantSymptoms(const std::vector<SignatureRecord>& data, const std::string& line) {
    PlantSymptoms out;
    out.plant = Cut80Stripped(line);
    int n = 1;
    for (const auto& r : data) {
        if (Cut80Stripped(r.plant) != out.plant) continue;
        out.shown = r;
        out.found = true;
        const int page = std::min((n - 1) / kPlantPageLines, kPlantPages - 1);
        out.symptoms[page].push_back(r.symptom + std::string(120, '-'));
        out.authors[page].push_back(r.authors + std::string(120, '-'));
        if (page + 1 > out.pageCount) out.pageCount = page + 1;
        ++n;
    }
    return out;
}

std::string PlantPageLabel(int page, int count) {
    return "Pagina " + std::to_string(page) + "/" + std::to_string(count);
}

std::string MaintenanceLine(const SignatureRecord& r) {
    std::string plant = Cut80Stripped(r.plant);
    if (plant.empty()) plant = "XXXX";
    plant.resize(20, ' ');
    return rt::CutTo(plant + Cut80Stripped(r.symptom), 160);
}

std::int64_t FindMaintenanceRecord(const std::vector<SignatureRecord>& data, const std::string& line) {
    std::string plant = Cut80Stripped(line.substr(0, std::min<std::size_t>(20, line.size())));
    const std::string symptom = Cut80Stripped(line.size() > 20 ? line.substr(20, 82) : std::string());
    if (plant == "XXXX") plant.clear();
    for (std::size_t i = 0; i < data.size(); ++i)
        if (Cut80Stripped(data[i].plant) == plant && Cut80Stripped(data[i].symptom) == symptom)
            return static_cast<std::int64_t>(i + 1);
    return 0;
}

}  // namespace remedies
