#include "error.h"

namespace krv {

QString errorMessage(int number, const QString& description, const QString& advice,
                     const QString& lineBreak) {
    return QStringLiteral("Error occured:") + QString::number(number) + u',' + description +
           lineBreak + advice;
}

} // namespace krv
