#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QTimer;

namespace krv {

class ISMmain;

// Runs a window's single board operations (a word sent, a supply line, a file's voltage, the
// start of a read) once no transaction holds the main window's CommState, one after the other,
// so that their lines never interleave with the steps of a transaction or with each other.
// Waiting happens from the event loop, never inside a nested wait: a step that is itself
// waiting for a reply could otherwise never finish.
class CommStateWait : public QObject {
    Q_OBJECT
public:
    CommStateWait(ISMmain& main, QObject* parent);

    // Runs the operation once CommState is 0 and the operations queued before it have run (at
    // once when nothing waits); with the board port closed and nothing queued, at once, since
    // the operation then only refuses.
    void run(std::function<void()> operation);
    // Forgets every operation that has not started.
    void clear();

private:
    void runPending();

    ISMmain& main_;
    QList<std::function<void()>> pending_;
    QTimer* timer_;
    bool running_ = false;
};

} // namespace krv
