#include "headerblocks.h"
#include "panelreader.h"

#include <optional>

namespace krv::header {

namespace {

QString tabs(int count) {
    return QString(count, u'\t');
}

QString unitOf(const Detail& d, const PanelReader& panel) {
    if (d.unitFrom.isEmpty())
        return d.unit;
    const QString unit = panel.text(d.unitFrom);
    if (d.secondsSpelledOut && unit == QStringLiteral("sec"))
        return QStringLiteral("seconds");
    return unit;
}

// The value of a detail line, or nothing when the line is not written.
std::optional<QString> valueOf(const Detail& d, const PanelReader& panel) {
    switch (d.kind) {
    case ValueKind::Text: {
        const QString unit = unitOf(d, panel);
        return d.prefix + panel.text(d.control) + (unit.isEmpty() ? QString() : u' ' + unit);
    }
    case ValueKind::WhenChecked:
        if (panel.isOn(d.control))
            return d.word;
        return std::nullopt;
    case ValueKind::WhenClear:
        if (panel.isClear(d.control))
            return d.word;
        return std::nullopt;
    case ValueKind::EitherWord:
        return panel.isOn(d.control) ? d.word : d.otherWord;
    case ValueKind::FirstOption:
        for (const auto& [option, word] : d.options)
            if (panel.isOn(option))
                return word;
        return d.word;
    case ValueKind::Constant:
        return d.word;
    }
    return std::nullopt;
}

} // namespace

Detail bandLine(bool with315) {
    Detail d{QStringLiteral("Frequency Band:"), 3, ValueKind::FirstOption};
    if (with315)
        d.options.append({QStringLiteral("Band315"), QStringLiteral("315 MHz")});
    d.options.append({QStringLiteral("Band433"), QStringLiteral("433 MHz")});
    d.options.append({QStringLiteral("Band868"), QStringLiteral("868 MHz")});
    d.word = QStringLiteral("915 MHz");
    return d;
}

QStringList blockLines(const ChipBlocks& chip, const QString& prefix, const PanelReader& panel) {
    QStringList lines;
    for (qsizetype i = 0; i < chip.blocks.size(); ++i) {
        const Block& block = chip.blocks.at(i);
        const QString value = block.constant.isEmpty()
                                  ? QStringLiteral("0x") + panel.text(block.wordBox)
                                  : block.constant;
        // Fixed TAB counts: the longer names are one TAB shorter, whatever the prefix.
        lines << QStringLiteral("#define ") + prefix + u'_' + block.define +
                     tabs(block.define.size() <= 8 ? 3 : 2) + value;
        lines << QStringLiteral("/*") << u'\t' + block.title;
        if (block.gapAfterTitle)
            lines << QString();
        for (const Detail& d : block.details) {
            if (const auto v = valueOf(d, panel)) {
                const QString label = d.labelFrom.isEmpty() ? d.label : panel.text(d.labelFrom);
                lines << u'\t' + label + tabs(d.tabs) + *v;
            }
        }
        if (block.gapBeforeEnd)
            lines << QString();
        lines << QStringLiteral("*/");
        if (i + 1 < chip.blocks.size() || chip.gapAfterLast)
            lines << QString();
    }
    return lines;
}

} // namespace krv::header
