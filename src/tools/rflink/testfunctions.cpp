#include "testfunctions.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/optionbutton.h"
#include "leavewatch.h"
#include "panels/common/chippanel.h"
#include "testbytes.h"
#include "widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace krv::rflink {

using namespace testbytes;

namespace {

const QString paEntry = QStringLiteral("PA status bits reading on CLK out");

QStringList digitalSelectors(bool transceiver) {
    return {QStringLiteral("Low"),
            QStringLiteral("GearBox Out <0>"),
            QStringLiteral("GearBox Out <1>"),
            QStringLiteral("GearBox Out <2>"),
            QStringLiteral("GearBox Out <3>"),
            QStringLiteral("RDY"),
            QStringLiteral("Up/_Do"),
            QStringLiteral("_STOP"),
            QStringLiteral("Delta-Sigma M<0>"),
            QStringLiteral("Delta-Sigma M<1>"),
            QStringLiteral("Delta-Sigma M<2>"),
            QStringLiteral("FV"),
            QStringLiteral("XEN"),
            QStringLiteral("CR_LOCK"),
            QStringLiteral("PLL UP/DN (LD)"),
            transceiver ? QStringLiteral("Low") : QStringLiteral("No Frequency Check"),
            QStringLiteral("I,Q"),
            QStringLiteral("Stop, RDY"),
            QStringLiteral("Stop, GBOsc"),
            QStringLiteral("GearBox Out <0,1>"),
            QStringLiteral("GearBox Out <2,3>"),
            QStringLiteral("GearBox Out <4>, 0")};
}

QStringList tuningSources(bool transceiver) {
    if (!transceiver)
        return {QStringLiteral("Normal Mode"), QStringLiteral("GearBox value comes from outside"),
                QStringLiteral("BaseBand Filter value comes from outside")};
    return {QStringLiteral("Normal Mode"),
            QStringLiteral("GearBox value comes from outside (BG<3:0>)"),
            QStringLiteral("BaseBand Filter value comes from outside (BG<4:0>)"),
            QStringLiteral("Antenna circuit value comes from outside (BG<3:0>)")};
}

} // namespace

TestFunctions::TestFunctions(ISMmain& main, bool transceiver)
    : main_(main), tool_(main, this), transceiver_(transceiver) {
    setWindowTitle(transceiver ? QStringLiteral("HC913 transceiver test mode")
                               : QStringLiteral("HR651 receiver test mode"));
    const char* sendNames[] = {"PB_Send_0", "PB_Send_1"};
    const char* byteNames[] = {"TB_TestByte_0", "TB_TestByte_1"};
    const char* markNames[] = {"LabelUpdate_0", "LabelUpdate_1"};
    for (int i = 0; i < 2; ++i) {
        PB_Send[i] = button(sendNames[i], QStringLiteral("&Send"));
        TB_TestByte[i] = readOnlyBox(byteNames[i], QStringLiteral("00"), Qt::AlignCenter);
        TB_TestByte[i]->setMaxLength(2);
        TB_TestByte[i]->setMaximumWidth(50);
        LabelUpdate[i] = label(markNames[i], QStringLiteral("Test Commad modified!"));
        LabelUpdate[i]->setStyleSheet(QStringLiteral("color: red;"));
        connect(PB_Send[i], &QPushButton::clicked, this, [this, i] { PB_Send_Click(i); });
        connect(TB_TestByte[i], &QLineEdit::textChanged, this,
                [this, i] { TB_TestByte_Change(i); });
    }
    Frm_TestByte1 = frame("Frm_TestByte1", QStringLiteral("Test Control Byte #1"));
    Frm_TestByte2 = frame("Frm_TestByte2", QStringLiteral("Test Control Byte #2"));
    Label7 = label("Label7", QStringLiteral("Analog Test Control Byte in hex"));
    Label4 = label("Label4", QStringLiteral("Analog Test Control Byte in hex"));
    FRM_DS = frame("FRM_DS", QStringLiteral("Delta-Sigma Modulator"));
    CB_DS = checkBox("CB_DS", QStringLiteral("Switch off the Delta-Sigma modulator"));
    Frm_BBGainSwitch = frame("Frm_BBGainSwitch", QStringLiteral("BaseBand Gain Switch"));
    OB_GainswitchHigh = option("OB_GainswitchHigh", QStringLiteral("High Gain"));
    OB_GainswitchLow = option("OB_GainswitchLow", QStringLiteral("Low Gain"), true);
    Frm_GBData =
        frame("Frm_GBData", QStringLiteral("GearBox and BaseBand Tuning Value Direct Set"));
    CB_GBData = list("CB_GBData", tuningSources(transceiver), QStringLiteral("Please select"));
    TB_GBData = textBox("TB_GBData", QStringLiteral("00"), Qt::AlignCenter);
    TB_GBData->setMaxLength(2);
    TB_GBData->setMaximumWidth(50);
    TB_GBData->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), TB_GBData));
    Label3 = label("Label3", QStringLiteral("Digital  Data in hex"));
    Frm_DigitalTest = frame("Frm_DigitalTest", QStringLiteral("Digital Test Bits"));
    CB_DSLC = list("CB_DSLC", digitalSelectors(transceiver), QStringLiteral("Please select"));
    TB_DSLC = readOnlyBox("TB_DSLC", QStringLiteral("00"), Qt::AlignCenter);
    TB_DSLC->setMaximumWidth(50);
    Label6 = label("Label6", QStringLiteral("DSLC:"));
    Label5 = label("Label5",
                   transceiver
                       ? QStringLiteral("Digital Outputs <1:0> < VDI (pin 16) : CLK (pin 8) >")
                       : QStringLiteral("Digital Outputs <1:0> < DRSSI (pin 16) : CLK (pin 8) >"));
    Frm_AnalogTestBits = frame("Frm_AnalogTestBits", QStringLiteral("Analog Test Bits"));
    CB_ASLC = list("CB_ASLC",
                   {QStringLiteral("HighZ on both outputs"),
                    QStringLiteral("Limiter differential Q Input channel"),
                    QStringLiteral("Limiter differential I Input channel"),
                    QStringLiteral("Mixer differential offset Q channel ")},
                   QStringLiteral("Please select"));
    TB_ASLC = readOnlyBox("TB_ASLC", QStringLiteral("00"), Qt::AlignCenter);
    TB_ASLC->setMaximumWidth(50);
    Label2 = label("Label2", QStringLiteral("ASLC:"));
    Label1 =
        label("Label1", QStringLiteral("Analog Outputs <1:0>  < nIRQ (pin 5) : SDO (pin 4) >"));
    Frm_POR = frame("Frm_POR", transceiver ? QStringLiteral("PA Test Select")
                                           : QStringLiteral("Sensitive POR"));
    CB_DisableSensitivePOR =
        checkBox("CB_DisableSensitivePOR",
                 transceiver ? QStringLiteral("PA Test and Data Read Selection")
                             : QStringLiteral("Disable the sensitive POR circuit"));
    if (transceiver) {
        CB_GBDataPAMode =
            list("CB_GBDataPAMode",
                 {QStringLiteral("PA_OUT<0>"), QStringLiteral("PA_OUT<1>"),
                  QStringLiteral("PA_OUT<2>"), QStringLiteral("PA_OUT<3>"), QStringLiteral("C0"),
                  QStringLiteral("C1"), QStringLiteral("OK"), QStringLiteral("High")},
                 QStringLiteral("Please Select"));
        Label8 = label("Label8", QStringLiteral("PA Status Bit Select"));
        CB_GBDataPAMode->hide();
        Label8->hide();
    }

    // The lists as wide as their entries, the notes wrapped, the frames close: the two columns
    // stand side by side in little more than the lists need, clear of the panel's Update button
    // on a small desktop.
    for (QComboBox* box : {CB_GBData, CB_DSLC, CB_ASLC, CB_GBDataPAMode}) {
        if (box)
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    for (QLabel* note : {Label5, Label1})
        note->setWordWrap(true);
    dense(new QVBoxLayout(FRM_DS))->addWidget(CB_DS);
    auto* gain = dense(new QHBoxLayout(Frm_BBGainSwitch));
    gain->addWidget(OB_GainswitchHigh);
    gain->addWidget(OB_GainswitchLow);
    gain->addStretch();
    // A list on its own line, a caption and its box on the next.
    const auto listGrid = [](QGroupBox* frame, QComboBox* list, QLabel* caption, QLineEdit* box) {
        auto* grid = dense(new QGridLayout(frame));
        grid->addWidget(list, 0, 0, 1, 2, Qt::AlignLeft);
        grid->addWidget(caption, 1, 0);
        grid->addWidget(box, 1, 1, Qt::AlignLeft);
        grid->setColumnStretch(1, 1);
        return grid;
    };
    QGridLayout* data = listGrid(Frm_GBData, CB_GBData, Label3, TB_GBData);
    if (transceiver) {
        data->addWidget(Label8, 2, 0);
        data->addWidget(CB_GBDataPAMode, 2, 1, Qt::AlignLeft);
    }
    listGrid(Frm_DigitalTest, CB_DSLC, Label6, TB_DSLC)->addWidget(Label5, 2, 0, 1, 2);
    listGrid(Frm_AnalogTestBits, CB_ASLC, Label2, TB_ASLC)->addWidget(Label1, 2, 0, 1, 2);
    dense(new QVBoxLayout(Frm_POR))->addWidget(CB_DisableSensitivePOR);
    // The byte's caption above its box, its Send button and its change mark.
    const auto byteRows = [this](int i, QLabel* caption, QVBoxLayout* column) {
        column->addWidget(caption);
        auto* row = dense(new QHBoxLayout);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(TB_TestByte[i]);
        row->addWidget(PB_Send[i]);
        row->addWidget(LabelUpdate[i]);
        row->addStretch();
        column->addLayout(row);
    };
    auto* left = dense(new QVBoxLayout(Frm_TestByte1));
    byteRows(1, Label7, left);
    left->addWidget(FRM_DS);
    left->addWidget(Frm_BBGainSwitch);
    left->addWidget(Frm_GBData);
    left->addStretch();
    auto* right = dense(new QVBoxLayout(Frm_TestByte2));
    byteRows(0, Label4, right);
    right->addWidget(Frm_DigitalTest);
    right->addWidget(Frm_AnalogTestBits);
    right->addWidget(Frm_POR);
    right->addStretch();
    auto* layout = dense(new QHBoxLayout(this));
    layout->addWidget(Frm_TestByte1);
    layout->addWidget(Frm_TestByte2);

    connect(CB_ASLC, &QComboBox::currentIndexChanged, this, &TestFunctions::CB_ASLC_Click);
    connect(TB_ASLC, &QLineEdit::textChanged, this, &TestFunctions::TB_ASLC_Change);
    connect(CB_DSLC, &QComboBox::currentIndexChanged, this, &TestFunctions::CB_DSLC_Click);
    connect(TB_DSLC, &QLineEdit::textChanged, this, &TestFunctions::TB_DSLC_Change);
    connect(CB_DS, &QCheckBox::toggled, this, &TestFunctions::CB_DS_Click);
    onSelected(OB_GainswitchHigh, [this] { OB_GainswitchHigh_Click(); });
    onSelected(OB_GainswitchLow, [this] { OB_GainswitchLow_Click(); });
    connect(CB_DisableSensitivePOR, &QCheckBox::toggled, this,
            &TestFunctions::CB_DisableSensitivePOR_Click);
    connect(CB_GBData, &QComboBox::currentIndexChanged, this, &TestFunctions::CB_GBData_Click);
    // Choosing the entry that is already chosen puts its selector back.
    connect(CB_GBData, &QComboBox::activated, this, [this](int i) {
        if (i == CB_GBData->currentIndex())
            CB_GBData_Click();
    });
    if (CB_GBDataPAMode)
        connect(CB_GBDataPAMode, &QComboBox::currentIndexChanged, this,
                &TestFunctions::CB_GBDataPAMode_Click);
    connect(TB_GBData, &QLineEdit::textEdited, this, &TestFunctions::TB_GBData_Change);
    onLeaving(TB_GBData, [this] { TB_GBData_LostFocus(); });
}

QComboBox* TestFunctions::list(const char* name, const QStringList& entries,
                               const QString& placeholder) {
    auto* box = named(new QComboBox, name);
    box->setPlaceholderText(placeholder);
    box->addItems(entries);
    box->setCurrentIndex(-1);
    return box;
}

void TestFunctions::Form_Load() {
    // As large as its controls need: it has no design size of its own.
    main_.sizeForm(this, 0, 0);
    CB_ASLC->setCurrentIndex(0);
    CB_GBData->setCurrentIndex(0);
    SavedGBDataIndex = 0;
    if (CB_GBDataPAMode)
        CB_GBDataPAMode->setCurrentIndex(0);
    CB_DSLC->setCurrentIndex(0);
    for (QLabel* mark : LabelUpdate)
        mark->hide();
}

quint8 TestFunctions::byte(int index) const {
    return quint8(TB_TestByte[index]->text().toInt(nullptr, 16));
}

void TestFunctions::setByte(int index, quint8 value) {
    TB_TestByte[index]->setText(twoDigits(value));
}

void TestFunctions::TB_TestByte_Change(int index) {
    LabelUpdate[index]->show();
}

void TestFunctions::CB_ASLC_Click() {
    const int entry = CB_ASLC->currentIndex();
    if (entry >= 0)
        TB_ASLC->setText(twoDigits(entry));
}

void TestFunctions::TB_ASLC_Change() {
    setByte(0, withAnalogSelector(byte(0), TB_ASLC->text().toInt(nullptr, 16)));
}

void TestFunctions::CB_DSLC_Click() {
    const int entry = CB_DSLC->currentIndex();
    if (entry >= 0)
        TB_DSLC->setText(twoDigits(entry));
}

void TestFunctions::TB_DSLC_Change() {
    setByte(0, withDigitalSelector(byte(0), TB_DSLC->text().toInt(nullptr, 16)));
}

void TestFunctions::CB_DS_Click() {
    setByte(1, withBit(byte(1), 7, CB_DS->isChecked()));
}

void TestFunctions::OB_GainswitchHigh_Click() {
    setByte(1, withBit(byte(1), 6, true));
}

void TestFunctions::OB_GainswitchLow_Click() {
    setByte(1, withBit(byte(1), 6, false));
}

void TestFunctions::setTuning(int value) {
    tuning_ = value & 0x3F;
    writingData_ = true;
    TB_GBData->setText(twoDigits(tuning_));
    writingData_ = false;
    applyTuning();
}

void TestFunctions::applyTuning() {
    setByte(1, withTuning(byte(1), tuning_));
}

void TestFunctions::CB_GBData_Click() {
    const int entry = CB_GBData->currentIndex();
    if (entry < 0)
        return;
    if (transceiver_) {
        TB_GBData->setReadOnly(false);
        if (entry != 4)
            SavedGBDataIndex = entry;
    }
    const bool normal = entry == 0;
    Label3->setEnabled(!normal);
    TB_GBData->setEnabled(!normal);
    setTuning(normal ? 0 : (tuning_ & 0x0F) | sourceSelector(entry));
    if (entry == 4) {
        TB_GBData->setReadOnly(true);
        CB_GBDataPAMode_Click();
    }
}

void TestFunctions::CB_GBDataPAMode_Click() {
    const int mode = CB_GBDataPAMode ? CB_GBDataPAMode->currentIndex() : -1;
    if (mode >= 0)
        setTuning((tuning_ & 0xF0) | mode);
}

void TestFunctions::TB_GBData_Change() {
    if (writingData_)
        return;
    const QString text = TB_GBData->text();
    // A complete entry (or an emptied box) takes effect at once.
    if (text.isEmpty() || text.size() == 2)
        setTuning(tuningFromText(text, CB_GBData->currentIndex()));
}

void TestFunctions::TB_GBData_LostFocus() {
    if (!TB_GBData->isEnabled() || TB_GBData->isReadOnly())
        return;
    setTuning(tuningFromText(TB_GBData->text(), CB_GBData->currentIndex()));
}

void TestFunctions::CB_DisableSensitivePOR_Click() {
    const bool on = CB_DisableSensitivePOR->isChecked();
    setByte(0, withBit(byte(0), 0, on));
    if (!transceiver_)
        return;
    if (on) {
        CB_GBData->addItem(paEntry);
        SavedGBDataIndex = CB_GBData->currentIndex();
        SavedGBDataNibble = tuning_ & 0x0F;
        CB_GBData->setCurrentIndex(4);
        CB_GBDataPAMode->show();
        Label8->show();
        CB_GBDataPAMode_Click();
    } else {
        {
            const QSignalBlocker quiet(CB_GBData);
            CB_GBData->removeItem(CB_GBData->count() - 1);
            CB_GBData->setCurrentIndex(-1);
        }
        const int last = CB_GBData->count() - 1;
        CB_GBData->setCurrentIndex(SavedGBDataIndex > last ? 0 : SavedGBDataIndex);
        setTuning((tuning_ & 0x30) | SavedGBDataNibble);
        CB_GBDataPAMode->hide();
        Label8->hide();
    }
}

void TestFunctions::PB_Send_Click(int index) {
    const QString prefix = index == 0 ? QStringLiteral("DA") : QStringLiteral("D8");
    if (tool_.portOpen()) {
        LabelUpdate[index]->hide();
        tool_.send(QStringLiteral("S2") + prefix + TB_TestByte[index]->text(),
                   QStringLiteral("\r\n"));
        return;
    }
    // The fault goes to the chip panel's status line when that panel is loaded; an unloaded
    // panel is not loaded for it.
    const QString panel = transceiver_ ? QStringLiteral("YambleV3") : QStringLiteral("DruskV1");
    if (auto* chip = main_.loadedForm<ChipPanel>(panel))
        chip->Statusline->setText(QStringLiteral("Communication fault."));
    Dialogs::message(
        QStringLiteral(
            "Commport not available, please open commport. Control words were not updated."),
        Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
}

} // namespace krv::rflink
