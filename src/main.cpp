#include "app/ismmain.h"
#include "app/startoptions.h"
#include "common/dialogs.h"
#include "common/programfolder.h"
#include "forms.h"
#include "link/portmap.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KRV"));
    const QStringList arguments = QApplication::arguments();
    krv::ProgramFolder::initialise(arguments);
    krv::PortMap::initialise(arguments);
    krv::registerAllForms();

    krv::ISMmain window;
    // `--label TEXT` follows the main window's title, so that two runs side by side (one per
    // board) are told apart at a glance.
    if (const QString label = krv::optionValue(arguments, QStringLiteral("--label"));
        !label.isEmpty())
        window.setWindowTitle(window.windowTitle() + QStringLiteral(" - ") + label);
    window.show();
    window.MDIForm_Load();
    krv::applyStartOptions(window, arguments, [](int code) { QApplication::exit(code); });
    return QApplication::exec();
}
