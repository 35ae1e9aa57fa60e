#include "common/dialogs.h"
#include "ismmain.h"
#include "krvform.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <span>

namespace krv {

namespace {

// The dropdown items of a family button: model name and item key.
using Items = std::initializer_list<std::pair<const char*, const char*>>;

void addItems(ISMmain& main, QToolButton* button, Items items) {
    auto* menu = new QMenu(button);
    menu->setObjectName(button->objectName() + QStringLiteral("Menu"));
    for (const auto& [text, key] : items) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(key));
        QObject::connect(
            action, &QAction::triggered, &main,
            [&main, key = QString::fromLatin1(key)] { main.Toolbar1_ButtonMenuClick(key); });
    }
    button->setMenu(menu);
}

// A family button ends released whatever the clicks did to its check state; its pressed state
// is set only by the show and hide procedures.
void pressButton(QToolButton* button, bool pressed) {
    button->setChecked(pressed);
}

} // namespace

void ISMmain::wirePanelSwitching() {
    addItems(
        *this, TXButton,
        {{"HT531", "Mivra"}, {"HT531B", "Mivra-Bijaku"}, {"HT537", "Pelko"}, {"HT539", "Harx"}});
    addItems(*this, RXButton, {{"HR651", "Drusk"}, {"HR658", "Ovalt"}});
    addItems(*this, TRXButton,
             {{"HC913", "Yamble"}, {"HC913B", "Yamble-Bijaku"}, {"HC916", "Zenth"}});
    for (QToolButton* button : {TXButton, RXButton, TRXButton}) {
        connect(button, &QToolButton::clicked, this, [this, button] {
            // The click toggled the check state; the show or hide procedure sets it properly.
            button->setChecked(!button->isChecked());
            Toolbar1_ButtonClick(button->objectName());
        });
    }
    const std::pair<QAction*, void (ISMmain::*)()> items[] = {
        {mnuViewTx0, &ISMmain::mnuViewTx0_Click},
        {mnuViewTx0Bijaku, &ISMmain::mnuViewTx0Bijaku_Click},
        {mnuViewTx1, &ISMmain::mnuViewTx1_Click},
        {mnuViewTx2, &ISMmain::mnuViewTx2_Click},
        {mnuViewRx, &ISMmain::mnuViewRx_Click},
        {mnuViewOvaltRx, &ISMmain::mnuViewOvaltRx_Click},
        {mnuViewTRx, &ISMmain::mnuViewTRx_Click},
        {mnuViewTRxBijaku, &ISMmain::mnuViewTRxBijaku_Click},
        {mnuViewZenthTRx, &ISMmain::mnuViewZenthTRx_Click},
    };
    for (const auto& [action, handler] : items) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            // The check mark follows the panel, not the click.
            action->setChecked(!action->isChecked());
            (this->*handler)();
        });
    }
}

// ---- Show and hide procedures -------------------------------------------------------------------

namespace {

struct PanelSwitch {
    const char* form;
    QToolButton* ISMmain::*button;
    bool ISMmain::*flag;
    QAction* ISMmain::*item;
    QAction* ISMmain::*bItem; // nullptr when the panel has no B variant
    bool frameMode;
};

const PanelSwitch MivraV2{"MivraV2",
                          &ISMmain::TXButton,
                          &ISMmain::TX0on,
                          &ISMmain::mnuViewTx0,
                          &ISMmain::mnuViewTx0Bijaku,
                          true};
const PanelSwitch PelkoV1{
    "PelkoV1", &ISMmain::TXButton, &ISMmain::TX1on, &ISMmain::mnuViewTx1, nullptr, false};
const PanelSwitch Harx{"HT539", &ISMmain::TXButton, &ISMmain::TX2on, &ISMmain::mnuViewTx2, nullptr,
                       false};
const PanelSwitch DruskV1{
    "DruskV1", &ISMmain::RXButton, &ISMmain::RXon, &ISMmain::mnuViewRx, nullptr, false};
const PanelSwitch Ovalt{
    "Ovalt", &ISMmain::RXButton, &ISMmain::RX1on, &ISMmain::mnuViewOvaltRx, nullptr, false};
const PanelSwitch YambleV3{"YambleV3",           &ISMmain::TRXButton,        &ISMmain::TRXon,
                           &ISMmain::mnuViewTRx, &ISMmain::mnuViewTRxBijaku, true};
const PanelSwitch Zenth{
    "FRM_Zenth", &ISMmain::TRXButton, &ISMmain::TRX1on, &ISMmain::mnuViewZenthTRx, nullptr, true};

QAction* viewItem(ISMmain& main, const PanelSwitch& panel) {
    if (panel.bItem && main.IsBijakuModeSet())
        return main.*panel.bItem;
    return main.*panel.item;
}

void showPanel(ISMmain& main, const PanelSwitch& panel, std::initializer_list<QAction*> tools) {
    pressButton(main.*panel.button, true);
    main.*panel.flag = true;
    viewItem(main, panel)->setChecked(true);
    QWidget* form = main.form(QString::fromLatin1(panel.form));
    auto* chip = dynamic_cast<ChipPanelForm*>(form);
    if (chip && panel.frameMode)
        chip->SetFrameMode();
    if (form) {
        main.showForm(form);
        if (chip && chip->updateButton())
            chip->updateButton()->setFocus(Qt::OtherFocusReason);
    }
    for (QAction* tool : tools)
        if (tool)
            tool->setEnabled(true);
}

void hidePanel(ISMmain& main, const PanelSwitch& panel) {
    pressButton(main.*panel.button, true);
    pressButton(main.*panel.button, false);
    main.*panel.flag = false;
    if (panel.bItem && (main.*panel.bItem)->isChecked())
        (main.*panel.bItem)->setChecked(false);
    else
        (main.*panel.item)->setChecked(false);
    const QString name = QString::fromLatin1(panel.form);
    if (QWidget* form = main.loadedForm(name)) {
        main.hideForm(form);
        return;
    }
    // A panel whose own unload step calls this is no longer listed, but its frame is still
    // there: it must not be loaded again. Any other panel is loaded hidden by the touch.
    if (auto* frame = main.mdiArea()->findChild<QMdiSubWindow*>(name + QStringLiteral("Frame")))
        frame->hide();
    else
        main.form(name);
}

void disable(std::initializer_list<QAction*> items) {
    for (QAction* item : items)
        item->setEnabled(false);
}

} // namespace

QWidget* ISMmain::shownPanel() const {
    for (const PanelSwitch* panel :
         {&MivraV2, &PelkoV1, &Harx, &DruskV1, &Ovalt, &YambleV3, &Zenth}) {
        if (this->*panel->flag)
            return loadedForm(QString::fromLatin1(panel->form));
    }
    return nullptr;
}

void ISMmain::MivraV2_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, MivraV2,
              {mnuToolsMivraTestmode, mnutoolsECET, board2 ? mnutoolsRFSetup_TX : nullptr});
}

void ISMmain::PelkoV1_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, PelkoV1,
              {mnuToolsMivraTestmode, mnutoolsECET, board2 ? mnutoolsRFSetup_TX : nullptr});
}

void ISMmain::Harx_show() {
    showPanel(*this, Harx, {});
}

void ISMmain::DruskV1_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, DruskV1,
              {mnuToolsRFlink, board2 ? mnutoolsRFSetup_RX : nullptr, mnuToolsDruskTestmode});
}

void ISMmain::Ovalt_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, Ovalt,
              {mnuToolsRFlink, board2 ? mnutoolsRFSetup_RX : nullptr, mnuToolsDruskTestmode});
}

void ISMmain::YambleV3_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, YambleV3,
              {mnuToolsYambleTestmode, board2 ? mnuToolsYambleRFlink : nullptr,
               board2 ? mnutoolsRFSetup_TX : nullptr, board2 ? mnutoolsRFSetup_RX : nullptr});
}

void ISMmain::Zenth_show() {
    const bool board2 = LoadBoardRev == 2;
    showPanel(*this, Zenth,
              {mnuToolsYambleTestmode, board2 ? mnuToolsYambleRFlink : nullptr,
               board2 ? mnutoolsRFSetup_TX : nullptr, board2 ? mnutoolsRFSetup_RX : nullptr});
}

namespace {

void hideReceiver(ISMmain& main, const PanelSwitch& panel) {
    hidePanel(main, panel);
    disable({main.mnuToolsMivraTestmode, main.mnuToolsDruskTestmode, main.mnuToolsYambleTestmode,
             main.mnuToolsRFlink, main.mnutoolsRFSetup_RX});
    for (const char* name : {"DruskV1rflink", "DruskV1rflink_LB2", "frm_Link_RX"})
        main.unloadForm(QString::fromLatin1(name));
}

void hideTransmitter(ISMmain& main, const PanelSwitch& panel) {
    hidePanel(main, panel);
    disable({main.mnuToolsMivraTestmode, main.mnuToolsDruskTestmode, main.mnuToolsYambleTestmode,
             main.mnuToolsRFlink, main.mnutoolsECET, main.mnutoolsRFSetup_TX});
    for (const char* name : {"frm_Link", "MivraV2test"})
        main.unloadForm(QString::fromLatin1(name));
}

void hideTransceiver(ISMmain& main, const PanelSwitch& panel) {
    hidePanel(main, panel);
    disable({main.mnuToolsMivraTestmode, main.mnuToolsDruskTestmode, main.mnuToolsYambleTestmode,
             main.mnuToolsYambleRFlink, main.mnutoolsRFSetup_TX});
    main.unloadForm(QStringLiteral("frm_Link"));
    main.mnutoolsRFSetup_RX->setEnabled(false);
    main.unloadForm(QStringLiteral("frm_Link_RX"));
    main.unloadForm(QStringLiteral("Frm_YambleRfLinkTest"));
}

} // namespace

void ISMmain::MivraV2_hide() {
    hideTransmitter(*this, MivraV2);
}

void ISMmain::PelkoV1_hide() {
    hideTransmitter(*this, PelkoV1);
}

void ISMmain::Harx_hide() {
    hideTransmitter(*this, Harx);
}

void ISMmain::DruskV1_hide() {
    hideReceiver(*this, DruskV1);
}

void ISMmain::Ovalt_hide() {
    hideReceiver(*this, Ovalt);
}

void ISMmain::YambleV3_hide() {
    hideTransceiver(*this, YambleV3);
}

void ISMmain::Zenth_hide() {
    hideTransceiver(*this, Zenth);
}

// ---- The switcher -------------------------------------------------------------------------------

void ISMmain::TogglePanel(const QString& key, bool shown) {
    using Procedure = void (ISMmain::*)();
    struct Entry {
        const char* key;
        Procedure show;
        Procedure hide; // of the key itself; none for the B keys
        Procedure own;  // the chosen panel's hide procedure
        bool transmitter;
    };
    static const Entry entries[] = {
        {"DruskV1", &ISMmain::DruskV1_show, &ISMmain::DruskV1_hide, &ISMmain::DruskV1_hide, false},
        {"Ovalt", &ISMmain::Ovalt_show, &ISMmain::Ovalt_hide, &ISMmain::Ovalt_hide, false},
        {"MivraV2", &ISMmain::MivraV2_show, &ISMmain::MivraV2_hide, &ISMmain::MivraV2_hide, true},
        {"MivraV2B", &ISMmain::MivraV2_show, nullptr, &ISMmain::MivraV2_hide, true},
        {"Harx", &ISMmain::Harx_show, &ISMmain::Harx_hide, &ISMmain::Harx_hide, true},
        {"PelkoV1", &ISMmain::PelkoV1_show, &ISMmain::PelkoV1_hide, &ISMmain::PelkoV1_hide, true},
        {"YambleV3", &ISMmain::YambleV3_show, &ISMmain::YambleV3_hide, &ISMmain::YambleV3_hide,
         false},
        {"YambleV3B", &ISMmain::YambleV3_show, nullptr, &ISMmain::YambleV3_hide, false},
        {"Zenth", &ISMmain::Zenth_show, &ISMmain::Zenth_hide, &ISMmain::Zenth_hide, false},
    };
    // The other panels in the order they are hidden before one is shown: transmitters first
    // for a transmitter, receivers first for the others.
    struct Other {
        bool ISMmain::*flag;
        Procedure hide;
    };
    static const Other receiverFirst[] = {
        {&ISMmain::RXon, &ISMmain::DruskV1_hide},  {&ISMmain::RX1on, &ISMmain::Ovalt_hide},
        {&ISMmain::TX0on, &ISMmain::MivraV2_hide}, {&ISMmain::TX1on, &ISMmain::PelkoV1_hide},
        {&ISMmain::TX2on, &ISMmain::Harx_hide},    {&ISMmain::TRXon, &ISMmain::YambleV3_hide},
        {&ISMmain::TRX1on, &ISMmain::Zenth_hide},
    };
    static const Other transmitterFirst[] = {
        {&ISMmain::TX0on, &ISMmain::MivraV2_hide}, {&ISMmain::TX1on, &ISMmain::PelkoV1_hide},
        {&ISMmain::TX2on, &ISMmain::Harx_hide},    {&ISMmain::RXon, &ISMmain::DruskV1_hide},
        {&ISMmain::RX1on, &ISMmain::Ovalt_hide},   {&ISMmain::TRXon, &ISMmain::YambleV3_hide},
        {&ISMmain::TRX1on, &ISMmain::Zenth_hide},
    };
    const Entry* entry = nullptr;
    for (const Entry& e : entries)
        if (key == QLatin1String(e.key))
            entry = &e;
    if (!entry)
        return;
    if (shown) {
        if (entry->hide)
            (this->*entry->hide)();
        return;
    }
    const std::span<const Other> others = entry->transmitter
                                              ? std::span<const Other>(transmitterFirst)
                                              : std::span<const Other>(receiverFirst);
    for (const Other& other : others)
        if (other.hide != entry->own && this->*other.flag)
            (this->*other.hide)();
    (this->*entry->show)();
}

// ---- View menu ----------------------------------------------------------------------------------

void ISMmain::mnuViewTx0_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    CurrentTxChip = QStringLiteral("MivraV2");
    TXButton->setText(QStringLiteral("HT531"));
    TogglePanel(QStringLiteral("MivraV2"), TX0on);
}

void ISMmain::mnuViewTx0Bijaku_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    MivraV2_hide();
    SetBijakuMode(true);
    CurrentTxChip = QStringLiteral("MivraV2B");
    TXButton->setText(QStringLiteral("HT531B"));
    TogglePanel(QStringLiteral("MivraV2"), TX0on);
}

void ISMmain::mnuViewTx1_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    CurrentTxChip = QStringLiteral("PelkoV1");
    TXButton->setText(QStringLiteral("HT537"));
    TogglePanel(QStringLiteral("PelkoV1"), TX1on);
}

void ISMmain::mnuViewTx2_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    CurrentTxChip = QStringLiteral("Harx");
    TXButton->setText(QStringLiteral("HT539"));
    TogglePanel(QStringLiteral("Harx"), TX2on);
}

void ISMmain::mnuViewRx_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    TogglePanel(QStringLiteral("DruskV1"), RXon);
}

void ISMmain::mnuViewOvaltRx_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    TogglePanel(QStringLiteral("Ovalt"), RX1on);
}

void ISMmain::mnuViewTRx_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    CurrentTrxChip = QStringLiteral("YambleV3");
    TRXButton->setText(QStringLiteral("HC913"));
    TogglePanel(QStringLiteral("YambleV3"), TRXon);
}

void ISMmain::mnuViewTRxBijaku_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    YambleV3_hide();
    SetBijakuMode(true);
    CurrentTrxChip = QStringLiteral("YambleV3B");
    TRXButton->setText(QStringLiteral("HC913B"));
    TogglePanel(QStringLiteral("YambleV3"), TRXon);
}

void ISMmain::mnuViewZenthTRx_Click() {
    unloadForm(QStringLiteral("frm_Splash"));
    SetBijakuMode(false);
    CurrentTrxChip = QStringLiteral("Zenth");
    TRXButton->setText(QStringLiteral("HC916"));
    TogglePanel(QStringLiteral("Zenth"), TRX1on);
}

void ISMmain::mnuViewToolbar_Click() {
    // Toggling the check state shows or hides the chip toolbar (connected when it was built).
    mnuViewToolbar->setChecked(!mnuViewToolbar->isChecked());
}

// ---- Chip toolbar -------------------------------------------------------------------------------

void ISMmain::Toolbar1_ButtonClick(const QString& key) {
    unloadForm(QStringLiteral("frm_Splash"));
    if (key == QStringLiteral("TX")) {
        if (CurrentTxChip.isEmpty()) {
            Dialogs::message(QStringLiteral(
                "Please select HT531, HT531B, HT537 or HT539 from the dropdown list!"));
        } else if (CurrentTxChip == QStringLiteral("MivraV2")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("MivraV2"), TX0on);
        } else if (CurrentTxChip == QStringLiteral("MivraV2B")) {
            MivraV2_hide();
            SetBijakuMode(true);
            TogglePanel(QStringLiteral("MivraV2B"), TX0on);
        } else if (CurrentTxChip == QStringLiteral("PelkoV1")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("PelkoV1"), TX1on);
        } else if (CurrentTxChip == QStringLiteral("Harx")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("Harx"), TX2on);
        }
    } else if (key == QStringLiteral("RX")) {
        if (CurrentRxChip.isEmpty()) {
            Dialogs::message(
                QStringLiteral("Please select HR651 or HR658 from the dropdown list!"));
        } else if (CurrentRxChip == QStringLiteral("Drusk")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("DruskV1"), RXon);
        } else if (CurrentRxChip == QStringLiteral("Ovalt")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("Ovalt"), RX1on);
        }
    } else if (key == QStringLiteral("TRX")) {
        if (CurrentTrxChip.isEmpty()) {
            Dialogs::message(
                QStringLiteral("Please select HC913, HC913B or HC916 from the dropdown list!"));
        } else if (CurrentTrxChip == QStringLiteral("YambleV3")) {
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("YambleV3"), TRXon);
        } else if (CurrentTrxChip == QStringLiteral("YambleV3B")) {
            YambleV3_hide();
            SetBijakuMode(true);
            TogglePanel(QStringLiteral("YambleV3B"), TRXon);
        } else if (CurrentTrxChip == QStringLiteral("Zenth")) {
            YambleV3_hide();
            SetBijakuMode(false);
            TogglePanel(QStringLiteral("Zenth"), TRX1on);
        }
    }
}

void ISMmain::Toolbar1_ButtonMenuClick(const QString& key) {
    struct Choice {
        const char* key;
        QString ISMmain::*remembered;
        const char* chip;
        QToolButton* ISMmain::*button;
        const char* caption;
        void (ISMmain::*hideFirst)();
        bool mode;
        const char* panel;
        bool ISMmain::*flag;
    };
    static const Choice choices[] = {
        {"Drusk", &ISMmain::CurrentRxChip, "Drusk", &ISMmain::RXButton, "HR651", nullptr, false,
         "DruskV1", &ISMmain::RXon},
        {"Ovalt", &ISMmain::CurrentRxChip, "Ovalt", &ISMmain::RXButton, "HR658", nullptr, false,
         "Ovalt", &ISMmain::RX1on},
        {"Mivra", &ISMmain::CurrentTxChip, "MivraV2", &ISMmain::TXButton, "HT531", nullptr, false,
         "MivraV2", &ISMmain::TX0on},
        {"Mivra-Bijaku", &ISMmain::CurrentTxChip, "MivraV2B", &ISMmain::TXButton, "HT531B",
         &ISMmain::MivraV2_hide, true, "MivraV2B", &ISMmain::TX0on},
        {"Pelko", &ISMmain::CurrentTxChip, "PelkoV1", &ISMmain::TXButton, "HT537", nullptr, false,
         "PelkoV1", &ISMmain::TX1on},
        {"Harx", &ISMmain::CurrentTxChip, "Harx", &ISMmain::TXButton, "HT539", nullptr, false,
         "Harx", &ISMmain::TX2on},
        {"Yamble", &ISMmain::CurrentTrxChip, "YambleV3", &ISMmain::TRXButton, "HC913", nullptr,
         false, "YambleV3", &ISMmain::TRXon},
        {"Yamble-Bijaku", &ISMmain::CurrentTrxChip, "YambleV3B", &ISMmain::TRXButton, "HC913B",
         &ISMmain::YambleV3_hide, true, "YambleV3B", &ISMmain::TRXon},
        {"Zenth", &ISMmain::CurrentTrxChip, "Zenth", &ISMmain::TRXButton, "HC916", nullptr, false,
         "Zenth", &ISMmain::TRX1on},
    };
    unloadForm(QStringLiteral("frm_Splash"));
    for (const Choice& choice : choices) {
        if (key != QLatin1String(choice.key))
            continue;
        this->*choice.remembered = QString::fromLatin1(choice.chip);
        (this->*choice.button)->setText(QString::fromLatin1(choice.caption));
        if (choice.hideFirst)
            (this->*choice.hideFirst)();
        SetBijakuMode(choice.mode);
        TogglePanel(QString::fromLatin1(choice.panel), this->*choice.flag);
        return;
    }
}

} // namespace krv
