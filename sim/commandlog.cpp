#include "commandlog.h"

#include <QDateTime>

namespace krv::sim {

bool CommandLog::setPath(const QString& path) {
    file_.close();
    if (path.isEmpty()) {
        return true;
    }
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append);
}

void CommandLog::append(const QString& line) {
    if (!file_.isOpen()) {
        return;
    }
    const QString stamp = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    file_.write((stamp + ' ' + line + '\n').toLatin1());
    file_.flush();
}

} // namespace krv::sim
