#include "shell/start_up.h"

#include <QPointer>

#include "archive/archive_files.h"
#include "archive/change_dialog.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/delete_dialog.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "archive/input_dialog.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "display/chart/chart_window.h"
#include "display/chart/dodecatemoria_wheel.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/masters_view.h"
#include "display/draw/drawing_state.h"
#include "display/draw/glyphs.h"
#include "display/draw/metafile_viewer.h"
#include "display/sheets/sheet_composers.h"
#include "display/sheets/sheet_rulers.h"
#include "display/sheets/sheet_selection.h"
#include "display/sheets/sheet_terms.h"
#include "display/sheets/sheet_view.h"
#include "display/wheel/chart_geometry.h"
#include "display/wheel/stroke_glyphs.h"
#include "display/wheel/wheel_reports.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/ephemeris_tables.h"
#include "engine/receptions.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/system_services.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/win1252.h"
#include "remedies/remedy_files.h"
#include "shell/forms.h"
#include "shell/instructions_dialog.h"
#include "shell/main_window.h"
#include "shell/print_parent.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
#include "shell/subsystem_windows.h"
#include "shell/user_name.h"
#include "shell/user_name_dialog.h"

namespace shell {

void ResetSharedState(archive::CurrentChart& current, display::DrawingState& drawing) {
    current = archive::CurrentChart{};
    // The correction and exchange tables are read again from this start's
    // data folder.
    engine::ShippedEphemerisTables().Reload();
    engine::ShippedExchangeTables().Reload();
    display::ResetDrawingState(drawing);
    // What the wheel, the views and the sheets keep between drawings: a start
    // has drawn nothing yet, so the first sheet waits for the viewer's second tick.
    display::ResetMissingGlyphReports(drawing);
}

void SetStartValues(display::DrawingState& drawing, int screenWidth, int screenHeight) {
    drawing.zoomFactor = 1.0L;
    drawing.originX = 0;
    drawing.originY = 0;
    // Aspect, pixels per unit (screen height / 210, or width / 280 on a screen
    // narrower than 4:3) and font scale.
    display::InitDrawingFromScreen(drawing, screenWidth, screenHeight);
    drawing.blackAndWhite = false;
}

void CheckPrinter(display::DrawingState& drawing) {
    gui::PrinterInfo printer = gui::System().Printer();
    if (!printer.present || printer.pageWidthPixels <= 0) {
        display::InitDrawingPrinter(drawing, false, 0);
        gui::ShowMessage(kNoPrinterWarning);
        return;
    }
    display::InitDrawingPrinter(drawing, true, printer.pageWidthPixels);
    drawing.printerLandscape = true;
}

std::string RenewedShippedFilesMessage(const rt::RenewalNotice& notice) {
    std::string text;
    if (!notice.renewed.empty()) {
        text +=
            "Deze versie van het programma heeft in de gegevensmap de bestanden vernieuwd die met het "
            "programma meekomen en die niet gewijzigd waren:\r\n";
        for (const std::string& name : notice.renewed) text += "\r\n" + name;
        text += "\r\n\r\n";
    }
    if (!notice.keptBeside.empty()) {
        text +=
            "Deze versie van het programma brengt een nieuwe versie van bestanden die met het programma "
            "meekomen en die u had gewijzigd. Uw versie is gebleven; de nieuwe versie staat ernaast:\r\n";
        for (const std::string& name : notice.keptBeside)
            text += "\r\n" + name + " (uw versie)\r\n" + name + rt::kKeptNewVersionSuffix + " (de nieuwe versie)";
        text += "\r\n\r\n";
    }
    text += "Uw archieven, instellingen, databases en lijsten zijn niet aangeraakt.";
    return text;
}

std::string DataFolderMadePrivateMessage(const std::filesystem::path& folder) {
    return "De gegevensmap " + rt::Utf8ToCp1252(folder.string()) +
           " kon door andere gebruikers van deze computer worden gelezen. Ze bevat de persoonlijke gegevens van "
           "uw cli\xEBnten en is nu alleen voor u toegankelijk.";
}

void StartUp(archive::CurrentChart& current, display::DrawingState& drawing, const rt::RenewalNotice& renewal,
             const std::function<bool()>& answeredByUser) {
    ResetSharedState(current, drawing);
    SetStartValues(drawing, gui::System().ScreenWidth(), gui::System().ScreenHeight());
    // A damaged reference file is reported in a message box, once, and the
    // window that read it goes on.
    rt::SetDamagedFileReporter([](const std::string& message) { gui::ShowMessage(message); });
    rt::ResetDamagedFileReports();
    // The shipped files renewed for a new version of the program, told until
    // the user has answered the message once.
    if (!renewal.Empty()) {
        gui::ShowMessage(RenewedShippedFilesMessage(renewal));
        if (!answeredByUser || answeredByUser()) rt::ForgetRenewalNotice();
    }
    // Each step goes on past a file that an earlier one could not read: that
    // file is named in a message and the rest of the start is done.
    // The engine settings (the defaults stand in for a file that cannot be
    // read, which is named and left as it is), and the orb sets, so that every
    // set can be chosen from the first start.
    // A damaged engine settings file is reported in a message box too.
    gui::Guard([&current] {
        engine::LoadEngineSettingsAtStart(current.settings, current.orbs,
                                          [](const std::string& message) { gui::ShowMessage(message); });
    });
    gui::Guard([&current] { engine::EnsureOrbSets(current.orbs); });
    // A missing remedy database is created empty, so no browser meets a missing file.
    // One that may have been cut is the user's to take as it is or to put back.
    gui::Guard([] {
        remedies::EnsureRemedyFiles([](const std::string& question) {
            return gui::ShowMessage(question, "", gui::Buttons::YesNo) == gui::kAnswerYes;
        });
    });
    gui::Guard([&drawing] { CheckPrinter(drawing); });
}

MainWindow& CreateStartWindows(ProgramWindows& windows, std::unique_ptr<MainWindow>& mainWindow,
                               const ProgramState& state, StartOptions options) {
    return *windows.Create(mainWindow, windows, state, std::move(options));
}

void EnsurePersonalArchive() {
    if (!rt::PathExists("BASE.st1")) archive::CreateEmptyArchive(archive::kPersonalArchive);
}

void ResetViewFlags(display::ChartWindow* chartWindow) {
    if (chartWindow) chartWindow->ForgetArchetypeView();
}

}  // namespace shell
