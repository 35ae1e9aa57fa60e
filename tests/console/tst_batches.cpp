#include "common/boundedfile.h"
#include "console/batchtext.h"
#include "console/consolewidgets.h"
#include "console/registerbits.h"
#include "console/spisub2.h"
#include "consolerig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace krv;
using krv::test::ConsoleRig;

class BatchesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesEndAtTheirCarriageReturn() {
        QCOMPARE(console::batchLines("H0\r\nL1\r\n\rZ2"), QStringList({"H0\r", "L1\r", "\r"}));
        QCOMPARE(console::directiveOf("#REFRESH and more"), console::Directive::Refresh);
        QCOMPARE(console::directiveOf("#refresh"), console::Directive::None);
    }

    void runSendsCommandsAndRunsDirectives() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.chip->registers[0x07].value = 0x21;
        c.spi->setBatchText(0, "S2 0900\r\n/S2 8100\r\n#refresh\r\n#STATUSREAD now\r\n\r\nZ3");
        c.spi->BatchRun[0]->click();
        // The last line got its line end; the empty line is a lone CR.
        QCOMPARE(c.sent(), QStringList({"S2 0900", "S2 0700", "", "Z3"}));
        QCOMPARE(c.spi->Hexadec->text(), QStringLiteral("00 21"));
        QCOMPARE(c.spi->LoopCount->text(), QStringLiteral("1"));
        QVERIFY(c.spi->batchText(0).endsWith("Z3\r\n"));
        QVERIFY(c.spi->BatchRun[0]->isEnabled());

        c.rig.board().clearReceived();
        c.spi->setBatchText(1, "Z");
        c.spi->BatchRun[1]->click();
        QCOMPARE(c.sent(), QStringList{"Z"});
    }

    void aLineTheBoardCannotTakeStopsTheRunBeforeItSends() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->EnLoop[0]->setChecked(true);
        // Comments are not sent, so they may hold anything.
        c.spi->setBatchText(0, QStringLiteral("H1\r\n/ \u20AC\r\nS2 09\u00E9\u20AC0\r\nL1\r\n"));
        c.spi->BatchRun[0]->click();
        QCOMPARE(
            c.rig.messageTexts(),
            QStringList{"Error occured:1229,Line 3 of Batch#1: the text \"S2 09\u00E9\u20AC0\" "
                        "holds \"\u20AC\" (U+20AC) at character 7 (single-byte Latin-1 text "
                        "only), which the board's line cannot carry. Nothing was sent.\r\n"
                        "Please try again!"});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Batch"));
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(c.spi->LoopCount->text(), QStringLiteral("0"));
        QVERIFY(c.spi->BatchRun[0]->isEnabled());
        QCOMPARE(console::background(c.spi->BatchName[0]), console::colours::LightGray);
    }

    void directivesRunTheirOperationsWithinTheBatch() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.write("bytes.txt", "#FIFO\r\n" + QByteArray("C3\r\n").repeated(16));
        c.answerFile(c.file("bytes.txt"));
        c.spi->OpenTXff->click();
        c.answerFile(c.file("bytes.txt"));
        c.spi->OpenRXff->click();
        // A directive's own end of its operation does not free the batch controls.
        bool runFreeDuringBatch = true;
        connect(&c.rig.board(), &sim::BoardSimulator::lineReceived, &c.rig.board(),
                [&](const QString& line) {
                    if (line == QStringLiteral("H1"))
                        runFreeDuringBatch = c.spi->BatchRun[1]->isEnabled();
                });
        c.spi->setBatchText(0, "#REFRESH\r\n#FIFO_WRITE\r\n#FIFO_READ\r\nH1\r\n");
        c.spi->BatchRun[0]->click();
        const QStringList sent = c.sent();
        QCOMPARE(sent.size(), 11 + 16 + 17 + 1);
        QCOMPARE(sent.first(), QStringLiteral("S2 0000"));
        QCOMPARE(sent[11], QStringLiteral("S2 9FC3"));
        QCOMPARE(sent[27], QStringLiteral("S2 1F00"));
        QCOMPARE(sent.mid(43), QStringList({"H3", "H1"}));
        QCOMPARE(c.spi->Packets->text(), QStringLiteral("1"));
        QCOMPARE(c.spi->Errors->text(), QStringLiteral("0"));
        QVERIFY(!runFreeDuringBatch);
        QVERIFY(c.spi->BatchRun[1]->isEnabled());
        QVERIFY(c.rig.dialogs().messages.isEmpty());
    }

    void aSilentBoardDoesNotStopTheBatchAVanishedOneDoes_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("messages");
        QTest::newRow("no reply") << int(sim::Fault::NoReply) << 4 << 0;
        QTest::newRow("board vanishes") << int(sim::Fault::Vanish) << 1 << 1;
    }
    void aSilentBoardDoesNotStopTheBatchAVanishedOneDoes() {
        QFETCH(int, fault);
        QFETCH(int, lines);
        QFETCH(int, messages);
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->setBatchText(0, "H1\r\nH2\r\n");
        c.spi->EnLoop[0]->setChecked(true);
        c.spi->ENLimit->setChecked(true);
        c.spi->LoopLimit->setText("2");
        c.rig.board().setFault(sim::Fault(fault));
        c.spi->BatchRun[0]->click();
        QCOMPARE(c.sent().size(), lines);
        QCOMPARE(c.rig.dialogs().messages.size(), messages);
        QVERIFY(c.spi->BatchRun[0]->isEnabled());
    }

    void loopsUntilTheLimit() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->setBatchText(2, "H1\r\n");
        c.spi->EnLoop[2]->setChecked(true);
        c.spi->ENLimit->setChecked(true);
        QVERIFY(c.spi->LoopLimit->isEnabled());
        c.spi->LoopLimit->setText("3");
        c.spi->BatchRun[2]->click();
        QCOMPARE(c.sent(), QStringList({"H1", "H1", "H1"}));
        QCOMPARE(c.spi->LoopCount->text(), QStringLiteral("3"));
        // A counter at the limit already runs one pass.
        c.spi->BatchRun[2]->click();
        QCOMPARE(c.sent().size(), 4);
    }

    void clearingLoopStopsAPassThatSendsNothing() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->setBatchText(0, "/ nothing\r\n");
        c.spi->EnLoop[0]->setChecked(true);
        QTimer::singleShot(200, c.spi, [&] { c.spi->EnLoop[0]->setChecked(false); });
        c.spi->BatchRun[0]->click();
        QVERIFY(c.spi->LoopCount->text().toInt() > 1);
        QVERIFY(c.sent().isEmpty());
    }

    void aClosedPortStopsTheBatch() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.rig.main().link()->MSComm2->setPortOpen(false);
        c.spi->setBatchText(0, "H1\r\nH2\r\n");
        c.spi->EnLoop[0]->setChecked(true);
        c.spi->BatchRun[0]->click();
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.sent().isEmpty());
    }

    void closingTheConsoleEndsARunningBatch() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->setBatchText(0, "H1\r\n");
        c.spi->EnLoop[0]->setChecked(true);
        QTimer::singleShot(100, &c.rig.main(),
                           [&] { c.rig.main().unloadForm(QStringLiteral("SPI")); });
        c.spi->BatchRun[0]->click();
        QVERIFY(QTest::qWaitFor([&] { return !c.rig.main().loadedForm("SPI"); }));
        QVERIFY(!c.sent().isEmpty());
    }

    void paletteAndRowButtonsAppend() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->BatchSel[3]->setChecked(true);
        auto* palette = c.rig.main().form<SPIsub2>(QStringLiteral("SPIsub2"));
        palette->SetHigh[3]->click();
        palette->SetZ[0]->click();
        palette->MacroCmd[0]->click();
        QCOMPARE(c.spi->batchText(3), QStringLiteral("H3\r\nZ0\r\n#REFRESH\r\n"));
        QCOMPARE(c.spi->BatchCommands[3]->toPlainText(), QStringLiteral("H3\nZ0\n#REFRESH\n"));

        c.spi->M_Address[1]->setText("3A");
        c.spi->M_Hexvalue[1]->setText("F");
        c.spi->M_Batch[1][1]->click();
        QCOMPARE(c.spi->batchText(1), QStringLiteral("S2 BA0F\r\n"));
        c.spi->M_Batch[1][2]->click();
        QCOMPARE(c.spi->batchText(1), QStringLiteral("S2 BA0F\r\n"));
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.sent().isEmpty());

        c.rig.main().unloadForm(QStringLiteral("SPI"));
        QVERIFY(!c.rig.main().loadedForm(QStringLiteral("SPIsub2")));
    }

    void batchFilesRoundTrip() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.answerFile(c.file("empty"));
        c.spi->SaveBatch->click();
        QCOMPARE(c.bytes("empty.txt"), QByteArray("#BATCHNAME Batch#1\r\n\r\n"));
        c.spi->BatchSel[1]->setChecked(true);
        c.answerFile(c.file("empty.txt"));
        c.spi->LoadBach->click();
        QCOMPARE(c.spi->BatchName[1]->text(), QStringLiteral("Batch#1"));
        QCOMPARE(c.spi->batchText(1), QStringLiteral("\r\n"));

        c.write("plain.txt", "H1\rL1\nZ1");
        c.answerFile(c.file("plain.txt"));
        c.spi->LoadBach->click();
        QCOMPARE(c.spi->BatchName[1]->text(), QStringLiteral("Batch#1"));
        QCOMPARE(c.spi->batchText(1), QStringLiteral("H1\r\nL1\r\nZ1\r\n"));
        c.spi->BatchName[1]->setText("Setup");
        c.answerFile(c.file("setup.txt"));
        c.spi->SaveBatch->click();
        QCOMPARE(c.bytes("setup.txt"), QByteArray("#BATCHNAME Setup\r\nH1\r\nL1\r\nZ1\r\n"));
        QCOMPARE(c.rig.dialogs().fileRequests.last().title,
                 QStringLiteral("Save Setup Script File"));

        c.answerFile(c.file("setup.cfg"));
        c.spi->SaveBatch->click();
        QCOMPARE(c.rig.messageTexts(), QStringList{"File type not supported! Please try again!"});
        QVERIFY(!QFile::exists(c.file("setup.cfg")));
    }

    // Laying out a line of a megabyte froze the batch box as it did the script pane: the box
    // shows such a line in pieces and is read-only meanwhile; the batch is kept, run and saved
    // as it was loaded. A file of more lines than the box shows is refused, the batch kept.
    void theBatchBoxShowsALongLineInPiecesAndRefusesTooManyLines() {
        ConsoleRig c;
        QVERIFY(c.open(QStringLiteral("DEMO-REG"), false));
        // A comment line just short of the file's bound, shown in pieces of 1000 characters.
        const qsizetype length = (1 << 20) - 100;
        const QByteArray file = "#BATCHNAME Long\r\n" + QByteArray(length, '/') + "\r\nH1\r\n";
        c.write("long.txt", file);
        c.answerFile(c.file("long.txt"));
        c.spi->LoadBach->click();
        QCOMPARE(c.rig.messageTexts(), QStringList());
        QPlainTextEdit* box = c.spi->BatchCommands[0];
        QCOMPARE(box->blockCount(), (length + 999) / 1000 + 1 + 1);
        QVERIFY(box->isReadOnly());
        QCOMPARE(c.spi->batchText(0).size(), file.size() - 17);
        c.answerFile(c.file("saved.txt"));
        c.spi->SaveBatch->click();
        QCOMPARE(c.bytes("saved.txt"), file);

        c.write("many.txt", QByteArray("H1\n").repeated(fileBounds::ConsoleFileLines + 1));
        c.answerFile(c.file("many.txt"));
        c.spi->LoadBach->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"Error occured:1227,File longer than 10000 lines\r\nPlease try "
                             "again!"});
        QCOMPARE(c.spi->BatchName[0]->text(), QStringLiteral("Long"));
        QCOMPARE(c.spi->batchText(0).size(), file.size() - 17);

        // A batch without such a line can be edited again.
        c.spi->setBatchText(0, QStringLiteral("H2\r\n"));
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->toPlainText(), QStringLiteral("H2\n"));
    }
};

QTEST_MAIN(BatchesTest)
#include "tst_batches.moc"
