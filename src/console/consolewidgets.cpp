#include "consolewidgets.h"

#include "consolelayout.h"
#include "registerbits.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace krv::console {

void paint(QWidget* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    box->setPalette(palette);
}

QColor background(const QWidget* box) {
    return box->palette().color(QPalette::Base);
}

BitBox::BitBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    setState(State::NoData);
}

void BitBox::setState(State state) {
    state_ = state;
    paint(this, state == State::One    ? colours::One
                : state == State::Zero ? colours::zero()
                                       : colours::nodata);
}

void BitBox::setBit(QChar bit) {
    setState(bit == u'1' ? State::One : bit == u'0' ? State::Zero : State::NoData);
}

QSize BitBox::sizeHint() const {
    return {digitsWidth(this, 5), QLineEdit::sizeHint().height()};
}

void BitBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
}

void OpeningList::showPopup() {
    Q_EMIT opening();
    QComboBox::showPopup();
}

FifoGrid::FifoGrid(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), view(new QTableView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(view);
    view->setObjectName(QStringLiteral("view"));
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    view->setFont(mono);
}

void FifoGrid::fitRows(int rows) {
    QHeaderView* header = view->horizontalHeader();
    const QFontMetrics metrics(view->font());
    // Room for the widest cell as well: a four-digit item number, else two characters.
    int width = 0;
    for (int column = 0; column < header->count(); ++column) {
        const QString cell = column == 0 ? QStringLiteral("4095") : QStringLiteral("WW");
        const int section =
            std::max(header->sectionSizeHint(column), metrics.horizontalAdvance(cell) + 8);
        header->resizeSection(column, section);
        width += section;
    }
    const int rowHeight = metrics.height() + 4;
    view->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int frame = 2 * view->frameWidth();
    view->setFixedSize(width + frame, header->sizeHint().height() + rows * rowHeight + frame);
}

} // namespace krv::console
