#include "shell/application.h"

#include "shell/command_line.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <memory>

#include "archive/current_chart.h"
#include "display/draw/drawing_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/session_end.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/translations.h"
#include "platform/runtime/grouped_rewrite.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "remedies/remedy_files.h"
#include "shell/data_folder_claim.h"
#include "shell/forms.h"
#include "shell/main_window.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
#include "shell/start_up.h"

namespace shell {

namespace {

// The end of the desktop session (SIGTERM, SIGHUP) and Ctrl+C on a terminal
// end the program the way it always ends, giving up the data folder. The
// start is always finished first, so an ended run leaves the same data folder
// whenever the signal came: a message or question open then, and every one
// after it, is answered as its close button answers it (Ok, Cancel, or No
// where there is no Cancel), every dialog is closed without a question (what
// an editor holds unsaved is dropped: the files stay as last saved), and once
// the main window's first activation is done the main window is closed as the
// user closes it. Nothing keeps the program running then.
class SessionEnd {
public:
    explicit SessionEnd(QApplication& app) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pipe()) != 0) return;
        auto* notifier = new QSocketNotifier(Pipe()[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [this] {
            char c = 0;
            [[maybe_unused]] const auto read = ::read(Pipe()[0], &c, 1);
            Begin();
        });
        struct sigaction action {};
        action.sa_handler = [](int) {
            const char c = 1;
            [[maybe_unused]] const auto written = ::write(Pipe()[1], &c, 1);
        };
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &action, nullptr);
    }

    // The window that ends the program when it closes.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    // True once the session has ended: what answers a message from then on is
    // not the user.
    bool Ending() const { return ending_; }

    // The start is done (the main window's first activation ran): a session
    // that ended meanwhile closes the program now.
    void StartDone() {
        started_ = true;
        if (ending_) CloseMainWindow();
    }

private:
    // The two ends of the socket the signal handler writes to: the one thing a
    // signal handler may reach, so it lives for the whole process.
    static int* Pipe() {
        static int ends[2] = {-1, -1};
        return ends;
    }

    // Each signal does it again: a window that was opened since is closed too.
    void Begin() {
        if (!ending_) {
            ending_ = true;
            gui::SetMessageSink(
                [](const gui::MessageRequest& request) { return gui::CloseButtonAnswer(request.buttons); });
            gui::SetDefaultModalHandler([](QDialog*) { return int(gui::kModalCancel); });
        }
        // The boxes and dialogs open now, the innermost first.
        gui::CloseDialogsUnasked();
        if (started_) CloseMainWindow();
    }

    // As the user closes it; a window that still keeps itself open does not
    // keep the program running.
    void CloseMainWindow() {
        if (!mainWindow_ || !mainWindow_->isVisible()) return;
        gui::CloseDialogsUnasked();
        if (mainWindow_->close()) return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) w->hide();
        QCoreApplication::quit();
    }

    QPointer<QWidget> mainWindow_;
    bool ending_ = false;
    bool started_ = false;
};

}  // namespace

int RunApplication(int argc, char** argv) {
    // Read before Qt takes out the arguments it knows.
    const std::string commandLineFile = TextFileOfCommandLine(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvor");
    // The desktop matches the windows to the menu entry by this name, and shows
    // the installed icon on them (none when run from a build folder).
    QGuiApplication::setDesktopFileName("kelvor");
    QApplication::setWindowIcon(QIcon::fromTheme("kelvor"));
    QApplication::setQuitOnLastWindowClosed(false);
    SessionEnd sessionEnd(app);
    // The message boxes' buttons in the language of the program's questions.
    gui::LoadQtTranslations();
    // The data folder is its user's alone, before anything is written in it.
    bool madePrivate = false;
    try {
        madePrivate = rt::MakeDataFolderPrivate();
    } catch (const rt::IoError& e) {
        QMessageBox::critical(nullptr, "kelvor",
                              gui::ToQt("Impossibile preparare la cartella dei dati: " + std::string(e.what()) +
                                        (e.File().empty() ? "" : ": " + e.File())));
        return 1;
    }
    // One copy per data folder; a second copy ends here, touching nothing.
    DataFolderClaim claim;
    if (!claim.Claim(rt::UserDataFolder())) return 1;
    rt::RenewalNotice renewal;
    try {
        // A database brought from another installation keeps its own lists.
        rt::PrepareDataFolder(remedies::RemedySeedGroups(), &renewal);
    } catch (const rt::IoError& e) {
        QMessageBox::critical(nullptr, "kelvor",
                              gui::ToQt("Impossibile preparare la cartella dei dati: " + std::string(e.what()) +
                                        (e.File().empty() ? "" : ": " + e.File())));
        return 1;
    }
    // What a run that ended in the middle of a store left behind.
    gui::Guard([] { rt::FinishInterruptedRewrites(); });
    // The current person's chart, birth data and orbs, the drawing state and
    // the rest of this run's state, kept here for the windows until the run ends.
    archive::CurrentChart currentChart;
    display::DrawingState drawing;
    archive::DrawSettings drawSettings;
    UserNameState userName;
    display::SheetSelectionState sheetSelection;
    display::ChartGeometryState wheelGeometry;
    if (madePrivate) gui::Guard([] { gui::ShowMessage(DataFolderMadePrivateMessage(rt::UserDataFolder())); });
    // Start values, screen and printer, engine settings; the renewal notice is
    // told again at the next start when the session's end answered it.
    gui::Guard([&currentChart, &drawing, &renewal, &sessionEnd] {
        StartUp(currentChart, drawing, renewal, [&sessionEnd] { return !sessionEnd.Ending(); });
    });
    gui::InstallIdleHook();
    // The windows in their order, the main window first, freed in reverse order
    // (the list goes before the main window's holder it frees).
    std::unique_ptr<MainWindow> mainWindow;
    ProgramWindows windows;
    // The text editors open the file the command line names.
    MainWindow& main = CreateStartWindows(windows, mainWindow,
                                          {.currentChart = currentChart,
                                           .drawing = drawing,
                                           .drawSettings = drawSettings,
                                           .userName = userName,
                                           .sheetSelection = sheetSelection,
                                           .wheelGeometry = wheelGeometry},
                                          {.commandLineFile = QString::fromLocal8Bit(commandLineFile.c_str())});
    sessionEnd.SetMainWindow(&main);
    main.show();
    // The main window's first activation completes the start-up.
    QTimer::singleShot(0, &main, [&sessionEnd, &main] {
        gui::Guard([&main] { main.Refresh(); });
        sessionEnd.StartDone();
    });
    int result = app.exec();
    windows.FreeAll();
    claim.Release();
    return result;
}

}  // namespace shell
