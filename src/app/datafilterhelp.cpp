#include "datafilterhelp.h"

#include "datafilterdiagram.h"
#include "ismmain.h"
#include "krvform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace krv {

namespace {

const char* const explanations[] = {
    "The goal of the data filter block is to eliminate the noise from the demodulated data.",
    "<b>Digital Low Pass Filter</b><br>A digital form of an analog RC filter followed by a "
    "comparator with hysteresis. Its time constant follows the bit rate set by the data-rate "
    "command.",
    "<b>Analog Low Pass Filter</b><br>Basically an RC low-pass filter. When it is selected an "
    "external capacitor must be connected to pin 7 of the chip, chosen so that the time constant "
    "is about one third of the data-bit time. The internal resistor is 10 k\u03A9 \u00B115%.",
    "<b>Digital Low Pass Filter in OOK mode (available only in the HR651)</b><br>For on/off "
    "keying only the digital low-pass mode is available: the RSSI (received signal strength) of "
    "the baseband signal then feeds the digital filter. Available from chip revision F.",
    "<b>Tip For Beginners:</b><br>Use the default settings: filter type digital LPF, DQD "
    "parameter 4.",
};

const char* const footnote = ": The OOK mode is available only in the HR651";

constexpr int charactersPerLine = 64;

} // namespace

Help_R1::Help_R1(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Data Filter Block Diagram"));
    auto* layout = new QVBoxLayout(this);
    auto* diagram = new DataFilterDiagram(this);
    layout->addWidget(diagram, 0, Qt::AlignLeft);
    // The explanations take about as many characters a line as this font has room for in the
    // design's width, and as many lines as they need at that width.
    const int width =
        std::max(diagram->sizeHint().width(), fontMetrics().averageCharWidth() * charactersPerLine);
    int n = 0;
    for (const char* text : explanations) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QStringLiteral("Text%1").arg(++n));
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        label->setFixedSize(width, label->heightForWidth(width));
        layout->addWidget(label);
    }
    auto* note = new QHBoxLayout;
    note->setSpacing(2);
    note->addWidget(named(new QLabel(QStringLiteral("*"), this), "FootnoteMark"));
    note->addWidget(named(new QLabel(QString::fromUtf8(footnote), this), "Footnote"));
    note->addStretch();
    layout->addLayout(note);
    layout->addStretch();
    Close = named(new QPushButton(QStringLiteral("Close"), this), "Close");
    layout->addWidget(Close, 0, Qt::AlignRight);
    connect(Close, &QPushButton::clicked, this, [this] { main_.unloadForm(objectName()); });
}

void Help_R1::Form_Load() {
    main_.sizeDialog(this, 0, 0);
}

} // namespace krv
