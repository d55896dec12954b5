#pragma once
// Helpers of the database editor tests: the sample databases in a fresh
// working folder, a click on a list line by its text, typing over or after a
// field's text as the user does, and one record cut out of a file's bytes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest/QTest>
#include <string>

#include "remedies/windows/database_editor_window.h"
#include "tests/remedies/windows/window_test_util.h"

namespace editor_tests {

using window_tests::Text;

class EditorSample : public ::testing::Test {
protected:
    window_tests::SampleFolder sample;
    gui::RecordingMessageSink& messages = sample.messages;
};

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
