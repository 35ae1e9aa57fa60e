#include "configitems.h"

#include "common/error.h"
#include "common/itemfile.h"

#include <cmath>

namespace krv {

QByteArray writeConfigItems(const QString& banner, const QList<ConfigItem>& items,
                            const ConfigValues& values) {
    ItemWriter writer;
    writer.text(banner);
    for (const ConfigItem& item : items) {
        switch (item.kind) {
        case ConfigItem::Kind::Text:
            writer.text(values.text(item.name), item.name);
            break;
        case ConfigItem::Kind::Boolean:
            writer.boolean(values.flag(item.name));
            break;
        case ConfigItem::Kind::Integer:
            writer.number(values.number(item.name));
            break;
        }
    }
    return writer.bytes();
}

ConfigValues readConfigItems(const QByteArray& bytes, const QString& banner,
                             const QList<ConfigItem>& items, const QString& versionDescription) {
    ItemReader reader(bytes);
    if (reader.atEnd() || reader.peekKind() != ItemReader::Kind::Text || reader.text() != banner)
        throw Error(errors::IncorrectVersion, versionDescription);
    ConfigValues values;
    for (const ConfigItem& item : items) {
        switch (item.kind) {
        case ConfigItem::Kind::Text:
            values.texts.insert(item.name, reader.text());
            break;
        case ConfigItem::Kind::Boolean:
            values.flags.insert(item.name, reader.boolean());
            break;
        case ConfigItem::Kind::Integer: {
            const double value = reader.number();
            if (!(std::abs(value) < 1e15) || value != std::trunc(value))
                throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
            values.numbers.insert(item.name, static_cast<long long>(value));
            break;
        }
        }
    }
    return values;
}

} // namespace krv
