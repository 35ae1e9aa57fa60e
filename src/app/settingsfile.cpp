#include "settingsfile.h"

#include "common/itemfile.h"

namespace krv {

void Settings::save(const QString& path) const {
    ItemWriter writer;
    writer.text(banner())
        .text(commportMin)
        .number(static_cast<long long>(loadWorkspace))
        .number(static_cast<long long>(autoLoadConfiguration))
        .text(commportMax);
    writer.save(path);
}

Settings Settings::read(const QString& path, const Settings& defaults) {
    ItemReader reader = ItemReader::fromFile(path);
    Settings settings = defaults;
    const QString fileBanner = reader.text();
    settings.commportMin = reader.text();
    settings.loadWorkspace = long(reader.wholeNumber());
    settings.autoLoadConfiguration = long(reader.wholeNumber());
    if (fileBanner == banner())
        settings.commportMax = reader.text();
    return settings;
}

} // namespace krv
