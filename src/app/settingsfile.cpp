#include "settingsfile.h"

#include "common/itemfile.h"
#include "common/numbers.h"

namespace krv {

namespace {

// The scan port a text of the file stands for. The scan converts it to a whole number and
// tries every port up to the last one: a port far out of range would be undefined or a scan of
// hours.
QString scanPort(const QString& text, const QString& fallback) {
    if (!isWholeNumber(text))
        return fallback;
    const double port = leadingNumber(text);
    return Settings::inScanRange(port) ? text : QString::number(Settings::nearestScanPort(port));
}

} // namespace

void Settings::save(const QString& path) const {
    ItemWriter writer;
    writer.text(banner())
        .text(commportMin, QStringLiteral("ComNr_min"))
        .number(static_cast<long long>(loadWorkspace))
        .number(static_cast<long long>(autoLoadConfiguration))
        .text(commportMax, QStringLiteral("ComNr_max"));
    writer.save(path);
}

Settings Settings::read(const QString& path, const Settings& defaults) {
    ItemReader reader = ItemReader::fromFile(path);
    Settings settings = defaults;
    const QString fileBanner = reader.text();
    settings.commportMin = scanPort(reader.text(), defaults.commportMin);
    settings.loadWorkspace = long(reader.wholeNumber());
    settings.autoLoadConfiguration = long(reader.wholeNumber());
    if (fileBanner == banner())
        settings.commportMax = scanPort(reader.text(), defaults.commportMax);
    return settings;
}

} // namespace krv
