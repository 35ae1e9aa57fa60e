#pragma once

#include "panels/transmitter/mivrav2.h"
#include "panels/transmitter/pelkov1.h"
#include "sim/replies.h"
#include "sim/transmitterchip.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QTest>

namespace krv::test {

// Every word box of a HT531 or HT537 panel, in Update's order.
inline QStringList everyWord(PowerSettingPanel* p) {
    QStringList words;
    for (QLineEdit* box : {p->Ctrlw, p->Freqw, p->OutPowerw, p->PowerMw, p->LBDw, p->Wkupw})
        words << box->text();
    if (auto* pelko = qobject_cast<PelkoV1*>(p))
        words << pelko->Dataratew->text() << pelko->TB_PLLCmd->text();
    return words;
}

// Types into a box and presses Enter.
inline void enter(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The simulated board with a transmitter chip behind it; returns the chip.
inline sim::TransmitterChip& transmitterChip(Rig& rig) {
    auto chip = std::make_unique<sim::TransmitterChip>();
    sim::TransmitterChip& ref = *chip;
    rig.board().setChipModel(std::move(chip));
    return ref;
}

// Waits until the board has received `count` lines and nothing holds CommState.
inline bool waitForLines(Rig& rig, int count) {
    return waitUntil(
        [&] { return rig.board().receivedLines().size() >= count && rig.main().CommState == 0; });
}

// An "RI" reply with its own characters at 3 and 7, where the board puts the interrupt line.
inline QByteArray interruptReply(char third, char seventh) {
    return QByteArray("\r\n") + third + " RI" + seventh + ' ' + sim::replies::okEnding;
}

} // namespace krv::test
