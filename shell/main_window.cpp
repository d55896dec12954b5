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

#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "archive/form_helpers.h"
#include "display/chart/chart_window.h"
#include "engine/chart.h"
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
#include "archive/store_dialog.h"
#include "display/draw/metafile_viewer.h"
#include "display/chart/open_chart_window.h"
#include "shell/forms.h"
#include "platform/gui/idle.h"
#include "platform/gui/lock_glyph.h"
#include "platform/runtime/text_file.h"
#include "shell/print_parent.h"
#include "shell/rich_text_window.h"
#include "shell/rich_text_window_styled.h"
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
#include "engine/ephemeris_tables.h"
#include "engine/orb_set_choice.h"
#include "engine/receptions.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/fixed_string.h"
#include "remedies/windows/compound_therapy_search.h"
#include "remedies/windows/multi_symptom_search.h"
#include "remedies/windows/remedy_browser.h"
#include "remedies/windows/symptom_browser.h"

namespace shell {

namespace {

// A damaged engine settings or orb sets file is told in a message box.
void ShowEngineSettingsMessage(const std::string& message) { gui::ShowMessage(message); }

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
      windows(windows),
      currentChart(state.currentChart),
      drawingState(state.drawing),
      drawSettings(state.drawSettings),
      userName(state.userName),
      sheetSelection(state.sheetSelection),
      wheelGeometry(state.wheelGeometry),
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

    pageTabs = new QTabWidget(this);
    pageTabs->setObjectName("PageControl1");
    astrologyPage = gui::MakeArea(pageTabs, "TabSheet1");
    remediesPage = gui::MakeArea(pageTabs, "TabSheet2");
    accessoryPage = gui::MakeArea(pageTabs, "TabSheet5");
    pageTabs->addTab(astrologyPage, gui::ToQt("Astrologische Functies"));
    pageTabs->addTab(remediesPage, gui::ToQt("Raadpleging Remedies"));
    pageTabs->addTab(accessoryPage, gui::ToQt("Accessoire Functies"));
    layout->addWidget(pageTabs);

    BuildAstrologyPage();
    BuildRemediesPage();
    BuildAccessoryPage();
    BuildBottomPanel();
    layout->addWidget(bottomPanel);

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
    windows.Create(userNameDialog, userName);
    windows.Create(recallDialog, currentChart);
    windows.Create(sheetViewer, currentChart, sheetSelection, drawingState,
                   display::SheetViewerCollaborators{
                       .drawSettings = &drawSettings,
                       // The printable sheets print the user's name beside their caption.
                       .userFullName = [&name = userName] { return name.UserFullName; },
                       .printer = std::move(options_.sheetPrinter),
                       .metafileViewer = [this] { return metafileViewer; },
                   });
    windows.Create(metafileViewer, drawingState);
    windows.Create(printParentWindow);
    windows.Create(orbSettingsWindow, currentChart, drawingState);
    windows.Create(inputDialog, currentChart,
                   archive::InputDialogCollaborators{.mainFrame = &frame,
                                                     .drawSettings = &drawSettings,
                                                     .storeDialog = [this] { return storeDialog; }});
    windows.Create(storeDialog, currentChart);
    windows.Create(deleteDialog, currentChart);
    windows.Create(styledRichTextWindow, options_.commandLineFile);
    windows.Create(calibrationWindow, currentChart, drawSettings, sheetSelection, drawingState);
    windows.Create(lineWidthDialog, drawSettings, drawingState);
    windows.Create(printerModelDialog, drawSettings, drawingState);
    windows.Create(remedyWindows.therapyBrowser, remedyWindows.therapyBrowserPages);
    windows.Create(remedyWindows.symptomPlantsWindow);
    windows.Create(remedyWindows.plantSymptomsWindow);
    windows.Create(changeDialog, currentChart);
    windows.Create(remedyWindows.signatureMaintenanceWindow);
    windows.Create(remedyWindows.primaryEditor);
    windows.Create(remedyWindows.repertoryEditor);
    windows.Create(remedyWindows.updateWindow);
    windows.Create(richTextWindow, options_.commandLineFile);
    windows.Create(remedyWindows.signatureSearchWindow);
    windows.Create(remedyWindows.searchUtility);
    windows.Create(remedyWindows.principlesWindow);
    windows.Create(remedyWindows.compositionWindow);
    windows.Create(remedyWindows.debilityWindow);
    windows.Create(remedyWindows.synthesisWindow);
    windows.Create(chartWindow, wheelGeometry, currentChart, drawingState);
    windows.Create(instructionsDialog);
    // The store and change dialogs show the person's text in the editor.
    const auto showPersonText = [this] {
        if (richTextWindow) richTextWindow->ShowForHandOff();
    };
    connect(storeDialog, &archive::StoreDialog::PersonTextRequested, this, showPersonText);
    connect(changeDialog, &archive::ChangeDialog::PersonTextRequested, this, showPersonText);
    // The orb settings window shows the set it makes current in this window's box.
    connect(orbSettingsWindow, &OrbSettingsWindow::OrbSetChosen, this,
            [this](const QString& text) { orbSetBox->setEditText(text); });
}

void MainWindow::BuildAstrologyPage() {
    auto* grid = new QGridLayout(astrologyPage);
    gui::MakeButtons(astrologyPage,
                     {{&openRecallDialogButton, "BitBtnDati", "Roep nieuwe naam op"},
                      {&openInputDialogButton, "BitBtnInputA", "Geboortegegevens"},
                      {&openDeleteDialogButton, "BitBtnCancel", "Geboortegegevens Vervijderen"},
                      {&openChangeDialogButton, "BitBtn1", "Bewerk / Maak Text"},
                      {&openChartWindowButton, "BBProped", "Interactief voorbereidend model"}});
    int row = 0;
    for (QPushButton* b : {openRecallDialogButton, openInputDialogButton, openDeleteDialogButton,
                           openChangeDialogButton, openChartWindowButton})
        grid->addWidget(b, row++, 0);

    currentPersonLabel = gui::MakeLabel(astrologyPage, "Label1", "Momenteel geselecteerde Naam");
    grid->addWidget(currentPersonLabel, 0, 1);

    // The data memo and, over it in the same cell, the hidden annotations memo.
    personMemo = gui::MakeMemo(astrologyPage, "MemoDati", true);
    personMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    personMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    personMemo->setFont(QFont("Courier New", 9));
    {
        QPalette pal = personMemo->palette();
        pal.setColor(QPalette::Base, QColor(0, 128, 128));
        pal.setColor(QPalette::Text, Qt::white);
        personMemo->setPalette(pal);
    }
    personMemo->setPlainText(QString(6, QChar('\n')));
    personMemo->viewport()->installEventFilter(this);
    annotationsMemo = gui::MakeMemo(astrologyPage, "MemoAnnotaz", true);
    annotationsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    {
        QPalette pal = annotationsMemo->palette();
        pal.setColor(QPalette::Base, QColor(192, 192, 192));
        pal.setColor(QPalette::Text, Qt::black);
        annotationsMemo->setPalette(pal);
    }
    annotationsMemo->hide();
    annotationsMemo->viewport()->installEventFilter(this);
    grid->addWidget(personMemo, 1, 1, 4, 1);
    grid->addWidget(annotationsMemo, 1, 1, 4, 1);

    sheetsPanel = gui::MakePanel(astrologyPage, "Panel3");
    sheetsPanel->setFrameShape(QFrame::StyledPanel);
    auto* sheets = new QGridLayout(sheetsPanel);
    sheets->addWidget(gui::MakeLabel(sheetsPanel, "Label3", "Samenvattend afdrukbare grafieken"), 0, 0, 1, 2);
    gui::MakeButtons(sheetsPanel,
                     {{&showLandscapeSheetButton, "BBOriz", "Horizontaal 1 "},
                      {&showSecondLandscapeSheetButton, "BBoriz2", "Horizontaal 2"},
                      {&showPortraitSheetButton, "BBVert", "Verticaal 1"},
                      {&showSecondPortraitSheetButton, "BBvert2", "Verticaal 2"}});
    MakeTall({openRecallDialogButton, openInputDialogButton, openDeleteDialogButton, openChangeDialogButton,
              openChartWindowButton, showLandscapeSheetButton, showSecondLandscapeSheetButton, showPortraitSheetButton,
              showSecondPortraitSheetButton});
    showSecondLandscapeSheetButton->setEnabled(false);
    showSecondPortraitSheetButton->setEnabled(false);
    sheets->addWidget(showLandscapeSheetButton, 1, 0);
    sheets->addWidget(showSecondLandscapeSheetButton, 1, 1);
    sheets->addWidget(showPortraitSheetButton, 2, 0);
    sheets->addWidget(showSecondPortraitSheetButton, 2, 1);
    sheetsPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    grid->addWidget(sheetsPanel, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void MainWindow::BuildRemediesPage() {
    auto* grid = new QGridLayout(remediesPage);
    gui::MakeButtons(remediesPage,
                     {{&openSymptomBrowserButton, "BBSintomi", "Symptomen"},
                      {&openRemedyBrowserButton, "BitBtn2", "Remedies"},
                      {&openTherapyBrowserButton, "BitBtn3", "Therapie\xEBn"},
                      {&openPlantSymptomsWindowButton, "Bquor1", "Quorim-1"},
                      {&openSymptomPlantsWindowButton, "Bquor2", "Quorim-2"},
                      {&openSignatureSearchWindowButton, "BitBtn5", "Astrologische Signatuur / S"},
                      {&openCompositionWindowButton, "BitBtn7", "Planten en Actieve Principes"},
                      {&openPrinciplesWindowButton, "BitBtn8", ""},
                      {&openDebilityWindowButton, "BitBtn6", "Astrologische Verzwakking"},
                      {&openSynthesisWindowButton, "BitBtn9", "Psychische Synthese"},
                      {&openMultiSymptomSearchButton, "BBriceCompo", "Sintomi Multipli"},
                      {&openCompoundTherapySearchButton, "BitBtn10", "Terapie Composite"},
                      {&openSearchUtilityButton, "BButility", "Utility Ricerca"}});
    // A picture button without a caption: its glyph and hint name the window it opens.
    openPrinciplesWindowButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    openPrinciplesWindowButton->setToolTip("PRINCIPI CURATIVI");
    PutInColumns(grid,
                 {openSymptomBrowserButton, openRemedyBrowserButton, openTherapyBrowserButton,
                  openPlantSymptomsWindowButton, openSymptomPlantsWindowButton, openMultiSymptomSearchButton,
                  openCompoundTherapySearchButton},
                 {openSignatureSearchWindowButton, openCompositionWindowButton, openPrinciplesWindowButton,
                  openDebilityWindowButton, openSynthesisWindowButton, openSearchUtilityButton});
    grid->setRowStretch(7, 1);
}

void MainWindow::BuildAccessoryPage() {
    auto* grid = new QGridLayout(accessoryPage);
    gui::MakeButtons(accessoryPage,
                     {{&openSignatureMaintenanceWindowButton, "Button1", "Manutenzione"},
                      {&openPrimaryEditorButton, "BitBtn4", "Primaire Database"},
                      {&openRepertoryEditorButton, "BBaggRep", "Therapie\xEBn Database"},
                      {&openUpdateWindowButton, "EdAggiorna", "Updates"},
                      {&openOrbSettingsWindowButton, "BitBtnVarOrbAsp", "Variatie Baan Aspecten"},
                      {&openCalibrationWindowButton, "BBCerchio", "Rondheid van Cirkles en Schermgroote"},
                      {&openLineWidthDialogButton, "BitBtn22", "Lijndikte"},
                      {&openBackupWindowButton, "BBSalva", "Backup / Herstel van Geboortegegeven en Teksten"},
                      {&changeUserNameButton, "BitBtnNomeCognome", "Achternaam en Voornaam "},
                      {&openInstructionsDialogButton, "BBistruz", "Instructies.pdf"},
                      {&openBookletButton, "BBdispensa", "Boekje.pdf"}});
    changeUserNameButton->setToolTip(gui::ToQt("Cambia Personalizzazione"));
    PutInColumns(grid,
                 {openSignatureMaintenanceWindowButton, openPrimaryEditorButton, openRepertoryEditorButton,
                  openUpdateWindowButton, openBackupWindowButton},
                 {openOrbSettingsWindowButton, openCalibrationWindowButton, openLineWidthDialogButton,
                  changeUserNameButton, openInstructionsDialogButton, openBookletButton});

    // An empty box that hides itself when double-clicked, and two controls that
    // nothing makes visible.
    emptyBox = gui::MakeCombo(accessoryPage, "Cbox1");
    emptyBox->setMaxVisibleItems(25);
    emptyBox->installEventFilter(this);
    grid->addWidget(emptyBox, 6, 0);
    hiddenButton = gui::MakeButton(accessoryPage, "Button2", "Button2");
    MakeTall({hiddenButton});
    hiddenButton->hide();
    hiddenList = gui::MakeList(accessoryPage, "ListBox1");
    hiddenList->hide();
    grid->setRowStretch(7, 1);
    ConnectCommands();
}

void MainWindow::ConnectCommands() {
    connect(changeUserNameButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ChangeUserName(); }));
    connect(openRecallDialogButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenRecallDialog(); }));
    connect(openInputDialogButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenInputDialog(); }));
    connect(openDeleteDialogButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenDeleteDialog(); }));
    connect(openChangeDialogButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenChangeDialog(); }));
    connect(openChartWindowButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenChartWindow(); }));
    connect(openBackupWindowButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenBackupWindow(); }));
    connect(openInstructionsDialogButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenInstructionsDialog(); }));
    connect(openBookletButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenBooklet(); }));
    // The sheets and the windows of the remedy and accessory pages.
    const std::pair<QPushButton*, void (MainWindow::*)()> commands[] = {
        {showLandscapeSheetButton, &MainWindow::ShowLandscapeSheet},
        {showSecondLandscapeSheetButton, &MainWindow::ShowSecondLandscapeSheet},
        {showPortraitSheetButton, &MainWindow::ShowPortraitSheet},
        {showSecondPortraitSheetButton, &MainWindow::ShowSecondPortraitSheet},
        {openTherapyBrowserButton, &MainWindow::OpenTherapyBrowser},
        {openPlantSymptomsWindowButton, &MainWindow::OpenPlantSymptomsWindow},
        {openSymptomPlantsWindowButton, &MainWindow::OpenSymptomPlantsWindow},
        {openSignatureMaintenanceWindowButton, &MainWindow::OpenSignatureMaintenanceWindow},
        {openPrimaryEditorButton, &MainWindow::OpenPrimaryEditor},
        {openRepertoryEditorButton, &MainWindow::OpenRepertoryEditor},
        {openSignatureSearchWindowButton, &MainWindow::OpenSignatureSearchWindow},
        {openCompositionWindowButton, &MainWindow::OpenCompositionWindow},
        {openPrinciplesWindowButton, &MainWindow::OpenPrinciplesWindow},
        {openDebilityWindowButton, &MainWindow::OpenDebilityWindow},
        {openSynthesisWindowButton, &MainWindow::OpenSynthesisWindow},
        {openOrbSettingsWindowButton, &MainWindow::OpenOrbSettingsWindow},
        {openCalibrationWindowButton, &MainWindow::OpenCalibrationWindow},
        {openLineWidthDialogButton, &MainWindow::OpenLineWidthDialog},
        {openSearchUtilityButton, &MainWindow::OpenSearchUtility},
        {openUpdateWindowButton, &MainWindow::OpenUpdateWindow},
    };
    for (const auto& [button, handler] : commands)
        connect(button, &QPushButton::clicked, this, gui::Guarded([this, handler = handler](auto&&...) { (this->*handler)(); }));
    connect(openSymptomBrowserButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenSymptomBrowser(); }));
    connect(openRemedyBrowserButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenRemedyBrowser(); }));
    connect(openMultiSymptomSearchButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenMultiSymptomSearch(); }));
    connect(openCompoundTherapySearchButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenCompoundTherapySearch(); }));
}

void MainWindow::BuildBottomPanel() {
    bottomPanel = gui::MakePanel(this, "Panel9");
    bottomPanel->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(bottomPanel);

    row->addWidget(gui::MakeLabel(bottomPanel, "LabelNodo", "Maanknoop"));
    nodeTypeBox = gui::MakeCombo(bottomPanel, "ComboNodo");
    nodeTypeBox->setEditable(true);
    nodeTypeBox->addItems({"VERO", "MEDIO"});
    row->addWidget(nodeTypeBox);

    row->addWidget(gui::MakeLabel(bottomPanel, "LabelOrb", "Baan Aspecten"));
    orbSetBox = gui::MakeCombo(bottomPanel, "ComboOrb");
    orbSetBox->setEditable(true);
    orbSetBox->addItems({"A (normali)", "B (personali)", "C (personali)"});
    row->addWidget(orbSetBox);

    lockButton = gui::MakeButton(bottomPanel, "BBlk", "");
    lockButton->setToolTip(gui::ToQt("Sblocca/Blocca"));
    lockButton->setIcon(gui::LockIcon(false));
    lockButton->setProperty("glyph", "LockOpen");
    row->addWidget(lockButton);
    connect(lockButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { ToggleBoxesLock(); }));

    openPrinterModelDialogButton = gui::MakeButton(bottomPanel, "SBtipoStamp", "");
    openPrinterModelDialogButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    row->addWidget(openPrinterModelDialogButton);
    printerModelLabels = {gui::MakeLabel(bottomPanel, "Label34", "Printermodel"),
                          gui::MakeLabel(bottomPanel, "Label35", "")};
    for (QLabel* label : printerModelLabels) {
        row->addWidget(label);
        label->installEventFilter(this);
    }
    connect(openPrinterModelDialogButton, &QPushButton::clicked, this,
            gui::Guarded([this](auto&&...) { OpenPrinterModelDialog(); }));

    // The boxes report what the user chooses or types, not what the program sets.
    connect(orbSetBox, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ChooseOrbSet(); }));
    connect(orbSetBox->lineEdit(), &QLineEdit::textEdited, this, gui::Guarded([this](auto&&...) { ChooseOrbSet(); }));
    connect(nodeTypeBox, &QComboBox::activated, this, gui::Guarded([this](auto&&...) { ChooseNodeType(); }));
    connect(nodeTypeBox->lineEdit(), &QLineEdit::textEdited, this,
            gui::Guarded([this](auto&&...) { ChooseNodeType(); }));
    nodeTypeBox->lineEdit()->installEventFilter(this);

    openPersonTextButton = gui::MakeButton(bottomPanel, "BBApriTesto", "Apri Testo");
    MakeTall({openPrinterModelDialogButton, openPersonTextButton});
    openPersonTextButton->hide();
    row->addWidget(openPersonTextButton);
    connect(openPersonTextButton, &QPushButton::clicked, this, gui::Guarded([this](auto&&...) { OpenPersonText(); }));
    row->addStretch(1);

    exitImage = gui::MakeLabel(bottomPanel, "Image9", "");
    exitImage->setToolTip(gui::ToQt("Chiudi il Programma"));
    exitImage->setMinimumSize(48, 28);
    exitImage->setAlignment(Qt::AlignCenter);
    exitImage->installEventFilter(this);
    LoadExitImage("FineProg.bmp");
    row->addWidget(exitImage);
}

void MainWindow::LoadExitImage(const char* file) {
    QPixmap pm;
    if (rt::PathExists(file)) pm.load(QString::fromStdString(rt::ResolvePath(file).string()));
    if (!pm.isNull()) {
        exitImage->setPixmap(pm);
    } else {
        // Without the picture the control shows its purpose as text.
        exitImage->setText(gui::ToQt("Fine"));
        exitImage->setFrameShape(QFrame::Box);
    }
    exitImage->setProperty("picture", file);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exitImage) {
        if (event->type() == QEvent::MouseButtonPress) {
            gui::Guard([this] { ShowExitPressed(); });
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            gui::Guard([this] { ExitProgram(); });
            return true;
        }
    } else if (personMemo && watched == personMemo->viewport() && event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { ShowAnnotations(); });
    } else if (annotationsMemo && watched == annotationsMemo->viewport() &&
               event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { HideAnnotations(); });
    } else if ((watched == printerModelLabels[0] || watched == printerModelLabels[1]) &&
               event->type() == QEvent::MouseButtonPress) {
        gui::Guard([this] { OpenPrinterModelDialog(); });
        return true;
    } else if (nodeTypeBox && watched == nodeTypeBox->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        if (nodeTypeBox->isEnabled()) gui::Guard([this] { ToggleNodeType(); });
        return true;
    } else if (event->type() == QEvent::Hide && !refreshing_ && !closing_ && watched &&
               (watched == chartWindow || watched == sheetViewer)) {
        // Back from the chart window or the sheet viewer.
        gui::Guard([this] { Refresh(); });
    } else if (watched == emptyBox && event->type() == QEvent::MouseButtonDblClick) {
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
    // 1. A legacy backup folder on line 6 of the drawing settings.
    RefreshStep([] { archive::ReplaceLegacyBackupLine(); });
    // 2. The personal archive on first use.
    RefreshStep([] { EnsurePersonalArchive(); });
    // 4. Placement of the dialogs near this window.
    frame.Width = frameGeometry().width();
    frame.Height = frameGeometry().height();
    ResetViewFlags(chartWindow);
    // 5. The user's name.
    RefreshStep([this] {
        LoadUserName(userName);
        changeUserNameButton->setText(gui::ToQt(userName.UserFullName));
    });
    // 6. The drawing settings (values read before, or the defaults, stand in
    // for a file that cannot be read).
    RefreshStep([this] {
        try {
            drawSettings.LoadOrCreate();
        } catch (const rt::IoError& e) {
            drawSettings.ReportUnreadable(e);
        }
    });
    display::ApplyDrawSettingsToDrawing(drawingState, drawSettings.Values());
    // 7. The node box.
    nodeTypeBox->setEditText(gui::ToQt(engine::NodeKindText(currentChart.settings.node)));
    // 8. The full-screen windows, hidden.
    SizeFullScreenWindows();
    // 9. The current person, its chart computed from the correction and
    // exchange tables as they are now (one replaced or damaged since the last
    // look is read again).
    engine::ShippedEphemerisTables().Reload();
    engine::ShippedExchangeTables().Reload();
    RefreshStep([this] { ShowCurrentPerson(); });
    // 10. The boxes start locked, and look it.
    ShowBoxesLocked(true);
    // 11. The orb-set box from the set in force.
    if (const char* text = OrbBoxText(currentChart.orbs.setLetter)) orbSetBox->setEditText(text);
}

void MainWindow::SizeFullScreenWindows() {
    ScreenSize screen = CurrentScreenSize();
    if (chartWindow) chartWindow->CoverScreen(screen.width, screen.height);
    if (calibrationWindow) SizeFullScreen(calibrationWindow, screen);
    if (sheetViewer) sheetViewer->CoverScreen(screen.width, screen.height);
}

bool MainWindow::ShowCurrentPerson() {
    archive::CurrentPersonView view = archive::LoadCurrentPersonForShow(currentChart);
    QStringList lines;
    for (const std::string& line : view.personLines) lines << gui::ToQt(line);
    personMemo->setPlainText(lines.join('\n'));
    annotationsMemo->setPlainText(gui::ToQt(view.annotationText));
    openPersonTextButton->setVisible(view.textFileExists);
    return !view.empty;
}

void MainWindow::RememberOrigin() {
    archive::RememberMainOrigin(this, frame);
}

void MainWindow::ChangeUserName() {
    RememberOrigin();
    archive::PlaceNearMain(userNameDialog, 10, frame);
    gui::ShowModal(userNameDialog);
    changeUserNameButton->setText(
        gui::ToQt(userName.UserGivenName + " " + userName.UserSurname));
    Refresh();
}

// The archive dialogs: shown modally near this window; afterwards this window
// is refreshed, which reloads the current person.
void MainWindow::OpenRecallDialog() {
    RememberOrigin();
    archive::PlaceNearMain(recallDialog, 0, frame);
    gui::ShowModal(recallDialog);
    Refresh();
}

void MainWindow::OpenInputDialog() {
    RememberOrigin();
    archive::PlaceNearMain(inputDialog, 10, frame);
    gui::ShowModal(inputDialog);
    AfterModal();
}

void MainWindow::OpenDeleteDialog() {
    RememberOrigin();
    archive::PlaceNearMain(deleteDialog, 10, frame);
    gui::ShowModal(deleteDialog);
    Refresh();
}

void MainWindow::OpenChangeDialog() {
    RememberOrigin();
    archive::PlaceNearMain(changeDialog, 10, frame);
    gui::ShowModal(changeDialog);
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
    if (!chartWindow) {
        windows.Create(chartWindow, wheelGeometry, currentChart, drawingState);
    }
    display::OpenChartWindow(*chartWindow);
    WatchModeless(chartWindow);
}

void MainWindow::OpenBackupWindow() {
    RememberOrigin();
    ShowOnDemand<archive::BackupWindow>(
        backupWindow, [this](archive::BackupWindow* w) { archive::PlaceNearMain(w, 10, frame); }, &drawSettings);
    Refresh();
}

// The remedy browsers and searches opened on demand: a new window at every
// click, shown modally and released when it closes.
void MainWindow::OpenSymptomBrowser() {
    RememberOrigin();
    ShowOwnedOnDemand<remedies::SymptomBrowser>(remedyWindows.symptomBrowserPages);
    Refresh();
}

void MainWindow::OpenRemedyBrowser() {
    RememberOrigin();
    ShowOwnedOnDemand<remedies::RemedyBrowser>(remedyWindows.remedyBrowserPages);
    Refresh();
}

void MainWindow::OpenMultiSymptomSearch() {
    ShowOwnedOnDemand<remedies::MultiSymptomSearch>(remedyWindows.multiSymptomSearchState);
    Refresh();
}

void MainWindow::OpenCompoundTherapySearch() {
    ShowOwnedOnDemand<remedies::CompoundTherapySearch>(remedyWindows.compoundTherapySearchState);
    Refresh();
}

// The current person's text, named by "FileDum\StrText.dum", in the program's
// own rich-text editor (which opens the file named in "FileDum\DatModif.dum").
void MainWindow::OpenPersonText() {
    std::vector<std::string> lines = rt::ReadTextLines(archive::kTextHandOff);
    lines.resize(2);
    std::string path = archive::PersonTextFileName(lines[0], lines[1]);
    rt::WriteTextLines(archive::kEditFileHandOff, {path});
    if (richTextWindow) richTextWindow->ShowForHandOff();
    Refresh();
}

void MainWindow::OpenInstructionsDialog() {
    RememberOrigin();
    archive::PlaceNearMain(instructionsDialog, 10, frame);
    gui::ShowModal(instructionsDialog);
    Refresh();
}

void MainWindow::OpenBooklet() { OpenProgramDocument(kBookletDocument); }

void MainWindow::ToggleBoxesLock() { ShowBoxesLocked(orbSetBox->isEnabled()); }

void MainWindow::ShowBoxesLocked(bool locked) {
    orbSetBox->setEnabled(!locked);
    nodeTypeBox->setEnabled(!locked);
    const QColor background = locked ? QColor(128, 128, 128) : QColor(0, 255, 255);
    const QColor text = locked ? QColor(Qt::white) : QColor(Qt::black);
    SetBoxColours(orbSetBox, background, text);
    SetBoxColours(nodeTypeBox, background, text);
    lockButton->setIcon(gui::LockIcon(locked));
    lockButton->setProperty("glyph", locked ? "LockShut" : "LockOpen");
}

void MainWindow::ShowAnnotations() { annotationsMemo->show(); }

void MainWindow::HideAnnotations() { annotationsMemo->hide(); }

void MainWindow::HideEmptyBox() { emptyBox->hide(); }

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
    archive::PlaceNearMain(window, offset, frame);
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
    if (receptions) currentChart.chart.receptions = engine::ComputeReceptions(currentChart.chart);
    sheetSelection.SheetCode = sheetCode;
    display::SetDefaultWheelRadii(wheelGeometry);
    sheetSelection.SheetOrientation = orientation;
    if (!sheetViewer) return;
    WatchModeless(sheetViewer);
    gui::ShowInFront(sheetViewer);
}

void MainWindow::ShowLandscapeSheet() { ShowSheet(16, "L", true); }
void MainWindow::ShowSecondLandscapeSheet() { ShowSheet(17, "L", false); }
void MainWindow::ShowPortraitSheet() { ShowSheet(5, "P", true); }
void MainWindow::ShowSecondPortraitSheet() { ShowSheet(18, "P", true); }

void MainWindow::OpenTherapyBrowser() { ShowRemembered(remedyWindows.therapyBrowser.get()); }
void MainWindow::OpenPlantSymptomsWindow() { ShowPlain(remedyWindows.plantSymptomsWindow.get()); }
void MainWindow::OpenSymptomPlantsWindow() { ShowPlain(remedyWindows.symptomPlantsWindow.get()); }
void MainWindow::OpenSignatureMaintenanceWindow() { ShowPlain(remedyWindows.signatureMaintenanceWindow.get()); }
void MainWindow::OpenPrimaryEditor() { ShowPlain(remedyWindows.primaryEditor.get()); }
void MainWindow::OpenRepertoryEditor() { ShowPlain(remedyWindows.repertoryEditor.get()); }
void MainWindow::OpenSignatureSearchWindow() { ShowRemembered(remedyWindows.signatureSearchWindow.get()); }
void MainWindow::OpenCompositionWindow() { ShowPlain(remedyWindows.compositionWindow.get()); }
void MainWindow::OpenPrinciplesWindow() { ShowPlain(remedyWindows.principlesWindow.get()); }
void MainWindow::OpenDebilityWindow() { ShowPlain(remedyWindows.debilityWindow.get()); }
void MainWindow::OpenSynthesisWindow() { ShowPlain(remedyWindows.synthesisWindow.get()); }
void MainWindow::OpenOrbSettingsWindow() { ShowNear(orbSettingsWindow, 10); }

void MainWindow::OpenCalibrationWindow() {
    sheetSelection.SheetCode = 0;
    ShowPlain(calibrationWindow);
}

void MainWindow::OpenLineWidthDialog() { ShowNear(lineWidthDialog, 10); }
void MainWindow::OpenPrinterModelDialog() { ShowNear(printerModelDialog, 10); }
void MainWindow::OpenSearchUtility() { ShowNear(remedyWindows.searchUtility.get(), 10); }
void MainWindow::OpenUpdateWindow() { ShowNear(remedyWindows.updateWindow.get(), 10); }

void MainWindow::ApplyBoxChangesWhenIdle() {
    idleInstalled_ = true;
    gui::SetIdleHandler([this] { ApplyBoxChanges(); });
}

void MainWindow::ChooseOrbSet() {
    if (sayingRefusal_) return;
    // The set in force until the change is applied.
    if (!OrbSetChanged) orbSetInForce_ = currentChart.orbs.setLetter;
    OrbSetChanged = true;
    const std::string text = gui::FromQt(orbSetBox->currentText());
    for (const char* letter : {"A", "B", "C"})
        if (text == OrbBoxText(letter)) currentChart.orbs.setLetter = letter;
    ApplyBoxChangesWhenIdle();
}

void MainWindow::ChooseNodeType() {
    if (sayingRefusal_) return;
    if (!NodeTypeChanged) nodeTypeInForce_ = engine::NodeKindText(currentChart.settings.node);
    NodeTypeChanged = true;
    currentChart.settings.node = engine::ParseNodeKind(rt::CutTo(gui::FromQt(nodeTypeBox->currentText()), 5));
    ApplyBoxChangesWhenIdle();
}

void MainWindow::ToggleNodeType() {
    if (!NodeTypeChanged) nodeTypeInForce_ = engine::NodeKindText(currentChart.settings.node);
    NodeTypeChanged = true;
    currentChart.settings.node = engine::ParseNodeKind(
        engine::NodeKindText(currentChart.settings.node) != "VERO" ? "VERO" : "MEDIO");
    nodeTypeBox->setEditText(gui::ToQt(engine::NodeKindText(currentChart.settings.node)));
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
    if (NodeTypeChanged) {
        NodeTypeChanged = false;
        const QString text = nodeTypeBox->currentText();
        if (text != "MEDIO" && text != "VERO") {
            nodeTypeBox->setEditText("MEDIO");
            currentChart.settings.node = engine::ParseNodeKind("MEDIO");
        }
        try {
            engine::SetEngineSettingsLine(currentChart.settings, currentChart.orbs, 18,
                                          engine::NodeKindText(currentChart.settings.node), ShowEngineSettingsMessage);
        } catch (const rt::IoError& e) {
            currentChart.settings.node = engine::ParseNodeKind(nodeTypeInForce_);
            nodeTypeBox->setEditText(gui::ToQt(nodeTypeInForce_));
            SayChangeRefused(e);
            return;
        }
    }
    if (OrbSetChanged) {
        OrbSetChanged = false;
        const std::string text = gui::FromQt(orbSetBox->currentText());
        if (text != OrbBoxText("A") && text != OrbBoxText("B") && text != OrbBoxText("C")) {
            orbSetBox->setEditText(OrbBoxText("A"));
            currentChart.orbs.setLetter = "A";
        }
        bool applied = false;
        try {
            applied = engine::ApplyOrbSet(currentChart.settings, currentChart.orbs, currentChart.orbs.setLetter, ShowEngineSettingsMessage);
        } catch (const rt::IoError& e) {
            currentChart.orbs.setLetter = orbSetInForce_;
            if (const char* shown = OrbBoxText(orbSetInForce_)) orbSetBox->setEditText(shown);
            SayChangeRefused(e);
            return;
        }
        if (!applied) {
            gui::ShowMessage(engine::kMissingOrbSetsMessage);
            // The set in force stays, and the box shows it.
            engine::LoadEngineSettings(currentChart.settings, currentChart.orbs, ShowEngineSettingsMessage);
        }
        if (const char* shown = OrbBoxText(currentChart.orbs.setLetter)) orbSetBox->setEditText(shown);
    }
}

}  // namespace shell
