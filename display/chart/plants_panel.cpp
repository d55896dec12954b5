#include "display/chart/plants_panel.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "display/chart/chart_window.h"
#include "display/chart/glyph_clicks.h"
#include "display/chart/plant_lookup.h"
#include "display/wheel/wheel_reports.h"
#include "engine/position_text.h"
#include "platform/gui/guard.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "remedies/signature_db.h"

namespace display {

PlantsPanel::PlantsPanel(QFrame* frame, ChartWindowState& state, FileErrorReports& fileErrors)
    : QObject(frame), frame_(frame), state_(state), fileErrors_(fileErrors) {
    symptomsMemo_ = gui::MakeMemo(frame, "Memo3", true);
    signaturesMemo_ = gui::MakeMemo(frame, "Memo4", true);
    gui::MakeButtons(frame, {{&closeButton_, "BBchiudiQuor", "Sluiten"},
                             {&fontButton_, "BBFontQuor", "Font +"},
                             {&sizeButton_, "BBsuGiu", "Verbreden"}});
    sizeButton_->setIcon(GlyphIcon("FrecciaGiu"));
    plantList_ = gui::MakeList(frame, "ListBoxPiante");
    plantBox_ = gui::MakeCombo(frame, "ComboBoxPiante");
    plantListLabel_ = gui::MakeLabel(frame, "LabPianta", "Bijbehorende PLANT");
    glyphImage_ = gui::MakeLabel(frame, "Image1", "");
    glyphImage_->setScaledContents(true);
    spinButton_ = gui::MakeScrollBar(frame, "SpinButton1", Qt::Vertical);
}

// Made after every other control of the window, as the box's edit line is.
void PlantsPanel::Connect() {
    // A drop-down list with an edit line: it can show the caption "PIANTE".
    plantBox_->setEditable(true);
    plantBox_->setInsertPolicy(QComboBox::NoInsert);
    plantBox_->setMaxVisibleItems(30);
    plantList_->hide();
    symptomsMemo_->setToolTip("doppio clic per espandere/ridurre");
    symptomsMemo_->viewport()->installEventFilter(this);
    connect(plantBox_, &QComboBox::activated, this, [this](int) { gui::Guard([this] { ShowChosenPlant(); }); });
    // The spin button: a scroll bar whose arrows step and whose value returns to the middle.
    spinButton_->setRange(0, 2);
    spinButton_->setValue(1);
    connect(spinButton_, &QScrollBar::valueChanged, this, [this](int value) {
        {
            QSignalBlocker block(spinButton_);
            spinButton_->setValue(1);
        }
        if (value > 1) gui::Guard([this] { NextPlant(); });
        if (value < 1) gui::Guard([this] { PreviousPlant(); });
    });
    connect(closeButton_, &QPushButton::clicked, this, [this] { gui::Guard([this] { Close(); }); });
    connect(fontButton_, &QPushButton::clicked, this, [this] { gui::Guard([this] { ToggleFont(); }); });
    connect(sizeButton_, &QPushButton::clicked, this, [this] { gui::Guard([this] { ToggleSize(); }); });
}

// Double clicks on the symptoms.
bool PlantsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == symptomsMemo_->viewport()) {
        gui::Guard([this] { ToggleSize(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

int PlantsPanel::PX(Real units) const { return static_cast<int>(rt::Round(units / state_.layoutScaleX)); }
int PlantsPanel::PY(Real units) const { return static_cast<int>(rt::Round(units / state_.layoutScaleY)); }

void PlantsPanel::LayOut() {
    symptomsMemo_->setGeometry(frame_->width() - PX(80) - PX(1), PY(38), PX(80), PY(45));
    signaturesMemo_->setGeometry(frame_->width() - symptomsMemo_->width() - PX(1), PY(12), PX(80), PY(21));
    const Real buttonLefts[3] = {2, 20, 38};
    QPushButton* buttons[3] = {closeButton_, fontButton_, sizeButton_};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(PX(buttonLefts[i]), frame_->height() - PY(7), PX(17), buttons[i]->height());
    FitSizeCaption();
    plantList_->setGeometry(PX(1), PY(8), PX(30), PY(13));
    plantBox_->setGeometry(PX(1), PY(6), PX(30), plantBox_->height());
    plantListLabel_->adjustSize();
    plantListLabel_->move(PX(1), PY(2));
    glyphImage_->setGeometry(PX(70), PY(2), PX(9), PY(9));
    spinButton_->setGeometry(PX(31), PY(1), PX(6), PY(10.5L));
}

// The last button of the row takes the room its caption needs, up to a unit
// from the panel's edge; a caption still too wide is written smaller, never cut.
void PlantsPanel::FitSizeCaption() {
    sizeButton_->setFont(frame_->font());
    const int room = frame_->width() - sizeButton_->x() - PX(1);
    sizeButton_->resize(std::min(room, std::max(PX(17), CaptionWidth(sizeButton_))), sizeButton_->height());
    FitButtonCaption(sizeButton_, frame_->font().pointSize());
}

void PlantsPanel::ShowPlantsOf(int body, int sign) {
    frame_->show();
    frame_->raise();
    plantBox_->resize(PX(55), plantBox_->height());
    spinButton_->move(PX(56), spinButton_->y());
    plantList_->clear();
    plantBox_->clear();
    signaturesMemo_->clear();
    symptomsMemo_->clear();
    if (body >= 8) return;

    const PlantListChoice choice = PlantListOf(body, sign);
    if (!choice.file.empty()) {
        plantListLabel_->setText(gui::ToQt(choice.caption));
        plantListLabel_->adjustSize();
        std::vector<std::string> plants;
        try {
            plants = ReadPlantList(choice.file);
        } catch (const rt::IoError& e) {
            fileErrors_.ReportOnce(choice.file, e);
        }
        for (const std::string& p : plants) {
            plantList_->addItem(gui::ToQt(p));
            plantBox_->addItem(gui::ToQt(p));
        }
    }
    // The list drops down for a moment under the caption "PIANTE".
    QComboBox* combo = plantBox_;
    if (frame_->window()->isVisible() && combo->count() > 0) {
        combo->showPopup();
        QTimer::singleShot(200, combo, [combo] { combo->hidePopup(); });
    }
    combo->setEditText("PIANTE");
}

void PlantsPanel::Close() { frame_->hide(); }

void PlantsPanel::ShowGlyph() { glyphImage_->show(); }

void PlantsPanel::LoadGlyph(DrawingState& drawing, const std::string& fileName) {
    LoadGlyphImage(drawing, glyphImage_, fileName);
}

void PlantsPanel::HideGlyph() { glyphImage_->hide(); }

void PlantsPanel::ShowRemedySymptoms(int index) {
    if (index < 0 || index >= plantBox_->count()) return;
    const std::string entry = gui::FromQt(plantBox_->itemText(index));
    symptomsMemo_->clear();
    signaturesMemo_->clear();
    PlantSymptoms found;
    try {
        found = SymptomsOfPlant(entry);
    } catch (const rt::IoError& e) {
        fileErrors_.ReportOnce("OpzioneS\\DataStf.Rnd", e);
        return;
    }
    if (found.signatures.empty()) {
        // The plant lists are made from the database: a plant they name that
        // the database lacks shows the database damaged or incomplete.
        rt::ReportDamagedFileOnce(
            remedies::kSignatureDbName,
            rt::DamagedFileMessage({remedies::kSignatureDbName,
                                    "non contiene la pianta \"" +
                                        rt::ShownValue(found.symptoms.size() > 1 ? found.symptoms[1] : entry, 40) +
                                        "\" che l'elenco delle piante nomina"},
                                   "I dettagli della pianta non vengono mostrati. Ripristinare la banca dati delle "
                                   "firme da una copia di sicurezza, o importarla di nuovo dal suo testo con "
                                   "\"kelvor --import-signatures\", che ne rif\xE0 anche gli elenchi."));
    }
    ShowLinesIn(symptomsMemo_, found.symptoms);
    ShowLinesIn(signaturesMemo_, found.signatures);
}

void PlantsPanel::ShowChosenPlant() {
    const int i = plantBox_->currentIndex();
    ShowRemedySymptoms(i);
    state_.selectedPlantIndex = static_cast<signed char>(i);
}

// One step of the selected entry; a step outside the list is undone.
void PlantsPanel::StepPlant(int delta) {
    const int count = plantBox_->count();
    const signed char next = static_cast<signed char>(state_.selectedPlantIndex + delta);
    if (next >= 0 && next < count) {
        state_.selectedPlantIndex = next;
        ShowRemedySymptoms(next);
        plantBox_->setEditText(plantBox_->itemText(next));
    }
}

void PlantsPanel::NextPlant() {
    StepPlant(+1);
    engine::WaitSeconds(0, 150);
}

void PlantsPanel::PreviousPlant() { StepPlant(-1); }

void PlantsPanel::ToggleFont() {
    QFont f = symptomsMemo_->font();
    const bool small = f.pointSize() != 8;
    f.setPointSize(small ? 8 : 10);
    symptomsMemo_->setFont(f);
    signaturesMemo_->setFont(f);
    fontButton_->setText(small ? "Font +" : "Font -");
    fontButton_->setIcon(GlyphIcon(small ? "AumentaFont" : "RiduciFont"));
}

void PlantsPanel::ToggleSize() {
    QPushButton* buttons[3] = {closeButton_, fontButton_, sizeButton_};
    if (sizeButton_->text() == "Verbreden") {
        sizeButton_->setText("Verminderen");
        sizeButton_->setIcon(GlyphIcon("FrecciaSu"));
        frame_->resize(frame_->width(), PY(167));
        for (QPushButton* b : buttons) b->move(b->x(), frame_->height() - PY(7));
        symptomsMemo_->resize(symptomsMemo_->width(), PY(120));
        Q_EMIT Widened();
    } else {
        sizeButton_->setText("Verbreden");
        sizeButton_->setIcon(GlyphIcon("FrecciaGiu"));
        frame_->resize(frame_->width(), PY(92));
        for (QPushButton* b : buttons) b->move(b->x(), frame_->height() - PY(7));
        symptomsMemo_->resize(symptomsMemo_->width(), PY(45));
    }
    FitSizeCaption();
}

}  // namespace display
