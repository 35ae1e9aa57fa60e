#include "app/about.h"
#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/products.h"
#include "app/splash.h"
#include "testsupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace krv;

// Stands in for the desktop, which would otherwise open the document for real.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

class MenusTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void menuItemsOpenTheirWindows_data();
    void menuItemsOpenTheirWindows();
    void receiverLinkTestFollowsTheBoard();
    void spiToolIsCheckedOnlyWhenItOpens();
    void headerGeneratorLeavesTheSplash();
    void documentsOpenThroughTheDesktop();
    void splashIsCentredAndClosesOnClick();
    void aboutBoxIsCentredWithItsTexts();
    void productListNamesTheVersion();
    void advancedMenuGesture_data();
    void advancedMenuGesture();
};

namespace {

// A window standing for one that another part of the program provides.
class Stand : public QWidget, public KrvForm {};

ISMmain& started(test::Rig& rig) {
    rig.writeSettings();
    ISMmain& main = rig.start();
    main.show();
    return main;
}

} // namespace

void MenusTest::initTestCase() {
    for (const char* name : {"DruskV1rflink", "DruskV1rflink_LB2", "Frm_GenHeader"})
        ISMmain::registerForm(QString::fromLatin1(name), [](ISMmain&) { return new Stand; });
}

void MenusTest::menuItemsOpenTheirWindows_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("preferences") << "mnuFilePreferences"
                                 << "Preferences";
    QTest::newRow("terminal") << "mnutoolsTerminal"
                              << "Terminal";
    QTest::newRow("products") << "mnuHelpProducts"
                              << "Products";
    QTest::newRow("about") << "mnuHelpAbout"
                           << "frmAbout";
    // Windows of parts not in this build: the item stays and opens nothing.
    QTest::newRow("EEPROM programmer") << "mnutoolsEEPROM"
                                       << "";
    QTest::newRow("content editor") << "mnutoolsECET"
                                    << "";
    QTest::newRow("CW link receiver") << "mnutoolsRFSetup_RX"
                                      << "";
    QTest::newRow("firmware loader") << "mnuload"
                                     << "";
}

void MenusTest::menuItemsOpenTheirWindows() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    test::Rig rig;
    ISMmain& main = started(rig);
    QVERIFY(main.SplashOn);
    auto* action = main.findChild<QAction*>(item);
    QVERIFY(action);
    action->setEnabled(true);
    action->trigger();
    // Every window command closes the splash first.
    QVERIFY(!main.loadedForm(QStringLiteral("frm_Splash")));
    QVERIFY(!main.SplashOn);
    if (window.isEmpty())
        return;
    QWidget* opened = main.loadedForm(window);
    QVERIFY(opened);
    QVERIFY(main.frameOf(opened)->isVisible());
}

void MenusTest::receiverLinkTestFollowsTheBoard() {
    test::Rig rig;
    ISMmain& main = started(rig);
    main.mnuToolsRFlink->setEnabled(true);
    main.mnuToolsRFlink->trigger();
    QVERIFY(main.loadedForm(QStringLiteral("DruskV1rflink")));
    QVERIFY(!main.loadedForm(QStringLiteral("DruskV1rflink_LB2")));
    main.LoadBoardRev = 2;
    main.mnuToolsRFlink->trigger();
    QVERIFY(main.loadedForm(QStringLiteral("DruskV1rflink_LB2")));
}

void MenusTest::spiToolIsCheckedOnlyWhenItOpens() {
    test::Rig rig;
    ISMmain& main = started(rig);
    main.mnuSPI->trigger();
    QVERIFY(main.mnuSPI->isChecked());
    QVERIFY(main.loadedForm(QStringLiteral("SPI")));
    // Not a window command: the splash stays.
    QVERIFY(main.loadedForm(QStringLiteral("frm_Splash")));
    main.unloadForm(QStringLiteral("SPI"));
    QVERIFY(!main.mnuSPI->isChecked());
}

void MenusTest::headerGeneratorLeavesTheSplash() {
    test::Rig rig;
    ISMmain& main = started(rig);
    main.mnuGenCHeader->trigger();
    QWidget* generator = main.loadedForm(QStringLiteral("Frm_GenHeader"));
    QVERIFY(generator);
    QVERIFY(main.frameOf(generator)->isVisible());
    QVERIFY(main.loadedForm(QStringLiteral("frm_Splash")));
}

void MenusTest::documentsOpenThroughTheDesktop() {
    test::Rig rig;
    ISMmain& main = started(rig);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    main.mnuHelpBrowseDoc->setEnabled(true);
    main.mnuHelpBrowseDoc->trigger();
    QCOMPARE(rig.dialogs().fileRequests.last().title, QStringLiteral("Browse documentation "));
    QVERIFY(catcher.opened.isEmpty());
    const QString document = rig.folder() + QStringLiteral("/guide with blanks & \"quotes\".pdf");
    rig.dialogs().files = {document};
    main.mnuHelpBrowseEx->setEnabled(true);
    main.mnuHelpBrowseEx->trigger();
    QCOMPARE(rig.dialogs().fileRequests.last().title, QStringLiteral("Browse examples"));
    QVERIFY(rig.dialogs().fileRequests.last().directory.endsWith(QStringLiteral("/Examples")));
    QCOMPARE(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(document)});
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void MenusTest::splashIsCentredAndClosesOnClick() {
    test::Rig rig;
    ISMmain& main = started(rig);
    auto* splash = main.loadedForm<frm_Splash>(QStringLiteral("frm_Splash"));
    QVERIFY(splash);
    QCOMPARE(splash->Label1->text(), QStringLiteral("GUI Version 2.2.2 Build 20/04/2007"));
    QMdiSubWindow* frame = main.frameOf(splash);
    const int top = twipsToPixels((pixelsToTwips(main.height()) - 2000) / 2.0 -
                                  pixelsToTwips(splash->height()) / 2.0);
    QCOMPARE(frame->y(), top);
    QCOMPARE(frame->x(), twipsToPixels(pixelsToTwips(main.width()) / 2.0 -
                                       pixelsToTwips(splash->width()) / 2.0));
    QTest::mouseClick(splash->Label1, Qt::LeftButton);
    QVERIFY(!main.SplashOn);
    QVERIFY(!main.loadedForm(QStringLiteral("frm_Splash")));
}

void MenusTest::aboutBoxIsCentredWithItsTexts() {
    test::Rig rig;
    ISMmain& main = started(rig);
    main.mnuHelpAbout->trigger();
    auto* about = main.loadedForm<frmAbout>(QStringLiteral("frmAbout"));
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About KRV"));
    QCOMPARE(about->lblVersion->text(), QStringLiteral("GUI Version 2.2.2"));
    QCOMPARE(about->Label1->text(), QStringLiteral("Korvanethilmorasquendaplix"));
    QMdiSubWindow* frame = main.frameOf(about);
    QCOMPARE(frame->y(), twipsToPixels((pixelsToTwips(main.height()) - 2000) / 2.0 -
                                       pixelsToTwips(frame->height()) / 2.0));
    QCOMPARE(frame->x(), twipsToPixels(pixelsToTwips(main.width()) / 2.0 -
                                       pixelsToTwips(frame->width()) / 2.0));
    about->cmdSysInfo->click();
    QCOMPARE(rig.dialogs().messages.size(), 1);
    QCOMPARE(rig.dialogs().messages.first().text, frmAbout::systemInformation());
    QVERIFY(main.loadedForm(QStringLiteral("frmAbout")));
    about->cmdOK->click();
    QVERIFY(!main.loadedForm(QStringLiteral("frmAbout")));
}

void MenusTest::productListNamesTheVersion() {
    test::Rig rig;
    ISMmain& main = started(rig);
    main.mnuHelpProducts->trigger();
    auto* products = main.loadedForm<Products>(QStringLiteral("Products"));
    QCOMPARE(products->Label1->text(),
             QStringLiteral("KRV 2.2.2 supports the following products:"));
    QCOMPARE(products->windowTitle(), QStringLiteral("Supported Products "));
}

void MenusTest::advancedMenuGesture_data() {
    QTest::addColumn<int>("doubleClicks");
    QTest::addColumn<bool>("advancedShown");
    QTest::newRow("one double click hides it") << 1 << false;
    QTest::newRow("two double clicks show it") << 2 << true;
}

void MenusTest::advancedMenuGesture() {
    QFETCH(int, doubleClicks);
    QFETCH(bool, advancedShown);
    test::Rig rig;
    ISMmain& main = started(rig);
    const QString caption = main.windowTitle();
    QVERIFY(!main.mnuAdv->menuAction()->isVisible());
    QCOMPARE(main.FactoryModeTimer->interval(), 1000);
    // The period itself is not what is tested here.
    main.FactoryModeTimer->setInterval(50);
    QWidget* clientArea = main.mdiArea()->viewport();
    for (int i = 0; i < doubleClicks; ++i)
        QTest::mouseDClick(clientArea, Qt::LeftButton, {}, QPoint(5, clientArea->height() - 5));
    QCOMPARE(main.windowTitle(), caption + u'.');
    QVERIFY(main.FactoryModeTimer->isActive());
    QVERIFY(test::waitUntil([&] { return !main.FactoryModeTimer->isActive(); }));
    QCOMPARE(main.windowTitle(), caption);
    QCOMPARE(main.mnuAdv->menuAction()->isVisible(), advancedShown);
    const QList<QAction*> items = main.mnuAdv->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->text(), QStringLiteral("Factory Test Modes"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("SPI Tool"));
    QVERIFY(items.at(1)->isEnabled());
}

QTEST_MAIN(MenusTest)
#include "tst_menus.moc"
