#include "common/error.h"
#include "panels/receiver/receiverfile.h"

#include <QTest>

using namespace krv;
using namespace krv::receiver;

using ItemKind = ConfigItem::Kind;

namespace {

// A configuration with a distinct value in every item of the chip's file.
ConfigValues sample(Chip chip) {
    ConfigValues config;
    int n = 0;
    for (const ConfigItem& item : fileType(chip).items) {
        ++n;
        switch (item.kind) {
        case ItemKind::Text:
            config.texts.insert(item.name, QStringLiteral("t%1").arg(n));
            break;
        case ItemKind::Boolean:
            config.flags.insert(item.name, n % 2 == 0);
            break;
        case ItemKind::Integer:
            config.numbers.insert(item.name, n - 20);
            break;
        }
    }
    return config;
}

int errorNumberOf(Chip chip, const QByteArray& bytes) {
    try {
        readConfigItems(fileType(chip), bytes);
    } catch (const krv::Error& e) {
        return e.number;
    }
    return 0;
}

} // namespace

class ReceiverFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("voltageItem");
        QTest::addColumn<int>("voltageLine");
        QTest::newRow("rc") << 0 << 43
                            << QByteArray(
                                   "\"# KRV Receiver configuration file. Version 2.0.0\"\r\n")
                            << "Pref_Voltage" << 42;
        QTest::newRow("rc2") << 1 << 55
                             << QByteArray("\"# KRV HR658 configuration file. Version 2.2.2\"\r\n")
                             << "Pref_Voltage" << 47;
    }
    void layout() {
        QFETCH(int, chip);
        QFETCH(int, lines);
        QFETCH(QByteArray, head);
        QFETCH(QString, voltageItem);
        QFETCH(int, voltageLine);
        const Chip c = chip ? Chip::HR658 : Chip::HR651;
        const QByteArray bytes = writeConfigItems(fileType(c), sample(c));
        QCOMPARE(bytes.count("\r\n"), lines);
        QVERIFY(bytes.startsWith(head));
        QCOMPARE(fileType(c).items.at(voltageLine - 2).name, voltageItem);
        QCOMPARE(fileType(c).items.constLast().name, QStringLiteral("Revision"));
    }

    void exactBytes() {
        ConfigValues config = sample(Chip::HR651);
        config.numbers["Pref_RxLinkTimeout"] = 50;
        config.flags["StdCrystal"] = true;
        config.texts["Crystalfreq"] = "10";
        const QList<QByteArray> lines = writeConfigItems(fileType(Chip::HR651), config).split('\n');
        QCOMPARE(lines.at(1), QByteArray("50\r"));
        QCOMPARE(lines.at(2), QByteArray("#TRUE#\r"));
        QCOMPARE(lines.at(4), QByteArray("\"10\"\r"));
        QCOMPARE(lines.at(9), QByteArray("-11\r")); // ent, an integer item
    }

    void roundTrip_data() {
        QTest::addColumn<int>("chip");
        QTest::newRow("rc") << 0;
        QTest::newRow("rc2") << 1;
    }
    void roundTrip() {
        QFETCH(int, chip);
        const Chip c = chip ? Chip::HR658 : Chip::HR651;
        const ConfigValues config = sample(c);
        const ConfigValues back =
            readConfigItems(fileType(c), writeConfigItems(fileType(c), config));
        QCOMPARE(back.texts, config.texts);
        QCOMPARE(back.flags, config.flags);
        QCOMPARE(back.numbers, config.numbers);
    }

    void badFiles_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("error");
        const QByteArray rc = writeConfigItems(fileType(Chip::HR651), sample(Chip::HR651));
        const QByteArray rc2 = writeConfigItems(fileType(Chip::HR658), sample(Chip::HR658));
        QTest::newRow("other panel's file") << 0 << rc2 << krv::errors::IncorrectVersion;
        QTest::newRow("banner in other case")
            << 0 << QByteArray(rc).replace("KRV Receiver", "KRV receiver")
            << krv::errors::IncorrectVersion;
        QTest::newRow("empty") << 1 << QByteArray() << krv::errors::InputPastEnd;
        QTest::newRow("ends early") << 1 << rc2.left(rc2.lastIndexOf("\"t")) << 62;
        QTest::newRow("text for a number")
            << 0 << QByteArray(rc).replace("\r\n-19\r\n", "\r\n\"x\"\r\n") << 13;
        QTest::newRow("fraction for a check box")
            << 0 << QByteArray(rc).replace("\r\n-19\r\n", "\r\n1.5\r\n") << 13;
    }
    void badFiles() {
        QFETCH(int, chip);
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        QCOMPARE(errorNumberOf(chip ? Chip::HR658 : Chip::HR651, bytes), error);
    }
};

QTEST_GUILESS_MAIN(ReceiverFileTest)
#include "tst_receiverfile.moc"
