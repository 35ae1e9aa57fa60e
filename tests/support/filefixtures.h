#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace krv::test {

// Makes a named pipe (FIFO) at the path; false when it cannot be made.
bool makeFifo(const QString& path);

// A Unix domain socket bound to the path, for as long as the object lives.
class SocketFile {
public:
    explicit SocketFile(const QString& path);
    ~SocketFile();
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;
    bool made() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// While it lives, a reader that waits for a writer in opening the named pipe, or in reading it,
// is let go after `ms` milliseconds: the pipe is opened for writing and closed again, which
// gives the reader an end of file. Code that would wait for ever then fails its test instead of
// hanging it.
class FifoRelease {
public:
    FifoRelease(const QString& path, int ms = 3000);
    ~FifoRelease();
    FifoRelease(const FifoRelease&) = delete;
    FifoRelease& operator=(const FifoRelease&) = delete;

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// The most memory the process has held (resident) since the object was made, beyond what it
// held then: the kernel's high-water mark, reset when the object is made.
class PeakMemory {
public:
    PeakMemory();
    // False where the kernel does not let the mark be reset, and under a sanitizer (its shadow
    // memory grows with the heap, and freed blocks are held back from reuse); extraBytes() is
    // then meaningless.
    bool valid() const { return valid_; }
    qint64 extraBytes() const;

private:
    bool valid_ = false;
    qint64 start_ = 0;
};

} // namespace krv::test
