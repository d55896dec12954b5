#include "shell/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("kelvor");
    QApplication::setQuitOnLastWindowClosed(false);
    // The message boxes' buttons in the language of the program's questions.
    gui::LoadQtTranslations();
    // One copy per data folder; a second copy ends here, touching nothing.
    DataFolderClaim claim;
    if (!claim.Claim(rt::UserDataFolder())) return 1;
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
    theMainWindow->show();
    // The main window's first activation completes the start-up.
    QTimer::singleShot(0, theMainWindow, [] { gui::Guard([] { theMainWindow->Refresh(); }); });
    int result = app.exec();
    FreeForms();
    claim.Release();
    return result;
}

}  // namespace shell
