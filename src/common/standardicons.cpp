#include "standardicons.h"

#include <QApplication>
#include <QHash>
#include <QIcon>

namespace krv {

namespace {

QHash<int, QIcon>* icons = nullptr;

// Before the application's end, while its platform still stands to free their pixmaps.
void dropIcons() {
    delete icons;
    icons = nullptr;
}

} // namespace

const QIcon& standardIcon(QStyle::StandardPixmap which) {
    if (!icons) {
        icons = new QHash<int, QIcon>;
        qAddPostRoutine(dropIcons);
    }
    auto icon = icons->find(which);
    if (icon == icons->end())
        icon = icons->insert(which, QApplication::style()->standardIcon(which));
    return *icon;
}

} // namespace krv
