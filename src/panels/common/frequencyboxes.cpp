#include "frequencyboxes.h"

#include "common/numbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace krv::freq {

float takeCrystalBox(QLineEdit* Crystalfreq, QLineEdit* Statusline) {
    Statusline->setText(QStringLiteral(" "));
    const Crystal crystal = crystalFromText(Crystalfreq->text());
    Crystalfreq->setText(crystal.text);
    if (!crystal.message.isEmpty())
        Statusline->setText(crystal.message);
    return crystal.factor;
}

int takeCentreFrequencyBox(QLineEdit* FreqCenter, QLineEdit* Statusline, BandFormula band,
                           float xtal) {
    const FrequencyField field = frequencyField(leadingNumber(FreqCenter->text()), band, xtal);
    if (!field.message.isEmpty()) {
        Statusline->setText(QStringLiteral(" "));
        Statusline->setText(field.message);
    }
    FreqCenter->setText(plainNumberText(centreFrequency(field.F, band, xtal)));
    return field.F;
}

void refillList(QComboBox* box, const QStringList& entries, int position) {
    {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
    box->setCurrentIndex(position);
}

} // namespace krv::freq
