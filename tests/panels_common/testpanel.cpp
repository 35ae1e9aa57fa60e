#include "testpanel.h"

#include "app/ismmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace krv::test {

TestPanel::TestPanel(ISMmain& main, ChipPanelDesign design) : ChipPanel(main, std::move(design)) {
    QWidget* first = addPage(QStringLiteral("Settings"));
    addPage(QStringLiteral("More"));
    auto* layout = new QVBoxLayout(first);
    afcen = new QCheckBox(QStringLiteral("Enable AFC"), first);
    afcen->setObjectName(QStringLiteral("afcen"));
    ffillen = new QCheckBox(QStringLiteral("Enable synchron latch"), first);
    ffillen->setObjectName(QStringLiteral("ffillen"));
    EnRxFIFO = new QCheckBox(QStringLiteral("Enable RX FIFO"), first);
    EnRxFIFO->setObjectName(QStringLiteral("EnRxFIFO"));
    for (QCheckBox* box : {afcen, ffillen, EnRxFIFO})
        layout->addWidget(box);
    Ctrlw = addWordBox(QStringLiteral("Ctrlw"), QStringLiteral("Configuration"));
    PowerW = addWordBox(QStringLiteral("PowerW"), QStringLiteral("Power"));
    AFCw = addWordBox(QStringLiteral("AFCw"), QStringLiteral("AFC"));
    FIFOw = addWordBox(QStringLiteral("FIFOw"), QStringLiteral("FIFO"));
    connect(afcen, &QCheckBox::toggled, this, [this] { CalcAFCw(); });
    connect(ffillen, &QCheckBox::toggled, this, [this] { CalcFIFOw(); });
}

ChipPanelDesign TestPanel::transceiverDesign() {
    ChipPanelDesign design;
    design.family = ChipPanelDesign::Family::Transceiver;
    design.updateClosedText = QStringLiteral(
        "Commport not available, please open commport. Control commands were not updated.");
    design.latchClosedText =
        QStringLiteral("Commport not available, please open commport. FIFO was not reset.");
    design.handlesSupply = true;
    design.afcOffWords = 2;
    design.offsetBits = 5;
    design.compactHeight = 8800;
    design.tallHeight = 9700;
    for (int i = 1; i <= 16; ++i)
        design.statusCaptions.append(QStringLiteral("B%1").arg(16 - i));
    design.hideProcedure = &ISMmain::YambleV3_hide;
    design.linkTestWindows = {QStringLiteral("Frm_YambleRfLinkTest")};
    return design;
}

ChipPanelDesign TestPanel::receiverDesign() {
    ChipPanelDesign design = transceiverDesign();
    design.family = ChipPanelDesign::Family::Receiver;
    design.handlesSupply = false;
    design.afcOffWords = 1;
    design.offsetBits = 6;
    design.hideProcedure = &ISMmain::DruskV1_hide;
    design.linkTestWindows = {QStringLiteral("DruskV1rflink"), QStringLiteral("DruskV1rflink_LB2")};
    return design;
}

void TestPanel::registerAs(const QStringList& names) {
    for (const QString& name : names) {
        const bool receiver = name == QStringLiteral("DruskV1") || name == QStringLiteral("Ovalt");
        ISMmain::registerForm(name, [receiver](ISMmain& main) {
            return new TestPanel(main, receiver ? receiverDesign() : transceiverDesign());
        });
    }
}

void TestPanel::Form_Load() {
    ChipPanel::Form_Load();
    showWord(Ctrlw, 0x80D7);
    showWord(PowerW, 0x8208);
    CalcAFCw();
    CalcFIFOw();
}

void TestPanel::CalcAFCw() {
    const long word = 0xC4F6 | (afcen->isChecked() ? 1 : 0);
    if (StatusReadActive)
        AFCw->setText(QString::number(word, 16).toUpper());
    else
        showWord(AFCw, word);
}

void TestPanel::CalcFIFOw() {
    const long word = 0xCA81 | (ffillen->isChecked() ? 2 : 0);
    if (takeSuppressUpdateMark())
        FIFOw->setText(QString::number(word, 16).toUpper());
    else
        showWord(FIFOw, word);
}

QList<ChipPanel::UpdateStep> TestPanel::updateSteps() {
    return {UpdateStep::wordBox(Ctrlw), UpdateStep::dataLatch(), UpdateStep::wordBox(PowerW),
            UpdateStep::wordBox(AFCw), UpdateStep::wordBox(FIFOw)};
}

bool TestPanel::dataLatchInUse() {
    return EnRxFIFO->isChecked();
}

void TestPanel::showCalibrationWord(long word) {
    PowerW->setText(QString::number(word, 16).toUpper());
}

} // namespace krv::test
