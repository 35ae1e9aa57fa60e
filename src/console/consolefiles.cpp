#include "consolefiles.h"

#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/latin1.h"
#include "common/programfolder.h"
#include "common/savefile.h"

namespace krv::console {

QString askTextFile(QWidget* parent, const QString& title, bool forSaving) {
    const Dialogs::FileRequest request{title, QStringLiteral("Text files (*.txt);;All files (*.*)"),
                                       ProgramFolder::path(), QStringLiteral("*.txt"),
                                       QStringLiteral("txt")};
    const QString path = forSaving ? Dialogs::saveFileAskingToReplace(request, parent)
                                   : Dialogs::openFile(request, parent);
    if (path.isEmpty())
        return {};
    if (Dialogs::extensionDiffers(path, QStringLiteral("txt")))
        throw Error(errors::IncorrectExtension, QStringLiteral("Incorrect extension"));
    return path;
}

QByteArray readTextFile(const QString& path) {
    return readFileBounded(path, textFileBound);
}

void writeTextLines(const QString& path, const QStringList& lines, const QStringList& lineNames) {
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString holder =
            QStringLiteral("Line %1").arg(i + 1) +
            (i < lineNames.size() ? QStringLiteral(" (") + lineNames[i] + u')' : QString());
        bytes += checkedLatin1(lines[i], holder, TextFor::File) + "\r\n";
    }
    saveFileWhole(path, bytes);
}

void runFileCommand(bool saving, const std::function<void()>& command) {
    try {
        command();
    } catch (const Error& e) {
        if (e.number == errors::IncorrectExtension)
            Dialogs::unsupportedFileType();
        else if (saving)
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                             QStringLiteral("File save error"));
        else
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                             QStringLiteral("File open error"));
    }
}

} // namespace krv::console
