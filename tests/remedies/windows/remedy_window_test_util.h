#pragma once
// Helpers of the remedy window tests: a working folder holding the shipped
// sample databases and their lists, and clicks on list lines.
#include <QListWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <string>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "remedies/browser_search.h"
#include "tests/common/test_support.h"

namespace remedy_window_tests {

namespace fs = std::filesystem;

class SampleFolder {
public:
    SampleFolder() {
        const fs::path shipped = KELVOR_TEST_DATA_DIR;
        fs::create_directories("OpzioneH");
        for (const char* f : {"DBmain.rnd", "Repertorio.rnd", "Sintomi.txt", "ProdotA.txt", "ProdotB.txt",
                              "Patolog.txt"})
            fs::copy_file(shipped / "OpzioneH" / f, fs::path("OpzioneH") / f);
        remedies::ResetBrowserStates();
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

}  // namespace remedy_window_tests
