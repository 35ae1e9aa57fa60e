// The console's controls, where they stand and what they are connected to.

#include "common/optionbutton.h"
#include "common/standardicons.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"
#include "worktablemodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTableView>

namespace krv {

using console::BitBox;

namespace {

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + u'_' + QString::number(index);
}

template <typename T> T* place(T* widget, const QString& name, int x, int y, int w, int h) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

template <typename T> T* place(T* widget, const char* name, int x, int y, int w, int h) {
    return place(widget, QString::fromLatin1(name), x, y, w, h);
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w = 60) {
    auto* caption = new QLabel(text, parent);
    caption->setGeometry(x, y, w, 20);
    return caption;
}

QGroupBox* group(QWidget* parent, const QString& title, int x, int y, int w, int h) {
    auto* box = new QGroupBox(title, parent);
    box->setGeometry(x, y, w, h);
    return box;
}

QPushButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& tip, int x, int y) {
    auto* button = place(new QPushButton(parent), name, x, y, 30, 28);
    button->setIcon(standardIcon(icon));
    button->setToolTip(tip);
    return button;
}

QLineEdit* readOnlyBox(QWidget* parent, const QString& name, int x, int y, int w) {
    auto* box = place(new QLineEdit(parent), name, x, y, w, 22);
    box->setReadOnly(true);
    return box;
}

QFont monospace() {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// Both pages; the window is as tall as they need, and as wide as the second needs.
constexpr int pageHeight = 508;

} // namespace

void SPI::buildFrame() {
    setWindowTitle(QStringLiteral("Universal SPI Tool"));

    QGroupBox* supply = group(this, QStringLiteral("Testboard Supply Voltage"), 8, 4, 190, 76);
    Voltage = place(new QLineEdit(QStringLiteral("2.5"), supply), "Voltage", 10, 30, 60, 22);
    label(supply, QStringLiteral("V"), 76, 31, 12);
    PB_Voltage =
        place(new QPushButton(QStringLiteral("Set"), supply), "PB_Voltage", 100, 28, 70, 26);

    QGroupBox* master = group(this, QStringLiteral("Master Database"), 206, 4, 300, 76);
    ChipSelect = place(new console::OpeningList(master), "ChipSelect", 10, 28, 170, 26);
    ChipSelect->setPlaceholderText(QStringLiteral("Select Chip ..."));
    label(master, QStringLiteral("P#:"), 190, 31, 24);
    Text3 = readOnlyBox(master, QStringLiteral("Text3"), 216, 30, 74);

    QGroupBox* configuration =
        group(this, QStringLiteral("Register Configuration"), 514, 4, 478, 76);
    label(configuration, QStringLiteral("Notes:"), 8, 24, 44);
    Notes = place(new QLineEdit(configuration), "Notes", 52, 22, 160, 22);
    LoadSettings =
        iconButton(configuration, "LoadSettings", QStyle::SP_DialogOpenButton,
                   QStringLiteral("Load a register set and write it to the chip"), 218, 19);
    SaveSettings = iconButton(configuration, "SaveSettings", QStyle::SP_DialogSaveButton,
                              QStringLiteral("Save every register"), 250, 19);
    Command4 = iconButton(configuration, "Command4", QStyle::SP_FileDialogDetailedView,
                          QStringLiteral("Save the registers of the ticked classes"), 282, 19);
    RefreshTable = iconButton(configuration, "RefreshTable", QStyle::SP_BrowserReload,
                              QStringLiteral("Read every register from the chip"), 314, 19);
    UpdateChip = iconButton(configuration, "UpdateChip", QStyle::SP_ArrowUp,
                            QStringLiteral("Write every register to the chip"), 346, 19);
    Defaults = place(new QPushButton(QStringLiteral("Load Defaults"), configuration), "Defaults",
                     378, 19, 96, 28);
    ProgressBar1 = place(new QProgressBar(configuration), "ProgressBar1", 8, 52, 462, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    TabStrip1 = place(new QTabBar(this), "TabStrip1", 8, 86, 400, 26);
    TabStrip1->addTab(QStringLiteral("Register List"));
    TabStrip1->addTab(QStringLiteral("FIFO, Batch windows"));
    for (int i = 0; i < 2; ++i) {
        Frame[i] = place(new QFrame(this), indexed("Frame", i + 1), 8, 112, 0, pageHeight);
        Frame[i]->setFrameShape(QFrame::StyledPanel);
        Frame[i]->hide();
    }
    buildRegisterPage(Frame[0]);
    buildRowsPage(Frame[1]);
    // The pages are as wide as the FIFO frame at the right of the second needs.
    const int pageWidth = Frame[1]->childrenRect().right() + 9;
    for (QFrame* frame : Frame)
        frame->resize(pageWidth, frame->height());
    SettingsDataGrid->resize(pageWidth - 16, SettingsDataGrid->height());
    setMinimumSize(pageWidth + 16, 112 + pageHeight + 6);

    // Below the visible part of the window.
    Command1 = place(new QPushButton(QStringLiteral("Cmd1"), this), "Command1", 8, 700, 60, 24);
    Command2 = place(new QPushButton(QStringLiteral("Cmd2"), this), "Command2", 72, 700, 60, 24);
    Command3 = place(new QPushButton(QStringLiteral("Cmd3"), this), "Command3", 136, 700, 60, 24);
    const std::pair<QLineEdit**, std::pair<const char*, QColor>> palette[] = {
        {&LightGray, {"LightGray", console::colours::LightGray}},
        {&Blue, {"Blue", console::colours::Blue}},
        {&nodata, {"nodata", console::colours::nodata}},
        {&One, {"One", console::colours::One}},
        {&Zero, {"Zero", console::colours::zero()}},
    };
    int x = 200;
    for (const auto& [box, entry] : palette) {
        *box = place(new QLineEdit(this), entry.first, x, 700, 30, 20);
        console::paint(*box, entry.second);
        (*box)->hide();
        x += 34;
    }
}

void SPI::buildFilters(QWidget* page, int index, int left, int top) {
    QGroupBox* order = group(page, QStringLiteral("Order by"), left, top, 150, 48);
    ByAddress[index] = place(new QRadioButton(QStringLiteral("Address"), order),
                             indexed("ByAddress", index), 8, 20, 70, 22);
    ByName[index] = place(new QRadioButton(QStringLiteral("Name"), order), indexed("ByName", index),
                          84, 20, 60, 22);
    ByAddress[index]->setChecked(true);
    QGroupBox* filter = group(page, QStringLiteral("Register Filter"), left + 158, top, 322, 48);
    ENRF[index] =
        place(new QCheckBox(QStringLiteral("RF"), filter), indexed("ENRF", index), 8, 20, 46, 22);
    ENDigital[index] = place(new QCheckBox(QStringLiteral("Digital"), filter),
                             indexed("ENDigital", index), 56, 20, 66, 22);
    ENTest[index] = place(new QCheckBox(QStringLiteral("Test"), filter), indexed("ENTest", index),
                          124, 20, 54, 22);
    ENMisc[index] = place(new QCheckBox(QStringLiteral("Misc."), filter), indexed("ENMisc", index),
                          180, 20, 60, 22);
    ViewAll[index] = place(new QPushButton(QStringLiteral("All"), filter),
                           indexed("ViewAll", index), 250, 17, 62, 26);
    for (QCheckBox* box : {ENRF[index], ENDigital[index], ENTest[index]})
        box->setChecked(true);
}

void SPI::buildRegisterPage(QWidget* page) {
    buildFilters(page, 0, 8, 4);

    QGroupBox* editor = group(page, QStringLiteral("Register"), 8, 58, 488, 190);
    label(editor, QStringLiteral("Addr.:"), 8, 24, 40);
    Address = readOnlyBox(editor, QStringLiteral("Address"), 48, 22, 36);
    label(editor, QStringLiteral("Name:"), 94, 24, 40);
    Name1 = readOnlyBox(editor, QStringLiteral("Name1"), 134, 22, 200);
    for (QLineEdit* box : {Address, Name1})
        console::paint(box, console::colours::LightGray);
    label(editor, QStringLiteral("Value:"), 344, 24, 40);
    HexValue = place(new QLineEdit(editor), "HexValue", 386, 22, 40, 22);
    for (int i = 0; i < 8; ++i) {
        const int x = 8 + (7 - i) * 58;
        auto* caption = label(editor, QStringLiteral("bit%1").arg(i), x, 50, 56);
        caption->setAlignment(Qt::AlignCenter);
        bit[i] = place(new BitBox(editor), indexed("bit", i), x, 70, 56, 22);
    }
    label(editor, QStringLiteral("Register Description:"), 8, 98, 160);
    Description = place(new QPlainTextEdit(editor), "Description", 8, 118, 400, 64);
    Description->setReadOnly(true);
    Read = iconButton(editor, "Read", QStyle::SP_ArrowDown,
                      QStringLiteral("Read the register from the chip"), 416, 118);
    Send = iconButton(editor, "Send", QStyle::SP_ArrowUp,
                      QStringLiteral("Write the register to the chip"), 450, 118);

    QGroupBox* status = group(page, QStringLiteral("Status, chip information"), 504, 4, 472, 244);
    StatusRegCombo = place(new QComboBox(status), "StatusRegCombo", 8, 22, 220, 26);
    StatusRegCombo->setPlaceholderText(QStringLiteral("Select register ..."));
    label(status, QStringLiteral("Hex"), 240, 25, 30);
    Hexadec = readOnlyBox(status, QStringLiteral("Hexadec"), 272, 24, 70);
    StatusRead =
        place(new QPushButton(QStringLiteral("Refresh"), status), "StatusRead", 360, 22, 90, 26);
    for (int k = 0; k < 16; ++k) {
        const bool high = k >= 8;
        const int x = 8 + (7 - k % 8) * 57;
        Databit[k] = place(new BitBox(status), indexed("Databit", k), x, high ? 80 : 160, 55, 22);
    }
    label(status, QStringLiteral("bit15"), 8, 60, 50);
    label(status, QStringLiteral("bit8"), 8 + 7 * 57, 60, 50);
    label(status, QStringLiteral("bit7"), 8, 140, 50);
    label(status, QStringLiteral("bit0"), 8 + 7 * 57, 140, 50);

    SettingsDataGrid =
        place(new QTableView(page), "SettingsDataGrid", 8, 256, 0, pageHeight - 256 - 8);
    SettingsDataGrid->setModel(settings_);
    SettingsDataGrid->verticalHeader()->setDefaultSectionSize(20);
    SettingsDataGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    SettingsDataGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    SettingsDataGrid->setEditTriggers(QAbstractItemView::DoubleClicked |
                                      QAbstractItemView::EditKeyPressed |
                                      QAbstractItemView::AnyKeyPressed);
    for (int column = 0; column < console::WorkTableModel::ColumnCount; ++column) {
        const int width = console::WorkTableModel::widthTwips(column);
        if (width == 0)
            SettingsDataGrid->setColumnHidden(column, true);
        else
            SettingsDataGrid->setColumnWidth(column, twipsToPixels(width) + 12);
    }
}

void SPI::buildRowsPage(QWidget* page) {
    QGroupBox* gui = group(page, QStringLiteral("GUI Configuration"), 8, 4, 440, 48);
    LoadGUI = iconButton(gui, "LoadGUI", QStyle::SP_DialogOpenButton,
                         QStringLiteral("Load the register rows"), 8, 16);
    SaveGUI = iconButton(gui, "SaveGUI", QStyle::SP_DialogSaveButton,
                         QStringLiteral("Save the register rows"), 40, 16);
    label(gui, QStringLiteral("GUI Configuration Notes:"), 76, 20, 150);
    GuiNotes =
        place(new QLineEdit(QStringLiteral(" Test Setup #"), gui), "GuiNotes", 230, 19, 200, 22);
    buildFilters(page, 1, 456, 4);

    QGroupBox* rows = group(page, QStringLiteral("Register Rows"), 8, 56, 928, 196);
    // From the right: the batch buttons as wide as their captions, the read and write buttons,
    // then the bit boxes share what is left.
    const int batchWidth = fontMetrics().horizontalAdvance(QStringLiteral("+ Batch 4")) + 14;
    const int batchLeft = 920 - 4 * (batchWidth + 2) + 2;
    const int readLeft = batchLeft - 70;
    const int bitPitch = (readLeft - 4 - 246) / 8;
    label(rows, QStringLiteral("Addr.:"), 8, 16, 40);
    label(rows, QStringLiteral("Name:"), 50, 16, 40);
    label(rows, QStringLiteral("Value:"), 204, 16, 40);
    for (int i = 0; i < 8; ++i) {
        auto* caption =
            label(rows, QStringLiteral("bit%1").arg(i), 246 + (7 - i) * bitPitch, 16, bitPitch - 2);
        caption->setAlignment(Qt::AlignCenter);
    }
    for (int r = 0; r < 6; ++r) {
        const int y = 36 + r * 26;
        M_Address[r] = place(new QLineEdit(rows), indexed("M_Address", r), 8, y, 38, 22);
        M_Name[r] = place(new QComboBox(rows), indexed("M_Name", r), 50, y, 150, 22);
        M_Name[r]->setPlaceholderText(QStringLiteral("Select register ..."));
        M_Hexvalue[r] = place(new QLineEdit(rows), indexed("M_Hexvalue", r), 204, y, 38, 22);
        for (int i = 0; i < 8; ++i) {
            const int n = 8 * r + i;
            M_bit[n] = place(new BitBox(rows), indexed("M_bit", n), 246 + (7 - i) * bitPitch, y,
                             bitPitch - 2, 22);
        }
        M_Read[r] = iconButton(rows, "", QStyle::SP_ArrowDown, QStringLiteral("Read"), readLeft, y);
        M_Read[r]->setObjectName(indexed("M_Read", r));
        M_Send[r] =
            iconButton(rows, "", QStyle::SP_ArrowUp, QStringLiteral("Write"), readLeft + 32, y);
        M_Send[r]->setObjectName(indexed("M_Send", r));
        for (QPushButton* button : {M_Read[r], M_Send[r]})
            button->resize(button->width(), 24);
        for (int b = 0; b < 4; ++b) {
            M_Batch[b][r] = place(new QPushButton(QStringLiteral("+ Batch %1").arg(b + 1), rows),
                                  QStringLiteral("M_Batch%1_%2").arg(b + 1).arg(r),
                                  batchLeft + b * (batchWidth + 2), y, batchWidth, 24);
            M_Batch[b][r]->setToolTip(
                QStringLiteral("Append this register's write to batch %1").arg(b + 1));
        }
    }
    buildBatchFrame(page);
    buildFifoFrame(page);
}

void SPI::buildBatchFrame(QWidget* page) {
    QGroupBox* frame = group(page, QStringLiteral("Batch Command Execution"), 8, 256, 928, 244);
    for (int b = 0; b < 4; ++b) {
        const int x = 8 + b * 228;
        BatchSel[b] = place(new QRadioButton(QStringLiteral("Batch %1").arg(b + 1), frame),
                            indexed("BatchSel", b), x, 18, 140, 20);
        BatchName[b] = place(new QLineEdit(QStringLiteral("Batch#%1").arg(b + 1), frame),
                             indexed("BatchName", b), x, 40, 220, 22);
        console::paint(BatchName[b], console::colours::LightGray);
        BatchCommands[b] =
            place(new QPlainTextEdit(frame), indexed("BatchCommands", b), x, 66, 220, 106);
        BatchCommands[b]->setFont(monospace());
        BatchCommands[b]->setLineWrapMode(QPlainTextEdit::NoWrap);
        BatchCommands[b]->viewport()->installEventFilter(this);
        BatchRun[b] = place(new QPushButton(QStringLiteral("Run"), frame), indexed("BatchRun", b),
                            x, 178, 66, 26);
        EnLoop[b] = place(new QCheckBox(QStringLiteral("Loop"), frame), indexed("EnLoop", b),
                          x + 76, 180, 66, 22);
    }
    BatchSel[0]->setChecked(true);
    label(frame, QStringLiteral("Loop control"), 8, 214, 80);
    label(frame, QStringLiteral("Loop count:"), 90, 214, 70);
    LoopCount = place(new QLineEdit(QStringLiteral("0"), frame), "LoopCount", 160, 212, 60, 22);
    Reset = place(new QPushButton(QStringLiteral("Reset"), frame), "Reset", 224, 210, 56, 26);
    ENLimit = place(new QCheckBox(QStringLiteral("Limit"), frame), "ENLimit", 290, 212, 60, 22);
    LoopLimit = place(new QLineEdit(QStringLiteral("0"), frame), "LoopLimit", 350, 212, 60, 22);
    LoopLimit->setEnabled(false);
    console::paint(LoopLimit, frame->palette().color(QPalette::Window));
    label(frame, QStringLiteral("Save/Load Batch"), 752, 214, 100);
    LoadBach = iconButton(frame, "LoadBach", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load a batch file into the selected batch"), 854, 209);
    SaveBatch = iconButton(frame, "SaveBatch", QStyle::SP_DialogSaveButton,
                           QStringLiteral("Save the selected batch"), 888, 209);
}

void SPI::buildFifoFrame(QWidget* page) {
    // Beside the rows and batches over the page's whole height, so that a 16-byte FIFO shows
    // every byte.
    QGroupBox* frame = group(page, QStringLiteral("FIFO Read / Write"), 944, 4, 0, pageHeight - 8);
    TXFIFO = place(new console::FifoGrid(QStringLiteral("TX"), frame), "TXFIFO", 8, 18, 0, 0);
    RXFIFO = place(new console::FifoGrid(QStringLiteral("RX"), frame), "RXFIFO", 0, 18, 0, 0);
    TXFIFO->view->setModel(txModel_);
    RXFIFO->view->setModel(rxModel_);
    TXFIFO->fitRows(16);
    RXFIFO->fitRows(16);
    RXFIFO->move(TXFIFO->geometry().right() + 7, 18);
    const int y = std::max(TXFIFO->geometry().bottom(), RXFIFO->geometry().bottom()) + 8;
    OpenTXff = iconButton(frame, "OpenTXff", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load the TX FIFO content"), 8, y);
    SaveTXff = iconButton(frame, "SaveTXff", QStyle::SP_DialogSaveButton,
                          QStringLiteral("Save the TX FIFO content"), 40, y);
    WriteTXff = place(new QPushButton(QStringLiteral("Write"), frame), "WriteTXff", 72, y, 56, 28);
    const int rx = std::max(RXFIFO->x(), 136);
    OpenRXff = iconButton(frame, "OpenRXff", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load the expected RX FIFO content"), rx, y);
    SaveRXff = iconButton(frame, "SaveRXff", QStyle::SP_DialogSaveButton,
                          QStringLiteral("Save the expected RX FIFO content"), rx + 32, y);
    ReadRXff =
        place(new QPushButton(QStringLiteral("Read"), frame), "ReadRXff", rx + 64, y, 56, 28);
    ResetBER =
        place(new QPushButton(QStringLiteral("Reset"), frame), "ResetBER", rx + 124, y, 56, 28);
    const int width = std::max(RXFIFO->geometry().right(), ResetBER->geometry().right()) + 9;
    const std::pair<QLineEdit**, std::pair<const char*, const char*>> counters[] = {
        {&Packets, {"Packets", "Packets:"}},
        {&PacketLost, {"PacketLost", "Lost:"}},
        {&Errors, {"Errors", "Bit errors:"}},
        {&Databits, {"Databits", "Databits:"}},
        {&PER, {"PER", "PER:"}},
        {&BER, {"BER", "BER:"}},
    };
    const int half = (width - 16) / 2;
    for (int i = 0; i < 6; ++i) {
        const int x = 8 + (i % 2) * half;
        const int top = y + 40 + (i / 2) * 26;
        label(frame, QString::fromLatin1(counters[i].second.second), x, top + 1, 66);
        *counters[i].first = readOnlyBox(frame, QString::fromLatin1(counters[i].second.first),
                                         x + 66, top, half - 72);
    }
    frame->resize(width, frame->height());
}

void SPI::onLeaving(QWidget* box, std::function<void()> work) {
    leaveHandlers_.insert(box, std::move(work));
    box->installEventFilter(this);
}

void SPI::wire() {
    connect(ChipSelect, &QComboBox::currentIndexChanged, this, [this] {
        if (!fillingLists_)
            ChipSelect_Change();
    });
    connect(static_cast<console::OpeningList*>(ChipSelect), &console::OpeningList::opening, this,
            &SPI::ChipSelect_DropDown);
    connect(TabStrip1, &QTabBar::currentChanged, this, &SPI::TabStrip1_Click);
    connect(PB_Voltage, &QPushButton::clicked, this, &SPI::PB_Voltage_Click);
    onLeaving(Voltage, [this] { PB_Voltage_Click(); });

    for (int i = 0; i < 2; ++i) {
        connect(ENRF[i], &QCheckBox::toggled, this, [this, i] { ENRF_Click(i); });
        connect(ENTest[i], &QCheckBox::toggled, this, [this, i] { ENTest_Click(i); });
        connect(ENDigital[i], &QCheckBox::toggled, this, [this, i] { ENDigital_Click(i); });
        connect(ENMisc[i], &QCheckBox::toggled, this, [this, i] { ENMisc_Click(i); });
        onSelected(ByAddress[i], [this, i] { ByAddress_Click(i); });
        onSelected(ByName[i], [this, i] { ByName_Click(i); });
        connect(ViewAll[i], &QPushButton::clicked, this, [this, i] { ViewAll_Click(i); });
    }
    connect(SettingsDataGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { SettingsDataGrid_RowColChange(); });
    connect(
        settings_, &console::WorkTableModel::hexEdited, this, [this](int row, const QString& text) {
            SettingsDataGrid->setCurrentIndex(settings_->index(row, console::WorkTableModel::Hex));
            SettingsDataGrid_AfterColUpdate(console::WorkTableModel::Hex, text);
        });
    connect(HexValue, &QLineEdit::textChanged, this, &SPI::HexValue_Change);
    HexValue->installEventFilter(this);
    for (int i = 0; i < 8; ++i)
        connect(bit[i], &BitBox::clicked, this, [this, i] { bit_Click(i); });
    connect(Read, &QPushButton::clicked, this, &SPI::Read_Click);
    connect(Send, &QPushButton::clicked, this, &SPI::Send_Click);
    connect(RefreshTable, &QPushButton::clicked, this, &SPI::RefreshTable_Click);
    connect(UpdateChip, &QPushButton::clicked, this, &SPI::UpdateChip_Click);
    connect(Defaults, &QPushButton::clicked, this, &SPI::Defaults_Click);
    connect(Command1, &QPushButton::clicked, this, &SPI::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SPI::Command2_Click);

    for (int r = 0; r < 6; ++r) {
        onLeaving(M_Address[r], [this, r] { M_Address_LostFocus(r); });
        connect(M_Name[r], &QComboBox::currentIndexChanged, this, [this, r] {
            if (!fillingLists_)
                M_Name_Click(r);
        });
        connect(M_Hexvalue[r], &QLineEdit::textChanged, this, [this, r] { M_Hexvalue_Change(r); });
        M_Hexvalue[r]->installEventFilter(this);
        connect(M_Read[r], &QPushButton::clicked, this, [this, r] { M_Read_Click(r); });
        connect(M_Send[r], &QPushButton::clicked, this, [this, r] { M_Send_Click(r); });
        for (int b = 0; b < 4; ++b)
            connect(M_Batch[b][r], &QPushButton::clicked, this,
                    [this, b, r] { M_Batch_Click(b, r); });
    }
    for (int n = 0; n < 48; ++n)
        connect(M_bit[n], &BitBox::clicked, this, [this, n] { M_bit_Click(n); });
    connect(StatusRegCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!fillingLists_)
            StatusRegCombo_Click();
    });
    connect(StatusRead, &QPushButton::clicked, this, &SPI::StatusRead_Click);

    for (int b = 0; b < 4; ++b) {
        connect(BatchRun[b], &QPushButton::clicked, this, [this, b] { BatchRun_Click(b); });
        connect(BatchCommands[b], &QPlainTextEdit::textChanged, this, [this, b] {
            // What the user typed; text set by the console is its own model already.
            if (!showingBatch_)
                batchText_[b] = BatchCommands[b]->toPlainText().replace(u'\n', "\r\n");
        });
    }
    connect(ENLimit, &QCheckBox::toggled, this, &SPI::ENLimit_Click);
    connect(Reset, &QPushButton::clicked, this, &SPI::Reset_Click);
    connect(LoadBach, &QPushButton::clicked, this, &SPI::LoadBach_Click);
    connect(SaveBatch, &QPushButton::clicked, this, &SPI::SaveBatch_Click);

    connect(WriteTXff, &QPushButton::clicked, this, &SPI::WriteTXff_Click);
    connect(ReadRXff, &QPushButton::clicked, this, &SPI::ReadRXff_Click);
    connect(ResetBER, &QPushButton::clicked, this, &SPI::ResetBER_Click);
    connect(OpenTXff, &QPushButton::clicked, this, &SPI::OpenTXff_Click);
    connect(OpenRXff, &QPushButton::clicked, this, &SPI::OpenRXff_Click);
    connect(SaveTXff, &QPushButton::clicked, this, &SPI::SaveTXff_Click);
    connect(SaveRXff, &QPushButton::clicked, this, &SPI::SaveRXff_Click);

    connect(SaveSettings, &QPushButton::clicked, this, &SPI::SaveSettings_Click);
    connect(Command4, &QPushButton::clicked, this, &SPI::Command4_Click);
    connect(LoadSettings, &QPushButton::clicked, this, &SPI::LoadSettings_Click);
    connect(SaveGUI, &QPushButton::clicked, this, &SPI::SaveGUI_Click);
    connect(LoadGUI, &QPushButton::clicked, this, &SPI::LoadGUI_Click);
}

bool SPI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (watched == HexValue)
            HexValue_KeyPress();
        for (int r = 0; r < 6; ++r) {
            if (watched == M_Hexvalue[r])
                M_Hexvalue_KeyPress(r);
        }
    }
    for (int b = 0; b < 4; ++b) {
        if (watched != BatchCommands[b]->viewport())
            continue;
        if (event->type() == QEvent::MouseButtonPress)
            BatchCommands_Click(b);
        else if (event->type() == QEvent::MouseButtonDblClick)
            BatchCommands_DblClick(b);
    }
    const auto handler = leaveHandlers_.constFind(watched);
    // A window on its way out is not left by the user.
    if (handler != leaveHandlers_.constEnd() && !closing_) {
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        // A message box that takes the focus is not the user leaving the box.
        const bool left =
            event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
        if (enter || left) {
            const auto work = *handler;
            work();
            return enter;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace krv
