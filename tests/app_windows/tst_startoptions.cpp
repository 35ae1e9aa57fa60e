#include "app/ismmain.h"
#include "app/startoptions.h"
#include "testsupport.h"

#include <QAction>
#include <QImage>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace krv;

// The program shows itself without a hand on it: the windows named on the command line open as
// their menu items open them, once they can, and the screenshot shows them.
class StartOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namedWindowsOpenAndAreShot();
    void anUnwritableScreenshotEndsTheProgram();
};

void StartOptionsTest::namedWindowsOpenAndAreShot() {
    QTemporaryDir out;
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    const QString file = out.filePath(QStringLiteral("main.png"));
    // The link test's menu item stays disabled until the board scan has found the board 2.x.
    applyStartOptions(main, {QStringLiteral("krv"), QStringLiteral("--open"),
                             QStringLiteral("mnuViewTRx,mnuToolsYambleRFlink"),
                             QStringLiteral("--screenshot"), file});
    QVERIFY(test::waitUntil([&] { return QFile::exists(file); }, 15000));
    QVERIFY(main.mnuViewTRx->isChecked());
    QMdiSubWindow* link = main.frameOf(main.loadedForm(QStringLiteral("Frm_YambleRfLinkTest")));
    QVERIFY(link && link->isVisible());
    QCOMPARE(QImage(file).size(), main.size());
}

void StartOptionsTest::anUnwritableScreenshotEndsTheProgram() {
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    applyStartOptions(main, {QStringLiteral("krv"), QStringLiteral("--screenshot"),
                             QStringLiteral("/nonexistent/folder/main.png")});
    // The program does not wait on it: it quits, which ends this loop too, before the timeout.
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(2); });
    QVERIFY(loop.exec() != 2);
    QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/folder/main.png")));
}

QTEST_MAIN(StartOptionsTest)
#include "tst_startoptions.moc"
