#include "wholetitle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace krv {

TitleRoom titleRoom(const QMdiSubWindow* frame) {
    QStyleOptionTitleBar option;
    option.initFrom(frame);
    option.text = frame->windowTitle();
    option.titleBarFlags = frame->windowFlags();
    option.titleBarState = int(frame->windowState());
    option.subControls = QStyle::SC_All;
    QStyle* style = frame->style();
    option.rect =
        QRect(0, 0, frame->width(), style->pixelMetric(QStyle::PM_TitleBarHeight, &option, frame));
    // In the title bar's own font, bold as some styles draw it, and with the margin styles keep
    // inside the label's place: never less than the title needs.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    constexpr int labelMargin = 16;
    const QRect label =
        style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, frame);
    return {label.width(), QFontMetrics(font).horizontalAdvance(option.text) + labelMargin};
}

void showWholeTitle(QMdiSubWindow* frame) {
    const TitleRoom room = titleRoom(frame);
    if (room.needed > room.given)
        frame->resize(frame->width() + room.needed - room.given, frame->height());
}

} // namespace krv
