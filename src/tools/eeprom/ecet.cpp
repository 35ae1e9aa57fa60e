#include "ecet.h"

#include "app/ismmain.h"
#include "cmdsequence.h"
#include "common/dialogs.h"
#include "common/hextext.h"
#include "common/latin1.h"
#include "editorlayout.h"
#include "eeprom.h"
#include "txpanel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace krv {

using namespace editorlayout;

namespace {

const char* const tabCaptions[ECET::EventCount] = {
    "Power On &Reset", "Push button &1",     "Push button &2",        "Push button &3",
    "Push button &4",  "Low &battery level", "&Wake-up timer timeout"};
const char* const frameCaptions[ECET::EventCount] = {
    "Power On Reset Event Control",       "Push Button 1 Event Control",
    "Push Button 2 Event Control",        "Push Button 3 Event Control",
    "Push Button 4 Event Control",        "Low Battery Level Event Control",
    "Wake-up Timer Timeout Event Control"};
const QString caption = QStringLiteral("EEPROM Content Editor Tool");
const QString busyText = QStringLiteral("Commport is busy. Please try again later!");

QColor colourOf(ECET::LogColour colour) {
    switch (colour) {
    case ECET::LogColour::Blue:
        return QColor(0, 0, 255);
    case ECET::LogColour::Red:
        return QColor(255, 0, 0);
    case ECET::LogColour::Green:
        return QColor(0, 192, 0);
    case ECET::LogColour::Black:
        break;
    }
    return QColor(0, 0, 0);
}

// Colours the text area only: scroll bars with a palette of their own are drawn into the pixmap
// cache under keys of their own, and those pixmaps outlive the window.
void setBackground(QAbstractScrollArea* box, const QColor& colour) {
    QPalette palette = box->viewport()->palette();
    palette.setColor(QPalette::Base, colour);
    box->viewport()->setPalette(palette);
}

// The window's design size in twips; its content may ask for more with a wider font or scale.
constexpr int designWidth = 9300;
constexpr int designHeight = 9600;

} // namespace

ECET::ECET(ISMmain& main) : main_(main) {
    setWindowTitle(caption);
    TabStrip1 = named(new QTabBar, "TabStrip1");
    for (const char* tab : tabCaptions)
        TabStrip1->addTab(QString::fromLatin1(tab));
    // Every tab stays whole and in view: the window is as wide as its seven captions.
    TabStrip1->setUsesScrollButtons(false);
    TabStrip1->setElideMode(Qt::ElideNone);
    TabStrip1->setExpanding(false);
    for (int e = 0; e < EventCount; ++e)
        buildTab(e);
    Label1 = named(new QLabel(QStringLiteral("EEPROM Content")), "Label1");
    TB_EEPROMContent = named(new QPlainTextEdit, "TB_EEPROMContent");
    TB_EEPROMContent->setReadOnly(true);
    TB_EEPROMContent->setFont(QFont(QStringLiteral("Courier New"), 9));
    Label5 = named(new QLabel(QStringLiteral("Error Log")), "Label5");
    TB_ErrorLog = named(new QTextEdit, "TB_ErrorLog");
    TB_ErrorLog->setReadOnly(true);
    TB_ErrorLog->setFont(QFont(QStringLiteral("Times New Roman"), 10));
    PB_GenerateRom =
        named(new QPushButton(QStringLiteral("&Generate EEPROM Code")), "PB_GenerateRom");
    PB_Call = named(new QPushButton(QStringLiteral("Call &EEPROM Programmer")), "PB_Call");
    PB_Load = named(new QPushButton(QStringLiteral("&Load EEPROM contents from File")), "PB_Load");
    PB_Save = named(new QPushButton(QStringLiteral("&Save EEPROM contents to file")), "PB_Save");
    PB_ClearLog = named(new QPushButton(QStringLiteral("Clear Error Log")), "PB_ClearLog");
    PN9_Timer = new QTimer(this);
    PN9_Timer->setObjectName(QStringLiteral("PN9_Timer"));
    PN9_Timer->setInterval(1000);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(windowMargins);
    layout->addWidget(TabStrip1);
    // The frames of the seven events share one place below the tabs, clear of them; one is shown.
    layout->addSpacing(layout->spacing());
    auto* frames = new QGridLayout;
    for (const EventTab& t : tabs_)
        frames->addWidget(t.Frm_ECETEvents, 0, 0);
    layout->addLayout(frames, 45);
    auto* image = new QGridLayout;
    image->addWidget(Label1, 0, 0);
    auto* contentBox = column(0);
    growingBox(TB_EEPROMContent, 4, 1, contentBox);
    image->addLayout(contentBox, 1, 0);
    auto* imageButtons = column();
    for (QPushButton* button : {PB_GenerateRom, PB_Call, PB_Load, PB_Save})
        imageButtons->addWidget(button);
    imageButtons->addStretch(1);
    image->addLayout(imageButtons, 1, 1);
    image->addWidget(Label5, 2, 0);
    auto* logBox = column(0);
    growingBox(TB_ErrorLog, 3, 1, logBox);
    image->addLayout(logBox, 3, 0);
    auto* logButtons = column();
    logButtons->addWidget(PB_ClearLog);
    logButtons->addStretch(1);
    image->addLayout(logButtons, 3, 1);
    image->setRowStretch(1, 19);
    image->setRowStretch(3, 15);
    image->setColumnStretch(0, 1);
    layout->addLayout(image, 40);

    for (int e = 0; e < EventCount; ++e)
        wireTab(e);
    connect(TabStrip1, &QTabBar::currentChanged, this, &ECET::TabStrip1_Click);
    connect(PB_GenerateRom, &QPushButton::clicked, this, &ECET::PB_GenerateRom_Click);
    connect(PB_Call, &QPushButton::clicked, this, &ECET::PB_Call_Click);
    connect(PB_Load, &QPushButton::clicked, this, &ECET::PB_Load_Click);
    connect(PB_Save, &QPushButton::clicked, this, &ECET::PB_Save_Click);
    connect(PB_ClearLog, &QPushButton::clicked, this, &ECET::PB_ClearLog_Click);
    connect(PN9_Timer, &QTimer::timeout, this, &ECET::PN9_Timer_Timer);
}

void ECET::buildTab(int e) {
    EventTab& t = tabs_[e];
    t.Frm_ECETEvents =
        element(new QGroupBox(QString::fromLatin1(frameCaptions[e])), "Frm_ECETEvents", e);
    t.Label4 = element(new QLabel(QStringLiteral("Event routine")), "Label4", e);
    t.TB_EventContent = element(new QPlainTextEdit, "TB_EventContent", e);
    t.TB_EventContent->setFont(QFont(QStringLiteral("Courier New"), 9));
    t.PB_CmdSequence = element(new QPushButton, "PB_CmdSequence", e);
    t.PB_InsertCommand =
        element(new QPushButton(QStringLiteral("Insert &Commands")), "PB_InsertCommand", e);
    t.PB_GetData = element(new QPushButton(QStringLiteral("&Get settings from Control Panel")),
                           "PB_GetData", e);
    t.PB_InsertSleep =
        element(new QPushButton(QStringLiteral("Insert &Sleep Command")), "PB_InsertSleep", e);
    t.PB_Fill = element(new QPushButton(QStringLiteral("&Fill EEPROM with")), "PB_Fill", e);
    t.TB_FillData = element(new QLineEdit(QStringLiteral("00")), "TB_FillData", e);
    t.TB_FillData->setMaxLength(2);
    fitWidth(t.TB_FillData, 2);
    t.Label2 = element(new QLabel(QStringLiteral("h")), "Label2", e);
    t.PB_ClearEventRoutine =
        element(new QPushButton(QStringLiteral("C&lear Event")), "PB_ClearEventRoutine", e);
    t.CB_FillEmptieswithC4 = element(new QCheckBox(QStringLiteral("Append Sleep Command if empty")),
                                     "CB_FillEmptieswithC4", e);
    t.CB_FillEmptieswithC4->setChecked(true);
    t.Label3 = element(new QLabel(QStringLiteral("Payload")), "Label3", e);
    t.TB_Payload = element(new QPlainTextEdit, "TB_Payload", e);
    t.TB_Payload->setFont(QFont(QStringLiteral("Arial"), 9));
    t.OB_HexView = element(new QRadioButton(QStringLiteral("Hex View")), "OB_HexView", e);
    t.OB_Ascii_View = element(new QRadioButton(QStringLiteral("ASCII view")), "OB_Ascii_View", e);
    t.OB_Ascii_View->setChecked(true);
    t.PB_Preamble = element(new QPushButton(QStringLiteral("Insert P&reamble")), "PB_Preamble", e);
    t.PB_PN9 = element(new QPushButton(QStringLiteral("Insert &PN9 Sequence")), "PB_PN9", e);
    keepPlaceWhenHidden(t.PB_PN9);
    t.PB_SynchPattern =
        element(new QPushButton(QStringLiteral("Insert &Pattern")), "PB_SynchPattern", e);
    t.TB_Pattern = element(new QLineEdit(QStringLiteral("2DD4")), "TB_Pattern", e);
    t.TB_Pattern->setMaxLength(4);
    fitWidth(t.TB_Pattern, 4);
    t.Label6 = element(new QLabel(QStringLiteral("h")), "Label6", e);
    t.PB_InsertTx =
        element(new QPushButton(QStringLiteral("Insert Data &Transmit Command")), "PB_InsertTx", e);

    auto* routine = column();
    routine->addWidget(t.Label4);
    growingBox(t.TB_EventContent, 3, 13, routine);
    routine->addWidget(t.CB_FillEmptieswithC4);
    routine->addWidget(t.Label3);
    growingBox(t.TB_Payload, 3, 18, routine);
    auto* buttons = column();
    for (QPushButton* button :
         {t.PB_CmdSequence, t.PB_InsertCommand, t.PB_GetData, t.PB_InsertSleep})
        buttons->addWidget(button);
    buttons->addLayout(row({t.PB_Fill, t.TB_FillData, t.Label2}));
    buttons->addWidget(t.PB_ClearEventRoutine);
    buttons->addLayout(row({t.OB_HexView, t.OB_Ascii_View}));
    buttons->addLayout(row({t.PB_Preamble, t.PB_PN9}));
    buttons->addLayout(row({t.PB_SynchPattern, t.TB_Pattern, t.Label6}));
    buttons->addWidget(t.PB_InsertTx);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(t.Frm_ECETEvents);
    layout->addLayout(routine, 1);
    layout->addLayout(buttons);
}

void ECET::wireTab(int e) {
    EventTab& t = tabs_[e];
    connect(t.PB_CmdSequence, &QPushButton::clicked, this,
            [this] { commandEditor()->ShowCommandEditor(); });
    connect(t.PB_InsertCommand, &QPushButton::clicked, this,
            [this] { commandEditor()->ShowInsertCommandWindow(); });
    connect(t.PB_GetData, &QPushButton::clicked, this, [this, e] { PB_GetData_Click(e); });
    connect(t.PB_InsertSleep, &QPushButton::clicked, this, [this, e] { PB_InsertSleep_Click(e); });
    connect(t.PB_Fill, &QPushButton::clicked, this, [this, e] { PB_Fill_Click(e); });
    connect(t.PB_ClearEventRoutine, &QPushButton::clicked, this,
            [this, e] { PB_ClearEventRoutine_Click(e); });
    connect(t.TB_EventContent, &QPlainTextEdit::textChanged, this,
            [this, e] { TB_EventContent_Change(e); });
    connect(t.TB_FillData, &QLineEdit::textChanged, this, [this, e] { TB_FillData_Change(e); });
    connect(t.TB_Pattern, &QLineEdit::textChanged, this, [this, e] { TB_Pattern_Change(e); });
    connect(t.TB_Payload, &QPlainTextEdit::textChanged, this, [this, e] { TB_Payload_Change(e); });
    connect(t.OB_HexView, &QRadioButton::toggled, this, [this, e](bool on) { viewChanged(e, on); });
    connect(t.PB_Preamble, &QPushButton::clicked, this, [this, e] { PB_Preamble_Click(e); });
    connect(t.PB_PN9, &QPushButton::clicked, this, [this, e] { PB_PN9_Click(e); });
    connect(t.PB_SynchPattern, &QPushButton::clicked, this,
            [this, e] { PB_SynchPattern_Click(e); });
    connect(t.PB_InsertTx, &QPushButton::clicked, this, [this, e] { PB_InsertTx_Click(e); });
    t.TB_EventContent->installEventFilter(this);
    t.TB_EventContent->viewport()->installEventFilter(this);
    t.TB_FillData->installEventFilter(this);
    t.TB_Pattern->installEventFilter(this);
    t.Frm_ECETEvents->installEventFilter(this);
}

void ECET::Form_Load() {
    TB_LockedColor = QColor(0xE0, 0xE0, 0xE0);
    TB_EditableColor = palette().color(QPalette::Base);
    main_.sizeForm(this, designWidth, designHeight);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
    FrmCmdSequenceLoaded = false;
    for (int e = 0; e < EventCount; ++e) {
        EventTab& t = tabs_[e];
        t.Frm_ECETEvents->hide();
        setLocked(e, true);
        t.PB_CmdSequence->setText(QStringLiteral("&Open Command Editor"));
        cmdSequenceOpened_[e] = false;
        t.PB_PN9->hide();
    }
    setBackground(TB_EEPROMContent, TB_LockedColor);
    setBackground(TB_ErrorLog, TB_LockedColor);
    CurrentTab = 1;
    {
        const QSignalBlocker blocker(TabStrip1);
        TabStrip1->setCurrentIndex(0);
    }
    tabs_[0].Frm_ECETEvents->show();
    main_.form(QStringLiteral("Frm_CmdSequence"));
    pn9Armed_ = false;
    rememberedCaption_ = windowTitle();
}

void ECET::Form_Unload() {
    PN9_Timer->stop();
    if (FrmCmdSequenceLoaded)
        main_.unloadForm(QStringLiteral("Frm_CmdSequence"));
}

Frm_CmdSequence* ECET::commandEditor() {
    return main_.form<Frm_CmdSequence>(QStringLiteral("Frm_CmdSequence"));
}

void ECET::Form_Activate() {
    commandEditor()->CheckControlWindow();
    IsTXPanelOn();
}

std::optional<QByteArray> ECET::Hex2Ascii2Hex(const QByteArray& text, bool toHex) {
    return hex2Ascii2Hex(text, toHex);
}

QByteArray ECET::FormatEEPROMText(const QByteArray& text, int perLine) {
    return eventimage::formatEEPROMText(text, perLine);
}

QString ECET::frameCaption(int event) const {
    return tabs_[event].Frm_ECETEvents->title();
}

int ECET::selectedTab() const {
    return TabStrip1->currentIndex() + 1;
}

void ECET::SetbFrmCmdSequenceOpened(int index) {
    if (index >= 0 && index < int(cmdSequenceOpened_.size()))
        cmdSequenceOpened_[index] = true;
}

void ECET::ClearbFrmCmdSequenceOpened(int index) {
    if (index >= 0 && index < int(cmdSequenceOpened_.size()))
        cmdSequenceOpened_[index] = false;
}

bool ECET::IsTXPanelOn() {
    if (main_.TX0on || main_.TX1on)
        return true;
    Dialogs::message(QStringLiteral("Please open the appropriate transmitter control panel."),
                     QStringLiteral("ERROR. Couldn't get device settings."));
    return false;
}

QString ECET::GetDataFromControlPanel(int event) {
    if (!IsTXPanelOn())
        return {};
    const TxPanels panels(main_);
    QWidget* panel = panels.shown();
    const bool ht531 = main_.TX0on;
    Frm_CmdSequence* selection = commandEditor();
    const auto selected = [&](int command) {
        return selection->GetCmdSequenceData(event, command) == 1;
    };
    const char* const words[] = {"Ctrlw", "Freqw", "OutPowerw", "PowerMw", "LBDw"};
    QString result;
    for (int c = cmdsel::Configuration; c <= cmdsel::LowBattery; ++c) {
        if (selected(c))
            result += TxPanels::word(panel, QString::fromLatin1(words[c]));
    }
    if (selected(cmdsel::DataRate))
        result += ht531 ? selection->TB_DataRateCmd->text()
                        : TxPanels::word(panel, QStringLiteral("Dataratew"));
    if (selected(cmdsel::PushButton))
        result += cmdsel::pushButtonText(event == cmdsel::InsertEvent ? Frm_CmdSequence::PBCmd2
                                                                      : Frm_CmdSequence::PBCmd);
    if (selected(cmdsel::WakeUp))
        result += TxPanels::word(panel, QStringLiteral("Wkupw"));
    if (!ht531 && selected(cmdsel::Pll))
        result += TxPanels::word(panel, QStringLiteral("TB_PLLCmd"));
    return result;
}

void ECET::AppendErrorLog(const QString& message, LogColour colour) {
    if (message.size() < 2)
        return;
    QString text = message;
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    QTextCursor cursor(TB_ErrorLog->document());
    cursor.movePosition(QTextCursor::End);
    if (!log_.isEmpty())
        cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(colourOf(colour));
    cursor.insertText(text, format);
    log_.append({text, colour});
    QTextCursor start(TB_ErrorLog->document());
    TB_ErrorLog->setTextCursor(start);
}

void ECET::moveLogCaretToEnd() {
    QTextCursor cursor(TB_ErrorLog->document());
    cursor.movePosition(QTextCursor::End);
    TB_ErrorLog->setTextCursor(cursor);
}

void ECET::PB_ClearLog_Click() {
    log_.clear();
    TB_ErrorLog->clear();
}

void ECET::setContent(const QByteArray& content) {
    content_ = content;
    showing_ = true;
    TB_EEPROMContent->setPlainText(QString::fromLatin1(content));
    showing_ = false;
}

void ECET::clearImageAndLog() {
    if (content_.isEmpty())
        return;
    setContent({});
    PB_ClearLog_Click();
}

void ECET::setRoutine(int event, const QByteArray& routine) {
    routines_[event] = routine;
    showRoutine(event);
}

void ECET::appendToRoutine(int event, const QByteArray& text) {
    if (event >= 0 && event < EventCount)
        setRoutine(event, routines_[event] + text);
}

void ECET::showRoutine(int event) {
    QPlainTextEdit* box = tabs_[event].TB_EventContent;
    const QString text = QString::fromLatin1(routines_[event]);
    if (box->toPlainText() == text)
        return;
    showing_ = true;
    box->setPlainText(text);
    box->moveCursor(QTextCursor::End);
    showing_ = false;
}

void ECET::setLocked(int event, bool locked) {
    EventTab& t = tabs_[event];
    t.locked = locked;
    t.TB_EventContent->setReadOnly(locked);
    setBackground(t.TB_EventContent, locked ? TB_LockedColor : TB_EditableColor);
}

// ---- Tabs and the command editor -----------------------------------------------------------

void ECET::TabStrip1_Click(int index) {
    const int s = index + 1;
    if (s == CurrentTab || s < 1)
        return;
    if (cmdSequenceOpened_[s - 1]) {
        commandEditor()->ShowCommandEditor();
    } else if (QWidget* editor = main_.loadedForm(QStringLiteral("Frm_CmdSequence"))) {
        main_.hideForm(editor);
    }
    tabs_[s - 1].Frm_ECETEvents->show();
    tabs_[CurrentTab - 1].Frm_ECETEvents->hide();
    CurrentTab = s;
    commandEditor()->SelectDefaultEvents();
}

// ---- Routines ------------------------------------------------------------------------------

bool ECET::eventFilter(QObject* watched, QEvent* event) {
    for (int e = 0; e < EventCount; ++e) {
        EventTab& t = tabs_[e];
        if (watched == t.TB_EventContent && event->type() == QEvent::KeyPress && t.locked &&
            !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
            AskEditEventData(e);
            return true;
        }
        if (watched == t.TB_EventContent->viewport() &&
            event->type() == QEvent::MouseButtonDblClick && t.locked) {
            AskEditEventData(e);
            return true;
        }
        const bool leaving = event->type() == QEvent::FocusOut;
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (watched == t.TB_FillData && (leaving || enter))
            TB_FillData_LostFocus(e);
        if (watched == t.TB_Pattern && (leaving || enter))
            TB_Pattern_LostFocus(e);
        if (watched == t.Frm_ECETEvents && event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!t.Frm_ECETEvents->childAt(mouse->position().toPoint()))
                Frm_ECETEvents_DblClick();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ECET::AskEditEventData(int e) {
    if (!tabs_[e].locked)
        return;
    const auto answer = Dialogs::message(
        QStringLiteral("Edit mode will erase the Event Data from the end of the last Data "
                       "Transmit Command.\r\n\r\nDo you want to edit Event Data?"),
        Dialogs::defaultTitle(), Dialogs::Icon::None, Dialogs::Buttons::YesNo, this);
    if (answer != Dialogs::Answer::Yes)
        return;
    setLocked(e, false);
    setRoutine(e, eventimage::cutAfterLastTransmit(routines_[e]));
    tabs_[e].TB_EventContent->moveCursor(QTextCursor::End);
    clearImageAndLog();
}

void ECET::TB_EventContent_Change(int e) {
    if (showing_)
        return;
    QPlainTextEdit* box = tabs_[e].TB_EventContent;
    const QByteArray typed = box->toPlainText().toLatin1();
    QByteArray digits = eventimage::hexOnlyUpper(typed);
    int caret = box->textCursor().position();
    // Typing stops at a slot's 256 digits; a routine already longer may only get shorter.
    if (digits.size() > qMax<qsizetype>(eventimage::SlotDigits, routines_[e].size())) {
        digits = routines_[e];
        caret = int(digits.size());
    } else {
        caret -= int(typed.left(caret).size() - eventimage::hexOnlyUpper(typed.left(caret)).size());
    }
    routines_[e] = digits;
    if (QString::fromLatin1(digits) != box->toPlainText()) {
        showing_ = true;
        box->setPlainText(QString::fromLatin1(digits));
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(qBound(0, caret, int(digits.size())));
        box->setTextCursor(cursor);
        showing_ = false;
    }
}

void ECET::PB_GetData_Click(int e) {
    if (!commandEditor()->CheckControlWindow())
        return;
    if (!IsTXPanelOn())
        return;
    setRoutine(e, GetDataFromControlPanel(e).toLatin1());
    clearImageAndLog();
    fetchedLimits(e);
}

void ECET::PB_InsertSleep_Click(int e) {
    appendToRoutine(e, "C400");
}

void ECET::PB_ClearEventRoutine_Click(int e) {
    setRoutine(e, {});
}

void ECET::TB_FillData_Change(int e) {
    QLineEdit* box = tabs_[e].TB_FillData;
    const QByteArray digits = eventimage::hexOnlyUpper(box->text().toLatin1());
    if (box->text() != QString::fromLatin1(digits))
        box->setText(QString::fromLatin1(digits));
}

void ECET::TB_FillData_LostFocus(int e) {
    QLineEdit* box = tabs_[e].TB_FillData;
    if (box->text().isEmpty())
        box->setText(QStringLiteral("00"));
    else if (box->text().size() == 1)
        box->setText(u'0' + box->text());
}

void ECET::PB_Fill_Click(int e) {
    TB_FillData_LostFocus(e);
    const int n = eventimage::fillCount(routines_[e].size());
    const QByteArray fill = tabs_[e].TB_FillData->text().toLatin1();
    QByteArray added;
    for (int i = 0; i < n; ++i)
        added += fill;
    appendToRoutine(e, added);
}

// ---- Image ---------------------------------------------------------------------------------

eeprom* ECET::quietProgrammer() {
    if (auto* running = main_.loadedForm<eeprom>(QStringLiteral("eeprom"));
        running && running->transactionRunning()) {
        Dialogs::message(busyText, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return nullptr;
    }
    auto* programmer = main_.form<eeprom>(QStringLiteral("eeprom"));
    if (programmer)
        main_.hideForm(programmer);
    return programmer;
}

void ECET::PB_GenerateRom_Click() {
    setContent({});
    std::array<bool, EventCount> appendSleep{};
    std::array<QString, EventCount> captions;
    for (int e = 0; e < EventCount; ++e) {
        appendSleep[e] = tabs_[e].CB_FillEmptieswithC4->isChecked();
        captions[e] = frameCaption(e);
    }
    const eventimage::Generated generated = eventimage::generate(routines_, appendSleep, captions);
    for (const eventimage::LogLine& line : generated.log) {
        AppendErrorLog(line.text.isEmpty() ? QStringLiteral("\r\n") : line.text, line.colour);
    }
    noFunction_ = generated.noFunction;
    for (int e = 0; e < EventCount; ++e) {
        setRoutine(e, generated.routines[e]);
        setLocked(e, true);
    }
    setContent(generated.image);
    moveLogCaretToEnd();
    if (!main_.EEPROMon || content_.size() <= 1)
        return;
    auto* programmer = main_.loadedForm<eeprom>(QStringLiteral("eeprom"));
    if (programmer && !programmer->transactionRunning())
        programmer->setWorkSheet(FormatEEPROMText(content_, 32));
}

void ECET::PB_Call_Click() {
    if (content_.size() <= 1)
        return;
    eeprom* programmer = quietProgrammer();
    if (!programmer)
        return;
    programmer->setWorkSheet(FormatEEPROMText(content_, 32));
    programmer->Prog->setEnabled(true);
    programmer->Verify->setEnabled(true);
    programmer->SaveEEFile->setEnabled(true);
    programmer->Label2->show();
    programmer->Label3->show();
    programmer->Label3->setText(QString::number(content_.size() / 2) + QStringLiteral(" byte(s)"));
    main_.showForm(programmer);
}

void ECET::PB_Load_Click() {
    eeprom* programmer = quietProgrammer();
    if (!programmer || !programmer->loadeefile_Click())
        return;
    // The worksheet was read from a file just now: its text is the file's own bytes.
    const eventimage::Split split = eventimage::split(
        checkedLatin1(programmer->workSheet(), QStringLiteral("The worksheet"), TextFor::File));
    setContent(split.image);
    for (qsizetype j = 0; j < split.routines.size(); ++j)
        setRoutine(int(j), split.routines[j]);
    PB_ClearLog_Click();
}

void ECET::PB_Save_Click() {
    eeprom* programmer = quietProgrammer();
    if (!programmer)
        return;
    programmer->setWorkSheet(FormatEEPROMText(content_, 32));
    programmer->SaveEEFile_Click();
}

} // namespace krv
