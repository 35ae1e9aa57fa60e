#include "panellayout.h"

#include "app/ismmain.h"
#include "panels/common/chippanel.h"
#include "readable.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

namespace krv::test {

void checkListsWhole(QWidget* window, const QString& name) {
    QStringList faults;
    for (const QComboBox* list : window->findChildren<QComboBox*>()) {
        if (list->isVisibleTo(window) && list->width() < list->sizeHint().width())
            faults.append(QStringLiteral("%1.%2 \"%3\" is cut: %4 px for %5 px")
                              .arg(name, list->objectName(), list->currentText())
                              .arg(list->width())
                              .arg(list->sizeHint().width()));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
}

namespace {

// Every check of one state of the panel; false after a failure.
bool looksRight(ChipPanel* panel, const QString& layout, bool statusShown) {
    const QString name = layout + (statusShown ? QStringLiteral("_status") : QString());
    checkReadable(panel, name);
    if (QTest::currentTestFailed())
        return false;
    checkListsWhole(panel, name);
    if (QTest::currentTestFailed())
        return false;
    checkPanelSize(panel, layout, statusShown);
    if (QTest::currentTestFailed())
        return false;
    // On a 1366x768 desktop or larger the compact panel is whole in the workspace, its status
    // buttons included, without scrolling.
    const QSize screen = panel->screen()->size();
    const QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(panel->parentWidget());
    if (!statusShown && frame && screen.width() >= 1366 && screen.height() >= 768 &&
        frame->height() > frame->mdiArea()->viewport()->height()) {
        QTest::qFail(qPrintable(QStringLiteral("%1 is %2 px high in a workspace of %3 px")
                                    .arg(name)
                                    .arg(frame->height())
                                    .arg(frame->mdiArea()->viewport()->height())),
                     __FILE__, __LINE__);
        return false;
    }
    return true;
}

} // namespace

ChipPanel* checkPanelLayout(ISMmain& main, void (ISMmain::*show)(), const QString& form,
                            const QString& layout) {
    (main.*show)();
    auto* panel = main.loadedForm<ChipPanel>(form);
    QMdiSubWindow* frame = main.frameOf(panel);
    if (!panel || !frame || !panel->isVisible()) {
        QTest::qFail(qPrintable(form + QStringLiteral(" is not shown")), __FILE__, __LINE__);
        return nullptr;
    }
    const QSize opened = frame->size();
    if (!looksRight(panel, layout, false))
        return nullptr;
    panel->ShowStatus_Click();
    if (!looksRight(panel, layout, true))
        return nullptr;
    panel->ShowStatus_Click();
    if (frame->height() != opened.height()) {
        QTest::qFail(qPrintable(QStringLiteral("%1 opened %2 px high and is %3 px after Show/Hide "
                                               "Status")
                                    .arg(layout)
                                    .arg(opened.height())
                                    .arg(frame->height())),
                     __FILE__, __LINE__);
        return nullptr;
    }
    return panel;
}

} // namespace krv::test
