#pragma once
// The plants panel of the chart window (PanelQuor): the plants whose signature
// names the clicked planet, dignity glyph or sign, the symptoms a chosen plant
// governs with its signatures, the spin button that steps through the plants,
// and the panel's font, height and close buttons.
namespace display {

class TFgrKelvo;

// Connects the panel's controls (called once when the window is made).
void ConnectPlantsPanel(TFgrKelvo& form);

// Opens the panel with the plants of KelvoState.ClickedBody / ClickedSign.
void ShowAssociatedRemedies(TFgrKelvo& form);
// Memo3 and Memo4 for entry `index` of ComboBoxPiante.
void ShowRemedySymptoms(TFgrKelvo& form, int index);

void ComboBoxPianteClick(TFgrKelvo& form);
void SpinButton1DownClick(TFgrKelvo& form);
void SpinButton1UpClick(TFgrKelvo& form);
void BBchiudiQuorClick(TFgrKelvo& form);
void BBFontQuorClick(TFgrKelvo& form);
void BBsuGiuClick(TFgrKelvo& form);
// "Verbreden" / "Verminderen" fitted to its button (laid out or toggled).
void FitPlantPanelSizeCaption(TFgrKelvo& form);
void Memo3DblClick(TFgrKelvo& form);
// The panel height toggle shared by BBsuGiu and the double click on Memo3.
void TogglePlantPanelSize(TFgrKelvo& form);

}  // namespace display
