#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "archive/current_person.h"
#include "archive/form_helpers.h"
#include "display/chart/chart_window.h"
#include "engine/chart_state.h"
#include "platform/gui/guard.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "archive/backup_window.h"
#include "archive/change_dialog.h"
#include "archive/delete_dialog.h"
#include "archive/input_dialog.h"
#include "archive/recall_dialog.h"
#include "display/chart/open_chart_window.h"
#include "shell/forms.h"
#include "platform/gui/idle.h"
#include "platform/gui/lock_glyph.h"
#include "platform/runtime/text_file.h"
#include "shell/rich_text_window.h"
#include "archive/archive_files.h"
#include "archive/draw_settings_file.h"
#include "display/draw/drawing_state.h"
#include "shell/instructions.h"
#include "shell/instructions_dialog.h"
#include "shell/main_activation.h"
#include "shell/subsystem_windows.h"
#include "shell/start_up.h"
#include "shell/user_name.h"
#include "shell/user_name_dialog.h"
#include "shell/window_placement.h"
#include "display/settings/draw_settings_values.h"
#include "display/sheets/sheet_selection.h"
#include "display/wheel/chart_geometry.h"
#include "engine/engine_settings.h"
#include "engine/orb_set_choice.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/fixed_string.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"

namespace shell {

MainWindow* theMainWindow = nullptr;

namespace {

// The command buttons stand at least 30 pixels high.
void MakeTall(std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* b : buttons) b->setMinimumHeight(30);
}

// The buttons of a page in two columns, each from the top.
void PutInColumns(QGridLayout* grid, std::initializer_list<QPushButton*> left,
                  std::initializer_list<QPushButton*> right) {
    int column = 0;
    for (const auto& buttons : {left, right}) {
        int row = 0;
        for (QPushButton* b : buttons) grid->addWidget(b, row++, column);
        MakeTall(buttons);
        ++column;
    }
}

void SetBoxColours(QComboBox* box, const QColor& background, const QColor& text) {
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Button, background);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    box->setPalette(pal);
    box->setAutoFillBackground(true);
}

const char* OrbBoxText(const std::string& letter) {
    if (letter == "A") return "A (normali)";
    if (letter == "B") return "B (personali)";
    if (letter == "C") return "C (personali)";
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("FoKelvor");
    setWindowTitle("Vireliant NL Basic");
    RunOnActivation(this, [this] { FormActivate(); });

    auto* layout = new QVBoxLayout(this);
    auto* logo = gui::MakeLabel(this, "Image1", "Vireliant NL Basic");
    QFont logoFont = logo->font();
    logoFont.setPointSize(logoFont.pointSize() + 8);
    logoFont.setBold(true);
    logo->setFont(logoFont);
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    TabSheet1 = gui::MakeArea(PageControl1, "TabSheet1");
    TabSheet2 = gui::MakeArea(PageControl1, "TabSheet2");
    TabSheet5 = gui::MakeArea(PageControl1, "TabSheet5");
    PageControl1->addTab(TabSheet1, gui::ToQt("Astrologische Functies"));
    PageControl1->addTab(TabSheet2, gui::ToQt("Raadpleging Remedies"));
    PageControl1->addTab(TabSheet5, gui::ToQt("Accessoire Functies"));
    layout->addWidget(PageControl1);

    BuildAstrologyPage();
    BuildRemediesPage();
    BuildAccessoryPage();
    BuildBottomPanel();
    layout->addWidget(Panel9);

    // Fixed single border, centred on the screen.
    adjustSize();
    setFixedSize(sizeHint().expandedTo(QSize(760, 560)));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void MainWindow::BuildAstrologyPage() {
    auto* grid = new QGridLayout(TabSheet1);
    gui::MakeButtons(TabSheet1, {{&BitBtnDati, "BitBtnDati", "Roep nieuwe naam op"},
                                 {&BitBtnInputA, "BitBtnInputA", "Geboortegegevens"},
                                 {&BitBtnCancel, "BitBtnCancel", "Geboortegegevens Vervijderen"},
                                 {&BitBtn1, "BitBtn1", "Bewerk / Maak Text"},
                                 {&BBProped, "BBProped", "Interactief voorbereidend model"}});
    int row = 0;
    for (QPushButton* b : {BitBtnDati, BitBtnInputA, BitBtnCancel, BitBtn1, BBProped}) grid->addWidget(b, row++, 0);

    LabelDati = gui::MakeLabel(TabSheet1, "Label1", "Momenteel geselecteerde Naam");
    grid->addWidget(LabelDati, 0, 1);

    // The data memo and, over it in the same cell, the hidden annotations memo.
    MemoDati = gui::MakeMemo(TabSheet1, "MemoDati", true);
    MemoDati->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoDati->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoDati->setFont(QFont("Courier New", 9));
    {
        QPalette pal = MemoDati->palette();
        pal.setColor(QPalette::Base, QColor(0, 128, 128));
        pal.setColor(QPalette::Text, Qt::white);
        MemoDati->setPalette(pal);
    }
    MemoDati->setPlainText(QString(6, QChar('\n')));
    MemoDati->viewport()->installEventFilter(this);
    MemoAnnotaz = gui::MakeMemo(TabSheet1, "MemoAnnotaz", true);
    MemoAnnotaz->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        QPalette pal = MemoAnnotaz->palette();
        pal.setColor(QPalette::Base, QColor(192, 192, 192));
        pal.setColor(QPalette::Text, Qt::black);
        MemoAnnotaz->setPalette(pal);
    }
    MemoAnnotaz->hide();
    MemoAnnotaz->viewport()->installEventFilter(this);
    grid->addWidget(MemoDati, 1, 1, 4, 1);
    grid->addWidget(MemoAnnotaz, 1, 1, 4, 1);

    Panel3 = gui::MakePanel(TabSheet1, "Panel3");
    Panel3->setFrameShape(QFrame::StyledPanel);
    auto* sheets = new QGridLayout(Panel3);
    sheets->addWidget(gui::MakeLabel(Panel3, "Label3", "Samenvattend afdrukbare grafieken"), 0, 0, 1, 2);
    gui::MakeButtons(Panel3, {{&BBOriz, "BBOriz", "Horizontaal 1 "},
                              {&BBoriz2, "BBoriz2", "Horizontaal 2"},
                              {&BBVert, "BBVert", "Verticaal 1"},
                              {&BBvert2, "BBvert2", "Verticaal 2"}});
    MakeTall({BitBtnDati, BitBtnInputA, BitBtnCancel, BitBtn1, BBProped, BBOriz, BBoriz2, BBVert, BBvert2});
    BBoriz2->setEnabled(false);
    BBvert2->setEnabled(false);
    sheets->addWidget(BBOriz, 1, 0);
    sheets->addWidget(BBoriz2, 1, 1);
    sheets->addWidget(BBVert, 2, 0);
    sheets->addWidget(BBvert2, 2, 1);
    Panel3->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    grid->addWidget(Panel3, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void MainWindow::BuildRemediesPage() {
    auto* grid = new QGridLayout(TabSheet2);
    gui::MakeButtons(TabSheet2, {{&BBSintomi, "BBSintomi", "Symptomen"},
                                 {&BitBtn2, "BitBtn2", "Remedies"},
                                 {&BitBtn3, "BitBtn3", "Therapie\xEBn"},
                                 {&Bquor1, "Bquor1", "Quorim-1"},
                                 {&Bquor2, "Bquor2", "Quorim-2"},
                                 {&BitBtn5, "BitBtn5", "Astrologische Signatuur / S"},
                                 {&BitBtn7, "BitBtn7", "Planten en Actieve Principes"},
                                 {&BitBtn8, "BitBtn8", ""},
                                 {&BitBtn6, "BitBtn6", "Astrologische Verzwakking"},
                                 {&BitBtn9, "BitBtn9", "Psychische Synthese"},
                                 {&BBriceCompo, "BBriceCompo", "Sintomi Multipli"},
                                 {&BitBtn10, "BitBtn10", "Terapie Composite"},
                                 {&BButility, "BButility", "Utility Ricerca"}});
    // A picture button without a caption: its glyph and hint name the window it opens.
    BitBtn8->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    BitBtn8->setToolTip("PRINCIPI CURATIVI");
    PutInColumns(grid, {BBSintomi, BitBtn2, BitBtn3, Bquor1, Bquor2, BBriceCompo, BitBtn10},
                 {BitBtn5, BitBtn7, BitBtn8, BitBtn6, BitBtn9, BButility});
    grid->setRowStretch(7, 1);
}

void MainWindow::BuildAccessoryPage() {
    auto* grid = new QGridLayout(TabSheet5);
    gui::MakeButtons(TabSheet5, {{&Button1, "Button1", "Manutenzione"},
                                 {&BitBtn4, "BitBtn4", "Primaire Database"},
                                 {&BBaggRep, "BBaggRep", "Therapie\xEBn Database"},
                                 {&EdAggiorna, "EdAggiorna", "Updates"},
                                 {&BitBtnVarOrbAsp, "BitBtnVarOrbAsp", "Variatie Baan Aspecten"},
                                 {&BBCerchio, "BBCerchio", "Rondheid van Cirkles en Schermgroote"},
                                 {&BitBtn22, "BitBtn22", "Lijndikte"},
                                 {&BBSalva, "BBSalva", "Backup / Herstel van Geboortegegeven en Teksten"},
                                 {&BitBtnNomeCognome, "BitBtnNomeCognome", "Achternaam en Voornaam "},
                                 {&BBistruz, "BBistruz", "Instructies.pdf"},
                                 {&BBdispensa, "BBdispensa", "Boekje.pdf"}});
    BitBtnNomeCognome->setToolTip(gui::ToQt("Cambia Personalizzazione"));
    PutInColumns(grid, {Button1, BitBtn4, BBaggRep, EdAggiorna, BBSalva},
                 {BitBtnVarOrbAsp, BBCerchio, BitBtn22, BitBtnNomeCognome, BBistruz, BBdispensa});

    // An empty box that hides itself when double-clicked, and two controls that
    // nothing makes visible.
    Cbox1 = gui::MakeCombo(TabSheet5, "Cbox1");
    Cbox1->setMaxVisibleItems(25);
    Cbox1->installEventFilter(this);
    grid->addWidget(Cbox1, 6, 0);
    Button2 = gui::MakeButton(TabSheet5, "Button2", "Button2");
    MakeTall({Button2});
    Button2->hide();
    ListBox1 = gui::MakeList(TabSheet5, "ListBox1");
    ListBox1->hide();
    grid->setRowStretch(7, 1);
    ConnectCommands();
}

void MainWindow::ConnectCommands() {
    connect(BitBtnNomeCognome, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnNomeCognomeClick(); }));
    connect(BitBtnDati, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnDatiClick(); }));
    connect(BitBtnInputA, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnInputAClick(); }));
    connect(BitBtnCancel, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtnCancelClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn1Click(); }));
    connect(BBProped, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBPropedClick(); }));
    connect(BBSalva, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBSalvaClick(); }));
    connect(BBistruz, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBistruzClick(); }));
    connect(BBdispensa, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBdispensaClick(); }));
    // The sheets and the windows of the remedy and accessory pages.
    const std::pair<QPushButton*, void (MainWindow::*)()> commands[] = {
        {BBOriz, &MainWindow::BBOrizClick},
        {BBoriz2, &MainWindow::BBoriz2Click},
        {BBVert, &MainWindow::BBVertClick},
        {BBvert2, &MainWindow::BBvert2Click},
        {BitBtn3, &MainWindow::BitBtn3Click},
        {Bquor1, &MainWindow::Bquor1Click},
        {Bquor2, &MainWindow::Bquor2Click},
        {Button1, &MainWindow::Button1Click},
        {BitBtn4, &MainWindow::BitBtn4Click},
        {BBaggRep, &MainWindow::BBaggRepClick},
        {BitBtn5, &MainWindow::BitBtn5Click},
        {BitBtn7, &MainWindow::BitBtn7Click},
        {BitBtn8, &MainWindow::BitBtn8Click},
        {BitBtn6, &MainWindow::BitBtn6Click},
        {BitBtn9, &MainWindow::BitBtn9Click},
        {BitBtnVarOrbAsp, &MainWindow::BitBtnVarOrbAspClick},
        {BBCerchio, &MainWindow::BBCerchioClick},
        {BitBtn22, &MainWindow::BitBtn22Click},
        {BButility, &MainWindow::BButilityClick},
        {EdAggiorna, &MainWindow::EdAggiornaClick},
    };
    for (const auto& [button, handler] : commands)
        connect(button, &QPushButton::clicked, this, gui::Guarded([this, handler = handler](auto&&...) { (this->*handler)(); }));
    connect(BBSintomi, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBSintomiClick(); }));
    connect(BitBtn2, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn2Click(); }));
    connect(BBriceCompo, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBriceCompoClick(); }));
    connect(BitBtn10, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BitBtn10Click(); }));
}

void MainWindow::BuildBottomPanel() {
    Panel9 = gui::MakePanel(this, "Panel9");
    Panel9->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(Panel9);

    row->addWidget(gui::MakeLabel(Panel9, "LabelNodo", "Maanknoop"));
    ComboNodo = gui::MakeCombo(Panel9, "ComboNodo");
    ComboNodo->setEditable(true);
    ComboNodo->addItems({"VERO", "MEDIO"});
    row->addWidget(ComboNodo);

    row->addWidget(gui::MakeLabel(Panel9, "LabelOrb", "Baan Aspecten"));
    ComboOrb = gui::MakeCombo(Panel9, "ComboOrb");
    ComboOrb->setEditable(true);
    ComboOrb->addItems({"A (normali)", "B (personali)", "C (personali)"});
    row->addWidget(ComboOrb);

    BBlk = gui::MakeButton(Panel9, "BBlk", "");
    BBlk->setToolTip(gui::ToQt("Sblocca/Blocca"));
    BBlk->setIcon(gui::LockIcon(false));
    BBlk->setProperty("glyph", "LockOpen");
    row->addWidget(BBlk);
    connect(BBlk, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBlkClick(); }));

    SBtipoStamp = gui::MakeButton(Panel9, "SBtipoStamp", "");
    SBtipoStamp->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    row->addWidget(SBtipoStamp);
    Label34 = gui::MakeLabel(Panel9, "Label34", "Printermodel");
    Label35 = gui::MakeLabel(Panel9, "Label35", "");
    row->addWidget(Label34);
    row->addWidget(Label35);

    Label34->installEventFilter(this);
    Label35->installEventFilter(this);
    connect(SBtipoStamp, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { SBtipoStampClick(); }));

    // The boxes report what the user chooses or types, not what the program sets.
    connect(ComboOrb, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ComboOrbChange(); }));
    connect(ComboOrb->lineEdit(), &QLineEdit::textEdited, this, gui::Guarded([this](auto&&...) { ComboOrbChange(); }));
    connect(ComboNodo, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ComboNodoChange(); }));
    connect(ComboNodo->lineEdit(), &QLineEdit::textEdited, this,
            gui::Guarded([this](auto&&...) { ComboNodoChange(); }));
    ComboNodo->lineEdit()->installEventFilter(this);

    BBApriTesto = gui::MakeButton(Panel9, "BBApriTesto", "Apri Testo");
    MakeTall({SBtipoStamp, BBApriTesto});
    BBApriTesto->hide();
    row->addWidget(BBApriTesto);
    connect(BBApriTesto, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { BBApriTestoClick(); }));
    row->addStretch(1);

    Image9 = gui::MakeLabel(Panel9, "Image9", "");
    Image9->setToolTip(gui::ToQt("Chiudi il Programma"));
    Image9->setMinimumSize(48, 28);
    Image9->setAlignment(Qt::AlignCenter);
    Image9->installEventFilter(this);
    LoadExitImage("FineProg.bmp");
    row->addWidget(Image9);
}

void MainWindow::LoadExitImage(const char* file) {
    QPixmap pm;
    if (rt::PathExists(file)) pm.load(QString::fromStdString(rt::ResolvePath(file).string()));
    if (!pm.isNull()) {
        Image9->setPixmap(pm);
    } else {
        // Without the picture the control shows its purpose as text.
        Image9->setText(gui::ToQt("Fine"));
        Image9->setFrameShape(QFrame::Box);
    }
    Image9->setProperty("picture", file);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image9) {
        if (event->type() == QEvent::MouseButtonPress) {
            gui::Guard([this] { Image9MouseDown(); });
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            gui::Guard([this] { Image9MouseUp(); });
            return true;
        }
    } else if (MemoDati && watched == MemoDati->viewport() && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { MemoDatiClick(); });
    } else if (MemoAnnotaz && watched == MemoAnnotaz->viewport() &&
               event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { MemoAnnotazClick(); });
    } else if ((watched == Label34 || watched == Label35) && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { SBtipoStampClick(); });
        return true;
    } else if (ComboNodo && watched == ComboNodo->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        if (ComboNodo->isEnabled()) gui::Guard([this] { ComboNodoDblClick(); });
        return true;
    } else if (event->type() == QEvent::Hide && !activating_ && !closing_ && watched &&
               (watched == display::theChartWindow || watched == theSheetViewer)) {
        // Back from the chart window or the sheet viewer.
        gui::Guard([this] { FormActivate(); });
    } else if (watched == Cbox1 && event->type() == QEvent::MouseButtonDblClick) {
        gui::Guard([this] { Cbox1DblClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The main window's closing ends the program. The other open windows close
    // first; one that keeps itself open (unsaved text the user wants to keep)
    // keeps the program running.
    closing_ = true;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || !w->isVisible()) continue;
        if (!w->close()) {
            closing_ = false;
            event->ignore();
            return;
        }
    }
    event->accept();
    QCoreApplication::quit();
}

namespace {

// One step of the activation. A file it cannot read is named (once as long as
// the file stays as it is: the activation runs again after every dialog) and
// the activation goes on with its next step.
void ActivationStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const rt::IoError& e) {
        if (e.File().empty())
            gui::ShowMessage(e.UserMessage());
        else
            rt::ReportDamagedFileOnce(e.File(), e.UserMessage());
    } catch (const std::exception& e) {
        gui::ShowMessage(e.what());
    }
}

}  // namespace

void MainWindow::FormActivate() {
    // Hiding the full-screen windows below is no return from them.
    activating_ = true;
    struct EndActivation {
        bool& flag;
        ~EndActivation() { flag = false; }
    } end{activating_};
    // 1. A legacy backup folder on line 6 of the drawing settings.
    ActivationStep([] { archive::ReplaceLegacyBackupLine(); });
    // 2. The personal archive on first use.
    ActivationStep([] { EnsurePersonalArchive(); });
    // 3. The degree-to-radian factor.
    engine::Chart.DegToRad = engine::kPi / 180;
    // 4. Placement of the dialogs near this window.
    archive::MainForm.MainFormWidth = frameGeometry().width();
    archive::MainForm.MainFormHeight = frameGeometry().height();
    ResetViewFlags();
    // 5. The user's name.
    ActivationStep([this] {
        LoadUserName();
        BitBtnNomeCognome->setText(gui::ToQt(UserName.UserFullName));
    });
    // 6. The drawing settings (values read before, or the defaults, stand in
    // for a file that cannot be read).
    ActivationStep([] {
        try {
            archive::LoadOrCreateDrawSettings();
        } catch (const rt::IoError& e) {
            archive::ReportUnreadableDrawSettings(e);
        }
    });
    display::ApplyDrawSettingsToDrawing();
    // 7. The node box.
    ComboNodo->setEditText(gui::ToQt(engine::Chart.NodeType));
    // 8. The full-screen windows, hidden.
    SizeFullScreenWindows();
    // 9. The current person.
    ActivationStep([this] { ShowCurrentPerson(); });
    // 10. The boxes start locked, and look it.
    ShowBoxesLocked(true);
    // 11. The orb-set box from the set in force.
    if (const char* text = OrbBoxText(engine::Orbs.OrbSetLetter)) ComboOrb->setEditText(text);
}

void MainWindow::SizeFullScreenWindows() {
    ScreenSize screen = CurrentScreenSize();
    if (display::theChartWindow) SizeFullScreen(display::theChartWindow, display::theChartWindow->Panel1, screen);
    if (theCalibrationWindow) SizeFullScreen(theCalibrationWindow, nullptr, screen);
    if (theSheetViewer) SizeFullScreen(theSheetViewer, theSheetViewer->Panel1, screen);
}

bool MainWindow::ShowCurrentPerson() {
    archive::CurrentPersonView view = archive::LoadCurrentPersonForShow();
    QStringList lines;
    for (const std::string& line : view.MemoLines) lines << gui::ToQt(line);
    MemoDati->setPlainText(lines.join('\n'));
    MemoAnnotaz->setPlainText(gui::ToQt(view.AnnotationText));
    BBApriTesto->setVisible(view.TextFileExists);
    return !view.Empty;
}

void MainWindow::RememberOrigin() {
    archive::RememberMainOrigin(this);
}

void MainWindow::BitBtnNomeCognomeClick() {
    RememberOrigin();
    archive::PlaceNearMain(theUserNameDialog, 10);
    gui::ShowModal(theUserNameDialog);
    BitBtnNomeCognome->setText(
        gui::ToQt(UserName.UserGivenName + " " + UserName.UserSurname));
    FormActivate();
}

// The archive dialogs: shown modally near this window; afterwards this window
// is activated again, which reloads the current person.
void MainWindow::BitBtnDatiClick() {
    RememberOrigin();
    archive::PlaceNearMain(archive::theRecallDialog, 0);
    gui::ShowModal(archive::theRecallDialog);
    FormActivate();
}

void MainWindow::BitBtnInputAClick() {
    RememberOrigin();
    archive::PlaceNearMain(archive::theInputDialog, 10);
    gui::ShowModal(archive::theInputDialog);
    AfterModal();
}

void MainWindow::BitBtnCancelClick() {
    RememberOrigin();
    archive::PlaceNearMain(archive::theDeleteDialog, 10);
    gui::ShowModal(archive::theDeleteDialog);
    FormActivate();
}

void MainWindow::BitBtn1Click() {
    RememberOrigin();
    archive::PlaceNearMain(archive::theChangeDialog, 10);
    gui::ShowModal(archive::theChangeDialog);
    FormActivate();
}

void MainWindow::BBPropedClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (!ShowCurrentPerson()) {
        gui::ShowMessage(kNoCurrentPersonMessage);
        return;
    }
    display::OpenChartWindow();
    WatchModeless(display::theChartWindow);
}

void MainWindow::BBSalvaClick() {
    RememberOrigin();
    ShowOnDemand<archive::BackupWindow>(archive::theBackupWindow, [](archive::BackupWindow* w) { archive::PlaceNearMain(w, 10); });
    FormActivate();
}

// The remedy browsers and searches opened on demand: a new window at every
// click, shown modally and released when it closes.
void MainWindow::BBSintomiClick() {
    RememberOrigin();
    ShowOnDemand<remedies::SymptomBrowser>(remedies::theSymptomBrowser);
    FormActivate();
}

void MainWindow::BitBtn2Click() {
    RememberOrigin();
    ShowOnDemand<remedies::RemedyBrowser>(remedies::theRemedyBrowser);
    FormActivate();
}

void MainWindow::BBriceCompoClick() {
    ShowOnDemand<remedies::MultiSymptomSearch>(remedies::theMultiSymptomSearch);
    FormActivate();
}

void MainWindow::BitBtn10Click() {
    ShowOnDemand<remedies::CompoundTherapySearch>(remedies::theCompoundTherapySearch);
    FormActivate();
}

// The current person's text, named by "FileDum\StrText.dum", in the program's
// own rich-text editor (which opens the file named in "FileDum\DatModif.dum").
void MainWindow::BBApriTestoClick() {
    std::vector<std::string> lines = rt::ReadTextLines(archive::kTextHandOff);
    lines.resize(2);
    std::string path = archive::PersonTextFileName(lines[0], lines[1]);
    rt::WriteTextLines(archive::kEditFileHandOff, {path});
    if (theRichTextWindow) theRichTextWindow->ShowForHandOff();
    FormActivate();
}

void MainWindow::BBistruzClick() {
    RememberOrigin();
    archive::PlaceNearMain(theInstructionsDialog, 10);
    gui::ShowModal(theInstructionsDialog);
    FormActivate();
}

void MainWindow::BBdispensaClick() { OpenProgramDocument(kBookletDocument); }

void MainWindow::BBlkClick() { ShowBoxesLocked(ComboOrb->isEnabled()); }

void MainWindow::ShowBoxesLocked(bool locked) {
    ComboOrb->setEnabled(!locked);
    ComboNodo->setEnabled(!locked);
    const QColor background = locked ? QColor(128, 128, 128) : QColor(0, 255, 255);
    const QColor text = locked ? QColor(Qt::white) : QColor(Qt::black);
    SetBoxColours(ComboOrb, background, text);
    SetBoxColours(ComboNodo, background, text);
    BBlk->setIcon(gui::LockIcon(locked));
    BBlk->setProperty("glyph", locked ? "LockShut" : "LockOpen");
}

void MainWindow::MemoDatiClick() { MemoAnnotaz->show(); }

void MainWindow::MemoAnnotazClick() { MemoAnnotaz->hide(); }

void MainWindow::Cbox1DblClick() { Cbox1->hide(); }

void MainWindow::Image9MouseDown() { LoadExitImage("FineProgClic.bmp"); }

void MainWindow::Image9MouseUp() {
    LoadExitImage("FineProg.bmp");
    close();
}

void MainWindow::AfterModal() {
    if (idleInstalled_)
        InstallMyIdleHandler();
    else
        gui::ClearIdleHandler();
    FormActivate();
}

void MainWindow::ShowNear(QDialog* window, int offset) {
    RememberOrigin();
    archive::PlaceNearMain(window, offset);
    gui::ShowModal(window);
    AfterModal();
}

void MainWindow::ShowRemembered(QDialog* window) {
    RememberOrigin();
    gui::ShowModal(window);
    AfterModal();
}

void MainWindow::ShowPlain(QDialog* window) {
    gui::ShowModal(window);
    AfterModal();
}

void MainWindow::WatchModeless(QWidget* window) {
    if (window) window->installEventFilter(this);  // installed once, however often asked
}

// The printable sheets: the current person with fresh receptions (all but
// "Horizontaal 2"), the sheet and its orientation, the latitudes kept for the
// sheet, then the sheet viewer, which draws the sheet by itself.
void MainWindow::ShowSheet(int sheetCode, const char* orientation, bool receptions) {
    if (!ShowCurrentPerson()) {
        gui::ShowMessage(kNoCurrentPersonMessage);
        return;
    }
    if (receptions) engine::ComputeReceptions();
    display::Sheets.SheetCode = sheetCode;
    display::SetDefaultWheelRadii();
    display::Sheets.SheetOrientation = orientation;
    engine::Chart.PlanetLatitudesSaved = engine::Chart.PlanetLatitudes;
    if (!theSheetViewer) return;
    WatchModeless(theSheetViewer);
    gui::ShowInFront(theSheetViewer);
}

void MainWindow::BBOrizClick() { ShowSheet(16, "L", true); }
void MainWindow::BBoriz2Click() { ShowSheet(17, "L", false); }
void MainWindow::BBVertClick() { ShowSheet(5, "P", true); }
void MainWindow::BBvert2Click() { ShowSheet(18, "P", true); }

void MainWindow::BitBtn3Click() { ShowRemembered(theTherapyBrowser); }
void MainWindow::Bquor1Click() { ShowPlain(thePlantSymptomsWindow); }
void MainWindow::Bquor2Click() { ShowPlain(theSymptomPlantsWindow); }
void MainWindow::Button1Click() { ShowPlain(theSignatureMaintenanceWindow); }
void MainWindow::BitBtn4Click() { ShowPlain(thePrimaryEditor); }
void MainWindow::BBaggRepClick() { ShowPlain(theRepertoryEditor); }
void MainWindow::BitBtn5Click() { ShowRemembered(theSignatureSearchWindow); }
void MainWindow::BitBtn7Click() { ShowPlain(theCompositionWindow); }
void MainWindow::BitBtn8Click() { ShowPlain(thePrinciplesWindow); }
void MainWindow::BitBtn6Click() { ShowPlain(theDebilityWindow); }
void MainWindow::BitBtn9Click() { ShowPlain(theSynthesisWindow); }
void MainWindow::BitBtnVarOrbAspClick() { ShowNear(theOrbSettingsWindow, 10); }

void MainWindow::BBCerchioClick() {
    display::Sheets.SheetCode = 0;
    ShowPlain(theCalibrationWindow);
}

void MainWindow::BitBtn22Click() { ShowNear(theLineWidthDialog, 10); }
void MainWindow::SBtipoStampClick() { ShowNear(thePrinterModelDialog, 10); }
void MainWindow::BButilityClick() { ShowNear(theSearchUtility, 10); }
void MainWindow::EdAggiornaClick() { ShowNear(theUpdateWindow, 10); }

void MainWindow::InstallMyIdleHandler() {
    idleInstalled_ = true;
    gui::SetIdleHandler([this] { MyIdleHandler(); });
}

void MainWindow::ComboOrbChange() {
    if (sayingRefusal_) return;
    // The set in force until the change is applied.
    if (!OrbSetChanged) orbSetInForce_ = engine::Orbs.OrbSetLetter;
    OrbSetChanged = true;
    const std::string text = gui::FromQt(ComboOrb->currentText());
    for (const char* letter : {"A", "B", "C"})
        if (text == OrbBoxText(letter)) engine::Orbs.OrbSetLetter = letter;
    InstallMyIdleHandler();
}

void MainWindow::ComboNodoChange() {
    if (sayingRefusal_) return;
    if (!NodeTypeChanged) nodeTypeInForce_ = engine::Chart.NodeType;
    NodeTypeChanged = true;
    engine::Chart.NodeType = rt::CutTo(gui::FromQt(ComboNodo->currentText()), 5);
    InstallMyIdleHandler();
}

void MainWindow::ComboNodoDblClick() {
    if (!NodeTypeChanged) nodeTypeInForce_ = engine::Chart.NodeType;
    NodeTypeChanged = true;
    engine::Chart.NodeType = engine::Chart.NodeType != "VERO" ? "VERO" : "MEDIO";
    ComboNodo->setEditText(gui::ToQt(engine::Chart.NodeType));
    InstallMyIdleHandler();
}

void MainWindow::SayChangeRefused(const rt::IoError& error) {
    sayingRefusal_ = true;
    gui::ShowMessage(error.UserMessage());
    sayingRefusal_ = false;
}

// Applies a changed node kind or orb set once the window is idle. A request is
// cleared before it is applied, so a failing one is reported once; a change
// that could not be saved (a settings file that cannot be read is never
// written over) leaves the kind or set in force, and the box shows it again.
void MainWindow::MyIdleHandler() {
    if (NodeTypeChanged) {
        NodeTypeChanged = false;
        const QString text = ComboNodo->currentText();
        if (text != "MEDIO" && text != "VERO") {
            ComboNodo->setEditText("MEDIO");
            engine::Chart.NodeType = "MEDIO";
        }
        try {
            engine::SetOrbiDomiLine(18, engine::Chart.NodeType);
        } catch (const rt::IoError& e) {
            engine::Chart.NodeType = nodeTypeInForce_;
            ComboNodo->setEditText(gui::ToQt(nodeTypeInForce_));
            SayChangeRefused(e);
            return;
        }
    }
    if (OrbSetChanged) {
        OrbSetChanged = false;
        const std::string text = gui::FromQt(ComboOrb->currentText());
        if (text != OrbBoxText("A") && text != OrbBoxText("B") && text != OrbBoxText("C")) {
            ComboOrb->setEditText(OrbBoxText("A"));
            engine::Orbs.OrbSetLetter = "A";
        }
        bool applied = false;
        try {
            applied = engine::ApplyOrbSet(engine::Orbs.OrbSetLetter);
        } catch (const rt::IoError& e) {
            engine::Orbs.OrbSetLetter = orbSetInForce_;
            if (const char* shown = OrbBoxText(orbSetInForce_)) ComboOrb->setEditText(shown);
            SayChangeRefused(e);
            return;
        }
        if (!applied) {
            gui::ShowMessage(engine::kMissingOrbSetsMessage);
            // The set in force stays, and the box shows it.
            engine::LoadOrbiDomiSettings();
        }
        if (const char* shown = OrbBoxText(engine::Orbs.OrbSetLetter)) ComboOrb->setEditText(shown);
    }
}

}  // namespace shell
