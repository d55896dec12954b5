#pragma once
// Helpers of the database editor tests: the sample databases in a fresh
// working folder, a click on a list line by its text, typing over or after a
// field's text as the user does, and one record cut out of a file's bytes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/test_support.h"

#include "platform/gui/system_services.h"
#include "platform/runtime/record_file.h"
#include "remedies/primary_db.h"
#include "remedies/repertory_db.h"
#include "remedies/windows/database_editor_window.h"
#include "tests/remedies/windows/window_test_util.h"

namespace editor_tests {

using window_tests::ClickRow;
using window_tests::Text;

class EditorSample : public ::testing::Test {
protected:
    window_tests::SampleFolder sample_;
    gui::RecordingMessageSink& messages_ = sample_.messages;
};

// An empty working folder for databases a test writes itself.
class OwnDatabases : public ::testing::Test {
protected:
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink messages_;
};

// A therapies database with its header record and the given records.
inline void WriteRepertoryDb(const std::vector<remedies::RepertoryTexts>& records) {
    std::filesystem::create_directories("OpzioneH");
    std::vector<rt::Bytes> all{rt::Bytes(remedies::kRepertoryRecordSize, 0)};
    for (const auto& t : records) all.push_back(remedies::EncodeRepertoryRecord(remedies::FormToRepertoryRecord(t)));
    rt::ReplaceAllRecords(remedies::kRepertoryDbName, remedies::kRepertoryRecordSize, all);
}

// A text of n characters that begins with `tag`, then letters that follow
// from the tag and the position as a fixed pseudo-random sequence: another
// field's text, a slice taken from the wrong place or a text found at the
// wrong position is noticed, and a dozen letters occur once in a text.
inline std::string Tagged(const std::string& tag, std::size_t n) {
    std::uint32_t seed = 2166136261u;
    for (unsigned char c : tag) seed = (seed ^ c) * 16777619u;
    std::string s = tag;
    for (std::uint32_t i = 0; s.size() < n; ++i) {
        std::uint32_t x = seed + i;  // mixed so that neighbouring positions are unrelated
        x ^= x >> 16;
        x *= 0x7feb352du;
        x ^= x >> 15;
        x *= 0x846ca68bu;
        x ^= x >> 16;
        s += static_cast<char>('a' + x % 26);
    }
    return s.substr(0, n);
}

// A primary record with every text at its full length, each its own.
inline remedies::PrimaryTexts FullRecord(const std::string& tag) {
    remedies::PrimaryTexts t;
    t.remedy = Tagged(tag + "Rem", 50);
    t.indication = Tagged(tag + "Ind", 300);
    t.posology = Tagged(tag + "Pos", 900);
    t.warnings = Tagged(tag + "War", 400);
    t.primarySignature = Tagged(tag + "Pri", 30);
    t.secondarySignature = Tagged(tag + "Sec", 40);
    t.zodiacalSignature = Tagged(tag + "Zod", 70);
    t.synthesis = Tagged(tag + "Syn", 1500);
    t.notes = Tagged(tag + "Not", 750);
    t.extraNotes = Tagged(tag + "Ext", 750);
    return t;
}

// A therapies record with every text at its full length, each its own.
inline remedies::RepertoryTexts FullTherapy(const std::string& tag) {
    return {Tagged(tag + "Pat", 100), Tagged(tag + "Rem", 100), Tagged(tag + "Pos", 250), Tagged(tag + "Not", 750)};
}

// Clicks the line of the editor's list that reads `text`, with the mouse.
inline void ClickEntry(remedies::DatabaseEditorWindow& w, const std::string& text) {
    ASSERT_TRUE(window_tests::ClickLine(w.entryList, text)) << text;
}

// The selected line of a list, "" when none is selected.
inline std::string CurrentLine(const QListWidget* list) {
    return list->currentItem() ? gui::FromQt(list->currentItem()->text()) : std::string();
}

// Clicks a radio button on its circle, as the user does (a click beyond its
// caption misses it).
inline void ClickRadio(QRadioButton* radio) {
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(7, radio->height() / 2));
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

// Volumes of a test: folders standing for mounted discs.
class DiscVolumes : public gui::SystemServices {
public:
    explicit DiscVolumes(std::vector<std::filesystem::path> roots) : roots_(std::move(roots)) {}
    std::vector<gui::Volume> ListVolumes() override {
        std::vector<gui::Volume> out;
        for (const auto& r : roots_) out.push_back({r.string(), r.filename().string()});
        return out;
    }

private:
    std::vector<std::filesystem::path> roots_;
};

}  // namespace editor_tests
