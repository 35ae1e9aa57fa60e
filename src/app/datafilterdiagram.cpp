#include "datafilterdiagram.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace krv {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::RichText);
    return l;
}

// A block of the diagram: its name in a box.
QLabel* block(QWidget* parent, const char* name, const QString& text) {
    QLabel* b = label(parent, name, text);
    b->setFrameShape(QFrame::Box);
    b->setAlignment(Qt::AlignCenter);
    b->setMargin(b->fontMetrics().height() / 3);
    return b;
}

QPoint leftMiddle(const QWidget* w) {
    return {w->geometry().left(), w->geometry().center().y()};
}
QPoint rightMiddle(const QWidget* w) {
    return {w->geometry().right(), w->geometry().center().y()};
}

} // namespace

DataFilterDiagram::DataFilterDiagram(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Diagram"));
    demodulator_ = block(this, "Demodulator", QStringLiteral("Demodulator"));
    rssi_ = block(this, "Rssi", QStringLiteral("RSSI"));
    fskFilter_ = block(this, "DigitalLpf", QStringLiteral("Digital LPF"));
    analogFilter_ = block(this, "AnalogLpf", QStringLiteral("Analog LPF"));
    ookFilter_ = block(this, "OokDigitalLpf", QStringLiteral("Digital LPF"));
    multiplexer_ = block(this, "DigitalMux", QStringLiteral("Digital MUX"));
    select_ = label(this, "Sel", QStringLiteral("SEL"));
    filterType_ = label(this, "FilterType", QStringLiteral("Filter type"));
    data_ = label(this, "Data", QStringLiteral("Data"));

    auto* parts = new QHBoxLayout;
    parts->addWidget(label(this, "Cext", QStringLiteral("C<sub>ext</sub>")));
    parts->addSpacing(fontMetrics().horizontalAdvance(u'M'));
    parts->addStretch();
    parts->addWidget(label(this, "Rint", QStringLiteral("R<sub>int</sub> = 10k")));
    auto* ookFilter = new QHBoxLayout;
    ookFilter->setSpacing(2);
    ookFilter->addWidget(label(this, "OokMark", QStringLiteral("*")), 0, Qt::AlignTop);
    ookFilter->addWidget(ookFilter_, 1);
    auto* ookPath = new QVBoxLayout;
    ookPath->addWidget(label(this, "Baseband", QStringLiteral("Baseband signal")));
    ookPath->addStretch();
    ookPath->addWidget(label(this, "Ook", QStringLiteral("OOK")));
    auto* note = new QHBoxLayout;
    note->setSpacing(2);
    note->addWidget(label(this, "NoteMark", QStringLiteral("*")));
    note->addWidget(label(this, "NoteText", QStringLiteral("only in HR651")));
    note->addStretch();

    // Columns: sources, the OOK path's labels, the filters, the multiplexer, the output.
    const int gap = fontMetrics().horizontalAdvance(QStringLiteral("MM"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(gap);
    grid->addWidget(demodulator_, 0, 0, 2, 1, Qt::AlignVCenter);
    grid->addWidget(fskFilter_, 0, 2);
    grid->addWidget(analogFilter_, 1, 2);
    grid->addLayout(parts, 2, 2);
    grid->addWidget(rssi_, 3, 0, Qt::AlignVCenter);
    grid->addLayout(ookPath, 3, 1);
    grid->addLayout(ookFilter, 3, 2);
    grid->addWidget(multiplexer_, 0, 3, 4, 1);
    grid->addWidget(select_, 4, 3, Qt::AlignHCenter);
    grid->addWidget(filterType_, 5, 3, Qt::AlignHCenter);
    grid->addWidget(data_, 0, 4, 4, 1, Qt::AlignVCenter);
    grid->addLayout(note, 5, 0, 1, 3);
}

void DataFilterDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const auto connect = [&painter](QPoint from, QPoint to) {
        // Across, then up or down at the half-way point, then across again.
        const int turn = (from.x() + to.x()) / 2;
        painter.drawPolyline(QList<QPoint>{from, {turn, from.y()}, {turn, to.y()}, to});
    };
    connect(rightMiddle(demodulator_), leftMiddle(fskFilter_));
    connect(rightMiddle(demodulator_), leftMiddle(analogFilter_));
    connect(rightMiddle(rssi_), leftMiddle(ookFilter_));
    const QRect mux = multiplexer_->geometry();
    for (const QLabel* filter : {fskFilter_, analogFilter_, ookFilter_})
        painter.drawLine(rightMiddle(filter), {mux.left(), rightMiddle(filter).y()});
    painter.drawLine(rightMiddle(multiplexer_), leftMiddle(data_));
    // The filter type drives the multiplexer's select input.
    painter.drawLine(QPoint(mux.center().x(), mux.bottom()),
                     QPoint(mux.center().x(), select_->geometry().top()));
    painter.drawLine(QPoint(mux.center().x(), select_->geometry().bottom()),
                     QPoint(mux.center().x(), filterType_->geometry().top()));
}

} // namespace krv
