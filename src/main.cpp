#include "app/commandline.h"
#include "app/ismmain.h"
#include "common/programfolder.h"
#include "forms.h"
#include "link/portmap.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Read before QApplication, which needs a display: --help answers on any terminal.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    krv::CommandLine line;
    if (const std::optional<int> code =
            krv::readCommandLine(arguments, qEnvironmentVariable("KRV_PORTS"), line))
        return *code;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KRV"));
    krv::registerAllForms();
    krv::ISMmain window;
    if (const QString why = krv::checkStartOptions(window, line.start); !why.isEmpty())
        return krv::refuseCommandLine(why);

    krv::ProgramFolder::initialise(line.home);
    for (auto it = line.ports.cbegin(); it != line.ports.cend(); ++it)
        krv::PortMap::pin(it.key(), it.value());
    // `--label TEXT` follows the main window's title, so that two runs side by side (one per
    // board) are told apart at a glance.
    if (!line.label.isEmpty())
        window.setWindowTitle(window.windowTitle() + QStringLiteral(" - ") + line.label);
    window.show();
    window.MDIForm_Load();
    bool ended = false;
    krv::applyStartOptions(window, line.start, [&ended](int code) {
        ended = true;
        QApplication::exit(code);
    });
    const int code = QApplication::exec();
    if (!line.start.screenshot.isEmpty() && !ended) {
        std::fprintf(stderr, "krv: --screenshot: nothing written: the program ended before the "
                             "picture was taken\n");
        return 1;
    }
    return code;
}
