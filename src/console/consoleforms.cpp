#include "consoleforms.h"

#include "app/ismmain.h"
#include "spi.h"
#include "spisub2.h"

namespace krv {

void registerConsoleForms() {
    ISMmain::registerForm(QStringLiteral("SPI"), [](ISMmain& main) { return new SPI(main); });
    ISMmain::registerForm(QStringLiteral("SPIsub2"),
                          [](ISMmain& main) { return new SPIsub2(main); });
}

} // namespace krv
