#include "readable.h"
#include "testsupport.h"
#include "tools/eeprom/ecet.h"
#include "tools/eeprom/eeprom.h"
#include "tools/eeprom/eventimage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace krv;
using namespace krv::test;

namespace {

struct Bench {
    Rig rig;
    eeprom* prog = nullptr;
    QList<int> progress;        // each value the progress bar took
    bool progressShown = false; // whether the bar was visible when it took the last one

    Bench() {
        if (!rig.connectBoard())
            qFatal("no simulated board");
        prog = rig.main().form<eeprom>(QStringLiteral("eeprom"));
        rig.main().showForm(prog);
        rig.board().clearReceived();
    }
    // Presses the button and waits until the transaction it started has ended.
    bool run(QPushButton* button, int ms = 15000) {
        button->click();
        return waitUntil([this] { return !prog->transactionRunning(); }, ms);
    }
    // The worksheet as the editor hands it over: the buttons that use it enabled.
    void sheet(const QByteArray& text) {
        prog->setWorkSheet(text);
        prog->Prog->setEnabled(true);
        prog->Verify->setEnabled(true);
    }
    void watchProgress() {
        QObject::connect(prog->ProgressBar1, &QProgressBar::valueChanged, prog, [this](int value) {
            progress.append(value);
            progressShown = prog->ProgressBar1->isVisibleTo(prog);
        });
    }
    QStringList lines() { return rig.board().receivedLines(); }
    int count(const QString& prefix) { return linesStartingWith(lines(), prefix); }
    QString lastMessage() {
        return rig.dialogs().messages.isEmpty() ? QString() : rig.dialogs().messages.last().text;
    }
};

QByteArray bytesFrom(int first, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

QByteArray worksheetOf(const QByteArray& bytes) {
    return eventimage::formatEEPROMText(bytes.toHex().toUpper(), 32);
}

// first, first + step, ... up to last.
QList<int> steps(int first, int last, int step) {
    QList<int> values;
    for (int value = first; value <= last; value += step)
        values.append(value);
    return values;
}

} // namespace

class ProgrammerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void updateReportsThePresence_data();
    void updateReportsThePresence();
    void programPartialPage();
    void programWaitsWhileBusy();
    void programStopsWhenNoEepromAnswers();
    void programRefusals_data();
    void programRefusals();
    void startersRefuseAClosedPortOrABusyLock();
    void errorEndingEndsTheTransaction();
    void closingMidTransactionFreesTheBoard();
    void vanishedBoardEndsTheTransactionQuietly();
    void programFullImage();
    void verifyIgnoresCase();
    void verifyReportsDifferences();
    void readBack();
    void stopDuringReadBackKeepsWhatWasRead();
    void saveAsksBeforeReplacing();
    void shownAndUnloadedByTheMainWindow();
    void looksWhole();
};

void ProgrammerTest::updateReportsThePresence_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("writing");
    QTest::addColumn<QString>("status");
    QTest::newRow("present") << true << false << "ready 0x2";
    QTest::newRow("absent") << false << false << "Not present 0x0";
    QTest::newRow("still writing") << true << true << "busy 0x3";
}

void ProgrammerTest::updateReportsThePresence() {
    QFETCH(bool, present);
    QFETCH(bool, writing);
    QFETCH(QString, status);
    Bench b;
    sim::SpiEeprom& memory = b.rig.board().eeprom();
    memory.setPresent(present);
    if (writing) {
        memory.setBusyPolls(1);
        memory.setWriteEnable(true);
        memory.writePage(0, "\x01");
    }
    QVERIFY(b.run(b.prog->Command1));
    QCOMPARE(b.lines(), QStringList({"S106", "S20500"}));
    QCOMPARE(b.prog->StatusMsg->text(), status);
    QCOMPARE(b.rig.main().CommState, 0);
    QVERIFY(!b.prog->Prog->isEnabled());
    QVERIFY(b.rig.dialogs().messages.isEmpty());
}

void ProgrammerTest::programPartialPage() {
    Bench b;
    const QByteArray data = bytesFrom(0xA0, 20);
    b.sheet(worksheetOf(data));
    b.watchProgress();
    QVERIFY(b.run(b.prog->Prog));
    QCOMPARE(b.lines(), QStringList({"H2", "S106", "S20500", "S106",
                                     "SX02,00,00,A0,A1,A2,A3,A4,A5,A6,A7,A8,A9,AA,AB,AC,AD,AE,AF",
                                     "S20500", "S106", "SX02,00,10,B0,B1,B2,B3", "S104"}));
    QCOMPARE(b.rig.board().eeprom().bytes(0, 21), data + "\xFF");
    QCOMPARE(b.lastMessage(), "Buffer content successfully programmed into the EEPROM.");
    QCOMPARE(b.rig.dialogs().messages.last().title, "End of Programming");
    QCOMPARE(b.prog->StatusMsg->text(), "Program end0x0");
    // One page of 16 and a partial one: the bar counts whole pages.
    QCOMPARE(b.progress, QList<int>{1});
    QCOMPARE(b.prog->ProgressBar1->maximum(), 1);
    QVERIFY(b.prog->StopButton->isHidden() && b.prog->ProgressBar1->isHidden());
    QVERIFY(b.prog->Prog->isEnabled() && b.prog->Read->isEnabled());
}

void ProgrammerTest::programWaitsWhileBusy() {
    Bench b;
    b.rig.board().eeprom().setBusyPolls(2);
    b.sheet(worksheetOf(bytesFrom(1, 12)));
    QVERIFY(b.run(b.prog->Prog));
    QCOMPARE(b.count("SX02"), 1);
    QCOMPARE(b.count("S20500"), 1);
    QCOMPARE(b.rig.board().eeprom().bytes(0, 12), bytesFrom(1, 12));
    b.rig.board().clearReceived();
    b.sheet(worksheetOf(bytesFrom(1, 32)));
    QVERIFY(b.run(b.prog->Prog));
    // Each page waits for a status without the write in progress (the first poll still sees the
    // earlier write's two busy polls).
    QCOMPARE(b.count("S20500"), 9);
    QCOMPARE(b.count("SX02"), 2);
}

void ProgrammerTest::programStopsWhenNoEepromAnswers() {
    Bench b;
    b.rig.board().eeprom().setPresent(false);
    b.sheet(worksheetOf(bytesFrom(1, 40)));
    QVERIFY(b.run(b.prog->Prog));
    // The presence check of Update, then nothing more: no page is written.
    QCOMPARE(b.lines(), QStringList({"H2", "S106", "S20500"}));
    QCOMPARE(b.prog->StatusMsg->text(), "Not present 0x0");
    QCOMPARE(b.rig.dialogs().messages.size(), 1);
    QCOMPARE(b.lastMessage(), "No EEPROM answers on the load board (status 0x0).\r\n"
                              "Nothing was programmed.");
    QCOMPARE(b.rig.dialogs().messages.last().title, "End of Programming");
    QCOMPARE(b.rig.main().CommState, 0);
    QVERIFY(!b.prog->EEprog_timer->isActive());
    QVERIFY(b.prog->StopButton->isHidden() && b.prog->ProgressBar1->isHidden());
    QVERIFY(b.prog->Prog->isEnabled() && b.prog->Command1->isEnabled());
}

void ProgrammerTest::programRefusals_data() {
    QTest::addColumn<QByteArray>("worksheet");
    QTest::addColumn<QString>("names");
    QTest::newRow("empty") << QByteArray(" \r\n") << "no data";
    QTest::newRow("odd") << QByteArray("01 02 0") << "odd number";
    QTest::newRow("too big") << worksheetOf(QByteArray(1025, 'x')) << "1025 bytes";
}

void ProgrammerTest::programRefusals() {
    QFETCH(QByteArray, worksheet);
    QFETCH(QString, names);
    Bench b;
    b.sheet(worksheet);
    b.prog->Prog->click();
    QVERIFY(b.lastMessage().contains(names));
    QVERIFY(!b.prog->transactionRunning());
    QTest::qWait(100);
    QVERIFY(b.lines().isEmpty());
}

void ProgrammerTest::startersRefuseAClosedPortOrABusyLock() {
    Bench b;
    TransactionHold other = b.rig.main().CommState.take(3);
    b.prog->Read->click();
    QCOMPARE(b.lastMessage(), "Commport is busy. Please try again later!");
    QCOMPARE(b.rig.dialogs().messages.last().icon, Dialogs::Icon::Exclamation);
    other.release();
    b.rig.main().Toolbar2_ButtonClick(QStringLiteral("Disconnect"));
    b.prog->Command1->click();
    QCOMPARE(b.lastMessage(), "Commport not available, Loadboard not connected!");
    QCOMPARE(b.rig.dialogs().messages.size(), 2);
    QVERIFY(b.lines().isEmpty());
}

void ProgrammerTest::errorEndingEndsTheTransaction() {
    Bench b;
    b.sheet(worksheetOf(bytesFrom(0, 40)));
    b.rig.board().setFault(sim::Fault::ErrorEnding, 3);
    QVERIFY(b.run(b.prog->Prog));
    QCOMPARE(b.lastMessage(), "Operation not completed! Please try again!");
    QCOMPARE(b.rig.dialogs().messages.last().title, "Communication Error");
    QCOMPARE(b.prog->StatusMsg->text(), "LB comm. error");
    QCOMPARE(b.rig.main().CommState, 0);
    QVERIFY(b.prog->Prog->isEnabled() && b.prog->StopButton->isHidden());
    QVERIFY(b.count("SX02") <= 1);
    QCOMPARE(b.rig.board().eeprom().bytes(16, 16), QByteArray(16, '\xFF'));
}

void ProgrammerTest::closingMidTransactionFreesTheBoard() {
    Bench b;
    b.sheet(worksheetOf(QByteArray(896, 'z')));
    b.prog->Prog->click();
    QVERIFY(waitUntil([&] { return b.count("SX02") >= 2; }));
    b.rig.main().unloadForm(QStringLiteral("eeprom"));
    QCOMPARE(b.rig.main().CommState, 0);
    QVERIFY(!b.rig.main().EEPROMon);
    QVERIFY(waitUntil([&] {
        return b.lines().size() >= 2 &&
               b.lines().mid(b.lines().size() - 2) == QStringList({"H2", "S104"});
    }));
    const int sent = int(b.lines().size());
    QTest::qWait(300);
    QCOMPARE(b.lines().size(), sent);
}

void ProgrammerTest::vanishedBoardEndsTheTransactionQuietly() {
    Bench b;
    b.sheet(worksheetOf(QByteArray(896, 'z')));
    b.prog->Prog->click();
    QVERIFY(waitUntil([&] { return b.count("SX02") >= 2; }));
    b.rig.board().vanish();
    QVERIFY(waitUntil([&] { return !b.prog->transactionRunning(); }));
    QTest::qWait(200);
    // The main window reports the lost board; the programmer adds nothing to it.
    QCOMPARE(b.rig.messageTexts(),
             QStringList{"Loadboard disconnected!\r\nPlease press connect again!"});
    QCOMPARE(b.prog->StatusMsg->text(), "LB comm. error");
    QCOMPARE(b.rig.main().CommState, 0);
    QVERIFY(!b.prog->EEprog_timer->isActive());
    QVERIFY(b.prog->StopButton->isHidden() && b.prog->ProgressBar1->isHidden());
    QVERIFY(b.prog->Prog->isEnabled());
}

void ProgrammerTest::programFullImage() {
    Bench b;
    QByteArray image;
    for (int i = 0; i < 896; ++i)
        image.append(char(i * 7));
    b.sheet(eventimage::formatEEPROMText(image.toHex().toUpper(), 32));
    b.watchProgress();
    QVERIFY(b.run(b.prog->Prog, 20000));
    QCOMPARE(b.progress, steps(1, 56, 1));
    QCOMPARE(b.prog->ProgressBar1->maximum(), 56);
    QVERIFY(b.progressShown);
    QCOMPARE(b.count("SX02"), 56);
    QCOMPARE(b.count("S20500"), 57);
    QCOMPARE(b.lines().last(), "S104");
    QCOMPARE(b.rig.board().eeprom().bytes(0, 896), image);
    QCOMPARE(b.rig.board().eeprom().byte(896), 0xFF);
}

void ProgrammerTest::verifyIgnoresCase() {
    Bench b;
    const QByteArray data = bytesFrom(0xC0, 32);
    b.rig.board().eeprom().setBytes(0, data);
    b.sheet(worksheetOf(data));
    b.watchProgress();
    QVERIFY(b.run(b.prog->Verify));
    QCOMPARE(b.progress, steps(0, 1008, 16));
    QCOMPARE(b.prog->ProgressBar1->maximum(), 1024);
    QVERIFY(b.progressShown);
    QCOMPARE(b.count("RS16"), 64);
    QCOMPARE(b.lines().mid(0, 3), QStringList({"H2", "L2", "WS03,00,00"}));
    QCOMPARE(b.lines().last(), "H2");
    QCOMPARE(b.lastMessage(), "Buffer and EEPROM contents are identical.");
    QCOMPARE(b.rig.dialogs().messages.last().title, "Verify Successful");
    QCOMPARE(b.prog->StatusMsg->text(), "Verify end");
}

void ProgrammerTest::verifyReportsDifferences() {
    Bench b;
    // 1030 bytes against an erased EEPROM: the message names the first 16 and counts the rest.
    QByteArray data = QByteArray(1024, '\xFF');
    data[2] = 0x12;
    b.rig.board().eeprom().setBytes(0, data);
    b.sheet(worksheetOf(QByteArray(1030, '\x12')));
    QVERIFY(b.run(b.prog->Verify));
    QCOMPARE(b.rig.dialogs().messages.size(), 1);
    QCOMPARE(b.rig.dialogs().messages.last().title, "Verify failed");
    const QStringList lines = b.lastMessage().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 16 * 3 + 1);
    QCOMPARE(lines.mid(0, 6),
             QStringList({"difference in pos.: 1", "buffer: 0x12", "device: 0xff",
                          "difference in pos.: 2", "buffer: 0x12", "device: 0xff"}));
    QCOMPARE(lines.at(6), "difference in pos.: 4");
    QCOMPARE(lines.at(45), "difference in pos.: 17");
    QCOMPARE(lines.last(), "Bytes that differ: 1029 of 1030.");
}

void ProgrammerTest::readBack() {
    Bench b;
    b.rig.board().eeprom().setBytes(0, bytesFrom(0, 256).repeated(4));
    b.rig.board().eeprom().setReadAddress(100);
    b.watchProgress();
    QVERIFY(b.run(b.prog->Read));
    QCOMPARE(b.progress, steps(0, 1008, 16));
    QCOMPARE(b.prog->ProgressBar1->maximum(), 1024);
    QVERIFY(b.progressShown);
    QCOMPARE(b.count("RS16"), 64);
    const QString sheet = b.prog->workSheet();
    QCOMPARE(sheet.size(), 3102);
    QVERIFY(sheet.startsWith("00 01 02"));
    QVERIFY(sheet.endsWith("fe ff"));
    QCOMPARE(b.lastMessage(), "EEPROM content readed into buffer.");
    QCOMPARE(b.rig.dialogs().messages.last().title, "Read end");
}

void ProgrammerTest::stopDuringReadBackKeepsWhatWasRead() {
    Bench b;
    auto* editor = b.rig.main().form<ECET>(QStringLiteral("ECET"));
    b.prog->Read->click();
    QVERIFY(waitUntil([&] { return b.count("RS16") >= 3; }));
    QVERIFY(b.prog->StopButton->isVisibleTo(b.prog));
    // The editor stays off the programmer while it works.
    b.prog->setWorkSheet("kept");
    editor->PB_GenerateRom->click();
    QVERIFY(editor->content().size() > 1);
    QCOMPARE(b.prog->workSheet(), QStringLiteral("kept"));
    for (QPushButton* button : {editor->PB_Save, editor->PB_Load, editor->PB_Call}) {
        button->click();
        QCOMPARE(b.lastMessage(), "Commport is busy. Please try again later!");
    }
    QCOMPARE(b.rig.dialogs().messages.size(), 3);
    QVERIFY(b.rig.dialogs().fileRequests.isEmpty());
    QCOMPARE(b.prog->workSheet(), QStringLiteral("kept"));
    b.prog->StopButton->click();
    QVERIFY(waitUntil([&] { return !b.prog->transactionRunning(); }));
    QCOMPARE(b.lastMessage(), "Warning!\r\nProgress is not finished!\r\nEEPROM and buffer data "
                              "inconsistent!");
    QCOMPARE(b.prog->StatusMsg->text(), "Stopped");
    QCOMPARE(b.lines().last(), "H2");
    const QString sheet = b.prog->workSheet();
    QCOMPARE(sheet.count("ff"), b.count("RS16") * 16);
    QVERIFY(sheet.endsWith("ff "));
    QCOMPARE(b.rig.main().CommState, 0);
}

void ProgrammerTest::saveAsksBeforeReplacing() {
    Bench b;
    b.sheet("01 02");
    b.prog->SaveEEFile->setEnabled(true);
    const QString path = b.rig.folder() + QStringLiteral("/image.asc");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    // "No" shows the dialog again; cancelling it there keeps the old file.
    b.rig.dialogs().files = {b.rig.folder() + QStringLiteral("/image"), QString()};
    b.rig.dialogs().answers = {Dialogs::Answer::No};
    b.prog->SaveEEFile->click();
    QCOMPARE(b.rig.dialogs().fileRequests.size(), 2);
    QVERIFY(b.lastMessage().startsWith("image.asc already exists."));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), "old");
    old.close();
    // "Yes" replaces it.
    b.rig.dialogs().files = {path};
    b.prog->SaveEEFile->click();
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("\x02 $A00000000,\r\n01 02\r\n\x03"));
}

void ProgrammerTest::shownAndUnloadedByTheMainWindow() {
    Rig rig;
    rig.start();
    rig.main().EEPROM_show();
    auto* prog = rig.main().loadedForm<eeprom>(QStringLiteral("eeprom"));
    QVERIFY(prog && rig.main().EEPROMon);
    QVERIFY(rig.main().frameOf(prog) && !rig.main().frameOf(prog)->isHidden());
    rig.main().EEPROM_hide();
    QCoreApplication::processEvents();
    QVERIFY(!rig.main().loadedForm<eeprom>(QStringLiteral("eeprom")));
    QVERIFY(!rig.main().EEPROMon);
}

// Whole as it opens, with an image file's name and size shown, while it reads (Stop and the
// progress bar shown) and with its worksheet; near its design size with the platform's font, and
// back at its opening width when the worksheet is hidden again.
void ProgrammerTest::looksWhole() {
    Rig rig;
    QVERIFY(rig.connectBoard());
    rig.main().show();
    rig.main().EEPROM_show();
    auto* prog = rig.main().loadedForm<eeprom>(QStringLiteral("eeprom"));
    QVERIFY(prog);
    QMdiSubWindow* frame = rig.main().frameOf(prog);
    checkReadable(prog, QStringLiteral("eeprom"));
    checkNearDesignSize(prog, 3100, 7250);
    QCOMPARE(frame->pos(), QPoint(0, 0));
    const QSize opening = frame->size();

    const QString path = rig.folder() + QStringLiteral("/image.asc");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x02 $A00000000,\r\n01 02\r\n\x03") > 0);
    file.close();
    rig.dialogs().files = {path};
    prog->loadeefile->click();
    QVERIFY(prog->Label7->isVisibleTo(prog) && prog->Label3->isVisibleTo(prog));
    prog->Read->click();
    QVERIFY(waitUntil([&] { return prog->ProgressBar1->value() >= 32; }));
    QVERIFY(prog->StopButton->isVisibleTo(prog));
    checkReadable(prog, QStringLiteral("eeprom_reading"));
    prog->StopButton->click();
    QVERIFY(waitUntil([&] { return !prog->transactionRunning(); }));
    // Nothing moved while Stop and the progress bar came and went.
    QCOMPARE(frame->size(), opening);

    prog->EditorWindow->setChecked(true);
    QVERIFY(prog->WorkSheet->isVisibleTo(prog));
    QVERIFY2(frame->width() >= opening.width() + 11750 / 15,
             qPrintable(QString::number(frame->width())));
    QVERIFY(prog->WorkSheet->x() > prog->loadeefile->geometry().right());
    checkReadable(prog, QStringLiteral("eeprom_worksheet"));
    prog->EditorWindow->setChecked(false);
    QVERIFY(!prog->WorkSheet->isVisibleTo(prog));
    QCOMPARE(frame->size(), opening);
}

QTEST_MAIN(ProgrammerTest)
#include "tst_programmer.moc"
