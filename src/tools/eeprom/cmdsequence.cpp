#include "cmdsequence.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "ecet.h"
#include "txpanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace krv {

namespace {

const char* const commandCaptions[cmdsel::Numbers] = {"Configuration Setting Command",
                                                      "Frequency Setting Command",
                                                      "Power Setting Command",
                                                      "Power Management Command",
                                                      "Low Battery Detector Command",
                                                      "Data Rate Command",
                                                      "Push-Button Command",
                                                      "Wake-up Timer Command",
                                                      nullptr,
                                                      "PLL Setting Command"};

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + u'_' + QString::number(index);
}

void setLocked(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace

Frm_CmdSequence::Frm_CmdSequence(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Command Editor"));
    resize(twipsToPixels(5650), twipsToPixels(7000));
    L_ControlName = named(new QLabel(this), "L_ControlName", twipsRect(120, 120, 5100, 300));
    QFont bold = L_ControlName->font();
    bold.setBold(true);
    L_ControlName->setFont(bold);
    int top = 480;
    for (int c = 0; c < cmdsel::Numbers; ++c) {
        if (!commandCaptions[c])
            continue;
        auto* box = new QCheckBox(QString::fromLatin1(commandCaptions[c]), this);
        box->setObjectName(indexed("CB_AddCmd", c));
        box->setGeometry(twipsRect(120, top, 3300, 285));
        CB_AddCmd[c] = box;
        top += 300;
    }
    PB_SelectAll = named(new QPushButton(QStringLiteral("&Select All"), this), "PB_SelectAll",
                         twipsRect(3500, 480, 1900, 375));
    PB_ClearAll = named(new QPushButton(QStringLiteral("&Clear All"), this), "PB_ClearAll",
                        twipsRect(3500, 900, 1900, 375));
    PB_SetDefaults = named(new QPushButton(QStringLiteral("Set &Recommended"), this),
                           "PB_SetDefaults", twipsRect(3500, 1320, 1900, 375));
    TB_DataRate = named(new QLineEdit(this), "TB_DataRate", twipsRect(3500, 1900, 1000, 300));
    Label1 =
        named(new QLabel(QStringLiteral("bps"), this), "Label1", twipsRect(4560, 1930, 600, 255));
    TB_DataRateCmd = named(new QLineEdit(this), "TB_DataRateCmd", twipsRect(3500, 2260, 1000, 300));
    TB_DataRateCmd->setReadOnly(true);
    Label3 =
        named(new QLabel(QStringLiteral("h"), this), "Label3", twipsRect(4560, 2290, 300, 255));
    TB_PBCmdValue = named(new QLineEdit(this), "TB_PBCmdValue", twipsRect(3500, 2620, 1000, 300));
    TB_PBCmdValue->setReadOnly(true);
    Label2 =
        named(new QLabel(QStringLiteral("h"), this), "Label2", twipsRect(4560, 2650, 300, 255));

    CB_Pullup = named(new QCheckBox(QStringLiteral("Switch off weak-pullup"), this), "CB_Pullup",
                      twipsRect(120, 3300, 3000, 285));
    Frm_ContExec = named(new QGroupBox(QStringLiteral("Continuous Event Execution for"), this),
                         "Frm_ContExec", twipsRect(120, 3660, 3060, 700));
    for (int k = 0; k < 4; ++k) {
        auto* box = new QCheckBox(QStringLiteral("PB%1").arg(k + 1), Frm_ContExec);
        box->setObjectName(indexed("CB_ContinousExecution", k));
        box->setGeometry(twipsRect(100 + k * 735, 300, 735, 285));
        CB_ContinousExecution[k] = box;
    }
    CB_FourthButton = named(new QCheckBox(QStringLiteral("Fourth Button Emulation"), this),
                            "CB_FourthButton", twipsRect(120, 4440, 3000, 285));
    Frm_DebouncingTime = named(new QGroupBox(QStringLiteral("De-Bouncing Time [ms]"), this),
                               "Frm_DebouncingTime", twipsRect(3240, 3300, 2250, 1450));
    OB_160 = named(new QRadioButton(QStringLiteral("160"), Frm_DebouncingTime), "OB_160",
                   twipsRect(120, 280, 1500, 270));
    OB_40 = named(new QRadioButton(QStringLiteral("40"), Frm_DebouncingTime), "OB_40",
                  twipsRect(120, 560, 1500, 270));
    OB_10 = named(new QRadioButton(QStringLiteral("10"), Frm_DebouncingTime), "OB_10",
                  twipsRect(120, 840, 1500, 270));
    OB_Bypass = named(new QRadioButton(QStringLiteral("Bypass"), Frm_DebouncingTime), "OB_Bypass",
                      twipsRect(120, 1120, 1500, 270));
    OB_160->setChecked(true);
    PB_Save = named(new QPushButton(QStringLiteral("Sa&ve and Close"), this), "PB_Save",
                    twipsRect(120, 4900, 2400, 400));
    PB_Insert = named(new QPushButton(QStringLiteral("&Insert"), this), "PB_Insert",
                      twipsRect(2640, 4900, 2400, 400));
    PB_Insert->hide();
    Label4 = named(new QLabel(this), "Label4", twipsRect(120, 5400, 5100, 900));
    Label4->setWordWrap(true);
    Label4->hide();
    Tmr_Datachanged = new QTimer(this);
    Tmr_Datachanged->setObjectName(QStringLiteral("Tmr_Datachanged"));
    Tmr_Datachanged->setInterval(100);

    for (int c = 0; c < cmdsel::Numbers; ++c) {
        if (CB_AddCmd[c])
            connect(CB_AddCmd[c], &QCheckBox::toggled, this, [this, c] { CB_AddCmd_Click(c); });
    }
    connect(CB_Pullup, &QCheckBox::toggled, this,
            [this](bool on) { pushButtonSetting_Click(0, on); });
    for (int k = 0; k < 4; ++k)
        connect(CB_ContinousExecution[k], &QCheckBox::toggled, this,
                [this, k](bool on) { pushButtonSetting_Click(k + 1, on); });
    connect(CB_FourthButton, &QCheckBox::toggled, this,
            [this](bool on) { pushButtonSetting_Click(7, on); });
    const std::pair<QRadioButton*, int> options[] = {
        {OB_160, 0}, {OB_40, 1}, {OB_10, 2}, {OB_Bypass, 3}};
    for (const auto& [option, code] : options)
        connect(option, &QRadioButton::toggled, this,
                [this, code = code](bool on) { debounce_Click(code, on); });
    connect(TB_DataRate, &QLineEdit::textChanged, this, &Frm_CmdSequence::TB_DataRate_Change);
    TB_DataRate->installEventFilter(this);
    connect(PB_SelectAll, &QPushButton::clicked, this, &Frm_CmdSequence::PB_SelectAll_Click);
    connect(PB_ClearAll, &QPushButton::clicked, this, &Frm_CmdSequence::PB_ClearAll_Click);
    connect(PB_Save, &QPushButton::clicked, this, &Frm_CmdSequence::PB_Save_Click);
    connect(PB_SetDefaults, &QPushButton::clicked, this, &Frm_CmdSequence::PB_SetDefaults_Click);
    connect(PB_Insert, &QPushButton::clicked, this, &Frm_CmdSequence::PB_Insert_Click);
    connect(Tmr_Datachanged, &QTimer::timeout, this, &Frm_CmdSequence::Tmr_Datachanged_Timer);
}

ECET* Frm_CmdSequence::editor() const {
    return main_.loadedForm<ECET>(QStringLiteral("ECET"));
}

void Frm_CmdSequence::Form_Load() {
    ECET* ecet = editor();
    // Right of the content editor, as far as the workspace allows.
    const QMdiSubWindow* editorFrame = ecet ? main_.frameOf(ecet) : nullptr;
    main_.placeForm(this, 0, editorFrame ? pixelsToTwips(editorFrame->width()) : 0);
    CmdSel = {};
    SelectDefaultEvents();
    TB_DataRate_LostFocus();
    UpdatePBCmd();
    if (ecet) {
        ecet->FrmCmdSequenceLoaded = true;
        setLocked(TB_PBCmdValue, ecet->TB_LockedColor);
        setLocked(TB_DataRateCmd, ecet->TB_LockedColor);
    }
    bChanged = false;
    bHT531Layout = !main_.TX1on;
    CB_AddCmd[cmdsel::Pll]->setVisible(!bHT531Layout);
    for (QWidget* control :
         {static_cast<QWidget*>(TB_DataRate), static_cast<QWidget*>(TB_DataRateCmd),
          static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label3)})
        control->setVisible(bHT531Layout);
    Tmr_Datachanged->start();
}

void Frm_CmdSequence::Form_Unload() {
    Tmr_Datachanged->stop();
    if (ECET* ecet = editor())
        ecet->ClearbFrmCmdSequenceOpened(ecet->selectedTab() - 1);
}

void Frm_CmdSequence::ShowInsertCommandWindow() {
    PB_Save->hide();
    PB_SetDefaults->hide();
    PB_ClearAll_Click();
    Frm_DebouncingTime->show();
    CB_FourthButton->show();
    CB_Pullup->show();
    PB_Insert->show();
    ClearSequenceData(cmdsel::InsertEvent);
    main_.showForm(this);
    TB_DataRate->setText(QStringLiteral("9600"));
    TB_DataRate_LostFocus();
}

void Frm_CmdSequence::ShowCommandEditor() {
    SelectDefaultEvents();
    PB_Insert->hide();
    PB_Save->show();
    PB_SetDefaults->show();
    if (ECET* ecet = editor())
        ecet->SetbFrmCmdSequenceOpened(ecet->CurrentTab - 1);
    main_.showForm(this);
}

short Frm_CmdSequence::GetCmdSequenceData(int event, int command) const {
    if (event < 0 || event >= cmdsel::Events || command < 0 || command >= cmdsel::Numbers)
        return 0;
    return CmdSel[event][command];
}

void Frm_CmdSequence::ClearSequenceData(int event) {
    if (event >= 0 && event < cmdsel::Events)
        CmdSel[event][cmdsel::SavedFlag] = 0;
}

void Frm_CmdSequence::setBoxes(const std::array<bool, cmdsel::Numbers>& ticks) {
    for (int c = 0; c < cmdsel::Numbers; ++c) {
        if (CB_AddCmd[c])
            CB_AddCmd[c]->setChecked(ticks[c]);
    }
}

void Frm_CmdSequence::SelectDefaultEvents() {
    ECET* ecet = editor();
    const int e = ecet ? ecet->CurrentTab - 1 : 0;
    // Ticking the push-button command rebuilds the byte from the controls before they show it.
    const int stored = PBCmd;
    L_ControlName->setText(ecet ? ecet->frameCaption(e) : QString());
    PB_ClearAll_Click();
    std::array<bool, cmdsel::Numbers> ticks{};
    if (CmdSel[e][cmdsel::SavedFlag]) {
        for (int c = 0; c < cmdsel::Numbers; ++c)
            ticks[c] = CmdSel[e][c] != 0;
        setBoxes(ticks);
    } else {
        for (int c = 0; c < cmdsel::Numbers; ++c)
            ticks[c] = c != cmdsel::SavedFlag && cmdsel::recommended(e, c);
        setBoxes(ticks);
        for (int c = 0; c < cmdsel::Numbers; ++c) {
            if (CB_AddCmd[c])
                CmdSel[e][c] = CB_AddCmd[c]->isChecked() ? 1 : 0;
        }
    }
    applyingStored_ = true;
    CB_Pullup->setChecked(stored & 1);
    Frm_DebouncingTime->show();
    Frm_ContExec->show();
    CB_FourthButton->show();
    CB_Pullup->show();
    for (int k = 0; k < 4; ++k)
        CB_ContinousExecution[k]->setChecked(stored >> (k + 1) & 1);
    QRadioButton* const debounce[] = {OB_160, OB_40, OB_10, OB_Bypass};
    debounce[stored >> 5 & 3]->setChecked(true);
    CB_FourthButton->setChecked(stored >> 7 & 1);
    applyingStored_ = false;
    UpdatePBCmd();
    TB_DataRate->setText(QStringLiteral("9600"));
    TB_DataRate_LostFocus();
    bChanged = false;
}

bool Frm_CmdSequence::CheckControlWindow() {
    const bool mismatch = (main_.TX0on && !bHT531Layout) || (main_.TX1on && bHT531Layout);
    if (!mismatch)
        return true;
    ECET* ecet = editor();
    const QString editorCaption = ecet ? ecet->windowTitle() : QString();
    TxPanels panels(main_);
    const QString first = panels.caption(bHT531Layout ? TxPanels::ht531() : TxPanels::ht537());
    Dialogs::message(QStringLiteral("Warning!\r\nData integrity can not be granted in ") +
                     editorCaption + QStringLiteral(".\r\nThe first opened control panel was ") +
                     first +
                     QStringLiteral(".\r\n\r\nPlease reopen THIS control panel before generating "
                                    "EEPROM content or restart ") +
                     editorCaption + u'.');
    return false;
}

void Frm_CmdSequence::setPushButtonControlsEnabled(bool enabled) {
    QWidget* const controls[] = {Frm_ContExec, CB_FourthButton, CB_Pullup, Frm_DebouncingTime,
                                 OB_160,       OB_40,           OB_10,     OB_Bypass,
                                 TB_PBCmdValue};
    for (QWidget* control : controls)
        control->setEnabled(enabled);
    for (QCheckBox* box : CB_ContinousExecution)
        box->setEnabled(enabled);
}

void Frm_CmdSequence::CB_AddCmd_Click(int index) {
    bChanged = true;
    const bool rate = CB_AddCmd[cmdsel::DataRate]->isChecked();
    TB_DataRate->setEnabled(rate);
    TB_DataRateCmd->setEnabled(rate);
    const bool pushButton = CB_AddCmd[cmdsel::PushButton]->isChecked();
    setPushButtonControlsEnabled(pushButton);
    if (pushButton)
        UpdatePBCmd();
    CmdSel[cmdsel::InsertEvent][index] = CB_AddCmd[index]->isChecked() ? 1 : 0;
}

void Frm_CmdSequence::pushButtonSetting_Click(int bit, bool on) {
    bChanged = true;
    if (!applyingStored_)
        PBCmd2 = on ? PBCmd2 | 1 << bit : PBCmd2 & ~(1 << bit);
    UpdatePBCmd();
}

void Frm_CmdSequence::debounce_Click(int code, bool on) {
    if (!on)
        return;
    bChanged = true;
    if (!applyingStored_)
        PBCmd2 = (PBCmd2 & ~0x60) | code << 5;
    UpdatePBCmd();
}

void Frm_CmdSequence::UpdatePBCmd() {
    cmdsel::PushButtonSettings settings;
    settings.pullupOff = CB_Pullup->isChecked();
    for (int k = 0; k < 4; ++k)
        settings.continuous[k] = CB_ContinousExecution[k]->isChecked();
    settings.debounce = OB_40->isChecked()       ? 1
                        : OB_10->isChecked()     ? 2
                        : OB_Bypass->isChecked() ? 3
                                                 : 0;
    settings.fourthButton = CB_FourthButton->isChecked();
    PBCmd = cmdsel::pushButtonByte(settings);
    TB_PBCmdValue->setText(cmdsel::pushButtonText(PBCmd));
}

void Frm_CmdSequence::TB_DataRate_Change() {
    TB_DataRateCmd->setText(
        cmdsel::dataRateCommand(TB_DataRate->text(), TxPanels(main_).xtalFrequency()));
    bChanged = true;
}

void Frm_CmdSequence::TB_DataRate_LostFocus() {
    if (TB_DataRateCmd->text().isEmpty())
        TB_DataRateCmd->setText(QStringLiteral("C8FF"));
    TB_DataRate->setText(QString::number(
        cmdsel::rateOfCommand(TB_DataRateCmd->text(), TxPanels(main_).xtalFrequency())));
}

bool Frm_CmdSequence::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TB_DataRate) {
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (event->type() == QEvent::FocusOut || enter)
            TB_DataRate_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Frm_CmdSequence::PB_SelectAll_Click() {
    for (QCheckBox* box : CB_AddCmd) {
        if (box)
            box->setChecked(true);
    }
}

void Frm_CmdSequence::PB_ClearAll_Click() {
    for (QCheckBox* box : CB_AddCmd) {
        if (box)
            box->setChecked(false);
    }
}

void Frm_CmdSequence::PB_Save_Click() {
    ECET* ecet = editor();
    const int e = ecet ? ecet->CurrentTab - 1 : 0;
    for (int c = 0; c < cmdsel::Numbers; ++c) {
        if (CB_AddCmd[c])
            CmdSel[e][c] = CB_AddCmd[c]->isChecked() ? 1 : 0;
    }
    CmdSel[e][cmdsel::SavedFlag] = 1;
    UpdatePBCmd();
    bChanged = false;
    if (ecet)
        ecet->ClearbFrmCmdSequenceOpened(ecet->selectedTab() - 1);
    main_.hideForm(this);
}

void Frm_CmdSequence::PB_SetDefaults_Click() {
    ECET* ecet = editor();
    CmdSel[ecet ? ecet->CurrentTab - 1 : 0][cmdsel::SavedFlag] = 0;
    SelectDefaultEvents();
}

void Frm_CmdSequence::PB_Insert_Click() {
    if (ECET* ecet = editor()) {
        const QString words = ecet->GetDataFromControlPanel(cmdsel::InsertEvent);
        ecet->appendToRoutine(ecet->selectedTab() - 1, words.toLatin1());
    }
    main_.hideForm(this);
}

void Frm_CmdSequence::Tmr_Datachanged_Timer() {
    if (PB_Insert->isHidden() && bChanged) {
        Label4->setText(QStringLiteral("Data Changed.\r\nPlease save it.\r\nUnsaved changes will "
                                       "be lost if this window is closed."));
        Label4->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        Label4->show();
    } else {
        Label4->hide();
    }
}

} // namespace krv
