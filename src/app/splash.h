#pragma once

#include "krvform.h"

#include <QWidget>

class QLabel;

namespace krv {

class ISMmain;

// The start-up picture with the version; any click on it closes it.
class frm_Splash : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frm_Splash(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    QLabel* Label1;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ISMmain& main_;
};

} // namespace krv
