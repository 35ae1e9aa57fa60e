#include "spisub2.h"

#include "app/ismmain.h"
#include "batchtext.h"
#include "spi.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace krv {

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const QString& name, int x, int y,
                    int w) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 24);
    return b;
}

} // namespace

SPIsub2::SPIsub2(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Add Command"));
    auto* lines = new QGroupBox(QStringLiteral("Add a Loadboard DO Control Command"), this);
    auto* heading = new QLabel(QStringLiteral("Function on RF testboards:"), lines);
    heading->setGeometry(200, 18, 240, 20);
    const char* uses[] = {"SDI (TX, RX, TRX)",
                          "SCK (TX, RX, TRX)",
                          "NSEL (TX, RX, TRX)",
                          "nFFS (RX); nFFS/FSK (TRX)",
                          "-",
                          "-",
                          "-",
                          "-"};
    for (int ch = 0; ch < 8; ++ch) {
        const int y = 40 + ch * 26;
        auto* label = new QLabel(QStringLiteral("Ch%1:").arg(ch), lines);
        label->setGeometry(10, y + 2, 40, 20);
        SetHigh[ch] =
            button(lines, QStringLiteral("1"), QStringLiteral("SetHigh_%1").arg(ch), 50, y, 40);
        SetLow[ch] =
            button(lines, QStringLiteral("0"), QStringLiteral("SetLow_%1").arg(ch), 94, y, 40);
        SetZ[ch] =
            button(lines, QStringLiteral("Z"), QStringLiteral("SetZ_%1").arg(ch), 138, y, 40);
        auto* use = new QLabel(QString::fromLatin1(uses[ch]), lines);
        use->setGeometry(200, y + 2, 240, 20);
        connect(SetHigh[ch], &QPushButton::clicked, this, [this, ch] { SetHigh_Click(ch); });
        connect(SetLow[ch], &QPushButton::clicked, this, [this, ch] { SetLow_Click(ch); });
        connect(SetZ[ch], &QPushButton::clicked, this, [this, ch] { SetZ_Click(ch); });
    }
    auto* macros = new QGroupBox(QStringLiteral("Add Macro Command"), this);
    const char* captions[] = {"Refresh Register Table ", "Write TX FIFO", "Read RX FIFO",
                              "Statusread"};
    // Each button as wide as its caption needs in the platform's font, so every caption shows
    // whole; the window widens with them where it must.
    int x = 8;
    for (int i = 0; i < 4; ++i) {
        const QString caption = QString::fromLatin1(captions[i]);
        const int width = std::max(90, fontMetrics().horizontalAdvance(caption) + 20);
        MacroCmd[i] = button(macros, caption, QStringLiteral("MacroCmd_%1").arg(i), x, 24, width);
        connect(MacroCmd[i], &QPushButton::clicked, this, [this, i] { MacroCmd_Click(i); });
        x += width + 4;
    }
    const int wide = std::max(454, x + 4);
    lines->setGeometry(8, 8, wide, 250);
    macros->setGeometry(8, 264, wide, 58);
    resize(wide + 16, 330);
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
