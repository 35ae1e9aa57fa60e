#pragma once

#include <QString>

namespace krv::test {

// A filesystem of a few KB of its own, mounted over a folder for one test, which fill() uses up
// so that the next write fails with "no space left on device". Mounting needs the right to
// mount (root, as in CI); mounted() tells whether the machine allowed it.
class FullDisk {
public:
    explicit FullDisk(const QString& folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Writes a filler file until the disk takes no more bytes.
    void fill();

private:
    QString folder_;
    bool mounted_ = false;
};

} // namespace krv::test
