#pragma once

#include "krvform.h"

#include <QWidget>

class QLabel;

namespace krv {

class ISMmain;

// The list of the chips the program supports.
class Products : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Products(ISMmain& main);

    void Form_Load() override;

    QLabel* Label1;

private:
    ISMmain& main_;
};

} // namespace krv
