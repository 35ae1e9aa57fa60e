// Times a whole HC913 Update (13 command lines) against a board paced at 19200 baud, next to
// the line's own time for those lines, and the CPU the program spends meanwhile. Without an
// argument it starts the simulator paced at 19200 baud in a process of its own (so that its
// CPU is not counted); with a device path it runs against that board (an external simulator
// started with --baud 19200, or a real board).
#include "link/linkwindow.h"
#include "link/portmap.h"
#include "panels/transceiver/transceiverpanel.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int baud = 19200;
constexpr int updates = 30;
// The shortest reply a board gives: its ending alone.
constexpr int replyCharacters = 7;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Starts the simulator paced at the line's rate; its device path, or empty on failure.
QString startPacedSimulator(QProcess& simulator) {
    simulator.start(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../sim/krv-board-sim"),
                    {QStringLiteral("--baud"), QString::number(baud)});
    while (simulator.waitForReadyRead(5000)) {
        while (simulator.canReadLine()) {
            const QString line = QString::fromLocal8Bit(simulator.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("--port 1=")))
                return line.mid(9);
        }
    }
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QProcess simulator;
    const QString device =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : startPacedSimulator(simulator);
    if (device.isEmpty()) {
        std::fprintf(stderr, "the paced simulator did not start\n");
        return 1;
    }
    krv::test::Rig rig;
    krv::PortMap::clear();
    krv::PortMap::pin(1, device);
    if (!rig.connectBoard()) {
        std::fprintf(stderr, "no board on %s\n", qPrintable(device));
        return 1;
    }
    auto* panel = rig.main().form<krv::YambleV3>(QStringLiteral("YambleV3"));

    // The lines Update sends: the twelve word lines and the data latch line.
    int lineCharacters = 0;
    int lines = 0;
    for (QLineEdit* box : {panel->Ctrlw, panel->Freqw, panel->PowerW, panel->Recw, panel->TXCtrlw,
                           panel->Wkupw, panel->Dutyw, panel->LBDw, panel->AFCw, panel->Dataratew,
                           panel->Datafiltw, panel->FIFOw}) {
        lineCharacters += int(QStringLiteral("S2").size() + box->text().size() + 1);
        ++lines;
    }
    lineCharacters += int(QStringLiteral("Z3\r").size());
    ++lines;
    const double lineMs = double(lineCharacters + lines * replyCharacters) * 10 * 1000 / baud;

    panel->Update->click(); // warm-up
    QList<double> wallMs;
    const double cpuBefore = cpuSeconds();
    for (int i = 0; i < updates; ++i) {
        QElapsedTimer clock;
        clock.start();
        panel->Update->click();
        wallMs.append(double(clock.nsecsElapsed()) / 1e6);
    }
    const double cpuMs = (cpuSeconds() - cpuBefore) * 1000 / updates;
    std::sort(wallMs.begin(), wallMs.end());
    const bool clean = rig.dialogs().messages.isEmpty() &&
                       panel->Statusline->text() != QStringLiteral("Communication fault.");
    std::printf("HC913 Update, %d lines against %s, %d runs%s\n", lines, qPrintable(device),
                updates, clean ? "" : " (the board did not answer every line!)");
    std::printf("line time at %d baud (%d command characters, %d-character replies): %.1f ms\n",
                baud, lineCharacters, replyCharacters, lineMs);
    std::printf(
        "wall time per Update: median %.1f ms (%+.1f %%), fastest %.1f ms, slowest %.1f ms\n",
        wallMs[updates / 2], (wallMs[updates / 2] / lineMs - 1) * 100, wallMs.first(),
        wallMs.last());
    std::printf("program CPU per Update: %.2f ms\n", cpuMs);
    simulator.terminate();
    simulator.waitForFinished();
    return clean ? 0 : 1;
}
