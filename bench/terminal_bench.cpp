// Measures how the main window copes with board output while the terminal is open: 1 MB of
// unsolicited output (in lines, then as one line without breaks) taken in, the longest time
// the window did not answer meanwhile, the process memory it left behind, and a reply awaited
// behind the flood; then the time a terminal script of one 1 MB line takes to load.
#include "app/terminal.h"
#include "common/monitorbox.h"
#include "link/linkwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Sends `output` from the board and waits until the terminal has shown its last character.
void flood(krv::test::Rig& rig, krv::Terminal& terminal, const QByteArray& output,
           const char* what) {
    const QString marker = QStringLiteral("<end of flood>");
    qint64 longestGapMs = 0;
    QElapsedTimer sinceTick;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { longestGapMs = std::max(longestGapMs, sinceTick.restart()); });
    const long memoryBefore = residentKb();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    heartbeat.start(5);
    rig.board().sendUnsolicited(output + marker.toLatin1());
    // A command sent meanwhile: its reply comes behind the flood.
    const krv::SendResult reply = rig.main().Send_To_LoadBoard(QStringLiteral("Z3\r"));
    const qint64 replyMs = clock.elapsed();
    const bool done = krv::test::waitUntil(
        [&] { return terminal.Text1->text().endsWith(marker + QStringLiteral("\r\nOK\r\n>")); },
        120000);
    const qint64 takenMs = clock.elapsed();
    heartbeat.stop();
    std::printf("%s: %s in %lld ms (CPU %.0f ms), window answered within %lld ms, "
                "memory %+ld KB, a reply behind it %s after %lld ms\n",
                what, done ? "taken in" : "NOT taken in", takenMs,
                (cpuSeconds() - cpuBefore) * 1000.0, longestGapMs, residentKb() - memoryBefore,
                reply.ok() ? "answered" : "NOT answered", replyMs);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    krv::test::Rig rig;
    if (!rig.connectBoard()) {
        std::fprintf(stderr, "the simulated board was not found\n");
        return 1;
    }
    krv::ISMmain& main = rig.main();
    main.resize(1200, 900);
    main.show();
    main.mnutoolsTerminal->trigger();
    auto* terminal = main.loadedForm<krv::Terminal>(QStringLiteral("Terminal"));

    constexpr int size = 1 << 20;
    QByteArray lines;
    while (lines.size() < size)
        lines += "rx 0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF rssi -87 crc ok\r\n";
    lines.truncate(size);
    flood(rig, *terminal, lines, "1 MB of output in lines of 70 characters");
    flood(rig, *terminal, QByteArray(size, 'x'), "1 MB of output without a line break");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return 1;
    script.write(QByteArray(size, 'S') + "\r\n");
    script.close();
    rig.dialogs().files = QStringList{path};
    terminal->En_ScriptWindow->setChecked(true);
    QElapsedTimer clock;
    clock.start();
    terminal->LoadScript->click();
    // Until the pane has shown it.
    terminal->Script->viewport()->repaint();
    QApplication::processEvents();
    std::printf("a script of one 1 MB line loaded in %lld ms (%lld characters in the pane)\n",
                clock.elapsed(), qlonglong(terminal->Script->toPlainText().size()));
    return 0;
}
