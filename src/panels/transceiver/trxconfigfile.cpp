#include "trxconfigfile.h"

#include "common/error.h"
#include "common/itemfile.h"
#include "common/numbers.h"

namespace krv::trx {

FileType fileType(Chip chip) {
    if (chip == Chip::HC913)
        return {QStringLiteral("*.trc"), QStringLiteral("trc"),
                QStringLiteral("Transceiver Configuration files (*.trc);;All files (*.*)"),
                QStringLiteral("# KRV Transceiver configuration file. Version 2.0.0")};
    return {QStringLiteral("*.lrc"), QStringLiteral("lrc"),
            QStringLiteral("'C916 Transceiver Configuration files (*.lrc);;All files (*.*)"),
            QStringLiteral("# KRV HC916 Transceiver configuration file. Version 2.0.0")};
}

namespace {

// Lists stored by index and the number of their entries.
constexpr int BasebandEntries = 6;
constexpr int DeviationEntries = 16;
constexpr int ClockOutputEntries = 8;
// The pattern byte box holds two characters; a longer text would be cut short without a word.
constexpr int PatternByteLength = 2;

// The items in file order, for the writer and the reader alike, so the two cannot disagree.
template <typename Visitor> void visitItems(TrxConfig& c, Chip chip, Visitor& v) {
    v.option(c.StdCrystal);
    v.option(c.NonStdCrystal);
    v.text(c.Crystalfreq);
    v.option(c.Band315);
    v.option(c.Band433);
    v.option(c.Band868);
    v.option(c.Band915);
    v.check(c.EnTXLatch);
    v.check(c.EnRxFIFO);
    v.text(c.Cxtal);
    v.check(c.chb_er);
    v.check(c.chb_ebb);
    v.check(c.chb_et);
    v.check(c.chb_es);
    v.check(c.chb_ex);
    v.check(c.chb_ew);
    v.check(c.chb_eb);
    v.check(c.chb_dc);
    v.text(c.FreqCenter);
    v.option(c.Pin8IsInt);
    v.option(c.Pin8IsVDI);
    v.text(c.VDI);
    v.text(c.LNAgain);
    v.text(c.DRSSI);
    v.index(c.BasebandBW, BasebandEntries);
    v.text(c.ModPol);
    v.index(c.ModFreq, DeviationEntries);
    v.text(c.OutputPower);
    if (chip == Chip::HC916) {
        v.check(c.CB_LPX);
        v.check(c.CB_DDY);
        v.check(c.CB_DDIT);
        v.text(c.CB_RFT);
        v.text(c.CB_PLLBW);
    }
    v.text(c.WKUPM);
    v.text(c.WKUPR);
    v.check(c.enlowdc);
    v.text(c.DUTY);
    v.index(c.CLKout, ClockOutputEntries);
    v.text(c.LBD);
    v.check(c.afcen);
    v.check(c.afcfi);
    v.text(c.AFCauto);
    v.text(c.AFCres);
    v.check(c.afcst);
    v.check(c.afcoen);
    v.text(c.DATARATEDIV);
    v.check(c.dataratepresc);
    v.text(c.ClkRecMode);
    v.text(c.FILTTYPE);
    v.check(c.DFILTbit5);
    v.scroll(c.STATEFILT, 7);
    v.check(c.ffillen);
    v.check(c.SensResEn);
    v.text(c.FIFOstrt);
    v.scroll(c.ITLEVEL, 15);
    if (chip == Chip::HC916)
        v.text(c.TB_SP, PatternByteLength);
    v.voltage(c.Pref_Voltage);
}

struct Writer {
    ItemWriter out;
    void option(bool& value) { out.boolean(value); }
    void text(QString& value, int = 0) { out.text(value); }
    void check(int& value) { out.number(value); }
    void index(int& value, int) { out.number(value); }
    void scroll(int& value, int) { out.number(value); }
    void voltage(QString& value) { out.text(value); }
};

Error invalidValue() {
    return Error(380, QStringLiteral("Invalid property value"));
}

struct Reader {
    ItemReader& in;
    void option(bool& value) { value = in.boolean(); }
    void text(QString& value, int maxLength = 0) {
        value = in.text();
        if (maxLength > 0 && value.size() > maxLength)
            throw invalidValue();
    }
    int whole(int lo, int hi) {
        const double value = in.number();
        if (value != double(roundHalfEven(value)))
            throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
        if (value < lo || value > hi)
            throw invalidValue();
        return int(value);
    }
    void check(int& value) { value = whole(0, 2); }
    void index(int& value, int entries) { value = whole(-1, entries - 1); }
    void scroll(int& value, int max) { value = whole(0, max); }
    void voltage(QString& value) {
        value = in.text();
        if (!isWholeNumber(value))
            throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
        if (leadingNumber(value) <= 0)
            throw invalidValue();
    }
};

TrxConfig readItems(ItemReader& in, Chip chip) {
    if (in.atEnd())
        throw Error(errors::InputPastEnd, QStringLiteral("Input past end of file"));
    if (in.any() != fileType(chip).banner)
        throw Error(errors::IncorrectVersion,
                    QStringLiteral("Incorrect configuration file version"));
    TrxConfig config;
    Reader reader{in};
    visitItems(config, chip, reader);
    return config;
}

} // namespace

namespace {
ItemWriter itemsOf(const TrxConfig& config, Chip chip) {
    Writer writer;
    writer.out.text(fileType(chip).banner);
    TrxConfig copy = config;
    visitItems(copy, chip, writer);
    return writer.out;
}
} // namespace

QByteArray writeConfig(const TrxConfig& config, Chip chip) {
    return itemsOf(config, chip).bytes();
}

void saveConfig(const QString& path, const TrxConfig& config, Chip chip) {
    itemsOf(config, chip).save(path);
}

TrxConfig readConfigFile(const QString& path, Chip chip) {
    ItemReader in = ItemReader::fromFile(path);
    return readItems(in, chip);
}

TrxConfig readConfig(const QByteArray& bytes, Chip chip) {
    ItemReader in(bytes);
    return readItems(in, chip);
}

} // namespace krv::trx
