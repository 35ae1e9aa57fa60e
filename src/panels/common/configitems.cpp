#include "configitems.h"

#include "common/error.h"
#include "common/itemfile.h"
#include "common/numbers.h"

#include <cmath>

namespace krv {

ConfigItem ConfigItem::option(const QString& name) {
    ConfigItem item;
    item.name = name;
    item.kind = Kind::Boolean;
    return item;
}

ConfigItem ConfigItem::checkBox(const QString& name) {
    return number(name, 0, 2);
}

ConfigItem ConfigItem::listIndex(const QString& name, int entries) {
    return number(name, -1, entries - 1);
}

ConfigItem ConfigItem::scrollBar(const QString& name, int maximum) {
    return number(name, 0, maximum);
}

ConfigItem ConfigItem::number(const QString& name, long long minimum, long long maximum) {
    ConfigItem item;
    item.name = name;
    item.kind = Kind::Integer;
    item.minimum = minimum;
    item.maximum = maximum;
    return item;
}

ConfigItem ConfigItem::text(const QString& name, int maxLength) {
    ConfigItem item;
    item.name = name;
    item.maxLength = maxLength;
    return item;
}

ConfigItem ConfigItem::voltage() {
    ConfigItem item = text(QStringLiteral("Pref_Voltage"));
    item.positiveNumber = true;
    return item;
}

QByteArray writeConfigItems(const ConfigFileType& type, const ConfigValues& values) {
    ItemWriter writer;
    writer.text(type.banner);
    for (const ConfigItem& item : type.items) {
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

namespace {

Error typeMismatch() {
    return Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
}

Error invalidValue() {
    return Error(errors::InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

void checkConfigValues(const QList<ConfigItem>& items, const ConfigValues& values) {
    for (const ConfigItem& item : items) {
        switch (item.kind) {
        case ConfigItem::Kind::Text: {
            const QString text = values.text(item.name);
            if (item.maxLength > 0 && text.size() > item.maxLength)
                throw invalidValue();
            if (!item.positiveNumber)
                break;
            if (!isWholeNumber(text))
                throw typeMismatch();
            if (!(leadingNumber(text) > 0))
                throw invalidValue();
            break;
        }
        case ConfigItem::Kind::Boolean:
            break;
        case ConfigItem::Kind::Integer: {
            const long long value = values.number(item.name);
            if (value < item.minimum || value > item.maximum)
                throw invalidValue();
            break;
        }
        }
    }
}

} // namespace

ConfigValues readConfigItems(const ConfigFileType& type, const QByteArray& bytes) {
    ItemReader reader(bytes);
    if (reader.atEnd())
        throw Error(errors::InputPastEnd, QStringLiteral("Input past end of file"));
    if (reader.peekKind() != ItemReader::Kind::Text || reader.text() != type.banner)
        throw Error(errors::IncorrectVersion, type.versionDescription);
    ConfigValues values;
    for (const ConfigItem& item : type.items) {
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
                throw typeMismatch();
            values.numbers.insert(item.name, static_cast<long long>(value));
            break;
        }
        }
    }
    return values;
}

ConfigValues readConfigFile(const ConfigFileType& type, const QByteArray& bytes) {
    ConfigValues values = readConfigItems(type, bytes);
    checkConfigValues(type.items, values);
    return values;
}

} // namespace krv
