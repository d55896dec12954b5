#pragma once
// Helpers of the remedy window tests: the shipped sample databases copied into
// a fresh working folder, clicks on list lines, and texts as model strings.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gui/text_convert.h"
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
            fs::copy_file(e.path(), fs::path(folder) / e.path().filename(),
                          fs::copy_options::overwrite_existing);
    }
    for (const char* f : {"Principi.txt", "Principi.sto"})
        fs::copy_file(shipped / f, f, fs::copy_options::overwrite_existing);
}

// Clicks line `row` of a list as the user does: selects it and sends the click.
inline void ClickRow(QListWidget* list, int row) {
    list->setCurrentRow(row);
    emit list->itemClicked(list->item(row));
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

}  // namespace window_tests
