#include "terminal.h"

#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/monitorbox.h"
#include "common/savefile.h"
#include "ismmain.h"
#include "piecedpane.h"
#include "scriptfile.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace krv {

namespace {

const QString textExtension = QStringLiteral("txt");

QFont consoleFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace

Terminal::Terminal(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Terminal Window"));
    Text1 = new MonitorBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    // The board may flood the terminal: its output is shown a pass of the event loop at a time.
    Text1->setBatched(true);
    Text1->setFont(consoleFont());
    Text1->installEventFilter(this);
    Script = new QPlainTextEdit(this);
    Script->setObjectName(QStringLiteral("Script"));
    Script->setFont(consoleFont());
    // Breaking a long line only at word boundaries costs time that grows with the square of its
    // length: a script line of a megabyte would freeze the window for minutes.
    Script->setWordWrapMode(QTextOption::WrapAnywhere);
    scriptPane_ =
        new PiecedPane(Script, QStringLiteral("the script is sent and saved as it was loaded"));
    // The design's height, or four lines of this font where that is more.
    Script->setFixedHeight(
        std::max(twipsToPixels(ScriptBoxTwips), 4 * Script->fontMetrics().lineSpacing() +
                                                    2 * Script->frameWidth() +
                                                    2 * int(Script->document()->documentMargin())));
    Label1 = new QLabel(QStringLiteral("Script window"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    En_ScriptWindow = new QCheckBox(QStringLiteral("Show script editor"), this);
    En_ScriptWindow->setObjectName(QStringLiteral("En_ScriptWindow"));
    Clear = named(new QPushButton(QStringLiteral("Clear"), this), "Clear");
    LoadScript = named(new QPushButton(QStringLiteral("Load"), this), "LoadScript");
    SaveScript = named(new QPushButton(QStringLiteral("Save"), this), "SaveScript");
    SendScript = named(new QPushButton(QStringLiteral("Send"), this), "SendScript");
    CommandSendTimer = new QTimer(this);
    CommandSendTimer->setObjectName(QStringLiteral("CommandSendTimer"));
    CommandSendTimer->setInterval(100);

    // The receive box takes what the window has to spare; below it the check box and Clear,
    // then the script pane: its title, the script and its three buttons.
    auto* options = new QHBoxLayout;
    options->addWidget(En_ScriptWindow);
    options->addStretch();
    options->addWidget(Clear);
    auto* scriptButtons = new QHBoxLayout;
    scriptButtons->addWidget(SendScript);
    scriptButtons->addStretch();
    scriptButtons->addWidget(LoadScript);
    scriptButtons->addWidget(SaveScript);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Text1, 1);
    layout->addLayout(options);
    layout->addWidget(Label1);
    layout->addWidget(Script);
    layout->addLayout(scriptButtons);
    showScriptPane(false);

    connect(CommandSendTimer, &QTimer::timeout, this, &Terminal::CommandSendTimer_Timer);
    connect(Clear, &QPushButton::clicked, Text1, &MonitorBox::clearText);
    connect(En_ScriptWindow, &QCheckBox::toggled, this, &Terminal::En_ScriptWindow_Click);
    connect(LoadScript, &QPushButton::clicked, this, &Terminal::LoadScript_Click);
    connect(SaveScript, &QPushButton::clicked, this, &Terminal::SaveScript_Click);
    connect(SendScript, &QPushButton::clicked, this, &Terminal::SendScript_Click);
}

void Terminal::Form_Load() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        const int innerWidth = pixelsToTwips(main_.mdiArea()->viewport()->width());
        main_.sizeForm(this, WidthTwips, HeightTwips);
        main_.placeForm(this, 0, innerWidth - pixelsToTwips(frame->width()));
    }
    main_.Terminalon = true;
}

void Terminal::Form_Unload() {
    CommandSendTimer->stop();
    main_.Terminalon = false;
}

void Terminal::showScriptPane(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Script),
                       static_cast<QWidget*>(SendScript), static_cast<QWidget*>(LoadScript),
                       static_cast<QWidget*>(SaveScript)})
        w->setVisible(shown);
}

bool Terminal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) {
            Text1_KeyPress(QChar(8));
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Text1_KeyPress(QChar(13));
            return true;
        }
        const QString typed = key->text();
        if (typed.size() == 1 && typed.at(0).isPrint()) {
            Text1_KeyPress(typed.at(0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Terminal::Text1_KeyPress(QChar key) {
    QString& buf = main_.Buf1;
    if (key.unicode() == 8) {
        // What is already on its way to the board cannot be taken back.
        if (buf.size() > sending_)
            buf.chop(1);
        Text1->eraseLast();
        return;
    }
    buf += key;
    Text1->appendText(key.unicode() == 13 ? QStringLiteral("\r\n") : QString(key));
    if (key.unicode() != 13)
        return;
    if (!main_.boardPortOpen()) {
        Dialogs::message(QStringLiteral("Commport not available, Loadboard not connected!"),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return;
    }
    CommandSendTimer->start();
}

void Terminal::CommandSendTimer_Timer() {
    CommandSendTimer->stop();
    // A line still waiting for its reply sends the next one itself when it is answered.
    if (sending_ > 0)
        return;
    const qsizetype end = main_.Buf1.lastIndexOf(u'\r') + 1;
    if (end == 0)
        return;
    sending_ = end;
    QPointer<Terminal> self(this);
    ISMmain& main = main_;
    main.Send_To_LoadBoard(main.Buf1.left(end), QStringLiteral("The typed line"));
    // Only the sent line leaves the buffer: what was typed meanwhile is the next line.
    main.Buf1.remove(0, end);
    if (!self)
        return;
    sending_ = 0;
    if (main_.Buf1.contains(u'\r'))
        CommandSendTimer->start();
}

void Terminal::En_ScriptWindow_Click() {
    const bool shown = En_ScriptWindow->isChecked();
    showScriptPane(shown);
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        layout()->activate();
        const int change = twipsToPixels(shown ? ScriptPaneTwips : -ScriptPaneTwips);
        frame->resize(
            QSize(frame->width(), frame->height() + change).expandedTo(frame->minimumSizeHint()));
    }
}

QString Terminal::askScriptFile(bool forSaving) {
    const Dialogs::FileRequest request{forSaving ? QStringLiteral("Save Script File")
                                                 : QStringLiteral("Load Script File"),
                                       QStringLiteral("Text files (*.txt);;All files (*.*)"),
                                       main_.CurrentPath, QStringLiteral("*.txt"), textExtension};
    const QString path = forSaving ? Dialogs::saveFileAskingToReplace(request, this)
                                   : Dialogs::openFile(request, this);
    if (path.isEmpty())
        return {};
    if (Dialogs::extensionDiffers(path, textExtension))
        throw Error(errors::IncorrectExtension, QStringLiteral("Incorrect extension"));
    return path;
}

void Terminal::LoadScript_Click() {
    try {
        const QString path = askScriptFile(false);
        if (path.isEmpty())
            return;
        // The file's bytes are let go before the pane takes its copy.
        const QString script = scriptFromFile(readFileBounded(path, fileBounds::TerminalScript));
        scriptPane_->show(script);
    } catch (const Error& e) {
        if (e.number == errors::IncorrectExtension)
            Dialogs::unsupportedFileType();
        else
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                             QStringLiteral("File open error"));
    }
}

void Terminal::SaveScript_Click() {
    try {
        // Text the file cannot hold is refused before a file is asked for.
        const QByteArray bytes = scriptToFile(scriptPane_->text());
        const QString path = askScriptFile(true);
        if (path.isEmpty())
            return;
        saveFileWhole(path, bytes);
    } catch (const Error& e) {
        if (e.number == errors::IncorrectExtension)
            Dialogs::unsupportedFileType();
        else
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                             QStringLiteral("File save error"));
    }
}

void Terminal::SendScript_Click() {
    if (!main_.boardPortOpen()) {
        Dialogs::message(
            QStringLiteral("Commport not available, please connect. Script was not sent."),
            Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return;
    }
    const QString line = scriptToLine(scriptPane_->text());
    // An empty script has nothing to send; sending nothing would only wait for a reply.
    if (!line.isEmpty())
        main_.Send_To_LoadBoard(line, QStringLiteral("The script pane"));
}

} // namespace krv
