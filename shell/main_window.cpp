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

#include "archive/archive_files.h"
#include "archive/backup_window.h"
#include "archive/change_dialog.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/delete_dialog.h"
#include "archive/draw_settings_file.h"
#include "archive/form_helpers.h"
#include "archive/input_dialog.h"
#include "archive/recall_dialog.h"
#include "archive/store_dialog.h"
#include "display/chart/chart_window.h"
#include "display/chart/open_chart_window.h"
#include "display/draw/drawing_state.h"
#include "display/draw/metafile_viewer.h"
#include "display/settings/draw_settings_values.h"
#include "display/sheets/sheet_selection.h"
#include "display/wheel/chart_geometry.h"
#include "engine/chart.h"
#include "engine/engine_settings.h"
#include "engine/ephemeris_tables.h"
#include "engine/orb_set_choice.h"
#include "engine/receptions.h"
#include "platform/gui/guard.h"
#include "platform/gui/idle.h"
#include "platform/gui/lock_glyph.h"
#include "platform/gui/message_box.h"
#include "platform/gui/modal.h"
#include "platform/gui/text_convert.h"
#include "platform/gui/widgets.h"
#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"
#include "shell/forms.h"
#include "shell/instructions.h"
#include "shell/instructions_dialog.h"
#include "shell/main_activation.h"
#include "shell/print_parent.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
#include "shell/start_up.h"
#include "shell/subsystem_windows.h"
#include "shell/user_name.h"
#include "shell/user_name_dialog.h"
#include "shell/window_placement.h"

namespace shell {

namespace {

// A damaged engine settings or orb sets file is told in a message box.
void ShowSettingsMessage(const std::string& message) { gui::ShowMessage(message); }

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

MainWindow::MainWindow(ProgramWindows& windows, const ProgramState& state, StartOptions options, QWidget* parent)
    : QWidget(parent),
      windows_(windows),
      currentChart_(state.currentChart),
      drawingState_(state.drawing),
      drawSettings_(state.drawSettings),
      userName_(state.userName),
      sheetSelection_(state.sheetSelection),
      wheelGeometry_(state.wheelGeometry),
      options_(std::move(options)) {
    setObjectName("FoKelvor");
    setWindowTitle("Vireliant NL Basic");
    RunOnActivation(this, [this] { Refresh(); });

    auto* layout = new QVBoxLayout(this);
    auto* logo = gui::MakeLabel(this, "Image1", "Vireliant NL Basic");
    QFont logoFont = logo->font();
    logoFont.setPointSize(logoFont.pointSize() + 8);
    logoFont.setBold(true);
    logo->setFont(logoFont);
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);

    pageTabs_ = new QTabWidget(this);
    pageTabs_->setObjectName("PageControl1");
    astrologyPage_ = gui::MakeArea(pageTabs_, "TabSheet1");
    remediesPage_ = gui::MakeArea(pageTabs_, "TabSheet2");
    accessoryPage_ = gui::MakeArea(pageTabs_, "TabSheet5");
    pageTabs_->addTab(astrologyPage_, gui::ToQt("Astrologische Functies"));
    pageTabs_->addTab(remediesPage_, gui::ToQt("Raadpleging Remedies"));
    pageTabs_->addTab(accessoryPage_, gui::ToQt("Accessoire Functies"));
    layout->addWidget(pageTabs_);

    BuildAstrologyPage();
    BuildRemediesPage();
    BuildAccessoryPage();
    BuildBottomPanel();
    layout->addWidget(bottomPanel_);

    // Fixed single border, centred on the screen.
    adjustSize();
    setFixedSize(sizeHint().expandedTo(QSize(760, 560)));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

MainWindow::~MainWindow() = default;

// The windows in the order the program has always made them.
void MainWindow::FinishCreation() {
    windows_.Create(userNameDialog_, userName_);
    windows_.Create(recallDialog_, currentChart_);
    windows_.Create(sheetViewer_, currentChart_, sheetSelection_, drawingState_,
                    display::SheetViewerCollaborators{
                        .drawSettings = &drawSettings_,
                        // The printable sheets print the user's name beside their caption.
                        .userFullName = [&name = userName_] { return name.userFullName; },
                        .printer = std::move(options_.sheetPrinter),
                        .metafileViewer = [this] { return metafileViewer_; },
                    });
    windows_.Create(metafileViewer_, drawingState_);
    windows_.Create(printParentWindow_);
    windows_.Create(orbSettingsWindow_, currentChart_, drawingState_);
    windows_.Create(inputDialog_, currentChart_,
                    archive::InputDialogCollaborators{.mainFrame = &frame_,
                                                      .drawSettings = &drawSettings_,
                                                      .storeDialog = [this] { return storeDialog_; }});
    windows_.Create(storeDialog_, currentChart_);
    windows_.Create(deleteDialog_, currentChart_);
    windows_.Create(styledRichTextWindow_, options_.commandLineFile);
    windows_.Create(calibrationWindow_, currentChart_, drawSettings_, sheetSelection_, drawingState_);
    windows_.Create(lineWidthDialog_, drawSettings_, drawingState_);
    windows_.Create(printerModelDialog_, drawSettings_, drawingState_);
    windows_.Create(remedyWindows_.therapyBrowser, remedyWindows_.therapyBrowserPages);
    windows_.Create(remedyWindows_.symptomPlantsWindow);
    windows_.Create(remedyWindows_.plantSymptomsWindow);
    windows_.Create(changeDialog_, currentChart_);
    windows_.Create(remedyWindows_.signatureMaintenanceWindow);
    windows_.Create(remedyWindows_.primaryEditor);
    windows_.Create(remedyWindows_.repertoryEditor);
    windows_.Create(remedyWindows_.updateWindow);
    windows_.Create(richTextWindow_, options_.commandLineFile);
    windows_.Create(remedyWindows_.signatureSearchWindow);
    windows_.Create(remedyWindows_.searchUtility);
    windows_.Create(remedyWindows_.principlesWindow);
    windows_.Create(remedyWindows_.compositionWindow);
    windows_.Create(remedyWindows_.debilityWindow);
    windows_.Create(remedyWindows_.synthesisWindow);
    windows_.Create(chartWindow_, wheelGeometry_, currentChart_, drawingState_);
    windows_.Create(instructionsDialog_);
    // The store and change dialogs show the person's text in the editor.
    const auto showPersonText = [this] {
        if (richTextWindow_) richTextWindow_->ShowForHandOff();
    };
    connect(storeDialog_, &archive::StoreDialog::PersonTextRequested, this, showPersonText);
    connect(changeDialog_, &archive::ChangeDialog::PersonTextRequested, this, showPersonText);
    // The orb settings window shows the set it makes current in this window's box.
    connect(orbSettingsWindow_, &OrbSettingsWindow::OrbSetChosen, this,
            [this](const QString& text) { orbSetBox_->setEditText(text); });
}

void MainWindow::BuildAstrologyPage() {
    auto* grid = new QGridLayout(astrologyPage_);
    gui::MakeButtons(astrologyPage_, {{&openRecallDialogButton_, "BitBtnDati", "Roep nieuwe naam op"},
                                      {&openInputDialogButton_, "BitBtnInputA", "Geboortegegevens"},
                                      {&openDeleteDialogButton_, "BitBtnCancel", "Geboortegegevens Vervijderen"},
                                      {&openChangeDialogButton_, "BitBtn1", "Bewerk / Maak Text"},
                                      {&openChartWindowButton_, "BBProped", "Interactief voorbereidend model"}});
    int row = 0;
    for (QPushButton* b : {openRecallDialogButton_, openInputDialogButton_, openDeleteDialogButton_,
                           openChangeDialogButton_, openChartWindowButton_})
        grid->addWidget(b, row++, 0);

    currentPersonLabel_ = gui::MakeLabel(astrologyPage_, "Label1", "Momenteel geselecteerde Naam");
    grid->addWidget(currentPersonLabel_, 0, 1);

    // The data memo and, over it in the same cell, the hidden annotations memo.
    personMemo_ = gui::MakeMemo(astrologyPage_, "MemoDati", true);
    personMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    personMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    personMemo_->setFont(QFont("Courier New", 9));
    {
        QPalette pal = personMemo_->palette();
        pal.setColor(QPalette::Base, QColor(0, 128, 128));
        pal.setColor(QPalette::Text, Qt::white);
        personMemo_->setPalette(pal);
    }
    personMemo_->setPlainText(QString(6, QChar('\n')));
    personMemo_->viewport()->installEventFilter(this);
    annotationsMemo_ = gui::MakeMemo(astrologyPage_, "MemoAnnotaz", true);
    annotationsMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        QPalette pal = annotationsMemo_->palette();
        pal.setColor(QPalette::Base, QColor(192, 192, 192));
        pal.setColor(QPalette::Text, Qt::black);
        annotationsMemo_->setPalette(pal);
    }
    annotationsMemo_->hide();
    annotationsMemo_->viewport()->installEventFilter(this);
    grid->addWidget(personMemo_, 1, 1, 4, 1);
    grid->addWidget(annotationsMemo_, 1, 1, 4, 1);

    sheetsPanel_ = gui::MakePanel(astrologyPage_, "Panel3");
    sheetsPanel_->setFrameShape(QFrame::StyledPanel);
    auto* sheets = new QGridLayout(sheetsPanel_);
    sheets->addWidget(gui::MakeLabel(sheetsPanel_, "Label3", "Samenvattend afdrukbare grafieken"), 0, 0, 1, 2);
    gui::MakeButtons(sheetsPanel_, {{&showLandscapeSheetButton_, "BBOriz", "Horizontaal 1 "},
                                    {&showSecondLandscapeSheetButton_, "BBoriz2", "Horizontaal 2"},
                                    {&showPortraitSheetButton_, "BBVert", "Verticaal 1"},
                                    {&showSecondPortraitSheetButton_, "BBvert2", "Verticaal 2"}});
    MakeTall({openRecallDialogButton_, openInputDialogButton_, openDeleteDialogButton_, openChangeDialogButton_,
              openChartWindowButton_, showLandscapeSheetButton_, showSecondLandscapeSheetButton_,
              showPortraitSheetButton_, showSecondPortraitSheetButton_});
    showSecondLandscapeSheetButton_->setEnabled(false);
    showSecondPortraitSheetButton_->setEnabled(false);
    sheets->addWidget(showLandscapeSheetButton_, 1, 0);
    sheets->addWidget(showSecondLandscapeSheetButton_, 1, 1);
    sheets->addWidget(showPortraitSheetButton_, 2, 0);
    sheets->addWidget(showSecondPortraitSheetButton_, 2, 1);
    sheetsPanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    grid->addWidget(sheetsPanel_, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void MainWindow::BuildRemediesPage() {
    auto* grid = new QGridLayout(remediesPage_);
    gui::MakeButtons(remediesPage_, {{&openSymptomBrowserButton_, "BBSintomi", "Symptomen"},
                                     {&openRemedyBrowserButton_, "BitBtn2", "Remedies"},
                                     {&openTherapyBrowserButton_, "BitBtn3", "Therapie\xEBn"},
                                     {&openPlantSymptomsWindowButton_, "Bquor1", "Quorim-1"},
                                     {&openSymptomPlantsWindowButton_, "Bquor2", "Quorim-2"},
                                     {&openSignatureSearchWindowButton_, "BitBtn5", "Astrologische Signatuur / S"},
                                     {&openCompositionWindowButton_, "BitBtn7", "Planten en Actieve Principes"},
                                     {&openPrinciplesWindowButton_, "BitBtn8", ""},
                                     {&openDebilityWindowButton_, "BitBtn6", "Astrologische Verzwakking"},
                                     {&openSynthesisWindowButton_, "BitBtn9", "Psychische Synthese"},
                                     {&openMultiSymptomSearchButton_, "BBriceCompo", "Sintomi Multipli"},
                                     {&openCompoundTherapySearchButton_, "BitBtn10", "Terapie Composite"},
                                     {&openSearchUtilityButton_, "BButility", "Utility Ricerca"}});
    // A picture button without a caption: its glyph and hint name the window it opens.
    openPrinciplesWindowButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    openPrinciplesWindowButton_->setToolTip("PRINCIPI CURATIVI");
    PutInColumns(grid,
                 {openSymptomBrowserButton_, openRemedyBrowserButton_, openTherapyBrowserButton_,
                  openPlantSymptomsWindowButton_, openSymptomPlantsWindowButton_, openMultiSymptomSearchButton_,
                  openCompoundTherapySearchButton_},
                 {openSignatureSearchWindowButton_, openCompositionWindowButton_, openPrinciplesWindowButton_,
                  openDebilityWindowButton_, openSynthesisWindowButton_, openSearchUtilityButton_});
    grid->setRowStretch(7, 1);
}

void MainWindow::BuildAccessoryPage() {
    auto* grid = new QGridLayout(accessoryPage_);
    gui::MakeButtons(accessoryPage_,
                     {{&openSignatureMaintenanceWindowButton_, "Button1", "Manutenzione"},
                      {&openPrimaryEditorButton_, "BitBtn4", "Primaire Database"},
                      {&openRepertoryEditorButton_, "BBaggRep", "Therapie\xEBn Database"},
                      {&openUpdateWindowButton_, "EdAggiorna", "Updates"},
                      {&openOrbSettingsWindowButton_, "BitBtnVarOrbAsp", "Variatie Baan Aspecten"},
                      {&openCalibrationWindowButton_, "BBCerchio", "Rondheid van Cirkles en Schermgroote"},
                      {&openLineWidthDialogButton_, "BitBtn22", "Lijndikte"},
                      {&openBackupWindowButton_, "BBSalva", "Backup / Herstel van Geboortegegeven en Teksten"},
                      {&changeUserNameButton_, "BitBtnNomeCognome", "Achternaam en Voornaam "},
                      {&openInstructionsDialogButton_, "BBistruz", "Instructies.pdf"},
                      {&openBookletButton_, "BBdispensa", "Boekje.pdf"}});
    changeUserNameButton_->setToolTip(gui::ToQt("Cambia Personalizzazione"));
    PutInColumns(grid,
                 {openSignatureMaintenanceWindowButton_, openPrimaryEditorButton_, openRepertoryEditorButton_,
                  openUpdateWindowButton_, openBackupWindowButton_},
                 {openOrbSettingsWindowButton_, openCalibrationWindowButton_, openLineWidthDialogButton_,
                  changeUserNameButton_, openInstructionsDialogButton_, openBookletButton_});

    // An empty box that hides itself when double-clicked, and two controls that
    // nothing makes visible.
    emptyBox_ = gui::MakeCombo(accessoryPage_, "Cbox1");
    emptyBox_->setMaxVisibleItems(25);
    emptyBox_->installEventFilter(this);
    grid->addWidget(emptyBox_, 6, 0);
    hiddenButton_ = gui::MakeButton(accessoryPage_, "Button2", "Button2");
    MakeTall({hiddenButton_});
    hiddenButton_->hide();
    hiddenList_ = gui::MakeList(accessoryPage_, "ListBox1");
    hiddenList_->hide();
    grid->setRowStretch(7, 1);
    ConnectCommands();
}

void MainWindow::ConnectCommands() {
    connect(changeUserNameButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ChangeUserName(); }));
    connect(openRecallDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenRecallDialog(); }));
    connect(openInputDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenInputDialog(); }));
    connect(openDeleteDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenDeleteDialog(); }));
    connect(openChangeDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenChangeDialog(); }));
    connect(openChartWindowButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenChartWindow(); }));
    connect(openBackupWindowButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenBackupWindow(); }));
    connect(openInstructionsDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenInstructionsDialog(); }));
    connect(openBookletButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenBooklet(); }));
    // The sheets and the windows of the remedy and accessory pages.
    const std::pair<QPushButton*, void (MainWindow::*)()> commands[] = {
        {showLandscapeSheetButton_, &MainWindow::ShowLandscapeSheet},
        {showSecondLandscapeSheetButton_, &MainWindow::ShowSecondLandscapeSheet},
        {showPortraitSheetButton_, &MainWindow::ShowPortraitSheet},
        {showSecondPortraitSheetButton_, &MainWindow::ShowSecondPortraitSheet},
        {openTherapyBrowserButton_, &MainWindow::OpenTherapyBrowser},
        {openPlantSymptomsWindowButton_, &MainWindow::OpenPlantSymptomsWindow},
        {openSymptomPlantsWindowButton_, &MainWindow::OpenSymptomPlantsWindow},
        {openSignatureMaintenanceWindowButton_, &MainWindow::OpenSignatureMaintenanceWindow},
        {openPrimaryEditorButton_, &MainWindow::OpenPrimaryEditor},
        {openRepertoryEditorButton_, &MainWindow::OpenRepertoryEditor},
        {openSignatureSearchWindowButton_, &MainWindow::OpenSignatureSearchWindow},
        {openCompositionWindowButton_, &MainWindow::OpenCompositionWindow},
        {openPrinciplesWindowButton_, &MainWindow::OpenPrinciplesWindow},
        {openDebilityWindowButton_, &MainWindow::OpenDebilityWindow},
        {openSynthesisWindowButton_, &MainWindow::OpenSynthesisWindow},
        {openOrbSettingsWindowButton_, &MainWindow::OpenOrbSettingsWindow},
        {openCalibrationWindowButton_, &MainWindow::OpenCalibrationWindow},
        {openLineWidthDialogButton_, &MainWindow::OpenLineWidthDialog},
        {openSearchUtilityButton_, &MainWindow::OpenSearchUtility},
        {openUpdateWindowButton_, &MainWindow::OpenUpdateWindow},
    };
    for (const auto& [button, handler] : commands)
        connect(button, &QPushButton::clicked, this,
                gui::Guarded([this, handler = handler](auto&&...) { (this->*handler)(); }));
    connect(openSymptomBrowserButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenSymptomBrowser(); }));
    connect(openRemedyBrowserButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenRemedyBrowser(); }));
    connect(openMultiSymptomSearchButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenMultiSymptomSearch(); }));
    connect(openCompoundTherapySearchButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenCompoundTherapySearch(); }));
}

void MainWindow::BuildBottomPanel() {
    bottomPanel_ = gui::MakePanel(this, "Panel9");
    bottomPanel_->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bottomPanel_);

    row->addWidget(gui::MakeLabel(bottomPanel_, "LabelNodo", "Maanknoop"));
    nodeTypeBox_ = gui::MakeCombo(bottomPanel_, "ComboNodo");
    nodeTypeBox_->setEditable(true);
    nodeTypeBox_->addItems({"VERO", "MEDIO"});
    row->addWidget(nodeTypeBox_);

    row->addWidget(gui::MakeLabel(bottomPanel_, "LabelOrb", "Baan Aspecten"));
    orbSetBox_ = gui::MakeCombo(bottomPanel_, "ComboOrb");
    orbSetBox_->setEditable(true);
    orbSetBox_->addItems({"A (normali)", "B (personali)", "C (personali)"});
    row->addWidget(orbSetBox_);

    lockButton_ = gui::MakeButton(bottomPanel_, "BBlk", "");
    lockButton_->setToolTip(gui::ToQt("Sblocca/Blocca"));
    lockButton_->setIcon(gui::LockIcon(false));
    lockButton_->setProperty("glyph", "LockOpen");
    row->addWidget(lockButton_);
    connect(lockButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ToggleBoxesLock(); }));

    openPrinterModelDialogButton_ = gui::MakeButton(bottomPanel_, "SBtipoStamp", "");
    openPrinterModelDialogButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    row->addWidget(openPrinterModelDialogButton_);
    printerModelLabels_ = {gui::MakeLabel(bottomPanel_, "Label34", "Printermodel"),
                           gui::MakeLabel(bottomPanel_, "Label35", "")};
    for (QLabel* label : printerModelLabels_) {
        row->addWidget(label);
        label->installEventFilter(this);
    }
    connect(openPrinterModelDialogButton_, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenPrinterModelDialog(); }));

    // The boxes report what the user chooses or types, not what the program sets.
    connect(orbSetBox_, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ChooseOrbSet(); }));
    connect(orbSetBox_->lineEdit(), &QLineEdit::textEdited, this, gui::Guarded([this](auto&&...) { ChooseOrbSet(); }));
    connect(nodeTypeBox_, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ChooseNodeType(); }));
    connect(nodeTypeBox_->lineEdit(), &QLineEdit::textEdited, this,
            gui::Guarded([this](auto&&...) { ChooseNodeType(); }));
    nodeTypeBox_->lineEdit()->installEventFilter(this);

    openPersonTextButton_ = gui::MakeButton(bottomPanel_, "BBApriTesto", "Apri Testo");
    MakeTall({openPrinterModelDialogButton_, openPersonTextButton_});
    openPersonTextButton_->hide();
    row->addWidget(openPersonTextButton_);
    connect(openPersonTextButton_, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenPersonText(); }));
    row->addStretch(1);

    exitImage_ = gui::MakeLabel(bottomPanel_, "Image9", "");
    exitImage_->setToolTip(gui::ToQt("Chiudi il Programma"));
    exitImage_->setMinimumSize(48, 28);
    exitImage_->setAlignment(Qt::AlignCenter);
    exitImage_->installEventFilter(this);
    LoadExitImage("FineProg.bmp");
    row->addWidget(exitImage_);
}

void MainWindow::LoadExitImage(const char* file) {
    QPixmap pm;
    if (rt::PathExists(file)) pm.load(QString::fromStdString(rt::ResolvePath(file).string()));
    if (!pm.isNull()) {
        exitImage_->setPixmap(pm);
    } else {
        // Without the picture the control shows its purpose as text.
        exitImage_->setText(gui::ToQt("Fine"));
        exitImage_->setFrameShape(QFrame::Box);
    }
    exitImage_->setProperty("picture", file);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exitImage_) {
        if (event->type() == QEvent::MouseButtonPress) {
            gui::Guard([this] { ShowExitPressed(); });
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            gui::Guard([this] { ExitProgram(); });
            return true;
        }
    } else if (personMemo_ && watched == personMemo_->viewport() && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { ShowAnnotations(); });
    } else if (annotationsMemo_ && watched == annotationsMemo_->viewport() &&
               event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { HideAnnotations(); });
    } else if ((watched == printerModelLabels_[0] || watched == printerModelLabels_[1]) &&
               event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { OpenPrinterModelDialog(); });
        return true;
    } else if (nodeTypeBox_ && watched == nodeTypeBox_->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        if (nodeTypeBox_->isEnabled()) gui::Guard([this] { ToggleNodeType(); });
        return true;
    } else if (event->type() == QEvent::Hide && !refreshing_ && !closing_ && watched &&
               (watched == chartWindow_ || watched == sheetViewer_)) {
        // Back from the chart window or the sheet viewer.
        gui::Guard([this] { Refresh(); });
    } else if (watched == emptyBox_ && event->type() == QEvent::MouseButtonDblClick) {
        gui::Guard([this] { HideEmptyBox(); });
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

// One step of the refresh. A file it cannot read is named (once as long as
// the file stays as it is: the refresh runs again after every dialog) and
// the refresh goes on with its next step.
void RefreshStep(const std::function<void()>& step) {
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

void MainWindow::Refresh() {
    // Hiding the full-screen windows below is no return from them.
    refreshing_ = true;
    struct EndRefresh {
        bool& flag;
        ~EndRefresh() { flag = false; }
    } end{refreshing_};
    // A legacy backup folder on line 6 of the drawing settings.
    RefreshStep([] { archive::ReplaceLegacyBackupLine(); });
    // The personal archive on first use.
    RefreshStep([] { EnsurePersonalArchive(); });
    // Placement of the dialogs near this window.
    frame_.width = frameGeometry().width();
    frame_.height = frameGeometry().height();
    ResetViewFlags(chartWindow_);
    // The user's name.
    RefreshStep([this] {
        LoadUserName(userName_);
        changeUserNameButton_->setText(gui::ToQt(userName_.userFullName));
    });
    // The drawing settings (values read before, or the defaults, stand in
    // for a file that cannot be read).
    RefreshStep([this] {
        try {
            drawSettings_.LoadOrCreate();
        } catch (const rt::IoError& e) {
            drawSettings_.ReportUnreadable(e);
        }
    });
    display::ApplyDrawSettingsToDrawing(drawingState_, drawSettings_.Values());
    // The node box.
    nodeTypeBox_->setEditText(gui::ToQt(engine::NodeKindText(currentChart_.settings.node)));
    // The full-screen windows, hidden.
    SizeFullScreenWindows();
    // The current person, its chart computed from the correction and
    // exchange tables as they are now (one replaced or damaged since the last
    // look is read again).
    engine::ShippedEphemerisTables().Reload();
    engine::ShippedExchangeTables().Reload();
    RefreshStep([this] { ShowCurrentPerson(); });
    // The boxes start locked, and look it.
    ShowBoxesLocked(true);
    // The orb-set box from the set in force.
    if (const char* text = OrbBoxText(currentChart_.orbs.setLetter)) orbSetBox_->setEditText(text);
}

void MainWindow::SizeFullScreenWindows() {
    ScreenSize screen = CurrentScreenSize();
    if (chartWindow_) chartWindow_->CoverScreen(screen.width, screen.height);
    if (calibrationWindow_) SizeFullScreen(calibrationWindow_, screen);
    if (sheetViewer_) sheetViewer_->CoverScreen(screen.width, screen.height);
}

bool MainWindow::ShowCurrentPerson() {
    archive::CurrentPersonView view = archive::LoadCurrentPersonForShow(currentChart_);
    QStringList lines;
    for (const std::string& line : view.personLines) lines << gui::ToQt(line);
    personMemo_->setPlainText(lines.join('\n'));
    annotationsMemo_->setPlainText(gui::ToQt(view.annotationText));
    openPersonTextButton_->setVisible(view.textFileExists);
    return !view.empty;
}

void MainWindow::RememberOrigin() { archive::RememberMainOrigin(this, frame_); }

void MainWindow::ChangeUserName() {
    RememberOrigin();
    archive::PlaceNearMain(userNameDialog_, 10, frame_);
    gui::ShowModal(userNameDialog_);
    changeUserNameButton_->setText(gui::ToQt(userName_.userGivenName + " " + userName_.userSurname));
    Refresh();
}

// The archive dialogs: shown modally near this window; afterwards this window
// is refreshed, which reloads the current person.
void MainWindow::OpenRecallDialog() {
    RememberOrigin();
    archive::PlaceNearMain(recallDialog_, 0, frame_);
    gui::ShowModal(recallDialog_);
    Refresh();
}

void MainWindow::OpenInputDialog() {
    RememberOrigin();
    archive::PlaceNearMain(inputDialog_, 10, frame_);
    gui::ShowModal(inputDialog_);
    AfterModal();
}

void MainWindow::OpenDeleteDialog() {
    RememberOrigin();
    archive::PlaceNearMain(deleteDialog_, 10, frame_);
    gui::ShowModal(deleteDialog_);
    Refresh();
}

void MainWindow::OpenChangeDialog() {
    RememberOrigin();
    archive::PlaceNearMain(changeDialog_, 10, frame_);
    gui::ShowModal(changeDialog_);
    Refresh();
}

void MainWindow::OpenChartWindow() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (!ShowCurrentPerson()) {
        gui::ShowMessage(kNoCurrentPersonMessage);
        return;
    }
    if (!chartWindow_) {
        windows_.Create(chartWindow_, wheelGeometry_, currentChart_, drawingState_);
    }
    display::OpenChartWindow(*chartWindow_);
    WatchModeless(chartWindow_);
}

void MainWindow::OpenBackupWindow() {
    RememberOrigin();
    ShowOnDemand<archive::BackupWindow>(
        backupWindow_, [this](archive::BackupWindow* w) { archive::PlaceNearMain(w, 10, frame_); }, &drawSettings_);
    Refresh();
}

// The remedy browsers and searches opened on demand: a new window at every
// click, shown modally and released when it closes.
void MainWindow::OpenSymptomBrowser() {
    RememberOrigin();
    ShowOwnedOnDemand<remedies::SymptomBrowser>(remedyWindows_.symptomBrowserPages);
    Refresh();
}

void MainWindow::OpenRemedyBrowser() {
    RememberOrigin();
    ShowOwnedOnDemand<remedies::RemedyBrowser>(remedyWindows_.remedyBrowserPages);
    Refresh();
}

void MainWindow::OpenMultiSymptomSearch() {
    ShowOwnedOnDemand<remedies::MultiSymptomSearch>(remedyWindows_.multiSymptomSearchState);
    Refresh();
}

void MainWindow::OpenCompoundTherapySearch() {
    ShowOwnedOnDemand<remedies::CompoundTherapySearch>(remedyWindows_.compoundTherapySearchState);
    Refresh();
}

// The current person's text, named by "FileDum\StrText.dum", in the program's
// own rich-text editor (which opens the file named in "FileDum\DatModif.dum").
void MainWindow::OpenPersonText() {
    std::vector<std::string> lines = rt::ReadTextLines(archive::kTextHandOff);
    lines.resize(2);
    std::string path = archive::PersonTextFileName(lines[0], lines[1]);
    rt::WriteTextLines(archive::kEditFileHandOff, {path});
    if (richTextWindow_) richTextWindow_->ShowForHandOff();
    Refresh();
}

void MainWindow::OpenInstructionsDialog() {
    RememberOrigin();
    archive::PlaceNearMain(instructionsDialog_, 10, frame_);
    gui::ShowModal(instructionsDialog_);
    Refresh();
}

void MainWindow::OpenBooklet() { OpenProgramDocument(kBookletDocument); }

void MainWindow::ToggleBoxesLock() { ShowBoxesLocked(orbSetBox_->isEnabled()); }

void MainWindow::ShowBoxesLocked(bool locked) {
    orbSetBox_->setEnabled(!locked);
    nodeTypeBox_->setEnabled(!locked);
    const QColor background = locked ? QColor(128, 128, 128) : QColor(0, 255, 255);
    const QColor text = locked ? QColor(Qt::white) : QColor(Qt::black);
    SetBoxColours(orbSetBox_, background, text);
    SetBoxColours(nodeTypeBox_, background, text);
    lockButton_->setIcon(gui::LockIcon(locked));
    lockButton_->setProperty("glyph", locked ? "LockShut" : "LockOpen");
}

void MainWindow::ShowAnnotations() { annotationsMemo_->show(); }

void MainWindow::HideAnnotations() { annotationsMemo_->hide(); }

void MainWindow::HideEmptyBox() { emptyBox_->hide(); }

void MainWindow::ShowExitPressed() { LoadExitImage("FineProgClic.bmp"); }

void MainWindow::ExitProgram() {
    LoadExitImage("FineProg.bmp");
    close();
}

void MainWindow::AfterModal() {
    if (idleInstalled_)
        ApplyBoxChangesWhenIdle();
    else
        gui::ClearIdleHandler();
    Refresh();
}

void MainWindow::ShowNear(QDialog* window, int offset) {
    RememberOrigin();
    archive::PlaceNearMain(window, offset, frame_);
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
// "Horizontaal 2"), the sheet and its orientation, then the sheet viewer,
// which draws the sheet by itself.
void MainWindow::ShowSheet(int sheetCode, const char* orientation, bool receptions) {
    if (!ShowCurrentPerson()) {
        gui::ShowMessage(kNoCurrentPersonMessage);
        return;
    }
    if (receptions) currentChart_.chart.receptions = engine::ComputeReceptions(currentChart_.chart);
    sheetSelection_.sheetCode = sheetCode;
    display::SetDefaultWheelRadii(wheelGeometry_);
    sheetSelection_.sheetOrientation = orientation;
    if (!sheetViewer_) return;
    WatchModeless(sheetViewer_);
    gui::ShowInFront(sheetViewer_);
}

void MainWindow::ShowLandscapeSheet() { ShowSheet(16, "L", true); }
void MainWindow::ShowSecondLandscapeSheet() { ShowSheet(17, "L", false); }
void MainWindow::ShowPortraitSheet() { ShowSheet(5, "P", true); }
void MainWindow::ShowSecondPortraitSheet() { ShowSheet(18, "P", true); }

void MainWindow::OpenTherapyBrowser() { ShowRemembered(remedyWindows_.therapyBrowser.get()); }
void MainWindow::OpenPlantSymptomsWindow() { ShowPlain(remedyWindows_.plantSymptomsWindow.get()); }
void MainWindow::OpenSymptomPlantsWindow() { ShowPlain(remedyWindows_.symptomPlantsWindow.get()); }
void MainWindow::OpenSignatureMaintenanceWindow() { ShowPlain(remedyWindows_.signatureMaintenanceWindow.get()); }
void MainWindow::OpenPrimaryEditor() { ShowPlain(remedyWindows_.primaryEditor.get()); }
void MainWindow::OpenRepertoryEditor() { ShowPlain(remedyWindows_.repertoryEditor.get()); }
void MainWindow::OpenSignatureSearchWindow() { ShowRemembered(remedyWindows_.signatureSearchWindow.get()); }
void MainWindow::OpenCompositionWindow() { ShowPlain(remedyWindows_.compositionWindow.get()); }
void MainWindow::OpenPrinciplesWindow() { ShowPlain(remedyWindows_.principlesWindow.get()); }
void MainWindow::OpenDebilityWindow() { ShowPlain(remedyWindows_.debilityWindow.get()); }
void MainWindow::OpenSynthesisWindow() { ShowPlain(remedyWindows_.synthesisWindow.get()); }
void MainWindow::OpenOrbSettingsWindow() { ShowNear(orbSettingsWindow_, 10); }

void MainWindow::OpenCalibrationWindow() {
    sheetSelection_.sheetCode = 0;
    ShowPlain(calibrationWindow_);
}

void MainWindow::OpenLineWidthDialog() { ShowNear(lineWidthDialog_, 10); }
void MainWindow::OpenPrinterModelDialog() { ShowNear(printerModelDialog_, 10); }
void MainWindow::OpenSearchUtility() { ShowNear(remedyWindows_.searchUtility.get(), 10); }
void MainWindow::OpenUpdateWindow() { ShowNear(remedyWindows_.updateWindow.get(), 10); }

void MainWindow::ApplyBoxChangesWhenIdle() {
    idleInstalled_ = true;
    gui::SetIdleHandler([this] { ApplyBoxChanges(); });
}

void MainWindow::ChooseOrbSet() {
    if (sayingRefusal_) return;
    // The set in force until the change is applied.
    if (!orbSetChanged_) orbSetInForce_ = currentChart_.orbs.setLetter;
    orbSetChanged_ = true;
    const std::string text = gui::FromQt(orbSetBox_->currentText());
    for (const char* letter : {"A", "B", "C"})
        if (text == OrbBoxText(letter)) currentChart_.orbs.setLetter = letter;
    ApplyBoxChangesWhenIdle();
}

void MainWindow::ChooseNodeType() {
    if (sayingRefusal_) return;
    if (!nodeTypeChanged_) nodeTypeInForce_ = engine::NodeKindText(currentChart_.settings.node);
    nodeTypeChanged_ = true;
    currentChart_.settings.node = engine::ParseNodeKind(rt::CutTo(gui::FromQt(nodeTypeBox_->currentText()), 5));
    ApplyBoxChangesWhenIdle();
}

void MainWindow::ToggleNodeType() {
    if (!nodeTypeChanged_) nodeTypeInForce_ = engine::NodeKindText(currentChart_.settings.node);
    nodeTypeChanged_ = true;
    currentChart_.settings.node =
        engine::ParseNodeKind(engine::NodeKindText(currentChart_.settings.node) != "VERO" ? "VERO" : "MEDIO");
    nodeTypeBox_->setEditText(gui::ToQt(engine::NodeKindText(currentChart_.settings.node)));
    ApplyBoxChangesWhenIdle();
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
void MainWindow::ApplyBoxChanges() {
    if (nodeTypeChanged_) {
        nodeTypeChanged_ = false;
        const QString text = nodeTypeBox_->currentText();
        if (text != "MEDIO" && text != "VERO") {
            nodeTypeBox_->setEditText("MEDIO");
            currentChart_.settings.node = engine::ParseNodeKind("MEDIO");
        }
        try {
            engine::SetEngineSettingsLine(currentChart_.settings, currentChart_.orbs, 18,
                                          engine::NodeKindText(currentChart_.settings.node), ShowSettingsMessage);
        } catch (const rt::IoError& e) {
            currentChart_.settings.node = engine::ParseNodeKind(nodeTypeInForce_);
            nodeTypeBox_->setEditText(gui::ToQt(nodeTypeInForce_));
            SayChangeRefused(e);
            return;
        }
    }
    if (orbSetChanged_) {
        orbSetChanged_ = false;
        const std::string text = gui::FromQt(orbSetBox_->currentText());
        if (text != OrbBoxText("A") && text != OrbBoxText("B") && text != OrbBoxText("C")) {
            orbSetBox_->setEditText(OrbBoxText("A"));
            currentChart_.orbs.setLetter = "A";
        }
        bool applied = false;
        try {
            applied = engine::ApplyOrbSet(currentChart_.settings, currentChart_.orbs, currentChart_.orbs.setLetter,
                                          ShowSettingsMessage);
        } catch (const rt::IoError& e) {
            currentChart_.orbs.setLetter = orbSetInForce_;
            if (const char* shown = OrbBoxText(orbSetInForce_)) orbSetBox_->setEditText(shown);
            SayChangeRefused(e);
            return;
        }
        if (!applied) {
            gui::ShowMessage(engine::kMissingOrbSetsMessage);
            // The set in force stays, and the box shows it.
            engine::LoadEngineSettings(currentChart_.settings, currentChart_.orbs, ShowSettingsMessage);
        }
        if (const char* shown = OrbBoxText(currentChart_.orbs.setLetter)) orbSetBox_->setEditText(shown);
    }
}

}  // namespace shell
