// Measures the link's own cost against the simulated board: the time from writing a command
// line to seeing its ending, over a pseudo-terminal with no pacing, and the CPU the process
// spends while a command waits 1.2 s for a reply that never comes. With a device path it
// measures the round trip against that board instead (an external simulator or a real board),
// where no timeout can be provoked; a second argument sets the number of lines (200 unless
// given). bench/link_vs_script.sh runs it beside a plain script on one simulator.
#include "common/dialogs.h"
#include "common/error.h"
#include "link/linkwindow.h"
#include "link/portmap.h"
#include "linkhostdouble.h"
#include "sim/boardsimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sys/resource.h>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    krv::RecordingDialogs::install();
    // Only an in-process board is made: an idle one would add its timers to every wait.
    std::optional<krv::sim::BoardSimulator> board;
    const bool external = argc > 1;
    if (external) {
        krv::PortMap::pin(1, QString::fromLocal8Bit(argv[1]));
    } else if (board.emplace().start()) {
        krv::PortMap::pin(1, board->devicePath());
    } else {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    krv::test::LinkHostDouble host;
    krv::LinkWindow link(host);
    link.MSComm2->setCommPort(1);
    try {
        link.MSComm2->setPortOpen(true);
    } catch (const krv::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description));
        return 1;
    }

    const int lines = argc > 2 ? std::max(1, std::atoi(argv[2])) : external ? 200 : 2000;
    QElapsedTimer clock;
    const double cpuBefore = cpuSeconds();
    clock.start();
    for (int i = 0; i < lines; ++i) {
        if (!link.Send_To_LoadBoard(QStringLiteral("S2A640\r")).ok()) {
            std::fprintf(stderr, "line %d failed\n", i);
            return 1;
        }
    }
    const double perLineMs = double(clock.nsecsElapsed()) / 1e6 / lines;
    const double cpuPerLineMs = (cpuSeconds() - cpuBefore) * 1000.0 / lines;
    if (external) {
        std::printf("round trip per 7-character line against %s: %.3f ms\n", argv[1], perLineMs);
        std::printf("program CPU per line: %.3f ms\n", cpuPerLineMs);
        return 0;
    }

    board->setFault(krv::sim::Fault::NoReply);
    const double waitCpuBefore = cpuSeconds();
    clock.restart();
    link.Send_To_LoadBoard(QStringLiteral("H2\r"));
    const double waitMs = double(clock.elapsed());
    const double waitCpuMs = (cpuSeconds() - waitCpuBefore) * 1000.0;

    std::printf("round trip per 7-character line (program and in-process board): %.3f ms\n",
                perLineMs);
    std::printf("process CPU per line (program and in-process board): %.3f ms\n", cpuPerLineMs);
    std::printf("timeout wait: %.0f ms, CPU spent during it: %.1f ms\n", waitMs, waitCpuMs);
    std::printf("the line's own time at 19200 baud (7 + 7 characters, 10 bits each): 7.3 ms\n");
    return 0;
}
