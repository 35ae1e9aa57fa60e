#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/powersupply.h"
#include "app/preferences.h"
#include "app/terminal.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace krv;

namespace {

// The text a control shows, when it is one whose text must not be cut.
QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->wordWrap() || label->textFormat() == Qt::RichText ? QString() : label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().remove(u'&');
    return {};
}

// Every control shows its whole text, stands wholly inside its parent or wholly out of sight,
// and covers none of its visible siblings.
void checkReadable(QWidget* window, const QString& name) {
    const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
    if (!out.isEmpty())
        window->grab().save(out + u'/' + name + QStringLiteral(".png"));
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->parentWidget()->inherits("UpDown") ||
            w->parentWidget()->inherits("QAbstractScrollArea") || w->inherits("QScrollBar"))
            continue;
        const QRect parent = w->parentWidget()->rect();
        if (!parent.intersects(w->geometry()))
            continue; // placed out of sight on purpose
        const QString where = name + u'.' + w->objectName();
        QVERIFY2(parent.contains(w->geometry()), qPrintable(where + QStringLiteral(" is cut")));
        const QString text = shownText(w);
        if (!text.isEmpty()) {
            const int needed = w->fontMetrics().horizontalAdvance(text) +
                               (qobject_cast<QCheckBox*>(w) ? 20 : 0) +
                               (qobject_cast<QPushButton*>(w) ? 8 : 0);
            QVERIFY2(
                w->width() >= needed,
                qPrintable(
                    where +
                    QStringLiteral(" text is cut: %1 px for %2 px").arg(w->width()).arg(needed)));
        }
        controls.append(w);
    }
    for (QWidget* a : controls)
        for (QWidget* b : controls)
            if (a != b && a->parentWidget() == b->parentWidget() && !a->isAncestorOf(b))
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(name + u'.' + a->objectName() + QStringLiteral(" covers ") +
                                    b->objectName()));
}

} // namespace

class LooksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreReadable();
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

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
