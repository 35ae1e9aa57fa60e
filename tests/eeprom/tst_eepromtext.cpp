#include "common/boundedfile.h"
#include "common/error.h"
#include "common/textlines.h"
#include "filefixtures.h"
#include "tools/eeprom/ascfile.h"
#include "tools/eeprom/commandselection.h"
#include "tools/eeprom/eventimage.h"
#include "tools/eeprom/firmwaretext.h"
#include "tools/eeprom/intelhex.h"
#include "tools/eeprom/programmertext.h"

#include <QTest>

using namespace krv;

namespace {

const std::array<QString, 7> captions = {"E0", "E1", "E2", "E3", "E4", "E5", "E6"};
const std::array<bool, 7> allChecked = {true, true, true, true, true, true, true};

QStringList texts(const QList<eventimage::LogLine>& log) {
    QStringList lines;
    for (const auto& line : log)
        lines.append(line.text);
    return lines;
}

} // namespace

class EepromTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generateEmptyRoutinesGivesSleepSlots();
    void generateWarnsAndPads();
    void generateRefusesWhatWouldCorruptTheImage_data();
    void generateRefusesWhatWouldCorruptTheImage();
    void formatEEPROMText();
    void splitTakesEveryPartialSlotUpToSeven_data();
    void splitTakesEveryPartialSlotUpToSeven();
    void cutAfterLastTransmit_data();
    void cutAfterLastTransmit();
    void fillCount();
    void dataTransmitCommand_data();
    void dataTransmitCommand();
    void pn9Sequence();
    void pushButtonByte();
    void dataRateCommand_data();
    void dataRateCommand();
    void ascRead_data();
    void ascRead();
    void ascReadFailures_data();
    void ascReadFailures();
    void ascRefusesWhatIsNoImageText_data();
    void ascRefusesWhatIsNoImageText();
    void ascFullImageRoundTrip();
    void ascRefusesMoreLinesThanTheWorksheetShows();
    void pageCommand();
    void readBackLayout();
    void compareIgnoresCaseAndReportsMissingBytes();
    void compareNamesTheFirstSixteenDifferences();
    void imageProblems();
    void loaderText();
    void intelHexFiles_data();
    void intelHexFiles();
    void firmwareIsReadInMemoryOfItsOwnSize();
};

void EepromTextTest::generateEmptyRoutinesGivesSleepSlots() {
    const auto g = eventimage::generate({}, allChecked, captions);
    QVERIFY(!g.refused);
    QCOMPARE(g.image.size(), 1792);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(g.image.mid(i * 256, 256), "C400" + QByteArray(252, '0'));
    const QStringList lines = texts(g.log);
    QCOMPARE(lines.first(), "EEPROM Code Generation started.");
    QCOMPARE(lines[1], "");
    QCOMPARE(lines[2], "Sleep Command appended to Event code. ( E0 )");
    QCOMPARE(lines[3], "Event code was found correct. ( E0 )");
    QCOMPARE(g.log[3].colour, eventimage::LogColour::Green);
    QCOMPARE(lines[16], "The following Event Routines ( 7 ) have no function:");
    QCOMPARE(lines[17], "    E0");
    QCOMPARE(lines.mid(lines.size() - 2),
             QStringList({"EEPROM Code Generation finished.", "Total warnings: 0"}));
}

void EepromTextTest::generateWarnsAndPads() {
    eventimage::Routines routines;
    routines[0] = QByteArray(256, 'A'); // full slot, no sleep command
    routines[1] = "C6024869C400";       // sleep inside the routine
    routines[2] = "C602C400";           // only inside a payload: counts as correct
    routines[3] = "C40";                // odd length completes its last byte
    std::array<bool, 7> checks = allChecked;
    checks[4] = false; // stays empty: a warning, no function flag
    const auto g = eventimage::generate(routines, checks, captions);
    QVERIFY(!g.refused);
    QCOMPARE(g.image.left(256), QByteArray(256, 'A'));
    QCOMPARE(g.image.mid(512, 12), "C602C4000000");
    QCOMPARE(g.image.mid(768, 4), "C400");
    QCOMPARE(g.image.mid(1024, 256), QByteArray(256, '0'));
    QVERIFY(!g.noFunction[4]);
    QVERIFY(g.noFunction[3]);
    const QStringList lines = texts(g.log);
    QVERIFY(lines.contains("WARNING: Missing Sleep Command. ( E0 )"));
    QVERIFY(lines.contains("Event code was found correct. ( E2 )"));
    QVERIFY(lines.contains("WARNING: Missing Sleep Command. ( E4 )"));
    QCOMPARE(lines.mid(lines.size() - 2),
             QStringList({"Total warnings: 3", "THE EEPROM CODE MIGHT BE INCORRECT."}));
    QCOMPARE(g.log.last().colour, eventimage::LogColour::Red);
}

void EepromTextTest::generateRefusesWhatWouldCorruptTheImage_data() {
    QTest::addColumn<QByteArray>("routine");
    QTest::newRow("257 digits") << QByteArray(257, 'C');
    QTest::newRow("not hex") << QByteArray("C400 XY");
}

void EepromTextTest::generateRefusesWhatWouldCorruptTheImage() {
    QFETCH(QByteArray, routine);
    eventimage::Routines routines;
    routines[5] = routine;
    const auto g = eventimage::generate(routines, allChecked, captions);
    QVERIFY(g.refused);
    QVERIFY(g.image.isEmpty());
    QVERIFY(texts(g.log).contains("ERROR: Event code too long or not hexadecimal. ( E5 )"));
}

void EepromTextTest::formatEEPROMText() {
    QCOMPARE(eventimage::formatEEPROMText("ABCDE", 32), "AB CD E ");
    const QByteArray image(1792, '0');
    const QByteArray text = eventimage::formatEEPROMText(image, 32);
    QCOMPARE(text.size(), 2716);
    QCOMPARE(text.count("\r\n"), 28);
    QVERIFY(text.endsWith("00\r\n"));
}

void EepromTextTest::splitTakesEveryPartialSlotUpToSeven_data() {
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("slots");
    QTest::addColumn<int>("lastLength");
    QTest::newRow("1000 digits") << 1000 << 4 << 232;
    QTest::newRow("1152 digits keeps the half slot") << 1152 << 5 << 128;
    QTest::newRow("2048 digits stop at seven") << 2048 << 7 << 256;
    QTest::newRow("empty") << 0 << 0 << 0;
}

void EepromTextTest::splitTakesEveryPartialSlotUpToSeven() {
    QFETCH(int, digits);
    QFETCH(int, slots);
    QFETCH(int, lastLength);
    const QByteArray worksheet =
        eventimage::formatEEPROMText(QByteArray(digits, '1'), 32).replace("11", "1\r2");
    const auto split = eventimage::split(worksheet);
    QCOMPARE(split.routines.size(), slots);
    if (slots > 0)
        QCOMPARE(split.routines.last().size(), lastLength);
    QVERIFY(!split.image.contains(' ') && !split.image.contains('\r'));
}

void EepromTextTest::cutAfterLastTransmit_data() {
    QTest::addColumn<QByteArray>("routine");
    QTest::addColumn<QByteArray>("cut");
    QTest::newRow("payload then sleep")
        << QByteArray("8080C603414243C400") << QByteArray("8080C603414243");
    QTest::newRow("no transmit") << QByteArray("8080C400") << QByteArray("8080C400");
    QTest::newRow("one digit after C6") << QByteArray("80C6") + "1" << QByteArray("80C61");
    QTest::newRow("not a count after C6") << QByteArray("C6ZZC400") << QByteArray("C6ZZC400");
}

void EepromTextTest::cutAfterLastTransmit() {
    QFETCH(QByteArray, routine);
    QFETCH(QByteArray, cut);
    QCOMPARE(eventimage::cutAfterLastTransmit(routine), cut);
}

void EepromTextTest::fillCount() {
    QCOMPARE(eventimage::fillCount(200), 26);
    QCOMPARE(eventimage::fillCount(251), 0);
    QCOMPARE(eventimage::fillCount(300), -24);
}

void EepromTextTest::dataTransmitCommand_data() {
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("error");
    const int none = int(eventimage::TransmitError::None);
    const int bad = int(eventimage::TransmitError::OddOrNotHex);
    QTest::newRow("Hi") << QByteArray("4869") << QByteArray("C6024869") << none;
    QTest::newRow("empty") << QByteArray() << QByteArray("C600") << none;
    QTest::newRow("odd") << QByteArray("ABC") << QByteArray() << bad;
    QTest::newRow("not hex") << QByteArray("4G") << QByteArray() << bad;
    QTest::newRow("255 bytes") << QByteArray(510, 'A') << "C6FF" + QByteArray(510, 'A') << none;
    QTest::newRow("256 bytes") << QByteArray(512, 'A') << QByteArray()
                               << int(eventimage::TransmitError::TooLong);
}

void EepromTextTest::dataTransmitCommand() {
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, command);
    QFETCH(int, error);
    const auto t = eventimage::dataTransmitCommand(payload);
    QCOMPARE(t.command, command);
    QCOMPARE(int(t.error), error);
}

void EepromTextTest::pn9Sequence() {
    const QByteArray pn9 = eventimage::pn9Digits();
    QCOMPARE(pn9.size(), 128);
    QVERIFY(pn9.startsWith("ff83df1732094ed1e7cd"));
    QVERIFY(pn9.endsWith("ed9a1de0"));
}

void EepromTextTest::pushButtonByte() {
    cmdsel::PushButtonSettings s;
    QCOMPARE(cmdsel::pushButtonText(cmdsel::pushButtonByte(s)), "CA00");
    s.pullupOff = true;
    s.continuous[1] = true;
    s.debounce = 1;
    s.fourthButton = true;
    QCOMPARE(cmdsel::pushButtonByte(s), 0xA5);
    QCOMPARE(cmdsel::pushButtonText(0xA5), "CAA5");
    QCOMPARE(cmdsel::pushButtonText(0x7), "CA07");
}

void EepromTextTest::dataRateCommand_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<long long>("xtal");
    QTest::addColumn<QString>("command");
    QTest::addColumn<long long>("shown");
    QTest::newRow("9600") << "9600" << 10000000LL << "C823" << 9579LL;
    QTest::newRow("1348") << "1348" << 10000000LL << "C8FF" << 1347LL;
    QTest::newRow("1000") << "1000" << 10000000LL << "C8FF" << 1347LL;
    QTest::newRow("empty") << "" << 10000000LL << "C8FF" << 1347LL;
    QTest::newRow("not a number") << "fast" << 10000000LL << "C8FF" << 1347LL;
    QTest::newRow("above the chip's rate") << "700000" << 10000000LL << "C800" << 344828LL;
    QTest::newRow("slow rate, fast crystal") << "1400" << 12000000LL << "C8FF" << 1616LL;
}

void EepromTextTest::dataRateCommand() {
    QFETCH(QString, rate);
    QFETCH(long long, xtal);
    QFETCH(QString, command);
    QFETCH(long long, shown);
    QCOMPARE(cmdsel::dataRateCommand(rate, xtal), command);
    QCOMPARE(cmdsel::rateOfCommand(command, xtal), shown);
}

void EepromTextTest::ascRead_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("worksheet");
    const QByteArray header = "\x02 $A00000000,\r\n";
    QTest::newRow("standard") << header + "01 02\r\n\x03\r\n" << QByteArray("01 02");
    QTest::newRow("ETX without line end") << header + "01 02\r\n\x03" << QByteArray("01 02");
    QTest::newRow("LF lines") << QByteArray("\x02 $A00000000,\n01 02\n\x03\n")
                              << QByteArray("01 02");
    QTest::newRow("no ETX keeps the last byte") << header + "01 02\r\n" << QByteArray("01 02");
    QTest::newRow("saved empty image") << header + "\r\n\x03" << QByteArray();
}

void EepromTextTest::ascRead() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, worksheet);
    const asc::Image image = asc::read(file);
    QCOMPARE(image.worksheet, worksheet);
    QCOMPARE(image.preamble, asc::defaultPreamble());
    QVERIFY(image.loaded.endsWith("\r\n"));
}

void EepromTextTest::ascReadFailures_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("number");
    QTest::newRow("empty") << QByteArray() << 1222;
    QTest::newRow("header only") << QByteArray("\x02 $A00000000,\r\n") << 5;
    QTest::newRow("no comma") << QByteArray("\x02 01 02 03\r\n") << 5;
}

void EepromTextTest::ascReadFailures() {
    QFETCH(QByteArray, file);
    QFETCH(int, number);
    try {
        asc::read(file);
        QFAIL("read succeeded");
    } catch (const Error& e) {
        QCOMPARE(e.number, number);
    }
}

void EepromTextTest::ascRefusesWhatIsNoImageText_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("problem"); // empty: the file is read
    const QByteArray header = "\x02 $A00000000,\r\n";
    QTest::newRow("own header, lower case, odd count, text and TAB between the digits")
        << QByteArray("\x02 $A00000010,\r\n0a b\tc1 (note: ok) 2\r\nff\r\n\x03") << QString();
    QTest::newRow("Latin-1 text between the digits") << header + "01 \xE4 02\r\n\x03" << QString();
    QTest::newRow("no STX") << QByteArray(" $A00000000,\r\n01 02\r\n\x03")
                            << "it does not begin with STX (0x02).";
    QTest::newRow("UTF-16 with its byte order mark")
        << QByteArrayLiteral("\xFF\xFE\x02\0 \0$\0,\0\r\0\n\0")
        << "it does not begin with STX (0x02).";
    QTest::newRow("UTF-16 without byte order mark")
        << QByteArrayLiteral("\x02\0 \0$\0,\0\r\0\n\0000\0001\0\r\0\n\0\x03\0")
        << "line 1 holds the control character 0x00.";
    // The header line is saved back as it was read: it is held to the rule as well.
    QTest::newRow("NUL in the header line") << QByteArrayLiteral("\x02\0\0\0,\r\n00 11\r\n\x03")
                                            << "line 1 holds the control character 0x00.";
    QTest::newRow("C1 control in the header line") << QByteArray("\x02 $A0000\x9B"
                                                                 "0000,\r\n00 11\r\n\x03")
                                                   << "line 1 holds the control character 0x9B.";
    QTest::newRow("NUL") << header + QByteArrayLiteral("01 02\r\n03\0 04\r\n\x03")
                         << "line 3 holds the control character 0x00.";
    QTest::newRow("ETX inside") << header + "01\x03 02\r\n\x03"
                                << "line 2 holds the control character 0x03.";
    // The end mark is no fault; the byte after it is.
    QTest::newRow("SUB after the end mark") << header + "01 02\r\n\x03\x1A"
                                            << "line 3 holds the control character 0x1A after "
                                               "the end mark ETX (0x03).";
    QTest::newRow("NUL after the end mark") << header + QByteArrayLiteral("01 02\r\n\x03\0")
                                            << "line 3 holds the control character 0x00 after "
                                               "the end mark ETX (0x03).";
    QTest::newRow("text after the end mark") << header + "01 02\r\n\x03 03"
                                             << "more follows the end mark ETX (0x03) in line 3.";
    QTest::newRow("C1 control") << header + "01 \x85 02\r\n\x03"
                                << "line 2 holds the control character 0x85.";
    QTest::newRow("DEL") << header + "01 \x7F\r\n\x03"
                         << "line 2 holds the control character 0x7F.";
}

void EepromTextTest::ascRefusesWhatIsNoImageText() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    try {
        const asc::Image image = asc::read(file);
        QVERIFY2(problem.isEmpty(), "read succeeded");
        QCOMPARE(image.preamble, file.left(image.preamble.size()));
    } catch (const Error& e) {
        QCOMPARE(e.number, errors::InvalidFileFormat);
        QCOMPARE(e.description, "Not an EEPROM image file: " + problem);
    }
}

void EepromTextTest::ascFullImageRoundTrip() {
    const QByteArray worksheet = eventimage::formatEEPROMText(QByteArray(1792, 'c'), 32);
    const QByteArray file = asc::write(asc::defaultPreamble(), worksheet);
    QCOMPARE(file.size(), 2734);
    QVERIFY(file.endsWith("cc\r\n\r\n\x03"));
    QCOMPARE(asc::read(file).worksheet, worksheet);
    QCOMPARE(asc::sizeText(asc::hexDigitCount(QString::fromLatin1(worksheet))), "896 byte");
    QCOMPARE(asc::sizeText(3), "1.5 byte");
}

void EepromTextTest::ascRefusesMoreLinesThanTheWorksheetShows() {
    const QByteArray header = asc::defaultPreamble();
    // The header line, the data lines and the end mark.
    const qsizetype dataLines = fileBounds::EepromImageLines - 2;
    QCOMPARE(asc::read(header + QByteArray("00\r\n").repeated(dataLines) + "\x03").worksheet.size(),
             4 * dataLines - 2);
    try {
        asc::read(header + QByteArray("\r").repeated(dataLines + 1) + "\x03");
        QFAIL("more lines than the worksheet shows were taken");
    } catch (const Error& e) {
        QCOMPARE(e.number, errors::FileTooLarge);
        QCOMPARE(e.description, QStringLiteral("File longer than 4096 lines"));
    }
}

void EepromTextTest::pageCommand() {
    const QByteArray digits = QByteArray("00112233445566778899aabbccddeeff") + "A0A1A2A3";
    QCOMPARE(programmer::pageCommand(digits, 16, 4), "SX02,00,10,A0,A1,A2,A3");
    QCOMPARE(programmer::pageCommand(digits, 0, 2), "SX02,00,00,00,11");
    QCOMPARE(programmer::pageCommand(QByteArray(2048, '0'), 0x3F0, 1), "SX02,03,F0,00");
}

void EepromTextTest::readBackLayout() {
    QByteArray buffer;
    for (int i = 0; i < 1024; ++i)
        buffer += "ab";
    const QByteArray text = programmer::formatReadBack(buffer);
    QCOMPARE(text.size(), 3102);
    QCOMPARE(text.count("\r\n"), 31);
    QVERIFY(text.endsWith("ab"));
    QCOMPARE(programmer::formatReadBack(QByteArray(128, '1')).count("\r\n"), 1);
    QVERIFY(programmer::formatReadBack(QByteArray(128, '1')).endsWith("11 11"));
    QVERIFY(programmer::formatReadBack(QByteArray(96, '1')).endsWith("11 "));
    const QString reply = QStringLiteral("xx\r\n") +
                          QStringLiteral("0a 1b 2c 3d 4e 5f 60 71 82 93 a4 b5 c6 d7 e8 f9 ") +
                          QStringLiteral("\n\rOK\n\r>");
    QCOMPARE(programmer::sixteenBytes(reply), "0a1b2c3d4e5f60718293a4b5c6d7e8f9");
    QCOMPARE(programmer::statusByte(QStringLiteral("\r\nRS 03      \n\rOK\n\r>").right(15)), 0);
    QCOMPARE(programmer::statusText(0x2), "0x2");
}

void EepromTextTest::compareIgnoresCaseAndReportsMissingBytes() {
    QCOMPARE(programmer::compareReport("ABcd", "abCD"), QString());
    QCOMPARE(programmer::compareReport("ab01", "ab02"),
             "difference in pos.: 2\r\nbuffer: 0x01\r\ndevice: 0x02\r\n"
             "Bytes that differ: 1 of 2.");
    QCOMPARE(programmer::compareReport("abcd", "ab"),
             "difference in pos.: 2\r\nbuffer: 0xcd\r\ndevice: 0x\r\nBytes that differ: 1 of 2.");
}

void EepromTextTest::compareNamesTheFirstSixteenDifferences() {
    // 1030 bytes against an erased EEPROM: every byte differs.
    const QString report = programmer::compareReport(QByteArray(2060, '0'), QByteArray(2048, 'f'));
    const QStringList lines = report.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 16 * 3 + 1);
    QCOMPARE(lines.first(), "difference in pos.: 1");
    QCOMPARE(lines.at(45), "difference in pos.: 16");
    QCOMPARE(lines.last(), "Bytes that differ: 1030 of 1030.");
}

void EepromTextTest::imageProblems() {
    QVERIFY(programmer::imageProblem("").has_value());
    QVERIFY(programmer::imageProblem("ABC")->contains("odd"));
    QVERIFY(programmer::imageProblem(QByteArray(2050, '0'))->contains("1025 bytes"));
    QVERIFY(!programmer::imageProblem(QByteArray(2048, '0')).has_value());
}

void EepromTextTest::loaderText() {
    // Empty lines are not sent.
    QCOMPARE(firmware::loaderText(":0300300002337A1E\r\n\r\n:020000040001F9\n:00000001FF\r\n"),
             "L:0300300002337A1E\r\n:020000040001F9\r\n:00000001FF\r\n");
    qsizetype position = 0;
    const QByteArray text = "L:1\r\n:2\r\n";
    QCOMPARE(firmware::takeRecord(text, position), "L:1\r\n");
    QCOMPARE(firmware::takeRecord(text, position), ":2\r\n");
    QCOMPARE(firmware::takeRecord(text, position), "");
    for (const QByteArray& empty : {QByteArray(), QByteArray("\r\n\n")}) {
        try {
            firmware::loaderText(empty);
            QFAIL("an empty file was taken");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::EmptyFile);
        }
    }
    try {
        firmware::loaderText(":0300300002337A1F\r\n:00000001FF\r\n");
        QFAIL("a bad record was taken");
    } catch (const Error& e) {
        QCOMPARE(e.number, errors::InvalidFileFormat);
        QCOMPARE(e.description,
                 "Not an Intel HEX firmware file.\r\nLine 1: checksum 1F, expected 1E");
    }
}

void EepromTextTest::intelHexFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("problem");
    const QByteArray data = ":0300300002337A1E";
    const QByteArray end = ":00000001FF";
    QTest::newRow("every line end, lower case, a trailing empty line")
        << data + "\r\n:020000040001f9\n:10010000000102030405060708090A0B0C0D0E0F77\r" + end +
               "\r\n\r\n"
        << QString();
    QTest::newRow("empty lines between the records") << data + "\n\n\n" + end << QString();
    QTest::newRow("no colon") << data + "\r\n0300300002337A1E\r\n" + end
                              << "Line 2: does not begin with \":\"";
    QTest::newRow("blank before the colon")
        << " " + data + "\r\n" + end << "Line 1: does not begin with \":\"";
    QTest::newRow("not a digit") << ":03003000G2337A1E\r\n" + end
                                 << "Line 1: character 10 is not a hexadecimal digit";
    QTest::newRow("trailing blank")
        << data + " \r\n" + end << "Line 1: character 18 is not a hexadecimal digit";
    QTest::newRow("NUL") << data + QByteArray(1, '\0') + "\r\n" + end
                         << "Line 1: character 18 is not a hexadecimal digit";
    QTest::newRow("odd digits") << ":0300300002337A1E0\r\n" + end
                                << "Line 1: odd number of hexadecimal digits (17)";
    QTest::newRow("too short") << ":00000001\r\n" + end
                               << "Line 1: too short for a record (4 bytes)";
    QTest::newRow("byte count") << ":02000000AA54\r\n" + end
                                << "Line 1: byte count 02, but 1 data bytes";
    QTest::newRow("record type") << ":020000060001F7\r\n" + end
                                 << "Line 1: record type 06, expected 00 to 05";
    QTest::newRow("length of its type")
        << ":0100000400FB\r\n" + end << "Line 1: record type 04 with 1 data bytes, expected 2";
    QTest::newRow("checksum") << data + "\r\n:0300300002337A1F\r\n" + end
                              << "Line 2: checksum 1F, expected 1E";
    QTest::newRow("end record with a bad checksum") << data + "\r\n:00000001FE"
                                                    << "Line 2: checksum FE, expected FF";
    QTest::newRow("record after the end")
        << end + "\r\n\r\n" + data << "Line 3: a record after the end record of line 1";
    QTest::newRow("two end records")
        << data + "\n" + end + "\n" + end << "Line 3: a record after the end record of line 2";
    QTest::newRow("no end record")
        << data + "\r\n" + data << "The file has no end record (:00000001FF).";
}

void EepromTextTest::intelHexFiles() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    intelhex::FileCheck check;
    std::optional<QString> found;
    for (const QByteArrayView line : TextLines(file)) {
        if ((found = check.take(line)))
            break;
    }
    if (!found)
        found = check.finish();
    QCOMPARE(found.value_or(QString()), problem);
}

// Records are checked as they are read: a file of line ends costs no list of lines. Four
// megabytes of empty lines took 130 MB when the whole file was split first.
void EepromTextTest::firmwareIsReadInMemoryOfItsOwnSize() {
    const QByteArray file =
        QByteArray("\r\n").repeated(2 << 20) + ":0300300002337A1E\r\n:00000001FF\r\n";
    const test::PeakMemory peak;
    if (!peak.valid())
        QSKIP("the system does not let the memory high-water mark be reset");
    QCOMPARE(firmware::loaderText(file), "L:0300300002337A1E\r\n:00000001FF\r\n");
    QVERIFY2(peak.extraBytes() <= 4 * file.size(), qPrintable(QString::number(peak.extraBytes())));
}

QTEST_GUILESS_MAIN(EepromTextTest)
#include "tst_eepromtext.moc"
