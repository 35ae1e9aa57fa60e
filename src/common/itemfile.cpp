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

// Where the item at the start of `line` ends: at the first comma outside double quotes, or at
// the line's end.
qsizetype itemEnd(QByteArrayView line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ',' && !quoted)
            return i;
    }
    return line.size();
}

bool holdsMoreItemsThan(QByteArrayView line, qsizetype most) {
    qsizetype items = 1;
    for (qsizetype end = itemEnd(line); end < line.size(); end += 1 + itemEnd(line.sliced(end + 1)))
        if (++items > most)
            return true;
    return false;
}

QString latin1(QByteArrayView bytes) {
    return QString::fromLatin1(bytes.data(), bytes.size());
}

// The blanks QString::trimmed() takes away from single-byte text.
bool isBlank(char c) {
    const auto u = quint8(c);
    return u == ' ' || (u >= '\t' && u <= '\r') || u == 0x85 || u == 0xA0;
}

QByteArrayView trimmed(QByteArrayView item) {
    while (!item.isEmpty() && isBlank(item.front()))
        item = item.sliced(1);
    while (!item.isEmpty() && isBlank(item.back()))
        item.chop(1);
    return item;
}

// A text item without its double quotes.
QByteArrayView unquoted(QByteArrayView item) {
    return item.sliced(1, item.size() - 2);
}

Error typeMismatch() {
    return Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
}

} // namespace

ItemReader::ItemReader(const QByteArray& bytes) : lines_(bytes), nextLine_(lines_.begin()) {}

ItemReader ItemReader::fromFile(const QString& path, qint64 bound) {
    return ItemReader(readFileBounded(path, bound));
}

bool ItemReader::enterLine() const {
    if (nextLine_ == lines_.end())
        return false;
    const QByteArrayView line = *nextLine_++;
    ++lineNumber_;
    if (holdsMoreItemsThan(line, MostItemsInALine))
        throw Error(errors::InvalidFileFormat, QStringLiteral("Line %1 holds more than %2 items")
                                                   .arg(lineNumber_)
                                                   .arg(MostItemsInALine));
    rest_ = line;
    return true;
}

bool ItemReader::atEnd() const {
    return !rest_ && !enterLine();
}

void ItemReader::skip(qsizetype itemEnd) const {
    if (itemEnd < rest_->size())
        rest_ = rest_->sliced(itemEnd + 1);
    else
        rest_.reset();
}

qsizetype ItemReader::count() const {
    // A copy walks on; this reader stays where it is.
    const ItemReader rest = *this;
    qsizetype items = 0;
    while (!rest.atEnd()) {
        rest.skip(itemEnd(*rest.rest_));
        ++items;
    }
    return items;
}

QByteArrayView ItemReader::take() {
    if (atEnd())
        throw Error(errors::InputPastEnd, QStringLiteral("Input past end of file"));
    const qsizetype end = itemEnd(*rest_);
    const QByteArrayView item = rest_->first(end);
    skip(end);
    return item;
}

ItemReader::Kind ItemReader::peekKind() const {
    if (atEnd())
        return Kind::Other;
    const QByteArrayView item = trimmed(rest_->first(itemEnd(*rest_)));
    if (item.size() >= 2 && item.startsWith('"') && item.endsWith('"'))
        return Kind::Text;
    if (item == QByteArrayView("#TRUE#") || item == QByteArrayView("#FALSE#"))
        return Kind::Boolean;
    if (isWholeNumber(latin1(item)))
        return Kind::Number;
    return Kind::Other;
}

QString ItemReader::text() {
    if (peekKind() != Kind::Text && !atEnd())
        throw typeMismatch();
    return latin1(unquoted(trimmed(take())));
}

bool ItemReader::boolean() {
    if (peekKind() != Kind::Boolean && !atEnd())
        throw typeMismatch();
    return trimmed(take()) == QByteArrayView("#TRUE#");
}

double ItemReader::number() {
    if (peekKind() != Kind::Number && !atEnd())
        throw typeMismatch();
    return leadingNumber(latin1(take()));
}

long long ItemReader::wholeNumber() {
    return roundHalfEven(number());
}

QString ItemReader::any() {
    const Kind kind = peekKind();
    const QByteArrayView item = trimmed(take());
    return latin1(kind == Kind::Text ? unquoted(item) : item);
}

} // namespace krv
