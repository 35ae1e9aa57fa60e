#include "txpanel.h"

#include "app/ismmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QVariant>

namespace krv {

namespace {
constexpr long long standardXtal = 10000000;
} // namespace

QWidget* TxPanels::shown() const {
    if (main_.TX0on)
        return main_.loadedForm(ht531());
    if (main_.TX1on)
        return main_.loadedForm(ht537());
    return nullptr;
}

QString TxPanels::word(QWidget* panel, const QString& name) {
    if (!panel)
        return {};
    QWidget* box = panel->findChild<QWidget*>(name);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(box))
        return text->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(box))
        return label->text();
    return {};
}

long long TxPanels::xtalFrequency() const {
    QWidget* panel = main_.loadedForm(main_.TX1on ? ht537() : ht531());
    if (!panel)
        return standardXtal;
    const QMetaObject* meta = panel->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.name() != "GetXtalFrequency" || method.parameterCount() != 0)
            continue;
        QVariant result(method.returnMetaType());
        if (method.invoke(panel, Qt::DirectConnection,
                          QGenericReturnArgument(method.typeName(), result.data())))
            return result.toLongLong();
    }
    return standardXtal;
}

QString TxPanels::caption(const QString& form) const {
    if (QWidget* panel = main_.loadedForm(form))
        return panel->windowTitle();
    return form == ht537() ? QStringLiteral("HT537 transmitter control panel")
                           : QStringLiteral("HT531 transmitter control panel");
}

} // namespace krv
