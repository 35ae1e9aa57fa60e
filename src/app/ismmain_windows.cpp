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

} // namespace krv
