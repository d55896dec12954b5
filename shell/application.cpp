#include "shell/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
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
#include "shell/start_up.h"

namespace shell {

namespace {

int g_endSignal[2] = {-1, -1};
bool g_ending = false;  // an end signal came

void OnEndSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto written = ::write(g_endSignal[1], &c, 1);
}

// The end of the desktop session (SIGTERM, SIGHUP) and Ctrl+C on a terminal
// end the program the way it always ends, giving up the data folder: a
// message or question left open is closed unanswered (as its close button
// does), and the main window is closed as the user closes it; a signal that
// comes before the windows are shown ends the start there.
void CloseOnEndSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_endSignal) != 0) return;
    auto* notifier = new QSocketNotifier(g_endSignal[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char c = 0;
        [[maybe_unused]] const auto read = ::read(g_endSignal[0], &c, 1);
        g_ending = true;
        while (QWidget* modal = QApplication::activeModalWidget())
            if (!modal->close()) break;
        if (theMainWindow && theMainWindow->isVisible()) theMainWindow->close();
    });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &action, nullptr);
}

}  // namespace

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvor");
    QApplication::setQuitOnLastWindowClosed(false);
    CloseOnEndSignals(app);
    // The message boxes' buttons in the language of the program's questions.
    gui::LoadQtTranslations();
    // One copy per data folder; a second copy ends here, touching nothing.
    if (!ClaimDataFolder(rt::UserDataFolder())) return 1;
    try {
        // A database brought from another installation keeps its own lists.
        rt::PrepareDataFolder(remedies::RemedySeedGroups());
    } catch (const rt::IoError& e) {
        QMessageBox::critical(nullptr, "kelvor",
                              gui::ToQt("Impossibile preparare la cartella dei dati: " + std::string(e.what()) +
                                        (e.File().empty() ? "" : ": " + e.File())));
        return 1;
    }
    // What a run that ended in the middle of a store left behind.
    gui::Guard([] { rt::FinishInterruptedRewrites(); });
    // The rich-text windows read the first argument themselves.
    const QStringList args = QCoreApplication::arguments();
    SetCommandLineFile(args.size() > 1 ? args.at(1) : QString());

    // Shared state, screen and printer, engine settings.
    gui::Guard([] { StartUp(); });
    gui::InstallIdleHook();
    // The windows in their order, the main window first.
    CreateStartWindows();
    if (g_ending) {
        FreeForms();
        ReleaseDataFolder();
        return 0;
    }
    theMainWindow->show();
    // The main window's first activation completes the start-up.
    QTimer::singleShot(0, theMainWindow, [] { gui::Guard([] { theMainWindow->FormActivate(); }); });
    int result = app.exec();
    FreeForms();
    ReleaseDataFolder();
    return result;
}

}  // namespace shell
