#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv::console {

// The register rows a window setup file fills, from its third line on.
inline constexpr int WindowSetupRows = 6;

// A window setup file as read: line 1 names the chip (not compared), line 2 holds the notes, and
// the next lines the addresses of the register rows, one a line; what follows is not read.
struct WindowSetup {
    std::optional<QString> notes;
    QStringList addresses; // at most WindowSetupRows
};
WindowSetup readWindowSetup(const QByteArray& file);

} // namespace krv::console
