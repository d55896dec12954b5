#include "display/chart/plants_panel.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "display/chart/chart_window.h"
#include "display/chart/plant_lookup.h"
#include "display/wheel/wheel_reports.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "remedies/signature_db.h"
#include "platform/runtime/number_text.h"

namespace display {

namespace {

int PX(const ChartWindow& form, Real units) { return static_cast<int>(rt::Round(units / form.status.LayoutScaleX)); }
int PY(const ChartWindow& form, Real units) { return static_cast<int>(rt::Round(units / form.status.LayoutScaleY)); }

// The last button of the row takes the room its caption needs, up to a unit
// from the panel's edge; a caption still too wide is written smaller, never cut.
void FitCaption(const ChartWindow& form, QPushButton* button) {
    QWidget* panel = button->parentWidget();
    button->setFont(panel->font());
    const int room = panel->width() - button->x() - PX(form, 1);
    button->resize(std::min(room, std::max(PX(form, 17), CaptionWidth(button))), button->height());
    FitButtonCaption(button, panel->font().pointSize());
}

// Double clicks on plantSymptomsMemo.
class SymptomsMemoDoubleClicks : public QObject {
public:
    explicit SymptomsMemoDoubleClicks(ChartWindow& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick && watched == form_.plantSymptomsMemo->viewport()) {
            gui::Guard([this] { TogglePlantPanelSize(form_); });
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ChartWindow& form_;
};

}  // namespace

void ConnectPlantsPanel(ChartWindow& form) {
    ChartWindow* f = &form;
    // A drop-down list with an edit line: it can show the caption "PIANTE".
    form.plantBox->setEditable(true);
    form.plantBox->setInsertPolicy(QComboBox::NoInsert);
    form.plantBox->setMaxVisibleItems(30);
    form.plantList->hide();
    form.plantSymptomsMemo->setToolTip("doppio clic per espandere/ridurre");
    form.plantSymptomsMemo->viewport()->installEventFilter(new SymptomsMemoDoubleClicks(form));
    QObject::connect(form.plantBox, &QComboBox::activated, f,
                     [f](int) { gui::Guard([f] { ShowChosenPlant(*f); }); });
    // The spin button: a scroll bar whose arrows step and whose value returns to the middle.
    form.plantSpinButton->setRange(0, 2);
    form.plantSpinButton->setValue(1);
    QObject::connect(form.plantSpinButton, &QScrollBar::valueChanged, f, [f](int value) {
        {
            QSignalBlocker block(f->plantSpinButton);
            f->plantSpinButton->setValue(1);
        }
        if (value > 1) gui::Guard([f] { NextPlant(*f); });
        if (value < 1) gui::Guard([f] { PreviousPlant(*f); });
    });
    QObject::connect(form.closePlantsButton, &QPushButton::clicked, f,
                     [f] { gui::Guard([f] { ClosePlantsPanel(*f); }); });
    QObject::connect(form.plantsFontButton, &QPushButton::clicked, f,
                     [f] { gui::Guard([f] { TogglePlantsFont(*f); }); });
    QObject::connect(form.plantsSizeButton, &QPushButton::clicked, f,
                     [f] { gui::Guard([f] { TogglePlantPanelSize(*f); }); });
}

void ShowAssociatedRemedies(ChartWindow& form) {
    form.plantsPanel->show();
    form.plantsPanel->raise();
    form.plantBox->resize(PX(form, 55), form.plantBox->height());
    form.plantSpinButton->move(PX(form, 56), form.plantSpinButton->y());
    form.plantList->clear();
    form.plantBox->clear();
    form.plantSignaturesMemo->clear();
    form.plantSymptomsMemo->clear();
    if (form.status.ClickedBody >= 8) return;

    const PlantListChoice choice = PlantListOf(form.status.ClickedBody, form.status.ClickedSign);
    if (!choice.file.empty()) {
        form.plantListLabel->setText(gui::ToQt(choice.caption));
        form.plantListLabel->adjustSize();
        std::vector<std::string> plants;
        try {
            plants = ReadPlantList(choice.file);
        } catch (const rt::IoError& e) {
            form.NatalWheel().FileErrors.ReportOnce(choice.file, e);
        }
        for (const std::string& p : plants) {
            form.plantList->addItem(gui::ToQt(p));
            form.plantBox->addItem(gui::ToQt(p));
        }
    }
    // The list drops down for a moment under the caption "PIANTE".
    QComboBox* combo = form.plantBox;
    if (form.isVisible() && combo->count() > 0) {
        combo->showPopup();
        QTimer::singleShot(200, combo, [combo] { combo->hidePopup(); });
    }
    combo->setEditText("PIANTE");
}

void ShowRemedySymptoms(ChartWindow& form, int index) {
    if (index < 0 || index >= form.plantBox->count()) return;
    const std::string entry = gui::FromQt(form.plantBox->itemText(index));
    form.plantSymptomsMemo->clear();
    form.plantSignaturesMemo->clear();
    PlantSymptoms found;
    try {
        found = SymptomsOfPlant(entry);
    } catch (const rt::IoError& e) {
        form.NatalWheel().FileErrors.ReportOnce("OpzioneS\\DataStf.Rnd", e);
        return;
    }
    if (found.signatures.empty()) {
        // The plant lists are made from the database: a plant they name that
        // the database lacks shows the database damaged or incomplete.
        rt::ReportDamagedFileOnce(
            remedies::kSignatureDbName,
            rt::DamagedFileMessage(remedies::kSignatureDbName,
                                   "non contiene la pianta \"" +
                                       rt::ShownValue(found.symptoms.size() > 1 ? found.symptoms[1] : entry, 40) +
                                       "\" che l'elenco delle piante nomina",
                                   "I dettagli della pianta non vengono mostrati. Ripristinare la banca dati delle "
                                   "firme da una copia di sicurezza, o importarla di nuovo dal suo testo con "
                                   "\"kelvor --import-signatures\", che ne rif\xE0 anche gli elenchi."));
    }
    ShowLinesIn(form.plantSymptomsMemo, found.symptoms);
    ShowLinesIn(form.plantSignaturesMemo, found.signatures);
}

void ShowChosenPlant(ChartWindow& form) {
    const int i = form.plantBox->currentIndex();
    ShowRemedySymptoms(form, i);
    form.status.SelectedPlantIndex = static_cast<signed char>(i);
}

namespace {

// One step of the selected entry; a step outside the list is undone.
void StepPlant(ChartWindow& form, int delta) {
    const int count = form.plantBox->count();
    const signed char next = static_cast<signed char>(form.status.SelectedPlantIndex + delta);
    if (next >= 0 && next < count) {
        form.status.SelectedPlantIndex = next;
        ShowRemedySymptoms(form, next);
        form.plantBox->setEditText(form.plantBox->itemText(next));
    }
}

}  // namespace

void NextPlant(ChartWindow& form) {
    StepPlant(form, +1);
    engine::WaitSeconds(0, 150);
}

void PreviousPlant(ChartWindow& form) { StepPlant(form, -1); }

void ClosePlantsPanel(ChartWindow& form) { form.plantsPanel->hide(); }

void TogglePlantsFont(ChartWindow& form) {
    QFont f = form.plantSymptomsMemo->font();
    const bool small = f.pointSize() != 8;
    f.setPointSize(small ? 8 : 10);
    form.plantSymptomsMemo->setFont(f);
    form.plantSignaturesMemo->setFont(f);
    form.plantsFontButton->setText(small ? "Font +" : "Font -");
    form.plantsFontButton->setIcon(GlyphIcon(small ? "AumentaFont" : "RiduciFont"));
}

void TogglePlantPanelSize(ChartWindow& form) {
    QPushButton* buttons[3] = {form.closePlantsButton, form.plantsFontButton, form.plantsSizeButton};
    if (form.plantsSizeButton->text() == "Verbreden") {
        form.plantsSizeButton->setText("Verminderen");
        form.plantsSizeButton->setIcon(GlyphIcon("FrecciaSu"));
        form.plantsPanel->resize(form.plantsPanel->width(), PY(form, 167));
        for (QPushButton* b : buttons) b->move(b->x(), form.plantsPanel->height() - PY(form, 7));
        form.plantSymptomsMemo->resize(form.plantSymptomsMemo->width(), PY(form, 120));
        form.helpPanel->setGeometry(form.helpPanel->x(), PY(form, 134), form.helpPanel->width(), PY(form, 35));
        form.helpMemo->resize(form.helpMemo->width(), PY(form, 33));
        form.helpPanel->lower();
        form.status.HelpMemoExpanded = false;
    } else {
        form.plantsSizeButton->setText("Verbreden");
        form.plantsSizeButton->setIcon(GlyphIcon("FrecciaGiu"));
        form.plantsPanel->resize(form.plantsPanel->width(), PY(form, 92));
        for (QPushButton* b : buttons) b->move(b->x(), form.plantsPanel->height() - PY(form, 7));
        form.plantSymptomsMemo->resize(form.plantSymptomsMemo->width(), PY(form, 45));
    }
    FitCaption(form, form.plantsSizeButton);
}

void FitPlantPanelSizeCaption(ChartWindow& form) { FitCaption(form, form.plantsSizeButton); }

}  // namespace display
