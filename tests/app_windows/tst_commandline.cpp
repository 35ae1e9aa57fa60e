#include "app/version.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace krv;

namespace {

struct Ran {
    int code = -1;
    QString out;
    QString err;
};

// Runs the program as a user would, in `folder`, with its program folder in folder/program;
// code -1 when it has not ended within the time (a window was left running).
Ran runKrv(const QString& folder, const QStringList& arguments, const QProcessEnvironment& env,
           int ms = 15000) {
    QProcess krv;
    krv.setWorkingDirectory(folder);
    krv.setProcessEnvironment(env);
    krv.start(QStringLiteral(KRV_EXECUTABLE), arguments);
    // The loop runs meanwhile: a simulated board in this process answers the scan.
    const bool ended = krv.waitForStarted() &&
                       test::waitUntil([&krv] { return krv.state() == QProcess::NotRunning; }, ms);
    if (!ended) {
        krv.kill();
        krv.waitForFinished();
        return {};
    }
    return {krv.exitStatus() == QProcess::NormalExit ? krv.exitCode() : -1,
            QString::fromLocal8Bit(krv.readAllStandardOutput()),
            QString::fromLocal8Bit(krv.readAllStandardError())};
}

// A desktop session's environment, with every folder the program could write to in `folder`.
QProcessEnvironment environmentIn(const QString& folder) {
    static QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/data"));
    env.insert(QStringLiteral("KRV_HOME"), folder + QStringLiteral("/program"));
    env.remove(QStringLiteral("KRV_PORTS"));
    return env;
}

} // namespace

// The program answers its command line as a Linux program does, before any window: help and
// version on stdout, a refusal as one line on stderr with exit code 2, nothing written.
class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpListsEveryOptionOnALine();
    void versionIsTheAboutBoxOne();
    void aBadOptionIsRefusedByName_data();
    void aBadOptionIsRefusedByName();
    void answersNeedNoDisplay();
    void aScreenshotRunSaysWhetherItWroteThePicture_data();
    void aScreenshotRunSaysWhetherItWroteThePicture();
};

void CommandLineTest::helpListsEveryOptionOnALine() {
    QTemporaryDir folder;
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Ran ran = runKrv(folder.path(), {help}, environmentIn(folder.path()));
        QCOMPARE(ran.code, 0);
        QCOMPARE(ran.err, QString());
        for (const char* option :
             {"-h, --help  ", "-v, --version  ", "--home DIR  ", "--port N=PATH  ",
              "--label TEXT  ", "--open NAME,...  ", "--screenshot FILE  "}) {
            const QRegularExpression line(QStringLiteral("^  ") +
                                              QRegularExpression::escape(QLatin1String(option)) +
                                              QStringLiteral(" *\\S[^\\n]*$"),
                                          QRegularExpression::MultilineOption);
            QVERIFY2(ran.out.contains(line), option);
        }
    }
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("program"))));
}

void CommandLineTest::versionIsTheAboutBoxOne() {
    QTemporaryDir folder;
    for (const QString& version : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const Ran ran = runKrv(folder.path(), {version}, environmentIn(folder.path()));
        QCOMPARE(ran.code, 0);
        QCOMPARE(ran.out, QStringLiteral("krv %1\n").arg(version::number()));
        QCOMPARE(ran.err, QString());
    }
}

void CommandLineTest::aBadOptionIsRefusedByName_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("ports");
    QTest::addColumn<QString>("named");
    const auto row = [](const char* name, const QStringList& arguments, const QString& named,
                        const QString& ports = {}) {
        QTest::newRow(name) << arguments << ports << named;
    };
    row("an unknown option", {QStringLiteral("--bogus")}, QStringLiteral("bogus"));
    row("a stray argument", {QStringLiteral("stray")}, QStringLiteral("stray"));
    row("an option without its value", {QStringLiteral("--open")}, QStringLiteral("--open"));
    row("a port without its device", {QStringLiteral("--port"), QStringLiteral("1")},
        QStringLiteral("--port 1"));
    row("a port numbered 0", {QStringLiteral("--port"), QStringLiteral("0=/dev/null")},
        QStringLiteral("0=/dev/null"));
    row("a port of no number", {QStringLiteral("--port"), QStringLiteral("x=/dev/null")},
        QStringLiteral("x=/dev/null"));
    row("a port on no device", {QStringLiteral("--port"), QStringLiteral("1=/no/such/device")},
        QStringLiteral("/no/such/device"));
    row("a malformed KRV_PORTS", {}, QStringLiteral("KRV_PORTS"), QStringLiteral("3=/dev/null,4"));
    row("a picture of no format", {QStringLiteral("--screenshot"), QStringLiteral("shot")},
        QStringLiteral("--screenshot shot"));
    row("a picture of an unknown format", {QStringLiteral("--screenshot"), QStringLiteral("a.tc")},
        QStringLiteral("--screenshot a.tc"));
    row("a picture in no folder",
        {QStringLiteral("--screenshot"), QStringLiteral("/nonexistent/folder/main.png")},
        QStringLiteral("/nonexistent/folder"));
    row("a name no menu has",
        {QStringLiteral("--open"), QStringLiteral("mnuViewTRx,mnuNoSuchItem")},
        QStringLiteral("mnuNoSuchItem"));
}

// One line on stderr names what was refused; the run ends at once, before the program folder
// is made.
void CommandLineTest::aBadOptionIsRefusedByName() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, ports);
    QFETCH(QString, named);
    QTemporaryDir folder;
    QProcessEnvironment env = environmentIn(folder.path());
    if (!ports.isEmpty())
        env.insert(QStringLiteral("KRV_PORTS"), ports);
    const Ran ran = runKrv(folder.path(), arguments, env);
    QCOMPARE(ran.code, 2);
    QCOMPARE(ran.out, QString());
    QVERIFY2(ran.err.startsWith(QStringLiteral("krv: ")) && ran.err.count(u'\n') == 1 &&
                 ran.err.endsWith(u'\n') && ran.err.contains(named),
             qPrintable(ran.err));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// On a terminal with no display (over ssh) the answers come as they do on a desktop.
void CommandLineTest::answersNeedNoDisplay() {
    QTemporaryDir folder;
    QProcessEnvironment env = environmentIn(folder.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QCOMPARE(runKrv(folder.path(), {QStringLiteral("--help")}, env).code, 0);
    QCOMPARE(runKrv(folder.path(), {QStringLiteral("--version")}, env).out,
             QStringLiteral("krv %1\n").arg(version::number()));
    const Ran refused = runKrv(folder.path(), {QStringLiteral("--bogus")}, env);
    QCOMPARE(refused.code, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("bogus")), qPrintable(refused.err));
}

void CommandLineTest::aScreenshotRunSaysWhetherItWroteThePicture_data() {
    QTest::addColumn<QString>("open");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("written");
    QTest::newRow("a window opened") << QStringLiteral("mnuViewTRx") << 0 << true;
    // The program is closed before the picture can be taken.
    QTest::newRow("the program closed") << QStringLiteral("mnuFileExit") << 1 << false;
}

// On a simulated board: the picture is written and the run ends with 0, or the run ends with a
// code other than 0 and says why there is none. Either way the data folders stand beside the
// program folder, as an installation has them.
void CommandLineTest::aScreenshotRunSaysWhetherItWroteThePicture() {
    QFETCH(QString, open);
    QFETCH(int, code);
    QFETCH(bool, written);
    QTemporaryDir folder;
    sim::BoardSimulator board(sim::Personality::Board2);
    QVERIFY(board.start());
    const QString picture = folder.filePath(QStringLiteral("F.png"));
    const Ran ran = runKrv(folder.path(),
                           {QStringLiteral("--port"), QStringLiteral("1=") + board.devicePath(),
                            QStringLiteral("--open"), open, QStringLiteral("--screenshot"),
                            QStringLiteral("F.png")},
                           environmentIn(folder.path()), 60000);
    QCOMPARE(ran.code, code);
    QCOMPARE(QFileInfo::exists(picture), written);
    if (!written)
        QVERIFY2(ran.err.contains(QStringLiteral("--screenshot: nothing written")),
                 qPrintable(ran.err));
    for (const char* data :
         {"Project_Configurations", "EEPROM_Images", "Documentation", "Examples"})
        QVERIFY2(QFileInfo(folder.filePath(QLatin1String(data))).isDir(), data);
}

QTEST_MAIN(CommandLineTest)
#include "tst_commandline.moc"
