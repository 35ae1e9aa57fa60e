#pragma once

#include <QByteArray>
#include <QPlainTextEdit>

namespace krv {

// A read-only box that shows what the board sends, for as long as it sends. It keeps the
// characters as received (CR LF pairs and all) and shows them with ordinary line breaks (CR LF,
// a lone CR and a lone LF each make one) or as hexadecimal pairs, appending at the end without
// re-copying what it already shows. Both what it keeps and what it shows are bounded, so that
// a board that never stops talking can neither fill the memory nor slow the window: the kept
// text drops its oldest characters, the view its oldest lines, and a line longer than the view
// takes is shown broken into pieces. Switching views shows the kept text again in the new one.
class MonitorBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MonitorBox(QWidget* parent = nullptr);

    // A batched box shows what was appended once per pass of the event loop instead of at
    // once: for a box fed a character at a time, whose output nobody watches that closely.
    void setBatched(bool batched) { batched_ = batched; }
    // The box asks its layout for this many characters and lines, rather than the default: a
    // monitor that takes what room its window gives it asks for little, so that the window
    // keeps near its design size.
    void setPreferredSize(int columns, int lines);
    bool hexView() const { return hex_; }
    void setHexView(bool hex);

    void appendText(const QString& text);
    void appendBytes(const QByteArray& bytes) { appendText(QString::fromLatin1(bytes)); }
    // Shows only the given text, as if the box had been cleared first.
    void setBytes(const QByteArray& bytes);
    // Takes back the last character typed: a CR LF pair counts as one.
    void eraseLast();
    void clearText();

    const QString& text() const { return text_; }
    QByteArray bytes() const { return text_.toLatin1(); }

    QSize sizeHint() const override;

    static constexpr qsizetype KeptCharacters = 1 << 18;
    static constexpr int ShownLines = 5000;
    static constexpr qsizetype LongestShownLine = 1000;
    // The hex view shows no more than the bytes kept, at LongestShownLine / 2 bytes a line.
    static constexpr int ShownHexLines = int(4 * KeptCharacters / LongestShownLine);

private:
    void showPending();
    QString rendered(const QString& text);
    void showAgain();

    QString text_;
    QString unshown_;
    bool batched_ = false;
    bool showPosted_ = false;
    bool hex_ = false;
    // A CR shown as a line break waits to see whether an LF follows it.
    bool pendingCr_ = false;
    qsizetype shownLineLength_ = 0;
    QSize preferred_;
};

} // namespace krv
