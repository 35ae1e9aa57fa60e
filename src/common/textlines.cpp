#include "textlines.h"

#include "boundedfile.h"

#include <algorithm>

namespace krv {

TextLines::TextLines(const QByteArray& text, std::optional<qsizetype> maxLines) : text_(text) {
    if (!maxLines)
        return;
    qsizetype lines = 0;
    for (auto line = begin(); line != end(); ++line) {
        if (++lines > *maxLines)
            throw tooManyLines(*maxLines);
    }
}

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

} // namespace krv
