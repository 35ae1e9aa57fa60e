// Every box that shows the board's output for as long as it talks keeps a bounded tail: a day
// of packets costs no more memory than a few thousand.

#include "common/monitorbox.h"
#include "rflinktest.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using krv::test::LinkRig;

namespace {

// How the board's output reaches the box.
enum Path {
    // The link echoes the board's output to the monitors (the terminal).
    Echo,
    // The link hands each character to the windows that take it (the sniffer).
    LinkBuffers,
    // The window appends each packet it took, with the CR that ends it (the RF link tests,
    // whose taking a packet arms the board again).
    Packets,
};

constexpr int packets = 100'000;
// The bounded boxes come to 3 to 7 MB; without a bound they held 44 to 62 MB, in the hex view
// (each packet's two digits a byte, on one line) 11 MB.
constexpr size_t heapBound = 10 << 20;

QString packet(int number) {
    return QStringLiteral("P%1").arg(number, 9, 10, QLatin1Char('0'));
}

} // namespace

class MonitorsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aDayOfPacketsKeepsABoundedTail_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("path");
        QTest::addColumn<QString>("hexOption");
        QTest::newRow("terminal") << "Terminal"
                                  << "Text1" << int(Echo) << QString();
        QTest::newRow("sniffer") << "frm_ZiborSniffer"
                                 << "Incoming" << int(LinkBuffers) << QString();
        QTest::newRow("transceiver RF link") << "Frm_YambleRfLinkTest"
                                             << "TB_MonitoredData" << int(Packets) << QString();
        QTest::newRow("transceiver RF link, hex view")
            << "Frm_YambleRfLinkTest"
            << "TB_MonitoredData" << int(Packets) << "OB_RxHexView";
        QTest::newRow("receiver RF link, board 1.x") << "DruskV1rflink"
                                                     << "Monitor" << int(Packets) << QString();
        QTest::newRow("receiver RF link, board 2.x, hex view")
            << "DruskV1rflink_LB2"
            << "Monitor" << int(Packets) << "OB_HexView";
    }
    void aDayOfPacketsKeepsABoundedTail() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(int, path);
        QFETCH(QString, hexOption);
        if (!test::heapCounted())
            QSKIP("the heap is counted by the sanitizer's allocator");
        LinkRig rig;
        rig.start();
        QWidget* form = rig.main().form(window);
        QVERIFY(form);
        rig.main().showForm(form);
        auto* monitor = form->findChild<MonitorBox*>(box);
        QVERIFY(monitor);
        if (!hexOption.isEmpty())
            form->findChild<QRadioButton*>(hexOption)->setChecked(true);
        QApplication::processEvents();
        const size_t before = test::heapInUse();
        for (int i = 0; i < packets; ++i) {
            const QString text = packet(i);
            if (path == Echo) {
                rig.main().echoToMonitors(text + QStringLiteral("\r\n"));
            } else if (path == LinkBuffers) {
                for (const QChar c : text + u'\r')
                    rig.main().characterToLinkBuffers(char(c.unicode()));
            } else {
                monitor->appendBytes(text.toLatin1() + '\r');
            }
            // The board's packets come a few to a pass of the event loop.
            if (i % 100 == 99)
                QApplication::processEvents();
        }
        QApplication::processEvents();
        const size_t after = test::heapInUse();
        QVERIFY2(after < before + heapBound,
                 qPrintable(QStringLiteral("%1 MB more heap")
                                .arg((double(after) - double(before)) / (1 << 20))));
        QVERIFY(monitor->document()->blockCount() <= MonitorBox::ShownLines);
        QString shown = monitor->toPlainText();
        const QString last = packet(packets - 1);
        if (hexOption.isEmpty()) {
            QVERIFY(shown.endsWith(packet(packets - 2) + u'\n' + last + u'\n'));
        } else {
            shown.remove(u'\n');
            QVERIFY(shown.endsWith(QString::fromLatin1(
                (packet(packets - 2) + u'\r' + last + u'\r').toLatin1().toHex().toUpper())));
        }
    }
};

QTEST_MAIN(MonitorsTest)
#include "tst_monitors.moc"
