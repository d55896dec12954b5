#pragma once
// Shared set-up of the archive dialog tests: a fresh data folder seeded with
// the shipped tables, an empty personal archive and people stored in it.
#include <QLineEdit>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/current_chart.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/runtime/paths.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/test_support.h"

namespace dialog_test {

inline void PrepareFolder() {
    rt::PrepareDataFolder();
    archive::CurrentChart& current = testing_support::CurrentChartOfTest();
    current = archive::CurrentChart{};
    engine::LoadEngineSettings(current.settings, current.orbs, engine::ReportSettingsToStderr);
    archive::CreateEmptyArchive("BASE");
    archive::EnsureCurrentPersonFiles();
}

// A stored person's birth: the date key with its correction, and the
// coordinates with the place.
struct StoredBirth {
    std::string dateField = "196001151230+1";
    std::string place = "41N54-012E29ROMA";
};

// Stores a person directly (name, birth, and an annotation when a note is given).
inline archive::StoreResult StorePerson(const std::string& letters, const std::string& name,
                                        const StoredBirth& birth = {}, const char* note = nullptr,
                                        const std::string& textNumber = "") {
    archive::BirthRecord r;
    r.dateField = birth.dateField;
    r.placeField = birth.place;
    r.calendarField = "GR";
    r.nationalityField = "ITALIA";
    archive::FillChartStrings(testing_support::CurrentChartOfTest().settings, r);
    archive::StoreRequest q;
    q.letters = letters;
    q.name = name;
    q.record = r;
    if (note) {
        archive::AnnotationRecord a;
        a.lines[0] = note;
        a.lines[3] = std::string(64, ' ') + textNumber;
        q.annotation = a;
    }
    return archive::StorePersonRecords(q);
}

inline std::vector<std::string> IndexEntries(const std::string& letters) {
    std::vector<std::string> out;
    for (const auto& r : rt::ReadAllRecords(letters + ".ST1", archive::kIndexRecordSize))
        out.push_back(archive::DecodeIndexEntry(r));
    return out;
}

inline bool InOrder(const std::vector<std::string>& entries) {
    for (std::size_t i = 2; i < entries.size(); ++i)
        if (archive::CompareArchiveText(entries[i - 1], entries[i]) > 0) return false;
    return true;
}

inline void Type(QLineEdit* e, const QString& text) {
    e->setFocus();
    QTest::keyClicks(e, text);
}

}  // namespace dialog_test
