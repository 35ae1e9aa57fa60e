#include "common/error.h"
#include "common/itemfile.h"
#include "common/programfolder.h"
#include "ismmain.h"
#include "krvform.h"

namespace krv {

void ISMmain::showSplash() {
    QWidget* splash = form(QStringLiteral("frm_Splash"));
    if (!splash)
        return;
    hideForm(splash);
    placeSplash();
    showForm(splash);
    SplashOn = true;
}

void ISMmain::placeSplash() {
    QWidget* splash = loadedForm(QStringLiteral("frm_Splash"));
    if (!splash)
        return;
    const double heightTwips = pixelsToTwips(height());
    const double widthTwips = pixelsToTwips(width());
    const double splashHeight = pixelsToTwips(splash->height());
    const double splashWidth = pixelsToTwips(splash->width());
    placeForm(splash, (heightTwips - 2000) / 2 - splashHeight / 2,
              widthTwips / 2 - splashWidth / 2);
}

void ISMmain::restoreWorkspace() {
    ItemReader reader = ItemReader::fromFile(ProgramFolder::file(QStringLiteral("KRV.wsp")));
    if (reader.text() != QStringLiteral("# KRV workspace file version 1.3.4"))
        throw Error(errors::IncorrectVersion, QStringLiteral("Incorrect workspace file version"));
    bool* flags[] = {&Terminalon, &EEPROMon,     &TX0on,         &TX1on, &RXon,  &RX1on,
                     &RxLinkOn,   &RxLinkOn_LB2, &MivraV2testOn, &TRXon, &TRX1on};
    for (bool* flag : flags)
        *flag = reader.boolean();
}

} // namespace krv
