#include "mivrav2test.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/commstatewait.h"
#include "panels/common/panelwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace krv {

namespace {

const QString CommunicationFault = QStringLiteral("Communication fault.");

template <typename T> T* name(T* widget, const char* objectName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

} // namespace

MivraV2test::MivraV2test(ISMmain& main) : main_(main), wait_(new CommStateWait(main, this)) {
    setWindowTitle(QStringLiteral("HT531 transmitter test mode"));
    auto* outer = new QVBoxLayout(this);

    Frame2 = name(new QGroupBox(QStringLiteral("FSK Modulator"), this), "Frame2");
    DSen = name(new QCheckBox(QStringLiteral("Enable Delta Sigma modulation"), Frame2), "DSen");
    auto* modulator = new QVBoxLayout(Frame2);
    modulator->addWidget(DSen);
    outer->addWidget(Frame2);

    Frame1 = name(new QGroupBox(QStringLiteral("Antenna Tuning"), this), "Frame1");
    Auto = name(new QRadioButton(QStringLiteral("Auto"), Frame1), "Auto");
    Manual = name(new QRadioButton(QStringLiteral("Manual"), Frame1), "Manual");
    Label3 = name(new QLabel(QStringLiteral("Set State:"), Frame1), "Label3");
    GearBoxData = name(new QLineEdit(QStringLiteral("7"), Frame1), "GearBoxData");
    GearBoxData->setMaximumWidth(50);
    GearBoxScroll = name(new QScrollBar(Qt::Horizontal, Frame1), "GearBoxScroll");
    GearBoxScroll->setRange(0, 15);
    GearBoxScroll->setValue(7);
    GearBoxScroll->setMinimumWidth(120);
    ReadGearbox = name(new QPushButton(QStringLiteral("Read State"), Frame1), "ReadGearbox");
    GearboxValue = name(new QLineEdit(QStringLiteral("---"), Frame1), "GearboxValue");
    GearboxValue->setReadOnly(true);
    GearboxValue->setMaximumWidth(50);
    auto* tuning = new QGridLayout(Frame1);
    tuning->addWidget(Auto, 0, 0);
    tuning->addWidget(ReadGearbox, 0, 1);
    tuning->addWidget(GearboxValue, 0, 2);
    tuning->addWidget(Manual, 1, 0);
    tuning->addWidget(Label3, 1, 1);
    tuning->addWidget(GearBoxData, 1, 2);
    tuning->addWidget(GearBoxScroll, 2, 1, 1, 2);
    outer->addWidget(Frame1);

    auto* command = new QGridLayout;
    Label4 = name(new QLabel(QStringLiteral("Test Command:"), this), "Label4");
    Test0w = name(new QLineEdit(this), "Test0w");
    Test0w->setReadOnly(true);
    Test0w->setMaximumWidth(70);
    LabelUpdate = name(new QLabel(QStringLiteral("Test Commad modified!"), this), "LabelUpdate");
    panel::emphasiseMark(LabelUpdate);
    Update = name(new QPushButton(QStringLiteral("Send Command"), this), "Update");
    command->addWidget(Label4, 0, 0);
    command->addWidget(Test0w, 0, 1);
    command->addWidget(LabelUpdate, 1, 0);
    command->addWidget(Update, 1, 1);
    outer->addLayout(command);
    outer->addStretch();

    SRtimeout = new QTimer(this);
    SRtimeout->setObjectName(QStringLiteral("SRtimeout"));

    connect(DSen, &QCheckBox::toggled, this, &MivraV2test::DSen_Click);
    // The two options change together: the one that becomes selected runs its handler, once per
    // change of mode.
    connect(Auto, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Auto_Click();
    });
    connect(Manual, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            Manual_Click();
    });
    connect(GearBoxScroll, &QScrollBar::valueChanged, this, &MivraV2test::GearBoxScroll_Change);
    connect(ReadGearbox, &QPushButton::clicked, this, &MivraV2test::ReadGearbox_Click);
    connect(Update, &QPushButton::clicked, this, &MivraV2test::Update_Click);
    connect(SRtimeout, &QTimer::timeout, this, &MivraV2test::SRtimeout_Timer);
    GearBoxData->installEventFilter(this);
}

void MivraV2test::Form_Load() {
    main_.MivraV2testOn = true;
    dsoff = 0;
    {
        const QSignalBlocker quiet(DSen);
        DSen->setChecked(true);
    }
    d4 = 0;
    {
        const QSignalBlocker quiet(Auto);
        Auto->setChecked(true);
    }
    d5 = 0x20;
    GBdata = testmode::typedState(GearBoxData->text());
    Auto_Click();
}

void MivraV2test::Form_Unload() {
    unloaded_ = true;
    SRtimeout->stop();
    wait_->clear();
    read_.stop();
    hold_.release();
    main_.MivraV2testOn = false;
}

bool MivraV2test::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GearBoxData) {
        if (event->type() == QEvent::FocusOut) {
            GearBoxData_LostFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                GearBoxData_KeyPress();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- The test word ------------------------------------------------------------------------------

void MivraV2test::rebuild() {
    Test0w->setText(hexText(testmode::testWord(dsoff == 0, d4 != 0, int(GBdata))));
    LabelUpdate->setVisible(true);
}

void MivraV2test::DSen_Click() {
    dsoff = DSen->isChecked() ? 0 : 0x80;
    rebuild();
}

void MivraV2test::Auto_Click() {
    const bool automatic = Auto->isChecked();
    d4 = automatic ? 0 : 0x10;
    ReadGearbox->setEnabled(automatic);
    GearboxValue->setEnabled(automatic);
    GearBoxScroll->setEnabled(!automatic);
    GearBoxData->setEnabled(!automatic);
    Label3->setEnabled(!automatic);
    rebuild();
}

void MivraV2test::Manual_Click() {
    Auto_Click();
}

void MivraV2test::GearBoxData_KeyPress() {
    GBdata = testmode::typedState(GearBoxData->text());
    writeMivraStatus(QStringLiteral(" "));
    GearBoxData->setText(QString::number(GBdata));
    GearBoxScroll->setValue(int(GBdata));
    rebuild();
}

void MivraV2test::GearBoxData_LostFocus() {
    GearBoxData_KeyPress();
}

void MivraV2test::GearBoxScroll_Change() {
    GearBoxData->setText(QString::number(GearBoxScroll->value()));
    GBdata = GearBoxScroll->value();
    rebuild();
}

// ---- Sending and reading -----------------------------------------------------------------------

void MivraV2test::refuse() {
    writeMivraStatus(CommunicationFault);
    back = Dialogs::message(QStringLiteral("Commport not available, please open commport. Control "
                                           "words were not updated."),
                            Dialogs::defaultTitle(), Dialogs::Icon::Exclamation,
                            Dialogs::Buttons::Ok, this);
}

void MivraV2test::Update_Click() {
    wait_->run([this] { sendTestWord(); });
}

void MivraV2test::sendTestWord() {
    if (!main_.boardPortOpen()) {
        refuse();
        return;
    }
    LabelUpdate->setVisible(false);
    QPointer<MivraV2test> self(this);
    const SendResult result =
        main_.Send_To_LoadBoard(QStringLiteral("S2") + Test0w->text() + QStringLiteral("\r\n"));
    if (!self || unloaded_)
        return;
    if (!result.ok()) {
        // The chip may not have the word: it still needs sending.
        LabelUpdate->setVisible(true);
        writeMivraStatus(CommunicationFault);
    }
}

void MivraV2test::ReadGearbox_Click() {
    wait_->run([this] { startRead(); });
}

void MivraV2test::startRead() {
    if (!main_.boardPortOpen()) {
        refuse();
        return;
    }
    GearboxValue->setText(QStringLiteral("...."));
    SRtimeout->stop();
    SRtimeout->setInterval(200);
    hold_ = main_.CommState.take();
    lastLevel_.clear();
    for (const QString& line : read_.begin(testmode::testWord(dsoff == 0, d4 != 0, 0)))
        if (!sendReadLine(line))
            return;
    SRtimeout->start();
    LabelUpdate->setVisible(false);
}

void MivraV2test::SRtimeout_Timer() {
    // A tick that comes while the step before still waits for its reply is skipped.
    if (sending_ || !read_.running())
        return;
    const testmode::TuningRead::Step step = read_.tick(lastLevel_);
    if (!step.shown.isEmpty())
        GearboxValue->setText(step.shown);
    if (step.finished) {
        SRtimeout->stop();
        hold_.release();
        return;
    }
    hold_.setStep(read_.step());
    const std::optional<SendResult> result = sendReadLine(step.line);
    if (result && step.line == QStringLiteral("ri"))
        lastLevel_ = result->Last15.mid(6, 1);
}

std::optional<SendResult> MivraV2test::sendReadLine(const QString& line) {
    QPointer<MivraV2test> self(this);
    sending_ = true;
    const SendResult result = main_.Send_To_LoadBoard(line + QStringLiteral("\r\n"));
    if (!self || unloaded_)
        return std::nullopt;
    sending_ = false;
    if (!result.ok()) {
        failRead(result);
        return std::nullopt;
    }
    return result;
}

void MivraV2test::failRead(const SendResult& result) {
    SRtimeout->stop();
    read_.stop();
    GearboxValue->setText(QStringLiteral("---"));
    if (!result.endedByUser())
        writeMivraStatus(CommunicationFault);
    hold_.release();
}

void MivraV2test::writeMivraStatus(const QString& text) {
    // The HT531 panel is not loaded for the sake of a message.
    if (QWidget* panel = main_.loadedForm(QStringLiteral("MivraV2")))
        if (auto* statusline = panel->findChild<QLineEdit*>(QStringLiteral("Statusline")))
            statusline->setText(text);
}

} // namespace krv
