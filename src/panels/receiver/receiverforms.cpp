#include "receiverforms.h"

#include "app/ismmain.h"
#include "druskv1.h"
#include "ovalt.h"

namespace krv {

void registerReceiverForms() {
    ISMmain::registerForm(QStringLiteral("DruskV1"), [](ISMmain& m) { return new DruskV1(m); });
    ISMmain::registerForm(QStringLiteral("Ovalt"), [](ISMmain& m) { return new Ovalt(m); });
}

} // namespace krv
