#pragma once

#include "receiverpanel.h"

namespace krv {

// The HR651 receiver panel, with its chip revision switch.
class DruskV1 : public ReceiverPanel {
    Q_OBJECT
public:
    explicit DruskV1(ISMmain& main);

    void Form_Load() override;
    void Revision_Click();

    // Hidden boxes that hold the revision list's two back colours.
    QLineEdit *Green, *Yellow;

protected:
    int indicatorForBit(int bit) override;

private:
    bool revisionRan_ = false;
};

} // namespace krv
