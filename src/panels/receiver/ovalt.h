#pragma once

#include "panels/common/patternbox.h"
#include "receiverpanel.h"

#include <optional>

namespace krv {

// The HR658 receiver panel, with its extended wake-up timer, synchron pattern and extended
// features.
class Ovalt : public ReceiverPanel {
    Q_OBJECT
public:
    explicit Ovalt(ISMmain& main);

    void Form_Load() override;
    void ITlevelNr_Change() override;
    void ITlevelNr_LostFocus();
    void TB_SP_Change();
    void TB_SP_LostFocus();
    void CalcEFw();

    QLineEdit *TB_F5F4, *TB_SP, *EFw;
    QCheckBox *CB_exlp, *CB_exr, *CB_dcal;
    QRadioButton *OB_128bit, *OB_512bit;
    QComboBox* CB_PLLBW;

protected:
    QList<UpdateStep> updateSteps() override;
    void afterFifoWord() override;
    void itemLoaded(const QString& name) override;

private:
    std::optional<PatternByteBox> patternBox_;
};

} // namespace krv
