#include "boundedfile.h"

#include "error.h"

#include <QFile>
#include <QFileInfo>

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
    // A device or a file still growing reports no true size: never read past the bound.
    QByteArray bytes = file.read(bound + 1);
    if (bytes.size() > bound)
        throw tooLarge();
    return bytes;
}

} // namespace krv
