#include "common/error.h"
#include "common/itemfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace krv;

class TestItemFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesEachItemOnItsOwnLine() {
        ItemWriter writer;
        writer.text("# banner").boolean(true).boolean(false).number(42).number(2.5).number(-1);
        QCOMPARE(writer.bytes(),
                 QByteArray("\"# banner\"\r\n#TRUE#\r\n#FALSE#\r\n42\r\n2.5\r\n-1\r\n"));
    }

    void readsBackWhatItWrote() {
        ItemWriter writer;
        writer.text("Non standard").boolean(true).number(868.3).number(7);
        ItemReader reader(writer.bytes());
        QCOMPARE(reader.text(), QStringLiteral("Non standard"));
        QCOMPARE(reader.boolean(), true);
        QCOMPARE(reader.number(), 868.3);
        QCOMPARE(reader.wholeNumber(), 7LL);
        QVERIFY(reader.atEnd());
    }

    void acceptsLineFeedOnlyFiles() {
        ItemReader reader("\"a\"\n#FALSE#\n3\n");
        QCOMPARE(reader.count(), 3);
        QCOMPARE(reader.text(), QStringLiteral("a"));
        QCOMPARE(reader.boolean(), false);
        QCOMPARE(reader.wholeNumber(), 3LL);
    }

    void aCommaOutsideQuotesEndsAnItem_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("Booleans") << QByteArray("#TRUE#,#FALSE#\r\n3\r\n")
                                  << QStringList{"#TRUE#", "#FALSE#", "3"};
        QTest::newRow("comma inside quotes")
            << QByteArray("\"a, b\",7\r\n") << QStringList{"a, b", "7"};
        QTest::newRow("blanks around") << QByteArray("\"x\" , -2\r\n") << QStringList{"x", "-2"};
    }
    void aCommaOutsideQuotesEndsAnItem() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        ItemReader reader(bytes);
        QStringList read;
        while (!reader.atEnd())
            read << reader.any();
        QCOMPARE(read, items);
    }

    void refusesItemsOfTheWrongKindAndMissingItems() {
        ItemReader reader("\"text\"\r\n#TRUE#\r\n");
        try {
            reader.number();
            QFAIL("a text read as a number");
        } catch (const Error& e) {
            QCOMPARE(e.number, 13);
        }
        ItemReader shortFile("\"text\"\r\n");
        shortFile.text();
        try {
            shortFile.boolean();
            QFAIL("read past the end");
        } catch (const Error& e) {
            QCOMPARE(e.number, 62);
        }
    }

    void aFailedSaveKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("KRV.ini");
        ItemWriter().text("old").save(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        bool failed = false;
        try {
            ItemWriter().text("new").save(path);
        } catch (const Error&) {
            failed = true;
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!failed)
            QSKIP("running with rights that ignore the folder's permissions");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"old\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestItemFile)
#include "test_itemfile.moc"
