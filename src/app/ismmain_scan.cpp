#include "common/dialogs.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/supply.h"
#include "ismmain.h"
#include "link/linkwindow.h"
#include "link/portmap.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

namespace krv {

namespace {

const QString boardName = QStringLiteral("Korvanethilmorasquendaplix");

QString entryText(const QString& kind, int port) {
    return kind + QStringLiteral(": Com") + QString::number(port);
}

} // namespace

QString ISMmain::loadboardListText() const {
    return LoadboardList->currentIndex() >= 0 ? LoadboardList->currentText()
                                              : LoadboardList->placeholderText();
}

void ISMmain::setListText(const QString& text) {
    LoadboardList->setCurrentIndex(-1);
    LoadboardList->setPlaceholderText(text);
}

void ISMmain::armScan() {
    ScanPort = int(leadingNumber(Commport_min));
    ScanLastPort = int(leadingNumber(Commport_max));
    ScanTicks = 0;
    scan_ = CommState.seize(1);
    Timer1->stop();
    Timer1->setInterval(100);
    Timer1->start();
    ConnectButton->setEnabled(false);
    DisconnectButton->setEnabled(false);
}

void ISMmain::Timer1_Timer() {
    auto nextPort = [this] {
        ++ScanPort;
        scan_.setStep(ScanPort > ScanLastPort ? 100 : 1);
    };
    try {
        switch (scan_.step()) {
        case 1:
            link();
            setListText(QStringLiteral("searching"));
            CommStatus->setText(QStringLiteral("COM ") + QString::number(ScanPort));
            CommStatus->setToolTip(PortMap::describe(ScanPort));
            link()->MSComm1->setCommPort(ScanPort);
            scan_.setStep(2);
            link()->MSComm1->setPortOpen(true);
            break;
        case 2:
            link()->MSComm1->output("i\r");
            link()->Last100.clear();
            scan_.setStep(3);
            break;
        case 3:
            if (ScanTicks > ScanTimeout) {
                ScanTicks = 0;
                unloadLink();
                nextPort();
            } else if (!link()->Last100.isEmpty() && link()->Last7 == Last7OK) {
                ScanTicks = 0;
                classifyBanner();
                unloadLink();
                nextPort();
            } else {
                ++ScanTicks;
            }
            break;
        case 100:
            finishScan();
            break;
        default:
            break;
        }
    } catch (const Error& e) {
        unloadLink();
        if (e.number == errors::InvalidPortNumber || e.number == errors::PortAlreadyOpen) {
            nextPort();
            return;
        }
        scan_.setStep(100);
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("Port searching error"));
    }
}

void ISMmain::classifyBanner() {
    const QString r = link()->Last100.right(94);
    auto at = [&r](int first, int last) { return r.mid(first - 1, last - first + 1); };
    auto found = [this](const QString& kind, const QString& boardText, int rev) {
        LoadBoard->setText(boardText);
        LoadBoard->setToolTip(PortMap::describe(ScanPort));
        LoadboardList->addItem(entryText(kind, ScanPort));
        LoadboardList->setItemData(LoadboardList->count() - 1, PortMap::describe(ScanPort),
                                   Qt::ToolTipRole);
        LoadBoardRev = rev;
    };
    if (at(3, 28) == boardName) {
        if (at(34, 35) == QStringLiteral("1."))
            found(QStringLiteral("LoadBoard 1.x"),
                  QStringLiteral("1.x on Com") + QString::number(ScanPort), 1);
        else if (at(34, 35) == QStringLiteral("2."))
            found(QStringLiteral("LoadBoard 2.x"),
                  QStringLiteral("2.x on Com") + QString::number(ScanPort), 2);
    }
    if (at(5, 22) == QStringLiteral("Zibor Demo Monitor") && at(27, 28) == QStringLiteral("1."))
        found(QStringLiteral("Zibor Monitor"), entryText(QStringLiteral("Zibor Monitor"), ScanPort),
              50);
    if (at(5, 20) == QStringLiteral("LoadBoard Loader"))
        found(QStringLiteral("LoadB. Loader"), entryText(QStringLiteral("LoadB. Loader"), ScanPort),
              40);
    // Adding the first entry selects it by itself; a found board waits for its choice.
    LoadboardList->setCurrentIndex(-1);
}

void ISMmain::finishScan() {
    Timer1->stop();
    scan_.release();
    if (LoadboardList->count() > 0) {
        setListText(QStringLiteral("Please select..."));
        if (LoadboardList->count() == 1) {
            LoadboardList->setCurrentIndex(0);
            LoadboardList_click();
            // A board lost while it was being selected leaves the state the lost-board path set.
            if (LoadboardList->count() == 0)
                return;
        }
        LoadboardList->setEnabled(true);
        ConnectButton->setEnabled(false);
        DisconnectButton->setEnabled(true);
    } else {
        LoadBoard->setText(QStringLiteral("not found"));
        setListText(QStringLiteral("Not found"));
        ConnectButton->setEnabled(true);
        DisconnectButton->setEnabled(false);
        EnableChipSelection(true);
    }
    CommStatus->setText(QStringLiteral("Finished"));
}

void ISMmain::LoadboardList_click() {
    if (ListClickLocked || LoadboardList->currentIndex() < 0 || LoadboardList->count() == 0)
        return;
    const QString text = LoadboardList->currentText();
    const QString kind = text.left(13);
    LoadBoardRev = kind == QStringLiteral("LoadBoard 1.x")   ? 1
                   : kind == QStringLiteral("LoadBoard 2.x") ? 2
                   : kind == QStringLiteral("LoadB. Loader") ? 40
                   : kind == QStringLiteral("Zibor Monitor") ? 50
                                                             : 0;
    if (LoadBoardRev < 1) {
        EnableChipSelection(true);
        return;
    }
    // The selection stops at a send that found the port closed: a lost board has been
    // reported, and the remaining lines would only meet the closed port again.
    struct Stopped {};
    auto send = [this](const QString& line) {
        if (Send_To_LoadBoard(line).portClosed())
            throw Stopped{};
    };
    try {
        ScanPort = int(leadingNumber(text.mid(text.lastIndexOf(u'm') + 1)));
        LinkWindow* connection = link();
        if (LoadBoardRev == 2)
            connection->GetUSBLocationsByDriver();
        CommPort* port = connection->MSComm2;
        port->setSettings(QStringLiteral("19200,N,8,1"));
        port->setDTREnable(true);
        port->setCommPort(ScanPort);
        port->setRTSEnable(true);
        // Picking a board while one is open moves the board port to it: what runs on the open
        // one ends quietly, as at a Disconnect.
        if (port->portOpen())
            connection->closeBoardPort();
        port->setPortOpen(true);
        if (LoadBoardRev == 2)
            UsbLocation = connection->GetThisUSBLocationByDriver();
        send(QStringLiteral("i\r"));
        listConnected_ = true;
        auto voltage = [this] {
            if (!isWholeNumber(Pref_Voltage))
                throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
            return leadingNumber(Pref_Voltage);
        };
        if (LoadBoardRev == 1)
            send(supplyLine(voltage(), supplyk::Board1));
        send(QStringLiteral("Z3\r"));
        if (LoadBoardRev == 2) {
            send(supplyLine(voltage(), supplyk::Board2));
            if (TRXon || TRX1on) {
                mnuToolsYambleRFlink->setEnabled(true);
                mnutoolsRFSetup_TX->setEnabled(true);
                mnutoolsRFSetup_RX->setEnabled(true);
            }
            if (TX0on || TX1on)
                mnutoolsRFSetup_TX->setEnabled(true);
            if (RXon || RX1on)
                mnutoolsRFSetup_RX->setEnabled(true);
            selectDataMode(0);
            Toolbar3->show();
        }
        offerFirmwareLoader(LoadBoardRev == 40);
        EnableChipSelection(true);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("Comm. port open error"));
        EnableChipSelection(true);
    } catch (const Stopped&) {
        EnableChipSelection(true);
    }
}

void ISMmain::Toolbar2_ButtonClick(const QString& key) {
    unloadForm(QStringLiteral("frm_Splash"));
    if (key == QStringLiteral("Connect")) {
        if (!boardPortOpen() && LoadboardList->count() == 0) {
            LoadBoardRev = 0;
            armScan();
        }
        return;
    }
    if (key != QStringLiteral("Disconnect"))
        return;
    try {
        if (TRxLinkOn)
            unloadForm(QStringLiteral("Frm_YambleRfLinkTest"));
        if (RxLinkOn_LB2)
            unloadForm(QStringLiteral("DruskV1rflink_LB2"));
        if (CWLinkTXOn)
            unloadForm(QStringLiteral("frm_Link"));
        if (CWLinkRXOn)
            unloadForm(QStringLiteral("frm_Link_RX"));
        mnuToolsYambleRFlink->setEnabled(false);
        mnutoolsRFSetup_TX->setEnabled(false);
        mnutoolsRFSetup_RX->setEnabled(false);
        link()->closeBoardPort();
        ConnectButton->setEnabled(true);
        DisconnectButton->setEnabled(false);
        CommStatus->setText(QStringLiteral("No comm."));
        while (LoadboardList->count() > 0)
            LoadboardList->removeItem(LoadboardList->count() - 1);
        listConnected_ = false;
        setListText(QStringLiteral("Press connect"));
        offerFirmwareLoader(false);
        Toolbar3->hide();
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("Comm. port open error"));
    }
}

void ISMmain::offerFirmwareLoader(bool offered) {
    mnuload->setVisible(offered);
    mnuload->setEnabled(offered);
}

void ISMmain::boardLost() {
    Q_EMIT boardGone();
    offerFirmwareLoader(false);
    listConnected_ = false;
    setListText(QStringLiteral("Press connect"));
    CommStatus->setText(QStringLiteral("No comm."));
    ConnectButton->setEnabled(true);
    DisconnectButton->setEnabled(false);
    if (LoadboardList->count() == 0)
        return;
    while (LoadboardList->count() > 0)
        LoadboardList->removeItem(LoadboardList->count() - 1);
    Dialogs::message(QStringLiteral("Loadboard disconnected!\r\nPlease press connect again!"),
                     QStringLiteral("LoadBoard Communication Error!"));
}

} // namespace krv
