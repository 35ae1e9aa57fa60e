#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace krv {

class ISMmain;

// The options that show the program without a hand on it, once the main window has started:
// `--open NAME[,NAME...]` triggers the menu items of those names (mnuViewTRx) and opens the
// windows of those form names (Frm_YambleRfLinkTest), in order, once the board scan has finished
// and each as soon as the user could choose it; `--screenshot FILE` then saves the main window
// as an image once the program has settled (no scan, no transaction, no command waiting), and
// calls `end` with the program's exit code: 0, or 1 when the file cannot be written; 2, with
// nothing written, when an item stays disabled; 3 when the program does not settle. Without
// --screenshot the program goes on.
struct StartOptions {
    QStringList open;
    QString screenshot;
};

// The first name that is neither a menu item's nor a window's, as a line for the user; empty
// when every name is known. Checked before the window shows, so that a mistyped name ends the
// run at once.
QString checkStartOptions(const ISMmain& main, const StartOptions& options);

void applyStartOptions(ISMmain& main, const StartOptions& options, std::function<void(int)> end);

} // namespace krv
