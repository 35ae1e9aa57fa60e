#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace krv {

// The lines of a text file, without their line ends: a line ends at CR LF, at a lone CR or at a
// lone LF; the last line needs no end, and a file that ends with a line end has no empty line
// after it. The lines are found one at a time as they are walked, so a file of a million empty
// lines costs no more than its own bytes; each line views the text, which the range holds.
class TextLines {
public:
    // A reader whose lines each cost it something (a text box that shows them, a list it keeps)
    // gives `maxLines`: a text of more lines is refused before a line is walked (krv::Error 1227
    // "File longer than <maxLines> lines").
    explicit TextLines(const QByteArray& text, std::optional<qsizetype> maxLines = std::nullopt);

    class iterator {
    public:
        using value_type = QByteArrayView;
        using difference_type = qsizetype;
        iterator() = default;
        QByteArrayView operator*() const { return {text_.data() + start_, end_ - start_}; }
        iterator& operator++();
        iterator operator++(int) {
            iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const iterator& other) const { return start_ == other.start_; }

    private:
        friend class TextLines;
        iterator(QByteArrayView text, qsizetype start);
        void findEnd();
        QByteArrayView text_;
        qsizetype start_ = 0;
        qsizetype end_ = 0;
    };

    iterator begin() const { return iterator(text_, 0); }
    iterator end() const { return iterator(text_, text_.size()); }

private:
    QByteArray text_;
};

} // namespace krv
