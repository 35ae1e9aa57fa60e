#include "consolefiles.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "common/savefile.h"

#include <QFile>

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

QStringList readTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.exists() ? errors::PermissionDenied : errors::FileNotFound,
                    file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(errors::DeviceIo, file.errorString());
    QStringList lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(QString::fromLatin1(line));
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line.append(c);
        }
    }
    if (!line.isEmpty())
        lines.append(QString::fromLatin1(line));
    return lines;
}

void writeTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
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
