// Every chip panel's configuration file table against the panel's own controls: an item whose
// name finds no control, or finds another kind of control than its table says, would be saved
// empty and never loaded back; a range unlike its control's would refuse good files or let the
// control cut a value short.

#include "panels/receiver/receiverpanel.h"
#include "panels/transceiver/transceiverpanel.h"
#include "panels/transmitter/transmitterpanel.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace krv;

namespace {

QList<ConfigItem> itemsOf(QWidget* panel) {
    if (auto* trx = qobject_cast<TransceiverPanel*>(panel))
        return trx::fileType(trx->chip()).items;
    if (auto* tx = qobject_cast<TransmitterPanel*>(panel))
        return tx->traits().file.items;
    const bool hr658 = panel->objectName() == QStringLiteral("Ovalt");
    return receiver::fileType(hr658 ? receiver::Chip::HR658 : receiver::Chip::HR651).items;
}

// What the item's control takes, or why it cannot hold the item.
QString mismatch(const ConfigItem& item, QObject* control) {
    using Kind = ConfigItem::Kind;
    const auto range = [&item](long long lo, long long hi) {
        return item.minimum == lo && item.maximum == hi
                   ? QString()
                   : QStringLiteral("takes %1..%2, the table says %3..%4")
                         .arg(lo)
                         .arg(hi)
                         .arg(item.minimum)
                         .arg(item.maximum);
    };
    if (item.kind == Kind::Boolean)
        return qobject_cast<QRadioButton*>(control) ? QString()
                                                    : QStringLiteral("is no option button");
    if (item.kind == Kind::Integer) {
        if (qobject_cast<QCheckBox*>(control))
            return range(0, 2);
        if (auto* scroll = qobject_cast<QScrollBar*>(control))
            return range(scroll->minimum(), scroll->maximum());
        if (auto* list = qobject_cast<QComboBox*>(control))
            return range(-1, list->count() - 1);
        return QStringLiteral("holds no number");
    }
    if (qobject_cast<QComboBox*>(control))
        return item.maxLength == 0 ? QString() : QStringLiteral("is a list without a length");
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const int length = edit->maxLength() < QLineEdit().maxLength() ? edit->maxLength() : 0;
        return item.maxLength == length ? QString()
                                        : QStringLiteral("holds %1 characters, the table says %2")
                                              .arg(length)
                                              .arg(item.maxLength);
    }
    return QStringLiteral("holds no text");
}

} // namespace

class ConfigTablesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyItemFitsItsControl_data() {
        QTest::addColumn<QString>("form");
        for (const char* form :
             {"YambleV3", "FRM_Zenth", "DruskV1", "Ovalt", "MivraV2", "PelkoV1", "HT539"})
            QTest::newRow(form) << QString::fromLatin1(form);
    }
    void everyItemFitsItsControl() {
        QFETCH(QString, form);
        test::Rig rig;
        rig.start();
        QWidget* panel = rig.main().form(form);
        QVERIFY(panel);
        const QList<ConfigItem> items = itemsOf(panel);
        QVERIFY(!items.isEmpty());
        QStringList faults;
        for (const ConfigItem& item : items) {
            if (item.name == QStringLiteral("Pref_Voltage")) {
                if (!item.positiveNumber || item.kind != ConfigItem::Kind::Text)
                    faults << item.name + QStringLiteral(" is no voltage");
                continue;
            }
            if (item.name == QStringLiteral("Pref_RxLinkTimeout"))
                continue;
            const QList<QObject*> controls = panel->findChildren<QObject*>(item.name);
            if (controls.size() != 1) {
                faults << item.name + QStringLiteral(" names %1 controls").arg(controls.size());
                continue;
            }
            if (const QString fault = mismatch(item, controls.first()); !fault.isEmpty())
                faults << item.name + u' ' + fault;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(ConfigTablesTest)
#include "test_configtables.moc"
