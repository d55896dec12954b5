#pragma once
// Helpers of the database editor tests: the sample databases in a fresh
// working folder, a click on a list line by its text, typing over or after a
// field's text as the user does, and one record cut out of a file's bytes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest/QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/test_support.h"

#include "platform/runtime/record_file.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/database_editor_window.h"
#include "tests/remedies/windows/window_test_util.h"

namespace editor_tests {

using window_tests::ClickRow;
using window_tests::Text;

class EditorSample : public ::testing::Test {
protected:
    window_tests::SampleFolder sample;
    gui::RecordingMessageSink& messages = sample.messages;
};

// An empty working folder for databases a test writes itself.
class OwnDatabases : public ::testing::Test {
protected:
    testing_support::TempWorkFolder folder;
    gui::RecordingMessageSink messages;
};

// A therapies database with its header record and the given records.
inline void WriteRepertoryDb(const std::vector<remedies::RepertoryTexts>& records) {
    std::filesystem::create_directories("OpzioneH");
    std::vector<rt::Bytes> all{rt::Bytes(remedies::kRepertoryRecordSize, 0)};
    for (const auto& t : records)
        all.push_back(remedies::EncodeRepertoryRecord(remedies::FormToRepertoryRecord(t)));
    rt::ReplaceAllRecords(remedies::kRepertoryDbName, remedies::kRepertoryRecordSize, all);
}

// A text of n characters that begins with `tag` and differs from its
// neighbours at every position, so a text shown or stored in another field,
// or a slice of it taken from the wrong place, is noticed.
inline std::string Tagged(const std::string& tag, std::size_t n) {
    std::string s = tag;
    for (std::size_t i = 0; s.size() < n; ++i) s += static_cast<char>('a' + (i * 7 + i / 26 + tag.size()) % 26);
    return s.substr(0, n);
}

// Clicks the line of the editor's list that reads `text`, with the mouse.
inline void ClickEntry(remedies::DatabaseEditorWindow& w, const std::string& text) {
    ASSERT_TRUE(window_tests::ClickLine(w.ListBox1, text)) << text;
}

// The selected line of a list, "" when none is selected.
inline std::string CurrentLine(const QListWidget* list) {
    return list->currentItem() ? gui::FromQt(list->currentItem()->text()) : std::string();
}

// Selects the whole text of a field and types `text` over it.
inline void Retype(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Types `text` at the end of a field.
inline void Append(QPlainTextEdit* memo, const QString& text) {
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, text);
}
inline void Append(QLineEdit* edit, const QString& text) {
    edit->end(false);
    QTest::keyClicks(edit, text);
}

// Record r of a record file's bytes.
inline std::string Record(const std::string& bytes, std::size_t r, std::size_t size) {
    return bytes.substr(r * size, size);
}

}  // namespace editor_tests
