#include "itemfile.h"

#include "error.h"
#include "numbers.h"
#include "savefile.h"

#include <QFile>
#include <QFileInfo>

namespace krv {

ItemWriter& ItemWriter::text(const QString& value) {
    bytes_ += '"' + value.toLatin1() + "\"\r\n";
    return *this;
}

ItemWriter& ItemWriter::boolean(bool value) {
    bytes_ += value ? "#TRUE#\r\n" : "#FALSE#\r\n";
    return *this;
}

ItemWriter& ItemWriter::number(long long value) {
    bytes_ += QByteArray::number(value) + "\r\n";
    return *this;
}

ItemWriter& ItemWriter::number(double value) {
    return bare(plainNumberText(value));
}

ItemWriter& ItemWriter::number(float value) {
    return bare(plainNumberText(value));
}

ItemWriter& ItemWriter::bare(const QString& value) {
    bytes_ += value.toLatin1() + "\r\n";
    return *this;
}

void ItemWriter::save(const QString& path) const {
    saveFileWhole(path, bytes_);
}

namespace {

// The fields of one line: a comma outside double quotes ends a field, as the end of the line does.
QStringList fieldsOf(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        if (c == u',' && !quoted)
            fields.append(QString());
        else
            fields.last() += c;
    }
    return fields;
}

} // namespace

ItemReader::ItemReader(const QByteArray& bytes) {
    QString all = QString::fromLatin1(bytes);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = all.split(u'\n');
    // The last line ends with CR LF, which leaves one empty piece behind it.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (const QString& line : std::as_const(lines))
        items_ += fieldsOf(line);
}

ItemReader ItemReader::fromFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path))
        throw Error(errors::FileNotFound, QStringLiteral("File not found"));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(errors::PermissionDenied, QStringLiteral("Permission denied"));
    return ItemReader(file.readAll());
}

const QString& ItemReader::take() {
    if (atEnd())
        throw Error(errors::InputPastEnd, QStringLiteral("Input past end of file"));
    return items_.at(next_++);
}

ItemReader::Kind ItemReader::peekKind() const {
    if (atEnd())
        return Kind::Other;
    const QString item = items_.at(next_).trimmed();
    if (item.size() >= 2 && item.startsWith(u'"') && item.endsWith(u'"'))
        return Kind::Text;
    if (item == QStringLiteral("#TRUE#") || item == QStringLiteral("#FALSE#"))
        return Kind::Boolean;
    if (isWholeNumber(item))
        return Kind::Number;
    return Kind::Other;
}

QString ItemReader::text() {
    if (peekKind() != Kind::Text && !atEnd())
        throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
    const QString item = take().trimmed();
    return item.mid(1, item.size() - 2);
}

bool ItemReader::boolean() {
    if (peekKind() != Kind::Boolean && !atEnd())
        throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
    return take().trimmed() == QStringLiteral("#TRUE#");
}

double ItemReader::number() {
    if (peekKind() != Kind::Number && !atEnd())
        throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
    return leadingNumber(take());
}

long long ItemReader::wholeNumber() {
    return roundHalfEven(number());
}

QString ItemReader::any() {
    const Kind kind = peekKind();
    const QString item = take();
    if (kind == Kind::Text) {
        const QString trimmed = item.trimmed();
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return item.trimmed();
}

} // namespace krv
