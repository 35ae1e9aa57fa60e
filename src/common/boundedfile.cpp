#include "boundedfile.h"

#include "error.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace krv {

QString sizeText(qint64 bytes) {
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return QString::number(bytes >> 20) + QStringLiteral(" MB");
    if (bytes >= (1 << 10) && bytes % (1 << 10) == 0)
        return QString::number(bytes >> 10) + QStringLiteral(" KB");
    return QString::number(bytes) + QStringLiteral(" bytes");
}

QByteArray readFileBounded(const QString& path, qint64 bound) {
    const QFileInfo info(path);
    if (!info.exists())
        throw Error(errors::FileNotFound, QStringLiteral("File not found"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(errors::PermissionDenied, QStringLiteral("Permission denied"));
    const auto tooLarge = [bound] {
        return Error(errors::FileTooLarge, QStringLiteral("File larger than ") + sizeText(bound));
    };
    if (file.size() > bound)
        throw tooLarge();
    QByteArray bytes = file.read(std::min(file.size(), bound) + 1);
    // A device or a file still growing reports no true size: read on, never past the bound.
    while (bytes.size() <= bound) {
        const QByteArray more = file.read(std::min<qint64>(1 << 16, bound + 1 - bytes.size()));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (bytes.size() > bound)
        throw tooLarge();
    return bytes;
}

} // namespace krv
