#include "batchtext.h"

namespace krv::console {

namespace {

const QString nameLine = QStringLiteral("#BATCHNAME ");

} // namespace

Directive directiveOf(const QString& line) {
    for (const Directive directive :
         {Directive::FifoRead, Directive::FifoWrite, Directive::Refresh, Directive::StatusRead}) {
        if (line.startsWith(directiveWord(directive)))
            return directive;
    }
    return Directive::None;
}

QString directiveWord(Directive directive) {
    switch (directive) {
    case Directive::FifoRead:
        return QStringLiteral("#FIFO_READ");
    case Directive::FifoWrite:
        return QStringLiteral("#FIFO_WRITE");
    case Directive::Refresh:
        return QStringLiteral("#REFRESH");
    case Directive::StatusRead:
        return QStringLiteral("#STATUSREAD");
    case Directive::None:
        break;
    }
    return {};
}

QStringList batchLines(const QString& text) {
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (c == u'\n')
            continue;
        line += c;
        if (c == u'\r') {
            lines.append(line);
            line.clear();
        }
    }
    return lines;
}

QStringList batchFileLines(const QString& name, const QString& text) {
    QString body = text;
    if (body.endsWith(QStringLiteral("\r\n")))
        body.chop(2);
    return QStringList{nameLine + name} + body.split(QStringLiteral("\r\n"));
}

LoadedBatch batchFromLines(const QStringList& lines) {
    LoadedBatch batch;
    qsizetype first = 0;
    if (!lines.isEmpty() && lines[0].startsWith(nameLine)) {
        batch.hasName = true;
        batch.name = lines[0].mid(nameLine.size());
        first = 1;
    }
    for (qsizetype i = first; i < lines.size(); ++i)
        batch.text += lines[i] + QStringLiteral("\r\n");
    return batch;
}

} // namespace krv::console
