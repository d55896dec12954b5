#pragma once
// The windows of the other subsystems that the start creates in their place
// in the creation order and the main window shows, named here as the shell
// knows them.
#include "display/settings/calibration_window.h"
#include "display/settings/line_width_dialog.h"
#include "display/settings/printer_model_dialog.h"
#include "display/sheets/sheet_viewer.h"
#include "remedies/windows/composition_window.h"
#include "remedies/windows/debility_window.h"
#include "remedies/windows/plant_symptoms_window.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/principles_window.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/signature_maintenance_window.h"
#include "remedies/windows/signature_search_window.h"
#include "remedies/windows/symptom_plants_window.h"
#include "remedies/windows/synthesis_window.h"
#include "remedies/windows/therapy_browser.h"
#include "remedies/windows/update_window.h"
#include "shell/orb_settings_window.h"

namespace shell {

using display::CalibrationWindow;
using display::LineWidthDialog;
using display::PrinterModelDialog;
using remedies::CompositionWindow;
using remedies::DebilityWindow;
using remedies::PlantSymptomsWindow;
using remedies::PrimaryEditor;
using remedies::PrinciplesWindow;
using remedies::RepertoryEditor;
using remedies::SearchUtility;
using remedies::SignatureMaintenanceWindow;
using remedies::SignatureSearchWindow;
using remedies::SymptomPlantsWindow;
using remedies::SynthesisWindow;
using remedies::TherapyBrowser;
using remedies::UpdateWindow;

using display::SheetViewer;

}  // namespace shell
