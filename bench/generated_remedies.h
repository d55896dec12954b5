#pragma once
// A working folder holding a generated primary database, for the remedy
// benchmarks: remedies with and without form codes, indications of a few
// hundred kinds, long posologies and syntheses, planet and sign signatures;
// and, when asked, generated therapies and signature databases beside it.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/runtime/record_file.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/signature_db.h"

namespace bench_data {

inline remedies::PrimaryTexts GeneratedTexts(std::mt19937& rng) {
    static const char* const kPlanets[] = {"Zon",     "Maan",     "Mercurius",  "Venus",    "Mars",
                                           "Jupiter", "Saturnus", "Noordknoop", "Zuidknoop"};
    static const char* const kSigns[] = {"Ram",        "Stier",      "Tweelingen",   "Kreeft",   "Leeuw",    "Maagd",
                                         "Weegschaal", "Schorpioen", "Boogschutter", "Steenbok", "Waterman", "Vissen"};
    static const char* const kForms[] = {"", "", "", "MSA ", "TSA ", "QSPC ", "HS 8 - ", "HS 104 - "};
    remedies::PrimaryTexts t;
    const int remedy = static_cast<int>(rng() % 2500);
    t.remedy = std::string(kForms[remedy % 8]) + "Remedium " + std::to_string(remedy);
    t.indication = "Indicatie " + std::to_string(rng() % 900) + " van het type " + std::to_string(rng() % 7) +
                   (rng() % 5 == 0 ? " ,-" : "");
    t.posology = std::string(300 + rng() % 500, 'p');
    t.synthesis = std::string(rng() % 1200, 's');
    t.primarySignature = std::string(kPlanets[rng() % 9]) + ", " + kPlanets[rng() % 9];
    t.zodiacalSignature = std::string(kSigns[rng() % 12]) + ", " + kSigns[rng() % 12];
    t.notes = std::string(rng() % 600, 'n');
    return t;
}

// A therapies record: one of a few hundred pathologies and one of the remedies.
inline remedies::RepertoryTexts GeneratedTherapy(std::mt19937& rng) {
    return {"Pathologie " + std::to_string(rng() % 400), "Remedium " + std::to_string(rng() % 2500),
            std::string(rng() % 250, 'p'), std::string(rng() % 750, 'n')};
}

// A signature record: a plant with its planet and signs, for one symptom.
inline remedies::SignatureRecord GeneratedSignature(std::mt19937& rng) {
    static const char* const kPlanets[] = {"sole", "luna", "mercurio", "venere", "marte", "giove", "saturno"};
    static const char* const kSigns[] = {"ariete",   "toro",      "gemelli",    "cancro",     "leone",    "vergine",
                                         "bilancia", "scorpione", "sagittario", "capricorno", "acquario", "pesci"};
    remedies::SignatureRecord r;
    r.symptom = "Sintomo " + std::to_string(rng() % 600);
    r.plant = "Pianta " + std::to_string(rng() % 800);
    r.primarySignature = kPlanets[rng() % 7];
    r.zodiacalSignature = std::string(kSigns[rng() % 12]) + "-" + kSigns[rng() % 12];
    r.synthesis = std::string(rng() % 100, 's');
    r.authors = "Autore " + std::to_string(rng() % 30);
    return r;
}

class GeneratedDatabase {
public:
    // How many records each database has (none: no such database).
    struct Sizes {
        int primary = 0;
        int therapies = 0;
        int signatures = 0;
    };
    explicit GeneratedDatabase(Sizes sizes) {
        const int records = sizes.primary, therapies = sizes.therapies, signatures = sizes.signatures;
        previous_ = std::filesystem::current_path();
        path_ = std::filesystem::temp_directory_path() / ("kelvor-bench-remedies-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_ / "OpzioneH");
        std::filesystem::current_path(path_);
        std::mt19937 rng(20260101);
        std::vector<rt::Bytes> all{rt::Bytes(remedies::kPrimaryRecordSize, 0)};
        all.reserve(static_cast<std::size_t>(records) + 1);
        for (int i = 0; i < records; ++i)
            all.push_back(remedies::EncodePrimaryRecord(remedies::MakePrimaryRecord(GeneratedTexts(rng))));
        rt::ReplaceAllRecords(remedies::kPrimaryDbName, remedies::kPrimaryRecordSize, all);
        if (therapies > 0) {
            std::vector<rt::Bytes> t{rt::Bytes(remedies::kRepertoryRecordSize, 0)};
            for (int i = 0; i < therapies; ++i)
                t.push_back(remedies::EncodeRepertoryRecord(remedies::FormToRepertoryRecord(GeneratedTherapy(rng))));
            rt::ReplaceAllRecords(remedies::kRepertoryDbName, remedies::kRepertoryRecordSize, t);
        }
        if (signatures > 0) {
            std::filesystem::create_directories(path_ / "OpzioneS");
            std::vector<rt::Bytes> s{rt::Bytes(remedies::kSignatureRecordSize, 0)};
            for (int i = 0; i < signatures; ++i) s.push_back(remedies::EncodeSignatureRecord(GeneratedSignature(rng)));
            rt::ReplaceAllRecords(remedies::kSignatureDbName, remedies::kSignatureRecordSize, s);
        }
    }
    ~GeneratedDatabase() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    GeneratedDatabase(const GeneratedDatabase&) = delete;
    GeneratedDatabase& operator=(const GeneratedDatabase&) = delete;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace bench_data
