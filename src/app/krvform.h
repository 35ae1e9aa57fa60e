#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace krv {

// A window of the program with the load and unload steps the main window runs when it creates
// the window on first touch and when it discards it.
class KrvForm {
public:
    virtual ~KrvForm() = default;
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // Another child window of the program became the active one / this one did.
    virtual void Form_Deactivate() {}
    virtual void Form_Activate() {}
    // The parts of the window the user needs in sight while working beside it (a chip panel's
    // Update button): a tool window that opens or grows never covers them.
    virtual QList<QWidget*> keptInSight() const { return {}; }
};

// A chip panel as the panel switcher sees it.
class ChipPanelForm : public KrvForm {
public:
    // Lays the panel out for the current B-variant mode; panels without variants ignore it.
    virtual void SetFrameMode() {}
    // The Update button, which takes the focus when the panel is shown.
    virtual QWidget* updateButton() = 0;
};

// Twips are the unit of every position stored in files: 15 twips to a pixel at 96 dpi. Any
// value, however absurd (huge, negative, not a number, as a damaged file may hold), gives a pixel
// count no larger than a widget can be, so that it can be bounded further.
inline int twipsToPixels(double twips) {
    constexpr double largest = QWIDGETSIZE_MAX;
    const double pixels = twips / 15.0;
    if (std::isnan(pixels))
        return 0;
    return int(std::clamp(pixels, -largest, largest));
}
inline int pixelsToTwips(int pixels) {
    return pixels * 15;
}

// A rectangle given in twips, in pixels.
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Names a control for the window's layout to place.
template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}
template <typename T> T* named(T* widget, const char* name) {
    return named(widget, QString::fromLatin1(name));
}

// A control that keeps its place while hidden, so that showing it moves nothing.
inline void keepPlaceWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

} // namespace krv
