#include "app/echobox.h"

#include <QTest>
#include <QTextBlock>

using namespace krv;

// The monitor box: what it keeps and what it shows, also when the board floods it.
class EchoBoxTest : public QObject {
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
        QTest::newRow("a lone CR") << QStringList{"a\rb"} << 0 << "a\rb"
                                   << "a\nb";
        QTest::newRow("erasing a typed line break takes the pair")
            << QStringList{"ab\r\n"} << 1 << "ab"
            << "ab";
        QTest::newRow("erasing after a line break") << QStringList{"a\r\nbc"} << 2 << "a\r\n"
                                                    << "a\n";
    }
    void showsWhatArrivesWithOrdinaryLineBreaks() {
        QFETCH(QStringList, appends);
        QFETCH(int, erased);
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        for (const bool batched : {false, true}) {
            EchoBox box;
            box.setBatched(batched);
            for (const QString& text : std::as_const(appends))
                box.appendEcho(text);
            for (int i = 0; i < erased; ++i)
                box.eraseLast();
            QCoreApplication::processEvents();
            QCOMPARE(box.text(), kept);
            QCOMPARE(box.toPlainText(), shown);
        }
    }

    void aBatchedBoxShowsOncePerPassOfTheEventLoop() {
        EchoBox box;
        box.setBatched(true);
        box.appendEcho(QStringLiteral("rx 01"));
        box.appendEcho(QStringLiteral("\r\n"));
        QCOMPARE(box.text(), QStringLiteral("rx 01\r\n"));
        QCOMPARE(box.toPlainText(), QString());
        QCoreApplication::processEvents();
        QCOMPARE(box.toPlainText(), QStringLiteral("rx 01\n"));
    }

    // A board that never stops talking neither fills the memory nor slows the window.
    void whatTheBoxKeepsIsBounded() {
        EchoBox box;
        const QString line = QStringLiteral("rx 0123456789ABCDEF rssi -87\r\n");
        QString chunk;
        while (chunk.size() < 64 * 1024)
            chunk += line;
        qsizetype total = 0;
        while (total < 3 * EchoBox::KeptCharacters) {
            box.appendEcho(chunk);
            total += chunk.size();
        }
        box.appendEcho(QStringLiteral("last"));
        QVERIFY(box.text().size() <= 2 * EchoBox::KeptCharacters);
        QVERIFY(box.text().endsWith(line + QStringLiteral("last")));
        QCOMPARE(box.document()->blockCount(), EchoBox::ShownLines);
        QCOMPARE(box.document()->lastBlock().text(), QStringLiteral("last"));
    }

    void aLineLongerThanTheViewTakesIsShownInPieces() {
        EchoBox box;
        const QString line(2 * EchoBox::LongestShownLine + 5, u'x');
        box.appendEcho(line);
        QCOMPARE(box.text(), line);
        QCOMPARE(box.document()->blockCount(), 3);
        QCOMPARE(box.document()->firstBlock().length() - 1, EchoBox::LongestShownLine);
        QCOMPARE(box.document()->lastBlock().text(), QStringLiteral("xxxxx"));
    }
};

QTEST_MAIN(EchoBoxTest)
#include "tst_echobox.moc"
