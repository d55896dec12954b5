// Opening a document with the desktop's opener: a document no program could
// open is reported, at once or when the opener gives up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>

#include "platform/gui/system_services.h"
#include "tests/common/test_support.h"

namespace fs = std::filesystem;

namespace {

// A folder with a document and an opener of our own ("xdg-open", which writes
// the file it was asked for and ends with `status`) first on the PATH.
class DesktopOpener : public ::testing::Test {
protected:
    void SetUp() override {
        previousPath_ = qgetenv("PATH");
        document_ = folder_.Path() / "Istruzioni.pdf";
        testing_support::WriteBytes(document_, "%PDF-1.4\n");
        fs::create_directories(folder_.Path() / "bin");
    }
    void TearDown() override {
        qputenv("PATH", previousPath_);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void InstallOpener(int status) {
        const fs::path script = folder_.Path() / "bin" / "xdg-open";
        testing_support::WriteBytes(script, "#!/bin/sh\nprintf '%s' \"$1\" > '" + Asked().string() + "'\nexit " +
                                                std::to_string(status) + "\n");
        fs::permissions(script, fs::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString((folder_.Path() / "bin").string()));
    }
    fs::path Asked() const { return folder_.Path() / "asked"; }

    // Asks the desktop to open `path`; true when it reported a failure, waiting
    // for the opener to end (the guard only stops a hung test).
    bool OpenFails(const fs::path& path) {
        gui::SystemServices desktop;
        bool failed = false;
        QEventLoop loop;
        desktop.OpenDocument(path.string(), [&] {
            failed = true;
            loop.quit();
        });
        if (!failed) {
            QTimer::singleShot(300000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return failed;
    }

    testing_support::TempWorkFolder folder_;
    fs::path document_;
    QByteArray previousPath_;
};

}  // namespace

TEST_F(DesktopOpener, AnOpenerThatFindsNoProgramIsReported) {
    InstallOpener(3);  // the opener's "no method available for opening"
    EXPECT_TRUE(OpenFails(document_));
    EXPECT_EQ(testing_support::ReadBytes(Asked()), document_.string());
}

TEST_F(DesktopOpener, AMissingDocumentIsReportedWithoutAskingTheOpener) {
    InstallOpener(0);
    EXPECT_TRUE(OpenFails(folder_.Path() / "Dispensa.pdf"));
    EXPECT_FALSE(fs::exists(Asked()));
}

TEST_F(DesktopOpener, ADesktopWithoutAnOpenerIsReportedAtOnce) {
    qputenv("PATH", QByteArray::fromStdString((folder_.Path() / "bin").string()));  // holds no opener
    gui::SystemServices desktop;
    bool failed = false;
    desktop.OpenDocument(document_.string(), [&] { failed = true; });
    EXPECT_TRUE(failed);
}
