#include "headertest.h"

#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using namespace krv::test;

// The whole header of every chip entry, and that every saved header compiles.
class HeaderChipsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeHeaderAtStart_data();
    void wholeHeaderAtStart();
    void compilesWithEveryBoxCheckedAndALiteral_data();
    void compilesWithEveryBoxCheckedAndALiteral();
};

namespace {

void addChipRows() {
    QTest::addColumn<QString>("model");
    for (const ChipEntry& entry : chipEntries())
        QTest::newRow(entry.model) << QString::fromLatin1(entry.model);
}

} // namespace

void HeaderChipsTest::wholeHeaderAtStart_data() {
    addChipRows();
}

void HeaderChipsTest::wholeHeaderAtStart() {
    QFETCH(QString, model);
    const ChipEntry& entry = chipEntry(model);
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, entry);
    QVERIFY(panel);
    Frm_GenHeader* generator = openGenerator(main);
    QVERIFY(generator);
    QVERIFY(rig.dialogs().messages.isEmpty());
    const QString expected = startHeader(entry, model);
    QCOMPARE(generator->headerText(), expected);
    QCOMPARE(generator->L_Source->text(), QStringLiteral("Source: ") + panel->windowTitle());
    QVERIFY(generator->L_Source->text().contains(model + u' '));
    // The preview shows the model, line for line.
    QCOMPARE(generator->TB_Header->toPlainText(),
             QString(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const QString path = rig.folder() + QStringLiteral("/Setup_") + model + QStringLiteral(".h");
    rig.dialogs().files << path;
    generator->PB_Save->click();
    const Dialogs::FileRequest request = rig.dialogs().fileRequests.constLast();
    QCOMPARE(request.fileName, QStringLiteral("Setup_") + model);
    QCOMPARE(fileBytes(path), expected.toLatin1() + "\r\n");
    QCOMPARE(compileErrors(path), QString());
}

void HeaderChipsTest::compilesWithEveryBoxCheckedAndALiteral_data() {
    addChipRows();
}

void HeaderChipsTest::compilesWithEveryBoxCheckedAndALiteral() {
    QFETCH(QString, model);
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, chipEntry(model));
    Frm_GenHeader* generator = openGenerator(main);
    for (QCheckBox* box : panel->findChildren<QCheckBox*>())
        box->setCheckState(Qt::Checked);
    // A long wake-up period, shown in a larger unit.
    auto* exponent = panel->findChild<QLineEdit*>(QStringLiteral("WKUPR"));
    auto* mantissa = panel->findChild<QLineEdit*>(QStringLiteral("WKUPM"));
    if (exponent && mantissa) {
        exponent->setText(QStringLiteral("23"));
        mantissa->setText(QStringLiteral("255"));
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(mantissa, &out);
    }
    generator->CB_DefineLiteral->setChecked(true);
    generator->TB_Literal->setText(QStringLiteral("RF_Setup2"));
    generator->PB_Generate->click();
    QVERIFY(rig.dialogs().messages.isEmpty());
    const QString header = generator->headerText();
    QVERIFY(header.contains(QStringLiteral("\r\n#define ") + model + QStringLiteral("\r\n")));
    const QStringList defines =
        header.split(QStringLiteral("\r\n"))
            .filter(QRegularExpression(QStringLiteral("^#define \\w+_CMD\\t")));
    QVERIFY(defines.size() >= 7);
    for (const QString& define : defines)
        QVERIFY2(define.startsWith(QStringLiteral("#define RF_Setup2_")), qPrintable(define));
    QVERIFY(header.contains(QStringLiteral("Enabled")));
    if (exponent && mantissa) {
        const QString period =
            header.split(QStringLiteral("\r\n")).filter(QStringLiteral("\tTime Period: ")).at(0);
        QVERIFY2(QRegularExpression(QStringLiteral(" (min|hrs|days)$")).match(period).hasMatch(),
                 qPrintable(period));
    }

    const QString path = rig.folder() + QStringLiteral("/checked.h");
    rig.dialogs().files << path;
    generator->PB_Save->click();
    QCOMPARE(compileErrors(path), QString());
}

QTEST_MAIN(HeaderChipsTest)
#include "tst_headerchips.moc"
