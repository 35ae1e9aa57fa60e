#include "common/boundedfile.h"
#include "faketxpanel.h"
#include "readable.h"
#include "testsupport.h"
#include "tools/eeprom/cmdsequence.h"
#include "tools/eeprom/ecet.h"
#include "tools/eeprom/eeprom.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTest>

using namespace krv;
using namespace krv::test;

namespace {

struct Editor {
    Rig rig;
    ECET* ecet = nullptr;
    Frm_CmdSequence* commands = nullptr;

    Editor() {
        registerFakeTxPanels();
        rig.writeSettings(QStringLiteral("9"), QStringLiteral("9"));
        rig.start();
    }
    // Opens the editor, optionally with a transmitter panel shown first.
    ECET& open() {
        ecet = rig.main().form<ECET>(QStringLiteral("ECET"));
        rig.main().showForm(ecet);
        commands = rig.main().loadedForm<Frm_CmdSequence>(QStringLiteral("Frm_CmdSequence"));
        return *ecet;
    }
    QStringList log() const {
        QStringList lines;
        for (const auto& line : ecet->logLines())
            lines.append(line.text);
        return lines;
    }
};

bool shown(ISMmain& main, QWidget* window) {
    return window && main.frameOf(window) && !main.frameOf(window)->isHidden();
}

void setPayload(ECET& ecet, int e, const QByteArray& text) {
    ecet.tabs_[e].TB_Payload->setPlainText(QString::fromLatin1(text));
}

} // namespace

class EcetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Frm_CmdSequence::PBCmd = Frm_CmdSequence::PBCmd2 = 0; }
    void generateWithEmptyRoutines();
    void generateRefusesAnOversizeRoutineAndKeepsTheWorksheet();
    void fetchTakesTheSelectedWordsOfTheShownPanel();
    void fetchWithoutPanelChangesNothing();
    void fetchFromTheHt537TakesItsRateAndPllWords();
    void panelCheckedOnActivationFromAnotherWindowOnly();
    void crystalAndCaptionFromALoadedPanelOnly();
    void commandEditorRecommendsAndSaves();
    void commandEditorPushButtonAndRate();
    void commandEditorWarnsWhenThePanelChanged();
    void insertCommandsAppendsTheOneOffSelection();
    void dataTransmitCommandFromTheCharacterView();
    void dataTransmitCommandRefusals_data();
    void dataTransmitCommandRefusals();
    void dataTransmitCommandFillsTheSlot_data();
    void dataTransmitCommandFillsTheSlot();
    void payloadInsertsAndPatternWarning();
    void characterViewKeepsControlCodes();
    void editPromptAndRoutineFilter();
    void fillCompletesTheFillByte();
    void handOverFillsTheProgrammer();
    void saveAndLoadAnImageFile();
    void cancelledOrFailedLoadSplitsNothing();
    void notAnImageLeavesEverythingAsItWas_data();
    void notAnImageLeavesEverythingAsItWas();
    void pn9Gesture();
    void fetchFromTheRealHt531Panel();
    void windowsShowWhole();
    void windowsOpenNearTheirDesignSize();
    void frameCaptionsStandClearOfTheTabs();
    void textBoxesScrollOnlyWhenTheirTextNeedsIt();
};

void EcetTest::generateWithEmptyRoutines() {
    Editor t;
    ECET& ecet = t.open();
    ecet.PB_GenerateRom->click();
    for (int e = 0; e < 7; ++e) {
        QCOMPARE(ecet.routine(e), "C400");
        QVERIFY(ecet.routineLocked(e));
    }
    QCOMPARE(ecet.content().size(), 1792);
    QCOMPARE(ecet.content().mid(256, 8), "C4000000");
    const QStringList log = t.log();
    QCOMPARE(log.first(), "EEPROM Code Generation started.");
    QVERIFY(log.contains("Sleep Command appended to Event code. ( Power On Reset Event Control )"));
    QVERIFY(log.contains("    Wake-up Timer Timeout Event Control"));
    QCOMPARE(log.last(), "Total warnings: 0");
    QCOMPARE(ecet.TB_ErrorLog->toPlainText().count(u'\n'), log.size() - 1);
    // The programmer is not loaded: nothing outside the editor changed.
    QVERIFY(!t.rig.main().loadedForm(QStringLiteral("eeprom")));
}

void EcetTest::generateRefusesAnOversizeRoutineAndKeepsTheWorksheet() {
    Editor t;
    ECET& ecet = t.open();
    auto* programmer = t.rig.main().form<eeprom>(QStringLiteral("eeprom"));
    programmer->setWorkSheet("01 02");
    ecet.setRoutine(2, QByteArray(258, 'A'));
    ecet.PB_GenerateRom->click();
    QVERIFY(ecet.content().isEmpty());
    QVERIFY(ecet.TB_EEPROMContent->toPlainText().isEmpty());
    QVERIFY(t.log().contains(
        "ERROR: Event code too long or not hexadecimal. ( Push Button 2 Event Control )"));
    QCOMPARE(programmer->workSheet(), QStringLiteral("01 02"));
}

void EcetTest::fetchTakesTheSelectedWordsOfTheShownPanel() {
    Editor t;
    showFakePanel(t.rig.main());
    ECET& ecet = t.open();
    ecet.tabs_[0].PB_GetData->click();
    QCOMPARE(ecet.routine(0), "8080B0C000C200C823CA00E000");
    QCOMPARE(ecet.tabs_[0].TB_EventContent->toPlainText(), "8080B0C000C200C823CA00E000");
    QCOMPARE(ecet.tabs_[0].Label3->text(), "Payload  [ max. 111 bytes ]");
    QCOMPARE(ecet.payloadLimit(0), 111);
    ecet.TabStrip1->setCurrentIndex(3);
    QCOMPARE(ecet.CurrentTab, 4);
    ecet.tabs_[3].OB_HexView->setChecked(true);
    ecet.tabs_[3].PB_GetData->click();
    QCOMPARE(ecet.routine(3), "A4B0");
    QCOMPARE(ecet.tabs_[3].Label3->text(), "Payload  [ max. 122 bytes ]");
    QCOMPARE(ecet.payloadLimit(3), 244);
    QVERIFY(t.rig.dialogs().messages.isEmpty());
}

void EcetTest::fetchWithoutPanelChangesNothing() {
    Editor t;
    ECET& ecet = t.open();
    t.rig.dialogs().messages.clear();
    ecet.setRoutine(0, "C400");
    ecet.tabs_[0].PB_GetData->click();
    QCOMPARE(ecet.routine(0), "C400");
    QCOMPARE(t.rig.dialogs().messages.size(), 1);
    QCOMPARE(t.rig.dialogs().messages[0].text,
             "Please open the appropriate transmitter control panel.");
    QCOMPARE(t.rig.dialogs().messages[0].title, "ERROR. Couldn't get device settings.");
}

void EcetTest::fetchFromTheHt537TakesItsRateAndPllWords() {
    Editor t;
    showFakePanel(t.rig.main(), true);
    ECET& ecet = t.open();
    QVERIFY(t.commands->CB_AddCmd[9]->isVisibleTo(t.commands));
    QVERIFY(!t.commands->TB_DataRate->isVisibleTo(t.commands));
    ecet.tabs_[0].PB_GetData->click();
    QCOMPARE(ecet.routine(0), "8080B0C000C200C847CA00E000D240");
}

void EcetTest::panelCheckedOnActivationFromAnotherWindowOnly() {
    Editor t;
    ECET& ecet = t.open();
    ISMmain& main = t.rig.main();
    QMdiArea* area = main.mdiArea();
    QMdiSubWindow* own = main.frameOf(&ecet);
    auto* programmer = main.form<eeprom>(QStringLiteral("eeprom"));
    main.showForm(programmer);
    area->setActiveSubWindow(main.frameOf(programmer));
    t.rig.dialogs().messages.clear();
    area->setActiveSubWindow(own);
    QCOMPARE(t.rig.messageTexts(),
             QStringList{"Please open the appropriate transmitter control panel."});
    // A message box of its own takes the activation away and hands it back: no second check.
    area->setActiveSubWindow(nullptr);
    area->setActiveSubWindow(own);
    QCOMPARE(t.rig.dialogs().messages.size(), 1);
}

void EcetTest::crystalAndCaptionFromALoadedPanelOnly() {
    Editor t;
    ISMmain& main = t.rig.main();
    FakeTxPanel* panel = showFakePanel(main);
    panel->xtal = 12000000;
    panel->setWindowTitle(QStringLiteral("HT531 panel, own caption"));
    t.open();
    Frm_CmdSequence& c = *t.commands;
    const auto rate = [&c](const QString& text) {
        c.TB_DataRate->setText(text);
        c.TB_DataRate_LostFocus();
        return c.TB_DataRateCmd->text() + u' ' + c.TB_DataRate->text();
    };
    QCOMPARE(rate(QStringLiteral("9600")), "C82A 9623");
    main.TX0on = false;
    showFakePanel(main, true);
    t.rig.dialogs().messages.clear();
    QVERIFY(!c.CheckControlWindow());
    QVERIFY(t.rig.messageTexts().last().contains("first opened control panel was HT531 panel, "
                                                 "own caption."));
    // With the panel gone, its fixed caption and the standard crystal stand in; it stays unloaded.
    main.unloadForm(QStringLiteral("MivraV2"));
    QCoreApplication::processEvents();
    QVERIFY(!c.CheckControlWindow());
    QVERIFY(t.rig.messageTexts().last().contains(
        "first opened control panel was HT531 transmitter control panel."));
    main.TX1on = false;
    QCOMPARE(rate(QStringLiteral("9600")), "C823 9579");
    QVERIFY(!main.loadedForm(QStringLiteral("MivraV2")));
}

void EcetTest::commandEditorRecommendsAndSaves() {
    Editor t;
    showFakePanel(t.rig.main());
    ECET& ecet = t.open();
    Frm_CmdSequence& c = *t.commands;
    QVERIFY(!c.CB_AddCmd[9]->isVisibleTo(&c));
    for (int n : {0, 2, 3, 4, 5, 6, 7, 9})
        QVERIFY2(c.CB_AddCmd[n]->isChecked(), qPrintable(QString::number(n)));
    QVERIFY(!c.CB_AddCmd[1]->isChecked());

    ecet.TabStrip1->setCurrentIndex(2);
    ecet.tabs_[2].PB_CmdSequence->click();
    QVERIFY(shown(t.rig.main(), &c));
    QVERIFY(c.CB_AddCmd[1]->isChecked() && !c.CB_AddCmd[0]->isChecked());
    c.CB_AddCmd[7]->setChecked(true);
    QVERIFY(waitUntil([&] { return c.Label4->isVisibleTo(&c); }, 2000));
    c.PB_Save->click();
    QVERIFY(!shown(t.rig.main(), &c));
    QVERIFY(waitUntil([&] { return !c.Label4->isVisibleTo(&c); }, 2000));
    ecet.TabStrip1->setCurrentIndex(0);
    ecet.TabStrip1->setCurrentIndex(2);
    QVERIFY(c.CB_AddCmd[1]->isChecked() && c.CB_AddCmd[7]->isChecked());
    QCOMPARE(c.GetCmdSequenceData(2, 7), 1);
    c.PB_SetDefaults->click();
    QVERIFY(!c.CB_AddCmd[7]->isChecked());
    QCOMPARE(c.GetCmdSequenceData(2, 8), 0);
}

void EcetTest::commandEditorPushButtonAndRate() {
    Editor t;
    showFakePanel(t.rig.main());
    t.open();
    Frm_CmdSequence& c = *t.commands;
    QCOMPARE(c.TB_PBCmdValue->text(), "CA00");
    c.CB_Pullup->setChecked(true);
    c.CB_ContinousExecution[1]->setChecked(true);
    c.OB_40->setChecked(true);
    c.CB_FourthButton->setChecked(true);
    QCOMPARE(c.TB_PBCmdValue->text(), "CAA5");
    QCOMPARE(Frm_CmdSequence::PBCmd2, 0xA5);
    c.TB_DataRate->setText(QStringLiteral("9600"));
    c.TB_DataRate_LostFocus();
    QCOMPARE(c.TB_DataRateCmd->text(), "C823");
    QCOMPARE(c.TB_DataRate->text(), "9579");
    c.TB_DataRate->setText(QStringLiteral("1000"));
    c.TB_DataRate_LostFocus();
    QCOMPARE(c.TB_DataRate->text(), "1347");
    // The push-button byte outlives the window.
    t.rig.main().unloadForm(QStringLiteral("ECET"));
    QCoreApplication::processEvents();
    t.open();
    QCOMPARE(t.commands->TB_PBCmdValue->text(), "CAA5");
}

void EcetTest::commandEditorWarnsWhenThePanelChanged() {
    Editor t;
    showFakePanel(t.rig.main());
    ECET& ecet = t.open();
    t.rig.main().TX0on = false;
    showFakePanel(t.rig.main(), true);
    t.rig.dialogs().messages.clear();
    ecet.setRoutine(0, "C400");
    ecet.tabs_[0].PB_GetData->click();
    QCOMPARE(ecet.routine(0), "C400");
    QCOMPARE(t.rig.dialogs().messages.size(), 1);
    QCOMPARE(t.rig.dialogs().messages[0].text,
             "Warning!\r\nData integrity can not be granted in EEPROM Content Editor Tool.\r\n"
             "The first opened control panel was HT531 transmitter control panel.\r\n\r\n"
             "Please reopen THIS control panel before generating EEPROM content or restart "
             "EEPROM Content Editor Tool.");
}

void EcetTest::insertCommandsAppendsTheOneOffSelection() {
    Editor t;
    showFakePanel(t.rig.main());
    ECET& ecet = t.open();
    ecet.setRoutine(0, "C400");
    ecet.tabs_[0].PB_InsertCommand->click();
    Frm_CmdSequence& c = *t.commands;
    QVERIFY(c.PB_Insert->isVisibleTo(&c) && !c.PB_Save->isVisibleTo(&c));
    c.CB_AddCmd[1]->setChecked(true);
    c.CB_AddCmd[6]->setChecked(true);
    c.CB_Pullup->setChecked(true);
    c.PB_Insert->click();
    QCOMPARE(ecet.routine(0), "C400A4B0CA01");
    QTest::qWait(250);
    QVERIFY(!c.Label4->isVisibleTo(&c));
}

void EcetTest::dataTransmitCommandFromTheCharacterView() {
    Editor t;
    ECET& ecet = t.open();
    ecet.setRoutine(1, QByteArray(40, '8'));
    setPayload(ecet, 1, "Hi");
    ecet.tabs_[1].PB_InsertTx->click();
    QCOMPARE(ecet.routine(1), QByteArray(40, '8') + "C6024869");
    QCOMPARE(ecet.tabs_[1].TB_Payload->toPlainText(), "Hi");
    QVERIFY(ecet.tabs_[1].OB_Ascii_View->isChecked());
    QCOMPARE(ecet.tabs_[1].Label3->text(), "Payload [ max. 104 bytes ]");
    QCOMPARE(ecet.payloadLimit(1), 104);
    setPayload(ecet, 1, QByteArray(105, 'x'));
    QCOMPARE(ecet.payload(1).size(), 2);
}

void EcetTest::dataTransmitCommandRefusals_data() {
    QTest::addColumn<QByteArray>("hexPayload");
    QTest::addColumn<QString>("error");
    QTest::newRow("odd") << QByteArray("ABC")
                         << "ERROR: Hexadecimal data must be entered in two character format. "
                            "( Power On Reset Event Control )";
    QTest::newRow("256 bytes") << QByteArray(512, 'A')
                               << "ERROR: Data Transmit Command holds at most 255 bytes. "
                                  "( Power On Reset Event Control )";
}

void EcetTest::dataTransmitCommandRefusals() {
    QFETCH(QByteArray, hexPayload);
    QFETCH(QString, error);
    Editor t;
    ECET& ecet = t.open();
    ecet.tabs_[0].OB_HexView->setChecked(true);
    setPayload(ecet, 0, hexPayload);
    ecet.tabs_[0].PB_InsertTx->click();
    QVERIFY(ecet.routine(0).isEmpty());
    QCOMPARE(t.log(), QStringList({error, "Data Transmit Command has not been added."}));
    QCOMPARE(ecet.logLines().first().colour, ECET::LogColour::Red);
}

void EcetTest::dataTransmitCommandFillsTheSlot_data() {
    QTest::addColumn<int>("routineDigits");
    QTest::addColumn<bool>("fillable");
    // The command of a one-byte payload takes 6 of the slot's 256 digits.
    QTest::newRow("room for a fill byte left") << 240 << true;
    QTest::newRow("under 5 digits left") << 246 << false;
}

void EcetTest::dataTransmitCommandFillsTheSlot() {
    QFETCH(int, routineDigits);
    QFETCH(bool, fillable);
    Editor t;
    ECET& ecet = t.open();
    ECET::EventTab& tab = ecet.tabs_[0];
    tab.OB_HexView->setChecked(true);
    ecet.setRoutine(0, QByteArray(routineDigits, '8'));
    setPayload(ecet, 0, "AB");
    tab.PB_InsertTx->click();
    QCOMPARE(ecet.routine(0), QByteArray(routineDigits, '8') + "C601AB");
    QCOMPARE(tab.Label3->text(), "Payload [ full ]");
    QCOMPARE(tab.PB_Fill->isEnabled(), fillable);
}

void EcetTest::payloadInsertsAndPatternWarning() {
    Editor t;
    ECET& ecet = t.open();
    ECET::EventTab& tab = ecet.tabs_[0];
    tab.PB_Preamble->click();
    tab.PB_Preamble->click();
    QCOMPARE(ecet.payload(0), "\xAA\xAA");
    tab.OB_HexView->setChecked(true);
    QCOMPARE(tab.TB_Payload->toPlainText(), "AAAA");
    tab.PB_SynchPattern->click();
    QCOMPARE(ecet.payload(0), "AAAA2DD4");
    QVERIFY(t.log().isEmpty());
    setPayload(ecet, 0, "55x55");
    QCOMPARE(ecet.payload(0), "5555");
    tab.PB_SynchPattern->click();
    QCOMPARE(t.log().first(), "WARNING: No preamble bytes found before synchronic pattern. "
                              "( Power On Reset Event Control )");
    tab.TB_Pattern->setText(QStringLiteral("2g"));
    QCOMPARE(tab.TB_Pattern->text(), "2");
    ecet.TB_Pattern_LostFocus(0);
    QCOMPARE(t.log().mid(2), QStringList({"ERROR: Hexadecimal data must be entered in two "
                                          "character format. ( Power On Reset Event Control )",
                                          "Please correct pattern bytes."}));
}

void EcetTest::characterViewKeepsControlCodes() {
    Editor t;
    ECET& ecet = t.open();
    ECET::EventTab& tab = ecet.tabs_[0];
    tab.OB_HexView->setChecked(true);
    setPayload(ecet, 0, "410D0A0042FF");
    tab.OB_Ascii_View->setChecked(true);
    QCOMPARE(ecet.payload(0), QByteArray("A\r\n\0B\xFF", 6));
    // Typing in the character view keeps the bytes that are shown as placeholders.
    tab.TB_Payload->moveCursor(QTextCursor::End);
    tab.TB_Payload->insertPlainText(QStringLiteral("C"));
    QCOMPARE(ecet.payload(0), QByteArray("A\r\n\0B\xFF"
                                         "C",
                                         7));
    // A character the image cannot hold is left out, and the log says so.
    tab.TB_Payload->insertPlainText(QStringLiteral("\u4E2D"));
    QCOMPARE(ecet.payload(0), QByteArray("A\r\n\0B\xFF"
                                         "C",
                                         7));
    QCOMPARE(t.log(), QStringList{"ERROR: Payload holds \"\u4E2D\" (U+4E2D) in line 2, character "
                                  "5, which the EEPROM image cannot hold (single-byte Latin-1 text "
                                  "only); it was left out. ( Power On Reset Event Control )"});
    tab.OB_HexView->setChecked(true);
    QCOMPARE(ecet.payload(0), "410D0A0042FF43");
}

void EcetTest::editPromptAndRoutineFilter() {
    Editor t;
    ECET& ecet = t.open();
    ecet.PB_GenerateRom->click();
    ecet.setRoutine(0, "8080C603414243C400");
    QPlainTextEdit* box = ecet.tabs_[0].TB_EventContent;
    t.rig.dialogs().answers = {Dialogs::Answer::No};
    QTest::keyClick(box, Qt::Key_A);
    QCOMPARE(t.rig.dialogs().messages.last().buttons, Dialogs::Buttons::YesNo);
    QVERIFY(t.rig.dialogs().messages.last().text.startsWith("Edit mode will erase"));
    QVERIFY(ecet.routineLocked(0));
    QCOMPARE(ecet.routine(0), "8080C603414243C400");
    QTest::keyClick(box, Qt::Key_A);
    QVERIFY(!ecet.routineLocked(0));
    QCOMPARE(ecet.routine(0), "8080C603414243");
    QVERIFY(ecet.content().isEmpty());
    QVERIFY(t.log().isEmpty());
    QTest::keyClicks(box, QStringLiteral("ax-c"));
    QCOMPARE(ecet.routine(0), "8080C603414243AC");
    QCOMPARE(box->toPlainText(), "8080C603414243AC");
    box->setPlainText(QString(300, u'1'));
    QCOMPARE(ecet.routine(0), "8080C603414243AC");
}

void EcetTest::fillCompletesTheFillByte() {
    Editor t;
    ECET& ecet = t.open();
    ecet.setRoutine(0, QByteArray(200, '0'));
    ecet.tabs_[0].TB_FillData->setText(QStringLiteral("x7"));
    QCOMPARE(ecet.tabs_[0].TB_FillData->text(), "7");
    ecet.tabs_[0].PB_Fill->click();
    QCOMPARE(ecet.routine(0), QByteArray(200, '0') + QByteArray(26, '0').replace("0", "07"));
    QCOMPARE(ecet.tabs_[0].TB_FillData->text(), "07");
}

void EcetTest::handOverFillsTheProgrammer() {
    Editor t;
    ECET& ecet = t.open();
    ecet.PB_Call->click();
    QVERIFY(!t.rig.main().loadedForm(QStringLiteral("eeprom")));
    ecet.PB_GenerateRom->click();
    ecet.PB_Call->click();
    auto* programmer = t.rig.main().loadedForm<eeprom>(QStringLiteral("eeprom"));
    QVERIFY(shown(t.rig.main(), programmer));
    QCOMPARE(programmer->workSheet().size(), 2716);
    QVERIFY(programmer->workSheet().startsWith("C4 00 00"));
    QCOMPARE(programmer->Label3->text(), "896 byte(s)");
    QVERIFY(programmer->Prog->isEnabled() && programmer->SaveEEFile->isEnabled());
    // With the programmer loaded, Generate refreshes its worksheet but not its size label.
    ecet.setRoutine(0, "C40011");
    ecet.PB_GenerateRom->click();
    QVERIFY(programmer->workSheet().startsWith("C4 00 11"));
    QCOMPARE(programmer->Label3->text(), "896 byte(s)");
}

void EcetTest::saveAndLoadAnImageFile() {
    Editor t;
    ECET& ecet = t.open();
    ecet.setRoutine(3, "C6024869C400");
    ecet.PB_GenerateRom->click();
    const QString path = t.rig.folder() + QStringLiteral("/image");
    t.rig.dialogs().files = {path};
    ecet.PB_Save->click();
    QFile file(path + QStringLiteral(".asc"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 2734);
    QVERIFY(bytes.startsWith("\x02 $A00000000,\r\nC4 00"));
    QVERIFY(bytes.endsWith("\r\n\r\n\x03"));
    QCOMPARE(t.rig.dialogs().fileRequests.last().title, "Save EEPROM File");
    auto* programmer = t.rig.main().loadedForm<eeprom>(QStringLiteral("eeprom"));
    QVERIFY(programmer && !shown(t.rig.main(), programmer));

    t.rig.main().unloadForm(QStringLiteral("ECET"));
    t.rig.main().unloadForm(QStringLiteral("eeprom"));
    QCoreApplication::processEvents();
    ECET& again = t.open();
    t.rig.dialogs().files = {path + QStringLiteral(".asc")};
    again.PB_Load->click();
    QCOMPARE(again.routine(3), "C6024869C400" + QByteArray(244, '0'));
    QCOMPARE(again.content().size(), 1792);
    QCOMPARE(t.rig.main().loadedForm<eeprom>(QStringLiteral("eeprom"))->Label3->text(), "896 byte");
}

void EcetTest::cancelledOrFailedLoadSplitsNothing() {
    Editor t;
    ECET& ecet = t.open();
    ecet.setRoutine(0, "C400");
    auto* programmer = t.rig.main().form<eeprom>(QStringLiteral("eeprom"));
    programmer->setWorkSheet("11 22");
    ecet.PB_Load->click(); // cancelled
    QCOMPARE(ecet.routine(0), "C400");
    const QString empty = t.rig.folder() + QStringLiteral("/empty.ASC");
    QFile(empty).open(QIODevice::WriteOnly);
    t.rig.dialogs().files = {empty};
    ecet.PB_Load->click();
    QCOMPARE(ecet.routine(0), "C400");
    QCOMPARE(programmer->workSheet(), "11 22");
    QCOMPARE(t.rig.dialogs().messages.last().text,
             "Error occured:1222,This is an empty file!\r\nPlease try again!");
    // A file far larger than any image is refused before it is read (a hole: cheap to make).
    const QString big = t.rig.folder() + QStringLiteral("/big.asc");
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x02 $A00000000,\r\n01 02") > 0);
    QVERIFY(file.resize(fileBounds::EepromImage + 1));
    file.close();
    t.rig.dialogs().files = {big};
    ecet.PB_Load->click();
    QCOMPARE(t.rig.dialogs().messages.last().text,
             "Error occured:1227,File larger than 64 KB\r\nPlease try again!");
    QCOMPARE(ecet.routine(0), "C400");
    QCOMPARE(programmer->workSheet(), "11 22");
    t.rig.dialogs().files = {t.rig.folder() + QStringLiteral("/image.txt")};
    ecet.PB_Load->click();
    QCOMPARE(t.rig.dialogs().messages.last().text, "File type not supported! Please try again!");
}

void EcetTest::notAnImageLeavesEverythingAsItWas_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("problem");
    QRandomGenerator random(17);
    QByteArray garbage(4096, '\0');
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    garbage[0] = 'x';
    QTest::newRow("garbage") << garbage << "it does not begin with STX (0x02).";
    QByteArray utf16 = "\xFF\xFE";
    QByteArray bare;
    for (const char byte : QByteArray("\x02 $A00000000,\r\n01 02\r\n\x03"))
        bare += QByteArray(1, byte) + '\0';
    QTest::newRow("UTF-16") << utf16 + bare << "it does not begin with STX (0x02).";
    QTest::newRow("UTF-16 without byte order mark")
        << bare << "line 1 holds the control character 0x00.";
}

void EcetTest::notAnImageLeavesEverythingAsItWas() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    Editor t;
    ECET& ecet = t.open();
    auto* programmer = t.rig.main().form<eeprom>(QStringLiteral("eeprom"));
    const QString good = t.rig.folder() + QStringLiteral("/good.asc");
    const QString bad = t.rig.folder() + QStringLiteral("/bad.asc");
    for (const auto& [path, bytes] :
         {std::pair(good, QByteArray("\x02 $A00000001,\r\nc4 00\r\n\x03")), std::pair(bad, file)}) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    t.rig.dialogs().files = {good};
    ecet.PB_Load->click();
    ecet.setRoutine(1, "C6024869");
    const QByteArray content = ecet.content();
    const QByteArray preamble = programmer->Filepreamble;
    const QByteArray loaded = programmer->LoadedFile;
    QCOMPARE(programmer->workSheet(), "c4 00");
    t.rig.dialogs().files = {bad};
    const qsizetype before = t.rig.messageTexts().size();
    ecet.PB_Load->click();
    QCOMPARE(t.rig.messageTexts().mid(before),
             QStringList{"Error occured:321,Not an EEPROM image file: " + problem +
                         "\r\nPlease try again!"});
    QCOMPARE(t.rig.dialogs().messages.last().title, "File open error");
    QCOMPARE(programmer->workSheet(), "c4 00");
    QCOMPARE(programmer->Filepreamble, preamble);
    QCOMPARE(programmer->LoadedFile, loaded);
    QCOMPARE(programmer->Label3->text(), "2 byte");
    QCOMPARE(programmer->Label7->text(), " good.asc");
    QCOMPARE(ecet.content(), content);
    QCOMPARE(ecet.routine(1), "C6024869");
}

void EcetTest::pn9Gesture() {
    Editor t;
    ECET& ecet = t.open();
    ecet.Frm_ECETEvents_DblClick();
    QCOMPARE(ecet.windowTitle(), "EEPROM Content Editor Tool.");
    QVERIFY(waitUntil([&] { return ecet.windowTitle() == "EEPROM Content Editor Tool"; }, 3000));
    QVERIFY(!ecet.tabs_[4].PB_PN9->isVisibleTo(&ecet));
    ecet.Frm_ECETEvents_DblClick();
    ecet.Frm_ECETEvents_DblClick();
    QCOMPARE(ecet.windowTitle(), "EEPROM Content Editor Tool");
    QVERIFY(ecet.tabs_[4].PB_PN9->isVisibleTo(ecet.tabs_[4].Frm_ECETEvents));
    ecet.tabs_[0].PB_PN9->click();
    QCOMPARE(ecet.payload(0).size(), 64);
    QCOMPARE(ecet.payload(0).left(2), "\xFF\x83");
}

void EcetTest::fetchFromTheRealHt531Panel() {
    Rig rig;
    rig.writeSettings(QStringLiteral("9"), QStringLiteral("9"));
    ISMmain& main = rig.start();
    main.MivraV2_show();
    QVERIFY(main.TX0on);
    auto* ecet = main.form<ECET>(QStringLiteral("ECET"));
    main.showForm(ecet);
    ecet->tabs_[0].PB_GetData->click();
    QCOMPARE(ecet->routine(0), "8080B0C000C200C823CA00E000");
}

void EcetTest::windowsShowWhole() {
    Editor t;
    ISMmain& main = t.rig.main();
    main.show();
    showFakePanel(main);
    ECET& ecet = t.open();
    ecet.PB_GenerateRom->click();
    // The hidden PN9 buttons revealed: they too must find room.
    ecet.Frm_ECETEvents_DblClick();
    ecet.Frm_ECETEvents_DblClick();
    for (int e = 0; e < ECET::EventCount; ++e) {
        ecet.TabStrip1->setCurrentIndex(e);
        checkReadable(&ecet, QStringLiteral("ECET-%1").arg(e));
    }
    ecet.TabStrip1->setCurrentIndex(0);
    ecet.tabs_[0].PB_InsertCommand->click();
    checkReadable(t.commands, QStringLiteral("Frm_CmdSequence-insert"));
    ecet.tabs_[0].PB_CmdSequence->click();
    t.commands->CB_AddCmd[1]->click();
    QVERIFY(waitUntil([&] { return t.commands->Label4->isVisible(); }, 2000));
    main.EEPROM_show();
    // The command editor stands right of the content editor where the workspace has room.
    const QMdiSubWindow* editorFrame = main.frameOf(&ecet);
    const QMdiSubWindow* commandFrame = main.frameOf(t.commands);
    if (editorFrame->width() + commandFrame->width() <= main.mdiArea()->viewport()->width())
        QCOMPARE(commandFrame->pos(), QPoint(editorFrame->width(), 0));
    for (const char* name : {"ECET", "Frm_CmdSequence", "eeprom"}) {
        QWidget* window = main.loadedForm(QString::fromLatin1(name));
        QVERIFY2(shown(main, window), name);
        checkReadable(window, QString::fromLatin1(name));
    }
}

void EcetTest::windowsOpenNearTheirDesignSize() {
    Editor t;
    ISMmain& main = t.rig.main();
    main.show();
    showFakePanel(main);
    ECET& ecet = t.open();
    ecet.tabs_[0].PB_CmdSequence->click();
    const QMdiSubWindow* editorFrame = main.frameOf(&ecet);
    const QMdiSubWindow* commandFrame = main.frameOf(t.commands);
    // The content editor is 9600 twips high and as wide as its seven tabs need.
    QVERIFY2(editorFrame->height() <= 1.15 * 640,
             qPrintable(QString::number(editorFrame->height())));
    QVERIFY2(editorFrame->width() - ecet.TabStrip1->width() <= 30,
             qPrintable(QString::number(editorFrame->width())));
    // The command editor: 5650 by 7000 twips.
    checkNearDesignSize(t.commands, 5650, 7000);
    // Showing the unsaved-changes note or switching modes moves nothing.
    const QPoint place = t.commands->PB_Save->pos();
    const QSize size = commandFrame->size();
    t.commands->CB_AddCmd[1]->click();
    QVERIFY(waitUntil([&] { return t.commands->Label4->isVisible(); }, 2000));
    ecet.tabs_[0].PB_InsertCommand->click();
    QCOMPARE(commandFrame->size(), size);
    QVERIFY(t.commands->PB_Insert->isVisible());
    QCOMPARE(t.commands->PB_Save->pos(), place);
}

void EcetTest::frameCaptionsStandClearOfTheTabs() {
    Editor t;
    t.rig.main().show();
    ECET& ecet = t.open();
    const int strip = ecet.TabStrip1->y() + ecet.TabStrip1->height();
    for (int e = 0; e < ECET::EventCount; ++e) {
        ecet.TabStrip1->setCurrentIndex(e);
        QCoreApplication::processEvents();
        QGroupBox* frame = ecet.tabs_[e].Frm_ECETEvents;
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        const int top = frame->mapTo(&ecet, label.topLeft()).y();
        QVERIFY2(top - strip >= 3, qPrintable(QStringLiteral("%1: caption at %2, tabs end at %3")
                                                  .arg(frame->title())
                                                  .arg(top)
                                                  .arg(strip)));
    }
}

void EcetTest::textBoxesScrollOnlyWhenTheirTextNeedsIt() {
    Editor t;
    ISMmain& main = t.rig.main();
    main.show();
    showFakePanel(main);
    ECET& ecet = t.open();
    const QList<QAbstractScrollArea*> boxes = {ecet.tabs_[0].TB_Payload, ecet.TB_EEPROMContent,
                                               ecet.TB_ErrorLog};
    // The boxes showing a vertical scroll bar, by name.
    const auto scrolling = [&] {
        QCoreApplication::processEvents();
        QStringList names;
        for (QAbstractScrollArea* box : boxes) {
            if (box->verticalScrollBar()->isVisible())
                names.append(box->objectName());
        }
        return names;
    };
    QCOMPARE(scrolling(), QStringList());
    // Text longer than a box brings its bar, so that all of it can be reached.
    setPayload(ecet, 0, QByteArray(40, 'x').append('\n').repeated(20));
    ecet.PB_GenerateRom->click();
    QCOMPARE(scrolling(), QStringList({"TB_Payload_0", "TB_EEPROMContent", "TB_ErrorLog"}));
    // Emptied again (fetching empties the image and the log), they show none.
    setPayload(ecet, 0, {});
    ecet.tabs_[0].PB_GetData->click();
    QCOMPARE(scrolling(), QStringList());
}

QTEST_MAIN(EcetTest)
#include "tst_ecet.moc"
