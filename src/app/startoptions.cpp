#include "startoptions.h"

#include "ismmain.h"

#include <QAction>
#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace krv {

namespace {

QString optionValue(const QStringList& arguments, const QString& option) {
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

// Opens the named menu item's or form's window; false while the menu item is disabled (a board
// menu before the board scan has found the board).
bool open(ISMmain& main, const QString& name) {
    if (auto* item = main.findChild<QAction*>(name)) {
        if (!item->isEnabled())
            return false;
        item->trigger();
    } else if (QWidget* window = main.form(name)) {
        main.showForm(window);
    } else {
        std::fprintf(stderr, "krv: --open: no menu item or window named %s\n", qPrintable(name));
    }
    return true;
}

void saveScreenshot(ISMmain& main, const QString& file) {
    const bool saved = main.grab().save(file);
    if (!saved)
        std::fprintf(stderr, "krv: --screenshot: cannot write %s\n", qPrintable(file));
    QCoreApplication::exit(saved ? 0 : 1);
}

} // namespace

void applyStartOptions(ISMmain& main, const QStringList& arguments) {
    const QStringList names =
        optionValue(arguments, QStringLiteral("--open")).split(u',', Qt::SkipEmptyParts);
    const QString screenshot = optionValue(arguments, QStringLiteral("--screenshot"));
    if (names.isEmpty() && screenshot.isEmpty())
        return;
    // From the event loop, as a user's clicks would come, each as soon as it can be made; the
    // screenshot once the last window has settled.
    constexpr int stepMs = 100;
    constexpr int patienceMs = 5000;
    constexpr int settleMs = 1000;
    auto* opener = new QTimer(&main);
    opener->setInterval(stepMs);
    QObject::connect(opener, &QTimer::timeout, &main,
                     [&main, opener, names, screenshot, next = qsizetype(0), waited = 0]() mutable {
                         while (next < names.size() && open(main, names.at(next))) {
                             ++next;
                             waited = 0;
                         }
                         if (next < names.size() && (waited += stepMs) < patienceMs)
                             return;
                         if (next < names.size())
                             std::fprintf(stderr, "krv: --open: %s stays disabled\n",
                                          qPrintable(names.at(next)));
                         opener->deleteLater();
                         if (!screenshot.isEmpty())
                             QTimer::singleShot(settleMs, &main, [&main, screenshot] {
                                 saveScreenshot(main, screenshot);
                             });
                     });
    opener->start();
}

} // namespace krv
