#include "filefixtures.h"

#include <QFile>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace krv::test {

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

SocketFile::SocketFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

SocketFile::~SocketFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

FifoRelease::FifoRelease(const QString& path, int ms)
    : thread_([this, name = QFile::encodeName(path), ms] {
          const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
          while (!done_ && std::chrono::steady_clock::now() < until)
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          // Without a reader waiting, opening for writing fails at once: nothing is let go.
          while (!done_) {
              const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
              if (fd >= 0)
                  ::close(fd);
              std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
      }) {}

FifoRelease::~FifoRelease() {
    done_ = true;
    thread_.join();
}

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool underSanitizer = true;
#else
constexpr bool underSanitizer = false;
#endif

// A field of /proc/self/status in bytes ("VmHWM", "VmRSS"), or -1.
qint64 statusBytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

} // namespace

PeakMemory::PeakMemory() {
    // Memory freed earlier but still held by the allocator would be reused without showing.
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    // "5" resets the high-water mark of the resident set to its present size.
    valid_ = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    clear.close();
    start_ = statusBytes("VmRSS");
    valid_ = valid_ && start_ >= 0 && !underSanitizer;
}

qint64 PeakMemory::extraBytes() const {
    return statusBytes("VmHWM") - start_;
}

} // namespace krv::test
