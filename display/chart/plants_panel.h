#pragma once
// The plants panel of the chart window (PanelQuor): the plants whose signature
// names the clicked planet, dignity glyph or sign, the symptoms a chosen plant
// governs with its signatures, the spin button that steps through the plants,
// and the panel's font, height and close buttons.
namespace display {

class ChartWindow;

// Connects the panel's controls (called once when the window is made).
void ConnectPlantsPanel(ChartWindow& form);

// Opens the panel with the plants of KelvoState.ClickedBody / ClickedSign.
void ShowAssociatedRemedies(ChartWindow& form);
// Memo3 and Memo4 for entry `index` of ComboBoxPiante.
void ShowRemedySymptoms(ChartWindow& form, int index);

void ComboBoxPianteClick(ChartWindow& form);
void SpinButton1DownClick(ChartWindow& form);
void SpinButton1UpClick(ChartWindow& form);
void BBchiudiQuorClick(ChartWindow& form);
void BBFontQuorClick(ChartWindow& form);
void BBsuGiuClick(ChartWindow& form);
// "Verbreden" / "Verminderen" fitted to its button (laid out or toggled).
void FitPlantPanelSizeCaption(ChartWindow& form);
void Memo3DblClick(ChartWindow& form);
// The panel height toggle shared by BBsuGiu and the double click on Memo3.
void TogglePlantPanelSize(ChartWindow& form);

}  // namespace display
