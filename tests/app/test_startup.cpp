#include "app/ismmain.h"
#include "common/programfolder.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace krv;
using krv::test::Rig;

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void setsTheSharedDefaults() {
        Rig rig;
        rig.writeSettings("3", "2");
        ISMmain& main = rig.start();
        QCOMPARE(main.windowTitle(), QStringLiteral("Korvanethilmorasquendaplix"));
        QCOMPARE(main.Last7OK, QStringLiteral("\n\rOK\n\r>"));
        QCOMPARE(main.Last7ERROR, QStringLiteral("RROR\n\r>"));
        QCOMPARE(main.Pref_Voltage, QStringLiteral("2.5"));
        QCOMPARE(main.Pref_DruskRevision, QStringLiteral("'F' or above"));
        QCOMPARE(main.Pref_RxLinkTimeout, 50L);
        QCOMPARE(main.TXButton->text(), QStringLiteral("HT53x"));
        QCOMPARE(main.RXButton->text(), QStringLiteral("HR65x"));
        QCOMPARE(main.TRXButton->text(), QStringLiteral("HC91x"));
        QCOMPARE(main.Commport_min, QStringLiteral("3"));
        QCOMPARE(main.Commport_max, QStringLiteral("2"));
        QVERIFY(!main.IsBijakuModeSet());
        QVERIFY(!main.mnuView->isEnabled());
        QCOMPARE(main.CB_Mode->count(), 3);
        QCOMPARE(main.CB_Mode->itemText(2), QStringLiteral("Data Mode"));
        QCOMPARE(main.CB_Mode->currentIndex(), -1);
        QVERIFY(main.Toolbar3->isHidden());
        QCOMPARE(main.CommState, 1L);
        QVERIFY(!main.ConnectButton->isEnabled());
        QVERIFY(!main.DisconnectButton->isEnabled());
    }

    void aMissingSettingsFileIsWrittenWithTheDefaults() {
        Rig rig;
        ISMmain& main = rig.start();
        QVERIFY(rig.dialogs().messages.isEmpty());
        QFile file(ProgramFolder::file("KRV.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("\"# KRV ini file version 2.2.0\"\r\n\"1\"\r\n0\r\n0\r\n\"8\"\r\n"));
        QCOMPARE(main.CommState, 1L);
    }

    void anOlderBannerKeepsTheDefaultLastPort() {
        Rig rig;
        QFile file(ProgramFolder::file("KRV.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"# KRV ini file version 2.1.0\"\r\n\"4\"\r\n0\r\n1\r\n\"6\"\r\n");
        file.close();
        ISMmain& main = rig.start();
        QCOMPARE(main.Commport_min, QStringLiteral("4"));
        QCOMPARE(main.Pref_CCautoLoad, 1L);
        QCOMPARE(main.Commport_max, QStringLiteral("8"));
    }

    void aBrokenSettingsFileIsReportedAndStartUpGoesOn() {
        Rig rig;
        QFile file(ProgramFolder::file("KRV.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"# KRV ini file version 2.2.0\"\r\n\"1\"\r\n#TRUE#\r\n");
        file.close();
        ISMmain& main = rig.start();
        QCOMPARE(rig.dialogs().messages.size(), 1);
        QCOMPARE(
            rig.dialogs().messages[0].text,
            QStringLiteral("Error occured:13,Type mismatch\r\nPlease save the workspace again!"));
        QCOMPARE(rig.dialogs().messages[0].title, QStringLiteral("File open error"));
        QCOMPARE(main.Commport_max, QStringLiteral("8"));
        QCOMPARE(main.CommState, 1L);
        QCOMPARE(main.CB_Mode->count(), 3);
    }

    void closingTheMainWindowClosesTheBoardPort() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        QPointer<LinkWindow> link = rig.main().loadedLink();
        rig.main().close();
        QVERIFY(!link || !link->MSComm2->portOpen());
        QTRY_VERIFY(!link);
    }

    // As an installation has them: the data folders stand beside a fresh program folder, where
    // the file dialogs open, and what an earlier run left in them stays.
    void theDataFoldersStandBesideTheProgramFolder() {
        QTemporaryDir dir;
        const QString kept = dir.filePath(QStringLiteral("EEPROM_Images/board.asc"));
        ProgramFolder::setPath(dir.filePath(QStringLiteral("program")));
        QVERIFY(QDir().exists(dir.filePath(QStringLiteral("program"))));
        for (const auto& [which, name] :
             {std::pair{ProgramFolder::Data::ProjectConfigurations, "Project_Configurations"},
              {ProgramFolder::Data::EepromImages, "EEPROM_Images"},
              {ProgramFolder::Data::Documentation, "Documentation"},
              {ProgramFolder::Data::Examples, "Examples"}}) {
            QCOMPARE(ProgramFolder::dataFolder(which), dir.filePath(QLatin1String(name)));
            QVERIFY2(QFileInfo(ProgramFolder::dataFolder(which)).isDir(), name);
        }
        QFile image(kept);
        QVERIFY(image.open(QIODevice::WriteOnly) && image.write("\x02image") == 6);
        image.close();
        ProgramFolder::setPath(dir.filePath(QStringLiteral("program")));
        QVERIFY(image.open(QIODevice::ReadOnly));
        QCOMPARE(image.readAll(), QByteArray("\x02image"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
