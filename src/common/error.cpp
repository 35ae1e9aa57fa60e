#include "error.h"

namespace krv {

QString errorMessage(int number, const QString& description, const QString& advice) {
    return QStringLiteral("Error occured:") + QString::number(number) + u',' + description +
           QStringLiteral("\r\n") + advice;
}

} // namespace krv
