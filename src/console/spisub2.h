#pragma once

#include "app/krvform.h"

#include <QWidget>
#include <array>

class QPushButton;

namespace krv {

class ISMmain;

// The command palette: appends output-line commands and directives to the register console's
// selected batch.
class SPIsub2 : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit SPIsub2(ISMmain& main);

    void SetHigh_Click(int channel);
    void SetLow_Click(int channel);
    void SetZ_Click(int channel);
    void MacroCmd_Click(int index);

    std::array<QPushButton*, 8> SetHigh;
    std::array<QPushButton*, 8> SetLow;
    std::array<QPushButton*, 8> SetZ;
    std::array<QPushButton*, 4> MacroCmd;

private:
    void append(const QString& line);

    ISMmain& main_;
};

} // namespace krv
