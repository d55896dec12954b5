#include "display/chart/plant_lookup.h"

#include "engine/position_text.h"
#include "remedies/signature_db.h"

namespace display {

namespace {

// The Sun to Saturn, and the signs Aries first.
const engine::ClassicalPlanetTable<const char*> kPlanetStems = {
    {"SolePri", "LunaPri", "MercPri", "VenePri", "MartPri", "GiovPri", "SatuPri"}};
const engine::SignTable<const char*> kSignStems = {{"Ram", "Stier", "Tweelingen", "Kreeft", "Leeuw", "Maagd",
                                                    "Weegschaal", "Schorpioen", "Boogschutt", "Steenbok", "Waterman",
                                                    "Vissen"}};
// As stored, with their fixed capacities (12 and 15).
const engine::ClassicalPlanetTable<const char*> kPlanetSuffixes = {
    {"met ZON", "met MAAN", "met MERCURIU", "met VENUS", "met MARS", "met JUPITER", "met SATURNUS"}};
const engine::SignTable<const char*> kSignSuffixes = {
    {"met RAM", "met STIER", "met TWEELINGEN", "met KREEFT", "met LEEUW", "met MAAGD", "met WEEGSCHAAL",
     "met SCHORPIOEN", "met BOOGSCHUTTE", "met STEENBOK", "met VATERMAN", "met VISSEN"}};

std::string Stripped80(const std::string& s) {
    std::string t = s.substr(0, 80);
    engine::StripTrailingBlanks(t);
    return t;
}

}  // namespace

PlantListChoice PlantListOf(int clickedBody, int clickedSign) {
    PlantListChoice c;
    if (clickedBody >= 8) return c;
    if (clickedBody >= 1 && clickedBody <= 7) {
        const auto body = static_cast<engine::Body>(clickedBody - 1);
        c.file = std::string("OpzioneS\\") + kPlanetStems[body] + ".rnd";
        c.caption = std::string("PIANTE associate ") + kPlanetSuffixes[body];
    }
    if (clickedSign >= 1 && clickedSign <= 12) {
        const engine::Sign sign = engine::SignOfNumber(clickedSign);
        c.file = std::string("OpzioneS\\") + kSignStems[sign] + ".rnd";
        c.caption = std::string("PIANTE associate ") + kSignSuffixes[sign];
    }
    return c;
}

std::vector<std::string> ReadPlantList(const std::string& file) {
    return remedies::ReadNameFile(file, remedies::kPlantNameRecordSize - 1);
}

PlantSymptoms SymptomsOfPlant(const std::string& entry) {
    const std::string name = Stripped80(entry);
    PlantSymptoms out;
    out.symptoms = {"SYMPTOMEN BEHEERSBAAR met ", name};
    remedies::ForEachDataRecord(remedies::SignatureDb(), [&](std::int64_t, const rt::Bytes& bytes) {
        const remedies::SignatureRecord r = remedies::DecodeSignatureRecord(bytes);
        if (Stripped80(r.plant) != name) return;
        out.symptoms.push_back(r.symptom);
        out.signatures = {"PLANT: " + r.plant, "PRIMAIRE SIGNATUUR: " + r.primarySignature,
                          "SECUNDAIRE SIGNATUUR: " + r.secondarySignature, "ZODIAC SIGNATUUR: " + r.zodiacalSignature,
                          "SPSYCHISCHE SYNTHESE: " + r.synthesis};
    });
    return out;
}

}  // namespace display
