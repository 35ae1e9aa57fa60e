#include "echobox.h"

#include <QScrollBar>
#include <QTextCursor>

namespace krv {

EchoBox::EchoBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(ShownLines);
}

void EchoBox::appendEcho(const QString& text) {
    text_ += text;
    // Dropping the oldest half at a time keeps the cost per character constant.
    if (text_.size() > 2 * KeptCharacters)
        text_.remove(0, text_.size() - KeptCharacters);
    unshown_ += text;
    if (!batched_) {
        showPending();
    } else if (!showPosted_) {
        showPosted_ = true;
        QMetaObject::invokeMethod(this, &EchoBox::showPending, Qt::QueuedConnection);
    }
}

void EchoBox::showPending() {
    showPosted_ = false;
    QString shown;
    shown.reserve(unshown_.size() + unshown_.size() / LongestShownLine + 1);
    for (const QChar c : std::as_const(unshown_)) {
        if (c == u'\r') {
            pendingCr_ = true;
            continue;
        }
        if (pendingCr_ && c != u'\n') {
            shown += u'\n';
            shownLineLength_ = 0;
        }
        pendingCr_ = false;
        if (c == u'\n') {
            shownLineLength_ = 0;
        } else if (shownLineLength_ == LongestShownLine) {
            shown += u'\n';
            shownLineLength_ = 0;
        }
        if (c != u'\n')
            ++shownLineLength_;
        shown += c;
    }
    unshown_.clear();
    if (shown.isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void EchoBox::eraseLast() {
    showPending();
    if (text_.isEmpty())
        return;
    const bool pair = text_.endsWith(QStringLiteral("\r\n"));
    text_.chop(pair ? 2 : 1);
    if (pendingCr_) {
        // A lone CR is not shown until what follows it says how.
        pendingCr_ = false;
        return;
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.deletePreviousChar();
    shownLineLength_ = cursor.positionInBlock();
    setTextCursor(cursor);
}

void EchoBox::clearText() {
    text_.clear();
    unshown_.clear();
    pendingCr_ = false;
    shownLineLength_ = 0;
    clear();
}

} // namespace krv
