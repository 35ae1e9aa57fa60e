// The console's controls, how they are arranged and what they are connected to.

#include "app/piecedpane.h"
#include "common/optionbutton.h"
#include "common/standardicons.h"
#include "consolelayout.h"
#include "consolewidgets.h"
#include "registerbits.h"
#include "spi.h"
#include "worktablemodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
#include <QVBoxLayout>

namespace krv {

using console::BitBox;

namespace {

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + u'_' + QString::number(index);
}

QPushButton* textButton(const QString& caption, const QString& name) {
    auto* button = named(new console::TightButton(caption), name);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

QPushButton* textButton(const QString& caption, const char* name) {
    return textButton(caption, QString::fromLatin1(name));
}

QPushButton* iconButton(const char* name, QStyle::StandardPixmap icon, const QString& tip) {
    auto* button = named(new QPushButton, name);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setIcon(standardIcon(icon));
    button->setToolTip(tip);
    return button;
}

QLineEdit* readOnlyBox(const QString& name) {
    auto* box = named(new QLineEdit, name);
    box->setReadOnly(true);
    return box;
}

// A row of widgets, layouts and stretches (a null widget) from left to right.
QHBoxLayout* row(std::initializer_list<QObject*> items, int margin = 0) {
    auto* layout = console::narrow(new QHBoxLayout);
    layout->setContentsMargins(margin, margin, margin, margin);
    for (QObject* item : items) {
        if (!item)
            layout->addStretch(1);
        else if (auto* widget = qobject_cast<QWidget*>(item))
            layout->addWidget(widget);
        else
            layout->addLayout(static_cast<QLayout*>(item));
    }
    return layout;
}

QLabel* centred(const QString& text) {
    auto* caption = new QLabel(text);
    caption->setAlignment(Qt::AlignCenter);
    return caption;
}

// A list as wide as `characters` characters of its font.
template <typename List> List* listWide(List* list, int characters) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(characters);
    return list;
}

// A text area that asks for `lines` lines of `columns` characters and takes whatever more room
// its row and column leave.
template <typename Area> Area* filling(Area* area, int columns, int lines) {
    area->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    const QFontMetrics metrics(area->font());
    area->setMinimumSize(metrics.horizontalAdvance(QString(columns, u'0')) +
                             2 * area->frameWidth() + 8,
                         lines * metrics.lineSpacing() + 2 * area->frameWidth() + 8);
    return area;
}

QFont monospace() {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

void SPI::buildFrame() {
    using console::digitsWide;
    using console::digitsWideAtLeast;
    using console::group;
    setWindowTitle(QStringLiteral("Universal SPI Tool"));

    Voltage = digitsWide(named(new QLineEdit(QStringLiteral("2.5")), "Voltage"), 5);
    PB_Voltage = textButton(QStringLiteral("Set"), "PB_Voltage");
    QGroupBox* supply =
        group(QStringLiteral("Testboard Supply Voltage"),
              row({Voltage, new QLabel(QStringLiteral("V")), nullptr, PB_Voltage}, console::gap));

    ChipSelect = listWide(named(new console::OpeningList, "ChipSelect"), 16);
    ChipSelect->setPlaceholderText(QStringLiteral("Select Chip ..."));
    Text3 = digitsWide(readOnlyBox(QStringLiteral("Text3")), 9);
    QGroupBox* master =
        group(QStringLiteral("Master Database"),
              row({ChipSelect, new QLabel(QStringLiteral("P#:")), Text3}, console::gap));

    // Room for the chip name and the date the chip selection writes there.
    Notes = digitsWideAtLeast(named(new QLineEdit, "Notes"), 22);
    LoadSettings = iconButton("LoadSettings", QStyle::SP_DialogOpenButton,
                              QStringLiteral("Load a register set and write it to the chip"));
    SaveSettings = iconButton("SaveSettings", QStyle::SP_DialogSaveButton,
                              QStringLiteral("Save every register"));
    Command4 = iconButton("Command4", QStyle::SP_FileDialogDetailedView,
                          QStringLiteral("Save the registers of the ticked classes"));
    RefreshTable = iconButton("RefreshTable", QStyle::SP_BrowserReload,
                              QStringLiteral("Read every register from the chip"));
    UpdateChip = iconButton("UpdateChip", QStyle::SP_ArrowUp,
                            QStringLiteral("Write every register to the chip"));
    Defaults = textButton(QStringLiteral("Load Defaults"), "Defaults");
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    // The progress beside the buttons rather than under them: a row less on a small screen.
    ProgressBar1->setMinimumWidth(120);
    QGroupBox* configuration =
        group(QStringLiteral("Register Configuration"),
              row({new QLabel(QStringLiteral("Notes:")), Notes, LoadSettings, SaveSettings,
                   Command4, RefreshTable, UpdateChip, Defaults, ProgressBar1},
                  console::gap));

    TabStrip1 = named(new QTabBar, "TabStrip1");
    TabStrip1->setExpanding(false);
    TabStrip1->addTab(QStringLiteral("Register List"));
    TabStrip1->addTab(QStringLiteral("FIFO, Batch windows"));
    // Both pages share one place and keep their room while hidden, so the window is as large
    // as the larger needs whichever is shown.
    auto* pages = new QGridLayout;
    pages->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        Frame[i] = named(new QFrame, indexed("Frame", i + 1));
        Frame[i]->setFrameShape(QFrame::StyledPanel);
        keepPlaceWhenHidden(Frame[i]);
        pages->addWidget(Frame[i], 0, 0);
    }
    buildRegisterPage(Frame[0]);
    buildRowsPage(Frame[1]);
    for (QFrame* frame : Frame)
        frame->hide();

    auto* tabbed = new QVBoxLayout;
    tabbed->setSpacing(0);
    tabbed->addWidget(TabStrip1, 0, Qt::AlignLeft);
    tabbed->addLayout(pages, 1);
    auto* window = console::narrow(new QVBoxLayout(this));
    QHBoxLayout* frames = row({supply, master, configuration});
    frames->setStretch(2, 1);
    window->addLayout(frames);
    window->addLayout(tabbed, 1);

    // Not shown: the spare buttons, and the palette boxes whose colours make the colour code.
    Command1 = textButton(QStringLiteral("Cmd1"), "Command1");
    Command2 = textButton(QStringLiteral("Cmd2"), "Command2");
    Command3 = textButton(QStringLiteral("Cmd3"), "Command3");
    for (QPushButton* button : {Command1, Command2, Command3}) {
        button->setParent(this);
        button->hide();
    }
    const std::pair<QLineEdit**, std::pair<const char*, QColor>> palette[] = {
        {&LightGray, {"LightGray", console::colours::LightGray}},
        {&Blue, {"Blue", console::colours::Blue}},
        {&nodata, {"nodata", console::colours::nodata}},
        {&One, {"One", console::colours::One}},
        {&Zero, {"Zero", console::colours::zero()}},
    };
    for (const auto& [box, entry] : palette) {
        *box = named(new QLineEdit(this), entry.first);
        console::paint(*box, entry.second);
        (*box)->hide();
    }
}

QLayout* SPI::buildFilters(int index) {
    using console::group;
    ByAddress[index] =
        named(new QRadioButton(QStringLiteral("Address")), indexed("ByAddress", index));
    ByName[index] = named(new QRadioButton(QStringLiteral("Name")), indexed("ByName", index));
    ByAddress[index]->setChecked(true);
    QGroupBox* order =
        group(QStringLiteral("Order by"), row({ByAddress[index], ByName[index]}, console::gap));
    ENRF[index] = named(new QCheckBox(QStringLiteral("RF")), indexed("ENRF", index));
    ENDigital[index] = named(new QCheckBox(QStringLiteral("Digital")), indexed("ENDigital", index));
    ENTest[index] = named(new QCheckBox(QStringLiteral("Test")), indexed("ENTest", index));
    ENMisc[index] = named(new QCheckBox(QStringLiteral("Misc.")), indexed("ENMisc", index));
    ViewAll[index] = textButton(QStringLiteral("All"), indexed("ViewAll", index));
    QGroupBox* filter =
        group(QStringLiteral("Register Filter"),
              row({ENRF[index], ENDigital[index], ENTest[index], ENMisc[index], ViewAll[index]},
                  console::gap));
    for (QCheckBox* box : {ENRF[index], ENDigital[index], ENTest[index]})
        box->setChecked(true);
    return row({order, filter});
}

void SPI::buildRegisterPage(QWidget* page) {
    using console::digitsWide;
    using console::group;
    Address = digitsWide(readOnlyBox(QStringLiteral("Address")), 3);
    Name1 = readOnlyBox(QStringLiteral("Name1"));
    for (QLineEdit* box : {Address, Name1})
        console::paint(box, console::colours::LightGray);
    HexValue = digitsWide(named(new QLineEdit, "HexValue"), 3);
    auto* bits = console::narrow(new QGridLayout);
    bits->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 8; ++i) {
        bits->addWidget(centred(QStringLiteral("bit%1").arg(i)), 0, 7 - i);
        bit[i] = named(new BitBox(nullptr), indexed("bit", i));
        bits->addWidget(bit[i], 1, 7 - i);
    }
    Description = filling(named(new QPlainTextEdit, "Description"), 30, 3);
    Description->setReadOnly(true);
    Read =
        iconButton("Read", QStyle::SP_ArrowDown, QStringLiteral("Read the register from the chip"));
    Send = iconButton("Send", QStyle::SP_ArrowUp, QStringLiteral("Write the register to the chip"));
    auto* description = row({Description, Read, Send});
    description->setStretch(0, 1);
    description->setAlignment(Read, Qt::AlignTop);
    description->setAlignment(Send, Qt::AlignTop);
    auto* editorLayout = console::narrow(new QVBoxLayout);
    editorLayout->addLayout(
        row({new QLabel(QStringLiteral("Addr.:")), Address, new QLabel(QStringLiteral("Name:")),
             Name1, new QLabel(QStringLiteral("Value:")), HexValue}));
    editorLayout->addLayout(bits);
    editorLayout->addWidget(new QLabel(QStringLiteral("Register Description:")));
    editorLayout->addLayout(description, 1);
    QGroupBox* editor = group(QStringLiteral("Register"), editorLayout);

    StatusRegCombo = listWide(named(new QComboBox, "StatusRegCombo"), 20);
    StatusRegCombo->setPlaceholderText(QStringLiteral("Select register ..."));
    Hexadec = digitsWide(readOnlyBox(QStringLiteral("Hexadec")), 6);
    StatusRead = textButton(QStringLiteral("Refresh"), "StatusRead");
    auto* statusBits = console::narrow(new QGridLayout);
    statusBits->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < 16; ++k) {
        Databit[k] = named(new BitBox(nullptr), indexed("Databit", k));
        statusBits->addWidget(Databit[k], k >= 8 ? 1 : 4, 7 - k % 8);
    }
    statusBits->addWidget(new QLabel(QStringLiteral("bit15")), 0, 0);
    statusBits->addWidget(new QLabel(QStringLiteral("bit8")), 0, 7);
    statusBits->addWidget(new QLabel(QStringLiteral("bit7")), 3, 0);
    statusBits->addWidget(new QLabel(QStringLiteral("bit0")), 3, 7);
    // The high and the low byte a little apart.
    statusBits->setRowMinimumHeight(2, QFontMetrics(font()).height());
    statusBits->setRowStretch(5, 1);
    auto* statusLayout = console::narrow(new QVBoxLayout);
    statusLayout->addLayout(
        row({StatusRegCombo, new QLabel(QStringLiteral("Hex")), Hexadec, nullptr, StatusRead}));
    statusLayout->addLayout(statusBits, 1);
    QGroupBox* status = group(QStringLiteral("Status, chip information"), statusLayout);

    SettingsDataGrid = filling(named(new QTableView, "SettingsDataGrid"), 60, 5);
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

    auto* layout = console::narrow(new QGridLayout(page));
    layout->addLayout(buildFilters(0), 0, 0);
    layout->addWidget(editor, 1, 0);
    layout->addWidget(status, 0, 1, 2, 1);
    layout->addWidget(SettingsDataGrid, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
}

void SPI::buildRowsPage(QWidget* page) {
    using console::digitsWide;
    using console::group;
    LoadGUI = iconButton("LoadGUI", QStyle::SP_DialogOpenButton,
                         QStringLiteral("Load the register rows"));
    SaveGUI = iconButton("SaveGUI", QStyle::SP_DialogSaveButton,
                         QStringLiteral("Save the register rows"));
    GuiNotes = console::digitsWideAtLeast(
        named(new QLineEdit(QStringLiteral(" Test Setup #")), "GuiNotes"), 14);
    QGroupBox* gui = group(
        QStringLiteral("GUI Configuration"),
        row({LoadGUI, SaveGUI, new QLabel(QStringLiteral("GUI Configuration Notes:")), GuiNotes},
            console::gap));

    // Columns: address, name, value, bit 7 to bit 0, read, write, then the four batches.
    constexpr int firstBit = 3;
    constexpr int readColumn = firstBit + 8;
    constexpr int firstBatch = readColumn + 2;
    auto* grid = console::narrow(new QGridLayout);
    grid->addWidget(new QLabel(QStringLiteral("Addr.:")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Name:")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Value:")), 0, 2);
    for (int i = 0; i < 8; ++i)
        grid->addWidget(centred(QStringLiteral("bit%1").arg(i)), 0, firstBit + 7 - i);
    grid->addWidget(centred(QStringLiteral("Add to batch")), 0, firstBatch, 1, 4);
    for (int r = 0; r < 6; ++r) {
        const int line = r + 1;
        M_Address[r] = digitsWide(named(new QLineEdit, indexed("M_Address", r)), 3);
        M_Name[r] = listWide(named(new QComboBox, indexed("M_Name", r)), 15);
        M_Name[r]->setPlaceholderText(QStringLiteral("Select register ..."));
        M_Hexvalue[r] = digitsWide(named(new QLineEdit, indexed("M_Hexvalue", r)), 3);
        grid->addWidget(M_Address[r], line, 0);
        grid->addWidget(M_Name[r], line, 1);
        grid->addWidget(M_Hexvalue[r], line, 2);
        for (int i = 0; i < 8; ++i) {
            const int n = 8 * r + i;
            M_bit[n] = named(new BitBox(nullptr), indexed("M_bit", n));
            grid->addWidget(M_bit[n], line, firstBit + 7 - i);
        }
        M_Read[r] = iconButton("", QStyle::SP_ArrowDown, QStringLiteral("Read"));
        M_Read[r]->setObjectName(indexed("M_Read", r));
        M_Send[r] = iconButton("", QStyle::SP_ArrowUp, QStringLiteral("Write"));
        M_Send[r]->setObjectName(indexed("M_Send", r));
        grid->addWidget(M_Read[r], line, readColumn);
        grid->addWidget(M_Send[r], line, readColumn + 1);
        for (int b = 0; b < 4; ++b) {
            M_Batch[b][r] = textButton(QStringLiteral("+%1").arg(b + 1),
                                       QStringLiteral("M_Batch%1_%2").arg(b + 1).arg(r));
            M_Batch[b][r]->setToolTip(
                QStringLiteral("Append this register's write to batch %1").arg(b + 1));
            grid->addWidget(M_Batch[b][r], line, firstBatch + b);
        }
    }
    // The bits share the room the row does not need.
    for (int i = 0; i < 8; ++i)
        grid->setColumnStretch(firstBit + i, 1);
    QGroupBox* rows = group(QStringLiteral("Register Rows"), grid);

    auto* left = console::narrow(new QVBoxLayout);
    left->setContentsMargins(0, 0, 0, 0);
    left->addLayout(row({gui, buildFilters(1)}));
    left->addWidget(rows);
    left->addWidget(buildBatchFrame(), 1);
    auto* layout = console::narrow(new QHBoxLayout(page));
    layout->addLayout(left, 1);
    layout->addWidget(buildFifoFrame());
}

QGroupBox* SPI::buildBatchFrame() {
    using console::digitsWide;
    auto* grid = console::narrow(new QGridLayout);
    for (int b = 0; b < 4; ++b) {
        BatchSel[b] =
            named(new QRadioButton(QStringLiteral("Batch %1").arg(b + 1)), indexed("BatchSel", b));
        BatchName[b] =
            named(new QLineEdit(QStringLiteral("Batch#%1").arg(b + 1)), indexed("BatchName", b));
        console::paint(BatchName[b], console::colours::LightGray);
        BatchCommands[b] = named(new QPlainTextEdit, indexed("BatchCommands", b));
        BatchCommands[b]->setFont(monospace());
        filling(BatchCommands[b], 16, 4);
        BatchCommands[b]->setLineWrapMode(QPlainTextEdit::NoWrap);
        batchPanes_[b] = new PiecedPane(
            BatchCommands[b], QStringLiteral("the batch is run and saved as it was loaded"));
        BatchCommands[b]->viewport()->installEventFilter(this);
        BatchRun[b] = textButton(QStringLiteral("Run"), indexed("BatchRun", b));
        EnLoop[b] = named(new QCheckBox(QStringLiteral("Loop")), indexed("EnLoop", b));
        grid->addWidget(BatchSel[b], 0, b);
        grid->addWidget(BatchName[b], 1, b);
        grid->addWidget(BatchCommands[b], 2, b);
        grid->addLayout(row({BatchRun[b], EnLoop[b], nullptr}), 3, b);
        grid->setColumnStretch(b, 1);
    }
    grid->setRowStretch(2, 1);
    BatchSel[0]->setChecked(true);
    LoopCount = digitsWide(named(new QLineEdit(QStringLiteral("0")), "LoopCount"), 7);
    Reset = textButton(QStringLiteral("Reset"), "Reset");
    ENLimit = named(new QCheckBox(QStringLiteral("Limit")), "ENLimit");
    LoopLimit = digitsWide(named(new QLineEdit(QStringLiteral("0")), "LoopLimit"), 7);
    LoopLimit->setEnabled(false);
    LoadBach = iconButton("LoadBach", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load a batch file into the selected batch"));
    SaveBatch = iconButton("SaveBatch", QStyle::SP_DialogSaveButton,
                           QStringLiteral("Save the selected batch"));
    grid->addLayout(
        row({new QLabel(QStringLiteral("Loop control")), new QLabel(QStringLiteral("Loop count:")),
             LoopCount, Reset, ENLimit, LoopLimit, nullptr,
             new QLabel(QStringLiteral("Save/Load Batch")), LoadBach, SaveBatch}),
        4, 0, 1, 4);
    QGroupBox* frame = console::group(QStringLiteral("Batch Command Execution"), grid);
    console::paint(LoopLimit, frame->palette().color(QPalette::Window));
    return frame;
}

QGroupBox* SPI::buildFifoFrame() {
    TXFIFO = named(new console::FifoGrid(QStringLiteral("TX"), nullptr), "TXFIFO");
    RXFIFO = named(new console::FifoGrid(QStringLiteral("RX"), nullptr), "RXFIFO");
    TXFIFO->view->setModel(txModel_);
    RXFIFO->view->setModel(rxModel_);
    // Every byte of a 16-byte FIFO in view.
    TXFIFO->fitRows(16);
    RXFIFO->fitRows(16);
    OpenTXff = iconButton("OpenTXff", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load the TX FIFO content"));
    SaveTXff = iconButton("SaveTXff", QStyle::SP_DialogSaveButton,
                          QStringLiteral("Save the TX FIFO content"));
    WriteTXff = textButton(QStringLiteral("Write"), "WriteTXff");
    OpenRXff = iconButton("OpenRXff", QStyle::SP_DialogOpenButton,
                          QStringLiteral("Load the expected RX FIFO content"));
    SaveRXff = iconButton("SaveRXff", QStyle::SP_DialogSaveButton,
                          QStringLiteral("Save the expected RX FIFO content"));
    ReadRXff = textButton(QStringLiteral("Read"), "ReadRXff");
    ResetBER = textButton(QStringLiteral("Reset"), "ResetBER");

    const std::pair<QLineEdit**, std::pair<const char*, const char*>> counters[] = {
        {&Packets, {"Packets", "Packets:"}},
        {&PacketLost, {"PacketLost", "Lost:"}},
        {&Errors, {"Errors", "Bit errors:"}},
        {&Databits, {"Databits", "Databits:"}},
        {&PER, {"PER", "PER:"}},
        {&BER, {"BER", "BER:"}},
    };
    auto* results = console::narrow(new QGridLayout);
    results->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        // A rate as 1.56E-02, a count up to millions.
        QLineEdit* box =
            console::digitsWide(readOnlyBox(QString::fromLatin1(counters[i].second.first)), 10);
        *counters[i].first = box;
        auto* caption = new QLabel(QString::fromLatin1(counters[i].second.second));
        caption->setBuddy(box);
        results->addWidget(caption, i / 2, 2 * (i % 2));
        results->addWidget(box, i / 2, 2 * (i % 2) + 1);
    }

    auto* grid = console::narrow(new QGridLayout);
    grid->addWidget(TXFIFO, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(RXFIFO, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addLayout(row({OpenTXff, SaveTXff, WriteTXff, nullptr}), 1, 0);
    grid->addLayout(row({OpenRXff, SaveRXff, ReadRXff, ResetBER, nullptr}), 1, 1);
    grid->addLayout(results, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    FifoBlock = named(console::group(QStringLiteral("FIFO Read / Write"), grid), "FifoBlock");
    return FifoBlock;
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
