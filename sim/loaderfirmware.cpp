#include "loaderfirmware.h"

namespace krv::sim {

namespace {

constexpr qint64 idleEndMs = 1000;
const QString endRecord = QStringLiteral(":00000001FF");

} // namespace

bool LoaderFirmware::downloading() {
    if (downloading_ && lastLine_.elapsed() > idleEndMs)
        downloading_ = false;
    return downloading_;
}

std::optional<LoaderFirmware::Answer> LoaderFirmware::take(const QString& line) {
    if (downloading()) {
        lastLine_.start();
        records_.append(line);
        if (line.endsWith(endRecord))
            downloading_ = false;
        return answerRecord();
    }
    if (line == QStringLiteral("C192") || line == QStringLiteral("C384") ||
        line == QStringLiteral("C576")) {
        speeds_.append(line);
        return Answer{};
    }
    if (line == QStringLiteral("C")) {
        downloading_ = true;
        answered_ = 0;
        lastLine_.start();
        return Answer{};
    }
    return std::nullopt;
}

LoaderFirmware::Answer LoaderFirmware::answerRecord() {
    if (options_.stopAfter > 0 && answered_ >= options_.stopAfter)
        return {};
    ++answered_;
    const QByteArray xoff(1, Xoff);
    const QByteArray xon(1, Xon);
    if (options_.xonOnly)
        return {{xon}};
    if (options_.oneWrite)
        return {{xoff + xon}};
    return {{xoff, xon}};
}

} // namespace krv::sim
