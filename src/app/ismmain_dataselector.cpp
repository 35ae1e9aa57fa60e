#include "common/dialogs.h"
#include "common/error.h"
#include "ismmain.h"
#include "link/linkwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace krv {

void ISMmain::CB_Mode_Click() {
    ApplyDataMode();
}

void ISMmain::selectDataMode(int index) {
    // Choosing the entry that is already selected still sends its command.
    if (CB_Mode->currentIndex() == index)
        ApplyDataMode();
    else
        CB_Mode->setCurrentIndex(index);
}

void ISMmain::ApplyDataMode() {
    const int index = CB_Mode->currentIndex();
    try {
        if (index == 0 || index == 1) {
            if (!boardPortOpen())
                leaveRawDataMode();
            Send_To_LoadBoard(index == 0 ? QStringLiteral("X1\r") : QStringLiteral("X0\r"));
        } else if (index == 2 && boardPortOpen()) {
            link()->closeBoardPortAfter("X2\r");
            LoadBoardIndex = LoadboardList->currentIndex();
            {
                const QSignalBlocker blocker(LoadboardList);
                LoadboardList->setCurrentIndex(-1);
            }
            ConnectButton->setEnabled(false);
            DisconnectButton->setEnabled(false);
            CommStatus->setText(QStringLiteral("Data mode"));
            offerFirmwareLoader(false);
        }
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("Comm. port openerror"));
    }
}

void ISMmain::leaveRawDataMode() {
    LinkWindow* connection = link();
    if (connection->IssueBreakByDriver(UsbLocation) != 0) {
        CB_Mode->setCurrentIndex(2);
        throw Error(errors::PortNotAvailable, QStringLiteral("Commport is not available"));
    }
    CommPort* port = connection->MSComm2;
    port->setSettings(QStringLiteral("19200,N,8,1"));
    port->setDTREnable(true);
    port->setCommPort(ScanPort);
    port->setRTSEnable(true);
    port->setPortOpen(true);
    port->clearInput();
    ListClickLocked = true;
    LoadboardList->setCurrentIndex(LoadBoardIndex);
    ListClickLocked = false;
    ConnectButton->setEnabled(false);
    DisconnectButton->setEnabled(true);
    Send_To_LoadBoard(QStringLiteral("\r"));
}

} // namespace krv
