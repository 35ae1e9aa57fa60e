#pragma once

#include <QByteArray>
#include <QString>

namespace krv::trx {

enum class Chip { HC913, HC916 };

// The settings of a transceiver panel as its configuration file holds them: the texts, states
// and selections of the controls, not the words.
struct TrxConfig {
    bool StdCrystal = true;
    bool NonStdCrystal = false;
    QString Crystalfreq;
    bool Band315 = false;
    bool Band433 = false;
    bool Band868 = false;
    bool Band915 = false;
    int EnTXLatch = 0;
    int EnRxFIFO = 0;
    QString Cxtal;
    int chb_er = 0;
    int chb_ebb = 0;
    int chb_et = 0;
    int chb_es = 0;
    int chb_ex = 0;
    int chb_ew = 0;
    int chb_eb = 0;
    int chb_dc = 0;
    QString FreqCenter;
    bool Pin8IsInt = false;
    bool Pin8IsVDI = false;
    QString VDI;
    QString LNAgain;
    QString DRSSI;
    int BasebandBW = -1;
    QString ModPol;
    int ModFreq = -1;
    QString OutputPower;
    int CB_LPX = 0; // HC916 only, as the four below
    int CB_DDY = 0;
    int CB_DDIT = 0;
    QString CB_RFT;
    QString CB_PLLBW;
    QString WKUPM;
    QString WKUPR;
    int enlowdc = 0;
    QString DUTY;
    int CLKout = -1;
    QString LBD;
    int afcen = 0;
    int afcfi = 0;
    QString AFCauto;
    QString AFCres;
    int afcst = 0;
    int afcoen = 0;
    QString DATARATEDIV;
    int dataratepresc = 0;
    QString ClkRecMode;
    QString FILTTYPE;
    int DFILTbit5 = 0;
    int STATEFILT = 0;
    int ffillen = 0;
    int SensResEn = 0;
    QString FIFOstrt;
    int ITLEVEL = 0;
    QString TB_SP; // HC916 only
    QString Pref_Voltage;
};

struct FileType {
    QString pattern;   // "*.trc"
    QString extension; // "trc"
    QString filter;    // the dialogs' filter, in the dialog seam's notation
    QString banner;
};
FileType fileType(Chip chip);

QByteArray writeConfig(const TrxConfig& config, Chip chip);
// Writes through QSaveFile, so a failed save leaves the old file whole. Throws krv::Error.
void saveConfig(const QString& path, const TrxConfig& config, Chip chip);

// Checks the whole file before anything is used: banner, number and kinds of items and the
// ranges the controls accept. Throws krv::Error (1226 for another banner).
TrxConfig readConfig(const QByteArray& bytes, Chip chip);
TrxConfig readConfigFile(const QString& path, Chip chip);

} // namespace krv::trx
