#pragma once

// Small builders and readers for the named controls of the chip panels.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <functional>

namespace krv::panel {

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A number box of the settings pages; read-only boxes show what the panel works out.
inline QLineEdit* numberBox(QWidget* parent, const QString& name, int maximumWidth,
                            bool readOnly = false) {
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(readOnly);
    box->setMaximumWidth(maximumWidth);
    return box;
}

// Runs the handler whenever the option becomes selected, by the user or by code.
inline void onSelected(QRadioButton* option, std::function<void()> handler) {
    QObject::connect(option, &QRadioButton::toggled, option, [handler](bool on) {
        if (on)
            handler();
    });
}

// A check box counts as set only when it is checked, never when it is greyed.
inline int bitOf(const QCheckBox* box) {
    return box->checkState() == Qt::Checked ? 1 : 0;
}

} // namespace krv::panel
