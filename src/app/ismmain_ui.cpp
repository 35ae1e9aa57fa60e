#include "ismmain.h"
#include "krvform.h"
#include "toolbarroom.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace krv {

namespace {

QToolButton* familyButton(QToolBar* bar, const QString& key, const QString& tip) {
    auto* button = new QToolButton(bar);
    button->setObjectName(key);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    bar->addWidget(button);
    return button;
}

// The width a text box needs to show the text whole.
int boxWidthFor(const QLineEdit* box, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    // The box's own inner margin on each side, and room for the cursor.
    constexpr int innerMargins = 2 * 2 + 2;
    const QMargins margins = box->textMargins() + box->contentsMargins();
    const QSize contents(box->fontMetrics().horizontalAdvance(text) + innerMargins +
                             margins.left() + margins.right(),
                         box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, box).width();
}

// A read-only box as wide as the longest of the texts it shows, and wider for a longer one.
QLineEdit* statusBox(QToolBar* bar, const QString& name, const QStringList& texts) {
    auto* box = new QLineEdit(bar);
    box->setObjectName(name);
    box->setReadOnly(true);
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, boxWidthFor(box, text));
    box->setFixedWidth(width);
    QObject::connect(box, &QLineEdit::textChanged, box, [box, width](const QString& text) {
        box->setFixedWidth(std::max(width, boxWidthFor(box, text)));
        // Shown from its start, should it ever be longer still.
        box->setCursorPosition(0);
    });
    bar->addWidget(box);
    return box;
}

// The width a list needs to show any of the texts whole.
int listWidthFor(const QComboBox* list, const QStringList& texts) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
    return list->style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option,
                           QSize(widest, list->fontMetrics().height()), list)
        .width();
}

// The texts the board boxes show, with the widest port number the scan range allows.
const QStringList boardTexts{QStringLiteral("LoadBoard 1.x: Com16"),
                             QStringLiteral("LoadBoard 2.x: Com16"),
                             QStringLiteral("Zibor Monitor: Com16"),
                             QStringLiteral("LoadB. Loader: Com16"),
                             QStringLiteral("Please select..."),
                             QStringLiteral("Press connect"),
                             QStringLiteral("not found"),
                             QStringLiteral("2.x on Com16")};

QAction* item(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void ISMmain::buildToolbars() {
    // Toolbars are hidden only by the View menu's "Toolbar" item, which keeps its check mark in
    // step: no toolbar context menu can hide one behind its back.
    setContextMenuPolicy(Qt::PreventContextMenu);
    Toolbar1 = addToolBar(QStringLiteral("Chips"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    TXButton = familyButton(Toolbar1, QStringLiteral("TX"),
                            QStringLiteral("HT531 (transmitter) control panel"));
    RXButton = familyButton(Toolbar1, QStringLiteral("RX"),
                            QStringLiteral("HR651 (receiver) control panel"));
    TRXButton = familyButton(Toolbar1, QStringLiteral("TRX"),
                             QStringLiteral("HC913 (transceiver) control panel"));

    toolbarRoom_ = new ToolbarRoom(QStringLiteral("ToolbarRoom"), this);
    addToolBar(toolbarRoom_);
    Toolbar3 = addToolBar(QStringLiteral("Data selector"));
    Toolbar3->setObjectName(QStringLiteral("Toolbar3"));
    Text1 = new QLabel(QStringLiteral("Data Selector:"), Toolbar3);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("Please Select the FSK raw data mode!"));
    Toolbar3->addWidget(Text1);
    CB_Mode = new QComboBox(Toolbar3);
    CB_Mode->setObjectName(QStringLiteral("CB_Mode"));
    CB_Mode->setToolTip(QStringLiteral("Please Select the FSK raw data mode!"));
    CB_Mode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Toolbar3->addWidget(CB_Mode);
    connect(CB_Mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            CB_Mode_Click();
    });

    toolbarGap_ = new ToolbarRoom(QStringLiteral("ToolbarGap"), this);
    addToolBar(toolbarGap_);
    Toolbar2 = addToolBar(QStringLiteral("Connection"));
    Toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    ConnectButton = Toolbar2->addAction(QStringLiteral("Connect"));
    ConnectButton->setObjectName(QStringLiteral("Connect"));
    DisconnectButton = Toolbar2->addAction(QStringLiteral("Disconnect"));
    DisconnectButton->setObjectName(QStringLiteral("Disconnect"));
    connect(ConnectButton, &QAction::triggered, this,
            [this] { Toolbar2_ButtonClick(QStringLiteral("Connect")); });
    connect(DisconnectButton, &QAction::triggered, this,
            [this] { Toolbar2_ButtonClick(QStringLiteral("Disconnect")); });
    CommStatus = statusBox(Toolbar2, QStringLiteral("CommStatus"),
                           {QStringLiteral("No comm."), QStringLiteral("Comm. OK"),
                            QStringLiteral("reading..."), QStringLiteral("COM 16"),
                            QStringLiteral("Finished"), QStringLiteral("Data mode")});
    CommStatus->setText(QStringLiteral("No comm."));
    auto* boardLabel = new QLabel(QStringLiteral(" Connected Board: "), Toolbar2);
    boardLabel->setObjectName(QStringLiteral("LoadBoardLabel"));
    boardCaption_ = Toolbar2->addWidget(boardLabel);
    LoadBoard = statusBox(Toolbar2, QStringLiteral("LoadBoard"), boardTexts);
    LoadboardList = new QComboBox(Toolbar2);
    LoadboardList->setObjectName(QStringLiteral("LoadboardList"));
    LoadboardList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    LoadboardList->setMinimumWidth(listWidthFor(LoadboardList, boardTexts));
    Toolbar2->addWidget(LoadboardList);
    connect(LoadboardList, &QComboBox::activated, this, [this] { LoadboardList_click(); });
    // Showing or hiding a toolbar of the row, or a change of its width (a family button's
    // caption, a longer board text), moves the two at its right end.
    for (QToolBar* bar : {Toolbar1, Toolbar2, Toolbar3})
        bar->installEventFilter(this);
}

void ISMmain::placeConnectionToolbars() {
    // Below this width the toolbars stay where they were.
    if (pixelsToTwips(width()) <= 7000)
        return;
    const auto widthOf = [](const QToolBar* bar) {
        return bar->isHidden() ? 0 : bar->sizeHint().width();
    };
    const int gap = Toolbar3->isHidden() ? 0 : twipsToPixels(100);
    const int left = widthOf(Toolbar1) + widthOf(Toolbar3);
    // Measured as if the caption stood, so that giving it up cannot bring it back on the next
    // pass.
    const int caption = Toolbar2->widgetForAction(boardCaption_)->sizeHint().width() +
                        Toolbar2->layout()->spacing();
    const int whole = widthOf(Toolbar2) + (boardCaption_->isVisible() ? 0 : caption);
    // Where the row is short of room (a large desktop font), the caption goes first: the board
    // box says what it shows. Only then does the connection toolbar take a row of its own,
    // rather than hiding the board list behind the row's overflow; a row costs the panels
    // height a small desktop cannot spare.
    const bool withCaption = width() - left - gap - whole >= 0;
    if (boardCaption_->isVisible() != withCaption)
        boardCaption_->setVisible(withCaption);
    const int room = width() - left - gap - (withCaption ? whole : whole - caption);
    const bool ownRow = room < 0;
    if (ownRow && !toolBarBreak(toolbarGap_))
        insertToolBarBreak(toolbarGap_);
    else if (!ownRow && toolBarBreak(toolbarGap_))
        removeToolBarBreak(toolbarGap_);
    toolbarGap_->setRoom(ownRow ? std::max(0, width() - widthOf(Toolbar2)) : gap);
    toolbarRoom_->setRoom(std::max(0, ownRow ? width() - left : room));
}

void ISMmain::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSaveWorkspace = item(mnuFile, "mnuSaveWorkspace", QStringLiteral("Save workspace"));
    mnuFilePreferences = item(mnuFile, "mnuFilePreferences", QStringLiteral("&Preferences..."));
    mnuFile->addSeparator();
    mnuFileExit = item(mnuFile, "mnuFileExit", QStringLiteral("Exit"));

    mnuView = bar->addMenu(QStringLiteral("View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewTx0 = item(mnuView, "mnuViewTx0", QStringLiteral("HT531 (Transmitter) control panel"));
    mnuViewTx0Bijaku =
        item(mnuView, "mnuViewTx0Bijaku", QStringLiteral("HT531B (Transmitter) control panel"));
    mnuViewTx1 = item(mnuView, "mnuViewTx1", QStringLiteral("HT537 (Transmitter) control panel"));
    mnuViewTx2 = item(mnuView, "mnuViewTx2", QStringLiteral("HT539 (Transmitter) control panel"));
    mnuView->addSeparator();
    mnuViewRx = item(mnuView, "mnuViewRx", QStringLiteral("HR651 (Receiver) control panel"));
    mnuViewOvaltRx =
        item(mnuView, "mnuViewOvaltRx", QStringLiteral("HR658 (Receiver) control panel"));
    mnuView->addSeparator();
    mnuViewTRx = item(mnuView, "mnuViewTRx", QStringLiteral("HC913 (Transceiver) control panel"));
    mnuViewTRxBijaku =
        item(mnuView, "mnuViewTRxBijaku", QStringLiteral("HC913B (Transceiver) control panel"));
    mnuViewZenthTRx =
        item(mnuView, "mnuViewZenthTRx", QStringLiteral("HC916 (Transceiver) control panel"));
    mnuView->addSeparator();
    mnuViewToolbar = item(mnuView, "mnuViewToolbar", QStringLiteral("Toolbar"));
    mnuViewToolbar->setCheckable(true);
    mnuViewToolbar->setChecked(true);
    for (QAction* chip : {mnuViewTx0, mnuViewTx0Bijaku, mnuViewTx1, mnuViewTx2, mnuViewRx,
                          mnuViewOvaltRx, mnuViewTRx, mnuViewTRxBijaku, mnuViewZenthTRx})
        chip->setCheckable(true);

    mnutools = bar->addMenu(QStringLiteral("Tools"));
    mnutools->setObjectName(QStringLiteral("mnutools"));
    mnutoolsTerminal = item(mnutools, "mnutoolsTerminal", QStringLiteral("Terminal Window"));
    EETools = mnutools->addMenu(QStringLiteral("Standalone Transmitter tools"));
    EETools->setObjectName(QStringLiteral("EETools"));
    mnutoolsECET = item(EETools, "mnutoolsECET", QStringLiteral("EEPROM Content Editor Tool"));
    mnutoolsECET->setEnabled(false);
    mnutoolsEEPROM = item(EETools, "mnutoolsEEPROM", QStringLiteral("EEPROM programmer"));
    mnutoolsRFSetup = mnutools->addMenu(QStringLiteral("CW Link Setup"));
    mnutoolsRFSetup->setObjectName(QStringLiteral("mnutoolsRFSetup"));
    mnutoolsRFSetup_RX = item(mnutoolsRFSetup, "mnutoolsRFSetup_RX", QStringLiteral("Receiver"));
    mnutoolsRFSetup_RX->setEnabled(false);
    mnutoolsRFSetup_TX = item(mnutoolsRFSetup, "mnutoolsRFSetup_TX", QStringLiteral("Transmitter"));
    mnutoolsRFSetup_TX->setEnabled(false);
    RFLink = mnutools->addMenu(QStringLiteral("RF link test"));
    RFLink->setObjectName(QStringLiteral("RFLink"));
    mnuToolsRFlink = item(RFLink, "mnuToolsRFlink", QStringLiteral("HR651 Receiver RF link test"));
    mnuToolsRFlink->setEnabled(false);
    mnuToolsYambleRFlink = item(RFLink, "mnuToolsYambleRFlink",
                                QStringLiteral("HC913 and HC916 Transceiver RF link test"));
    mnuToolsYambleRFlink->setEnabled(false);
    mnuAdv = mnutools->addMenu(QStringLiteral("Advanced"));
    mnuAdv->setObjectName(QStringLiteral("mnuAdv"));
    mnuAdv->menuAction()->setVisible(false);
    TestModes = mnuAdv->addMenu(QStringLiteral("Factory Test Modes"));
    TestModes->setObjectName(QStringLiteral("TestModes"));
    mnuToolsMivraTestmode =
        item(TestModes, "mnuToolsMivraTestmode", QStringLiteral("HT531 Transmitter Test Mode"));
    mnuToolsMivraTestmode->setEnabled(false);
    mnuToolsDruskTestmode =
        item(TestModes, "mnuToolsDruskTestmode", QStringLiteral("HR651 Receiver Test Mode"));
    mnuToolsDruskTestmode->setEnabled(false);
    mnuToolsYambleTestmode =
        item(TestModes, "mnuToolsYambleTestmode", QStringLiteral("HC913 Transceiver Test Mode"));
    mnuToolsYambleTestmode->setEnabled(false);
    mnuSPI = item(mnuAdv, "mnuSPI", QStringLiteral("SPI Tool"));
    mnuSPI->setCheckable(true);
    mnuGenCHeader = item(mnutools, "mnuGenCHeader", QStringLiteral("ANSI C Header Generator"));
    mnuload = item(mnutools, "mnuload", QStringLiteral("Firmware Loader"));
    mnuload->setVisible(false);
    mnuload->setEnabled(false);

    mnuHelp = bar->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpSWguide = item(mnuHelp, "mnuHelpSWguide", QStringLiteral("KRV Software Guide"));
    mnuHelpBrowseDoc = item(mnuHelp, "mnuHelpBrowseDoc", QStringLiteral("Browse documents ..."));
    mnuHelpBrowseEx = item(mnuHelp, "mnuHelpBrowseEx", QStringLiteral("Browse examples ..."));
    mnuHelpHT531DS = item(mnuHelp, "mnuHelpHT531DS", QStringLiteral("HT531 datatsheet"));
    mnuHelpHR651DS = item(mnuHelp, "mnuHelpHR651DS", QStringLiteral("HR651 datatsheet"));
    for (QAction* hidden :
         {mnuHelpSWguide, mnuHelpBrowseDoc, mnuHelpBrowseEx, mnuHelpHT531DS, mnuHelpHR651DS})
        hidden->setVisible(false);
    mnuHelpBrowseDoc->setEnabled(false);
    mnuHelpBrowseEx->setEnabled(false);
    mnuHelpProducts = item(mnuHelp, "mnuHelpProducts", QStringLiteral("Supported Products ..."));
    mnuHelp->addSeparator();
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", QStringLiteral("About"));

    connect(mnuFileExit, &QAction::triggered, this, &ISMmain::close);
    connect(mnuViewToolbar, &QAction::toggled, Toolbar1, &QToolBar::setVisible);
    connect(FactoryModeTimer, &QTimer::timeout, this, &ISMmain::FactoryModeTimer_Timer);
}

void ISMmain::EnableChipSelection(bool enabled) {
    TXButton->setEnabled(enabled);
    RXButton->setEnabled(enabled);
    TRXButton->setEnabled(enabled);
    mnuView->setEnabled(enabled);
    mnutools->setEnabled(enabled);
    mnuView->menuAction()->setEnabled(enabled);
    mnutools->menuAction()->setEnabled(enabled);
}

void ISMmain::MDIForm_DblClick() {
    if (!FactoryArmed) {
        setWindowTitle(SavedCaption + u'.');
        FactoryArmed = true;
        FactoryModeTimer->start();
    } else {
        FactoryArmed = false;
    }
}

void ISMmain::FactoryModeTimer_Timer() {
    FactoryModeTimer->stop();
    setWindowTitle(SavedCaption);
    if (FactoryArmed) {
        FactoryArmed = false;
        mnuAdv->menuAction()->setVisible(false);
    } else {
        mnuAdv->menuAction()->setVisible(true);
    }
}

} // namespace krv
