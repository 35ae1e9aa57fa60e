#include "faketransmitters.h"

#include "app/ismmain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace krv::test {

FakeTransmitter::FakeTransmitter(ISMmain& main, const QString& form)
    : main_(main), update_(new QPushButton(QStringLiteral("Update"), this)) {
    const bool ht531 = form == QStringLiteral("MivraV2");
    const bool ht539 = form == QStringLiteral("HT539");
    setWindowTitle(ht531   ? QStringLiteral("HT531 transmitter control panel")
                   : ht539 ? QStringLiteral("HT539 transmitter control panel")
                           : QStringLiteral("HT537 transmitter control panel"));
    text("Crystalfreq", QStringLiteral("10"));
    list("CLKout", QStringLiteral("1"));
    list("Revision", ht531 ? QStringLiteral("'D' or above") : QStringLiteral("'A' or above"));
    list("Cxtal", QStringLiteral("12.5 pF"));
    list("ModPol", QStringLiteral("fo + df"));
    list("OutputPower", QStringLiteral("Pmax"));
    text("Freqw", ht539 ? QStringLiteral("AD57") : QStringLiteral("A7D0"));
    text("Ctrlw", ht531   ? QStringLiteral("8080")
                  : ht539 ? QStringLiteral("9082")
                          : QStringLiteral("8880"));
    for (const char* box : {"pm0", "pm1", "pm2", "pm3", "pm4", "pm5"})
        check(box, false);
    if (ht531)
        options({"Band315", "Band433", "Band868", "Band915"}, "Band315");
    else
        options({"Band433", "Band868", "Band915"}, ht539 ? "Band868" : "Band433");
    if (!ht539) {
        list("ModFreq", QStringLiteral("30"));
        text("FreqCenter", ht531 ? QStringLiteral("315") : QStringLiteral("435"));
        check("pm6", false);
        check("pm7", false);
        list("Modulation", QStringLiteral("FSK"));
        text("LBDV", QStringLiteral("2.2"));
        text("WKUPTIME", QStringLiteral("0"));
        label("Label7", QStringLiteral("sec"));
        label("Label8", QStringLiteral("Modulation:"));
        text("OutPowerw", QStringLiteral("B0"));
        text("PowerMw", QStringLiteral("C000"));
        text("LBDw", QStringLiteral("C200"));
        text("Wkupw", QStringLiteral("E000"));
        return;
    }
    list("ModFreq", QStringLiteral("60"));
    text("FreqCenter", QStringLiteral("868.3"));
    findChild<QCheckBox*>(QStringLiteral("pm1"))->setChecked(true);
    list("C_PLLBW", QStringLiteral("60 kHz"));
    text("LBDV", QStringLiteral("2.3"));
    text("WKUPTIME", QStringLiteral("300"));
    label("Label8", QStringLiteral("ms"));
    text("TB_FIFOITLevel", QStringLiteral("0"));
    text("TB_DataRateValue", QStringLiteral("17.241"));
    label("Label27", QStringLiteral("kbps"));
    check("CB_EnFIFO", false);
    check("CB_Prescaler", false);
    check("CB_ebs", true);
    check("CB_EnLowPowerXtal", true);
    check("CB_512ClockTail", true);
    check("CB_DisWUTAutocal", false);
    check("CB_DisFIFOAutoSleep", true);
    check("CB_EnWUonIT", false);
    text("PowerMw", QStringLiteral("C002"));
    text("TB_FIFOcmd", QStringLiteral("CE00"));
    text("TB_DataRateCmd", QStringLiteral("C813"));
    text("LBDw", QStringLiteral("C213"));
    text("Wkupw", QStringLiteral("E196"));
    text("EWkupw", QStringLiteral("C300"));
    text("EFCmd", QStringLiteral("B0CA"));
}

void FakeTransmitter::SetFrameMode() {
    setWindowTitle(main_.IsBijakuModeSet() ? QStringLiteral("HT531B transmitter control panel")
                                           : QStringLiteral("HT531 transmitter control panel"));
}

void FakeTransmitter::registerMissing(ISMmain& main) {
    for (const char* form : {"MivraV2", "PelkoV1", "HT539"}) {
        const QString name = QString::fromLatin1(form);
        // The real panel, where the build has it, is loaded only to find out.
        if (main.form(name)) {
            main.unloadForm(name);
            continue;
        }
        ISMmain::registerForm(name,
                              [name](ISMmain& main) { return new FakeTransmitter(main, name); });
    }
}

void FakeTransmitter::text(const char* name, const QString& value) {
    auto* box = new QLineEdit(value, this);
    box->setObjectName(QString::fromLatin1(name));
}

void FakeTransmitter::list(const char* name, const QString& shown) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->addItem(shown);
}

void FakeTransmitter::check(const char* name, bool checked) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
}

void FakeTransmitter::options(std::initializer_list<const char*> names, const char* selected) {
    auto* group = new QButtonGroup(this);
    for (const char* name : names) {
        auto* option = new QRadioButton(this);
        option->setObjectName(QString::fromLatin1(name));
        group->addButton(option);
        option->setChecked(qstrcmp(name, selected) == 0);
    }
}

void FakeTransmitter::label(const char* name, const QString& caption) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(name));
}

} // namespace krv::test
