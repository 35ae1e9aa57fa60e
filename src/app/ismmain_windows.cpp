#include "ismmain.h"
#include "krvform.h"
#include "wholetitle.h"

#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <limits>

namespace krv {

namespace {

// The place in client-area pixels a window asked for, kept until the user moves the window.
const char* const wantedPlace = "krvWantedPlace";
// The frame's PlaceRule.
const char* const placeRule = "krvPlaceRule";
// The number of the frame's first showing: windows shown earlier stand where they are.
const char* const openedAs = "krvOpenedAs";

bool isChipPanel(const QMdiSubWindow* frame) {
    return dynamic_cast<ChipPanelForm*>(frame->widget()) != nullptr;
}

qint64 openingOf(const QMdiSubWindow* frame) {
    const QVariant number = frame->property(openedAs);
    return number.isValid() ? number.toLongLong() : std::numeric_limits<qint64>::max();
}

} // namespace

void ISMmain::placeForm(QWidget* form, double topTwips, double leftTwips, PlaceRule rule) {
    if (QMdiSubWindow* frame = frameOf(form)) {
        const QPoint place(twipsToPixels(leftTwips), twipsToPixels(topTwips));
        frame->setProperty(wantedPlace, place);
        frame->setProperty(placeRule, int(rule));
        frame->move(place);
        keepInView(frame);
    }
}

void ISMmain::sizeForm(QWidget* form, double widthTwips, double heightTwips) {
    if (QMdiSubWindow* frame = frameOf(form)) {
        if (form->layout())
            form->layout()->activate();
        frame->resize(QSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips))
                          .expandedTo(frame->sizeHint()));
        keepInView(frame);
    }
}

void ISMmain::sizeDialog(QWidget* form, double widthTwips, double heightTwips) {
    QMdiSubWindow* frame = frameOf(form);
    if (!frame)
        return;
    frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    sizeForm(form, widthTwips, heightTwips);
    showWholeTitle(frame);
    frame->setFixedSize(frame->size());
}

void ISMmain::keepInView(QMdiSubWindow* frame) {
    // Before the main window is shown its client area has no size to go by.
    if (!mdi_->isVisible() || frame->isMinimized() || frame->isMaximized())
        return;
    const QVariant wanted = frame->property(wantedPlace);
    const QPoint place = wanted.isValid() ? wanted.toPoint() : frame->pos();
    const bool tool =
        wanted.isValid() && frame->property(placeRule).toInt() == int(PlaceRule::ClearOfOthers);
    frame->move(tool ? placeTool(sceneFor(frame), frame->size(), place)
                     : placeInView(mdi_->viewport()->rect(), frame->size(), place));
}

void ISMmain::keepAllInView() {
    // Each window settles after those opened before it, which it keeps clear of.
    QList<QMdiSubWindow*> frames = mdi_->subWindowList();
    std::ranges::stable_sort(frames, {}, openingOf);
    for (QMdiSubWindow* frame : std::as_const(frames)) {
        if (frame->isVisible())
            keepInView(frame);
    }
}

PlacementScene ISMmain::sceneFor(const QMdiSubWindow* frame) const {
    PlacementScene scene;
    scene.area = mdi_->viewport()->rect();
    QWidget* panel = shownPanel();
    const QMdiSubWindow* panelFrame = frameOf(panel);
    if (panelFrame && panelFrame != frame && panelFrame->isVisible()) {
        scene.panel = panelFrame->geometry();
        auto* chip = dynamic_cast<ChipPanelForm*>(panel);
        QWidget* update = chip ? chip->updateButton() : nullptr;
        if (update && update->isVisible())
            scene.keep = QRect(update->mapTo(mdi_->viewport(), QPoint(0, 0)), update->size());
    }
    const auto passing = [](const QMdiSubWindow* other) {
        const QVariant rule = other->property(placeRule);
        return rule.isValid() && rule.toInt() == int(PlaceRule::Passing);
    };
    for (const QMdiSubWindow* other : mdi_->subWindowList()) {
        if (other != frame && other != panelFrame && other->isVisible() && !isChipPanel(other) &&
            !passing(other) && openingOf(other) < openingOf(frame))
            scene.tools.append(other->geometry());
    }
    return scene;
}

void ISMmain::framePlacementEvent(QMdiSubWindow* frame, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The user takes hold of the window: it stays where the user puts it.
        frame->setProperty(wantedPlace, QVariant());
        break;
    case QEvent::Show:
        if (!frame->property(openedAs).isValid()) {
            frame->setProperty(openedAs, ++framesOpened_);
            const QMdiSubWindow* panel = frameOf(shownPanel());
            if (!frame->property(wantedPlace).isValid() && panel && panel->isVisible() &&
                !isChipPanel(frame)) {
                frame->setProperty(wantedPlace, QPoint(panel->geometry().right() + 1, 0));
                frame->setProperty(placeRule, int(PlaceRule::ClearOfOthers));
            }
        }
        keepInView(frame);
        break;
    case QEvent::Resize:
        // A placed window keeps to its place as its size settles.
        if (frame->isVisible() && frame->property(wantedPlace).isValid())
            keepInView(frame);
        break;
    default:
        break;
    }
}

void ISMmain::showSplash() {
    QWidget* splash = form(QStringLiteral("frm_Splash"));
    if (!splash)
        return;
    hideForm(splash);
    placeSplash();
    showForm(splash);
    SplashOn = true;
}

void ISMmain::placeSplash() {
    QWidget* splash = loadedForm(QStringLiteral("frm_Splash"));
    if (!splash)
        return;
    const double heightTwips = pixelsToTwips(height());
    const double widthTwips = pixelsToTwips(width());
    const double splashHeight = pixelsToTwips(splash->height());
    const double splashWidth = pixelsToTwips(splash->width());
    placeForm(splash, (heightTwips - 2000) / 2 - splashHeight / 2, widthTwips / 2 - splashWidth / 2,
              PlaceRule::Passing);
}

} // namespace krv
