#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace krv {

// Every message box and file dialog of the program goes through this seam, so that tests can
// script the answers and check the exact texts without a modal window ever blocking them.
class Dialogs {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileRequest {
        QString title;
        QString filter;    // "Configuration (*.trc)"
        QString directory; // where the dialog starts
        QString fileName;  // preset name, the pattern ("*.trc") when nothing better is known
        QString defaultSuffix = {}; // "h": added to a chosen name that has no extension of its own
    };

    virtual ~Dialogs() = default;
    virtual Answer showMessage(QWidget* parent, const QString& text, const QString& title,
                               Icon icon, Buttons buttons) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString askOpenFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString askSaveFile(QWidget* parent, const FileRequest& request) = 0;

    static Dialogs& instance();
    static void install(std::unique_ptr<Dialogs> dialogs);

    static Answer message(const QString& text, const QString& title = defaultTitle(),
                          Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
                          QWidget* parent = nullptr) {
        return instance().showMessage(parent, text, title, icon, buttons);
    }
    static QString openFile(const FileRequest& request, QWidget* parent = nullptr) {
        return instance().askOpenFile(parent, request);
    }
    static QString saveFile(const FileRequest& request, QWidget* parent = nullptr) {
        return withDefaultSuffix(instance().askSaveFile(parent, request), request.defaultSuffix);
    }
    // The save dialog of a save command: an existing file is named only when the user answers
    // "Yes" to "<name> already exists. Do you want to replace it?" (the dialog's title,
    // exclamation icon, asked after the default suffix is added); "No" shows the dialog again.
    // The chosen path, or an empty text when the user cancelled.
    static QString saveFileAskingToReplace(const FileRequest& request, QWidget* parent = nullptr);

    // The title of a message box that names none: the program's short name.
    static QString defaultTitle() { return QStringLiteral("KRV"); }

    // The chosen path with "." + suffix added when its name has no extension (and a suffix is
    // asked for); an empty path (cancelled) stays empty.
    static QString withDefaultSuffix(const QString& path, const QString& suffix);
    // Whether the chosen name's extension is other than the one asked for (letter case aside).
    static bool extensionDiffers(const QString& path, const QString& extension);
    // The message for a chosen file of another type than the one asked for.
    static void unsupportedFileType(QWidget* parent = nullptr);
};

// The real dialogs, on Qt's message boxes and file dialogs.
class QtDialogs : public Dialogs {
public:
    Answer showMessage(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons) override;
    QString askOpenFile(QWidget* parent, const FileRequest& request) override;
    QString askSaveFile(QWidget* parent, const FileRequest& request) override;
};

// Records every dialog and answers from a script; installed by the tests.
class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Answer showMessage(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Buttons buttons) override;
    QString askOpenFile(QWidget* parent, const FileRequest& request) override;
    QString askSaveFile(QWidget* parent, const FileRequest& request) override;

    QList<Message> messages;
    QList<FileRequest> fileRequests;
    // Answers given in order; when empty, Ok (or Yes for a Yes/No box).
    QList<Answer> answers;
    // Paths returned by the file dialogs in order; when empty, the dialog is cancelled.
    QStringList files;

    // The recording dialogs currently installed (installs a fresh one when another is).
    static RecordingDialogs& install();
};

} // namespace krv
