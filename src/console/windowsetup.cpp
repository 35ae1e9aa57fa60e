#include "windowsetup.h"

#include "common/textlines.h"

namespace krv::console {

WindowSetup readWindowSetup(const QByteArray& file) {
    WindowSetup setup;
    qsizetype number = 0;
    for (const QByteArrayView line : TextLines(file)) {
        if (++number == 1)
            continue;
        const QString text = QString::fromLatin1(line.data(), line.size());
        if (number == 2) {
            setup.notes = text;
            continue;
        }
        setup.addresses.append(text);
        if (setup.addresses.size() == WindowSetupRows)
            break;
    }
    return setup;
}

} // namespace krv::console
