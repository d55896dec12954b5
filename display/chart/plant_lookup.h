#pragma once
// The plants of a clicked planet or sign and what the signature database says
// of a plant, free of Qt: the per-planet and per-sign plant lists
// ("OpzioneS\SolePri.rnd", ..., "OpzioneS\Ram.rnd", ...) and the records of
// "OpzioneS\DataStf.Rnd" that name the plant.
#include <string>
#include <vector>

namespace display {

// The plant list of the clicked point: a sign (1..12) wins over a planet
// (1..7); anything else has none (empty file).
struct PlantListChoice {
    std::string file;     // "OpzioneS\" + stem + ".rnd"
    std::string caption;  // "PIANTE associate met ZON", ...
};
PlantListChoice PlantListOf(int clickedBody, int clickedSign);

// Records 1..end of a plant list, as stored (a missing file raises rt::IoError).
std::vector<std::string> ReadPlantList(const std::string& file);

// The symptoms the plant governs, in record order, after the two heading lines,
// and the signatures of the last record that names it (empty when none does).
struct PlantSymptoms {
    std::vector<std::string> symptoms;    // plantSymptomsMemo
    std::vector<std::string> signatures;  // plantSignaturesMemo
};
// `entry` is a line of the plant list; it is cut to 80 characters and its
// trailing blanks are removed before it is compared, case-sensitively, with
// each record's plant. A missing database raises rt::IoError.
PlantSymptoms SymptomsOfPlant(const std::string& entry);

}  // namespace display
