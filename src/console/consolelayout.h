#pragma once

#include <QPushButton>

class QGroupBox;
class QLayout;
class QLineEdit;

namespace krv::console {

// The console's size rules. Its window has much to show and must fit a 1280x720 screen (a
// laptop at 150 %): boxes are as wide as their content needs in the font they have, captioned
// buttons as wide as their captions, and margins narrow. A wider font or a higher scale grows
// all of these with it.

inline constexpr int gap = 4;

// The layout with the console's narrow margins and spacing.
template <typename Layout> Layout* narrow(Layout* layout) {
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
    return layout;
}

// A group box titled `title` holding the layout.
QGroupBox* group(const QString& title, QLayout* layout);

// The width of a box showing `digits` digits of its font whole, its frame included.
int digitsWidth(const QLineEdit* box, int digits);
// Makes the box exactly as wide as `digits` digits of its font and its frame: for codes and
// numbers of a known length.
QLineEdit* digitsWide(QLineEdit* box, int digits);
// Makes the box at least that wide, and as wide as its row allows.
QLineEdit* digitsWideAtLeast(QLineEdit* box, int digits);

// A captioned button as wide as its caption needs, rather than the style's usual minimum width.
class TightButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace krv::console
