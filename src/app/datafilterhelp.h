#pragma once

#include "krvform.h"

#include <QWidget>

class QPushButton;

namespace krv {

class ISMmain;

// The data filter's block diagram with its explanations, opened from the receiver and
// transceiver panels.
class Help_R1 : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Help_R1(ISMmain& main);

    void Form_Load() override;

    QPushButton* Close;

private:
    ISMmain& main_;
};

} // namespace krv
