#include "link/commport.h"
#include "link/linkwindow.h"
#include "readable.h"
#include "testsupport.h"
#include "tools/eeprom/firmload.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

using namespace krv;
using namespace krv::test;

namespace {

// A loader board selected and the loader window opened from the Tools menu.
struct Loader {
    Rig rig{sim::Personality::Loader};
    FirmLoad* window = nullptr;
    QStringList states; // what `state` showed, in order

    Loader() {
        if (!rig.connectBoard())
            qFatal("no simulated board");
        rig.main().mnuload->trigger();
        window = rig.main().loadedForm<FirmLoad>(QStringLiteral("FirmLoad"));
        if (!window)
            qFatal("no loader window");
        QObject::connect(window->state, &QLineEdit::textChanged,
                         [this](const QString& text) { states.append(text); });
        // The simulated loader answers from this thread: on a loaded machine it may take longer
        // than a real one to answer. A test of the limit itself sets it back.
        window->setIdleLimit(300);
        rig.board().clearReceived();
    }
    CommPort* port() { return rig.main().link()->MSComm2; }
    // Writes a file of that content into the program folder; its path.
    QString write(const QByteArray& content, const QString& name) {
        const QString path = rig.folder() + u'/' + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the firmware file");
        return path;
    }
    // Loads a file of that content through the window's file button.
    void load(const QByteArray& content, const QString& name = QStringLiteral("fw.hex")) {
        rig.dialogs().files = {write(content, name)};
        window->loadeefile->click();
    }
    // Presses Download and waits until the download has ended.
    bool download(int ms = 10000) {
        window->Prog->click();
        return waitUntil([this] { return !window->downloading(); }, ms);
    }
    QString lastMessage() {
        return rig.dialogs().messages.isEmpty() ? QString() : rig.dialogs().messages.last().text;
    }
};

const QByteArray endRecord = ":00000001FF";

// An Intel HEX data record of four bytes at the address.
QByteArray dataRecord(int address) {
    QByteArray bytes = QByteArray::fromHex("04") + char(address >> 8) + char(address & 0xFF) +
                       '\0' + QByteArray::fromHex("DEADBEEF");
    int sum = 0;
    for (const char byte : bytes)
        sum += quint8(byte);
    bytes.append(char(-sum & 0xFF));
    return ':' + bytes.toHex().toUpper();
}

// A firmware file of `count` records, the last one the end record.
QByteArray lines(int count) {
    QByteArray text;
    for (int i = 0; i + 1 < count; ++i)
        text += dataRecord(i * 4) + "\r\n";
    return text + endRecord + "\r\n";
}

} // namespace

class FirmLoadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offeredOnlyForALoaderBoard_data();
    void offeredOnlyForALoaderBoard();
    void downloadSendsEveryLineAfterTheLoadersReady();
    void loaderAnswers_data();
    void loaderAnswers();
    void stopEndsTheDownloadAtTheNextTick();
    void closingMidDownloadFreesTheBoard();
    void vanishedBoardEndsTheDownloadOnce_data();
    void vanishedBoardEndsTheDownloadOnce();
    void downloadRefusals();
    void showsWhichFileDownloadSends();
    void refusedFileLeavesNothingToSend_data();
    void refusedFileLeavesNothingToSend();
    void notIntelHexIsNeverSent_data();
    void notIntelHexIsNeverSent();
    void speedOptions();
    void looksWhole();
};

void FirmLoadTest::offeredOnlyForALoaderBoard_data() {
    QTest::addColumn<bool>("rawDataMode");
    QTest::newRow("disconnected") << false;
    QTest::newRow("raw data mode") << true;
}

void FirmLoadTest::offeredOnlyForALoaderBoard() {
    QFETCH(bool, rawDataMode);
    Loader t;
    ISMmain& main = t.rig.main();
    QVERIFY(main.mnuload->isVisible() && main.mnuload->isEnabled());
    if (rawDataMode) {
        main.CB_Mode->setCurrentIndex(2);
        QCOMPARE(main.CommStatus->text(), "Data mode");
    } else {
        main.Toolbar2_ButtonClick(QStringLiteral("Disconnect"));
    }
    QVERIFY(!main.mnuload->isVisible() && !main.mnuload->isEnabled());
}

void FirmLoadTest::downloadSendsEveryLineAfterTheLoadersReady() {
    Loader t;
    const QByteArray r1 = dataRecord(0);
    const QByteArray r2 = dataRecord(4);
    // Lines end at CR LF, a lone LF or a lone CR.
    t.load(r1 + "\r\n" + r2 + "\n" + endRecord + "\r");
    QCOMPARE(t.window->LoadedFile, "L" + r1 + "\r\n" + r2 + "\r\n" + endRecord + "\r\n");
    QStringList speeds;
    QObject::connect(t.window->state, &QLineEdit::textChanged,
                     [&](const QString&) { speeds.append(t.port()->settings()); });
    QVERIFY(t.download());
    QCOMPARE(t.rig.board().receivedBytes(),
             "C\rL" + r1 + "\r\n" + r2 + "\r\n" + endRecord + "\r\n");
    const QStringList records = {"L" + r1, r2, endRecord};
    QCOMPARE(t.rig.board().loader().records(), records);
    QCOMPARE(t.states, QStringList({"1", "2", "3", "Load end"}));
    // Records go out at the loader's speed; the port is back at 19200 bit/s and open after it.
    QCOMPARE(speeds.first(), QStringLiteral("57600,N,8,1"));
    QCOMPARE(t.port()->settings(), QStringLiteral("19200,N,8,1"));
    QVERIFY(t.port()->portOpen());
    QCOMPARE(t.rig.main().CommState, 0);
    QVERIFY(t.rig.dialogs().messages.isEmpty());
    QVERIFY(!t.rig.board().loader().downloading());
    // The file stays loaded for another download.
    QVERIFY(t.download());
    QCOMPARE(t.rig.board().loader().records().mid(3), records);
}

void FirmLoadTest::loaderAnswers_data() {
    QTest::addColumn<int>("stopAfter");
    QTest::addColumn<bool>("xonOnly");
    QTest::addColumn<bool>("oneWrite");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("XOFF and XON in one write") << 0 << false << true << "Load end";
    QTest::newRow("silent after two records") << 2 << false << false << "Load failed at record 3";
    QTest::newRow("XON without XOFF") << 0 << true << false << "Load failed at record 1";
}

void FirmLoadTest::loaderAnswers() {
    QFETCH(int, stopAfter);
    QFETCH(bool, xonOnly);
    QFETCH(bool, oneWrite);
    QFETCH(QString, outcome);
    Loader t;
    t.rig.board().loader().setOptions({stopAfter, xonOnly, oneWrite});
    // A loader that never answers right fails at the first record whatever the machine's load:
    // that case runs with the limit of a real board.
    if (xonOnly)
        t.window->setIdleLimit(10);
    t.load(lines(4));
    QVERIFY(t.download());
    QCOMPARE(t.window->state->text(), outcome);
    QCOMPARE(t.rig.main().CommState, 0);
    QCOMPARE(t.port()->settings(), QStringLiteral("19200,N,8,1"));
    if (outcome == "Load end") {
        QCOMPARE(t.rig.board().loader().records().size(), 4);
        QVERIFY(t.rig.dialogs().messages.isEmpty());
    } else {
        const QString record = outcome.section(u' ', -1);
        QCOMPARE(t.rig.dialogs().messages.size(), 1);
        QCOMPARE(t.lastMessage(), "Firmware download failed at record " + record + u'.');
        QCOMPARE(t.rig.dialogs().messages.last().title, "Firmware Loading error");
    }
}

void FirmLoadTest::stopEndsTheDownloadAtTheNextTick() {
    Loader t;
    t.load(lines(300));
    t.window->Prog->click();
    QVERIFY(waitUntil([&] { return t.states.contains("5"); }));
    // Neither the file nor the loader's speed changes under a running download.
    QVERIFY(!t.window->Ser_Speed->isEnabled());
    QVERIFY(!t.window->loadeefile->isEnabled());
    t.window->StopButton->click();
    QVERIFY(waitUntil([&] { return !t.window->downloading(); }));
    QCOMPARE(t.window->state->text(), "Load stopped");
    QVERIFY(t.rig.board().loader().records().size() < 300);
    QCOMPARE(t.rig.main().CommState, 0);
    QCOMPARE(t.port()->settings(), QStringLiteral("19200,N,8,1"));
    QVERIFY(t.window->Ser_Speed->isEnabled());
    QVERIFY(t.window->loadeefile->isEnabled());
    QVERIFY(t.rig.dialogs().messages.isEmpty());
    // Stop acts only on a download of its own: another transaction's lock is left alone.
    TransactionHold other = t.rig.main().CommState.take(7);
    t.window->StopButton->click();
    QTest::qWait(50);
    QCOMPARE(t.rig.main().CommState, 7);
    other.release();
}

void FirmLoadTest::closingMidDownloadFreesTheBoard() {
    Loader t;
    t.load(lines(300));
    t.window->Prog->click();
    QVERIFY(waitUntil([&] { return t.states.contains("3"); }));
    t.rig.main().unloadForm(QStringLiteral("FirmLoad"));
    QCOMPARE(t.rig.main().CommState, 0);
    QVERIFY(!t.rig.main().FirmLoadOn);
    QCOMPARE(t.port()->settings(), QStringLiteral("19200,N,8,1"));
    QVERIFY(t.port()->portOpen());
    QTest::qWait(50);
    const qsizetype sent = t.rig.board().loader().records().size();
    QTest::qWait(150);
    QCOMPARE(t.rig.board().loader().records().size(), sent);
}

void FirmLoadTest::vanishedBoardEndsTheDownloadOnce_data() {
    QTest::addColumn<int>("records"); // shown before the board goes
    // Its port then fails as the download switches the speed, before the loss is noticed.
    QTest::newRow("as Download is pressed") << 0;
    QTest::newRow("mid-download") << 3;
}

void FirmLoadTest::vanishedBoardEndsTheDownloadOnce() {
    QFETCH(int, records);
    Loader t;
    t.load(lines(300));
    if (records == 0) {
        t.rig.board().vanish();
        t.window->Prog->click();
    } else {
        t.window->Prog->click();
        QVERIFY(waitUntil([&] { return t.states.contains(QString::number(records)); }));
        t.rig.board().vanish();
    }
    QVERIFY(waitUntil([&] { return !t.window->downloading(); }));
    QTest::qWait(100);
    // The main window reports the lost board; the download ends at the record it had reached.
    QCOMPARE(t.rig.messageTexts(),
             QStringList{"Loadboard disconnected!\r\nPlease press connect again!"});
    const QString reached = t.states.size() > 1 ? t.states.at(t.states.size() - 2) : "1";
    QCOMPARE(t.states.last(), "Load failed at record " + reached);
    QCOMPARE(t.states.filter("Load").size(), 1);
    QVERIFY(!t.window->Timer1->isActive());
    QCOMPARE(t.rig.main().CommState, 0);
    QCOMPARE(t.port()->settings(), QStringLiteral("19200,N,8,1"));
    QVERIFY(t.window->Ser_Speed->isEnabled());
}

void FirmLoadTest::downloadRefusals() {
    Loader t;
    t.window->Prog->click();
    QCOMPARE(t.lastMessage(), "Please load a HEX file first.");
    t.load(lines(2));
    TransactionHold other = t.rig.main().CommState.take(3);
    t.window->Prog->click();
    QCOMPARE(t.lastMessage(), "Commport is busy. Please try again later!");
    other.release();
    t.rig.main().Toolbar2_ButtonClick(QStringLiteral("Disconnect"));
    t.window->Prog->click();
    QCOMPARE(t.lastMessage(), "Commport not available, Loadboard not connected!");
    QCOMPARE(t.rig.dialogs().messages.size(), 3);
    QVERIFY(t.rig.board().receivedBytes().isEmpty());
    QVERIFY(!t.window->downloading());
}

void FirmLoadTest::showsWhichFileDownloadSends() {
    Loader t;
    QCOMPARE(t.window->windowTitle(), "Firmware Loader");
    QCOMPARE(t.rig.main().frameOf(t.window)->windowTitle(), "Firmware Loader");
    QCOMPARE(t.window->LoadedName->text(), "");
    QCOMPARE(t.window->LoadedRecords->text(), "No file loaded");
    t.load(lines(3), QStringLiteral("three.hex"));
    QCOMPARE(t.window->LoadedName->text(), "three.hex");
    QCOMPARE(t.window->LoadedName->toolTip(), t.rig.folder() + QStringLiteral("/three.hex"));
    QCOMPARE(t.window->LoadedRecords->text(), "3 records");
    // Empty lines are no records: the count is what Download sends.
    t.load(endRecord + "\r\n\r\n", QStringLiteral("end.hex"));
    QCOMPARE(t.window->LoadedName->text(), "end.hex");
    QCOMPARE(t.window->LoadedRecords->text(), "1 record");
    QVERIFY(t.download());
    QCOMPARE(t.rig.board().loader().records(), QStringList{"L" + endRecord});
}

void FirmLoadTest::refusedFileLeavesNothingToSend_data() {
    QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("size"); // the file grown to this size with a hole, when not 0
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("kept"); // whether the file loaded before stays loaded
    // One wrong checksum on line 5 of an otherwise good file.
    QByteArray badSum = lines(22);
    const QByteArray fifth = dataRecord(16);
    const int sum = fifth.right(2).toInt(nullptr, 16);
    const QByteArray wrong =
        QByteArray::number((sum + 1) & 0xFF, 16).toUpper().rightJustified(2, '0');
    badSum.replace(fifth, fifth.chopped(2) + wrong);
    const QString fileOpen = QStringLiteral("Error occured:%1\r\nPlease try again!");
    QTest::newRow("wrong checksum")
        << "bad.hex" << badSum << qint64(0)
        << fileOpen.arg(QStringLiteral("321,Not an Intel HEX firmware file.\r\nLine 5: "
                                       "checksum %1, expected %2")
                            .arg(QString::fromLatin1(wrong), QString::fromLatin1(fifth.right(2))))
        << false;
    QTest::newRow("empty") << "empty.hex" << QByteArray() << qint64(0)
                           << fileOpen.arg(QStringLiteral("1222,This is an empty file!")) << false;
    // Refused before it is read: a hole is cheap to make.
    QTest::newRow("larger than any firmware")
        << "big.hex" << lines(2) << qint64((16 << 20) + 1)
        << fileOpen.arg(QStringLiteral("1227,File larger than 16 MB")) << false;
    QTest::newRow("wrong extension") << "fw.txt" << lines(2) << qint64(0)
                                     << "File type not supported! Please try again!" << true;
    QTest::newRow("dialog cancelled") << "" << QByteArray() << qint64(0) << "" << true;
}

// A file chosen and refused for what it holds leaves nothing loaded, so that Download never sends
// the file loaded before it; a file not taken at all (cancelled, wrong extension) changes nothing.
void FirmLoadTest::refusedFileLeavesNothingToSend() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, message);
    QFETCH(bool, kept);
    Loader t;
    t.load(lines(22), QStringLiteral("good.hex"));
    const QByteArray good = t.window->LoadedFile;
    QCOMPARE(t.window->LoadedRecords->text(), "22 records");
    t.rig.dialogs().files.clear();
    if (!name.isEmpty()) {
        QFile file(t.write(content, name));
        if (size > 0)
            QVERIFY(file.resize(size));
        t.rig.dialogs().files = {file.fileName()};
    }
    t.window->loadeefile->click();
    QCOMPARE(t.rig.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(t.rig.dialogs().messages.last().title, "File open error");
    t.rig.dialogs().messages.clear();
    if (kept) {
        QCOMPARE(t.window->LoadedFile, good);
        QCOMPARE(t.window->LoadedName->text(), "good.hex");
        QCOMPARE(t.window->LoadedRecords->text(), "22 records");
        QVERIFY(t.download());
        QCOMPARE(t.rig.board().loader().records().size(), 22);
        QCOMPARE(t.window->state->text(), "Load end");
    } else {
        QVERIFY(t.window->LoadedFile.isEmpty());
        QCOMPARE(t.window->LoadedName->text(), "");
        QCOMPARE(t.window->LoadedRecords->text(), "No file loaded");
        t.window->Prog->click();
        QCOMPARE(t.rig.messageTexts(), QStringList{"Please load a HEX file first."});
        QTest::qWait(100);
        QVERIFY(t.rig.board().receivedBytes().isEmpty());
        QVERIFY(!t.window->downloading());
    }
}

void FirmLoadTest::notIntelHexIsNeverSent_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("problem");
    QRandomGenerator random(17);
    QByteArray garbage(4096, '\0');
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    // Whatever line of the noise comes first, it does not begin with ":".
    garbage[0] = 'x';
    QTest::newRow("garbage") << garbage << "Line 1: does not begin with \":\"";
    QTest::newRow("bad checksum") << lines(3).replace("EFC4", "EFC5")
                                  << "Line 1: checksum C5, expected C4";
}

void FirmLoadTest::notIntelHexIsNeverSent() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    Loader t;
    t.load(file);
    QCOMPARE(t.rig.messageTexts(),
             QStringList{"Error occured:321,Not an Intel HEX firmware file.\r\n" + problem +
                         "\r\nPlease try again!"});
    QVERIFY(t.window->LoadedFile.isEmpty());
    t.window->Prog->click();
    QCOMPARE(t.lastMessage(), "Please load a HEX file first.");
    QTest::qWait(100);
    QVERIFY(t.rig.board().receivedBytes().isEmpty());
    QVERIFY(!t.window->downloading());
}

void FirmLoadTest::speedOptions() {
    Loader t;
    t.window->SerSpd_576->click();
    t.window->SerSpd_384->click();
    QVERIFY(waitUntil([&] { return t.rig.board().loader().speeds().size() == 2; }));
    QCOMPARE(t.rig.board().loader().speeds(), QStringList({"C576", "C384"}));
    QCOMPARE(t.port()->settings(), QStringLiteral("38400,N,8,1"));
    QVERIFY(t.port()->portOpen());
    // With the port closed the loader's speed cannot change: nor does the choice shown.
    t.rig.main().Toolbar2_ButtonClick(QStringLiteral("Disconnect"));
    t.window->SerSpd_192->click();
    QCOMPARE(t.lastMessage(), "Commport not available, Loadboard not connected!");
    QVERIFY(t.window->SerSpd_384->isChecked());
    QCOMPARE(t.port()->settings(), QStringLiteral("38400,N,8,1"));
}

// Whole at opening, with a file loaded and while it is sent, near its design size with the
// platform's font; the speed choice in view below the buttons.
void FirmLoadTest::looksWhole() {
    Loader t;
    t.rig.main().show();
    checkReadable(t.window, QStringLiteral("FirmLoad"));
    checkNearDesignSize(t.window, 3100, 5060);
    QVERIFY(t.window->rect().contains(t.window->Ser_Speed->geometry()));
    QVERIFY(t.window->Ser_Speed->y() > t.window->StopButton->geometry().bottom());
    t.load(lines(300), QStringLiteral("firmware_release_2_4.hex"));
    t.window->Prog->click();
    QVERIFY(waitUntil([&] { return t.states.contains("3"); }));
    checkReadable(t.window, QStringLiteral("FirmLoad_downloading"));
    t.window->StopButton->click();
    QVERIFY(waitUntil([&] { return !t.window->downloading(); }));
}

QTEST_MAIN(FirmLoadTest)
#include "tst_firmload.moc"
