#pragma once

#include <QFile>
#include <QString>

namespace krv::sim {

// Appends each received command line to a file, after its local time stamp with milliseconds.
class CommandLog {
public:
    // An empty path stops logging. False when the file cannot be opened.
    bool setPath(const QString& path);
    void append(const QString& line);

private:
    QFile file_;
};

} // namespace krv::sim
