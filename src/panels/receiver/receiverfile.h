#pragma once

#include "receiverchip.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace krv::receiver {

// The chip configuration files *.rc (HR651) and *.rc2 (HR658): a banner line, then one item a
// line in a fixed order. The file holds what the panel shows, not the words.
enum class ItemKind { Text, Boolean, Integer };
struct ItemSpec {
    QString name;
    ItemKind kind;
};

struct FileType {
    QString pattern;
    QString extension;
    QString filter;
    QString banner;
    QString saveTitle;
    QList<ItemSpec> items; // banner excluded
};
const FileType& fileType(Chip chip);

// The items of one file by control name (main-window variables by their names,
// "Pref_RxLinkTimeout" and "Pref_Voltage").
struct ReceiverConfig {
    QHash<QString, QString> texts;
    QHash<QString, bool> flags;
    QHash<QString, long long> numbers;

    QString text(const QString& name) const { return texts.value(name); }
    bool flag(const QString& name) const { return flags.value(name); }
    long long number(const QString& name) const { return numbers.value(name); }
};

// The file's bytes, byte-exact in item order.
QByteArray serialize(Chip chip, const ReceiverConfig& config);
// Parses a whole file; throws krv::Error: 1226 "Incorrect configuration file version" for
// another banner, 62 for a missing line, 13 for an item of the wrong kind.
ReceiverConfig parse(Chip chip, const QByteArray& bytes);

} // namespace krv::receiver
