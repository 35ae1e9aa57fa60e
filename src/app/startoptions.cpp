#include "startoptions.h"

#include "ismmain.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace krv {

namespace {

// Whether the menus on the way to an item are enabled. A hidden menu (the Advanced menu, shown
// by a gesture) counts by the menu itself: hiding a menu's item disables the item too.
bool menusEnabled(const QAction* item) {
    for (const QObject* owner : item->associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(owner)) {
            const QAction* entry = menu->menuAction();
            if (!menu->isEnabled() || (entry->isVisible() && !entry->isEnabled()) ||
                !menusEnabled(entry))
                return false;
        }
    }
    return true;
}

// Whether the user could choose the item now: it and every menu on the way to it are enabled.
bool reachable(const QAction* item) {
    return item->isEnabled() && menusEnabled(item);
}

// The board scan and the selection of the board it found are over, and no command is waiting.
bool boardSettled(ISMmain& main) {
    const LinkWindow* link = main.loadedLink();
    return !main.Timer1->isActive() && main.CommState == 0 && !(link && link->isBusy());
}

// Opens the named menu item's or form's window; false while the menu item cannot be chosen (a
// board menu before the board scan has found the board).
bool open(ISMmain& main, const QString& name) {
    if (auto* item = main.findChild<QAction*>(name)) {
        if (!reachable(item))
            return false;
        item->trigger();
        return true;
    }
    main.showForm(main.form(name));
    return true;
}

// The steps of the start options, one per tick: wait for the board, open each window as soon as
// it can be opened, wait for the program to settle, then take the picture.
class StartRun : public QObject {
public:
    StartRun(ISMmain& main, QStringList names, QString screenshot, std::function<void(int)> end)
        : QObject(&main), main_(main), names_(std::move(names)), screenshot_(std::move(screenshot)),
          end_(std::move(end)) {
        timer_.setInterval(stepMs);
        connect(&timer_, &QTimer::timeout, this, &StartRun::step);
        timer_.start();
    }

private:
    static constexpr int stepMs = 100;
    // How long an item may stay disabled once the board has settled.
    static constexpr int patienceMs = 5000;
    // How long the program must stay quiet before the picture is taken, and how long it may
    // take to get there.
    static constexpr int quietMs = 1000;
    static constexpr int settlePatienceMs = 60000;

    void step() {
        if (!boardSettled(main_)) {
            quiet_ = 0;
            if ((unsettled_ += stepMs) >= settlePatienceMs)
                fail(QStringLiteral("the program did not settle"), 3);
            return;
        }
        unsettled_ = 0;
        if (next_ < names_.size()) {
            if (!open(main_, names_.at(next_))) {
                if ((waited_ += stepMs) >= patienceMs)
                    fail(names_.at(next_) + QStringLiteral(" stays disabled"), 2);
                return;
            }
            // What the window started runs before the next one opens.
            ++next_;
            waited_ = 0;
            return;
        }
        if (screenshot_.isEmpty())
            return finish();
        if ((quiet_ += stepMs) < quietMs)
            return;
        const bool saved = main_.grab().save(screenshot_);
        if (!saved)
            std::fprintf(stderr, "krv: --screenshot: cannot write %s\n", qPrintable(screenshot_));
        finish();
        end_(saved ? 0 : 1);
    }

    // An option that cannot be carried out: with a picture asked for, the run ends without it.
    void fail(const QString& why, int exitCode) {
        std::fprintf(stderr, "krv: --open: %s\n", qPrintable(why));
        finish();
        if (!screenshot_.isEmpty())
            end_(exitCode);
    }

    void finish() {
        timer_.stop();
        deleteLater();
    }

    ISMmain& main_;
    const QStringList names_;
    const QString screenshot_;
    const std::function<void(int)> end_;
    QTimer timer_;
    qsizetype next_ = 0;
    int waited_ = 0;
    int unsettled_ = 0;
    int quiet_ = 0;
};

} // namespace

QString checkStartOptions(const ISMmain& main, const StartOptions& options) {
    for (const QString& name : options.open) {
        if (!main.findChild<QAction*>(name) && !ISMmain::formNames().contains(name))
            return QStringLiteral("--open: no menu item or window is named \"%1\"").arg(name);
    }
    return {};
}

void applyStartOptions(ISMmain& main, const StartOptions& options, std::function<void(int)> end) {
    if (!options.open.isEmpty() || !options.screenshot.isEmpty())
        new StartRun(main, options.open, options.screenshot, std::move(end));
}

} // namespace krv
