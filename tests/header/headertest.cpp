#include "headertest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace krv::test {

namespace {

const ChipEntry entries[] = {
    {"HT531", "MivraV2", &ISMmain::mnuViewTx0_Click, "ht531", "'D' or above"},
    {"HT531B", "MivraV2", &ISMmain::mnuViewTx0Bijaku_Click, "ht531", ""},
    {"HT537", "PelkoV1", &ISMmain::mnuViewTx1_Click, "ht537", "'A' or above"},
    {"HT539", "HT539", &ISMmain::mnuViewTx2_Click, "ht539", "'A' or above"},
    {"HR651", "DruskV1", &ISMmain::mnuViewRx_Click, "hr651", "'F' or above"},
    {"HR658", "Ovalt", &ISMmain::mnuViewOvaltRx_Click, "hr658", "'A' or above"},
    {"HC913", "YambleV3", &ISMmain::mnuViewTRx_Click, "hc913", "'A' or above"},
    {"HC913B", "YambleV3", &ISMmain::mnuViewTRxBijaku_Click, "hc913", ""},
    {"HC916", "FRM_Zenth", &ISMmain::mnuViewZenthTRx_Click, "hc916", "'A' or above"},
};

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(path));
    return QString::fromLatin1(file.readAll());
}

} // namespace

const ChipEntry& chipEntry(const QString& model) {
    for (const ChipEntry& entry : entries)
        if (model == QLatin1String(entry.model))
            return entry;
    qFatal("no chip entry %s", qPrintable(model));
}

QList<ChipEntry> chipEntries() {
    return {std::begin(entries), std::end(entries)};
}

ISMmain& startMain(Rig& rig) {
    rig.writeSettings();
    ISMmain& main = rig.start();
    rig.dialogs().messages.clear();
    return main;
}

QWidget* showChip(ISMmain& main, const ChipEntry& entry) {
    (main.*entry.show)();
    return main.loadedForm(QString::fromLatin1(entry.form));
}

Frm_GenHeader* openGenerator(ISMmain& main) {
    main.mnuGenCHeader->trigger();
    return main.loadedForm<Frm_GenHeader>(QStringLiteral("Frm_GenHeader"));
}

QString fixture(const QString& name) {
    QString text = readAll(QStringLiteral(HEADER_FIXTURES "/") + name);
    text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QString startHeader(const ChipEntry& entry, const QString& prefix) {
    const QString model = QString::fromLatin1(entry.model);
    const QString revision = QString::fromLatin1(entry.revision);
    const QString deviceLine =
        QStringLiteral("*** Device: ") + model +
        (revision.isEmpty() ? QString(11, u'\t')
                            : QStringLiteral(" rev:") + revision + QString(9, u'\t')) +
        QStringLiteral("***");
    QString blocks = fixture(QString::fromLatin1(entry.fixture) + QStringLiteral(".txt"));
    blocks.replace(QStringLiteral("%P%"), prefix);
    QString header = fixture(QStringLiteral("frame.txt"));
    header.replace(QStringLiteral("%DEVICE_LINE%"), deviceLine);
    header.replace(QStringLiteral("%MODEL%"), model);
    header.replace(QStringLiteral("%BLOCKS%\r\n"), blocks);
    return header;
}

QStringList blockOf(const QString& header, const QString& define) {
    const QStringList lines = header.split(QStringLiteral("\r\n"));
    QStringList block;
    for (const QString& line : lines) {
        if (block.isEmpty() && !(line.startsWith(QStringLiteral("#define ")) &&
                                 line.section(u'\t', 0, 0).endsWith(u'_' + define)))
            continue;
        block << line;
        if (line == QStringLiteral("*/"))
            break;
    }
    return block;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString compileErrors(const QString& headerPath) {
    static const QRegularExpression valued(QStringLiteral("^#define (\\w+)\\t+(\\S+)\\r$"),
                                           QRegularExpression::MultilineOption);
    const QString header = readAll(headerPath);
    QString source =
        QStringLiteral("#include \"") + QFileInfo(headerPath).fileName() + QStringLiteral("\"\n");
    // Enumerators take integer constant expressions only.
    source += QStringLiteral("enum defines {\n");
    int count = 0;
    for (auto match = valued.globalMatch(header); match.hasNext(); ++count)
        source += QStringLiteral("    value%1 = %2,\n").arg(count).arg(match.next().captured(1));
    if (count == 0)
        return QStringLiteral("no valued define");
    source += QStringLiteral("};\nint main(void) { return value0 - value0; }\n");
    const QDir folder = QFileInfo(headerPath).absoluteDir();
    const QString sourcePath = folder.filePath(QStringLiteral("uses_header.c"));
    QFile file(sourcePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(source.toLatin1()) < 0)
        return QStringLiteral("cannot write ") + sourcePath;
    file.close();
    QProcess cc;
    cc.setWorkingDirectory(folder.path());
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.start(QStringLiteral("cc"), {QStringLiteral("-std=c99"), QStringLiteral("-Wall"),
                                    QStringLiteral("-Werror"), QStringLiteral("-c"), sourcePath,
                                    QStringLiteral("-o"), folder.filePath("uses_header.o")});
    if (!cc.waitForFinished(60000))
        return QStringLiteral("the C compiler did not run: ") + cc.errorString();
    if (cc.exitStatus() != QProcess::NormalExit || cc.exitCode() != 0)
        return QString::fromLocal8Bit(cc.readAll());
    return {};
}

} // namespace krv::test
