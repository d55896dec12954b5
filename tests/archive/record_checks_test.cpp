// The store and the change refuse what the dialogs refuse, and write nothing:
// garbage date fields, coordinates off the globe, impossible years, names and
// notes with line ends or NUL bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/archive_files.h"
#include "archive/change_record.h"
#include "archive/record_checks.h"
#include "tests/common/test_support.h"

namespace record_checks_test {

namespace fs = std::filesystem;
using namespace archive;
using testing_support::ReadBytes;
using testing_support::TempWorkFolder;

namespace {

BirthRecord Sound() {
    BirthRecord r;
    r.dateField = "196012251405-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    return r;
}

std::map<std::string, std::string> Files(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) out[e.path().string()] = ReadBytes(e.path());
    return out;
}

}  // namespace

TEST(StoredPersonChecks, TheStoreRefusesWhatTheDialogsRefuseAndWritesNothing) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    StorePersonRecords({"BASE", "ROSSI MARIA", Sound(), std::nullopt});
    const auto before = Files(work.Path());

    struct Case {
        const char* what;
        std::string name;
        BirthRecord record;
        std::optional<AnnotationRecord> notes;
        std::string message;
    };
    std::vector<Case> cases;
    auto with = [](auto change) {
        BirthRecord r = Sound();
        change(r);
        return r;
    };
    cases.push_back({"garbage date",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "19xx1225140-1"; }),
                     {},
                     "Data Nascita Scorretta o Incompleta"});
    cases.push_back({"month 13",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "196013251405-1"; }),
                     {},
                     "Data Nascita Scorretta o Incompleta"});
    cases.push_back({"year 99999",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "999991225140-1"; }),
                     {},
                     "Data Nascita Scorretta o Incompleta"});
    cases.push_back({"hour 25",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "196012252505-1"; }),
                     {},
                     "Ora Nascita Scorretta o Incompleta"});
    cases.push_back({"correction of text",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "196012251405xyz"; }),
                     {},
                     "Errore alla voce \"Corr\" (Correzione Totale)"});
    cases.push_back({"correction +1E4000",
                     "A",
                     with([](BirthRecord& r) { r.dateField = "196012251405+1E4000"; }),
                     {},
                     "\"Corr\" riporta un valore impossibile"});
    cases.push_back({"95N 200E",
                     "A",
                     with([](BirthRecord& r) { r.placeField = "95N00-200E00NOWHERE"; }),
                     {},
                     "Coordinate Scorrette o Incomplete"});
    cases.push_back({"no coordinates",
                     "A",
                     with([](BirthRecord& r) { r.placeField = "AMSTERDAM"; }),
                     {},
                     "Coordinate Scorrette o Incomplete"});
    cases.push_back(
        {"calendar", "A", with([](BirthRecord& r) { r.calendarField = "XX"; }), {}, "Errore definizione Calendario"});
    cases.push_back({"name with CR LF", "ROSSI\r\nMARIA", Sound(), {}, "Il nome contiene un carattere di controllo"});
    cases.push_back(
        {"name with NUL", std::string("ROSSI\0MARIA", 11), Sound(), {}, "Il nome contiene un carattere di controllo"});
    cases.push_back({"place with LF",
                     "A",
                     with([](BirthRecord& r) { r.placeField = "52N22-004E54AMS\nTERDAM"; }),
                     {},
                     "Il luogo contiene un carattere di controllo"});
    AnnotationRecord notes;
    notes.lines = {"first", "second\r\nthird", "", ""};
    cases.push_back({"note with CR LF", "A", Sound(), notes, "Un'annotazione contiene un carattere di controllo"});

    for (const Case& c : cases) {
        try {
            StorePersonRecords({"BASE", c.name, c.record, c.notes});
            ADD_FAILURE() << c.what << " was stored";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(std::string(e.what()), c.message + ". Nessun dato registrato.") << c.what;
        }
        EXPECT_EQ(Files(work.Path()), before) << c.what;
    }
    // A day its month does not have, in the record's calendar.
    for (const auto& [date, calendar] : {std::pair{"196002311405-1", "GR"}, {"190002291405-1", "GR"}}) {
        BirthRecord r = Sound();
        r.dateField = date;
        r.calendarField = calendar;
        EXPECT_THROW(StorePersonRecords({"BASE", "A", r, std::nullopt}), ArchiveError) << date;
        EXPECT_EQ(Files(work.Path()), before) << date;
    }
    // The edge values the dialogs take are stored (29 February 1900 was a Julian day).
    BirthRecord julian = Sound();
    julian.dateField = "190002291405-1";
    julian.calendarField = "GI";
    EXPECT_NO_THROW(StorePersonRecords({"BASE", "JULIAN", julian, std::nullopt}));
    BirthRecord edge = Sound();
    edge.dateField = "208012312359+12,5";
    edge.placeField = "89S60-179W60EDGE";
    EXPECT_NO_THROW(StorePersonRecords({"BASE", "EDGE", edge, std::nullopt}));
    EXPECT_TRUE(CheckArchive("BASE").empty());
}

TEST(StoredPersonChecks, OneDateCheckForTheDialogsAndTheStore) {
    EXPECT_EQ(BirthDateProblem({31, 12, 2080}), "");
    EXPECT_EQ(BirthDateProblem({1, 1, 0}), "");
    EXPECT_EQ(BirthDateProblem({1, 0, 1960}), "Data Nascita Scorretta o Incompleta");
    EXPECT_EQ(BirthDateProblem({1, 1, 2081}), "Data Nascita Scorretta o Incompleta");
    EXPECT_EQ(BirthDateProblem({31, 4, 1960}), "Data Nascita Scorretta o Incompleta");
    // The ten days the reform skipped exist in neither calendar in force, but
    // in the Gregorian calendar named.
    EXPECT_EQ(BirthDateProblem({10, 10, 1582}), "Data Nascita Scorretta o Incompleta");
    EXPECT_EQ(BirthDateProblem({10, 10, 1582}, "GR"), "");
    EXPECT_EQ(BirthTimeProblem(23, 59), "");
    EXPECT_EQ(BirthTimeProblem(24, 0), "Ora Nascita Scorretta o Incompleta");
    EXPECT_EQ(CoordinatesProblem("89N60-179E60"), "");
    EXPECT_EQ(CoordinatesProblem("90N00-000E00"), "Coordinate Scorrette o Incomplete");
    EXPECT_EQ(CoordinatesProblem("41N54-180E00"), "Coordinate Scorrette o Incomplete");
    EXPECT_EQ(CoordinatesProblem("41X54-012E29"), "Coordinate Scorrette o Incomplete");
    EXPECT_EQ(CoordinatesProblem("41N5"), "Coordinate Scorrette o Incomplete");
}

TEST(StoredPersonChecks, TheChangeRefusesACorruptNameAndWritesNothing) {
    TempWorkFolder work;
    CreateEmptyArchive("BASE");
    StorePersonRecords({"BASE", "ROSSI MARIA", Sound(), std::nullopt});
    const auto before = Files(work.Path());
    const engine::ChartSettings settings;
    EditedPerson p;
    p.letters = "BASE";
    p.indexPosition = 1;
    p.dataNumber = 1;
    p.name = "ROSSI\r\nMARIA";
    p.dateTimeText = "25/12/1960 14:05";
    p.correctionText = "-1";
    p.coordinatesText = "52N22-004E54";
    p.placeName = "AMSTERDAM";
    p.calendarCode = "GR";
    p.nationality = "NEDERLAND";
    p.annotationNumber = "00000";
    EXPECT_THROW(RewriteEditedPerson(settings, p), ArchiveError);
    EXPECT_EQ(Files(work.Path()), before);
    p.name = "ROSSI MARIA";
    p.coordinatesText = "95N00-200E00";
    EXPECT_THROW(RewriteEditedPerson(settings, p), ArchiveError);
    EXPECT_EQ(Files(work.Path()), before);
}

}  // namespace record_checks_test
