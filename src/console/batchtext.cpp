#include "batchtext.h"

#include "common/boundedfile.h"
#include "common/textlines.h"

#include <utility>

namespace krv::console {

namespace {

constexpr QByteArrayView nameLine("#BATCHNAME ");

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
    return QStringList{QString::fromLatin1(nameLine) + name} + body.split(QStringLiteral("\r\n"));
}

std::optional<LoadedBatch> readBatch(const QByteArray& file) {
    const TextLines lines(file, fileBounds::ConsoleFileLines);
    if (lines.begin() == lines.end())
        return std::nullopt;
    LoadedBatch batch;
    // Lines ended by a lone CR or LF gain a character each, no more than the bound allows.
    batch.text.reserve(file.size() + 2 * fileBounds::ConsoleFileLines);
    bool first = true;
    for (const QByteArrayView line : lines) {
        if (std::exchange(first, false) && line.startsWith(nameLine)) {
            batch.hasName = true;
            batch.name = QString::fromLatin1(line.sliced(nameLine.size()));
            continue;
        }
        batch.text += QLatin1StringView(line.data(), line.size());
        batch.text += QStringLiteral("\r\n");
    }
    return batch;
}

} // namespace krv::console
