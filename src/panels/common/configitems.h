#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <limits>

namespace krv {

// One item of a chip configuration file: how the file writes it (a text in double quotes,
// #TRUE# / #FALSE#, a whole number) and what the control behind it takes. The file holds what
// the panel shows, not its words; every family lists its items in file order and builds them
// with the functions below.
struct ConfigItem {
    enum class Kind { Text, Boolean, Integer };
    QString name; // the control's name, or the main window's variable ("Pref_Voltage")
    Kind kind = Kind::Text;
    // Integer items: the whole numbers the control takes.
    long long minimum = std::numeric_limits<long long>::min();
    long long maximum = std::numeric_limits<long long>::max();
    // Text items: the most characters the box holds (0: any), and whether the text must be a
    // number above zero.
    int maxLength = 0;
    bool positiveNumber = false;

    // An option button's state.
    static ConfigItem option(const QString& name);
    // A check box's value: 0, 1 or 2 (greyed).
    static ConfigItem checkBox(const QString& name);
    // A list's selection index, -1 for none.
    static ConfigItem listIndex(const QString& name, int entries);
    // A scroll bar's position, 0 .. maximum.
    static ConfigItem scrollBar(const QString& name, int maximum);
    // A whole number held by the main window.
    static ConfigItem number(const QString& name, long long minimum, long long maximum);
    // A box's text or a list's text; a longer text than the box holds would be cut short.
    static ConfigItem text(const QString& name, int maxLength = 0);
    // The main window's supply voltage, "Pref_Voltage": a text that is a number above zero.
    static ConfigItem voltage();
};

// The items of one file by name.
struct ConfigValues {
    QHash<QString, QString> texts;
    QHash<QString, bool> flags;
    QHash<QString, long long> numbers;

    QString text(const QString& name) const { return texts.value(name); }
    bool flag(const QString& name) const { return flags.value(name); }
    long long number(const QString& name) const { return numbers.value(name); }
};

// A chip configuration file type: the dialogs' texts, the banner line and the items after it.
struct ConfigFileType {
    QString extension; // "trc"
    QString filter;    // the dialogs' filter, in the dialog seam's notation
    QString banner;
    QString versionDescription = QStringLiteral("Incorrect configuration file version"); // 1226
    QString openTitle;
    QString saveTitle;
    QList<ConfigItem> items; // banner excluded

    QString pattern() const { return QStringLiteral("*.") + extension; }
};

// The file's bytes, byte-exact in item order.
QByteArray writeConfigItems(const ConfigFileType& type, const ConfigValues& values);

// Reads the banner and the items by their kinds. Throws krv::Error: 62 for a missing line, 1226
// with the type's description for another banner, 13 for an item of the wrong kind or a number
// that is not whole.
ConfigValues readConfigItems(const ConfigFileType& type, const QByteArray& bytes);

// The whole file checked before anything of it is used: readConfigItems, then every value against
// what its item's control takes. Throws krv::Error as readConfigItems does, and 380 for a number
// out of its range, a text longer than its box or a voltage not above zero, 13 for a voltage that
// is no number.
ConfigValues readConfigFile(const ConfigFileType& type, const QByteArray& bytes);

} // namespace krv
