#include "loadedcheckbox.h"

#include <QCheckBox>

namespace krv {

namespace {

const char* const GreyableProperty = "krvGreyable";

// A press comes before the click moves the box on: a box that is not grey by then would go on
// to grey, so the third state ends there.
void endThirdStateOnUserClick(QCheckBox* box) {
    if (box->property(GreyableProperty).toBool())
        return;
    box->setProperty(GreyableProperty, true);
    QObject::connect(box, &QAbstractButton::pressed, box, [box] {
        if (box->checkState() != Qt::PartiallyChecked)
            box->setTristate(false);
    });
}

} // namespace

void setLoadedCheckValue(QCheckBox* box, long long value) {
    if (value == 2) {
        endThirdStateOnUserClick(box);
        box->setTristate(true);
    }
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

} // namespace krv
