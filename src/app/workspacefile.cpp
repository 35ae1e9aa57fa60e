#include "workspacefile.h"

#include "common/error.h"
#include "common/itemfile.h"

namespace krv {

QString Workspace::formName(Window window) {
    static const char* const names[WindowCount] = {
        "Terminal",    "eeprom",   "MivraV2",       "PelkoV1",
        "DruskV1",     "Ovalt",    "DruskV1rflink", "DruskV1rflink_LB2",
        "MivraV2test", "YambleV3", "FRM_Zenth"};
    return QString::fromLatin1(names[window]);
}

bool Workspace::recordsSize(Window window) {
    return window == Terminal || window == Eeprom || window == DruskV1rflink ||
           window == DruskV1rflink_LB2;
}

namespace {

ItemWriter itemsOf(const Workspace& workspace) {
    using Window = Workspace::Window;
    ItemWriter writer;
    writer.text(Workspace::banner());
    for (const Workspace::Place& place : workspace.windows)
        writer.boolean(place.open);
    for (int i = 0; i < Workspace::WindowCount; ++i) {
        const Workspace::Place& place = workspace.windows[i];
        if (!place.open)
            continue;
        const auto window = Window(i);
        if (window == Workspace::Terminal)
            writer.number(static_cast<long long>(workspace.scriptPane));
        // Positions have always been stored in single precision.
        writer.number(float(place.top)).number(float(place.left));
        if (Workspace::recordsSize(window))
            writer.number(float(place.height)).number(float(place.width));
    }
    return writer;
}

} // namespace

QByteArray Workspace::bytes() const {
    return itemsOf(*this).bytes();
}

void Workspace::save(const QString& path) const {
    itemsOf(*this).save(path);
}

Workspace Workspace::read(const QString& path) {
    ItemReader reader = ItemReader::fromFile(path);
    if (reader.text() != banner())
        throw Error(errors::IncorrectVersion, QStringLiteral("Incorrect workspace file version"));
    Workspace workspace;
    for (Place& place : workspace.windows)
        place.open = reader.boolean();
    for (int i = 0; i < WindowCount; ++i) {
        Place& place = workspace.windows[i];
        if (!place.open)
            continue;
        const auto window = Window(i);
        if (window == Terminal)
            workspace.scriptPane = long(reader.wholeNumber());
        place.top = double(reader.wholeNumber());
        place.left = double(reader.wholeNumber());
        if (recordsSize(window)) {
            place.height = double(reader.wholeNumber());
            place.width = double(reader.wholeNumber());
        }
    }
    return workspace;
}

} // namespace krv
