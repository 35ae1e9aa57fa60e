#include "transmitterforms.h"

#include "app/ismmain.h"
#include "ht539.h"
#include "mivrav2.h"
#include "mivrav2test.h"
#include "pelkov1.h"

namespace krv {

void registerTransmitterForms() {
    ISMmain::registerForm(QStringLiteral("MivraV2"),
                          [](ISMmain& main) -> QWidget* { return new MivraV2(main); });
    ISMmain::registerForm(QStringLiteral("PelkoV1"),
                          [](ISMmain& main) -> QWidget* { return new PelkoV1(main); });
    ISMmain::registerForm(QStringLiteral("HT539"),
                          [](ISMmain& main) -> QWidget* { return new HT539(main); });
    ISMmain::registerForm(QStringLiteral("MivraV2test"),
                          [](ISMmain& main) -> QWidget* { return new MivraV2test(main); });
}

} // namespace krv
