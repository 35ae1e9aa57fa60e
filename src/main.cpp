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
    window.show();
    window.MDIForm_Load();
    krv::applyStartOptions(window, arguments);
    return QApplication::exec();
}
