#include "app/ismmain.h"
#include "app/powersupply.h"
#include "app/preferences.h"
#include "app/terminal.h"
#include "console/spi.h"
#include "forms.h"
#include "readable.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>

using namespace krv;
using krv::test::checkInWorkspace;
using krv::test::checkPanelSize;
using krv::test::checkReadable;

namespace {

// Run by CTest on a 1920x1080 and on a 1366x768 screen.
bool largeScreen() {
    return QGuiApplication::primaryScreen()->size().width() >= 1920;
}

// The View menu item that opens a chip panel layout.
QAction* viewItem(ISMmain& main, const QString& layout) {
    const QHash<QString, QAction*> items{{QStringLiteral("MivraV2"), main.mnuViewTx0},
                                         {QStringLiteral("HT531B"), main.mnuViewTx0Bijaku},
                                         {QStringLiteral("PelkoV1"), main.mnuViewTx1},
                                         {QStringLiteral("HT539"), main.mnuViewTx2},
                                         {QStringLiteral("DruskV1"), main.mnuViewRx},
                                         {QStringLiteral("Ovalt"), main.mnuViewOvaltRx},
                                         {QStringLiteral("YambleV3"), main.mnuViewTRx},
                                         {QStringLiteral("HC913B"), main.mnuViewTRxBijaku},
                                         {QStringLiteral("FRM_Zenth"), main.mnuViewZenthTRx}};
    return items.value(layout);
}

// The chip panel a tool window is opened beside, as the menus allow it.
QString panelFor(const QString& form) {
    const QHash<QString, QString> panels{
        {QStringLiteral("Frm_YambleRfLinkTest"), QStringLiteral("YambleV3")},
        {QStringLiteral("frm_Link"), QStringLiteral("YambleV3")},
        {QStringLiteral("frm_Link_RX"), QStringLiteral("YambleV3")},
        {QStringLiteral("Frm_YambleTestFunctions"), QStringLiteral("YambleV3")},
        {QStringLiteral("frm_PowerSupply"), QStringLiteral("YambleV3")},
        {QStringLiteral("Help_R1"), QStringLiteral("YambleV3")},
        {QStringLiteral("Frm_GenHeader"), QStringLiteral("YambleV3")},
        {QStringLiteral("Frm_DruskTestFunctions"), QStringLiteral("DruskV1")},
        {QStringLiteral("DruskV1rflink"), QStringLiteral("DruskV1")},
        {QStringLiteral("DruskV1rflink_LB2"), QStringLiteral("DruskV1")},
        {QStringLiteral("MivraV2test"), QStringLiteral("MivraV2")},
        {QStringLiteral("ECET"), QStringLiteral("MivraV2")},
        {QStringLiteral("Frm_CmdSequence"), QStringLiteral("MivraV2")}};
    return panels.value(form);
}

// Opens the window as the user would reach it; the window, or nullptr.
QWidget* open(ISMmain& main, const QString& form) {
    if (QAction* item = viewItem(main, form)) {
        item->trigger();
        return main.mdiArea()->activeSubWindow()->widget();
    }
    if (QAction* panel = viewItem(main, panelFor(form)))
        panel->trigger();
    const QHash<QString, QAction*> items{{QStringLiteral("Terminal"), main.mnutoolsTerminal},
                                         {QStringLiteral("Preferences"), main.mnuFilePreferences},
                                         {QStringLiteral("frmAbout"), main.mnuHelpAbout},
                                         {QStringLiteral("Products"), main.mnuHelpProducts}};
    if (QAction* item = items.value(form)) {
        item->trigger();
        return main.loadedForm(form);
    }
    if (form == QStringLiteral("Frm_CmdSequence"))
        main.showForm(main.form(QStringLiteral("ECET")));
    if (form == QStringLiteral("SPIsub2"))
        main.showForm(main.form(QStringLiteral("SPI")));
    QWidget* window = main.form(form);
    main.showForm(window);
    return window;
}

QMdiSubWindow* frameOf(ISMmain& main, const QString& form) {
    return main.frameOf(main.loadedForm(form));
}

// Whether a text box shows its whole text, without scrolling it.
bool showsWhole(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box) -
                           box->textMargins();
    // The box's own margin of 2 on each side, and a pixel for the cursor.
    return box->fontMetrics().horizontalAdvance(box->text()) + 1 <= contents.width() - 4;
}

// What of the connection toolbar lies behind its overflow button or beyond the window's edge.
QStringList hiddenConnectionControls(ISMmain& main) {
    QStringList hidden;
    for (const QToolButton* extension : main.Toolbar2->findChildren<QToolButton*>(
             QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly)) {
        if (extension->isVisible())
            hidden.append(QStringLiteral("the overflow button"));
    }
    for (QAction* action : main.Toolbar2->actions()) {
        QWidget* control = main.Toolbar2->widgetForAction(action);
        // The board box's caption is given up on purpose where the row is short of room.
        if (!action->isVisible() && control->objectName() == QStringLiteral("LoadBoardLabel"))
            continue;
        const QRect place(control->mapTo(&main, QPoint(0, 0)), control->size());
        if (!control->isVisible() || place.right() >= main.width())
            hidden.append(control->objectName());
    }
    return hidden;
}

// A window's frame as a failure message shows it: "x,y wxh".
QString frameText(const QRect& frame) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height());
}

// What of a compact panel the user cannot see without scrolling: its frame, its status row or
// its Update button beyond the workspace's visible area, or a scroll bar to reach them. Empty when
// the panel stands whole.
QStringList compactPanelFaults(ISMmain& main, QWidget* panel, const QString& name) {
    QStringList faults;
    QWidget* workspace = main.mdiArea()->viewport();
    const QRect area = workspace->rect();
    const QRect frame = main.frameOf(panel)->geometry();
    if (!area.contains(frame))
        faults.append(QStringLiteral("%1 at %2 is not whole in a %3x%4 workspace")
                          .arg(name, frameText(frame))
                          .arg(area.width())
                          .arg(area.height()));
    for (const char* control : {"Statusline", "ReadStatus", "ShowStatus", "IRQpoll", "Update"}) {
        auto* widget = panel->findChild<QWidget*>(QString::fromLatin1(control));
        if (!widget || !widget->isVisible() ||
            !area.contains(QRect(widget->mapTo(workspace, QPoint(0, 0)), widget->size())))
            faults.append(name + u'.' + QString::fromLatin1(control) +
                          QStringLiteral(" is out of view"));
    }
    for (const QScrollBar* bar :
         {main.mdiArea()->verticalScrollBar(), main.mdiArea()->horizontalScrollBar()}) {
        if (bar->isVisible())
            faults.append(name + QStringLiteral(" needs a workspace scroll bar"));
    }
    return faults;
}

// Runs menu items of the main window or buttons of the panel, in that order.
void runSteps(ISMmain& main, QWidget* panel, const QStringList& steps) {
    for (const QString& step : steps) {
        if (auto* item = main.findChild<QAction*>(step))
            item->trigger();
        else
            panel->findChild<QPushButton*>(step)->click();
    }
}

// Where a control stands in the workspace.
QRect placeInWorkspace(ISMmain& main, const QWidget* control) {
    return {control->mapTo(main.mdiArea()->viewport(), QPoint(0, 0)), control->size()};
}

// How much of `other` the window covers, in percent.
int coveredPercent(const QRect& window, const QRect& other) {
    const QRect shared = window.intersected(other);
    return shared.isEmpty() ? 0
                            : int(100 * qint64(shared.width()) * shared.height() /
                                  (qint64(other.width()) * other.height()));
}

// Whether the window grew over the place where it stood, rather than moving away from it.
bool grewInPlace(const QRect& before, const QRect& after) {
    return after.contains(before);
}

// A transceiver panel with its RF link test and then its supply window, as a user opens them.
struct PanelWithTools {
    QWidget* panel;
    QMdiSubWindow* link;
    QMdiSubWindow* supply;
};

PanelWithTools openLinkThenSupply(ISMmain& main, const QString& layout) {
    viewItem(main, layout)->trigger();
    QWidget* panel = main.loadedForm(layout);
    main.mnuToolsYambleRFlink->trigger();
    panel->findChild<QPushButton*>(QStringLiteral("PB_PowerSupply"))->click();
    return {panel, frameOf(main, QStringLiteral("Frm_YambleRfLinkTest")),
            frameOf(main, QStringLiteral("frm_PowerSupply"))};
}

} // namespace

class LooksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mainWindowOpensMaximised();
    void everyWindowIsReadable_data();
    void everyWindowIsReadable();
    void panelsStayNearTheirDesignSize_data();
    void panelsStayNearTheirDesignSize();
    void compactPanelsStandWhole_data();
    void compactPanelsStandWhole();
    void toolWindowsStandBesideThePanel_data();
    void toolWindowsStandBesideThePanel();
    void supplyWindowStandsAtThePanelsEdge();
    void connectionToolbarStaysWhole();
    void boardBoxShowsItsWholeText_data();
    void boardBoxShowsItsWholeText();
    void commandEditorStandsRightOfTheContentEditor();
    void terminalStandsAtTheRightEdge();
    void tabSwitchGrowsTheWindowInPlace();
    void grownWindowKeepsOffTheWindowBesideIt();
    void cwLinkPairStandsTogether_data();
    void cwLinkPairStandsTogether();
    void toolCoversAsLittleAsItCanOfAnother();
    void commandPaletteKeepsTheFifoBlockInSight();
    void testModeWindowsAreCompact_data();
    void testModeWindowsAreCompact();
    void splashStandsCentred();
};

void LooksTest::initTestCase() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    // 1280x720 is the smallest: a 1920x1080 screen at a display scale of 1.5.
    QVERIFY2(screen.width() >= 1280 && screen.height() >= 720,
             "a desktop-sized screen: the test support gives one unless the platform is set "
             "otherwise");
}

void LooksTest::mainWindowOpensMaximised() {
    test::Rig rig;
    ISMmain& main = rig.start();
    main.show();
    QVERIFY(main.isMaximized());
    // The platform keeps the window's frame inside the screen's available area; at a fractional
    // display scale the device pixels round to one logical pixel more.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QTRY_VERIFY(main.frameGeometry().topLeft() == available.topLeft() &&
                std::abs(main.frameGeometry().width() - available.width()) <= 1 &&
                std::abs(main.frameGeometry().height() - available.height()) <= 1);
}

void LooksTest::everyWindowIsReadable_data() {
    QTest::addColumn<QString>("form");
    registerAllForms();
    for (const QString& form : ISMmain::formNames())
        QTest::newRow(qPrintable(form)) << form;
    for (const char* layout : {"HT531B", "HC913B"})
        QTest::newRow(layout) << QString::fromLatin1(layout);
}

// Every window the program has, opened as the user opens it, in each state that changes its
// layout: nothing cut, covered or out of view.
void LooksTest::everyWindowIsReadable() {
    QFETCH(QString, form);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    QWidget* window = form == QStringLiteral("frm_Splash") ? main.form(form) : open(main, form);
    QVERIFY(window);
    main.showForm(window);
    checkReadable(window, form);
    if (QTest::currentTestFailed())
        return;
    if (auto* terminal = qobject_cast<Terminal*>(window)) {
        terminal->En_ScriptWindow->setChecked(true);
        checkReadable(terminal, form + QStringLiteral("_script"));
    }
    if (auto* supply = qobject_cast<frm_PowerSupply*>(window)) {
        supply->Voltage->setText(QStringLiteral("2.50"));
        supply->PB_Voltage->click();
        supply->PB_Current->click();
        checkReadable(supply, form + QStringLiteral("_read"));
        // The format message starts where the box starts.
        QCOMPARE(supply->Statusline->cursorPosition(), 0);
    }
    if (auto* status = window->findChild<QPushButton*>(QStringLiteral("ShowStatus"))) {
        status->click();
        checkReadable(window, form + QStringLiteral("_status"));
    }
    // Every page of a window with tabs.
    if (auto* tabs = window->findChild<QTabBar*>(QStringLiteral("TabStrip1"))) {
        for (int i = 1; i < tabs->count() && !QTest::currentTestFailed(); ++i) {
            tabs->setCurrentIndex(i);
            checkReadable(window, form + QStringLiteral("_tab%1").arg(i + 1));
        }
    }
}

void LooksTest::panelsStayNearTheirDesignSize_data() {
    QTest::addColumn<QString>("layout");
    for (const char* layout : {"MivraV2", "HT531B", "PelkoV1", "HT539", "DruskV1", "Ovalt",
                               "YambleV3", "HC913B", "FRM_Zenth"})
        QTest::newRow(layout) << QString::fromLatin1(layout);
}

// A panel opens near its design size, grows to its tall height with the status area shown and
// comes back to its opening height when it is hidden again.
void LooksTest::panelsStayNearTheirDesignSize() {
    QFETCH(QString, layout);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    viewItem(main, layout)->trigger();
    QWidget* panel = main.mdiArea()->activeSubWindow()->widget();
    QVERIFY(viewItem(main, layout)->isChecked());
    checkPanelSize(panel, layout);
    QCOMPARE(main.frameOf(panel)->pos(), QPoint(0, 0));
    const int height = main.frameOf(panel)->height();
    auto* status = panel->findChild<QPushButton*>(QStringLiteral("ShowStatus"));
    QVERIFY(status);
    status->click();
    checkPanelSize(panel, layout, true);
    // Where the workspace is lower than the design, the compact panel already takes its height.
    QVERIFY(main.frameOf(panel)->height() > height ||
            height >= main.mdiArea()->viewport()->height());
    status->click();
    QCOMPARE(main.frameOf(panel)->height(), height);
}

void LooksTest::compactPanelsStandWhole_data() {
    panelsStayNearTheirDesignSize_data();
}

// Whatever the desktop's font, its size and the display scale, a compact panel stands whole in
// the workspace of a 1366x768 desktop or a larger one, its status row and Update included; Show
// Status then Hide Status gives it back the size it opened at, so that it does not slide under
// the window beside it.
void LooksTest::compactPanelsStandWhole() {
    QFETCH(QString, layout);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    viewItem(main, layout)->trigger();
    QWidget* panel = main.mdiArea()->activeSubWindow()->widget();
    QCoreApplication::processEvents();
    QStringList faults = compactPanelFaults(main, panel, layout);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
    const QSize opened = main.frameOf(panel)->size();
    auto* status = panel->findChild<QPushButton*>(QStringLiteral("ShowStatus"));
    status->click();
    status->click();
    QCoreApplication::processEvents();
    QCOMPARE(main.frameOf(panel)->size(), opened);
    faults = compactPanelFaults(main, panel, layout + QStringLiteral(" after Show/Hide Status"));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
}

void LooksTest::toolWindowsStandBesideThePanel_data() {
    QTest::addColumn<QString>("panel");
    // Menu items of the main window or buttons of the panel, in the order they are used.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("windows");
    QTest::newRow("HC913, RF link test")
        << QStringLiteral("YambleV3") << QStringList{QStringLiteral("mnuToolsYambleRFlink")}
        << QStringList{QStringLiteral("Frm_YambleRfLinkTest")};
    QTest::newRow("HC913, both CW link windows")
        << QStringLiteral("YambleV3")
        << QStringList{QStringLiteral("mnutoolsRFSetup_TX"), QStringLiteral("mnutoolsRFSetup_RX")}
        << QStringList{QStringLiteral("frm_Link"), QStringLiteral("frm_Link_RX")};
    QTest::newRow("HC916, RF link test")
        << QStringLiteral("FRM_Zenth") << QStringList{QStringLiteral("mnuToolsYambleRFlink")}
        << QStringList{QStringLiteral("Frm_YambleRfLinkTest")};
    QTest::newRow("HC916, CW link receiver, then transmitter")
        << QStringLiteral("FRM_Zenth")
        << QStringList{QStringLiteral("mnutoolsRFSetup_RX"), QStringLiteral("mnutoolsRFSetup_TX")}
        << QStringList{QStringLiteral("frm_Link_RX"), QStringLiteral("frm_Link")};
    QTest::newRow("HT531, CW link transmitter and the test mode")
        << QStringLiteral("MivraV2")
        << QStringList{QStringLiteral("mnutoolsRFSetup_TX"),
                       QStringLiteral("mnuToolsMivraTestmode")}
        << QStringList{QStringLiteral("frm_Link"), QStringLiteral("MivraV2test")};
    QTest::newRow("HT537, CW link transmitter, then the supply window")
        << QStringLiteral("PelkoV1")
        << QStringList{QStringLiteral("mnutoolsRFSetup_TX"), QStringLiteral("PB_PowerSupply")}
        << QStringList{QStringLiteral("frm_Link"), QStringLiteral("frm_PowerSupply")};
    QTest::newRow("HR658, CW link receiver, then the supply window")
        << QStringLiteral("Ovalt")
        << QStringList{QStringLiteral("mnutoolsRFSetup_RX"), QStringLiteral("PB_PowerSupply")}
        << QStringList{QStringLiteral("frm_Link_RX"), QStringLiteral("frm_PowerSupply")};
    QTest::newRow("HR651, RF link test and data filter help")
        << QStringLiteral("DruskV1")
        << QStringList{QStringLiteral("mnuToolsRFlink"), QStringLiteral("H_R1")}
        << QStringList{QStringLiteral("DruskV1rflink_LB2"), QStringLiteral("Help_R1")};
    QTest::newRow("HR658, data filter help")
        << QStringLiteral("Ovalt") << QStringList{QStringLiteral("H_R1")}
        << QStringList{QStringLiteral("Help_R1")};
    QTest::newRow("HC913, header generator")
        << QStringLiteral("YambleV3") << QStringList{QStringLiteral("mnuGenCHeader")}
        << QStringList{QStringLiteral("Frm_GenHeader")};
}

// Each tool window opens at the top right of the panel and of the windows opened before it
// wherever it fits there. Elsewhere it keeps clear of the panel's kept parts (its Update button),
// of the panel itself wherever the two fit side by side, and of most of every window opened
// before it.
void LooksTest::toolWindowsStandBesideThePanel() {
    QFETCH(QString, panel);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, windows);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    viewItem(main, panel)->trigger();
    QWidget* panelWindow = main.mdiArea()->activeSubWindow()->widget();
    runSteps(main, panelWindow, steps);
    QWidget* workspace = main.mdiArea()->viewport();
    const int room = workspace->width();
    const QRect panelPlace = main.frameOf(panelWindow)->geometry();
    auto* update = panelWindow->findChild<QPushButton*>(QStringLiteral("Update"));
    QVERIFY(update && update->isVisible());
    const QRect updatePlace(update->mapTo(workspace, QPoint(0, 0)), update->size());
    QList<QRect> earlier;
    int beside = panelPlace.right() + 1;
    for (const QString& name : std::as_const(windows)) {
        QMdiSubWindow* frame = frameOf(main, name);
        QVERIFY2(frame && frame->isVisible(), qPrintable(name));
        checkInWorkspace(frame->widget(), name);
        const QRect place = frame->geometry();
        QVERIFY2(!place.intersects(updatePlace), qPrintable(name + " covers Update"));
        if (panelPlace.width() + place.width() <= room)
            QVERIFY2(!place.intersects(panelPlace), qPrintable(name + " covers the panel"));
        for (const QRect& other : std::as_const(earlier)) {
            const QRect shared = other.intersected(place);
            QVERIFY2(2 * shared.width() * shared.height() <= other.width() * other.height(),
                     qPrintable(name + " hides a window opened before it"));
        }
        if (beside >= 0 && beside + place.width() <= room) {
            QCOMPARE(place.topLeft(), QPoint(beside, 0));
            beside = place.right() + 1;
        } else {
            beside = -1;
        }
        earlier.append(place);
    }
}

// On a desktop 1366 px wide or wider the connection toolbar stays whole, with its board list,
// whichever chip is chosen (each renames its family's button) and whatever is open.
void LooksTest::connectionToolbarStaysWhole() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    QTRY_VERIFY(main.Toolbar3->isVisible());
    if (main.width() < 1366)
        QSKIP("a desktop narrower than 1366 px");
    QTRY_COMPARE(hiddenConnectionControls(main), QStringList());
    for (QToolButton* family : {main.TXButton, main.RXButton, main.TRXButton}) {
        for (QAction* chip : family->menu()->actions()) {
            chip->trigger();
            // The toolbars settle within a few passes of the event loop.
            QTRY_VERIFY2(hiddenConnectionControls(main).isEmpty(),
                         qPrintable(chip->text() + QStringLiteral(" hides ") +
                                    hiddenConnectionControls(main).join(u',')));
        }
    }
    main.mnutoolsTerminal->trigger();
    main.mnutoolsRFSetup_TX->trigger();
    QTRY_COMPARE(hiddenConnectionControls(main), QStringList());
}

void LooksTest::boardBoxShowsItsWholeText_data() {
    QTest::addColumn<sim::Personality>("personality");
    QTest::addColumn<QString>("text");
    QTest::newRow("board 1.x") << sim::Personality::Board1 << QStringLiteral("1.x on Com1");
    QTest::newRow("board 2.x") << sim::Personality::Board2 << QStringLiteral("2.x on Com1");
    QTest::newRow("firmware loader")
        << sim::Personality::Loader << QStringLiteral("LoadB. Loader: Com1");
    QTest::newRow("packet monitor")
        << sim::Personality::Monitor << QStringLiteral("Zibor Monitor: Com1");
}

// The connected board's box shows the board whole, the loader's and monitor's long names too.
void LooksTest::boardBoxShowsItsWholeText() {
    QFETCH(sim::Personality, personality);
    test::Rig rig(personality);
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    QTEST(main.LoadBoard->text(), "text");
    QVERIFY2(showsWhole(main.LoadBoard), qPrintable(main.LoadBoard->text()));
    QVERIFY2(showsWhole(main.CommStatus), qPrintable(main.CommStatus->text()));
}

void LooksTest::supplyWindowStandsAtThePanelsEdge() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.mnuViewTRx->trigger();
    main.loadedForm(QStringLiteral("YambleV3"))
        ->findChild<QPushButton*>(QStringLiteral("PB_PowerSupply"))
        ->click();
    QMdiSubWindow* supply = frameOf(main, QStringLiteral("frm_PowerSupply"));
    QVERIFY(supply && supply->isVisible());
    checkInWorkspace(supply->widget(), QStringLiteral("frm_PowerSupply"));
    if (largeScreen())
        QCOMPARE(supply->pos(),
                 QPoint(frameOf(main, QStringLiteral("YambleV3"))->geometry().right() + 1, 0));
}

void LooksTest::commandEditorStandsRightOfTheContentEditor() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.mnuViewTx0->trigger();
    main.mnutoolsECET->trigger();
    QMdiSubWindow* editor = frameOf(main, QStringLiteral("ECET"));
    QWidget* commands = main.loadedForm(QStringLiteral("Frm_CmdSequence"));
    QVERIFY(editor && commands);
    main.showForm(commands);
    checkInWorkspace(commands, QStringLiteral("Frm_CmdSequence"));
    // Right of the content editor where the workspace has room for both; with a font that
    // widens the panel past the editor, beside the panel, so that neither is covered more.
    const QRect frame = main.frameOf(commands)->geometry();
    const int room = main.mdiArea()->viewport()->width() - frame.width();
    QCOMPARE(frame.y(), 0);
    if (room >= editor->width())
        QVERIFY2(!frame.intersects(editor->geometry()),
                 qPrintable(QStringLiteral("at x %1 over the editor's %2 px")
                                .arg(frame.x())
                                .arg(editor->width())));
    else
        QCOMPARE(frame.x(), room);
}

void LooksTest::terminalStandsAtTheRightEdge() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.mnutoolsTerminal->trigger();
    QMdiSubWindow* terminal = frameOf(main, QStringLiteral("Terminal"));
    QVERIFY(terminal);
    checkInWorkspace(terminal->widget(), QStringLiteral("Terminal"));
    QVERIFY(std::abs(terminal->geometry().right() + 1 - main.mdiArea()->viewport()->width()) <= 1);
    QCOMPARE(terminal->y(), 0);
}

// A tab switch never moves the window: it grows from a corner where it stands, upwards where
// the workspace ends below it, and comes back to its place on the first tab.
void LooksTest::tabSwitchGrowsTheWindowInPlace() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.mnuViewTRx->trigger();
    main.mnuToolsYambleRFlink->trigger();
    QMdiSubWindow* link = frameOf(main, QStringLiteral("Frm_YambleRfLinkTest"));
    QVERIFY(link);
    auto* tabs = link->widget()->findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    QVERIFY(tabs);
    const QRect transmit = link->geometry();
    tabs->setCurrentIndex(1);
    const QRect receive = link->geometry();
    QVERIFY(receive.height() > transmit.height());
    QVERIFY2(
        grewInPlace(transmit, receive),
        qPrintable(
            QStringLiteral("moved from %1 to %2").arg(frameText(transmit), frameText(receive))));
    checkInWorkspace(link->widget(), QStringLiteral("Frm_YambleRfLinkTest"));
    tabs->setCurrentIndex(0);
    QCOMPARE(link->geometry(), transmit);
}

// A window that grows keeps off the window opened after it beside it: it grows upwards, or the
// later window makes room for it.
void LooksTest::grownWindowKeepsOffTheWindowBesideIt() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    const auto [panel, link, supply] = openLinkThenSupply(main, QStringLiteral("FRM_Zenth"));
    QVERIFY(link && supply && supply->isVisible());
    const QRect transmit = link->geometry();
    link->widget()->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    QVERIFY(grewInPlace(transmit, link->geometry()));
    QCOMPARE(coveredPercent(link->geometry(), supply->geometry()), 0);
    checkInWorkspace(supply->widget(), QStringLiteral("frm_PowerSupply"));
    const QRect update =
        placeInWorkspace(main, panel->findChild<QPushButton*>(QStringLiteral("Update")));
    QVERIFY(!supply->geometry().intersects(update));
}

void LooksTest::cwLinkPairStandsTogether_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("HC913, supply, transmitter, receiver")
        << QStringLiteral("YambleV3")
        << QStringList{QStringLiteral("PB_PowerSupply"), QStringLiteral("mnutoolsRFSetup_TX"),
                       QStringLiteral("mnutoolsRFSetup_RX")};
    QTest::newRow("HC913, RF link test, receiver, transmitter")
        << QStringLiteral("YambleV3")
        << QStringList{QStringLiteral("mnuToolsYambleRFlink"), QStringLiteral("mnutoolsRFSetup_RX"),
                       QStringLiteral("mnutoolsRFSetup_TX")};
    QTest::newRow("HC916, supply, RF link test, transmitter, receiver")
        << QStringLiteral("FRM_Zenth")
        << QStringList{QStringLiteral("PB_PowerSupply"), QStringLiteral("mnuToolsYambleRFlink"),
                       QStringLiteral("mnutoolsRFSetup_TX"), QStringLiteral("mnutoolsRFSetup_RX")};
}

// The CW link transmitter and receiver always stand side by side or one above the other,
// touching, whatever was open before them.
void LooksTest::cwLinkPairStandsTogether() {
    QFETCH(QString, panel);
    QFETCH(QStringList, steps);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    viewItem(main, panel)->trigger();
    runSteps(main, main.loadedForm(panel), steps);
    QMdiSubWindow* transmitter = frameOf(main, QStringLiteral("frm_Link"));
    QMdiSubWindow* receiver = frameOf(main, QStringLiteral("frm_Link_RX"));
    QVERIFY(transmitter && receiver);
    const QRect tx = transmitter->geometry();
    const QRect rx = receiver->geometry();
    const QString places = QStringLiteral("TX at %1, RX at %2").arg(frameText(tx), frameText(rx));
    QVERIFY2(!tx.intersects(rx), qPrintable(places));
    const bool sideBySide = (tx.right() + 1 == rx.left() || rx.right() + 1 == tx.left()) &&
                            tx.top() <= rx.bottom() && rx.top() <= tx.bottom();
    const bool stacked = (tx.bottom() + 1 == rx.top() || rx.bottom() + 1 == tx.top()) &&
                         tx.left() <= rx.right() && rx.left() <= tx.right();
    QVERIFY2(sideBySide || stacked, qPrintable(places));
}

// The supply window opened after the RF link test covers as little of it as any place would
// that keeps clear of the panel's Update button: none of its tab bar.
void LooksTest::toolCoversAsLittleAsItCanOfAnother() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    const auto [panel, link, supply] = openLinkThenSupply(main, QStringLiteral("YambleV3"));
    QVERIFY(link && supply);
    const QRect tabs =
        placeInWorkspace(main, link->widget()->findChild<QTabBar*>(QStringLiteral("TabStrip1")));
    QVERIFY2(!supply->geometry().intersects(tabs),
             qPrintable(QStringLiteral("the supply window covers %1% of the tab bar")
                            .arg(coveredPercent(supply->geometry(), tabs))));
    QVERIFY(coveredPercent(supply->geometry(), link->geometry()) <= 50);
}

// The register console's command palette opens clear of the FIFO block, which shows what the
// batches it fills do.
void LooksTest::commandPaletteKeepsTheFifoBlockInSight() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.mnuSPI->trigger();
    auto* console = main.loadedForm<SPI>(QStringLiteral("SPI"));
    QVERIFY(console);
    console->TabStrip1->setCurrentIndex(1);
    console->BatchCommands_DblClick(0);
    QMdiSubWindow* palette = frameOf(main, QStringLiteral("SPIsub2"));
    QVERIFY(palette && palette->isVisible() && console->FifoBlock->isVisible());
    checkInWorkspace(palette->widget(), QStringLiteral("SPIsub2"));
    QVERIFY(!palette->geometry().intersects(placeInWorkspace(main, console->FifoBlock)));
}

void LooksTest::testModeWindowsAreCompact_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("form");
    QTest::newRow("HC913") << QStringLiteral("YambleV3") << QStringLiteral("mnuToolsYambleTestmode")
                           << QStringLiteral("Frm_YambleTestFunctions");
    QTest::newRow("HR651") << QStringLiteral("DruskV1") << QStringLiteral("mnuToolsDruskTestmode")
                           << QStringLiteral("Frm_DruskTestFunctions");
}

// The factory test modes open about as wide as their two columns need, their lists as wide as
// their entries, and clear of the panel's Update button.
void LooksTest::testModeWindowsAreCompact() {
    QFETCH(QString, panel);
    QFETCH(QString, item);
    QFETCH(QString, form);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    viewItem(main, panel)->trigger();
    QWidget* panelWindow = main.loadedForm(panel);
    runSteps(main, panelWindow, {item});
    QMdiSubWindow* frame = frameOf(main, form);
    QVERIFY(frame && frame->isVisible());
    checkReadable(frame->widget(), form);
    // About 620 px at the platform's font: within 1.25 times what its lists and notes need.
    const int need = frame->widget()->minimumSizeHint().width();
    QVERIFY2(frame->width() <= need * 5 / 4,
             qPrintable(
                 QStringLiteral("%1 px wide for %2 px of content").arg(frame->width()).arg(need)));
    for (QComboBox* list : frame->widget()->findChildren<QComboBox*>()) {
        if (list->isVisible())
            QVERIFY2(list->width() <= list->sizeHint().width() + 1, qPrintable(list->objectName()));
    }
    const QRect update =
        placeInWorkspace(main, panelWindow->findChild<QPushButton*>(QStringLiteral("Update")));
    QVERIFY2(!frame->geometry().intersects(update), "covers the panel's Update button");
}

// Shown first and loaded then, as the program starts, the splash stands at the centre of the
// main window less its menu and toolbar rows, at its own size.
void LooksTest::splashStandsCentred() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.startShown();
    QMdiSubWindow* splash = frameOf(main, QStringLiteral("frm_Splash"));
    QVERIFY(splash && splash->isVisible());
    const QPoint centre(main.width() / 2, (main.height() - twipsToPixels(2000)) / 2);
    QVERIFY2((splash->geometry().center() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("centred at %1,%2, not at %3,%4")
                            .arg(splash->geometry().center().x())
                            .arg(splash->geometry().center().y())
                            .arg(centre.x())
                            .arg(centre.y())));
}

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
