// Entry point of every test program: headless Qt, the shipped data tree of the
// build, and GoogleTest.
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

#include <QDialog>

#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/runtime/damaged_file.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("KELVOR_DATA_DIR", KELVOR_TEST_DATA_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // No test may wait for a person: a dialog or message box that the test did
    // not answer fails the test and is answered with Cancel or Ok.
    gui::SetLastResortModalHandler([](QDialog* d) {
        ADD_FAILURE() << "unexpected dialog " << d->objectName().toStdString();
        return int(gui::kModalCancel);
    });
    gui::SetMessageSink([](const gui::MessageRequest& r) {
        ADD_FAILURE() << "unexpected message box: " << r.text;
        return int(gui::kAnswerOk);
    });
    // A damaged file is told in a message box, as the program tells it.
    rt::SetDamagedFileReporter([](const std::string& message) { gui::ShowMessage(message); });
    return RUN_ALL_TESTS();
}
