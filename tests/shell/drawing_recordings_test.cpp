// What the chart window and the sheets show for three stored people (a birth
// in Rome, one south of the equator, one in the Julian calendar), recorded call
// by call through the windows' canvases, with the texts of the chart window's
// panels and the text of each printed sheet. The recordings are kept as
// fixtures (a fingerprint and the number of calls of each): a change of the
// code that must not change what is drawn is checked against them.
//
// KELVOR_RECORDINGS_OUT=<folder> writes every recording whole into the folder
// (to compare two versions with diff); KELVOR_RECORDINGS_UPDATE=1 rewrites the
// fixture from what is drawn now.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "display/chart/chart_views.h"
#include "display/chart/chart_window.h"
#include "display/draw/recording_surface.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_viewer.h"
#include "platform/runtime/clock.h"
#include "shell/main_window.h"
#include "shell/subsystem_windows.h"
#include "tests/common/chart_window_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/shell/shell_test_support.h"

namespace fs = std::filesystem;

namespace {

struct StoredPerson {
    const char* key;
    const char* name;
    const char* date;      // YYYYMMDDHHMM and the correction
    const char* place;     // coordinates and place name
    const char* calendar;  // "GR" or "GI"
    const char* nation;
};

const StoredPerson kPeople[] = {
    {"rome", "MERINI ALDA", "196412251405-1", "41N54-012E29ROMA", "GR", "ITALIA"},
    {"south", "SOUZA PAULO", "197807030930+3", "23S33-046W38SAO PAULO", "GR", "BRASILE"},
    {"julian", "GALILEI VINCENZO", "152002151100-0.75", "43N46-011E15FIRENZE", "GI", "ITALIA"},
};

std::string Shell(const std::string& command) { return testing_support::CommandOutput(command); }

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// What a window showed for one step: its drawing calls, then its texts.
using Recordings = std::map<std::string, std::string>;

std::string PanelTexts(display::ChartWindow& w) {
    std::string out;
    for (const char* name : {"Memo1", "MemoAspetti", "Memo3", "Memo4", "MemoExtra", "MemoL1", "MemoL2"}) {
        const QPlainTextEdit* memo = w.findChild<QPlainTextEdit*>(name);
        if (!memo) continue;
        out += std::string("-- ") + name + (memo->isVisibleTo(&w) ? " shown" : " hidden") + "\n";
        out += memo->toPlainText().toStdString() + "\n";
    }
    return out;
}

// The ticks of a window's first-drawing timer, run by hand until the timer
// stops: the window then has drawn once, whichever opening this is.
void TickUntilDrawn(const QTimer& timer, const std::function<void()>& tick) {
    for (int i = 0; i < 10 && timer.isActive(); ++i) tick();
    EXPECT_FALSE(timer.isActive()) << timer.parent()->objectName().toStdString() << " never drew";
}

// The fingerprint of a recording and its number of lines.
std::string Fingerprint(const std::string& recording) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(recording), QCryptographicHash::Sha256).toHex();
    std::size_t lines = 0;
    for (char c : recording) lines += c == '\n';
    return hash.left(32).toStdString() + " " + std::to_string(lines);
}

class DrawingRecordings : public ::testing::Test {
protected:
    void SetUp() override {
        rt::SetClock([] { return rt::LocalDateTime{2026, 12, 7, 10, 30, 0, 0}; });
    }
    void TearDown() override { rt::SetClock({}); }

    // Every view and sub-view of the chart window, then the four sheets on
    // the screen and on paper, for one person.
    void Record(const StoredPerson& p, Recordings& out) {
        shell_testing::ProgramStart start;
        archive::WriteCurrentPerson(p.name, shell_testing::StoredRecord(p.date, p.place, {p.calendar, p.nation}));
        shell::MainWindow* main = shell_testing::StartedMainWindow();
        main->Refresh();
        // The test's program prints into this file.
        const std::string pdf = (fs::current_path() / "sheet.pdf").string();

        display::RecordingSurface dc{testing_support::DrawingStateOfTest()};
        display::ChartWindow& chart = *testing_support::ChartWindowOfTest();
        chart.SetRecorder(&dc);
        auto keep = [&](const std::string& step, const std::string& texts) {
            out[std::string(p.key) + "/" + step] = Joined(dc.log) + texts;
            dc.Clear();
        };
        testing_support::ControlOf<QPushButton>(*main, "BBProped")->click();
        TickUntilDrawn(*testing_support::ControlOf<QTimer>(chart, "Timer1"), [&] { chart.DrawWhenReady(); });
        keep("wheel", PanelTexts(chart));
        // Every button of the views' table, in the table's order.
        const std::vector<display::ChartViewRow>& rows = display::ChartViewRows();
        // The panel's buttons: the views' first, then "Backards" and the font size.
        const QList<QPushButton*> viewButtons = testing_support::ControlOf<QFrame>(chart, "PanelPulsanti")
                                                    ->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
        EXPECT_EQ(static_cast<std::size_t>(viewButtons.size()), rows.size() + 2);
        for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(viewButtons.size()); ++i) {
            QPushButton* button = viewButtons[static_cast<qsizetype>(i)];
            EXPECT_EQ(button->objectName().toStdString(), rows[i].name);
            // Each sub-view, and the first again after the last.
            const int subViews = display::SubViewCount(rows[i].view);
            for (int press = 1; press <= subViews + 1; ++press) {
                if (button->isEnabled())
                    button->click();
                else
                    QMetaObject::invokeMethod(button, "clicked");  // a button offered disabled
                keep(button->objectName().toStdString() + "-" + std::to_string(press), PanelTexts(chart));
            }
        }
        testing_support::ControlOf<QPushButton>(chart, "BBprivato")->click();
        chart.SetRecorder(nullptr);

        display::SheetViewer& viewer = *testing_support::WindowOfTest<display::SheetViewer>();
        viewer.SetRecorder(&dc);
        const std::pair<int, std::function<void()>> sheets[] = {
            {5, [&] { testing_support::ControlOf<QPushButton>(*main, "BBVert")->click(); }},
            {16, [&] { testing_support::ControlOf<QPushButton>(*main, "BBOriz")->click(); }},
            {17, [&] { main->ShowSecondLandscapeSheet(); }},
            {18, [&] { main->ShowSecondPortraitSheet(); }}};
        for (const auto& [code, open] : sheets) {
            main->ToggleBoxesLock();
            open();
            TickUntilDrawn(*testing_support::ControlOf<QTimer>(viewer, "Timer1"), [&] { viewer.DrawWhenReady(); });
            keep("sheet" + std::to_string(code), "");
            testing_support::ControlOf<QPushButton>(viewer, "BitBtnStampa")->click();
            dc.Clear();
            out[std::string(p.key) + "/paper" + std::to_string(code)] = Shell("pdftotext -layout '" + pdf + "' -");
            viewer.hide();
        }
        viewer.SetRecorder(nullptr);
    }
};

TEST_F(DrawingRecordings, EveryViewAndSheetOfThreePeopleDrawsAsRecorded) {
    Recordings now;
    for (const StoredPerson& p : kPeople) Record(p, now);
    ASSERT_FALSE(HasFailure());
    // The first person again, after the others: nothing an earlier start drew
    // or counted changes what a start shows.
    Recordings again;
    Record(kPeople[0], again);
    for (const auto& [step, recording] : again)
        EXPECT_TRUE(recording == now.at(step)) << step << " differs the second time";

    if (const char* dir = std::getenv("KELVOR_RECORDINGS_OUT"); dir && *dir) {
        for (const auto& [step, recording] : now) {
            const fs::path file = fs::path(dir) / (step + ".txt");
            fs::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << recording;
        }
    }
    const fs::path fixture = testing_support::FixturePath("recordings/drawings.txt");
    if (const char* update = std::getenv("KELVOR_RECORDINGS_UPDATE"); update && std::string(update) == "1") {
        std::ofstream f(fixture, std::ios::binary);
        for (const auto& [step, recording] : now) f << step << " " << Fingerprint(recording) << "\n";
        GTEST_SKIP() << "fixture rewritten: " << fixture;
    }
    std::map<std::string, std::string> kept;
    std::istringstream in(testing_support::ReadFixture("recordings/drawings.txt"));
    for (std::string line; std::getline(in, line);) {
        const std::size_t sp = line.find(' ');
        if (sp != std::string::npos) kept[line.substr(0, sp)] = line.substr(sp + 1);
    }
    EXPECT_EQ(kept.size(), now.size());
    for (const auto& [step, recording] : now) {
        ASSERT_TRUE(kept.count(step)) << step << " is not in the fixture";
        EXPECT_EQ(Fingerprint(recording), kept.at(step)) << step << " draws otherwise than recorded";
    }
    // The recordings are not empty, and the people differ.
    EXPECT_GT(now.at("rome/wheel").size(), 10000u);
    EXPECT_NE(now.at("rome/wheel"), now.at("south/wheel"));
    EXPECT_NE(now.at("rome/paper5"), now.at("julian/paper5"));
    EXPECT_NE(now.at("julian/paper5").find("Giuliano"), std::string::npos);
}

}  // namespace
