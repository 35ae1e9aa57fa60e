#include "savefile.h"

#include "error.h"

#include <QSaveFile>

namespace krv {

namespace {

[[noreturn]] void writeFailed(const QSaveFile& file) {
    if (file.error() == QFileDevice::ResourceError)
        throw Error(errors::DiskFull, QStringLiteral("Disk full"));
    throw Error(errors::DeviceIo, file.errorString());
}

} // namespace

void saveFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Error(errors::PathNotFound, file.errorString());
    if (file.write(bytes) != bytes.size())
        writeFailed(file);
    if (!file.commit() || file.error() != QFileDevice::NoError)
        writeFailed(file);
}

} // namespace krv
