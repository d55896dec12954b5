#pragma once
// The plants panel of the chart window: the plants whose signature names the
// clicked planet, dignity glyph or sign, the symptoms a chosen plant
// governs with its signatures, the spin button that steps through the plants,
// and the panel's font, height and close buttons.
namespace display {

class ChartWindow;

// Connects the panel's controls (called once when the window is made).
void ConnectPlantsPanel(ChartWindow& form);

// Opens the panel with the plants of the window's ClickedBody / ClickedSign.
void ShowAssociatedRemedies(ChartWindow& form);
// plantSymptomsMemo and plantSignaturesMemo for entry `index` of plantBox.
void ShowRemedySymptoms(ChartWindow& form, int index);

void ShowChosenPlant(ChartWindow& form);
void NextPlant(ChartWindow& form);
void PreviousPlant(ChartWindow& form);
void ClosePlantsPanel(ChartWindow& form);
void TogglePlantsFont(ChartWindow& form);
// "Verbreden" / "Verminderen" fitted to its button (laid out or toggled).
void FitPlantPanelSizeCaption(ChartWindow& form);
// The panel height toggle of plantsSizeButton and of a double click on
// plantSymptomsMemo.
void TogglePlantPanelSize(ChartWindow& form);

}  // namespace display
