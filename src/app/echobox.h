#pragma once

#include <QPlainTextEdit>

namespace krv {

// A monitor box that receives the board's output character by character. It keeps the text
// exactly as received (CR LF pairs and all) and shows it with ordinary line breaks, appending
// at the end without re-copying what it already shows.
class EchoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EchoBox(QWidget* parent = nullptr);
    void appendEcho(const QString& text);
    void clearText();
    const QString& text() const { return text_; }

private:
    QString text_;
    bool pendingCr_ = false;
};

} // namespace krv
