#include "commandline.h"

#include "link/portmap.h"
#include "version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <cstdio>

namespace krv {

namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows these options and exits.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the program's version and exits.")};
    QCommandLineOption home{QStringLiteral("home"),
                            QStringLiteral("Keeps settings, workspace and register database in "
                                           "DIR (else KRV_HOME, else ~/.local/share/KRV/program)."),
                            QStringLiteral("DIR")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Makes the device PATH COM N, repeatable (also "
                                           "KRV_PORTS=\"N=PATH,...\"); the scan then sees only "
                                           "these ports."),
                            QStringLiteral("N=PATH")};
    QCommandLineOption label{QStringLiteral("label"),
                             QStringLiteral("Adds \" - TEXT\" to the main window's title."),
                             QStringLiteral("TEXT")};
    QCommandLineOption open{QStringLiteral("open"),
                            QStringLiteral("Opens the menu items (mnuViewTRx) and windows "
                                           "(Frm_YambleRfLinkTest) of these names in turn, each "
                                           "once it can be chosen."),
                            QStringLiteral("NAME,...")};
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Saves the main window as a picture once the "
                                                 "program has settled, and quits."),
                                  QStringLiteral("FILE")};

    QList<QCommandLineOption> all() const {
        return {help, version, home, port, label, open, screenshot};
    }
};

// The options QApplication takes from the command line itself; KRV lets them through.
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> options;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qmljsdebugger", "qwindowgeometry", "geometry", "qwindowicon", "icon",
                             "qwindowtitle", "title", "session", "display", "style", "stylesheet"})
        options.append(QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("VALUE")));
    for (const char* name : {"reverse", "widgetcount"})
        options.append(QCommandLineOption(QString::fromLatin1(name), QString()));
    for (QCommandLineOption& option : options)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

// One line an option, its names and value in a column as wide as the widest.
QString helpText(const Options& options) {
    QList<std::pair<QString, QString>> rows;
    qsizetype width = 0;
    for (const QCommandLineOption& option : options.all()) {
        QStringList names;
        for (const QString& name : option.names())
            names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += u' ' + option.valueName();
        width = std::max(width, left.size());
        rows.append({left, option.description()});
    }
    QString text = QStringLiteral("Usage: krv [options]\n"
                                  "Evaluates and configures the HT53x, HR65x and HC91x radio "
                                  "chips on their load board.\n\nOptions:\n");
    for (const auto& [left, description] : rows)
        text += QStringLiteral("  ") + left.leftJustified(width + 2) + description + u'\n';
    return text;
}

// The image formats a picture can be saved in, by the file's extension.
QString checkScreenshot(const QString& file) {
    const QFileInfo info(file);
    const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
    if (!formats.contains(info.suffix().toLower().toLatin1()))
        return QStringLiteral("--screenshot %1: the extension names no image format KRV writes "
                              "(%2)")
            .arg(file, QString::fromLatin1(formats.join(", ")));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return QStringLiteral("--screenshot %1: cannot write into the folder %2")
            .arg(file, folder.filePath());
    return {};
}

// The pins of every --port, each a device that exists, then those of KRV_PORTS beneath them.
QString readPorts(const QStringList& values, const QString& portsVariable,
                  QMap<int, QString>& ports) {
    const PortMap::Pins variable = PortMap::parsePins(portsVariable);
    if (!variable.error.isEmpty())
        return QStringLiteral("KRV_PORTS: ") + variable.error;
    ports = variable.entries;
    for (const QString& value : values) {
        const PortMap::Pins pins = PortMap::parsePins(value);
        if (!pins.error.isEmpty() || pins.entries.isEmpty())
            return QStringLiteral("--port %1: %2")
                .arg(value, pins.error.isEmpty() ? QStringLiteral("no N=PATH") : pins.error);
        for (auto it = pins.entries.cbegin(); it != pins.entries.cend(); ++it) {
            if (!QFileInfo::exists(it.value()))
                return QStringLiteral("--port %1: there is no device %2").arg(value, it.value());
            ports.insert(it.key(), it.value());
        }
    }
    return {};
}

} // namespace

std::optional<int> readCommandLine(const QStringList& arguments, const QString& portsVariable,
                                   CommandLine& line) {
    const Options options;
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform); ours read the same with one dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options.all());
    parser.addOptions(qtOptions());
    if (!parser.parse(arguments))
        return refuseCommandLine(parser.errorText());
    if (parser.isSet(options.help)) {
        std::fputs(qPrintable(helpText(options)), stdout);
        return 0;
    }
    if (parser.isSet(options.version)) {
        std::printf("krv %s\n", qPrintable(version::number()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuseCommandLine(QStringLiteral("unexpected argument '%1' (options start with --)")
                                     .arg(parser.positionalArguments().constFirst()));
    QString error = readPorts(parser.values(options.port), portsVariable, line.ports);
    line.start.screenshot = parser.value(options.screenshot);
    if (error.isEmpty() && parser.isSet(options.screenshot))
        error = checkScreenshot(line.start.screenshot);
    if (!error.isEmpty())
        return refuseCommandLine(error);
    line.home = parser.value(options.home);
    line.label = parser.value(options.label);
    line.start.open = parser.value(options.open).split(u',', Qt::SkipEmptyParts);
    return std::nullopt;
}

int refuseCommandLine(const QString& why) {
    std::fprintf(stderr, "krv: %s\n", qPrintable(why));
    return 2;
}

} // namespace krv
