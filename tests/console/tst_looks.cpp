#include "console/consolewidgets.h"
#include "console/spisub2.h"
#include "consolerig.h"
#include "readable.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>

using namespace krv;
using krv::test::ConsoleRig;

class LooksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bothPagesAreReadableWithAChipChosen() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.rig.main().show();
        QCoreApplication::processEvents();
        c.rig.main().showForm(c.spi);
        c.choose(QStringLiteral("DEMO-REG"));
        test::checkReadable(c.spi, QStringLiteral("SPI_registers"));
        c.spi->TabStrip1->setCurrentIndex(1);
        test::checkReadable(c.spi, QStringLiteral("SPI_fifo_batch"));
    }

    // Every row of the demonstration chip's 16-byte FIFOs in view, every heading whole, and no
    // horizontal scroll bar.
    void theFifoGridsShowEveryRowAndHeading() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.rig.main().show();
        QCoreApplication::processEvents();
        c.rig.main().showForm(c.spi);
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->TabStrip1->setCurrentIndex(1);
        QCoreApplication::processEvents();
        for (console::FifoGrid* grid : {c.spi->TXFIFO, c.spi->RXFIFO}) {
            QTableView* view = grid->view;
            const QString name = grid->objectName();
            QVERIFY2(!view->horizontalScrollBar()->isVisible(), qPrintable(name));
            QVERIFY2(!view->verticalScrollBar()->isVisible(), qPrintable(name));
            const int last = view->model()->rowCount() - 1;
            QCOMPARE(last, 15);
            QVERIFY2(view->rowViewportPosition(last) + view->rowHeight(last) <=
                         view->viewport()->height(),
                     qPrintable(name));
            QHeaderView* header = view->horizontalHeader();
            for (int column = 0; column < header->count(); ++column)
                QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                         qPrintable(QStringLiteral("%1 column %2: %3 px for %4 px")
                                        .arg(name)
                                        .arg(column)
                                        .arg(header->sectionSize(column))
                                        .arg(header->sectionSizeHint(column))));
        }
    }

    void thePaletteShowsItsCaptionsWhole() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.rig.main().show();
        QCoreApplication::processEvents();
        c.spi->BatchCommands_DblClick(0);
        auto* palette = c.rig.main().loadedForm<SPIsub2>(QStringLiteral("SPIsub2"));
        QVERIFY(palette);
        QCOMPARE(palette->MacroCmd[0]->text(), QStringLiteral("Refresh Register Table "));
        test::checkReadable(palette, QStringLiteral("SPIsub2"));
    }
};

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
