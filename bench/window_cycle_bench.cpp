// Measures what opening and closing a window leaves behind: each window of the program (or
// those named on the command line) opened, shown and closed many times against a simulated
// board, with the heap in use (glibc's count of allocated bytes) compared before and after,
// after a warm-up cycle and with the closed windows' deferred deletes run. Each window in a
// process of its own: build-run/bench/window_cycle_bench NAME.
#include "testsupport.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    // glibc keeps freed small blocks in a cache of its own and counts them as in use; filling
    // over the first few hundred cycles, it would read as what the windows leave behind.
    krv::test::withoutHeapCache(argv);
    QApplication application(argc, argv);
    QStringList names = application.arguments().mid(1);
    int cycles = 200;
    if (names.size() >= 2 && names.first() == QStringLiteral("--cycles")) {
        cycles = names.at(1).toInt();
        names = names.mid(2);
    }
    krv::test::Rig rig;
    if (!rig.connectBoard()) {
        std::fprintf(stderr, "the simulated board was not found\n");
        return 1;
    }
    rig.main().resize(1200, 900);
    rig.main().show();
    if (names.isEmpty())
        names = krv::ISMmain::formNames();
    std::printf("%-24s %8s %12s %8s\n", "window", "cycles", "bytes/cycle", "widgets");
    for (const QString& name : names) {
        krv::test::cycleForm(rig, name);
        const qsizetype widgetsBefore = QApplication::allWidgets().size();
        const size_t before = krv::test::heapInUse();
        for (int i = 0; i < cycles; ++i)
            krv::test::cycleForm(rig, name);
        const double perCycle = (double(krv::test::heapInUse()) - double(before)) / cycles;
        std::printf("%-24s %8d %12.0f %+8lld\n", qPrintable(name), cycles, perCycle,
                    qlonglong(QApplication::allWidgets().size() - widgetsBefore));
        std::fflush(stdout);
    }
    return 0;
}
