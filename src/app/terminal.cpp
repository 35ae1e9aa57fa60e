#include "terminal.h"

#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/savefile.h"
#include "echobox.h"
#include "ismmain.h"
#include "scriptfile.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace krv {

namespace {

const QString textExtension = QStringLiteral("txt");

QFont consoleFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int leftTwips,
                    int widthTwips) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsToPixels(leftTwips), 0, twipsToPixels(widthTwips), twipsToPixels(285));
    return b;
}

void setLeft(QWidget* w, int twips) {
    w->move(twipsToPixels(twips), w->y());
}
void setTop(QWidget* w, int twips) {
    w->move(w->x(), twipsToPixels(twips));
}
void setWidth(QWidget* w, int twips) {
    w->resize(twipsToPixels(twips), w->height());
}
void setHeight(QWidget* w, int twips) {
    w->resize(w->width(), twipsToPixels(twips));
}

} // namespace

Terminal::Terminal(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Terminal Window"));
    Text1 = new EchoBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    // The board may flood the terminal: its output is shown a pass of the event loop at a time.
    Text1->setBatched(true);
    Text1->setFont(consoleFont());
    Text1->setGeometry(twipsToPixels(30), twipsToPixels(90), twipsToPixels(3990),
                       twipsToPixels(6600));
    Text1->installEventFilter(this);
    Script = new QPlainTextEdit(this);
    Script->setObjectName(QStringLiteral("Script"));
    Script->setFont(consoleFont());
    // Breaking a long line only at word boundaries costs time that grows with the square of its
    // length: a script line of a megabyte would freeze the window for minutes.
    Script->setWordWrapMode(QTextOption::WrapAnywhere);
    Script->setGeometry(twipsToPixels(30), 0, twipsToPixels(3990), twipsToPixels(1500));
    Script->hide();
    Label1 = new QLabel(QStringLiteral("Script window"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The title fits the 200 twips between the check box row and the script box.
    QFont titleFont = Label1->font();
    titleFont.setPointSize(8);
    Label1->setFont(titleFont);
    Label1->setGeometry(twipsToPixels(30), 0, twipsToPixels(1500), twipsToPixels(195));
    Label1->hide();
    En_ScriptWindow = new QCheckBox(QStringLiteral("Show script editor"), this);
    En_ScriptWindow->setObjectName(QStringLiteral("En_ScriptWindow"));
    En_ScriptWindow->setGeometry(twipsToPixels(30), 0, twipsToPixels(2000), twipsToPixels(255));
    Clear = button(this, "Clear", QStringLiteral("Clear"), 3300, 735);
    LoadScript = button(this, "LoadScript", QStringLiteral("Load"), 2700, 615);
    SaveScript = button(this, "SaveScript", QStringLiteral("Save"), 3400, 615);
    SendScript = button(this, "SendScript", QStringLiteral("Send"), 30, 615);
    CommandSendTimer = new QTimer(this);
    CommandSendTimer->setObjectName(QStringLiteral("CommandSendTimer"));
    CommandSendTimer->setInterval(100);

    connect(CommandSendTimer, &QTimer::timeout, this, &Terminal::CommandSendTimer_Timer);
    connect(Clear, &QPushButton::clicked, Text1, &EchoBox::clearText);
    connect(En_ScriptWindow, &QCheckBox::toggled, this, &Terminal::En_ScriptWindow_Click);
    connect(LoadScript, &QPushButton::clicked, this, &Terminal::LoadScript_Click);
    connect(Script, &QPlainTextEdit::textChanged, this, &Terminal::Script_Change);
    connect(SaveScript, &QPushButton::clicked, this, &Terminal::SaveScript_Click);
    connect(SendScript, &QPushButton::clicked, this, &Terminal::SendScript_Click);
}

void Terminal::Form_Load() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        const int widthTwips = 4110;
        const int innerWidth = pixelsToTwips(main_.mdiArea()->viewport()->width());
        frame->resize(twipsToPixels(widthTwips), twipsToPixels(7500));
        main_.placeForm(this, 0, innerWidth - widthTwips);
    }
    main_.Terminalon = true;
    Form_Resize();
}

void Terminal::Form_Unload() {
    CommandSendTimer->stop();
    main_.Terminalon = false;
}

void Terminal::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Terminal::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A hidden window is laid out when it appears, at the size its frame gave it.
    Form_Resize();
}

void Terminal::Form_Resize() {
    const int sw = pixelsToTwips(width());
    const int sh = pixelsToTwips(height());
    if (!En_ScriptWindow->isChecked()) {
        Script->hide();
        Label1->hide();
        if (sw > 2620) {
            setWidth(Text1, sw - 60);
            setWidth(Script, sw - 60);
            setLeft(Clear, sw - 800);
        }
        if (sh > 1000) {
            setLeft(Text1, 30);
            setTop(Text1, 90);
            setHeight(Text1, sh - 450);
            setLeft(En_ScriptWindow, 30);
            setTop(En_ScriptWindow, sh - 300);
            setTop(Clear, sh - 300);
            for (QWidget* w : {static_cast<QWidget*>(SendScript), static_cast<QWidget*>(LoadScript),
                               static_cast<QWidget*>(SaveScript), static_cast<QWidget*>(Label1)})
                setTop(w, sh + 400);
        }
        return;
    }
    Script->show();
    Label1->show();
    if (sw > 2620) {
        setWidth(Text1, sw - 60);
        setWidth(Script, sw - 60);
        setLeft(Clear, sw - 800);
        setLeft(LoadScript, sw - 1400);
        setLeft(SaveScript, sw - 700);
    }
    if (sh > 3200) {
        setLeft(Text1, 30);
        setTop(Text1, 90);
        setHeight(Text1, sh - 2650);
        setLeft(Script, 30);
        setTop(Script, sh - 2000);
        setHeight(Script, 1500);
        setLeft(En_ScriptWindow, 30);
        setTop(En_ScriptWindow, sh - 2500);
        setTop(Clear, sh - 2500);
        setTop(Label1, sh - 2200);
        setTop(SendScript, sh - 400);
        setTop(LoadScript, sh - 400);
        setTop(SaveScript, sh - 400);
    }
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
    Text1->appendEcho(key.unicode() == 13 ? QStringLiteral("\r\n") : QString(key));
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
    main.Send_To_LoadBoard(main.Buf1.left(end));
    // Only the sent line leaves the buffer: what was typed meanwhile is the next line.
    main.Buf1.remove(0, end);
    if (!self)
        return;
    sending_ = 0;
    if (main_.Buf1.contains(u'\r'))
        CommandSendTimer->start();
}

void Terminal::En_ScriptWindow_Click() {
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        const int change = En_ScriptWindow->isChecked() ? ScriptPaneTwips : -ScriptPaneTwips;
        frame->resize(frame->width(), twipsToPixels(pixelsToTwips(frame->height()) + change));
    }
    Form_Resize();
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
        showScript(script);
    } catch (const Error& e) {
        if (e.number == errors::IncorrectExtension)
            Dialogs::unsupportedFileType();
        else
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                             QStringLiteral("File open error"));
    }
}

void Terminal::showScript(const QString& script) {
    const bool pieces = hasLineLongerThan(script, ScriptPaneLineLength);
    showingScript_ = true;
    Script->setPlainText(pieces ? inPieces(script, ScriptPaneLineLength) : script);
    showingScript_ = false;
    scriptInPieces_ = pieces ? script : QString();
    piecesShown_ = pieces;
    Script->setReadOnly(pieces);
    Script->setToolTip(pieces ? QStringLiteral("Lines longer than %1 characters are shown in "
                                               "pieces and cannot be edited here; the script is "
                                               "sent and saved as it was loaded.")
                                    .arg(ScriptPaneLineLength)
                              : QString());
}

QString Terminal::scriptText() const {
    return piecesShown_ ? scriptInPieces_ : Script->toPlainText();
}

void Terminal::Script_Change() {
    // Text put into the pane by other means is the script from then on.
    if (showingScript_ || !piecesShown_)
        return;
    piecesShown_ = false;
    scriptInPieces_.clear();
    Script->setReadOnly(false);
    Script->setToolTip(QString());
}

void Terminal::SaveScript_Click() {
    try {
        const QString path = askScriptFile(true);
        if (path.isEmpty())
            return;
        saveFileWhole(path, scriptToFile(scriptText()));
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
    const QString line = scriptToLine(scriptText());
    // An empty script has nothing to send; sending nothing would only wait for a reply.
    if (!line.isEmpty())
        main_.Send_To_LoadBoard(line);
}

} // namespace krv
