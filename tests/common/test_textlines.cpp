#include "common/error.h"
#include "common/textlines.h"

#include <QTest>

using namespace krv;

class TestTextLines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesEndAtCrLfCrOrLf_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("no line end") << QByteArray("a") << QByteArrayList{"a"};
        QTest::newRow("a final line end adds no line")
            << QByteArray("a\r\n") << QByteArrayList{"a"};
        QTest::newRow("each kind of end")
            << QByteArray("a\rb\nc\r\nd") << QByteArrayList{"a", "b", "c", "d"};
        QTest::newRow("CR only") << QByteArray("\r\r\r") << QByteArrayList{"", "", ""};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("empty lines between")
            << QByteArray("\r\n\r\nx\r\n\r\n") << QByteArrayList{"", "", "x", ""};
    }
    void linesEndAtCrLfCrOrLf() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, lines);
        QByteArrayList walked;
        for (const QByteArrayView line : TextLines(text))
            walked.append(line.toByteArray());
        QCOMPARE(walked, lines);
    }

    // A reader whose lines cost it something refuses more of them than it takes, before it
    // walks one.
    void moreLinesThanTheBoundAreRefused_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("as many") << QByteArray("a\nb\r\nc") << false;
        QTest::newRow("a final line end adds none") << QByteArray("a\rb\rc\r") << false;
        QTest::newRow("one more") << QByteArray("a\nb\nc\nd") << true;
        QTest::newRow("empty lines count") << QByteArray("\r\n\r\n\r\n\r\n") << true;
    }
    void moreLinesThanTheBoundAreRefused() {
        QFETCH(QByteArray, text);
        QFETCH(bool, refused);
        try {
            qsizetype walked = 0;
            for (const QByteArrayView line : TextLines(text, 3)) {
                Q_UNUSED(line);
                ++walked;
            }
            QVERIFY(!refused);
            QCOMPARE(walked, 3);
        } catch (const Error& e) {
            QVERIFY(refused);
            QCOMPARE(e.number, errors::FileTooLarge);
            QCOMPARE(e.description, QStringLiteral("File longer than 3 lines"));
        }
    }

    // A text that is a temporary outlives the walk: the range holds it.
    void theRangeHoldsItsText() {
        QByteArrayList walked;
        for (const QByteArrayView line : TextLines(QByteArray("x\r\ny")))
            walked.append(line.toByteArray());
        QCOMPARE(walked, (QByteArrayList{"x", "y"}));
    }
};

QTEST_GUILESS_MAIN(TestTextLines)
#include "test_textlines.moc"
