#include "common/latin1.h"

#include <QTest>

using namespace krv;

class TestLatin1 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheFirstCharacterOutsideLatin1_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("described");
        QTest::newRow("euro sign") << QStringLiteral("S2 8\u20AC05")
                                   << QStringLiteral("\"\u20AC\" (U+20AC) in line 1, character 5");
        QTest::newRow("after CR LF, CR and LF")
            << QStringLiteral("a\r\nb\rc\nd\u0100")
            << QStringLiteral("\"\u0100\" (U+0100) in line 4, character 2");
        QTest::newRow("outside the basic plane")
            << QStringLiteral("x\U0001F600\u20AC")
            << QStringLiteral("\"\U0001F600\" (U+1F600) in line 1, character 2");
        QTest::newRow("a lone surrogate")
            << QString(QChar(0xD800))
            << u'"' + QString(QChar(0xD800)) + QStringLiteral("\" (U+D800) in line 1, character 1");
    }
    void findsTheFirstCharacterOutsideLatin1() {
        QFETCH(QString, text);
        QFETCH(QString, described);
        const auto found = firstNonLatin1(text);
        QVERIFY(found);
        QCOMPARE(found->describe(true), described);
    }

    void latin1TextHasNone() {
        QString all;
        for (int code = 0; code < 256; ++code)
            all.append(QChar(code));
        QVERIFY(!firstNonLatin1(all));
        QVERIFY(!firstNonLatin1(QString()));
    }

    // One wording for every refusal: the holder, the text when it is short or one line, the
    // character and where it stands, and what was left undone.
    void refusesTextItsDestinationCannotHold_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("board");
        QTest::addColumn<QString>("refusal"); // empty: the bytes are the text's own
        QTest::newRow("Latin-1 is kept")
            << QStringLiteral("caf\u00E9 \u00FF") << "Notes" << false << QString();
        QTest::newRow("a line for a file")
            << QStringLiteral("i\u20AC\u4E2D") << "The script pane" << false
            << QStringLiteral(
                   "The script pane: the text \"i\u20AC\u4E2D\" holds \"\u20AC\" (U+20AC) "
                   "at character 2 (single-byte Latin-1 text only), which the file "
                   "cannot hold. Nothing was saved.");
        QTest::newRow("a typed line for the board, its CR not quoted")
            << QStringLiteral("S2 8\u20AC\r") << "The typed line" << true
            << QStringLiteral(
                   "The typed line: the text \"S2 8\u20AC\" holds \"\u20AC\" (U+20AC) at "
                   "character 5 (single-byte Latin-1 text only), which the board's "
                   "line cannot carry. Nothing was sent.");
        QTest::newRow("a short text of lines is quoted whole")
            << QStringLiteral("H1\r\nS\u03A9") << "The script pane" << true
            << QStringLiteral(
                   "The script pane: the text \"H1\r\nS\u03A9\" holds \"\u03A9\" (U+03A9) "
                   "in line 2, character 2 (single-byte Latin-1 text only), which the "
                   "board's line cannot carry. Nothing was sent.");
        QTest::newRow("a long text of lines is named by its holder")
            << QString(QStringLiteral("01 02 03 04 05 06 07 08\r\n").repeated(3) + u'\u4E2D')
            << "The worksheet" << false
            << QStringLiteral("The worksheet holds \"\u4E2D\" (U+4E2D) in line 4, character 1 "
                              "(single-byte Latin-1 text only), which the file cannot hold. "
                              "Nothing was saved.");
        QTest::newRow("a long line is quoted by its start")
            << QString(QString(45, u'a') + u'\u20AC') << "Notes" << false
            << QStringLiteral("Notes: the text \"") + QString(40, u'a') +
                   QStringLiteral("...\" holds \"\u20AC\" (U+20AC) at character 46 (single-byte "
                                  "Latin-1 text only), which the file cannot hold. Nothing was "
                                  "saved.");
        QTest::newRow("no holder")
            << QStringLiteral("5 \u20AC") << "" << false
            << QStringLiteral("The text \"5 \u20AC\" holds \"\u20AC\" (U+20AC) at character 3 "
                              "(single-byte Latin-1 text only), which the file cannot hold. "
                              "Nothing was saved.");
    }
    void refusesTextItsDestinationCannotHold() {
        QFETCH(QString, text);
        QFETCH(QString, holder);
        QFETCH(bool, board);
        QFETCH(QString, refusal);
        const TextFor use = board ? TextFor::Board : TextFor::File;
        try {
            const QByteArray bytes = checkedLatin1(text, holder, use);
            QVERIFY2(refusal.isEmpty(), "a text the destination cannot hold was converted");
            QCOMPARE(QString::fromLatin1(bytes), text);
            QVERIFY(!latin1Refusal(text, holder, use));
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::TextNotWritable);
            QCOMPARE(e.description, refusal);
            QCOMPARE(latin1Refusal(text, holder, use)->description, refusal);
        }
    }

    void describesWithoutTheLine() {
        QCOMPARE(firstNonLatin1(QStringLiteral("ab\u03A9"))->describe(false),
                 QStringLiteral("\"\u03A9\" (U+03A9) at character 3"));
    }
};

QTEST_MAIN(TestLatin1)
#include "test_latin1.moc"
