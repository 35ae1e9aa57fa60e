#pragma once

#include "krvform.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace krv {

class ISMmain;

// The About box: program name, version, support address and the system information.
class frmAbout : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frmAbout(ISMmain& main);

    void Form_Load() override;
    // Shows what the platform reports about this machine, or that it reports nothing.
    void StartSysInfo();
    // The machine's description; empty when the platform reports nothing.
    static QString systemInformation();

    QLabel* picIcon;
    QLabel* Label1;
    QLabel* lblDescription;
    QLabel* Label3;
    QLabel* lblVersion;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

private:
    ISMmain& main_;
};

} // namespace krv
