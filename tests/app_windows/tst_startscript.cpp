#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// ./run's start of the program on simulated boards, with this build's programs, as it goes on
// a machine with no display.
class StartScriptTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsThePortsAndHowToReachAnUnseenWindow_data();
    void showsThePortsAndHowToReachAnUnseenWindow();
};

void StartScriptTest::showsThePortsAndHowToReachAnUnseenWindow_data() {
    QTest::addColumn<QStringList>("boards");
    QTest::addColumn<int>("ports");
    QTest::newRow("one board") << QStringList() << 1;
    QTest::newRow("two boards") << QStringList{QStringLiteral("--two-boards")} << 2;
}

// Every board's --port entry is shown, as the simulator printed it, so that another KRV can be
// started on it by hand; the window nobody sees is named with how to stop it and to look at it.
void StartScriptTest::showsThePortsAndHowToReachAnUnseenWindow() {
    QFETCH(QStringList, boards);
    QFETCH(int, ports);
    QTemporaryDir folder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KRV_PORTS", "KRV_HOME"})
        env.remove(QLatin1String(name));
    // The program folders go there too.
    env.insert(QStringLiteral("XDG_DATA_HOME"), folder.path());
    QProcess script;
    script.setProcessEnvironment(env);
    script.setWorkingDirectory(QStringLiteral(KRV_SOURCE_DIR));
    const QString picture = folder.filePath(QStringLiteral("shot.png"));
    script.start(QStringLiteral("tools/start.sh"),
                 QStringList{QStringLiteral(KRV_BUILD_DIR)}
                     << boards << QStringList{QStringLiteral("--screenshot"), picture});
    QVERIFY(script.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(script.readAllStandardOutput());
    QCOMPARE(script.exitCode(), 0);
    QCOMPARE(out.count(QRegularExpression(QStringLiteral("^--port \\d+=/dev/pts/\\d+$"),
                                          QRegularExpression::MultilineOption)),
             ports);
    QVERIFY2(out.contains(QStringLiteral("Ctrl+C stops it")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("tools/screenshot.sh")), qPrintable(out));
    QVERIFY(QFileInfo::exists(picture));
}

QTEST_MAIN(StartScriptTest)
#include "tst_startscript.moc"
