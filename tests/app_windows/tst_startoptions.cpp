#include "app/ismmain.h"
#include "app/startoptions.h"
#include "testsupport.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace krv;

namespace {

// Applies the options and runs the event loop until the run ends; its exit code, or -1 when it
// does not end within the time.
int runToEnd(ISMmain& main, const StartOptions& options, int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, [&loop] { loop.exit(-1); });
    applyStartOptions(main, options, [&loop](int code) { loop.exit(code); });
    return loop.exec();
}

} // namespace

// The program shows itself without a hand on it: the windows named on the command line open as
// their menu items open them, once they can, and the screenshot shows them.
class StartOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namedWindowsOpenAndAreShot();
    void thePictureWaitsForTheBoardScan();
    void anItemThatStaysDisabledWritesNoPicture();
    void onlyNamesOfMenuItemsAndWindowsAreTaken();
    void anUnwritableScreenshotEndsTheProgram();
};

void StartOptionsTest::namedWindowsOpenAndAreShot() {
    QTemporaryDir out;
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    const QString file = out.filePath(QStringLiteral("main.png"));
    // The link test's menu item stays disabled until the board scan has found the board 2.x.
    QCOMPARE(
        runToEnd(main,
                 {{QStringLiteral("mnuViewTRx"), QStringLiteral("mnuToolsYambleRFlink")}, file},
                 15000),
        0);
    QVERIFY(main.mnuViewTRx->isChecked());
    QMdiSubWindow* link = main.frameOf(main.loadedForm(QStringLiteral("Frm_YambleRfLinkTest")));
    QVERIFY(link && link->isVisible());
    QCOMPARE(QImage(file).size(), main.size());
}

// A panel item is no choice while the scan greys its menu: the windows open, and the picture is
// taken, once the scan over a long port range has found the board and the program is quiet.
void StartOptionsTest::thePictureWaitsForTheBoardScan() {
    QTemporaryDir out;
    test::Rig rig;
    rig.writeSettings(QStringLiteral("1"), QStringLiteral("16"));
    ISMmain& main = rig.start();
    main.show();
    const QString file = out.filePath(QStringLiteral("main.png"));
    // The run ends as the picture is taken: what follows is what the picture shows.
    QCOMPARE(
        runToEnd(main,
                 {{QStringLiteral("mnuViewTx0"), QStringLiteral("mnuToolsMivraTestmode")}, file},
                 20000),
        0);
    QVERIFY(!main.Timer1->isActive());
    QCOMPARE(main.CommState, 0L);
    QVERIFY2(!main.CommStatus->text().startsWith(QStringLiteral("COM")),
             qPrintable(main.CommStatus->text()));
    QVERIFY(main.mnuView->isEnabled() && main.mnutools->isEnabled());
    QVERIFY(main.mnuViewTx0->isChecked());
    QVERIFY(main.loadedForm(QStringLiteral("MivraV2test")));
}

// The run ends with code 2, and the file that was there stays as it was.
void StartOptionsTest::anItemThatStaysDisabledWritesNoPicture() {
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("main.png"));
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier picture");
    }
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    // The transceivers' link test with no transceiver panel open.
    QCOMPARE(runToEnd(main, {{QStringLiteral("mnuToolsYambleRFlink")}, file}, 15000), 2);
    QFile earlier(file);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("an earlier picture"));
}

void StartOptionsTest::anUnwritableScreenshotEndsTheProgram() {
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    // The program does not wait on it: it quits, before the time is up.
    QCOMPARE(runToEnd(main, {{}, QStringLiteral("/nonexistent/folder/main.png")}, 10000), 1);
    QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/folder/main.png")));
}

// Checked before the window shows: a menu item's name, also one in a hidden menu, and a window's
// form name are taken; anything else is named in the refusal.
void StartOptionsTest::onlyNamesOfMenuItemsAndWindowsAreTaken() {
    test::Rig rig;
    ISMmain& main = rig.start();
    QCOMPARE(checkStartOptions(main, {{QStringLiteral("mnuViewTRx"), QStringLiteral("mnuSPI"),
                                       QStringLiteral("Frm_YambleRfLinkTest")},
                                      {}}),
             QString());
    QCOMPARE(checkStartOptions(
                 main, {{QStringLiteral("mnuViewTRx"), QStringLiteral("mnuNoSuchItem")}, {}}),
             QStringLiteral("--open: no menu item or window is named \"mnuNoSuchItem\""));
}

QTEST_MAIN(StartOptionsTest)
#include "tst_startoptions.moc"
