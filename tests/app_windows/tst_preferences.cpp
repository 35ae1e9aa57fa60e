#include "app/ismmain.h"
#include "app/preferences.h"
#include "app/updown.h"
#include "common/programfolder.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace krv;

namespace {

QByteArray settingsBytes() {
    QFile file(ProgramFolder::file(QStringLiteral("KRV.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Preferences* openPreferences(ISMmain& main) {
    main.mnuFilePreferences->trigger();
    return main.loadedForm<Preferences>(QStringLiteral("Preferences"));
}

} // namespace

class PreferencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithTheMainWindowsValues();
    void portBoxesClamp_data();
    void portBoxesClamp();
    void upArrowNeverPassesTheLastPort();
    void saveWritesTheFileAndSurvivesARestart();
    void cancelChangesNothing();
    void failedSaveKeepsTheWindowOpen();
};

void PreferencesTest::opensWithTheMainWindowsValues() {
    test::Rig rig;
    rig.writeSettings(QStringLiteral("3"), QStringLiteral("7"), 0, 1);
    Preferences* preferences = openPreferences(rig.start());
    QCOMPARE(preferences->ComNr_min->text(), QStringLiteral("3"));
    QCOMPARE(preferences->ComNr_max->text(), QStringLiteral("7"));
    QVERIFY(!preferences->LoadWS->isChecked());
    QVERIFY(preferences->CCautoLoad->isChecked());
    QCOMPARE(preferences->TabStrip1->count(), 2);
    QCOMPARE(preferences->TabStrip1->tabText(1), QStringLiteral("Startup options"));
    QVERIFY(preferences->Frame_pref_tabs[1]->isVisibleTo(preferences));
    QVERIFY(!preferences->Frame_pref_tabs[2]->isVisibleTo(preferences));
    preferences->TabStrip1->setCurrentIndex(1);
    QCOMPARE(preferences->CurrentTab, 2);
    QVERIFY(preferences->Frame_pref_tabs[2]->isVisibleTo(preferences));
    QVERIFY(!preferences->Frame_pref_tabs[1]->isVisibleTo(preferences));
}

void PreferencesTest::portBoxesClamp_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above 16") << "20"
                              << "16";
    QTest::newRow("below 0") << "-3"
                             << "0";
    QTest::newRow("no number") << "abc"
                               << "abc";
    QTest::newRow("fraction") << "2.5"
                              << "2.5";
}

void PreferencesTest::portBoxesClamp() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    test::Rig rig;
    rig.writeSettings();
    Preferences* preferences = openPreferences(rig.start());
    preferences->ComNr_max->setText(typed);
    QCOMPARE(preferences->ComNr_max->text(), shown);
}

void PreferencesTest::upArrowNeverPassesTheLastPort() {
    test::Rig rig;
    rig.writeSettings(QStringLiteral("4"), QStringLiteral("4"));
    Preferences* preferences = openPreferences(rig.start());
    preferences->UpDown1->upArrow()->click();
    QCOMPARE(preferences->ComNr_min->text(), QStringLiteral("4"));
    preferences->UpDown2->downArrow()->click();
    QCOMPARE(preferences->ComNr_max->text(), QStringLiteral("4"));
    preferences->UpDown2->upArrow()->click();
    preferences->UpDown1->upArrow()->click();
    QCOMPARE(preferences->ComNr_min->text(), QStringLiteral("5"));
}

void PreferencesTest::saveWritesTheFileAndSurvivesARestart() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    Preferences* preferences = openPreferences(main);
    preferences->ComNr_min->setText(QStringLiteral("5"));
    preferences->ComNr_max->setText(QStringLiteral("3"));
    preferences->CCautoLoad->setChecked(true);
    preferences->Save->click();
    QCOMPARE(settingsBytes(),
             QByteArray("\"# KRV ini file version 2.2.0\"\r\n\"5\"\r\n0\r\n1\r\n\"3\"\r\n"));
    QCOMPARE(main.Commport_min, QStringLiteral("5"));
    QCOMPARE(main.Commport_max, QStringLiteral("3"));
    QCOMPARE(main.Pref_CCautoLoad, 1);
    QVERIFY(!main.loadedForm(QStringLiteral("Preferences")));
    QVERIFY(rig.dialogs().messages.isEmpty());

    ISMmain& restarted = rig.start();
    QCOMPARE(restarted.Commport_min, QStringLiteral("5"));
    QCOMPARE(restarted.Commport_max, QStringLiteral("3"));
    QCOMPARE(restarted.Pref_CCautoLoad, 1);
    QCOMPARE(restarted.Pref_LoadWS, 0);
}

void PreferencesTest::cancelChangesNothing() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    const QByteArray before = settingsBytes();
    Preferences* preferences = openPreferences(main);
    preferences->ComNr_min->setText(QStringLiteral("9"));
    preferences->LoadWS->setChecked(true);
    preferences->Exit->click();
    QCOMPARE(settingsBytes(), before);
    QCOMPARE(main.Commport_min, QStringLiteral("1"));
    QCOMPARE(main.Pref_LoadWS, 0);
    QVERIFY(!main.loadedForm(QStringLiteral("Preferences")));
}

void PreferencesTest::failedSaveKeepsTheWindowOpen() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    Preferences* preferences = openPreferences(main);
    QVERIFY(QFile::remove(ProgramFolder::file(QStringLiteral("KRV.ini"))));
    QVERIFY(QDir(rig.folder()).mkdir(QStringLiteral("KRV.ini")));
    preferences->ComNr_min->setText(QStringLiteral("2"));
    preferences->Save->click();
    QCOMPARE(rig.dialogs().messages.size(), 1);
    QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("File save error"));
    QVERIFY(rig.dialogs().messages.first().text.startsWith(QStringLiteral("Error occured:")));
    QVERIFY(rig.dialogs().messages.first().text.endsWith(QStringLiteral("\r\nPlease try again")));
    QVERIFY(main.loadedForm(QStringLiteral("Preferences")));
    QCOMPARE(main.Commport_min, QStringLiteral("1"));
}

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
