#pragma once

#include "link/linkhost.h"
#include "link/linkwindow.h"
#include "link/replytails.h"
#include "link/sendresult.h"
#include "link/transactionlock.h"
#include "windowplacement.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace krv {

class ToolbarRoom;

// The main window: a multiple-document frame holding the state every window shares, the board
// scan and selection, the data selector, the panel switcher and the menus.
class ISMmain : public QMainWindow, public LinkHost {
    Q_OBJECT
public:
    explicit ISMmain(QWidget* parent = nullptr);
    ~ISMmain() override;

    // ---- Windows, created on first touch -------------------------------------------------
    using FormFactory = std::function<QWidget*(ISMmain&)>;
    static void registerForm(const QString& name, FormFactory factory);
    // The names of every window built into the program, sorted.
    static QStringList formNames();
    // The window of that name, created hidden (its load step run) when it is not loaded;
    // nullptr when no such window is built into the program.
    QWidget* form(const QString& name);
    template <typename T> T* form(const QString& name) { return qobject_cast<T*>(form(name)); }
    // The window when it is loaded, without loading it.
    QWidget* loadedForm(const QString& name) const;
    template <typename T> T* loadedForm(const QString& name) const {
        return qobject_cast<T*>(loadedForm(name));
    }
    // Runs the window's unload step and discards it; nothing when it is not loaded.
    void unloadForm(const QString& name);
    // The child frame around a window inside the client area (its Top/Left/Width/Height).
    QMdiSubWindow* frameOf(QWidget* form) const;
    void showForm(QWidget* form);
    void hideForm(QWidget* form);
    // How a placed window keeps to the place it asked for.
    enum class PlaceRule {
        // As near as the visible client area allows (chip panels, the places the user left
        // windows in).
        InView,
        // The same, for a window that stands over the others for a moment only (the splash,
        // the About box): later windows take no notice of it.
        Passing,
        // A tool window: placed by the one rule of placeTool, clear of the parts of the windows
        // already there that the user needs in sight (keptInSight), of the panel itself
        // wherever both fit side by side, and of the windows opened before it; once it stands,
        // it grows in place. Windows that open at the workspace's top left corner, the panel's
        // own place, take InView (the chip panels, the content editor, the programmer, the
        // firmware loader, the sniffer). A window shown without a place of its own takes this
        // rule, asking for the panel's right edge, or for where the client area put it.
        ClearOfOthers,
    };
    // Places a window by its top-left corner in client-area twips: there when it fits in the
    // visible client area and keeps to its rule, otherwise moved left and up just enough to lie
    // inside it (to its top left corner when it is larger), or, for a tool window, beside or
    // below the panel or the windows already open. It keeps to that place as its size settles
    // and the client area changes, until the user takes hold of it.
    void placeForm(QWidget* form, double topTwips, double leftTwips,
                   PlaceRule rule = PlaceRule::ClearOfOthers);
    // Places a window where the workspace file left it, in twips (whatever the file holds), by
    // PlaceRule::InView; with a valid `sizeTwips`, at that size as far as the client area has
    // room, never smaller than the window's minimum.
    void placeRestored(QWidget* form, double topTwips, double leftTwips, QSizeF sizeTwips = {});
    // Places a tool window touching `partner` (the other window of a pair that belongs
    // together), on whichever of its sides keeps best to the tool windows' rule; by placeForm's
    // rule when the partner is not open.
    void placeBeside(QWidget* form, QWidget* partner);
    // Places a window that stands over the others for a moment (PlaceRule::Passing) centred on
    // the main window, at the size it has now: size it first.
    void placeCentred(QWidget* form);
    // Gives a window's frame its designed size in twips, or more where this desktop's fonts need
    // it for the window's controls; the window stays in view.
    void sizeForm(QWidget* form, double widthTwips, double heightTwips);
    // Gives the window's frame a dialog's fixed border (a title and a close box, no minimize or
    // maximize box) and its design size in twips, or more where this desktop's fonts need it
    // for the window's controls and its whole title; the frame keeps that size.
    void sizeDialog(QWidget* form, double widthTwips, double heightTwips);
    // Moves the frame to its given place, or keeps it where it is, as its rule allows (see
    // placeForm); a tool window that already stands grows in place, and windows opened after it
    // that it now covers make room for it.
    void keepInView(QMdiSubWindow* frame);
    // The chip panel whose window is open, nullptr when none is.
    QWidget* shownPanel() const;
    QMdiArea* mdiArea() const { return mdi_; }

    // ---- The link ------------------------------------------------------------------------
    LinkWindow* link(); // "connect", created on first use
    LinkWindow* loadedLink() const { return link_; }
    void unloadLink();
    SendResult Send_To_LoadBoard(const QString& line, const QString& holder = QString());
    bool boardPortOpen(); // connect.MSComm2.PortOpen

    // ---- LinkHost ------------------------------------------------------------------------
    ReplyTails& replyTails() override { return tails_; }
    void setCommStatus(const QString& text) override;
    void characterToLinkBuffers(char c) override;
    void echoToMonitors(const QString& text) override;
    void echoToTerminal(const QString& text) override;
    void boardLost() override;
    bool closingStep() const override { return closingSteps_ > 0 || unloading_; }
    int loadBoardRev() const override { return LoadBoardRev; }
    QComboBox* dataSelector() override { return CB_Mode; }
    QWidget* dataSelectorLabel() override;
    DataSelectorLock& dataSelectorLock() override { return selectorLock_; }

    // ---- Start-up and shutdown -----------------------------------------------------------
    void MDIForm_Load();
    void MDIForm_Unload();

    // ---- Shared state --------------------------------------------------------------------
    long Pref_LoadWS = 0;
    QString Commport_min = QStringLiteral("1");
    QString Commport_max = QStringLiteral("8");
    long Pref_CCautoLoad = 0;
    QString Pref_MivraRevision;
    QString Pref_PelkoRevision;
    QString Pref_DruskRevision;
    long Pref_RxLinkTimeout = 50;
    QString Pref_Voltage = QStringLiteral("2.5");
    TransactionLock CommState;
    QString Buf1;
    QString& Last7 = tails_.Last7;
    QString& Last15 = tails_.Last15;
    QString& Last100 = tails_.Last100;
    QString& Last7OK = tails_.Last7OK;
    QString& Last7ERROR = tails_.Last7ERROR;
    QString CurrentPath;
    bool Terminalon = false;
    bool EEPROMon = false;
    bool TX0on = false;
    bool TX1on = false;
    bool TX2on = false;
    bool RXon = false;
    bool RX1on = false;
    bool TRXon = false;
    bool TRX1on = false;
    bool SplashOn = false;
    bool RxLinkOn = false;
    bool RxLinkOn_LB2 = false;
    bool TRxLinkOn = false;
    bool MivraV2testOn = false;
    bool ZiborSnifferOn = false;
    bool PowerSupplyOn = false;
    bool CWLinkRXOn = false;
    bool CWLinkTXOn = false;
    bool FirmLoadOn = false;
    int LoadBoardRev = 0;
    int LoadBoardIndex = 0;
    QString UsbLocation; // device of the open board 2.x's bridge, empty when none
    bool ListClickLocked = false;

    void SetBijakuMode(bool on) { BijakuModeOn = on; }
    bool IsBijakuModeSet() const { return BijakuModeOn; }
    static bool StopRepStReadOnLostFocus() { return true; }
    static int GetRepetitiveStatusReadInterval() { return 1500; }
    static int GetRepetitiveStatusReadMarkInterval() { return 150; }

    // ---- Board discovery and selection ---------------------------------------------------
    void LoadboardList_click();
    void Toolbar2_ButtonClick(const QString& key);
    void armScan();
    bool loadboardListConnected() const { return listConnected_; }
    // The board list's text when no entry is selected ("searching", "Not found", ...), or the
    // selected entry.
    QString loadboardListText() const;

    // ---- Data selector -------------------------------------------------------------------
    void CB_Mode_Click();

    // ---- Panel switching -----------------------------------------------------------------
    void EnableChipSelection(bool enabled);
    void MivraV2_show();
    void MivraV2_hide();
    void PelkoV1_show();
    void PelkoV1_hide();
    void Harx_show();
    void Harx_hide();
    void DruskV1_show();
    void DruskV1_hide();
    void Ovalt_show();
    void Ovalt_hide();
    void YambleV3_show();
    void YambleV3_hide();
    void Zenth_show();
    void Zenth_hide();
    void mnuViewTx0_Click();
    void mnuViewTx0Bijaku_Click();
    void mnuViewTx1_Click();
    void mnuViewTx2_Click();
    void mnuViewRx_Click();
    void mnuViewOvaltRx_Click();
    void mnuViewTRx_Click();
    void mnuViewTRxBijaku_Click();
    void mnuViewZenthTRx_Click();
    void mnuViewToolbar_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar1_ButtonMenuClick(const QString& key);
    QString CurrentTxChip;
    QString CurrentRxChip;
    QString CurrentTrxChip;

    // ---- Menus, tool windows and the workspace (ismmain_menus.cpp, ismmain_workspace.cpp) ---
    void wireMenus();
    void mnuSaveWorkspace_Click();
    void mnuFilePreferences_Click();
    void mnutoolsTerminal_Click();
    void mnuToolsRFlink_Click();
    void mnuSPI_Click();
    void mnuGenCHeader_Click();
    void mnuHelpBrowse_Click(bool examples);
    void mnuHelpAbout_Click();
    // Procedures without a menu item: each shows its window.
    void ShowTxSearch();
    void ShowSnifferOptions();
    // The EEPROM programmer shown and unloaded by code (this window has no toolbar button for it).
    void EEPROM_show();
    void EEPROM_hide();
    // Unloads the splash and shows the window of that name, when the program has it.
    void showToolWindow(const QString& name);

    // ---- Controls ------------------------------------------------------------------------
    QToolBar* Toolbar1;
    QToolBar* Toolbar2;
    QToolBar* Toolbar3;
    QToolButton* TXButton;
    QToolButton* RXButton;
    QToolButton* TRXButton;
    QAction* ConnectButton;
    QAction* DisconnectButton;
    QLineEdit* CommStatus;
    QLineEdit* LoadBoard;
    QComboBox* LoadboardList;
    QLabel* Text1; // "Data Selector:"
    QComboBox* CB_Mode;
    QTimer* Timer1; // board scan
    QTimer* FactoryModeTimer;

    // Menus and their items, by the names other windows use.
    QMenu* mnuFile;
    QMenu* mnuView;
    QMenu* mnutools;
    QMenu* EETools;
    QMenu* mnutoolsRFSetup;
    QMenu* RFLink;
    QMenu* mnuAdv;
    QMenu* TestModes;
    QMenu* mnuHelp;
    QAction* mnuSaveWorkspace;
    QAction* mnuFilePreferences;
    QAction* mnuFileExit;
    QAction* mnuViewTx0;
    QAction* mnuViewTx0Bijaku;
    QAction* mnuViewTx1;
    QAction* mnuViewTx2;
    QAction* mnuViewRx;
    QAction* mnuViewOvaltRx;
    QAction* mnuViewTRx;
    QAction* mnuViewTRxBijaku;
    QAction* mnuViewZenthTRx;
    QAction* mnuViewToolbar;
    QAction* mnutoolsTerminal;
    QAction* mnutoolsECET;
    QAction* mnutoolsEEPROM;
    QAction* mnutoolsRFSetup_RX;
    QAction* mnutoolsRFSetup_TX;
    QAction* mnuToolsRFlink;
    QAction* mnuToolsYambleRFlink;
    QAction* mnuToolsMivraTestmode;
    QAction* mnuToolsDruskTestmode;
    QAction* mnuToolsYambleTestmode;
    QAction* mnuSPI;
    QAction* mnuGenCHeader;
    QAction* mnuload;
    QAction* mnuHelpSWguide;
    QAction* mnuHelpBrowseDoc;
    QAction* mnuHelpBrowseEx;
    QAction* mnuHelpHT531DS;
    QAction* mnuHelpHR651DS;
    QAction* mnuHelpProducts;
    QAction* mnuHelpAbout;

    static constexpr int ScanTimeout = 10;

Q_SIGNALS:
    // The board went away: what a window had armed on it went with it. Sent before the
    // lost-board message shows.
    void boardGone();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbars();
    // The connection toolbar at the right edge, the data selector 100 twips left of it; the
    // connection toolbar on a row of its own when the first row has no room for it.
    void placeConnectionToolbars();
    void buildMenus();
    void readSettings();
    void restoreWorkspace();
    void showSplash();
    void placeSplash();
    void framePlacementEvent(QMdiSubWindow* frame, QEvent* event);
    void keepAllInView();
    // What a tool window placed in that frame must keep clear of.
    PlacementScene sceneFor(const QMdiSubWindow* frame) const;
    // The parts of the window in that frame that the user needs in sight, in client-area
    // pixels.
    QList<QRect> keptParts(const QMdiSubWindow* frame) const;
    // The windows opened after `grown` that it now covers take their places again, clear of it.
    void makeRoomFor(const QMdiSubWindow* grown);
    void Timer1_Timer();
    void classifyBanner();
    void finishScan();
    void ApplyDataMode();
    void MDIForm_DblClick();
    void subWindowActivated(QMdiSubWindow* frame);
    void FactoryModeTimer_Timer();
    void leaveRawDataMode();
    void setListText(const QString& text);
    void selectDataMode(int index);
    // The Tools item "Firmware Loader" is there, and usable, only while a loader board is
    // selected: no other way leads to the loader.
    void offerFirmwareLoader(bool offered);
    void reportStartError(int number, const QString& description);
    void wirePanelSwitching();
    void TogglePanel(const QString& key, bool shown);

    ReplyTails tails_;
    DataSelectorLock selectorLock_;
    QMdiArea* mdi_;
    ToolbarRoom* toolbarRoom_ = nullptr;
    ToolbarRoom* toolbarGap_ = nullptr;
    // The caption before the board box, given up first where the toolbar row is short of room.
    QAction* boardCaption_ = nullptr;
    QPointer<LinkWindow> link_;
    QHash<QString, QPointer<QWidget>> forms_;
    // The child window that is active, for its Form_Deactivate when another one becomes active.
    QPointer<QWidget> activeForm_;
    bool BijakuModeOn = false;
    bool listConnected_ = false;
    bool unloading_ = false;
    // Unload and leave steps running now (they nest through the waits of their sends).
    int closingSteps_ = 0;
    TransactionHold scan_; // the board scan's hold on CommState
    int ScanPort = 0;
    int ScanLastPort = 0;
    int ScanTicks = 0;
    QString SavedCaption;
    bool FactoryArmed = false;
    // Counts the windows shown so far: each frame keeps its number from its first showing.
    qint64 framesOpened_ = 0;
};

} // namespace krv
