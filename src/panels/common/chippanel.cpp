#include "chippanel.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "commstatewait.h"
#include "frequencyboxes.h"
#include "panelstart.h"
#include "panelwidgets.h"
#include "statusreader.h"
#include "supplyinput.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace krv {

namespace {

const QString CommunicationFault = QStringLiteral("Communication fault.");

void exclaim(const QString& text, QWidget* parent) {
    Dialogs::message(text, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation,
                     Dialogs::Buttons::Ok, parent);
}

// The system button-shadow colour.
QColor buttonShadow() {
    return QPalette().color(QPalette::Dark);
}

QLineEdit* readOnlyBox(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

ChipPanelDesign ChipPanelDesign::transmitter(bool sendsWscc) {
    ChipPanelDesign d;
    d.family = Family::Transmitter;
    d.updateClosedText = QStringLiteral(
        "Commport not available, please open commport. Control words were not updated.");
    d.handlesSupply = true;
    d.statusStepInterval = 100;
    d.statusPreamble = {QStringLiteral("H2"), QStringLiteral("L2"), QStringLiteral("L0")};
    if (sendsWscc)
        d.statusPreamble.insert(2, QStringLiteral("WSCC"));
    d.statusBytes = 1;
    d.indicatorCount = 8;
    d.interruptCharacter = 7;
    d.statusTitle = QStringLiteral("Chip Status:");
    d.hasHelpButton = false;
    d.calibrationShowsReading = true;
    d.supplyShowsReading = true;
    d.emphasisedMarks = true;
    return d;
}

void StatusReadButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is not a click: without pressing the button here the
    // release that follows emits no clicked().
    event->accept();
    Q_EMIT doubleClicked();
}

ChipPanel::ChipPanel(ISMmain& main, ChipPanelDesign design, QWidget* parent)
    : QWidget(parent), main_(main), design_(std::move(design)) {
    buildControls();
}

ChipPanel::~ChipPanel() = default;

void ChipPanel::buildControls() {
    auto* outer = new QVBoxLayout(this);
    // The frames' titles stand off the window's title bar by themselves.
    QMargins edges = outer->contentsMargins();
    edges.setTop(0);
    outer->setContentsMargins(edges);
    upper_ = new QHBoxLayout;
    outer->addLayout(upper_);

    pageColumn_ = new QVBoxLayout;
    upper_->addLayout(pageColumn_, 3);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    pageColumn_->addWidget(TabStrip1);
    pages_ = new QStackedWidget(this);
    pageColumn_->addWidget(pages_);
    // Beside a taller word column the page keeps its rows close; the room is left below it.
    pageColumn_->addStretch(1);
    Frame.append(nullptr);
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            TabStrip1_Click();
    });

    side_ = new QVBoxLayout;
    upper_->addLayout(side_, 2);
    words_ = new QGridLayout;
    side_->addLayout(words_);
    LabelUpdate = new QLabel(QStringLiteral("Update needed >>>"), this);
    LabelUpdate->setObjectName(QStringLiteral("LabelUpdate"));
    Update = button(this, QStringLiteral("Update"), QStringLiteral("Update"));
    auto* updateRow = new QHBoxLayout;
    updateRow->addWidget(LabelUpdate);
    updateRow->addWidget(Update);
    side_->addLayout(updateRow);
    LabelCalibration = new QLabel(QStringLiteral("Calibrate >>> (after update)"), this);
    LabelCalibration->setObjectName(QStringLiteral("LabelCalibration"));
    CalibratePLL =
        button(this, QStringLiteral("CalibratePLL"), QStringLiteral("Calibrate Synthesizer"));
    auto* calibrationRow = new QHBoxLayout;
    calibrationRow->addWidget(LabelCalibration);
    calibrationRow->addWidget(CalibratePLL);
    side_->addLayout(calibrationRow);
    CalibratePLL->setVisible(design_.hasCalibration);
    LabelCalibration->setVisible(false);
    if (design_.emphasisedMarks) {
        panel::emphasiseMark(LabelUpdate);
        panel::emphasiseMark(LabelCalibration);
    }
    FFreset = button(this, QStringLiteral("FFreset"), QStringLiteral("Reset synchron latch"));
    FFreset->setVisible(!design_.latchClosedText.isEmpty());
    side_->addWidget(FFreset);
    auto* supplyRow = new QHBoxLayout;
    auto* supplyLabel = new QLabel(QStringLiteral("Supply voltage:"), this);
    supplyLabel->setObjectName(QStringLiteral("LabelSupply"));
    PowerSupply = new QLineEdit(QStringLiteral("2.5"), this);
    PowerSupply->setObjectName(QStringLiteral("PowerSupply"));
    PB_PowerSupply = button(this, QStringLiteral("PB_PowerSupply"), QStringLiteral("Power Supply"));
    H_R1 = button(this, QStringLiteral("H_R1"), QStringLiteral("?"));
    supplyRow->addWidget(supplyLabel);
    supplyRow->addWidget(PowerSupply);
    supplyRow->addWidget(PB_PowerSupply);
    supplyRow->addWidget(H_R1);
    H_R1->setVisible(design_.hasHelpButton);
    side_->addLayout(supplyRow);
    side_->addStretch();

    // The one band that takes the height the contents leave over: the rows above stay close
    // together and the status row keeps to the window's bottom edge.
    outer->addStretch(1);

    Statusline = new QLineEdit(this);
    Statusline->setObjectName(QStringLiteral("Statusline"));
    Statusline->setReadOnly(true);
    // The status line and its buttons share one row: a row less for the compact panel to stand
    // whole on a small desktop.
    auto* statusButtons = new QHBoxLayout;
    statusButtons->addWidget(Statusline, 1);
    ReadStatus = new StatusReadButton(QStringLiteral("Read Status"), this);
    ReadStatus->setObjectName(QStringLiteral("ReadStatus"));
    ReadStatus->setFocusPolicy(ISMmain::StopRepStReadOnLostFocus() ? Qt::StrongFocus
                                                                   : Qt::TabFocus);
    ReadStatus->setAutoFillBackground(true);
    ShowStatus = button(this, QStringLiteral("ShowStatus"), QStringLiteral("Show Status"));
    IRQpoll = button(this, QStringLiteral("IRQpoll"), QStringLiteral("?IRQ"));
    statusButtons->addWidget(ReadStatus);
    statusButtons->addWidget(ShowStatus);
    statusButtons->addWidget(IRQpoll);
    outer->addLayout(statusButtons);

    OnColor = readOnlyBox(this, QStringLiteral("OnColor"));
    OffColor = readOnlyBox(this, QStringLiteral("OffColor"));
    for (auto [box, colour] :
         {std::pair{OnColor, litColour()}, std::pair{OffColor, buttonFace()}}) {
        paintIndicator(box, colour);
        box->setVisible(false);
    }

    // The indicators and the offset row form the status area that Show Status opens.
    statusArea_ = new QWidget(this);
    statusArea_->setObjectName(QStringLiteral("StatusArea"));
    auto* statusLayout = new QVBoxLayout(statusArea_);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    auto* indicators = new QGridLayout;
    // Sixteen indicators stand close, so that one row of them fits a panel's designed width.
    indicators->setHorizontalSpacing(2);
    const int firstColumn = design_.statusTitle.isEmpty() ? 0 : 1;
    if (firstColumn > 0) {
        Text3 = readOnlyBox(statusArea_, QStringLiteral("Text3"), design_.statusTitle);
        Text3->setFrame(false);
        indicators->addWidget(Text3, 0, 0);
    }
    for (int i = 1; i <= design_.indicatorCount; ++i) {
        status[i] = readOnlyBox(statusArea_, QStringLiteral("status_%1").arg(i),
                                design_.statusCaptions.value(i - 1));
        status[i]->setAlignment(Qt::AlignCenter);
        // Until the first read an indicator is neither lit nor dark: "not read yet" must not
        // look like "read, bit clear".
        paintIndicator(status[i], buttonShadow());
        indicators->addWidget(status[i], 0, firstColumn + i - 1);
    }
    statusLayout->addLayout(indicators);
    auto* offsetRow = new QHBoxLayout;
    auto* offsetLabel =
        new QLabel(QStringLiteral("Transmitter-receiver carrier frequency offset:"), statusArea_);
    offsetLabel->setObjectName(QStringLiteral("LabelFoffset"));
    Foffset = readOnlyBox(statusArea_, QStringLiteral("Foffset"));
    auto* kHz = new QLabel(QStringLiteral("kHz"), statusArea_);
    kHz->setObjectName(QStringLiteral("LabelFoffsetUnit"));
    auto* irqLabel = new QLabel(QStringLiteral("IRQ:"), statusArea_);
    irqLabel->setObjectName(QStringLiteral("LabelIRQ"));
    IRQ = readOnlyBox(statusArea_, QStringLiteral("IRQ"), QStringLiteral("IRQ"));
    IRQ->setAlignment(Qt::AlignCenter);
    paintIndicator(IRQ, buttonShadow());
    offsetRow->addWidget(offsetLabel);
    offsetRow->addWidget(Foffset);
    offsetRow->addWidget(kHz);
    if (design_.offsetBits > 0) {
        offsetRow->addStretch();
        offsetRow->addWidget(irqLabel);
        offsetRow->addWidget(IRQ);
    } else {
        // Without an offset row the interrupt indicator ends the indicator row.
        const int column = firstColumn + design_.indicatorCount;
        indicators->addWidget(irqLabel, 0, column, Qt::AlignRight);
        indicators->addWidget(IRQ, 0, column + 1);
    }
    statusLayout->addLayout(offsetRow);
    outer->addWidget(statusArea_);
    offsetLabel->setVisible(design_.offsetBits > 0);
    Foffset->setVisible(design_.offsetBits > 0);
    kHz->setVisible(design_.offsetBits > 0);

    wait_ = new CommStateWait(main_, this);
    reader_ = new StatusReader(*this, main_);
    Timer3 = reader_->statusTimer();
    Timer1 = reader_->pollTimer();
    RepStatusReadTimer = reader_->repeatTimer();
    SRVisualTimer = reader_->markTimer();

    connect(Update, &QPushButton::clicked, this, &ChipPanel::Update_Click);
    connect(CalibratePLL, &QPushButton::clicked, this, &ChipPanel::CalibratePLL_Click);
    connect(FFreset, &QPushButton::clicked, this, &ChipPanel::FFreset_Click);
    connect(PB_PowerSupply, &QPushButton::clicked, this, &ChipPanel::PB_PowerSupply_Click);
    connect(H_R1, &QPushButton::clicked, this, &ChipPanel::H_R1_Click);
    connect(ReadStatus, &QPushButton::clicked, this, &ChipPanel::ReadStatus_Click);
    connect(ReadStatus, &StatusReadButton::doubleClicked, this, &ChipPanel::ReadStatus_DblClick);
    ReadStatus->installEventFilter(this);
    connect(ShowStatus, &QPushButton::clicked, this, &ChipPanel::ShowStatus_Click);
    connect(IRQpoll, &QPushButton::clicked, this, &ChipPanel::IRQpoll_Click);
    if (design_.handlesSupply)
        workOnLeaving(PowerSupply, [this] { PowerSupply_LostFocus(); });
}

// ---- Panel life ---------------------------------------------------------------------------------

void ChipPanel::Form_Load() {
    // Every chip panel starts at the top left of the client area with a current folder set.
    defaultCurrentFolder(main_);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
    LabelCalibration->setVisible(false);
    SuppressUpdateMark = 0;
    StatusReadActive = false;
    showStatusArea(false);
    if (TabStrip1->count() > 0) {
        if (TabStrip1->currentIndex() == 0)
            TabStrip1_Click();
        else
            TabStrip1->setCurrentIndex(0);
    }
}

void ChipPanel::Form_Unload() {
    wait_->clear();
    reader_->end();
    if (design_.family != ChipPanelDesign::Family::Transmitter) {
        if (portOpen())
            main_.Send_To_LoadBoard(QStringLiteral("Z3\r"));
        if (LinkWindow* link = main_.loadedLink())
            link->EnableDataSelector(this);
    }
    if (design_.hideProcedure)
        (main_.*design_.hideProcedure)();
    QStringList windows{QStringLiteral("frm_PowerSupply")};
    if (design_.family != ChipPanelDesign::Family::Transmitter)
        windows.prepend(QStringLiteral("Help_R1"));
    windows += design_.linkTestWindows;
    for (const QString& name : windows)
        main_.unloadForm(name);
}

QWidget* ChipPanel::updateButton() {
    return Update;
}

QList<QWidget*> ChipPanel::keptInSight() const {
    // The tools change what the words say; Update sends them.
    return {Update};
}

// ---- Helpers ------------------------------------------------------------------------------------

QWidget* ChipPanel::addPage(const QString& caption) {
    auto* page = new QWidget(pages_);
    page->setObjectName(QStringLiteral("Frame_%1").arg(Frame.size()));
    pages_->addWidget(page);
    Frame.append(page);
    const QSignalBlocker quiet(TabStrip1);
    TabStrip1->addTab(caption);
    return page;
}

void ChipPanel::placeFramesBesideWords(QWidget* frames) {
    upper_->removeItem(pageColumn_);
    pageColumn_->setParent(nullptr);
    static_cast<QVBoxLayout*>(layout())->insertLayout(1, pageColumn_);
    // The words keep their own width; a wider window widens the frames.
    upper_->insertWidget(0, frames, 1);
    upper_->setStretchFactor(side_, 0);
}

void ChipPanel::compactCommonControls(QLineEdit* freqCenter, QLineEdit* freqStep) {
    // Each box as wide as its longest value, so that the panel keeps near its designed width.
    panel::fitWidth(Crystalfreq, QStringLiteral("11.0592"));
    for (QLineEdit* box : {freqCenter, freqStep})
        panel::fitWidth(box, QStringLiteral("868.12345"));
    for (int i = 1; i <= design_.indicatorCount; ++i)
        panel::fitWidth(status[i], QStringLiteral("WK-UP"));
    panel::fitWidth(IRQ, QStringLiteral("WK-UP"));
    panel::fitWidth(Foffset, QStringLiteral("-40.000"));
    panel::fitWidth(PowerSupply, QStringLiteral("5.55"));
    H_R1->setMaximumWidth(H_R1->sizeHint().height() + 8);
    // A shown calibration mark takes two lines rather than widening the word column.
    LabelCalibration->setWordWrap(true);
    // Every tab caption stays whole, each tab as wide as its caption.
    TabStrip1->setUsesScrollButtons(false);
    TabStrip1->setExpanding(false);
}

void ChipPanel::addCrystalRows(QWidget* frame, QGridLayout* grid, int columns) {
    StdCrystal =
        panel::named(new QRadioButton(QStringLiteral("Standard 10MHz"), frame), "StdCrystal");
    NonStdCrystal =
        panel::named(new QRadioButton(QStringLiteral("Non standard"), frame), "NonStdCrystal");
    Crystalfreq = panel::numberBox(frame, QStringLiteral("Crystalfreq"), 110);
    Crystalfreq->setText(QStringLiteral("10"));
    Crystalfreq->setEnabled(false);
    StdCrystal->setChecked(true);
    auto* choice = new QButtonGroup(frame);
    choice->addButton(StdCrystal);
    choice->addButton(NonStdCrystal);
    grid->addWidget(StdCrystal, 0, 0, 1, columns);
    grid->addWidget(NonStdCrystal, 1, 0);
    grid->addWidget(Crystalfreq, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("MHz"), frame), 1, 2);
    onSelected(StdCrystal, [this] { StdCrystal_Click(); });
    onSelected(NonStdCrystal, [this] { NonStdCrystal_Click(); });
    workOnLeaving(Crystalfreq, [this] { Crystalfreq_LostFocus(); });
}

void ChipPanel::StdCrystal_Click() {
    Statusline->setText(QStringLiteral(" "));
    Crystalfreq->setEnabled(false);
    XtalFactor = 1.0f;
    crystalChanged();
}

void ChipPanel::NonStdCrystal_Click() {
    Crystalfreq->setEnabled(true);
    Crystalfreq_LostFocus();
}

void ChipPanel::Crystalfreq_LostFocus() {
    XtalFactor = freq::takeCrystalBox(Crystalfreq, Statusline);
    crystalChanged();
}

QLineEdit* ChipPanel::addWordBox(const QString& name, const QString& caption) {
    const int row = words_->rowCount();
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("Label_") + name);
    QLineEdit* box = readOnlyBox(this, name);
    panel::fitWidth(box, QStringLiteral("DDDD"));
    words_->addWidget(label, row, 0);
    words_->addWidget(box, row, 1);
    return box;
}

void ChipPanel::setStatusCaption(int index, const QString& text) {
    status[index]->setText(text);
}

void ChipPanel::showWord(QLineEdit* box, long long word) {
    box->setText(hexText(word));
    showUpdateMark();
}

void ChipPanel::showUpdateMark() {
    LabelUpdate->setVisible(true);
}

bool ChipPanel::takeSuppressUpdateMark() {
    if (SuppressUpdateMark != 1)
        return false;
    SuppressUpdateMark = 0;
    return true;
}

void ChipPanel::workOnLeaving(QLineEdit* box, std::function<void()> handler) {
    leaveHandlers_.insert(box, std::move(handler));
    box->installEventFilter(this);
}

long long ChipPanel::takeWholeField(QLineEdit* box, long long minimum, long long maximum,
                                    const QString& belowMessage, const QString& aboveMessage) {
    // Limited first: a typed "1e300" must not overflow the whole number.
    long long value = roundHalfEven(std::clamp(leadingNumber(box->text()), -1e15, 1e15));
    if (value < minimum) {
        value = minimum;
        if (!belowMessage.isEmpty())
            Statusline->setText(belowMessage);
    } else if (value > maximum) {
        value = maximum;
        if (!aboveMessage.isEmpty())
            Statusline->setText(aboveMessage);
    }
    box->setText(QString::number(value));
    return value;
}

bool ChipPanel::portOpen() const {
    return main_.boardPortOpen();
}

std::optional<SendResult> ChipPanel::sendLine(const QString& line) {
    QPointer<ChipPanel> self(this);
    SendResult result = main_.Send_To_LoadBoard(line + u'\r');
    if (!self)
        return std::nullopt;
    return result;
}

bool ChipPanel::eventFilter(QObject* watched, QEvent* event) {
    // The workspace's viewport: its parent is the workspace.
    if (event->type() == QEvent::Resize && qobject_cast<QMdiArea*>(watched->parent())) {
        if (statusArea_->isHidden())
            fitWindow();
        return false;
    }
    if (watched == ReadStatus && event->type() == QEvent::FocusOut) {
        ReadStatus_LostFocus();
        return false;
    }
    auto handler = leaveHandlers_.constFind(watched);
    if (handler != leaveHandlers_.constEnd()) {
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (enter || event->type() == QEvent::FocusOut) {
            const auto work = *handler;
            work();
            return enter;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Update and the other word operations do not take the transaction lock, but they start only
// when no transaction holds it (CommStateWait).
void ChipPanel::whenCommStateFree(std::function<void()> operation) {
    wait_->run(std::move(operation));
}

// ---- Update, calibration, synchron latch, supply
// --------------------------------------------------

void ChipPanel::Update_Click() {
    whenCommStateFree([this] { runUpdate(); });
}

void ChipPanel::runUpdate() {
    Statusline->setText(QStringLiteral(" "));
    if (!portOpen()) {
        Statusline->setText(CommunicationFault);
        exclaim(design_.updateClosedText, this);
        return;
    }
    LabelUpdate->setVisible(false);
    main_.setCommStatus(QStringLiteral("reading..."));
    beforeUpdateLines();
    bool failed = false;
    for (const UpdateStep& step : updateSteps()) {
        std::optional<SendResult> result;
        if (step.word) {
            result = sendLine(step.command + step.word->text());
        } else {
            beforeDataLatchStep();
            if (dataLatchInUse()) {
                main_.link()->DisableDataSelector(this);
                result = sendLine(QStringLiteral("H3"));
            } else {
                result = sendLine(QStringLiteral("Z3"));
                if (result)
                    main_.link()->EnableDataSelector(this);
            }
        }
        if (!result)
            return;
        failed = failed || !result->ok();
        if (result->portClosed())
            break;
    }
    if (failed) {
        LabelUpdate->setVisible(true);
        Statusline->setText(CommunicationFault);
    }
}

void ChipPanel::CalibratePLL_Click() {
    whenCommStateFree([this] { runCalibration(); });
}

void ChipPanel::runCalibration() {
    Statusline->setText(QStringLiteral(" "));
    if (!portOpen()) {
        Statusline->setText(CommunicationFault);
        exclaim(
            QStringLiteral(
                "Commport not available, please open commport. Synthesizer was not calibrated!"),
            this);
        return;
    }
    if (design_.calibrationShowsReading)
        main_.setCommStatus(QStringLiteral("reading..."));
    bool failed = false;
    bool closed = false;
    for (long word : calibrationWords()) {
        // Once the port has closed, the words still come back to the panel's own, unsent.
        showCalibrationWord(word);
        if (closed)
            continue;
        const auto result = sendLine(QStringLiteral("S2") + calibrationWordBox()->text());
        if (!result)
            return;
        failed = failed || !result->ok();
        closed = result->portClosed();
    }
    calibrationFinished();
    if (failed)
        Statusline->setText(CommunicationFault);
    else if (!!LabelUpdate->isHidden())
        LabelCalibration->setVisible(false);
}

void ChipPanel::FFreset_Click() {
    whenCommStateFree([this] { runSynchronLatchReset(); });
}

void ChipPanel::runSynchronLatchReset() {
    if (!portOpen()) {
        Statusline->setText(CommunicationFault);
        exclaim(design_.latchClosedText, this);
        return;
    }
    bool failed = false;
    bool closed = false;
    for (bool on : {false, true}) {
        for (QCheckBox* box : synchronLatchBoxes()) {
            SuppressUpdateMark = 1;
            box->setChecked(on);
        }
        SuppressUpdateMark = 1;
        CalcFIFOw();
        // Once the port has closed, the boxes still come back to their own state, unsent.
        if (closed)
            continue;
        const auto result = sendLine(QStringLiteral("S2") + fifoWordBox()->text());
        if (!result)
            return;
        failed = failed || !result->ok();
        closed = result->portClosed();
    }
    if (failed)
        Statusline->setText(CommunicationFault);
}

void ChipPanel::PowerSupply_LostFocus() {
    const SupplyInput input = supplyInput(PowerSupply->text());
    if (!input.wellFormed)
        Statusline->setText(QStringLiteral("Incorrect Power Supply voltage format!") +
                            QStringLiteral("  (") + PowerSupply->text() + QStringLiteral(" V)"));
    PowerSupply->setText(input.text);
    if (input.clamp < 0)
        Statusline->setText(QStringLiteral("Minimum supply voltage is 2.0 V!"));
    else if (input.clamp > 0)
        Statusline->setText(QStringLiteral("Maximum supply voltage is 5.4 V!"));
    whenCommStateFree([this, code = input.code] { sendSupply(code); });
}

void ChipPanel::sendSupply(int code) {
    if (!portOpen()) {
        if (Statusline->text() != CommunicationFault) {
            Statusline->setText(CommunicationFault);
            exclaim(QStringLiteral("Commport not available, please open commport. PSU setting "
                                   "was not updated."),
                    this);
        }
        return;
    }
    const auto result = sendLine(QStringLiteral("V") + hexText(code));
    if (!result)
        return;
    if (design_.supplyShowsReading)
        main_.setCommStatus(QStringLiteral("reading..."));
    if (!result->ok())
        Statusline->setText(CommunicationFault);
}

void ChipPanel::PB_PowerSupply_Click() {
    if (QWidget* supply = main_.form(QStringLiteral("frm_PowerSupply")))
        main_.showForm(supply);
}

void ChipPanel::H_R1_Click() {
    if (QWidget* help = main_.form(QStringLiteral("Help_R1")))
        main_.showForm(help);
}

void ChipPanel::TabStrip1_Click() {
    if (CurrentTab == 0)
        CurrentTab = 1;
    const int selected = TabStrip1->currentIndex() + 1;
    if (CurrentTab < Frame.size())
        Frame[CurrentTab]->setVisible(false);
    pages_->setCurrentIndex(selected - 1);
    Frame[selected]->setVisible(true);
    CurrentTab = selected;
}

// ---- Read Status button ----------------------------------------------------------------------

void ChipPanel::ReadStatus_Click() {
    reader_->stopRepeating();
    reader_->StartStatusRead();
}

void ChipPanel::ReadStatus_DblClick() {
    reader_->startRepeating();
}

void ChipPanel::ReadStatus_LostFocus() {
    reader_->stopRepeating();
}

bool ChipPanel::repeating() const {
    return reader_->repeating();
}

void ChipPanel::IRQpoll_Click() {
    reader_->startInterruptPoll();
}

// ---- Status area --------------------------------------------------------------------------------

void ChipPanel::ShowStatus_Click() {
    showStatusArea(statusArea_->isHidden());
}

void ChipPanel::showStatusArea(bool shown) {
    // Hide Status gives back the width the panel had: the wider indicator row must not leave it
    // standing over the window beside it.
    if (shown && fitted_)
        compactWidth_ = outerWindow()->width();
    statusArea_->setVisible(shown);
    ShowStatus->setText(shown ? QStringLiteral("Hide Status") : QStringLiteral("Show Status"));
    fitWindow();
}

void ChipPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Fitted again when first shown: at load its lists were still empty and its style unknown,
    // and the size it opens at must be the one Show/Hide Status comes back to. By then every
    // frame and page of the panel stands, so the size rule reaches them all.
    if (!fitted_) {
        panel::tightenRows(this);
        fitWindow();
        fitted_ = true;
        // The workspace settles after the panel first shows (toolbars, the board's menus): the
        // compact panel follows its room, up to the designed height.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(outerWindow()); frame && frame->mdiArea())
            frame->mdiArea()->viewport()->installEventFilter(this);
    }
}

void ChipPanel::layoutChanged() {
    fitted_ = false;
    if (isVisible()) {
        fitWindow();
        fitted_ = true;
    }
}

QWidget* ChipPanel::outerWindow() {
    if (QMdiSubWindow* frame = main_.frameOf(this))
        return frame;
    return this;
}

void ChipPanel::fitWindow() {
    // The window keeps its designed height unless its contents need more.
    QWidget* window = outerWindow();
    // Controls shown or hidden while the panel was out of sight left the sizes its layouts keep
    // for their frames stale: a hidden window's layouts are not brought up to date.
    for (QWidget* each : findChildren<QWidget*>())
        each->updateGeometry();
    for (QLayout* each : findChildren<QLayout*>())
        each->invalidate();
    layout()->activate();
    int designed =
        twipsToPixels(statusArea_->isHidden() ? design_.compactHeight : design_.tallHeight);
    // The designed height is a minimum only where the workspace has room for it: on a small
    // desktop the panel is no taller than its contents need or the workspace allows.
    // A workspace not shown yet has no size of its own to go by.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window);
        frame && frame->mdiArea() && frame->mdiArea()->isVisible())
        designed = std::min(designed, frame->mdiArea()->viewport()->height());
    const QSize needed = window->sizeHint();
    // It opens as wide as its contents need; later it only grows, except that hiding the status
    // area gives back the width it had before.
    int width = needed.width();
    if (fitted_) {
        const bool back = statusArea_->isHidden() && compactWidth_ > 0;
        width = std::max(back ? compactWidth_ : window->width(), needed.width());
    }
    window->resize(width, std::max(designed, needed.height()));
}

} // namespace krv
