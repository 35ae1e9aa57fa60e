#include "boundedfile.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krv {

QString sizeText(qint64 bytes) {
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return QString::number(bytes >> 20) + QStringLiteral(" MB");
    if (bytes >= (1 << 10) && bytes % (1 << 10) == 0)
        return QString::number(bytes >> 10) + QStringLiteral(" KB");
    return QString::number(bytes) + QStringLiteral(" bytes");
}

namespace {

Error failure(int systemError) {
    switch (systemError) {
    case ENOENT:
        return Error(errors::FileNotFound, QStringLiteral("File not found"));
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return Error(errors::PathNotFound, QStringLiteral("Path not found"));
    case EACCES:
    case EPERM:
        return Error(errors::PermissionDenied, QStringLiteral("Permission denied"));
    case EIO:
        return Error(errors::DeviceIo, QStringLiteral("Device I/O error"));
    default:
        return Error(errors::PathFileAccess, QStringLiteral("Path/File access error"));
    }
}

// Anything but a regular file, named as the user knows it.
Error notAFile(const QString& path, mode_t mode) {
    QString kind = QStringLiteral("not a regular file");
    if (S_ISDIR(mode))
        kind = QStringLiteral("a folder");
    else if (S_ISFIFO(mode))
        kind = QStringLiteral("a named pipe (FIFO)");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("a socket");
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = QStringLiteral("a device");
    return Error(errors::NotAFile, QDir::toNativeSeparators(path) + QStringLiteral(" is ") + kind +
                                       QStringLiteral(", not a file"));
}

Error tooLarge(qint64 bound) {
    return Error(errors::FileTooLarge, QStringLiteral("File larger than ") + sizeText(bound));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

QByteArray readFileBounded(const QString& path, qint64 bound) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        throw failure(errno);
    if (!S_ISREG(status.st_mode))
        throw notAFile(path, status.st_mode);
    if (status.st_size > bound)
        throw tooLarge(bound);
    // Not blocking: should the path have become a named pipe since it was looked at, opening
    // it must not wait for a writer; and a terminal is never made the program's own.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw failure(errno);
    const Descriptor file(fd);
    if (::fstat(file.fd(), &status) != 0)
        throw failure(errno);
    if (!S_ISREG(status.st_mode))
        throw notAFile(path, status.st_mode);
    if (status.st_size > bound)
        throw tooLarge(bound);
    // One byte more than the size shows a file still growing; it is read on, never past the
    // bound.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > bound)
                throw tooLarge(bound);
            bytes.resize(qsizetype(std::min<qint64>(bound + 1, filled + (1 << 16))));
        }
        const ssize_t got = ::read(file.fd(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw failure(errno);
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

Error tooManyLines(qsizetype bound) {
    return Error(errors::FileTooLarge, QStringLiteral("File longer than %1 lines").arg(bound));
}

} // namespace krv
