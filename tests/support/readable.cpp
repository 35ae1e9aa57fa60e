#include "readable.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <cmath>

namespace krv::test {

namespace {

bool isRich(const QLabel* label) {
    return label->textFormat() == Qt::RichText ||
           (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
}

// The text a control shows, when it is one whose text must not be cut.
QString shownText(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->wordWrap() ? QString() : label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().remove(u'&');
    return {};
}

// The width the text takes on screen.
int textWidth(QWidget* w, const QString& text) {
    const auto* label = qobject_cast<QLabel*>(w);
    if (label && isRich(label)) {
        QTextDocument document;
        document.setDefaultFont(w->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        return int(std::ceil(document.idealWidth()));
    }
    return w->fontMetrics().horizontalAdvance(text);
}

} // namespace

void checkReadable(QWidget* window, const QString& name) {
    // Layouts settle from posted events.
    QCoreApplication::processEvents();
    const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
    if (!out.isEmpty())
        window->grab().save(out + u'/' + name + QStringLiteral(".png"));
    QStringList faults;
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->parentWidget()->inherits("UpDown") ||
            w->parentWidget()->inherits("QAbstractScrollArea") || w->inherits("QScrollBar") ||
            w->parentWidget()->inherits("QTabBar"))
            continue;
        const QRect parent = w->parentWidget()->rect();
        if (!parent.intersects(w->geometry()))
            continue; // placed out of sight on purpose
        const QString where = name + u'.' + w->objectName();
        if (!parent.contains(w->geometry()))
            faults.append(where + QStringLiteral(" is cut"));
        const QString text = shownText(w);
        if (!text.isEmpty()) {
            const bool indicator = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
            const int needed =
                textWidth(w, text) + (indicator ? 20 : 0) + (qobject_cast<QPushButton*>(w) ? 8 : 0);
            if (w->width() < needed)
                faults.append(where + QStringLiteral(" \"%3\" is cut: %1 px for %2 px")
                                          .arg(w->width())
                                          .arg(needed)
                                          .arg(text));
        }
        controls.append(w);
    }
    for (QWidget* a : controls)
        for (QWidget* b : controls)
            if (a != b && a->parentWidget() == b->parentWidget() && !a->isAncestorOf(b) &&
                a->geometry().intersects(b->geometry()))
                faults.append(name + u'.' + a->objectName() + QStringLiteral(" covers ") +
                              b->objectName());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
}

} // namespace krv::test
