#include "powersupply.h"

#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/supply.h"
#include "ismmain.h"
#include "krvform.h"
#include "link/linkwindow.h"
#include "supplymath.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace krv {

namespace {

constexpr int widthTwips = 4000;
constexpr int heightTwips = 2700;

// A number box with room for the longest number it shows.
QLineEdit* numberBox(QWidget* parent, const char* name, const QString& longest) {
    auto* box = named(new QLineEdit(parent), name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(longest) + 12);
    return box;
}

} // namespace

frm_PowerSupply::frm_PowerSupply(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Power Supply Settings"));
    Label1 = named(new QLabel(QStringLiteral("Tolvano Chip Voltage"), this), "Label1");
    Voltage = numberBox(this, "Voltage", QStringLiteral("0.00"));
    Voltage->setText(QStringLiteral("2.5"));
    Label3 = named(new QLabel(QStringLiteral("V"), this), "Label3");
    PB_Voltage = named(new QPushButton(QStringLiteral("Set"), this), "PB_Voltage");
    Label2 = named(new QLabel(QStringLiteral("Tolvano Chip Current"), this), "Label2");
    Current = numberBox(this, "Current", QStringLiteral("0000.0"));
    Current->setReadOnly(true);
    CurUnit = named(new QLabel(QStringLiteral("mA"), this), "CurUnit");
    // Wide enough for either unit, so that the buttons stay where they are.
    CurUnit->setMinimumWidth(
        std::max(CurUnit->fontMetrics().horizontalAdvance(QStringLiteral("mA")),
                 CurUnit->fontMetrics().horizontalAdvance(QStringLiteral("uA"))));
    PB_Current = named(new QPushButton(QStringLiteral("Read"), this), "PB_Current");
    ContRead = named(new QPushButton(QStringLiteral("Cont"), this), "ContRead");
    Statusline = named(new QLineEdit(this), "Statusline");
    Statusline->setReadOnly(true);
    QFont statusFont = Statusline->font();
    statusFont.setPointSizeF(statusFont.pointSizeF() * 0.85);
    Statusline->setFont(statusFont);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Voltage, 0, 1);
    layout->addWidget(Label3, 0, 2);
    layout->addWidget(PB_Voltage, 0, 3);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Current, 1, 1);
    layout->addWidget(CurUnit, 1, 2);
    layout->addWidget(PB_Current, 1, 3);
    layout->addWidget(ContRead, 2, 3);
    layout->addWidget(Statusline, 3, 0, 1, 4);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);

    connect(PB_Voltage, &QPushButton::clicked, this, &frm_PowerSupply::PB_Voltage_Click);
    connect(PB_Current, &QPushButton::clicked, this, &frm_PowerSupply::PB_Current_Click);
    connect(ContRead, &QPushButton::clicked, this, &frm_PowerSupply::ContRead_Click);
    connect(Timer1, &QTimer::timeout, this, &frm_PowerSupply::Timer1_Timer);
}

void frm_PowerSupply::Form_Load() {
    // Beside the open chip panel, whatever width this desktop's fonts gave it.
    const QMdiSubWindow* panel = main_.frameOf(main_.shownPanel());
    main_.sizeForm(this, widthTwips, heightTwips);
    main_.placeForm(this, 0, panel ? pixelsToTwips(panel->geometry().right() + 1) : 9810);
    if (main_.LoadBoardRev != 2) {
        PB_Current->setEnabled(false);
        ContRead->setEnabled(false);
        Current->clear();
    }
    main_.PowerSupplyOn = true;
    Voltage->setText(main_.Pref_Voltage);
}

void frm_PowerSupply::Form_Unload() {
    Timer1->stop();
    main_.PowerSupplyOn = false;
}

void frm_PowerSupply::PB_Voltage_Click() {
    const SupplyVoltageCheck check = checkSupplyVoltage(Voltage->text(), main_.LoadBoardRev);
    for (const QString& message : check.statusLine)
        Statusline->setText(message);
    // A message longer than the box shows its beginning, and the whole of it as a tip.
    Statusline->setCursorPosition(0);
    Statusline->setToolTip(Statusline->text());
    Voltage->setText(check.voltage);
    main_.Pref_Voltage = check.voltage;
    if (!main_.boardPortOpen()) {
        Dialogs::message(QStringLiteral("Commport not available, please open commport. PSU "
                                        "setting was not updated."),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return;
    }
    if (main_.LoadBoardRev == 1 || main_.LoadBoardRev == 2)
        main_.Send_To_LoadBoard(
            supplyLine(leadingNumber(main_.Pref_Voltage), supplyKForBoard(main_.LoadBoardRev)));
}

std::optional<int> frm_PowerSupply::readConverter(const QString& rangeCommand) {
    const SendResult range = main_.Send_To_LoadBoard(rangeCommand + u'\r');
    if (!range.ok())
        return std::nullopt;
    const SendResult result = main_.Send_To_LoadBoard(QStringLiteral("AD\r"));
    if (!result.ok())
        return std::nullopt;
    return converterReading(result.Last100);
}

void frm_PowerSupply::PB_Current_Click() {
    // Readings never overlap on the link: a tick during a reading waits for the next one.
    if (reading_)
        return;
    if (!main_.boardPortOpen()) {
        // Continuous reading ends here, so the message comes once and not every 200 ms; a
        // board lost during the readings has been reported already.
        stopContinuousReading();
        if (main_.link()->closedPortMessageDue())
            Dialogs::message(QStringLiteral("Commport not available, please open commport."),
                             Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return;
    }
    reading_ = true;
    PB_Current->setEnabled(false);
    Current->clear();
    QPointer<frm_PowerSupply> self(this);
    std::optional<int> reading = readConverter(QStringLiteral("A1"));
    if (!self)
        return;
    if (reading) {
        double current = milliamps(*reading);
        QString unit = QStringLiteral("mA");
        if (current < 1.2) {
            reading = readConverter(QStringLiteral("A0"));
            if (!self)
                return;
            current = reading ? microamps(*reading) : 0;
            unit = QStringLiteral("uA");
        }
        CurUnit->setText(unit);
        if (reading)
            Current->setText(currentText(current));
    }
    reading_ = false;
    // A reading that met the closed port ends the continuous readings.
    if (!main_.boardPortOpen())
        stopContinuousReading();
    if (!continuous_)
        PB_Current->setEnabled(true);
}

void frm_PowerSupply::ContRead_Click() {
    if (!continuous_) {
        Timer1->stop();
        Timer1->setInterval(200);
        Timer1->start();
        ContRead->setText(QStringLiteral("Stop"));
        QPalette palette = Current->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
        Current->setPalette(palette);
        continuous_ = true;
    } else {
        stopContinuousReading();
    }
}

void frm_PowerSupply::stopContinuousReading() {
    if (!continuous_)
        return;
    Timer1->stop();
    Current->setPalette(QPalette());
    ContRead->setText(QStringLiteral("Cont"));
    continuous_ = false;
    if (!reading_)
        PB_Current->setEnabled(true);
}

void frm_PowerSupply::Timer1_Timer() {
    PB_Current_Click();
}

} // namespace krv
