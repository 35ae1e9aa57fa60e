#pragma once

#include "krvform.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace krv {

class ISMmain;
class UpDown;

// The preferences dialog: the board scan's port range and the two start-up options, saved in
// KRV.ini and copied into the main window.
class Preferences : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Preferences(ISMmain& main);

    void Form_Load() override;

    QTabBar* TabStrip1;
    std::array<QFrame*, 4> Frame_pref_tabs{}; // pages 1..3
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* ComNr_min;
    UpDown* UpDown1;
    QLabel* Label3;
    QLineEdit* ComNr_max;
    UpDown* UpDown2;
    QCheckBox* LoadWS;
    QCheckBox* CCautoLoad;
    QCheckBox* EnLB_FWload;
    QPushButton* Exit;
    QPushButton* Save;
    long CurrentTab = 1;

private:
    void TabStrip1_Click();
    void ComNr_Change(QLineEdit* box);
    void UpDown1_UpClick();
    void UpDown2_DownClick();
    void EnLB_FWload_Click();
    void Save_Click();
    void Exit_Click();

    ISMmain& main_;
};

} // namespace krv
