#include "spi.h"

namespace krv {
void SPI::BatchRun_Click(int) {}
void SPI::BatchCommands_Click(int) {}
void SPI::BatchCommands_DblClick(int) {}
void SPI::ENLimit_Click() {}
void SPI::Reset_Click() {}
void SPI::M_Batch_Click(int, int) {}
void SPI::LoadBach_Click() {}
void SPI::SaveBatch_Click() {}
void SPI::setBatchText(int, const QString&) {}
void SPI::appendToBatch(int, const QString&) {}
int SPI::selectedBatch() const {
    return 0;
}
void SPI::WriteTXff_Click() {}
void SPI::ReadRXff_Click() {}
void SPI::ResetBER_Click() {}
void SPI::OpenTXff_Click() {}
void SPI::OpenRXff_Click() {}
void SPI::SaveTXff_Click() {}
void SPI::SaveRXff_Click() {}
void SPI::SaveSettings_Click() {}
void SPI::Command4_Click() {}
void SPI::LoadSettings_Click() {}
void SPI::SaveGUI_Click() {}
void SPI::LoadGUI_Click() {}
} // namespace krv
