#include "shell/start_up.h"

#include <QPointer>

#include "archive/archive_files.h"
#include "archive/change_dialog.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/delete_dialog.h"
#include "archive/input_dialog.h"
#include "remedies/remedy_files.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/chart_geometry.h"
#include "display/chart/chart_window.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/metafile_viewer.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/masters_view.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_view.h"
#include "display/wheel/wheel_reports.h"
#include "archive/form_helpers.h"
#include "engine/receptions.h"
#include "engine/chart_state.h"
#include "engine/engine_settings.h"
#include "engine/ephemeris_tables.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/damaged_file.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/paths.h"
#include "archive/draw_settings_file.h"
#include "shell/forms.h"
#include "shell/instructions_dialog.h"
#include "shell/main_window.h"
#include "shell/subsystem_windows.h"
#include "shell/print_parent.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
#include "shell/user_name.h"
#include "shell/user_name_dialog.h"

namespace shell {

void ResetSharedState(display::DrawingState& drawing) {
    engine::ResetChartState(engine::Chart, engine::Birth, engine::Orbs);
    // The correction and exchange tables are read again from this start's
    // data folder.
    engine::ShippedEphemerisTables().Reload();
    engine::ShippedExchangeTables().Reload();
    display::ResetDrawingState(drawing);
    // What the wheel, the views and the sheets keep between drawings: a start
    // has drawn nothing yet, so the first sheet waits for the viewer's second tick.
    display::ResetMissingGlyphReports(drawing);
    display::ResetFileErrorReports();
    engine::Chart.Receptions = {};
}

void SetStartValues(display::DrawingState& drawing, int screenWidth, int screenHeight) {
    engine::Birth.ChartKind = 1;
    drawing.ZoomFactor = 1.0L;
    drawing.OriginX = 0;
    drawing.OriginY = 0;
    drawing.PrintOutput = false;
    // Aspect, pixels per unit (screen height / 210, or width / 280 on a screen
    // narrower than 4:3) and font scale.
    display::InitDrawingFromScreen(drawing, screenWidth, screenHeight);
    drawing.BlackAndWhite = false;
}

void CheckPrinter(display::DrawingState& drawing) {
    gui::PrinterInfo printer = gui::System().Printer();
    if (!printer.present || printer.pageWidthPixels <= 0) {
        display::InitDrawingPrinter(drawing, false, 0);
        gui::ShowMessage(kNoPrinterWarning);
        return;
    }
    display::InitDrawingPrinter(drawing, true, printer.pageWidthPixels);
    drawing.PrinterLandscape = true;
}

std::string RenewedShippedFilesMessage(const std::vector<std::string>& renewed) {
    std::string text = "Deze versie van het programma heeft in de gegevensmap de bestanden vernieuwd die met het "
                       "programma meekomen en die niet gewijzigd waren:\r\n";
    for (const std::string& name : renewed) text += "\r\n" + name;
    text += "\r\n\r\nUw archieven, instellingen, databases en lijsten zijn niet aangeraakt.";
    return text;
}

void StartUp(display::DrawingState& drawing) {
    ResetSharedState(drawing);
    SetStartValues(drawing, gui::System().ScreenWidth(), gui::System().ScreenHeight());
    // A damaged reference file is reported in a message box, once, and the
    // window that read it goes on.
    rt::SetDamagedFileReporter([](const std::string& message) { gui::ShowMessage(message); });
    rt::ResetDamagedFileReports();
    // The shipped files this start renewed for a new version of the program,
    // told once.
    if (const std::vector<std::string> renewed = rt::TakeRenewedShippedFiles(); !renewed.empty())
        gui::ShowMessage(RenewedShippedFilesMessage(renewed));
    // Each step goes on past a file that an earlier one could not read: that
    // file is named in a message and the rest of the start is done.
    // The engine settings (the defaults stand in for a file that cannot be
    // read, which is named and left as it is), and the orb sets, so that every
    // set can be chosen from the first start.
    // A damaged engine settings file is reported in a message box too.
    gui::Guard([] {
        engine::LoadEngineSettingsAtStart(engine::Chart, engine::Orbs,
                                          [](const std::string& message) { gui::ShowMessage(message); });
    });
    gui::Guard([] { engine::EnsureOrbSets(engine::Orbs); });
    // A missing remedy database is created empty, so no browser meets a missing file.
    gui::Guard([] { remedies::EnsureRemedyFiles(); });
    gui::Guard([&drawing] { CheckPrinter(drawing); });
    // The printable sheets print the user's name beside their caption: none
    // until the main window holds it.
    display::SetUserFullNameSource({});
    // The chart window reloads the current person after computing other charts.
    display::SetCurrentChartReloader([] { archive::ReloadCurrentChart(); });
}

MainWindow& CreateStartWindows(std::unique_ptr<MainWindow>& mainWindow, display::DrawingState& drawing) {
    MainWindow& main = *CreateForm(mainWindow, drawing);
    display::SetUserFullNameSource([main = QPointer<MainWindow>(&main)] {
        return main ? main->userName.UserFullName : std::string();
    });
    CreateForm(main.userNameDialog, main.userName);
    CreateForm(main.recallDialog);
    CreateForm(main.sheetViewer, main.sheetSelection, main.drawingState);
    main.sheetViewer->drawSettings = &main.drawSettings;
    CreateForm(main.sheetViewer->metafileViewer, main.drawingState);
    CreateForm(main.printParentWindow);
    CreateForm(main.orbSettingsWindow, main.drawingState);
    CreateForm(main.inputDialog);
    CreateForm(main.inputDialog->storeDialog);
    CreateForm(main.deleteDialog);
    CreateForm(main.styledRichTextWindow);
    CreateForm(main.calibrationWindow, main.drawSettings, main.sheetSelection, main.drawingState);
    CreateForm(main.lineWidthDialog, main.drawSettings, main.drawingState);
    CreateForm(main.printerModelDialog, main.drawSettings, main.drawingState);
    CreateForm(main.remedyWindows.therapyBrowser, main.remedyWindows.therapyBrowserPages);
    CreateForm(main.remedyWindows.symptomPlantsWindow);
    CreateForm(main.remedyWindows.plantSymptomsWindow);
    CreateForm(main.changeDialog);
    CreateForm(main.remedyWindows.signatureMaintenanceWindow);
    CreateForm(main.remedyWindows.primaryEditor);
    CreateForm(main.remedyWindows.repertoryEditor);
    CreateForm(main.remedyWindows.updateWindow);
    CreateForm(main.richTextWindow);
    CreateForm(main.remedyWindows.signatureSearchWindow);
    CreateForm(main.remedyWindows.searchUtility);
    CreateForm(main.remedyWindows.principlesWindow);
    CreateForm(main.remedyWindows.compositionWindow);
    CreateForm(main.remedyWindows.debilityWindow);
    CreateForm(main.remedyWindows.synthesisWindow);
    CreateForm(main.chartWindow, main.wheelGeometry, main.drawingState);
    CreateForm(main.instructionsDialog);
    // The store and change dialogs show the person's text in the editor.
    const auto showPersonText = [window = &main] {
        if (window->richTextWindow) window->richTextWindow->ShowForHandOff();
    };
    main.inputDialog->storeDialog->ShowPersonTextEditor = showPersonText;
    main.changeDialog->ShowPersonTextEditor = showPersonText;
    // The orb settings window shows the set it makes current in the main
    // window's box.
    main.orbSettingsWindow->ShowChosenOrbSet = [window = &main](const QString& text) {
        window->orbSetBox->setEditText(text);
    };
    return main;
}

void EnsurePersonalArchive() {
    if (!rt::PathExists("BASE.st1")) archive::CreateEmptyArchive(archive::kPersonalArchive);
}

void ResetViewFlags(display::ChartWindow* chartWindow) {
    if (chartWindow) chartWindow->status.ArchetypeViewFlag = false;
}

}  // namespace shell
