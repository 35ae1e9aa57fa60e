#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace krv {

class ISMmain;

// The supply voltage a chip configuration file brings, kept to what a panel's supply box accepts
// (2.0 .. 5.4 V): the text stays as the file has it unless it was clamped.
struct FileVoltage {
    double volts = 0;
    QString text;
    QString message; // the supply box's clamp message, empty when none
};
FileVoltage fileVoltage(const QString& text);

// Puts a loaded voltage into effect after the main window's Pref_Voltage holds it: the clamp
// message, the copy into an open supply window, then the supply command, or with the board port
// closed "Communication fault." and the refusal.
void applyFileVoltage(ISMmain& main, QLineEdit* statusline, QWidget* parent,
                      const FileVoltage& voltage);

} // namespace krv
