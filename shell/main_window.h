#pragma once
// The main window: three pages of commands, the current person, the user's name,
// and the activation handler that completes the start-up.
#include <QWidget>
#include <string>

class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace rt {
class IoError;
}

namespace shell {

// What the chart and sheet buttons say before any person is stored.
inline constexpr const char* kNoCurrentPersonMessage =
    "Nessuna persona presente: inserire i Dati di Nascita o richiamarli dall'Archivio";

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Completes the start-up; runs at start, after every modal dialog and
    // whenever this window becomes active after another window of the program.
    // Repeating it changes no file when nothing changed.
    void FormActivate();
    // Loads the current person and shows it in the data memo; false when no
    // person is stored yet.
    bool ShowCurrentPerson();

    // Handlers.
    void BitBtnNomeCognomeClick();
    void BitBtnDatiClick();
    void BitBtnInputAClick();
    void BitBtnCancelClick();
    void BitBtn1Click();
    void BBPropedClick();
    void BBSalvaClick();
    void BBApriTestoClick();
    void BBistruzClick();
    void BBdispensaClick();
    void BBlkClick();
    // The orb-set and node boxes locked (grey, white text, closed padlock) or
    // open (aqua, black text, open padlock).
    void ShowBoxesLocked(bool locked);
    void MemoDatiClick();
    void MemoAnnotazClick();
    void Cbox1DblClick();
    void Image9MouseDown();
    void Image9MouseUp();
    // The sheet buttons and the windows of the other pages.
    void BBOrizClick();
    void BBoriz2Click();
    void BBVertClick();
    void BBvert2Click();
    void BitBtn3Click();
    void Bquor1Click();
    void Bquor2Click();
    void Button1Click();
    void BitBtn4Click();
    void BBaggRepClick();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn6Click();
    void BitBtn9Click();
    void BitBtnVarOrbAspClick();
    void BBCerchioClick();
    void BitBtn22Click();
    void SBtipoStampClick();
    void BButilityClick();
    void EdAggiornaClick();
    // The orb-set and node boxes; the idle handler applies their changes.
    void ComboOrbChange();
    void ComboNodoChange();
    void ComboNodoDblClick();
    void MyIdleHandler();

    bool OrbSetChanged = false;
    bool NodeTypeChanged = false;
    void BBSintomiClick();
    void BitBtn2Click();
    void BBriceCompoClick();
    void BitBtn10Click();

    // Pages.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet5 = nullptr;

    // "Astrologische Functies".
    QPushButton* BitBtnDati = nullptr;
    QPushButton* BitBtnInputA = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BBProped = nullptr;
    QLabel* LabelDati = nullptr;
    QPlainTextEdit* MemoDati = nullptr;
    QPlainTextEdit* MemoAnnotaz = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton* BBOriz = nullptr;
    QPushButton* BBoriz2 = nullptr;
    QPushButton* BBVert = nullptr;
    QPushButton* BBvert2 = nullptr;

    // "Raadpleging Remedies".
    QPushButton* BBSintomi = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* Bquor1 = nullptr;
    QPushButton* Bquor2 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QPushButton* BitBtn8 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn9 = nullptr;
    QPushButton* BBriceCompo = nullptr;
    QPushButton* BitBtn10 = nullptr;
    QPushButton* BButility = nullptr;

    // "Accessoire Functies".
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BBaggRep = nullptr;
    QPushButton* BitBtnVarOrbAsp = nullptr;
    QPushButton* BBCerchio = nullptr;
    QPushButton* BitBtn22 = nullptr;
    QPushButton* EdAggiorna = nullptr;
    QPushButton* BBSalva = nullptr;
    QPushButton* BitBtnNomeCognome = nullptr;
    QPushButton* BBistruz = nullptr;
    QPushButton* BBdispensa = nullptr;
    QComboBox* Cbox1 = nullptr;
    QPushButton* Button2 = nullptr;
    QListWidget* ListBox1 = nullptr;

    // Bottom panel.
    QFrame* Panel9 = nullptr;
    QComboBox* ComboNodo = nullptr;
    QComboBox* ComboOrb = nullptr;
    QPushButton* BBlk = nullptr;
    QPushButton* SBtipoStamp = nullptr;
    QLabel* Label34 = nullptr;
    QLabel* Label35 = nullptr;
    QPushButton* BBApriTesto = nullptr;
    QLabel* Image9 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildAstrologyPage();
    void BuildRemediesPage();
    void BuildAccessoryPage();
    void BuildBottomPanel();
    void ConnectCommands();
    void SizeFullScreenWindows();
    void LoadExitImage(const char* file);
    // Remembers the window's origin for the placing of dialogs near it.
    void RememberOrigin();
    // After a modal dialog: this window's idle handler again (when it had one)
    // and the activation.
    void AfterModal();
    // Shows a start-up window modally: near this window with an offset, after
    // remembering the origin only, or as it is.
    void ShowNear(QDialog* window, int offset);
    void ShowRemembered(QDialog* window);
    void ShowPlain(QDialog* window);
    void ShowSheet(int sheetCode, const char* orientation, bool receptions);
    // The chart window and the sheet viewer are modeless: when one of them is
    // hidden, this window is activated again.
    void WatchModeless(QWidget* window);
    void InstallMyIdleHandler();
    bool idleInstalled_ = false;
    // The orb set and node kind in force while a change of the boxes waits
    // for the idle handler.
    std::string orbSetInForce_;
    std::string nodeTypeInForce_;
    // Says why a change of the boxes was refused. While the message is up the
    // box may report the pick once more (its list's own late events); that
    // report is no new choice, and is not applied (nor refused) again.
    void SayChangeRefused(const rt::IoError& error);
    bool sayingRefusal_ = false;
    bool activating_ = false;
    bool closing_ = false;
};

extern MainWindow* theMainWindow;


}  // namespace shell
