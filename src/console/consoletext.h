#pragma once

#include <QString>
#include <QStringList>

namespace krv::console {

// Lists in the console's messages stay a few lines long, however many items there are: the first
// `shown` items joined by ", ", then " and N more".
QString shortList(const QStringList& items, int shown = 10);

// A text taken from a file, as a message shows it: control characters as "\xNN" and anything
// beyond `length` characters cut off with "...", so a garbage file cannot fill a message box.
QString printable(const QString& text, int length = 16);

} // namespace krv::console
