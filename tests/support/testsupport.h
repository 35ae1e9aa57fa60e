#pragma once

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "sim/boardsimulator.h"

#include <QTemporaryDir>
#include <memory>

namespace krv::test {

// One test's world: a fresh program folder with a settings file, recording dialogs, a
// simulated board on a pseudo-terminal pinned as COM 1, and the main window.
class Rig {
public:
    explicit Rig(sim::Personality personality = sim::Personality::Board2);
    ~Rig();

    // Writes KRV.ini with the given scan range (and options) into the program folder.
    void writeSettings(const QString& first = QStringLiteral("1"),
                       const QString& last = QStringLiteral("1"), long loadWorkspace = 0,
                       long autoLoad = 0);
    // Creates the main window and runs its load step (the scan starts).
    ISMmain& start();
    // The same in the program's own order: the main window shown first, then loaded.
    ISMmain& startShown();
    // start(), then waits until the scan has opened the simulated board; false on timeout.
    bool connectBoard();
    // The lost board found again on a new device, as after plugging it back in: the simulator
    // started again as COM 1 and Connect pressed; false unless the board is open and idle.
    bool reconnectBoard();

    QString folder() const { return dir_.path() + QStringLiteral("/program"); }
    ISMmain& main() { return *main_; }
    sim::BoardSimulator& board() { return *board_; }
    RecordingDialogs& dialogs() { return *dialogs_; }
    // The texts of the recorded message boxes.
    QStringList messageTexts() const;

private:
    // Connected, the board port open and no command waiting.
    bool boardReady() const;

    QTemporaryDir dir_;
    RecordingDialogs* dialogs_;
    std::unique_ptr<sim::BoardSimulator> board_;
    std::unique_ptr<ISMmain> main_;
};

// Waits, processing events, until the condition holds; false after `ms` milliseconds.
bool waitUntil(const std::function<bool()>& condition, int ms = 5000);

// Types the text as a keyboard of any layout does: one key event carrying each character,
// surrogate pairs included (QTest's own typing knows Latin-1 only).
void typeText(QWidget* box, const QString& text);
// How many of the lines start with `prefix`.
int linesStartingWith(const QStringList& lines, const QString& prefix);

// The user presses Disconnect on the main window's toolbar, as with the mouse.
void pressDisconnect(ISMmain& main);

// Opens the window of that name, shows it and closes it again, its deferred deletes run and the
// board's record of received commands emptied (that memory is the simulator's, not the window's).
void cycleForm(Rig& rig, const QString& name);
// The bytes the heap has handed out and not taken back, in its arenas and in blocks mapped on
// their own (glibc's count).
size_t heapInUse();
// Whether heapInUse() counts the program's heap: a sanitizer's allocator keeps its own count.
bool heapCounted();
// Counts the heap without glibc's per-thread cache of freed blocks, which counts as in use while
// it fills: called first in a test's main, it runs the test again with the cache off when it
// was started with it on (glibc reads that setting only at a program's start).
void withoutHeapCache(char* argv[]);

} // namespace krv::test
