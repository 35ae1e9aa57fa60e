#pragma once

#include "boundedfile.h"
#include "textlines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv {

// The item notation shared by the settings, workspace and chip configuration files: one item a
// line ended by CR LF, texts in double quotes, #TRUE# / #FALSE#, bare numbers with a point.
// Files are single-byte Latin-1 text.
class ItemWriter {
public:
    // A text is written between double quotes as it stands, with no escaping: the same bytes as
    // every earlier file. So a text the notation cannot hold is refused (krv::Error 1229 naming
    // `field` when given, and the text): a double quote or a line break would end the item early
    // and shift every later one, and a character outside Latin-1 would turn into "?".
    ItemWriter& text(const QString& value, const QString& field = QString());
    ItemWriter& boolean(bool value);
    ItemWriter& number(long long value);
    ItemWriter& number(int value) { return number(static_cast<long long>(value)); }
    ItemWriter& number(double value);
    ItemWriter& number(float value);
    // A number already in its written form (the text of a box).
    ItemWriter& bare(const QString& value);

    const QByteArray& bytes() const { return bytes_; }

    // Replaces the file by the bytes, whole or not at all (saveFileWhole); throws krv::Error.
    void save(const QString& path) const;

private:
    QByteArray bytes_;
};

// Reads items one after the other, each ended by the end of its line or by a comma outside
// double quotes; every accessor throws krv::Error when the next item is
// missing (62 "Input past end of file") or of the wrong kind (13 "Type mismatch"). Lines and items
// are found where they stand as they are asked for: a reader stops once it has what it needs,
// whatever follows in the file, and an item costs nothing until it is taken.
class ItemReader {
public:
    // Every real file holds one item a line; a line of many more is no file of this notation
    // (a megabyte of commas would be a million items), and is refused when the reader comes to
    // it, before any of its items is taken: krv::Error 321 "Line <n> holds more than 64 items".
    static constexpr qsizetype MostItemsInALine = 64;

    explicit ItemReader(const QByteArray& bytes);
    // Reads a whole file no larger than `bound`; throws krv::Error (53 "File not found", 1227
    // "File larger than ...", ...) when it cannot.
    static ItemReader fromFile(const QString& path, qint64 bound = fileBounds::Configuration);

    QString text();
    bool boolean();
    double number();
    long long wholeNumber(); // rounded half to even
    // The next item as it stands, without its quotes when it is a text.
    QString any();

    bool atEnd() const;
    // The items not taken yet, counted to the text's end; the reader stays where it is.
    qsizetype count() const;

    enum class Kind { Text, Boolean, Number, Other };
    Kind peekKind() const;

private:
    // The next item as it stands in its line; throws 62 at the end.
    QByteArrayView take();
    // Passes the next item, which ends at `itemEnd` of what is left of its line.
    void skip(qsizetype itemEnd) const;
    // Moves to the next line; false at the end of the text.
    bool enterLine() const;
    // The bytes are shared with the walker and never change, so the views into them stay valid
    // in a copy of the reader too.
    TextLines lines_;
    mutable TextLines::iterator nextLine_;
    mutable qsizetype lineNumber_ = 0;
    // What is left of the line being read, from the next item on; none once its last item is
    // taken (a line ending in a comma has an empty last item).
    mutable std::optional<QByteArrayView> rest_;
};

} // namespace krv
