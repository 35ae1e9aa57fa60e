#pragma once

#include "powersettingpanel.h"

namespace krv {

// The HT531 transmitter panel, also the HT531B in the B-variant layout.
class MivraV2 : public PowerSettingPanel {
    Q_OBJECT
public:
    explicit MivraV2(ISMmain& main);

    void Form_Load() override;
    void SetFrameMode() override;
    void Revision_Click();

protected:
    QList<UpdateStep> updateSteps() override;
    int powerBits() const override { return RevisionFlag == 0 ? 2 : 3; }
    long ookBit() const override { return RevisionFlag == 0 ? 4 : 8; }
    void itemStored(const QString& name, const ConfigValues& values) override;
    void afterConfigItems() override;
    QStringList fileEntries(QComboBox* list, const ConfigValues& values) const override;

private:
    // 0 for "'C' or below" (four power levels, OOK in bit 2), 1 for "'D' or above".
    long RevisionFlag = 0;
};

} // namespace krv
