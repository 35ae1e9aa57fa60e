#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace krv {

// A text box that shows a loaded file. Laying out a line costs the box some 45 bytes and a
// fraction of a microsecond a character, at once for the whole line: a line of a megabyte would
// take 50 MB and most of a second. A text with a line longer than LineLength characters is
// therefore shown with such lines in pieces, the box is read-only meanwhile (its tooltip says
// why), and the text stays as it was given; text put into the box by other means is the text
// from then on. Belongs to the box.
class PiecedPane : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype LineLength = 1000;

    // `kept` ends the tooltip of a text in pieces: what becomes of the text, for example "the
    // script is sent and saved as it was loaded".
    PiecedPane(QPlainTextEdit* box, const QString& kept);

    // Shows a text whose lines are separated by line breaks.
    void show(const QString& text);
    // The text as it was given, or as the box holds it once it was changed otherwise.
    QString text() const;

private:
    void boxChanged();

    QPlainTextEdit* box_;
    QString kept_;
    // A text shown in pieces, until the box's text is replaced; empty while the box shows the
    // text whole.
    QString inPieces_;
};

} // namespace krv
