// Every supply box of the program against numbers of any size: a number beyond the range of
// the program's whole numbers is still a number above the maximum (or below the minimum), and
// the box clamps it and sends that end's code. (The receiver panels' box has no handler.)

#include "app/ismmain.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace krv;

namespace {

// One supply box: the window that holds it, how its value is taken (Enter in the box, or
// its button), where its message goes, and what its two ends show and send.
struct SupplyBox {
    const char* window;
    const char* button;     // nullptr: Enter in the box
    const char* statusLine; // nullptr: the message is a message box
    QString box;
    QString maxText, maxLine, maxMessage;
    QString minText, minLine, minMessage;
};

SupplyBox panelBox(const char* window) {
    return {window,
            nullptr,
            "Statusline",
            QStringLiteral("PowerSupply"),
            QStringLiteral("5.4"),
            QStringLiteral("VC6"),
            QStringLiteral("Maximum supply voltage is 5.4 V!"),
            QStringLiteral("2"),
            QStringLiteral("V64"),
            QStringLiteral("Minimum supply voltage is 2.0 V!")};
}

const QList<SupplyBox>& supplyBoxes() {
    static const QList<SupplyBox> boxes{
        panelBox("YambleV3"),
        panelBox("FRM_Zenth"),
        panelBox("MivraV2"),
        panelBox("PelkoV1"),
        panelBox("HT539"),
        {"frm_PowerSupply", "PB_Voltage", "Statusline", QStringLiteral("Voltage"),
         QStringLiteral("5"), QStringLiteral("VC1"),
         QStringLiteral("Maximum supply voltage is 5 V!"), QStringLiteral("2.2"),
         QStringLiteral("V73"), QStringLiteral("Minimum supply voltage is 2.2 V!")},
        {"SPI", nullptr, nullptr, QStringLiteral("Voltage"), QStringLiteral("4.0"),
         QStringLiteral("VB2"), QStringLiteral("Maximum supply voltage is 4.0 V!"),
         QStringLiteral("1.8"), QStringLiteral("V53"),
         QStringLiteral("Minimum supply voltage is 1.8 V!")},
    };
    return boxes;
}

} // namespace

class SupplyBoxesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anyNumberIsClampedToTheNearerEnd_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("high");
        const std::pair<const char*, bool> entries[] = {
            {"1e18", true},  {"1e300", true},  {"99999999999999999999", true},
            {"1e999", true}, {"-1e18", false}, {"-1e300", false},
            {"nan", false},  {"inf", false},   {"-inf", false},
        };
        for (int i = 0; i < supplyBoxes().size(); ++i) {
            for (const auto& [typed, high] : entries)
                QTest::addRow("%s %s", supplyBoxes()[i].window, typed)
                    << i << QString::fromLatin1(typed) << high;
        }
    }
    void anyNumberIsClampedToTheNearerEnd() {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(bool, high);
        const SupplyBox& b = supplyBoxes()[box];
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        QWidget* window = rig.main().form(QString::fromLatin1(b.window));
        QVERIFY(window);
        auto* entry = window->findChild<QLineEdit*>(b.box);
        QVERIFY(entry);
        rig.board().clearReceived();
        entry->setText(typed);
        if (b.button)
            window->findChild<QPushButton*>(QString::fromLatin1(b.button))->click();
        else
            QTest::keyClick(entry, Qt::Key_Return);

        QCOMPARE(entry->text(), high ? b.maxText : b.minText);
        QCOMPARE(rig.board().receivedLines(), QStringList{high ? b.maxLine : b.minLine});
        const QString message = high ? b.maxMessage : b.minMessage;
        if (b.statusLine)
            QCOMPARE(window->findChild<QLineEdit*>(QString::fromLatin1(b.statusLine))->text(),
                     message);
        else
            QCOMPARE(rig.messageTexts(), QStringList{message});
    }
};

QTEST_MAIN(SupplyBoxesTest)
#include "tst_supplyboxes.moc"
