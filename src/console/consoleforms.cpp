#include "consoleforms.h"

#include "app/ismmain.h"
#include "spi.h"

namespace krv {

void registerConsoleForms() {
    ISMmain::registerForm(QStringLiteral("SPI"), [](ISMmain& main) { return new SPI(main); });
}

} // namespace krv
