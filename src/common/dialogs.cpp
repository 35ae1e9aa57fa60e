#include "dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace krv {

namespace {
std::unique_ptr<Dialogs>& current() {
    static std::unique_ptr<Dialogs> dialogs = std::make_unique<QtDialogs>();
    return dialogs;
}

// Shows the dialog with the request's name in its name field, a pattern ("*.txt") included.
// A pattern still standing there when the dialog is closed names no file: that is a cancel.
QString chosenFile(QFileDialog& dialog, const Dialogs::FileRequest& request) {
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    if (request.fileName.contains(u'*') && QFileInfo(path).fileName() == request.fileName)
        return {};
    return path;
}

} // namespace

Dialogs& Dialogs::instance() {
    return *current();
}

QString Dialogs::withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + suffix;
}

bool Dialogs::extensionDiffers(const QString& path, const QString& extension) {
    return QFileInfo(path).suffix().compare(extension, Qt::CaseInsensitive) != 0;
}

void Dialogs::unsupportedFileType(QWidget* parent) {
    message(QStringLiteral("File type not supported! Please try again!"),
            QStringLiteral("File open error"), Icon::None, Buttons::Ok, parent);
}

void Dialogs::install(std::unique_ptr<Dialogs> dialogs) {
    current() = std::move(dialogs);
}

QString Dialogs::saveFileAskingToReplace(const FileRequest& request, QWidget* parent) {
    for (;;) {
        const QString path = saveFile(request, parent);
        if (path.isEmpty())
            return path;
        if (!QFileInfo::exists(path) ||
            message(QFileInfo(path).fileName() +
                        QStringLiteral(" already exists.\r\nDo you want to replace it?"),
                    request.title, Icon::Exclamation, Buttons::YesNo, parent) == Answer::Yes)
            return path;
    }
}

Dialogs::Answer QtDialogs::showMessage(QWidget* parent, const QString& text, const QString& title,
                                       Icon icon, Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

QString QtDialogs::askOpenFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, request);
}

QString QtDialogs::askSaveFile(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks its own "replace it?" question where it wants one.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    return chosenFile(dialog, request);
}

Dialogs::Answer RecordingDialogs::showMessage(QWidget*, const QString& text, const QString& title,
                                              Icon icon, Buttons buttons) {
    messages.append({text, title, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

QString RecordingDialogs::askOpenFile(QWidget*, const FileRequest& request) {
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString RecordingDialogs::askSaveFile(QWidget*, const FileRequest& request) {
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.takeFirst();
}

RecordingDialogs& RecordingDialogs::install() {
    auto dialogs = std::make_unique<RecordingDialogs>();
    RecordingDialogs& ref = *dialogs;
    Dialogs::install(std::move(dialogs));
    return ref;
}

} // namespace krv
