#include "registerset.h"

namespace krv::console {

RegisterSetFile registerSetFromLines(const QStringList& lines) {
    RegisterSetFile file;
    if (lines.size() > 1)
        file.notes = lines[1];
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const qsizetype comma = lines[i].indexOf(u',');
        QString address = comma < 0 ? lines[i] : lines[i].left(comma);
        QString value = comma < 0 ? QString() : lines[i].mid(comma + 1);
        address.remove(u' ');
        value.remove(u' ');
        if (!address.isEmpty() || !value.isEmpty())
            file.values.append({address, value, i + 1});
    }
    return file;
}

} // namespace krv::console
