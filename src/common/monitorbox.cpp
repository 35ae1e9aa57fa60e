#include "monitorbox.h"

#include <QScrollBar>
#include <QTextCursor>

namespace krv {

MonitorBox::MonitorBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // An undo stack would keep every character ever shown.
    setUndoRedoEnabled(false);
    setMaximumBlockCount(ShownLines);
}

void MonitorBox::setPreferredSize(int columns, int lines) {
    preferred_ = QSize(columns, lines);
    updateGeometry();
}

QSize MonitorBox::sizeHint() const {
    if (preferred_.isEmpty())
        return QPlainTextEdit::sizeHint();
    const int frame = 2 * frameWidth();
    return {fontMetrics().averageCharWidth() * preferred_.width() + frame,
            fontMetrics().lineSpacing() * preferred_.height() + frame};
}

void MonitorBox::setHexView(bool hex) {
    if (hex == hex_)
        return;
    hex_ = hex;
    setMaximumBlockCount(hex ? ShownHexLines : ShownLines);
    showAgain();
}

void MonitorBox::appendText(const QString& text) {
    text_ += text;
    // Dropping the oldest half at a time keeps the cost per character constant.
    if (text_.size() > 2 * KeptCharacters)
        text_.remove(0, text_.size() - KeptCharacters);
    unshown_ += text;
    if (!batched_) {
        showPending();
    } else if (!showPosted_) {
        showPosted_ = true;
        QMetaObject::invokeMethod(this, &MonitorBox::showPending, Qt::QueuedConnection);
    }
}

void MonitorBox::setBytes(const QByteArray& bytes) {
    text_.clear();
    unshown_.clear();
    showAgain();
    appendBytes(bytes);
}

void MonitorBox::clearText() {
    setBytes({});
}

void MonitorBox::showAgain() {
    clear();
    pendingCr_ = false;
    shownLineLength_ = 0;
    unshown_ = text_;
    showPending();
}

QString MonitorBox::rendered(const QString& text) {
    static constexpr char digits[] = "0123456789ABCDEF";
    QString shown;
    shown.reserve((hex_ ? 2 : 1) * text.size() + text.size() / LongestShownLine + 1);
    for (const QChar c : text) {
        if (hex_) {
            // The byte the box gives out for this character.
            const uchar byte = c.unicode() > 0xFF ? uchar('?') : uchar(c.unicode());
            if (shownLineLength_ + 2 > LongestShownLine) {
                shown += u'\n';
                shownLineLength_ = 0;
            }
            shown += QChar(digits[byte >> 4]);
            shown += QChar(digits[byte & 0xF]);
            shownLineLength_ += 2;
            continue;
        }
        if (c == u'\n' && pendingCr_) {
            pendingCr_ = false;
            continue;
        }
        pendingCr_ = c == u'\r';
        if (c == u'\r' || c == u'\n') {
            shown += u'\n';
            shownLineLength_ = 0;
            continue;
        }
        if (shownLineLength_ == LongestShownLine) {
            shown += u'\n';
            shownLineLength_ = 0;
        }
        shown += c;
        ++shownLineLength_;
    }
    return shown;
}

void MonitorBox::showPending() {
    showPosted_ = false;
    const QString shown = rendered(unshown_);
    unshown_.clear();
    if (shown.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void MonitorBox::eraseLast() {
    showPending();
    if (text_.isEmpty())
        return;
    const qsizetype taken = text_.endsWith(QStringLiteral("\r\n")) ? 2 : 1;
    text_.chop(taken);
    // A CR LF pair shows as one line break, a character as one character or one hex pair.
    const qsizetype shown = hex_ ? 2 * taken : 1;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    for (qsizetype i = 0; i < shown; ++i)
        cursor.deletePreviousChar();
    pendingCr_ = !hex_ && text_.endsWith(u'\r');
    shownLineLength_ = cursor.positionInBlock();
    setTextCursor(cursor);
}

} // namespace krv
