#pragma once
// The windows of the other subsystems that the start creates in their place
// in the creation order and the main window shows, named here as the shell
// knows them.
#include "display/settings/calibration_window.h"
#include "display/settings/line_width_dialog.h"
#include "display/settings/printer_model_dialog.h"
#include "display/sheets/sheet_viewer.h"
#include "remedies/windows/primary_editor.h"
#include "remedies/windows/repertory_editor.h"
#include "remedies/windows/search_utility.h"
#include "remedies/windows/update_window.h"
#include "shell/orb_settings_window.h"
#include "remedies/windows/therapy_browser.h"
#include "remedies/windows/composition_window.h"
#include "remedies/windows/debility_window.h"
#include "remedies/windows/plant_symptoms_window.h"
#include "remedies/windows/principles_window.h"
#include "remedies/windows/signature_maintenance_window.h"
#include "remedies/windows/signature_search_window.h"
#include "remedies/windows/symptom_plants_window.h"
#include "remedies/windows/synthesis_window.h"

namespace shell {

using display::TFgrTxtKel;
using display::TFoSpeLin;
using display::TFoStampa;
using display::FgrTxtKel;
using display::FoSpeLin;
using display::FoStampa;
using remedies::TFoTerapi;
using remedies::TFoSintom2;
using remedies::TFoSintom3;
using remedies::TFoManut1;
using remedies::TFoMainArc;
using remedies::TFoAggRep;
using remedies::TFoAggiorna;
using remedies::TFoSegnat;
using remedies::TFoUtilit;
using remedies::TFoPrinci;
using remedies::TFoPiante;
using remedies::TFoMali;
using remedies::TFoSintesi;

using display::TFgrNaKel;

using display::FgrNaKel;
using remedies::FoTerapi;
using remedies::FoSintom2;
using remedies::FoSintom3;
using remedies::FoManut1;
using remedies::FoMainArc;
using remedies::FoAggRep;
using remedies::FoAggiorna;
using remedies::FoSegnat;
using remedies::FoUtilit;
using remedies::FoPrinci;
using remedies::FoPiante;
using remedies::FoMali;
using remedies::FoSintesi;

}  // namespace shell
