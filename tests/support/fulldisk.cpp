#include "fulldisk.h"

#include <QDir>
#include <QFile>
#include <sys/mount.h>

namespace krv::test {

FullDisk::FullDisk(const QString& folder) : folder_(folder) {
    QDir().mkpath(folder);
    mounted_ = ::mount("krv-test", QFile::encodeName(folder).constData(), "tmpfs",
                       MS_NOSUID | MS_NODEV, "size=32k") == 0;
}

FullDisk::~FullDisk() {
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

void FullDisk::fill() {
    QFile filler(folder_ + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    // The last block may have fitted in part: a single byte more must fail too.
    while (filler.write("x", 1) == 1) {
    }
}

} // namespace krv::test
