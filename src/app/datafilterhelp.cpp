#include "datafilterhelp.h"

#include "ismmain.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>

namespace krv {

namespace {

struct Placed {
    int x, y;
    const char* text;
};

// The diagram's labels, in pixels of the drawing area; a symbol and its subscript are one label,
// so that neither covers the other whatever the font.
constexpr Placed diagramLabels[] = {
    {20, 52, "Demodulator"},
    {170, 32, "Digital LPF"},
    {170, 112, "Analog LPF"},
    {170, 192, "Digital LPF"},
    {20, 192, "RSSI"},
    {178, 152, "C<sub>ext</sub>"},
    {230, 152, "R<sub>int</sub> = 10k"},
    {330, 92, "Digital MUX"},
    {350, 152, "SEL"},
    {310, 176, "Filter type"},
    {100, 212, "OOK"},
    {70, 172, "Baseband signal"},
    {460, 86, "Data"},
    {150, 192, "*"},
    {12, 232, "*"},
    {22, 232, "only in HR651"},
};

// Boxes drawn behind the labels: demodulator, the three filters and the multiplexer.
constexpr QRect boxes[] = {{10, 40, 110, 40},
                           {160, 20, 100, 40},
                           {160, 100, 100, 40},
                           {160, 180, 100, 40},
                           {320, 60, 110, 80}};

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

constexpr int diagramHeight = 250;

} // namespace

Help_R1::Help_R1(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Data Filter Block Diagram"));
    setFixedSize(520, 620);
    int n = 0;
    for (const Placed& placed : diagramLabels) {
        auto* label = new QLabel(QString::fromUtf8(placed.text), this);
        label->setObjectName(QStringLiteral("Diagram%1").arg(++n));
        label->setTextFormat(Qt::RichText);
        label->move(placed.x, placed.y);
        label->adjustSize();
    }
    int top = diagramHeight;
    n = 0;
    for (const char* text : explanations) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QStringLiteral("Text%1").arg(++n));
        label->setWordWrap(true);
        label->setGeometry(10, top, 500, 10);
        label->setFixedWidth(500);
        label->adjustSize();
        top += label->height() + 8;
    }
    auto* mark = new QLabel(QStringLiteral("*"), this);
    mark->setObjectName(QStringLiteral("FootnoteMark"));
    mark->move(10, top);
    mark->adjustSize();
    auto* note = new QLabel(QString::fromUtf8(footnote), this);
    note->setObjectName(QStringLiteral("Footnote"));
    note->move(10 + mark->width() + 2, top);
    note->adjustSize();
    Close = new QPushButton(QStringLiteral("Close"), this);
    Close->setObjectName(QStringLiteral("Close"));
    Close->setGeometry(420, 580, 90, 28);
    connect(Close, &QPushButton::clicked, this, [this] { main_.unloadForm(objectName()); });
}

void Help_R1::Form_Load() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint);
        frame->resize(frame->sizeHint());
    }
}

void Help_R1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const QRect& box : boxes)
        painter.drawRect(box);
    // Signal paths: demodulator to the filters, filters to the multiplexer, out to Data.
    painter.drawLine(120, 60, 160, 40);
    painter.drawLine(120, 60, 160, 120);
    painter.drawLine(60, 180, 60, 200);
    painter.drawLine(60, 200, 160, 200);
    painter.drawLine(260, 40, 320, 80);
    painter.drawLine(260, 120, 320, 100);
    painter.drawLine(260, 200, 320, 120);
    painter.drawLine(375, 140, 375, 160);
    painter.drawLine(430, 100, 455, 100);
}

} // namespace krv
