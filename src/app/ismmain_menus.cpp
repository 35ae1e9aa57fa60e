#include "common/dialogs.h"
#include "common/programfolder.h"
#include "ismmain.h"
#include "krvform.h"

#include <QAction>
#include <QDesktopServices>
#include <QMdiSubWindow>
#include <QUrl>

namespace krv {

void ISMmain::wireMenus() {
    connect(mnuSaveWorkspace, &QAction::triggered, this, &ISMmain::mnuSaveWorkspace_Click);
    connect(mnuFilePreferences, &QAction::triggered, this, &ISMmain::mnuFilePreferences_Click);
    connect(mnutoolsTerminal, &QAction::triggered, this, &ISMmain::mnutoolsTerminal_Click);
    const std::pair<QAction*, const char*> tools[] = {
        {mnutoolsECET, "ECET"},
        {mnutoolsEEPROM, "eeprom"},
        {mnutoolsRFSetup_RX, "frm_Link_RX"},
        {mnutoolsRFSetup_TX, "frm_Link"},
        {mnuToolsYambleRFlink, "Frm_YambleRfLinkTest"},
        {mnuToolsMivraTestmode, "MivraV2test"},
        {mnuToolsDruskTestmode, "Frm_DruskTestFunctions"},
        {mnuToolsYambleTestmode, "Frm_YambleTestFunctions"},
        {mnuload, "FirmLoad"},
        {mnuHelpProducts, "Products"},
    };
    for (const auto& [action, name] : tools) {
        const QString form = QString::fromLatin1(name);
        connect(action, &QAction::triggered, this, [this, form] { showToolWindow(form); });
    }
    connect(mnuToolsRFlink, &QAction::triggered, this, &ISMmain::mnuToolsRFlink_Click);
    connect(mnuSPI, &QAction::triggered, this, &ISMmain::mnuSPI_Click);
    connect(mnuGenCHeader, &QAction::triggered, this, &ISMmain::mnuGenCHeader_Click);
    connect(mnuHelpBrowseDoc, &QAction::triggered, this, [this] { mnuHelpBrowse_Click(false); });
    connect(mnuHelpBrowseEx, &QAction::triggered, this, [this] { mnuHelpBrowse_Click(true); });
    connect(mnuHelpAbout, &QAction::triggered, this, &ISMmain::mnuHelpAbout_Click);
}

void ISMmain::showToolWindow(const QString& name) {
    unloadForm(QStringLiteral("frm_Splash"));
    if (QWidget* window = form(name))
        showForm(window);
}

void ISMmain::ShowTxSearch() {
    showToolWindow(QStringLiteral("frm_TxSearch"));
}

void ISMmain::ShowSnifferOptions() {
    showToolWindow(QStringLiteral("frm_ZiborSniffer"));
}

void ISMmain::EEPROM_show() {
    if (QWidget* programmer = form(QStringLiteral("eeprom")))
        showForm(programmer);
}

void ISMmain::EEPROM_hide() {
    unloadForm(QStringLiteral("eeprom"));
}

void ISMmain::mnuFilePreferences_Click() {
    showToolWindow(QStringLiteral("Preferences"));
}

void ISMmain::mnutoolsTerminal_Click() {
    showToolWindow(QStringLiteral("Terminal"));
}

void ISMmain::mnuToolsRFlink_Click() {
    showToolWindow(LoadBoardRev == 2 ? QStringLiteral("DruskV1rflink_LB2")
                                     : QStringLiteral("DruskV1rflink"));
}

void ISMmain::mnuSPI_Click() {
    QWidget* console = form(QStringLiteral("SPI"));
    if (console)
        showForm(console);
    // The check mark says the console is open; the console clears it when it closes.
    mnuSPI->setChecked(console != nullptr);
}

void ISMmain::mnuGenCHeader_Click() {
    // Made visible where it stands, not brought forward.
    QWidget* generator = form(QStringLiteral("Frm_GenHeader"));
    if (!generator)
        return;
    generator->show();
    if (QMdiSubWindow* frame = frameOf(generator))
        frame->show();
}

void ISMmain::mnuHelpBrowse_Click(bool examples) {
    unloadForm(QStringLiteral("frm_Splash"));
    const Dialogs::FileRequest request{
        examples ? QStringLiteral("Browse examples") : QStringLiteral("Browse documentation "),
        QStringLiteral("Documentation files (*.pdf *.PDF);;All files (*)"),
        ProgramFolder::dataFolder(examples ? ProgramFolder::Data::Examples
                                           : ProgramFolder::Data::Documentation),
        QStringLiteral("*.pdf")};
    const QString path = Dialogs::openFile(request, this);
    // The desktop opens the document; a cancelled dialog opens nothing.
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ISMmain::mnuHelpAbout_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    QWidget* about = form(QStringLiteral("frmAbout"));
    QMdiSubWindow* frame = frameOf(about);
    if (!frame)
        return;
    showForm(about);
    frame->hide();
    placeCentred(about);
    frame->show();
}

} // namespace krv
