// The four sheets of the fixed person saved as chart metafiles through the
// viewer's button, in colour with aspect lines and in black and white with
// aspect wedges, for a Gregorian and a Julian birth: every file is kept as a
// fixture (its fingerprint and size), so a change of the code that must not
// change the saved sheets is checked byte for byte.
//
// KELVOR_RECORDINGS_UPDATE=1 rewrites the fixture from what is saved now.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCryptographicHash>
#include <QPushButton>
#include <fstream>
#include <map>
#include <sstream>

#include "archive/current_chart.h"
#include "archive/draw_settings_file.h"
#include "display/draw/glyphs.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_printing.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_view.h"
#include "display/sheets/sheet_viewer.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/clock.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/display/sheets/sheet_person.h"

namespace {

class MetafileScreen : public gui::SystemServices {
public:
    int ScreenWidth() override { return 1920; }
    int ScreenHeight() override { return 1080; }
};

std::string MetafileFingerprint(const std::string& bytes) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256).toHex();
    return hash.left(32).toStdString() + " " + std::to_string(bytes.size());
}

class SheetMetafiles : public ::testing::Test {
protected:
    // The person whose sheets the tests draw.
    archive::CurrentChart& current_ = testing_support::CurrentChartOfTest();
    void SetUp() override {
        // The sheets print the day's date: the recorded bytes hold that of one day.
        rt::SetClock([] { return rt::LocalDateTime{2026, 12, 7, 10, 30, 0, 0}; });
        gui::SetSystemServices(std::make_unique<MetafileScreen>());
        sheet_test::PrepareSheetViewer();
        viewer_ = std::make_unique<display::SheetViewer>(current_, selection_, testing_support::DrawingStateOfTest(),
                                                         display::SheetViewerCollaborators{
                                                             .printer = std::make_unique<display::PdfSheetPrinter>(
                                                                 (folder_.Path() / "sheet.pdf").string())});
        viewer_->resize(1920, 1080);
    }
    void TearDown() override {
        viewer_.reset();
        gui::SetSystemServices(nullptr);
        selection_ = {};
        rt::SetClock({});
    }
    // Every sheet opened, zoomed in once (the saved file is drawn at zoom 1
    // all the same) and saved; in black and white with wedges when asked.
    void SaveAll(const std::string& label, bool blackAndWedges, std::map<std::string, std::string>& out) {
        const std::pair<int, const char*> sheets[] = {{5, "P"}, {16, "L"}, {17, "L"}, {18, "P"}};
        for (const auto& [code, orientation] : sheets) {
            if (viewer_->isVisible()) viewer_->close();
            selection_.sheetCode = code;
            selection_.sheetOrientation = orientation;
            viewer_->show();
            viewer_->DrawWhenReady();
            viewer_->DrawWhenReady();
            if (blackAndWedges) {
                testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
                testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
            }
            testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnZoomPiu")->click();
            testing_support::ControlOf<QComboBox>(*viewer_, "ComboEMF")->setEditText("GRAF05.EMF");
            testing_support::ControlOf<QPushButton>(*viewer_, "BBEMFout")->click();
            out[label + "/sheet" + std::to_string(code)] =
                testing_support::ReadBytes(folder_.Path() / "Emf" / "GRAF05.EMF");
            if (blackAndWedges) {
                testing_support::ControlOf<QPushButton>(*viewer_, "BitBtnColNer")->click();
                testing_support::ControlOf<QPushButton>(*viewer_, "BBFlagRiga")->click();
            }
        }
    }
    testing_support::TempWorkFolder folder_;
    gui::RecordingMessageSink sink_;
    display::SheetSelectionState selection_;
    std::unique_ptr<display::SheetViewer> viewer_;
};

TEST_F(SheetMetafiles, EverySheetSavesTheRecordedBytes) {
    std::map<std::string, std::string> now;
    SaveAll("colour-lines", false, now);
    SaveAll("black-wedges", true, now);
    current_.chart.moment.gregorian = false;
    wheel_test::SetWheelPoint(current_.chart, 1, 135.25L);  // the Sun in Leo: other receptions
    current_.chart.receptions = engine::ComputeReceptions(current_.chart);
    SaveAll("julian", false, now);
    ASSERT_TRUE(sink_.messages.empty());
    ASSERT_EQ(now.size(), 12u);
    // The wedges and the colours reach the theme sheets' files.
    EXPECT_NE(now.at("colour-lines/sheet5"), now.at("black-wedges/sheet5"));
    EXPECT_NE(now.at("colour-lines/sheet16"), now.at("julian/sheet16"));

    const std::filesystem::path fixture = testing_support::FixturePath("recordings/sheet_metafiles.txt");
    if (const char* update = std::getenv("KELVOR_RECORDINGS_UPDATE"); update && std::string(update) == "1") {
        std::ofstream f(fixture, std::ios::binary);
        for (const auto& [step, bytes] : now) f << step << " " << MetafileFingerprint(bytes) << "\n";
        GTEST_SKIP() << "fixture rewritten: " << fixture;
    }
    std::map<std::string, std::string> kept;
    std::istringstream in(testing_support::ReadFixture("recordings/sheet_metafiles.txt"));
    for (std::string line; std::getline(in, line);) {
        const std::size_t sp = line.find(' ');
        if (sp != std::string::npos) kept[line.substr(0, sp)] = line.substr(sp + 1);
    }
    EXPECT_EQ(kept.size(), now.size());
    for (const auto& [step, bytes] : now) {
        ASSERT_TRUE(kept.count(step)) << step << " is not in the fixture";
        EXPECT_EQ(MetafileFingerprint(bytes), kept.at(step)) << step << " saves other bytes than recorded";
    }
}

}  // namespace
