#include "display/settings/line_width_dialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "archive/draw_settings_file.h"
#include "display/settings/draw_settings_values.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"

namespace display {

LineWidthDialog::LineWidthDialog(archive::DrawSettings& settings, DrawingState& drawing)
    : settings_(settings), drawing_(drawing) {
    setObjectName("FoSpeLin");
    setWindowTitle(gui::ToQt("Lijndikte"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(222, 222, 222));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    auto* outer = new QGridLayout(this);

    // The frame with the factor, the spin button and the reset.
    QFrame* frame = gui::MakePanel(this, "Bevel1");
    frame->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(gui::MakeLabel(frame, "Label5", "Lijndikte aanpassing"), 0, 0, 1, 3);
    factorEdit_ = gui::MakeEdit(frame, "EditSpeLin", 4);
    factorEdit_->setFixedWidth(60);
    gui::SetFieldState(factorEdit_, gui::FieldState::Valid);
    grid->addWidget(factorEdit_, 1, 0, 2, 1);

    const gui::SpinArrows spin = gui::MakeSpinButton(frame, "SpinButton1");
    factorSpinButton_ = spin.box;
    thickerButton_ = spin.up;
    thinnerButton_ = spin.down;
    grid->addWidget(factorSpinButton_, 1, 1, 2, 1);
    grid->addWidget(gui::MakeLabel(frame, "Label1", "+  Verhogen"), 1, 2);
    grid->addWidget(gui::MakeLabel(frame, "Label2", "-  Vermind."), 2, 2);

    resetButton_ = gui::MakeButton(frame, "BitBtn1", "Resetten");
    grid->addWidget(resetButton_, 3, 0, 1, 3);
    outer->addWidget(frame, 0, 0);

    // The explanation beside the frame.
    auto* notes = new QVBoxLayout();
    notes->setSpacing(0);
    const char* lines[] = {"Questa possibilit\xE0 \xE8 destinata a", "chi non ottiene dei grafici zodiacali",
                           "con lineee sufficientemente spesse.",    "in fase di stampa.",
                           "Aumentando il fattore, aumenta lo",      "spessore delle linee.",
                           "Il valore ottimale deve essere",         "ottenuto sperimentalmente."};
    int n = 6;
    for (const char* line : lines) {
        const std::string name = "Label" + std::to_string(n++);
        notes->addWidget(gui::MakeLabel(this, name.c_str(), line));
    }
    notes->addStretch(1);
    outer->addLayout(notes, 0, 1);

    backButton_ = gui::MakeButton(this, "BitBtnRitorna", "&Backards");
    outer->addWidget(backButton_, 1, 0, 1, 2, Qt::AlignRight);
    // The design size, or the size its contents need when that is larger: the
    // dialog is placed by the size it has before it is shown.
    resize(QSize(455, 149).expandedTo(minimumSizeHint()));

    connect(thickerButton_, &QToolButton::clicked, this, gui::Guarded([this](auto&&...) { MakeThicker(); }));
    connect(thinnerButton_, &QToolButton::clicked, this, gui::Guarded([this](auto&&...) { MakeThinner(); }));
    connect(resetButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ResetFactor(); }));
    connect(backButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { GoBack(); }));
}

void LineWidthDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { ShowFactorInForce(); });
}

void LineWidthDialog::ShowFactorInForce() { ShowFactor(settings_.Values().lineWidthFactor); }

void LineWidthDialog::ShowFactor(long double factor) {
    factorEdit_->setText(gui::ToQt(LineWidthText(factor)));
    gui::SetFieldState(factorEdit_, gui::FieldState::Valid);
}

bool LineWidthDialog::ShownFactor(long double& factor) {
    const std::string text = gui::FromQt(factorEdit_->text());
    if (ParseLineWidth(text, factor)) return true;
    gui::ShowMessage("'" + text +
                     "' non \xE8 un numero valido per lo spessore delle linee: scrivere un numero tra 0,5 e 4 "
                     "con la virgola decimale (per esempio 1,5), oppure premere \"Resetten\" per tornare a 1.");
    return false;
}

// Each step starts from the number shown in the box.
void LineWidthDialog::MakeThicker() {
    long double shown = 0;
    if (!ShownFactor(shown)) return;
    SaveFactor(ThickerLineWidth(shown));
}

void LineWidthDialog::MakeThinner() {
    long double shown = 0;
    if (!ShownFactor(shown)) return;
    SaveFactor(ThinnerLineWidth(shown));
}

void LineWidthDialog::ResetFactor() { SaveFactor(1.0L); }

void LineWidthDialog::SaveFactor(long double factor) {
    archive::DrawSettingsState changed = settings_.Values();
    changed.lineWidthFactor = factor;
    ShowFactor(factor);
    try {
        SaveDrawSettingsAndApply(settings_, drawing_, changed);
    } catch (...) {
        // Refused or failed: the box shows the factor in force again.
        ShowFactor(settings_.Values().lineWidthFactor);
        throw;
    }
}

bool LineWidthDialog::SaveTypedFactor() {
    long double typed = 0;
    if (!ShownFactor(typed)) return false;
    const long double factor = ClampLineWidth(typed);
    // A file that cannot be written is named; the dialog closes all the same.
    gui::Guard([this, factor] { SaveFactor(factor); });
    return true;
}

void LineWidthDialog::GoBack() { done(5); }

void LineWidthDialog::done(int result) {
    bool closed = false;
    gui::Guard([&] { closed = SaveTypedFactor(); });
    if (closed) QDialog::done(result);
}

}  // namespace display
