#include "headerframe.h"

#include "app/version.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace krv::header {

namespace {

QString tabs(int count) {
    return QString(count, u'\t');
}

// A banner line: its text, the TABs that close the box and "***".
QString boxed(const QString& text, int tabCount) {
    return text + tabs(tabCount) + QStringLiteral("***");
}

const QString stars = QString(107, u'*');

} // namespace

QStringList openingLines(const Banner& banner) {
    const QString web = QString::fromLatin1(WebAddress);
    const QString mail = QString::fromLatin1(SupportAddress);
    const QString device = QStringLiteral("*** Device: ") + banner.device;
    return {
        QStringLiteral("/*"),
        stars,
        boxed(QStringLiteral("*** Configuration File generated automatically by Orvalex's "
                             "Korvanethilmorasquendaplix"),
              2),
        boxed(QStringLiteral("*** ") + version::title() + u' ' + version::guiText(), 10),
        banner.revision ? boxed(device + QStringLiteral(" rev:") + *banner.revision, 9)
                        : boxed(device, 11),
        boxed(QStringLiteral("***"), 13),
        boxed(QStringLiteral("*** Crystal Value: ") + banner.crystal + QStringLiteral(" MHz"), 10),
        boxed(QStringLiteral("***"), 13),
        boxed(QStringLiteral("*** For further details please consult device datasheet available "
                             "at <") +
                  web + u'>',
              1),
        boxed(QStringLiteral("*** For technical support please attach this file and contact:"), 6),
        boxed(QStringLiteral("*** ") + mail + QStringLiteral(" <mailto:") + mail + u'>', 4),
        stars,
        QStringLiteral("*/"),
        QString(),
        QString(),
        QStringLiteral("#define ") + banner.device,
        QStringLiteral("#define UPCLKFREQUENCY") + tabs(3) + QString::number(banner.clockHz),
        QString(),
        QString(),
    };
}

QStringList closingLines() {
    return {QString(), QString(), QStringLiteral("/*"),
            QString(36, u'*') + QStringLiteral(" End of header file ") + QString(51, u'*'),
            QStringLiteral("*/")};
}

std::optional<qint32> clockOutputHz(const QString& megahertz) {
    QLocale c = QLocale::c();
    // "1,25" is no clock frequency, not 125 MHz.
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(megahertz, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double hertz = std::nearbyint(value * 1000000.0);
    if (hertz < std::numeric_limits<qint32>::min() || hertz > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(hertz);
}

bool isDefinePrefix(const QString& text) {
    static const QRegularExpression identifier(QStringLiteral("\\A([A-Za-z_][A-Za-z0-9_]*)?\\z"));
    return identifier.match(text).hasMatch();
}

} // namespace krv::header
