#include "echobox.h"

#include <QScrollBar>
#include <QTextCursor>

namespace krv {

EchoBox::EchoBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
}

void EchoBox::appendEcho(const QString& text) {
    text_ += text;
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\r') {
            pendingCr_ = true;
            continue;
        }
        if (pendingCr_ && c != u'\n')
            shown += u'\n';
        pendingCr_ = false;
        shown += c;
    }
    if (shown.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void EchoBox::clearText() {
    text_.clear();
    pendingCr_ = false;
    clear();
}

} // namespace krv
