#include "about.h"

#include "common/dialogs.h"
#include "common/standardicons.h"
#include "ismmain.h"
#include "krvform.h"
#include "version.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>

namespace krv {

frmAbout::frmAbout(ISMmain& main) : main_(main) {
    setFixedSize(twipsToPixels(5730), twipsToPixels(3000));
    picIcon = named(new QLabel(this), "picIcon", twipsRect(240, 240, 540, 540));
    picIcon->setPixmap(standardIcon(QStyle::SP_ComputerIcon).pixmap(32));
    Label1 = named(new QLabel(QStringLiteral("Korvanethilmorasquendaplix"), this), "Label1",
                   twipsRect(1050, 240, 4500, 375));
    Label1->setFont(QFont(QStringLiteral("Arial"), 12));
    lblVersion = named(new QLabel(QStringLiteral("GUI Version 1.3.4"), this), "lblVersion",
                       twipsRect(1050, 780, 4500, 225));
    lblDescription = named(new QLabel(QStringLiteral("Technical support:"), this), "lblDescription",
                           twipsRect(1050, 1200, 4500, 255));
    Label3 = named(new QLabel(QStringLiteral("krv-support@orvalex.example"), this), "Label3",
                   twipsRect(1050, 1500, 4500, 255));
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK",
                  twipsRect(4080, 2025, 1440, 345));
    cmdSysInfo = named(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo",
                       twipsRect(4080, 2475, 1440, 345));
    connect(cmdOK, &QPushButton::clicked, this, [this] { main_.unloadForm(objectName()); });
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::Form_Load() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint);
        frame->resize(frame->sizeHint());
    }
    setWindowTitle(QStringLiteral("About ") + version::title());
    lblVersion->setText(version::guiText());
}

QString frmAbout::systemInformation() {
    const QString product = QSysInfo::prettyProductName();
    const QString kernel = QSysInfo::kernelType();
    if (product.isEmpty() && kernel.isEmpty())
        return {};
    return QStringLiteral("Operating system: ") + product + QStringLiteral("\r\nKernel: ") +
           kernel + u' ' + QSysInfo::kernelVersion() + QStringLiteral("\r\nArchitecture: ") +
           QSysInfo::currentCpuArchitecture() + QStringLiteral("\r\nMachine: ") +
           QSysInfo::machineHostName();
}

void frmAbout::StartSysInfo() {
    const QString information = systemInformation();
    if (information.isEmpty())
        Dialogs::message(QStringLiteral("System Information Is Unavailable At This Time"));
    else
        Dialogs::message(information, QStringLiteral("System Information"));
}

} // namespace krv
