#include "air.h"
#include "boardsimulator.h"
#include "radio.h"
#include "registerchip.h"
#include "terminationsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <vector>

using krv::sim::BoardSimulator;
using krv::sim::Personality;

namespace {

struct Options {
    // One board per entry, all on one air.
    std::vector<Personality> personalities{Personality::Board2};
    double lossPercent = 0.0;
    double bitErrorRate = 0.0;
    quint32 seed = 1;
    int com = 1;
    QString logFile;
    std::optional<quint16> status;
    std::optional<int> current;
    int baud = 0;
    QString chip = krv::sim::RegisterChip::defaultDemo();
    krv::sim::LoaderFirmware::Options loader;
    bool eepromAbsent = false;
    int eepromBusyPolls = 0;
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
    const QCommandLineOption personality(
        "personality",
        "Board kind: 1, 2, loader or monitor; a comma-separated list (e.g. 2,2) starts one board "
        "per entry, all on one air, numbered from the COM number on.",
        "kind", "2");
    const QCommandLineOption com("com", "COM number to print in the --port entry.", "N", "1");
    const QCommandLineOption log("log", "Log every received line with a time stamp.", "FILE");
    const QCommandLineOption status("status", "Chip status word, 4 hex digits.", "HEX");
    const QCommandLineOption current("current", "Current converter value, 0 to 1023.", "N");
    const QCommandLineOption loss("loss", "Share of frames lost on the air, 0 to 100.", "PCT", "0");
    const QCommandLineOption ber("ber", "Bit error rate on the air, 0 to 1.", "R", "0");
    const QCommandLineOption seed("seed", "Seed of the air's losses and bit errors.", "N", "1");
    const QCommandLineOption baud(
        "baud", "Pace the line as a real one at this rate (characters of 10 bits).", "RATE");
    const QCommandLineOption chip(
        "chip", "Register console chip: " + krv::sim::RegisterChip::demoNames().join(", ") + ".",
        "NAME", krv::sim::RegisterChip::defaultDemo());
    const QCommandLineOption loaderStop("loader-stop-after",
                                        "The firmware loader answers only this many records.", "N");
    const QCommandLineOption loaderXonOnly("loader-xon-only",
                                           "The firmware loader answers a record with XON alone.");
    const QCommandLineOption loaderOneWrite("loader-one-write",
                                            "The firmware loader sends XOFF and XON in one write.");
    const QCommandLineOption eepromAbsent("eeprom-absent",
                                          "The board has no EEPROM: its status and data read 00.");
    const QCommandLineOption eepromBusy(
        "eeprom-busy", "Status polls after each EEPROM page write that still show it busy.", "N");
    parser.addOptions({personality, com, log, status, current, loss, ber, seed, baud, chip,
                       loaderStop, loaderXonOnly, loaderOneWrite, eepromAbsent, eepromBusy});
    parser.process(app);

    Options options;
    const auto fail = [&parser](const QString& message) {
        std::fprintf(stderr, "krv-board-sim: %s\n\n%s", qPrintable(message),
                     qPrintable(parser.helpText()));
        std::exit(2);
    };
    options.personalities.clear();
    for (const QString& entry : parser.value(personality).split(',')) {
        const std::optional<Personality> kind = parsePersonality(entry.trimmed());
        if (!kind) {
            fail("unknown personality " + entry);
        }
        options.personalities.push_back(*kind);
    }
    bool ok = false;
    options.lossPercent = parser.value(loss).toDouble(&ok);
    if (!ok || options.lossPercent < 0 || options.lossPercent > 100) {
        fail("bad loss percentage " + parser.value(loss));
    }
    options.bitErrorRate = parser.value(ber).toDouble(&ok);
    if (!ok || options.bitErrorRate < 0 || options.bitErrorRate > 1) {
        fail("bad bit error rate " + parser.value(ber));
    }
    options.seed = parser.value(seed).toUInt(&ok);
    if (!ok) {
        fail("bad seed " + parser.value(seed));
    }
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
    if (parser.isSet(baud)) {
        options.baud = parser.value(baud).toInt(&ok);
        if (!ok || options.baud <= 0) {
            fail("bad baud rate " + parser.value(baud));
        }
    }
    if (parser.isSet(loaderStop)) {
        options.loader.stopAfter = parser.value(loaderStop).toInt(&ok);
        if (!ok || options.loader.stopAfter < 1) {
            fail("bad record count " + parser.value(loaderStop));
        }
    }
    options.loader.xonOnly = parser.isSet(loaderXonOnly);
    options.loader.oneWrite = parser.isSet(loaderOneWrite);
    options.eepromAbsent = parser.isSet(eepromAbsent);
    if (parser.isSet(eepromBusy)) {
        options.eepromBusyPolls = parser.value(eepromBusy).toInt(&ok);
        if (!ok || options.eepromBusyPolls < 0) {
            fail("bad EEPROM busy poll count " + parser.value(eepromBusy));
        }
    }
    options.chip = parser.value(chip);
    if (!krv::sim::RegisterChip::demo(options.chip)) {
        fail("unknown chip " + options.chip);
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    krv::sim::TerminationSignals terminationSignals;
    QCoreApplication app(argc, argv);
    app.setApplicationName("krv-board-sim");
    const Options options = parseOptions(app);
    if (options.baud > 0) {
        // A character lasts half a millisecond at 19200 baud: the kernel's default slack of
        // 50 microseconds on every wake-up would add up over a paced reply.
        prctl(PR_SET_TIMERSLACK, 1UL);
    }

    krv::sim::Air air(options.seed);
    air.setLossPercent(options.lossPercent);
    air.setBitErrorRate(options.bitErrorRate);
    std::vector<std::unique_ptr<BoardSimulator>> boards;
    for (const Personality personality : options.personalities) {
        auto simulator = std::make_unique<BoardSimulator>(personality);
        simulator->radio().setAir(&air);
        krv::sim::installRegisterChip(*simulator, std::make_shared<krv::sim::RegisterChip>(
                                                      *krv::sim::RegisterChip::demo(options.chip)));
        if (options.status) {
            simulator->setStatusWord(*options.status);
        }
        if (options.current) {
            simulator->setCurrentReading(*options.current);
        }
        simulator->setBaudRate(options.baud);
        simulator->loader().setOptions(options.loader);
        simulator->eeprom().setPresent(!options.eepromAbsent);
        simulator->eeprom().setBusyPolls(options.eepromBusyPolls);
        // With several boards each logs to its own file: FILE, FILE.2, FILE.3, ...
        const QString logFile = boards.empty() || options.logFile.isEmpty()
                                    ? options.logFile
                                    : options.logFile + '.' + QString::number(boards.size() + 1);
        if (!logFile.isEmpty() && !simulator->setLogFile(logFile)) {
            std::fprintf(stderr, "krv-board-sim: cannot open log file %s\n", qPrintable(logFile));
            return 1;
        }
        boards.push_back(std::move(simulator));
    }
    if (!terminationSignals.quitOnArrival(app)) {
        std::fprintf(stderr, "krv-board-sim: cannot watch for termination signals\n");
        return 1;
    }
    int number = options.com;
    for (const auto& simulator : boards) {
        if (!simulator->start()) {
            std::fprintf(stderr, "krv-board-sim: cannot create a pseudo-terminal\n");
            return 1;
        }
        const QString path = simulator->devicePath();
        std::printf("krv-board-sim: %s on %s\n--port %d=%s\n", describe(simulator->personality()),
                    qPrintable(path), number++, qPrintable(path));
    }
    std::fflush(stdout);
    return app.exec();
}
