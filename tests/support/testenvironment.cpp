// Compiled into every test built on the test support: it runs before the test's main.

#include <QByteArray>
#include <QtGlobal>

namespace {

// Run straight from a shell or an IDE, a test gets the screen CTest gives it: the offscreen
// platform with a 1920x1080 desktop, rather than a display of the moment or the platform's
// 800x800 default. A screen set from outside (CTest's, for the small-desktop runs) stays.
struct TestScreen {
    TestScreen() {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (platform.isEmpty() || platform == "offscreen")
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KRV_TEST_SCREEN_FILE);
    }
} testScreen;

} // namespace
