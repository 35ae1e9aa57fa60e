#pragma once

#include <QString>

class QWidget;

namespace krv {

class ISMmain;

// What the EEPROM tools read of the HT531 and HT537 panels, by name, without ever loading a
// panel: a panel that was never loaded has its fixed caption and the standard crystal.
class TxPanels {
public:
    explicit TxPanels(ISMmain& main) : main_(main) {}

    // The shown panel that feeds routines: the HT531 panel before the HT537 panel; nullptr when
    // neither is shown.
    QWidget* shown() const;
    // The text of a word box of the panel ("" when it has none).
    static QString word(QWidget* panel, const QString& name);
    // The crystal in Hz: the HT537 panel's while it is shown, else the HT531 panel's.
    long long xtalFrequency() const;
    QString caption(const QString& form) const;

    static QString ht531() { return QStringLiteral("MivraV2"); }
    static QString ht537() { return QStringLiteral("PelkoV1"); }

private:
    ISMmain& main_;
};

} // namespace krv
