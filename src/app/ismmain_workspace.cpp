#include "common/dialogs.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "ismmain.h"
#include "krvform.h"
#include "terminal.h"
#include "workspacefile.h"

#include <QCheckBox>
#include <QMdiSubWindow>
#include <QToolButton>

namespace krv {

namespace {

QString workspacePath() {
    return ProgramFolder::file(QStringLiteral("KRV.wsp"));
}

} // namespace

void ISMmain::mnuSaveWorkspace_Click() {
    Workspace workspace;
    const bool flags[] = {Terminalon, EEPROMon,     TX0on,         TX1on, RXon,  RX1on,
                          RxLinkOn,   RxLinkOn_LB2, MivraV2testOn, TRXon, TRX1on};
    for (int i = 0; i < Workspace::WindowCount; ++i) {
        Workspace::Place& place = workspace.windows[i];
        place.open = flags[i];
        if (!place.open)
            continue;
        const auto window = Workspace::Window(i);
        QWidget* widget = loadedForm(Workspace::formName(window));
        if (QMdiSubWindow* frame = frameOf(widget)) {
            place.top = pixelsToTwips(frame->y());
            place.left = pixelsToTwips(frame->x());
            place.height = pixelsToTwips(frame->height());
            place.width = pixelsToTwips(frame->width());
        }
        if (window == Workspace::Terminal) {
            if (auto* terminal = qobject_cast<Terminal*>(widget))
                workspace.scriptPane = terminal->En_ScriptWindow->isChecked() ? 1 : 0;
        }
    }
    try {
        workspace.save(workspacePath());
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                         QStringLiteral("File save error"));
        return;
    }
    Dialogs::message(QStringLiteral("Workspace configuration has been saved."));
}

void ISMmain::restoreWorkspace() {
    const Workspace workspace = Workspace::read(workspacePath());
    bool* flags[] = {&Terminalon, &EEPROMon,     &TX0on,         &TX1on, &RXon,  &RX1on,
                     &RxLinkOn,   &RxLinkOn_LB2, &MivraV2testOn, &TRXon, &TRX1on};
    for (int i = 0; i < Workspace::WindowCount; ++i)
        *flags[i] = workspace.windows[i].open;
    for (int i = 0; i < Workspace::WindowCount; ++i) {
        const Workspace::Place& place = workspace.windows[i];
        if (!place.open)
            continue;
        const auto window = Workspace::Window(i);
        if (window == Workspace::MivraV2) {
            CurrentTxChip = QStringLiteral("MivraV2");
            TXButton->setText(QStringLiteral("HT531"));
        } else if (window == Workspace::PelkoV1) {
            CurrentTxChip = QStringLiteral("PelkoV1");
            TXButton->setText(QStringLiteral("HT537"));
        }
        QWidget* widget = form(Workspace::formName(window));
        if (!widget) {
            // A window this build does not have is not open, and is not saved as open again.
            *flags[i] = false;
            continue;
        }
        hideForm(widget);
        if (window == Workspace::Terminal) {
            if (auto* terminal = qobject_cast<Terminal*>(widget))
                terminal->En_ScriptWindow->setChecked(workspace.scriptPane == 1);
        }
        switch (window) {
        case Workspace::MivraV2:
            MivraV2_show();
            break;
        case Workspace::PelkoV1:
            PelkoV1_show();
            break;
        case Workspace::DruskV1:
            DruskV1_show();
            break;
        case Workspace::Ovalt:
            Ovalt_show();
            break;
        case Workspace::YambleV3:
            YambleV3_show();
            break;
        case Workspace::FRM_Zenth:
            Zenth_show();
            break;
        default:
            break;
        }
        // Where the user left it, as far as this workspace allows.
        placeRestored(widget, place.top, place.left,
                      Workspace::recordsSize(window) ? QSizeF(place.width, place.height)
                                                     : QSizeF());
        showForm(widget);
    }
}

} // namespace krv
