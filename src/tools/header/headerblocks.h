#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace krv::header {

class PanelReader;

// How a detail line of a command block gets its value from the panel.
enum class ValueKind {
    Text,        // prefix, the control's text, then a blank and the unit when there is one
    WhenChecked, // the word, written only while the check box is checked
    WhenClear,   // the word, written only while the check box is clear
    EitherWord,  // the word while the box is checked or the option selected, else the other word
    FirstOption, // the word of the first selected option button, else the fallback word
    Constant,    // the word
};

// One detail line of a command block: TAB, the label, `tabs` TABs, the value.
struct Detail {
    Detail(const QString& label, int tabs, ValueKind kind, const QString& control = {})
        : label(label), tabs(tabs), kind(kind), control(control) {}

    QString label;
    int tabs;
    ValueKind kind;
    QString control;
    // When set, the label is the caption of this panel label instead.
    QString labelFrom;
    QString prefix;
    // A fixed unit word, or the panel label whose caption is the unit.
    QString unit;
    QString unitFrom;
    // The unit label's "sec" is spelled out as "seconds".
    bool secondsSpelledOut = false;
    QString word;
    QString otherWord;
    QList<std::pair<QString, QString>> options; // option button, its word
};

// One command block: a define of the word, then a comment with the settings behind it.
struct Block {
    Block(const QString& define, const QString& wordBox, const QString& constant,
          const QString& title, const QList<Detail>& details = {})
        : define(define), wordBox(wordBox), constant(constant), title(title), details(details) {}

    QString define;   // follows the prefix and "_"
    QString wordBox;  // the word box whose text follows "0x"
    QString constant; // in place of "0x" and the box text when there is no word box
    QString title;
    QList<Detail> details;
    bool gapAfterTitle = true;
    bool gapBeforeEnd = false;
};

struct ChipBlocks {
    QList<Block> blocks;
    // Whether the last block is followed by an empty line like the others.
    bool gapAfterLast = false;
};

// The blocks of each chip.
ChipBlocks ht531Blocks();
ChipBlocks ht537Blocks();
ChipBlocks ht539Blocks();
ChipBlocks hr651Blocks();
ChipBlocks hr658Blocks();
ChipBlocks hc913Blocks();
ChipBlocks hc916Blocks();

// The lines of the blocks, each define named `prefix` + "_" + the block's define name.
QStringList blockLines(const ChipBlocks& chip, const QString& prefix, const PanelReader& panel);

// ---- Detail lines as the chip tables write them ----------------------------------------------

inline Detail text(const QString& label, int tabs, const QString& control,
                   const QString& unit = {}) {
    Detail d{label, tabs, ValueKind::Text, control};
    d.unit = unit;
    return d;
}
inline Detail textInUnitOf(const QString& label, int tabs, const QString& control,
                           const QString& unitLabel) {
    Detail d = text(label, tabs, control);
    d.unitFrom = unitLabel;
    return d;
}
inline Detail hexText(const QString& label, int tabs, const QString& control) {
    Detail d = text(label, tabs, control);
    d.prefix = QStringLiteral("0x");
    return d;
}
inline Detail whenChecked(const QString& label, int tabs, const QString& box, const QString& word) {
    Detail d{label, tabs, ValueKind::WhenChecked, box};
    d.word = word;
    return d;
}
inline Detail enabledBy(const QString& label, int tabs, const QString& box) {
    return whenChecked(label, tabs, box, QStringLiteral("Enabled"));
}
inline Detail disabledBy(const QString& label, int tabs, const QString& box) {
    return whenChecked(label, tabs, box, QStringLiteral("Disabled"));
}
inline Detail enabledWhileClear(const QString& label, int tabs, const QString& box) {
    Detail d{label, tabs, ValueKind::WhenClear, box};
    d.word = QStringLiteral("Enabled");
    return d;
}
inline Detail eitherWord(const QString& label, int tabs, const QString& control,
                         const QString& onWord, const QString& offWord) {
    Detail d{label, tabs, ValueKind::EitherWord, control};
    d.word = onWord;
    d.otherWord = offWord;
    return d;
}
inline Detail constant(const QString& label, int tabs, const QString& value) {
    Detail d{label, tabs, ValueKind::Constant};
    d.word = value;
    return d;
}
// "Frequency Band:": the first selected band option, else 915 MHz.
Detail bandLine(bool with315);

// ---- What several chips share --------------------------------------------------------------

Block frequencyBlock();
// "Time Period: " and the wake-up time in the unit the panel shows.
Detail wakeUpLine(const QString& unitLabel);
// "Data Rate:" and the rate in the unit of Label25 or Label27.
Detail dataRateLine(const QString& unitLabel);
// Receivers and transceivers.
Block afcBlock();
Block dataFilterBlock();
Block lowDutyCycleBlock();
Block lbdAndClockBlock();

} // namespace krv::header
