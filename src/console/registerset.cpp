#include "registerset.h"

#include "common/boundedfile.h"
#include "common/textlines.h"

#include <algorithm>

namespace krv::console {

namespace {

QByteArray withoutBlanks(QByteArrayView text) {
    QByteArray kept(text.data(), text.size());
    kept.removeIf([](char c) { return c == ' '; });
    return kept;
}

bool isBlank(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

} // namespace

RegisterSetFile readRegisterSet(const QByteArray& file) {
    RegisterSetFile set;
    qsizetype number = 0;
    for (const QByteArrayView line : TextLines(file, fileBounds::ConsoleFileLines)) {
        ++number;
        if (number == 2)
            set.notes = QString::fromLatin1(line.data(), line.size());
        if (number < 3)
            continue;
        const qsizetype comma = line.indexOf(',');
        const QByteArrayView address = comma < 0 ? line : line.first(comma);
        const QByteArrayView value = comma < 0 ? QByteArrayView() : line.sliced(comma + 1);
        if (!isBlank(address) || !isBlank(value))
            set.values.append({withoutBlanks(address), withoutBlanks(value), number});
    }
    return set;
}

} // namespace krv::console
