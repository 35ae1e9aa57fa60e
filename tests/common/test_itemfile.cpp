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
        QTest::newRow("a comma last, an empty line")
            << QByteArray("1,\r\n\r\n2") << QStringList{"1", "", "", "2"};
        QTest::newRow("a lone CR ends a line as everywhere")
            << QByteArray("1\r2\n3") << QStringList{"1", "2", "3"};
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

    // A megabyte of commas was split into a million items before the first was checked. A line
    // of more items than any real one is refused once the reader comes to it; what comes
    // before it is read.
    void aLineOfTooManyItemsIsRefused() {
        const QByteArray most = QByteArray("1,").repeated(ItemReader::MostItemsInALine - 1) + "1";
        ItemReader reader("\"banner\"\r\n" + most + "\r\n" + most + ",1\r\n");
        QCOMPARE(reader.text(), QStringLiteral("banner"));
        for (qsizetype i = 0; i < ItemReader::MostItemsInALine; ++i)
            QCOMPARE(reader.wholeNumber(), 1LL);
        try {
            reader.atEnd();
            QFAIL("a line of too many items was read");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::InvalidFileFormat);
            QCOMPARE(e.description, QStringLiteral("Line 3 holds more than 64 items"));
        }
        // Commas between quotes end no item.
        ItemReader quoted("\"" + QByteArray(1000, ',') + "\"\r\n");
        QCOMPARE(quoted.count(), 1);
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

    // Texts are written between quotes with no escaping, byte for byte as every earlier file: a
    // text either reads back identical, with every item after it in its place, or is refused
    // with a message naming its field.
    void aTextReadsBackIdenticalOrIsRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: the text reads back identical
        QTest::newRow("plain") << "Non standard" << QString();
        QTest::newRow("comma and blanks") << "  a, b " << QString();
        QTest::newRow("Latin-1") << QStringLiteral("\u00B5s \u00E4") << QString();
        QTest::newRow("quote and comma")
            << "note\", 7"
            << "Note: the text \"note\", 7\" holds a double quote, which the file cannot hold. "
               "Nothing was saved.";
        QTest::newRow("a quote alone")
            << "5\" disk"
            << "Note: the text \"5\" disk\" holds a double quote, which the file cannot hold. "
               "Nothing was saved.";
        QTest::newRow("line break") << "two\nlines"
                                    << "Note: the text \"two\nlines\" holds a line break, which "
                                       "the file cannot hold. Nothing was saved.";
        QTest::newRow("beyond Latin-1")
            << QStringLiteral("5 \u20AC")
            << QStringLiteral(
                   "Note: the text \"5 \u20AC\" holds \"\u20AC\" (U+20AC) at character 3 "
                   "(single-byte Latin-1 text only), which the file cannot hold. "
                   "Nothing was saved.");
    }
    void aTextReadsBackIdenticalOrIsRefused() {
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        ItemWriter writer;
        writer.text("# banner");
        try {
            writer.text(text, "Note").number(7).boolean(true);
            QVERIFY2(refusal.isEmpty(), "a text the file cannot hold was written");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::TextNotWritable);
            QCOMPARE(e.description, refusal);
            return;
        }
        ItemReader reader(writer.bytes());
        QCOMPARE(reader.text(), QStringLiteral("# banner"));
        QCOMPARE(reader.text(), text);
        QCOMPARE(reader.wholeNumber(), 7LL);
        QCOMPARE(reader.boolean(), true);
        QVERIFY(reader.atEnd());
    }

    void aRefusedTextWithoutAFieldIsQuotedShort() {
        try {
            ItemWriter().text(QString(100, u'x') + u'"');
            QFAIL("a quote was written");
        } catch (const Error& e) {
            QCOMPARE(e.description, "The text \"" + QString(40, u'x') +
                                        "...\" holds a double quote, which the file cannot "
                                        "hold. Nothing was saved.");
        }
    }
};

QTEST_GUILESS_MAIN(TestItemFile)
#include "test_itemfile.moc"
