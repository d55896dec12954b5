#pragma once
// Reading the signature database by symptom and by plant: the plants linked to
// a symptom with their synthesis, the symptoms of a plant with the authors who
// report each link (26 to a page, four pages), and the one-line-per-record view
// of the maintenance window.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "remedies/signature_db.h"

namespace remedies {

// The plants of a symptom. `data` holds records 1 to the end (entry 0 = record 1).
struct SymptomPlants {
    std::string symptom;                 // the chosen line, cut to 80, trailing blanks removed
    std::vector<std::string> plants;     // plant followed by 40 hyphens
    std::vector<std::string> syntheses;  // synthesis cut to 80, one per plant
    std::vector<std::int64_t> records;   // the record number of each plant line
    bool found = false;                  // some record with a plant
    SignatureRecord shown;               // the last record with a plant
    std::string reference;               // authors of the last record without a plant
};
SymptomPlants FindSymptomPlants(const std::vector<SignatureRecord>& data, const std::string& line);

inline constexpr int kPlantPageLines = 26;
inline constexpr int kPlantPages = 4;

// The symptoms of a plant.
struct PlantSymptoms {
    std::string plant;                                           // the chosen line, cut to 80, trailing blanks removed
    std::array<std::vector<std::string>, kPlantPages> symptoms;  // symptom + 120 hyphens
    std::array<std::vector<std::string>, kPlantPages> authors;   // authors + 120 hyphens
    int pageCount = 1;
    bool found = false;
    SignatureRecord shown;  // the last record of the plant
};
PlantSymptoms FindPlantSymptoms(const std::vector<SignatureRecord>& data, const std::string& line);
// "Pagina p/n".
std::string PlantPageLabel(int page, int count);

// The maintenance line of a record: the plant ("XXXX" when empty) padded or cut
// to 20 characters, then the symptom, within 160 characters.
std::string MaintenanceLine(const SignatureRecord& r);
// The first record (number, from 1) whose plant and symptom are those of a
// maintenance line; 0 when none is.
std::int64_t FindMaintenanceRecord(const std::vector<SignatureRecord>& data, const std::string& line);

}  // namespace remedies
