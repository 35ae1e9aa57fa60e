#include "panelwidgets.h"

#include <QBoxLayout>
#include <algorithm>

namespace krv::panel {

void tightenRows(QWidget* panel) {
    for (QLayout* layout : panel->findChildren<QLayout*>()) {
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            grid->setVerticalSpacing(std::min(grid->verticalSpacing(), gridRowSpacing));
        } else if (auto* box = qobject_cast<QBoxLayout*>(layout);
                   box && (box->direction() == QBoxLayout::TopToBottom ||
                           box->direction() == QBoxLayout::BottomToTop)) {
            box->setSpacing(std::min(box->spacing(), stackSpacing));
        }
        QMargins margins = layout->contentsMargins();
        margins.setTop(std::min(margins.top(), frameMarginY));
        margins.setBottom(std::min(margins.bottom(), frameMarginY));
        layout->setContentsMargins(margins);
    }
}

} // namespace krv::panel
