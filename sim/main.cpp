#include "boardsimulator.h"
#include "terminationsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

using krv::sim::BoardSimulator;
using krv::sim::Personality;

namespace {

struct Options {
    Personality personality = Personality::Board2;
    int com = 1;
    QString logFile;
    std::optional<quint16> status;
    std::optional<int> current;
};

std::optional<Personality> parsePersonality(const QString& text) {
    if (text == "1") {
        return Personality::Board1;
    }
    if (text == "2") {
        return Personality::Board2;
    }
    if (text == "loader") {
        return Personality::Loader;
    }
    if (text == "monitor") {
        return Personality::Monitor;
    }
    return std::nullopt;
}

const char* describe(Personality personality) {
    switch (personality) {
    case Personality::Board1:
        return "board 1.x";
    case Personality::Board2:
        return "board 2.x";
    case Personality::Loader:
        return "firmware loader";
    case Personality::Monitor:
        return "packet monitor";
    }
    return "";
}

// Exits with a usage message on a bad option.
Options parseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulates a load board on a pseudo-terminal.");
    parser.addHelpOption();
    const QCommandLineOption personality("personality", "Board kind: 1, 2, loader or monitor.",
                                         "kind", "2");
    const QCommandLineOption com("com", "COM number to print in the --port entry.", "N", "1");
    const QCommandLineOption log("log", "Log every received line with a time stamp.", "FILE");
    const QCommandLineOption status("status", "Chip status word, 4 hex digits.", "HEX");
    const QCommandLineOption current("current", "Current converter value, 0 to 1023.", "N");
    parser.addOptions({personality, com, log, status, current});
    parser.process(app);

    Options options;
    const auto fail = [&parser](const QString& message) {
        std::fprintf(stderr, "krv-board-sim: %s\n\n%s", qPrintable(message),
                     qPrintable(parser.helpText()));
        std::exit(2);
    };
    const std::optional<Personality> kind = parsePersonality(parser.value(personality));
    if (!kind) {
        fail("unknown personality " + parser.value(personality));
    }
    options.personality = *kind;
    bool ok = false;
    options.com = parser.value(com).toInt(&ok);
    if (!ok || options.com < 1) {
        fail("bad COM number " + parser.value(com));
    }
    options.logFile = parser.value(log);
    if (parser.isSet(status)) {
        options.status = parser.value(status).toUShort(&ok, 16);
        if (!ok) {
            fail("bad status word " + parser.value(status));
        }
    }
    if (parser.isSet(current)) {
        options.current = parser.value(current).toInt(&ok);
        if (!ok) {
            fail("bad current value " + parser.value(current));
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    krv::sim::TerminationSignals terminationSignals;
    QCoreApplication app(argc, argv);
    app.setApplicationName("krv-board-sim");
    const Options options = parseOptions(app);

    BoardSimulator simulator(options.personality);
    if (options.status) {
        simulator.setStatusWord(*options.status);
    }
    if (options.current) {
        simulator.setCurrentReading(*options.current);
    }
    if (!options.logFile.isEmpty() && !simulator.setLogFile(options.logFile)) {
        std::fprintf(stderr, "krv-board-sim: cannot open log file %s\n",
                     qPrintable(options.logFile));
        return 1;
    }
    if (!terminationSignals.quitOnArrival(app)) {
        std::fprintf(stderr, "krv-board-sim: cannot watch for termination signals\n");
        return 1;
    }
    if (!simulator.start()) {
        std::fprintf(stderr, "krv-board-sim: cannot create a pseudo-terminal\n");
        return 1;
    }
    const QString path = simulator.devicePath();
    std::printf("krv-board-sim: %s on %s\n--port %d=%s\n", describe(options.personality),
                qPrintable(path), options.com, qPrintable(path));
    std::fflush(stdout);
    return app.exec();
}
