#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/powersupply.h"
#include "app/preferences.h"
#include "app/terminal.h"
#include "readable.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace krv;
using krv::test::checkReadable;

class LooksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreReadable();
    void toolWindowsAreReadable();
    void panelsAreReadable();
};

void LooksTest::windowsAreReadable() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.resize(1400, 900);
    main.show();
    checkReadable(main.loadedForm(QStringLiteral("frm_Splash")), QStringLiteral("splash"));

    main.mnutoolsTerminal->trigger();
    auto* terminal = main.loadedForm<Terminal>(QStringLiteral("Terminal"));
    checkReadable(terminal, QStringLiteral("terminal"));
    terminal->En_ScriptWindow->setChecked(true);
    checkReadable(terminal, QStringLiteral("terminal_script"));

    main.mnuFilePreferences->trigger();
    auto* preferences = main.loadedForm<Preferences>(QStringLiteral("Preferences"));
    checkReadable(preferences, QStringLiteral("preferences_communication"));
    preferences->TabStrip1->setCurrentIndex(1);
    checkReadable(preferences, QStringLiteral("preferences_startup"));

    auto* supply = main.form<frm_PowerSupply>(QStringLiteral("frm_PowerSupply"));
    main.showForm(supply);
    supply->Voltage->setText(QStringLiteral("2.50"));
    supply->PB_Voltage->click();
    supply->PB_Current->click();
    checkReadable(supply, QStringLiteral("supply"));
    // The format message starts where the box starts.
    QCOMPARE(supply->Statusline->cursorPosition(), 0);

    for (const auto& [item, form] :
         {std::pair{main.mnuHelpAbout, "frmAbout"}, std::pair{main.mnuHelpProducts, "Products"}}) {
        item->trigger();
        checkReadable(main.loadedForm(QString::fromLatin1(form)), QString::fromLatin1(form));
    }
    QWidget* help = main.form(QStringLiteral("Help_R1"));
    main.showForm(help);
    const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
    if (!out.isEmpty())
        help->grab().save(out + QStringLiteral("/Help_R1.png"));
}

void LooksTest::toolWindowsAreReadable() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.resize(1800, 1060);
    main.show();
    for (const char* name :
         {"DruskV1rflink", "DruskV1rflink_LB2", "Frm_YambleRfLinkTest", "frm_Link", "frm_Link_RX",
          "MivraV2test", "Frm_DruskTestFunctions", "Frm_YambleTestFunctions", "frm_ZiborSniffer",
          "frm_TxSearch", "SPI", "Frm_GenHeader"}) {
        QWidget* window = main.form(QString::fromLatin1(name));
        QVERIFY2(window, name);
        main.showForm(window);
        checkReadable(window, QString::fromLatin1(name));
        main.unloadForm(QString::fromLatin1(name));
    }
}

void LooksTest::panelsAreReadable() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.resize(1800, 1060);
    main.show();
    using Procedure = void (ISMmain::*)();
    const std::tuple<const char*, Procedure, Procedure> panels[] = {
        {"MivraV2", &ISMmain::MivraV2_show, &ISMmain::MivraV2_hide},
        {"PelkoV1", &ISMmain::PelkoV1_show, &ISMmain::PelkoV1_hide},
        {"HT539", &ISMmain::Harx_show, &ISMmain::Harx_hide},
        {"DruskV1", &ISMmain::DruskV1_show, &ISMmain::DruskV1_hide},
        {"Ovalt", &ISMmain::Ovalt_show, &ISMmain::Ovalt_hide},
        {"YambleV3", &ISMmain::YambleV3_show, &ISMmain::YambleV3_hide},
        {"FRM_Zenth", &ISMmain::Zenth_show, &ISMmain::Zenth_hide}};
    for (const auto& [name, show, hide] : panels) {
        (main.*show)();
        QWidget* panel = main.loadedForm(QString::fromLatin1(name));
        QVERIFY2(panel && panel->isVisible(), name);
        checkReadable(panel, QString::fromLatin1(name));
        (main.*hide)();
    }
}

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
