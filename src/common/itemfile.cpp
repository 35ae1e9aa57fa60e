#include "itemfile.h"

#include "boundedfile.h"
#include "error.h"
#include "latin1.h"
#include "numbers.h"
#include "savefile.h"

namespace krv {

ItemWriter& ItemWriter::text(const QString& value, const QString& field) {
    // A quote or a line break would end the item early and shift every later one.
    if (value.contains(u'"'))
        throw unheldText(value, field, QStringLiteral("a double quote"), TextFor::File);
    if (value.contains(u'\r') || value.contains(u'\n'))
        throw unheldText(value, field, QStringLiteral("a line break"), TextFor::File);
    bytes_ += '"' + checkedLatin1(value, field, TextFor::File) + "\"\r\n";
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
    bytes_ += checkedLatin1(value, QString(), TextFor::File) + "\r\n";
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

ItemReader::ItemReader(const QByteArray& bytes) : bytes_(bytes) {}

ItemReader ItemReader::fromFile(const QString& path, qint64 bound) {
    return ItemReader(readFileBounded(path, bound));
}

bool ItemReader::readLine() const {
    if (lineStart_ >= bytes_.size())
        return false;
    qsizetype end = bytes_.indexOf('\n', lineStart_);
    const qsizetype next = end < 0 ? bytes_.size() : end + 1;
    if (end < 0)
        end = bytes_.size();
    else if (end > lineStart_ && bytes_.at(end - 1) == '\r')
        --end; // CR LF ends a line as LF does
    items_ += fieldsOf(QString::fromLatin1(bytes_.constData() + lineStart_, end - lineStart_));
    lineStart_ = next;
    return true;
}

bool ItemReader::atEnd() const {
    while (next_ >= items_.size())
        if (!readLine())
            return true;
    return false;
}

qsizetype ItemReader::count() const {
    while (readLine()) {
    }
    return items_.size();
}

QString ItemReader::take() {
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
