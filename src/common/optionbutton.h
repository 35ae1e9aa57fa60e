#pragma once

#include <QRadioButton>
#include <functional>

namespace krv {

// Runs the handler whenever the option becomes selected, by the user or by code.
inline void onSelected(QRadioButton* option, std::function<void()> handler) {
    QObject::connect(option, &QRadioButton::toggled, option, [handler](bool on) {
        if (on)
            handler();
    });
}

} // namespace krv
