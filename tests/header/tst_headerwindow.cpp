#include "common/programfolder.h"
#include "headertest.h"
#include "readable.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>

using namespace krv;
using namespace krv::test;

// The generator window: choosing the source, the define prefix, generating, clearing, saving
// and what it keeps while closed.
class HeaderWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutPanelNothingIsGenerated();
    void literalPrefix_data();
    void literalPrefix();
    void previewChangesOnlyOnGenerate();
    void savedFileName();
    void replacingAndFailingSaves();
    void textOutsideLatin1IsNotSaved();
    void controlsInTheirArrangement();
    void tabColumnsLineUp();
};

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QString noPanelText = QStringLiteral("Please open the appropriate control panel.");

} // namespace

void HeaderWindowTest::withoutPanelNothingIsGenerated() {
    Rig rig;
    ISMmain& main = startMain(rig);
    Frm_GenHeader* generator = openGenerator(main);
    QVERIFY(!main.frameOf(generator)->isHidden());
    QCOMPARE(rig.dialogs().messages.size(), 1);
    const auto message = rig.dialogs().messages.first();
    QCOMPARE(message.text, noPanelText);
    QCOMPARE(message.title, QStringLiteral("No control panel opened."));
    QCOMPARE(message.icon, Dialogs::Icon::None);
    QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(generator->L_Source->text(), QStringLiteral("Source: No source."));
    QVERIFY(generator->headerText().isEmpty());
    QVERIFY(generator->TB_Header->toPlainText().isEmpty());
    QVERIFY(generator->CB_DeviceName->isChecked());
    QVERIFY(!generator->TB_Literal->isEnabled());

    const QString empty = rig.folder() + QStringLiteral("/empty.h");
    rig.dialogs().files << empty;
    generator->PB_Save->click();
    const Dialogs::FileRequest request = rig.dialogs().fileRequests.constLast();
    QCOMPARE(request.title, QStringLiteral("Save Header File"));
    QCOMPARE(request.fileName, QStringLiteral("Setup_"));
    QCOMPARE(request.directory, ProgramFolder::path());
    QCOMPARE(request.filter, QStringLiteral("C header files (*.h);;All files (*.*)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("h"));
    QCOMPARE(fileBytes(empty), QByteArray("\r\n"));

    // The model of the last source outlives the window; the window itself starts afresh.
    showChip(main, chipEntry(QStringLiteral("HC913")));
    generator->CB_DefineLiteral->setChecked(true);
    generator->TB_Literal->setText(QStringLiteral("MINE"));
    generator->PB_Generate->click();
    QCOMPARE(generator->DeviceName, QStringLiteral("HC913"));
    main.frameOf(generator)->close();
    QTRY_VERIFY(!main.loadedForm(QStringLiteral("Frm_GenHeader")));
    main.YambleV3_hide();
    rig.dialogs().messages.clear();
    generator = openGenerator(main);
    QCOMPARE(rig.messageTexts(), QStringList{noPanelText});
    QVERIFY(generator->headerText().isEmpty());
    QVERIFY(generator->CB_DeviceName->isChecked());
    QCOMPARE(generator->TB_Literal->text(), QStringLiteral("RFSETUP"));
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().fileRequests.constLast().fileName, QStringLiteral("Setup_HC913"));
    QCOMPARE(generator->DefineLiteral, QStringLiteral("MINE"));
}

void HeaderWindowTest::literalPrefix_data() {
    QTest::addColumn<QString>("literal");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("word") << "RFSETUP" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("underscore and digits") << "_rf2" << true;
    QTest::newRow("leading digit") << "2RF" << false;
    QTest::newRow("blank") << "RF SETUP" << false;
    QTest::newRow("minus") << "RF-1" << false;
    QTest::newRow("trailing blank") << "RF " << false;
    QTest::newRow("letter beyond ASCII") << QStringLiteral("RF\u00e9") << false;
}

void HeaderWindowTest::literalPrefix() {
    QFETCH(QString, literal);
    QFETCH(bool, accepted);
    Rig rig;
    ISMmain& main = startMain(rig);
    showChip(main, chipEntry(QStringLiteral("HC913")));
    Frm_GenHeader* generator = openGenerator(main);
    const QString before = generator->headerText();

    generator->CB_DefineLiteral->setChecked(true);
    QVERIFY(generator->TB_Literal->isEnabled());
    generator->TB_Literal->setText(literal);
    // Choosing the option only enables the box: the preview waits for Generate.
    QCOMPARE(generator->headerText(), before);
    generator->PB_Generate->click();
    if (!accepted) {
        QCOMPARE(rig.dialogs().messages.size(), 1);
        QCOMPARE(rig.dialogs().messages.first().text,
                 QStringLiteral("The text added to the literal must be a C identifier (letters, "
                                "digits and _, not beginning with a digit)."));
        QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("Invalid literal"));
        QCOMPARE(generator->headerText(), before);
        return;
    }
    QVERIFY(rig.dialogs().messages.isEmpty());
    QCOMPARE(generator->headerText(), startHeader(chipEntry(QStringLiteral("HC913")), literal));
    QVERIFY(generator->headerText().contains(QStringLiteral("\r\n#define ") + literal +
                                             QStringLiteral("_FREQSET_CMD\t\t0xA7D0\r\n")));
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().fileRequests.constLast().fileName, QStringLiteral("Setup_HC913"));

    generator->CB_DeviceName->setChecked(true);
    QVERIFY(!generator->TB_Literal->isEnabled());
    generator->PB_Generate->click();
    QCOMPARE(generator->headerText(), before);
}

void HeaderWindowTest::previewChangesOnlyOnGenerate() {
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, chipEntry(QStringLiteral("HT531")));
    Frm_GenHeader* generator = openGenerator(main);
    const QString first = generator->headerText();
    generator->PB_Generate->click();
    QCOMPARE(generator->headerText(), first);

    panel->findChild<QLineEdit*>(QStringLiteral("FreqCenter"))->setText(QStringLiteral("316"));
    main.mnuGenCHeader->trigger();
    QCOMPARE(main.loadedForm(QStringLiteral("Frm_GenHeader")), generator);
    QCOMPARE(generator->headerText(), first);
    generator->PB_Generate->click();
    QCOMPARE(blockOf(generator->headerText(), QStringLiteral("FREQSET_CMD")).at(4),
             QStringLiteral("\tCenter Frequency\t\t316 MHz"));
    QVERIFY(rig.dialogs().messages.isEmpty());

    generator->PB_Clear->click();
    QVERIFY(generator->TB_Header->toPlainText().isEmpty());
    const QString path = rig.folder() + QStringLiteral("/cleared.h");
    rig.dialogs().files << path;
    generator->PB_Save->click();
    QCOMPARE(fileBytes(path), QByteArray("\r\n"));

    // With the panel gone the message comes and the preview stays as it was.
    generator->PB_Generate->click();
    main.MivraV2_hide();
    generator->PB_Generate->click();
    QCOMPARE(rig.messageTexts(), QStringList{noPanelText});
    QCOMPARE(generator->L_Source->text(), QStringLiteral("Source: No source."));
    QVERIFY(generator->headerText().contains(QStringLiteral("316 MHz")));
}

void HeaderWindowTest::savedFileName() {
    Rig rig;
    ISMmain& main = startMain(rig);
    showChip(main, chipEntry(QStringLiteral("HT531B")));
    Frm_GenHeader* generator = openGenerator(main);
    rig.dialogs().files << rig.folder() + QStringLiteral("/typed");
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().fileRequests.constLast().fileName, QStringLiteral("Setup_HT531B"));
    const QString saved = rig.folder() + QStringLiteral("/typed.h");
    QCOMPARE(generator->HeaderFileName, saved);
    QCOMPARE(fileBytes(saved), generator->headerText().toLatin1() + "\r\n");
}

void HeaderWindowTest::replacingAndFailingSaves() {
    Rig rig;
    ISMmain& main = startMain(rig);
    showChip(main, chipEntry(QStringLiteral("HR651")));
    Frm_GenHeader* generator = openGenerator(main);
    const QString path = rig.folder() + QStringLiteral("/Setup_HR651.h");
    writeFile(path, "old");
    rig.dialogs().files << path;
    rig.dialogs().answers << Dialogs::Answer::No;
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().messages.constLast().text,
             QStringLiteral("Setup_HR651.h already exists.\r\nDo you want to replace it?"));
    QCOMPARE(fileBytes(path), QByteArray("old"));
    rig.dialogs().files << path;
    generator->PB_Save->click();
    QCOMPARE(fileBytes(path), generator->headerText().toLatin1() + "\r\n");

    rig.dialogs().messages.clear();
    rig.dialogs().files << rig.folder() + QStringLiteral("/no/such/folder/Setup_HR651.h");
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().messages.size(), 1);
    const auto message = rig.dialogs().messages.first();
    QVERIFY2(message.text.startsWith(QStringLiteral("Error occured:76,")),
             qPrintable(message.text));
    QVERIFY(message.text.endsWith(QStringLiteral("\r\nPlease try again")));
    QCOMPARE(message.title, QStringLiteral("File save error"));
}

void HeaderWindowTest::textOutsideLatin1IsNotSaved() {
    Rig rig;
    ISMmain& main = startMain(rig);
    QWidget* panel = showChip(main, chipEntry(QStringLiteral("HT531")));
    Frm_GenHeader* generator = openGenerator(main);
    panel->findChild<QLineEdit*>(QStringLiteral("FreqCenter"))
        ->setText(QStringLiteral("316\u2126"));
    generator->PB_Generate->click();
    const QStringList lines = generator->headerText().split(QStringLiteral("\r\n"));
    const qsizetype line = lines.indexOf(QStringLiteral("\tCenter Frequency\t\t316\u2126 MHz"));
    QVERIFY(line > 0);
    const QString path = rig.folder() + QStringLiteral("/Setup_HT531.h");
    writeFile(path, "old");
    rig.dialogs().files << path;
    generator->PB_Save->click();
    QCOMPARE(rig.dialogs().messages.size(), 2);
    QCOMPARE(rig.messageTexts().constLast(),
             QStringLiteral("Error occured:1229,The header holds \"\u2126\" (U+2126) in line %1, "
                            "character 23 (single-byte Latin-1 text only), which the file cannot "
                            "hold. Nothing was saved.\r\nPlease try again")
                 .arg(line + 1));
    QCOMPARE(rig.dialogs().messages.constLast().title, QStringLiteral("File save error"));
    QCOMPARE(fileBytes(path), QByteArray("old"));
}

// The design's arrangement, laid out for the fonts at hand: the source and the buttons in a
// column at the left, the options beside them, the preview below across the whole width.
void HeaderWindowTest::controlsInTheirArrangement() {
    Rig rig;
    ISMmain& main = startMain(rig);
    main.show();
    showChip(main, chipEntry(QStringLiteral("HR658")));
    Frm_GenHeader* g = openGenerator(main);
    QCoreApplication::processEvents();
    const auto place = [g](QWidget* w) { return QRect(w->mapTo(g, QPoint(0, 0)), w->size()); };
    QCOMPARE(g->CB_DeviceName->parentWidget(), g->Frame1);
    QCOMPARE(g->CB_DefineLiteral->parentWidget(), g->Frame1);
    QCOMPARE(g->TB_Literal->parentWidget(), g->Frame1);
    QVERIFY(place(g->L_Source).bottom() < place(g->PB_Generate).top());
    QVERIFY(place(g->PB_Generate).right() < place(g->PB_Clear).left());
    QVERIFY(place(g->PB_Clear).right() < place(g->PB_Save).left());
    QVERIFY(place(g->PB_Save).right() < place(g->Frame1).left());
    QVERIFY(place(g->L_Source).right() < place(g->Frame1).left());
    QVERIFY(place(g->CB_DeviceName).bottom() < place(g->CB_DefineLiteral).top());
    QVERIFY(place(g->CB_DefineLiteral).right() < place(g->TB_Literal).left());
    const QRect preview = place(g->TB_Header);
    QVERIFY(preview.top() > place(g->Frame1).bottom());
    QVERIFY(preview.top() > place(g->PB_Generate).bottom());
    QVERIFY(preview.left() <= place(g->L_Source).left());
    QVERIFY(preview.right() >= place(g->Frame1).right());
    checkReadable(main.frameOf(g), QStringLiteral("Frm_GenHeader"));
    checkNearDesignSize(g, 648 * 15, 628 * 15);
}

void HeaderWindowTest::tabColumnsLineUp() {
    Rig rig;
    ISMmain& main = startMain(rig);
    main.show();
    showChip(main, chipEntry(QStringLiteral("HC913")));
    Frm_GenHeader* generator = openGenerator(main);
    QCOMPARE(generator->size(), QSize(648, 628));
    const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
    if (!out.isEmpty())
        main.frameOf(generator)->grab().save(out + QStringLiteral("/Frm_GenHeader.png"));
    QPlainTextEdit* preview = generator->TB_Header;
    // Every printable character as wide as the blank, whatever fonts the machine has.
    const QFontMetricsF metrics(preview->font());
    const qreal blank = metrics.horizontalAdvance(u' ');
    QVERIFY(blank > 0);
    for (char16_t c = u'!'; c <= u'~'; ++c)
        QVERIFY2(metrics.horizontalAdvance(QChar(c)) == blank,
                 qPrintable(QStringLiteral("'%1' in %2")
                                .arg(QChar(c))
                                .arg(QFontInfo(preview->font()).family())));
    // Where the value of a line starts, in pixels from the left of the preview.
    const auto valueStart = [preview](const QString& line, const QString& value) {
        const QTextBlock block = preview->document()->find(line).block();
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + int(block.text().indexOf(value)));
        return preview->cursorRect(cursor).left();
    };
    // Five TAB stops of eight characters, after labels of different lengths.
    const int band = valueStart(QStringLiteral("Frequency Band:"), QStringLiteral("315 MHz"));
    const int load =
        valueStart(QStringLiteral("Crystal Load Capacitance:"), QStringLiteral("12.5"));
    const int afc =
        valueStart(QStringLiteral("Automatic Operation Mode:"), QStringLiteral("Auto, keep"));
    QCOMPARE(load, band);
    QCOMPARE(afc, band);
    const int column = valueStart(QStringLiteral("Range Limit:"), QStringLiteral("+3/-4"));
    // A TAB stop every eight characters: "Range" at 8, its value at 40.
    const qreal character = QFontMetricsF(preview->font()).horizontalAdvance(u'0');
    const int range = valueStart(QStringLiteral("Range Limit:"), QStringLiteral("Range"));
    QVERIFY2(qAbs(column - range - 32 * character) < 1.0,
             qPrintable(QStringLiteral("%1 %2 %3").arg(column).arg(range).arg(character)));
}

QTEST_MAIN(HeaderWindowTest)
#include "tst_headerwindow.moc"
