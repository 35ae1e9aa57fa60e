#pragma once

// Size rules of the content editor and its command editor: both are laid out by Qt layouts, so a
// wider font or a higher scale grows their content rather than cutting it.

#include "app/krvform.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMargins>
#include <QPushButton>
#include <QString>
#include <initializer_list>

namespace krv::editorlayout {

// An element of a control array: "name_index".
template <typename T> T* element(T* widget, const char* name, int index) {
    widget->setObjectName(QString::fromLatin1(name) + u'_' + QString::number(index));
    return widget;
}

// Between the rows of a button column: close together, as the windows were designed.
inline constexpr int buttonSpacing = 3;

// Around a window's content: narrow, so that the windows stay near their design size.
inline const QMargins windowMargins(6, 6, 6, 6);

// Inside a frame: narrow margins and rows close together.
inline void denseFrame(QBoxLayout* layout) {
    layout->setContentsMargins(6, 3, 6, 4);
    layout->setSpacing(buttonSpacing);
}

inline QVBoxLayout* column(int spacing = buttonSpacing) {
    auto* box = new QVBoxLayout;
    box->setSpacing(spacing);
    return box;
}

// A row of controls side by side; its buttons share what the other controls leave of the width,
// and without buttons the controls keep to the left.
inline QHBoxLayout* row(std::initializer_list<QWidget*> controls) {
    auto* line = new QHBoxLayout;
    bool buttons = false;
    for (QWidget* control : controls) {
        const bool button = qobject_cast<QPushButton*>(control);
        line->addWidget(control, button ? 1 : 0);
        buttons = buttons || button;
    }
    if (!buttons)
        line->addStretch(1);
    return line;
}

// A text box takes the height its layout gives it, never less than `lines` lines of its font: the
// window's design size decides how tall it opens. Its scroll bar shows only when the text needs
// it.
inline void growingBox(QAbstractScrollArea* box, int lines, int stretch, QBoxLayout* into) {
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    box->setMinimumHeight(lines * box->fontMetrics().lineSpacing() + 2 * box->frameWidth() + 8);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    into->addWidget(box, stretch);
}

// A box just wide enough for `characters` characters of its font.
inline void fitWidth(QLineEdit* box, int characters) {
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(characters + 1, u'0')) + 12);
}

} // namespace krv::editorlayout
