#include "shell/orb_settings_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include "archive/archive_records.h"
#include "archive/current_chart.h"
#include "archive/form_helpers.h"
#include "display/draw/drawing_tools.h"
#include "display/wheel/stroke_glyphs.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "platform/gui/field_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "shell/main_window.h"

namespace shell {

namespace {

// A damaged engine settings or orb sets file is told in a message box.
void ShowOrbSettingsMessage(const std::string& message) { gui::ShowMessage(message); }

inline constexpr const char* kInvalidOrbsMessage = "Errore Impostazione Orbite";

// By aspect in angle order, the conjunction first.
const char* const kAspectNames[kOrbAspectCount] = {"Conjunctie",    "Semi Sextiel", "Deciel",           "Novile",
                                                   "Half Vierkant", "Settile",      "Sextiel",          "Quintiel",
                                                   "Vierkant",      "Driehoek",     "Anderhalf vierk.", "Biquintel",
                                                   "Quincunx",      "Oppositie"};
const char* const kAngles[kOrbAspectCount] = {"0\xB0",     "30\xB0",  "36\xB0",  "40\xB0", "45\xB0",
                                              "360\xB0:7", "60\xB0",  "72\xB0",  "90\xB0", "120\xB0",
                                              "135\xB0",   "144\xB0", "150\xB0", "180\xB0"};
const char* const kStems[kOrbAspectCount] = {"Cong", "SmSt", "Deci", "Novi", "SmQd", "Sett", "Sest",
                                             "Quin", "Quad", "Trig", "SsQd", "BiQn", "Qunc", "Oppo"};
const char* const kInitialB[kOrbAspectCount] = {"10,0", "1,0", "0,5", "0,5", "1,0", "0,5", "3,0",
                                                "1,0",  "4,0", "4,0", "1,0", "1,0", "2,0", "8,0"};
const char* const kInitialC[kOrbAspectCount] = {"5,0", "1,0", "0,5", "0,5", "1,0", "0,5", "3,0",
                                                "1,0", "4,5", "5,0", "0,8", "0,8", "1,5", "7,0"};

// A value as the edits show it: the first 7 characters of its text, decimal comma.
QString ValueText(engine::Real v) { return gui::ToQt(archive::GeneralRealText(v).substr(0, 7)); }

// The number an edit holds (decimal comma or point); 0 when it holds none.
engine::Real NumberInEdit(const QLineEdit* edit) {
    int code = 0;
    std::string t = gui::FromQt(edit->text());
    while (!t.empty() && t.back() == ' ') t.pop_back();
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    engine::Real v = rt::ValRealEitherSeparator(t, code);
    return code == 0 ? v : 0;
}

// The fixed set A orb of a read-only text "± n": the number after "± ".
engine::Real SetAValue(const QLineEdit* edit) {
    std::string t = gui::FromQt(edit->text());
    t = t.size() > 2 ? t.substr(2, 4) : std::string();
    int code = 0;
    engine::Real v = rt::ValRealEitherSeparator(t, code);
    return code == 0 ? v : 0;
}

// An orb edit: its text centred, 64 pixels wide.
void ShapeOrbEdit(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->setFixedWidth(64);
    edit->setAlignment(Qt::AlignCenter);
}

// The glyph of each aspect in angle order (the conjunction 0): the chart
// window's aspect glyphs, and for the three it does not draw (the decile, the
// novile and the septile) glyphs of the same strokes.
const display::AspectGlyph& GlyphOfAspect(int aspect) {
    constexpr int kCodeByAspect[kOrbAspectCount] = {1, 9, 0, 0, 7, 0, 2, 10, 3, 4, 6, 11, 8, 5};
    switch (aspect) {
        case 2: return display::kDecileGlyph;
        case 3: return display::kNovileGlyph;
        case 5: return display::kSeptileGlyph;
        default: return display::kAspectGlyphs[static_cast<std::size_t>(kCodeByAspect[aspect] - 1)];
    }
}

// The glyph's strokes on a small black square, as the chart window draws them.
QPixmap AspectGlyphPicture(const display::DrawingState& drawing, const display::AspectGlyph& g) {
    constexpr int kSide = 20;
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::black);
    const display::Color c =
        display::PenForCode(drawing, display::Medium::Screen, g.penCode == 0 ? 5 : g.penCode).color;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(display::RedOf(c), display::GreenOf(c), display::BlueOf(c)), 1.5));
    const double scale = 2.0, mid = kSide / 2.0;
    auto byte = [&](int k) -> int { return k >= 1 && k <= 36 ? g.strokes[static_cast<std::size_t>(k - 1)] : 0; };
    int k = 1;
    while (true) {
        if (byte(k) == 100) k += 2;
        if (byte(k + 2) < 100)
            painter.drawLine(QPointF(mid + byte(k) * scale, mid + byte(k + 1) * scale),
                             QPointF(mid + byte(k + 2) * scale, mid + byte(k + 3) * scale));
        k += 2;
        if (!(g.count > k)) break;
    }
    return picture;
}

}  // namespace

OrbSettingsWindow::OrbSettingsWindow(archive::CurrentChart& currentChart, const display::DrawingState& drawing)
    : currentChart_(currentChart) {
    setObjectName("FoOrbKel");
    setWindowTitle(gui::ToQt("Wijziging Banen en Aspecten"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* outer = new QHBoxLayout(this);
    auto* grid = new QGridLayout();
    grid->setVerticalSpacing(1);
    outer->addLayout(grid);
    BuildSetColumns(grid, drawing);
    BuildSideColumn(outer);

    for (std::size_t set : {kSetA, kSetB, kSetC})
        connect(setColumns[set].chooseButton, &QPushButton::clicked, this,
                gui::Guarded([this, set](auto&&...) { ChooseSet(set); }));
    connect(returnButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ReturnToMenu(); }));
    // The design size, or the size its contents need when that is larger: the
    // window is placed by the size it has before it is shown.
    resize(QSize(528, 357).expandedTo(minimumSizeHint()));
}

// The aspects, one a row (glyph, name, angle), and the three sets beside them,
// each with its button; the frame that marks the selected set lies under its column.
void OrbSettingsWindow::BuildSetColumns(QGridLayout* grid, const display::DrawingState& drawing) {
    const char* const frameNames[] = {"BevelA", "BevelB", "BevelC"};
    int column = 3;
    for (std::size_t set : {kSetA, kSetB, kSetC}) {
        QFrame* f = setColumns[set].selectedFrame = gui::MakePanel(this, frameNames[set]);
        f->setFrameShape(QFrame::Box);
        f->setLineWidth(2);
        QPalette pal = f->palette();
        pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
        f->setPalette(pal);
        f->hide();
        grid->addWidget(f, 0, column++, 16, 1);
    }
    const char* heads[] = {"A (normali)", "B (personali)", "C (personali)"};
    for (int s = 0; s < 3; ++s) {
        QLabel* head = gui::MakeLabel(this, (std::string("LabelSet") + char('A' + s)).c_str(), heads[s]);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, 3 + s);
    }
    for (int i = 0; i < kOrbAspectCount; ++i) {
        // The aspect's number 1..14 in the controls' names and its grid row.
        const int number = i + 1;
        QLabel* name = gui::MakeLabel(this, ("Label" + std::to_string(number)).c_str(), kAspectNames[i]);
        QLabel* angle = gui::MakeLabel(this, ("Label" + std::to_string(14 + number)).c_str(), kAngles[i]);
        QLabel* image = gui::MakeLabel(this, ("Image" + std::to_string(number == 14 ? 15 : number)).c_str(), "");
        image->setPixmap(AspectGlyphPicture(drawing, GlyphOfAspect(i)));
        grid->addWidget(image, number, 0);
        grid->addWidget(name, number, 1);
        grid->addWidget(angle, number, 2);
        const std::string stem = std::string("Edit") + kStems[i];
        auto& setA = setColumns[kSetA].orbEdits;
        auto& setB = setColumns[kSetB].orbEdits;
        auto& setC = setColumns[kSetC].orbEdits;
        setA[i] = gui::MakeReadOnlyEdit(this, (stem + "A").c_str());
        ShapeOrbEdit(setA[i], gui::ToQt("\xB1 " + std::to_string(engine::kOrbSetA[static_cast<std::size_t>(i)])));
        {
            QPalette pal = setA[i]->palette();
            pal.setColor(QPalette::Base, QColor(192, 192, 192));
            setA[i]->setPalette(pal);
        }
        setB[i] = gui::MakeEdit(this, (stem + "B").c_str());
        ShapeOrbEdit(setB[i], gui::ToQt(kInitialB[i]));
        setC[i] = gui::MakeEdit(this, (stem + "C").c_str());
        ShapeOrbEdit(setC[i], gui::ToQt(kInitialC[i]));
        grid->addWidget(setA[i], number, 3, Qt::AlignCenter);
        grid->addWidget(setB[i], number, 4, Qt::AlignCenter);
        grid->addWidget(setC[i], number, 5, Qt::AlignCenter);
        for (QLineEdit* e : {setB[i], setC[i]}) connect(e, &QLineEdit::textEdited, this, [this] { MarkOrbsEdited(); });
    }
    gui::MakeButtons(this, {{&setColumns[kSetA].chooseButton, "BitBtn3", "Kies"},
                            {&setColumns[kSetB].chooseButton, "BitBtn2", "Kies"},
                            {&setColumns[kSetC].chooseButton, "BitBtn1", "Kies"}});
    for (std::size_t set : {kSetA, kSetB, kSetC})
        grid->addWidget(setColumns[set].chooseButton, 15, 3 + static_cast<int>(set), Qt::AlignCenter);
}

// The right column: the selected set, the maximum, the hidden orbs of
// parallels and antiscia, the way back.
void OrbSettingsWindow::BuildSideColumn(QHBoxLayout* outer) {
    auto* side = new QVBoxLayout();
    outer->addLayout(side);
    selectedSetLabel = gui::MakeLabel(this, "LabelOrbite", "Banenset Momenteel Geselecteerd:");
    selectedSetLabel->setWordWrap(true);
    side->addWidget(selectedSetLabel);
    selectedSetEdit = gui::MakeReadOnlyEdit(this, "Edit1");
    selectedSetEdit->setFixedWidth(40);
    selectedSetEdit->setAlignment(Qt::AlignCenter);
    side->addWidget(selectedSetEdit, 0, Qt::AlignHCenter);
    side->addSpacing(16);
    const char* maximum[] = {"Maximum ", "Omloopbaan ", "\xB1 15\xB0"};
    for (int k = 0; k < 3; ++k) {
        QLabel* l = gui::MakeLabel(this, ("Label" + std::to_string(42 + k)).c_str(), maximum[k]);
        l->setAlignment(Qt::AlignCenter);
        side->addWidget(l);
    }

    // The orbs of parallels and antiscia: kept, checked and saved with the sets;
    // the panel is not shown.
    specialOrbsPanel = gui::MakePanel(this, "Panel1");
    auto* special = new QGridLayout(specialOrbsPanel);
    parallelOrbEdit = gui::MakeEdit(specialOrbsPanel, "EditParal");
    ShapeOrbEdit(parallelOrbEdit, "1,0");
    antisciaOrbEdit = gui::MakeEdit(specialOrbsPanel, "EditAntis");
    ShapeOrbEdit(antisciaOrbEdit, "1,0");
    special->addWidget(parallelOrbEdit, 0, 0);
    special->addWidget(antisciaOrbEdit, 0, 1);
    const char* notes[] = {"Waarden groter dan \xB1 6,00\xB0 ", "worden niet geaccepteerd ", "voor deze banen"};
    for (int k = 0; k < 3; ++k)
        special->addWidget(gui::MakeLabel(specialOrbsPanel, ("LabNota" + std::to_string(k + 1)).c_str(), notes[k]),
                           1 + k, 0, 1, 2);
    specialOrbsPanel->hide();
    side->addWidget(specialOrbsPanel);
    for (QLineEdit* e : {parallelOrbEdit, antisciaOrbEdit})
        connect(e, &QLineEdit::textEdited, this, [this] { MarkSpecialOrbsEdited(); });

    side->addStretch(1);
    returnButton = gui::MakeButton(this, "BitBtnRitorna", "Terug naar het menu");
    side->addWidget(returnButton);
}

void OrbSettingsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) gui::Guard([this] { Refresh(); });
}

void OrbSettingsWindow::Refresh() {
    QApplication::restoreOverrideCursor();
    // The window's own idle handler and its state first: a file that cannot
    // be read below ends the activation, and the window still checks its edits.
    gui::SetIdleHandler([this] { CheckOrbEdits(); });
    orbEditsValid = true;
    specialOrbsUnchanged = true;
    returnButton->setEnabled(true);
    // Until the sets are read from the file, the window saves nothing over it.
    setsLoaded = false;
    // The orb record in force stays when the settings cannot be read below:
    // the sets file alone does not say which set the chart uses.
    const engine::OrbRecord inForce = currentChart_.orbs;
    LoadOrbSets();
    try {
        engine::LoadEngineSettings(currentChart_.settings, currentChart_.orbs, ShowOrbSettingsMessage);
    } catch (const rt::IoError&) {
        currentChart_.orbs = inForce;
        selectedSetEdit->setText(gui::ToQt(currentChart_.orbs.setLetter));
        throw;
    }
    selectedSetEdit->setText(gui::ToQt(currentChart_.orbs.setLetter));
}

void OrbSettingsWindow::MarkOrbsEdited() { orbEditsValid = false; }

void OrbSettingsWindow::MarkSpecialOrbsEdited() {
    orbEditsValid = false;
    specialOrbsUnchanged = false;
}

void OrbSettingsWindow::CheckOrbEdits() {
    if (!orbEditsValid) {
        orbEditsValid = true;
        auto check = [this](QLineEdit* edit, long double maximum) {
            int error = 0;
            archive::ParseFloatEdit(edit, error);
            archive::SetEditErrorColour(edit, error);
            archive::CheckFloatEditRange(edit, error, 0, maximum);
            if (error != 0) orbEditsValid = false;
        };
        for (QLineEdit* edit : setColumns[kSetB].orbEdits) check(edit, 15);
        for (QLineEdit* edit : setColumns[kSetC].orbEdits) check(edit, 15);
        check(parallelOrbEdit, 6);
        check(antisciaOrbEdit, 6);
    }
    selectedSetEdit->setText(gui::ToQt(currentChart_.orbs.setLetter));
    returnButton->setEnabled(orbEditsValid);
}

void OrbSettingsWindow::SaveOrbSets(const std::string& letter) {
    // The edits hold values of the file only when it was read: a file that could
    // not be read is never overwritten with what the window shows.
    if (!setsLoaded) return;
    engine::OrbSets sets;
    for (std::size_t i = 0; i < kOrbAspectCount; ++i) {
        sets.orbs[0][i] = engine::kOrbSetA[i];
        sets.orbs[1][i] = NumberInEdit(setColumns[kSetB].orbEdits[i]);
        sets.orbs[2][i] = NumberInEdit(setColumns[kSetC].orbEdits[i]);
    }
    sets.parallelOrb = NumberInEdit(parallelOrbEdit);
    sets.antisciaOrb = NumberInEdit(antisciaOrbEdit);
    sets.selected = letter;
    engine::SaveOrbSets(sets);
}

void OrbSettingsWindow::LoadOrbSets() {
    const engine::OrbSets sets = engine::LoadOrbSets(currentChart_.orbs, ShowOrbSettingsMessage);
    setsLoaded = !sets.damaged;
    for (std::size_t i = 0; i < kOrbAspectCount; ++i)
        currentChart_.orbs.aspectOrbs[static_cast<std::size_t>(engine::kAspectSlotByOrder[i])] = sets.orbs[0][i];
    currentChart_.orbs.parallelOrb = sets.parallelOrb;
    currentChart_.orbs.antisciaOrb = sets.antisciaOrb;
    parallelOrbEdit->setText(ValueText(sets.parallelOrb));
    antisciaOrbEdit->setText(ValueText(sets.antisciaOrb));
    for (std::size_t i = 0; i < kOrbAspectCount; ++i) {
        setColumns[kSetB].orbEdits[i]->setText(ValueText(sets.orbs[1][i]));
        setColumns[kSetC].orbEdits[i]->setText(ValueText(sets.orbs[2][i]));
    }
    currentChart_.orbs.setLetter = rt::CutTo(sets.selected, 1);
    selectedSetLabel->setText(gui::ToQt("Banenset Momenteel Geselecteerd: = "));
    setColumns[kSetA].selectedFrame->setVisible(currentChart_.orbs.setLetter == "A");
    setColumns[kSetB].selectedFrame->setVisible(currentChart_.orbs.setLetter == "B");
    setColumns[kSetC].selectedFrame->setVisible(currentChart_.orbs.setLetter == "C");
}

void OrbSettingsWindow::SelectOrbSet(const std::string& letter) {
    // A settings file that cannot be read is not written over, and then the
    // orb sets file is left as it is too.
    engine::RequireWritableEngineSettings(currentChart_.settings, currentChart_.orbs, ShowOrbSettingsMessage);
    currentChart_.orbs.setLetter = letter;
    SaveOrbSets(letter);
    LoadOrbSets();
    engine::AngleOrderTable<engine::Real> orbs{};
    const auto& edits = setColumns[letter == "A" ? kSetA : letter == "B" ? kSetB : kSetC].orbEdits;
    for (std::size_t i = 0; i < kOrbAspectCount; ++i)
        orbs[i] = letter == "A" ? SetAValue(edits[i]) : NumberInEdit(edits[i]);
    engine::WriteOrbSetSettings(currentChart_.settings, currentChart_.orbs,
                                {orbs, NumberInEdit(parallelOrbEdit), NumberInEdit(antisciaOrbEdit), letter},
                                ShowOrbSettingsMessage);
    Q_EMIT OrbSetChosen(letter == "A" ? "A (normali)" : letter == "B" ? "B (personali)" : "C (personali)");
    engine::LoadEngineSettings(currentChart_.settings, currentChart_.orbs, ShowOrbSettingsMessage);
}

void OrbSettingsWindow::ChooseSet(std::size_t set) {
    if (!orbEditsValid) {
        gui::ShowMessage(kInvalidOrbsMessage);
        return;
    }
    const char* const letters[] = {"A", "B", "C"};
    engine::RequireWritableEngineSettings(currentChart_.settings, currentChart_.orbs, ShowOrbSettingsMessage);
    selectedSetEdit->setText(letters[set]);
    SelectOrbSet(letters[set]);
}

void OrbSettingsWindow::ReturnToMenu() {
    if (orbEditsValid) done(gui::kModalCancel);
}

void OrbSettingsWindow::SaveOnClose() {
    if (!orbEditsValid) return;
    auto marked = [this](std::size_t set) { return !setColumns[set].selectedFrame->isHidden(); };
    std::string letter = marked(kSetA) ? "A" : marked(kSetB) ? "B" : marked(kSetC) ? "C" : "";
    SaveOrbSets(letter);
    if (!specialOrbsUnchanged) {
        const std::string shown = gui::FromQt(selectedSetEdit->text());
        if (shown == "A" || shown == "B" || shown == "C") SelectOrbSet(shown);
    }
}

void OrbSettingsWindow::done(int result) {
    // Invalid orbs keep the window open until they are mended.
    if (!orbEditsValid) return;
    gui::Guard([this] { SaveOnClose(); });
    QDialog::done(result);
}

}  // namespace shell
