#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace krv {

// A chip configuration file as a banner line and items in a fixed order, each a control's text,
// an option's state or a number (a check box's value, a list's position). The file holds what the
// panel shows, not its words.
struct ConfigItem {
    enum class Kind { Text, Boolean, Integer };
    QString name; // the control's name, or the main window's variable ("Pref_Voltage")
    Kind kind;
};

struct ConfigValues {
    QHash<QString, QString> texts;
    QHash<QString, bool> flags;
    QHash<QString, long long> numbers;

    QString text(const QString& name) const { return texts.value(name); }
    bool flag(const QString& name) const { return flags.value(name); }
    long long number(const QString& name) const { return numbers.value(name); }
};

// The file's bytes, byte-exact in item order.
QByteArray writeConfigItems(const QString& banner, const QList<ConfigItem>& items,
                            const ConfigValues& values);
// Parses a whole file. Throws krv::Error: 1226 with `versionDescription` for another banner,
// 62 for a missing line, 13 for an item of the wrong kind or a number that is not whole.
ConfigValues readConfigItems(const QByteArray& bytes, const QString& banner,
                             const QList<ConfigItem>& items, const QString& versionDescription);

} // namespace krv
