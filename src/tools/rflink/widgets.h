#pragma once

#include "app/krvform.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

// Small builders for the link tools' named controls.
namespace krv::rflink {

using krv::named;

inline QPushButton* button(const char* name, const QString& caption) {
    return named(new QPushButton(caption), name);
}
inline QCheckBox* checkBox(const char* name, const QString& caption, bool checked = false) {
    auto* box = named(new QCheckBox(caption), name);
    box->setChecked(checked);
    return box;
}
inline QRadioButton* option(const char* name, const QString& caption, bool selected = false) {
    auto* box = named(new QRadioButton(caption), name);
    box->setChecked(selected);
    return box;
}
inline QLineEdit* textBox(const char* name, const QString& text,
                          Qt::Alignment alignment = Qt::AlignLeft) {
    auto* box = named(new QLineEdit(text), name);
    box->setAlignment(alignment);
    return box;
}
inline QGroupBox* frame(const char* name, const QString& caption) {
    return named(new QGroupBox(caption), name);
}
inline QLabel* label(const char* name, const QString& caption) {
    return named(new QLabel(caption), name);
}

// A layout with narrow margins and gaps: the link tools keep near their design size.
template <typename Layout> Layout* dense(Layout* layout) {
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(3);
    return layout;
}

// A box just wide enough for its longest value.
inline void fitWidth(QLineEdit* box, const QString& longest) {
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(longest) + 12);
}

// A button just wide enough for its caption (or the longest it takes), where the style would
// give every button a wide minimum.
inline QPushButton* fitted(QPushButton* button, const QString& longest = {}) {
    QString caption = longest.isEmpty() ? button->text() : longest;
    caption.remove(u'&');
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(caption) + 16);
    return button;
}

// A box that is shown but only the program writes.
inline QLineEdit* readOnlyBox(const char* name, const QString& text,
                              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* box = textBox(name, text, alignment);
    box->setReadOnly(true);
    return box;
}

} // namespace krv::rflink
