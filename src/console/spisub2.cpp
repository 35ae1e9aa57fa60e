#include "spisub2.h"

#include "app/ismmain.h"
#include "batchtext.h"
#include "consolelayout.h"
#include "spi.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

namespace {} // namespace

SPIsub2::SPIsub2(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Add Command"));
    auto* lines = console::narrow(new QGridLayout);
    // Columns: the channel, its three buttons, a little room, then the channel's use.
    constexpr int useColumn = 5;
    lines->addWidget(new QLabel(QStringLiteral("Function on RF testboards:")), 0, useColumn);
    const char* uses[] = {"SDI (TX, RX, TRX)",
                          "SCK (TX, RX, TRX)",
                          "NSEL (TX, RX, TRX)",
                          "nFFS (RX); nFFS/FSK (TRX)",
                          "-",
                          "-",
                          "-",
                          "-"};
    // The channel buttons alike and easy to hit, whatever their one-character captions.
    const int width = QFontMetrics(font()).height() * 5 / 2;
    for (int ch = 0; ch < 8; ++ch) {
        const int line = ch + 1;
        SetHigh[ch] = named<QPushButton>(new console::TightButton(QStringLiteral("1")),
                                         QStringLiteral("SetHigh_%1").arg(ch));
        SetLow[ch] = named<QPushButton>(new console::TightButton(QStringLiteral("0")),
                                        QStringLiteral("SetLow_%1").arg(ch));
        SetZ[ch] = named<QPushButton>(new console::TightButton(QStringLiteral("Z")),
                                      QStringLiteral("SetZ_%1").arg(ch));
        lines->addWidget(new QLabel(QStringLiteral("Ch%1:").arg(ch)), line, 0);
        int column = 1;
        for (QPushButton* b : {SetHigh[ch], SetLow[ch], SetZ[ch]}) {
            b->setMinimumWidth(width);
            lines->addWidget(b, line, column++);
        }
        lines->addWidget(new QLabel(QString::fromLatin1(uses[ch])), line, useColumn);
        connect(SetHigh[ch], &QPushButton::clicked, this, [this, ch] { SetHigh_Click(ch); });
        connect(SetLow[ch], &QPushButton::clicked, this, [this, ch] { SetLow_Click(ch); });
        connect(SetZ[ch], &QPushButton::clicked, this, [this, ch] { SetZ_Click(ch); });
    }
    lines->setColumnMinimumWidth(useColumn - 1, 2 * console::gap);
    lines->setColumnStretch(useColumn, 1);

    auto* macros = console::narrow(new QHBoxLayout);
    const char* captions[] = {"Refresh Register Table ", "Write TX FIFO", "Read RX FIFO",
                              "Statusread"};
    for (int i = 0; i < 4; ++i) {
        MacroCmd[i] = named<QPushButton>(new console::TightButton(QString::fromLatin1(captions[i])),
                                         QStringLiteral("MacroCmd_%1").arg(i));
        macros->addWidget(MacroCmd[i]);
        connect(MacroCmd[i], &QPushButton::clicked, this, [this, i] { MacroCmd_Click(i); });
    }
    macros->addStretch(1);

    auto* window = console::narrow(new QVBoxLayout(this));
    window->addWidget(console::group(QStringLiteral("Add a Loadboard DO Control Command"), lines));
    window->addWidget(console::group(QStringLiteral("Add Macro Command"), macros));
    window->addStretch(1);
}

void SPIsub2::append(const QString& line) {
    if (SPI* console = main_.loadedForm<SPI>(QStringLiteral("SPI")))
        console->appendToBatch(console->selectedBatch(), line + QStringLiteral("\r\n"));
}

void SPIsub2::SetHigh_Click(int channel) {
    append(QStringLiteral("H%1").arg(channel));
}

void SPIsub2::SetLow_Click(int channel) {
    append(QStringLiteral("L%1").arg(channel));
}

void SPIsub2::SetZ_Click(int channel) {
    append(QStringLiteral("Z%1").arg(channel));
}

void SPIsub2::MacroCmd_Click(int index) {
    using console::Directive;
    const Directive directives[] = {Directive::Refresh, Directive::FifoWrite, Directive::FifoRead,
                                    Directive::StatusRead};
    append(console::directiveWord(directives[index]));
}

} // namespace krv
