#include "panels/transceiver/transceiverpanel.h"
#include "readable.h"
#include "testsupport.h"

#include <QComboBox>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTest>

using namespace krv;

class TrxLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizes();
};

void TrxLayout::sizes() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.resize(1900, 1000);
    main.show();
    for (auto [name, b] : {std::pair{"YambleV3", false}, {"YambleV3", true}, {"FRM_Zenth", false}}) {
        main.SetBijakuMode(b);
        if (QString::fromLatin1(name) == "YambleV3")
            main.YambleV3_show();
        else
            main.Zenth_show();
        auto* panel = main.loadedForm<ChipPanel>(QString::fromLatin1(name));
        QMdiSubWindow* frame = main.frameOf(panel);
        QCoreApplication::processEvents();
        for (const char* t : {"FF IT", "POR", "FF OV", "WK-UP", "EXT", "LBD", "FF EM", "DRSSI", "DQD", "CRL", "ATGL", "SGN", "OF3", "FF OF", "ASAME", "RGUR", "RGIT", "FFIT", "FFOV", "RSSI", "ATS", "SYNC", "IRQ", "Calibrate >>> (after update)", "Low Battery and Clock Command:", "FIFO and Reset Mode Command:", "Enable the low battery detector", "uP Clock rise and fall time control", "Crystal load capacitance:", "Polarity of modulation:", "Valid Data Indicator:", "DDDD", "Transmitter-receiver carrier frequency offset:", "Crystal Oscillator Low Power Mode"})
            qDebug() << t << panel->fontMetrics().horizontalAdvance(QString::fromLatin1(t)) << panel->font();
        for (QWidget* w : panel->findChildren<QWidget*>()) if (w->objectName().startsWith("Frame") || w->objectName()=="Settings" || w->objectName()=="StatusArea") qDebug() << w->objectName() << w->size() << w->sizeHint();
        qDebug() << name << b << "frame" << frame->size() << "hint" << frame->sizeHint()
                 << "tabs" << panel->TabStrip1->sizeHint();
        test::checkReadable(panel, QString::fromLatin1(name) + (b ? "B" : ""));
        for (QComboBox* c : panel->findChildren<QComboBox*>())
            if (c->isVisible() && c->width() < c->sizeHint().width())
                qDebug() << "  combo" << c->objectName() << c->size() << c->sizeHint() << c->minimumSizeHint();
        panel->ShowStatus_Click();
        QCoreApplication::processEvents();
        qDebug() << "  tall" << frame->size();
        test::checkReadable(panel, QString::fromLatin1(name) + (b ? "B" : "") + "_status");
        panel->ShowStatus_Click();
        qDebug() << "  back" << frame->size();
    }
}

QTEST_MAIN(TrxLayout)
#include "tst_trxlayout.moc"
