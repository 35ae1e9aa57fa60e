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

    void describesWithoutTheLine() {
        QCOMPARE(firstNonLatin1(QStringLiteral("ab\u03A9"))->describe(false),
                 QStringLiteral("\"\u03A9\" (U+03A9) at character 3"));
    }
};

QTEST_MAIN(TestLatin1)
#include "test_latin1.moc"
