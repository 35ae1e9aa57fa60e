#include "cmdsequence.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "ecet.h"
#include "editorlayout.h"
#include "txpanel.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace krv {

using namespace editorlayout;

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

void setLocked(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// The window's design size in twips; its content may ask for more with a wider font or scale.
constexpr int designWidth = 5650;
constexpr int designHeight = 7000;

} // namespace

Frm_CmdSequence::Frm_CmdSequence(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Command Editor"));
    L_ControlName = named(new QLabel, "L_ControlName");
    QFont bold = L_ControlName->font();
    bold.setBold(true);
    L_ControlName->setFont(bold);
    for (int c = 0; c < cmdsel::Numbers; ++c) {
        if (commandCaptions[c])
            CB_AddCmd[c] =
                element(new QCheckBox(QString::fromLatin1(commandCaptions[c])), "CB_AddCmd", c);
    }
    PB_SelectAll = named(new QPushButton(QStringLiteral("&Select All")), "PB_SelectAll");
    PB_ClearAll = named(new QPushButton(QStringLiteral("&Clear All")), "PB_ClearAll");
    PB_SetDefaults = named(new QPushButton(QStringLiteral("Set &Recommended")), "PB_SetDefaults");
    TB_DataRate = named(new QLineEdit, "TB_DataRate");
    Label1 = named(new QLabel(QStringLiteral("bps")), "Label1");
    TB_DataRateCmd = named(new QLineEdit, "TB_DataRateCmd");
    TB_DataRateCmd->setReadOnly(true);
    Label3 = named(new QLabel(QStringLiteral("h")), "Label3");
    TB_PBCmdValue = named(new QLineEdit, "TB_PBCmdValue");
    TB_PBCmdValue->setReadOnly(true);
    Label2 = named(new QLabel(QStringLiteral("h")), "Label2");
    for (QLineEdit* box : {TB_DataRate, TB_DataRateCmd, TB_PBCmdValue})
        fitWidth(box, 6);

    CB_Pullup = named(new QCheckBox(QStringLiteral("Switch off weak-pullup")), "CB_Pullup");
    Frm_ContExec =
        named(new QGroupBox(QStringLiteral("Continuous Event Execution for")), "Frm_ContExec");
    auto* continuous = new QHBoxLayout(Frm_ContExec);
    denseFrame(continuous);
    for (int k = 0; k < 4; ++k) {
        CB_ContinousExecution[k] =
            element(new QCheckBox(QStringLiteral("PB%1").arg(k + 1)), "CB_ContinousExecution", k);
        continuous->addWidget(CB_ContinousExecution[k]);
    }
    CB_FourthButton =
        named(new QCheckBox(QStringLiteral("Fourth Button Emulation")), "CB_FourthButton");
    Frm_DebouncingTime =
        named(new QGroupBox(QStringLiteral("De-Bouncing Time [ms]")), "Frm_DebouncingTime");
    OB_160 = named(new QRadioButton(QStringLiteral("160")), "OB_160");
    OB_40 = named(new QRadioButton(QStringLiteral("40")), "OB_40");
    OB_10 = named(new QRadioButton(QStringLiteral("10")), "OB_10");
    OB_Bypass = named(new QRadioButton(QStringLiteral("Bypass")), "OB_Bypass");
    OB_160->setChecked(true);
    auto* debounce = new QVBoxLayout(Frm_DebouncingTime);
    denseFrame(debounce);
    for (QRadioButton* option : {OB_160, OB_40, OB_10, OB_Bypass})
        debounce->addWidget(option);
    PB_Save = named(new QPushButton(QStringLiteral("Sa&ve and Close")), "PB_Save");
    PB_Insert = named(new QPushButton(QStringLiteral("&Insert")), "PB_Insert");
    PB_Insert->hide();
    Label4 = named(new QLabel(QStringLiteral("Data Changed.\r\nPlease save it.\r\nUnsaved "
                                             "changes will be lost if this window is closed.")),
                   "Label4");
    Label4->setWordWrap(true);
    Label4->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label4->hide();
    Tmr_Datachanged = new QTimer(this);
    Tmr_Datachanged->setObjectName(QStringLiteral("Tmr_Datachanged"));
    Tmr_Datachanged->setInterval(100);
    // What one mode or one panel's layout hides keeps its place: the window keeps its arrangement
    // whichever is shown, and the note appears without moving anything.
    for (QWidget* control : std::initializer_list<QWidget*>{CB_AddCmd[cmdsel::Pll], TB_DataRate,
                                                            Label1, TB_DataRateCmd, Label3, PB_Save,
                                                            PB_SetDefaults, PB_Insert, Label4})
        keepPlaceWhenHidden(control);

    auto* commands = column();
    for (QCheckBox* box : CB_AddCmd) {
        if (box)
            commands->addWidget(box);
    }
    commands->addStretch(1);
    auto* selection = column();
    for (QPushButton* button : {PB_SelectAll, PB_ClearAll, PB_SetDefaults})
        selection->addWidget(button);
    selection->addSpacing(2 * buttonSpacing);
    selection->addLayout(row({TB_DataRate, Label1}));
    selection->addLayout(row({TB_DataRateCmd, Label3}));
    selection->addLayout(row({TB_PBCmdValue, Label2}));
    selection->addStretch(1);
    auto* pushButton = column();
    pushButton->addWidget(CB_Pullup);
    pushButton->addWidget(Frm_ContExec);
    pushButton->addWidget(CB_FourthButton);
    pushButton->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(windowMargins);
    layout->addWidget(L_ControlName, 0, 0, 1, 2);
    layout->addLayout(commands, 1, 0);
    layout->addLayout(selection, 1, 1);
    layout->addLayout(pushButton, 2, 0);
    layout->addWidget(Frm_DebouncingTime, 2, 1, Qt::AlignTop);
    layout->addLayout(row({PB_Save, PB_Insert}), 3, 0, 1, 2);
    layout->addWidget(Label4, 4, 0, 1, 2, Qt::AlignTop);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);

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
    main_.sizeForm(this, designWidth, designHeight);
    if (editorFrame)
        main_.placeForm(this, 0, pixelsToTwips(editorFrame->width()));
    else
        main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
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
    Label4->setVisible(PB_Insert->isHidden() && bChanged);
}

} // namespace krv
