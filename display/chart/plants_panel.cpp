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

int PX(Real units) { return static_cast<int>(rt::Round(units / KelvoState.LayoutScaleX)); }
int PY(Real units) { return static_cast<int>(rt::Round(units / KelvoState.LayoutScaleY)); }

// The last button of the row takes the room its caption needs, up to a unit
// from the panel's edge; a caption still too wide is written smaller, never cut.
void FitCaption(QPushButton* button) {
    QWidget* panel = button->parentWidget();
    button->setFont(panel->font());
    const int room = panel->width() - button->x() - PX(1);
    button->resize(std::min(room, std::max(PX(17), ButtonCaptionWidth(button))), button->height());
    FitButtonCaption(button, panel->font().pointSize());
}

// Double clicks on Memo3.
class Memo3Filter : public QObject {
public:
    explicit Memo3Filter(ChartWindow& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick && watched == form_.Memo3->viewport()) {
            gui::Guard([this] { Memo3DblClick(form_); });
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
    form.ComboBoxPiante->setEditable(true);
    form.ComboBoxPiante->setInsertPolicy(QComboBox::NoInsert);
    form.ComboBoxPiante->setMaxVisibleItems(30);
    form.ListBoxPiante->hide();
    form.Memo3->setToolTip("doppio clic per espandere/ridurre");
    form.Memo3->viewport()->installEventFilter(new Memo3Filter(form));
    QObject::connect(form.ComboBoxPiante, &QComboBox::activated, f,
                     [f](int) { gui::Guard([f] { ComboBoxPianteClick(*f); }); });
    // The spin button: a scroll bar whose arrows step and whose value returns to the middle.
    form.SpinButton1->setRange(0, 2);
    form.SpinButton1->setValue(1);
    QObject::connect(form.SpinButton1, &QScrollBar::valueChanged, f, [f](int value) {
        {
            QSignalBlocker block(f->SpinButton1);
            f->SpinButton1->setValue(1);
        }
        if (value > 1) gui::Guard([f] { SpinButton1DownClick(*f); });
        if (value < 1) gui::Guard([f] { SpinButton1UpClick(*f); });
    });
    QObject::connect(form.BBchiudiQuor, &QPushButton::clicked, f, [f] { gui::Guard([f] { BBchiudiQuorClick(*f); }); });
    QObject::connect(form.BBFontQuor, &QPushButton::clicked, f, [f] { gui::Guard([f] { BBFontQuorClick(*f); }); });
    QObject::connect(form.BBsuGiu, &QPushButton::clicked, f, [f] { gui::Guard([f] { BBsuGiuClick(*f); }); });
}

void ShowAssociatedRemedies(ChartWindow& form) {
    form.PanelQuor->show();
    form.PanelQuor->raise();
    form.ComboBoxPiante->resize(PX(55), form.ComboBoxPiante->height());
    form.SpinButton1->move(PX(56), form.SpinButton1->y());
    form.ListBoxPiante->clear();
    form.ComboBoxPiante->clear();
    form.Memo4->clear();
    form.Memo3->clear();
    if (KelvoState.ClickedBody >= 8) return;

    const PlantListChoice choice = PlantListOf(KelvoState.ClickedBody, KelvoState.ClickedSign);
    if (!choice.file.empty()) {
        form.LabPianta->setText(gui::ToQt(choice.caption));
        form.LabPianta->adjustSize();
        std::vector<std::string> plants;
        try {
            plants = ReadPlantList(choice.file);
        } catch (const rt::IoError& e) {
            ReportFileErrorOnce(choice.file, e);
        }
        for (const std::string& p : plants) {
            form.ListBoxPiante->addItem(gui::ToQt(p));
            form.ComboBoxPiante->addItem(gui::ToQt(p));
        }
    }
    // The list drops down for a moment under the caption "PIANTE".
    QComboBox* combo = form.ComboBoxPiante;
    if (form.isVisible() && combo->count() > 0) {
        combo->showPopup();
        QTimer::singleShot(200, combo, [combo] { combo->hidePopup(); });
    }
    combo->setEditText("PIANTE");
}

void ShowRemedySymptoms(ChartWindow& form, int index) {
    if (index < 0 || index >= form.ComboBoxPiante->count()) return;
    const std::string entry = gui::FromQt(form.ComboBoxPiante->itemText(index));
    form.Memo3->clear();
    form.Memo4->clear();
    PlantSymptoms found;
    try {
        found = SymptomsOfPlant(entry);
    } catch (const rt::IoError& e) {
        ReportFileErrorOnce("OpzioneS\\DataStf.Rnd", e);
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
    ShowLinesIn(form.Memo3, found.symptoms);
    ShowLinesIn(form.Memo4, found.signatures);
}

void ComboBoxPianteClick(ChartWindow& form) {
    const int i = form.ComboBoxPiante->currentIndex();
    ShowRemedySymptoms(form, i);
    KelvoState.SelectedPlantIndex = static_cast<signed char>(i);
}

namespace {

// One step of the selected entry; a step outside the list is undone.
void StepPlant(ChartWindow& form, int delta) {
    const int count = form.ComboBoxPiante->count();
    const signed char next = static_cast<signed char>(KelvoState.SelectedPlantIndex + delta);
    if (next >= 0 && next < count) {
        KelvoState.SelectedPlantIndex = next;
        ShowRemedySymptoms(form, next);
        form.ComboBoxPiante->setEditText(form.ComboBoxPiante->itemText(next));
    }
}

}  // namespace

void SpinButton1DownClick(ChartWindow& form) {
    StepPlant(form, +1);
    engine::WaitSeconds(0, 150);
}

void SpinButton1UpClick(ChartWindow& form) { StepPlant(form, -1); }

void BBchiudiQuorClick(ChartWindow& form) { form.PanelQuor->hide(); }

void BBFontQuorClick(ChartWindow& form) {
    QFont f = form.Memo3->font();
    const bool small = f.pointSize() != 8;
    f.setPointSize(small ? 8 : 10);
    form.Memo3->setFont(f);
    form.Memo4->setFont(f);
    form.BBFontQuor->setText(small ? "Font +" : "Font -");
    form.BBFontQuor->setIcon(ButtonBitmap(small ? "AumentaFont" : "RiduciFont"));
}

void TogglePlantPanelSize(ChartWindow& form) {
    QPushButton* buttons[3] = {form.BBchiudiQuor, form.BBFontQuor, form.BBsuGiu};
    if (form.BBsuGiu->text() == "Verbreden") {
        form.BBsuGiu->setText("Verminderen");
        form.BBsuGiu->setIcon(ButtonBitmap("FrecciaSu"));
        form.PanelQuor->resize(form.PanelQuor->width(), PY(167));
        for (QPushButton* b : buttons) b->move(b->x(), form.PanelQuor->height() - PY(7));
        form.Memo3->resize(form.Memo3->width(), PY(120));
        form.PanelInfo->setGeometry(form.PanelInfo->x(), PY(134), form.PanelInfo->width(), PY(35));
        form.Memo1->resize(form.Memo1->width(), PY(33));
        form.PanelInfo->lower();
        KelvoState.InfoMemoExpanded = false;
    } else {
        form.BBsuGiu->setText("Verbreden");
        form.BBsuGiu->setIcon(ButtonBitmap("FrecciaGiu"));
        form.PanelQuor->resize(form.PanelQuor->width(), PY(92));
        for (QPushButton* b : buttons) b->move(b->x(), form.PanelQuor->height() - PY(7));
        form.Memo3->resize(form.Memo3->width(), PY(45));
    }
    FitCaption(form.BBsuGiu);
}

void BBsuGiuClick(ChartWindow& form) { TogglePlantPanelSize(form); }

void FitPlantPanelSizeCaption(ChartWindow& form) { FitCaption(form.BBsuGiu); }
void Memo3DblClick(ChartWindow& form) { TogglePlantPanelSize(form); }

}  // namespace display
