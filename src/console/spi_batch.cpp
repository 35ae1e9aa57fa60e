// The four command batches, their loop control and batch files.

#include "app/ismmain.h"
#include "app/piecedpane.h"
#include "batchtext.h"
#include "common/dialogs.h"
#include "common/latin1.h"
#include "common/numbers.h"
#include "consolefiles.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace krv {

using namespace console;

void SPI::BatchRun_Click(int batch) {
    QPointer<SPI> self(this);
    double passes = leadingNumber(LoopCount->text());
    LoadboardBusy();
    paint(BatchName[batch], colours::Blue);
    const QString& text = batchText_[batch];
    if (!text.isEmpty() && !text.endsWith(u'\r') && !text.endsWith(u'\n'))
        appendToBatch(batch, QStringLiteral("\r\n"));
    bool more = true;
    while (more) {
        const BatchPass pass = runBatchPass(batch, self);
        if (pass == BatchPass::WindowGone)
            return;
        if (pass == BatchPass::Refused)
            break;
        passes += 1;
        LoopCount->setText(plainNumberText(passes));
        if (pass == BatchPass::PortClosed)
            break;
        // The user must be able to clear "Loop" even when a pass sends nothing.
        QEventLoop pause;
        QTimer::singleShot(pass == BatchPass::Idle ? 20 : 0, &pause, &QEventLoop::quit);
        pause.exec();
        if (gone(self))
            return;
        more = EnLoop[batch]->isChecked() &&
               (!ENLimit->isChecked() || passes < leadingNumber(LoopLimit->text()));
    }
    paint(BatchName[batch], colours::LightGray);
    LoadboardReady();
}

SPI::BatchPass SPI::runBatchPass(int batch, const QPointer<SPI>& self) {
    const QStringList lines = batchLines(batchText_[batch]);
    // The board's line carries single-byte text: a line that would reach it with "?" in place
    // of a character stops the pass before anything is sent.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'/') || lines[i].startsWith(u'#'))
            continue;
        const QString holder =
            QStringLiteral("Line %1 of %2").arg(i + 1).arg(BatchName[batch]->text());
        if (const std::optional<Error> refusal = latin1Refusal(lines[i], holder, TextFor::Board)) {
            Dialogs::message(errorMessage(*refusal, QStringLiteral("Please try again!")),
                             QStringLiteral("Batch"), Dialogs::Icon::Exclamation);
            return BatchPass::Refused;
        }
    }
    BatchPass outcome = BatchPass::Idle;
    for (const QString& line : lines) {
        switch (line.startsWith(u'/')   ? Directive::None
                : line.startsWith(u'#') ? directiveOf(line)
                                        : Directive::None) {
        case Directive::FifoRead:
            ReadRXff_Click();
            break;
        case Directive::FifoWrite:
            WriteTXff_Click();
            break;
        case Directive::Refresh:
            RefreshTable_Click();
            break;
        case Directive::StatusRead:
            StatusRead_Click();
            break;
        case Directive::None:
            if (line.startsWith(u'/') || line.startsWith(u'#'))
                continue;
            if (!transfer(line))
                return BatchPass::WindowGone;
            break;
        }
        if (gone(self))
            return BatchPass::WindowGone;
        outcome = BatchPass::Sent;
        if (!main_.boardPortOpen())
            return BatchPass::PortClosed;
    }
    return outcome;
}

void SPI::BatchCommands_Click(int batch) {
    BatchSel[batch]->setChecked(true);
}

void SPI::BatchCommands_DblClick(int batch) {
    BatchCommands_Click(batch);
    if (QWidget* palette = main_.form(QStringLiteral("SPIsub2")))
        main_.showForm(palette);
}

void SPI::ENLimit_Click() {
    LoopLimit->setEnabled(ENLimit->isChecked());
    paint(LoopLimit, ENLimit->isChecked()
                         ? colours::zero()
                         : LoopLimit->parentWidget()->palette().color(QPalette::Window));
}

void SPI::Reset_Click() {
    LoopCount->setText(QStringLiteral("0"));
}

void SPI::M_Batch_Click(int batch, int row) {
    const RegisterWrite write = registerWrite(M_Address[row]->text(), M_Hexvalue[row]->text());
    if (!write.ok()) {
        reportWriteProblems({write.problem});
        return;
    }
    appendToBatch(batch, write.line + u'\n');
}

void SPI::setBatchText(int batch, const QString& text) {
    batchText_[batch] = text;
    showBatch(batch);
}

void SPI::appendToBatch(int batch, const QString& text) {
    setBatchText(batch, batchText_[batch] + text);
}

void SPI::showBatch(int batch) {
    showingBatch_ = true;
    QString shown = batchText_[batch];
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    batchPanes_[batch]->show(shown);
    BatchCommands[batch]->moveCursor(QTextCursor::End);
    showingBatch_ = false;
}

int SPI::selectedBatch() const {
    for (int b = 0; b < 4; ++b) {
        if (BatchSel[b]->isChecked())
            return b;
    }
    return 0;
}

void SPI::SaveBatch_Click() {
    const int batch = selectedBatch();
    runFileCommand(true, [&] {
        const QString path = askTextFile(this,
                                         QStringLiteral("Save ") + BatchName[batch]->text() +
                                             QStringLiteral(" Script File"),
                                         true);
        if (!path.isEmpty())
            writeTextLines(path, batchFileLines(BatchName[batch]->text(), batchText_[batch]),
                           {QStringLiteral("\"#BATCHNAME \" and the batch name")});
    });
}

void SPI::LoadBach_Click() {
    const int batch = selectedBatch();
    runFileCommand(false, [&] {
        const QString path =
            askTextFile(this, QStringLiteral("Load Script File to Batch#%1").arg(batch + 1), false);
        if (path.isEmpty())
            return;
        const std::optional<LoadedBatch> loaded = readBatch(readTextFile(path));
        if (!loaded)
            return;
        if (loaded->hasName)
            BatchName[batch]->setText(loaded->name);
        setBatchText(batch, loaded->text);
    });
}

} // namespace krv
