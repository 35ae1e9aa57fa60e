#include "common/boundedfile.h"
#include "common/error.h"
#include "filefixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace krv;

class TestBoundedFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Opening a named pipe waits for a writer and reading a device may never end: whatever is
    // not a regular file is refused before it is opened, with a message that says what it is.
    void refusesWhatIsNoFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("folder") << "folder"
                                << "a folder";
        QTest::newRow("named pipe") << "fifo"
                                    << "a named pipe (FIFO)";
        QTest::newRow("socket") << "socket"
                                << "a socket";
        QTest::newRow("device") << "device"
                                << "a device";
        QTest::newRow("link to a folder") << "link"
                                          << "a folder";
    }
    void refusesWhatIsNoFile() {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("KRV.ini"));
        std::unique_ptr<test::SocketFile> socket;
        std::unique_ptr<test::FifoRelease> release;
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("KRV.ini")));
        } else if (kind == QStringLiteral("fifo")) {
            QVERIFY(test::makeFifo(path));
            release = std::make_unique<test::FifoRelease>(path);
        } else if (kind == QStringLiteral("socket")) {
            socket = std::make_unique<test::SocketFile>(path);
            QVERIFY(socket->made());
        } else if (kind == QStringLiteral("device")) {
            path = QStringLiteral("/dev/null");
        } else {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("folder")), path));
        }
        try {
            readFileBounded(path, 1000);
            QFAIL("read what is no file");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::NotAFile);
            QCOMPARE(e.description,
                     path + QStringLiteral(" is ") + named + QStringLiteral(", not a file"));
        }
    }

    void readsARegularFileAndALinkToOne() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Z3\r\n");
        file.close();
        QCOMPARE(readFileBounded(path, 4), QByteArray("Z3\r\n"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(path, link));
        QCOMPARE(readFileBounded(link, 4), QByteArray("Z3\r\n"));
        QFile empty(dir.filePath(QStringLiteral("empty")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(readFileBounded(empty.fileName(), 4), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestBoundedFile)
#include "test_boundedfile.moc"
