#include "bytemonitor.h"

#include "common/hextext.h"

#include <QScrollBar>
#include <QTextCursor>

namespace krv::rflink {

ByteMonitor::ByteMonitor(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
}

QSize ByteMonitor::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {fontMetrics().averageCharWidth() * 24 + frame, fontMetrics().lineSpacing() * 4 + frame};
}

void ByteMonitor::setHexView(bool hex) {
    if (hex == hex_)
        return;
    hex_ = hex;
    setBytes(QByteArray(bytes_));
}

void ByteMonitor::setBytes(const QByteArray& bytes) {
    bytes_.clear();
    pendingCr_ = false;
    clear();
    appendBytes(bytes);
}

void ByteMonitor::appendBytes(const QByteArray& bytes) {
    bytes_ += bytes;
    appendShown(rendered(bytes));
}

QString ByteMonitor::rendered(const QByteArray& bytes) {
    if (hex_)
        return QString::fromLatin1(*hex2Ascii2Hex(bytes, true));
    // CR LF, a lone CR and a lone LF each show as one line break.
    QString shown;
    shown.reserve(bytes.size());
    for (const char c : bytes) {
        if (c == '\n' && pendingCr_) {
            pendingCr_ = false;
            continue;
        }
        pendingCr_ = c == '\r';
        shown += c == '\r' ? QChar(u'\n') : QChar(uchar(c));
    }
    return shown;
}

void ByteMonitor::appendShown(const QString& text) {
    if (text.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace krv::rflink
