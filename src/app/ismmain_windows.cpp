#include "ismmain.h"
#include "krvform.h"
#include "wholetitle.h"

#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
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
// A tool window's frame as it was placed when it opened: its size changes grow from it.
const char* const standingAt = "krvStandingAt";
// The form name of the window a tool window stands beside.
const char* const partnerName = "krvPartner";
// The size in pixels a window restored from the workspace file takes when it is shown.
const char* const restoredSize = "krvRestoredSize";

bool isChipPanel(const QMdiSubWindow* frame) {
    return dynamic_cast<ChipPanelForm*>(frame->widget()) != nullptr;
}

qint64 openingOf(const QMdiSubWindow* frame) {
    const QVariant number = frame->property(openedAs);
    return number.isValid() ? number.toLongLong() : std::numeric_limits<qint64>::max();
}

bool hasRule(const QMdiSubWindow* frame, ISMmain::PlaceRule rule) {
    const QVariant value = frame->property(placeRule);
    return value.isValid() && value.toInt() == int(rule);
}

// The least a frame can be with its window's controls laid out.
QSize minimumFrameSize(const QMdiSubWindow* frame) {
    return frame->minimumSizeHint().expandedTo(frame->minimumSize());
}

// A tool window the program keeps placing: the user has not taken hold of it.
bool placedTool(const QMdiSubWindow* frame) {
    return frame->property(wantedPlace).isValid() &&
           hasRule(frame, ISMmain::PlaceRule::ClearOfOthers);
}

} // namespace

void ISMmain::placeForm(QWidget* form, double topTwips, double leftTwips, PlaceRule rule) {
    if (QMdiSubWindow* frame = frameOf(form)) {
        const QPoint place(twipsToPixels(leftTwips), twipsToPixels(topTwips));
        frame->setProperty(wantedPlace, place);
        frame->setProperty(placeRule, int(rule));
        frame->setProperty(standingAt, QVariant());
        frame->move(place);
        keepInView(frame);
    }
}

void ISMmain::placeRestored(QWidget* form, double topTwips, double leftTwips, QSizeF sizeTwips) {
    QMdiSubWindow* frame = frameOf(form);
    if (!frame)
        return;
    frame->setProperty(restoredSize, QVariant());
    if (sizeTwips.isValid()) {
        const QSize size(twipsToPixels(sizeTwips.width()), twipsToPixels(sizeTwips.height()));
        // Bounded by the screen for now, by the client area when the window shows.
        frame->resize(restoredFrame(QRect(QPoint(), screen()->availableSize()),
                                    minimumFrameSize(frame), QRect(QPoint(), size))
                          .size());
        frame->setProperty(restoredSize, size);
    }
    placeForm(form, topTwips, leftTwips, PlaceRule::InView);
}

void ISMmain::placeBeside(QWidget* form, QWidget* partner) {
    QMdiSubWindow* frame = frameOf(form);
    const QMdiSubWindow* other = frameOf(partner);
    if (!frame || !other)
        return;
    frame->setProperty(partnerName, partner->objectName());
    placeForm(form, 0, pixelsToTwips(other->geometry().right() + 1));
}

void ISMmain::placeCentred(QWidget* form) {
    if (const QMdiSubWindow* frame = frameOf(form)) {
        // The main window less the menu and toolbar rows above the client area, as the
        // windows' own design has it.
        const QRect area(0, 0, width(), height() - twipsToPixels(2000));
        const QPoint corner = krv::placeCentred(area, frame->size());
        placeForm(form, pixelsToTwips(corner.y()), pixelsToTwips(corner.x()), PlaceRule::Passing);
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
    const QRect area = mdi_->viewport()->rect();
    const QVariant wanted = frame->property(wantedPlace);
    if (!placedTool(frame)) {
        frame->move(
            placeInView(area, frame->size(), wanted.isValid() ? wanted.toPoint() : frame->pos()));
        return;
    }
    const QRect standing = frame->property(standingAt).toRect();
    frame->move(placeTool(sceneFor(frame), frame->size(), wanted.toPoint(), standing));
    if (!frame->isVisible())
        return;
    if (standing.isEmpty())
        frame->setProperty(standingAt, frame->geometry());
    else
        makeRoomFor(frame);
}

void ISMmain::makeRoomFor(const QMdiSubWindow* grown) {
    QList<QMdiSubWindow*> frames = mdi_->subWindowList();
    std::ranges::stable_sort(frames, {}, openingOf);
    QList<QRect> taken{grown->geometry()};
    for (QMdiSubWindow* frame : std::as_const(frames)) {
        if (openingOf(frame) <= openingOf(grown) || !frame->isVisible() || !placedTool(frame))
            continue;
        const bool covered = std::ranges::any_of(
            taken, [frame](const QRect& r) { return overlapsNoticeably(r, frame->geometry()); });
        if (!covered)
            continue;
        // It opens again, among the windows as they stand now.
        frame->setProperty(standingAt, QVariant());
        keepInView(frame);
        taken.append(frame->geometry());
    }
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

QList<QRect> ISMmain::keptParts(const QMdiSubWindow* frame) const {
    QList<QRect> parts;
    const auto* form = dynamic_cast<const KrvForm*>(frame->widget());
    if (!form)
        return parts;
    for (const QWidget* part : form->keptInSight()) {
        if (part && part->isVisible())
            parts.append(QRect(part->mapTo(mdi_->viewport(), QPoint(0, 0)), part->size()));
    }
    return parts;
}

PlacementScene ISMmain::sceneFor(const QMdiSubWindow* frame) const {
    PlacementScene scene;
    scene.area = mdi_->viewport()->rect();
    const QMdiSubWindow* panelFrame = frameOf(shownPanel());
    if (panelFrame && panelFrame != frame && panelFrame->isVisible()) {
        scene.panel = panelFrame->geometry();
        scene.kept = keptParts(panelFrame);
    }
    for (const QMdiSubWindow* other : mdi_->subWindowList()) {
        if (other == frame || other == panelFrame || !other->isVisible() || isChipPanel(other) ||
            hasRule(other, PlaceRule::Passing))
            continue;
        (openingOf(other) < openingOf(frame) ? scene.tools : scene.later).append(other->geometry());
        scene.kept += keptParts(other);
    }
    const QVariant partner = frame->property(partnerName);
    const QMdiSubWindow* partnerFrame =
        partner.isValid() ? frameOf(loadedForm(partner.toString())) : nullptr;
    if (partnerFrame && partnerFrame->isVisible())
        scene.partner = partnerFrame->geometry();
    return scene;
}

void ISMmain::framePlacementEvent(QMdiSubWindow* frame, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The user takes hold of the window: it stays where the user puts it.
        for (const char* property : {wantedPlace, standingAt, restoredSize})
            frame->setProperty(property, QVariant());
        break;
    case QEvent::Show:
        if (!frame->property(openedAs).isValid()) {
            frame->setProperty(openedAs, ++framesOpened_);
            if (!frame->property(wantedPlace).isValid() && !isChipPanel(frame)) {
                // A window without a place of its own opens by the tool windows' rule too.
                const QMdiSubWindow* panel = frameOf(shownPanel());
                const bool besidePanel = panel && panel->isVisible();
                frame->setProperty(wantedPlace, besidePanel
                                                    ? QPoint(panel->geometry().right() + 1, 0)
                                                    : frame->pos());
                frame->setProperty(placeRule, int(PlaceRule::ClearOfOthers));
            }
        }
        // A restored size is bounded by the client area as it is when the window shows.
        if (const QVariant size = frame->property(restoredSize);
            size.isValid() && mdi_->isVisible()) {
            frame->setProperty(restoredSize, QVariant());
            frame->setGeometry(
                restoredFrame(mdi_->viewport()->rect(), minimumFrameSize(frame),
                              QRect(frame->property(wantedPlace).toPoint(), size.toSize())));
        }
        keepInView(frame);
        break;
    case QEvent::Hide:
        // Hidden by itself (not with the main window), it opens again when it is shown again.
        if (frame->isHidden())
            frame->setProperty(standingAt, QVariant());
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
    if (QWidget* splash = loadedForm(QStringLiteral("frm_Splash")))
        placeCentred(splash);
}

} // namespace krv
