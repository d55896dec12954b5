#pragma once
// Helpers of the shell's tests: a desktop with a fixed screen and printer that
// records the documents it is asked to open, and a fresh started program.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include "platform/gui/system_services.h"

#include <QDialog>
#include <QLineEdit>

#include "archive/archive_files.h"
#include "archive/chart_strings.h"
#include "archive/input_dialog.h"
#include "display/sheets/sheet_printing.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/runtime/paths.h"
#include "shell/forms.h"
#include "shell/main_window.h"
#include "shell/start_up.h"
#include "tests/common/controls_of_test.h"
#include "tests/common/current_chart_of_test.h"
#include "tests/common/drawing_state_of_test.h"
#include "tests/common/test_support.h"
#include "tests/common/wheel_geometry_of_test.h"

namespace shell_testing {

struct FakeDesktopLog {
    std::vector<std::string> openedDocuments;
    // A desktop without a PDF viewer: every document fails to open.
    bool noViewer = false;
};

class FakeDesktop : public gui::SystemServices {
public:
    FakeDesktop(FakeDesktopLog* log, int width, int height, bool printer)
        : log_(log), width_(width), height_(height), printer_(printer) {}
    void OpenDocument(const std::string& path, std::function<void()> failed) override {
        log_->openedDocuments.push_back(path);
        if (log_->noViewer && failed) failed();
    }
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return true; }
    gui::PrinterInfo Printer() override {
        gui::PrinterInfo p;
        if (!printer_) return p;
        p.present = true;
        p.pageWidthPixels = 4760;
        p.pageHeightPixels = 6814;
        p.dpi = 600;
        p.name = "PDF";
        return p;
    }
    int ScreenWidth() override { return width_; }
    int ScreenHeight() override { return height_; }

private:
    FakeDesktopLog* log_;
    int width_, height_;
    bool printer_;
};

// Installs the fake desktop while it lives.
class DesktopScope {
public:
    explicit DesktopScope(int width = 1280, int height = 1024, bool printer = true) {
        gui::SetSystemServices(std::make_unique<FakeDesktop>(&log, width, height, printer));
    }
    ~DesktopScope() { gui::SetSystemServices(nullptr); }
    FakeDesktopLog log;
};

// Bytes of every file under a folder, by relative path.
// The program's reporter of a damaged engine settings file: a message box.
inline void ShowSettingsMessage(const std::string& message) { gui::ShowMessage(message); }

inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        out[std::filesystem::relative(e.path(), folder).string()] = s.str();
    }
    return out;
}

// The lines of a CR LF text file (a lone LF is not a line end here).
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < bytes.size()) lines.push_back(bytes.substr(start));
            return lines;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
}

// The main window of the program a test started, and the list of its windows:
// held here from the test's CreateStartWindowsForTest until its
// FreeStartWindowsForTest.
inline std::unique_ptr<shell::MainWindow>& TestMainWindowOwner() {
    static std::unique_ptr<shell::MainWindow> owner;
    return owner;
}
inline shell::ProgramWindows& TestProgramWindows() {
    static shell::ProgramWindows windows;
    return windows;
}
inline shell::MainWindow* StartedMainWindow() { return TestMainWindowOwner().get(); }
// The program's state a test's start hands its main window, as the run hands
// its own (with the current chart and the drawing state of the tests): made
// anew at each start.
inline archive::DrawSettings& DrawSettingsOfTest() {
    static archive::DrawSettings settings;
    return settings;
}
inline shell::UserNameState& UserNameOfTest() {
    static shell::UserNameState name;
    return name;
}
inline display::SheetSelectionState& SheetSelectionOfTest() {
    static display::SheetSelectionState selection;
    return selection;
}
// The sheets print into "sheet.pdf" in the working folder.
inline shell::MainWindow& CreateStartWindowsForTest() {
    DrawSettingsOfTest() = {};
    UserNameOfTest() = {};
    SheetSelectionOfTest() = {};
    testing_support::WheelGeometryOfTest() = {};
    return shell::CreateStartWindows(TestProgramWindows(), TestMainWindowOwner(),
                                     {.currentChart = testing_support::CurrentChartOfTest(),
                                      .drawing = testing_support::DrawingStateOfTest(),
                                      .drawSettings = DrawSettingsOfTest(),
                                      .userName = UserNameOfTest(),
                                      .sheetSelection = SheetSelectionOfTest(),
                                      .wheelGeometry = testing_support::WheelGeometryOfTest()},
                                     {.sheetPrinter = std::make_unique<display::PdfSheetPrinter>(
                                          (std::filesystem::current_path() / "sheet.pdf").string())});
}
inline void FreeStartWindowsForTest() { TestProgramWindows().FreeAll(); }

// A program started in a fresh data folder, torn down at the end.
class ProgramStart {
public:
    explicit ProgramStart(bool printer = true, bool activate = true) : desktop(1280, 1024, printer) {
        // A dialog the test did not expect fails the test instead of waiting.
        gui::SetDefaultModalHandler([](QDialog* d) {
            ADD_FAILURE() << "unexpected dialog " << d->objectName().toStdString();
            return int(gui::kModalCancel);
        });
        rt::PrepareDataFolder();
        shell::StartUp(testing_support::CurrentChartOfTest(), testing_support::DrawingStateOfTest());
        CreateStartWindowsForTest();
        if (activate) Activate();
    }
    ~ProgramStart() {
        shell_testing::FreeStartWindowsForTest();
        gui::ClearModalHandlers();
    }
    void Activate() {
        StartedMainWindow()->show();
        gui::Guard([] { StartedMainWindow()->Refresh(); });
    }
    std::filesystem::path Data() const { return std::filesystem::current_path(); }
    testing_support::TempWorkFolder folder;
    DesktopScope desktop;
    gui::RecordingMessageSink messages;
};

// A stored birth record as the store dialog writes it, with its chart strings.
// Its calendar and nationality fields.
struct RecordCalendar {
    const char* calendar = "GR";
    const char* nationality = "ITALIA";
};
inline archive::BirthRecord StoredRecord(const char* date, const char* place, RecordCalendar calendar = {}) {
    archive::BirthRecord r;
    r.dateField = date;
    r.placeField = place;
    r.calendarField = calendar.calendar;
    r.nationalityField = calendar.nationality;
    archive::FillChartStrings(testing_support::CurrentChartOfTest().settings, r);
    return r;
}

// Merini Alda, 25 December 1964, 14:05, Rome (the Sun early in Capricorn),
// made the current person; the main window does not know it yet.
inline archive::BirthRecord MakeMeriniCurrent() {
    archive::BirthRecord r = StoredRecord("196412251405-1", "41N54-012E29ROMA");
    archive::WriteCurrentPerson("MERINI ALDA", r);
    return r;
}

// The entry dialog, when it opens, is filled as a user would for Galileo
// Galilei (15/02/1964 10:00, Pisa) and confirmed.
inline void EnterGalileoWhenTheEntryDialogOpens() {
    gui::SetModalHandler("FoInputKel", [](QDialog* d) {
        auto* entry = static_cast<archive::InputDialog*>(d);
        entry->StartNewEntry();
        entry->nameEdit->setText("GALILEI GALILEO");
        entry->dayEdit->setText("15");
        entry->monthEdit->setText("02");
        entry->yearEdit->setText("1964");
        entry->hourEdit->setText("10");
        entry->minuteEdit->setText("00");
        entry->placeSearchEdit->setText("PISA");
        entry->SearchPlace("PISA");
        entry->PickTypedPlace();
        gui::RunIdleHandler();
        entry->ConfirmAndStore();
        return int(gui::kModalOk);
    });
}

}  // namespace shell_testing
