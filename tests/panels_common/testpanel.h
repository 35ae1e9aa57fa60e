#pragma once

#include "panels/common/chippanel.h"

class QCheckBox;

namespace krv::test {

// A panel with a configuration word, an AFC word and a FIFO word: enough of a chip to drive
// every operation the panel base carries out.
class TestPanel : public ChipPanel {
    Q_OBJECT
public:
    explicit TestPanel(ISMmain& main, ChipPanelDesign design = transceiverDesign());

    static ChipPanelDesign transceiverDesign();
    static ChipPanelDesign receiverDesign();
    // Registers the panel under the given form names, in place of the real panels.
    static void registerAs(const QStringList& names);

    void Form_Load() override;

    QLineEdit* Ctrlw;
    QLineEdit* PowerW;
    QLineEdit* AFCw;
    QLineEdit* FIFOw;
    QCheckBox* afcen;
    QCheckBox* ffillen;
    QCheckBox* EnRxFIFO;
    int frameModeCalls = 0;

    void SetFrameMode() override { ++frameModeCalls; }
    void CalcAFCw() override;
    void CalcFIFOw() override;

protected:
    QList<UpdateStep> updateSteps() override;
    bool dataLatchInUse() override;
    QList<long> calibrationWords() override { return {0x8208, 0x8218, 0x8208}; }
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return PowerW; }
    QList<QCheckBox*> synchronLatchBoxes() override { return {ffillen}; }
    QLineEdit* fifoWordBox() override { return FIFOw; }
    QCheckBox* afcEnableBox() override { return afcen; }
    QLineEdit* afcWordBox() override { return AFCw; }
    double frequencyStepKHz() override { return 2.5; }
};

} // namespace krv::test
