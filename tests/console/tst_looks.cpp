#include "console/consolewidgets.h"
#include "console/spisub2.h"
#include "consolerig.h"
#include "readable.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>

using namespace krv;
using krv::test::ConsoleRig;

namespace {

// Why the widget cannot be seen whole inside its window, or nothing: hidden, or reaching out of
// a widget around it.
QString clipped(QWidget* widget, QWidget* window) {
    if (!widget->isVisible())
        return QStringLiteral("hidden");
    QRect shown = widget->rect();
    for (QWidget* w = widget; w != window; w = w->parentWidget()) {
        shown.translate(w->pos());
        if (!w->parentWidget()->rect().contains(shown))
            return QStringLiteral("at %1,%2 size %3x%4 outside %5 (%6x%7)")
                .arg(shown.x())
                .arg(shown.y())
                .arg(shown.width())
                .arg(shown.height())
                .arg(w->parentWidget()->objectName())
                .arg(w->parentWidget()->width())
                .arg(w->parentWidget()->height());
    }
    return {};
}

// Opens the console on a chip, on its page of rows, batches and the FIFO test.
void openOnSecondPage(ConsoleRig& c) {
    c.rig.main().show();
    QCoreApplication::processEvents();
    c.rig.main().showForm(c.spi);
    c.choose(QStringLiteral("DEMO-REG"));
    c.spi->TabStrip1->setCurrentIndex(1);
    QCoreApplication::processEvents();
}

} // namespace

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
        openOnSecondPage(c);
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

    // The results of the FIFO test stand below its grids, which grow with the font: every counter
    // and its caption must stay inside the frame, whatever the font's size.
    void theFifoCountersShowWhole_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("platform font") << 0;
        QTest::newRow("12 pt") << 12;
    }
    void theFifoCountersShowWhole() {
        QFETCH(int, points);
        const QFont platform = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(platform); });
        if (points > 0) {
            QFont font = platform;
            font.setPointSize(points);
            QApplication::setFont(font);
        }
        ConsoleRig c;
        QVERIFY(c.open());
        openOnSecondPage(c);
        const QList<QLabel*> captions = c.spi->findChildren<QLabel*>();
        const std::pair<QLineEdit*, const char*> counters[] = {
            {c.spi->Packets, "Packets:"},   {c.spi->PacketLost, "Lost:"},
            {c.spi->Errors, "Bit errors:"}, {c.spi->Databits, "Databits:"},
            {c.spi->PER, "PER:"},           {c.spi->BER, "BER:"}};
        for (const auto& [counter, text] : counters) {
            const auto caption = std::find_if(captions.begin(), captions.end(),
                                              [&](QLabel* l) { return l->text() == text; });
            QVERIFY2(caption != captions.end(), text);
            for (QWidget* widget :
                 {static_cast<QWidget*>(counter), static_cast<QWidget*>(*caption)}) {
                const QString fault = clipped(widget, c.spi);
                QVERIFY2(fault.isEmpty(), qPrintable(QString::fromLatin1(text) + u' ' + fault));
            }
        }
    }

    // On every screen, font and scale the tests run at (down to 1280x720 logical pixels) the
    // console opens whole in the workspace, near its design height where there is room.
    void theConsoleOpensWholeInTheWorkspace() {
        ConsoleRig c;
        QVERIFY(c.open());
        // Opened again as a user opens it, from the main window on the screen.
        c.rig.main().show();
        QCoreApplication::processEvents();
        c.rig.main().unloadForm(QStringLiteral("SPI"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        c.rig.main().mnuSPI_Click();
        c.spi = c.rig.main().loadedForm<SPI>(QStringLiteral("SPI"));
        QVERIFY(c.spi);
        openOnSecondPage(c);
        QMdiSubWindow* frame = c.rig.main().frameOf(c.spi);
        const QRect area = c.rig.main().mdiArea()->viewport()->rect();
        QVERIFY2(area.contains(frame->geometry()),
                 qPrintable(QStringLiteral("%1x%2 at %3,%4 in %5x%6")
                                .arg(frame->width())
                                .arg(frame->height())
                                .arg(frame->x())
                                .arg(frame->y())
                                .arg(area.width())
                                .arg(area.height())));
        const int design = twipsToPixels(10050);
        QVERIFY2(frame->height() >= std::min(design * 9 / 10, area.height()) &&
                     frame->height() <= design * 11 / 10,
                 qPrintable(QString::number(frame->height())));
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
