#include "about.h"

#include "common/dialogs.h"
#include "common/standardicons.h"
#include "ismmain.h"
#include "krvform.h"
#include "version.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

namespace krv {

namespace {

constexpr int widthTwips = 5730;
constexpr int heightTwips = 3000;

} // namespace

frmAbout::frmAbout(ISMmain& main) : main_(main) {
    picIcon = named(new QLabel(this), "picIcon");
    picIcon->setPixmap(standardIcon(QStyle::SP_ComputerIcon).pixmap(32));
    Label1 = named(new QLabel(QStringLiteral("Korvanethilmorasquendaplix"), this), "Label1");
    Label1->setFont(QFont(QStringLiteral("Arial"), 12));
    lblVersion = named(new QLabel(QStringLiteral("GUI Version 1.3.4"), this), "lblVersion");
    lblDescription =
        named(new QLabel(QStringLiteral("Technical support:"), this), "lblDescription");
    Label3 = named(new QLabel(QStringLiteral("krv-support@orvalex.example"), this), "Label3");
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdSysInfo = named(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo");

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addWidget(lblVersion);
    texts->addSpacing(Label1->fontMetrics().height() / 2);
    texts->addWidget(lblDescription);
    texts->addWidget(Label3);
    texts->addStretch();
    // The two buttons, one above the other and equally wide, at the bottom right.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(picIcon->pixmap().width() / 2);
    layout->addWidget(picIcon, 0, 0, Qt::AlignTop);
    layout->addLayout(texts, 0, 1);
    layout->addLayout(buttons, 1, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);

    connect(cmdOK, &QPushButton::clicked, this, [this] { main_.unloadForm(objectName()); });
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + version::title());
    lblVersion->setText(version::guiText());
    main_.sizeDialog(this, widthTwips, heightTwips);
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
