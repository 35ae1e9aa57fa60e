#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace krv::header {

// What the banner and the two leading defines say of the source panel.
struct Banner {
    QString device;
    // Empty for a B variant, whose device line names no revision.
    std::optional<QString> revision;
    QString crystal;
    qint32 clockHz = 0;
};

// The chip maker's addresses named in the banner.
inline constexpr char WebAddress[] = "www.orvalex.example";
inline constexpr char SupportAddress[] = "support@orvalex.example";

// The banner comment, the device and clock defines and the empty lines before the blocks.
QStringList openingLines(const Banner& banner);
// The empty lines after the blocks and the end-of-file comment.
QStringList closingLines();

// The clock output in hertz from a list text in megahertz ("1.25" gives 1250000), rounded half
// to even; nothing when the text is not a number or the result does not fit 32 bits.
std::optional<qint32> clockOutputHz(const QString& megahertz);

// Whether the text can prefix the define names: empty, or a C identifier.
bool isDefinePrefix(const QString& text);

} // namespace krv::header
