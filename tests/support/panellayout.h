#pragma once

#include <QString>

class QWidget;

namespace krv {
class ChipPanel;
class ISMmain;
} // namespace krv

namespace krv::test {

// Shows the panel through the main window's show procedure and checks it as a user first sees
// it, then with its status area shown and hidden again: within the bounds of the layout's design
// (checkPanelSize), every caption whole (checkReadable), every list wide enough for the entry it
// shows, and back at the height it opened at. Returns the panel, or nullptr after a failure.
ChipPanel* checkPanelLayout(ISMmain& main, void (ISMmain::*show)(), const QString& form,
                            const QString& layout);

// Fails unless every visible list of the window is as wide as its entries need.
void checkListsWhole(QWidget* window, const QString& name);

} // namespace krv::test
