#include "startoptions.h"

#include "ismmain.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace krv {

QString optionValue(const QStringList& arguments, const QString& option) {
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

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

enum class Opened { Yes, NotYet, NoSuchName };

// Opens the named menu item's or form's window; NotYet while the menu item cannot be chosen (a
// board menu before the board scan has found the board).
Opened open(ISMmain& main, const QString& name) {
    if (auto* item = main.findChild<QAction*>(name)) {
        if (!reachable(item))
            return Opened::NotYet;
        item->trigger();
        return Opened::Yes;
    }
    if (!ISMmain::formNames().contains(name))
        return Opened::NoSuchName;
    main.showForm(main.form(name));
    return Opened::Yes;
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
            const Opened opened = open(main_, names_.at(next_));
            if (opened == Opened::NoSuchName)
                return fail(QStringLiteral("no menu item or window named ") + names_.at(next_), 2);
            if (opened == Opened::NotYet) {
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

void applyStartOptions(ISMmain& main, const QStringList& arguments, std::function<void(int)> end) {
    const QStringList names =
        optionValue(arguments, QStringLiteral("--open")).split(u',', Qt::SkipEmptyParts);
    const QString screenshot = optionValue(arguments, QStringLiteral("--screenshot"));
    if (!names.isEmpty() || !screenshot.isEmpty())
        new StartRun(main, names, screenshot, std::move(end));
}

} // namespace krv
