#include "piecedpane.h"

#include <QPlainTextEdit>

namespace krv {

namespace {

bool hasLineLongerThan(const QString& text, qsizetype length) {
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > length)
            return true;
        start = end + 1;
    }
    return false;
}

QString inPieces(const QString& text, qsizetype length) {
    QString pieces;
    pieces.reserve(text.size() + text.size() / length + 1);
    qsizetype run = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            run = 0;
        } else if (run == length) {
            pieces += u'\n';
            run = 1;
        } else {
            ++run;
        }
        pieces += c;
    }
    return pieces;
}

} // namespace

PiecedPane::PiecedPane(QPlainTextEdit* box, const QString& kept)
    : QObject(box), box_(box), kept_(kept) {
    connect(box_, &QPlainTextEdit::textChanged, this, &PiecedPane::boxChanged);
}

void PiecedPane::show(const QString& text) {
    const bool pieces = hasLineLongerThan(text, LineLength);
    box_->setPlainText(pieces ? inPieces(text, LineLength) : text);
    inPieces_ = pieces ? text : QString();
    box_->setReadOnly(pieces);
    box_->setToolTip(pieces ? QStringLiteral("Lines longer than %1 characters are shown in "
                                             "pieces and cannot be edited here; %2.")
                                  .arg(LineLength)
                                  .arg(kept_)
                            : QString());
}

QString PiecedPane::text() const {
    return inPieces_.isEmpty() ? box_->toPlainText() : inPieces_;
}

void PiecedPane::boxChanged() {
    if (inPieces_.isEmpty())
        return;
    inPieces_.clear();
    box_->setReadOnly(false);
    box_->setToolTip(QString());
}

} // namespace krv
