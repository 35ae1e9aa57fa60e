#include "common/monitorbox.h"

#include <QTest>
#include <QTextBlock>

using namespace krv;

// The monitor box: what it keeps and what it shows, also when the board floods it.
class MonitorBoxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsWhatArrivesWithOrdinaryLineBreaks_data() {
        QTest::addColumn<QStringList>("appends");
        QTest::addColumn<int>("erased");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF pairs") << QStringList{"OK\r\n>", "x"} << 0 << "OK\r\n>x"
                                     << "OK\n>x";
        QTest::newRow("a pair split over two appends") << QStringList{"a\r", "\nb"} << 0 << "a\r\nb"
                                                       << "a\nb";
        QTest::newRow("a lone CR, a lone LF, a CR at the end")
            << QStringList{"A\rB\nC\r"} << 0 << "A\rB\nC\r"
            << "A\nB\nC\n";
        QTest::newRow("erasing a typed line break takes the pair")
            << QStringList{"ab\r\n"} << 1 << "ab"
            << "ab";
        QTest::newRow("erasing after a line break") << QStringList{"a\r\nbc"} << 2 << "a\r\n"
                                                    << "a\n";
        QTest::newRow("erasing after a lone CR") << QStringList{"a\rb"} << 1 << "a\r"
                                                 << "a\n";
        QTest::newRow("erasing a lone CR") << QStringList{"a\r", "\r"} << 1 << "a\r"
                                           << "a\n";
    }
    void showsWhatArrivesWithOrdinaryLineBreaks() {
        QFETCH(QStringList, appends);
        QFETCH(int, erased);
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        for (const bool batched : {false, true}) {
            MonitorBox box;
            box.setBatched(batched);
            for (const QString& text : std::as_const(appends))
                box.appendText(text);
            for (int i = 0; i < erased; ++i)
                box.eraseLast();
            QCoreApplication::processEvents();
            QCOMPARE(box.text(), kept);
            QCOMPARE(box.toPlainText(), shown);
        }
    }

    void aBatchedBoxShowsOncePerPassOfTheEventLoop() {
        MonitorBox box;
        box.setBatched(true);
        box.appendText(QStringLiteral("rx 01"));
        box.appendText(QStringLiteral("\r\n"));
        QCOMPARE(box.text(), QStringLiteral("rx 01\r\n"));
        QCOMPARE(box.toPlainText(), QString());
        QCoreApplication::processEvents();
        QCOMPARE(box.toPlainText(), QStringLiteral("rx 01\n"));
    }

    // The bytes are kept, so each view shows them all, whichever view they arrived in.
    void switchingViewsShowsTheKeptBytesAgain() {
        MonitorBox box;
        box.appendBytes("A\rB\n");
        box.setHexView(true);
        QCOMPARE(box.toPlainText(), QStringLiteral("410D420A"));
        box.appendBytes(QByteArray("C\xE9", 2));
        QCOMPARE(box.toPlainText(), QStringLiteral("410D420A43E9"));
        box.setHexView(false);
        QCOMPARE(box.toPlainText(), QStringLiteral("A\nB\nC\u00E9"));
        QCOMPARE(box.bytes(), QByteArray("A\rB\nC\xE9"));
        box.setBytes("xyz");
        QCOMPARE(box.toPlainText(), QStringLiteral("xyz"));
        box.clearText();
        QCOMPARE(box.bytes(), QByteArray());
        QCOMPARE(box.toPlainText(), QString());
    }

    // A board that never stops talking neither fills the memory nor slows the window.
    void whatTheBoxKeepsIsBounded_data() {
        QTest::addColumn<bool>("hex");
        QTest::newRow("characters") << false;
        QTest::newRow("hexadecimal") << true;
    }
    void whatTheBoxKeepsIsBounded() {
        QFETCH(bool, hex);
        MonitorBox box;
        box.setHexView(hex);
        // Emptied as by Clear Monitor: the bounds stay.
        box.appendText(QStringLiteral("x"));
        box.clearText();
        const QString line = QStringLiteral("rx 0123456789ABCDEF rssi -87\r\n");
        QString chunk;
        while (chunk.size() < 64 * 1024)
            chunk += line;
        for (qsizetype total = 0; total < 3 * MonitorBox::KeptCharacters; total += chunk.size())
            box.appendText(chunk);
        box.appendText(QStringLiteral("last"));
        QVERIFY(box.text().size() <= 2 * MonitorBox::KeptCharacters);
        QVERIFY(box.text().endsWith(line + QStringLiteral("last")));
        QVERIFY(box.document()->blockCount() <= MonitorBox::ShownLines);
        if (hex) {
            QVERIFY(box.document()->lastBlock().text().endsWith(QStringLiteral("0D0A6C617374")));
        } else {
            QCOMPARE(box.document()->lastBlock().text(), QStringLiteral("last"));
            QCOMPARE(box.document()->blockCount(), MonitorBox::ShownLines);
        }
        // Switching views shows what is kept, within the same bounds.
        box.setHexView(!hex);
        QVERIFY(box.document()->blockCount() <= MonitorBox::ShownLines);
        QVERIFY(box.toPlainText().endsWith(hex ? QStringLiteral("\nlast")
                                               : QStringLiteral("0D0A6C617374")));
    }

    void aLineLongerThanTheViewTakesIsShownInPieces_data() {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("lastPiece");
        QTest::newRow("characters") << false << QStringLiteral("xxxxx");
        QTest::newRow("hexadecimal") << true << QStringLiteral("78787878787878787878");
    }
    void aLineLongerThanTheViewTakesIsShownInPieces() {
        QFETCH(bool, hex);
        QFETCH(QString, lastPiece);
        MonitorBox box;
        box.setHexView(hex);
        const qsizetype pieceCharacters =
            hex ? MonitorBox::LongestShownLine / 2 : MonitorBox::LongestShownLine;
        const QString line(2 * pieceCharacters + lastPiece.size() / (hex ? 2 : 1), u'x');
        box.appendText(line);
        QCOMPARE(box.text(), line);
        QCOMPARE(box.document()->blockCount(), 3);
        QCOMPARE(box.document()->firstBlock().length() - 1, MonitorBox::LongestShownLine);
        QCOMPARE(box.document()->lastBlock().text(), lastPiece);
    }
};

QTEST_MAIN(MonitorBoxTest)
#include "test_monitorbox.moc"
