#include "splash.h"

#include "ismmain.h"
#include "krvform.h"
#include "version.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace krv {

namespace {

constexpr int widthTwips = 6000;
constexpr int heightTwips = 3600;

} // namespace

frm_Splash::frm_Splash(ISMmain& main) : main_(main) {
    Label1 = named(new QLabel(this), "Label1");
    QFont versionFont = Label1->font();
    versionFont.setPointSize(8);
    Label1->setFont(versionFont);
    QPalette onArtwork = Label1->palette();
    onArtwork.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(onArtwork);
    Label1->installEventFilter(this);
    // The version line stands on the artwork where its design has it, below the title.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twipsToPixels(2520), twipsToPixels(1080),
                               layout->contentsMargins().right(),
                               layout->contentsMargins().bottom());
    layout->addWidget(Label1);
    layout->addStretch();
}

void frm_Splash::Form_Load() {
    Label1->setText(version::buildText());
    if (QMdiSubWindow* frame = main_.frameOf(this))
        frame->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    main_.sizeForm(this, widthTwips, heightTwips);
}

void frm_Splash::Form_Unload() {
    main_.SplashOn = false;
}

void frm_Splash::mousePressEvent(QMouseEvent* event) {
    event->accept();
    main_.unloadForm(objectName());
}

bool frm_Splash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress) {
        main_.unloadForm(objectName());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frm_Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(rect().topLeft(), rect().bottomRight());
    sky.setColorAt(0, QColor(0x12, 0x3a, 0x6b));
    sky.setColorAt(1, QColor(0x4f, 0x9d, 0xd6));
    painter.fillRect(rect(), sky);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(20, 20, -20, -rect().height() / 2), Qt::AlignLeft,
                     version::title());
    font.setPointSize(10);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(rect().adjusted(20, 0, -20, -20), Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("Sub-GHz ISM band FSK evaluation"));
}

} // namespace krv
