#pragma once

#include "app/krvform.h"
#include "link/sendresult.h"
#include "registerdatabase.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableView;

namespace krv {

class ISMmain;
class PiecedPane;

namespace console {
class BitBox;
class FifoGrid;
class FifoModel;
class WorkTableModel;
} // namespace console

// The register console: a register editor for every chip the register database describes, with
// register rows, a status register, command batches, a FIFO test and its own text files.
class SPI : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit SPI(ISMmain& main);
    ~SPI() override;

    void Form_Load() override;
    void Form_Unload() override;
    QList<QWidget*> keptInSight() const override;

    // ---- Window frame, database and chip selection -----------------------------------------
    void ClearWorktables();
    void LoadboardBusy();
    void LoadboardReady();
    void GUI_Sync();
    void HexToBinary(const QString& hex);
    void ChipSelect_Change();
    void ChipSelect_DropDown();
    void TabStrip1_Click();
    void PB_Voltage_Click();

    int CurrentTab = 0;
    QString Binary;
    int TxFifoSize = 0;
    int RxFifoSize = 0;
    QString TxFifoAddress;
    QString RxFifoAddress;
    bool nFFS_control = false;

    // ---- Register table ----------------------------------------------------------------
    void ENRF_Click(int index);
    void ENTest_Click(int index);
    void ENDigital_Click(int index);
    void ENMisc_Click(int index);
    void ByAddress_Click(int index);
    void ByName_Click(int index);
    void ViewAll_Click(int index);
    void SettingsDataGrid_RowColChange();
    void SettingsDataGrid_AfterColUpdate(int column, const QString& text);
    void HexValue_Change();
    void HexValue_KeyPress();
    void bit_Click(int index);
    void Read_Click();
    void Send_Click();
    void RefreshTable_Click();
    void UpdateChip_Click();
    void Defaults_Click();
    void Command1_Click();
    void Command2_Click();

    // ---- Register rows and status register -----------------------------------------------
    void M_Address_LostFocus(int row);
    void M_Name_Click(int row);
    void M_Hexvalue_KeyPress(int row);
    void M_Hexvalue_Change(int row);
    void M_bit_Click(int index);
    void M_Read_Click(int row);
    void M_Send_Click(int row);
    void StatusRegCombo_Click();
    void StatusRead_Click();

    // ---- Batches ---------------------------------------------------------------------------
    void BatchRun_Click(int batch);
    void BatchCommands_Click(int batch);
    void BatchCommands_DblClick(int batch);
    void ENLimit_Click();
    void Reset_Click();
    // The register row's write appended to batch 1 to 4.
    void M_Batch1_Click(int row) { M_Batch_Click(0, row); }
    void M_Batch2_Click(int row) { M_Batch_Click(1, row); }
    void M_Batch3_Click(int row) { M_Batch_Click(2, row); }
    void M_Batch4_Click(int row) { M_Batch_Click(3, row); }
    void M_Batch_Click(int batch, int row);
    void LoadBach_Click();
    void SaveBatch_Click();
    // The batch's text as its lines stand, each ended by CR LF.
    QString batchText(int batch) const { return batchText_[batch]; }
    void setBatchText(int batch, const QString& text);
    void appendToBatch(int batch, const QString& text);
    // The batch whose option button is on, 0 when none is.
    int selectedBatch() const;

    // ---- FIFO test ---------------------------------------------------------------------------
    void WriteTXff_Click();
    void ReadRXff_Click();
    void ResetBER_Click();
    void OpenTXff_Click();
    void OpenRXff_Click();
    void SaveTXff_Click();
    void SaveRXff_Click();

    // ---- Register console files --------------------------------------------------------------
    void SaveSettings_Click();
    void Command4_Click();
    void LoadSettings_Click();
    void SaveGUI_Click();
    void LoadGUI_Click();

    // ---- Controls ----------------------------------------------------------------------------
    QLineEdit* Voltage;
    QPushButton* PB_Voltage;
    QComboBox* ChipSelect;
    QLineEdit* Text3;
    QLineEdit* Notes;
    QPushButton* LoadSettings;
    QPushButton* SaveSettings;
    QPushButton* Command4;
    QPushButton* RefreshTable;
    QPushButton* UpdateChip;
    QPushButton* Defaults;
    QProgressBar* ProgressBar1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QTabBar* TabStrip1;
    std::array<QFrame*, 2> Frame;

    std::array<QRadioButton*, 2> ByAddress;
    std::array<QRadioButton*, 2> ByName;
    std::array<QCheckBox*, 2> ENRF;
    std::array<QCheckBox*, 2> ENDigital;
    std::array<QCheckBox*, 2> ENTest;
    std::array<QCheckBox*, 2> ENMisc;
    std::array<QPushButton*, 2> ViewAll;

    QLineEdit* Name1;
    QLineEdit* Address;
    QLineEdit* HexValue;
    std::array<console::BitBox*, 8> bit;
    QPushButton* Read;
    QPushButton* Send;
    QPlainTextEdit* Description;
    QComboBox* StatusRegCombo;
    QLineEdit* Hexadec;
    std::array<console::BitBox*, 16> Databit;
    QPushButton* StatusRead;
    QTableView* SettingsDataGrid;

    QPushButton* LoadGUI;
    QPushButton* SaveGUI;
    QLineEdit* GuiNotes;
    std::array<QLineEdit*, 6> M_Address;
    std::array<QComboBox*, 6> M_Name;
    std::array<QLineEdit*, 6> M_Hexvalue;
    std::array<console::BitBox*, 48> M_bit;
    std::array<QPushButton*, 6> M_Read;
    std::array<QPushButton*, 6> M_Send;
    std::array<std::array<QPushButton*, 6>, 4> M_Batch; // M_Batch[0] are the M_Batch1 buttons

    std::array<QPlainTextEdit*, 4> BatchCommands;
    std::array<QLineEdit*, 4> BatchName;
    std::array<QPushButton*, 4> BatchRun;
    std::array<QCheckBox*, 4> EnLoop;
    std::array<QRadioButton*, 4> BatchSel;
    QLineEdit* LoopCount;
    QPushButton* Reset;
    QCheckBox* ENLimit;
    QLineEdit* LoopLimit;
    QPushButton* LoadBach;
    QPushButton* SaveBatch;

    // The FIFO test's frame: both FIFOs and the six counters.
    QGroupBox* FifoBlock;
    console::FifoGrid* TXFIFO;
    console::FifoGrid* RXFIFO;
    QLineEdit* Packets;
    QLineEdit* PacketLost;
    QLineEdit* Errors;
    QLineEdit* Databits;
    QLineEdit* PER;
    QLineEdit* BER;
    QPushButton* WriteTXff;
    QPushButton* ReadRXff;
    QPushButton* ResetBER;
    QPushButton* OpenTXff;
    QPushButton* SaveTXff;
    QPushButton* OpenRXff;
    QPushButton* SaveRXff;

    // The palette boxes of the colour code, out of view.
    QLineEdit* LightGray;
    QLineEdit* Blue;
    QLineEdit* nodata;
    QLineEdit* One;
    QLineEdit* Zero;

    console::WorkTableModel* settingsModel() const { return settings_; }
    console::FifoModel* fifoModel(console::Fifo fifo) const;
    console::RegisterDatabase* database() const { return db_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (spi_layout.cpp).
    void buildFrame();
    void buildRegisterPage(QWidget* page);
    void buildRowsPage(QWidget* page);
    QGroupBox* buildBatchFrame();
    QGroupBox* buildFifoFrame();
    // The order options and the register filter of a page, side by side.
    QLayout* buildFilters(int index);
    void wire();
    void onLeaving(QWidget* box, std::function<void()> work);
    QList<QWidget*> busyControls() const;

    // The database and the view (spi.cpp, spi_table.cpp).
    // Opens the database and fills the chip list from it.
    void loadChipList();
    void reportDatabase(const console::DatabaseError& error);
    void setView(const QString& clause);
    void refreshFifos();
    QString filterClause() const;
    // The conditions of the register classes ticked on the first page.
    QStringList tickedClasses() const;
    void copyFilter(std::array<QCheckBox*, 2>& box, int index);
    void copyOrder(std::array<QRadioButton*, 2>& option, int index);
    void tickAllFilters();
    QString currentAddress() const;
    void restoreCurrent(const QString& address);
    std::optional<console::WorkRow> lookup(const QString& address) const;
    void storeValue(const QString& address, const QString& hex);
    void showBits(const std::array<console::BitBox*, 8>& boxes, const QString& hex);
    void setProgress(qsizetype done, qsizetype total);
    void updateRowsShowing(const QString& address, const QString& hex);

    // Sending (spi.cpp).
    // The reply of one line; nothing when the console closed during the wait, in which case
    // the caller returns at once without touching the window.
    std::optional<SendResult> transfer(const QString& line);
    static bool gone(const QPointer<SPI>& self);
    void reportReadFailure(const QStringList& addresses);
    // Addresses above 7F, or not two hexadecimal digits, have no register read.
    void reportNoReadCommand(const QStringList& addresses);
    struct RegisterReply {
        bool windowGone = false;
        QString last15; // the reply's last 15 characters when it ended OK
        bool ok() const { return !windowGone && !last15.isEmpty(); }
    };
    // Reads one register. Without an OK reply the boxes show no data and the user is told,
    // once; nothing else may be touched when the window went away during the wait.
    RegisterReply readRegister(const QString& address, const QList<console::BitBox*>& boxes);
    void reportWriteProblems(const QStringList& problems);
    // Sends a register write; true only when the board confirmed it. A board that refused it
    // or stayed silent is reported here, a closed port by the link already.
    bool confirmedWrite(const QString& address, const QString& line);
    void reportWriteFailure(const QStringList& addresses);

    // FIFO test (spi_fifo.cpp). A step of a long operation: false when the port closed or the
    // window went away.
    bool sendStep(const QString& line, const QPointer<SPI>& self);
    void saveFifo(console::Fifo fifo);
    void loadFifo(console::Fifo fifo);

    // Register set files (spi_files.cpp); an empty clause writes the header lines only.
    void saveRegisterSet(const QString& clause);

    // Register rows (spi_rows.cpp).
    std::array<console::BitBox*, 8> rowBits(int row) const;
    void clearRow(int row);
    void fillRow(int row, const console::WorkRow& work);
    void refillNameLists();
    void clearStatusFrame();

    // Batches (spi_batch.cpp).
    // Refused: a line holds text the board's line cannot carry; nothing of the pass was sent.
    enum class BatchPass { Idle, Sent, PortClosed, WindowGone, Refused };
    BatchPass runBatchPass(int batch, const QPointer<SPI>& self);
    void showBatch(int batch);

    ISMmain& main_;
    std::unique_ptr<console::RegisterDatabase> db_;
    console::WorkTableModel* settings_;
    console::FifoModel* txModel_;
    console::FifoModel* rxModel_;
    QList<console::ChipRow> chips_;
    QList<console::StatusRegister> statusRegisters_;
    int currentStatus_ = -1;
    QString viewClause_;
    int busy_ = 0;
    bool closing_ = false;
    bool fillingLists_ = false;
    bool chipListFailed_ = false;
    std::array<QString, 4> batchText_;
    // The batch boxes show a batch with lines too long to lay out in pieces.
    std::array<PiecedPane*, 4> batchPanes_;
    bool showingBatch_ = false;
    QHash<QObject*, std::function<void()>> leaveHandlers_;
};

} // namespace krv
