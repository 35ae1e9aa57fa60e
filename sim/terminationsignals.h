#pragma once

class QCoreApplication;

namespace krv::sim {

// Turns SIGINT and SIGTERM into a clean return from the event loop. Construct it before any
// thread starts, so that every thread keeps the two signals blocked and none of them kills the
// process in the middle of writing a reply.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the signals cannot be watched.
    bool quitOnArrival(QCoreApplication& app);

private:
    int fd_ = -1;
};

} // namespace krv::sim
