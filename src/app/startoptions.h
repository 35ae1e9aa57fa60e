#pragma once

#include <QStringList>

namespace krv {

class ISMmain;

// The options that show the program without a hand on it, once the main window has started:
// `--open NAME[,NAME...]` triggers the menu items of those names (mnuViewTRx) and opens the
// windows of those form names (Frm_YambleRfLinkTest), in order; `--screenshot FILE` then saves
// the main window as an image once the windows have settled, and quits (exit code 1 when the
// file cannot be written).
void applyStartOptions(ISMmain& main, const QStringList& arguments);

} // namespace krv
