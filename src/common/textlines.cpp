#include "textlines.h"

#include <algorithm>

namespace krv {

TextLines::iterator::iterator(QByteArrayView text, qsizetype start) : text_(text), start_(start) {
    findEnd();
}

void TextLines::iterator::findEnd() {
    end_ = start_;
    while (end_ < text_.size() && text_[end_] != '\r' && text_[end_] != '\n')
        ++end_;
}

TextLines::iterator& TextLines::iterator::operator++() {
    qsizetype next = end_ + 1;
    if (next < text_.size() && text_[end_] == '\r' && text_[next] == '\n')
        ++next;
    start_ = std::min(next, text_.size());
    findEnd();
    return *this;
}

QByteArrayList textLines(const QByteArray& file) {
    QByteArrayList lines;
    for (const QByteArrayView line : TextLines(file))
        lines.append(line.toByteArray());
    return lines;
}

} // namespace krv
