#pragma once
// Helpers of the remedy window tests: the shipped sample databases copied into
// a fresh working folder, clicks on list lines (by the model strings of a
// ModelList, or with the mouse on a shown list), and texts as model strings.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/record_file.h"
#include "remedies/browser_search.h"
#include "remedies/signature_db.h"
#include "remedies/windows/window_parts.h"
#include "tests/common/test_support.h"

namespace window_tests {

namespace fs = std::filesystem;

// Copies the sample remedy files of the build's data tree into the working folder.
inline void CopySampleData() {
    const fs::path shipped = KELVOR_TEST_DATA_DIR;
    for (const char* folder : {"OpzioneH", "OpzioneS"}) {
        fs::create_directories(folder);
        for (const auto& e : fs::directory_iterator(shipped / folder))
            fs::copy_file(e.path(), fs::path(folder) / e.path().filename(), fs::copy_options::overwrite_existing);
    }
    for (const char* f : {"Principi.txt", "Principi.sto"})
        fs::copy_file(shipped / f, f, fs::copy_options::overwrite_existing);
}

// A working folder holding the shipped sample databases and their lists.
class SampleFolder {
public:
    SampleFolder() {
        const fs::path shipped = KELVOR_TEST_DATA_DIR;
        fs::create_directories("OpzioneH");
        for (const char* f :
             {"DBmain.rnd", "Repertorio.rnd", "Sintomi.txt", "ProdotA.txt", "ProdotB.txt", "Patolog.txt"})
            fs::copy_file(shipped / "OpzioneH" / f, fs::path("OpzioneH") / f);
    }
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
};

// Clicks the line of a list that reads `text` with the mouse; false when no line does.
inline bool ClickLine(QListWidget* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (gui::FromQt(list->item(i)->text()) != text) continue;
        list->scrollToItem(list->item(i));
        list->setCurrentRow(i);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
        return true;
    }
    return false;
}

inline std::string Text(const QListWidget* list, int row) { return gui::FromQt(list->item(row)->text()); }

// Clicks line `row` of a list as the user does: selects it and sends the click.
inline void ClickRow(QListWidget* list, int row) {
    list->setCurrentRow(row);
    Q_EMIT list->itemClicked(list->item(row));
}

// Clicks the line holding the text (model string); false when there is none.
inline bool ClickLine(remedies::ModelList* list, const std::string& line) {
    const auto& lines = list->Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) {
            ClickRow(list, static_cast<int>(i));
            return true;
        }
    return false;
}

inline std::string Text(const QLineEdit* e) { return gui::FromQt(e->text()); }
inline std::string Text(const QPlainTextEdit* m) { return gui::FromQt(m->toPlainText()); }

// Saves a picture of the window into $KELVOR_SCREENSHOT_DIR when it is set.
inline void SaveShot(QWidget* w, const std::string& name) {
    const char* dir = std::getenv("KELVOR_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    w->grab().save(QString::fromStdString((fs::path(dir) / (name + ".png")).string()));
}

// Random bytes over records `first` to `first + count - 1` of a database file,
// as a bad copy or a failing disc leaves them; the file keeps its length.
inline void WriteRandomRecords(const fs::path& file, std::size_t recordSize, std::size_t first, std::size_t count,
                               unsigned seed) {
    std::string bytes = testing_support::ReadBytes(file);
    bytes.replace(first * recordSize, count * recordSize, testing_support::RandomBytes(count * recordSize, seed));
    testing_support::WriteBytes(file, bytes);
}

// The text of the last message shown ("" when none was).
inline std::string LastMessage(const gui::RecordingMessageSink& sink) {
    return sink.messages.empty() ? std::string() : sink.messages.back().text;
}

// `count` messages were shown, the last naming the database (its program name,
// as "OpzioneH\\DBmain.rnd") as damaged and, when given, the list not shown.
inline void ExpectDamageTold(const gui::RecordingMessageSink& sink, std::size_t count, const std::string& database,
                             const std::string& list = {}) {
    ASSERT_EQ(sink.messages.size(), count);
    const std::string said = LastMessage(sink);
    EXPECT_NE(said.find("\"" + database + "\" \xE8 danneggiato"), std::string::npos) << said;
    if (!list.empty()) {
        EXPECT_NE(said.find("\"" + list + "\""), std::string::npos) << said;
    }
}

// Empties a search box as a user does with the keyboard: Ctrl+A, then Delete
// or Ctrl+X.
inline void EmptyWithKeys(QLineEdit* box, bool cut) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (cut)
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    else
        QTest::keyClick(box, Qt::Key_Delete);
}

// A signature database of the records (record 0 the header) with its symptom
// and plant lists.
inline void WriteSignatureDb(const std::vector<remedies::SignatureRecord>& records) {
    using namespace remedies;
    fs::create_directories("OpzioneS");
    std::vector<rt::Bytes> all{rt::Bytes(kSignatureRecordSize, 0)};
    for (const auto& r : records) all.push_back(EncodeSignatureRecord(r));
    rt::ReplaceAllRecords(kSignatureDbName, kSignatureRecordSize, all);
    ReplaceNameFile(kSignatureSymptomsName, 100, SignatureSymptomEntries(records));
    BuildPlantNameFile();
}

}  // namespace window_tests
