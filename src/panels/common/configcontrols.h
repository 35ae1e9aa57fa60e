#pragma once

#include "configitems.h"

#include <optional>

class QWidget;

namespace krv {

class ISMmain;

// Between a chip panel's controls and its configuration file: every panel reads and stores its
// items here, by the controls' names, so the store rule is the same for all of them.

// The values of the items from the panel's controls and the main window's variables.
ConfigValues collectConfigValues(const QWidget& panel, const ISMmain& main,
                                 const QList<ConfigItem>& items);

// Stores one item into its control as the user's change of that control would, so that the
// control's handler runs when the value changes: an option stored #TRUE# is selected (#FALSE#
// only confirms the group's other option), a check box takes 0, 1 or 2, a list its index or its
// text (a text that is no entry of a choose-only list leaves it as it was), a scroll bar its
// position, a box its text. "Pref_Voltage" goes into the main window, kept to what a supply box
// takes; "Pref_RxLinkTimeout" too.
void storeConfigValue(QWidget& panel, ISMmain& main, const ConfigItem& item,
                      const ConfigValues& values);

// The file chosen in the panel's save or open dialog, started in Project_Configurations with the
// pattern preset. Empty when cancelled (the pattern coming back unchanged counts as cancel) or
// when the name has another extension, which is said ("File type not supported!").
QString chooseConfigFile(const ConfigFileType& type, bool save, QWidget* parent);

// Reads and checks a whole file; a failure is shown ("Error occured:" ... "Please try again!",
// title "File open error") and gives nothing. `lineBreak` breaks the message's line.
std::optional<ConfigValues> loadConfigFile(const ConfigFileType& type, const QString& path,
                                           const QString& lineBreak, QWidget* parent);

// Writes the file through QSaveFile; a failure is shown ("Error occured:" ... "Please try
// again", title "File save error").
void saveConfigFile(const ConfigFileType& type, const QString& path, const ConfigValues& values,
                    const QString& lineBreak, QWidget* parent);

} // namespace krv
