#include "appwindows.h"

#include "about.h"
#include "datafilterhelp.h"
#include "ismmain.h"
#include "powersupply.h"
#include "preferences.h"
#include "products.h"
#include "splash.h"
#include "terminal.h"

namespace krv {

namespace {

template <typename T> void add(const char* name) {
    ISMmain::registerForm(QString::fromLatin1(name), [](ISMmain& main) { return new T(main); });
}

} // namespace

void registerAppWindows() {
    add<Terminal>("Terminal");
    add<Preferences>("Preferences");
    add<frm_PowerSupply>("frm_PowerSupply");
    add<frm_Splash>("frm_Splash");
    add<frmAbout>("frmAbout");
    add<Products>("Products");
    add<Help_R1>("Help_R1");
}

} // namespace krv
