#pragma once

#include "app/krvform.h"

#include <QCheckBox>
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

// A box that is shown but only the program writes.
inline QLineEdit* readOnlyBox(const char* name, const QString& text,
                              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* box = textBox(name, text, alignment);
    box->setReadOnly(true);
    return box;
}

} // namespace krv::rflink
