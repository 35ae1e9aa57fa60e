#include "headertest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

using namespace krv;
using namespace krv::test;

// Detail lines that follow the panel's settings: band options, check boxes clear, checked and
// grey, two-word controls, units and the clock output.
class HeaderBlocksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineFollowsPanel_data();
    void lineFollowsPanel();
    void clockOutputLimits_data();
    void clockOutputLimits();
};

namespace {

using Change = std::function<void(QWidget*)>;

Change select(const char* option) {
    return [option](QWidget* panel) {
        panel->findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true);
    };
}

Change setCheck(const char* box, Qt::CheckState state) {
    return [box, state](QWidget* panel) {
        auto* b = panel->findChild<QCheckBox*>(QString::fromLatin1(box));
        b->setTristate(state == Qt::PartiallyChecked);
        b->setCheckState(state);
    };
}

Change setText(const char* control, const char* text) {
    return [control, text](QWidget* panel) {
        QWidget* w = panel->findChild<QWidget*>(QString::fromLatin1(control));
        if (auto* box = qobject_cast<QLineEdit*>(w))
            box->setText(QString::fromLatin1(text));
        else if (auto* label = qobject_cast<QLabel*>(w))
            label->setText(QString::fromLatin1(text));
        else
            qobject_cast<QComboBox*>(w)->setCurrentText(QString::fromLatin1(text));
    };
}

// Types the text into the box and leaves it.
Change leave(const char* box, const char* text) {
    return [box, text](QWidget* panel) {
        auto* b = panel->findChild<QLineEdit*>(QString::fromLatin1(box));
        b->setText(QString::fromLatin1(text));
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(b, &out);
    };
}

Change both(Change a, Change b) {
    return [a, b](QWidget* panel) {
        a(panel);
        b(panel);
    };
}

struct Case {
    const char* name;
    const char* model;
    Change change;
    const char* define; // the block the line stands in; empty for the defines before the blocks
    const char* label;  // how the line begins
    const char* line;   // the whole line; empty when the line is not written
};

const QList<Case>& cases() {
    static const QList<Case> all = {
        {"HT531 on 915 MHz", "HT531", select("Band915"), "CONFIGSET_CMD",
         "\tFrequency Band:", "\tFrequency Band:\t\t\t915 MHz"},
        {"HT537 on 868 MHz", "HT537", select("Band868"), "CONFIGSET_CMD",
         "\tFrequency Band:", "\tFrequency Band:\t\t\t868 MHz"},
        {"HR651 on 315 MHz", "HR651", select("Band315"), "CONFIGSET_CMD",
         "\tFrequency Band:", "\tFrequency Band:\t\t\t315 MHz"},
        {"HC913 on 915 MHz", "HC913", select("Band915"), "CONFIGSET_CMD",
         "\tFrequency Band:", "\tFrequency Band:\t\t\t915 MHz"},
        {"HT531 clock output disabled", "HT531", setCheck("pm0", Qt::Checked), "POWERMAN_CMD",
         "\tClock Output:", "\tClock Output:\t\t\tDisabled"},
        {"HT531 grey box", "HT531", setCheck("pm6", Qt::PartiallyChecked), "POWERMAN_CMD",
         "\tPower Amplifier Auto Control", ""},
        {"HT539 power amplifier", "HT539", setCheck("pm3", Qt::Checked), "POWERMAN_CMD",
         "\tPower Amplifier:", "\tPower Amplifier:\t\tEnabled"},
        {"HT539 short clock tail", "HT539", setCheck("CB_512ClockTail", Qt::Unchecked), "EFC_CMD",
         "\tClock Tail:", "\tClock Tail:\t\t\t128 bit"},
        {"HR658 short clock tail", "HR658", select("OB_128bit"), "EFC_CMD",
         "\tClock Tail:", "\tClock Tail:\t\t\t128 bit"},
        {"HR651 grey oscillator", "HR651", setCheck("enx", Qt::PartiallyChecked), "CONFIGSET_CMD",
         "\tCrystal Oscillator:", ""},
        {"HC913 pin 16 as VDI output", "HC913", select("Pin8IsVDI"), "RECEIVERCNT_CMD",
         "\tFunction of Pin 16:", "\tFunction of Pin 16:\t\tVDI Output"},
        {"HC916 dithering on", "HC916", setCheck("CB_DDIT", Qt::Unchecked), "PLLSET_CMD",
         "\tPLL Dithering:", "\tPLL Dithering:\t\t\tEnabled"},
        {"HC916 dithering grey", "HC916", setCheck("CB_DDIT", Qt::PartiallyChecked), "PLLSET_CMD",
         "\tPLL Dithering:", ""},
        {"HC916 crystal low power", "HC916", setCheck("CB_LPX", Qt::Checked), "PLLSET_CMD",
         "\tXTAL Low Power Mode:", "\tXTAL Low Power Mode:\t\tEnabled"},
        {"HC916 phase detector delay", "HC916", setCheck("CB_DDY", Qt::Checked), "PLLSET_CMD",
         "\tPHD Delay:", "\tPHD Delay:\t\t\tEnabled"},
        {"HC916 pattern list", "HC916", setText("SynchPattern", "D4"), "FIFO_RESET_CMD",
         "\tSynchron Pattern:", "\tSynchron Pattern:\t\tD4"},
        {"HC916 pattern byte", "HC916", setText("TB_SP", "1F"), "SYNCPATT_CMD",
         "\tSynchron Pattern:", "\tSynchron Pattern:\t\t0x1F"},
        {"HT531 period in seconds", "HT531", both(setText("WKUPR", "1"), leave("WKUPM", "255")),
         "WTC_CMD", "\tTime Period: ", "\tTime Period: \t\t\t0.51 seconds"},
        {"HT531 period in minutes", "HT531", both(setText("WKUPR", "12"), leave("WKUPM", "255")),
         "WTC_CMD", "\tTime Period: ", "\tTime Period: \t\t\t17.408 min"},
        {"HT537 period in seconds", "HT537", both(setText("WKUPR", "1"), leave("WKUPM", "255")),
         "WTC_CMD", "\tTime Period: ", "\tTime Period: \t\t\t0.51 seconds"},
        {"HT537 period in hours", "HT537", both(setText("WKUPR", "18"), leave("WKUPM", "255")),
         "WTC_CMD", "\tTime Period: ", "\tTime Period: \t\t\t18.569 hrs"},
        {"HR651 period in days", "HR651",
         both(setCheck("ent", Qt::Checked), both(setText("WKUPR", "23"), leave("WKUPM", "255"))),
         "WTC_CMD", "\tTime Period: ", "\tTime Period: \t\t\t24.758 days"},
        {"HC913 clock output 1.25 MHz", "HC913", setText("CLKout", "1.25"), "",
         "#define UPCLKFREQUENCY", "#define UPCLKFREQUENCY\t\t\t1250000"},
        {"HC913 clock output line", "HC913", setText("CLKout", "1.25"), "LBD_CMD",
         "\tClock Output Frequency:", "\tClock Output Frequency:\t\t1.25 MHz"},
        {"HR658 clock output 2.5 MHz", "HR658", setText("CLKout", "2.5"), "",
         "#define UPCLKFREQUENCY", "#define UPCLKFREQUENCY\t\t\t2500000"},
    };
    return all;
}

// The line of the block (or of the whole header) that begins with the label; empty when none.
QString lineIn(const QString& header, const QString& define, const QString& label) {
    const QStringList lines =
        define.isEmpty() ? header.split(QStringLiteral("\r\n")) : blockOf(header, define);
    for (const QString& line : lines)
        if (line.startsWith(label))
            return line;
    return {};
}

} // namespace

void HeaderBlocksTest::lineFollowsPanel_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < cases().size(); ++i)
        QTest::newRow(cases().at(i).name) << i;
}

void HeaderBlocksTest::lineFollowsPanel() {
    QFETCH(int, row);
    const Case& c = cases().at(row);
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, chipEntry(QString::fromLatin1(c.model)));
    Frm_GenHeader* generator = openGenerator(main);
    c.change(panel);
    generator->PB_Generate->click();
    QVERIFY(rig.dialogs().messages.isEmpty());
    const QString header = generator->headerText();
    QCOMPARE(lineIn(header, QString::fromLatin1(c.define), QString::fromLatin1(c.label)),
             QString::fromLatin1(c.line));
    if (*c.define)
        QVERIFY(!blockOf(header, QString::fromLatin1(c.define)).isEmpty());
}

void HeaderBlocksTest::clockOutputLimits_data() {
    QTest::addColumn<QString>("megahertz");
    QTest::addColumn<QString>("hertz"); // empty: refused with a message
    // A comma is no decimal point here, and no thousands separator either.
    QTest::newRow("comma") << "1,25"
                           << "";
    QTest::newRow("largest in 32 bits") << "2147.483647"
                                        << "2147483647";
    QTest::newRow("one hertz more") << "2147.483648"
                                    << "";
    QTest::newRow("far beyond") << "1e10"
                                << "";
}

void HeaderBlocksTest::clockOutputLimits() {
    QFETCH(QString, megahertz);
    QFETCH(QString, hertz);
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, chipEntry(QStringLiteral("HT539")));
    Frm_GenHeader* generator = openGenerator(main);
    const QString before = generator->headerText();
    const qint32 clockBefore = generator->UpClkFrequency;
    auto* clock = panel->findChild<QComboBox*>(QStringLiteral("CLKout"));
    clock->setEditable(true);
    clock->setEditText(megahertz);
    generator->PB_Generate->click();
    if (!hertz.isEmpty()) {
        QVERIFY(rig.dialogs().messages.isEmpty());
        QCOMPARE(
            lineIn(generator->headerText(), QString(), QStringLiteral("#define UPCLKFREQUENCY")),
            QStringLiteral("#define UPCLKFREQUENCY\t\t\t") + hertz);
        return;
    }
    QCOMPARE(rig.dialogs().messages.size(), 1);
    QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("Invalid clock output"));
    QCOMPARE(
        rig.dialogs().messages.first().text,
        QStringLiteral("The clock output frequency \"%1\" of the panel is not a number of MHz.")
            .arg(megahertz));
    QCOMPARE(generator->headerText(), before);
    QCOMPARE(generator->UpClkFrequency, clockBefore);
}

QTEST_MAIN(HeaderBlocksTest)
#include "tst_headerblocks.moc"
