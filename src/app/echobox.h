#pragma once

#include <QPlainTextEdit>

namespace krv {

// A monitor box that receives the board's output character by character. It keeps the text
// exactly as received (CR LF pairs and all) and shows it with ordinary line breaks, appending
// at the end without re-copying what it already shows. Both what it keeps and what it shows
// are bounded, so that a board that never stops talking cannot fill the memory or slow the
// window: the kept text drops its oldest characters, the view its oldest lines, and a line
// longer than the view takes is shown broken into pieces.
class EchoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EchoBox(QWidget* parent = nullptr);
    // A batched box shows what was appended once per pass of the event loop instead of at
    // once: for a box whose output nobody watches character by character (the terminal).
    void setBatched(bool batched) { batched_ = batched; }
    void appendEcho(const QString& text);
    // Takes back the last character typed: a CR LF pair counts as one.
    void eraseLast();
    void clearText();
    const QString& text() const { return text_; }

    static constexpr qsizetype KeptCharacters = 1 << 20;
    static constexpr int ShownLines = 5000;
    static constexpr qsizetype LongestShownLine = 1000;

private:
    void showPending();

    QString text_;
    QString unshown_;
    bool batched_ = false;
    bool showPosted_ = false;
    bool pendingCr_ = false;
    qsizetype shownLineLength_ = 0;
};

} // namespace krv
