#include "ismmain.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "common/monitorbox.h"
#include "common/programfolder.h"
#include "common/standardicons.h"
#include "krvform.h"
#include "link/linkwindow.h"
#include "linkbuffer.h"
#include "settingsfile.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace krv {

namespace {

QHash<QString, ISMmain::FormFactory>& factories() {
    static QHash<QString, ISMmain::FormFactory> registry;
    return registry;
}

const QString caption = QStringLiteral("Korvanethilmorasquendaplix");

} // namespace

ISMmain::ISMmain(QWidget* parent)
    : QMainWindow(parent), Toolbar1(nullptr), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("ISMmain"));
    setWindowTitle(caption);
    mdi_->setObjectName(QStringLiteral("ClientArea"));
    mdi_->viewport()->installEventFilter(this);
    // Chip panels are larger than a small screen: the client area scrolls to reach them.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &ISMmain::subWindowActivated);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &ISMmain::Timer1_Timer);
    FactoryModeTimer = new QTimer(this);
    FactoryModeTimer->setObjectName(QStringLiteral("FactoryModeTimer"));
    FactoryModeTimer->setInterval(1000);
    buildToolbars();
    buildMenus();
    // The workspace is as large as the screen allows: the window opens maximised, and where no
    // window manager maximises it (a bare X server), it covers the screen's available area.
    setGeometry(screen()->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    wirePanelSwitching();
    wireMenus();
}

ISMmain::~ISMmain() {
    if (!unloading_)
        MDIForm_Unload();
    // A box that works on leaving runs its handler when it loses the focus, and it may ask this
    // window for others: it loses the focus now, while this window is whole, rather than as the
    // window closes after its own part is gone.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    // The frames close with the client area after this window's own part is gone.
    mdi_->disconnect(this);
}

// ---- Windows --------------------------------------------------------------------------------

void ISMmain::registerForm(const QString& name, FormFactory factory) {
    factories().insert(name, std::move(factory));
}

QStringList ISMmain::formNames() {
    QStringList names = factories().keys();
    names.sort();
    return names;
}

QWidget* ISMmain::form(const QString& name) {
    if (QWidget* loaded = loadedForm(name))
        return loaded;
    const auto factory = factories().constFind(name);
    if (factory == factories().constEnd())
        return nullptr;
    QWidget* widget = (*factory)(*this);
    widget->setObjectName(name);
    // A window that places its controls by coordinates has no layout to tell its frame how big
    // it is: the size it gave itself is the least its frame shows.
    if (!widget->layout() && widget->testAttribute(Qt::WA_Resized))
        widget->setMinimumSize(widget->size());
    QMdiSubWindow* frame = mdi_->addSubWindow(widget);
    frame->setObjectName(name + QStringLiteral("Frame"));
    // One shared icon: a frame left to itself makes its own, and its pixmaps outlive it.
    frame->setWindowIcon(standardIcon(QStyle::SP_TitleBarMenuButton));
    frame->installEventFilter(this);
    frame->hide();
    forms_.insert(name, widget);
    if (auto* lifecycle = dynamic_cast<KrvForm*>(widget))
        lifecycle->Form_Load();
    return widget;
}

QWidget* ISMmain::loadedForm(const QString& name) const {
    return forms_.value(name).data();
}

void ISMmain::unloadForm(const QString& name) {
    QPointer<QWidget> widget = forms_.value(name);
    if (!widget)
        return;
    forms_.remove(name);
    if (auto* lifecycle = dynamic_cast<KrvForm*>(widget.data())) {
        const QScopedValueRollback closing(closingSteps_, closingSteps_ + 1);
        lifecycle->Form_Unload();
    }
    if (!widget)
        return;
    QMdiSubWindow* frame = frameOf(widget);
    QWidget* doomed = frame ? static_cast<QWidget*>(frame) : widget.data();
    doomed->hide();
    // Later: the window may be unloading itself from one of its own handlers.
    doomed->deleteLater();
}

QMdiSubWindow* ISMmain::frameOf(QWidget* form) const {
    return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}

void ISMmain::showForm(QWidget* form) {
    if (QMdiSubWindow* frame = frameOf(form)) {
        form->show();
        frame->show();
        // A window opens in view (the client area may have placed it itself on showing it).
        keepInView(frame);
        frame->raise();
        mdi_->setActiveSubWindow(frame);
    }
}

void ISMmain::hideForm(QWidget* form) {
    if (QMdiSubWindow* frame = frameOf(form))
        frame->hide();
}

bool ISMmain::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent ||
         event->type() == QEvent::LayoutRequest) &&
        (watched == Toolbar1 || watched == Toolbar2 || watched == Toolbar3))
        placeConnectionToolbars();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(watched))
        framePlacementEvent(frame, event);
    if (event->type() == QEvent::Close) {
        // Closing a child window unloads it, as its own unload step expects.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(watched)) {
            if (QWidget* widget = frame->widget()) {
                const QString name = widget->objectName();
                if (forms_.value(name) == widget) {
                    event->ignore();
                    unloadForm(name);
                    return true;
                }
            }
        }
    }
    if (watched == mdi_->viewport() && event->type() == QEvent::MouseButtonDblClick)
        MDIForm_DblClick();
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize) {
        // The visible client area changed: the main window settled on the screen or was
        // resized, or a scroll bar came or went. The open windows stay in view.
        keepAllInView();
    }
    return QMainWindow::eventFilter(watched, event);
}

void ISMmain::subWindowActivated(QMdiSubWindow* frame) {
    // No child active: a message box, a dialog or another application has the focus, which
    // does not count as leaving the window.
    QWidget* form = frame ? frame->widget() : nullptr;
    if (!form || form == activeForm_)
        return;
    QPointer<QWidget> previous = activeForm_;
    activeForm_ = form;
    if (auto* left = dynamic_cast<KrvForm*>(previous.data())) {
        const QScopedValueRollback leaving(closingSteps_, closingSteps_ + 1);
        left->Form_Deactivate();
    }
    if (auto* entered = dynamic_cast<KrvForm*>(form); entered && activeForm_ == form)
        entered->Form_Activate();
}

// ---- The link -------------------------------------------------------------------------------

LinkWindow* ISMmain::link() {
    if (!link_)
        link_ = new LinkWindow(*this, this);
    return link_;
}

void ISMmain::unloadLink() {
    if (!link_)
        return;
    LinkWindow* doomed = link_;
    link_ = nullptr;
    doomed->shutdown();
    doomed->deleteLater();
}

SendResult ISMmain::Send_To_LoadBoard(const QString& line, const QString& holder) {
    return link()->Send_To_LoadBoard(line, holder);
}

bool ISMmain::boardPortOpen() {
    return link()->MSComm2->portOpen();
}

void ISMmain::setCommStatus(const QString& text) {
    // Set for every received character: a box that already shows the text is left alone.
    if (CommStatus->text() != text)
        CommStatus->setText(text);
}

void ISMmain::characterToLinkBuffers(char c) {
    // In this order; each buffer's own handling (which may send and change the flags) runs
    // before the next buffer is served, so each flag is read when its turn comes.
    const std::pair<const char*, bool ISMmain::*> buffers[] = {
        {"Frm_YambleRfLinkTest", &ISMmain::TRxLinkOn},
        {"DruskV1rflink", &ISMmain::RxLinkOn},
        {"DruskV1rflink_LB2", &ISMmain::RxLinkOn_LB2},
        {"frm_ZiborSniffer", &ISMmain::ZiborSnifferOn},
    };
    QPointer<ISMmain> self(this);
    for (const auto& [name, flag] : buffers) {
        if (!self)
            return;
        if (!(this->*flag))
            continue;
        if (auto* buffer = dynamic_cast<LinkBuffer*>(loadedForm(QString::fromLatin1(name))))
            buffer->receiveCharacter(c);
    }
}

void ISMmain::echoToMonitors(const QString& text) {
    // The link windows took the raw character already; the terminal shows the echo.
    echoToTerminal(text);
}

void ISMmain::echoToTerminal(const QString& text) {
    if (!Terminalon)
        return;
    if (QWidget* terminal = loadedForm(QStringLiteral("Terminal"))) {
        if (auto* box = terminal->findChild<MonitorBox*>(QStringLiteral("Text1")))
            box->appendText(text);
    }
}

QWidget* ISMmain::dataSelectorLabel() {
    return Text1;
}

// ---- Start-up -------------------------------------------------------------------------------

void ISMmain::reportStartError(int number, const QString& description) {
    if (number == errors::IncorrectExtension)
        Dialogs::unsupportedFileType();
    else
        Dialogs::message(
            errorMessage(number, description, QStringLiteral("Please save the workspace again!")),
            QStringLiteral("File open error"));
}

void ISMmain::MDIForm_Load() {
    FactoryArmed = false;
    SavedCaption = windowTitle();
    CurrentPath = ProgramFolder::path();
    Last15.clear();
    Last7.clear();
    Last7OK = okEnding();
    Last7ERROR = errorEnding();
    Terminalon = TX0on = TX1on = RXon = RxLinkOn = RxLinkOn_LB2 = TRxLinkOn = MivraV2testOn = false;
    CurrentTxChip.clear();
    CurrentTrxChip.clear();
    ListClickLocked = false;
    Pref_LoadWS = 0;
    Commport_min = QStringLiteral("1");
    Commport_max = QStringLiteral("8");
    Pref_CCautoLoad = 0;
    Pref_MivraRevision = QStringLiteral("'D' or above");
    Pref_PelkoRevision = QStringLiteral("'A' or above");
    Pref_DruskRevision = QStringLiteral("'F' or above");
    Pref_RxLinkTimeout = 50;
    Pref_Voltage = QStringLiteral("2.5");
    RXButton->setText(QStringLiteral("HR65x"));
    TXButton->setText(QStringLiteral("HT53x"));
    TRXButton->setText(QStringLiteral("HC91x"));
    LoadBoard->setText(QStringLiteral("not found"));
    LoadBoardRev = 0;
    SetBijakuMode(false);
    readSettings();
    EnableChipSelection(false);
    armScan();
    if (Pref_LoadWS != 1) {
        showSplash();
    } else {
        try {
            restoreWorkspace();
        } catch (const Error& e) {
            reportStartError(e.number, e.description);
        }
    }
    Toolbar3->hide();
    {
        const QSignalBlocker blocker(CB_Mode);
        CB_Mode->clear();
        CB_Mode->addItem(QStringLiteral("Tolvano FSK I/O: Int."));
        CB_Mode->addItem(QStringLiteral("Tolvano FSK I/O: Ext."));
        CB_Mode->addItem(QStringLiteral("Data Mode"));
        // A fresh list has no selection; choosing an entry is what sends its command.
        CB_Mode->setCurrentIndex(-1);
    }
}

void ISMmain::readSettings() {
    const QString path = ProgramFolder::file(QStringLiteral("KRV.ini"));
    Settings defaults;
    defaults.commportMin = Commport_min;
    defaults.loadWorkspace = Pref_LoadWS;
    defaults.autoLoadConfiguration = Pref_CCautoLoad;
    defaults.commportMax = Commport_max;
    try {
        if (!QFileInfo::exists(path)) {
            // A first start: the defaults become the settings file.
            defaults.save(path);
            return;
        }
        const Settings settings = Settings::read(path, defaults);
        Commport_min = settings.commportMin;
        Pref_LoadWS = settings.loadWorkspace;
        Pref_CCautoLoad = settings.autoLoadConfiguration;
        Commport_max = settings.commportMax;
    } catch (const Error& e) {
        reportStartError(e.number, e.description);
    }
}

void ISMmain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (SplashOn)
        placeSplash();
    placeConnectionToolbars();
}

// ---- Shutdown -------------------------------------------------------------------------------

void ISMmain::closeEvent(QCloseEvent* event) {
    MDIForm_Unload();
    QMainWindow::closeEvent(event);
}

void ISMmain::MDIForm_Unload() {
    if (unloading_)
        return;
    unloading_ = true;
    Timer1->stop();
    // Quitting takes well under a second whatever the board does.
    constexpr int quitBudgetMs = 500;
    if (link_)
        link_->giveUpAt(QDeadlineTimer(quitBudgetMs));
    // Every loaded window runs its own unload step before the link goes.
    const QStringList names = forms_.keys();
    for (const QString& name : names)
        unloadForm(name);
    unloadLink();
}

} // namespace krv
