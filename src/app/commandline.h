#pragma once

#include "startoptions.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv {

// What the command line asks of a run that goes on to the main window.
struct CommandLine {
    QString home;
    QString label;
    // --port entries, then KRV_PORTS beneath them.
    QMap<int, QString> ports;
    StartOptions start;
};

// Reads the arguments as the program was given them (Qt's own, such as -platform and -style,
// are let through for QApplication) and the KRV_PORTS variable, before anything is shown or
// written. Returns the exit code when the run ends here: --help and --version print to stdout
// and give 0; an unknown option or a value that cannot be used prints one line naming it on
// stderr and gives 2. Otherwise fills `line` and returns nothing.
std::optional<int> readCommandLine(const QStringList& arguments, const QString& portsVariable,
                                   CommandLine& line);

// Ends a run refused after the command line was read (an --open name no menu has): one line
// on stderr; gives 2.
int refuseCommandLine(const QString& why);

} // namespace krv
